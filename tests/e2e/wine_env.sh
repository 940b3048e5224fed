#!/bin/bash
# Starts and stops what the Windows tests need: a private X server that holds gamma
# ramps (Xorg with the dummy driver) on a display nobody else uses, and a fresh Wine
# prefix. State goes to STATE_DIR/env, which with_env.sh reads.
#   wine_env.sh start STATE_DIR win32|win64
#   wine_env.sh stop STATE_DIR
set -u
cmd=$1 state=$2
here=$(cd "$(dirname "$0")" && pwd)

stop() {
  [ -f "$state/env" ] && . "$state/env"
  [ -d "${WINEPREFIX:-/nonexistent}" ] && timeout 20 wineserver -k >/dev/null 2>&1
  [ -f "$state/xorg.pid" ] || return 0
  local pid; pid=$(cat "$state/xorg.pid")
  kill "$pid" 2>/dev/null
  for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null
  rm -f "$state/xorg.pid"
}

start() {
  local arch=$1 n
  stop
  rm -rf "$state"
  mkdir -p "$state"
  for n in $(seq 71 141); do [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ] && break; done
  [ "$n" = 141 ] && { echo "wine_env: no free X display number" >&2; exit 1; }
  Xorg ":$n" -noreset -nolisten tcp -config "$here/xorg-dummy.conf" -logfile "$state/xorg.log" \
    >/dev/null 2>&1 &
  echo $! >"$state/xorg.pid"
  for _ in $(seq 1 200); do DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  if ! DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
    echo "wine_env: Xorg did not come up on :$n (expected a dummy-driver X server; see $state/xorg.log)" >&2
    tail -20 "$state/xorg.log" >&2
    exit 1
  fi

  local loader=wine
  [ "$arch" = win64 ] && loader=/usr/lib/wine/wine64
  cat >"$state/env" <<ENV
export DISPLAY=:$n
export WINEPREFIX=$state/prefix
export WINEARCH=$arch
export WINEDEBUG=-all
export WINELOADER_CMD=$loader
export LC_ALL=\${GLOWMERE_TEST_LOCALE:-C.UTF-8}
ENV
  . "$state/env"
  WINEDLLOVERRIDES="mscoree,mshtml=" timeout 300 $loader wineboot -i >"$state/wineboot.log" 2>&1
  # Unmanaged windows: with no window manager Wine would wait 2 s for each hide.
  # A crash ends the process with its code instead of waiting on a dialog; Windows
  # always has a Run key; the test browser records the addresses it is asked to open.
  cat >"$state/setup.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]

[HKEY_CURRENT_USER\\Software\\Wine\\WineBrowser]
"Browsers"="$state/record-url.sh"

[HKEY_CLASSES_ROOT\\.txt]
@="txtfile"

[HKEY_CLASSES_ROOT\\txtfile\\shell\\open\\command]
@="notepad.exe \\"%1\\""
REG
  cat >"$state/record-url.sh" <<'REC'
#!/bin/sh
echo "$1" >> "$(dirname "$0")/opened-urls.txt"
REC
  chmod +x "$state/record-url.sh"
  timeout 120 $loader regedit "$state/setup.reg" >/dev/null 2>&1
  timeout 60 wineserver -w
  echo "wine_env: X server :$n and $arch prefix ready in $state"
}

case $cmd in
  start) start "${3:-win64}" ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop STATE_DIR [win32|win64]" >&2; exit 2 ;;
esac
