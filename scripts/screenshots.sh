#!/usr/bin/env bash
# Screenshots of the main page, the About window and the wait window, taken
# under Wine from the Windows build, into screenshots/ (not kept in git); then
# every window and page of the simulated-enclosure flavour, by its end-to-end
# journey, into the build's screenshots/ folder.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
build=${STOWKEEP_WINDOWS_BUILD:-$windows_build}
export WINEPREFIX="$build/wineprefix"
out="$root/screenshots"
exe="$build/app/Stowkeep(KD-RX710).exe"
driver="$build/tests/wine/stowkeep_driver.exe"
showcase="$build/tests/wine/stowkeep_showcase.exe"
wine=/usr/lib/wine/wine64

flavour="$build/simulated-enclosure/Stowkeep(KD-RX710).exe"
if [[ ! -f $exe || ! -f $driver || ! -f $showcase || ! -f $flavour ]]; then
    configure_and_build "$build" "${windows_options[@]}"
fi
start_display
prepare_wine
mkdir -p "$out"

drive() { "$wine" "$driver" "$@"; }
winpath() { local p; p=$(readlink -f "$1"); printf 'Z:%s' "${p//\//\\}"; }
# The X window of a visible Wine window, by its exact title.
x_window() { xdotool search --onlyvisible --name "^$(sed 's/[][().*^$]/\\&/g' <<<"$1")\$" | head -1; }
shoot() { # title-or-window-id, file
    local id=$1
    [[ $id =~ ^[0-9]+$ ]] || id=$(x_window "$1")
    sleep 1 # let the skin finish painting
    import -window "$id" "$out/$2"
    echo "screenshots: $out/$2"
}

pids="$(mktemp)"
end_started() {
    while read -r p; do drive kill "$p" >/dev/null 2>&1 || true; done <"$pids"
    : >"$pids"
}
trap 'end_started; rm -f "$pids"' EXIT

# Output to a file: the program keeps the driver's output open while it runs.
drive start "$(winpath "$exe")" >>"$pids" </dev/null 2>&1
drive wait-window "Stowkeep (KD-RX710)" 60000
drive command "Stowkeep (KD-RX710)" $((0x7102))
drive wait-visible "Stowkeep (KD-RX710)" 60000
shoot "Stowkeep (KD-RX710)" main-page.png
drive click "Stowkeep (KD-RX710)" Close
drive wait-hidden "Stowkeep (KD-RX710)" 60000
drive command "Stowkeep (KD-RX710)" $((0x7101))
drive wait-visible "About..." 60000
shoot "About..." about.png
drive command "Stowkeep (KD-RX710)" $((0x7103))

drive start "$(winpath "$showcase")" "" wait >>"$pids" </dev/null 2>&1
for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --class stowkeep_showcase 2>/dev/null | head -1 || true)
    [[ -n $id ]] && break
    sleep 0.2
done
[[ -n ${id:-} ]] || { echo "screenshots: the wait window did not show" >&2; exit 1; }
shoot "$id" wait-window.png

# The journey finds the program's windows by their captions: ours must be gone.
end_started
ctest --test-dir "$build" -R '^e2e_screenshots$' --output-on-failure
echo "screenshots: $build/screenshots"

# The same journey at 150 %, in a prefix of its own whose LogPixels (the
# system dpi Wine gives its processes) is 144, so other runs keep 100 %.
(
    export WINEPREFIX="$build/wineprefix-150"
    prepare_wine
    for key in 'HKCU\Control Panel\Desktop' \
        'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
        "$wine" reg add "$key" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
    done
    trap '/usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
    bash "$root/tests/wine/e2e/screenshots.sh" "$root/cmake/wine-run" "$flavour" "$driver" \
        "$build/tests/wine/screenshots-150" "$showcase" "$build/screenshots-150"
)
echo "screenshots: $build/screenshots-150"
