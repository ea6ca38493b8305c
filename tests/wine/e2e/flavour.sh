# Shared by the scripts that run the simulated-enclosure flavour: a work folder
# of the test's own with a copy of the flavour's files, E: mapped to the
# enclosure's folder, set.ini written directly, the enclosure command, and
# waits on what a run leaves on disk.
# Usage: source lib.sh WINE-RUN FLAVOUR-EXE DRIVER; source flavour.sh WORK-FOLDER
work=$1
flavour_dir=$(dirname "$exe")
program_dir="$work/program"
program="$program_dir/$(basename "$exe")"
settings="$program_dir/set.ini"
enclosure_dir="$work/enclosure"
sources="$work/sources"
letter_link="${WINEPREFIX:-${STOWKEEP_WINEPREFIX:-$PWD/wineprefix}}/dosdevices/e:"
copy_caption="Copying..."
warning_caption="Warning"

rm -rf "$work"
mkdir -p "$program_dir" "$enclosure_dir" "$sources"
cp "$flavour_dir/"* "$program_dir/"

# E: belongs to this test while it runs; whatever it was before comes back.
previous_letter_target=$(readlink "$letter_link" 2>/dev/null || true)
ln -sfn "$enclosure_dir" "$letter_link"
restore_letter() {
    if [[ -n $previous_letter_target ]]; then
        ln -sfn "$previous_letter_target" "$letter_link"
    else
        rm -f "$letter_link"
    fi
}
end_flavour() {
    end_started
    restore_letter
}
trap end_flavour EXIT

# enclosure plug [LETTER] | unplug | press | hold | release | status
enclosure() { "$wine_run" "$program_dir/stowkeep-enclosure.exe" "$@" </dev/null; }

# Lines of set.ini as the program's own writes leave them (CRLF).
write_settings() { printf '%s\r\n' "$@" >"$settings"; }

# settings_with_jobs SOURCE...: Automatic Backup on, one job per source folder
# (a Unix path), each to E:\backup.
settings_with_jobs() {
    local lines=("[Auto]" "BackUp=on" "[BackupSource]" "num=$#") k=1 source
    for source in "$@"; do
        lines+=("$k=$(winpath "$source")")
        k=$((k + 1))
    done
    lines+=("[BackupDestination]")
    for ((k = 1; k <= $#; k++)); do lines+=("$k=E:\\backup"); done
    write_settings "${lines[@]}"
}

# The text of set.ini in UTF-8, whether the file is in the ANSI code page (ASCII
# here) or UTF-16LE after its byte-order mark.
settings_text() {
    if [[ $(head -c 2 "$settings" | od -An -tx1 | tr -d ' ') == fffe ]]; then
        iconv -f UTF-16 -t UTF-8 "$settings"
    else
        cat "$settings"
    fi
}

# settings_value SECTION KEY: the value in set.ini, empty when absent.
settings_value() {
    settings_text | tr -d '\r' | awk -v section="[$1]" -v key="$2" '
        /^\[/ { inside = tolower($0) == tolower(section); next }
        inside && tolower(substr($0, 1, length(key) + 1)) == tolower(key "=") {
            print substr($0, length(key) + 2); exit }'
}

# control_id CLASS TEXT [AFTER]: the id of the first visible control of the
# main window with this class and text ("" matches any text), after the control
# whose text is AFTER when given (a group box before its radio buttons). Fails
# when there is none. The texts reach awk through its environment, which
# leaves backslashes alone.
control_id() {
    local id
    id=$(drive controls "$main_caption" |
        class=$1 text=$2 after=${3:-} awk -F '\t' '
            BEGIN { class = ENVIRON["class"]; text = ENVIRON["text"]; after = ENVIRON["after"] }
            after != "" && $5 == after { after = ""; next }
            after == "" && $2 == class && $3 == "visible" && (text == "" || $5 == text) {
                print $1; exit }')
    [[ -n $id ]] || fail "no visible $1 '$2' in the main window"
    echo "$id"
}

# field_text ID: the text of the main window's control with this id.
field_text() { drive controls "$main_caption" | awk -F '\t' -v id="$1" '$1 == id { print $5; exit }'; }

# wait_until SECONDS COMMAND...: runs COMMAND until it succeeds; fails after SECONDS.
wait_until() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}

# The device picture buttons whose look follows the enclosure; Safe Removal
# keeps the focus ring once a box has closed, so it is checked by its clicks.
device_buttons=("Backup" "Virtual HDD")

# Starts the flavour with the enclosure pulled out, keeps each device button's
# look as $work/BUTTON.absent, plugs the enclosure in and keeps the new look as
# $work/BUTTON.present; prints the program's process id.
start_flavour_learning_looks() {
    local pid button
    enclosure unplug >/dev/null
    pid=$(start_flavour_shown)
    for button in "${device_buttons[@]}"; do
        drive snap "$main_caption" "$button" "$work/$button.absent" >&2
    done
    enclosure plug >/dev/null
    for button in "${device_buttons[@]}"; do
        drive wait-new-look "$main_caption" "$button" "$work/$button.absent" "$patience" >&2
        drive snap "$main_caption" "$button" "$work/$button.present" >&2
    done
    echo "$pid"
}

# looks_like LOOK [MS]: every device button shows the look kept as $work/BUTTON.LOOK.
looks_like() {
    local button
    for button in "${device_buttons[@]}"; do
        drive wait-look "$main_caption" "$button" "$work/$button.$1" "${2:-$patience}" ||
            fail "'$button' does not look $1"
    done
}

# Starts the flavour from its work folder and shows its main window.
start_flavour_shown() {
    local pid
    pid=$(start_and_wait "$program")
    drive command "$main_caption" "$main_command"
    drive wait-visible "$main_caption" "$patience" >&2
    echo "$pid"
}

# answer_yes_and_pause FOLDER: with the overwrite question up, answers Yes and
# clicks Pause the moment a new file shows in FOLDER (a Unix path): the copy
# runs at hundreds of MB/s, too quick for looks from the script.
answer_yes_and_pause() {
    drive click-on-new-file "$copy_caption" Pause "$(winpath "$1")" "$patience" \
        >"$work/pause-watcher.txt" 2>&1 </dev/null &
    local watcher=$!
    wait_until 60 grep -qs watching "$work/pause-watcher.txt" ||
        fail "the folder watcher did not start"
    drive press "$warning_caption" Yes
    wait "$watcher" || fail "Pause was not clicked: $(cat "$work/pause-watcher.txt")"
}

# The end of a backup run: the copy window and then the main window hidden, and
# the user-interface thread answering again once the run's reaction is over.
run_ended() {
    drive wait-hidden "$copy_caption" "$patience"
    drive wait-hidden "$main_caption" "$patience"
    drive answers "$main_caption" "$patience"
}

# The enclosure pulled out: its state, the broadcast, and its disk gone from E:.
pull_out() {
    enclosure unplug >/dev/null
    rm -f "$letter_link"
}
put_back() {
    ln -sfn "$enclosure_dir" "$letter_link"
    enclosure plug >/dev/null
}

# One job whose source holds a 300 MB file, with a smaller older copy of it
# already in its destination ($destination, a Unix path; the older copy is
# also kept in $work/older.bin).
large_file_over_an_older_copy() {
    mkdir -p "$sources/Big" "$enclosure_dir/backup/Big"
    head -c 300M /dev/urandom >"$sources/Big/big.bin"
    head -c 1M /dev/urandom >"$work/older.bin"
    cp "$work/older.bin" "$enclosure_dir/backup/Big/big.bin"
    settings_with_jobs "$sources/Big"
    destination="$enclosure_dir/backup/Big"
}

# The backup page shown, and the rows of the main window's list (tab between
# the columns, a line a row).
open_backup_page() {
    drive click "$main_caption" Backup
    drive wait-text "$main_caption" "Source Directory" "$patience"
}
listed() { drive rows "$main_caption" "$(control_id SysListView32 "")"; }
listed_is() { [[ $(listed) == "$1" ]]; }
