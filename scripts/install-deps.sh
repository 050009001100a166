#!/usr/bin/env bash
# Installs the cross compiler, Wine, Xvfb and the rest through apt when missing.
set -euo pipefail
packages=(wine wine64 g++-mingw-w64-x86-64-posix cmake ninja-build googletest xvfb
          imagemagick fonts-liberation fonts-wine libstb-dev x11-utils
          xdotool ccache ghostscript python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# wine32 must stay out: this kernel refuses 32-bit programs and /usr/bin/wine
# would then prefer the 32-bit loader.
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
