# First start from an empty folder: no window shows; Main shows the main window;
# Automatic Backup ON and OK on the Setting page store it in set.ini.
# Usage: first_start.sh WINE-RUN FLAVOUR-EXE DRIVER WORK-FOLDER
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/flavour.sh" "$4"

pid=$(start_and_wait "$program")
check_eq "$(drive count "$main_caption")" 0 "visible main windows after start"
[[ ! -e $settings ]] || fail "set.ini exists before any setting was made"

drive command "$main_caption" "$main_command"
drive wait-visible "$main_caption" "$patience"
drive click "$main_caption" Setting
drive wait-text "$main_caption" "Automatic Backup" "$patience"
drive click-id "$main_caption" "$(control_id Button ON "Automatic Backup")"
drive click "$main_caption" OK
check_eq "$(drive message "$app_title" "$patience")" "Setting is completed." "notice after OK"
drive press "$app_title" OK
drive wait-text "$main_caption" "Safe Removal" "$patience"

check_eq "$(settings_value Auto BackUp)" on "BackUp in section Auto"
check_eq "$(settings_value Auto Run)" off "Run in section Auto"
check_eq "$(settings_value Virtual_HDD Option)" Slow "Option in section Virtual_HDD"
check_eq "$(drive alive "$pid")" running "after OK"
echo "PASS"
