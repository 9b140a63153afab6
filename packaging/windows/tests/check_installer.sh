#!/usr/bin/env bash
# Installs plinthar-<version>-win64-setup.exe silently into a fresh Wine prefix,
# checks the files, the shortcut and the Add/Remove Programs entry with its
# size, starts the installed program and looks for LCD.BMP's pixels on the
# screen. Then, while the program runs, installs again over the copy, made to
# look older, which closes the program; against a program that will not
# close, the installer and the uninstaller give up. Last it uninstalls
# silently and checks that nothing of it is left.
#   check_installer.sh WINE_RUN STATE_DIR SETUP_EXE LCD_BMP VERSION PUBLISHER
#                      STAGE_DIR PAGES_EXE WINDOW_CLASS
set -euo pipefail

wine_run=$1
state=$2
setup=$3
picture=$4
version=$5
publisher=$6
stage=$7         # the program folder that the installer packs
pages_exe=$8     # installer_pages.exe, here for its window that will not close
window_class=$9  # the class of the program's main window

# shellcheck source=fresh_wine_prefix.sh
source "$(dirname "$0")/fresh_wine_prefix.sh"
drive_c="$prefix/drive_c"
program_dir="$drive_c/Program Files/Plinthar"
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Plinthar.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Plinthar'

# Everything on drive C: but Windows' own folder, which Wine rewrites at will,
# and the empty folders that the uninstaller's copy leaves in Temp (NSIS does
# so on Windows too); files in Temp count.
list_drive() {
  (cd "$drive_c" && find . -path ./windows -prune -o -path './users/*/Temp/*' -type d -o -print | sort)
}

# The value of one entry of the uninstall key, or nothing (reg.exe fails on
# a missing value, which must not end the script).
registry_value() {
  { wine reg.exe query "$uninstall_key" /v "$1" 2>/dev/null || true; } |
    sed -n "s/^ *$1 *REG_[A-Z]* *//p" | tr -d '\r'
}

list_drive >"$work/before"

echo "installing $(basename "$setup") with /S"
if ! wine "$setup" /S; then
  fail "the installer failed"
fi
for file in plinthar.exe libgmp-10.dll LCD.BMP uninstall.exe THIRD-PARTY-NOTICES.txt \
  COPYING.LESSERv3 COPYINGv3 COPYINGv2; do
  [[ -f "$program_dir/$file" ]] || fail "$file is not in Program Files\\Plinthar"
done
[[ -f "$shortcut" ]] || fail "no Start-menu shortcut"
expect_value() {
  local actual
  actual=$(registry_value "$1")
  [[ "$actual" == "$2" ]] || fail "Add/Remove Programs $1 is '$actual', expected '$2'"
}
expect_value DisplayName Plinthar
expect_value DisplayVersion "$version"
expect_value Publisher "$publisher"
expect_value DisplayIcon 'C:\Program Files\Plinthar\plinthar.exe,0'
expect_value UninstallString '"C:\Program Files\Plinthar\uninstall.exe"'
# Settings → Apps shows the size from the installed files, in KiB: within a
# few KiB of what lies in the folder.
size_bytes=$(find "$program_dir" -type f -printf '%s\n' | awk '{ sum += $1 } END { print sum }')
estimated=$(registry_value EstimatedSize)
if [[ ! $estimated =~ ^0x[0-9a-f]+$ ]] ||
  ((estimated * 1024 < size_bytes - 4096 || estimated * 1024 > size_bytes + 4096)); then
  fail "Add/Remove Programs EstimatedSize is '$estimated' KiB for $size_bytes bytes of files"
fi

# The files installed are the staged files, byte for byte.
same_as_stage() {
  local file
  for file in "$stage"/*; do
    cmp -s "$file" "$program_dir/$(basename "$file")" ||
      fail "$1: $(basename "$file") is not the one the installer carries"
  done
}
same_as_stage "after the install"

echo "starting the installed program"
wine 'C:\Program Files\Plinthar\plinthar.exe' &
program=$!
export DISPLAY
DISPLAY=$(cat "$state/display")
if window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Plinthar' | head -n 1); then
  # The window on the screen, searched for the picture at its natural size:
  # any pixel drawn differently (scaled, clipped, another file, none) and
  # the search finds no exact match.
  eval "$(xdotool getwindowgeometry --shell "$window")"
  sleep 1 # the first paint
  xwd -root -silent | xwdtopnm -quiet |
    pnmcut -left "$X" -top "$Y" -width "$WIDTH" -height "$HEIGHT" >"$work/screen.ppm"
  bmptopnm -quiet "$picture" >"$work/picture.ppm"
  match=$(compare -metric AE -subimage-search "$work/screen.ppm" "$work/picture.ppm" null: 2>&1 || true)
  if [[ "$match" != "0 @ "* ]]; then
    fail "the window does not show LCD.BMP (best match: $match)"
  else
    echo "LCD.BMP shown at ${match#0 @ } in the window"
  fi
else
  fail "the installed program shows no window"
fi

# An older copy: other files, another version in Add/Remove Programs. The
# silent install over it, while the program runs, closes the program, and
# leaves the new files and one entry.
printf 'older\n' >"$program_dir/THIRD-PARTY-NOTICES.txt"
printf 'older\n' >"$program_dir/LCD.BMP"
wine reg.exe add "$uninstall_key" /v DisplayVersion /t REG_SZ /d 0.99 /f >/dev/null 2>&1
echo "installing over the running program with /S"
wine "$setup" /S || fail "the install over the running program failed with $?"
if ! timeout 30 tail --pid="$program" -f /dev/null; then
  fail "the install over the running program did not close it"
  kill "$program" 2>/dev/null || true
fi
same_as_stage "after the install over an older copy"
expect_value DisplayVersion "$version"
entries=$(wine reg.exe query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s |
  grep -c '^ *DisplayName *REG_SZ *Plinthar\s*$' || true)
[[ $entries == 1 ]] || fail "$entries Add/Remove Programs entries for Plinthar, expected 1"

# A program that will not close: the silent installer and uninstaller wait a
# few seconds, then give up with a non-zero exit code and leave the files.
# The uninstaller runs in place (_?=), so that its own exit code is the one
# that counts; NSIS takes that folder only unquoted, hence its short name.
wine "$pages_exe" hold "$window_class" 60 >"$work/hold" &
holder=$!
# shellcheck disable=SC2016 # the inner script expands its own argument
timeout 30 bash -c 'until [[ -s $1 ]]; do sleep 0.2; done' _ "$work/hold" ||
  fail "the window that will not close did not open"
started=$SECONDS
if wine "$setup" /S; then
  fail "the installer succeeded beside a program that would not close"
fi
if wine 'C:\Program Files\Plinthar\uninstall.exe' /S '_?=C:\PROGRA~1\Plinthar'; then
  fail "the uninstaller succeeded beside a program that would not close"
fi
echo "both gave up after $((SECONDS - started)) s"
[[ -f "$program_dir/plinthar.exe" ]] || fail "the uninstaller that gave up removed plinthar.exe"
kill "$holder" 2>/dev/null || true
wine taskkill.exe /f /im installer_pages.exe >/dev/null 2>&1 || true
wait "$holder" 2>/dev/null || true

echo "uninstalling with /S"
# The uninstaller copies itself away and runs the copy, so that it can remove
# its own file; wait until the copy is done.
wine 'C:\Program Files\Plinthar\uninstall.exe' /S || fail "the uninstaller failed"
for _ in $(seq 60); do
  [[ -e "$program_dir" ]] || break
  sleep 0.5
done
[[ ! -e "$program_dir" ]] || fail "Program Files\\Plinthar is still there: $(ls "$program_dir")"
[[ ! -e "$shortcut" ]] || fail "the Start-menu shortcut is still there"
wine reg.exe query "$uninstall_key" >/dev/null 2>&1 && fail "the Add/Remove Programs entry is still there"
# The uninstaller's running copy in Temp can only be deleted at the next
# restart, as on Windows: restart, then compare.
wine wineboot.exe --restart >/dev/null 2>&1 || fail "the restart failed"
list_drive >"$work/after"
if ! diff "$work/before" "$work/after" >"$work/left"; then
  fail "left on drive C: $(cat "$work/left")"
fi

if ((failures > 0)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "installed, showed its picture, installed over itself and uninstalled without a trace in ${SECONDS} s"
