#!/usr/bin/env bash
# The window's soak: 500 loads with zoom, drag, view switches and GIF saves on the offscreen
# platform. Run optimised for the memory and handle figures, then under AddressSanitizer with
# leak detection for the leaks.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
# The reopen cache in a folder of the soak's own.
XDG_CACHE_HOME=$(mktemp -d "${TMPDIR:-/tmp}/grafolux-soak.XXXXXX")
export XDG_CACHE_HOME
trap 'rm -rf "$XDG_CACHE_HOME"' EXIT
for preset in default asan; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target soak_window >/dev/null
done
echo "== optimised"
/usr/bin/time -f 'wall %e s, peak %M KiB' build/default/bench/soak_window
# Without the quarantine, which holds freed memory back and would count as growth.
echo "== AddressSanitizer, leak detection on"
ASAN_OPTIONS=detect_leaks=1:quarantine_size_mb=0 LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
  /usr/bin/time -f 'wall %e s, peak %M KiB' build/asan/bench/soak_window
