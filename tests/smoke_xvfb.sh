#!/usr/bin/env bash
# Starts the real program under a virtual X server on the bundled sample data, waits
# for its window (titled as the third argument), checks that it is still running after
# the scan, then ends it. Exits 77 (skipped) where xvfb-run is missing.
set -u
bin=$1
data=$2
title=$3
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "smoke: xvfb-run is not installed; skipped"
  exit 77
fi
unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 1280x900x24" bash -c '
  bin=$1; data=$2; title=$3
  cd "$data" || exit 1
  "$bin" & pid=$!
  found=0
  for _ in $(seq 1 100); do
    if xwininfo -root -tree 2>/dev/null | grep -q "\"$title\""; then found=1; break; fi
    if ! kill -0 $pid 2>/dev/null; then echo "smoke: varnel exited early"; exit 1; fi
    sleep 0.2
  done
  if [ $found = 0 ]; then echo "smoke: no window \"$title\" appeared"; kill $pid; exit 1; fi
  sleep 2
  if ! kill -0 $pid 2>/dev/null; then echo "smoke: varnel died after its window appeared"; exit 1; fi
  echo "smoke: window \"$title\" is up"
  kill $pid; wait $pid 2>/dev/null
  exit 0
' smoke "$bin" "$data" "$title"
