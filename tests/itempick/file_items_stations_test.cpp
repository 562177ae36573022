// Morvane's ITEMPICK join splits a file into the stations the loader lists:
// a damaged header line, a stray line of another PID and a bare CR before a
// header give each listed station its own record, of its own lines.
#include <gtest/gtest.h>

#include "datasheet/station_loader.h"
#include "datasheet/type_filter.h"
#include "tests/itempick/item_test_support.h"

namespace {

using itemtest::join;

const std::string kHeader = "1        Quarndale Geomark Bureau,   Retrieval Date = DECEMBER 28, 2002";
const std::string kDamaged = "1        Quarndale Geomxrk Bureau,   Retrieval Date = DECEMBER 28, 2002";

std::string state(const std::string& pid)
{
    return pid == "AA0001" ? "KS" : pid == "BB0002" ? "NE" : "OK";
}

std::string line(const std::string& pid, const std::string& text)
{
    return " " + pid + "  " + text + "\r\n";
}

// The station's lines after its header: six lines before its STATE line,
// so that a stray line before it stands past the station's fifth line.
std::string body(const std::string& pid, const std::string& stray = "")
{
    std::string text = line(pid, "DESIGNATION -  MARK " + pid) + line(pid, "PID         -  " + pid);
    for (int i = 1; i <= 4; ++i)
        text += line(pid, "MARKER: line " + std::to_string(i));
    // CC0003 is no airport station.
    if (pid != "CC0003")
        text += stray + line(pid, "SACS        -  This station is a Secondary Airport Control Station.");
    return text + line(pid, "STATE/COUNTY-  " + state(pid) + "/RENO");
}

std::string station(const std::string& pid, const std::string& stray = "")
{
    return kHeader + "\r\n" + body(pid, stray);
}

TEST(FileItemsStations, OneRecordForEachStationTheLoaderLists)
{
    std::string crBefore = station("AA0001");
    crBefore.pop_back(); // its last line ends in a bare CR, the next header after it
    struct Layout {
        const char* name;
        std::string file;
    };
    const Layout layouts[] = {
        {"damaged first header", kDamaged + "\r\n" + body("BB0002") + station("AA0001") + station("CC0003")},
        {"damaged middle header", station("AA0001") + kDamaged + "\r\n" + body("BB0002") + station("CC0003")},
        {"damaged last header", station("AA0001") + station("CC0003") + kDamaged + "\r\n" + body("BB0002")},
        {"two damaged headers", station("AA0001") + kDamaged + "\r\n" + body("BB0002") + kDamaged + "\r\n" +
                                    body("CC0003")},
        // The stray line holds CC0003's STATE; AA0001's own lines follow it.
        {"stray line", station("AA0001", line("CC0003", "STATE/COUNTY-  OK/RENO")) + station("BB0002") +
                           station("CC0003")},
        {"bare CR before a header", crBefore + station("BB0002") + station("CC0003")},
        {"bare CR after a damaged header", station("AA0001") + kDamaged + "\r" + body("BB0002") + station("CC0003")},
    };
    const itempick::Settings settings = itemtest::settingsFor({"PID", "STATE"}, itempick::kMorvaneItems);
    testsupport::TempDir dir;
    const std::string path = dir.file("in.dat");
    platform::NullProgress progress;
    for (const Layout& l : layouts) {
        SCOPED_TRACE(l.name);
        testsupport::writeFile(path, l.file);
        for (const char* code : {"X-0", "SAC"}) {
            SCOPED_TRACE(code);
            platform::LineReader typeFile(ds::kMorvane.readLength());
            ASSERT_TRUE(typeFile.open(path));
            ds::LoadedStations listed;
            ASSERT_TRUE(ds::loadStations(path, ds::kMorvane, progress, listed,
                                         ds::makeTypeTest(code, typeFile, ds::kMorvane)));
            ASSERT_EQ(listed.listLines.size(), std::string_view(code) == "SAC" ? 2u : 3u);
            std::string expected = "PID|STATE\r\n";
            for (const std::string& entry : listed.listLines) {
                const std::string pid = entry.substr(6, 6);
                expected += pid + "|" + state(pid) + "\r\n";
            }
            EXPECT_EQ(join({path}, settings, code), expected);
        }
    }
}

} // namespace
