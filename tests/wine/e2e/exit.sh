# Exit ends the program, whether its window is hidden or shown.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"

for shown in no yes; do
    pid=$(start_and_wait "$exe")
    if [[ $shown == yes ]]; then
        drive command "$main_caption" "$main_command"
        drive wait-visible "$main_caption" "$patience"
    fi
    drive command "$main_caption" "$exit_command"
    drive wait-exit "$pid" "$patience" >/dev/null
    check_eq "$(drive alive "$pid")" ended "after Exit (window shown: $shown)"
done
echo "PASS"
