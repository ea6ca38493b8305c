# Two backup jobs added through the backup page's folder fields are listed,
# stored in set.ini and listed again after Exit and a new start.
# Usage: backup_jobs.sh WINE-RUN FLAVOUR-EXE DRIVER WORK-FOLDER
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/flavour.sh" "$4"

mkdir -p "$sources/Documents" "$sources/Photos" "$enclosure_dir/backup" "$enclosure_dir/other"
documents=$(winpath "$sources/Documents")
photos=$(winpath "$sources/Photos")
wanted_rows=$(printf '%s\tE:\\backup\n%s\tE:\\other' "$documents" "$photos")

pid=$(start_flavour_shown)
open_backup_page
source_field=$(control_id Edit "Select Folder")
destination_field=$(control_id Edit 'E:\backup')
check_eq "$(listed)" "" "list before any Add"

add_job() { # SOURCE DESTINATION, rows expected after it
    drive set-text "$main_caption" "$source_field" "$1"
    drive set-text "$main_caption" "$destination_field" "$2"
    drive click "$main_caption" Add
    wait_until 60 listed_is "$3" || fail "rows after adding $1:"$'\n'"$(listed)"
}
add_job "$documents" 'E:\backup' "${wanted_rows%%$'\n'*}"
add_job "$photos" 'E:\other' "$wanted_rows"
check_has_line "$(drive texts "$main_caption")" "Select Folder" "source field after Add"

check_eq "$(settings_value BackupSource num)" 2 "num in set.ini"
check_eq "$(settings_value BackupSource 2)" "$photos" "source 2 in set.ini"
check_eq "$(settings_value BackupDestination 2)" 'E:\other' "destination 2 in set.ini"

drive command "$main_caption" "$exit_command"
drive wait-exit "$pid" "$patience" >/dev/null
start_flavour_shown >/dev/null
open_backup_page
check_eq "$(listed)" "$wanted_rows" "rows after a new start"
echo "PASS"
