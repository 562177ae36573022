# What a user would run instead of ITEMPICK's Save As with a dozen single
# values: per station PID, designation, state, county, latitude and its
# direction, longitude and its direction, horizontal order, NAVD 88
# height, vertical order and the GPS suitability with its date, one line of
# values separated by '|'. Run by bench.sh beside itempickbench save.
BEGIN { print "PID|DESIGNATION|STATE|COUNTY|LATITUDE|LATITUDE_DIR|LONGITUDE|LONGITUDE_DIR|HORZ_ORDER|HEIGHT|VERT_ORDER|GPS_SUITABILITY|GPS_SUIT_DATE" }
function station() {
    if (pid != "")
        print pid "|" name "|" state "|" county "|" lat "|" latdir "|" lon "|" londir "|" horz "|" height "|" vert "|" gps "|" gpsdate
    pid = name = state = county = lat = latdir = lon = londir = horz = height = vert = gps = gpsdate = ""
}
/^1        Quarndale Geomark Bureau/ { station(); next }
{ sub(/\r$/, ""); label = substr($0, 8, 14) }
label == "  DESIGNATION " { pid = substr($0, 2, 6); name = substr($0, 25, 40); next }
label == "  STATE/COUNTY" { split(substr($0, 25), sc, "/"); state = sc[1]; county = sc[2]; next }
label ~ /^\* NAD 83/ { lat = substr($0, 25, 14); latdir = substr($0, 40, 1); lon = substr($0, 46, 15); londir = substr($0, 62, 1); next }
label ~ /^\* NAVD 88/ { height = $5; next }
label == "  HORZ ORDER  " { horz = $5; next }
label == "  VERT ORDER  " { vert = $5; next }
/^ [A-Z][A-Z][0-9][0-9][0-9][0-9]_SATELLITE: .*REPORTED AS SUITABLE/ { gps = "Y"; next }
/^ [A-Z][A-Z][0-9][0-9][0-9][0-9]\+SATELLITE: SATELLITE OBSERVATIONS - / { gpsdate = substr($0, index($0, " - ") + 3); next }
END { station() }
