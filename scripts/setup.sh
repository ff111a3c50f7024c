#!/usr/bin/env bash
# Installs every Debian package that building, testing, fuzzing and benchmarking vyx needs.
# Safe to run again: only missing packages are installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev
  libjpeg-dev libjpeg-turbo-progs libpciaccess-dev libasound2-dev libv4l-dev
  libavformat-dev libavcodec-dev libswscale-dev
  libx11-dev libxrandr-dev libxext-dev libxtst-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libgif-dev
  xvfb xauth
  fonts-dejavu-core  # the faces the panel's layout is drawn and measured in
  ccache
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
