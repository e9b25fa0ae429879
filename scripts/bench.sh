#!/usr/bin/env bash
# Builds the benchmarks (optimised, preset "bench") and runs them. Every figure is printed next
# to its baseline from the same run. Extra arguments go to the benchmark program, for example
# --benchmark_filter=Load (the same filter goes to each program).
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$TW_ROOT"

tw_need_packages "${TW_BASE_PACKAGES[@]}" libbenchmark-dev

cmake --preset bench >/dev/null
cmake --build --preset bench -j2 --target library_bench expansion_bench search_bench
for bench in library_bench expansion_bench search_bench; do
    echo "== $bench"
    "build/bench/bin/$bench" "$@"
done
