# Pause and Cancel in the middle of a large file: the paused window still
# answers and writes nothing more; Cancel ends the run, the older copy of the
# file stays as it was and nothing half-written is left beside it.
# Usage: pause_cancel.sh WINE-RUN FLAVOUR-EXE DRIVER WORK-FOLDER
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/flavour.sh" "$4"

large_file_over_an_older_copy

# The size of what is being written beside the older copy, empty when nothing is.
new_copy_size() { find "$destination" -type f ! -name big.bin -printf '%s\n'; }

start_and_wait "$program" >/dev/null
enclosure press >/dev/null
drive message "$warning_caption" "$patience" >/dev/null
answer_yes_and_pause "$destination"
# A paused run keeps answering; a few seconds is a generous bound for one message.
drive answers "$copy_caption" 5000
size_when_paused=$(new_copy_size)
[[ -n $size_when_paused ]] || fail "no copy of the large file under way when paused"
((size_when_paused < $(stat -c %s "$sources/Big/big.bin"))) || fail "the copy ended before Pause"
drive answers "$copy_caption" 5000
check_eq "$(new_copy_size)" "$size_when_paused" "bytes written while paused"

drive click "$copy_caption" Cancel
drive wait-hidden "$copy_caption" "$patience"
cmp "$destination/big.bin" "$work/older.bin" || fail "the older copy changed"
check_eq "$(ls -A "$destination")" big.bin "files in the destination folder"
rm -rf "$sources" "$enclosure_dir"
echo "PASS"
