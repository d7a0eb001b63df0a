#!/usr/bin/env bash
# Installs what is missing, checks the house rules (formatting, include directions), builds,
# and runs every test: once optimised, once under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-house.sh
for preset in default asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
