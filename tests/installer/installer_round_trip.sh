#!/usr/bin/env bash
# Builds the installer, installs silently under Wine into a folder of the build
# tree, checks files, shortcut and uninstall entry, then uninstalls silently and
# checks that everything of ours is gone except the user's set.ini. A second
# round installs into Program Files, where the elevated logon task is
# registered, and checks that the uninstaller removes it. Wine keeps a task as
# a file under system32\Tasks; it keeps the settings but drops the principal
# and the program of the task, and cannot run it.
# Arguments: <cmake> <build dir> <installer file> <wine-run> <work folder>
set -euo pipefail
cmake_command=$1 build_dir=$2 installer=$3 wine_run=$4 work=$5

# The same prefix that wine-run picks, so the checks below look where Wine wrote.
: "${WINEPREFIX:=${STOWKEEP_WINEPREFIX:-$PWD/wineprefix}}"
export WINEPREFIX

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
reg_has() { "$wine_run" reg query "$1" /v "$2" >/dev/null 2>&1; }

files=("Stowkeep(KD-RX710).exe" Hatchlink.dll Startshim.exe)
install_dir=$work/ProgramFiles/Stowkeep
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Stowkeep.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Stowkeep'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
task_file=$WINEPREFIX/drive_c/windows/system32/tasks/Stowkeep
program_files_dir="$WINEPREFIX/drive_c/Program Files/Stowkeep"

"$cmake_command" --build "$build_dir" --target installer
rm -rf "$work" "$program_files_dir" "$task_file"
mkdir -p "$work"

# /D must come last and unquoted: Wine would quote a path with spaces.
"$wine_run" "$installer" /S "/D=$(windows_path "$install_dir")" || fail "installer exit code $?"
for f in "${files[@]}"; do
  [[ -f "$install_dir/$f" ]] || fail "$f not installed"
done
[[ -f "$install_dir/Uninstall.exe" ]] || fail "no uninstaller"
[[ -f "$shortcut" ]] || fail "no Start-menu shortcut"
[[ ! -e "$task_file" ]] || fail "elevated task registered for a folder outside Program Files"
"$wine_run" reg query "$uninstall_key" /v UninstallString 2>/dev/null | grep -qF 'Uninstall.exe' ||
  fail "no uninstall entry"

# What the program and its user leave behind before the uninstall.
printf '[Auto]\r\nRun=on\r\n' >"$install_dir/set.ini"
"$wine_run" reg add "$run_key" /v Stowkeep /d "$(windows_path "$install_dir")\\Startshim.exe" /f >/dev/null
"$wine_run" reg add "$run_key" /v StowkeepTestNeighbour /d 'C:\other.exe' /f >/dev/null
# The registry reaches the prefix's files when the server ends; a server
# starting while the last one still saves can read the older files.
/usr/lib/wine/wineserver -w
reg_has "$run_key" StowkeepTestNeighbour || { echo "FAIL: setting up the Run values"; exit 1; }

# _?= keeps the uninstaller in place, so Wine returns when it is done.
"$wine_run" "$install_dir/Uninstall.exe" /S "_?=$(windows_path "$install_dir")" ||
  fail "uninstaller exit code $?"
for f in "${files[@]}"; do
  [[ ! -e "$install_dir/$f" ]] || fail "$f left behind"
done
[[ ! -e "$shortcut" ]] || fail "shortcut left behind"
reg_has "$uninstall_key" UninstallString && fail "uninstall entry left behind"
reg_has "$run_key" Stowkeep && fail "Run value left behind"
reg_has "$run_key" StowkeepTestNeighbour || fail "another program's Run value removed"
[[ "$(cat "$install_dir/set.ini" 2>/dev/null)" == $'[Auto]\r\nRun=on\r' ]] ||
  fail "set.ini not left as it was"

"$wine_run" reg delete "$run_key" /v StowkeepTestNeighbour /f >/dev/null 2>&1 || true

# Second round: the default folder under Program Files gets the task. Its path
# has a space, which Wine would quote in _?=, so the uninstaller runs from its
# temporary copy and the checks wait for its work to show.
"$wine_run" "$installer" /S || fail "installer exit code $?"
[[ -f "$program_files_dir/Startshim.exe" ]] || fail "not installed into Program Files"
if [[ -f "$task_file" ]]; then
  task=$(tr -d '\r' <"$task_file")
  for setting in '<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>' '<Priority>5</Priority>' \
    '<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>' '<Triggers/>'; do
    grep -qF "$setting" <<<"$task" || fail "task lacks $setting"
  done
else
  fail "no elevated task for the install under Program Files"
fi
"$wine_run" "$program_files_dir/Uninstall.exe" /S || fail "uninstaller exit code $?"
for _ in $(seq 240); do
  [[ -e "$task_file" || -e "$program_files_dir/Startshim.exe" ]] || break
  sleep 0.5
done
[[ ! -e "$task_file" ]] || fail "elevated task left behind"
[[ ! -e "$program_files_dir/Startshim.exe" ]] || fail "Startshim.exe left in Program Files"
rm -rf "$program_files_dir"
((failures == 0)) && echo "installer round trip passed"
exit $((failures > 0))
