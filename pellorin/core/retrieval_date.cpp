#include "pellorin/core/retrieval_date.h"

#include <cstdio>

#include "datasheet/datasheet_format.h"
#include "datasheet/profile.h"
#include "platform/line_reader.h"

namespace pellorin {

namespace {

bool isLetter(char c)
{
    return ds::isUpper(c) || ds::isLower(c);
}

// The digits of text[from, to), other characters skipped; `stars` when there
// are more than `most`, else "%02d" of their value ("00" for none).
std::string digitsPart(std::string_view text, std::size_t from, std::size_t to, std::size_t most,
                       const char* stars)
{
    std::string digits;
    for (std::size_t i = from; i < to && i < text.size(); ++i)
        if (ds::isDigit(text[i]))
            digits += text[i];
    if (digits.size() > most)
        return stars;
    int value = 0;
    for (char d : digits)
        value = value * 10 + (d - '0');
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

} // namespace

int CharIndex(std::string_view text, char character)
{
    const auto at = text.find(character);
    return at == std::string_view::npos ? 0 : static_cast<int>(at);
}

void TrimLineEnd(std::string& text)
{
    while (!text.empty()) {
        const auto c = static_cast<unsigned char>(text.back());
        if (c > ' ' && c < 0x7F)
            break;
        text.pop_back();
    }
}

std::string DateToYmd(std::string_view source)
{
    std::string text(source.substr(0, 50));
    if (const auto nul = text.find('\0'); nul != std::string::npos)
        text.resize(nul);
    for (char& c : text)
        c = ds::toUpper(c);

    static const char* const kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                          "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    std::string month = "**";
    for (int m = 0; m < 12; ++m) {
        if (text.find(kMonths[m]) != std::string::npos) {
            char buffer[4];
            std::snprintf(buffer, sizeof buffer, "%02d", m + 1);
            month = buffer;
            break;
        }
    }

    std::size_t lastLetter = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (isLetter(text[i]))
            lastLetter = i;
    const auto comma = static_cast<std::size_t>(CharIndex(text, ','));

    const std::string day = digitsPart(text, lastLetter + 1, comma, 2, "**");
    const std::string year = digitsPart(text, comma + 2, text.size(), 4, "****");
    return year + month + day;
}

bool GetRetrievalDate(const std::string& path, std::string& out)
{
    platform::LineReader reader(ds::kPellorin.readLength());
    if (!reader.open(path))
        return false;
    std::string dateText;
    std::string_view piece;
    for (int reads = 0; reads < 300 && reader.next(piece); ++reads) {
        if (ds::isHeaderLine(piece)) {
            if (piece.size() > 54)
                dateText = std::string(piece.substr(54, 50));
            break;
        }
    }
    if (reader.failed())
        return false;
    TrimLineEnd(dateText);
    out = DateToYmd(dateText);
    return true;
}

bool isOlderUpdate(std::string_view oldDate, std::string_view upDate)
{
    return oldDate.substr(0, 8) > upDate.substr(0, 8);
}

} // namespace pellorin
