#pragma once
// Station-type codes and the type test of one station's datasheet.
//
// A type code is three characters: "X-0" (any type; an empty code counts the
// same), "FBN", "CBN", "COR", "PAC", "SAC", "GPS", "ELL", or "H-" / "V-" and
// an order character (H-0 H-A H-B H-1 H-2 H-3, V-0 V-1 V-2 V-3 V-P V-M). A
// station is of the code's kind when one of its body lines begins, at index
// 9, with one of the texts of the code's rule; GPS instead wants '_' at
// index 7 and "REPORTED AS SUITABLE FOR" at index 41. Any other code lets no
// station pass.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "datasheet/datasheet_format.h"
#include "datasheet/profile.h"
#include "datasheet/station_loader.h"
#include "platform/line_reader.h"

namespace ds {

inline constexpr std::string_view kAnyTypeCode = "X-0";

// "X-0" or empty: every station passes and no datasheet is read.
inline bool isAnyType(std::string_view code)
{
    return code.empty() || code == kAnyTypeCode;
}

// The lines of one station read from an offset, split into stations as
// every reader splits a file (StationRule): the reader's pieces, split after
// the CRs that hiddenLineStart finds, up to the line that opens the next
// station or the end of the file. Offset 0 reads the file's first station,
// the lines before its opening line included. From any other offset the
// lines before the station's opening line (a header line, or a body line
// holding the PID at index 1-6, the first body line of a station whose
// header is damaged) are passed over, so the offset may point at the header
// line, into it, at a damaged header line or at the first body line. The
// PID's characters must outlive the reading.
class StationLines {
public:
    StationLines(platform::LineReader& reader, std::uint64_t offset, std::string_view pid);

    // The station's next line, its line end kept; the view lasts until the
    // next call. False at the station's end, at the end of the file, on a
    // read error (reader.failed()) or when the offset could not be sought.
    bool next(std::string_view& line);

private:
    platform::LineReader& reader_;
    std::string_view pid_;
    std::string_view piece_;
    std::size_t at_ = 0;
    StationRule rule_;
    bool seeking_;        // passing over the lines before the station
    bool opened_ = false; // the station's opening line has been read
    bool ended_;
};

// What one line must hold to pass a code.
struct TypeRule {
    std::span<const std::string_view> texts; // any of them at index 9
    bool gps = false;
};

// The rule of a code in the given build (Morvane's V-3 differs). A code of
// no rule gives a rule that no line passes. Not for isAnyType codes.
TypeRule typeRule(std::string_view code, const Profile& profile);

bool lineMatchesRule(std::string_view line, const TypeRule& rule);

// Whether the station with the PID, whose datasheet is at the byte offset of
// the open file, is of the code's kind. Reads pieces of
// profile.readLength() from the offset and tests the station's lines that
// carry the PID (StationLines: a stray line of another PID neither passes
// the station nor ends it). The offset may point at the header line, into
// it, at a damaged header line or at the station's first body line. The
// reader's position (and piece length) are put back before the answer; an
// isAnyType code does not touch the reader at all.
bool StationMatchesType(std::string_view code, std::string_view pid, platform::LineReader& file,
                        std::uint64_t offset, const Profile& profile);

// A type test for loadStations that reads every station back through
// `file`, a reader of its own opened on the file being loaded. Empty (every
// station kept, nothing read) for an isAnyType code.
TypeTest makeTypeTest(std::string code, platform::LineReader& file, const Profile& profile);

// The code with its order character: the code's first character, '-' and
// the order ("H-0" with '2' gives "H-2"). An empty code stays empty.
std::string typeCodeWithOrder(std::string_view code, char order);

// The dialog's choices. The code of a TypeList item ("X-0" for one that
// names no type), and the order characters of HOrderList and VOrderList
// items ('0' for one that names no order).
std::string typeCodeForItem(std::string_view item);
char horizontalOrderForItem(std::string_view item);
char verticalOrderForItem(std::string_view item);

} // namespace ds
