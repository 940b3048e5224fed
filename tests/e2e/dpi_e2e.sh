#!/bin/bash
# Runs the DPI test program at 96, 144 and 192 DPI in the test run's prefix:
#   dpi_e2e.sh STATE_DIR TEST_PROGRAM [ARGS...]
# Wine reads LogPixels when its server starts, so each DPI needs a server restart. Whatever
# happens, the prefix is left at 96 DPI with a fresh server, for the tests that follow.
set -u
state=$1
shift
. "$state/env"

set_dpi() {
  local key
  for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    timeout 60 $WINELOADER_CMD reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
      { echo "dpi_e2e: could not set LogPixels to $1 under $key" >&2; return 1; }
  done
  # Ends every Wine process of the prefix (a Glowmere left over too) and saves the registry.
  timeout 60 wineserver -k >/dev/null 2>&1
  timeout 60 wineserver -w >/dev/null 2>&1
  return 0
}

trap 'set_dpi 96' EXIT
rm -f "$state/dpi-96-client.txt"
failed=0
for dpi in 96 144 192; do
  echo "== $dpi DPI"
  set_dpi "$dpi" || { failed=1; break; }
  GLOWMERE_TEST_DPI=$dpi timeout 600 $WINELOADER_CMD "$@" || failed=1
done
exit $failed
