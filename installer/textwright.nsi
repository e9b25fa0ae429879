; The per-user Windows installer. scripts/package.sh builds it:
;   makensis -DVERSION=2.0.0 -DSTAGE=<folder of the files to ship> -DOUTFILE=<.exe>
;            -DICON=<.ico> -DWIZARD_BITMAP=<164 x 314 .bmp>
; Installer command line: /S silent; /AUTORUN=1 or /AUTORUN=0 starts with Windows or not
; (without it, the choice already made is kept). Uninstaller: /S silent; /REMOVELIBRARY also
; deletes the reply library and the settings, which are kept otherwise.
Unicode true
; 64-bit stubs: the program is 64-bit, and so is every Windows it runs on.
Target amd64-unicode
SetCompressor /SOLID lzma
; A standard user installs into their own folders, no administrator needed.
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define PRODUCT "Textwright"
!define PUBLISHER "Kolvenmark"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Textwright"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Textwright 2"
!define SETTINGS_KEY "SOFTWARE\Kolvenmark\Textwright 2"
; The program's single-instance mutex, its main window class and the registered message that
; asks it to exit (WM_CLOSE would only hide it to the tray).
!define MUTEX "Textwright2Mutex"
!define MAIN_CLASS "TFormTextwright"
!define EXIT_REQUEST "Textwright2ExitRequest"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; The library lives beside the program, so the program goes where the user can write.
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_COMPONENTSPAGE_TEXT_TOP "Started with Windows, ${PRODUCT} waits in the notification area. \
    A reply library already in the folder is kept as it is."
!define MUI_FINISHPAGE_RUN "$INSTDIR\Textwright.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!define MUI_COMPONENTSPAGE_TEXT_TOP "${PRODUCT} will be removed. Your reply library and settings \
    are kept unless you tick the box."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!include "${__FILEDIR__}/close_running.nsh"
!insertmacro CLOSE_RUNNING_PROGRAM ""
!insertmacro CLOSE_RUNNING_PROGRAM "un."

Section "-Program"
    Call CloseRunningProgram
    SetOutPath "$INSTDIR"
    File "${STAGE}/Textwright.exe"
    File "${STAGE}/KeybDll.dll"
    File "${STAGE}/twlib.exe"
    File "${STAGE}/README.txt"
    !if /FileExists "${STAGE}/Textwright.chm"
        File "${STAGE}/Textwright.chm"
    !endif
    !if /FileExists "${STAGE}/TextwrightTutors.chm"
        File "${STAGE}/TextwrightTutors.chm"
    !endif
    Call InstallSampleLibrary

    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Textwright.exe" "" \
        "$INSTDIR\Textwright.exe" 0
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Textwright.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Start ${PRODUCT} with Windows" SecAutorun
    ; The value the options dialog writes: the quoted path, so that a path with spaces starts
    ; this program and nothing else.
    WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\Textwright.exe" -hidden'
SectionEnd

Section "-Autorun off"
    ${IfNot} ${SectionIsSelected} ${SecAutorun}
        DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
SectionEnd

; The sample library is laid down only where no library is: an existing one, even a folder
; holding a single file, is the user's and stays exactly as it is.
Function InstallSampleLibrary
    ${DirState} "$INSTDIR\Replies" $0
    ${If} $0 = 1
        DetailPrint "Your reply library in $INSTDIR\Replies is kept as it is."
        Return
    ${EndIf}
    SetOutPath "$INSTDIR\Replies"
    SetOverwrite off
    File /r "${STAGE}/Replies/*"
    SetOverwrite on
    SetOutPath "$INSTDIR"
FunctionEnd

Function .onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AUTORUN=" $1
    ${IfNot} ${Errors}
        StrCpy $2 $1
    ${Else}
        ; No choice given: keep the one made before (the options dialog or an earlier setup).
        ClearErrors
        ReadRegStr $2 HKCU "${RUN_KEY}" "${RUN_VALUE}"
        ${If} ${Errors}
            StrCpy $2 0
        ${Else}
            StrCpy $2 1
        ${EndIf}
    ${EndIf}
    ${If} $2 == 1
        !insertmacro SelectSection ${SecAutorun}
    ${EndIf}
FunctionEnd

Section "-un.Program"
    Call un.CloseRunningProgram
    Delete "$INSTDIR\Textwright.exe"
    Delete "$INSTDIR\KeybDll.dll"
    Delete "$INSTDIR\twlib.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\Textwright.chm"
    Delete "$INSTDIR\TextwrightTutors.chm"
    Delete "$INSTDIR\uninstall.exe"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; What the program keeps beside its settings is only ever rebuilt from the library.
    Delete "$LOCALAPPDATA\${PRODUCT}\startup-*.idx"
    RMDir "$LOCALAPPDATA\${PRODUCT}"
SectionEnd

Section /o "un.Delete my reply library and settings" SecRemoveLibrary
    RMDir /r "$INSTDIR\Replies"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "SOFTWARE\Kolvenmark"
SectionEnd

Section "-un.Library kept"
    ${If} ${FileExists} "$INSTDIR\Replies\*.*"
        DetailPrint "Your reply library is kept in $INSTDIR\Replies."
        MessageBox MB_OK|MB_ICONINFORMATION \
            "${PRODUCT} is removed. Your reply library is kept in:$\r$\n$INSTDIR\Replies$\r$\n$\r$\nInstalling ${PRODUCT} into the same folder again uses it." \
            /SD IDOK
    ${EndIf}
    RMDir "$INSTDIR"
SectionEnd

Function un.onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVELIBRARY" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecRemoveLibrary}
    ${EndIf}
FunctionEnd
