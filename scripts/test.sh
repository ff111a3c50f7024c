#!/usr/bin/env bash
# Installs what is missing, builds vyx and runs every test; then builds the fuzz targets with
# clang and runs each for a short while (FUZZ_SECONDS, default 20).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen VYX_SIM=1 ctest --output-on-failure -j "$jobs" --timeout 300)

bash scripts/fuzz.sh "${FUZZ_SECONDS:-20}"
