#!/usr/bin/env bash
# The real program under Wine, measured as a new user sees it: the time from start until the main
# window is complete (visible, both index lists filled, answering messages) and the idle memory
# (resident set of the program's process a few seconds later), for the sample library and for
# generated libraries of 1,000, 10,000 and 100,000 replies (folders of 50, macros on half, the 72
# hot keys), all in one run.
#   scripts/bench_startup.sh [SIZE...]     sizes in replies; "sample" is the shipped library
# The completeness check goes through the test probe, so each figure includes one probe start
# (a few tenths of a second under Wine); the sample library's figure is the baseline.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$TW_ROOT"
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(sample 1000 10000 100000)

tw_need_packages "${TW_BASE_PACKAGES[@]}" "${TW_WINDOWS_PACKAGES[@]}" python3
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target Textwright KeybDll e2e_probe twlib
tw_bench_session
probe() { wine "$BIN/e2e_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }

# Writes a library of N replies into $1 and prints the number of macros.
generate() {
    python3 "$TW_ROOT/scripts/generate_library.py" "$1" "$2"
}

# The sample library's macros and hot keys, counted the way the program reads them.
count_entries() {
    local listing
    listing=$(wine "$BIN/twlib.exe" list "$(winepath -w "$1" 2>/dev/null)" 2>/dev/null | tr -d '\r')
    echo "$(echo "$listing" | sed -n '/^Macros:$/,/^Hot keys:$/p' | grep -c '^  ')" \
        "$(echo "$listing" | sed -n '/^Hot keys:$/,$p' | grep -c '^  ')"
}

wine reg add "$SETTINGS" /v ShowTips /t REG_DWORD /d 0 /f >/dev/null 2>&1
printf '%-8s %12s %12s %10s\n' library "complete_s" "idle_MiB" "vs_sample"
base=""
for size in "${sizes[@]}"; do
    dir="$WORK/$size"
    mkdir -p "$dir/Replies"
    cp "$BIN/Textwright.exe" "$BIN/KeybDll.dll" "$dir/"
    if [ "$size" = sample ]; then
        cp -r "$TW_ROOT/Replies/." "$dir/Replies/"
        read -r macros hotkeys <<<"$(count_entries "$dir/Replies")"
    else
        macros=$(generate "$dir/Replies" "$size")
        hotkeys=72
    fi
    sync
    start=$(date +%s.%N)
    wine "$dir/Textwright.exe" >/dev/null 2>&1 &
    pid=$!
    TW_PIDS+=("$pid")
    until probe state | grep -q "^visible=1 .* macros=$macros hotkeys=$hotkeys\$"; do
        kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window was complete" >&2; exit 1; }
        sleep 0.05
    done
    done_at=$(date +%s.%N)
    sleep 3
    rss_kb=0
    for p in $(pgrep -f 'Textwright\.exe' || true); do
        if grep -q "$dir" "/proc/$p/cmdline" 2>/dev/null; then
            kb=$(awk '/^VmRSS:/ {print $2}' "/proc/$p/status" 2>/dev/null || echo 0)
            [ "${kb:-0}" -gt "$rss_kb" ] && rss_kb=$kb
        fi
    done
    probe exit >/dev/null || true
    for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    seconds=$(echo "$done_at - $start" | bc -l)
    [ -n "$base" ] || base=$seconds
    printf '%-8s %12.2f %12.1f %9.2fx\n' "$size" "$seconds" "$(echo "$rss_kb / 1024" | bc -l)" \
        "$(echo "$seconds / $base" | bc -l)"
    rm -rf "$dir"
done
