#!/usr/bin/env bash
# Builds Cointrel and starts it under Wine in the current folder, where its activities file
# (acts.txt) and log (log.txt) live. Settings persist in your ordinary Wine prefix (~/.wine, or
# $WINEPREFIX). Without a display it runs on a virtual one and saves screenshots of it.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
folder=$PWD
build=${COINTREL_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build/app" -DCMAKE_BUILD_TYPE=MinSizeRel -DCOINTREL_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build/app" -j "$(nproc)" --target cointrel
exe=$build/app/cointrel.exe

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree=d;mshtml=d;winemenubuilder.exe=d"}
# Wine and the virtual display run in sessions of their own (setsid): a terminal sends Ctrl+C to
# its whole foreground process group, which would end them before Cointrel could save anything.
# It reaches this script alone, which closes Cointrel the ordinary way.
prefix=${WINEPREFIX:-$HOME/.wine}
if [ ! -d "$prefix" ]; then
    export WINEARCH=win64
    echo "Setting up the Wine prefix $prefix (once)..."
    setsid wine wineboot </dev/null >/dev/null 2>&1
fi
# Wine's own fonts draw the caption buttons; copy any the prefix lacks.
cp -n /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true

cd "$folder"
desktop=()
if [ -z "${DISPLAY:-}" ]; then
    # No display: a virtual one, with Wine's own desktop on it so that the window has its frame.
    . "$root/scripts/wine-session.sh"
    virtual_display_start 800x600x24 /dev/null
    xvfb=$VIRTUAL_DISPLAY_PID
    trap 'kill "$xvfb" 2>/dev/null || true' EXIT
    desktop=(explorer /desktop=Cointrel,640x240)
fi
setsid wine "${desktop[@]}" "$exe" </dev/null >/dev/null 2>&1 &
app=$!

# Stopping closes Cointrel the ordinary way, so that it logs the finish and saves its total and
# settings, and waits until Wine has written them to the prefix before the display goes. Once
# begun, the close is not to be cut short: further interrupts are ignored (and what it starts
# inherits that), and the Wine programs it starts run out of the terminal's reach, in sessions
# of their own, as Cointrel does.
stop() {
    trap '' INT TERM
    echo
    echo "Closing Cointrel..."
    # Asked from within its desktop, where taskkill finds its window and sends it WM_CLOSE.
    setsid -w wine "${desktop[@]}" taskkill /im cointrel.exe </dev/null >/dev/null 2>&1 || true
    for _ in $(seq 150); do
        kill -0 "$app" 2>/dev/null || break
        sleep 0.1
    done
    setsid -w timeout 30 wineserver -w 2>/dev/null || true
    exit 0
}
trap stop INT TERM

if [ ${#desktop[@]} -eq 0 ]; then
    echo "Cointrel runs in a window of its own: close it to stop, or press Ctrl+C here."
    wait "$app" || true
    exit 0
fi
shot=$folder/cointrel-screen.png
echo "No display found: Cointrel runs on the virtual display $DISPLAY."
echo "Screenshots of it go to $shot every 5 seconds; stop it with Ctrl+C."
sleep 3 &
wait $! || true
while kill -0 "$app" 2>/dev/null; do
    import -window root "$shot" 2>/dev/null || true
    sleep 5 &
    wait $! || true
done
