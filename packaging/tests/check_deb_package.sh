#!/usr/bin/env bash
# Builds the Debian package from a configured, built tree, unpacks it into a
# throw-away root and checks what it installs and what it depends on, then
# runs lintian on it.
set -euo pipefail

build_dir=$1
version=$2
app_id=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$build_dir" && cpack -G DEB -B "$work/out" >"$work/cpack.log") || {
  cat "$work/cpack.log"
  exit 1
}
deb=$(ls "$work"/out/plinthar_"$version"-1_*.deb)
dpkg-deb -x "$deb" "$work/root"

failures=0
expect() {
  if ! eval "$1"; then
    echo "FAIL: $2"
    failures=$((failures + 1))
  fi
}

root=$work/root/usr
expect '[[ -x $root/lib/plinthar/plinthar && ! -L $root/lib/plinthar/plinthar ]]' \
  "executable in lib/plinthar"
expect '[[ -f $root/lib/plinthar/LCD.BMP ]]' "LCD.BMP beside the executable"
expect '[[ $(readlink "$root/bin/plinthar") == ../lib/plinthar/plinthar ]]' \
  "bin/plinthar links to the executable"
for size in 16 22 24 32 48 64 128 256; do
  expect '[[ -f $root/share/icons/hicolor/${size}x$size/apps/$app_id.png ]]' "$size px icon"
done
expect '[[ -f $root/share/icons/hicolor/scalable/apps/$app_id.svg ]]' "scalable icon"
expect '[[ -f $root/share/applications/$app_id.desktop ]]' "desktop entry"
expect '[[ -f $root/share/metainfo/$app_id.metainfo.xml ]]' "AppStream metainfo"
expect '[[ -f $root/share/man/man1/plinthar.1.gz ]]' "manual page"
expect '[[ -f $root/share/doc/plinthar/copyright ]]' "copyright file"
expect '[[ $(dpkg-deb -f "$deb" Package) == plinthar ]]' "package name"
expect '[[ $(dpkg-deb -f "$deb" Version) == "$version-1" ]]' "package version $version-1"
depends=$(dpkg-deb -f "$deb" Depends)
expect '[[ $depends == *fonts-wqy-zenhei* ]]' "depends on the font package ($depends)"
expect '[[ $depends == *libqt6widgets6* ]]' "shared library dependencies found ($depends)"
expect '[[ $depends == *libgmp* ]]' "GMP dependency found ($depends)"
expect '[[ $(dpkg-deb -f "$deb") != *qt6-wayland* ]]' "names no qt6-wayland"
expect '[[ $(zcat "$root/share/doc/plinthar/changelog.Debian.gz" | head -1) == "plinthar ($version-1) "* ]]' \
  "the changelog's latest entry is $version-1"

# Nothing but the program's own files: no headers, test programs or static libraries.
unexpected=$(cd "$work/root" && find . -type f -o -type l | grep -vE \
  "^\./usr/(bin/plinthar|lib/plinthar/(plinthar|LCD\.BMP)|share/(icons/hicolor/[^/]+/apps/${app_id//./\\.}\.(png|svg)\$|applications/|metainfo/|doc/plinthar/|man/man1/plinthar\.1\.gz$))" ||
  true)
expect '[[ -z $unexpected ]]' "no stray files: $unexpected"

# Debian's own checks. An upload to the Debian archive would close the bug
# that asked for the package; this package is not such an upload.
expect 'lintian --fail-on error,warning --suppress-tags initial-upload-closes-no-bugs "$deb"' \
  "lintian finds no error or warning"

if ((failures > 0)); then
  exit 1
fi
echo "package $(basename "$deb") installs its files and dependencies as expected"
