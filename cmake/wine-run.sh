#!/usr/bin/env bash
# Runs a Windows binary under Wine for ctest. The caller (scripts/test.sh) exports WINEPREFIX
# and DISPLAY; without them we refuse rather than touch the user's own prefix.
set -eu
if [ -z "${WINEPREFIX:-}" ]; then
    echo "wine-run.sh: WINEPREFIX is not set; run the Windows tests through scripts/test.sh" >&2
    exit 77
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
