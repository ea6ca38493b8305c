#!/usr/bin/env bash
# Installs what is needed, builds both worlds and starts Stowkeep. Here, with
# no Windows and no enclosure at hand, it runs the simulated-enclosure flavour
# under Wine (on an Xvfb when no display is set): the enclosure's disk is the
# folder build/demo/enclosure, mapped to E:, and two sample folders are set up
# as backup jobs. Work the enclosure with scripts/enclosure.sh while it runs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
bash "$root/scripts/install-deps.sh"
configure_and_build "$root/build/host"
configure_and_build "$windows_build" "${windows_options[@]}"
start_display
prepare_wine
prepare_demo
echo "Stowkeep runs in the notification area of display $DISPLAY; end it with its Exit menu item or Ctrl+C."
echo "The enclosure's disk is $demo/enclosure (E:). In another shell:"
echo "  bash scripts/enclosure.sh press     # the one-touch button: backs up the two sample folders"
echo "  bash scripts/enclosure.sh unplug    # or plug, hold, release, status"
/usr/lib/wine/wine64 "$demo/program/Stowkeep(KD-RX710).exe"
/usr/lib/wine/wineserver -w
