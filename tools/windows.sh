#!/usr/bin/env bash
# The Windows build of everything without Qt: the engines, the form models,
# the report, projects, dralun-calc.exe and the copy of dralun-install,
# cross built with MinGW-w64 (statically linked) into build-windows/, and
# every one of their GoogleTest programs run under Wine, with a Wine prefix
# of its own in that folder. No warning is let through.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
build=build-windows
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DDRALUN_BUILD_TESTS=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/tools/wine-run.sh" >/dev/null
cmake --build "$build" -j"$(nproc)"
export WINEPREFIX="$PWD/$build/wine-prefix"
if [[ ! -d "$WINEPREFIX/drive_c" ]]; then
  tools/wine-run.sh wineboot --init >/dev/null 2>&1 || true
fi
ctest --test-dir "$build" --output-on-failure
tools/windows-files.sh "$build"
