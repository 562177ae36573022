#include "datasheet/item_explain.h"

#include <array>
#include <initializer_list>

#include "datasheet/datasheet_format.h"
#include "platform/files.h"
#include "platform/line_reader.h"

namespace ds {

namespace {

constexpr std::size_t kPieceLength = 149;
constexpr std::size_t kReadmeProbeLines = 200;
constexpr std::string_view kItemMark = "DATA ITEM:";
constexpr std::string_view kReadmeName = "DSDATA.TXT";

struct KeywordRow {
    std::initializer_list<std::string_view> keywords;
    std::string_view title;
};

// Tried in this order: the single characters come last, so they only claim
// lines that no labelled line or phrase has claimed.
const std::array<KeywordRow, 26> kKeywordRows{{
    {{"  FBN         -", "  CBN         -", "  CORS        -", "  PACS        -", "  SACS        -",
      "  TIDLE BM    -"},
     "DATA ITEM: Special Control Station Header"},
    {{"  CORS_ID     -"}, "DATA ITEM: CORS Identifier"},
    {{"  DESIGNATION -"}, "DATA ITEM: Designation"},
    {{"  PID         -"}, "DATA ITEM: Station Permanent Identifier (PID)"},
    {{"  STATE/COUNTY-"}, "DATA ITEM: STATE/COUNTY"},
    {{"  COUNTRY     -"}, "DATA ITEM: STATE/COUNTY"},
    {{"  USGS QUAD   -"}, "DATA ITEM: USGS Quad"},
    {{"*CURRENT SURVEY CONTROL", "____________________________", "* NAD 83", "* NAVD 88", "* LOCAL"},
     "DATA ITEM: Current Survey Control"},
    {{"  X           -", "  Y           -", "  Z           -"}, "DATA ITEM: X, Y, Z"},
    {{"  EPOCH DATE  -"}, "DATA ITEM: Epoch Date"},
    {{"  LAPLACE CORR-"}, "DATA ITEM: Laplace Correction"},
    {{"  ELLIP HEIGHT-"}, "DATA ITEM: Ellipsoid Height"},
    {{"  GEOID HEIGHT-"}, "DATA ITEM: Geoid Height"},
    {{"  DYNAMIC HT  -"}, "DATA ITEM: Dynamic Height"},
    {{"  MODELED GRAV-"}, "DATA ITEM: Modeled Gravity"},
    {{"ORDER  -  "}, "DATA ITEM: Survey Control Order and Class"},
    {{"SUPERSEDED SURVEY CONTROL", "  NAD 83", "  NAD 27", "  NAVD 88", "  NGVD 29", "  LOCAL", "GP("},
     "DATA ITEM: Superseded Survey Control"},
    {{"  HISTORY     -"}, "DATA ITEM: Recovery History Records"},
    {{"_MARKER:", "_SETTING:", "+SETTING:", "_MAGNETIC:", "_STAMPING:", "_STABILITY:", "+STABILITY:",
      "+SATELLITE:"},
     "DATA ITEM: Mark Setting Information"},
    {{";"}, "DATA ITEM: Grid Coordinate Systems:"},
    {{":"}, "DATA ITEM: Grid Azimuth for Primary Reference Object"},
    {{"|"}, "DATA ITEM: Box Score"},
    {{".The horizontal"}, "DATA ITEM: Text regarding Horizontal Control"},
    {{".The orthometric"}, "DATA ITEM: Text regarding Vertical Control"},
    {{"."}, "DATA ITEM: Text regarding Other Data Control"},
    {{"STATION DESCRIPTION", "STATION RECOVERY", "'"}, "DATA ITEM: Description and Recovery text"},
}};

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

} // namespace

bool memoHoldsDatasheet(const std::vector<std::string>& lines)
{
    const std::size_t count = std::min<std::size_t>(lines.size(), 7);
    for (std::size_t i = 0; i < count; ++i)
        if (lines[i].compare(0, kHeaderStart.size(), kHeaderStart) == 0)
            return true;
    return false;
}

std::size_t wordStart(std::string_view line, std::size_t column)
{
    std::size_t start = std::min(column, line.size());
    while (start > 0 && line[start - 1] != ' ')
        --start;
    return start;
}

std::string clickedPiece(const std::vector<std::string>& lines, std::size_t position)
{
    std::string piece;
    std::size_t lineStart = 0;
    for (const auto& line : lines) {
        const std::size_t lineEnd = lineStart + line.size() + 2; // with its CR LF
        if (position < lineEnd) {
            const std::size_t from = position - lineStart;
            if (from < line.size())
                piece.append(line, from, kPieceLength - piece.size());
            const char* const breakChars = "\r\n";
            for (std::size_t i = std::max(from, line.size()) - line.size(); i < 2 && piece.size() < kPieceLength; ++i)
                piece.push_back(breakChars[i]);
            position = lineEnd;
            if (piece.size() >= kPieceLength)
                break;
        }
        lineStart = lineEnd;
    }
    const std::size_t cut = piece.find_first_of("\r\n", 6);
    if (cut != std::string::npos)
        piece.resize(cut);
    return piece;
}

std::string_view itemTitle(std::string_view piece)
{
    for (const auto& row : kKeywordRows)
        for (std::string_view keyword : row.keywords)
            if (contains(piece, keyword))
                return row.title;
    return {};
}

bool readmeHasItems(const std::string& path)
{
    platform::LineReader reader;
    if (!platform::isRegularFile(path) || !reader.open(path))
        return false;
    std::string_view line;
    for (std::size_t count = 0; count < kReadmeProbeLines && reader.next(line); ++count)
        if (contains(line, kItemMark))
            return true;
    return false;
}

std::vector<std::string> readmePlaces(const std::string& dataPath, const std::string& drive,
                                      const std::string& currentDir)
{
    const std::string local = platform::locatePath(currentDir, {std::string(kReadmeName)});
    const bool fromDisc = !drive.empty() && (contains(dataPath, "DATA") || contains(dataPath, "data") ||
                                              contains(dataPath, "Data"));
    if (fromDisc)
        return {platform::locatePath(drive, {"DATA", std::string(kReadmeName)}), local};
    return {local, local};
}

bool readItemSection(const std::string& path, std::string_view title, std::vector<std::string>& section)
{
    platform::LineReader reader;
    if (title.empty() || !platform::isRegularFile(path) || !reader.open(path))
        return false;
    bool inSection = false;
    std::string_view piece;
    while (reader.next(piece)) {
        const std::string_view line = platform::chompLineEnd(piece);
        if (contains(line, title))
            inSection = true;
        if (inSection && contains(line, kItemMark) && !contains(line, title))
            break;
        if (inSection)
            section.emplace_back(line);
    }
    return inSection;
}

std::string readmeNotFoundText()
{
    return "       File Not Found.\n"
           "       This Help Item requires access to a readme file called DSDATA.TXT\n"
           "       The proper file was not found.\n"
           "       File DSDATA.TXT is available from the Web at:\n"
           "       the bureau's web site,\n"
           "       on its page of datasheet format specifications.\n";
}

ItemExplanation explainItem(const std::vector<std::string>& lines, std::size_t position,
                            const std::string& dataPath, const std::string& drive, const std::string& currentDir)
{
    ItemExplanation result;
    if (!memoHoldsDatasheet(lines))
        return result;
    result.title = std::string(itemTitle(clickedPiece(lines, position)));
    const std::vector<std::string> places = readmePlaces(dataPath, drive, currentDir);
    for (std::size_t i = 0; i < places.size(); ++i) {
        const std::string& place = places[i];
        // The current directory's file, named twice without a disc, is read once.
        if (i > 0 && place == places[i - 1])
            continue;
        if (readmeHasItems(place)) {
            result.readme = place;
            break;
        }
    }
    if (result.readme.empty()) {
        result.result = ItemExplanation::Result::NoReadme;
        return result;
    }
    result.result = ItemExplanation::Result::Shown;
    if (!readItemSection(result.readme, result.title, result.lines)) {
        result.lines.clear();
        result.lines.emplace_back(kNoItemInformation);
    }
    return result;
}

} // namespace ds
