#!/bin/bash
# Builds Glowmere.exe twice, from scratch, in two different folders and compares the bytes.
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
for side in a b; do
  dir=$root/build/repro-$side
  rm -rf "$dir"
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=MinSizeRel >"$dir.log" 2>&1 &&
    cmake --build "$dir" --target Glowmere -j "$(nproc)" >>"$dir.log" 2>&1 ||
    { echo "reproducible: build $side failed (see $dir.log)"; exit 1; }
done
a=$root/build/repro-a/bin/Glowmere.exe
b=$root/build/repro-b/bin/Glowmere.exe
if cmp -s "$a" "$b"; then
  echo "reproducible: two clean builds gave identical Glowmere.exe ($(sha256sum "$a" | cut -c1-16)...)"
  exit 0
fi
echo "reproducible: the two builds differ; expected identical bytes. First differences (offset, a, b):"
cmp -l "$a" "$b" | head -10
exit 1
