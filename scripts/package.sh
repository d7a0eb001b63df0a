#!/usr/bin/env bash
# Builds the Debian package build/package/grafolux_<version>_amd64.deb (compiled with the flags
# of the test command's default build, but without -Werror; stripped; dependencies from the
# libraries it links) and shows its control fields and files. The test run checks a package
# made the same way from its own build (tests/packaging).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset package >/dev/null
cmake --build --preset package
rm -f build/package/grafolux_*.deb
(cd build/package && cpack >/dev/null)
deb=$(echo build/package/grafolux_*_amd64.deb)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
echo "$deb"
