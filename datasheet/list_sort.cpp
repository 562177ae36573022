#include "datasheet/list_sort.h"

#include <algorithm>
#include <array>

#include "datasheet/list_lines.h"

namespace ds {

namespace {

// Collation weight of each byte.
std::array<unsigned short, 256> makeWeights()
{
    std::array<unsigned short, 256> weight{};
    unsigned short next = 0;
    for (int c = 0; c < 32; ++c)
        weight[c] = next++;
    weight[' '] = next++;
    for (int c = 33; c < 127; ++c)
        if (!(c >= '0' && c <= '9') && !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z'))
            weight[c] = next++;
    weight[127] = next++;
    for (int c = '0'; c <= '9'; ++c)
        weight[c] = next++;
    for (int c = 'A'; c <= 'Z'; ++c) {
        weight[c] = next;
        weight[c - 'A' + 'a'] = next++;
    }
    for (int c = 128; c < 256; ++c)
        weight[c] = next++;
    return weight;
}

const std::array<unsigned short, 256> kWeights = makeWeights();

enum class Field { Tag, Pid, Horizontal, Vertical, Latitude, Longitude, Name };

struct Column {
    Field field;
    std::size_t width;
    bool separatorBefore; // a '|' precedes the field in the key line
};

using KeyLayout = std::array<Column, 7>;

constexpr Column tagCol(bool sep) { return {Field::Tag, 5, sep}; }
constexpr Column pidCol(bool sep) { return {Field::Pid, 6, sep}; }
constexpr Column hCol(bool sep) { return {Field::Horizontal, 1, sep}; }
constexpr Column vCol(bool sep) { return {Field::Vertical, 1, sep}; }
constexpr Column latCol(bool sep) { return {Field::Latitude, 10, sep}; }
constexpr Column lonCol(bool sep) { return {Field::Longitude, 11, sep}; }
constexpr Column nameCol(bool sep) { return {Field::Name, 30, sep}; }

constexpr KeyLayout kByDist = {tagCol(false), nameCol(true), pidCol(true), hCol(true),
                               vCol(true),    latCol(true),  lonCol(true)};
constexpr KeyLayout kByPid = {pidCol(false), nameCol(true), hCol(true), vCol(true),
                              latCol(true),  lonCol(true),  tagCol(true)};
constexpr KeyLayout kByLat = {latCol(false), nameCol(true), pidCol(true), hCol(true),
                              vCol(true),    lonCol(true),  tagCol(true)};
constexpr KeyLayout kByLon = {lonCol(false), nameCol(true), pidCol(true), hCol(true),
                              vCol(true),    latCol(true),  tagCol(true)};
// The PID and the horizontal code run together in the name key.
constexpr KeyLayout kByName = {nameCol(false), pidCol(true),  hCol(false), vCol(true),
                               latCol(true),   lonCol(true),  tagCol(true)};

const KeyLayout* layoutOf(std::string_view key)
{
    if (key == "bydist")
        return &kByDist;
    if (key == "bypid")
        return &kByPid;
    if (key == "bylat")
        return &kByLat;
    if (key == "bylon")
        return &kByLon;
    if (key == "byname")
        return &kByName;
    return nullptr;
}

template <typename Fields> // SortFields or const SortFields
auto& fieldOf(Fields& fields, Field field)
{
    switch (field) {
    case Field::Tag: return fields.tag;
    case Field::Pid: return fields.pid;
    case Field::Horizontal: return fields.horizontal;
    case Field::Vertical: return fields.vertical;
    case Field::Latitude: return fields.latitude;
    case Field::Longitude: return fields.longitude;
    case Field::Name: break;
    }
    return fields.name;
}

// Up to `width` characters from `start`, as much as the line has, ended at a NUL.
std::string columns(std::string_view line, std::size_t start, std::size_t width)
{
    if (start >= line.size())
        return {};
    std::string_view text = line.substr(start, width);
    if (auto nul = text.find('\0'); nul != std::string_view::npos)
        text = text.substr(0, nul);
    return std::string(text);
}

// "%-N.Ns" or, for the tag, "%N.Ns".
void appendPadded(std::string& out, std::string_view text, std::size_t width, bool right)
{
    text = text.substr(0, std::min(text.size(), width));
    if (right)
        out.append(width - text.size(), ' ');
    out.append(text);
    if (!right)
        out.append(width - text.size(), ' ');
}

} // namespace

bool listBoxLess(const std::string& a, const std::string& b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned short wa = kWeights[static_cast<unsigned char>(a[i])];
        unsigned short wb = kWeights[static_cast<unsigned char>(b[i])];
        if (wa != wb)
            return wa < wb;
    }
    return a.size() < b.size();
}

SortFields splitListLine(std::string_view line)
{
    SortFields f;
    f.tag = columns(line, 0, 5);
    f.pid = columns(line, 6, 6);
    f.horizontal = columns(line, 13, 1);
    f.vertical = columns(line, 15, 1);
    f.latitude = columns(line, 17, 10);
    f.longitude = columns(line, 28, 11);
    f.name = columns(line, 40, 30);
    return f;
}

bool isSortKey(std::string_view key)
{
    return layoutOf(key) != nullptr;
}

std::string makeKeyLine(const SortFields& fields, std::string_view key)
{
    const KeyLayout* layout = layoutOf(key);
    if (!layout)
        return {};
    std::string line;
    line.reserve(72);
    for (const Column& col : *layout) {
        if (col.separatorBefore)
            line += '|';
        appendPadded(line, fieldOf(fields, col.field), col.width, col.field == Field::Tag);
    }
    return line;
}

SortFields splitKeyLine(std::string_view keyLine, std::string_view key)
{
    SortFields fields;
    const KeyLayout* layout = layoutOf(key);
    if (!layout)
        return fields;
    std::size_t at = 0;
    for (const Column& col : *layout) {
        if (col.separatorBefore)
            ++at;
        fieldOf(fields, col.field) = columns(keyLine, at, col.width);
        at += col.width;
    }
    return fields;
}

std::string rebuildListLine(const SortFields& f)
{
    return MakeListLine(f.tag, f.pid, f.horizontal, f.vertical, f.latitude, f.longitude, f.name);
}

bool sortByKey(std::vector<std::string>& lines, std::string_view key)
{
    if (!isSortKey(key))
        return false;
    std::vector<std::string> keyLines;
    keyLines.reserve(lines.size());
    for (const std::string& line : lines)
        keyLines.push_back(makeKeyLine(splitListLine(line), key));
    // Stable: a line lands after the lines whose key lines equal its own, as
    // when each is added in turn to a sorted list box.
    std::stable_sort(keyLines.begin(), keyLines.end(),
                     [](const std::string& a, const std::string& b) { return listBoxLess(a, b); });
    for (std::size_t i = 0; i < keyLines.size(); ++i)
        lines[i] = rebuildListLine(splitKeyLine(keyLines[i], key));
    return true;
}

void sortByOrderCode(std::vector<std::string>& lines, std::size_t index, std::string_view bucketCodes)
{
    const std::size_t last = bucketCodes.size();
    std::array<std::size_t, 256> bucketOf;
    bucketOf.fill(last);
    for (std::size_t b = bucketCodes.size(); b-- > 0;)
        bucketOf[static_cast<unsigned char>(bucketCodes[b])] = b;

    auto bucket = [&](const std::string& line) {
        return index < line.size() ? bucketOf[static_cast<unsigned char>(line[index])] : last;
    };
    // One stable counting pass: the same order as one pass over the list per
    // bucket code and a last pass for the rest.
    std::vector<std::size_t> start(last + 2, 0);
    for (const std::string& line : lines)
        ++start[bucket(line) + 1];
    for (std::size_t b = 1; b < start.size(); ++b)
        start[b] += start[b - 1];
    std::vector<std::string> sorted(lines.size());
    for (std::string& line : lines) {
        std::size_t b = bucket(line);
        sorted[start[b]++] = std::move(line);
    }
    lines = std::move(sorted);
}

} // namespace ds
