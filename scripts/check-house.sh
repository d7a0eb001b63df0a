#!/usr/bin/env bash
# House rules that the build cannot see: the code is formatted by .clang-format, and nothing
# under src/ but app/ includes a QtWidgets header. (Which room includes which is checked by
# the build itself: src/CMakeLists.txt.) Works in a git checkout and in an unpacked source
# archive alike.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0

# The project's C++ files: what git tracks, or in a tree without git every file outside the
# build folders.
sources_in() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -- "$@" | grep -E '\.(cpp|h)$' || true
  else
    find "$@" -path ./build -prune -o -path ./bench/data -prune -o \
      -type f \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort
  fi
}

mapfile -t sources < <(sources_in .)
if ! clang-format --dry-run --Werror "${sources[@]}" 2>/tmp/grafolux-format.$$; then
  echo "Not formatted as .clang-format says (run clang-format -i on these):"
  grep -o '^[^:]*\.\(cpp\|h\)' /tmp/grafolux-format.$$ | sort -u
  status=1
fi
rm -f /tmp/grafolux-format.$$

widgets_dir=$(find /usr/include -maxdepth 3 -type d -path '*qt6/QtWidgets' | head -n 1)
if [ -n "$widgets_dir" ]; then
  pattern=$(ls "$widgets_dir" | grep -E '^Q[A-Za-z]+$' | paste -sd'|')
  mapfile -t outside < <(sources_in src | grep -v '^src/app/')
  if widgets=$(grep -n -E "#include <(QtWidgets/)?($pattern|QtWidgets)>" "${outside[@]}"); then
    echo "QtWidgets outside src/app:"
    echo "$widgets"
    status=1
  fi
fi
exit $status
