#!/usr/bin/env bash
# A rich reply reaches a browser with its formatting: copied with Ctrl+Shift+C in the real
# program and pasted into an editable page of Debian's Chromium on the same display, which Wine
# hands the clipboard's HTML as text/html. The page reads back the pasted DOM's computed styles
# (weight, style, decoration, colour, family, size), its paragraphs, alignment, list and link,
# and Polish, Greek and Chinese text with an emoji. Before that a typed macro into Notepad
# leaves the HTML on the clipboard and the same text intact in Notepad.
# Usage: delivery_browser.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
source "$(dirname "$0")/lib/delivery.sh"
PAGE="$(cd "$(dirname "$0")" && pwd)/browser/paste.html"

# The browser reply: the last node of the tree.
printf 'REPLY_6?Browser reply\r\n' >>"$LIB/index.sub"
{
    printf 'browser\r\n\r\n'
    printf '%s' '{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fmodern\fcharset0 Courier New;}{\f2\fnil\fcharset2 Symbol;}}'
    printf '%s' '{\colortbl ;\red255\green0\blue0;}\pard\f0\fs20 Plain \b boldword\b0  \i italicword\i0  \ul underword\ulnone  \cf1 redword\cf0  \f1 monoword\f0  \fs40 largeword\fs20\par'
    printf '%s' '\pard\qc centred\par\pard{\pntext\f2\'"'"'B7\tab}{\*\pn\pnlvlblt\pnf2\pnindent0{\pntxtb\'"'"'B7}}\fi-360\li720 first item\par{\pntext\f2\'"'"'B7\tab}second item\par'
    printf '%s' '\pard{\field{\*\fldinst{HYPERLINK "https://example.com/"}}{\fldrslt{\ul\cf1 example link}}}\par \u380?\u243?\u322?w \u954?\u945?\u955?\u942? \u20013?\u25991? \u-10179?\u-8700?\par}'
    printf '\r\n'
} >"$LIB/6.rep"
rm -rf "$WORK/library-before" && cp -r "$LIB" "$WORK/library-before"
SCRIPTS=$'\xc5\xbc\xc3\xb3\xc5\x82w \xce\xba\xce\xb1\xce\xbb\xce\xae \xe4\xb8\xad\xe6\x96\x87'
CHROME=""
stop_chrome() {
    if [ -n "$CHROME" ]; then
        kill -- "-$CHROME" 2>/dev/null || true
        wait "$CHROME" 2>/dev/null || true
        CHROME=""
    fi
}
trap 'stop_chrome; e2e_cleanup' EXIT

start_program_hidden
start_target "Untitled - Notepad" wine notepad

echo "a typed macro into Notepad"
clear_target
type_keys "browser "
arrived() { [[ "$(target_text)" == *"$SCRIPTS"* ]]; }
eventually arrived || fail "Notepad holds [$(target_text)]"
[[ "$(target_text)" == "Plain boldword"*'\ncentred\nfirst item\nsecond item\nexample link\n'* ]] ||
    fail "Notepad's lines: [$(target_text)]"
[ "$(probe clipboard)" = "rtf=1 html=1 text=1" ] || fail "clipboard formats: $(probe clipboard)"
pass "Notepad has the reply's lines with Polish, Greek and Chinese intact; the clipboard has HTML"

echo "Ctrl+Shift+C, then Ctrl+V in Chromium"
show_program
press End # the browser reply
sleep 0.5
probe clipboard-set "before" >/dev/null
press ctrl+shift+c
eventually clipboard_starts "Plain boldword" || fail "the clipboard holds [$(probe clipboard-text)]"
offered() { xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -qx 'text/html'; }
eventually offered || fail "the display's clipboard offers: $(xclip -selection clipboard -t TARGETS -o 2>&1 | tr '\n' ' ')"
pass "the display's clipboard offers text/html"

setsid chromium --no-sandbox --user-data-dir="$WORK/chromium" --no-first-run --disable-gpu \
    --disable-background-networking --disable-component-update --disable-sync \
    --no-default-browser-check --password-store=basic --window-size=900,700 \
    --window-position=100,100 "file://$PAGE" >"$WORK/chromium.log" 2>&1 &
CHROME=$!
browser_window() { BROWSER=$(xdotool search --name '^Paste here - Chromium$' 2>/dev/null | head -1) && [ -n "$BROWSER" ]; }
eventually browser_window || fail "Chromium did not open the page: $(tail -5 "$WORK/chromium.log")"
reported() { xdotool getwindowname "$BROWSER" 2>/dev/null | grep -q '^R:'; }
# A busy machine can leave Chromium deaf to the first click and paste; the page reports only
# the first paste it sees, so trying again cannot paste twice.
for attempt in 1 2 3; do
    sleep 5 # Chromium settles before it takes input
    xdotool windowactivate --sync "$BROWSER" 2>/dev/null || true
    eval "$(xdotool getwindowgeometry --shell "$BROWSER")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
    sleep 0.5
    xdotool key ctrl+v
    if TRIES=40 eventually reported; then break; fi
done
reported || fail "the page saw no paste: $(xdotool getwindowname "$BROWSER")"
result=$(xdotool getwindowname "$BROWSER")
[ "$result" = "R:ALL - Chromium" ] || fail "in the browser: ${result% - Chromium}"
pass "every formatted word, the paragraphs, alignment, list, link and the scripts arrived"
stop_chrome

library_unchanged || fail "the library changed: $(diff -r "$WORK/library-before" "$LIB")"
probe exit >/dev/null
expect_end "$PROGRAM" "the program did not end"
echo "delivery_browser: all passed"
