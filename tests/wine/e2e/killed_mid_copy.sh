# The program ended by TerminateProcess in the middle of a large file (held
# there by Pause): the older copy stays as it was, and the next run puts the
# new copy in place and leaves no temporary file anywhere on the enclosure.
# Usage: killed_mid_copy.sh WINE-RUN FLAVOUR-EXE DRIVER WORK-FOLDER
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/flavour.sh" "$4"

large_file_over_an_older_copy

pid=$(start_and_wait "$program")
enclosure press >/dev/null
drive message "$warning_caption" "$patience" >/dev/null
answer_yes_and_pause "$destination"
leftover=$(find "$destination" -type f ! -name big.bin)
[[ -n $leftover ]] || fail "no copy of the large file under way when paused"
drive kill "$pid" >/dev/null
drive wait-hidden "$copy_caption" "$patience"
cmp "$destination/big.bin" "$work/older.bin" || fail "the older copy changed"

start_and_wait "$program" >/dev/null
enclosure press >/dev/null
drive message "$warning_caption" "$patience" >/dev/null
drive press "$warning_caption" Yes
run_ended
cmp "$destination/big.bin" "$sources/Big/big.bin" || fail "the new copy is not the source"
check_eq "$(cd "$enclosure_dir" && find . -type f)" ./backup/Big/big.bin "files on the enclosure"
rm -rf "$sources" "$enclosure_dir"
echo "PASS"
