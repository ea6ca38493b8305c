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
# press_and_answer ANSWER...: one press, each overwrite question answered in
# turn, then the run's end.
press_and_answer() {
    enclosure press >/dev/null
    local answer
    for answer in "$@"; do
        check_eq "$(drive message "$warning_caption" "$patience")" "$overwrite" "question"
        drive press "$warning_caption" "$answer"
        drive wait-hidden "$warning_caption" "$patience"
    done
    run_ended
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
