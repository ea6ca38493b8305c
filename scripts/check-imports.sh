#!/usr/bin/env bash
# The shipped files run elevated, often from a folder their user can write. The
# loader takes a DLL named in an import table from the program's own folder
# first, unless it is one of Windows' KnownDLLs, which always come from the
# system. So every import must be a KnownDLL, and both programs must import
# SetDefaultDllDirectories, with which they keep later loads to System32.
# Usage: check-imports.sh <Windows build folder>
set -euo pipefail
build=${1:?usage: check-imports.sh <Windows build folder>}

# HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs of Windows 10
# and 11, and ntdll, which the loader maps before anything else.
known="advapi32 clbcatq combase comdlg32 coml2 difxapi gdi32 gdiplus imagehlp imm32 kernel32
msctf msvcrt normaliz nsi ntdll ole32 oleaut32 psapi rpcrt4 sechost setupapi shcore shell32
shlwapi user32 wldap32 ws2_32"
# Common controls 6 comes from the side-by-side store, through the program's
# manifest; only the program has that manifest.
program_extra="comctl32"

failures=0
find_file() { # name, preferred folder
  if [[ -f $build/$2/$1 ]]; then
    echo "$build/$2/$1"
  else
    find "$build" -path "$build/wineprefix" -prune -o -name "$1" -path '*/'"$2"'/*' -print 2>/dev/null |
      head -n 1
  fi
}

check() { # name, folder, extra allowed, needs SetDefaultDllDirectories (yes/no)
  local name=$1 folder=$2 extra=$3 needs_setter=$4 file
  file=$(find_file "$name" "$folder")
  if [[ -z $file || ! -f $file ]]; then
    echo "check-imports: no $name in $build/$folder"
    failures=$((failures + 1))
    return
  fi
  local table dll
  table=$(x86_64-w64-mingw32-objdump -p "$file")
  while read -r dll; do
    if ! grep -qwF "${dll%.dll}" <<<"$known $extra"; then
      echo "check-imports: $file imports $dll, which Windows may load from the program's folder"
      failures=$((failures + 1))
    fi
  done < <(awk '/DLL Name:/{print tolower($3)}' <<<"$table")
  if [[ $needs_setter == yes ]] && ! grep -qw SetDefaultDllDirectories <<<"$table"; then
    echo "check-imports: $file does not call SetDefaultDllDirectories"
    failures=$((failures + 1))
  fi
}

check "Stowkeep(KD-RX710).exe" app "$program_extra" yes
check Hatchlink.dll devicelib "" no
check Startshim.exe startshim "" yes

if ((failures > 0)); then
  exit 1
fi
echo "check-imports: the shipped files import only KnownDLLs"
