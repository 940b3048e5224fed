#!/bin/bash
# The README's screenshots: the dialog in English, German and Korean, taken headless.
set -u
cd "$(dirname "$0")/.."
for shot in en_US:en de_DE:de ko_KR:ko; do
  locale=${shot%%:*} name=${shot##*:}
  # A stored language choice would win over the locale.
  find build -path '*run-prefix*' -name Glowmere.ini -delete 2>/dev/null
  env -u DISPLAY GLOWMERE_LOCALE="$locale.UTF-8" GLOWMERE_SCREENSHOT="docs/screenshot-$name.png" tools/run.sh || exit 1
done
