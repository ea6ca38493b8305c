#!/usr/bin/env bash
# Installs every Debian package the builds, the tests and the demo need.
set -euo pipefail
packages=(
  cmake g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine64 xvfb x11-utils imagemagick libmagickcore-6.q16-6-extra xdotool nsis
  clang-format clang-tidy cppcheck ccache
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
