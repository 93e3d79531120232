#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what Hueprint needs on Debian 12 and is not there yet.
#   install-deps.sh          what building and running need
#   install-deps.sh --tests  also what the tests need
set -euo pipefail

packages=(build-essential cmake ninja-build qt6-base-dev qt6-qpa-plugins libgl-dev
          fonts-liberation fonts-dejavu-core pkg-config libxcb1-dev)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(xvfb xauth x11-utils xdotool xclip imagemagick openbox
             dbus at-spi2-core python3-pyatspi orca
             clang libclang-rt-14-dev llvm clang-tidy cppcheck
             desktop-file-utils appstream dpkg-dev file lintian)
fi
if [[ -z "${DISPLAY:-}" ]]; then
  packages+=(xvfb xauth) # the program is started under a virtual X server when there is no display
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
