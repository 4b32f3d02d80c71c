#!/usr/bin/env bash
# Sets up what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cmake -S . -B build -DDRALUN_BUILD_GUI=ON -DDRALUN_BUILD_TESTS=ON >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
