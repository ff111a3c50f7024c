#!/usr/bin/env bash
# Installs what is missing, builds vyx (warnings are errors) and runs every test; then runs every
# fuzz target over its stored inputs and a fixed number of runs from a fixed seed
# (scripts/fuzz.sh regress), so that the same commit always gets the same verdict.
# VYX_JOBS sets the parallel jobs (default: the number of processors).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=${VYX_JOBS:-$(nproc)}
export VYX_JOBS=$jobs
start=$(date +%s)
stage() { echo "== $1 ($(( $(date +%s) - start )) s)"; }

stage "build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVYX_WERROR=ON
cmake --build build -j "$jobs"

stage "tests"
(cd build && QT_QPA_PLATFORM=offscreen VYX_SIM=1 ctest --output-on-failure -j "$jobs" --timeout 300)

stage "fuzz targets as regressions"
bash scripts/fuzz.sh regress
stage "done"
