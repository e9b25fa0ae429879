#!/usr/bin/env bash
# A typed macro delivered into a rich-text target, Wine's WordPad: the reply's bold and red words
# arrive formatted. WordPad's own Save writes what it received as RTF, which is read back.
# Usage: delivery_wordpad.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
source "$(dirname "$0")/lib/delivery.sh"

start_program_hidden
start_target "Document - Wine Wordpad" wine 'C:\Program Files\Windows NT\Accessories\wordpad.exe'

type_keys "rich "
eventually target_text_is "plain bold red" || fail "WordPad holds [$(target_text)]"
pass "the typed macro and its Space are replaced by the reply's text"

saved="$WORK/received.rtf"
press ctrl+s
save_dialog() { xdotool search --name '^Save as$' >/dev/null 2>&1; }
eventually save_dialog || fail "WordPad's Save dialog did not open"
sleep 0.5
xdotool type --delay 40 "$(winepath -w "$saved" 2>/dev/null | tr -d '\r')"
press Return
eventually test -s "$saved" || fail "WordPad saved nothing"
sleep 0.5
rtf=$(tr -d '\r\n\000' <"$saved")
grep -q '\\b[ \\]*[^\\]*bold' <<<"$rtf" || fail "the bold word arrived without bold: $rtf"
grep -q '\\red255\\green0\\blue0' <<<"$rtf" || fail "the colour table has no red: $rtf"
grep -q '\\cf[1-9][ \\]*[^\\]*red' <<<"$rtf" || fail "the red word arrived without its colour: $rtf"
pass "WordPad's RTF has the bold word in bold and the red word in red"

library_unchanged || fail "the library changed: $(diff -r "$WORK/library-before" "$LIB")"
probe exit >/dev/null
expect_end "$PROGRAM" "the program did not end"
echo "delivery_wordpad: all passed"
