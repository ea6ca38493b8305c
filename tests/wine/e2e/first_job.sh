# A new enclosure without a backup folder: the first job is added with the
# destination field's preset E:\backup, and the Backup button copies a source
# with an apostrophe above its last folder byte for byte into E:\backup\Music.
# Usage: first_job.sh WINE-RUN FLAVOUR-EXE DRIVER WORK-FOLDER
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/flavour.sh" "$4"

music="$sources/O'Brien/Music"
mkdir -p "$music/Live"
printf 'Track list:\r\n1. Morning\r\n' >"$music/tracks.txt"
: >"$music/empty.txt"
head -c 700007 /dev/urandom >"$music/Live/concert.mp3"
head -c 4097 /dev/urandom >"$music/Live/encore.mp3"
music_path=$(winpath "$music")
backup="$enclosure_dir/backup"
[[ ! -e $backup ]] || fail "the enclosure is not new: $backup exists"


start_flavour_shown >/dev/null
drive click "$main_caption" Backup
drive wait-text "$main_caption" "Source Directory" "$patience"
source_field=$(control_id Edit "Select Folder")
control_id Edit 'E:\backup' >/dev/null

drive set-text "$main_caption" "$source_field" "$music_path"
drive click "$main_caption" Add
wait_until 60 listed_is "$music_path"$'\t''E:\backup' ||
    fail "rows after the first Add:"$'\n'"$(listed)"
[[ -d $backup ]] || fail "Add did not make E:\\backup"
check_eq "$(settings_value BackupDestination 1)" 'E:\backup' "destination 1 in set.ini"

drive click-id "$main_caption" "$(control_id Button Backup)"
drive wait-visible "$copy_caption" "$patience"
drive wait-hidden "$copy_caption" "$patience"
drive wait-hidden "$main_caption" "$patience"
diff -r "$music" "$backup/Music" || fail "E:\\backup\\Music differs from the source"
check_eq "$(ls "$backup")" "Music" "folders in E:\\backup"
echo "PASS"
