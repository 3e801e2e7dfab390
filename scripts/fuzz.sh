#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each for SECONDS (default 60): first every
# committed regression input, which must pass, then fuzzing from the committed seeds. Inputs that
# widen the coverage are kept in BUILD/fuzz/corpus for the next run; an input that fails is left in
# BUILD/fuzz/crashes, to be committed to tests/fuzz/regressions/NAME/ with its fix.
#
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${COINTREL_BUILD_DIR:-$root/build}/fuzz
seconds=${1:-60}

"$root/scripts/install-deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCOINTREL_TESTS=OFF -DCOINTREL_FUZZ=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
    >/dev/null
cmake --build "$build" -j "$(nproc)"

mkdir -p "$build/crashes"
for name in activities settings odometer log_text bitmap_check ledger; do
    fuzzer=$build/tests/fuzz/${name}_fuzz
    regressions=$root/tests/fuzz/regressions/$name
    corpus=$build/corpus/$name
    mkdir -p "$corpus"
    log=$build/$name.log
    if [ -d "$regressions" ]; then
        "$fuzzer" -runs=0 "$regressions" >"$log" 2>&1 || { tail -n 40 "$log"; exit 1; }
    fi
    if ! "$fuzzer" -max_total_time="$seconds" -artifact_prefix="$build/crashes/$name-" \
        "$corpus" "$root/tests/fuzz/seeds/$name" >"$log" 2>&1; then
        tail -n 40 "$log"
        echo "fuzz: $name failed; the input is in $build/crashes" >&2
        exit 1
    fi
    echo "$name: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log")"
done
