#!/bin/bash
# Builds Glowmere and starts it under Wine: on $DISPLAY when there is one; otherwise on a
# private headless X server, leaving a screenshot in build/screenshot.png after a few seconds.
#   tools/run.sh [Glowmere arguments]   (GLOWMERE_LOCALE=de_DE.UTF-8 starts it in German;
#   GLOWMERE_DPI=144 sets the prefix's display scaling to 150 %; GLOWMERE_COMMAND=ID chooses that
#   menu command once the window is up, and GLOWMERE_SHOT_TITLE=TEXT crops the screenshot to the
#   window whose title starts with TEXT)
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
tools/ensure-deps.sh run || exit 1

. tools/wine-target.sh
glowmere_wine_target
preset=$GLOWMERE_PRESET arch=$GLOWMERE_ARCH loader=$GLOWMERE_LOADER
targets=Glowmere; [ -n "${GLOWMERE_COMMAND:-}" ] && targets="Glowmere post_command"
cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" --target $targets -j "$(nproc)" >build/run-build.log 2>&1 \
  || { tail -30 build/run-build.log; exit 1; }
exe=$root/build/$preset/bin/Glowmere.exe

# A DPI of its own gets a prefix of its own: Wine keeps the DPI in the prefix.
export WINEPREFIX=${GLOWMERE_WINE_PREFIX:-$root/build/run-prefix-$arch${GLOWMERE_DPI:+-$GLOWMERE_DPI}} WINEARCH=$arch WINEDEBUG=${WINEDEBUG:--all}
# Wine takes its language from LC_ALL; the locale need not exist on this machine, so it is
# handed to Wine alone rather than to this shell.
wine_locale=${GLOWMERE_LOCALE:-${LC_ALL:-C.UTF-8}}
wine() { env LC_ALL="$wine_locale" $loader "$@"; }
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Preparing a Wine prefix in $WINEPREFIX (once)..."
  WINEDLLOVERRIDES="mscoree,mshtml=" wine wineboot -i >/dev/null 2>&1
  if [ -z "${DISPLAY:-}" ]; then
    # Without a window manager Wine is to draw the window frames and captions itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  fi
  # A Windows in an East Asian language draws menus in a font of its script; Wine's default
  # menu font has none, so a prefix for such a language can name one.
  if [ -n "${GLOWMERE_MENU_FONT:-}" ]; then
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v 'MS Shell Dlg' /d "$GLOWMERE_MENU_FONT" /f >/dev/null 2>&1
  fi
  wineserver -w
fi

if [ -n "${GLOWMERE_DPI:-}" ]; then
  # Wine reads the DPI when its server starts; none runs here yet.
  for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$GLOWMERE_DPI" /f >/dev/null 2>&1
  done
  wineserver -w
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting Glowmere on $DISPLAY"
  exec env LC_ALL="$wine_locale" $loader "$exe" "$@"
fi

# Headless: a private X server (Xorg with the dummy driver holds gamma ramps; it needs root,
# so others get Xvfb, where the ramps have no effect).
state=$root/build/run-headless
mkdir -p "$state"
n=$(for i in $(seq 150 199); do [ -e /tmp/.X11-unix/X$i ] || [ -e /tmp/.X$i-lock ] || { echo $i; break; }; done)
if [ "$(id -u)" -eq 0 ]; then
  Xorg ":$n" -noreset -nolisten tcp -config "$root/tests/e2e/xorg-dummy.conf" -logfile "$state/xorg.log" >/dev/null 2>&1 &
else
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
fi
xpid=$!
cleanup() { wineserver -k >/dev/null 2>&1; kill $xpid 2>/dev/null; wait $xpid 2>/dev/null; }
trap cleanup EXIT
export DISPLAY=:$n
for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

wine "$exe" "$@" &
# The first start in a prefix can take a minute or more while Wine caches the fonts.
for _ in $(seq 1 900); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Glowmere' && break
  sleep 0.2
done
[ -n "${GLOWMERE_COMMAND:-}" ] && wine "$root/build/$preset/bin/post_command.exe" "$GLOWMERE_COMMAND"
sleep "${GLOWMERE_SCREENSHOT_DELAY:-3}"
shot=${GLOWMERE_SCREENSHOT:-build/screenshot.png}
/usr/bin/import -window root build/screenshot-full.png
# Crop to the dialog when its position is known.
geometry=$(xwininfo -root -tree 2>/dev/null | grep "\"${GLOWMERE_SHOT_TITLE:-Glowmere}" | head -1 |
  grep -Eo '[0-9]+x[0-9]+\+[0-9]+\+[0-9]+' | head -1)
if [ -n "$geometry" ]; then
  /usr/bin/convert build/screenshot-full.png -crop "$geometry" +repage "$shot"
else
  cp build/screenshot-full.png "$shot"
fi
echo "Screenshot: $shot"
