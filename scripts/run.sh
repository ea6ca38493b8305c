#!/usr/bin/env bash
# Installs what is needed, builds both worlds and starts Stowkeep: on Windows
# run the built exe there; here it runs under Wine, on an Xvfb when no display is set.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
bash "$root/scripts/install-deps.sh"
configure_and_build "$root/build/host"
configure_and_build "$windows_build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"
start_display
prepare_wine
echo "Stowkeep runs in the notification area of display $DISPLAY; end it with its Exit menu item or Ctrl+C."
/usr/lib/wine/wine64 "$windows_build/app/Stowkeep(KD-RX710).exe"
/usr/lib/wine/wineserver -w
