#!/usr/bin/env bash
# The search picker under Wine (not part of the test run): from its hot key, pressed with
# SendInput, to its window shown with the list filled, and from a typed key to the list updated,
# for the sample library and a generated library of 10,000 replies. Beside them, in the same run
# and timed by the same driver, a baseline of ours shows an empty window on the same hot key: once
# alone, and once while Textwright runs beside it with its keyboard hook.
# The first opening also folds the whole library; it is shown apart from the median.
#   scripts/bench_picker.sh [RUNS]     timed openings per side (default 10)
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$TW_ROOT"
runs=${1:-10}

tw_need_packages "${TW_BASE_PACKAGES[@]}" "${TW_WINDOWS_PACKAGES[@]}" python3
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target Textwright TextwrightTraced KeybDll e2e_probe picker_timing \
    picker_empty_window
tw_bench_session
wine reg add "$SETTINGS" /v ShowTips /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg delete "$SETTINGS" /v PickerHotKey /f >/dev/null 2>&1 || true
probe() { wine "$BIN/e2e_probe.exe" "$@" 2>/dev/null | tr -d '\r'; }
wait_for() {
    local i
    for i in $(seq 1 400); do "$@" >/dev/null && return 0; sleep 0.1; done
    echo "timed out: $*" >&2
    exit 1
}
loaded() { probe state | grep -q '^visible=0 tree=[1-9]'; }
# Times RUNS openings of the window with caption $2; the lines go to $WORK/$1.
# A run whose window did not show in time (the machine under load) is told and left out; when
# not one showed (the display's first window can take longer than the wait), it is tried again.
timing() {
    local got attempt
    for attempt in 1 2; do
        { wine "$BIN/picker_timing.exe" "$2" "$runs" ${3:-} 2>/dev/null || true; } | tr -d '\r' |
            grep -v '^no window' >"$WORK/$1" || true
        got=$(wc -l <"$WORK/$1")
        [ "$got" -eq 0 ] || break
    done
    [ "$got" -eq "$runs" ] || echo "$1: no window after $got of $runs openings; the rest left out" >&2
}
median() {
    sed 1d "$WORK/$1" | awk -v c="$2" '{print $c}' | sort -n |
        awk '{a[NR]=$1} END {print NR ? a[int((NR+1)/2)] : "-"}'
}
ratio() { [ "$1" = - ] || [ "$2" = - ] && echo - || echo "$(echo "scale=2; $1 / $2" | bc -l)x"; }

# Times the empty window into $WORK/$1.
time_empty() {
    local empty
    wine "$BIN/picker_empty_window.exe" >/dev/null 2>&1 &
    empty=$!
    TW_PIDS+=("$empty")
    wait_for probe exists "Empty picker"
    timing "$1" "Empty picker" open-only
    kill "$empty" 2>/dev/null || true
    wait "$empty" 2>/dev/null || true
}
time_empty empty

for size in sample 10000; do
    dir="$WORK/app-$size"
    mkdir -p "$dir/Replies"
    # The measuring build: it writes when each step of an opening ended (TW_DELIVERY_TRACE).
    cp "$BIN/TextwrightTraced.exe" "$dir/Textwright.exe"
    cp "$BIN/KeybDll.dll" "$dir/"
    if [ "$size" = sample ]; then
        cp -r "$TW_ROOT/Replies/." "$dir/Replies/"
    else
        python3 "$TW_ROOT/scripts/generate_library.py" "$dir/Replies" "$size" >/dev/null
    fi
    (cd "$dir" && TW_DELIVERY_TRACE=$(winepath -w "$WORK/$size.trace") exec wine \
        "$dir/Textwright.exe" -hidden) >/dev/null 2>&1 &
    pid=$!
    TW_PIDS+=("$pid")
    wait_for loaded
    sleep 1
    timing "$size" "Textwright - Find a reply"
    probe exit >/dev/null || true
    wait "$pid" 2>/dev/null || true
done

# The empty window again while Textwright runs with its picker on another key: the keyboard hook
# every user of the program has makes each hot key's way to any window longer (the hook waits for
# the thread that holds keys typed ahead of the picker to answer for each key), and this baseline
# pays it too.
dir="$WORK/app-hooked"
mkdir -p "$dir/Replies"
cp "$BIN/Textwright.exe" "$BIN/KeybDll.dll" "$dir/"
cp -r "$TW_ROOT/Replies/." "$dir/Replies/"
wine reg add "$SETTINGS" /v PickerHotKey /t REG_DWORD /d 891 /f >/dev/null 2>&1 # Ctrl+Shift+F12
(cd "$dir" && exec wine "$dir/Textwright.exe" -hidden) >/dev/null 2>&1 &
pid=$!
TW_PIDS+=("$pid")
wait_for loaded
sleep 1
time_empty hooked
probe exit >/dev/null || true
wait "$pid" 2>/dev/null || true
wine reg delete "$SETTINGS" /v PickerHotKey /f >/dev/null 2>&1 || true

base=$(median empty 1)
hooked=$(median hooked 1)
printf '%-8s %14s %14s %14s %12s %12s\n' side first_open_ms median_open_ms median_key_ms \
    open_vs_empty vs_hooked
for side in empty hooked sample 10000; do
    open=$(median "$side" 1)
    key=$(median "$side" 2)
    first=$(head -1 "$WORK/$side" | cut -d' ' -f1)
    printf '%-8s %14s %14s %14s %12s %12s\n' "$side" "${first:--}" "$open" "$key" \
        "$(ratio "$open" "$base")" "$(ratio "$open" "$hooked")"
done

# Inside the program, each opening after the first: from the hot key's message to the window
# placed, shown and painted, active with the keyboard, and its list filled (median ms each).
steps() { # SIZE: one line per opening, the four steps and their sum
    awk '$2 == "step" && $3 == "hotkey" { if (n++ > 1) print line; start = last = $1; line = "" }
         $2 == "step" && $3 != "hotkey" { line = line sprintf("%.2f ", ($1 - last) / 1000); last = $1
                                          if ($3 == "filled") line = line sprintf("%.2f", ($1 - start) / 1000) }
         END { if (n > 1) print line }' "$WORK/$1.trace" | awk 'NF == 5' >"$WORK/$1.steps"
}
echo
printf '%-8s %10s %10s %10s %10s %10s\n' side placed painted active filled total
for size in sample 10000; do
    steps "$size"
    printf '%-8s' "$size"
    for c in 1 2 3 4 5; do
        printf ' %10s' "$(awk -v c="$c" '{print $c}' "$WORK/$size.steps" | sort -n |
            awk '{a[NR]=$1} END {print NR ? a[int((NR+1)/2)] : "-"}')"
    done
    echo
done
