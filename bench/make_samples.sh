#!/usr/bin/env bash
# Regenerates the datasheet files and county lists of samples/ with dsgen.
# samples/DATA/DSDATA.TXT and samples/disk/notes.txt are written by hand and
# are left as they are; samples/DSDATA.TXT is a copy of the first, for the
# item help of files opened from disk (it is looked for in the current
# directory). Every file has CR LF line ends except disk/lf_only.txt.
#
# Usage: bench/make_samples.sh BUILD_DIR
set -euo pipefail
export LC_ALL=C

if [[ $# -ne 1 ]]; then
    echo "usage: $0 BUILD_DIR" >&2
    exit 2
fi
dsgen=$1/bench/dsgen
samples=$(cd "$(dirname "$0")/.." && pwd)/samples
cd_date="OCTOBER 14, 2004"

# One county file and its line in the county list.
# county ST NNN NAME STATIONS SEED PID-PREFIX
county() {
    local dir=$samples/DATA/$1
    mkdir -p "$dir"
    "$dsgen" --state "$1" --county "$2" --county-name "$3" --stations "$4" --seed "$5" \
        --pid-prefix "$6" --date "$cd_date" -o "$dir/$1$2.DAT" 2> /dev/null
    printf '%s%s.DAT | %s\r\n' "$1" "$2" "$3" >> "$dir/county.$1"
}

rm -rf "$samples/DATA/AZ" "$samples/DATA/NM" "$samples/DATA/CO" "$samples/DATA/Pacific"
county AZ 001 APACHE 12 101 FA
county AZ 003 COCHISE 20 103 FB
county AZ 005 COCONINO 10 105 FC
county NM 001 BERNALILLO 15 201 GA
county NM 003 CATRON 10 203 GB
county CO 001 ADAMS 12 301 HA
county CO 003 ALAMOSA 10 303 HB

# A Pacific territory: one file and no county list.
mkdir -p "$samples/DATA/Pacific/GU"
"$dsgen" --state GU --county 0 --county-name GUAM --stations 10 --seed 401 --pid-prefix JA \
    --date "$cd_date" -o "$samples/DATA/Pacific/GU/GU000.dat" 2> /dev/null

disk=$samples/disk
mkdir -p "$disk"
# An old file and a newer update of it: the update is the same run carried on
# to KA0016 with a later date, less its first 8 stations, so KA0009-KA0012 are
# in both files (the same but for the date) and KA0013-KA0016 are new.
nm_run=(--state NM --county 1 --county-name BERNALILLO --seed 501 --pid-prefix KA)
"$dsgen" "${nm_run[@]}" --stations 12 --date "MARCH 2, 2004" -o "$disk/datasheets.txt" 2> /dev/null
"$dsgen" "${nm_run[@]}" --stations 16 --date "JUNE 21, 2005" \
    | awk '/^1        Quarndale Geomark Bureau/ { n++ } n > 8' > "$disk/update.txt"
# Stations around the sample values of the search dialogs: PIDs MX4260 to
# MX4299 (the PID sample is MX4273), positions 37-38 N, 98-99 W; then MX4300
# to MX4303 within a minute of arc of the point-radius sample (38 59 59,
# 098 59 59; 1.5 miles), each less than 1.5 miles from it.
"$dsgen" --state KS --county 155 --county-name RENO --stations 40 --seed 801 --pid-prefix MX \
    --first-pid 4260 -o "$disk/kansas.txt" 2> /dev/null
"$dsgen" --state KS --county 155 --county-name RENO --stations 4 --seed 802 --pid-prefix MX \
    --first-pid 4300 --date "DECEMBER 28, 2002" --near "38 59 59" "098 59 59" 60 >> "$disk/kansas.txt" 2> /dev/null
"$dsgen" --state CO --county 3 --county-name ALAMOSA --stations 6 --seed 601 --pid-prefix LA \
    --lf -o "$disk/lf_only.txt" 2> /dev/null
# Misaligned: the body lines of the 2nd and 4th stations lose their leading
# blank, so their PIDs start in column 0. Putting the blank back gives the
# file that dsgen writes with the same options.
"$dsgen" --state AZ --county 5 --county-name COCONINO --stations 6 --seed 701 --pid-prefix MA \
    -o "$disk/misaligned.txt.tmp" 2> /dev/null
awk '/^1        Quarndale Geomark Bureau/ { n++ }
     (n == 2 || n == 4) && /^ [A-Z][A-Z][0-9][0-9][0-9][0-9]/ { $0 = substr($0, 2) }
     { print }' "$disk/misaligned.txt.tmp" > "$disk/misaligned.txt"
rm -f "$disk/misaligned.txt.tmp"

cp "$samples/DATA/DSDATA.TXT" "$samples/DSDATA.TXT"
