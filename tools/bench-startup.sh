#!/bin/bash
# Start-up benchmark under Wine: Glowmere against a minimal program with the same dialog.
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
. tools/wine-target.sh
glowmere_wine_target
preset=$GLOWMERE_PRESET
cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" --target Glowmere min_dialog startup_bench -j "$(nproc)" >/dev/null || exit 1
bin=$root/build/$preset/bin
state=$root/build/bench-env
tests/e2e/wine_env.sh start "$state" "$preset" >/dev/null || exit 1
win() { echo "Z:$1" | tr / '\\'; }
tests/e2e/with_env.sh "$state" wine "$bin/startup_bench.exe" "$(win "$bin/Glowmere.exe")" "$(win "$bin/min_dialog.exe")" "${RUNS:-20}"
tests/e2e/wine_env.sh stop "$state"
