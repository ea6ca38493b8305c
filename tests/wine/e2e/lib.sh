# Shared by the end-to-end scripts: run the driver under Wine, start the
# program, check what the driver reads, and end every instance we started.
# Usage: source lib.sh WINE-RUN EXE DRIVER
set -euo pipefail
wine_run=$1
exe=$2
driver=$3

main_caption="Stowkeep (KD-RX710)"
app_title="Stowkeep(KD-RX710)"
about_caption="About..."
# The main window answers these WM_COMMAND ids like its notification-area menu.
about_command=$((0x7101))
main_command=$((0x7102))
exit_command=$((0x7103))
# A fresh Wine prefix may take a while to show the first window.
patience=60000

winpath() {
    local p
    p=$(readlink -f "$1")
    printf 'Z:%s' "${p//\//\\}"
}

drive() { "$wine_run" "$driver" "$@"; }

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
check_eq() { [[ $1 == "$2" ]] || fail "$3: expected '$2', got '$1'"; }
check_has_line() { grep -qxF -- "$2" <<<"$1" || fail "$3: no line '$2' in:"$'\n'"$1"; }

scratch=$(mktemp -d)
# start_app EXE [WINDOWS-FOLDER]: starts it, prints its process id. Under Wine
# the program inherits the driver's output at the Unix level, so that output
# goes to a file: a pipe would stay open until the program ends. The ids are
# kept in a file too, since callers run this in a command substitution.
start_app() {
    if ! drive start "$(winpath "$1")" ${2:+"$2"} >"$scratch/started" 2>&1 </dev/null; then
        fail "cannot start $1: $(cat "$scratch/started")"
    fi
    cat "$scratch/started" >>"$scratch/pids"
    cat "$scratch/started"
}
end_started() {
    local pid
    if [[ -f $scratch/pids ]]; then
        while read -r pid; do drive kill "$pid" >/dev/null 2>&1 || true; done <"$scratch/pids"
    fi
    rm -rf "$scratch"
}
trap end_started EXIT

# The program's main window exists once its start-up has run.
start_and_wait() {
    local pid
    pid=$(start_app "$@")
    drive wait-window "$main_caption" "$patience" >&2
    echo "$pid"
}
