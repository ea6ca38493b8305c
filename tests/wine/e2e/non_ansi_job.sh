# A backup job for a folder whose name no ANSI code page holds, added through
# the backup page to a set.ini in the ANSI code page: the file keeps the name,
# the job is listed again after Exit and a new start, and a press of the
# enclosure's button copies it byte for byte, with the job stored before it.
# Usage: non_ansi_job.sh WINE-RUN FLAVOUR-EXE DRIVER WORK-FOLDER
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/flavour.sh" "$4"
# Wine reads the driver's arguments in the locale's character set.
export LC_ALL=C.UTF-8

photos="$sources/Фото 日本"
mkdir -p "$sources/Documents" "$photos/Альбом" "$enclosure_dir/backup"
printf 'Shopping: bread, milk, tea.\r\n' >"$sources/Documents/notes.txt"
printf 'Камера, 東京.\r\n' >"$photos/описание.txt"
head -c 300007 /dev/urandom >"$photos/Альбом/снимок 1.jpg"
settings_with_jobs "$sources/Documents"
wanted_rows=$(printf '%s\tE:\\backup\n%s\tE:\\backup' "$(winpath "$sources/Documents")" \
    "$(winpath "$photos")")


pid=$(start_flavour_shown)
open_backup_page
drive set-text "$main_caption" "$(control_id Edit "Select Folder")" "$(winpath "$photos")"
drive click "$main_caption" Add
wait_until 60 listed_is "$wanted_rows" || fail "rows after Add:"$'\n'"$(listed)"

check_eq "$(head -c 2 "$settings" | od -An -tx1 | tr -d ' ')" fffe "set.ini's first bytes"
check_eq "$(settings_value BackupSource 2)" "$(winpath "$photos")" "source 2 in set.ini"
check_eq "$(settings_value BackupSource 1)" "$(winpath "$sources/Documents")" \
    "source 1 in set.ini"
check_eq "$(settings_value Auto BackUp)" on "BackUp in set.ini"

drive command "$main_caption" "$exit_command"
drive wait-exit "$pid" "$patience" >/dev/null
start_flavour_shown >/dev/null
open_backup_page
check_eq "$(listed)" "$wanted_rows" "rows after a new start"

enclosure press >/dev/null
drive wait-visible "$copy_caption" "$patience"
run_ended
diff -r "$sources/Documents" "$enclosure_dir/backup/Documents" ||
    fail "the job before the new one was not copied"
diff -r "$photos" "$enclosure_dir/backup/Фото 日本" || fail "the new job's copy differs"
echo "PASS"
