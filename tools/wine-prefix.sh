#!/usr/bin/env bash
# Makes a Wine prefix (the folder given) ready for our programs, once: Wine's
# first start, and the Windows fonts of Debian's fonts-wine in its Fonts
# folder. Without Tahoma, Wine gives Qt a font in which every field looks
# empty. The prefix's Wine server is ended at the end: one started here,
# without a display, would keep its desktop without one, and no window of
# a later program would ever be shown.
set -euo pipefail
prefix=$1
export WINEPREFIX=$prefix
here=$(dirname "$0")
if [[ ! -d "$prefix/drive_c/windows" ]]; then
  "$here/wine-run.sh" wineboot --init >/dev/null 2>&1 || true
fi
mkdir -p "$prefix/drive_c/windows/Fonts"
for font in /usr/share/wine/fonts/*.ttf; do
  [[ -f "$prefix/drive_c/windows/Fonts/${font##*/}" ]] || cp "$font" "$prefix/drive_c/windows/Fonts/"
done
wineserver=/usr/lib/wine/wineserver64
[[ -x $wineserver ]] || wineserver=wineserver
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w 2>/dev/null || true
