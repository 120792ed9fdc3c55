#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing orbalt need,
# asking apt only when one of them is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkgconf python3 clang libclang-rt-14-dev llvm clang-format-14 clang-tidy-14
  libgtest-dev libgmock-dev libbenchmark-dev libosmesa6-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xdotool x11-utils x11-apps imagemagick evilwm libxrandr-dev
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
