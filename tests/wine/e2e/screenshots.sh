# Screenshots of every window and page of the simulated-enclosure flavour, each
# taken once the screen has settled, into OUT-FOLDER (printed), which CI keeps.
# Usage: screenshots.sh WINE-RUN FLAVOUR-EXE DRIVER WORK-FOLDER SHOWCASE OUT-FOLDER
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/flavour.sh" "$4"
showcase=$5
out=$6
rm -rf "$out" && mkdir -p "$out"
echo "screenshots: $out"

# shoot NAME: the whole screen once two shots in a row are the same.
shoot() {
    local shot="$work/shot.png" last="$work/last.png"
    rm -f "$last"
    for _ in $(seq 60); do
        import -window root -strip "$shot"
        if [[ -f $last ]] && cmp -s "$shot" "$last"; then
            mv "$shot" "$out/$1.png"
            echo "screenshots: $1.png"
            return
        fi
        mv "$shot" "$last"
    done
    fail "the screen did not settle for $1"
}
box_shot() { # CAPTION TEXT NAME: the box that reads TEXT
    drive wait-text "$1" "$2" "$patience" || fail "no box '$2': $(drive message "$1" 0)"
    shoot "$3"
}
visible_click() { drive click-id "$main_caption" "$(control_id Button "$1")"; }
rows_are() { [[ $(listed | wc -l) == "$1" ]]; }

# Two jobs, the second with one large file, copied before: the run asks
# before reusing its folder, and is paused during the large file. The second
# source's Windows path is 120 characters long, so the copy window shortens
# its job line, and still ends in Photos.
mkdir -p "$sources/Documents/Letters"
base=$(winpath "$sources")
filler=$((120 - ${#base} - 8)) # a backslash before it, \Photos after it
((filler > 0)) || fail "the work folder's path is too long for a 120-character source"
words=Holiday-pictures-from-the-summer-by-the-sea-
words=$words$words$words$words
photos="$sources/${words:0:filler}/Photos"
mkdir -p "$photos" "$enclosure_dir/backup/Photos"
long=$(winpath "$photos")
check_eq "${#long}" 120 "length of the second source"
printf 'Dear reader,\r\n' >"$sources/Documents/Letters/letter-1.txt"
head -c 300000 /dev/urandom >"$sources/Documents/photo-1.jpg"
truncate -s 300M "$photos/panorama.raw"
settings_with_jobs "$sources/Documents" "$photos"

enclosure unplug >/dev/null
pid=$(start_flavour_shown)
shoot main-page-no-enclosure
drive snap "$main_caption" Backup "$work/backup.absent"
enclosure plug >/dev/null
drive wait-new-look "$main_caption" Backup "$work/backup.absent" "$patience"
shoot main-page

drive click "$main_caption" Setting
drive wait-text "$main_caption" Cancel "$patience"
shoot options-page
visible_click Cancel
drive wait-text "$main_caption" "Safe Removal" "$patience"

drive click "$main_caption" Backup
drive wait-text "$main_caption" "Source Directory" "$patience"
wait_until 60 rows_are 2 || fail "jobs listed: $(listed)"
shoot backup-page
visible_click Backup
box_shot "$warning_caption" 'If you want to overwrite, then click "Yes". Otherwise, click "No"' warning-box
answer_yes_and_pause "$enclosure_dir/backup/Photos"
job_line="From : $long  ----->  To: E:\\backup\\Photos"
drive controls "$copy_caption" | line=$job_line awk -F '\t' '$5 == ENVIRON["line"] { found = 1 }
    END { exit !found }' || fail "no whole job line in: $(drive controls "$copy_caption")"
shoot copy-window
drive click "$copy_caption" Cancel
drive wait-hidden "$copy_caption" "$patience"

drive command "$main_caption" "$main_command"
drive click "$main_caption" "Virtual HDD"
drive wait-text "$main_caption" "File Create" "$patience"
name_field=$(control_id Edit "" "Fixed Disk")
size_field=$(control_id Edit "0")
request() { # TYPE NAME [SIZE]: SIZE goes in once the type has reset the field
    drive click "$main_caption" "$1"
    local reset=1440
    [[ -z ${3:-} ]] || reset=0
    drive wait-text "$main_caption" "$reset" "$patience"
    [[ -z ${3:-} ]] || drive set-text "$main_caption" "$size_field" "$3"
    drive set-text "$main_caption" "$name_field" "$2"
    local before
    before=$(listed | wc -l)
    visible_click Add
    wait_until 60 rows_are $((before + 1)) || fail "rows after $2: $(listed)"
}
request "Floppy Disk" FLOPPY
request "Fixed Disk" SYSTEM 2
request "Removable Disk" HUGE 99999
shoot image-page
drive click "$main_caption" "File Create"
box_shot "$app_title" "File create is Not Completed." error-box
drive press "$app_title" OK
wait_until 60 rows_are 0 || fail "rows after File Create: $(listed)"

drive command "$main_caption" "$main_command"
drive click "$main_caption" "Safe Removal"
box_shot "$app_title" "Are you sure to do Safe Removal?" confirmation-box
drive press "$app_title" Yes
box_shot "$app_title" "Safe Removal is completed." notice-box
drive press "$app_title" OK
drive wait-hidden "$app_title" "$patience"

drive command "$main_caption" "$about_command"
drive wait-visible "$about_caption" "$patience"
shoot about
drive command "$main_caption" "$exit_command"
drive wait-exit "$pid" "$patience" >/dev/null
rm -rf "$enclosure_dir/backup" # the large copy is no use after its picture

# The wait window is up only while File Create runs: the showcase keeps it up.
# Its picture moves, so the screen never settles: one shot once it shows.
drive start "$(winpath "$showcase")" "" wait >"$scratch/started" 2>&1 </dev/null ||
    fail "cannot start the showcase: $(cat "$scratch/started")"
cat "$scratch/started" >>"$scratch/pids"
drive wait-text "" "Please wait..." "$patience"
import -window root -strip "$out/wait-window.png"
echo "screenshots: wait-window.png"
echo "PASS"
