#!/usr/bin/env bash
# Screenshots of the widget gallery (ui/gallery) under Wine on an Xvfb, at 96 and at
# 144 DPI. Usage: screenshot-gallery.sh [windows-build-dir] [output-dir]
# DISPLAY_NUMBER picks the Xvfb display (default :11).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath "${1:-$root/build/windows}")
out=$(realpath -m "${2:-$build/screenshots}")
display=${DISPLAY_NUMBER:-:11}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix} WINEDEBUG=-all DISPLAY=$display
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
gallery=$build/ui/gallery/stowkeep_gallery.exe
mkdir -p "$out"

cmake --build "$build" --target stowkeep_gallery -j2

xvfb_pid=
if ! xdpyinfo -display "$display" >/dev/null 2>&1; then
  Xvfb "$display" -screen 0 2560x1600x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.2; done
fi
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

set_dpi() {
  local hex
  hex=$(printf '0x%x' "$1")
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$hex" /f >/dev/null
  "$wine" reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$hex" /f >/dev/null
  "$wineserver" -w
}

# With no window manager on the Xvfb, Wine draws the title bars itself.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null

for dpi in 96 144; do
  set_dpi "$dpi"
  marker=$(mktemp -u "$out/ready.XXXXXX")
  "$wine" "$gallery" "Z:${marker//\//\\}" &
  gallery_pid=$!
  for _ in $(seq 300); do [[ -e $marker ]] && break; sleep 0.2; done
  [[ -e $marker ]] || { echo "gallery did not come up at $dpi DPI" >&2; exit 1; }
  sleep 0.5
  import -display "$display" -window root "$out/gallery-$dpi.png"
  convert "$out/gallery-$dpi.png" -trim +repage "$out/gallery-$dpi.png"
  rm -f "$marker"
  kill "$gallery_pid" 2>/dev/null || true
  "$wineserver" -k 2>/dev/null || true
  wait "$gallery_pid" 2>/dev/null || true
  echo "$out/gallery-$dpi.png"
done
