#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour sanitizers) and runs
# them in one of two ways:
#
#   scripts/fuzz.sh regress [TARGET...]   every stored input of fuzz/corpus/<name> and
#                                         fuzz/regressions/<name>, then FUZZ_RUNS (default 2000,
#                                         or the count in fuzz/<name>.runs) mutations from seed 1:
#                                         the same commit, the same verdict.
#   scripts/fuzz.sh SECONDS [TARGET...]   a random campaign of SECONDS per target; a finding is
#                                         written to fuzz/regressions/<name>/ and the run fails.
#
# Without TARGET names every fuzz/<name>.cpp is run. The test command runs `regress`.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-regress}
shift || true
jobs=${VYX_JOBS:-$(nproc)}

ls fuzz/*.cpp >/dev/null 2>&1 || { echo "no fuzz targets"; exit 0; }
cmake -S . -B build-fuzz -G Ninja -DVYX_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz -j "$jobs"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in fuzz/*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi

export QT_QPA_PLATFORM=offscreen VYX_SIM=1
failed=()
for name in "${targets[@]}"; do
  bin=./build-fuzz/bin/fuzz_$name
  [ -x "$bin" ] || { echo "no fuzz target $name"; exit 2; }
  mkdir -p "fuzz/regressions/$name"
  work=$(mktemp -d)
  inputs=()
  [ -d "fuzz/corpus/$name" ] && inputs+=("$PWD/fuzz/corpus/$name")
  inputs+=("$PWD/fuzz/regressions/$name")
  if [ "$mode" = regress ]; then
    # A target whose inputs are slow to run names a smaller run count in fuzz/<name>.runs.
    runs=${FUZZ_RUNS:-2000}
    [ -f "fuzz/$name.runs" ] && runs=$(cat "fuzz/$name.runs")
    # New inputs go to the scratch folder named first; the stored ones are only read.
    args=(-seed=1 -runs="$runs" "-artifact_prefix=/tmp/vyx-fuzz-$name-")
    echo "fuzz $name: stored inputs and $runs runs from seed 1"
  else
    args=(-max_total_time="$mode" "-artifact_prefix=$PWD/fuzz/regressions/$name/")
    echo "fuzz $name: ${mode}s campaign"
  fi
  if ! "$bin" "${args[@]}" -print_final_stats=1 "$work" "${inputs[@]}" >"$work/log" 2>&1; then
    tail -n 40 "$work/log"
    failed+=("$name")
  else
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$work/log" | tr '\n' ' '
    echo
  fi
  rm -rf "$work"
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz targets that failed: ${failed[*]}"
  exit 1
fi
