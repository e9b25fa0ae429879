#!/usr/bin/env bash
# A placeholder inserted from the editor toolbar's menu: the insertions dialog waits hidden after
# start-up; a reply chosen in the tree, the menu dropped down by a click on its button, "%Date"
# picked with the keyboard, Ctrl+S; the reply file on disk then holds the placeholder.
# Usage: app_insertions.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"

APP="$WORK/app"
LIB="$APP/Replies"
mkdir -p "$LIB"
cp "$BIN/Textwright.exe" "$APP/"
printf 'REPLY_1?Greeting\r\n' >"$LIB/index.sub"
printf '\r\n\r\n{\\rtf1\\ansi Hello}\r\n' >"$LIB/1.rep"
wine reg add "$SETTINGS" /v ShowTips /t REG_DWORD /d 0 /f >/dev/null 2>&1

wine "$APP/Textwright.exe" >/dev/null 2>&1 &
PIDS+=($!)
eventually state_matches '^visible=1 tree=1 ' || fail "main window not visible: $(probe state)"
WINDOW=$(xdotool search --name '^Textwright$' | head -1)
[ -n "$WINDOW" ] || fail "no X window for the main window"
xdotool windowactivate --sync "$WINDOW"
sleep 0.5

[ "$(probe exists 'Textwright - Do Macro Insertions and Replacements ')" = 1 ] ||
    fail "no insertions dialog after start-up"
[ "$(probe count 'Textwright - Do Macro Insertions and Replacements ')" = 0 ] ||
    fail "the insertions dialog is shown at start-up"
pass "the insertions dialog exists after start-up and stays hidden"

# The tree has the focus: the first key press selects the reply.
xdotool key --delay 60 Home
sleep 0.5
read -r LEFT TOP RIGHT BOTTOM <<<"$(probe editor-toolbar)"
[ "$RIGHT" -gt "$LEFT" ] || fail "no editor toolbar: $LEFT $TOP $RIGHT $BOTTOM"
read -r X Y <<<"$(WINEDEBUG=-all wine "$BIN/format_probe.exe" button insertions 2>/dev/null | tr -d '\r')"
[ "$X" -gt "$LEFT" ] && [ "$X" -lt "$RIGHT" ] || fail "the insertions button is not on the toolbar: $X"
opened=0
for attempt in 1 2 3; do
    xdotool mousemove "$X" "$Y" click 1
    if eventually menu_shown; then opened=1; break; fi
done
[ "$opened" = 1 ] || fail "the insertions menu did not drop down"
pass "a click on the toolbar button drops the insertions menu down"

probe menu-key down >/dev/null
sleep 0.3
probe menu-key return >/dev/null
sleep 0.5
xdotool key --delay 60 ctrl+s
eventually file_has "$LIB/1.rep" '%Date' || fail "no %Date in the reply file: $(cat -A "$LIB/1.rep")"
file_has "$LIB/1.rep" 'Hello' || fail "the reply's text was lost: $(cat -A "$LIB/1.rep")"
pass "%Date picked from the menu is saved into the reply file by Ctrl+S"

probe exit >/dev/null
