#!/usr/bin/env bash
# Another program writes into the library while Textwright runs (only one Textwright runs per
# user, so a script plays the other program):
#   a reply the other program adds to the index while Textwright adds one is kept, and a
#   restart shows both.
# Usage: library_conflicts.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
has_line() { tr -d '\r' <"$1" | grep -Fxq "$2"; }

APP="$WORK/app"
LIB="$APP/Replies"
mkdir -p "$LIB"
cp "$BIN/Textwright.exe" "$APP/"
printf 'REPLY_1?Note\r\n' >"$LIB/index.sub"
printf 'note\r\n\r\n{\\rtf1 first}\r\n' >"$LIB/1.rep"
wine reg add "$SETTINGS" /v ShowTips /t REG_DWORD /d 0 /f >/dev/null 2>&1

start_main "$APP"
echo "both programs add a reply"
printf '\r\n\r\n{\\rtf1 from the script}\r\n' >"$LIB/9.rep"
printf 'REPLY_9?Script\r\n' >>"$LIB/index.sub"
keys ctrl+n
eventually has_line "$LIB/index.sub" 'REPLY_2?New Reply' || fail "Ctrl+N added no reply: $(cat "$LIB/index.sub")"
has_line "$LIB/index.sub" 'REPLY_9?Script' || fail "the script's reply was dropped: $(cat "$LIB/index.sub")"
probe exit >/dev/null
expect_end "$MAIN" "Exit did not end the program"
wait "$MAIN" 2>/dev/null || true
start_main "$APP"
state_matches ' tree=3 ' || fail "after restart: $(probe state)"
pass "both new replies are listed, and a restart shows all three"

# The reply being edited is changed on disk: the question comes once, whatever the answer, and
# each answer keeps what it says. Keys: from the tree, six Tabs reach the editor.
edit_first_then_theirs() {
    keys Home
    keys Tab Tab Tab Tab Tab Tab
    xdotool type --delay 40 "$1"
    printf 'note\r\n\r\n{\\rtf1 %s}\r\n' "$2" >"$LIB/1.rep"
}
answer() {
    eventually dialog_open || fail "no question after the file changed on disk ($1)"
    [ "$(probe count Confirm)" = 1 ] || fail "more than one question ($1)"
    probe dialog Confirm | grep -q 'changed by another program' || fail "wrong question: $(probe dialog Confirm)"
    probe dismiss Confirm "$1" >/dev/null
    sleep 1.5
    [ "$(probe count Confirm)" = 0 ] || fail "the question came back after $1"
}
dialog_open() { [ "$(probe count Confirm)" -ge 1 ]; }
echo "the reply being edited changes on disk"
edit_first_then_theirs "MINE1" "theirs1"
answer yes
keys ctrl+s
eventually file_has "$LIB/1.rep" "MINE1" || fail "keep mine did not write mine: $(cat "$LIB/1.rep")"
grep -rlq "theirs1" "$LIB" --include='*.rep' || fail "their version was lost"
grep -q "Note (changed elsewhere)" "$LIB/index.sub" || fail "no copy listed: $(cat "$LIB/index.sub")"
pass "Yes keeps mine in the file and theirs as a copy, asked once"
edit_first_then_theirs "MINE2" "theirs2"
answer no
sleep 1
file_has "$LIB/1.rep" "theirs2" || fail "take theirs did not keep theirs: $(cat "$LIB/1.rep")"
pass "No keeps theirs, asked once"
edit_first_then_theirs "MINE3" "theirs3"
answer cancel
file_has "$LIB/1.rep" "theirs3" || fail "cancel wrote over theirs: $(cat "$LIB/1.rep")"
keys ctrl+s
answer yes
eventually file_has "$LIB/1.rep" "MINE3" || fail "the edits kept after cancel were lost: $(cat "$LIB/1.rep")"
pass "Cancel writes nothing and keeps the edits; saving asks again"

# A second copy of the program, as on another computer: its own Wine prefix (so its own
# single-instance lock and registry) on the same library folder. Both add a reply before either
# can have followed the other's change.
echo "two copies of the program on one library"
B_PREFIX="$WORK/prefix-b"
mkdir -p "$B_PREFIX"
e2e_link_copy "$WINEPREFIX/drive_c" "$B_PREFIX/"
cp -a "$WINEPREFIX/dosdevices" "$WINEPREFIX"/*.reg "$B_PREFIX/"
in_b() { WINEPREFIX="$B_PREFIX" "$@"; }
stop_b() { in_b wineserver -k 2>/dev/null || true; }
trap 'stop_b; e2e_cleanup' EXIT
in_b wine reg add "$SETTINGS" /v ShowTips /t REG_DWORD /d 0 /f >/dev/null 2>&1
in_b wine "$APP/Textwright.exe" >/dev/null 2>&1 &
PIDS+=($!)
B_MAIN=$!
eventually in_b state_matches '^visible=1 ' || fail "the second copy shows no window: $(in_b probe state)"
B_WINDOW=$(xdotool search --name '^Textwright$' | grep -vx "$WINDOW" | head -1)
[ -n "$B_WINDOW" ] || fail "no X window for the second copy"
listed() { tr -d '\r' <"$LIB/index.sub" | grep -c '^REPLY_'; }
before=$(listed)
xdotool windowactivate --sync "$WINDOW"
xdotool key ctrl+n
xdotool windowactivate --sync "$B_WINDOW"
xdotool key ctrl+n
sleep 0.5
xdotool key Return # the new name's edit holds a reload back until it ends
TRIES=20 eventually test "$(listed)" = $((before + 2)) ||
    fail "$before replies and two added, the index lists $(listed): $(cat "$LIB/index.sub")"
for id in $(tr -d '\r' <"$LIB/index.sub" | sed -n 's/^REPLY_\([0-9]*\)?.*/\1/p'); do
    [ -f "$LIB/$id.rep" ] || fail "the index lists reply $id without its file"
done
[ "$(ls "$LIB"/*.rep | wc -l)" = $((before + 2)) ] || fail "a reply file is not listed: $(ls "$LIB")"
both_show() { state_matches " tree=$((before + 2)) " && in_b state_matches " tree=$((before + 2)) "; }
eventually both_show || fail "the copies show $(probe state) and $(in_b probe state)"
pass "both added replies are kept, and each copy shows both"
in_b probe exit >/dev/null
probe exit >/dev/null
expect_end "$MAIN" "Exit did not end the program"
expect_end "$B_MAIN" "Exit did not end the second copy"
wait "$MAIN" "$B_MAIN" 2>/dev/null || true
echo "library_conflicts: all passed"
