#!/usr/bin/env bash
# Load speed of the datasheet loader (dsbench) beside cat and grep -c on
# generated datasheet files of about 13 MB and 130 MB, and its peak memory
# on one of 530 MB; then the type reload, the point-radius search, the save
# and the merge on a file of 100,000 stations; then printing 10,000 and
# 100,000 list lines into a PDF file (dsprintbench: time and peak memory);
# the ITEMPICK saves and joins beside an awk extraction of the same values,
# Morvane's join and splits, the plot's scene build on the 100,000 stations
# as results lines; last, Pellorin's UPDATE loads and Commit.
#
# Usage: bench/bench.sh BUILD_DIR
#
# Every time is the best of several runs after one cat has put the file in
# the page cache. An operation and the floor it is set beside run in turns
# (paired), so that a machine that gets busier slows both. dsbench reports
# its own time as "seconds=<float>" on its last line; without that line the
# whole command is timed. MB are MiB. Each check prints its figure and its
# floor or limit. The environment's DS_LINE_BITS (avx2, plain) makes every
# program run take that narrower vector way to mark line ends.
# Exit status 1 when a check fails or dsbench fails, 2 on bad usage.
set -euo pipefail
export LC_ALL=C

if [[ $# -ne 1 ]]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
dsgen=$build/bench/dsgen
dsbench=$build/bench/dsbench
for tool in "$dsgen" "$dsbench" "$build/bench/dsprintbench"; do
    if [[ ! -x $tool ]]; then
        echo "bench: $tool not found; build first" >&2
        exit 2
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/dsbench.XXXXXX")
trap 'rm -rf "$work"' EXIT

header='^1        Quarndale Geomark Bureau'

# Seconds between two EPOCHREALTIME readings.
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.6f", b - a }'; }
smaller() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b + 0 < a + 0) ? b : a }'; }
mbps() { awk -v bytes="$1" -v s="$2" 'BEGIN { if (s <= 0) print "inf"; else printf "%.1f", bytes / 1048576 / s }'; }

# Wall time of one run of a command with its output sent to a sink.
# grep's output goes to a file: GNU grep stops at the first match when its
# output is /dev/null, which would time nothing.
time_once() {
    local sink=$1 t0 t1
    shift
    t0=$EPOCHREALTIME
    "$@" > "$sink"
    t1=$EPOCHREALTIME
    elapsed "$t0" "$t1"
}

# Best wall time of three runs.
best_time() {
    local best=""
    for _ in 1 2 3; do
        best=$(smaller "$best" "$(time_once "$@")")
    done
    echo "$best"
}

# One run of dsbench (or of $runner) with the given arguments: its own
# "seconds=" figure; fails when it does.
load_once() {
    local t0 t1 out seconds
    t0=$EPOCHREALTIME
    if ! out=$("${runner:-$dsbench}" "$@" 2>&1); then
        echo "bench: ${runner:-dsbench} failed on $*:" >&2
        printf '%s\n' "$out" >&2
        return 1
    fi
    t1=$EPOCHREALTIME
    seconds=$(printf '%s\n' "$out" | tail -n 1 | sed -n 's/^seconds=//p')
    [[ -n $seconds ]] || seconds=$(elapsed "$t0" "$t1")
    echo "$seconds"
}

# Best time of three runs of dsbench (or of $runner).
best_load() {
    local best="" seconds
    for _ in 1 2 3; do
        seconds=$(load_once "$@") || return 1
        best=$(smaller "$best" "$seconds")
    done
    echo "$best"
}

# Paired runs: grep -c of the header lines of FILE and dsbench (or
# $runner) with the given arguments, in turns, five times; sets grep_best
# and load_best (empty when dsbench fails).
paired_with_grep() { # paired_with_grep FILE ARGS...
    local file=$1 seconds
    shift
    grep_best="" load_best=""
    for _ in 1 2 3 4 5; do
        grep_best=$(smaller "$grep_best" "$(time_once "$work/grep.out" grep -c "$header" "$file")")
        if ! seconds=$(load_once "$@"); then
            load_best=""
            return 1
        fi
        load_best=$(smaller "$load_best" "$seconds")
    done
}

failed=0
check() { # check VERDICT TEXT
    if [[ $1 == 1 ]]; then echo "PASS  $2"; else echo "FAIL  $2"; failed=1; fi
}
# check_figure TEXT FIGURE at-least|at-most LIMIT: the check of a figure,
# printed with the figure and its floor (at-least) or limit (at-most).
check_figure() {
    local ok
    ok=$(awk -v v="$2" -v h="$3" -v l="$4" 'BEGIN {
        if (v == "" || v == "inf" || v == "n/a") { print 0; exit }
        print (h == "at-least" ? v + 0 >= l + 0 : v + 0 <= l + 0) ? 1 : 0 }')
    check "$ok" "$1: $2 ($3 $4)"
}
# Speed of an operation against its floor: floor time / operation time
# (1 is as fast as the floor, 0.5 half as fast).
speed() { awk -v f="$1" -v t="$2" 'BEGIN { if (t <= 0 || f == "" || t == "") print "n/a"; else printf "%.2f", f / t }'; }
# Time of the larger run over the smaller one.
growth() { awk -v a="$1" -v b="$2" 'BEGIN { if (a <= 0 || a == "" || b == "") print "inf"; else printf "%.2f", b / a }'; }

sizes=(13 130)
declare -A bytes stations cat_s grep_s load_s
load_ok=1
for mb in "${sizes[@]}"; do
    file=$work/ds_${mb}mb.dat
    "$dsgen" --size-mb "$mb" --seed 1 -o "$file" 2> /dev/null
    bytes[$mb]=$(wc -c < "$file")
    cat "$file" > /dev/null
    stations[$mb]=$(grep -c "$header" "$file")
    cat_s[$mb]=$(best_time /dev/null cat "$file")
    if paired_with_grep "$file" "$file"; then
        load_s[$mb]=$load_best
    else
        load_s[$mb]=""
        load_ok=0
    fi
    grep_s[$mb]=$grep_best
done

# The line reader's vector way (DS_LINE_BITS may force a narrower one), so
# that the figures can be read against the machine.
line_bits=$("$dsbench" "$work/ds_13mb.dat" 2> /dev/null | sed -n 's/^line_bits=//p') || true
echo "line reader's vector way: ${line_bits:-unknown}${DS_LINE_BITS:+ (DS_LINE_BITS=$DS_LINE_BITS)}"
printf '%-7s %9s %9s %10s %12s %10s %10s\n' file MB stations "cat MB/s" "grep -c MB/s" "load MB/s" "load s"
for mb in "${sizes[@]}"; do
    load_rate=n/a
    [[ -z ${load_s[$mb]} ]] || load_rate=$(mbps "${bytes[$mb]}" "${load_s[$mb]}")
    printf '%-7s %9.1f %9d %10s %12s %10s %10s\n' "${mb}MB" "$(awk -v b="${bytes[$mb]}" 'BEGIN { print b / 1048576 }')" \
        "${stations[$mb]}" "$(mbps "${bytes[$mb]}" "${cat_s[$mb]}")" "$(mbps "${bytes[$mb]}" "${grep_s[$mb]}")" \
        "$load_rate" "${load_s[$mb]:-n/a}"
done

if [[ $load_ok == 1 ]]; then
    check_figure "load of 130 MB, speed against grep -c (paired)" "$(speed "${grep_s[130]}" "${load_s[130]}")" \
        at-least 0.6
    check_figure "load of 130 MB, time against 13 MB" "$(growth "${load_s[13]}" "${load_s[130]}")" at-most 11
else
    check 0 "load of 130 MB against grep -c (dsbench failed)"
fi
file=$work/ds_530mb.dat
"$dsgen" --size-mb 530 --seed 1 -o "$file" 2> /dev/null
if out=$("$dsbench" "$file" 2>&1); then
    peak=$(printf '%s\n' "$out" | sed -n 's/^peak_kb=//p')
    check_figure "load of 530 MB ($(printf '%s\n' "$out" | sed -n 's/^stations=//p') stations), peak memory MiB" \
        "$(awk -v k="$peak" 'BEGIN { printf "%.1f", k / 1024 }')" at-most 50
else
    printf '%s\n' "$out" >&2
    check 0 "load of 530 MB, peak memory (dsbench failed)"
fi
rm -f "$file"

# Searches on a whole state: 100,000 stations.
file=$work/ds_100k.dat
"$dsgen" --stations 100000 --seed 1 -o "$file" 2> /dev/null
big=$(wc -c < "$file")
cat "$file" > /dev/null
big_cat=$(best_time /dev/null cat "$file")
echo
if paired_with_grep "$file" type H-0 "$file"; then
    big_grep=$grep_best
    printf '100,000 stations, %.1f MB: cat %s MB/s, grep -c %s MB/s\n' "$(awk -v b="$big" 'BEGIN { print b / 1048576 }')" \
        "$(mbps "$big" "$big_cat")" "$(mbps "$big" "$big_grep")"
    echo "type reload \"Only Horizontal Control\": $load_best s, $(mbps "$big" "$load_best") MB/s"
    check_figure "type reload, speed against grep -c (paired)" "$(speed "$big_grep" "$load_best")" at-least 0.33
else
    big_grep=$(best_time "$work/grep.out" grep -c "$header" "$file")
    check 0 "type reload against grep -c (dsbench failed)"
fi
for code in X-0 H-0; do
    if radius_s=$(best_load radius "$code" "$file"); then
        echo "point-radius search, 99.9 miles, type $code: $radius_s s"
    else
        check 0 "point-radius search, type $code (dsbench failed)"
    fi
done

# Save As of the whole list as datasheet text, and Merge/Replace of 10,000
# stations (about half of them new) into a copy of the 100,000-station file.
# Both flush what they write to the disk before they replace the target, so
# they are set beside a copy that is flushed too (dd conv=fsync); the merge
# reads both files and writes the target: beside such a copy of both files.
part=$work/ds_10k.dat
"$dsgen" --stations 10000 --seed 2 --pid-prefix QJ --first-pid 5001 -o "$part" 2> /dev/null
cat "$part" > /dev/null
synced_copy() { rm -f "$2"; dd if="$1" of="$2" bs=1M conv=fsync status=none; }
part_cp=$(best_time /dev/null synced_copy "$part" "$work/cp.out")
big_cp=$(best_time /dev/null synced_copy "$file" "$work/cp.out")
rm -f "$work/cp.out"
echo "copy flushed to the disk (dd conv=fsync) of the 100,000-station file: $big_cp s; of the 10,000-station file: $part_cp s"
if save_s=$(best_load save "$file" "$work/saved.dat"); then
    echo "save 100,000 stations as datasheet text: $save_s s, $(mbps "$big" "$save_s") MB/s"
    check_figure "save, speed against a flushed copy" "$(speed "$big_cp" "$save_s")" at-least 0.25
else
    check 0 "save at least a quarter as fast as a flushed copy (dsbench failed)"
fi
rm -f "$work/saved.dat"
merge_best=""
merge_ok=1
for _ in 1 2 3; do
    cp "$file" "$work/target.dat"
    # dsdata0.bak is made in the current directory.
    if ! out=$(cd "$work" && "$dsbench" merge "$part" "$work/target.dat" 2>&1); then
        printf '%s\n' "$out" >&2
        merge_ok=0
        break
    fi
    merge_s=$(printf '%s\n' "$out" | sed -n 's/^seconds=//p')
    [[ -n $merge_s ]] || { merge_ok=0; break; }
    merge_best=$(smaller "$merge_best" "$merge_s")
done
rm -f "$work/target.dat"
if [[ $merge_ok == 1 ]]; then
    echo "merge 10,000 stations into 100,000: $merge_best s"
    check_figure "merge, speed against a flushed copy of both files" \
        "$(speed "$(awk -v a="$big_cp" -v b="$part_cp" 'BEGIN { print a + b }')" "$merge_best")" at-least 0.25
else
    check 0 "merge at least a quarter as fast as a flushed copy of both files (dsbench failed)"
fi

# The memo and the list view with many lines (offscreen): the time grows no
# faster than the lines, within a margin for a busy machine.
viewbench=$build/bench/viewbench
echo
if [[ -x $viewbench ]] && figures=$("$viewbench" 2> /dev/null); then
    figure() { printf '%s\n' "$figures" | sed -n "s/^$1=//p"; }
    echo "memo, lines of 80 (set, read back, select the last): 5,000 $(figure memo_5000) s; 50,000 $(figure memo_50000) s"
    echo "list view, lines of 80 (assign, show the end, two jumps): 100,000 $(figure list_100000) s;" \
        "1,000,000 $(figure list_1000000) s"
    # At most 15 times the time, and 50 ms for a busy machine.
    ratio_ok() { awk -v a="$1" -v b="$2" 'BEGIN { print (b <= 15 * a + 0.05) ? 1 : 0 }'; }
    check "$(ratio_ok "$(figure memo_5000)" "$(figure memo_50000)")" \
        "memo, 10x the lines: $(growth "$(figure memo_5000)" "$(figure memo_50000)")x the time (at most 15x + 0.05 s)"
    check "$(ratio_ok "$(figure list_100000)" "$(figure list_1000000)")" \
        "list view, 10x the lines: $(growth "$(figure list_100000)" "$(figure list_1000000)")x the time (at most 15x + 0.05 s)"
else
    check 0 "memo and list view figures (viewbench failed)"
fi

# Printing 10,000 and 100,000 list lines into a PDF file (offscreen): the
# page printer streams, so the peak memory stays flat.
dsprintbench=$build/bench/dsprintbench
declare -A print_s print_kb
print_ok=1
echo
printf '%-14s %10s %14s %8s\n' "print lines" seconds "peak memory MB" pages
for lines in 10000 100000; do
    best="" peak=""
    for _ in 1 2 3; do
        if ! out=$("$dsprintbench" "$lines" "$work/print.pdf" 2>&1); then
            printf '%s\n' "$out" >&2
            print_ok=0
            break 2
        fi
        best=$(smaller "$best" "$(printf '%s\n' "$out" | sed -n 's/^seconds=//p')")
        peak=$(printf '%s\n' "$out" | sed -n 's/^peak_kb=//p')
    done
    print_s[$lines]=$best
    print_kb[$lines]=$peak
    pages=n/a
    command -v pdfinfo > /dev/null && pages=$(pdfinfo "$work/print.pdf" 2> /dev/null | awk '/^Pages:/ { print $2 }')
    printf '%-14s %10s %14.1f %8s\n' "$lines" "$best" "$(awk -v k="$peak" 'BEGIN { print k / 1024 }')" "$pages"
    rm -f "$work/print.pdf"
done
if [[ $print_ok == 1 ]]; then
    mem_ratio=$(awk -v a="${print_kb[10000]}" -v b="${print_kb[100000]}" 'BEGIN { printf "%.2f", b / a }')
    time_ratio=$(awk -v a="${print_s[10000]}" -v b="${print_s[100000]}" 'BEGIN { if (a <= 0) print "inf"; else printf "%.2f", b / a }')
    check_figure "print 100,000 lines, peak memory against 10,000" "$mem_ratio" at-most 1.25
    check_figure "print 100,000 lines, time against 10,000" "$time_ratio" at-most 13
else
    check 0 "print 10,000 and 100,000 lines into a PDF file (dsprintbench failed)"
fi

# ITEMPICK output on the 13 MB and 130 MB files: Kavro's save of every
# station with a dozen single values ("save"), with ALL HISTORY and RECOVERY
# TEXT ("lines"), and Morvane's ITEMPICK join ("join"); each set beside what
# a user would run instead, an awk extraction of the same values
# (bench/itempick_save.awk, bench/itempick_lines.awk) over the same file,
# paired, best of five (a run of 0.02 s is at the mercy of a busy moment);
# and the 130 MB time beside the 13 MB time.
itempickbench=$build/bench/itempickbench
itempick_once() { # mode file out
    local out seconds
    if ! out=$("$itempickbench" "$@" 2>&1); then
        printf '%s\n' "$out" >&2
        return 1
    fi
    seconds=$(printf '%s\n' "$out" | tail -n 1 | sed -n 's/^seconds=//p')
    [[ -n $seconds ]] || return 1
    echo "$seconds"
}
if [[ -x $itempickbench ]]; then
    echo
    for mode in save lines join; do
        script=$here/itempick_lines.awk
        [[ $mode != save ]] || script=$here/itempick_save.awk
        declare -A item_s=() awk_s=()
        ok=1
        for mb in "${sizes[@]}"; do
            item_s[$mb]="" awk_s[$mb]=""
            for _ in 1 2 3 4 5; do
                awk_s[$mb]=$(smaller "${awk_s[$mb]}" "$(time_once "$work/items.awk" awk -f "$script" "$work/ds_${mb}mb.dat")")
                if ! seconds=$(itempick_once "$mode" "$work/ds_${mb}mb.dat" "$work/items.out"); then
                    ok=0
                    break 2
                fi
                item_s[$mb]=$(smaller "${item_s[$mb]}" "$seconds")
            done
            printf 'itempick %-5s %4s MB: %s s, %s MB/s (awk %s s, %s MB/s)\n' "$mode" "$mb" "${item_s[$mb]}" \
                "$(mbps "${bytes[$mb]}" "${item_s[$mb]}")" "${awk_s[$mb]}" "$(mbps "${bytes[$mb]}" "${awk_s[$mb]}")"
        done
        rm -f "$work/items.out" "$work/items.awk"
        if [[ $ok == 0 ]]; then
            check 0 "itempick $mode (itempickbench failed)"
            continue
        fi
        check_figure "itempick $mode, 130 MB time against 13 MB" "$(growth "${item_s[13]}" "${item_s[130]}")" at-most 11
        # On the small file the fixed costs of both weigh more: the figure is shown above.
        check_figure "itempick $mode of 130 MB, speed against awk (paired)" \
            "$(speed "${awk_s[130]}" "${item_s[130]}")" at-least 1.5
    done
fi

# Morvane: the join of ten county files of 10 MB, datasheet text, any type,
# beside cp of the same ten files.
mvbench=$build/bench/mvbench
if [[ -x $mvbench ]]; then
    echo
    counties=()
    for n in 1 2 3 4 5 6 7 8 9 10; do
        county=$work/county_$n.dat
        "$dsgen" --size-mb 10 --seed "$n" --county "$(printf '%03d' "$n")" -o "$county" 2> /dev/null
        cat "$county" > /dev/null
        counties+=("$county")
    done
    all=$(cat "${counties[@]}" | wc -c)
    mkdir -p "$work/cp_dir"
    join_cp=$(best_time /dev/null cp "${counties[@]}" "$work/cp_dir/")
    rm -rf "$work/cp_dir"
    # The join flushes its output to the disk before it takes the output's
    # name, so its floor is the ten files copied into one and flushed.
    synced_join() { rm -f "$1"; shift; cat "$@" | dd of="$work/joined.cp" bs=1M conv=fsync status=none; }
    join_flushed=$(best_time /dev/null synced_join "$work/joined.cp" "${counties[@]}")
    rm -f "$work/joined.cp"
    if join_s=$(runner=$mvbench best_load join "$work/joined.dat" "${counties[@]}"); then
        echo "morvane join of 10 files, $(mbps "$all" 1) MB: $join_s s, $(mbps "$all" "$join_s") MB/s;" \
            "cp $(mbps "$all" "$join_cp") MB/s, flushed copy into one file $(mbps "$all" "$join_flushed") MB/s"
        check_figure "join, speed against a flushed copy" "$(speed "$join_flushed" "$join_s")" at-least 0.25
    else
        check 0 "join at least a quarter as fast as a flushed copy (mvbench failed)"
    fi
    rm -f "$work/joined.dat"

    # The splits, on a file of 100 counties (about 100 MB), into an empty
    # directory each time; beside cp of the file. Each run gets a directory
    # of its own, and the pieces are deleted only once every split is
    # timed: on a file system that skips recently freed inodes (ext4
    # without a journal), deleting hundreds of files makes each file created
    # soon after slower, which would time the deletion rather than the
    # split. For the same reason the runs write under the build directory,
    # not in /tmp, where tests create and delete files by the thousand. A
    # sync before each timed run keeps the previous run's 100 MB of dirty
    # pages from throttling its writes.
    make_counties() { # make_counties COUNT OUT [dsgen options]
        local count=$1 out=$2 n
        shift 2
        : > "$out"
        for ((n = 1; n <= count; n++)); do
            "$dsgen" --seed "$n" --county "$n" "$@" -o "$work/one.dat" 2> /dev/null
            cat "$work/one.dat" >> "$out"
        done
        rm -f "$work/one.dat"
    }
    runs=$(mktemp -d "$build/splitbench.XXXXXX")
    trap 'rm -rf "$work" "$runs"' EXIT
    split_file=$work/split_100.dat
    make_counties 100 "$split_file" --size-mb 1
    split_bytes=$(wc -c < "$split_file")
    cat "$split_file" > /dev/null
    split_cp=""
    for n in 1 2 3; do
        sync
        split_cp=$(smaller "$split_cp" "$(best_time /dev/null cp "$split_file" "$runs/cp_$n.out")")
    done
    echo "split file: $(mbps "$split_bytes" 1) MB, $(grep -c "$header" "$split_file") stations; cp $(mbps "$split_bytes" "$split_cp") MB/s"
    split_run() { # split_run LABEL ARGS...: best of $tries (three), each into a new directory
        local label=$1 best="" out seconds pieces i
        shift
        for ((i = 0; i < ${tries:-3}; i++)); do
            pieces=$(mktemp -d "$runs/run.XXXXXX")
            echo "$pieces" > "$runs/last"
            sync
            if ! out=$("$mvbench" "$@" "$split_file" "$pieces" 2>&1); then
                printf '%s\n' "$out" >&2
                return 1
            fi
            seconds=$(printf '%s\n' "$out" | sed -n 's/^seconds=//p')
            best=$(smaller "$best" "$seconds")
        done
        echo "$best"
    }
    # The floor of a split, measured in the same run: creating, writing and
    # renaming files of the names and sizes the last run made (best of
    # three, each into a new directory). A split of hundreds of pieces is
    # bound by the file system's work per file, which cp of one file does
    # not show.
    split_floor() {
        local best="" out seconds dir
        for _ in 1 2 3; do
            dir=$(mktemp -d "$runs/floor.XXXXXX")
            sync
            out=$("$mvbench" floor "$(cat "$runs/last")" "$dir" 2>&1) || return 1
            seconds=$(printf '%s\n' "$out" | sed -n 's/^seconds=//p')
            best=$(smaller "$best" "$seconds")
            rm -rf "$dir"
        done
        echo "$best"
    }
    split_report() { # split_report ARGS...: one split's line, and its check unless one station a piece
        local s floor
        # shellcheck disable=SC2068
        if s=$(split_run "$*" $@); then
            floor=$(split_floor) || floor=0
            floor=$(awk -v f="$floor" -v c="$split_cp" 'BEGIN { print (f + 0 > c + 0) ? f : c }')
            echo "split $*: $s s, $(mbps "$split_bytes" "$s") MB/s, $(ls "$(cat "$runs/last")" | wc -l) files" \
                "(floor: $floor s to create, write and rename them, or cp)"
            if [[ $* != "stations 1" ]]; then
                check_figure "split $*, speed against its floor" "$(speed "$floor" "$s")" at-least 0.25
            fi
        else
            check 0 "split $* (mvbench failed)"
        fi
    }
    for args in "index quad" "index county" "bytes 1.4" "lines 20000" "stations 100"; do
        # shellcheck disable=SC2086
        split_report $args
    done

    # The quad split of 100,000 stations of 100 counties against 10,000 of
    # 10, paired with coreutils split of the same files into as many pieces
    # (the time of writing hundreds of files grows with the dirty pages the
    # machine holds, for both alike); each the best of five, as a run of a
    # few hundredths of a second is at the mercy of a busy moment. Then the
    # quad split of 100,000 stations onto the pieces it made (Add): beside a
    # fresh split and a flushed copy of the kept pieces' bytes, in turns.
    declare -A quad_s coreutils_s
    main_file=$split_file
    coreutils_split() { # coreutils_split PIECES FILE: best of $tries (three), each into a new directory
        local best="" dir t i
        for ((i = 0; i < ${tries:-3}; i++)); do
            dir=$(mktemp -d "$runs/coreutils.XXXXXX")
            sync
            t=$(time_once /dev/null split -n "$1" -a 4 "$2" "$dir/x")
            best=$(smaller "$best" "$t")
        done
        echo "$best"
    }
    add_s="" add_fresh="" add_copy="" add_pieces=0
    for counties in 10 100; do
        split_file=$work/quad_$counties.dat
        make_counties "$counties" "$split_file" --stations 1000
        cat "$split_file" > /dev/null
        quad_s[$counties]=$(tries=5 split_run quad index quad) || quad_s[$counties]=""
        if [[ -n ${quad_s[$counties]} ]]; then
            kept=$(cat "$runs/last")
            pieces=$(ls "$kept" | wc -l)
            coreutils_s[$counties]=$(tries=5 coreutils_split "$pieces" "$split_file")
            echo "quad split of $((counties * 1000)) stations: ${quad_s[$counties]} s, $pieces pieces;" \
                "coreutils split into as many: ${coreutils_s[$counties]} s"
        fi
        if [[ $counties == 100 && -n ${quad_s[100]} ]]; then
            # In rounds, each in the same state of the disk and its cache:
            # a fresh split into a new directory, a flushed copy of the
            # pieces it made, and the split onto a copy of those pieces;
            # the best of each.
            add_pieces=$pieces
            kept_copy() { rm -f "$runs/kept.cp"; cat "$1"/* | dd of="$runs/kept.cp" bs=1M conv=fsync status=none; }
            quad_into() { # quad_into DIR: the quad split's seconds into DIR
                local out
                if ! out=$("$mvbench" index quad "$split_file" "$1" 2>&1); then
                    printf '%s\n' "$out" >&2
                    return 1
                fi
                printf '%s\n' "$out" | sed -n 's/^seconds=//p'
            }
            for _ in 1 2 3; do
                fresh=$(mktemp -d "$runs/fresh.XXXXXX")
                sync
                seconds=$(quad_into "$fresh") || { add_s=""; break; }
                add_fresh=$(smaller "$add_fresh" "$seconds")
                sync
                add_copy=$(smaller "$add_copy" "$(time_once /dev/null kept_copy "$fresh")")
                rm -f "$runs/kept.cp"
                onto=$(mktemp -d "$runs/add.XXXXXX")
                cp -p "$fresh"/* "$onto"/
                sync
                seconds=$(quad_into "$onto") || { add_s=""; break; }
                add_s=$(smaller "$add_s" "$seconds")
            done
        fi
        rm -f "$split_file"
    done
    if [[ -n ${quad_s[10]} && -n ${quad_s[100]} ]]; then
        quad_growth=$(growth "${quad_s[10]}" "${quad_s[100]}")
        coreutils_growth=$(growth "${coreutils_s[10]}" "${coreutils_s[100]}")
        echo "quad split, 100,000 stations against 10,000: ${quad_growth}x; coreutils split: ${coreutils_growth}x"
        check_figure "quad split, growth from 10,000 to 100,000 stations against coreutils split's (paired)" \
            "$(awk -v q="$quad_growth" -v c="$coreutils_growth" 'BEGIN { if (c <= 0 || q == "inf") print "inf"; else printf "%.2f", q / c }')" \
            at-most 1.6
    else
        check 0 "quad split of 100,000 stations against 10,000 (mvbench failed)"
    fi
    if [[ -n $add_s ]]; then
        echo "quad split of 100,000 stations onto its $add_pieces kept pieces (Add): $add_s s;" \
            "fresh split $add_fresh s, flushed copy of the kept pieces' bytes $add_copy s"
        check_figure "quad split onto kept pieces, time against a fresh split and a flushed copy of their bytes" \
            "$(awk -v a="$add_s" -v f="$add_fresh" -v c="$add_copy" 'BEGIN { printf "%.2f", a / (f + c) }')" at-most 1.5
    else
        check 0 "quad split onto kept pieces (mvbench failed)"
    fi

    # One station a piece (some 30,000 files), reported only; last, since
    # it makes the most files.
    split_file=$main_file
    split_report stations 1
    rm -rf "$runs" "$split_file"
fi

# The plot of 100,000 results lines: the scene build is linear and well
# under a frame (16.7 ms at 60 Hz).
plotbench=$build/bench/plotbench
if [[ -x $plotbench ]] && out=$("$plotbench" "$file" 2>&1); then
    plot_all=$(printf '%s\n' "$out" | sed -n 's/^seconds=//p')
    plot_tenth=$(printf '%s\n' "$out" | sed -n 's/^tenth_seconds=//p')
    plot_centre=$(printf '%s\n' "$out" | sed -n 's/^centre_seconds=//p')
    plot_ratio=$(awk -v a="$plot_tenth" -v b="$plot_all" 'BEGIN { if (a <= 0) print "inf"; else printf "%.2f", b / a }')
    echo "plot scene of 100,000 results lines: $plot_all s (10,000: $plot_tenth s, ratio $plot_ratio); centre search $plot_centre s"
    check_figure "plot scene of 100,000 lines, time against 10,000" "$plot_ratio" at-most 15
    check_figure "plot scene of 100,000 lines, seconds (half a frame)" "$plot_all" at-most 0.008
else
    printf '%s\n' "${out:-plotbench not built}" >&2
    check 0 "plot scene of 100,000 lines (plotbench failed)"
fi

# Pellorin: UPDATE's three loads and Commit of the 10,000-station file (about
# half of it new) into a copy of the 100,000-station file, with its backup.
plbench=$build/bench/plbench
if [[ -x $plbench ]]; then
    echo
    part_grep=$(best_time "$work/grep.out" grep -c "$header" "$part")
    if update_s=$(runner=$plbench best_load load "$file" "$part"); then
        echo "Pellorin UPDATE, three loads: $update_s s (grep -c of both files: $big_grep + $part_grep s)"
        check_figure "Pellorin's loads, speed against grep -c of both files" \
            "$(speed "$(awk -v a="$big_grep" -v b="$part_grep" 'BEGIN { print a + b }')" "$update_s")" at-least 0.33
    else
        check 0 "Pellorin's loads at least a third as fast as grep -c on both files (plbench failed)"
    fi
    commit_best=""
    commit_ok=1
    mkdir -p "$work/plwork"
    for _ in 1 2 3; do
        cp "$file" "$work/old.dat"
        if ! out=$("$plbench" commit "$work/old.dat" "$part" "$work/plwork" 2>&1); then
            printf '%s\n' "$out" >&2
            commit_ok=0
            break
        fi
        commit_s=$(printf '%s\n' "$out" | sed -n 's/^seconds=//p')
        commit_best=$(smaller "$commit_best" "$commit_s")
    done
    rm -rf "$work/old.dat" "$work/plwork"
    if [[ $commit_ok == 1 ]]; then
        echo "Pellorin Commit, 10,000 stations into 100,000, with backup: $commit_best s"
        check_figure "Pellorin's Commit, speed against a flushed copy of both files" \
            "$(speed "$(awk -v a="$big_cp" -v b="$part_cp" 'BEGIN { print a + b }')" "$commit_best")" at-least 0.25
    else
        check 0 "Pellorin's Commit at least a quarter as fast as a flushed copy of both files (plbench failed)"
    fi
fi
exit "$failed"
