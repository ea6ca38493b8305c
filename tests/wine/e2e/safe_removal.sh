# Safe Removal of the simulated enclosure: a granted removal takes the
# enclosure away and its buttons stop working; a file held open on it makes the
# library refuse, and the enclosure stays usable; without the device library
# the program says why instead of asking.
# Usage: safe_removal.sh WINE-RUN FLAVOUR-EXE DRIVER WORK-FOLDER
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/lib.sh" "$@"
source "$here/flavour.sh" "$4"

question="Are you sure to do Safe Removal?"

# expect_box TEXT: the program's box reads TEXT and nothing else.
expect_box() {
    drive wait-text "$app_title" "$1" "$patience" || fail "no box '$1': $(drive message "$app_title" 0)"
    check_eq "$(drive message "$app_title" 0)" "$1" "the box"
}
# safe_removal ANSWER: clicks the button, answers its question.
safe_removal() {
    drive click "$main_caption" "Safe Removal"
    expect_box "$question"
    drive press "$app_title" "$1"
}
# answered TEXT: the notice after the question reads TEXT; OK closes it.
answered() {
    expect_box "$1"
    drive press "$app_title" OK
    drive wait-hidden "$app_title" "$patience"
}
check_plugged() {
    check_has_line "$(enclosure status | tr -d '\r')" "plugged $1" "the enclosure's state"
}

# The looks of the device buttons without and with the enclosure.
pid=$(start_flavour_learning_looks)

safe_removal Yes
answered "Safe Removal is completed."
looks_like absent
check_plugged 0
# A click on Safe Removal now does nothing: the Setting click posted after it
# opens the Options page, and no box came in between.
drive click "$main_caption" "Safe Removal"
drive click "$main_caption" "Setting"
drive wait-text "$main_caption" "Cancel" "$patience"
check_eq "$(drive count "$app_title")" 0 "boxes after a click without the enclosure"
drive command "$main_caption" "$main_command"

# Another program holds a file of the enclosure open: the removal is refused.
enclosure plug >/dev/null
looks_like present
printf 'draft\r\n' >"$enclosure_dir/letter.txt"
drive hold-file 'E:\letter.txt' 300000 >"$work/holder" 2>"$work/holder.err" </dev/null &
wait_until 60 test -s "$work/holder" || fail "the file was not held: $(cat "$work/holder.err")"
holder=$(tr -d '\r\n' <"$work/holder")
echo "$holder" >>"$scratch/pids"
safe_removal Yes
answered "Please redo Safe Removal."
looks_like present
check_plugged 1
safe_removal No
drive wait-hidden "$app_title" "$patience"
check_plugged 1
drive kill "$holder"
drive command "$main_caption" "$exit_command"
drive wait-exit "$pid" "$patience" >/dev/null

# Without Hatchlink.dll beside it, the program explains before asking anything.
without="$work/without-library"
mkdir -p "$without"
cp "$program" "$program_dir/stowkeep-enclosure.exe" "$program_dir/simulated-enclosure.txt" "$without/"
start_and_wait "$without/$(basename "$program")" >/dev/null
drive command "$main_caption" "$main_command"
drive wait-visible "$main_caption" "$patience"
drive click "$main_caption" "Safe Removal"
answered "Safe Removal is not available: Hatchlink.dll is missing or damaged."
echo "PASS"
