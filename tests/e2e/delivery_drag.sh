#!/usr/bin/env bash
# A reply dragged out of the tree with the real mouse: released over Wine's Notepad it is pasted
# there expanded; a folder dragged out pastes nothing; a reply dropped on another tree node moves
# there and pastes nothing; Esc over Notepad during a drag pastes there too; a reply with fields
# asks for their values in a dialog at the drop point first, and its Cancel delivers nothing.
# Usage: delivery_drag.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
source "$(dirname "$0")/lib/delivery.sh"

start_program_hidden
start_target "Untitled - Notepad" wine notepad
show_program
# The main window at the top and Notepad below it, both on the screen whatever size the window
# was left at, so that a drag leaves the window on its way there.
xdotool windowsize --sync "$MAIN" 760 560 2>/dev/null || true
xdotool windowmove --sync "$MAIN" 0 0 2>/dev/null || true
read -r _ main_h _ main_top _ <<<"$(probe geometry)"
xdotool windowmove --sync "$TARGET" 100 $((main_top + main_h + 40)) 2>/dev/null || true
xdotool windowsize --sync "$TARGET" 1000 180 2>/dev/null || true
eval "$(xdotool getwindowgeometry --shell "$TARGET")"
DROP_X=$((X + WIDTH / 2))
DROP_Y=$((Y + HEIGHT / 2))
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
[ "$DROP_X" -lt "$screen_w" ] && [ "$DROP_Y" -lt "$screen_h" ] ||
    fail "Notepad's centre $DROP_X,$DROP_Y is off the ${screen_w}x$screen_h screen"
[ "$(probe text "$TARGET_CAPTION")" != absent ] || fail "Notepad's text cannot be read"
clear_target

# The centre of the selected tree item, as "X Y".
selected_item() {
    local l t r b
    read -r l t r b <<<"$(probe tree-selected)"
    [ -n "$b" ] || fail "no selected tree item"
    echo "$(((l + r) / 2)) $(((t + b) / 2))"
}
# The pointer is at X Y, moved there again if the program pulled it away meanwhile.
pointer_at() {
    xdotool mousemove "$1" "$2"
    sleep 0.3
    [ "$(xdotool getmouselocation | sed 's/ screen.*//')" = "x:$1 y:$2" ]
}
# drag FROM_X FROM_Y TO_X TO_Y [esc]: presses on the first point, moves there in steps and
# releases the button, or presses Esc first.
drag() {
    local i x y
    pointer_at "$1" "$2" || fail "the pointer did not reach the tree"
    xdotool mousedown 1
    sleep 0.2
    for i in $(seq 1 16); do
        x=$(($1 + ($3 - $1) * i / 16))
        y=$(($2 + ($4 - $2) * i / 16))
        xdotool mousemove "$x" "$y"
        sleep 0.05
    done
    # Settled at the end point, whatever the program did with the pointer on the way.
    eventually pointer_at "$3" "$4" || fail "the pointer did not reach $3,$4"
    if [ "${5:-}" = esc ]; then
        xdotool key Escape
        sleep 0.3
    fi
    xdotool mouseup 1
}
# The program in front with the tree's focus, then the keys that select a node.
select_node() {
    program_to_front
    local key
    for key in "$@"; do press "$key"; done
    sleep 0.3
}

echo "a reply dropped on Notepad"
select_node End # the dated reply, the last node
drag $(selected_item) "$DROP_X" "$DROP_Y"
eventually target_text_is "Sent on $TODAY" || fail "Notepad holds [$(target_text)]"
pass "the expanded reply is pasted where it was dropped"
library_unchanged || fail "the library changed: $(diff -r "$WORK/library-before" "$LIB")"
pass "the reply file still holds its placeholder"

echo "a folder dragged out"
clear_target
probe clipboard-set "before" >/dev/null
select_node Home # Greetings
drag $(selected_item) "$DROP_X" "$DROP_Y"
stays "" || fail "Notepad holds [$(target_text)]"
clipboard_is before || fail "the clipboard holds [$(probe clipboard-text)]"
# A drop that delivers clicks into Notepad, which then comes to the front.
[ "$(probe foreground)" = Textwright ] || fail "$(probe foreground) is in front"
pass "nothing is clicked, copied or pasted"

echo "a reply dropped on another node"
select_node End Up Up Up Up # Signature
signature=$(selected_item)
select_node End
drag $(selected_item) $signature
moved() { [ "$(grep -n 'Dated reply\|Signature' "$LIB/index.sub" | cut -d: -f2 | tr -d '\r' | tr '\n' ' ')" = "REPLY_5?Dated reply REPLY_1?Signature " ]; }
eventually moved || fail "the index holds $(tr -d '\r' <"$LIB/index.sub" | tr '\n' ' ')"
pass "the reply moves before the node it was dropped on"
stays "" || fail "Notepad holds [$(target_text)]"
clipboard_is before || fail "the clipboard holds [$(probe clipboard-text)]"
# A drop that delivers clicks into Notepad, which then comes to the front.
[ "$(probe foreground)" = Textwright ] || fail "$(probe foreground) is in front"
pass "nothing is clicked, copied or pasted"

echo "Esc over Notepad"
select_node # the moved reply is still selected
drag $(selected_item) "$DROP_X" "$DROP_Y" esc
eventually target_text_is "Sent on $TODAY" || fail "Notepad holds [$(target_text)]"
pass "the drag ended by Esc pastes there too"

echo "a reply with fields"
clear_target
DIALOG="Textwright - Do Macro Insertions and Replacements "
dialog_open() { [ "$(probe count "$DIALOG")" = 1 ]; }
dialog_closed() { [ "$(probe count "$DIALOG")" = 0 ]; }
select_node End Up Up Up # Signature, sig(Name,Company), now after the dated reply
drag $(selected_item) "$DROP_X" "$DROP_Y"
eventually dialog_open || fail "the insertions dialog did not open"
dialog=$(xdotool search --name "^$DIALOG\$" | head -1)
eval "$(xdotool getwindowgeometry --shell "$dialog")"
centre_x=$((X + WIDTH / 2)) centre_y=$((Y + HEIGHT / 2))
[ $((centre_x - DROP_X)) -le 40 ] && [ $((DROP_X - centre_x)) -le 40 ] &&
    [ $((centre_y - DROP_Y)) -le 40 ] && [ $((DROP_Y - centre_y)) -le 40 ] ||
    fail "the dialog's centre $centre_x,$centre_y is far from the drop point $DROP_X,$DROP_Y"
pass "the dialog opens centred on the drop point"
dialog_in_front() { [ "$(probe foreground)" = "$DIALOG" ]; }
eventually dialog_in_front || fail "the dialog is not in front: $(probe foreground)"
sleep 0.3
type_keys "Ann"
press Tab
type_keys "Lee"
press Return
# The paste that follows needs Notepad in front again, which Wine's window manager may refuse
# while it hands the focus back from the closed dialog: the copy is what is checked here.
eventually clipboard_starts 'Best regards,\nAnn\nLee' || fail "the clipboard holds [$(probe clipboard-text)]"
pass "the answers fill the fields of the copied reply"

clear_target
probe clipboard-set "before" >/dev/null
select_node
drag $(selected_item) "$DROP_X" "$DROP_Y"
eventually dialog_open || fail "the insertions dialog did not open again"
sleep 0.5
press Escape
eventually dialog_closed || fail "Esc did not close the dialog"
stays "" || fail "after Cancel Notepad holds [$(target_text)]"
clipboard_is before || fail "the clipboard holds [$(probe clipboard-text)]"
pass "a cancelled dialog copies and pastes nothing"

probe exit >/dev/null
expect_end "$PROGRAM" "the program did not end"
echo "delivery_drag: all passed"
