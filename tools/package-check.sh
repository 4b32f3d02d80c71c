#!/usr/bin/env bash
# Builds the Debian package from a build directory (default build/), unpacks
# it into a scratch root and checks what it installs: the programs run from
# there and find their data, the installer fills an empty data directory
# from the package's medium, the desktop entry, the metainfo and the file
# type are valid.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
rm -f "$build"/dralun_*.deb
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { cat "$build/cpack.log" >&2; exit 1; }
deb=$(ls "$build"/dralun_*.deb)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
data=$scratch/data
dpkg-deb -x "$deb" "$root"
fail() { echo "package-check: $*" >&2; exit 1; }

for f in usr/bin/dralun usr/bin/dralun-calc usr/bin/dralun-install usr/bin/dralun-report \
         usr/share/dralun/DN.ASC usr/share/dralun/sp15-0.bin \
         usr/share/applications/de.dralun.Dralun.desktop usr/share/metainfo/de.dralun.Dralun.metainfo.xml \
         usr/share/mime/packages/dralun.xml usr/share/icons/hicolor/scalable/apps/dralun.svg \
         usr/share/icons/hicolor/48x48/apps/dralun.png usr/share/icons/hicolor/128x128/apps/dralun.png \
         usr/share/icons/hicolor/256x256/apps/dralun.png \
         usr/share/man/man1/dralun-calc.1 usr/share/man/man1/dralun-install.1; do
  [[ -f "$root/$f" ]] || fail "$f fehlt im Paket"
done
[[ $(ls "$root/usr/share/dralun" | wc -l) -eq 36 ]] || fail "das Medium hat nicht 36 Dateien"
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "Depends nennt Qt nicht"

# The installer of the package, into an empty data directory.
DRALUN_DATA_DIR=$data "$root/usr/bin/dralun-install" --yes >/dev/null
[[ $(ls "$data" | wc -l) -eq 36 ]] || fail "dralun-install hat nicht 36 Dateien installiert"
cmp -s "$data/DN.ASC" "$root/usr/share/dralun/DN.ASC" || fail "DN.ASC ist nicht die des Pakets"

# The orifice by its defaults: v = 0.67 · sqrt(2 · 9.80665 · 0.6) = 2.29861 m/s.
DRALUN_DATA_DIR=$data "$root/usr/bin/dralun-calc" 171 > "$scratch/orifice.txt"
grep -q "^1003	" "$scratch/orifice.txt" || fail "dralun-calc 171 schreibt keine Felder"
# The pipe run reads DN.ASC from the data directory.
DRALUN_DATA_DIR=$data "$root/usr/bin/dralun-calc" 130 | grep -q "^1014	 97.9" || fail "dralun-calc 130: Qv nicht 97.9 l/s"
# The window side: the report of a form as PDF, without a display.
QT_QPA_PLATFORM=offscreen DRALUN_DATA_DIR=$data "$root/usr/bin/dralun-report" 171 --out "$scratch/r.pdf" 2>/dev/null
[[ -s "$scratch/r.pdf" ]] || fail "dralun-report schreibt kein PDF"

desktop-file-validate "$root/usr/share/applications/de.dralun.Dralun.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/de.dralun.Dralun.metainfo.xml" >/dev/null
mkdir -p "$scratch/mime/packages"
cp "$root/usr/share/mime/packages/dralun.xml" "$scratch/mime/packages/"
XDG_DATA_HOME=$scratch update-mime-database "$scratch/mime" 2>&1 | (! grep .) || fail "dralun.xml ist kein gültiger Dateityp"
grep -q "application/x-dralun-project" "$scratch/mime/globs2" || fail "*.dralun fehlt in der Dateityp-Datenbank"
echo "package-check: $(basename "$deb") in Ordnung"
