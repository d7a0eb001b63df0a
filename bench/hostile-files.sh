#!/usr/bin/env bash
# Loads huge and hostile logs with grafolux-cli, one at a time, and prints for each what came
# out, the wall time and the peak memory (/usr/bin/time -v). Each file is made under TMPDIR
# (default /tmp) and deleted right after its run; the largest needs 4.3 GB of disk and a few
# GB of memory.    bench/hostile-files.sh [CASE...]
set -eu  # no pipefail: the makers cut endless `yes` output with head
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target grafolux-cli >/dev/null
cli=$PWD/build/default/src/cli/grafolux-cli
work=$(mktemp -d "${TMPDIR:-/tmp}/grafolux-hostile.XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME=$work/cache  # the entries these logs leave, gone with the rest
log=$work/log.txt

# Each maker writes $log; each case runs one command on it and checks its output.
make_over_4gib() {  # 4 GiB + 1 KiB, 19.5 million lines of 220 bytes
  { printf 'SENSOR:RPM\tSENSOR:MAP\tSENSOR:BLM\tSENSOR:INT\tNOTE\r\n'
    yes "$(printf '2400\t55.5\t128\t131\t%0200d\r' 0)" | head -c $(((4 << 30) + 1024)); } >"$log"
}
make_header_100k() {  # 100,000 items, 100 lines
  { seq -f 'ITEM%g' 100000 | paste -sd '\t' | sed 's/$/\r/'
    for _ in $(seq 100); do seq 100000 | paste -sd '\t' | sed 's/$/\r/'; done; } >"$log"
}
make_line_1gib() {  # one data line of 1 GiB: "1", blanks, "2", a tab, "3"
  { printf 'A\tB\r\n1'; head -c $((1 << 30)) /dev/zero | tr '\0' ' '; printf '2\t3\r\n'; } >"$log"
}
make_lines_20m() {  # 20,000,000 lines of one character
  { printf 'A\r\n'; yes "$(printf '7\r')" | head -n 20000000; } >"$log"
}
make_nul_bytes() {  # 1 GiB of NUL bytes: one item named by all of them, no sample
  head -c $((1 << 30)) /dev/zero >"$log"
}
make_constant_table() {  # 1,000 items by 1,000,000 lines: 8 GB as doubles, under a 4 GiB limit
  { seq -f 'ITEM%g' 1000 | paste -sd '\t' | sed 's/$/\r/'
    yes "$(printf '1\r')" | head -n 1000000; } >"$log"
}
make_constant_100m() {  # 100,000,000 samples of one constant item
  { printf 'A\r\n'; yes "$(printf '7\r')" | head -n 100000000; } >"$log"
}

# What each run must show: its output file is $work/out, its messages $work/err.
check_over_4gib() { grep -q $'^2400\t.*\t128\t' "$work/out"; }  # the cell of every sample
check_header_100k() { [ "$(head -n 1 "$work/out" | tr '\t' '\n' | wc -l)" = 100000 ] &&
  [ "$(wc -l <"$work/out")" = 101 ]; }
check_line_1gib() { [ "$(tail -n 1 "$work/out")" = $'12\t3' ]; }
check_lines_20m() { [ "$(wc -l <"$work/out")" = 20000001 ] && [ "$(tail -n 1 "$work/out")" = 7 ]; }
check_nul_bytes() { [ "$(wc -c <"$work/out")" = $(((1 << 30) + 1)) ]; }  # the name and its LF
check_constant_table() { [ "$(wc -l <"$work/out")" = 17 ]; }  # held compactly: a table of N/A
check_constant_100m() { [ "$(wc -l <"$work/out")" = 100000001 ] && [ "$(tail -n 1 "$work/out")" = 7 ]; }

run() {  # case name, command...
  local name=$1
  shift
  "make_$name"
  local size status=0
  size=$(stat -c %s "$log")
  /usr/bin/time -v -o "$work/time" "$@" >"$work/out" 2>"$work/err" || status=$?
  local wall rss seen=ok
  wall=$(sed -n 's/.*Elapsed (wall clock) time (h:mm:ss or m:ss): //p' "$work/time")
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$work/time")
  "check_$name" || seen=WRONG
  printf '%-16s %11s bytes  exit %d  %8s  peak %6d MiB  %-5s %s\n' "$name" "$size" "$status" \
    "$wall" $((rss / 1024)) "$seen" "$(head -c 100 "$work/err" | tr '\n' ' ')"
  rm -f "$log" "$work/out"
}

cases=("$@")
[ ${#cases[@]} -eq 0 ] &&
  cases=(over_4gib header_100k line_1gib lines_20m nul_bytes constant_table constant_100m)
for c in "${cases[@]}"; do
  case $c in
    over_4gib) run "$c" "$cli" table blm "$log" ;;
    header_100k | line_1gib | lines_20m | nul_bytes | constant_100m) run "$c" "$cli" dump "$log" ;;
    constant_table) run "$c" prlimit --as=$((4 << 30)) "$cli" table blm "$log" ;;
    *) echo "unknown case $c" >&2; exit 2 ;;
  esac
done
