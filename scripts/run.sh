#!/usr/bin/env bash
# Installs what is missing, builds, and opens the window on the bundled example log.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target grafolux
exec build/default/src/app/grafolux "$PWD/examples/run1.txt"
