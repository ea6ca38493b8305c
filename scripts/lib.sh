# Shared by the scripts: folders, parallelism, and the Wine/Xvfb environment.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)
windows_build="$root/build/windows"
demo="$root/build/demo"
# Every script builds the Windows files alike, so one build folder serves them all.
windows_options=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release)
export WINEPREFIX="$windows_build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# ccache keeps repeated runs on one machine short; the builds work without it.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

configure() { # folder, cmake options...
  local dir=$1
  shift
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
}

configure_and_build() { # folder, cmake options...
  configure "$@"
  cmake --build "$1" -j "$jobs"
}

# Builds only the test programs that carry a ctest label (each such test is named
# after its program), for the sanitizer and fuzzer builds.
configure_and_build_labelled() { # folder, label, cmake options...
  local dir=$1 label=$2
  shift 2
  configure "$dir" "$@"
  local targets
  targets=$(ctest --test-dir "$dir" -N -L "$label" | awk '/Test +#/{print $3}')
  if [[ -n $targets ]]; then
    # shellcheck disable=SC2086
    cmake --build "$dir" -j "$jobs" --target $targets
  fi
}

# An Xvfb of our own unless a display is already there.
start_display() {
  if [[ -z ${DISPLAY:-} ]]; then
    export DISPLAY=:${STOWKEEP_DISPLAY_NUMBER:-77}
    Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  fi
}

# Creating a Wine prefix takes tens of seconds: once per build folder.
prepare_wine() {
  if [[ ! -f $WINEPREFIX/system.reg ]]; then
    mkdir -p "$WINEPREFIX"
    /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
  fi
}

# The demo of scripts/run.sh: the simulated-enclosure flavour in a folder of its
# own, E: mapped to the enclosure's folder, and two sample folders already set
# up as backup jobs with one-touch backup on. Kept between runs once made.
prepare_demo() {
  mkdir -p "$demo/program" "$demo/enclosure"
  cp -u "$windows_build/simulated-enclosure/"* "$demo/program/"
  ln -sfn "$demo/enclosure" "$WINEPREFIX/dosdevices/e:"
  local sources="$demo/sources"
  if [[ ! -d $sources ]]; then
    mkdir -p "$sources/Documents/Letters" "$sources/Photos/2026"
    for i in 1 2 3; do
      printf 'Dear reader,\r\nthis is letter %s.\r\n' "$i" >"$sources/Documents/Letters/letter-$i.txt"
      head -c $((i * 300000)) /dev/urandom >"$sources/Photos/2026/photo-$i.jpg"
    done
    printf 'Shopping: bread, milk, tea.\r\n' >"$sources/Documents/notes.txt"
  fi
  if [[ ! -f $demo/program/set.ini ]]; then
    local windows_sources
    windows_sources="Z:${sources//\//\\}"
    printf '[BackupSource]\r\nnum=2\r\n1=%s\\Documents\r\n2=%s\\Photos\r\n' \
      "$windows_sources" "$windows_sources" >"$demo/program/set.ini"
    printf '[BackupDestination]\r\n1=E:\\backup\r\n2=E:\\backup\r\n[Auto]\r\nBackUp=on\r\n' \
      >>"$demo/program/set.ini"
  fi
}
