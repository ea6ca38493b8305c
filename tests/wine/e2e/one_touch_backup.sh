# One-touch backup with Automatic Backup on and two jobs: a press copies both
# trees; the next press asks before overwriting, and Yes copies again while
# No copies nothing.
# Usage: one_touch_backup.sh WINE-RUN FLAVOUR-EXE DRIVER WORK-FOLDER
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/flavour.sh" "$4"

mkdir -p "$sources/Documents/Letters" "$sources/Photos/2026"
printf 'Shopping: bread, milk, tea.\r\n' >"$sources/Documents/notes.txt"
: >"$sources/Documents/empty.txt"
for i in 1 2 3; do
    printf 'Dear reader,\r\nthis is letter %s.\r\n' "$i" >"$sources/Documents/Letters/letter-$i.txt"
    head -c $((i * 300000 + 7)) /dev/urandom >"$sources/Photos/2026/photo-$i.jpg"
done
settings_with_jobs "$sources/Documents" "$sources/Photos"
backup="$enclosure_dir/backup"
overwrite='If you want to overwrite, then click "Yes". Otherwise, click "No"'

# A press counts once the run before it has ended (run_ended): the watcher does
# not look at the button while its reaction lasts.
# press_and_answer ANSWER...: one press while the user types in another
# program, each overwrite question answered in turn, then the run's end. Each
# question comes to the front all the same.
press_and_answer() {
    drive other-program "$patience" >"$work/other-program" 2>&1 &
    local other=$!
    wait_until 30 grep -q ready "$work/other-program" || fail "no other program in front"
    check_eq "$(drive foreground | tr -d '\r')" "Another program" "window in front before the press"
    enclosure press >/dev/null
    local answer
    for answer in "$@"; do
        check_eq "$(drive message "$warning_caption" "$patience")" "$overwrite" "question"
        check_eq "$(drive foreground | tr -d '\r')" "$warning_caption" "window in front"
        drive press "$warning_caption" "$answer"
        drive wait-hidden "$warning_caption" "$patience"
    done
    run_ended
    kill "$other" 2>/dev/null || true
    wait "$other" 2>/dev/null || true
}
same_trees() {
    diff -r "$sources/Documents" "$backup/Documents" && diff -r "$sources/Photos" "$backup/Photos"
}

start_and_wait "$program" >/dev/null
enclosure press >/dev/null
drive wait-visible "$copy_caption" "$patience"
run_ended
same_trees || fail "first run: the copies differ from the sources"

printf 'Shopping: bread, milk, tea, apples.\r\n' >"$sources/Documents/notes.txt"
press_and_answer Yes Yes
same_trees || fail "after Yes: the copies differ from the sources"

cp "$backup/Documents/notes.txt" "$work/notes-before-no.txt"
printf 'Shopping: nothing.\r\n' >"$sources/Documents/notes.txt"
press_and_answer No
cmp "$backup/Documents/notes.txt" "$work/notes-before-no.txt" || fail "No copied the changed file"
echo "PASS"
