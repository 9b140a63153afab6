#!/usr/bin/env bash
# Installs a configured, built tree as a distribution would (DESTDIR, prefix
# /usr) and composes the software catalogue from it offline, as catalogue
# tools do: no error or warning, and an icon of at least 64 px in the result.
set -euo pipefail

build_dir=$1
app_id=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

DESTDIR="$work/root" cmake --install "$build_dir" --prefix /usr >/dev/null
status=0
appstreamcli compose --no-net --no-color --result-root="$work/out" --origin=plinthar \
  "$work/root" >"$work/compose.log" 2>&1 || status=$?
cat "$work/compose.log"
if ((status != 0)) || grep -qE '^\s*[EW]: ' "$work/compose.log"; then
  echo "FAIL: the catalogue compose reports problems"
  exit 1
fi
catalogue=$work/out/usr/share/swcatalog
if [[ ! -f $catalogue/icons/plinthar/64x64/$app_id.png ]]; then
  echo "FAIL: no 64 px icon in the catalogue"
  exit 1
fi
zcat "$catalogue/xml/plinthar.xml.gz" | grep -q "<id>$app_id</id>" || {
  echo "FAIL: $app_id is missing from the catalogue"
  exit 1
}
echo "the catalogue lists $app_id with its icons"
