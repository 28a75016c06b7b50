#!/usr/bin/env bash
# Installs the Debian packages Varnel needs to build, run and test; does nothing when
# all of them are there. Uses sudo when not run as root.
#   install-deps.sh          what building, running and testing need
#   install-deps.sh --fuzz   also clang and its runtime, for the fuzz targets
set -eu
pkgs=(cmake g++ make qt6-base-dev qt6-svg-dev libqcustomplot-dev libpng-dev xvfb xauth x11-utils fonts-dejavu-core fontconfig
      dpkg-dev fakeroot file help2man desktop-file-utils appstream poppler-utils
      qt6-tools-dev qt6-l10n-tools qt6-translations-l10n)
[ "${1:-}" = "--fuzz" ] && pkgs+=(clang libclang-rt-14-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "install-deps: installing ${missing[*]}"
sudo_=""
[ "$(id -u)" = 0 ] || sudo_=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo_ apt-get update -q
$sudo_ apt-get install -y -q --no-install-recommends "${missing[@]}"
