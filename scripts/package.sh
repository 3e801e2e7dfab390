#!/usr/bin/env bash
# Makes the packages of Cointrel from this checkout, into OUTPUT (default build/packages):
#   cointrel-VERSION-portable.zip  a Cointrel folder of cointrel.exe and its read-me, README.txt
#   cointrel-VERSION-setup.exe     a per-user installer for 64-bit Windows (NSIS)
#
#   scripts/package.sh [OUTPUT]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${COINTREL_BUILD_DIR:-$root/build}/package
out=$(mkdir -p "${1:-$root/build/packages}" && cd "${1:-$root/build/packages}" && pwd)

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=MinSizeRel -DCOINTREL_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j "$(nproc)" --target cointrel >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

# What a person on Windows gets, in a folder of its own: the program and its read-me, which
# CMake has made with the version and CR LF line ends.
stage=$build/stage
rm -rf "$stage"
mkdir -p "$stage/Cointrel"
cp "$build/cointrel.exe" "$build/packaging/README.txt" "$stage/Cointrel/"

zip="$out/cointrel-$version-portable.zip"
setup="$out/cointrel-$version-setup.exe"
rm -f "$zip" "$setup"
(cd "$stage" && zip -q -X -9 -r "$zip" Cointrel)
makensis -V2 -DVERSION="$version" -DSTAGE="$stage/Cointrel" -DICON="$root/resources/cointrel.ico" \
    -DOUTFILE="$setup" "$root/packaging/cointrel.nsi" >/dev/null
echo "cointrel.exe: $(stat -c %s "$stage/Cointrel/cointrel.exe") bytes"
ls -l "$zip" "$setup" | awk '{print $9 ": " $5 " bytes"}'
