#!/usr/bin/env bash
# Builds Cointrel natively and for Windows and runs every test: the portable logic natively
# under AddressSanitizer and UBSan and a short run of its fuzzers, then the same tests, the Win32
# tests and the end-to-end tests under Wine on a private display. Prints the tick benchmark's
# figures last.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${COINTREL_BUILD_DIR:-$root/build}
jobs=$(nproc)

"$root/scripts/install-deps.sh"

echo "== Native build and tests (sanitizers)"
# Both builds are free of warnings, and stay so.
cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=Debug -DCOINTREL_SANITIZE=ON \
    -DCOINTREL_TOOLS=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$build/native" -j "$jobs"
ctest --test-dir "$build/native" -j "$jobs" --output-on-failure

echo "== Fuzzing, a few seconds a harness (scripts/fuzz.sh runs them longer)"
"$root/scripts/fuzz.sh" 3

echo "== Windows build (MinGW-w64)"
cmake -S "$root" -B "$build/windows" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build "$build/windows" -j "$jobs"
# Visual Studio's resource compiler reads the script by Microsoft's grammar, which windres only
# loosely follows; llvm-rc follows it too. Its output is not linked.
echo "== The resource script, compiled by llvm-rc as well"
# It reads an argument starting with /c, /d, /l or /u as an option, so an absolute path to the
# script can be taken for one: it is given by a relative name from its own folder.
(cd "$root/resources" && llvm-rc /I . /I "$build/windows/generated" /I /usr/share/mingw-w64/include \
    /FO "$build/windows/cointrel-llvm-rc.res" cointrel.rc)

echo "== Tests under Wine"
. "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$build/wine"
wine_session_keepalive "$build/windows/tests/keepalive.exe"
ctest --test-dir "$build/windows" -j "$jobs" --output-on-failure --timeout 300 -LE e2e
echo "== End-to-end tests under Wine"
ctest --test-dir "$build/windows" --output-on-failure -L e2e
echo "== Cointrel against the floor program, briefly (scripts/bench.sh measures longer)"
"$root/scripts/bench.sh" 2 1
wine_session_stop

echo "== Benchmark (native, optimised)"
cmake -S "$root" -B "$build/bench" -DCMAKE_BUILD_TYPE=Release -DCOINTREL_TESTS=OFF \
    -DCOINTREL_BENCHMARKS=ON >/dev/null
cmake --build "$build/bench" -j "$jobs" --target tick_bench
"$build/bench/tests/bench/tick_bench" --benchmark_min_time=0.2
