#!/usr/bin/env bash
# Builds and runs every test tier: native unit tests (ASan+UBSan), every fuzz target for a few
# seconds, the Windows tests under Wine, and the end-to-end tests of the real program in a
# virtual display.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$TW_ROOT"

echo "== layers (at ${SECONDS} s)"
bash scripts/check_layers.sh

tw_need_packages "${TW_BASE_PACKAGES[@]}" "${TW_FUZZ_PACKAGES[@]}" "${TW_WINDOWS_PACKAGES[@]}"
jobs=$(nproc)

echo "== native build and unit tests (at ${SECONDS} s)"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

# A target that no longer builds, or breaks on an input that once broke it, fails here.
echo "== fuzz targets on their seeds and saved findings (at ${SECONDS} s)"
bash scripts/fuzz.sh all 3

echo "== Windows build (at ${SECONDS} s)"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"

trap tw_stop_all EXIT
tw_start_display
tw_wine_prefix "$TW_ROOT/build/windows/wineprefix"

echo "== Windows tests under Wine (at ${SECONDS} s)"
ctest --preset windows -j "$jobs"

if [ -d tests/e2e ]; then
    echo "== end-to-end tests (at ${SECONDS} s)"
    for t in tests/e2e/*.sh; do
        [ -e "$t" ] || continue
        echo "-- $t"
        started=$SECONDS
        bash "$t" "$TW_ROOT/build/windows/bin"
        echo "   $((SECONDS - started)) s"
    done
fi
echo "All tests passed in ${SECONDS} s."
