#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail

packages=(
  make cmake ninja-build g++ ccache python3   # toolchain
  clang-format                                # style check
  libgtest-dev libgmock-dev                   # tests
  libbenchmark-dev                            # benchmarks
  libcli11-dev libcsv-dev                     # lx command line, CSV input
  libshp-dev                                  # Zeb: dBase tables
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
