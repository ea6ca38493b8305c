#!/usr/bin/env bash
# The device library's export table must name exactly its four functions, undecorated.
set -euo pipefail
dll=$(find "$1" -name Hatchlink.dll -print -quit)
if [[ -z $dll ]]; then
  echo "check-exports: no Hatchlink.dll built yet"
  exit 0
fi
actual=$(x86_64-w64-mingw32-objdump -p "$dll" |
  awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/\[/{print $NF} t&&/^$/{exit}' | sort | tr '\n' ' ')
expected="ButtonStatus DllEnd DllSet SafelyRemove "
if [[ $actual != "$expected" ]]; then
  echo "check-exports: Hatchlink.dll exports '$actual', expected '$expected'"
  exit 1
fi
echo "check-exports: Hatchlink.dll exports $expected"
