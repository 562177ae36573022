# What a user would run instead of ITEMPICK's Save As (and Morvane's
# ITEMPICK join) with PID, STATE, LATITUDE, LONGITUDE, ALL HISTORY and
# RECOVERY TEXT: per station a line of the single values, then a line for
# each history entry (date, condition, agency) and for each line of the
# description and recovery notes. Run by bench.sh beside itempickbench
# lines and join.
BEGIN { print "PID|STATE|LATITUDE|LONGITUDE|PID|REC_DATE|CONDITION|AGENCY|PID|TEXT" }
function station() {
    if (pid != "") {
        print pid "|" state "|" lat "|" lon
        printf "%s", history
        printf "%s", text
    }
    pid = state = lat = lon = history = text = ""
}
/^1        Quarndale Geomark Bureau/ { station(); next }
{ sub(/\r$/, ""); label = substr($0, 8, 14) }
label == "  DESIGNATION " { pid = substr($0, 2, 6); next }
label == "  STATE/COUNTY" { state = substr($0, 25, 2); next }
label ~ /^\* NAD 83/ { lat = substr($0, 25, 14); lon = substr($0, 46, 15); next }
label == "  HISTORY     " {
    if (substr($0, 24, 4) != "Date")
        history = history substr($0, 2, 6) "|" substr($0, 24, 8) "|" substr($0, 33, 16) "|" substr($0, 50) "\n"
    next
}
substr($0, 8, 1) == "'" { text = text substr($0, 2, 6) "|" substr($0, 9) "\n"; next }
/^ [A-Z][A-Z][0-9][0-9][0-9][0-9]  +STATION (DESCRIPTION|RECOVERY)/ { text = text substr($0, 2, 6) "|" substr($0, 9) "\n"; next }
END { station() }
