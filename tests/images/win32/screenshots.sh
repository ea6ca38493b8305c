#!/usr/bin/env bash
# Screenshots of the image page (listed, during a run, after it) and the Options page under
# Wine: screenshots.sh <Windows build folder> <output folder>. Needs DISPLAY and WINEPREFIX.
set -euo pipefail
build=$1
out=$2
mkdir -p "$out"
preview="$build/tests/images/pages_preview.exe"
for what in image run after options; do
  marker="$out/$what.ready"
  rm -f "$marker"
  /usr/lib/wine/wine64 "$preview" "$what" "$(winepath -w "$marker" 2>/dev/null || echo "Z:$marker" | tr / '\\')" &
  pid=$!
  for _ in $(seq 300); do [[ -f $marker ]] && break; sleep 0.2; done
  import -window root "$out/page-$what.png"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  rm -f "$marker"
done
/usr/lib/wine/wine64 cmd /c 'rd /s /q %TEMP%\stowkeep-preview' >/dev/null 2>&1 || true
