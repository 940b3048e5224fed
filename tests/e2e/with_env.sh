#!/bin/bash
# Runs a command inside the test run's X server and Wine prefix: with_env.sh STATE_DIR CMD...
state=$1
shift
if [ ! -f "$state/env" ]; then
  echo "with_env: $state/env is missing: the wine_env_start test must run first" >&2
  exit 1
fi
. "$state/env"
[ "$1" = wine ] && { shift; exec $WINELOADER_CMD "$@"; }
exec "$@"
