#!/usr/bin/env bash
# The real program's export, as a shell calls it: it draws offscreen whatever platform
# the environment or -platform names, writes into the output folder spelled by the very
# bytes given, and reports a failure on one line of stderr with status 1. The text modes
# read DATA_DIR by its bytes and report a stdout that fails.
set -u
bin=$1
data=$2
work=$(mktemp -d)
err=$(mktemp)
trap 'rm -rf "$work" "$err"' EXIT
fail() { echo "export_cli: $*"; exit 1; }
first=$(ls "$data/DataSpeed" | head -n 1 | sed 's/_speed\.txt$//')

for how in "env QT_QPA_PLATFORM=xcb DISPLAY=" "env QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=none" "env -u QT_QPA_PLATFORM DISPLAY="; do
  $how "$bin" -platform xcb --export "$work/p" --first "$first" "$data" >/dev/null 2>"$err" ||
    fail "with $how -platform xcb: status $?: $(cat "$err")"
done
[ "$(ls "$work/p" | wc -l)" = 7 ] || fail "not seven pictures"

# A folder named in Windows-1251 ("Як" is DF EA), new or already there.
cyr=$(printf '\xdf\xea')
for out in "$work/$cyr" "$work/$cyr/new"; do
  "$bin" --export "$out" --first "$first" "$data" >/dev/null || fail "export into a Windows-1251 folder failed"
  [ -f "$out/overview.png" ] || fail "no picture in the Windows-1251 folder"
done
[ "$(ls "$work" | wc -l)" = 2 ] || fail "another folder appeared: $(ls "$work")"
# A report's file name in Windows-1251 ("Пр" is CF F0) is written by those bytes too.
pr=$(printf '\xcf\xf0')
"$bin" --report "$work/$cyr/$pr.html" --first "$first" "$data" >/dev/null || fail "report named in Windows-1251 failed"
[ -f "$work/$cyr/$pr.html" ] && [ ! -e "$work/$cyr/Пр.html" ] || fail "the report's name lost its bytes: $(ls "$work/$cyr")"

# A name holding a newline: one line, status 1.
"$bin" --export "$work/n" --first "$(printf 'A\nB')" "$data" >/dev/null 2>"$err"
status=$?
[ $status = 1 ] || fail "status $status for an unknown name"
[ "$(wc -l <"$err")" = 1 ] || fail "message of more than one line: $(cat "$err")"
# DATA_DIR named in Windows-1251 is read by its bytes, though a UTF-8 twin looks alike.
cp -r "$data" "$work/d$cyr" && mkdir "$work/dЯк" || fail "cannot copy the data"
[ "$("$bin" --list "$work/d$cyr" | wc -l)" = "$(ls "$data/DataSpeed" | wc -l)" ] || fail "--list missed the Windows-1251 DATA_DIR"

# A stdout that can't take the output: status 1 and one line on stderr, never success
# or a silent end. The pipe's reader is gone before anything is written.
"$bin" --list "$data" >/dev/full 2>"$err"
status=$?
[ $status = 1 ] && [ "$(wc -l <"$err")" = 1 ] || fail "--list into a full stdout: status $status: $(cat "$err")"
mkfifo "$work/sync"
{ read -r _ <"$work/sync"; "$bin" --verdict --first "$first" "$data" 2>"$err"; echo $? >"$work/status"; } |
  { exec 0<&-; echo >"$work/sync"; }
[ "$(cat "$work/status")" = 1 ] && [ "$(wc -l <"$err")" = 1 ] ||
  fail "--verdict into a closed pipe: status $(cat "$work/status"): $(cat "$err")"
echo "export_cli: ok"
