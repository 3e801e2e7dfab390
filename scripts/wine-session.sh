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

    setarch "$(uname -m)" -R true 2>/dev/null ||
        echo "Note: this machine does not let address-space randomisation be turned off, so a" \
            "Wine program may now and then fail to start (see scripts/wine-run)." >&2
    virtual_display_start 1024x768x24 "$dir/xvfb.log" || return 1
    WINE_SESSION_XVFB=$VIRTUAL_DISPLAY_PID

    # Wine's helpers inherit the output of whatever starts them; keep it off any pipe we read.
    wineserver -p </dev/null >/dev/null 2>&1
    export WINE_SESSION_SERVER
    WINE_SESSION_SERVER=$(wine_server_of "$WINEPREFIX") ||
        { echo "No Wine server runs for $WINEPREFIX." >&2; return 1; }
    wine_prefix_prepare
}

# Makes the prefix of WINEPREFIX (the server of which is running) and readies it for tests.
wine_prefix_prepare() {
    local wine_run
    wine_run=$(dirname "${BASH_SOURCE[0]}")/wine-run
    "$wine_run" wineboot </dev/null >/dev/null 2>&1
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
    # Into a file, not a pipe: a Wine server started on the way would hold a pipe open.
    local value out=$WINEPREFIX/prepare.out
    for value in Decorated Managed; do
        "$wine_run" reg add 'HKCU\Software\Wine\X11 Driver' /v "$value" /d N /f \
            </dev/null >"$out" 2>&1 ||
            { echo "Preparing the Wine prefix: reg add $value: $(cat "$out")" >&2; return 1; }
    done
}

# A virtual display of our own, so that windows never land on a user's desktop: starts Xvfb with
# SCREEN (WxHxD), its output to LOG, and exports DISPLAY. Xvfb picks a free number itself and
# says which once it takes connections, so two sessions starting at once never share one.
# It runs in a session of its own, out of reach of a terminal's Ctrl+C, which only the script
# that started it should see. The server's PID is in VIRTUAL_DISPLAY_PID.
virtual_display_start() {
    local numberfile i
    numberfile=$(mktemp)
    setsid Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp 3>"$numberfile" </dev/null >"$2" 2>&1 &
    VIRTUAL_DISPLAY_PID=$!
    for i in $(seq 100); do
        [ -s "$numberfile" ] && break
        kill -0 "$VIRTUAL_DISPLAY_PID" 2>/dev/null || break
        sleep 0.1
    done
    local n
    n=$(head -n 1 "$numberfile")
    rm -f "$numberfile"
    if [ -z "$n" ]; then
        echo "The virtual display (Xvfb) did not start: $(tail -n 3 "$2")" >&2
        return 1
    fi
    export DISPLAY=":$n"
}

# The PID of the Wine server of PREFIX: machines are shared, and other sessions' servers run
# beside ours.
wine_server_of() {
    local pid
    for pid in $(pgrep '^wineserver'); do
        if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$1"; then
            echo "$pid"
            return 0
        fi
    done
    return 1
}

# Keeps Wine's desktop up between GUI programs (each start would otherwise pay for it again).
# It runs in the tests' locale: a process starting in another could set the user's locale for
# a test starting beside it.
wine_session_keepalive() {
    "$(dirname "${BASH_SOURCE[0]}")/wine-run" "$1" </dev/null >/dev/null 2>&1 &
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
