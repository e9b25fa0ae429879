#!/usr/bin/env bash
# The two window modes and the Help menu in the real program, driven by keyboard and mouse:
# F10 and the arrow keys reach the mode switch; each mode comes back at the size it was left,
# full mode with its splitters where they were; exiting in compact mode starts compact again;
# F1 opens the guide in the help viewer; every Help item does something.
# Usage: window_modes.sh BIN_DIR   (DISPLAY exported by the caller)
set -euo pipefail
E2E_OWN_PREFIX=1 # a browser of our own is registered in it
source "$(dirname "$0")/lib/common.sh" "$1"
e2e_new_prefix

APP="$WORK/app"
mkdir -p "$APP"
cp "$BIN/Textwright.exe" "$BIN/Textwright.chm" "$BIN/TextwrightTutors.chm" "$APP/"
cp -r "$BIN/Replies" "$APP/"
# Web pages reach the shell: a stand-in browser writes each address it is asked to show.
DRIVE_C="$WINEPREFIX/drive_c"
printf '@echo %%~1>>C:\\browsed.txt\r\n' >"$DRIVE_C/browser.cmd"
for scheme in http https; do
    wine reg add "HKCR\\$scheme\\shell\\open\\command" /ve /f \
        /d 'C:\windows\system32\cmd.exe /c C:\browser.cmd "%1"' >/dev/null 2>&1
done
wine reg add "$SETTINGS" /v ShowTips /t REG_DWORD /d 0 /f >/dev/null 2>&1

start() { start_main "$APP"; }
size() { probe geometry | cut -d' ' -f1,2; }
size_is() { [ "$(size)" = "$1" ]; }
panes_are() { [ "$(probe panes)" = "$1" ]; }
compact_shown() { probe panes | grep -q ' macros=0x0 hotkeys=0x0$' && [ "$(probe shown-beside-tree)" = 0 ]; }
main_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$WINDOW" ]; }
main_keys() {
    xdotool windowactivate --sync "$WINDOW" 2>/dev/null || true
    eventually main_active || fail "the main window does not take the focus"
    local k
    for k in "$@"; do keys "$k"; done
}
# The mode switch is the fifth item of the menu bar: File, Edit, Options, Help, then it.
switch_mode() { main_keys F10 Right Right Right Right Return; }
switch_mode_by_alt() { main_keys alt Right Right Right Right Return; } # a tap of Alt, like F10
help_item() { # the n-th item of the Help menu, 1 first, separators skipped
    local downs=() i
    for ((i = 1; i < $1; i++)); do downs+=(Down); done
    main_keys F10 Right Right Right Down "${downs[@]}" Return
}
drag() { # from x,y by dx,dy, in steps like a hand
    xdotool mousemove "$1" "$2" mousedown 1
    local i
    for i in 1 2 3 4 5; do
        xdotool mousemove "$(($1 + $3 * i / 5))" "$(($2 + $4 * i / 5))"
        sleep 0.1
    done
    xdotool mouseup 1
    sleep 0.5
}
window_exists() { xdotool search --name "$1" >/dev/null 2>&1; }
# A help viewer takes the focus a moment after its window appears; wait for it before going on.
viewer_opened() {
    eventually window_exists "$1" || return 1
    sleep 2
}

echo "modes by keyboard"
start
size_is "740 497" || fail "first start is $(size), not 740 497"
# Move both splitters, then widen the window: full mode must come back exactly like this.
read -r TL TT TR TB <<<"$(probe rect tree)"
drag "$((TR + 1))" "$(((TT + TB) / 2))" -60 0
drag "$(((TL + TR) / 2))" "$((TB + 1))" 0 -40
xdotool windowsize "$WINDOW" 900 620
sleep 1
FULL_SIZE=$(size)
FULL_PANES=$(probe panes)
echo "$FULL_PANES" | grep -q ' macros=119x' && fail "the lists splitter did not move: $FULL_PANES"
pass "splitters dragged: $FULL_PANES at $FULL_SIZE"

switch_mode
eventually compact_shown || fail "compact mode still shows the lists: $(probe panes)"
read -r W H <<<"$(size)"
[ "$W" -lt 700 ] && [ "$H" -lt 600 ] || fail "compact window is ${W}x${H}, not the tree's size"
pass "F10, arrows and Enter switch to compact mode: ${W}x${H}"
NODES=$(probe state)
main_keys ctrl+n ctrl+shift+n shift+Delete
sleep 1
[ "$(probe state)" = "$NODES" ] || fail "a tree command worked in compact mode: $(probe state)"
[ "$(probe count Confirm)" = 0 ] || fail "Shift+Del asked to delete in compact mode"
pass "Ctrl+N, Ctrl+Shift+N and Shift+Del do nothing in compact mode"

xdotool windowsize "$WINDOW" 320 420
sleep 1
COMPACT_SIZE=$(size)
switch_mode_by_alt
eventually size_is "$FULL_SIZE" || fail "full mode came back at $(size), not $FULL_SIZE"
eventually panes_are "$FULL_PANES" || fail "full mode panes $(probe panes), not $FULL_PANES"
pass "Alt, arrows and Enter back to full mode: window, editor height and list widths restored"

switch_mode
eventually size_is "$COMPACT_SIZE" || fail "compact mode came back at $(size), not $COMPACT_SIZE"
pass "compact mode keeps its own size"

echo "exit in compact mode and start again"
probe exit >/dev/null
expect_end "$MAIN" "Exit did not end the program"
wait "$MAIN" 2>/dev/null || true
wine reg query "$SETTINGS" /v EditMode 2>/dev/null | tr -d '\r' | grep -Eq 'REG_DWORD +0x0$' ||
    fail "EditMode is not 0 after leaving in compact mode"
start
eventually size_is "$COMPACT_SIZE" || fail "restarted at $(size), not compact $COMPACT_SIZE"
compact_shown || fail "restart is not compact: $(probe panes), $(probe shown-beside-tree) controls shown beside the tree"
pass "the next start opens compact at $COMPACT_SIZE"
switch_mode
eventually size_is "$FULL_SIZE" || fail "full mode after restart is $(size), not $FULL_SIZE"

echo "help"
main_keys F1
viewer_opened '^Textwright Help$' || fail "F1 did not open the guide"
pass "F1 opens Textwright.chm in the help viewer"
help_item 2
eventually count_is 'Tip of the Day' 1 || fail "Tip of the Day did not open"
probe dismiss "Tip of the Day" >/dev/null
eventually count_is 'Tip of the Day' 0 || fail "the tip did not close"
help_item 3
viewer_opened '^Textwright Tutorials$' || fail "Tutorials did not open"
browsed() { [ "$(tr -d '\r' <"$DRIVE_C/browsed.txt" 2>/dev/null | grep -c '^https://')" = "$1" ]; }
for n in 4 5 6; do # one page at a time: each starts a program that may take the focus
    help_item $n
    eventually browsed $((n - 3)) || fail "Help item $n did not reach the browser: $(cat "$DRIVE_C/browsed.txt" 2>/dev/null)"
    sleep 1
done
[ "$(tr -d '\r' <"$DRIVE_C/browsed.txt" | sort -u | wc -l)" = 3 ] || fail "the web pages are not three different addresses"
help_item 7
eventually count_is 'Textwright - About' 1 || fail "About did not open"
probe dismiss "Textwright - About" >/dev/null
pass "Help Topics, Tip of the Day, Tutorials, three web pages and About all answer"
probe exit >/dev/null
expect_end "$MAIN" "Exit did not end the program"
wait "$MAIN" 2>/dev/null || true

echo "window_modes: all passed"
