# Sourced, not run. Starts a private virtual display and Wine prefix for tests, and takes both
# down again: wine_session_start DIR, then wine_session_stop (safe to call twice; use a trap).

wine_session_start() {
    local dir=$1
    rm -rf "$dir"
    mkdir -p "$dir"
    export WINEPREFIX="$dir/prefix"
    mkdir -p "$WINEPREFIX"
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree=d;mshtml=d;winemenubuilder.exe=d"

    # A display of our own, so that test windows never land on a user's desktop.
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >"$dir/xvfb.log" 2>&1 &
    WINE_SESSION_XVFB=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done

    # Wine's helpers inherit the output of whatever starts them; keep it off any pipe we read.
    wineserver -p </dev/null >/dev/null 2>&1
    export WINE_SESSION_SERVER
    WINE_SESSION_SERVER=$(pgrep -n '^wineserver')
    wine wineboot </dev/null >/dev/null 2>&1
    # Caption, frame and menu bar drawn by Wine itself, with its own fonts, so screenshots show
    # the whole window.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    # A new prefix links Documents to the user's home; tests write there, so it is made a folder
    # of the prefix's own.
    local documents=$WINEPREFIX/drive_c/users/$(id -un)/Documents
    if [ -L "$documents" ]; then
        rm "$documents"
        mkdir "$documents"
    fi
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
}

# Keeps Wine's desktop up between GUI programs (each start would otherwise pay for it again).
wine_session_keepalive() {
    wine "$1" </dev/null >/dev/null 2>&1 &
}

wine_session_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    WINE_SESSION_SERVER=
    if [ -n "${WINE_SESSION_XVFB:-}" ]; then
        kill "$WINE_SESSION_XVFB" 2>/dev/null || true
        wait "$WINE_SESSION_XVFB" 2>/dev/null || true
        WINE_SESSION_XVFB=
    fi
}
