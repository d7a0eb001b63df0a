#!/usr/bin/env bash
# The mutation check: how many small faults in the source the tests catch. Applies each entry
# of scripts/mutations.txt in turn, rebuilds build/mutate incrementally, runs the test programs
# that the rebuild relinked (or whose program under test it relinked) and calls the mutation
# caught when one of them fails, runs out of time or aborts while its tests are listed. Slow, so
# not part of scripts/test.sh.
set -euo pipefail

usage() {
  cat <<'EOF'
usage: scripts/mutate.sh [--check] [PATTERN]
  Applies the mutations of scripts/mutations.txt one at a time, rebuilds build/mutate, runs the
  affected tests and prints for each mutation whether a test caught it.
  PATTERN   an extended regular expression: only entries whose line matches it run
            (e.g. 'tables/', '^gif-', 'csv|settings')
  --check   only check that every selected entry still applies (its text occurs exactly
            once in its file); no build
Environment: MUTATE_BUILD_DIR (default build/mutate), MUTATE_TIMEOUT (seconds of tests per
mutation; default four times the tests' time without a mutation, plus a minute).
Exit status: 0 every mutation ran, 1 some entry is stale, did not build or reached no test,
2 usage or set-up error (the tests fail without a mutation, the build fails).
EOF
}

check_only=false
pattern=""
while [ $# -gt 0 ]; do
  case "$1" in
    -h | --help) usage; exit 0 ;;
    --check) check_only=true ;;
    -*) usage >&2; exit 2 ;;
    *) [ -z "$pattern" ] || { usage >&2; exit 2; }; pattern="$1" ;;
  esac
  shift
done

repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
list=scripts/mutations.txt
build=${MUTATE_BUILD_DIR:-build/mutate}

say() { printf '%s\n' "$*"; }
die() { printf 'mutate.sh: %s\n' "$*" >&2; exit 2; }

# ---- the list --------------------------------------------------------------------------------
names=() files=() originals=() replacements=()
line_number=0
while IFS= read -r line || [ -n "$line" ]; do
  line_number=$((line_number + 1))
  [[ "$line" =~ ^[[:space:]]*(#|$) ]] && continue
  [ -z "$pattern" ] || [[ "$line" =~ $pattern ]] || continue
  name=${line%% | *}
  rest=${line#* | }
  file=${rest%% | *}
  change=${rest#* | }
  original=${change%% ==> *}
  replacement=${change#* ==> }
  if [ "$name" = "$line" ] || [ "$file" = "$rest" ] || [ "$original" = "$change" ] ||
    [[ "$replacement" == *" ==> "* ]] || [ -z "$original" ]; then
    die "$list:$line_number: not NAME | FILE | ORIGINAL ==> REPLACEMENT"
  fi
  names+=("$name") files+=("$file") originals+=("$original") replacements+=("$replacement")
done <"$list"
total=${#names[@]}
[ "$total" -gt 0 ] || die "no entry of $list matches '$pattern'"

# How often the text occurs in the file (non-overlapping), as perl counts it.
occurrences() {
  [ -f "$1" ] || { echo 0; return; }
  TEXT="$2" perl -0777 -ne '$n = () = /\Q$ENV{TEXT}\E/g; print $n' -- "$1"
}

if $check_only; then
  stale=0
  for i in "${!names[@]}"; do
    n=$(occurrences "${files[$i]}" "${originals[$i]}")
    if [ "$n" != 1 ]; then
      say "stale  ${names[$i]}: the text occurs $n times in ${files[$i]}"
      stale=$((stale + 1))
    fi
  done
  say "$((total - stale)) of $total entries apply."
  [ "$stale" -eq 0 ] && exit 0 || exit 1
fi

command -v python3 >/dev/null || die "python3 is needed to read the test list"
command -v ninja >/dev/null || die "ninja is needed"

mkdir -p "$build"
build=$(cd "$build" && pwd)
state=$build/mutate-state  # the file being mutated and its original bytes, while one is applied
logs=$build/mutate-logs

# ---- putting the source back -----------------------------------------------------------------
# The original is written back with a new time, so that the next build compiles it again.
restore() {
  [ -f "$state/path" ] || return 0
  local file
  file=$(cat "$state/path")
  cat "$state/original" >"$file"
  if ! cmp -s "$state/original" "$file"; then
    printf 'mutate.sh: could not restore %s; its original is %s\n' "$file" "$state/original" >&2
    exit 3
  fi
  rm -f "$state/path" "$state/original"
}
on_signal() {
  trap - EXIT
  if [ -n "${running:-}" ]; then
    kill -TERM "$running" 2>/dev/null || true
    wait "$running" 2>/dev/null || true
  fi
  restore
  say ""
  say "Interrupted; the source is as it was."
  exit 130
}
if [ -f "$state/path" ]; then
  say "A previous run ended with $(cat "$state/path") mutated: restoring it."
fi
restore
trap restore EXIT
trap on_signal INT TERM HUP
mkdir -p "$state"
rm -rf "$logs"
mkdir -p "$logs"

# Files that are as committed now must be so at the end.
clean_files=()
for file in $(printf '%s\n' "${files[@]}" | sort -u); do
  [ -f "$file" ] && git diff --quiet HEAD -- "$file" 2>/dev/null && clean_files+=("$file")
done

# ---- build and the tests without a mutation --------------------------------------------------
started=$(date +%s)
if [ ! -f "$build/build.ninja" ]; then
  say "Configuring $build like the default preset..."
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$repo}
  # File by file rather than in batches: a mutation then recompiles its own file alone.
  cmake --preset default -B "$build" -DGRAFOLUX_BUILD_TESTS=ON -DCMAKE_UNITY_BUILD=OFF "${launcher[@]}" \
    >"$logs/configure.log" 2>&1 || die "configuring failed; see $logs/configure.log"
fi
build_all() { cmake --build "$build" --parallel 2 >"$1" 2>&1; }
say "Building $build without a mutation..."
build_all "$logs/baseline-build.log" || die "the build fails without a mutation; see $logs/baseline-build.log"

# Each test program once, with its own arguments (the fuzz corpus), working folder and
# environment: a GoogleTest program runs all its tests in one process.
mapfile -t runs < <(ctest --test-dir "$build" --show-only=json-v1 | python3 -c '
import json, sys
seen = set()
for test in json.load(sys.stdin)["tests"]:
    command = test.get("command") or []
    if not command:
        continue
    props = {p["name"]: p["value"] for p in test.get("properties", [])}
    gtest = any(a.startswith("--gtest_filter=") for a in command[1:])
    args = [] if gtest else command[1:]
    key = (command[0], tuple(args))
    if key in seen:
        continue
    seen.add(key)
    env = props.get("ENVIRONMENT", []) + [m.replace("=set:", "=", 1)
                                          for m in props.get("ENVIRONMENT_MODIFICATION", [])
                                          if "=set:" in m]
    print("\t".join([command[0], props.get("WORKING_DIRECTORY") or sys.argv[1], str(len(env))]
                    + env + args))
' "$build")
[ "${#runs[@]}" -gt 0 ] || die "ctest lists no test in $build"

# The programs a test program runs (order-only dependencies that are executables of the build):
# a relinked grafolux-cli affects the tests that run it even when they were not relinked.
declare -A uses
for entry in "${runs[@]}"; do
  exe=${entry%%$'\t'*}
  [ -n "${uses[$exe]+set}" ] && continue
  deps=""
  while read -r dep; do
    [ -f "$build/$dep" ] && [ -x "$build/$dep" ] && [[ "$dep" != *.a && "$dep" != *.so* ]] &&
      deps+="$build/$dep "
  done < <(ninja -C "$build" -t query "${exe#"$build/"}" 2>/dev/null |
    sed -n 's/^ *|| //p')
  uses[$exe]=$deps
done

# Runs test entry $1 with a limit of $2 seconds, output to $3; returns its exit status.
# In the background, so that an interrupt need not wait for it: timeout runs the test in a
# process group of its own, which a Ctrl+C at the terminal does not reach.
running=""
run_test() {
  local fields env_count status=0
  IFS=$'\t' read -r -a fields <<<"$1"
  env_count=${fields[2]}
  (cd "${fields[1]}" &&
    exec env QT_QPA_PLATFORM=offscreen "${fields[@]:3:$env_count}" \
      timeout -k 10 "$2" "${fields[0]}" "${fields[@]:$((3 + env_count))}") >>"$3" 2>&1 &
  running=$!
  wait "$running" 2>/dev/null || status=$?  # the test's log tells how it ended
  running=""
  return "$status"
}

say "Running the tests without a mutation..."
declare -A seconds
baseline_total=0
for i in "${!runs[@]}"; do
  t0=$(date +%s%N)
  if ! run_test "${runs[$i]}" 600 "$logs/baseline-tests.log"; then
    die "a test fails without a mutation: ${runs[$i]%%$'\t'*}; see $logs/baseline-tests.log"
  fi
  seconds[$i]=$((($(date +%s%N) - t0) / 1000000))
  baseline_total=$((baseline_total + seconds[$i]))
done
timeout_seconds=${MUTATE_TIMEOUT:-$((4 * baseline_total / 1000 + 60))}
# Quickest first, so that a caught mutation is known soon.
mapfile -t by_time < <(for i in "${!runs[@]}"; do echo "${seconds[$i]} $i"; done | sort -n |
  cut -d' ' -f2)
say "$total mutations; the tests take $((baseline_total / 1000)) s without one, at most" \
  "$timeout_seconds s each with one."
say ""

# ---- the mutations ---------------------------------------------------------------------------
caught=0 missed=0 stale=0 unbuilt=0 untested=0
missed_list=()
width=${#total}
for i in "${!names[@]}"; do
  name=${names[$i]} file=${files[$i]}
  original=${originals[$i]} replacement=${replacements[$i]}
  label=$(printf '[%*d/%d] ' "$width" $((i + 1)) "$total")
  log=$logs/$name.log
  n=$(occurrences "$file" "$original")
  if [ "$n" != 1 ]; then
    say "${label}stale     $name: the text occurs $n times in $file"
    stale=$((stale + 1))
    continue
  fi

  cp "$file" "$state/original"
  printf '%s\n' "$file" >"$state/path"
  FROM="$original" TO="$replacement" perl -0777 -pe 's/\Q$ENV{FROM}\E/$ENV{TO}/' -- \
    "$state/original" >"$state/mutated"
  cat "$state/mutated" >"$file"

  t0=$(date +%s)
  touch "$state/built-after"
  sleep 0.01  # a relinked program is then newer than the mark, whatever the clock's grain
  if ! build_all "$log"; then
    restore
    # Everything compiled and linked, but a test program aborted while GoogleTest listed its
    # tests (its set-up broke): that program caught the mutation.
    if grep -q "Error running test executable" "$log" && ! grep -qE "error:|undefined reference" "$log"; then
      caught=$((caught + 1))
      say "${label}caught    $name by a test program that aborted while listing its tests"
    else
      say "${label}no-build  $name (see $log)"
      unbuilt=$((unbuilt + 1))
    fi
    continue
  fi
  declare -A relinked=()
  while IFS= read -r exe; do relinked[$exe]=1; done < <(
    find "$build" -type f -perm -u+x -newer "$state/built-after" -printf '%p\n')

  # The affected tests: those of the mutated file's folder first, then the quickest.
  room=$(echo "$file" | cut -d/ -f2)
  order=()
  for pass in own other; do
    for r in "${by_time[@]}"; do
      exe=${runs[$r]%%$'\t'*}
      own=false
      [[ "$exe" == "$build/tests/$room/"* ]] && own=true
      { [ "$pass" = own ] && $own; } || { [ "$pass" = other ] && ! $own; } || continue
      affected=false
      [ -n "${relinked[$exe]+set}" ] && affected=true
      for dep in ${uses[$exe]}; do [ -n "${relinked[$dep]+set}" ] && affected=true; done
      $affected && order+=("$r")
    done
  done
  unset relinked

  verdict="" by=""
  if [ "${#order[@]}" -eq 0 ]; then
    verdict=untested
  else
    deadline=$(($(date +%s) + timeout_seconds))
    for r in "${order[@]}"; do
      left=$((deadline - $(date +%s)))
      exe=${runs[$r]%%$'\t'*}
      if [ "$left" -le 0 ]; then
        verdict=caught by="(time ran out before $(basename "$exe"))"
        break
      fi
      status=0
      run_test "${runs[$r]}" "$left" "$log" || status=$?
      if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
        verdict=caught by="by $(basename "$exe") (timed out)"
        break
      elif [ "$status" -ne 0 ]; then
        verdict=caught by="by $(basename "$exe")"
        break
      fi
    done
    [ -n "$verdict" ] || verdict=missed
  fi
  restore
  elapsed=$(($(date +%s) - t0))

  case "$verdict" in
    caught)
      caught=$((caught + 1))
      say "${label}caught    $name $by, ${elapsed} s"
      ;;
    missed)
      missed=$((missed + 1))
      missed_list+=("$name: $file: $original ==> $replacement")
      say "${label}MISSED    $name: $file: $original ==> $replacement"
      ;;
    untested)
      untested=$((untested + 1))
      say "${label}untested  $name: the build relinked no test program"
      ;;
  esac
done

# ---- leave things as they were ---------------------------------------------------------------
trap - EXIT
restore
for file in "${clean_files[@]}"; do
  git diff --quiet HEAD -- "$file" || die "$file differs from the commit after the run"
done
say ""
say "Rebuilding $build without a mutation..."
build_all "$logs/final-build.log" || say "(the final build failed; see $logs/final-build.log)"

took=$(($(date +%s) - started))
say ""
say "Caught $caught of $total mutations ($missed missed, $stale stale, $unbuilt did not build," \
  "$untested reached no test) in $((took / 60)) min $((took % 60)) s."
if [ "${#missed_list[@]}" -gt 0 ]; then
  say "Missed:"
  printf '  %s\n' "${missed_list[@]}"
fi
[ $((stale + unbuilt + untested)) -eq 0 ]
