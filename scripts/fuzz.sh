#!/usr/bin/env bash
# Runs every fuzz target (or the ones named) for SECONDS each, default 60, one at a time at
# the lowest priority, and merges the inputs that reach new code into its corpus in
# tests/fuzz/corpus/, which it keeps minimal. A fault leaves its input in build/fuzz/artifacts/; logs go to
# build/fuzz/logs/.    scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift $(($# > 0 ? 1 : 0))

scripts/install-deps.sh
missing=()
for p in clang-14 libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# The targets that write files run many times faster where a sync costs nothing.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=($(ls tests/fuzz/corpus))
mkdir -p build/fuzz/artifacts build/fuzz/logs
failed=()
for target in "${targets[@]}"; do
  corpus=tests/fuzz/corpus/$target
  found=$(mktemp -d)
  echo "== $target: $seconds s"
  if ! nice -n 19 build/fuzz/tests/fuzz/fuzz_"$target" "$found" "$corpus" \
      -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
      -artifact_prefix=build/fuzz/artifacts/"$target"- >build/fuzz/logs/"$target".log 2>&1; then
    failed+=("$target")
  fi
  grep -E '^#[0-9]+[[:space:]]+DONE|^stat::number_of_executed_units|^==[0-9]+==ERROR|property broken' \
    build/fuzz/logs/"$target".log || tail -n 5 build/fuzz/logs/"$target".log
  # The corpus anew: the named seeds (hand-made cases, inputs that once found a fault) stay,
  # and of the rest, old and new, only what reaches code the others do not.
  kept=$(mktemp -d)
  find "$corpus" -type f ! -regex '.*/[0-9a-f]\{40\}' -exec cp {} "$kept" \;
  if nice -n 19 build/fuzz/tests/fuzz/fuzz_"$target" -merge=1 "$kept" "$corpus" "$found" \
      >/dev/null 2>&1; then
    rm -rf "$corpus" && mv "$kept" "$corpus" && chmod 755 "$corpus"
  fi
  rm -rf "$found" "$kept"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "faults found by: ${failed[*]} (inputs in build/fuzz/artifacts/)"
  exit 1
fi
