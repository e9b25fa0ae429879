#!/usr/bin/env bash
# File names and paths the ANSI code page cannot hold, and a damaged library:
#   the program in a folder named with Polish and Chinese letters starts, shows its library and
#   expands a typed macro in Notepad (its hook library is found there too);
#   started again, with the startup index the first start left, it shows the same tree, and a
#   reply whose macro changed on disk meanwhile (same size) expands under its new macro;
#   deleting a folder that holds a sub-folder named with two fullwidth full stops deletes that
#   folder and nothing beside it;
#   thirty malformed reply files give one message at start, and the rest of the library shows.
# Usage: library_files.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
# Wine creates names outside ASCII only under a UTF-8 locale.
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then export LC_ALL=C.UTF-8; fi
source "$(dirname "$0")/lib/common.sh" "$1"
source "$(dirname "$0")/lib/delivery.sh"

boxes_shown() { [ "$(probe count "$1")" -ge 1 ]; }
stop_program() {
    probe exit >/dev/null
    expect_end "$1" "Exit did not end the program"
    wait "$1" 2>/dev/null || true
}

echo "a program folder named outside the code page"
UNICODE_APP="$WORK/Łukasz 中文"
mv "$APP" "$UNICODE_APP"
APP=$UNICODE_APP
start_program_hidden
pass "started from \"Łukasz 中文\" and shows its library: $(probe state)"
start_target "Untitled - Notepad" wine notepad
type_word "Thx"
press space
eventually target_text_is "Thank you very much for your help." || fail "typed [Thx ]"
pass "[Thx ] expanded in Notepad"
COLD=$(probe state-all-open)
kill "$TARGET_PID" 2>/dev/null || true
stop_program "$PROGRAM"

echo "a warm start from the startup index"
ls "$WINEPREFIX"/drive_c/users/*/AppData/Local/Textwright/startup-*.idx >/dev/null 2>&1 ||
    fail "the first start left no startup index"
# Same size: only the last-write time tells the index that the file changed.
sed -i '1s/^thx/tyx/' "$APP/Replies/1/2.rep"
start_program_hidden
[ "$(probe state-all-open)" = "$COLD" ] || fail "warm: $(probe state-all-open), cold: $COLD"
start_target "Untitled - Notepad" wine notepad
type_word "tyx"
press space
eventually target_text_is "Thank you very much for your help." || fail "typed [tyx ]"
pass "the same tree as the cold start ($COLD); the changed reply expands as [tyx ]"
kill "$TARGET_PID" 2>/dev/null || true
stop_program "$PROGRAM"

echo "a sub-folder named with two fullwidth full stops"
A="$WORK/dots"
mkdir -p "$A/Replies/1/．．"
cp "$BIN/Textwright.exe" "$A/"
printf 'FOLDER_1?Doomed\r\nREPLY_1?Kept\r\n' >"$A/Replies/index.sub"
printf 'kept\r\n\r\n{\\rtf1 kept}\r\n' >"$A/Replies/1.rep"
printf 'REPLY_1?Inside\r\n' >"$A/Replies/1/index.sub"
printf '\r\n\r\n' >"$A/Replies/1/1.rep"
printf 'x\r\n\r\n' >"$A/Replies/1/．．/1.rep"
echo outside >"$A/outside.txt"
echo beside >"$WORK/beside.txt"
(cd "$A" && find . -type f ! -path './Replies/1/*' | sort | xargs md5sum) >"$WORK/dots-before"
start_main "$A"
# A click below the two rows gives the tree the keyboard; Home selects the folder.
read -r l t _ _ <<<"$(probe rect tree)"
xdotool mousemove $((l + 40)) $((t + 120)) click 1
sleep 0.5
xdotool key Home
sleep 0.5
xdotool key shift+Delete
eventually boxes_shown Confirm || fail "Shift+Del asked nothing"
probe dialog Confirm | grep -Fq '"Doomed"' || fail "confirmation says: $(probe dialog Confirm)"
xdotool key Return
eventually test ! -e "$A/Replies/1" || fail "the folder is still there: $(find "$A/Replies" | tr '\n' ' ')"
printf 'REPLY_1?Kept\r\n' | cmp -s - "$A/Replies/index.sub" || fail "index after delete: $(od -c "$A/Replies/index.sub")"
(cd "$A" && find . -type f ! -path './Replies/index.sub' | sort | xargs md5sum) |
    diff - <(grep -v './Replies/index.sub' "$WORK/dots-before") >/dev/null ||
    fail "files outside the folder changed: $(cd "$A" && find . -type f | tr '\n' ' ')"
[ "$(cat "$WORK/beside.txt")" = beside ] || fail "a file beside the program folder is gone"
pass "the folder and its fullwidth-dot sub-folder are gone; every other file is as it was"
stop_program "$MAIN"

echo "thirty malformed reply files"
C="$WORK/damaged"
mkdir -p "$C/Replies"
cp "$BIN/Textwright.exe" "$C/"
for i in $(seq 1 30); do
    printf 'REPLY_%d?Bad %d\r\n' "$i" "$i" >>"$C/Replies/index.sub"
    printf 'one line only\r\n' >"$C/Replies/$i.rep"
done
printf 'REPLY_31?Good one\r\nREPLY_32?Good two\r\n' >>"$C/Replies/index.sub"
printf 'g1\r\n\r\n' >"$C/Replies/31.rep"
printf 'g2\r\n\r\n' >"$C/Replies/32.rep"
wine "$C/Textwright.exe" >/dev/null 2>&1 &
PIDS+=($!)
MAIN=$!
eventually boxes_shown Error ||
    fail "no message for the damaged library: $(probe state), windows: $(xdotool search --name . getwindowname %@ 2>/dev/null | sort -u | tr '\n' ' ')"
TEXT=$(probe dialog Error)
echo "$TEXT" | grep -Fq "loaded with 30 problems" || fail "the message says: $TEXT"
echo "$TEXT" | grep -Fq "and 25 more." || fail "the message says: $TEXT"
sleep 1
[ "$(probe count Error)" = 1 ] || fail "more than one message box"
probe dismiss Error >/dev/null
eventually state_matches '^visible=1 tree=2 macros=2 ' || fail "after the message: $(probe state)"
[ "$(probe count Error)" = 0 ] || fail "a second message followed the first"
pass "one message naming five of thirty problems; the two sound replies are shown"
stop_program "$MAIN"
