#!/usr/bin/env bash
# Builds the Windows program and starts it under Wine on the sample library. Uses the display
# in DISPLAY; without one it starts a virtual display and says so.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$TW_ROOT"

tw_need_packages "${TW_BASE_PACKAGES[@]}" "${TW_WINDOWS_PACKAGES[@]}"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)" --target Textwright sample_library

trap tw_stop_all EXIT
if [ -z "${DISPLAY:-}" ]; then
    echo "DISPLAY is not set: starting a virtual display (screenshots: import -window root)."
    tw_start_display
fi
# A prefix of the program's own, so the settings it writes stay out of the user's ~/.wine.
tw_wine_prefix "$TW_ROOT/build/windows/run-prefix"
echo "Starting Textwright on $DISPLAY with the library build/windows/bin/Replies"
wine build/windows/bin/Textwright.exe "$@"
