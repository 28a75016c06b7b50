#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and checks what a desktop sees: the
# desktop entry and the AppStream metadata pass their validators, the installed program
# answers --version and speaks English with --lang en, and an export from the installed sample data writes its pictures.
#   install_check.sh BUILD_DIR VERSION
set -eu
build=$1
version=$2
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
DESTDIR="$dest" cmake --install "$build" --prefix /usr >/dev/null

share="$dest/usr/share"
desktop-file-validate "$share/applications/varnel.desktop"
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml >/dev/null
for size in 16 32 48 256; do
  file "$share/icons/hicolor/${size}x${size}/apps/varnel.png" | grep -q "PNG image data, $size x $size"
done
for section in "DATA FILES" KEYS FILES EXAMPLES; do
  grep -q "^\.SH \"*$section" "$share/man/man1/varnel.1" || { echo "man page lacks $section"; exit 1; }
done
grep -q 'lang' "$share/man/man1/varnel.1" || { echo "man page lacks --lang"; exit 1; }
if grep -q Education "$share/applications/varnel.desktop" "$share"/metainfo/*.metainfo.xml; then
  echo "listed under Education, not among the science programs alone"; exit 1
fi

answer=$(env -i "$dest/usr/bin/varnel" --version)
[ "$answer" = "varnel $version" ] || { echo "--version said: $answer"; exit 1; }

data="$share/varnel/sample-data"
first=$(ls "$data/DataSpeed" | head -n 1); first=${first%_speed.txt}
# --list names every aircraft; a name in another letter case finds it.
[ "$(env -i "$dest/usr/bin/varnel" --list "$data" | wc -l)" = "$(ls "$data/DataSpeed" | wc -l)" ]
out="$dest/out"
env -i "$dest/usr/bin/varnel" --export "$out" --first "${first,,}" "$data" >"$dest/written"
[ "$(wc -l <"$dest/written")" = 7 ] || { cat "$dest/written"; exit 1; }
for slug in overview speed-by-altitude climb-by-altitude climb-at-speed turn-time turn-rate verdict; do
  file "$out/$slug.png" | grep -q "PNG image data, 800 x 600"
done
# English comes from the translation built into the program: no Russian letter is left
# (the sample aircraft have Latin names), and Russian stays the default.
second=$(ls "$data/DataSpeed" | sed -n 2p); second=${second%_speed.txt}
verdict() { env -i "$dest/usr/bin/varnel" --verdict --first "$first" --second "$second" "$@" "$data"; }
if verdict --lang en | LC_ALL=C.UTF-8 grep -qP '[\x{0400}-\x{04FF}]'; then echo "--lang en left Russian text"; exit 1; fi
verdict | LC_ALL=C.UTF-8 grep -qP '[\x{0400}-\x{04FF}]' || { echo "the default verdict is not Russian"; exit 1; }
echo "install: all checks passed"
