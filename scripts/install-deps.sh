#!/usr/bin/env bash
# Installs the Debian packages Grafolux needs to build, test, package and benchmark, and the
# programs its scripts call that a minimal Debian lacks, without the packages they merely
# recommend (those doubled the install: a compiler tool chain, plotting and GUI kits).
# `--list` prints the packages instead.
set -euo pipefail
packages=(cmake ninja-build g++ ccache qt6-base-dev qt6-svg-dev libgl-dev fonts-liberation
          libgtest-dev libbenchmark-dev libgif-dev libxxhash-dev clang-format git file dpkg-dev
          pybind11-dev python3-dev python3-pandas python3-distributed
          desktop-file-utils groff-base mawk python3-minimal time xvfb xdotool)
if [ "${1:-}" = --list ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
