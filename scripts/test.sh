#!/usr/bin/env bash
# Installs what is missing, checks the house rules the build cannot see (formatting, QtWidgets
# only in the window), builds, and runs every test optimised (the package's flags, with
# warnings as errors), then the test programs alone once more under the sanitizers (all but the
# window's and the packaging tests: the asan preset says which).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-house.sh
for preset in default asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
