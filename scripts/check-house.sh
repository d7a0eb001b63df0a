#!/usr/bin/env bash
# House rules that a machine can check: the code is formatted by .clang-format, the core
# (everything under src/ but app/ and cli/) includes neither app/ nor cli/, and nothing under
# src/ but app/ includes a QtWidgets header.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0

mapfile -t sources < <(git ls-files -- '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${sources[@]}" 2>/tmp/grafolux-format.$$; then
  echo "Not formatted as .clang-format says (run clang-format -i on these):"
  grep -o '^[^:]*\.\(cpp\|h\)' /tmp/grafolux-format.$$ | sort -u
  status=1
fi
rm -f /tmp/grafolux-format.$$

core=$(git ls-files -- 'src/*.cpp' 'src/*.h' ':!src/app/*' ':!src/cli/*')
if upward=$(grep -n -E '#include "(app|cli)/' $core); then
  echo "The core includes the window or the command-line tool:"
  echo "$upward"
  status=1
fi

widgets_dir=$(find /usr/include -maxdepth 3 -type d -path '*qt6/QtWidgets' | head -n 1)
if [ -n "$widgets_dir" ]; then
  pattern=$(ls "$widgets_dir" | grep -E '^Q[A-Za-z]+$' | paste -sd'|')
  outside=$(git ls-files -- 'src/*.cpp' 'src/*.h' ':!src/app/*')
  if widgets=$(grep -n -E "#include <(QtWidgets/)?($pattern|QtWidgets)>" $outside); then
    echo "QtWidgets outside src/app:"
    echo "$widgets"
    status=1
  fi
fi
exit $status
