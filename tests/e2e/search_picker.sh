#!/usr/bin/env bash
# The search picker of the real program, started hidden in the tray, with Wine's Notepad in
# front: its hot key opens it, keys typed with no wait after the hot key land in its search box,
# Enter pastes the reply found by a word of its text, Ctrl+Enter only copies, Esc pastes nothing
# and gives Notepad the focus back, an exact macro ranks first, and the reply delivered last by
# any path comes first on an empty search and is remembered in the settings.
# Usage: search_picker.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
source "$(dirname "$0")/lib/delivery.sh"

PICKER="Textwright - Find a reply"
wine reg delete "$SETTINGS" /v RecentReplies /f >/dev/null 2>&1 || true
wine reg delete "$SETTINGS" /v PickerHotKey /f >/dev/null 2>&1 || true

# More replies than the list shows at once: those beyond come a moment after it opens.
for n in $(seq 101 130); do
    printf 'REPLY_%d?Filler %d\r\n' "$n" "$n" >>"$LIB/index.sub"
    printf '\r\n\r\n{\\rtf1 filler}\r\n' >"$LIB/$n.rep"
done
rm -rf "$WORK/library-before" && cp -r "$LIB" "$WORK/library-before"
REPLIES=$(find "$LIB" -name '*.rep' | wc -l)

start_program_hidden
start_target "Untitled - Notepad" wine notepad

picker_shown() { [ "$(probe foreground)" = "$PICKER" ]; }
picker_gone() { [ "$(probe count "$PICKER")" = 0 ]; }
notepad_in_front() { [ "$(probe foreground)" = "$TARGET_CAPTION" ]; }
query_is() { [ "$(probe text "$PICKER")" = "$1" ]; }
first_row_is() { [ "$(probe rows "$PICKER" | head -1)" = "$1" ]; }
# The hot key and the words after it in one go, as fast as the display takes them.
hot_key_then() { xdotool key ctrl+alt+space type --delay 0 "$1"; }
# Opens the picker and types `query`, then waits until the search box holds all of it.
search() {
    activate_target
    hot_key_then "$1"
    eventually picker_shown || fail "the hot key did not open the picker: $(probe foreground)"
    eventually query_is "$1" || fail "typed [$1] right after the hot key; the box holds [$(probe text "$PICKER")]"
}
fail_context() {
    echo "  Notepad holds: [$(target_text 2>/dev/null)]; in front: [$(probe foreground)]"
    echo "  rows: $(probe rows "$PICKER" 2>/dev/null | head -5 | tr '\n' ';')"
}

echo "a word of a reply's text, typed straight after the hot key, and Enter"
probe set-text "$TARGET_CAPTION" "Note: " >/dev/null
activate_target
keys ctrl+End
search much
pass "the keys typed with no wait after the hot key are in the search box, in order"
state_matches '^visible=0 ' || fail "the main window came out of the tray: $(probe state)"
pass "it opened with the main window hidden in the tray"
keys Return
eventually target_text_is "Note: Thank you very much for your help." || fail "Enter did not paste the reply"
eventually picker_gone || fail "the picker stayed open"
pass "Notepad holds its text and the reply"

echo "Ctrl+Enter copies only"
probe clipboard-set "before" >/dev/null
clear_target
search "much help"
keys ctrl+Return
eventually clipboard_starts "Thank you very much for your help." || fail "Ctrl+Enter did not copy: [$(probe clipboard-text)]"
stays "" || fail "Ctrl+Enter pasted"
pass "the reply is on the clipboard and Notepad is as it was"

echo "Esc"
probe set-text "$TARGET_CAPTION" "Kept" >/dev/null
search thx
# Held for the picker like every key, Home and Delete still edit the box.
keys Home Delete
eventually query_is hx || fail "Home and Delete did not edit the box: [$(probe text "$PICKER")]"
keys Escape
eventually picker_gone || fail "Esc did not close the picker"
eventually notepad_in_front || fail "Esc left [$(probe foreground)] in front"
stays "Kept" || fail "Esc pasted something"
pass "nothing pasted and Notepad has the focus again"

echo "an exact macro ranks first"
search today
first_row_is "Today's date||today" || fail "the macro's reply is not first"
probe rows "$PICKER" | grep -q '^Call back|Customer service|' || fail "the reply that says today is not listed"
keys Escape
pass "the reply of the macro typed comes before the one whose text holds the word"

echo "the reply delivered last, by any path, comes first on an empty search"
type_word dt
press space
eventually target_text_is "Sent on $TODAY" || fail "the typed macro did not expand"
search ""
first_row_is "Dated reply||dt" || fail "the reply just delivered is not first"
keys Escape
eventually picker_gone || fail "Esc did not close the picker"
# Opened again, the list was filled while hidden.
search ""
first_row_is "Dated reply||dt" || fail "opened again, the reply just delivered is not first"
all_rows() { [ "$(probe rows "$PICKER" | wc -l)" = "$REPLIES" ]; }
eventually all_rows || fail "$(probe rows "$PICKER" | wc -l) of $REPLIES replies listed"
keys Escape
eventually picker_gone || fail "Esc did not close the picker"
wine reg query "$SETTINGS" /v RecentReplies 2>/dev/null | tr -d '\r' | grep -q 'REG_SZ.*5\.rep' ||
    fail "the settings do not remember it: $(wine reg query "$SETTINGS" /v RecentReplies 2>&1)"
pass "the typed macro's reply is listed first, with every reply after it, and kept in the settings"

library_unchanged || fail "the library changed: $(diff -r "$WORK/library-before" "$LIB")"
probe exit >/dev/null
expect_end "$PROGRAM" "the program did not end"
echo "search_picker: all passed"
