#!/usr/bin/env bash
# A user formats a reply with the toolbar: types two lines (Shift+Enter between them), makes the
# word at the caret bold and red and centres the paragraph with the mouse, and saves with
# Ctrl+S. The reply file holds that formatting, and after a restart the toolbar shows it again
# when the caret is in the word; a word made italic and nothing else is written on exit.
# Usage: formatting_toolbar.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
fprobe() { WINEDEBUG=-all wine "$BIN/format_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
click_button() {
    local at
    at=$(fprobe button "$1") || fail "no $1 button: $at"
    # shellcheck disable=SC2086
    xdotool mousemove $at click 1
    sleep 0.5
}
down_is() { [ "$(fprobe down "$1")" = "$2" ]; }

APP="$WORK/app"
mkdir -p "$APP/Replies"
cp "$BIN/Textwright.exe" "$APP/"
LIB="$APP/Replies"
printf 'REPLY_1?Note\r\n' >"$LIB/index.sub"
printf '\r\n\r\n' >"$LIB/1.rep"
wine reg add "$SETTINGS" /v ShowTips /t REG_DWORD /d 0 /f >/dev/null 2>&1

start() {
    start_main "$APP"
    eventually state_matches '^visible=1 tree=1 ' || fail "the tree is not filled: $(probe state)"
    # The reply, then Tab past the lists and the property bar into the editor.
    keys Home
    keys Tab Tab Tab Tab Tab Tab
    [ "$(probe focus)" = 320 ] || fail "the editor has no focus: $(probe focus)"
}
stop() {
    probe exit >/dev/null
    expect_end "$MAIN" "Exit did not end the program"
    wait "$MAIN" 2>/dev/null || true
}

echo "format with the toolbar"
start
xdotool type --delay 60 "Dear"
keys shift+Return
xdotool type --delay 60 "Hello"
sleep 0.3
down_is bold 0 || fail "Bold is down on plain text"
click_button bold
eventually down_is bold 1 || fail "Bold did not stay down"
click_button color
keys Down Down Down Down Down Down Down Down Down Down Return # the tenth entry, Red
click_button center
eventually down_is center 1 || fail "Center is not down"
down_is left 0 || fail "Left Align is still down"
keys ctrl+s
REP="$LIB/1.rep"
eventually grep -q 'Hello' "$REP" || fail "Ctrl+S did not write the text: $(cat "$REP")"
body=$(tr -d '\r\n' <"$REP")
grep -q '\\red255\\green0\\blue0' <<<"$body" || fail "no red in the colour table: $body"
grep -Eq 'Dear.*\\b[^a-z0-9].*Hello' <<<"$body" || fail "Hello is not bold: $body"
if sed 's/Dear.*//' <<<"$body" | grep -Eq '\\b[^a-z0-9]'; then fail "Dear is bold too: $body"; fi
grep -q '\\qc' <<<"$body" || fail "the paragraph is not centred: $body"
grep -q '\\line' <<<"$body" || fail "Shift+Enter made no line break: $body"
pass "bold, red and centred with the toolbar; the reply file holds it"
stop

echo "restart"
start
keys ctrl+End
eventually down_is bold 1 || fail "after restart Bold is not down in the word"
down_is center 1 || fail "after restart Center is not down"
keys ctrl+Home
eventually down_is bold 0 || fail "Bold is down at the start of the text"
down_is center 1 || fail "the paragraph lost its centring"
pass "the restarted program shows the formatting at the caret"
# A format change alone is an edit: Exit writes it.
click_button italic
eventually down_is italic 1 || fail "Italic did not stay down"
stop
body=$(tr -d '\r\n' <"$REP")
sed 's/Dear.*//' <<<"$body" | grep -Eq '\\i([^a-z0-9]|$)' || fail "italic Dear not written on exit: $body"
pass "making a word italic and nothing else is written on exit"
echo "formatting_toolbar: all passed"
