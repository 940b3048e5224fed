#!/bin/bash
# Runs a command with a second display: the dummy X server's spare output DUMMY1 (1024x768,
# right of DUMMY0). Afterwards, also on failure, the single display comes back, since the
# other tests share the X server and the Wine prefix. Wine reads the outputs when its
# server starts, so it is restarted after each change.
#   two_displays.sh STATE_DIR CMD...
set -u
state=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$state/env"

# Wine reads the outputs the X server has cached; a full query makes the server look anew.
restart_wine() { xrandr --query >/dev/null 2>&1; timeout 60 wineserver -k >/dev/null 2>&1; timeout 60 wineserver -w; }
single_display() { xrandr --output DUMMY1 --off >/dev/null 2>&1; restart_wine; }
trap single_display EXIT
trap 'exit 130' INT TERM

xrandr --addmode DUMMY1 1024x768 >/dev/null 2>&1  # fails harmlessly when added before
if ! xrandr --output DUMMY1 --mode 1024x768 --right-of DUMMY0; then
  echo "two_displays: expected to switch on DUMMY1 at 1024x768; xrandr shows:" >&2
  xrandr >&2
  exit 1
fi
restart_wine
"$here/with_env.sh" "$state" "$@"
