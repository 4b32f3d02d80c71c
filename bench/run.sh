#!/usr/bin/env bash
# Builds in release mode and runs the benchmarks and the start-up ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DDRALUN_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench -j"$(nproc)" >/dev/null
export DRALUN_DATA_DIR="$(mktemp -d)"
trap 'rm -rf "$DRALUN_DATA_DIR"' EXIT
cp medium/Dralun/* "$DRALUN_DATA_DIR"/ # the forms that read tables find them
for bench in build-bench/bin/bench_*; do
  "$bench" --benchmark_min_time=0.2
done
build-bench/bin/startup_ratio build-bench/bin 21
