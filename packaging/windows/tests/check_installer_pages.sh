#!/usr/bin/env bash
# Clicks through every page of plinthar-<version>-win64-setup.exe and of the
# uninstaller it installs, in a fresh Wine prefix, as a user would: each page
# must show its Chinese title, Chinese text and the product name, and no
# English; the finish page starts the program with its box left checked.
#   check_installer_pages.sh WINE_RUN STATE_DIR SETUP_EXE PAGES_EXE PRODUCT_AND_VERSION
set -euo pipefail
export LC_ALL=C.UTF-8

wine_run=$1
state=$2
setup=$3
pages_exe=$4
name=$5 # "Plinthar 1.00", as the pages call the product

# shellcheck source=fresh_wine_prefix.sh
source "$(dirname "$0")/fresh_wine_prefix.sh"
program_dir="$prefix/drive_c/Program Files/Plinthar"

# What each page must show, one row per page: the wizard, the page's number
# and a text that only that page shows.
expected_pages=(
  "安装|1|text: 欢迎使用 $name 安装程序"
  "安装|2|text: 选择安装位置"
  "安装|2|text: C:\\Program Files\\Plinthar"
  "安装|3|text: 安装完成"
  "安装|4|text: $name 安装程序结束"
  "安装|4|check on: 运行 $name(&R)"
  "卸载|1|text: 卸载 $name"
  "卸载|2|text: 卸载完成"
)
declare -A page_count=([安装]=4 [卸载]=2)

# The texts of one page of a wizard's record, without the leading blanks.
page_texts() {
  awk -v page="page $2" '/^page / { on = ($0 == page); next } on' "$work/$1.txt" | sed 's/^  //'
}

# English left on a page: words of two Latin letters or more, once the
# product name, the install path, the size units and the keys of the
# buttons' shortcuts (中文(&N)) are taken out.
english_in() {
  sed -E -e "s/Plinthar//g" -e 's/[A-Z]:\\Program Files[^ ]*//g' -e 's/\(&[A-Z]\)//g' \
    -e 's/[0-9.]+ ?[KMGT]B\b//g' -e 's/^(caption|text|check on|check off): //' |
    grep -E '[A-Za-z]{2,}' || true
}

check_wizard() {
  local wizard=$1
  local record="$work/$wizard.txt"
  local pages
  pages=$(grep -c '^page ' "$record" || true)
  [[ $pages == "${page_count[$wizard]}" ]] ||
    fail "the $wizard wizard showed $pages pages, expected ${page_count[$wizard]}: $(cat "$record")"
  local page
  for ((page = 1; page <= pages; page++)); do
    local texts
    texts=$(page_texts "$wizard" "$page")
    # NSIS ends the caption with a blank.
    grep -q "^caption: $name $wizard *\$" <<<"$texts" ||
      fail "$wizard page $page: the caption is not '$name $wizard'"
    # The page's own texts, the caption left out, in Chinese.
    grep -v '^caption: ' <<<"$texts" | grep -qP '[\x{4e00}-\x{9fff}]' ||
      fail "$wizard page $page shows no Chinese text"
    local english
    english=$(english_in <<<"$texts")
    [[ -z $english ]] || fail "$wizard page $page shows English: $english"
  done
  local row
  for row in "${expected_pages[@]}"; do
    IFS='|' read -r row_wizard row_page row_text <<<"$row"
    [[ $row_wizard == "$wizard" ]] || continue
    page_texts "$wizard" "$row_page" | grep -qxF "$row_text" ||
      fail "$wizard page $row_page does not show '$row_text'"
  done
}

# Runs a wizard and walks its pages into $work/WIZARD.txt. A wizard that
# could not be walked to its end ends the test, and with it the Wine session
# that still shows the wizard.
walk() {
  local wizard=$1
  shift
  wine "$@" &
  local process=$!
  if ! wine "$pages_exe" walk "$name $wizard" >"$work/$wizard.txt"; then
    fail "the $wizard wizard's pages could not be walked: $(cat "$work/$wizard.txt")"
    echo "$failures check(s) failed"
    exit 1
  fi
  wait "$process" || fail "the $wizard wizard ended with $?"
}

echo "clicking through the installer"
walk 安装 "$setup"
check_wizard 安装
[[ -f "$program_dir/plinthar.exe" ]] || fail "the installer installed no plinthar.exe"

# The finish page's checked box starts the program.
DISPLAY=$(cat "$state/display")
export DISPLAY
if timeout 30 xdotool search --sync --onlyvisible --name '^Plinthar \(' >/dev/null; then
  wine taskkill.exe /im plinthar.exe >/dev/null 2>&1 || true
else
  fail "the finish page did not start Plinthar"
fi

echo "clicking through the uninstaller"
walk 卸载 'C:\Program Files\Plinthar\uninstall.exe'
check_wizard 卸载
for _ in $(seq 60); do
  [[ -e "$program_dir" ]] || break
  sleep 0.5
done
[[ ! -e "$program_dir" ]] || fail "the uninstaller left Program Files\\Plinthar"

if ((failures > 0)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "6 pages, all in Chinese, in ${SECONDS} s"
