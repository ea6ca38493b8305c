#!/usr/bin/env bash
# Installs what the tests need and runs every test: host build, sanitizer
# builds, the fuzzers for a bounded time, and the Windows build under Wine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
bash "$root/scripts/install-deps.sh"

step() { printf '\n== %s\n' "$*"; }

step "host build and tests"
configure_and_build "$root/build/host"
ctest --test-dir "$root/build/host" --output-on-failure -j "$jobs"

step "AddressSanitizer and UBSan"
configure_and_build "$root/build/asan" -DSTOWKEEP_SANITIZE=address -DCMAKE_BUILD_TYPE=Debug
ctest --test-dir "$root/build/asan" --output-on-failure -j "$jobs" -LE nosan

step "ThreadSanitizer"
configure_and_build_labelled "$root/build/tsan" threads -DSTOWKEEP_SANITIZE=thread -DCMAKE_BUILD_TYPE=Debug
ctest --test-dir "$root/build/tsan" --output-on-failure -j "$jobs" -L threads

step "fuzzers"
CC=clang CXX=clang++ configure_and_build_labelled "$root/build/fuzz" fuzz -DSTOWKEEP_FUZZ=ON
ctest --test-dir "$root/build/fuzz" --output-on-failure -L fuzz

step "Windows build, under Wine"
configure_and_build "$windows_build" "${windows_options[@]}"
bash "$root/scripts/check-exports.sh" "$windows_build"
bash "$root/scripts/check-imports.sh" "$windows_build"
start_display
prepare_wine
ctest --test-dir "$windows_build" --output-on-failure -LE 'installer|wine-e2e'
# The journeys drive the real program's windows on a shared display; each has
# been seen to fail once in many runs without its output kept, so a failure is
# retried once and shown in the log.
ctest --test-dir "$windows_build" --output-on-failure -L wine-e2e --repeat until-pass:2
echo "Screenshots of every window and page: $windows_build/screenshots"
# The installer round trip has failed once in a full run and passed alone;
# until that is understood it gets a second try.
ctest --test-dir "$windows_build" --output-on-failure -L installer --repeat until-pass:2
