# Shared by the run and test scripts: package installation, the virtual display and the Wine prefix.
# Source it; it defines functions only.

TW_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export DEBIAN_FRONTEND=noninteractive

# Packages every build needs; the Windows side and the display are added by the callers.
TW_BASE_PACKAGES=(cmake ninja-build g++ googletest)
# libFuzzer and the sanitizers' run-time for clang.
TW_FUZZ_PACKAGES=(clang libclang-rt-14-dev)
TW_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 xvfb openbox xdotool imagemagick x11-utils x11-xkb-utils
    fp-utils chromium xclip)

tw_need_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
        return 1
    fi
    echo "Installing: ${missing[*]}"
    apt-get update -q >/dev/null
    apt-get install -y -q "${missing[@]}" >/dev/null
}

TW_PIDS=()
tw_stop_all() {
    local pid
    for pid in "${TW_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k 2>/dev/null || true
    fi
    for pid in "${TW_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    TW_PIDS=()
}

# Starts Xvfb on a display it picks itself, and a window manager so that windows can be focused.
tw_start_display() {
    local fifo dir
    dir=$(mktemp -d)
    fifo="$dir/displayfd"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" 2>"$dir/log" >/dev/null &
    TW_PIDS+=($!)
    local num=""
    # A server that cannot start never writes its number: say why instead of stopping mute.
    read -r -t 30 num <"$fifo" || true
    if [ -z "$num" ]; then
        echo "The virtual display did not start: $(tail -3 "$dir/log" 2>/dev/null)" >&2
        rm -rf "$dir"
        return 1
    fi
    rm -rf "$dir"
    export DISPLAY=":$num"
    openbox >/dev/null 2>&1 &
    TW_PIDS+=($!)
    sleep 0.5
    echo "Virtual display $DISPLAY"
}

# Without a UTF-8 locale Wine cannot create file names outside ASCII; a fresh Debian machine has
# no locale set, but always has C.UTF-8.
tw_utf8_locale() {
    if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then
        export LC_ALL=C.UTF-8
    fi
}

# A Wine prefix of our own under the build folder, never the user's. Every script that starts
# Wine comes through here.
tw_wine_prefix() {
    tw_utf8_locale
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEARCH=win64
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating Wine prefix $WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
}

# For the benchmarks run under Wine: BIN (this build's programs), a WORK folder removed at the
# end with everything started, the virtual display, the benchmarks' own prefix and SETTINGS.
tw_bench_session() {
    BIN="$TW_ROOT/build/windows/bin"
    WORK=$(mktemp -d)
    trap 'tw_stop_all; rm -rf "$WORK"' EXIT
    tw_start_display
    tw_wine_prefix "$TW_ROOT/build/windows/bench-prefix"
    SETTINGS='HKCU\Software\Kolvenmark\Textwright 2'
}
