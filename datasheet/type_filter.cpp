#include "datasheet/type_filter.h"

#include "datasheet/datasheet_format.h"

namespace ds {

namespace {

using namespace std::string_view_literals;

constexpr std::string_view kFbn[] = {"FBN CONTROL -  "sv, "FBN         -  "sv};
constexpr std::string_view kCbn[] = {"CBN CONTROL -  "sv, "CBN         -  "sv};
constexpr std::string_view kCor[] = {"CORS        -  "sv};
constexpr std::string_view kPac[] = {"PACS        -  "sv};
constexpr std::string_view kSac[] = {"SACS        -  "sv};
constexpr std::string_view kEll[] = {"ELLIP HEIGHT- "sv};

constexpr std::string_view kHorzAny[] = {"HORZ ORDER"sv};
// A to second order take their own order and every higher one; third takes
// only itself.
constexpr std::string_view kHorzA[] = {"HORZ ORDER  -  A"sv, "HORZ ORDER  -  SPECIAL (CORS)"sv};
constexpr std::string_view kHorzB[] = {"HORZ ORDER  -  B"sv, "HORZ ORDER  -  A"sv, "HORZ ORDER  -  SPECIAL (CORS)"sv};
constexpr std::string_view kHorz1[] = {"HORZ ORDER  -  FIRST"sv, "HORZ ORDER  -  A"sv, "HORZ ORDER  -  B"sv,
                                       "HORZ ORDER  -  SPECIAL (CORS)"sv};
constexpr std::string_view kHorz2[] = {"HORZ ORDER  -  SECOND"sv, "HORZ ORDER  -  FIRST"sv, "HORZ ORDER  -  A"sv,
                                       "HORZ ORDER  -  B"sv, "HORZ ORDER  -  SPECIAL (CORS)"sv};
constexpr std::string_view kHorz3[] = {"HORZ ORDER  -  THIRD"sv};

constexpr std::string_view kVertAny[] = {"VERT ORDER"sv};
constexpr std::string_view kVert1[] = {"VERT ORDER  -  FIRST"sv, "VERT ORDER  -  A"sv, "VERT ORDER  -  B"sv};
constexpr std::string_view kVert2[] = {"VERT ORDER  -  SECOND"sv, "VERT ORDER  -  FIRST"sv, "VERT ORDER  -  A"sv,
                                       "VERT ORDER  -  B"sv};
// Morvane's V-3 takes the first two only.
constexpr std::string_view kVert3[] = {"VERT ORDER  -  THIRD"sv, "VERT ORDER  -  ?"sv, "VERT ORDER  -  * POSTED"sv,
                                       "VERT ORDER  -  * READJUST"sv};
constexpr std::string_view kVertPosted[] = {"VERT ORDER  -  * POSTED"sv};
constexpr std::string_view kVertReadjust[] = {"VERT ORDER  -  * READJUST"sv};

constexpr std::string_view kGpsText = "REPORTED AS SUITABLE FOR"sv;

TypeRule horizontalRule(char order)
{
    switch (order) {
    case '0': return {kHorzAny};
    case 'A': return {kHorzA};
    case 'B': return {kHorzB};
    case '1': return {kHorz1};
    case '2': return {kHorz2};
    case '3': return {kHorz3};
    default: return {};
    }
}

TypeRule verticalRule(char order, const Profile& profile)
{
    switch (order) {
    case '0': return {kVertAny};
    case '1': return {kVert1};
    case '2': return {kVert2};
    case '3': return {std::span<const std::string_view>(kVert3).first(profile.thirdVerticalTakesPosted ? 4 : 2)};
    case 'P': return {kVertPosted};
    case 'M': return {kVertReadjust};
    default: return {};
    }
}

// The PID test of the loaders' C origin: the six characters at index 1
// compared as strncmp compares them (the end of the piece or of the PID
// counts as a terminating NUL).
bool carriesPid(std::string_view line, std::string_view pid)
{
    for (std::size_t i = 0; i < 6; ++i) {
        const char a = i + 1 < line.size() ? line[i + 1] : '\0';
        const char b = i < pid.size() ? pid[i] : '\0';
        if (a != b)
            return false;
        if (a == '\0')
            return true;
    }
    return true;
}

bool scanStation(std::string_view pid, platform::LineReader& file, std::uint64_t offset, const TypeRule& rule)
{
    StationLines station(file, offset, pid);
    std::string_view line;
    while (station.next(line))
        if (isBodyLine(line) && carriesPid(line, pid) && lineMatchesRule(line, rule))
            return true;
    return false;
}

} // namespace

StationLines::StationLines(platform::LineReader& reader, std::uint64_t offset, std::string_view pid)
    : reader_(reader), pid_(pid), seeking_(offset > 0), ended_(!reader.seek(offset))
{
}

bool StationLines::next(std::string_view& line)
{
    while (!ended_) {
        if (at_ == piece_.size()) {
            if (!reader_.next(piece_)) {
                ended_ = true;
                break;
            }
            at_ = 0;
        }
        const std::string_view rest = piece_.substr(at_);
        // A piece read whole holds a further line, or a CR that breaks it,
        // only after a CR of its own, which the reader's CR bits tell
        // without a look at its bytes.
        bool breaksInside = false;
        const std::size_t hidden = at_ == 0 && !reader_.pieceHoldsInnerCr() ? std::string_view::npos
                                                                            : hiddenLineStart(rest, breaksInside);
        line = hidden == std::string_view::npos ? rest : rest.substr(0, hidden);
        at_ += line.size();
        if (seeking_) {
            if (!isHeaderLine(line) && !(isBodyLine(line) && line.substr(1, 6) == pid_))
                continue;
            // The station's opening line.
            seeking_ = false;
            opened_ = true;
            rule_ = StationRule::atStation();
            rule_.next(line, breaksInside);
            return true;
        }
        if (rule_.next(line, breaksInside) != StationRule::Opening::None) {
            if (opened_) {
                ended_ = true;
                break;
            }
            opened_ = true;
        }
        return true;
    }
    return false;
}

TypeRule typeRule(std::string_view code, const Profile& profile)
{
    if (code == "FBN")
        return {kFbn};
    if (code == "CBN")
        return {kCbn};
    if (code == "COR")
        return {kCor};
    if (code == "PAC")
        return {kPac};
    if (code == "SAC")
        return {kSac};
    if (code.empty())
        return {};
    const char order = code.size() > 2 ? code[2] : '\0';
    switch (code[0]) {
    case 'H': return horizontalRule(order);
    case 'V': return verticalRule(order, profile);
    case 'G': return {{}, true};
    case 'E': return {kEll};
    default: return {};
    }
}

bool lineMatchesRule(std::string_view line, const TypeRule& rule)
{
    if (rule.gps)
        return line.size() > 7 && line[7] == '_' && hasAt(line, 41, kGpsText);
    // Most lines fail on the first letter; compare whole texts only then.
    if (line.size() <= 9)
        return false;
    for (std::string_view text : rule.texts)
        if (line[9] == text[0] && hasAt(line, 9, text))
            return true;
    return false;
}

bool StationMatchesType(std::string_view code, std::string_view pid, platform::LineReader& file,
                        std::uint64_t offset, const Profile& profile)
{
    if (isAnyType(code))
        return true;
    const TypeRule rule = typeRule(code, profile);
    const std::uint64_t remembered = file.position();
    const std::size_t pieceLength = file.pieceLength();
    file.setPieceLength(profile.readLength());
    // A station that cannot be found at its offset does not pass.
    const bool passes = scanStation(pid, file, offset, rule);
    file.setPieceLength(pieceLength);
    file.seek(remembered);
    return passes;
}

TypeTest makeTypeTest(std::string code, platform::LineReader& file, const Profile& profile)
{
    if (isAnyType(code))
        return {};
    return [code = std::move(code), &file, profile](std::string_view pid, std::uint64_t offset) {
        return StationMatchesType(code, pid, file, offset, profile);
    };
}

std::string typeCodeWithOrder(std::string_view code, char order)
{
    // The code is a C string: an empty one's first character is its
    // terminator, and so is the result's.
    if (code.empty())
        return {};
    return {code[0], '-', order};
}

std::string typeCodeForItem(std::string_view item)
{
    struct Whole {
        std::string_view item;
        std::string_view code;
    };
    static constexpr Whole kWhole[] = {
        {"Any Type", "X-0"},
        {"Only Federal Base", "FBN"},
        {"Only Cooperative Base", "CBN"},
        {"Only Horizontal Control", "H-0"},
        {"Only Vertical Control", "V-0"},
        {"Only Stations with Ellipsoidal Heights", "ELL"},
        {"Only Sites suitable for GPS", "GPS"},
    };
    for (const Whole& w : kWhole)
        if (item == w.item)
            return std::string(w.code);
    if (item.starts_with("Only CORS"))
        return "COR";
    if (item.starts_with("Only PACS"))
        return "PAC";
    if (item.starts_with("Only SACS"))
        return "SAC";
    return std::string(kAnyTypeCode);
}

namespace {

struct OrderText {
    std::string_view text;
    char order;
};

char firstOrderContained(std::string_view item, std::span<const OrderText> texts)
{
    for (const OrderText& t : texts)
        if (item.find(t.text) != std::string_view::npos)
            return t.order;
    return '0';
}

} // namespace

char horizontalOrderForItem(std::string_view item)
{
    static constexpr OrderText kTexts[] = {
        {"A Order", 'A'}, {"B Order", 'B'}, {"1st Order", '1'}, {"2nd Order", '2'}, {"3rd Order", '3'}};
    return firstOrderContained(item, kTexts);
}

char verticalOrderForItem(std::string_view item)
{
    static constexpr OrderText kTexts[] = {
        {"1st Order", '1'}, {"2nd Order", '2'}, {"3rd Order", '3'}, {"POSTED", 'P'}, {"M-HEIGHT", 'M'}};
    return firstOrderContained(item, kTexts);
}

} // namespace ds
