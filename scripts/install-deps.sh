#!/usr/bin/env bash
# Installs the Debian packages Grafolux needs to build, test and benchmark.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev libgl-dev fonts-liberation libgtest-dev libbenchmark-dev libgif-dev
          clang-format)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
