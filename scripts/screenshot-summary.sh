#!/usr/bin/env bash
# Makes docs/summary.png: the Summary of a made-up fortnight ending today, cut to the dialog. Uses
# the Windows build in build/windows (scripts/test.sh makes it) and a Wine session of its own.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${COINTREL_BUILD_DIR:-$root/build}
exe=$build/windows/cointrel.exe
driver=$build/windows/tests/driver.exe
[ -x "$exe" ] && [ -x "$driver" ] || { echo "Build first: $exe, $driver" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "xdotool is needed: apt-get install xdotool" >&2; exit 1; }

. "$root/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$build/screenshot"
wine_run=$root/scripts/wine-run
folder=$build/screenshot/folder
mkdir -p "$folder"

# Weekdays of work at 25 an hour, a lunch each, nothing at the weekend; today half done.
perl -e 'use POSIX qw(strftime);
    print "date,start,end,activity,paid,seconds,hourly,earned,currency\r\n";
    for my $back (reverse 0 .. 13) {
        my @t = localtime(time - 86400 * $back);
        next if $t[6] == 0 || $t[6] == 6;
        my $day = strftime("%Y-%m-%d", @t);
        my $hours = $back == 0 ? 3 : 5 + ($back * 7 % 4);
        printf "%s,09:00:00,12:00:00,Working,1,10800,25.00,75.00,GBP\r\n", $day;
        printf "%s,12:00:00,12:45:00,Lunch,0,2700,25.00,0.00,GBP\r\n", $day if $back;
        printf "%s,12:45:00,%02d:45:00,Working,1,%d,25.00,%.2f,GBP\r\n", $day, 9 + $hours,
            ($hours - 3) * 3600, ($hours - 3) * 25 if $hours > 3;
    }' >"$folder/ledger.csv"

"$wine_run" reg add 'HKCU\Software\Marrowfen\Cointrel' /v CurrentActivity /d Lunch /f \
    </dev/null >/dev/null 2>&1
(cd "$folder" && exec "$wine_run" "$exe" </dev/null >/dev/null 2>&1) &
app=$!
"$wine_run" "$driver" wait-window 30000 </dev/null
"$wine_run" "$driver" post 11850 </dev/null
"$wine_run" "$driver" dialog-wait Summary 10000 </dev/null
sleep 1
read -r x y width height < <(xdotool search --name '^Summary$' getwindowgeometry --shell |
    sed -n 's/^[XYWIDTHEIG]*=//p' | paste -sd ' ')
import -window root -crop "${width}x${height}+${x}+${y}" +repage "$root/docs/summary.png"
"$wine_run" "$driver" dialog-click Summary 1 </dev/null
"$wine_run" "$driver" close-wait 10000 </dev/null
wait "$app" || true
echo "Wrote $root/docs/summary.png (${width}x${height})"
