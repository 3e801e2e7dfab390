#!/usr/bin/env bash
# End-to-end scenarios: cointrel.exe under Wine in an empty folder, with the settings key
# cleared first, driven from outside by the driver; then the registry, the files and the screen
# are checked. Runs inside the Wine session of scripts/test.sh (WINEPREFIX and DISPLAY set).
#
#   scenarios.sh SCENARIO COINTREL_EXE DRIVER_EXE WORK_ROOT VERSION
set -euo pipefail

scenario=$1 exe=$2 driver=$3 version=$5
work=$4/$scenario
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../scripts/wine-run
KEY='HKCU\Software\Marrowfen\Cointrel'
rm -rf "$work"
mkdir -p "$work"
APP_PID=

# What a failure shows beside its reason: the window, the settings, the files and the last of
# what the program printed.
show_state() {
    local dir=${APP_DIR:-$work}
    echo "-- window: $("$wine_run" "$driver" title </dev/null 2>&1 | tr -d '\r')" \
        "$("$wine_run" "$driver" geometry </dev/null 2>/dev/null | tr -d '\r')"
    echo "-- settings:"
    "$wine_run" reg query "$KEY" </dev/null 2>&1 | tr -d '\r' | sed -n 's/^    //p'
    echo "-- files in $dir:"
    ls -l "$dir"
    echo "-- what cointrel.exe printed, last lines:"
    tail -n 10 "$work/app.out" 2>/dev/null || true
}
REPORTED=
fail() {
    REPORTED=1
    echo "FAIL ($scenario${CASE:+, case $CASE}): $*" >&2
    show_state >&2
    import -window root "$work/failure.png" 2>/dev/null || true
    exit 1
}
# A command that fails outside fail() ends the script through set -e: say which and where.
set -E
trap 'LAST_ERROR="${BASH_SOURCE[0]##*/} line $LINENO: \`$BASH_COMMAND\` ended with status $?"' ERR
expect_eq() { [ "$1" == "$2" ] || fail "$3: got '$1', expected '$2'"; }

drive() { "$wine_run" "$driver" "$@" </dev/null 2>"$work/driver.err" | tr -d '\r'; }
check() { "$wine_run" "$driver" "$@" </dev/null >/dev/null 2>"$work/driver.err" || fail "driver $*: $(tr -d '\r' <"$work/driver.err")"; }

# The same, for what the program shows once it has painted: tried for up to five seconds.
check_soon() {
    local i
    for i in $(seq 50); do
        "$wine_run" "$driver" "$@" </dev/null >/dev/null 2>"$work/driver.err" && return 0
        sleep 0.1
    done
    fail "driver $*: $(tr -d '\r' <"$work/driver.err")"
}
# Waits up to five seconds for the meter's pixels to differ from the checksum given.
meter_moves_from() {
    local i
    for i in $(seq 50); do
        [ "$(drive checksum)" != "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# A setup step (WHAT, then the command): its own words are kept, and a failure shows them.
setup() {
    local what=$1
    shift
    "$@" </dev/null >"$work/setup.out" 2>&1 ||
        fail "$what: status $?: $(tr -d '\r' <"$work/setup.out")"
}
# The key deleted; a key that is not there is already as wanted.
reg_clear() {
    "$wine_run" reg delete "$KEY" /f </dev/null >"$work/setup.out" 2>&1 ||
        grep -q 'Unable to find' "$work/setup.out" ||
        fail "reg delete: $(tr -d '\r' <"$work/setup.out")"
}
reg_set() { setup "reg add $1" "$wine_run" reg add "$KEY" /v "$1" /t "$2" /d "$3" /f; }
# "TYPE DATA" of a value, or nothing when it is missing. A query that fails for any other
# reason (Wine's reg itself, not the program under test, as when Wine could not start it: see
# scripts/wine-run) is tried again, then reported.
reg_value() {
    local out i
    for i in 1 2 3; do
        if out=$("$wine_run" reg query "$KEY" /v "$1" </dev/null 2>&1); then
            printf '%s\n' "$out" | tr -d '\r' |
                sed -n "s/^    $1    \(REG_[A-Z]*\)    \{0,1\}\(.*\)$/\1 \2/p"
            return 0
        fi
        [[ "$out" == *"Unable to find"* ]] && return 0
        sleep 0.2
    done
    echo "reg query $1 failed: $out" >&2
    echo "QUERY-FAILED"
}
reg_count() {
    "$wine_run" reg query "$KEY" </dev/null 2>/dev/null | tr -d '\r' | grep -c '^    [A-Za-z]' || true
}
# The open-file dialog starts in the folder last used, so files are given by their whole path.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
float_hex() { perl -e 'print uc unpack("H*", pack("f<", $ARGV[0]))' "$1"; }
hex_float() { perl -e 'printf "%.6f", unpack("f<", pack("H*", $ARGV[0]))' "$1"; }

# The log (FILE, or the scenario's log.txt) as one token a line: the banner, then each period's
# name, start, finish and duration.
log_shape() {
    tr -d '\r' <"${1:-$work/log.txt}" | sed -e 's/^$/EMPTY/' \
        -e 's/^[^ ].* - Cointrel started$/BANNER/' -e 's/^  \([^ ].*\)$/NAME \1/' \
        -e 's/^    .*, .*, Started$/STARTED/' -e 's/^    .*, .*, Finished$/FINISHED/' \
        -e 's/^    Duration: .*$/DURATION/' | tr '\n' '|'
}

# Starts Cointrel in APP_DIR (the scenario's folder unless set); start_app waits until it is
# shown.
launch_app() {
    (cd "${APP_DIR:-$work}" && exec "$wine_run" "$exe" </dev/null >>"$work/app.out" 2>&1) &
    APP_PID=$!
}
start_app() {
    launch_app
    check wait-window "${APP_WAIT_MS:-30000}"
}
# Waits up to SECONDS for a process of ours to end; false when it is still there.
ended_within() {
    local i
    for i in $(seq $(($2 * 10))); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    ! kill -0 "$1" 2>/dev/null
}
stop_app() {
    check close
    ended_within "$APP_PID" 30 || fail "cointrel.exe did not exit"
    wait "$APP_PID" || fail "cointrel.exe exited with $?"
    APP_PID=
}
# Ends Cointrel from outside, as a crash or End task would: no message reaches it.
crash_app() {
    setup taskkill "$wine_run" taskkill /f /pid "$(drive pid)"
    ended_within "$APP_PID" 10 || fail "cointrel.exe still runs"
    APP_PID=
}
on_exit() {
    local status=$?
    if [ "$status" -ne 0 ] && [ -z "$REPORTED" ]; then
        echo "FAIL ($scenario${CASE:+, case $CASE}): ${LAST_ERROR:-exited with status $status}" >&2
        show_state >&2
    fi
    [ -z "$APP_PID" ] || kill "$APP_PID" 2>/dev/null || true
}
trap on_exit EXIT

first_run() {
    reg_clear
    start_app
    expect_eq "$(drive title)" "Working - Cointrel" "title"
    read -r _ _ _ _ width height topmost visible <<<"$(drive geometry)"
    expect_eq "$width x $height" "306 x 45" "client area"
    expect_eq "$topmost $visible" "0 1" "on top, visible"
    check_soon meter 0 0 1
    import -window root "$work/first-run.png"
    printf '%s\r\n' "# Default Cointrel Activities File" \
        "# Update with your own activities list as necessary" \
        "#   - A leading '#' indicates a comment" \
        "#   - A leading '!' indicates an unpaid activity" "" \
        "!Nothing in particular" "Working" "!Lunch" >"$work/expected-acts.txt"
    cmp -s "$work/acts.txt" "$work/expected-acts.txt" || fail "default activities file"
    stop_app
    expect_eq "$(reg_count)" 18 \
        "values saved: the thirteen, the ledger's two, the minutes away asked about and the icon's two"
    local name
    for name in Kett DaysPerYear HoursPerDay Hourly Logging TopMost Currency Decimals; do
        [[ "$(reg_value $name)" =~ ^REG_BINARY\ [0-9A-F]{8}$ ]] || fail "$name: $(reg_value $name)"
    done
    [[ "$(reg_value Placement)" =~ ^REG_BINARY\ [0-9A-F]{88}$ ]] || fail "placement"
    expect_eq "$(reg_value CurrentActivity)" "REG_SZ Working" "current activity"
    expect_eq "$(reg_value ActivitiesFile)" "REG_SZ acts.txt" "activities file"
    expect_eq "$(reg_value LogFile)" "REG_SZ log.txt" "log file"
    expect_eq "$(reg_value Hourly)" "REG_BINARY $(float_hex 25)" "hourly"
    expect_eq "$(reg_value Decimals)" "REG_BINARY 01000000" "decimals"
    expect_eq "$(reg_value LedgerFile) $(reg_value Ledger)" "REG_SZ ledger.csv REG_BINARY 01000000" \
        "the ledger"
    [ ! -e "$work/log.txt" ] || fail "logging is off, yet there is a log"
}

second_run() {
    reg_clear
    start_app
    check command 11848           # always on top
    check command 12002           # Lunch, unpaid
    check move 133 77
    stop_app
    reg_set Kett REG_BINARY "$(float_hex 1234.5)"
    start_app
    expect_eq "$(drive title)" "Lunch - Cointrel" "title"
    read -r left top _ _ width height topmost _ <<<"$(drive geometry)"
    expect_eq "$left $top" "133 77" "position"
    expect_eq "$width x $height $topmost" "306 x 45 1" "size and on top"
    check_soon meter 0 1234.5 1
    # Another program reads the total as text: what the registry holds after exit.
    expect_eq "$(drive panel-text)" $'\xa3'"1234.50" "the meter's text"
    stop_app
    expect_eq "$(reg_value Kett)" "REG_BINARY $(float_hex 1234.5)" "total unchanged while unpaid"
    expect_eq "$(reg_value TopMost)" "REG_BINARY 01000000" "on top"
}

missing_custom_currency() {
    reg_clear
    reg_set Currency REG_BINARY 03000000
    reg_set DigitsBitmapFile REG_SZ 'gone.bmp'
    reg_set Decimals REG_BINARY 00000000
    reg_set CurrentActivity REG_SZ 'Nothing in particular'
    reg_set Kett REG_BINARY "$(float_hex 41.37)"
    start_app
    expect_eq "$(drive title)" "Nothing in particular - Cointrel" "title"
    check_soon meter 0 41.37 1
    stop_app
    expect_eq "$(reg_value Currency)" "REG_BINARY 00000000" "currency"
    expect_eq "$(reg_value Decimals)" "REG_BINARY 01000000" "decimals"
}

logging_and_switching() {
    reg_clear
    reg_set Logging REG_BINARY 01000000
    start_app
    check command 12002
    expect_eq "$(drive title)" "Lunch - Cointrel" "title after WM_COMMAND"
    check syscommand 12001
    expect_eq "$(drive title)" "Working - Cointrel" "title after WM_SYSCOMMAND"
    stop_app
    expect_eq "$(log_shape)" "EMPTY|BANNER|NAME Working|STARTED|FINISHED|DURATION|NAME Lunch|STARTED|FINISHED|DURATION|NAME Working|STARTED|FINISHED|DURATION|" "log records"
    [ "$(grep -c $'\r$' "$work/log.txt")" -eq "$(wc -l <"$work/log.txt")" ] || fail "log lines end in CR LF"
}

paid_and_unpaid() {
    reg_clear
    reg_set Hourly REG_BINARY "$(float_hex 10000)"  # 2.78 a second: the digits move visibly
    start_app
    meter_moves_from "$(drive checksum)" || fail "a paid activity's total stands still"
    check command 12002
    sleep 0.1  # the last paint of the running total
    local still
    still=$(drive checksum)
    sleep 0.6
    expect_eq "$(drive checksum)" "$still" "an unpaid activity's total"
    check command 12001
    meter_moves_from "$still" || fail "back at work, the total stands still"
    stop_app
    local total
    total=$(hex_float "$(reg_value Kett | cut -d' ' -f2)")
    perl -e 'exit !($ARGV[0] > 0.0 && $ARGV[0] < 1000.0)' "$total" || fail "saved total $total"
}

end_session() {
    reg_clear
    reg_set Logging REG_BINARY 01000000
    reg_set CurrentActivity REG_SZ 'Nothing in particular'  # standing: no checkpoint saves
    start_app
    check endsession 0
    expect_eq "$(reg_value Kett)" "" "nothing saved at a cancelled end of session"
    expect_eq "$(grep -c Finished "$work/log.txt" || true)" 0 "no finish logged"
    check endsession 1
    expect_eq "$(reg_count)" 18 "values saved at the end of the session"
    expect_eq "$(grep -c Finished "$work/log.txt")" 1 "one finish logged"
    read -r _ _ _ _ _ _ _ visible <<<"$(drive geometry)"
    expect_eq "$visible" 1 "window left in place"
    stop_app
    expect_eq "$(grep -c Finished "$work/log.txt")" 2 "finish logged at exit"
}

always_on_top() {
    reg_clear
    start_app
    read -r _ _ _ _ _ _ topmost _ <<<"$(drive geometry)"
    expect_eq "$topmost" 0 "on top at first"
    check command 11848
    read -r _ _ _ _ _ _ topmost _ <<<"$(drive geometry)"
    expect_eq "$topmost" 1 "on top after one toggle"
    check command 11848
    read -r _ _ _ _ _ _ topmost _ <<<"$(drive geometry)"
    expect_eq "$topmost" 0 "on top after two toggles"
    stop_app
    expect_eq "$(reg_value TopMost)" "REG_BINARY 00000000" "saved"
}

# Ended from outside, as by a crash or End task: the earnings up to the last checkpoint, the
# activity picked last and the log's pairs survive. A second start leaves one counter running.
crash_and_second_start() {
    reg_clear
    reg_set Logging REG_BINARY 01000000
    reg_set Hourly REG_BINARY "$(float_hex 10000)"
    start_app
    local i
    for i in $(seq 150); do  # a growing total is saved within ten seconds
        [ -z "$(reg_value Kett)" ] || break
        sleep 0.1
    done
    check command 12002  # Lunch, saved at once
    local saved
    saved=$(reg_value Kett)
    perl -e 'exit !($ARGV[0] > 20)' "$(hex_float "${saved#* }")" || fail "saved total: $saved"
    crash_app
    start_app
    expect_eq "$(drive title)" "Lunch - Cointrel" "the activity picked before the crash"
    (cd "$work" && exec "$wine_run" "$exe" </dev/null >>"$work/app.out" 2>&1) &
    local second=$!
    ended_within "$second" 10 || fail "the second start still runs"
    wait "$second" || fail "the second start exited with $?"
    expect_eq "$(drive count)" 1 "windows after a second start"
    stop_app
    expect_eq "$(reg_value Kett)" "$saved" "the total, standing during Lunch"
    expect_eq "$(log_shape)" "EMPTY|BANNER|NAME Working|STARTED|FINISHED|DURATION|NAME Lunch|STARTED|FINISHED|DURATION|EMPTY|BANNER|NAME Lunch|STARTED|FINISHED|DURATION|" "every start finished"
}

# Closed the ordinary way while a dialog is open, as taskkill /im and the run command's Ctrl+C
# close it: each run's period is finished once, nothing is left open, and the place is kept.
close_with_dialog_open() {
    reg_clear
    reg_set Logging REG_BINARY 01000000
    reg_set Hourly REG_BINARY "$(float_hex 3600)"
    local dialog
    for dialog in "11846 Edit rate..." "11844 Reset total..." "11849 Select currency..." \
        "11845 Activity logging options..."; do
        CASE=${dialog#* }
        start_app
        check move 300 250
        open_dialog "${dialog%% *}" "$CASE"
        stop_app
        expect_eq "$(reg_value Checkpoint)" "" "a period left open"
        [[ "$(reg_value Placement)" =~ ^REG_BINARY\ 2C0{6}.{48}2C010000FA000000 ]] ||
            fail "placement: $(reg_value Placement)"
    done
    CASE=
    start_app
    read -r left top _ <<<"$(drive geometry)"
    expect_eq "$left $top" "300 250" "the place after the closes"
    stop_app
    local run="EMPTY|BANNER|NAME Working|STARTED|FINISHED|DURATION|"
    expect_eq "$(log_shape)" "$run$run$run$run$run" "one Finished for each Started"
    expect_eq "$(tail -n +2 "$work/ledger.csv" | cut -d, -f4,5 | tr -d '\r' | tr '\n' ' ')" \
        "Working,1 Working,1 Working,1 Working,1 Working,1 " "a row for each run"
}

# A crash, then a start in another folder: the crashed period's Finished and its ledger row go
# to the files its run wrote to, and the new folder's files hold only their own.
crash_in_another_folder() {
    reg_clear
    reg_set Logging REG_BINARY 01000000
    local folder run="EMPTY|BANNER|NAME Working|STARTED|FINISHED|DURATION|"
    for folder in first second; do
        APP_DIR=$work/$folder
        mkdir -p "$APP_DIR"
        [ -z "$APP_PID" ] || crash_app
        start_app
        sleep 1
        check command 11848  # always on top, twice: a checkpoint, so that the period has time
        check command 11848
    done
    stop_app
    for folder in first second; do
        expect_eq "$(log_shape "$work/$folder/log.txt")" "$run" "the $folder folder's log"
        expect_eq "$(tail -n +2 "$work/$folder/ledger.csv" | cut -d, -f4 | tr -d '\r')" "Working" \
            "the $folder folder's ledger"
    done
    APP_DIR=
}

# Working paid at one a second, asked about a minute away; then the last input and the lock.
away_from_working() {
    reg_clear
    reg_set Logging REG_BINARY 01000000
    reg_set Hourly REG_BINARY "$(float_hex 3600)"  # one a second
    reg_set AwayMinutes REG_BINARY 01000000
    start_app
    check input  # the last input before the screen locks
    check session 7
}
# The stretch counted as Nothing in particular, between two periods of Working: the log's shape
# (LOG, said as WHAT), the ledger's periods, the stretch's seconds, and a total its rows add up to.
away_counted_unpaid() {
    expect_eq "$(log_shape)" "$1" "$2"
    local rows total
    rows=$(tail -n +2 "$work/ledger.csv" | tr -d '\r')
    expect_eq "$(cut -d, -f4,5 <<<"$rows" | tr '\n' ' ')" \
        "Working,1 Nothing in particular,0 Working,1 " "the ledger's periods"
    total=$(hex_float "$(reg_value Kett | cut -d' ' -f2)")
    perl -e 'my ($total, $text) = @ARGV; my @rows = split /\n/, $text; my $earned = 0;
        for (@rows) { my @f = split /,/; $earned += $f[7] }
        my @away = split /,/, $rows[1];
        exit !(abs($total - $earned) < 0.05 && $away[5] >= 60 && $away[5] < 90 && $total < 30)' \
        "$total" "$rows" || fail "a total of $total for the rows $rows"
}

# Away from a paid activity for longer than the threshold (here a minute), the screen locked:
# on return Cointrel asks how that time should count. Counted as the unpaid activity it offers
# first, the stretch's earnings come off the total, and the log and the ledger show it as that
# activity's, between two periods of Working.
time_away() {
    away_from_working
    sleep 62
    check session 8
    check dialog-wait "Time away" 15000
    local question
    question=$(drive dialog-text "Time away" 101)
    [[ "$question" == "You were away from "*" (1 min) while Working was current." ]] ||
        fail "the question: $question"
    check dialog-click "Time away" 1
    check dialog-gone "Time away" 5000
    stop_app
    local run="NAME Working|STARTED|FINISHED|DURATION|"
    away_counted_unpaid "EMPTY|BANNER|${run}NAME Nothing in particular|STARTED|FINISHED|DURATION|$run" \
        "the log, the stretch between two periods of Working"
}

# The screen locked for longer than the minute asked about, and the session ended before it was
# unlocked, as on a machine left locked for the night and restarted by an update: nothing is paid
# without asking. The period stays open in the key; the next start asks about the time from the
# last input to the session's end, and the answer cuts the period there.
away_at_session_end() {
    away_from_working
    sleep 65
    check endsession 1
    crash_app  # Windows ends the process once the session has ended
    [[ "$(reg_value Checkpoint)" == REG_BINARY\ * ]] || fail "the period was closed at the end"
    [ ! -e "$work/ledger.csv" ] || fail "rows before the answer: $(cat "$work/ledger.csv")"
    launch_app
    check dialog-wait "Time away" 15000
    local question
    question=$(drive dialog-text "Time away" 101)
    [[ "$question" == "You were away from "*" while Working was current." ]] ||
        fail "the question: $question"
    check dialog-click "Time away" 1  # the first unpaid activity offered
    check dialog-gone "Time away" 5000
    check wait-window 10000
    stop_app
    local run="EMPTY|BANNER|NAME Working|STARTED|FINISHED|DURATION|"
    away_counted_unpaid "${run}NAME Nothing in particular|STARTED|FINISHED|DURATION|$run" \
        "the log: the stretch away to the end, then the next run"
}

# A library planted beside the program under the name of one it loads while it runs, with the
# order Windows searches for a library it does not know (the program's own folder first): it is
# never loaded. The driver, loading the same name plainly from that folder, shows it would be.
planted_library() {
    reg_clear
    local folder=$work/download
    mkdir -p "$folder"
    cp "$exe" "$folder/cointrel.exe"
    cp "$driver" "$folder/driver.exe"
    cp "$(dirname "$driver")/planted/wtsapi32.dll" "$folder/"
    export WINEDLLOVERRIDES="wtsapi32=n,b;mscoree=d;mshtml=d;winemenubuilder.exe=d"
    (cd "$folder" && "$wine_run" driver.exe load-library wtsapi32.dll </dev/null >/dev/null 2>&1) ||
        fail "the driver could not load the planted library plainly"
    [ -e "$folder/planted.txt" ] || fail "loaded plainly, the planted library left no mark"
    rm "$folder/planted.txt"
    APP_DIR=$folder
    exe=$folder/cointrel.exe
    start_app  # it asks for the session's notifications as it shows
    check session 7
    check session 8
    stop_app
    APP_DIR=
    [ ! -e "$folder/planted.txt" ] || fail "cointrel.exe loaded the library planted beside it"
}

# Options makes the shortcut that starts Cointrel at sign-in, in the folder it runs in now, and
# deletes it again.
startup_shortcut() {
    reg_clear
    local user startup programs
    user=$(id -un)
    startup="AppData\Roaming\Microsoft\Windows\Start Menu\Programs\Startup\Cointrel.lnk"
    programs="$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
    # The shortcut, in its folder as the file system spells it (Wine's is "StartUp").
    shortcut() { find "$programs" -maxdepth 2 -ipath '*/startup/cointrel.lnk'; }
    shortcut | xargs -r -d '\n' rm -f
    start_app
    open_dialog 11851 Options
    expect_eq "$(drive dialog-checked Options 104)" 0 "the box, with no shortcut"
    check dialog-click Options 104
    check dialog-click Options 1
    check dialog-gone Options 5000
    [ -n "$(shortcut)" ] || fail "no shortcut in the Startup folder"
    stop_app
    # Started from it, as at sign-in, from another folder: it runs in this one.
    rm -f "$work/acts.txt"
    mkdir -p "$work/elsewhere"
    setup "start from the Startup shortcut" env -C "$work/elsewhere" "$wine_run" start \
        "C:\\users\\$user\\$startup"
    check wait-window 10000
    check close-wait 10000
    [ -f "$work/acts.txt" ] || fail "not started in the folder the shortcut was made in"
    [ ! -e "$work/elsewhere/acts.txt" ] || fail "started in the folder it was started from"
    start_app
    open_dialog 11851 Options
    expect_eq "$(drive dialog-checked Options 104)" 1 "the box, with the shortcut there"
    check dialog-click Options 104
    check dialog-click Options 1
    check dialog-gone Options 5000
    [ -z "$(shortcut)" ] || fail "the shortcut is still there: $(shortcut)"
    stop_app
    expect_eq "$(reg_value AwayMinutes)" "REG_BINARY 0F000000" "the minutes asked about"
}

# Every finished period is one ledger row, its earnings its time at the rate; a crashed run's
# period gets its row at the next start; the summary's Today is the day's rows and the period
# still open (here an unpaid one).
ledger() {
    reg_clear
    reg_set Hourly REG_BINARY "$(float_hex 3600)"  # one a second
    start_app
    sleep 2
    check command 12002  # Lunch: Working's row
    check command 12001  # Working again: Lunch's row
    sleep 2
    check command 11848  # always on top, twice: a checkpoint of the total
    check command 11848
    crash_app
    start_app            # the crashed run's Working gets its row
    check command 12002  # and this run's Working, from the start to Lunch
    local rows
    rows=$(tail -n +2 "$work/ledger.csv" | tr -d '\r')
    expect_eq "$(head -n 1 "$work/ledger.csv" | tr -d '\r')" \
        "date,start,end,activity,paid,seconds,hourly,earned,currency" "the header"
    expect_eq "$(cut -d, -f4,5 <<<"$rows" | tr '\n' ' ')" \
        "Working,1 Lunch,0 Working,1 Working,1 " "the periods"
    perl -e 'my $today = sprintf "%04d-%02d-%02d", (localtime)[5] + 1900, (localtime)[4] + 1,
                 (localtime)[3];
        for (split /\n/, $ARGV[0]) {
            my @f = split /,/;
            exit 1 unless $f[0] eq $today && $f[8] eq "GBP" && $f[6] eq "3600.00";
            exit 1 unless $f[4] ? abs($f[7] - $f[5]) <= 0.6 : $f[7] eq "0.00";
        }' "$rows" || fail "rows whose earnings are not their time: $rows"
    local today
    today=$(cut -d, -f8 <<<"$rows" | perl -ne '$t += $_; END { printf "%.2f", $t }')
    open_dialog 11850 Summary
    expect_eq "$(drive dialog-list Summary 1001 0 2)" $'\xa3'"$today" "today's earnings"
    check dialog-click Summary 1
    check dialog-gone Summary 5000
    stop_app
    expect_eq "$(tail -n +2 "$work/ledger.csv" | wc -l)" 5 "rows after the exit"
}

# At 200 % (in a prefix of its own, whose server reads the DPI as it starts) the meter keeps its
# physical size and is drawn at the screen's resolution: its glyphs' edges as thin as at 100 %.
# A window left near the screen's corner at 100 % comes back wholly on it, and the currency
# dialog's preview fits the dialog.
high_dpi() {
    reg_clear
    start_app
    local thin
    thin=$(drive edges)
    check move 690 660
    stop_app
    (
        export WINEPREFIX=$work/prefix
        . "$here/../../scripts/wine-session.sh"
        wine_prefix_prepare
        setup "reg add LogPixels" "$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
            /t REG_DWORD /d 192 /f
        wineserver -k || true
        wineserver -w
        trap 'wineserver -k' EXIT
        start_app
        read -r _ _ _ _ width height _ _ <<<"$(drive geometry)"
        expect_eq "$width x $height" "612 x 90" "the meter at 200 %"
        local edges
        edges=$(drive edges)
        [ "$edges" -gt 0 ] && [ "$edges" -le $((thin + 25)) ] ||
            fail "edges $edges hundredths of a pixel wide at 200 %, $thin at 100 %"
        local left top right bottom
        read -r left top right bottom _ <<<"$(drive geometry)"
        [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ "$right" -le 1024 ] && [ "$bottom" -le 768 ] ||
            fail "the window at $left,$top-$right,$bottom is not wholly on the 1024x768 screen"
        open_dialog 11849 "Select currency..."
        local width
        read -r left _ right _ width _ <<<"$(drive dialog-rect "Select currency..." 111)"
        [ "$right" -gt "$left" ] && [ "$right" -le "$width" ] ||
            fail "the preview spans $left-$right in a dialog $width wide"
        check dialog-click "Select currency..." 2
        check dialog-gone "Select currency..." 5000
        stop_app
    ) || { REPORTED=1 && exit 1; }
}

# Opens a dialog by its command and waits for it.
open_dialog() { check post "$1"; check dialog-wait "$2" 10000; }

rate_and_reset() {
    reg_clear
    reg_set Logging REG_BINARY 01000000
    reg_set CurrentActivity REG_SZ 'Nothing in particular'
    start_app
    open_dialog 11846 "Edit rate..."
    expect_eq "$(drive dialog-text "Edit rate..." 105)" "25.00" "hourly shown"
    check dialog-set "Edit rate..." 105 1
    check dialog-focus "Edit rate..." 109       # leaving the hourly field applies it
    expect_eq "$(drive dialog-text "Edit rate..." 107)" "7.50" "daily from the hourly figure"
    check dialog-set "Edit rate..." 109 8
    check dialog-click "Edit rate..." 1
    check dialog-gone "Edit rate..." 5000
    open_dialog 11844 "Reset total..."
    check dialog-set "Reset total..." 110 123.45
    check dialog-click "Reset total..." 1
    check dialog-gone "Reset total..." 5000
    # A reset runs the meter even on an unpaid activity, here at 0.9375 an hour.
    check_soon meter 0 123.45 1
    import -window root "$work/reset.png"
    stop_app
    expect_eq "$(reg_value Hourly)" "REG_BINARY $(float_hex 0.9375)" "hourly: 7.50 a day over 8 hours"
    expect_eq "$(reg_value HoursPerDay)" "REG_BINARY $(float_hex 8)" "hours per day"
    expect_eq "$(reg_value DaysPerYear)" "REG_BINARY $(float_hex 258)" "days per year"
    local total
    total=$(hex_float "$(reg_value Kett | cut -d' ' -f2)")
    perl -e 'exit !($ARGV[0] >= 123.449 && $ARGV[0] < 123.46)' "$total" || fail "saved total $total"
    expect_eq "$(log_shape)" "EMPTY|BANNER|NAME Nothing in particular|STARTED|FINISHED|DURATION|NAME None|STARTED|FINISHED|DURATION|" "log records"
}

currency_choice() {
    reg_clear
    reg_set CurrentActivity REG_SZ 'Nothing in particular'
    reg_set Kett REG_BINARY "$(float_hex 41.37)"
    convert -size 220x30 xc:'#fff8e0' "BMP3:$work/strip.bmp"
    start_app
    check move 150 100
    open_dialog 11849 "Select currency..."
    check dialog-click "Select currency..." 103
    check dialog-click "Select currency..." 1
    check dialog-gone "Select currency..." 5000
    read -r left top _ _ width height _ _ <<<"$(drive geometry)"
    expect_eq "$left $top $width x $height" "150 100 306 x 45" "window around the dollar meter"
    check_soon meter 1 41.37 1
    import -window root "$work/dollars.png"
    # A strip of 20-pixel cells picked with Browse, without decimals.
    open_dialog 11849 "Select currency..."
    check dialog-post "Select currency..." 112
    check dialog-wait "Choose a digits bitmap" 10000
    check dialog-set "Choose a digits bitmap" 1148 "$(windows_path "$work/strip.bmp")"
    check dialog-click "Choose a digits bitmap" 1
    check dialog-gone "Choose a digits bitmap" 5000
    expect_eq "$(drive dialog-checked "Select currency..." 109)" 1 "custom chosen"
    check dialog-click "Select currency..." 108
    check dialog-click "Select currency..." 1
    check dialog-gone "Select currency..." 5000
    read -r left top _ _ width height _ _ <<<"$(drive geometry)"
    expect_eq "$left $top $width x $height" "150 100 170 x 30" "window around the custom meter"
    stop_app
    expect_eq "$(reg_value Currency)" "REG_BINARY 03000000" "currency"
    expect_eq "$(reg_value Decimals)" "REG_BINARY 00000000" "decimals"
    [[ "$(reg_value DigitsBitmapFile)" == REG_SZ\ *\\strip.bmp ]] ||
        fail "bitmap file: $(reg_value DigitsBitmapFile)"
}

new_activity() {
    reg_clear
    start_app
    local add="Add new activity..."
    check key 113                       # F2
    check dialog-wait "$add" 10000
    check dialog-set "$add" 110 Gardening
    check dialog-click "$add" 1
    check dialog-gone "$add" 5000
    check syspost 11847                 # the system menu's "New activity..."
    check dialog-wait "$add" 10000
    check dialog-set "$add" 110 Filing
    check dialog-click "$add" 112       # unpaid
    check dialog-click "$add" 1
    check dialog-gone "$add" 5000
    check command 12004
    expect_eq "$(drive title)" "Filing - Cointrel" "the second new activity, picked at once"
    check command 12003
    expect_eq "$(drive title)" "Gardening - Cointrel" "the first new activity"
    stop_app
    expect_eq "$(tail -n 2 "$work/acts.txt" | tr -d '\r' | tr '\n' '|')" "Gardening|!Filing|" "lines added"
    expect_eq "$(reg_value CurrentActivity)" "REG_SZ Gardening" "current activity"
}

logging_dialog() {
    reg_clear
    start_app
    local logging="Activity logging options..."
    open_dialog 11845 "$logging"
    expect_eq "$(drive dialog-checked "$logging" 105)" 0 "logging off at first"
    check dialog-click "$logging" 105
    check dialog-click "$logging" 1
    check dialog-gone "$logging" 5000
    check command 12002
    stop_app
    expect_eq "$(reg_value Logging)" "REG_BINARY 01000000" "logging saved"
    # Switched on mid-period, the log starts with that period's start.
    local pairs="NAME Working|STARTED|FINISHED|DURATION|NAME Lunch|STARTED|FINISHED|DURATION|"
    expect_eq "$(log_shape)" "$pairs" "log records"
    start_app
    stop_app
    expect_eq "$(log_shape)" "${pairs}EMPTY|BANNER|NAME Lunch|STARTED|FINISHED|DURATION|" \
        "log after a restart"
}

activities_file_dialog() {
    reg_clear
    printf 'Alpha\r\nBeta\r\n' >"$work/other.txt"
    start_app
    local files="Activites..." choose="Choose a message file"
    open_dialog 11843 "$files"
    check dialog-post "$files" 103
    check dialog-wait "$choose" 10000
    check dialog-set "$choose" 1148 "$(windows_path "$work/other.txt")"
    check dialog-click "$choose" 1
    check dialog-gone "$choose" 5000
    [[ "$(drive dialog-text "$files" 102)" == *\\other.txt ]] || fail "file name shown"
    check dialog-click "$files" 1
    check dialog-gone "$files" 5000
    expect_eq "$(drive title)" "Working - Cointrel" "the list stays until the next start"
    stop_app
    [[ "$(reg_value ActivitiesFile)" == REG_SZ\ *\\other.txt ]] ||
        fail "activities file: $(reg_value ActivitiesFile)"
    start_app
    expect_eq "$(drive title)" "Beta - Cointrel" "read from the chosen file"
    stop_app
}

# The README's run command without a display, stopped with Ctrl+C typed into its terminal, which
# sends it to the terminal's whole foreground process group: Cointrel is closed the ordinary way,
# so its total and settings are saved in the user's own prefix.
run_script_stop() {
    local prefix=$work/prefix
    (
        export WINEPREFIX=$prefix
        unset DISPLAY
        cd "$work"
        mkfifo keys
        # As from an interactive shell: a job a script starts would ignore Ctrl+C for good.
        perl -e '$SIG{INT} = "DEFAULT"; exec @ARGV' script -qfec "$here/../../scripts/run.sh" \
            /dev/null <keys >"$work/run.out" 2>&1 &
        local terminal=$! i
        exec 7>keys
        for i in $(seq 1200); do
            [ -e "$work/cointrel-screen.png" ] && break
            kill -0 "$terminal" 2>/dev/null || break
            sleep 0.1
        done
        [ -e "$work/acts.txt" ] || { cat "$work/run.out" >&2; exit 1; }
        # Pressed twice, as an impatient user does: the second must not cut the close short.
        printf '\003' >&7
        sleep 0.2
        printf '\003' >&7
        ended_within "$terminal" 60 || { kill "$terminal"; echo "Ctrl+C left run.sh running" >&2; exit 1; }
        "$wine_run" reg query "$KEY" </dev/null 2>/dev/null | tr -d '\r' >"$work/saved.txt" || true
        wineserver -k 2>/dev/null || true
    ) || fail "run.sh: $(tail -n 5 "$work/run.out")"
    expect_eq "$(grep -c '^    [A-Za-z]' "$work/saved.txt")" 18 "values saved at Ctrl+C"
    ! grep -q '^    Checkpoint' "$work/saved.txt" || fail "the period was left open"
    grep -q '^    CurrentActivity    REG_SZ    Working$' "$work/saved.txt" || fail "current activity"
}

# The README's package command, then the installer, the program started from its shortcut, and
# the uninstaller, all silent; and what the portable ZIP holds.
packages() {
    local out=$work/packages user
    COINTREL_BUILD_DIR=$(dirname "$(dirname "$exe")") "$here/../../scripts/package.sh" "$out" \
        >"$work/package.out" 2>&1 || fail "package.sh: $(tail -n 5 "$work/package.out")"
    expect_eq "$(unzip -Z1 "$out/cointrel-$version-portable.zip" | sort | tr '\n' ' ')" \
        "Cointrel/ Cointrel/README.txt Cointrel/cointrel.exe " "what the ZIP holds"
    expect_eq "$(unzip -p "$out/cointrel-$version-portable.zip" Cointrel/README.txt | head -n 1)" \
        "Cointrel $version"$'\r' "the read-me's first line"
    user=$(id -un)
    local home="$WINEPREFIX/drive_c/users/$user" winhome="C:\\users\\$user"
    local program="$home/AppData/Local/Programs/Cointrel" data="$home/Documents/Cointrel"
    local shortcut='AppData\Roaming\Microsoft\Windows\Start Menu\Programs\Cointrel.lnk'
    local uninstall='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Cointrel'
    reg_clear
    rm -rf "$data"
    setup installer "$wine_run" "$out/cointrel-$version-setup.exe" /S
    [ -x "$program/cointrel.exe" ] || fail "no program in $program"
    [ -d "$data" ] || fail "no data folder"
    "$wine_run" reg query "$uninstall" /v DisplayVersion </dev/null 2>/dev/null | tr -d '\r' |
        grep -qxF "    DisplayVersion    REG_SZ    $version" || fail "no Add/Remove Programs entry"
    setup "start from the shortcut" "$wine_run" start "$winhome\\$shortcut"
    check wait-window 10000
    check close-wait 10000
    [ -f "$data/acts.txt" ] || fail "the activities file is not in the data folder"
    [ ! -e "$program/acts.txt" ] || fail "the activities file is in the program folder"
    setup uninstaller "$wine_run" "$program/uninstall.exe" /S
    # The uninstaller goes on from a copy of itself after returning; removing the folder is the
    # last thing it does.
    local i
    for i in $(seq 300); do
        [ -e "$program" ] || break
        sleep 0.1
    done
    [ ! -e "$program" ] || fail "the program folder is still there: $(ls "$program")"
    [ ! -e "$home/$(tr '\\' / <<<"$shortcut")" ] || fail "the shortcut is still there"
    [ -f "$data/acts.txt" ] || fail "the data folder went with the program"
    expect_eq "$(reg_count)" 18 "the settings stay"
}

# Waits up to five seconds for the title to be TITLE.
title_soon() {
    local i
    for i in $(seq 50); do
        [ "$(drive title)" == "$1" ] && return 0
        sleep 0.1
    done
    fail "title: got '$(drive title)', expected '$1'"
}
visible() { drive geometry | cut -d' ' -f8; }

notification_icon() {
    reg_clear
    reg_set HideWhenMinimised REG_BINARY 01000000
    start_app
    # Minimised, it goes off the taskbar behind its icon; a click on the icon brings it back.
    check syscommand 61472  # SC_MINIMIZE
    expect_eq "$(visible)" 0 "shown once minimised behind the icon"
    check icon 0x400  # NIN_SELECT
    check wait-window 5000
    local width height
    read -r _ _ _ _ width height _ < <(drive geometry)
    expect_eq "$width x $height" "306 x 45" "client area once restored"
    # Its menu: the activities, then Summary, Options and Exit. Down three times: Lunch.
    check icon 0x7B  # WM_CONTEXTMENU
    check menu-keys 5000 0x28 0x28 0x28 0x0D
    title_soon "Lunch - Cointrel"
    check icon 0x7B
    check menu-keys 5000 0x26 0x0D  # Up: the last item, Exit
    ended_within "$APP_PID" 30 || fail "cointrel.exe did not exit from the icon's menu"
    wait "$APP_PID" || fail "cointrel.exe exited with $?"
    APP_PID=
    expect_eq "$(reg_value CurrentActivity)" "REG_SZ Lunch" "the activity picked from the icon"
    expect_eq "$(reg_value NotificationIcon) $(reg_value HideWhenMinimised)" \
        "REG_BINARY 01000000 REG_BINARY 01000000" "the icon's switches"
    # Without the icon, minimised stays on the taskbar: nothing else would bring it back.
    reg_set NotificationIcon REG_BINARY 00000000
    start_app
    check syscommand 61472
    expect_eq "$(visible)" 1 "shown once minimised without an icon"
    stop_app
}

. "$here/bad_inputs.sh"

"$scenario"
echo "PASS ($scenario)"
