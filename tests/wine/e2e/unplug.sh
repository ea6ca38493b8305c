# The enclosure pulled out in the middle of a large file, and while idle: the
# program keeps running and answering, the device buttons take their
# no-enclosure look, the run and Backup say "Please connect device."; plugged in
# again, the buttons come back.
# Usage: unplug.sh WINE-RUN FLAVOUR-EXE DRIVER WORK-FOLDER
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/flavour.sh" "$4"

mkdir -p "$sources/Big" "$enclosure_dir/backup/Big"
head -c 300M /dev/urandom >"$sources/Big/big.bin"
head -c 1M /dev/urandom >"$enclosure_dir/backup/Big/big.bin"
settings_with_jobs "$sources/Big"
# The look changes within a few seconds of the broadcast; 15 s is a generous bound.
look_bound=15000


# The looks of the device buttons without and with the enclosure.
pid=$(start_flavour_learning_looks)

# Pulled out in the middle of the large file: the run is held there by Pause
# (the copy is too quick to catch otherwise) and goes on after the removal.
enclosure press >/dev/null
drive message "$warning_caption" "$patience" >/dev/null
answer_yes_and_pause "$enclosure_dir/backup/Big"
pull_out
drive answers "$main_caption" 5000
drive answers "$copy_caption" 5000
drive click "$copy_caption" Pause
# The large file cannot be put in place on a volume that is gone: the run ends
# saying why, and the older copy's folder went with the enclosure.
check_eq "$(drive message "$app_title" "$patience")" "Please connect device." "run after the removal"
drive press "$app_title" OK
drive wait-hidden "$copy_caption" "$patience"
check_eq "$(drive alive "$pid")" running "after the removal during a run"
drive answers "$main_caption" 5000
drive command "$main_caption" "$main_command"
drive wait-visible "$main_caption" "$patience"
looks_like absent "$look_bound"

put_back
looks_like present "$look_bound"
# Pulled out while idle, then plugged in again.
pull_out
looks_like absent "$look_bound"
put_back
looks_like present "$look_bound"

# Without the enclosure, the backup page's Backup says so and hides the window.
drive click "$main_caption" Backup
drive wait-text "$main_caption" "Source Directory" "$patience"
destination_field=$(control_id Edit 'E:\backup')
pull_out
# The program has taken the removal in once the destination field has lost the enclosure.
destination_reset() { [[ $(field_text "$destination_field") == "Select Folder" ]]; }
wait_until 60 destination_reset || fail "destination field: $(field_text "$destination_field")"
drive click-id "$main_caption" "$(control_id Button Backup)"
check_eq "$(drive message "$app_title" "$patience")" "Please connect device." "Backup unplugged"
drive press "$app_title" OK
drive wait-hidden "$main_caption" "$patience"
check_eq "$(drive count "$copy_caption")" 0 "copy windows after Backup unplugged"
check_eq "$(drive alive "$pid")" running "at the end"
rm -rf "$sources" "$enclosure_dir"
echo "PASS"
