# Virtual HDD in Slow mode: a Floppy Disk and a 2 GB Fixed Disk requested on
# the image page become files of their sizes in the enclosure's _iso folder,
# with zeros written over their first and last sectors and nothing else.
# Usage: virtual_hdd.sh WINE-RUN FLAVOUR-EXE DRIVER WORK-FOLDER
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/flavour.sh" "$4"

write_settings "[Virtual_HDD]" "Option=Slow"
rows() { # STATUS: both requests with this status
    printf '1\tFloppy Disk\tFLOPPY\t1440 KB\t%s\n2\tFixed Disk\tSYSTEM\t2 GB\t%s' "$1" "$1"
}
# check_image FILE SIZE: its size, zeroed first and last sectors, and no more
# than those two sectors' blocks written: the rest was never filled in.
check_image() {
    [[ -f $1 ]] || fail "no file $1"
    check_eq "$(stat -c %s "$1")" "$2" "size of $1"
    cmp -n 512 "$1" /dev/zero || fail "first sector of $1"
    tail -c 512 "$1" | cmp -n 512 - /dev/zero || fail "last sector of $1"
    local written=$(($(stat -c %b "$1") * 512))
    ((written > 0 && written <= 65536)) || fail "$written bytes written to $1"
}

start_flavour_shown >/dev/null
drive click "$main_caption" "Virtual HDD"
drive wait-text "$main_caption" "File Create" "$patience"
check_has_line "$(drive texts "$main_caption")" 'E:\_iso' "the image folder"
name_field=$(control_id Edit "" "Fixed Disk")
size_field=$(control_id Edit "0")
# The backup page has an Add of its own.
add_button=$(control_id Button Add)

drive click "$main_caption" "Floppy Disk"
drive wait-text "$main_caption" 1440 "$patience"
drive set-text "$main_caption" "$name_field" FLOPPY
drive click-id "$main_caption" "$add_button"
wait_until 60 listed_is "$(rows Waiting | head -1)" || fail "rows after the floppy:"$'\n'"$(listed)"
drive click "$main_caption" "Fixed Disk"
drive wait-text "$main_caption" 0 "$patience"
drive set-text "$main_caption" "$size_field" 2
drive set-text "$main_caption" "$name_field" SYSTEM
drive click-id "$main_caption" "$add_button"
wait_until 60 listed_is "$(rows Waiting)" || fail "rows after the fixed disk:"$'\n'"$(listed)"

started_at=$(date +%s%N)
drive click "$main_caption" "File Create"
drive wait-text "$app_title" "File create is Completed." 120000 ||
    fail "File Create ended with: $(drive message "$app_title" 0)"$'\n'"$(listed)"
echo "Slow File Create of both files: $((($(date +%s%N) - started_at) / 1000000)) ms"
check_eq "$(listed)" "$(rows Completed)" "rows at the end"
check_image "$enclosure_dir/_iso/FLOPPY.ima" 1474560
check_image "$enclosure_dir/_iso/SYSTEM.dsk" 2147483648
drive press "$app_title" OK
wait_until 60 listed_is "" || fail "rows after the final message:"$'\n'"$(listed)"
echo "PASS"
