#!/usr/bin/env bash
# Makes the packages of Cointrel from this checkout, into OUTPUT (default build/packages):
#   cointrel-VERSION-portable.zip  cointrel.exe, README.txt and HOW-TO-USE.txt
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
version=$(sed -n 's/^project(Cointrel VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")

# Text files as Windows editors expect them: CR LF line ends.
stage=$build/stage
rm -rf "$stage"
mkdir -p "$stage"
cp "$build/cointrel.exe" "$stage/"
sed 's/$/\r/' "$root/README.md" >"$stage/README.txt"
sed 's/$/\r/' "$root/packaging/HOW-TO-USE.txt" >"$stage/HOW-TO-USE.txt"

zip="$out/cointrel-$version-portable.zip"
setup="$out/cointrel-$version-setup.exe"
rm -f "$zip" "$setup"
(cd "$stage" && zip -q -X -9 "$zip" cointrel.exe README.txt HOW-TO-USE.txt)
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DICON="$root/resources/cointrel.ico" \
    -DOUTFILE="$setup" "$root/packaging/cointrel.nsi" >/dev/null
echo "cointrel.exe: $(stat -c %s "$stage/cointrel.exe") bytes"
ls -l "$zip" "$setup" | awk '{print $9 ": " $5 " bytes"}'
