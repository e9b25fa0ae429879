#!/usr/bin/env bash
# Builds the program and starts it on the sample library.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$TW_ROOT"

tw_need_packages "${TW_BASE_PACKAGES[@]}"
cmake --preset native >/dev/null
cmake --build --preset native -j "$(nproc)" --target twlib sample_library
exec build/native/bin/twlib list build/native/bin/Replies
