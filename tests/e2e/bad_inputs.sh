# Sourced by scenarios.sh. Cointrel started on each bad input of the list below, one at a time:
# it must show its window within ten seconds and close cleanly, leave the user's files exactly
# as they were (but for a default activities file where there was none, and the ledger's new
# row), and write back only sound values. The inputs are made here rather than committed.

# A bitmap file: WIDTH HEIGHT BITS [COMPRESSION], 40-byte info header, a full palette up to 8 bits.
bmp() {
    perl -e 'my ($w, $h, $b, $c) = @ARGV; $c //= 0;
        my $colours = $b <= 8 ? 1 << $b : 0; my $stride = int(($w * $b + 31) / 32) * 4;
        my $off = 14 + 40 + 4 * $colours; my $size = $off + $stride * abs($h);
        binmode STDOUT;
        print pack("a2 V v v V", "BM", $size, 0, 0, $off),
            pack("V l< l< v v V V l< l< V V", 40, $w, $h, 1, $b, $c, $stride * abs($h), 2835,
                 2835, $colours, 0),
            "\xff\xff\xff\x00" x $colours, "\x00" x ($stride * abs($h));' "$@"
}
# Overwrites the 4 bytes at OFFSET of FILE with the little-endian VALUE.
poke32() { perl -e 'open my $f, "+<", $ARGV[0] or die; binmode $f; seek $f, $ARGV[1], 0;
    print $f pack("V", $ARGV[2]);' "$@"; }
float_bytes() { perl -e 'print join ",", map { sprintf "%02x", $_ } unpack "C4", pack "f<", $ARGV[0]' "$1"; }

# Each case writes its files into $dir and its registry values, in .reg form, to stdout.
custom_bitmap() { printf '"Currency"=hex:03,00,00,00\r\n"DigitsBitmapFile"="strip.bmp"\r\n'; }
# Cut after writing: head closing the pipe early would kill the writer with SIGPIPE.
case_bmp_truncated() {
    bmp 396 45 8 >"$dir/strip.bmp"
    truncate -s 16384 "$dir/strip.bmp"
    custom_bitmap
}
case_bmp_offset() { bmp 396 45 8 >"$dir/strip.bmp"; poke32 "$dir/strip.bmp" 10 20000; custom_bitmap; }
case_bmp_empty() { : >"$dir/strip.bmp"; custom_bitmap; }
case_bmp_1x1() { bmp 1 1 24 >"$dir/strip.bmp"; custom_bitmap; }
case_bmp_10x45() { bmp 10 45 24 >"$dir/strip.bmp"; custom_bitmap; }
case_bmp_rle() { bmp 396 45 8 1 >"$dir/strip.bmp"; custom_bitmap; }
case_bmp_lying() { bmp 396 45 8 >"$dir/strip.bmp"; poke32 "$dir/strip.bmp" 18 3960; custom_bitmap; }
case_bmp_text() { printf 'Working\r\n' >"$dir/strip.bmp"; custom_bitmap; }
case_kett_nan() { printf '"Kett"=hex:00,00,c0,7f\r\n'; }
case_kett_infinite() { printf '"Kett"=hex:00,00,80,ff\r\n"Hourly"=hex:00,00,80,7f\r\n'; }
case_kett_text() { printf '"Kett"="abc"\r\n"TopMost"=dword:00000001\r\n'; }
case_hourly_double() { printf '"Hourly"=hex:00,00,00,00,00,00,39,40\r\n'; }
case_days_denormal() { printf '"DaysPerYear"=hex:01,00,00,00\r\n'; }
case_hours_tiny() { printf '"HoursPerDay"=hex:%s\r\n"Hourly"=hex:00,00,00,00\r\n' "$(float_bytes 1e-30)"; }
case_currency_out_of_range() { printf '"Currency"=hex:07,00,00,00\r\n"Decimals"=hex:05,00,00,00\r\n'; }
case_currency_negative() { printf '"Currency"=hex:ff,ff,ff,ff\r\n"Decimals"=hex:ff,ff\r\n'; }
case_texts_unterminated() {
    printf '"LogFile"=hex(1):6c,6f,67\r\n"ActivitiesFile"=hex(1):%s\r\n' \
        "$(perl -e 'print join ",", ("61") x 256')"
}
case_texts_long() {
    printf '"CurrentActivity"="%s"\r\n"DigitsBitmapFile"="%s"\r\n' "$(printf 'w%.0s' {1..300})" \
        "$(printf 'd%.0s' {1..300})"
}
case_placement_absurd() {
    # length 44, show command 99, the normal rectangle two thousand million pixels away
    printf '"Placement"=hex:2c,00,00,00,00,00,00,00,63,00,00,00%s%s\r\n' \
        "$(printf ',ff%.0s' {1..16})" "$(printf ',00,94,35,77%.0s' {1..4})"
}
case_placement_short() { printf '"Placement"=hex:%s\r\n"TopMost"=hex:05\r\n' "$(perl -e 'print join ",", ("01") x 40')"; }
case_log_unopenable() { printf '"Logging"=hex:01,00,00,00\r\n"LogFile"="no such folder\\\\log.txt"\r\n'; }
case_acts_binary() { perl -e 'srand 7; binmode STDOUT; print map { chr int rand 256 } 1..4096' >"$dir/acts.txt"; }
case_acts_empty() { : >"$dir/acts.txt"; }
case_acts_huge() { perl -e 'print "x" x 250, "\n" for 1..20000; print "Working\n"' >"$dir/acts.txt"; }
case_acts_nul() { printf 'Wor\0king\r\n\0\r\n!Lunch\r\n' >"$dir/acts.txt"; }
case_acts_marked() { printf '\xef\xbb\xbf!Nothing in particular\r\nWorking\r\n' >"$dir/acts.txt"; }
case_acts_directory() { mkdir "$dir/acts.txt"; }
case_away_minutes_text() { printf '"AwayMinutes"="30"\r\n'; }
case_icon_switches_odd() { printf '"NotificationIcon"="no"\r\n"HideWhenMinimised"=hex:07,00\r\n"AwayMinutes"=hex:00,fc,ff,ff\r\n'; }
case_away_question_garbage() {
    printf '"AwayStretch"=hex:%s\r\n"AwayActivity"="Working"\r\n' "$(perl -e 'print join ",", ("ff") x 40')"
}
case_run_record_garbage() {
    printf '"Checkpoint"=hex:%s\r\n' "$(perl -e 'srand 5; print join ",", map { sprintf "%02x", rand 256 } 1..900')"
}
case_ledger_folder() {
    mkdir "$dir/books"
    printf '"LedgerFile"="books"\r\n'
}
case_ledger_garbage() { perl -e 'srand 9; binmode STDOUT; print map { chr int rand 256 } 1..8192' >"$dir/ledger.csv"; }

# Every value written back has its kind and size, is finite, and lies in its range.
check_saved() {
    "$wine_run" reg query "$KEY" </dev/null 2>/dev/null | tr -d '\r' | perl -e '
        my %v; while (<STDIN>) { $v{$1} = [$2, $3] if /^    (\S+)    (REG_\w+)    ?(.*)$/ }
        my @e; my $count = keys %v; push @e, "$count values" unless $count == 18;
        my %range = (Kett => [-3e38, 3e38], DaysPerYear => [0, 366], HoursPerDay => [0, 24],
                     Hourly => [0, 10000]);
        for my $n (sort keys %range) {
            my ($t, $d) = @{ $v{$n} // ["none", ""] };
            if ($t ne "REG_BINARY" || $d !~ /^[0-9A-F]{8}$/) { push @e, "$n $t $d"; next }
            my $f = unpack "f<", pack "H*", $d;
            my ($lo, $hi) = @{ $range{$n} };
            push @e, "$n $f" unless $f == $f && $f > $lo - ($n eq "Kett") && $f <= $hi;
        }
        for my $n (qw(Logging TopMost Currency Decimals)) {
            push @e, "$n @{$v{$n} // []}" unless ($v{$n}[0] // "") eq "REG_BINARY"
                && $v{$n}[1] =~ /^[0-9A-F]{8}$/;
        }
        push @e, "flags" unless "$v{Logging}[1] $v{TopMost}[1]" =~ /^0[01]000000 0[01]000000$/;
        push @e, "currency $v{Currency}[1]" unless $v{Currency}[1] =~ /^0[0-3]000000$/;
        # Negative: the question turned off, keeping its minutes.
        push @e, "minutes away @{$v{AwayMinutes} // []}"
            unless ($v{AwayMinutes}[0] // "") eq "REG_BINARY"
            && $v{AwayMinutes}[1] =~ /^[0-9A-F]{8}$/
            && abs(unpack "l<", pack "H*", $v{AwayMinutes}[1]) <= 720;
        for my $n (qw(NotificationIcon HideWhenMinimised)) {
            push @e, "$n @{$v{$n} // []}" unless ($v{$n}[0] // "") eq "REG_BINARY"
                && $v{$n}[1] =~ /^0[01]000000$/;
        }
        push @e, "placement" unless $v{Placement}[1] =~ /^2C000000[0-9A-F]{80}$/;
        for my $n (qw(ActivitiesFile LogFile CurrentActivity DigitsBitmapFile)) {
            push @e, "$n kind" unless ($v{$n}[0] // "") eq "REG_SZ";
        }
        print join("; ", @e), "\n" if @e; exit(@e ? 1 : 0);'
}

# The files but the ledger, which gains a row at every exit and is checked on its own.
files_of() { (cd "$1" && find . -type f ! -name ledger.csv -exec md5sum {} + | sort); }

bad_inputs() {
    local cases name dir before after problems
    cases=$(declare -F | sed -n 's/^declare -f case_//p')
    KEY=${KEY/HKCU/HKEY_CURRENT_USER}
    APP_WAIT_MS=10000
    for name in $cases; do
        CASE=$name
        dir=$work/$name
        APP_DIR=$dir
        mkdir -p "$dir"
        # The key cleared, then filled, in one import.
        { printf 'REGEDIT4\r\n\r\n[-%s]\r\n\r\n[%s]\r\n' "$KEY" "$KEY"; "case_$name"; } \
            >"$work/$name.reg"
        setup "reg import" "$wine_run" reg import "$(windows_path "$work/$name.reg")"
        before=$(files_of "$dir")
        local ledger=0
        [ ! -f "$dir/ledger.csv" ] || ledger=$(stat -c %s "$dir/ledger.csv")
        cp "$dir/ledger.csv" "$work/ledger.before" 2>/dev/null || true
        start_app
        stop_app
        # The ledger is only ever appended to, whatever it held.
        [ "$ledger" -eq 0 ] || cmp -s -n "$ledger" "$work/ledger.before" "$dir/ledger.csv" ||
            fail "the ledger was rewritten"
        after=$(files_of "$dir")
        if ! grep -q 'acts.txt$' <<<"$before"; then
            after=$(grep -v ' \./acts\.txt$' <<<"$after" || true)
        fi
        [ "$before" == "$after" ] || fail "the user's files changed"
        problems=$(check_saved) || fail "saved $problems"
    done
    CASE= APP_DIR=
}
