#!/usr/bin/env bash
# With "Restore the clipboard after a reply is delivered" on, typed macros reach Wine's Notepad
# and the user's clipboard (a text and a bitmap another program put there) comes back as it
# was: after one delivery, after 30 in a row, and before a Ctrl+V the user presses half a second
# later, which pastes the user's text and never the reply again. What another program copies
# during a delivery is kept.
# Usage: delivery_clipboard.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
source "$(dirname "$0")/lib/delivery.sh"
fail_context() {
    echo "  Notepad holds: [$(target_text 2>/dev/null)]"
    echo "  the clipboard: $(helper check "$OWN" 2>/dev/null)"
}
helper() { WINEDEBUG=-all wine "$BIN/clipboard_helper.exe" "$@" 2>/dev/null | tr -d '\r'; }
# The user's own clipboard: this text and the helper's bitmap.
OWN="my own words"
own_clipboard_back() { [ "$(helper check "$OWN")" = same ]; }
REPLY="Sent on $TODAY"

wine reg add "$SETTINGS" /v RestoreClipboard /t REG_DWORD /d 1 /f >/dev/null 2>&1
start_program_hidden
start_target "Untitled - Notepad" wine notepad
[ "$(helper put "$OWN")" = ok ] || fail "the helper could not fill the clipboard"

echo "one delivery"
# typed word | what Notepad holds afterwards
while IFS='|' read -r typed expected; do
    clear_target
    type_keys "$typed "
    eventually target_text_is "$expected" || fail "typed [$typed ]"
    eventually own_clipboard_back || fail "the clipboard was not restored after [$typed ]"
    pass "[$typed ] became [$expected]; the clipboard holds the same text and bitmap"
done <<EOF
dt|$REPLY
sig(Ann,Lee)|Best regards,\nAnn\nLee
EOF

echo "30 deliveries in a row"
clear_target
expected=""
for i in $(seq 1 30); do
    type_keys "dt "
    expected="$expected$REPLY"
    eventually target_text_is "$expected" || fail "delivery $i of 30"
done
eventually own_clipboard_back || fail "the clipboard was not restored after 30 deliveries"
pass "30 correct replies, then the original clipboard"

echo "Ctrl+V half a second after a delivery"
clear_target
type_keys "dt "
eventually target_text_is "$REPLY" || fail "dt did not become the reply"
sleep 0.5
xdotool key ctrl+v
eventually target_text_is "$REPLY$OWN" || fail "Ctrl+V did not paste the user's own text"
stays "$REPLY$OWN" || fail "something more was pasted"
pass "the user's own text is pasted, the reply only once"

echo "another program copies during a delivery"
clear_target
# Writes its text at once after the program's next write, which is the delivery's.
helper put-on-change "copied meanwhile" 20000 >"$WORK/meanwhile.txt" &
PIDS+=($!)
MEANWHILE=$!
sleep 2
type_keys "dt "
wait "$MEANWHILE" || fail "the other program saw no write: $(cat "$WORK/meanwhile.txt")"
# Past the longest wait for the target, so a restore would have happened by now.
sleep 3
clipboard_is "copied meanwhile" ||
    fail "the other program's copy was not kept: [$(probe clipboard-text)]"
pass "the other program's copy stays on the clipboard"

library_unchanged || fail "the library changed: $(diff -r "$WORK/library-before" "$LIB")"
probe exit >/dev/null
expect_end "$PROGRAM" "the program did not end"
echo "delivery_clipboard: all passed"
