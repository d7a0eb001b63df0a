#!/usr/bin/env bash
# Start-up of the window, whole process: from starting `grafolux LOG` to its shown window with
# LOG loaded, which the title says (it names the file only once the load is done). Each run is
# a first start on a private virtual display with a fresh settings folder.
#   bench/startup.sh [-n RUNS] [-l LOG] [PROGRAM...]
# Default: 10 runs of the built program (the optimised build of scripts/bench.sh) and of the
# installed one (the grafolux on PATH, when there is one), on the 100,000-line synthetic log.
# Prints, per program, the time to the first shown window and to the loaded log, in
# milliseconds: min, median and max.
set -euo pipefail
cd "$(dirname "$0")/.."

runs=10
log=bench/data/log_100000.txt
while getopts "n:l:" option; do
    case $option in
        n) runs=$OPTARG ;;
        l) log=$OPTARG ;;
        *) sed -n '2,9p' "$0" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))

scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench --target grafolux synthlog >/dev/null
programs=("$@")
if [ ${#programs[@]} -eq 0 ]; then
    programs=(build/bench/src/app/grafolux)
    installed=$(command -v grafolux || true)
    [ -n "$installed" ] && programs+=("$installed")
fi
if [ ! -f "$log" ]; then
    mkdir -p "$(dirname "$log")"
    build/bench/tools/synthlog --lines 100000 --items 96 >"$log"
fi
log=$(realpath "$log")
title=$(basename "$log" | sed 's/[][\.*^$()+?{}|]/\\&/g')  # as a pattern

# Xvfb picks a free display and writes its number once it accepts clients; -noreset keeps it
# from resetting, and refusing connections meanwhile, each time the last program closes.
scratch=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" || true; rm -rf "$scratch"' EXIT
until [ -s "$scratch/display" ]; do
    kill -0 "$xvfb" 2>/dev/null || { cat "$scratch/xvfb.log" >&2; exit 1; }
    sleep 0.05
done
export DISPLAY=":$(cat "$scratch/display")"

now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }

# Why a start failed: the program's words, and whether the virtual display went away.
fail() {
    echo "startup.sh: $1" >&2
    cat "$scratch/app.log" >&2
    kill -0 "$xvfb" 2>/dev/null || { echo "startup.sh: Xvfb ended:" >&2; cat "$scratch/xvfb.log" >&2; }
    exit 1
}

# Whether a shown window's title matches $1 (the display is ours alone).
shows() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

# Prints "shown loaded" in milliseconds for one start of $1. The 5 ms pause between looks
# keeps the watching light beside the program.
one_start() {
    rm -rf "$scratch/config" "$scratch/cache"  # a first open, as the log's first ever
    local start shown='' loaded='' pid
    start=$(now_ms)
    XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache" "$1" "$log" \
        >"$scratch/app.log" 2>&1 &
    pid=$!
    while [ -z "$loaded" ]; do
        kill -0 "$pid" 2>/dev/null || fail "$1 exited"
        [ -z "$shown" ] && shows '^Grafolux' && shown=$(($(now_ms) - start))
        [ -n "$shown" ] && shows "$title" && loaded=$(($(now_ms) - start))
        sleep 0.005
    done
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$shown $loaded"
}

# min median max of the numbers on standard input.
summary() { sort -n | awk '{ v[NR] = $1 } END { printf "%d %d %d", v[1], v[int((NR + 1) / 2)], v[NR] }'; }

echo "log: $log ($(wc -l <"$log") lines), $runs runs each; milliseconds min median max"
for program in "${programs[@]}"; do
    one_start "$program" >/dev/null  # warm-up: files into the page cache
    : >"$scratch/times"
    for ((i = 0; i < runs; i++)); do one_start "$program" >>"$scratch/times"; done
    printf '%s\n  window shown  %s\n  log loaded    %s\n' "$program" \
        "$(cut -d' ' -f1 "$scratch/times" | summary)" "$(cut -d' ' -f2 "$scratch/times" | summary)"
done
