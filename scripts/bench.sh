#!/usr/bin/env bash
# Measures Cointrel under Wine against the floor program (tests/bench/floor.c: the same window,
# timer and paint, and nothing else). They run in turn, ROUNDS times for SECONDS each, Cointrel
# on a paid activity at 25 an hour with two decimals, on an unpaid one, and minimised on the paid
# one. Prints the medians and Cointrel's ratios to the floor: CPU a second of running (the
# program's own and the Wine server's share), resident memory, start to first paint, paints a
# second and wake-ups a second (its threads' voluntary context switches); and the exe's size.
#
#   scripts/bench.sh [SECONDS] [ROUNDS]     (10 and 5 unless given)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${COINTREL_BUILD_DIR:-$root/build}
seconds=${1:-10}
rounds=${2:-5}
windows=$build/windows
wine_run=$root/scripts/wine-run

"$root/scripts/install-deps.sh"
if [ ! -f "$windows/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$windows" -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
fi
cmake --build "$windows" -j "$(nproc)" --target cointrel floor driver keepalive >/dev/null

# A Wine session of its own, unless the caller (scripts/test.sh) has one running.
if [ -z "${WINE_SESSION_SERVER:-}" ]; then
    . "$root/scripts/wine-session.sh"
    trap wine_session_stop EXIT
    wine_session_start "$build/bench-wine"
    wine_session_keepalive "$windows/tests/keepalive.exe"
fi

work=$build/bench-work
rm -rf "$work"
mkdir -p "$work"
driver=$windows/tests/driver.exe
key='HKEY_CURRENT_USER\Software\Marrowfen\Cointrel'
# The Linux PID of the program that the driver started with TOKEN in its environment and the
# Windows path EXE: ours, whatever else of that name runs on the machine.
own_process() {
    local environ pid
    for environ in $(grep -lzxF "COINTREL_BENCH_RUN=$1" /proc/[0-9]*/environ 2>/dev/null); do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        if [[ "$({ tr '\0' ' ' <"/proc/$pid/cmdline"; } 2>/dev/null)" == "$2"* ]]; then
            echo "$pid"
            return
        fi
    done
}
# CPU time of all a process's threads, in nanoseconds.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ t += $1 } END { printf "%.0f", t }'; }
# How often all a process's threads have gone to sleep and been woken: its wake-ups.
wakes() {
    cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^voluntary_ctxt_switches:/ { n += $2 } END { printf "%.0f", n }'
}

# One run: NAME EXE CLASS METER [ACTIVITY [minimised]]; appends "name cpu server rss_kb first_ms
# paints_s wakes_s".
run() {
    local name=$1 exe=$2 class=$3 meter=$4 activity=${5:-} minimised=${6:-}
    if [ -n "$activity" ]; then
        printf 'REGEDIT4\r\n\r\n[-%s]\r\n\r\n[%s]\r\n"CurrentActivity"="%s"\r\n' "$key" "$key" \
            "$activity" >"$work/setup.reg"
        "$wine_run" reg import "$work/setup.reg" </dev/null >"$work/setup.out" 2>&1 || {
            echo "bench: $name: reg import failed: $(tr -d '\r' <"$work/setup.out")" >&2
            exit 1
        }
    fi
    local first pid p0 p1 c0 c1 s0 s1 rss token="$$-$name-$round"
    # Into a file: the program started inherits the output, and a pipe would stay open.
    (cd "$work" && COINTREL_BENCH_RUN=$token "$wine_run" "$driver" launch "$exe" "$class" \
        "$meter" 20000 </dev/null >"$work/first" 2>/dev/null)
    first=$(tr -d '\r' <"$work/first")
    pid=$(own_process "$token" "$exe")
    [ -n "$pid" ] || { echo "bench: $name: the program started is not found" >&2; exit 1; }
    if [ -n "$minimised" ]; then
        "$wine_run" "$driver" syscommand 61472 </dev/null >/dev/null  # SC_MINIMIZE
    fi
    sleep 1  # past start-up
    local w0 w1
    p0=$("$wine_run" "$driver" paints "$class" "$meter" </dev/null | tr -d '\r')
    c0=$(cpu_ns "$pid")
    s0=$(cpu_ns "$WINE_SESSION_SERVER")
    w0=$(wakes "$pid")
    sleep "$seconds"
    c1=$(cpu_ns "$pid")
    s1=$(cpu_ns "$WINE_SESSION_SERVER")
    w1=$(wakes "$pid")
    p1=$("$wine_run" "$driver" paints "$class" "$meter" </dev/null | tr -d '\r')
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    "$wine_run" "$driver" close-class "$class" </dev/null >/dev/null
    while kill -0 "$pid" 2>/dev/null; do sleep 0.1; done
    awk -v n="$name" -v c=$((c1 - c0)) -v s=$((s1 - s0)) -v d="$seconds" -v r="$rss" \
        -v f="$first" -v p=$((p1 - p0)) -v w=$((w1 - w0)) \
        'BEGIN { printf "%s %.2f %.2f %s %s %.1f %.1f\n", n, c / 1e6 / d, s / 1e6 / d, r, f, p / d,
                 w / d }' >>"$work/results"
}

# What the Wine server spends with neither program running (its own services): taken off each
# run's server share, which is then the program's.
idle() {
    local s0 s1
    s0=$(cpu_ns "$WINE_SESSION_SERVER")
    sleep "$seconds"
    s1=$(cpu_ns "$WINE_SESSION_SERVER")
    awk -v s=$((s1 - s0)) -v d="$seconds" 'BEGIN { printf "idle 0 %.2f 0 0 0 0\n", s / 1e6 / d }' \
        >>"$work/results"
}

exe_cointrel=$(cd "$windows" && "$wine_run" winepath -w cointrel.exe 2>/dev/null | tr -d '\r')
exe_floor=$(cd "$windows/tests" && "$wine_run" winepath -w floor.exe 2>/dev/null | tr -d '\r')
for round in $(seq "$rounds"); do
    echo "round $round of $rounds..." >&2
    idle
    run floor "$exe_floor" CointrelFloor CointrelFloorMeter
    run paid "$exe_cointrel" Cointrel "KettPanel Class" Working
    run unpaid "$exe_cointrel" Cointrel "KettPanel Class" "Nothing in particular"
    run minimised "$exe_cointrel" Cointrel "KettPanel Class" Working minimised
done

# Medians of each column by name, then ratios to the floor.
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
column() { awk -v n="$1" -v c="$2" '$1 == n { print $c }' "$work/results" | median; }
for name in idle floor paid unpaid minimised; do
    echo "$name $(for c in 2 3 4 5 6 7; do column "$name" "$c"; done | tr '\n' ' ')"
done | awk '
    $1 == "idle" { idle = $3; next }
    $1 == "floor" { floorCpu = $2 + $3 - idle; floorRss = $4; floorFirst = $5 }
    { table = table sprintf("%-9s %14s %14s %12.1f %14s %10s %9s\n", $1, $2, $3, $4 / 1024, $5,
                            $6, $7) }
    $1 != "floor" {
        ratios = ratios sprintf("%-9s CPU %.2f x   RSS %.2f x   first paint %.2f x\n", $1,
                                ($2 + $3 - idle) / floorCpu, $4 / floorRss, $5 / floorFirst)
    }
    END {
        printf "\n%-9s %14s %14s %12s %14s %10s %9s\n%s", "", "CPU ms/s", "server ms/s", "RSS MB",
               "first paint ms", "paints/s", "wakes/s", table
        printf "\nThe Wine server idles at %s ms/s; that is not counted below.\n", idle
        printf "Cointrel / floor (CPU counts the program and its share of the Wine server):\n%s",
               ratios
    }'
printf '\nshipped cointrel.exe: %s bytes\n' "$(stat -c %s "$windows/cointrel.exe")"
