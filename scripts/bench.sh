#!/usr/bin/env bash
# Builds the benchmarks, makes the large synthetic logs once, and runs every benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench
mkdir -p bench/data
for lines in 100000 1000000; do
  [ -f "bench/data/log_${lines}.txt" ] ||
    build/bench/tools/synthlog --lines "$lines" --items 96 > "bench/data/log_${lines}.txt"
done
# Values that do not compress: random doubles of 17 digits.
[ -f bench/data/random_100000.txt ] ||
  build/bench/tools/synthlog --lines 100000 --items 96 --random 1 > bench/data/random_100000.txt
export GRAFOLUX_BENCH_DATA="$PWD/bench/data"
for b in build/bench/bench/bench_*; do
  [ -x "$b" ] && "$b" "$@"
done
