# shellcheck shell=bash disable=SC2154 # wine_run and state come from the sourcing check
# Sourced by the installer checks: a fresh Wine prefix in STATE for one run,
# ended with its session when the check exits, and a failure counter.
# Expects $wine_run and $state; sets $prefix and $work, and defines fail, wine
# and stop_wine.

failures=0
fail() {
  echo "FAIL: $1"
  failures=$((failures + 1))
}

prefix="$state/prefix"
# Ends the Wine session of this prefix (and with it its Xvfb), if one runs.
stop_wine() {
  if [[ -d $prefix ]]; then
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  fi
  # The session may end, and take its pid file, while this looks.
  local session
  session=$(cat "$state/session.pid" 2>/dev/null || true)
  if [[ -n $session ]]; then
    timeout 30 tail --pid="$session" -f /dev/null || true
  fi
}

# A fresh prefix: nothing from an earlier run may pass for this one's work.
stop_wine
rm -rf "$state"
work="$state/check"
mkdir -p "$work"
trap stop_wine EXIT

wine() { "$wine_run" "$state" "$@"; }
wine cmd.exe /c exit 0 # creates the prefix
