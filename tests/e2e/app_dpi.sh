#!/usr/bin/env bash
# The program on a 144-dpi screen: every layout size is given at 96 dpi and scales by 1.5.
# It needs a Wine prefix of its own for the changed screen setting; that prefix, its
# wineserver and the program are stopped and removed at the end.
# Usage: app_dpi.sh BIN_DIR   (DISPLAY exported by the caller)
set -euo pipefail
E2E_OWN_PREFIX=1
source "$(dirname "$0")/lib/common.sh" "$1"
window_up() { probe state | grep -q '^visible=1 '; }

echo "144 dpi"
mkdir -p "$WORK/app"
e2e_new_prefix
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Kolvenmark\Textwright 2' /v ShowTips /t REG_DWORD /d 0 /f \
    >/dev/null 2>&1
cp "$BIN/Textwright.exe" "$WORK/app/"
cp -r "$BIN/Replies" "$WORK/app/"
wine "$WORK/app/Textwright.exe" >/dev/null 2>&1 &
PIDS+=($!)
eventually window_up || fail "main window did not show: $(probe state)"

read -r W H L T SW SH SL ST <<<"$(probe geometry)"
[ "$W $H" = "1110 746" ] || fail "main window is ${W}x${H}, not 740x497 scaled to 1110x746"
DX=$((L - SL - (SW - W) / 2)); DY=$((T - ST - (SH - H) / 2))
[ "${DX#-}" -le 2 ] && [ "${DY#-}" -le 2 ] || fail "main window at $L,$T is not centred"
# 119 * 1.5 = 178.5, rounded up.
probe panes | grep -q ' macros=179x' || fail "macro list not scaled: $(probe panes)"
echo "  ok: 1110x746 centred, macro list 179 wide"
# The insertions dialog, made hidden at start: 392x132 scaled by 1.5.
[ "$(probe client 'Textwright - Do Macro Insertions and Replacements ')" = "588 198" ] ||
    fail "insertions dialog not scaled: $(probe client 'Textwright - Do Macro Insertions and Replacements ')"
echo "  ok: insertions dialog 588x198"
echo "app_dpi: all passed"
