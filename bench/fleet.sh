#!/usr/bin/env bash
# The fleet runner against one pooled grafolux-cli table over the same logs, whole-process
# timings (median of RUNS, default 3): LOGS logs (default 2000) of LINES lines (default 10000),
# made once in bench/data/fleet/; then each worker's peak memory when two `dask worker`
# processes run it, beside that of a worker that runs nothing and of grafolux-cli over one log.
#   bench/fleet.sh [BUILD_DIR]      (default build/default, built with its Python package)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
logs=${LOGS:-2000} lines=${LINES:-10000} runs=${RUNS:-3}
data=bench/data/fleet
mkdir -p "$data"
list=$data/logs-$logs-$lines.txt
if [ ! -f "$list" ]; then
  for ((i = 0; i < logs; i++)); do
    log=$data/log-$lines-$i.txt
    [ -f "$log" ] || "$build/tools/synthlog" --lines "$lines" --seed "$i" > "$log"
    echo "$log"
  done > "$list.new"
  mv "$list.new" "$list"
fi
export PYTHONPATH=$PWD/$build/python
cli=$build/src/cli/grafolux-cli
python=/usr/bin/python3
out=$(mktemp -d)
started=()
trap 'kill "${started[@]}" 2>/dev/null; rm -rf "$out"' EXIT

# Seconds of each run, then their median.
timed() {
  local name=$1
  shift
  for ((r = 0; r < runs; r++)); do
    /usr/bin/time -f %e -o "$out/time" "$@" > "$out/$name.out" 2>/dev/null
    cat "$out/time"
  done | sort -n | sed -n "$(((runs + 1) / 2))p"
}
pooled=$(timed pooled xargs -a "$list" -d '\n' "$cli" --no-cache table blm)
fleet=$(timed fleet "$python" -m grafolux.fleet table blm --logs-from "$list" --workers 2 --no-cache)
cmp "$out/pooled.out" "$out/fleet.out"
echo "pooled grafolux-cli table: ${pooled} s; fleet --workers 2: ${fleet} s;" \
  "ratio $(echo "$fleet $pooled" | awk '{printf "%.2f", $1 / $2}')"

# Peak memory: a scheduler and two workers of their own, each worker under time.
dask scheduler --host 127.0.0.1 --port 0 --no-dashboard --scheduler-file "$out/s.json" \
  2>/dev/null &
started+=($!)
until [ -s "$out/s.json" ]; do sleep 0.2; done
address=$("$python" -c 'import json,sys; print(json.load(open(sys.argv[1]))["address"])' \
  "$out/s.json")
# Worker W under time, set up as the README says; it writes its own pid, which the SIGINT that ends it needs.
worker() {
  /usr/bin/time -f %M -o "$out/worker$1" bash -c 'echo $$ > "$0"; exec "$@"' "$out/pid$1" \
    env MALLOC_TRIM_THRESHOLD_=67108864 MALLOC_MMAP_THRESHOLD_=33554432 \
    dask worker "$address" --host 127.0.0.1 --nthreads 1 --no-nanny --no-dashboard \
    2>/dev/null &
  started+=($!)
  until [ -s "$out/pid$1" ]; do sleep 0.2; done
}
# The yardstick: a worker that runs nothing.
worker 0
sleep 5
kill -INT "$(cat "$out/pid0")"
wait "${started[1]}" || true
for w in 1 2; do worker $w; done
"$python" -m grafolux.fleet table blm --logs-from "$list" --scheduler "$address" --no-cache \
  > "$out/remote.out" 2>/dev/null
cmp "$out/pooled.out" "$out/remote.out"
kill -INT "$(cat "$out/pid1")" "$(cat "$out/pid2")"
wait "${started[@]:2}" || true
/usr/bin/time -f %M -o "$out/one" "$cli" --no-cache table blm "$(head -n 1 "$list")" >/dev/null
echo "peak memory per worker: $(tail -n 1 "$out/worker1") KiB, $(tail -n 1 "$out/worker2") KiB;" \
  "a worker that runs nothing: $(tail -n 1 "$out/worker0") KiB;" \
  "grafolux-cli table over one log: $(cat "$out/one") KiB"
