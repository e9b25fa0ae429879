#!/usr/bin/env bash
# Typed macros and hot keys, recognised by the real program started hidden, reach Wine's Notepad
# in front: the macro and its Space are replaced by the expanded reply; words that were
# interrupted do not expand; a held hot key pastes once, after its letter comes up; with the
# program itself in front nothing is recognised. The library is unchanged afterwards.
# Usage: delivery_notepad.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
PROGRAM_EXE=TextwrightTraced.exe
source "$(dirname "$0")/lib/common.sh" "$1"
source "$(dirname "$0")/lib/delivery.sh"

# The latency trace of the measuring build, as the benchmark switches it on.
export TW_DELIVERY_TRACE="$(winepath -w "$WORK/trace.txt" 2>/dev/null | tr -d '\r')"
start_program_hidden
unset TW_DELIVERY_TRACE
start_target "Untitled - Notepad" wine notepad

echo "typed macros"
# typed word | what Notepad holds afterwards
while IFS='|' read -r typed expected; do
    type_word "$typed"
    press space
    eventually target_text_is "$expected" || fail "typed [$typed ]"
    pass "[$typed ] became [$expected]"
done <<EOF
dt|Sent on $TODAY
sig(Ann,Lee)|Best regards,\nAnn\nLee
Thx|Thank you very much for your help.
EOF

# dt and Space: the Space's hook message, then one SendInput of 3 Backspaces, sent before the
# reply is made, and the next one of Ctrl+V.
grep -qE '^[0-9]+ key 20$' "$WORK/trace.txt" || fail "no Space in the trace: $(cat "$WORK/trace.txt")"
awk '$2 == "sendinput" { print $3, $4 }' "$WORK/trace.txt" | grep -A1 -x '6 6' | grep -qx '4 4' ||
    fail "no erase, then paste in the trace: $(cat "$WORK/trace.txt")"
pass "the trace has the Space's arrival, the SendInput of its erase, then that of its paste"

echo "words that must not expand"
clear_target
type_keys "thq"
press BackSpace
type_keys "x "
stays "thx " || fail "thq, Backspace, x, Space expanded"
pass "thq, Backspace, x and Space stay as typed"

clear_target
type_keys "th"
eval "$(xdotool getwindowgeometry --shell "$TARGET")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
sleep 0.3
type_keys "x "
stays "thx " || fail "a click between the letters did not prevent the match"
pass "a click between the letters prevents the match"

echo "a hot key held down"
clear_target
xdotool keydown ctrl+alt+k
stays "" || fail "the hot key pasted while its letter was still held"
xdotool keyup k
eventually target_text_is "Held and released" || fail "releasing the letter did not paste"
xdotool keyup ctrl+alt
stays "Held and released" || fail "the hot key pasted more than once"
pass "nothing while held, one paste once the letter is up"

echo "the program itself in front"
show_program
probe clipboard-set "untouched" >/dev/null
type_keys "dt "
xdotool keydown ctrl+alt+k
sleep 0.4
xdotool keyup k
sleep 0.2
xdotool keyup ctrl+alt
sleep 1
clipboard_is untouched || fail "something was delivered: clipboard [$(probe clipboard-text)]"
target_text_is "Held and released" || fail "the keys reached Notepad instead of the program"
pass "neither a typed macro nor a hot key is recognised"
probe close >/dev/null
activate_target

library_unchanged || fail "the library changed: $(diff -r "$WORK/library-before" "$LIB")"
pass "every reply file is as it was"
probe exit >/dev/null
expect_end "$PROGRAM" "the program did not end"
echo "delivery_notepad: all passed"
