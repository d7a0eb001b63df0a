#!/usr/bin/env bash
# Installs what is missing, checks the house rules the build cannot see (formatting, QtWidgets
# only in the window), builds, and runs every test optimised (the package's flags, with
# warnings as errors), then the test programs of the readers and the command line once more
# under the sanitizers (the asan preset says which). Each step's time goes to the
# end of the output, so a slow step shows which it is.
set -euo pipefail
cd "$(dirname "$0")/.."
timings=()
step() {
  local start=$SECONDS
  "$@"
  timings+=("$(printf '%5d s  %s' $((SECONDS - start)) "$*")")
}
step scripts/install-deps.sh
step scripts/check-house.sh
for preset in default asan; do
  step cmake --preset "$preset" >/dev/null
  step cmake --build --preset "$preset"
  step ctest --preset "$preset"
done
printf '%s\n' "${timings[@]}"
