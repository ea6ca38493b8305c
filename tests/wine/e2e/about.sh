# About shows one About window, with the main page's version, until OK.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"

pid=$(start_and_wait "$exe")
drive command "$main_caption" "$about_command"
drive command "$main_caption" "$about_command"
drive wait-visible "$about_caption" "$patience"
check_eq "$(drive count "$about_caption")" 1 "About windows shown"
check_eq "$(drive count "$main_caption")" 0 "visible main windows"
texts=$(drive texts "$about_caption")
check_has_line "$texts" "Ver 1.00.6536" "About window"
check_has_line "$texts" "OK" "About window"

drive click "$about_caption" OK
drive wait-hidden "$about_caption" "$patience"
check_eq "$(drive alive "$pid")" running "after OK"
echo "PASS"
