#!/usr/bin/env bash
# Builds the Debian package and checks its name, its file list and its Depends line.
#   package_check.sh BUILD_DIR VERSION
set -eu
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
deb="$work/varnel_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$work"; echo "no $deb"; exit 1; }

files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/varnel ./usr/share/applications/varnel.desktop ./usr/share/icons/hicolor/256x256/apps/varnel.png \
         ./usr/share/man/man1/varnel.1 ./usr/share/varnel/sample-data/DataSpeed/; do
  grep -qx -- "$f" <<<"$files" || { echo "package lacks $f"; exit 1; }
done
grep -q '^./usr/share/metainfo/.*\.metainfo\.xml$' <<<"$files" || { echo "package lacks its metainfo"; exit 1; }

# Dependencies computed from the binary: the Qt and QCustomPlot libraries it links.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqcustomplot2.1-qt6 libc6; do
  grep -q "$lib" <<<"$depends" || { echo "Depends lacks $lib: $depends"; exit 1; }
done
# apt shows the long description as one paragraph: no line of it starts verbatim.
! dpkg-deb -f "$deb" Description | grep -q '^  ' || { echo "description has a verbatim line"; exit 1; }
echo "package: $(basename "$deb") checked"
