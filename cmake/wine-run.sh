#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine, headless:
#   wine-run.sh STATE_DIR PROGRAM [ARGUMENTS...]
# STATE_DIR holds a private Wine prefix and the Xvfb display it draws on, so the
# user's own ~/.wine is never touched. The first call creates the prefix (about
# 12 s); it sets the font replacement that gives 宋体 the half-width Latin
# letters of the form, a font link that puts Chinese in title bars, and
# unmanaged windows. Each call shares one session with the calls before it: an
# Xvfb and a wineserver that stays up for a while after the last program ends,
# so that a test costs a fraction of a second rather than a Wine start-up.
# When the wineserver ends, so does its Xvfb, once no program that a caller
# started is still running on it.
set -euo pipefail

if (($# < 2)); then
  echo "usage: $0 STATE_DIR PROGRAM [ARGUMENTS...]" >&2
  exit 2
fi
state=$1
shift
mkdir -p "$state"
state=$(cd "$state" && pwd)

export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
# No .NET or HTML engine (Wine would offer to download them), and no menu
# entries of the Linux desktop for Start-menu shortcuts made in the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LC_ALL=C.UTF-8
# Seconds the wineserver waits for the next program before it ends.
persistence=${PLINTHAR_WINE_PERSISTENCE:-20}

session_alive() {
  [[ -s $state/session.pid && -s $state/display ]] && kill -0 "$(cat "$state/session.pid")" 2>/dev/null
}

start_session() {
  # The last session's display.new must go first: Xvfb's redirection empties
  # it only once the background job runs, which may be after the wait below
  # has already found the old number there.
  rm -f "$state/display" "$state/display.new" "$state/session.pid"
  # The wineserver serves an existing prefix folder; Wine fills it in later.
  mkdir -p "$WINEPREFIX"
  # setsid and closed descriptors: the session outlives this call, and must
  # not hold the pipes through which ctest reads a test's output.
  # shellcheck disable=SC2016 # the inner script expands its own arguments
  setsid bash -c '
    state=$1 persistence=$2
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$state/display.new" &
    xvfb=$!
    for _ in $(seq 100); do
      [[ -s $state/display.new ]] && break
      sleep 0.1
    done
    if [[ ! -s $state/display.new ]]; then
      kill "$xvfb" 2>/dev/null
      exit 1
    fi
    wineserver -p"$persistence"
    echo ":$(tr -d "[:space:]" <"$state/display.new")" >"$state/display"
    echo $$ >"$state/session.pid"
    wineserver -w
    # The session ends only between two callers: none may be between finding
    # it alive and reading its display, and a program that a caller started
    # as the wineserver went (Wine then starts one of its own) keeps the
    # display until it ends. The waits are bounded, so that a stray process
    # cannot hold every later caller up.
    exec 9>"$state/lock" 8>"$state/users"
    flock -w 60 9 || true
    flock -w 120 8 || true
    rm -f "$state/display" "$state/session.pid"
    kill "$xvfb" 2>/dev/null
    wait "$xvfb"
  ' wine-session "$state" "$persistence" </dev/null >"$state/session.log" 2>&1 9>&- 8>&- &
  for _ in $(seq 150); do
    session_alive && return 0
    sleep 0.1
  done
  echo "wine-run: could not start Xvfb and wineserver (see $state/session.log)" >&2
  exit 1
}

create_prefix() {
  wine wineboot.exe --init >>"$state/session.log" 2>&1
  wine reg.exe add 'HKCU\Software\Wine\Fonts\Replacements' \
    /v '宋体' /t REG_SZ /d 'WenQuanYi Zen Hei Mono' /f >>"$state/session.log" 2>&1
  # Title bars are drawn in Tahoma, which has no Chinese: it borrows the
  # glyphs from WenQuanYi, as Windows links its UI font to a CJK one.
  wine reg.exe add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v Tahoma /t REG_MULTI_SZ /d 'wqy-zenhei.ttc,WenQuanYi Zen Hei' /f >>"$state/session.log" 2>&1
  # Xvfb runs no window manager: Wine would wait 2 s at each window it shows
  # for one to take the window over. Unmanaged, Wine draws the frame itself.
  wine reg.exe add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /t REG_SZ /d N /f >>"$state/session.log" 2>&1
  touch "$WINEPREFIX/.plinthar-ready-fontlink"
}

# One caller at a time sets the session and the prefix up.
exec 9>"$state/lock"
flock 9
if ! session_alive; then
  start_session
fi
DISPLAY=$(cat "$state/display")
export DISPLAY
if [[ ! -e $WINEPREFIX/.plinthar-ready-fontlink ]]; then
  create_prefix
fi
# Held, shared with the other callers, for as long as the program runs (wine
# keeps the descriptor): the session does not end under it.
exec 8>"$state/users"
flock -s 8
flock -u 9
exec 9>&-

exec wine "$@"
