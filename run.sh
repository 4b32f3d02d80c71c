#!/usr/bin/env bash
# Sets up what is missing, builds, and starts Dralun. Arguments go to the
# program (a document to open). Needs a display; headless: xvfb-run -a ./run.sh
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cmake -S . -B build -DDRALUN_BUILD_GUI=ON >/dev/null
cmake --build build -j"$(nproc)" --target dralun dralun-calc >/dev/null
exec build/bin/dralun "$@"
