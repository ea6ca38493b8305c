# Starting shows no window; a second start says so and leaves the first running.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"

first=$(start_and_wait "$exe")
check_eq "$(drive count "$main_caption")" 0 "visible main windows after start"
check_eq "$(drive alive "$first")" running "first instance"

second=$(start_app "$exe")
texts=$(drive message "$app_title" "$patience")
check_has_line "$texts" "The Stowkeep is running!" "second start's message"
drive press "$app_title" OK
check_eq "$(drive wait-exit "$second" "$patience")" 0 "second instance's exit code"
check_eq "$(drive count "$main_caption")" 0 "visible main windows after the second start"
check_eq "$(drive alive "$first")" running "first instance after the second start"
echo "PASS"
