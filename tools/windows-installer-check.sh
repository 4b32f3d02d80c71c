#!/usr/bin/env bash
# Tries the installer BUILD/dralun-1.0-setup.exe under Wine, in a fresh
# prefix BUILD/wine-install-check on a display of its own: a silent install
# (files, start menu, Apps & Features, the .dralun file type), a PDF of the
# installed dralun-report.exe against the Linux one (build/bin), one of a
# project holding every form likewise, the main
# window, a project opened through its file type, and a silent uninstall that
# leaves C:\Dralun\ as it was. Prints one line with the times taken.
set -euo pipefail
fail() { echo "windows-installer-check: $*" >&2; exit 1; }
[[ $# -eq 1 && -d $1 ]] || fail "Aufruf: $0 BUILD-ORDNER (z. B. build-windows)"
if [[ -z ${DRALUN_INSTALL_CHECK_XVFB:-} ]]; then
  DRALUN_INSTALL_CHECK_XVFB=1 exec xvfb-run -a -s "-screen 0 1600x1200x24" "$0" "$@"
fi
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
setup=$build/dralun-1.0-setup.exe
[[ -f $setup ]] || fail "$setup fehlt (cmake --build $1 --target windows-installer)"
[[ -x $src/build/bin/dralun-report ]] || fail "$src/build/bin/dralun-report fehlt (der Linux-Build zum Vergleich)"

# No menu entries or file types in the user's real desktop, no Mono or Gecko
# offer on the first start.
export WINEPREFIX=$build/wine-install-check WINEDEBUG=-all LC_ALL=C.UTF-8
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=;mshtml="
wine() { "$src/tools/wine-run.sh" "$@"; }
wineserver=/usr/lib/wine/wineserver64
[[ -x $wineserver ]] || wineserver=wineserver
trap '"$wineserver" -k 2>/dev/null || true' EXIT
work=$build/wine-install-check-files
log=$work/log.txt
rm -rf "$WINEPREFIX" "$work"
data="$work/Daten Müller"
mkdir -p "$data" "$work/Berichte Größe"
cp "$src"/medium/Dralun/* "$data/"
export DRALUN_DATA_DIR="Z:${data//\//\\}"
winpath() { local p=${1//\//\\}; echo "Z:$p"; }
now() { echo "${EPOCHREALTIME//[!0-9]/}"; }  # microseconds
took() { local d=$(( ($(now) - start) / 100000 )); echo "$((d / 10)),$((d % 10)) s"; }

# a, b: the prefix, with a file of the user's own in the data directory.
"$src/tools/wine-prefix.sh" "$WINEPREFIX"
c=$WINEPREFIX/drive_c
mkdir -p "$c/Dralun"
echo "Meine Tabelle, äöü" > "$c/Dralun/eigene-tabelle.txt"

# c: install.
start=$(now)
timeout 120 "$src/tools/wine-run.sh" "$setup" /S >>"$log" 2>&1 || fail "setup.exe /S schlug fehl oder brauchte über 120 s"
t_install=$(took)
prog="$c/Program Files/Dralun"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Dralun"
files=(dralun.exe dralun-calc.exe dralun-report.exe dralun-install.exe qt.conf uninstall.exe translations/qtbase_de.qm)
for f in "$build"/bin/fonts/*; do files+=("fonts/${f##*/}"); done
for f in "$src"/medium/Dralun/*; do files+=("Dralun/${f##*/}"); done
for f in "${files[@]}"; do [[ -f $prog/$f ]] || fail "nach der Installation fehlt $prog/$f"; done
n=$(find "$prog/Dralun" -type f | wc -l)
(( n == 36 )) || fail "$n statt 36 Datendateien in \"$prog/Dralun\""
for f in Dralun "Daten installieren" "Dralun deinstallieren"; do
  [[ -f $menu/$f.lnk ]] || fail "die Verknüpfung \"$menu/$f.lnk\" fehlt"
done
reg() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }
uninst='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dralun'
entry=$(reg "$uninst") || fail "der Eintrag $uninst fehlt"
for want in 'DisplayName.*Dralun 1\.0$' 'DisplayVersion.*1\.0$' 'UninstallString.*"C:\\Program Files\\Dralun\\uninstall\.exe"$' \
            'QuietUninstallString.*"C:\\Program Files\\Dralun\\uninstall\.exe" /S$' 'NoModify.*0x1$' 'NoRepair.*0x1$' \
            'InstallLocation.*C:\\Program Files\\Dralun$' 'DisplayIcon.*dralun\.exe' 'EstimatedSize.*0x[0-9a-f]{4,}'; do
  grep -Eq "$want" <<< "$entry" || fail "im Eintrag $uninst fehlt /$want/: $entry"
done
reg 'HKCR\.dralun' | grep -q 'Dralun\.Projekt' || fail "HKCR\\.dralun zeigt nicht auf Dralun.Projekt"
reg 'HKCR\Dralun.Projekt\shell\open\command' | grep -qF '"C:\Program Files\Dralun\dralun.exe" "%1"' \
  || fail "HKCR\\Dralun.Projekt\\shell\\open\\command startet nicht dralun.exe"

# d: the same report from the installed dralun-report.exe and from Linux.
header=(--projekt "Prüfstraße" --bauwerk "Düker Süd" --bearbeiter "Jörg Weiß" --datum 01.02.2026 --bemerkung "Ölabscheider, Größe")
pdf="$work/Berichte Größe/Rohr Müller.pdf"
start=$(now)
wine "$prog/dralun-report.exe" 130 --click 1020 --out "$(winpath "$pdf")" "${header[@]}" >>"$log" 2>&1 \
  || fail "dralun-report.exe schlug fehl (siehe $log)"
t_pdf=$(took)
[[ -s $pdf ]] || fail "dralun-report.exe schrieb \"$pdf\" nicht"
cp -r "$src"/medium/Dralun "$work/linux-daten"
DRALUN_DATA_DIR=$work/linux-daten "$src/build/bin/dralun-report" 130 --click 1020 --out "$work/linux.pdf" "${header[@]}" >>"$log" 2>&1 \
  || fail "build/bin/dralun-report schlug fehl (siehe $log)"
pdftotext -layout "$pdf" - | tr -d '\r' > "$work/windows.txt"
pdftotext -layout "$work/linux.pdf" - | tr -d '\r' > "$work/linux.txt"
diff -u "$work/linux.txt" "$work/windows.txt" > "$work/pdf.diff" \
  || fail "der Bericht von dralun-report.exe weicht vom Linux-Bericht ab: $work/pdf.diff"

# Every form at its defaults, computed by the installed programs: a project
# holding one calculation of each, printed by the installed
# dralun-report.exe and by the Linux one, the texts equal.
# Both with the same data directory, named relative to the folder they run
# in, as the reports print the rainfall file's name with it.
all="Alle Formulare.dralun"
cd "$work"
for form in $(DRALUN_DATA_DIR=linux-daten/ "$src/build/bin/dralun-calc" --list | cut -f1); do
  DRALUN_DATA_DIR=linux-daten/ "$src/build/bin/dralun-calc" "$form" --add-to "$all" --name "Formular $form" >>"$log" 2>&1 \
    || fail "build/bin/dralun-calc $form --add-to schlug fehl (siehe $log)"
done
start=$(now)
DRALUN_DATA_DIR=linux-daten/ wine "$prog/dralun-report.exe" --project "$all" --out alle-windows.pdf >>"$log" 2>&1 \
  || fail "dralun-report.exe --project schlug fehl (siehe $log)"
t_all=$(took)
DRALUN_DATA_DIR=linux-daten/ "$src/build/bin/dralun-report" --project "$all" --out alle-linux.pdf >>"$log" 2>&1 \
  || fail "build/bin/dralun-report --project schlug fehl (siehe $log)"
pdftotext -layout alle-windows.pdf - | tr -d '\r' > alle-windows.txt
pdftotext -layout alle-linux.pdf - | tr -d '\r' > alle-linux.txt
diff -u alle-linux.txt alle-windows.txt > alle.diff \
  || fail "das Projekt aller Formulare rechnet dralun-report.exe anders als Linux: $work/alle.diff"
cd "$src"

# e, f: the main window, then a project opened through its file type. The
# window is closed as a user would; a program that does not go is ended.
window() { # TITLE: waits up to 60 s for a window named TITLE
  local deadline=$((SECONDS + 60))
  until xwininfo -root -tree 2>/dev/null | grep -qF "\"$1\""; do
    (( SECONDS < deadline )) || return 1
    sleep 0.2
  done
}
close() {
  wine taskkill /im dralun.exe >/dev/null 2>&1 || true
  local deadline=$((SECONDS + 10))
  while xwininfo -root -tree 2>/dev/null | grep -qF '("dralun.exe"'; do
    (( SECONDS < deadline )) || { wine taskkill /f /im dralun.exe >/dev/null 2>&1 || true; break; }
    sleep 0.2
  done
}
start=$(now)
wine "$prog/dralun.exe" >>"$log" 2>&1 &
window "Dralun Bemessungshilfen - Dralun" || fail "das Hauptfenster von dralun.exe erschien nicht in 60 s"
t_window=$(took)
close
mkdir -p "$c/Projekte"
project="$c/Projekte/Projekt Müller.dralun"
DRALUN_DATA_DIR=$work/linux-daten "$src/build/bin/dralun-calc" 130 --click 1020 --add-to "$project" --name "Haltung 1" \
  "${header[@]}" >>"$log" 2>&1 || fail "build/bin/dralun-calc legte das Projekt nicht an (siehe $log)"
start=$(now)
wine cmd /c start "" 'C:\Projekte\Projekt Müller.dralun' >>"$log" 2>&1 || fail "start \"Projekt Müller.dralun\" schlug fehl"
window "Projekt Müller.dralun - Dralun" || fail "das Projekt öffnete sich über den Dateityp nicht in 60 s (kein Fenster \"Projekt Müller.dralun - Dralun\")"
t_project=$(took)
# The screenshot once the window has drawn itself (no longer all black).
shot=$build/windows-installer-check.png deadline=$((SECONDS + 20))
until import -window root "$shot" && [[ $(convert "$shot" -format '%[fx:mean>0.1]' info:) == 1 ]]; do
  (( SECONDS < deadline )) || fail "das Projektfenster blieb leer: $shot"
  sleep 0.5
done
close

# g: uninstall as Apps & Features does (the uninstaller copies itself away
# and returns at once; the folder goes last).
start=$(now)
wine "$prog/uninstall.exe" /S >>"$log" 2>&1 || fail "uninstall.exe /S schlug fehl"
deadline=$((SECONDS + 60))
while [[ -e $prog ]]; do
  (( SECONDS < deadline )) || fail "\"$prog\" ist 60 s nach der Deinstallation noch da: $(cd "$prog" && find . -type f | head -5 | tr '\n' ' ')"
  sleep 0.2
done
t_uninstall=$(took)
[[ ! -e $menu ]] || fail "der Startmenü-Ordner \"$menu\" blieb"
! reg "$uninst" >/dev/null || fail "der Eintrag $uninst blieb"
! reg 'HKCR\.dralun' >/dev/null || fail "HKCR\\.dralun blieb"
! reg 'HKCR\Dralun.Projekt' >/dev/null || fail "HKCR\\Dralun.Projekt blieb"
[[ $(cat "$c/Dralun/eigene-tabelle.txt" 2>/dev/null) == "Meine Tabelle, äöü" ]] \
  || fail "C:\\Dralun\\eigene-tabelle.txt ging bei der Deinstallation verloren"

echo "windows-installer-check: Installation $t_install, PDF $t_pdf (gleich dem Linux-Bericht)," \
  "alle Formulare $t_all (gleich)," \
  "Hauptfenster $t_window, Projekt über .dralun $t_project, Deinstallation $t_uninstall;" \
  "${#files[@]} Dateien, C:\\Dralun\\eigene-tabelle.txt erhalten"
