#!/usr/bin/env bash
# The real program under Wine in the virtual display: first start, single instance, hiding to
# the tray and coming back, Exit, the hidden start and a missing library.
# Usage: app_startup.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
state_is() { [ "$(probe state)" = "$1" ]; }
dialog_shown() { [ "$(probe count "$1")" -ge 1 ]; }

# A copy of the program folder of its own, with or without the sample library.
program_folder() {
    local dir="$WORK/$1"
    mkdir -p "$dir"
    cp "$BIN/Textwright.exe" "$dir/"
    if [ "$2" = with-library ]; then cp -r "$BIN/Replies" "$dir/"; fi
    echo "$dir"
}
start() {
    local dir=$1
    shift
    wine "$dir/Textwright.exe" "$@" >/dev/null 2>&1 &
    PIDS+=($!)
    STARTED=$!
}
stop_with_exit() {
    probe exit >/dev/null
    expect_end "$1" "Exit did not end the program"
    wait "$1" 2>/dev/null || true
}
expect_dword() {
    wine reg query "$SETTINGS" /v "$1" 2>/dev/null | tr -d '\r' |
        grep -Eq "^ *$1 +REG_DWORD +0x0*$2\$" || fail "setting $1 is not REG_DWORD $2"
}

echo "first start with the sample library"
wine reg delete "$SETTINGS" /f >/dev/null 2>&1 || true
APP=$(program_folder app with-library)
start "$APP"
MAIN=$STARTED
eventually dialog_shown "Tip of the Day" || fail "no tip of the day with ShowTips at 1"
pass "tip of the day shown"
probe dismiss "Tip of the Day" >/dev/null
eventually state_matches '^visible=1 ' || fail "main window not visible: $(probe state)"
for v in "ShowTips 1" "ShowMacroIns 1" "AlwaysOnTop 0" "EditMode 1"; do expect_dword $v; done
pass "settings key holds the four defaults as REG_DWORD"

# The library in the window matches what twlib reads from the same folder.
LISTING=$(wine "$BIN/twlib.exe" list "$(winepath -w "$APP/Replies" 2>/dev/null)" 2>/dev/null | tr -d '\r')
NODES=$(echo "$LISTING" | sed '/^Macros:$/,$d' | grep -c .)
MACROS=$(echo "$LISTING" | sed -n '/^Macros:$/,/^Hot keys:$/p' | grep -c '^  ')
HOTKEYS=$(echo "$LISTING" | sed -n '/^Hot keys:$/,$p' | grep -c '^  ')
[ "$NODES" -gt 0 ] || fail "twlib listed no nodes"
[ "$(probe state-all-open)" = "visible=1 tree=$NODES macros=$MACROS hotkeys=$HOTKEYS" ] ||
    fail "window shows $(probe state-all-open), twlib $NODES nodes $MACROS macros $HOTKEYS hot keys"
pass "tree and lists show the library ($NODES nodes, $MACROS macros, $HOTKEYS hot keys)"

read -r W H L T SW SH SL ST <<<"$(probe geometry)"
[ "$W $H" = "740 497" ] || fail "main window is ${W}x${H}, not 740x497"
DX=$((L - SL - (SW - W) / 2)); DY=$((T - ST - (SH - H) / 2))
[ "${DX#-}" -le 2 ] && [ "${DY#-}" -le 2 ] || fail "main window at $L,$T is not centred in ${SW}x${SH}"
probe panes | grep -q ' macros=119x' || fail "macro list is not 119 wide: $(probe panes)"
pass "main window 740x497, centred, macro list 119 wide"

WINDOW=$(xdotool search --name '^Textwright$' | head -1)
[ -n "$WINDOW" ] || fail "no X window for the main window"
TREE_BEFORE=$(probe panes | sed -E 's/^tree=([0-9]+)x.*/\1/')
xdotool windowsize "$WINDOW" 300 200
sleep 1
read -r W H _ <<<"$(probe geometry)"
[ "$W $H" = "740 450" ] || fail "the window shrank to ${W}x${H}, below 740x450"
xdotool windowsize "$WINDOW" 900 600
sleep 1
TREE_AFTER=$(probe panes | sed -E 's/^tree=([0-9]+)x.*/\1/')
[ "$TREE_AFTER" -gt "$TREE_BEFORE" ] || fail "the tree did not grow with the window"
probe panes | grep -q ' macros=119x' || fail "the macro list changed width: $(probe panes)"
pass "minimum 740x450; a wider window widens the tree, not the lists"

echo "keyboard"
xdotool windowactivate --sync "$WINDOW"
focus_is() { [ "$(probe focus)" = "$1" ]; }
eventually focus_is 300 || fail "the tree does not have the focus: $(probe focus)"
xdotool key Tab
eventually focus_is 301 || fail "Tab did not move to the macro list: $(probe focus)"
xdotool key Tab
eventually focus_is 302 || fail "Tab did not move to the hot-key list: $(probe focus)"
pass "the tree has the focus and Tab walks the lists"

echo "options and about"
probe menu options >/dev/null
eventually dialog_shown "Textwright - Options" || fail "Options did not open the options dialog"
probe dismiss "Textwright - Options" >/dev/null
eventually count_is 'Textwright - Options' 0 || fail "options dialog did not close"
for v in "ShowTips 1" "ShowMacroIns 1" "AlwaysOnTop 0"; do expect_dword $v; done
probe menu about >/dev/null
eventually dialog_shown "Textwright - About" || fail "Help > About did not open the about box"
probe dialog "Textwright - About" | grep -q '^Version ' || fail "the about box shows no version"
probe dismiss "Textwright - About" >/dev/null
eventually count_is 'Textwright - About' 0 || fail "Ok did not close the about box"
pass "Options and About open and close"

echo "second start"
timeout 60 wine "$APP/Textwright.exe" >/dev/null 2>&1 && code=0 || code=$?
[ "$code" -eq 0 ] || fail "second start ended with $code"
[ "$(probe count Textwright)" = 1 ] || fail "a second main window appeared"
running "$MAIN" || fail "the first instance ended"
pass "second start exits with 0 and shows nothing"

echo "close hides to the tray"
probe close >/dev/null
eventually state_matches '^visible=0 ' || fail "close did not hide the window"
sleep 1
running "$MAIN" || fail "closing the window ended the program"
probe tray-click >/dev/null
eventually state_matches '^visible=1 ' || fail "tray click did not show the window"
pass "closed window keeps running and comes back from the tray"

echo "File > Exit by its shortcut Alt+X"
xdotool windowactivate --sync "$WINDOW" key alt+x
expect_end "$MAIN" "Alt+X did not end the program"
wait "$MAIN" 2>/dev/null || true
pass "Alt+X ends the program"

echo "hidden start"
wine reg add "$SETTINGS" /v ShowTips /t REG_DWORD /d 0 /f >/dev/null 2>&1
start "$APP" -hidden
HIDDEN=$STARTED
eventually state_matches '^visible=0 ' || fail "no hidden main window: $(probe state)"
sleep 1
state_matches '^visible=0 ' || fail "the window showed itself after a hidden start"
[ "$(probe count 'Tip of the Day')" = 0 ] || fail "tip shown with ShowTips at 0"
pass "-hidden starts in the tray"
choose_in_tray_menu() { # the first item with Down, the last with Up
    probe tray-menu >/dev/null
    eventually menu_shown || fail "the tray menu did not open"
    probe menu-key "$1" >/dev/null
    probe menu-key return >/dev/null
}
choose_in_tray_menu down
eventually state_matches '^visible=1 ' || fail "Show in the tray menu did not show the window"
pass "tray menu Show brings the window back"
probe close >/dev/null
eventually state_matches '^visible=0 ' || fail "close did not hide the window"
choose_in_tray_menu up
expect_end "$HIDDEN" "Exit in the tray menu did not end the program"
wait "$HIDDEN" 2>/dev/null || true
pass "tray menu Exit ends the program"

echo "missing library"
NOLIB=$(program_folder nolib without-library)
start "$NOLIB"
NOLIB_PID=$STARTED
eventually dialog_shown Error || fail "no error box without the library"
TEXT=$(probe dialog Error)
echo "$TEXT" | grep -Fq "Replies\\index.sub\" can't be opened." || fail "error box says: $TEXT"
sleep 1
[ "$(probe count Error)" = 1 ] || fail "more than one error box"
probe dismiss Error >/dev/null
eventually state_matches '^visible=1 tree=0 ' || fail "expected an empty tree: $(probe state)"
pass "one error box naming the root index, then an empty tree"
stop_with_exit "$NOLIB_PID"

echo "app_startup: all passed"
