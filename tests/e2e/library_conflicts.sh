#!/usr/bin/env bash
# Another program writes into the library while Textwright runs (only one Textwright runs per
# user, so a script plays the other program):
#   a reply the other program adds to the index while Textwright adds one is kept, and a
#   restart shows both.
# Usage: library_conflicts.sh BIN_DIR   (DISPLAY and WINEPREFIX exported by the caller)
set -euo pipefail
source "$(dirname "$0")/lib/common.sh" "$1"
has_line() { tr -d '\r' <"$1" | grep -Fxq "$2"; }

APP="$WORK/app"
LIB="$APP/Replies"
mkdir -p "$LIB"
cp "$BIN/Textwright.exe" "$APP/"
printf 'REPLY_1?Note\r\n' >"$LIB/index.sub"
printf 'note\r\n\r\n{\\rtf1 first}\r\n' >"$LIB/1.rep"
wine reg add "$SETTINGS" /v ShowTips /t REG_DWORD /d 0 /f >/dev/null 2>&1

start_main "$APP"
echo "both programs add a reply"
printf '\r\n\r\n{\\rtf1 from the script}\r\n' >"$LIB/9.rep"
printf 'REPLY_9?Script\r\n' >>"$LIB/index.sub"
keys ctrl+n
eventually has_line "$LIB/index.sub" 'REPLY_2?New Reply' || fail "Ctrl+N added no reply: $(cat "$LIB/index.sub")"
has_line "$LIB/index.sub" 'REPLY_9?Script' || fail "the script's reply was dropped: $(cat "$LIB/index.sub")"
probe exit >/dev/null
eventually ended "$MAIN" || fail "Exit did not end the program"
wait "$MAIN" 2>/dev/null || true
start_main "$APP"
state_matches ' tree=3 ' || fail "after restart: $(probe state)"
pass "both new replies are listed, and a restart shows all three"
probe exit >/dev/null
eventually ended "$MAIN" || fail "Exit did not end the program"
wait "$MAIN" 2>/dev/null || true
echo "library_conflicts: all passed"
