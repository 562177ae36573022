#pragma once
// The datasheet text format: header lines, body lines, the header test.
#include <algorithm>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <string>
#include <string_view>
#include <type_traits>

#include "datasheet/line_parsers.h"
#include "datasheet/profile.h"

namespace ds {

// A station's datasheet begins with a line that starts with these 33 characters.
inline constexpr std::string_view kHeaderStart = "1        Quarndale Geomark Bureau";
// Readers that copy or show one datasheet want the comma after the name too.
inline constexpr std::string_view kHeaderWithComma = "1        Quarndale Geomark Bureau,";

inline bool isHeaderLine(std::string_view line)
{
    return !line.empty() && line[0] == '1' && line.substr(0, kHeaderStart.size()) == kHeaderStart;
}

inline bool isHeaderWithComma(std::string_view line)
{
    return line.substr(0, kHeaderWithComma.size()) == kHeaderWithComma;
}

inline bool isUpper(char c)
{
    auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z';
}

inline bool isDigit(char c)
{
    auto u = static_cast<unsigned char>(c);
    return u >= '0' && u <= '9';
}

inline bool isLower(char c)
{
    auto u = static_cast<unsigned char>(c);
    return u >= 'a' && u <= 'z';
}

// ASCII letters only: 8-bit characters never change case.
inline char toUpper(char c)
{
    return isLower(c) ? static_cast<char>(c - 'a' + 'A') : c;
}

// A line the loaders read: a blank, then the PID's first (upper-case) letter.
inline bool isBodyLine(std::string_view line)
{
    return line.size() >= 2 && line[0] == ' ' && isUpper(line[1]);
}

// The PID a body line holds at index 1-6 (after its blank): two capital
// letters and four digits; empty when the line holds none. Text such as
// " DATABASE = ..." after a header is a body line that holds no PID.
inline std::string_view heldPid(std::string_view line)
{
    if (line.size() < 7 || line[0] != ' ' || !isUpper(line[1]) || !isUpper(line[2]))
        return {};
    for (std::size_t i = 3; i < 7; ++i)
        if (!isDigit(line[i]))
            return {};
    return line.substr(1, 6);
}

// Whether the text at `index` of the line begins with `label` (false when the
// line is too short to hold it).
inline bool hasAt(std::string_view line, std::size_t index, std::string_view label)
{
    return line.size() >= index + label.size() && line.compare(index, label.size(), label) == 0;
}

// Where stations open, for every reader that lists, copies, skips or
// replaces them. Fed a file's lines in order, it tells which line opens a
// station:
// - a header line;
// - a body line that holds a PID other than the station's own (the PID of
//   its first line that holds one, or of its DESIGNATION line once met: the
//   PID the station is listed under), when the line before it holds no PID:
//   that line is the station's damaged header line (or a line between
//   stations), and the station opens at its first body line. A line of
//   another PID that follows a line holding a PID is a stray line of the
//   station it stands in, and does not change the station's PID.
// The first line holding a PID after a header line opens nothing and gives
// the station its PID. Before the first station the lines belong to none
// (their labels go to the first station); a line holding a PID opens one
// there only after a line that holds none (the file's first header line
// damaged). Two stations of the same PID with a damaged header between
// them read as one. A CR that is not part of a CR LF ends a line for the
// rule, whatever follows it (see next()).
class StationRule {
public:
    enum class Opening { None, Header, Body };

    // Reading from the start of the file.
    StationRule() = default;
    // Reading from a station's first line (its header line, or the first
    // body line of a station whose header is damaged).
    static StationRule atStation()
    {
        StationRule rule;
        rule.opened_ = true;
        rule.afterPid_ = false;
        return rule;
    }

    // Reading on inside a station of the PID (empty: none shown yet).
    static StationRule within(std::string_view pid)
    {
        StationRule rule = atStation();
        rule.pidLength_ = std::min<std::size_t>(pid.size(), 6);
        pid.copy(rule.pid_, rule.pidLength_);
        rule.afterPid_ = rule.pidLength_ > 0;
        return rule;
    }

    // `line` is one that forEachLineIn gives (or the text of one);
    // `breaksInside` tells whether it holds a CR that is not part of a CR LF
    // before its end (forEachLineIn tells): the rule reads the text after
    // that CR as a line of its own, one that holds no PID.
    Opening next(std::string_view line, bool breaksInside)
    {
        const Opening opening = nextLine(line);
        if (breaksInside) {
            brokeAfterPid_ = afterPid_;
            afterPid_ = false;
        }
        return opening;
    }

    // For readers that copy a station whose header is damaged together with
    // that damaged header line: where the station that next() just opened
    // begins, given the offsets of the opening line and of the line before
    // it. A header line begins its station; a station that opens at a body
    // line begins at the line before (its damaged header), unless that
    // stands after a bare CR inside a line of the station before (one
    // holding a PID): that line keeps it, and the station begins at its
    // first body line.
    std::uint64_t stationStart(Opening opening, std::uint64_t offset, std::uint64_t before) const
    {
        return opening == Opening::Body && openedApart_ ? before : offset;
    }

    // The station's own PID: that of its first line that held one; empty
    // when none did since the station's header line.
    std::string_view pid() const { return std::string_view(pid_, pidLength_); }
    // False while the lines read stand before the file's first station.
    bool inStation() const { return opened_; }

private:
    Opening nextLine(std::string_view line)
    {
        // Most lines are lines of the station's PID: nothing changes.
        if (pidLength_ == 6 && line.size() >= 7 && line[0] == ' ' && std::memcmp(line.data() + 1, pid_, 6) == 0) {
            afterPid_ = true;
            return Opening::None;
        }
        if (isHeaderLine(line)) {
            opened_ = true;
            pidLength_ = 0;
            afterPid_ = false;
            brokeAfterPid_ = false;
            return Opening::Header;
        }
        const std::string_view held = heldPid(line);
        if (held.empty()) {
            afterPid_ = false;
            brokeAfterPid_ = false;
            return Opening::None;
        }
        const bool opens = !afterPid_ && (pidLength_ == 0 ? !opened_ : held != pid());
        opened_ = opened_ || opens;
        if (opens)
            openedApart_ = !brokeAfterPid_;
        // A stray line of another PID leaves the station's own; a
        // DESIGNATION line gives the station the PID the loader lists it
        // under (after a stray first line).
        if (opens || pidLength_ == 0 || hasAt(line, 7, kDesignationLabel)) {
            held.copy(pid_, held.size());
            pidLength_ = held.size();
        }
        afterPid_ = true;
        return opens ? Opening::Body : Opening::None;
    }

    char pid_[6] = {};
    std::size_t pidLength_ = 0;
    bool opened_ = false;
    bool afterPid_ = true; // the file's start counts as a line holding a PID
    // The last line held a PID and broke inside: its text after the CR
    // holds none (afterPid_ is false then), but stands in that line.
    bool brokeAfterPid_ = false;
    bool openedApart_ = true;
};

// Where a line read up to its LF holds the next line too, after a CR that
// is not its line end (a line whose LF was lost): when what follows the CR
// begins a header line or holds a PID. The index after that CR, or npos.
// `breaksInside` is set when the line before that index holds another CR
// that no LF follows, before its end: text that opens nothing, which stays
// in the line (outputs keep such a line as it stands) but is a line of its
// own for ds::StationRule.
std::size_t hiddenLineStartAfterCr(std::string_view line, bool& breaksInside);
inline std::size_t hiddenLineStart(std::string_view line, bool& breaksInside)
{
    breaksInside = false;
    // Nearly every line holds no CR but the one before its LF: looked for
    // without a call.
    std::size_t n = line.size();
    if (n > 0 && line[n - 1] == '\n')
        --n;
    if (n > 0 && line[n - 1] == '\r')
        --n;
    const char* p = line.data();
#if defined(__SSE2__)
    // Sixteen bytes at a time; the last block overlaps the one before.
    if (n >= 16) {
        const __m128i cr = _mm_set1_epi8('\r');
        for (std::size_t i = 0;; i += 16) {
            const std::size_t at = i + 16 <= n ? i : n - 16;
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + at));
            if (_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, cr)) != 0)
                return hiddenLineStartAfterCr(line, breaksInside);
            if (at + 16 >= n)
                return std::string_view::npos;
        }
    }
#endif
    for (std::size_t i = 0; i < n; ++i)
        if (p[i] == '\r')
            return hiddenLineStartAfterCr(line, breaksInside);
    return std::string_view::npos;
}

// Calls each(part, index) for each line that `line` (read up to its LF)
// holds: the line itself, or its parts split after the CRs that
// hiddenLineStart finds; a part before such a CR ends with it. An `each`
// that takes a third argument gets the part's breaksInside, for
// ds::StationRule::next. `each` returns whether to go on; false when it
// stopped.
template <typename Each>
bool forEachLineIn(std::string_view line, Each&& each)
{
    std::size_t at = 0;
    for (;;) {
        bool breaksInside = false;
        const std::size_t hidden = hiddenLineStart(line.substr(at), breaksInside);
        const std::string_view part = hidden == std::string_view::npos ? line.substr(at) : line.substr(at, hidden);
        bool more;
        if constexpr (std::is_invocable_v<Each&, std::string_view, std::size_t, bool>)
            more = each(part, at, breaksInside);
        else
            more = each(part, at);
        if (hidden == std::string_view::npos || !more)
            return more;
        at += hidden;
    }
}

// True when one of the first 100 reads of the file begins with the header
// start. False when the file cannot be opened; `unreadable`, when given,
// then tells whether it could not be opened or read.
bool IsDatasheetFile(const std::string& path, const Profile& profile = kKavro, bool* unreadable = nullptr);

} // namespace ds
