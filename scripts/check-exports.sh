#!/usr/bin/env bash
# The device library's export table must name exactly its four functions, undecorated.
# Usage: check-exports.sh <Windows build folder>
set -euo pipefail
build=${1:?usage: check-exports.sh <Windows build folder>}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

dll=$build/devicelib/Hatchlink.dll
if [[ ! -f $dll ]]; then
  dll=$(find "$build" -name Hatchlink.dll -print 2>/dev/null | head -n 1)
fi
if [[ -z $dll || ! -f $dll ]]; then
  if [[ -f $root/devicelib/CMakeLists.txt ]]; then
    echo "check-exports: no Hatchlink.dll in $build, although the tree has devicelib/"
    exit 1
  fi
  echo "check-exports: no device library in this tree yet"
  exit 0
fi

table=$(x86_64-w64-mingw32-objdump -p "$dll")
actual=$(awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^$/{exit} t&&/\[/{print $NF}' <<<"$table" |
  sort | tr '\n' ' ')
expected="ButtonStatus DllEnd DllSet SafelyRemove "
if [[ $actual != "$expected" ]]; then
  echo "check-exports: $dll exports '$actual', expected '$expected'"
  exit 1
fi
echo "check-exports: $dll exports $expected"
