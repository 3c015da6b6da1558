#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, only when missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev llvm
  libgtest-dev libgmock-dev googletest
  nlohmann-json3-dev libboost-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev qt6-image-formats-plugins
  xvfb xdotool xauth x11-utils imagemagick
  fonts-ipafont-gothic fonts-ipafont-mincho
  ccache time
  python3-ezdxf
  hp2xx
  emf2svg poppler-utils xclip
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}" >&2
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
