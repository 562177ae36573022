#include "morvane/core/index_files.h"

#include <algorithm>
#include <map>

#include "datasheet/datasheet_format.h"
#include "datasheet/line_parsers.h"
#include "datasheet/list_sort.h"

namespace morvane {

namespace {

bool digitsAt(std::string_view line, std::size_t from, std::size_t count)
{
    if (line.size() < from + count)
        return false;
    return std::all_of(line.begin() + static_cast<std::ptrdiff_t>(from),
                       line.begin() + static_cast<std::ptrdiff_t>(from + count), ds::isDigit);
}

bool isLetter(char c)
{
    return ds::isUpper(c) || ds::isLower(c);
}

std::string upperCase(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), ds::toUpper);
    return upper;
}

std::string numbered(std::size_t number, const std::string& name)
{
    std::string digits = std::to_string(number);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    return "|" + digits + "|" + name;
}

} // namespace

bool indexKindOf(std::string_view kind, IndexKind& out)
{
    if (kind == "QUAD")
        out = IndexKind::Quad;
    else if (kind == "COUNTY")
        out = IndexKind::County;
    else if (kind == "AREA")
        out = IndexKind::Area;
    else
        return false;
    return true;
}

std::string indexName(IndexKind kind)
{
    switch (kind) {
    case IndexKind::Quad:
        return "DSQUAD.INX";
    case IndexKind::County:
        return "DSCOUNTY.INX";
    case IndexKind::Area:
        return "DSAREA.INX";
    }
    return {};
}

bool isIndexEntry(std::string_view line)
{
    return line.size() > 2 && line.find('|') != std::string_view::npos;
}

bool entryHasShape(std::string_view line, IndexKind kind)
{
    if (line.size() < 5 || line[0] != '|' || !digitsAt(line, 1, 3) || line[4] != '|')
        return false;
    if (kind != IndexKind::Area)
        return true;
    return digitsAt(line, 5, 6) && line[11] == ' ' && digitsAt(line, 12, 6) && line.size() > 18 &&
           line[18] == ' ' && digitsAt(line, 19, 7) && line.size() > 26 && line[26] == ' ' &&
           digitsAt(line, 27, 7);
}

std::size_t firstBadEntry(const std::vector<std::string>& lines, IndexKind kind)
{
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (isIndexEntry(lines[i]) && !entryHasShape(lines[i], kind))
            return i + 1;
    return 0;
}

bool isKeyLine(std::string_view line, IndexKind kind)
{
    switch (kind) {
    case IndexKind::Quad:
        return ds::hasAt(line, 7, kQuadLabel);
    case IndexKind::County:
        return ds::hasAt(line, 7, kCountyLabel) || ds::hasAt(line, 7, kCountryLabel);
    case IndexKind::Area:
        return ds::hasAt(line, 7, kAreaPositionLabel) ||
               (ds::hasAt(line, 7, kAreaNadLabel) && line.size() > 21 && line[21] == '-');
    }
    return false;
}

std::string_view keyText(std::string_view line)
{
    return line.size() > kKeyIndex ? line.substr(kKeyIndex, kKeyLength) : std::string_view();
}

DefaultIndex defaultNameIndex(platform::LineReader& input, IndexKind kind, platform::ProgressSink& progress)
{
    // Names in the order of first appearance; one sorted position per
    // case-folded name, its first spelling and every other spelling.
    struct Spellings {
        std::string first;
        std::vector<std::string> others;
    };
    std::map<std::string, Spellings, bool (*)(const std::string&, const std::string&)> names(ds::listBoxLess);
    const std::uint64_t size = input.size();
    input.seek(0);
    std::uint64_t headers = 0;
    std::string_view piece;
    while (input.next(piece)) {
        const std::string_view line = platform::chompLineEnd(piece);
        if (ds::isHeaderLine(line))
            ++headers;
        if ((headers <= 1 || headers % 20 == 0) && size > 0)
            progress.set(static_cast<int>(100 * input.pieceOffset() / size));
        if (!isKeyLine(line, kind))
            continue;
        const std::string_view name = keyText(line);
        if (name.empty() || !isLetter(name[0]))
            continue;
        std::string text(name);
        auto [at, added] = names.try_emplace(upperCase(text), Spellings{text, {}});
        if (!added && at->second.first != text &&
            std::find(at->second.others.begin(), at->second.others.end(), text) == at->second.others.end())
            at->second.others.push_back(std::move(text));
    }
    DefaultIndex index;
    index.lines.push_back("|000|UNDETERMINED");
    std::size_t number = 0;
    for (const auto& [key, spellings] : names) {
        ++number;
        index.lines.push_back(numbered(number, spellings.first));
        for (const auto& other : spellings.others)
            index.lines.push_back(numbered(number, other));
    }
    index.needsRenumbering = number > 999;
    return index;
}

const std::vector<std::string>& defaultAreaIndex()
{
    static const std::vector<std::string> entries = {
        "|001|640000 680000 1370000 1470000|DAWSON",
        "|002|640000 680000 1580000 1710000|NOME",
        "|003|560000 600000 1513000 1621500|KODIAK",
        "|004|640000 680000 1470000 1580000|FAIRBANKS",
        "|005|600000 640000 1403000 1513000|ANCHORAGE",
        "|006|520000 560000 1293000 1360000|KETCHIKAN",
        "|007|560000 600000 1310000 1430000|JUNEAU",
        "|008|540000 560000 1550000 1640000|COLD BAY",
        "|009|594000 640000 1620000 1730000|BETHEL",
        "|010|600000 640000 1513000 1620000|MC GRATH",
        "|011|680000 720000 1403000 1540000|PRUDHOE BAY",
        "|012|600000 640000 1310000 1403000|WHITEHORSE",
        "|013|520000 580000 1640000 1730000|DUTCH HARBOR",
        "|014|680000 720000 1540000 1670000|POINT BARROW",
        "|015|510000 530000 1730000 1880000|WESTERN ALEUTIAN ISLAND",
        "|016|590000 610000 1403000 1513000|SEWARD",
    };
    return entries;
}

std::string countyIndexEntry(std::string_view line)
{
    if (line.size() < 5)
        return {};
    const std::string_view name = line.size() > 12 ? line.substr(12, 40) : std::string_view();
    std::string entry = "|";
    entry += line.substr(2, 3);
    entry += '|';
    entry += upperCase(line.substr(0, 2));
    entry += '/';
    entry += name;
    return entry;
}

} // namespace morvane
