#!/usr/bin/env bash
# A packager's source install: configures, builds and installs the release
# preset into a throw-away folder with a PATH that holds only CMake, make, the
# compiler with binutils, and pkg-config, so that no test, benchmark,
# packaging-check or drawing tool can be found; then checks what was installed.
#
#   check_source_install.sh SOURCE_DIR
set -euo pipefail

source_dir=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/bin"
for tool in cmake make c++ g++ gcc cc as ld ar ranlib pkg-config; do
  if path=$(command -v "$tool"); then
    ln -s "$path" "$work/bin/$tool"
  fi
done
# Fails if the tools are not hidden after all, whatever the machine has.
for tool in ctest cpack lintian dpkg-deb appstreamcli desktop-file-validate \
  x86_64-w64-mingw32-windres rsvg-convert icotool convert xvfb-run clang++; do
  if PATH=$work/bin command -v "$tool" >/dev/null; then
    echo "FAIL: $tool is still on the PATH"
    exit 1
  fi
done

# A packager's environment names no compiler launcher either: a ccache that
# the calling shell exports through CMake's variables is not on that PATH.
only=(env -u CMAKE_CXX_COMPILER_LAUNCHER -u CMAKE_C_COMPILER_LAUNCHER "PATH=$work/bin")
"${only[@]}" cmake -S "$source_dir" -B "$work/build" --preset release >"$work/configure.log" 2>&1 || {
  cat "$work/configure.log"
  echo "FAIL: the release preset does not configure without the test tools"
  exit 1
}
"${only[@]}" cmake --build "$work/build" -j2 >"$work/build.log" 2>&1 || {
  tail -50 "$work/build.log"
  echo "FAIL: the release preset does not build without the test tools"
  exit 1
}
"${only[@]}" DESTDIR="$work/root" cmake --install "$work/build" --prefix /usr/local >/dev/null

failures=0
expect() {
  if ! eval "$1"; then
    echo "FAIL: $2"
    failures=$((failures + 1))
  fi
}
root=$work/root/usr/local
expect '[[ -x $root/lib/plinthar/plinthar && -f $root/lib/plinthar/LCD.BMP ]]' \
  "the program and LCD.BMP installed"
expect '[[ -L $root/bin/plinthar ]]' "bin/plinthar installed"
expect '[[ -f $root/share/icons/hicolor/scalable/apps/org.plinthar.Plinthar.svg ]]' \
  "the icons installed"
# Nothing but the program was configured or built.
expect '! grep -qE "^(GTest|benchmark|X11)_DIR:|^(LINTIAN|WINDRES|DPKG_DEB):" "$work/build/CMakeCache.txt"' \
  "no test, benchmark or packaging tool looked for"
built=$(find "$work/build" -type f -executable -name '*test*' -o -type f -name '*bench*' -executable)
expect '[[ -z $built ]]' "no test or benchmark program built: $built"

if ((failures > 0)); then
  exit 1
fi
echo "the release preset configures, builds and installs without the test and packaging tools"
