#!/bin/bash
# Builds everything and runs every test: native unit tests, the Windows product with its
# size and import checks, the Windows unit and end-to-end tests under Wine, and the fuzzers.
#   tools/test.sh            (FUZZ_SECONDS=N sets each fuzzer's time, default 45)
set -u
cd "$(dirname "$0")/.."
tools/ensure-deps.sh test || exit 1

jobs=$(nproc)
passed=0
failed=0
failures=()
log_dir=build/test-logs
mkdir -p "$log_dir"

# Adds a CTest run's counts to the totals.
count_ctest() {
  local log=$1 name=$2
  local line
  line=$(grep -E "tests passed, [0-9]+ tests failed out of [0-9]+" "$log" | tail -1)
  if [ -z "$line" ]; then
    failed=$((failed + 1)); failures+=("$name (no test summary)")
    return
  fi
  local f t
  f=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')
  t=$(echo "$line" | sed -E 's/.* tests failed out of ([0-9]+).*/\1/')
  passed=$((passed + t - f))
  failed=$((failed + f))
  [ "$f" -gt 0 ] && failures+=("$name: $f failed")
}

step() { echo; echo "=== $*"; }

step "Native build and unit tests"
if cmake --preset host >"$log_dir/host-configure.log" 2>&1 && cmake --build --preset host -j "$jobs" >"$log_dir/host-build.log" 2>&1; then
  ctest --preset host -j "$jobs" 2>&1 | tee "$log_dir/host-ctest.log" | grep -E "tests passed|\*\*\*Failed" || true
  count_ctest "$log_dir/host-ctest.log" "native unit tests"
else
  failed=$((failed + 1)); failures+=("native build"); tail -30 "$log_dir"/host-*.log
fi

step "Windows product (i686)"
if cmake --preset win32 >"$log_dir/win32-configure.log" 2>&1 && cmake --build --preset win32 -j "$jobs" >"$log_dir/win32-build.log" 2>&1; then
  if tools/check-exe.sh build/win32/bin/Glowmere.exe; then passed=$((passed + 1)); else failed=$((failed + 1)); failures+=("Glowmere.exe checks"); fi
  if cmake --build --preset win32 --target package_release >"$log_dir/package.log" 2>&1 &&
     (cd build/win32/release && sha256sum -c --quiet Glowmere-*-win32.zip.sha256 &&
      unzip -o -q Glowmere-*-win32.zip -d check && cd check && sha256sum -c --quiet SHA256SUMS.txt); then
    echo "package: $(ls build/win32/release/*.zip)"; passed=$((passed + 1))
  else
    failed=$((failed + 1)); failures+=("release package"); tail -20 "$log_dir/package.log"
  fi
else
  failed=$((failed + 1)); failures+=("i686 build"); tail -30 "$log_dir/win32-build.log"
fi

step "Reproducible build"
if tools/check-reproducible.sh; then passed=$((passed + 1)); else failed=$((failed + 1)); failures+=("reproducible build"); fi

# The Windows tests run the 32-bit product where this machine can run 32-bit code;
# elsewhere a 64-bit build of the same sources under wine64.
. tools/wine-target.sh
glowmere_wine_target
win=$GLOWMERE_PRESET
step "Windows unit and end-to-end tests under Wine ($win)"
if [ "$(id -u)" -ne 0 ]; then
  echo "The end-to-end tests start their own Xorg server, which needs root: skipped." >&2
  failed=$((failed + 1)); failures+=("Windows tests need root")
elif cmake --preset "$win" >"$log_dir/$win-configure.log" 2>&1 && cmake --build --preset "$win" -j "$jobs" >"$log_dir/$win-build.log" 2>&1; then
  ctest --preset "$win" 2>&1 | tee "$log_dir/$win-ctest.log" | grep -E "Test +#|tests passed|\*\*\*" || true
  count_ctest "$log_dir/$win-ctest.log" "Windows tests"
else
  failed=$((failed + 1)); failures+=("$win build"); tail -30 "$log_dir/$win-build.log"
fi

step "Fuzzers"
fuzz_seconds=${FUZZ_SECONDS:-45}
if cmake --preset fuzz >"$log_dir/fuzz-configure.log" 2>&1 && cmake --build --preset fuzz -j "$jobs" >"$log_dir/fuzz-build.log" 2>&1; then
  for target in build/fuzz/bin/*_fuzz; do
    [ -x "$target" ] || continue
    name=$(basename "$target" _fuzz)
    corpus=build/fuzz/corpus/$name
    rm -rf "$corpus"; mkdir -p "$corpus"
    [ -d "tests/fuzz/corpus/$name" ] && cp -r "tests/fuzz/corpus/$name/." "$corpus/"
    if "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -timeout=10 "$corpus" >"$log_dir/fuzz-$name.log" 2>&1; then
      echo "fuzz $name: passed ($(grep -Eo '#[0-9]+' "$log_dir/fuzz-$name.log" | tail -1) runs)"
      passed=$((passed + 1))
    else
      echo "fuzz $name: FAILED (see $log_dir/fuzz-$name.log)"; tail -30 "$log_dir/fuzz-$name.log"
      failed=$((failed + 1)); failures+=("fuzz $name")
    fi
  done
else
  failed=$((failed + 1)); failures+=("fuzz build"); tail -30 "$log_dir/fuzz-build.log"
fi

echo
for f in "${failures[@]}"; do echo "FAILED: $f"; done
echo "glowmere: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
