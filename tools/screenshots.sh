#!/bin/bash
# The README's screenshots: the dialog in English, German and Korean, and in English at
# 150 % display scaling (144 DPI), taken headless.
set -u
cd "$(dirname "$0")/.."
tools/ensure-deps.sh run || exit 1
. tools/wine-target.sh
glowmere_wine_target
arch=$GLOWMERE_ARCH
for shot in en_US:en de_DE:de ko_KR:ko; do
  locale=${shot%%:*} name=${shot##*:}
  prefix=$(pwd)/build/shots-$arch-$name
  # Each language has a prefix of its own, so no stored language choice wins over the locale
  # and the Korean one can draw its menus in a Korean font.
  font=; [ "$name" = ko ] && font="Noto Sans CJK KR"
  find "$prefix" -name Glowmere.ini -delete 2>/dev/null
  env -u DISPLAY GLOWMERE_WINE_PREFIX="$prefix" GLOWMERE_MENU_FONT="$font" GLOWMERE_LOCALE="$locale.UTF-8" \
    GLOWMERE_SCREENSHOT="docs/screenshot-$name.png" tools/run.sh || exit 1
done
prefix=$(pwd)/build/shots-$arch-en-150
find "$prefix" -name Glowmere.ini -delete 2>/dev/null
env -u DISPLAY GLOWMERE_WINE_PREFIX="$prefix" GLOWMERE_DPI=144 GLOWMERE_LOCALE=en_US.UTF-8 \
  GLOWMERE_SCREENSHOT=docs/screenshot-en-150.png tools/run.sh || exit 1
# The night-mode dialog, opened from the Program menu, in English and German.
for shot in en_US:en:Night%mode de_DE:de:Nachtmodus; do
  locale=${shot%%:*} rest=${shot#*:} name=${rest%%:*} title=${rest#*:}
  env -u DISPLAY GLOWMERE_WINE_PREFIX="$(pwd)/build/shots-$arch-$name" GLOWMERE_LOCALE="$locale.UTF-8" \
    GLOWMERE_COMMAND=40050 GLOWMERE_SHOT_TITLE="${title//%/ }" GLOWMERE_SCREENSHOT="docs/screenshot-night-$name.png" \
    tools/run.sh || exit 1
done
