#!/usr/bin/env bash
# Screenshots under Xvfb: tools/shots/shots.sh OUTDIR [FORM [EVENT...]]
# DRALUN_BUILD_DIR names the build directory (default build).
set -euo pipefail
cd "$(dirname "$0")/../.."
out=${1:-shots}
shift || true
export DRALUN_DATA_DIR=${DRALUN_DATA_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1280x1024x24" "${DRALUN_BUILD_DIR:-build}/bin/dralun-shots" "$out" "$@"
