#!/usr/bin/env bash
# Delivery latency under Wine (not part of the test run). Wine Notepad is in front; xdotool types a
# macro, and a run lasts from just before the Space (for the hot key: just before its letter comes
# up) to the first read, every millisecond, of the expanded reply as Notepad's whole text. Beside
# the real program, in the same run and with the same reader, a baseline of ours does the least a
# delivery can do: its own low-level hook sees the Space (or a 50 ms poll sees the hot key) and one
# SendInput sends the Backspaces and Ctrl+V, with the same reply already on the clipboard. Sides
# take turns in blocks, so that the machine's load falls on all of them alike. From the traces
# (TW_DELIVERY_TRACE) it also prints each side's own share: from the trigger's hook message to the
# last SendInput returning.
#
# Usage: scripts/bench_delivery.sh [--runs N] [--blocks B] [--warmup W] [--baseline-only]
#                                  [--program DIR]
#   --runs N         timed runs per side and trigger, after warm-up (default 30, at least 30 to
#                    count)
#   --blocks B       turns per side (default 3)
#   --warmup W       untimed deliveries at the start of each turn (default 2)
#   --baseline-only  measures the baseline alone, with the reply expanded by twlib
#   --program DIR    TextwrightTraced.exe (or an older Textwright.exe) and KeybDll.dll from DIR
#                    instead of this build's
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$TW_ROOT"

runs=30 blocks=3 warmup=2 baseline_only=0 program_dir=
while [ $# -gt 0 ]; do
    case "$1" in
    --runs) runs=$2 && shift 2 ;;
    --blocks) blocks=$2 && shift 2 ;;
    --warmup) warmup=$2 && shift 2 ;;
    --baseline-only) baseline_only=1 && shift ;;
    --program) program_dir=$(cd "$2" && pwd) && shift 2 ;;
    *) sed -n '/^# Usage/,/^set /p' "$0" | sed '$d; s/^# \{0,1\}//' >&2 && exit 2 ;;
    esac
done
[ "$runs" -ge "$blocks" ] && [ "$blocks" -ge 1 ] && [ "$warmup" -ge 1 ] ||
    { echo "need runs >= blocks >= 1 and warmup >= 1" >&2 && exit 2; }
AIM=1.15
CONFIG_AIM=1.10 # every other configuration against the first, as "program" against "baseline"
MACRO=order       # typed, then Space
HOTKEY_LETTER=b   # Ctrl+Alt+B
SETTINGS='HKCU\Software\Kolvenmark\Textwright 2'

# Program configurations, each measured with both triggers against the same baseline: a name and a
# function that writes its settings before the program starts. Add one by adding a name here and
# a function config_NAME, for example  config_restore() { set_setting SomeOption 1; }.  The first
# configuration's first delivery records the reply that every other side must leave.
PROGRAM_CONFIGS=(default restore)
config_default() { :; }
config_restore() { set_setting RestoreClipboard 1; } # the user's clipboard kept
set_setting() { wine reg add "$SETTINGS" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1; }

tw_need_packages "${TW_BASE_PACKAGES[@]}" "${TW_WINDOWS_PACKAGES[@]}"
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target TextwrightTraced KeybDll twlib e2e_probe delivery_reader \
    delivery_baseline delivery_summary >/dev/null
BIN=$TW_ROOT/build/windows/bin
STATE=$TW_ROOT/build/windows/bench-delivery # the prefix is kept: making one takes a while
OUT=$STATE/last                              # run logs and traces of the latest run
rm -rf "$OUT" && mkdir -p "$OUT/reply"
WORK=$(mktemp -d)

SIDE_PID=
cleanup() {
    [ -z "$SIDE_PID" ] || kill "$SIDE_PID" 2>/dev/null || true
    tw_stop_all
    rm -rf "$WORK"
}
trap cleanup EXIT
tw_start_display >/dev/null
tw_wine_prefix "$STATE/wineprefix"
export LC_ALL=C.UTF-8

win() { winepath -w "$1" 2>/dev/null; }
eventually() { # SECONDS COMMAND...: retries a check every 0.1 s
    local i
    for i in $(seq $(($1 * 10))); do "${@:2}" && return 0; sleep 0.1; done
    return 1
}
ended() { ! kill -0 "$1" 2>/dev/null; }
library_shown() { probe state | grep -q '^visible=0 tree=[1-9]'; }
probe() { wine "$BIN/e2e_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }

# The program folder: a copy of the program beside a library of its own with one reply.
APP=$WORK/app
mkdir -p "$APP/Replies"
# The measuring build writes the trace; a folder from before it existed has it in Textwright.exe.
traced="${program_dir:-$BIN}/TextwrightTraced.exe"
[ -f "$traced" ] || traced="${program_dir:-$BIN}/Textwright.exe"
cp "$traced" "$APP/Textwright.exe"
cp "${program_dir:-$BIN}/KeybDll.dll" "$APP/"
printf 'REPLY_1?Order on its way\r\n' >"$APP/Replies/index.sub"
{
    printf '%s\r\n0%s\r\n' "$MACRO" "${HOTKEY_LETTER^^}"
    printf '%s\r\n' '{\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fcharset0 Arial;}}' \
        '{\colortbl ;\red0\green0\blue128;}' \
        '\viewkind4\uc1\pard\f0\fs20 Dear customer,\par' '\par' \
        'thank you for your message of %Date. \b Your order\b0  left our warehouse today and' \
        'should \cf1 arrive within three working days\cf0 .\par' '\par' 'Kind regards,\par' \
        'The support team\par' '}'
} >"$APP/Replies/1.rep"

wine notepad >/dev/null 2>&1 &
TW_PIDS+=($!)
notepad_window() { xdotool search --name 'Notepad' 2>/dev/null | head -1; }
notepad_open() { [ -n "$(notepad_window)" ]; }
eventually 60 notepad_open || { echo "Notepad did not open" >&2 && exit 1; }
NOTEPAD=$(notepad_window)

# measure SIDE TRIGGER RUNS: one turn of the reader against whatever side is running now. The
# first turn that delivers records the clipboard's reply; every later one must leave the same.
measure() {
    local keys=$MACRO
    [ "$2" = typed ] || keys=$HOTKEY_LETTER
    local check=(--expect "$(win "$OUT/reply/reply.txt")")
    [ -s "$OUT/reply/reply.txt" ] || check=(--snapshot "$(win "$OUT/reply")")
    xdotool windowactivate --sync "$NOTEPAD" >/dev/null 2>&1
    wine "$BIN/delivery_reader.exe" "$2" "$keys" "$3" "$warmup" "$(win "$OUT/$1.$2.runs")" \
        "${check[@]}" | xdotool - || { echo "measuring $1 with the $2 trigger failed" >&2 && exit 1; }
}

settings_for() { # CONFIG: the benchmark's settings, then the configuration's own
    wine reg delete "$SETTINGS" /f >/dev/null 2>&1 || true
    set_setting ShowTips 0
    "config_$1"
}
start_program() { # CONFIG
    settings_for "$1"
    TW_DELIVERY_TRACE=$(win "$OUT/$1.trace") wine "$APP/Textwright.exe" -hidden >/dev/null 2>&1 &
    SIDE_PID=$!
    eventually 30 library_shown || { echo "the program did not start: $(probe state)" >&2 && exit 1; }
    sleep 1 # recognition starts 100 ms after the message loop does
}
stop_program() {
    probe exit >/dev/null || kill "$SIDE_PID" 2>/dev/null || true
    eventually 10 ended "$SIDE_PID" || kill "$SIDE_PID" 2>/dev/null || true
    wait "$SIDE_PID" 2>/dev/null || true
    SIDE_PID=
}
start_baseline() { # TRIGGER
    local arg=${#MACRO}
    [ "$1" = typed ] || arg=$HOTKEY_LETTER
    rm -f "$WORK/ready" "$WORK/stop"
    TW_DELIVERY_TRACE=$(win "$OUT/baseline.trace") wine "$BIN/delivery_baseline.exe" "$1" "$arg" \
        "$(win "$OUT/reply")" "$(win "$WORK/ready")" "$(win "$WORK/stop")" &
    SIDE_PID=$!
    eventually 30 test -f "$WORK/ready" || { echo "the baseline did not start" >&2 && exit 1; }
}
stop_baseline() {
    touch "$WORK/stop"
    eventually 10 ended "$SIDE_PID" || kill "$SIDE_PID" 2>/dev/null || true
    wait "$SIDE_PID" 2>/dev/null || true
    SIDE_PID=
}

if [ "$baseline_only" = 1 ]; then
    lib=$(win "$APP/Replies")
    wine "$BIN/twlib.exe" expand "$lib" "$MACRO" >"$OUT/reply/reply.rtf"
    wine "$BIN/twlib.exe" expand "$lib" "$MACRO" --plain >"$OUT/reply/reply.txt"
    PROGRAM_CONFIGS=()
fi

per_block=$((runs / blocks))
for trigger in typed hotkey; do
    for block in $(seq "$blocks"); do
        n=$per_block
        [ "$block" -lt "$blocks" ] || n=$((runs - per_block * (blocks - 1)))
        echo "$trigger, turn $block of $blocks: $n runs per side"
        for config in "${PROGRAM_CONFIGS[@]}"; do
            start_program "$config"
            measure "$config" "$trigger" "$n"
            stop_program
        done
        start_baseline "$trigger"
        measure baseline "$trigger" "$n"
        stop_baseline
    done
done

# The baseline's trace is shared by both triggers: each run log picks its own runs from it.
summary=()
for config in "${PROGRAM_CONFIGS[@]:-none}"; do
    label=" ($config)"
    [ "$config" != none ] || label=" (baseline only)"
    for trigger in typed hotkey; do
        if [ "$trigger" = typed ]; then
            summary+=("typed macro$label" "the Space's hook message" 20)
        else
            summary+=("hot key$label" "the letter's hook message" "$(printf %X "'${HOTKEY_LETTER^^}")")
        fi
        summary+=("$(win "$OUT/$config.$trigger.runs")" "$(win "$OUT/$config.trace")"
            "$(win "$OUT/baseline.$trigger.runs")" "$(win "$OUT/baseline.trace")")
    done
done
echo
echo "Delivery latency into Wine Notepad, $runs runs per side after $warmup warm-up per turn," \
    "$blocks turns; $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
wine "$BIN/delivery_summary.exe" "$AIM" "${summary[@]}" | tr -d '\r'
if [ "${#PROGRAM_CONFIGS[@]}" -gt 1 ]; then
    first=${PROGRAM_CONFIGS[0]}
    against=()
    for config in "${PROGRAM_CONFIGS[@]:1}"; do
        for trigger in typed hotkey; do
            key=20 label="typed macro"
            [ "$trigger" = typed ] || key=$(printf %X "'${HOTKEY_LETTER^^}") label="hot key"
            against+=("$label, $config (program) against $first (baseline)" "the trigger's hook message"
                "$key" "$(win "$OUT/$config.$trigger.runs")" "$(win "$OUT/$config.trace")"
                "$(win "$OUT/$first.$trigger.runs")" "$(win "$OUT/$first.trace")")
        done
    done
    echo
    echo "Configurations against the first, in the same run:"
    wine "$BIN/delivery_summary.exe" "$CONFIG_AIM" "${against[@]}" | tr -d '\r'
fi
echo "(run logs and traces: $OUT)"
