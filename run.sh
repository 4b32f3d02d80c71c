#!/usr/bin/env bash
# Sets up what is missing, builds, installs the data files that the data
# directory lacks (never overwriting files that are there), and starts
# Dralun. Arguments go to the program (a document to open).
# Needs a display; headless: xvfb-run -a ./run.sh
set -euo pipefail
cd "$(dirname "$0")"
tools/setup.sh
cmake -S . -B build -DDRALUN_BUILD_GUI=ON >/dev/null
cmake --build build -j"$(nproc)" --target dralun dralun-calc dralun-install >/dev/null
build/bin/dralun-install --yes --missing-only >/dev/null ||
  echo "run.sh: the data files could not all be installed; the calculators that read them will say so." >&2
exec build/bin/dralun "$@"
