#!/bin/bash
# Makes sure the Debian packages the build and the tests need are installed.
# As root it installs what is missing; otherwise it names the exact command to run.
#   tools/ensure-deps.sh build|test|run
set -u
purpose=${1:-test}

packages=(cmake make g++ libgtest-dev libgmock-dev googletest
          g++-mingw-w64-i686-posix binutils-mingw-w64-i686
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
if [ "$purpose" != build ]; then
  packages+=(wine wine64 xserver-xorg-core xserver-xorg-video-dummy x11-utils x11-xserver-utils imagemagick
             fonts-dejavu-core fonts-noto-cjk)
fi
if [ "$purpose" = test ]; then
  packages+=(clang libclang-rt-14-dev libbenchmark-dev unzip)
fi

# 32-bit Wine runs the product itself where this kernel can execute 32-bit code.
. "$(dirname "$0")/wine-target.sh"
need_i386=0
if [ "$purpose" != build ] && glowmere_wine_target && [ "$GLOWMERE_ARCH" = win32 ]; then
  need_i386=1
  packages+=(wine32:i386 libxxf86vm1:i386 libxrandr2:i386 libxi6:i386 libxcursor1:i386 libxinerama1:i386
             libxcomposite1:i386 libxrender1:i386 libxext6:i386 libfreetype6:i386 libfontconfig1:i386)
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing Debian packages: ${missing[*]}" >&2
  echo "Install them with:" >&2
  [ $need_i386 = 1 ] && echo "  sudo dpkg --add-architecture i386" >&2
  echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
[ $need_i386 = 1 ] && dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq >/dev/null
if ! apt-get install -y -qq --no-install-recommends "${missing[@]}" >/tmp/glowmere-apt.log 2>&1; then
  echo "apt-get install failed; see /tmp/glowmere-apt.log" >&2
  tail -20 /tmp/glowmere-apt.log >&2
  exit 1
fi
