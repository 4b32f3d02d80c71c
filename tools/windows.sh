#!/usr/bin/env bash
# The Windows build, cross built with MinGW-w64 into build-windows/: the
# engines, the form models, the report, projects, dralun-calc.exe, and the
# window side (dralun.exe, dralun-report.exe, the dralun-install.exe window)
# against the static Qt of tools/qt-windows.sh, all in one folder, with no
# warning let through. Every test runs under Wine (the Qt tests with the
# `windows` platform on Xvfb), in a Wine prefix of the folder's own that has
# Wine's own Windows fonts, then the files dralun-calc.exe writes are
# compared with the Linux ones and the installer dralun-1.0-setup.exe is
# made.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
qt=$(tools/qt-windows.sh)
build=build-windows
# A folder configured without the Qt toolchain cannot take it later.
if [[ -f $build/CMakeCache.txt ]] && ! grep -q "^QT_CHAINLOAD_TOOLCHAIN_FILE" "$build/CMakeCache.txt"; then
  rm -rf "$build"
fi
generator=()
[[ ! -f $build/CMakeCache.txt ]] && command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DDRALUN_WINDOWS_GUI=ON -DDRALUN_BUILD_GUI=ON -DDRALUN_BUILD_TESTS=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/tools/wine-run.sh" >/dev/null
cmake --build "$build" -j"$(nproc)"
export WINEPREFIX="$PWD/$build/wine-prefix"
tools/wine-prefix.sh "$WINEPREFIX"
xvfb-run -a -s "-screen 0 1600x1200x24" ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
tools/windows-files.sh "$build"

# Every form in its window under Wine, its defaults computed, against what
# the Linux dralun-calc prints for the same form (build/, when it is there).
fields=$PWD/$build/fields-check
rm -rf "$fields" && mkdir -p "$fields/linux-daten"
tools/wine-prefix.sh "$WINEPREFIX" # a Wine server started without a display ends
DRALUN_FIELDS_OUT="Z:$fields" QT_QPA_PLATFORM=windows XDG_CONFIG_HOME="$PWD/$build/test-home/config" \
  xvfb-run -a -s "-screen 0 1600x1200x24" tools/wine-run.sh "$build/bin/gui_forms_tests.exe" FormDefaultsTest >/dev/null
if [[ -x build/bin/dralun-calc ]]; then
  cp medium/Dralun/* "$fields/linux-daten/"
  forms=0
  for shown in "$fields"/*.txt; do
    form=$(basename "$shown" .txt)
    DRALUN_DATA_DIR="$fields/linux-daten" build/bin/dralun-calc "$form" | sed "s|$fields/linux-daten/|DATEN/|g" > "$fields/linux-$form.out"
    if grep -vxFf "$fields/linux-$form.out" "$shown" > "$fields/differs-$form.txt"; then
      echo "windows: Formular $form zeigt unter Windows anderes als dralun-calc unter Linux:" >&2
      cat "$fields/differs-$form.txt" >&2
      exit 1
    fi
    forms=$((forms + 1))
  done
  (( forms >= 15 )) || { echo "windows: nur $forms Formulare verglichen" >&2; exit 1; }
  echo "windows: $forms Formulare im Fenster unter Wine wie dralun-calc unter Linux"
fi
cmake --build "$build" --target windows-installer
