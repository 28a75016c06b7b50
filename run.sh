#!/usr/bin/env bash
# Builds Varnel (Release, into build/) and opens it on the bundled sample data.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/install-deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$here/build" --target varnel -j2
if [ -n "${WAYLAND_DISPLAY:-}" ]; then
  :
elif [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  echo "run.sh: no display to open the window on (DISPLAY is unset or does not answer); run it from a desktop session, or under xvfb-run." >&2
  exit 1
fi
cd "$here/sample-data"
exec "$here/build/varnel"
