#!/usr/bin/env bash
# Keys typed with xdotool into Wine's Notepad reach the keyboard component in the order typed;
# activating Notepad reaches the shell component and a click reaches the mouse component.
# The receiver is hook_probe.exe, which owns the three components as the main window does.
# Usage: hooks_typing.sh BIN_DIR   (with DISPLAY and WINEPREFIX set, as scripts/test.sh does)
set -euo pipefail
bin=$(cd "$1" && pwd)
work=$(mktemp -d)
log=$work/probe.log
stop=$work/stop
cp "$bin/hook_probe.exe" "$bin/KeybDll.dll" "$work/"
pids=()

cleanup() {
    touch "$stop"
    local pid
    for pid in "${pids[@]}"; do
        # The probe ends by itself on the stop file; give it a moment before insisting.
        for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    echo "--- probe log" >&2
    cat "$log" >&2 || true
    exit 1
}

wait_for() { # wait_for SECONDS COMMAND...
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# The probe first, so that Notepad's arrival in front is an activation it sees.
wine "$work/hook_probe.exe" "$(winepath -w "$log")" "$(winepath -w "$stop")" >/dev/null 2>&1 &
pids+=($!)
wait_for 60 grep -q '^ready' "$log" 2>/dev/null || fail "the probe did not start"
grep -q 'failed' "$log" && fail "a component did not start"

wine notepad >/dev/null 2>&1 &
pids+=($!)
notepad_window() { xdotool search --name "Notepad" 2>/dev/null | head -1; }
notepad_open() { [ -n "$(notepad_window)" ]; }
wait_for 60 notepad_open || fail "Notepad did not open"
window=$(notepad_window)

xdotool windowactivate --sync "$window"
wait_for 10 grep -q '^activated Notepad' "$log" || fail "activating Notepad was not reported"
xdotool type --delay 40 "hello world"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1

expected="48 45 4C 4C 4F 20 57 4F 52 4C 44"
typed() { grep '^key .. down' "$log" | awk '{print $2}' | grep -v -E '^(10|A0|A1)$' | tr '\n' ' ' | sed 's/ $//'; }
typed_all() { [ "$(typed)" = "$expected" ]; }
wait_for 10 typed_all || fail "keys arrived as [$(typed)], typed [$expected]"
wait_for 10 grep -q '^click left up' "$log" || fail "the click was not reported"
grep -q '^click left down' "$log" || fail "the button press was not reported"

touch "$stop"
wait_for 10 grep -q '^stopped' "$log" || fail "the probe did not stop"
grep -q '^stopped$' "$log" || fail "the library was left loaded"
echo "hooks_typing: keys, activation and click arrived in order"
