#!/usr/bin/env bash
# The two delivery commands of the real program: Ctrl+Shift+V pastes the selected reply into the
# window that was in front before (Wine's Notepad), Ctrl+Shift+C leaves the expanded reply on
# the clipboard as rich text, HTML and plain text. The reply file and the selection stay as they
# were; with the previous window closed the paste command is unavailable.
# Usage: delivery_commands.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
source "$(dirname "$0")/lib/delivery.sh"

start_program_hidden
start_target "Untitled - Notepad" wine notepad
clear_target

show_program
# The tree has the focus; its last node is the dated reply.
press End
sleep 0.5

echo "Ctrl+Shift+V"
press ctrl+shift+v
eventually target_text_is "Sent on $TODAY" || fail "Notepad holds [$(target_text)]"
# The window system's own view: the window manager may keep another window raised.
[ "$(probe foreground)" = "$TARGET_CAPTION" ] || fail "Notepad is not in front after the paste: $(probe foreground)"
pass "the expanded reply is pasted into Notepad, which is in front again"

echo "Ctrl+Shift+C"
program_to_front
probe clipboard-set "before" >/dev/null
press ctrl+shift+c
eventually clipboard_is "Sent on $TODAY" || fail "the clipboard holds [$(probe clipboard-text)]"
[ "$(probe clipboard)" = "rtf=1 html=1 text=1" ] || fail "clipboard formats: $(probe clipboard)"
rtf=$(probe clipboard-rtf)
[ "${rtf:0:5}" = '{\rtf' ] && grep -qF "Sent on $TODAY" <<<"$rtf" || fail "the rich text is not the expanded reply: $rtf"
pass "the clipboard has the expanded reply as rich text, HTML and plain text"

# The selection is still the dated reply: a second paste delivers it again.
press ctrl+shift+v
eventually target_text_is "Sent on ${TODAY}Sent on $TODAY" || fail "second paste: Notepad holds [$(target_text)]"
pass "the tree selection is unchanged after both commands"
library_unchanged || fail "the library changed: $(diff -r "$WORK/library-before" "$LIB")"
pass "the reply file still holds its placeholder"

echo "Ctrl+Shift+C on a reply with fields"
DIALOG="Textwright - Do Macro Insertions and Replacements "
program_to_front
for _ in 1 2 3 4; do press Up; done # the sample's Signature, sig(Name,Company)
sleep 0.5
press ctrl+shift+c
dialog_open() { [ "$(probe count "$DIALOG")" = 1 ]; }
eventually dialog_open || fail "the insertions dialog did not open"
sleep 0.5
type_keys "Ann"
press Tab
type_keys "Lee"
press Return
eventually clipboard_starts 'Best regards,\nAnn\nLee' || fail "after the dialog the clipboard holds [$(probe clipboard-text)]"
pass "the dialog's answers fill the fields of the copied reply"
library_unchanged || fail "the library changed: $(diff -r "$WORK/library-before" "$LIB")"

echo "the previous window closed"
program_to_front
[ "$(probe delivery-buttons)" = "copy=1 paste=1" ] || fail "buttons: $(probe delivery-buttons)"
kill "$TARGET_PID"
buttons_are() { [ "$(probe delivery-buttons)" = "$1" ]; }
eventually buttons_are "copy=1 paste=0" || fail "with Notepad gone the buttons are $(probe delivery-buttons)"
program_to_front
probe clipboard-set "before" >/dev/null
press ctrl+shift+v
sleep 1
clipboard_is before || fail "the paste command ran without a previous window"
pass "Ctrl+Shift+V does nothing once the previous window is gone"

probe exit >/dev/null
expect_end "$PROGRAM" "the program did not end"
echo "delivery_commands: all passed"
