# Sourced by the end-to-end scripts: the bin folder, a work folder removed at the end, the probe,
# retries, and stopping by pid everything a script starts.
# Usage: source "$(dirname "$0")/lib/common.sh" BIN_DIR
# Set E2E_OWN_PREFIX=1 before sourcing when the script makes a Wine prefix of its own in $WORK.
BIN=$(cd "$1" && pwd)
: "${DISPLAY:?needs a display}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

WORK=$(mktemp -d)
PIDS=()
if [ "${E2E_OWN_PREFIX:-0}" = 1 ]; then
    E2E_SHARED_PREFIX=${WINEPREFIX:-}
    export WINEARCH=win64 WINEPREFIX="$WORK/prefix"
fi
: "${WINEPREFIX:?needs the Wine prefix of the test run}"

e2e_cleanup() {
    local p
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
    for p in "${PIDS[@]}"; do wait "$p" 2>/dev/null || true; done
    if [ "${E2E_OWN_PREFIX:-0}" = 1 ]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
    fi
    rm -rf "$WORK"
}
trap e2e_cleanup EXIT

SETTINGS='HKCU\Software\Kolvenmark\Textwright 2'

# Copies a folder tree by hard links where it can: fast, and the copy's registry and new files are
# its own (Wine writes both by replacing files, never in place).
e2e_link_copy() { cp -al "$1" "$2" 2>/dev/null || cp -a "$1" "$2"; }

# Makes the script's own prefix ($WINEPREFIX) fresh: a copy of one that wineboot made once beside
# the shared prefix and nothing ever runs in, which costs a fraction of a wineboot.
e2e_new_prefix() {
    local template=${E2E_SHARED_PREFIX:+$E2E_SHARED_PREFIX-template}
    if [ -z "$template" ]; then
        template=$WINEPREFIX
    fi
    if [ ! -f "$template/system.reg" ]; then
        mkdir -p "$template"
        WINEPREFIX="$template" wineboot -i >/dev/null 2>&1
        WINEPREFIX="$template" wineserver -w
    fi
    if [ "$template" != "$WINEPREFIX" ]; then
        mkdir -p "$WINEPREFIX"
        e2e_link_copy "$template/drive_c" "$WINEPREFIX/"
        cp -a "$template/dosdevices" "$template"/*.reg "$template/.update-timestamp" "$WINEPREFIX/"
    fi
}
# A script says more of what went wrong by defining fail_context.
fail() {
    echo "FAIL: $*" >&2
    if declare -F fail_context >/dev/null; then fail_context >&2 || true; fi
    exit 1
}
pass() { echo "  ok: $*"; }
probe() { WINEDEBUG=-all wine "$BIN/e2e_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
# Retries a check every quarter second for up to 20 s (TRIES times, 80 unless set): Wine starts
# programs at its own pace.
eventually() {
    local i
    for i in $(seq 1 "${TRIES:-80}"); do
        if "$@"; then return 0; fi
        sleep 0.25
    done
    return 1
}
# Keys to the window in front, as a hand types them, then time for Wine to act on them.
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
menu_shown() { [ "$(probe menu-shown)" = shown ]; }
# The clipboard's text as the probe prints it (a line break as \n).
clipboard_is() { [ "$(probe clipboard-text)" = "$1" ]; }
clipboard_starts() { [[ "$(probe clipboard-text)" == "$1"* ]]; }
# A window count that eventually can poll: the probe runs again on every try.
count_is() { [ "$(probe count "$1")" = "$2" ]; }
file_has() { [ -f "$1" ] && grep -qF -- "$2" "$1"; }
state_matches() { probe state | grep -Eq "$1"; }
running() { kill -0 "$1" 2>/dev/null; }
ended() { ! running "$1"; }
# Waits for program $1 to end; when it does not, says why: the windows in its way and where
# each of its threads waits.
expect_end() {
    eventually ended "$1" && return 0
    echo "  visible windows: $(probe windows | tr '\n' ';')" >&2
    WINEDEBUG=-all timeout 60 winedbg --command "bt all" 2>/dev/null | tr -d '\r' |
        awk '/^Backtracing for thread/ { show = /Textwright\.exe/ } show' | head -100 >&2 || true
    fail "${2:-the program did not end}"
}
# Starts the program in folder $1 and waits for its main window: MAIN is its pid, WINDOW its X
# window, activated.
start_main() {
    wine "$1/Textwright.exe" >/dev/null 2>&1 &
    PIDS+=($!)
    MAIN=$!
    eventually state_matches '^visible=1 ' || fail "main window not visible: $(probe state)"
    WINDOW=$(xdotool search --name '^Textwright$' | head -1)
    [ -n "$WINDOW" ] || fail "no X window for the main window"
    xdotool windowactivate --sync "$WINDOW"
    sleep 0.5
}
