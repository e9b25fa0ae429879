#!/usr/bin/env bash
# The real program under Wine, measured as a new user sees it: the time from start until the main
# window is complete (visible, both index lists filled, answering messages) and the idle memory
# (resident set of the program's process a few seconds later), for the sample library and for
# generated libraries of 1,000, 10,000 and 100,000 replies (folders of 50, macros on half, the 72
# hot keys), all in one run. Each library starts twice: cold (no startup index: every reply file
# is read) and warm (the index the cold start wrote). Beside each, the floor: a program of ours
# (read_library) that only reads every file (cold) or lists every folder and reads the index
# files (warm), timed from its start to its end under the same Wine.
#   scripts/bench_startup.sh [SIZE...]     sizes in replies; "sample" is the shipped library
# Each figure is the median of five starts (RUNS=N to change; 100,000 replies start once).
# The completeness check goes through the test probe, so each figure includes one probe start
# (a few tenths of a second under Wine); the sample library's figure of the same kind is the
# baseline.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$TW_ROOT"
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(sample 1000 10000 100000)

tw_need_packages "${TW_BASE_PACKAGES[@]}" "${TW_WINDOWS_PACKAGES[@]}" python3
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target Textwright KeybDll e2e_probe twlib read_library
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

# Starts the program in $1 and waits for its complete window; sets seconds, and with $2 = 1 also
# rss_kb (a few seconds later).
start_once() {
    local dir=$1 measure_memory=$2 start done_at pid kb p
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
    [ "$measure_memory" = 1 ] && sleep 3
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
}

# The floor: read_library MODE over the library in $1, start to end; sets floor.
floor_once() {
    local start found
    sync
    start=$(date +%s.%N)
    found=$(wine "$BIN/read_library.exe" "$1" "$(winepath -w "$2" 2>/dev/null)" 2>/dev/null | tr -d '\r')
    floor=$(echo "$(date +%s.%N) - $start" | bc -l)
    [ "$found" -gt 0 ] || { echo "read_library found no reply in $2" >&2; exit 1; }
}

median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

drop_startup_index() {
    find "$WINEPREFIX/drive_c/users" -path '*/Textwright/startup-*.idx' -delete 2>/dev/null || true
}

printf '%-8s %-5s %12s %12s %10s %10s\n' library start "complete_s" "idle_MiB" "vs_sample" "floor_s"
declare -A base median_s rss floor_s
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
    # The median of RUNS starts (5 unless set; one for 100,000 replies): one start alone moves
    # by tenths of a second with whatever else the machine does, and the median of three by a
    # third at 10,000 replies.
    runs=${RUNS:-5}
    [ "$size" = 100000 ] && runs=1
    # The program's starts come before the floor's: a first start right after the floor has read
    # every file lists its folders about half a second slower at 100,000 replies (under Wine; the
    # next start does not), which no start of the program itself causes.
    for kind in cold warm; do
        times=()
        for run in $(seq 1 "$runs"); do
            [ $kind = cold ] && drop_startup_index
            start_once "$dir" "$([ "$run" = "$runs" ] && echo 1 || echo 0)"
            times+=("$seconds")
        done
        median_s[$kind]=$(median "${times[@]}")
        rss[$kind]=$rss_kb
    done
    for kind in warm cold; do
        floors=()
        for run in $(seq 1 "$runs"); do
            floor_once "$([ $kind = cold ] && echo read || echo list)" "$dir/Replies"
            floors+=("$floor")
        done
        floor_s[$kind]=$(median "${floors[@]}")
    done
    for kind in cold warm; do
        seconds=${median_s[$kind]}
        [ -n "${base[$kind]:-}" ] || base[$kind]=$seconds
        printf '%-8s %-5s %12.2f %12.1f %9.2fx %10.2f\n' "$size" "$kind" "$seconds" \
            "$(echo "${rss[$kind]} / 1024" | bc -l)" "$(echo "$seconds / ${base[$kind]}" | bc -l)" \
            "${floor_s[$kind]}"
    done
    drop_startup_index
    rm -rf "$dir"
done
