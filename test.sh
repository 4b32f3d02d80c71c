#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every test.
#   ./test.sh              the tests (build directory build/)
#   ./test.sh --sanitize   the same tests built with AddressSanitizer and
#                          UndefinedBehaviorSanitizer (build directory build-asan/)
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
# A build folder made anew is built with Ninja where it is installed; one
# that exists keeps the generator it was made with.
generator() { [[ ! -f "$1/CMakeCache.txt" ]] && command -v ninja >/dev/null && echo "-GNinja" || true; }
if [[ "${1:-}" == "--sanitize" ]]; then
  # -O1 and line tables only: the checks of both sanitizers stay whole, the
  # reports name file and line, and the build takes far less time.
  cmake $(generator build-asan) -S . -B build-asan -DDRALUN_SANITIZE=ON -DDRALUN_BUILD_BENCH=OFF -DDRALUN_BUILD_GUI=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" >/dev/null
  cmake --build build-asan -j"$(nproc)"
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
  export LSAN_OPTIONS=suppressions=$PWD/tools/sanitizers/lsan.supp:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
  exit
fi
# Built as the package ships it (optimised, without debug information).
cmake $(generator build) -S . -B build -DDRALUN_BUILD_GUI=ON -DDRALUN_BUILD_TESTS=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
