# Main shows the main window on page 0; Close and the title-bar close only hide it.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"

pid=$(start_and_wait "$exe")
drive command "$main_caption" "$main_command"
drive wait-visible "$main_caption" "$patience"
check_eq "$(drive client-size "$main_caption")" 531x363 "client area"
texts=$(drive texts "$main_caption")
for text in "Backup" "Virtual HDD" "Setting" "Safe Removal" "Ver 1.00.6536" "Close"; do
    check_has_line "$texts" "$text" "main page"
done

drive click "$main_caption" Close
drive wait-hidden "$main_caption" "$patience"
check_eq "$(drive alive "$pid")" running "after Close"

drive command "$main_caption" "$main_command"
drive wait-visible "$main_caption" "$patience"
drive close "$main_caption"
drive wait-hidden "$main_caption" "$patience"
check_eq "$(drive alive "$pid")" running "after the title-bar close"
echo "PASS"
