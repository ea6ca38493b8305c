# The program loads Hatchlink.dll from its own folder, whatever the current
# folder; without the library it still runs and ends normally.
# Usage: device_library.sh WINE-RUN EXE DRIVER HATCHLINK-DLL WORK-FOLDER
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh" "$@"
dll=$4
work=$5

rm -rf "$work" && mkdir -p "$work/with" "$work/without" "$work/elsewhere"
cp "$exe" "$dll" "$work/with/"
cp "$exe" "$work/without/"
program=$(basename "$exe")

pid=$(start_and_wait "$work/with/$program" "$(winpath "$work/elsewhere")")
modules=$(drive modules "$pid" | tr '[:upper:]' '[:lower:]')
wanted=$(printf '%s\\hatchlink.dll' "$(winpath "$work/with")" | tr '[:upper:]' '[:lower:]')
check_has_line "$modules" "$wanted" "loaded modules"
drive command "$main_caption" "$exit_command"
drive wait-exit "$pid" "$patience" >/dev/null

pid=$(start_and_wait "$work/without/$program" "$(winpath "$work/elsewhere")")
if drive modules "$pid" | grep -qi 'hatchlink'; then
    fail "a Hatchlink.dll was loaded from somewhere else"
fi
drive command "$main_caption" "$main_command"
drive wait-visible "$main_caption" "$patience"
check_has_line "$(drive texts "$main_caption")" "Safe Removal" "main page without the library"
drive command "$main_caption" "$exit_command"
drive wait-exit "$pid" "$patience" >/dev/null
check_eq "$(drive alive "$pid")" ended "after Exit without the library"
echo "PASS"
