#!/usr/bin/env bash
# Delivery profiles in the real program started hidden. With no profiles set, the default one
# of a terminal pastes with Shift+Insert where Ctrl+V would type a control character. With
# profiles set in the settings, a program that ignores pastes gets the reply typed out (Polish
# text and two lines), and Notepad with recognition off keeps a typed macro as typed.
# Usage: delivery_profiles.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
source "$(dirname "$0")/lib/delivery.sh"

# A reply in Polish on two lines, the second ending in a character outside the basic plane, for
# the window that only takes typed keys.
printf 'REPLY_6?Polish reply\r\n' >>"$LIB/index.sub"
printf 'pl\r\n\r\n{\\rtf1\\ansi Za\\u380?\\u243?\\u322?\\u263? g\\u281?\\u347?l\\u261? ja\\u378?\\u324?\\par Druga linia \\u-10179?\\u-8700?}\r\n' >"$LIB/6.rep"
rm -rf "$WORK/library-before"
cp -r "$LIB" "$WORK/library-before"
cp "$BIN/putty.exe" "$BIN/nopaste.exe" "$WORK/"
PROFILES="$SETTINGS\\Profiles"
wine reg delete "$PROFILES" /f >/dev/null 2>&1 || true

stop_program() {
    probe exit >/dev/null
    expect_end "$PROGRAM" "the program did not end"
}
# Types the macro and its Space into the target and waits for what it becomes.
deliver() {
    type_word "$1"
    press space
    eventually target_text_is "$2" || fail "[$1 ] in $TARGET_CAPTION"
}

echo "the default profile of a terminal"
start_program_hidden
start_target "Test terminal" wine "$WORK/putty.exe"
clear_target
type_keys "x"
press ctrl+v
eventually target_text_is "x^V" || fail "Ctrl+V did not type its control character"
deliver dt "Sent on $TODAY"
stays "Sent on $TODAY" || fail "more arrived after the paste"
pass "a typed macro arrives whole through Shift+Insert, where Ctrl+V types ^V"
stop_program

echo "profiles from the settings"
# name, program, class, title, paste (3 types out), key delay, pause, recognise
wine reg add "$PROFILES" /v Count /t REG_DWORD /d 2 /f >/dev/null 2>&1
wine reg add "$PROFILES" /v 1 /t REG_SZ /d "$(printf 'Deaf\tnopaste.exe\t\t\t3\t0\t0\t1')" /f >/dev/null 2>&1
wine reg add "$PROFILES" /v 2 /t REG_SZ /d "$(printf 'Quiet\tnotepad.exe\t\t\t0\t0\t0\t0')" /f >/dev/null 2>&1
start_program_hidden
start_target "Paste-deaf editor" wine "$WORK/nopaste.exe"
probe clipboard-set "pasted" >/dev/null
clear_target
press ctrl+v
press shift+Insert
stays "" || fail "the editor took a paste"
deliver pl 'Zażółć gęślą jaźń\nDruga linia 😄'
pass "the reply is typed out: Polish letters, a second line and an emoji"

start_target "Untitled - Notepad" wine notepad
type_word dt
press space
stays "dt " || fail "a macro was recognised where its profile turns that off"
pass "Notepad with recognition off keeps the macro as typed"

library_unchanged || fail "the library changed: $(diff -r "$WORK/library-before" "$LIB")"
stop_program
wine reg delete "$PROFILES" /f >/dev/null 2>&1 || true
echo "delivery_profiles: all passed"
