#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) and runs each.
#   tools/fuzz.sh                 each target for 60 seconds
#   tools/fuzz.sh --time S        each target for S seconds
#   tools/fuzz.sh --runs N        each target for N executions (CI: a short run)
#   tools/fuzz.sh --runs N NAME   one target (fuzz_NAME)
# The seeds are in fuzz/corpus/NAME/; what a run finds new stays in
# build-fuzz/corpus/NAME/; a crash is written to build-fuzz/ and ends the run.
# Every input is at most 1 MiB; an input that takes more than 10 s, or a run
# that grows beyond 512 MiB, counts as a fault (a hang, unbounded memory).
# The last line of each target gives its coverage: "cov:" (edges reached)
# and "ft:" (features).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
limit=(-max_total_time=60)
case "${1:-}" in
  --time) limit=(-max_total_time="$2"); shift 2 ;;
  --runs) limit=(-runs="$2"); shift 2 ;;
esac
CXX=clang++ CC=clang cmake -S . -B build-fuzz -DDRALUN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" >/dev/null
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for program in build-fuzz/bin/fuzz_*; do
  name=$(basename "$program")
  name=${name#fuzz_}
  [[ -n "${1:-}" && "$1" != "$name" ]] && continue
  mkdir -p "build-fuzz/corpus/$name"
  echo "== $name"
  (cd build-fuzz && "../$program" "${limit[@]}" -max_len=1048576 -rss_limit_mb=512 -timeout=10 \
     -print_final_stats=1 "corpus/$name" "../fuzz/corpus/$name" 2>&1 |
     grep -E "^stat::number_of_executed_units|^stat::average_exec_per_sec|ERROR|SUMMARY|Done|cov:" | tail -n 6)
done
