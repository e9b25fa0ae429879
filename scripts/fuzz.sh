#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, preset "fuzz") and runs one or all of them.
#   scripts/fuzz.sh TARGET|all SECONDS [MAX_RUNS]
# TARGET is a file name in fuzz/ without "_fuzz.cpp" (for example index_file). Each run starts
# from the seeds in fuzz/corpus/TARGET and keeps what it finds in build/fuzz/corpus/TARGET; a
# failing input is written to build/fuzz/artifacts/. Prints, per target, the executions done.
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

tw_need_packages "${TW_BASE_PACKAGES[@]}" clang

if [[ $target == all ]]; then
    targets=()
    for f in fuzz/*_fuzz.cpp; do
        name=$(basename "$f" _fuzz.cpp)
        targets+=("$name")
    done
else
    targets=("$target")
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target "${targets[@]/%/_fuzz}"

status=0
mkdir -p build/fuzz/artifacts
for name in "${targets[@]}"; do
    work="build/fuzz/corpus/$name"
    mkdir -p "$work"
    log="build/fuzz/$name.log"
    echo "== $name: up to $seconds s, up to $runs executions"
    if ! "build/fuzz/bin/${name}_fuzz" -max_total_time="$seconds" -runs="$runs" \
        -artifact_prefix="build/fuzz/artifacts/${name}-" -print_final_stats=1 \
        "$work" "fuzz/corpus/$name" >"$log" 2>&1; then
        status=1
        echo "   FAILED: see $log"
        grep -m3 -E 'property broken|ERROR|SUMMARY' "$log" | sed 's/^/   /' || true
    fi
    grep -E '^stat::number_of_executed_units|^stat::average_exec_per_sec|^stat::new_units_added' "$log" |
        sed 's/^/   /' || true
done
exit $status
