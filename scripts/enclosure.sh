#!/usr/bin/env bash
# Works the demo's simulated enclosure while scripts/run.sh runs the program:
#   bash scripts/enclosure.sh plug [LETTER] | unplug | press | hold | release | status
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
exec /usr/lib/wine/wine64 "$demo/program/stowkeep-enclosure.exe" "$@"
