#!/usr/bin/env bash
# Qt for Windows, built here: Debian's own qt6-base source (the same 6.4.2 as
# the Linux build uses), with Debian's patches, cross built with Debian's
# MinGW-w64 as a static release library with only what the program uses.
# It goes into a cache folder outside the clone and is built only once; the
# folder's name carries a key of the Qt version, the configure options, the
# compiler version and the project's MinGW toolchain, so a change of any of
# them builds anew.
#   tools/qt-windows.sh          prints the folder of the installed Qt
# About 15-20 minutes on 2 cores the first time, a second after.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh >&2

version=6.4.2+dfsg-10
upstream=6.4.2+dfsg
orig_sha256=4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e
options=(-xplatform win32-g++ -qt-host-path /usr -static -release -nomake examples -nomake tests
  -no-opengl -no-dbus -no-icu -no-feature-direct2d1_1 -qt-zlib -qt-pcre -qt-libpng -qt-freetype
  -qt-harfbuzz -qt-doubleconversion -no-libjpeg -no-gif -no-feature-sql -no-feature-network
  -no-feature-concurrent -no-feature-xml -no-feature-tabletevent -cmake-generator Ninja)
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion)
key=$(printf '%s\n' "$version" "${options[*]}" "$compiler" "$(cat cmake/mingw-w64-x86_64.cmake)" | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/dralun
prefix=$cache/qt-6.4.2-mingw-static-$key
if [[ -f "$prefix/.complete" ]]; then
  echo "$prefix"
  exit 0
fi

work=$cache/qt-work-$key
rm -rf "$work" "$prefix"
mkdir -p "$work/apt/lists/partial"

# The source package through an apt state of this script's own: the
# machine's sources stay as they are.
mirror=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
cat >"$work/apt/deb-src.sources" <<EOF
Types: deb-src
URIs: ${mirror:-http://deb.debian.org/debian}
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/apt"
  -o "Dir::State::Lists=$work/apt/lists" -o Debug::NoLocking=1)
apt-get "${apt_options[@]}" update >&2
(cd "$work" && apt-get "${apt_options[@]}" source --download-only "qt6-base=$version" >&2)
echo "$orig_sha256  $work/qt6-base_$upstream.orig.tar.xz" | sha256sum -c --quiet
(cd "$work" && dpkg-source --no-check -x "qt6-base_$version.dsc" src >&2)

# The project's MinGW toolchain without its static link flags: Qt links its
# own tools and plugins as it needs.
cat >"$work/mingw.cmake" <<EOF
include("$PWD/cmake/mingw-w64-x86_64.cmake")
set(CMAKE_EXE_LINKER_FLAGS_INIT "")
EOF
mkdir -p "$work/build"
(cd "$work/build" && "$work/src/configure" -prefix "$prefix" "${options[@]}" -- \
  -DCMAKE_TOOLCHAIN_FILE="$work/mingw.cmake" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >&2)
cmake --build "$work/build" -j"$(nproc)" >&2
cmake --install "$work/build" >&2
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
