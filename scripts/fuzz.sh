#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers) and runs
# each one for the given number of seconds from its seed corpus in fuzz/corpus/<name>.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}

ls fuzz/*.cpp >/dev/null 2>&1 || { echo "no fuzz targets"; exit 0; }
cmake -S . -B build-fuzz -G Ninja -DVYX_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build-fuzz -j "$(nproc)"

for src in fuzz/*.cpp; do
  name=$(basename "$src" .cpp)
  work=$(mktemp -d)
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$work/"
  echo "fuzzing $name for ${seconds}s"
  QT_QPA_PLATFORM=offscreen VYX_SIM=1 ./build-fuzz/bin/fuzz_"$name" -max_total_time="$seconds" \
    -print_final_stats=1 "$work" 2>&1 | tail -n 12
  rm -rf "$work"
done
