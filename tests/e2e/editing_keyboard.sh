#!/usr/bin/env bash
# A new user builds a small library with the keyboard alone: Ctrl+N, a name, Enter, Tab to the
# Macro field, a macro, Enter, Tab to the editor, some text, Ctrl+S; then a folder with
# Ctrl+Shift+N. The files on disk are checked byte for byte, and a restart shows it all again.
# Usage: editing_keyboard.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
# The file's bytes, CR and LF shown as \r and \n.
bytes_of() { [ -f "$1" ] && od -An -c "$1" | tr -s ' ' | tr -d '\n' | sed 's/^ //'; }
file_is() { [ "$(bytes_of "$1")" = "$(printf '%b' "$2" | od -An -c | tr -s ' ' | tr -d '\n' | sed 's/^ //')" ]; }
file_starts() { [ -f "$1" ] && head -c "${#2}" "$1" | cmp -s - <(printf '%s' "$2"); }

APP="$WORK/app"
mkdir -p "$APP/Replies"
cp "$BIN/Textwright.exe" "$APP/"
: >"$APP/Replies/index.sub"
LIB="$APP/Replies"
wine reg add "$SETTINGS" /v ShowTips /t REG_DWORD /d 0 /f >/dev/null 2>&1

start() { start_main "$APP"; }
type_text() { xdotool type --delay 60 "$1"; sleep 0.3; }

echo "a reply by keyboard"
start
keys ctrl+n
eventually file_is "$LIB/1.rep" '\r\n\r\n' || fail "Ctrl+N wrote no empty 1.rep"
eventually file_is "$LIB/index.sub" 'REPLY_1?New Reply\r\n' || fail "index after Ctrl+N: $(bytes_of "$LIB/index.sub")"
pass "Ctrl+N adds 1.rep and its index line"
type_text "Greeting"
keys Return
eventually file_is "$LIB/index.sub" 'REPLY_1?Greeting\r\n' || fail "name not written: $(bytes_of "$LIB/index.sub")"
pass "typed name and Enter rename it in the index"

# From the tree: the macro list, the hot-key list, Name, Macro.
keys Tab Tab Tab Tab
type_text "gr eet"
keys Return
eventually file_starts "$LIB/1.rep" $'greet\r\n\r\n' || fail "macro not written: $(bytes_of "$LIB/1.rep")"
pass "Tab to the Macro field, macro typed (the space swallowed), Enter writes line 1"

# Space checks Hot Key without writing anything; choosing a key in the drop-down writes it.
keys Tab space
sleep 0.5
file_starts "$LIB/1.rep" $'greet\r\n\r\n' || fail "checking Hot Key by keyboard wrote the file"
keys Tab Tab
type_text "g"
keys Return
eventually file_starts "$LIB/1.rep" $'greet\r\n0G\r\n' || fail "hot key not written: $(bytes_of "$LIB/1.rep")"
pass "Space on Hot Key, Tab to the key drop-down, G: line 2 is 0G"

keys Tab
type_text "Hello from the keyboard"
keys ctrl+s
eventually file_has "$LIB/1.rep" "Hello from the keyboard" || fail "Ctrl+S did not write the text: $(bytes_of "$LIB/1.rep")"
file_starts "$LIB/1.rep" $'greet\r\n0G\r\n{\\rtf' || fail "reply file does not start with macro, hot key, RTF"
[ "$(tail -c 2 "$LIB/1.rep" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "reply file does not end in CR LF"
if tr -d '\r' <"$LIB/1.rep" | cmp -s - "$LIB/1.rep"; then fail "reply file has no CR"; fi
pass "Tab to the editor, text typed, Ctrl+S writes the RTF body"

echo "a folder by keyboard"
keys ctrl+shift+n
eventually file_is "$LIB/1/index.sub" 'REPLY_1?New Reply\r\n' || fail "Ctrl+Shift+N made no folder"
type_text "Prices"
keys Return
eventually file_is "$LIB/index.sub" 'REPLY_1?Greeting\r\nFOLDER_1?Prices Folder\r\n' ||
    fail "folder not named after its reply: $(bytes_of "$LIB/index.sub")"
file_is "$LIB/1/index.sub" 'REPLY_1?Prices\r\n' || fail "first reply not named"
file_is "$LIB/1/1.rep" '\r\n\r\n' || fail "the new folder's reply is not empty"
pass "Ctrl+Shift+N, a name and Enter name the reply and its folder"

echo "delete by keyboard"
# Beside the selected reply Prices: a folder inside Prices Folder.
keys ctrl+shift+n
eventually file_is "$LIB/1/1/index.sub" 'REPLY_1?New Reply\r\n' ||
    fail "second folder not made: $(ls -R "$LIB" | tr '\n' ' ')"
keys Escape
sleep 0.5
keys shift+Delete
eventually count_is Confirm 1 || fail "Shift+Del asked nothing"
probe dialog Confirm | grep -Fq 'Do you really want to delete "New Reply" reply?' ||
    fail "confirmation says: $(probe dialog Confirm)"
keys Return
eventually test ! -e "$LIB/1/1" || fail "the emptied folder's directory is still there"
file_is "$LIB/1/index.sub" 'REPLY_1?Prices\r\n' || fail "folder index after delete: $(bytes_of "$LIB/1/index.sub")"
file_is "$LIB/index.sub" 'REPLY_1?Greeting\r\nFOLDER_1?Prices Folder\r\n' ||
    fail "index after delete: $(bytes_of "$LIB/index.sub")"
pass "Shift+Del and Yes delete the only reply and its folder, lines and directory"

probe exit >/dev/null
expect_end "$MAIN" "Exit did not end the program"
wait "$MAIN" 2>/dev/null || true

echo "restart"
start
eventually state_matches '^visible=1 ' || fail "not shown after restart: $(probe state)"
[ "$(probe state-all-open)" = 'visible=1 tree=3 macros=1 hotkeys=1' ] ||
    fail "after restart: $(probe state-all-open)"
pass "the restarted program shows the library as it was left"
probe exit >/dev/null
expect_end "$MAIN" "Exit did not end the program"
wait "$MAIN" 2>/dev/null || true
echo "editing_keyboard: all passed"
