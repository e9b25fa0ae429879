; Ends a running Textwright before its files are replaced or removed. The single-instance mutex
; tells that it runs; the registered exit request ends it the way File > Exit does, so pending
; edits are written first. Defines CloseRunningProgram, or un.CloseRunningProgram with "un.".
!macro CLOSE_RUNNING_PROGRAM UN
Function ${UN}CloseRunningProgram
    StrCpy $R9 0
    poll:
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${MUTEX}") p .r0'
    ${If} $0 P= 0
        ${If} $R9 > 0
            ; The mutex goes as the process ends; give Windows a moment to let go of the files.
            Sleep 500
        ${EndIf}
        Return
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    ${If} $R9 = 0
        DetailPrint "Asking the running ${PRODUCT} to exit..."
    ${EndIf}
    ; Asked again on every poll: a program still starting may not have its window yet, and a
    ; repeated request is ignored by one that is already ending.
    System::Call 'user32::RegisterWindowMessageW(w "${EXIT_REQUEST}") i .r1'
    System::Call 'user32::FindWindowW(w "${MAIN_CLASS}", p 0) p .r2'
    ${If} $2 P<> 0
        System::Call 'user32::PostMessageW(p r2, i r1, p 0, p 0)'
    ${EndIf}
    IntOp $R9 $R9 + 1
    ; Up to 20 s: ending the program writes the pending edits and stops the hooks.
    ${If} $R9 < 80
        Sleep 250
        Goto poll
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is still running. End it with File > Exit, then choose Retry." \
        /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Abort "${PRODUCT} is still running; nothing was changed."
    retry:
    StrCpy $R9 0
    Goto poll
FunctionEnd
!macroend
