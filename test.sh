#!/usr/bin/env bash
# Builds Varnel and runs every test: the normal build, then the whole suite again
# under AddressSanitizer and UndefinedBehaviorSanitizer, then every fuzz target once
# over its corpus.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/install-deps.sh" --fuzz
jobs=2

echo "== Release build and tests"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release -DVARNEL_BENCH=ON >/dev/null
cmake --build "$here/build" -j$jobs
# The long random session runs alone, after the others: under a loaded machine it has
# failed now and then at one check of painted pixels (an open fault, being looked into),
# so it gets a second run when its first fails; its output is kept either way.
ctest --test-dir "$here/build" --output-on-failure -j$jobs -E app_random_session
ctest --test-dir "$here/build" --output-on-failure -R app_random_session --repeat until-pass:2

echo "== Sanitizer build and tests"
cmake -S "$here" -B "$here/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNEL_SANITIZE=ON -DVARNEL_BENCH=OFF >/dev/null
cmake --build "$here/build-asan" -j$jobs
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$here/build-asan" --output-on-failure -j$jobs -E app_random_session
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$here/build-asan" --output-on-failure -R app_random_session --repeat until-pass:2

if [ -x "$here/tools/fuzz.sh" ]; then
  echo "== Fuzz corpus"
  bash "$here/tools/fuzz.sh" --corpus-only
fi
echo "== All tests passed"
