#!/usr/bin/env bash
# Builds Varnel and runs every test: the normal build, then the whole suite again
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/install-deps.sh"

cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$here/build" -j2
ctest --test-dir "$here/build" --output-on-failure -j2
