#!/usr/bin/env bash
# Load speed of the datasheet loader (dsbench) beside cat and grep -c on
# generated datasheet files of about 10 MB and 100 MB; then the type reload,
# the point-radius search, the save and the merge on a file of 100,000
# stations; then Pellorin's UPDATE loads and Commit.
#
# Usage: bench/bench.sh BUILD_DIR
#
# Every time is the best of 3 runs after one cat has put the file in the page
# cache. dsbench reports its own load time as "seconds=<float>" on its last
# line; without that line the whole command is timed. MB are MiB.
# Exit status 1 when a check fails or dsbench fails, 2 on bad usage.
set -euo pipefail
export LC_ALL=C

if [[ $# -ne 1 ]]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
dsgen=$build/bench/dsgen
dsbench=$build/bench/dsbench
for tool in "$dsgen" "$dsbench"; do
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

# Best wall time of three runs of a command with its output sent to a sink.
# grep's output goes to a file: GNU grep stops at the first match when its
# output is /dev/null, which would time nothing.
best_time() {
    local sink=$1 best="" t0 t1
    shift
    for _ in 1 2 3; do
        t0=$EPOCHREALTIME
        "$@" > "$sink"
        t1=$EPOCHREALTIME
        best=$(smaller "$best" "$(elapsed "$t0" "$t1")")
    done
    echo "$best"
}

# Best time of three runs of dsbench (or of $runner) with the given arguments
# (its own "seconds=" figure); fails when it does.
best_load() {
    local best="" t0 t1 out seconds
    for _ in 1 2 3; do
        t0=$EPOCHREALTIME
        if ! out=$("${runner:-$dsbench}" "$@" 2>&1); then
            echo "bench: ${runner:-dsbench} failed on $*:" >&2
            printf '%s\n' "$out" >&2
            return 1
        fi
        t1=$EPOCHREALTIME
        seconds=$(printf '%s\n' "$out" | tail -n 1 | sed -n 's/^seconds=//p')
        [[ -n $seconds ]] || seconds=$(elapsed "$t0" "$t1")
        best=$(smaller "$best" "$seconds")
    done
    echo "$best"
}

sizes=(10 100)
declare -A bytes stations cat_s grep_s load_s
load_ok=1
for mb in "${sizes[@]}"; do
    file=$work/ds_${mb}mb.dat
    "$dsgen" --size-mb "$mb" --seed 1 -o "$file" 2> /dev/null
    bytes[$mb]=$(wc -c < "$file")
    cat "$file" > /dev/null
    stations[$mb]=$(grep -c "$header" "$file")
    cat_s[$mb]=$(best_time /dev/null cat "$file")
    grep_s[$mb]=$(best_time "$work/grep.out" grep -c "$header" "$file")
    if ! load_s[$mb]=$(best_load "$file"); then
        load_s[$mb]=""
        load_ok=0
    fi
done

printf '%-7s %9s %9s %10s %12s %10s %10s\n' file MB stations "cat MB/s" "grep -c MB/s" "load MB/s" "load s"
for mb in "${sizes[@]}"; do
    load_rate=n/a
    [[ -z ${load_s[$mb]} ]] || load_rate=$(mbps "${bytes[$mb]}" "${load_s[$mb]}")
    printf '%-7s %9.1f %9d %10s %12s %10s %10s\n' "${mb}MB" "$(awk -v b="${bytes[$mb]}" 'BEGIN { print b / 1048576 }')" \
        "${stations[$mb]}" "$(mbps "${bytes[$mb]}" "${cat_s[$mb]}")" "$(mbps "${bytes[$mb]}" "${grep_s[$mb]}")" \
        "$load_rate" "${load_s[$mb]:-n/a}"
done

failed=0
check() { # verdict text
    if [[ $1 == 1 ]]; then echo "PASS  $2"; else echo "FAIL  $2"; failed=1; fi
}

if [[ $load_ok == 1 ]]; then
    ratio=$(awk -v a="${load_s[10]}" -v b="${load_s[100]}" 'BEGIN { if (a <= 0) print "inf"; else printf "%.2f", b / a }')
    echo "load time ratio 100MB / 10MB: $ratio"
    half=1
    for mb in "${sizes[@]}"; do
        # Rates compare as bytes per second: load / load_s >= 0.5 * bytes / grep_s.
        ok=$(awk -v l="${load_s[$mb]}" -v g="${grep_s[$mb]}" 'BEGIN { print (l <= 2 * g) ? 1 : 0 }')
        [[ $ok == 1 ]] || half=0
    done
    check "$half" "load at least half as fast as grep -c (both sizes)"
    check "$(awk -v r="$ratio" 'BEGIN { print (r != "inf" && r <= 11) ? 1 : 0 }')" \
        "100 MB load time at most 11x the 10 MB time (${ratio}x)"
else
    check 0 "load at least half as fast as grep -c (dsbench failed)"
    check 0 "100 MB load time at most 11x the 10 MB time (dsbench failed)"
fi

# Searches on a whole state: 100,000 stations.
file=$work/ds_100k.dat
"$dsgen" --stations 100000 --seed 1 -o "$file" 2> /dev/null
big=$(wc -c < "$file")
cat "$file" > /dev/null
big_cat=$(best_time /dev/null cat "$file")
big_grep=$(best_time "$work/grep.out" grep -c "$header" "$file")
echo
printf '100,000 stations, %.1f MB: cat %s MB/s, grep -c %s MB/s\n' "$(awk -v b="$big" 'BEGIN { print b / 1048576 }')" \
    "$(mbps "$big" "$big_cat")" "$(mbps "$big" "$big_grep")"
if type_s=$(best_load type H-0 "$file"); then
    echo "type reload \"Only Horizontal Control\": $type_s s, $(mbps "$big" "$type_s") MB/s"
    check "$(awk -v t="$type_s" -v g="$big_grep" 'BEGIN { print (t <= 3 * g) ? 1 : 0 }')" \
        "type reload at least a third as fast as grep -c"
else
    check 0 "type reload at least a third as fast as grep -c (dsbench failed)"
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
# The merge reads both files and writes the target: it is set beside cp of
# both files.
part=$work/ds_10k.dat
"$dsgen" --stations 10000 --seed 2 --pid-prefix QJ --first-pid 5001 -o "$part" 2> /dev/null
cat "$part" > /dev/null
part_cp=$(best_time /dev/null cp "$part" "$work/cp.out")
big_cp=$(best_time /dev/null cp "$file" "$work/cp.out")
rm -f "$work/cp.out"
echo "cp of the 100,000-station file: $big_cp s; of the 10,000-station file: $part_cp s"
if save_s=$(best_load save "$file" "$work/saved.dat"); then
    echo "save 100,000 stations as datasheet text: $save_s s, $(mbps "$big" "$save_s") MB/s"
    check "$(awk -v s="$save_s" -v c="$big_cp" 'BEGIN { print (s <= 4 * c) ? 1 : 0 }')" \
        "save at least a quarter as fast as cp"
else
    check 0 "save at least a quarter as fast as cp (dsbench failed)"
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
    check "$(awk -v m="$merge_best" -v a="$big_cp" -v b="$part_cp" 'BEGIN { print (m <= 4 * (a + b)) ? 1 : 0 }')" \
        "merge at least a quarter as fast as cp of both files"
else
    check 0 "merge at least a quarter as fast as cp of both files (dsbench failed)"
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
    if join_s=$(runner=$mvbench best_load join "$work/joined.dat" "${counties[@]}"); then
        echo "morvane join of 10 files, $(mbps "$all" 1) MB: $join_s s, $(mbps "$all" "$join_s") MB/s; cp $(mbps "$all" "$join_cp") MB/s"
        check "$(awk -v j="$join_s" -v c="$join_cp" 'BEGIN { print (j <= 4 * c) ? 1 : 0 }')" \
            "join at least a quarter as fast as cp"
    else
        check 0 "join at least a quarter as fast as cp (mvbench failed)"
    fi
    rm -f "$work/joined.dat"

    # The splits, on a file of 100 counties (about 100 MB), into an empty
    # directory each time; beside cp of the file.
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
    split_file=$work/split_100.dat
    make_counties 100 "$split_file" --size-mb 1
    split_bytes=$(wc -c < "$split_file")
    cat "$split_file" > /dev/null
    split_cp=$(best_time /dev/null cp "$split_file" "$work/cp.out")
    rm -f "$work/cp.out"
    echo "split file: $(mbps "$split_bytes" 1) MB, $(grep -c "$header" "$split_file") stations; cp $(mbps "$split_bytes" "$split_cp") MB/s"
    split_run() { # split_run LABEL ARGS...: best of three into a fresh directory
        local label=$1 best="" out seconds
        shift
        for _ in 1 2 3; do
            rm -rf "$work/pieces"
            mkdir "$work/pieces"
            if ! out=$("$mvbench" "$@" "$split_file" "$work/pieces" 2>&1); then
                printf '%s\n' "$out" >&2
                return 1
            fi
            seconds=$(printf '%s\n' "$out" | sed -n 's/^seconds=//p')
            best=$(smaller "$best" "$seconds")
        done
        echo "$best"
    }
    for args in "index quad" "index county" "bytes 1.4" "lines 20000" "stations 100" "stations 1"; do
        # shellcheck disable=SC2086
        if s=$(split_run "$args" $args); then
            pieces=$(ls "$work/pieces" | wc -l)
            echo "split $args: $s s, $(mbps "$split_bytes" "$s") MB/s, $pieces files"
            if [[ $args != "stations 1" ]]; then
                check "$(awk -v t="$s" -v c="$split_cp" 'BEGIN { print (t <= 4 * c) ? 1 : 0 }')" \
                    "split $args at least a quarter as fast as cp"
            fi
        else
            check 0 "split $args (mvbench failed)"
        fi
    done
    rm -rf "$work/pieces" "$split_file"

    # The quad split of 100,000 stations of 100 counties against 10,000 of 10.
    declare -A quad_s
    for counties in 10 100; do
        split_file=$work/quad_$counties.dat
        make_counties "$counties" "$split_file" --stations 1000
        cat "$split_file" > /dev/null
        quad_s[$counties]=$(split_run quad index quad) || quad_s[$counties]=""
        rm -f "$split_file"
    done
    rm -rf "$work/pieces"
    if [[ -n ${quad_s[10]} && -n ${quad_s[100]} ]]; then
        ratio=$(awk -v a="${quad_s[10]}" -v b="${quad_s[100]}" 'BEGIN { if (a <= 0) print "inf"; else printf "%.2f", b / a }')
        echo "quad split 10,000 stations: ${quad_s[10]} s; 100,000: ${quad_s[100]} s"
        check "$(awk -v r="$ratio" 'BEGIN { print (r != "inf" && r <= 11) ? 1 : 0 }')" \
            "quad split of 100,000 stations at most 11x that of 10,000 (${ratio}x)"
    else
        check 0 "quad split of 100,000 stations against 10,000 (mvbench failed)"
    fi
fi

# Pellorin: UPDATE's three loads and Commit of the 10,000-station file (about
# half of it new) into a copy of the 100,000-station file, with its backup.
plbench=$build/bench/plbench
if [[ -x $plbench ]]; then
    echo
    part_grep=$(best_time "$work/grep.out" grep -c "$header" "$part")
    if update_s=$(runner=$plbench best_load load "$file" "$part"); then
        echo "Pellorin UPDATE, three loads: $update_s s (grep -c of both files: $big_grep + $part_grep s)"
        check "$(awk -v u="$update_s" -v a="$big_grep" -v b="$part_grep" 'BEGIN { print (u <= 3 * (a + b)) ? 1 : 0 }')" \
            "Pellorin's loads at least a third as fast as grep -c on both files"
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
        check "$(awk -v m="$commit_best" -v a="$big_cp" -v b="$part_cp" 'BEGIN { print (m <= 4 * (a + b)) ? 1 : 0 }')" \
            "Pellorin's Commit at least a quarter as fast as cp of both files"
    else
        check 0 "Pellorin's Commit at least a quarter as fast as cp of both files (plbench failed)"
    fi
fi
exit "$failed"
