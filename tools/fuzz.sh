#!/usr/bin/env bash
# Fuzzes the data-file readers and the chart fillers with libFuzzer (clang).
#
#   tools/fuzz.sh [SECONDS] [TARGET...]
#       Builds the fuzz targets in build-fuzz/ and runs each TARGET (default: all of
#       them) for SECONDS (default 60) on a scratch copy of its corpus in
#       fuzz/corpus/<target>/. The committed corpus never changes. Crash inputs and the
#       grown corpus stay in the scratch directory, whose path is printed.
#   tools/fuzz.sh --corpus-only
#       Builds the targets and runs every committed corpus input once through its
#       target; exits non-zero on the first crash, hang or sanitizer report.
#
# Targets may be named with or without their "fuzz_" prefix (lines, number, summary,
# weapon, aircraft, check). Runs are niced, one target at a time.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-fuzz"
corpus="$here/fuzz/corpus"
limits=(-timeout=10 -rss_limit_mb=2048)
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

corpus_only=0
seconds=60
if [ "${1:-}" = "--corpus-only" ]; then
  corpus_only=1
  shift
elif [[ "${1:-}" =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi

all=()
for src in "$here"/fuzz/fuzz_*.cpp; do
  all+=("$(basename "$src" .cpp)")
done
targets=()
if [ $# -eq 0 ]; then
  targets=("${all[@]}")
else
  for t in "$@"; do
    t=fuzz_${t#fuzz_}
    if [ ! -f "$here/fuzz/$t.cpp" ]; then
      echo "fuzz.sh: no target $t (have: ${all[*]})" >&2
      exit 2
    fi
    targets+=("$t")
  done
fi

bash "$here/install-deps.sh"
cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVARNEL_FUZZ=ON -DVARNEL_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}" -j2

scratch=$(mktemp -d "${TMPDIR:-/tmp}/varnel-fuzz.XXXXXX")
failed=()
for t in "${targets[@]}"; do
  work="$scratch/$t"
  mkdir -p "$work/tmp"
  inputs=("$corpus/$t"/*)
  if [ $corpus_only = 1 ]; then
    # Named files run once each, in order, and the corpus directory is never written.
    if TMPDIR="$work/tmp" nice "$build/fuzz/$t" "${limits[@]}" -artifact_prefix="$work/" "${inputs[@]}" \
         >"$work/log" 2>&1; then
      echo "$t: ${#inputs[@]} corpus inputs ran clean"
    else
      echo "$t: FAILED on its corpus; the end of the log ($work/log):"
      tail -n 40 "$work/log"
      failed+=("$t")
    fi
  else
    cp -r "$corpus/$t" "$work/corpus"
    dict=()
    [ -f "$here/fuzz/$t.dict" ] && dict=(-dict="$here/fuzz/$t.dict")
    echo "== $t for ${seconds}s (log: $work/log)"
    if TMPDIR="$work/tmp" nice "$build/fuzz/$t" "${limits[@]}" "${dict[@]}" -max_total_time="$seconds" \
         -artifact_prefix="$work/" -print_final_stats=1 "$work/corpus" >"$work/log" 2>&1; then
      grep -E '^#[0-9]+[[:space:]]+DONE' "$work/log" | tail -n 1 || true
      grep -E '^stat::number_of_executed_units' "$work/log" || true
    else
      echo "$t: FAILED; the end of the log:"
      grep -v '^"' "$work/log" | tail -n 60
      ls "$work"/crash-* "$work"/timeout-* "$work"/oom-* "$work"/leak-* 2>/dev/null || true
      failed+=("$t")
    fi
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz.sh: failed: ${failed[*]}; inputs and logs kept in $scratch" >&2
  exit 1
fi
if [ $corpus_only = 1 ]; then
  rm -rf "$scratch"
else
  echo "fuzz.sh: all clean; grown corpora and logs in $scratch"
fi
