#!/usr/bin/env bash
# Runs a Windows program under Wine with a prefix of its own in the Windows
# build folder (WINEPREFIX, set by tools/windows.sh) and without Wine's
# debug chatter. Debian's wine64 keeps its binary in Wine's library folder.
set -euo pipefail
export WINEDEBUG=-all
exec /usr/lib/wine/wine64 "$@"
