# The notification-area menu's items in their order, Exit among them, and a
# logoff, which the hidden window does not hold up: both end the program. A
# restarted Explorer gets the icon back. (Wine's shell drops the icon of a
# window that has gone by itself, so the icon's removal at the end is checked
# by the host tests only.)
# Usage: exit_and_logoff.sh WINE-RUN FLAVOUR-EXE DRIVER WORK-FOLDER
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
source "$(dirname "${BASH_SOURCE[0]}")/flavour.sh" "$4"

# ended_normally PID WHAT: it ends with code 0, or was gone before we looked.
ended_normally() {
    local code
    code=$(drive wait-exit "$1" "$patience" | tr -d '\r')
    [[ $code == 0 || $code == ended ]] || fail "exit code after $2: $code"
    check_eq "$(drive alive "$1")" ended "after $2"
}

pid=$(start_and_wait "$program")
icon=$(drive tray-window "$app_title" | tr -d '\r')
check_eq "$(drive tray-icon "$icon" | tr -d '\r')" shown "the icon at start"
check_eq "$(drive tray-restart "$icon" | tr -d '\r')" shown "the icon after Explorer restarted"
drive tray-menu "$app_title" 1
drive wait-visible "$about_caption" "$patience"
drive tray-menu "$app_title" 2
drive wait-visible "$main_caption" "$patience"
drive tray-menu "$app_title" 3
ended_normally "$pid" "Exit from the menu"

pid=$(start_and_wait "$program")
check_eq "$(drive end-session "$main_caption" | tr -d '\r')" 1 "answer to WM_QUERYENDSESSION"
ended_normally "$pid" "the logoff"
echo "PASS"
