#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and looking at Dralun need.
# Idempotent: asks dpkg first and calls apt-get only for what is missing.
set -euo pipefail

packages=(
  g++ make cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-translations-l10n
  nlohmann-json3-dev libmuparser-dev zlib1g-dev poppler-utils
  fonts-dejavu-core fonts-noto-mono
  xvfb xauth imagemagick ccache
  clang libclang-rt-14-dev
  dpkg-dev file desktop-file-utils appstream shared-mime-info
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64 fonts-wine nsis x11-utils
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "setup: installing ${missing[*]}" >&2
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
