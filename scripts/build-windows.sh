#!/usr/bin/env bash
# Cross-builds LxApi.dll for 32-bit Windows (the shipped DLL) and 64-bit Windows,
# checks both export tables, and runs the C test host against the 64-bit DLL
# under Wine. The 32-bit DLL is checked statically only: these machines cannot
# execute 32-bit x86 code. Needs the native build (for the fixture dictionary).
#   scripts/build-windows.sh [NATIVE_BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
native=${1:-build}
fixture="$native/tests/api_fixture.dct"

packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 wine64)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  if ! { $sudo apt-get update && $sudo apt-get install -y --no-install-recommends "${missing[@]}"; }; then
    echo "SKIPPED: the Windows build needs ${missing[*]}, which could not be installed." >&2
    exit 0
  fi
fi

for arch in i686 x86_64; do
  dir="build-win-$arch"
  client=OFF; [ "$arch" = x86_64 ] && client=ON
  cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DLX_BUILD_TOOLS=OFF -DLX_BUILD_TESTS=OFF -DLX_BUILD_BENCH=OFF \
    -DLX_BUILD_API_CLIENT=$client >/dev/null
  cmake --build "$dir"
  cmake -DOBJDUMP="$arch-w64-mingw32-objdump" -DDLL="$dir/bin/LxApi.dll" \
    -DEXPORTS=api/exports.txt -P tests/api/check_dll.cmake
done

if [ ! -f "$fixture" ]; then
  echo "no $fixture: build the native tree first (make build)" >&2
  exit 1
fi
export WINEDEBUG=-all WINEPREFIX="$PWD/build-win-x86_64/wineprefix"
/usr/lib/wine/wine64 build-win-x86_64/bin/LxApi_test.exe build-win-x86_64/bin/LxApi.dll \
  "$fixture" build-win-x86_64/scratch.dct
