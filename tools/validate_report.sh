#!/usr/bin/env bash
# Writes the HTML report of a pair and runs it through HTML validators: html-validate
# always, and the W3C Nu validator too where java is found. Both come from npm into a
# folder outside the repository (VALIDATORS_DIR, default /tmp/varnel-validators), once.
# Not part of the test suite: it needs npm and the network the first time.
#
#   tools/validate_report.sh [VARNEL_BINARY [REPORT ARGUMENTS...]]
#
# Default: build/varnel, the sample pair Tarn-5 and Skarn-7 at every flap setting.
# Prints what the validators say; fails when either finds a problem.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
varnel=${1:-$root/build/varnel}
shift || true
args=("$@")
[ ${#args[@]} -gt 0 ] || args=(--first Tarn-5 --second Skarn-7 --flaps 0,1,2,3 "$root/sample-data")
tools=${VALIDATORS_DIR:-/tmp/varnel-validators}

if [ ! -x "$tools/node_modules/.bin/html-validate" ]; then
  mkdir -p "$tools"
  (cd "$tools" && { [ -f package.json ] || npm init -y >/dev/null; } && npm install --no-audit --no-fund html-validate vnu-jar >/dev/null)
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
report=$work/report.html
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$varnel" --report "$report" "${args[@]}" >/dev/null

status=0
echo "html-validate:"
"$tools/node_modules/.bin/html-validate" "$report" && echo "  no problems" || status=1
if command -v java >/dev/null; then
  echo "Nu validator:"
  java -jar "$tools/node_modules/vnu-jar/build/dist/vnu.jar" "$report" && echo "  no problems" || status=1
fi
exit $status
