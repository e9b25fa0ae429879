#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, preset "fuzz") and runs one or all of them.
#   scripts/fuzz.sh TARGET|all SECONDS [MAX_RUNS]
# TARGET is a file name in fuzz/ without "_fuzz.cpp" (for example index_file); "all" is every
# fuzz/*_fuzz.cpp. Each run starts from the seeds in fuzz/corpus/TARGET and what earlier runs
# kept in build/fuzz/corpus/TARGET, where it keeps what it finds; fuzz/dict/TARGET.dict, when
# there is one, is its dictionary. A failing input is written to build/fuzz/artifacts/; once its
# fault is fixed it belongs in fuzz/corpus/TARGET. Prints, per target, the executions done and
# their rate.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$TW_ROOT"

if [[ $# -lt 2 ]]; then
    echo "usage: $0 TARGET|all SECONDS [MAX_RUNS]" >&2
    exit 2
fi
target=$1
seconds=$2
runs=${3:--1}

tw_need_packages "${TW_BASE_PACKAGES[@]}" "${TW_FUZZ_PACKAGES[@]}"

targets=()
if [[ $target == all ]]; then
    for f in fuzz/*_fuzz.cpp; do
        targets+=("$(basename "$f" _fuzz.cpp)")
    done
else
    targets=("$target")
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]/%/_fuzz}"

status=0
mkdir -p build/fuzz/artifacts
for name in "${targets[@]}"; do
    work="build/fuzz/corpus/$name"
    mkdir -p "$work"
    log="build/fuzz/$name.log"
    options=(-max_total_time="$seconds" -runs="$runs" -max_len=4096 -print_final_stats=1
        -artifact_prefix="build/fuzz/artifacts/${name}-")
    if [[ -f fuzz/dict/$name.dict ]]; then
        options+=(-dict="fuzz/dict/$name.dict")
    fi
    if ! "build/fuzz/bin/${name}_fuzz" "${options[@]}" "$work" "fuzz/corpus/$name" >"$log" 2>&1; then
        status=1
        echo "$name: FAILED, see $log"
        grep -m3 -E 'property broken|ERROR|SUMMARY' "$log" | sed 's/^/   /' || true
    fi
    awk -v name="$name" '
        /^stat::number_of_executed_units:/ { runs = $2 }
        /^stat::average_exec_per_sec:/ { rate = $2 }
        /^stat::new_units_added:/ { added = $2 }
        END { if (runs != "") printf "%s: %d executions, %d per second, %d new inputs\n", name, runs, rate, added }
    ' "$log"
done
exit $status
