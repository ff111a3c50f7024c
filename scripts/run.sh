#!/usr/bin/env bash
# Builds vyx and starts it on the simulated machine (VYX_SIM=1) in a fresh program folder with a
# default settings.ini and a channels.ini of the simulated stations.
#
#   bash scripts/run.sh [FOLDER]    the program folder (default: a new one under out/demo)
#
# Without a display ($DISPLAY empty) it runs under xvfb-run, leaves a screenshot of the panel and
# the TV window in the program folder and says
# where; the program then ends by its orderly shut-down. The screenshot is taken while the
# channel's name is still on the picture (VYX_SCREENSHOT_DELAY, default here 1000 ms).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target vyx vyx-demo-folder hwiodrv-sim

if [ $# -ge 1 ]; then
  home=$1
else
  mkdir -p out/demo
  home=$(mktemp -d "$PWD/out/demo/run-XXXXXX")
fi
./build/bin/vyx-demo-folder "$home"

export VYX_SIM=1 VYX_HOME="$home"
if [ -n "${DISPLAY:-}" ]; then
  echo "vyx runs with its program folder $home"
  exec ./build/bin/vyx
fi

shot="$home/screenshot.png"
echo "no display: running under xvfb-run, screenshot in $shot"
VYX_SCREENSHOT="$shot" VYX_SCREENSHOT_DELAY="${VYX_SCREENSHOT_DELAY:-1000}" xvfb-run -a -s "-screen 0 1024x768x24" ./build/bin/vyx
echo "screenshot of the panel and the TV window: $shot"
