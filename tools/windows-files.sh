#!/usr/bin/env bash
# The files dralun-calc.exe writes under Wine, in a data directory named with
# umlauts: Rohr.txt and dump-rohr.txt of the pipe run with one report row,
# dump-DrosselA111.txt of the throttle section. Every line must end in CR LF,
# and without the CRs each file must be byte for byte what the Linux build
# writes (build/, when it is there), whose files the tests check line by line.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
export WINEPREFIX="$PWD/$build/wine-prefix" LC_ALL=C.UTF-8
work="$PWD/$build/files-check"
rm -rf "$work"
data="$work/Datenverzeichnis Müller"
mkdir -p "$data" "$work/linux"
cp medium/Dralun/* "$data/"
cp medium/Dralun/* "$work/linux/"
fail() { echo "windows-files: $*" >&2; exit 1; }

calc() { DRALUN_DATA_DIR="Z:$data" tools/wine-run.sh "$build/bin/dralun-calc.exe" "$@" >/dev/null; }
calc 130 --click 1020
calc 170
for f in Rohr.txt dump-rohr.txt dump-DrosselA111.txt; do
  [[ -s "$data/$f" ]] || fail "$f fehlt in \"$data\""
  # Every LF has its CR before it, and there is no CR elsewhere.
  cmp -s "$data/$f" <(tr -d '\r' < "$data/$f" | sed 's/$/\r/') || fail "$f endet nicht jede Zeile mit CR LF"
  [[ $(tail -c 1 "$data/$f") == "" ]] || fail "$f endet nicht mit einem Zeilenende"
done
if [[ -x build/bin/dralun-calc ]]; then
  DRALUN_DATA_DIR="$work/linux" build/bin/dralun-calc 130 --click 1020 >/dev/null
  DRALUN_DATA_DIR="$work/linux" build/bin/dralun-calc 170 >/dev/null
  for f in Rohr.txt dump-rohr.txt dump-DrosselA111.txt; do
    cmp -s <(tr -d '\r' < "$data/$f") "$work/linux/$f" || fail "$f unter Windows weicht ab von dem unter Linux"
    cmp -s "$data/$f" <(sed 's/$/\r/' "$work/linux/$f") || fail "$f ist nicht die Linux-Datei mit CR LF"
  done
fi
# dralun-install.exe, a window program, with --yes from a script: a medium
# and a data directory named with umlauts, its message on standard output.
medium="$work/Medium Müller" target="$work/Ziel Müller"
mkdir -p "$medium" "$target"
cp medium/Dralun/* "$medium/"
said=$(DRALUN_DATA_DIR="Z:$target" tools/wine-run.sh "$build/bin/dralun-install.exe" --yes --source "Z:$medium" | tr -d '\r')
[[ $(find "$target" -type f | wc -l) -eq 36 ]] || fail "dralun-install.exe --source \"$medium\" kopierte nicht 36 Dateien"
[[ $said == *"36 Dateien nach"*"Ziel Müller"* ]] || fail "dralun-install.exe meldete: \"$said\""

echo "windows-files: Rohr.txt, dump-rohr.txt und dump-DrosselA111.txt mit CR LF in \"$data\"; dralun-install.exe mit Umlauten"
