#!/usr/bin/env bash
# Installs what is missing, builds vyx twice and checks it:
#   - the optimised program, benchmarks included, without the tests (build-release/);
#   - everything, tests included, with the address and undefined-behaviour sanitizers
#     (build-asan/), in which every test runs once: each test program as 4 processes that share
#     out its cases, since a process start costs much under the sanitizers;
# warnings are errors in both. Then every fuzz target runs over its stored inputs and a fixed
# number of runs from a fixed seed (scripts/fuzz.sh regress), so that the same commit always gets
# the same verdict. VYX_JOBS sets the parallel jobs (default: the number of processors).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=${VYX_JOBS:-$(nproc)}
export VYX_JOBS=$jobs
start=$(date +%s)
stage() { echo "== $1 ($(( $(date +%s) - start )) s)"; }

stage "optimised build"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVYX_WERROR=ON \
  -DVYX_TESTS=OFF
cmake --build build-release -j "$jobs"

stage "sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVYX_WERROR=ON \
  -DVYX_SANITIZE=ON -DVYX_BENCH=OFF -DVYX_TEST_SHARDS=4
cmake --build build-asan -j "$jobs"

stage "tests (sanitizer build)"
(cd build-asan && QT_QPA_PLATFORM=offscreen VYX_SIM=1 ctest --output-on-failure -j "$jobs" \
  --timeout 300)

stage "fuzz targets as regressions"
bash scripts/fuzz.sh regress
stage "done"
