#!/usr/bin/env bash
# Builds Varnel (Release, into build/) and opens it on the bundled sample data.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/install-deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release -DVARNEL_BENCH=OFF >/dev/null
cmake --build "$here/build" --target varnel -j2
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: no display (DISPLAY is not set); start Varnel from a desktop session or under xvfb-run." >&2
  exit 1
fi
cd "$here/sample-data"
exec "$here/build/varnel"
