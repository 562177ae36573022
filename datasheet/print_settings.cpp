#include "datasheet/print_settings.h"

#include <algorithm>

#include "platform/inputs_in_use.h"
#include "platform/line_reader.h"
#include "platform/safe_output.h"

namespace ds {

namespace {

constexpr std::string_view kLinesKey = "LinesPerPage = ";
constexpr std::string_view kEjectKey = "PageEject    = ";
constexpr std::size_t kValueIndex = 15;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view valueAt(std::string_view line, std::size_t length)
{
    return line.size() > kValueIndex ? line.substr(kValueIndex, length) : std::string_view{};
}

// Reads the file's lines whole, without their line ends (CR LF or LF).
// False when the file cannot be opened.
template <typename Each>
bool forEachLine(const std::string& path, bool lastLineWithoutEnd, Each each)
{
    platform::LineReader reader;
    if (!reader.open(path))
        return false;
    std::string_view piece;
    while (reader.next(piece)) {
        const bool ended = !piece.empty() && piece.back() == '\n';
        if (!ended && !lastLineWithoutEnd)
            break;
        if (ended)
            piece.remove_suffix(1);
        if (!piece.empty() && piece.back() == '\r')
            piece.remove_suffix(1);
        each(piece);
    }
    return true;
}

} // namespace

int linesPerPageNumber(std::string_view text)
{
    text = text.substr(0, 2);
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        value = value * 10 + (text[i] - '0');
    return negative ? -value : value;
}

std::string printSettingsText(std::string_view linesPerPageText, bool pageEject)
{
    std::string lines(linesPerPageText.substr(0, 2));
    lines.resize(2, ' ');
    return std::string(kLinesKey) + lines + "\r\n" + std::string(kEjectKey) + (pageEject ? "1" : "0") + "\r\n\r\n";
}

bool savePrintSettings(const std::string& path, std::string_view linesPerPageText, bool pageEject,
                       platform::NoticeSink& notices)
{
    if (platform::refuseInputInUse(path, notices))
        return false;
    platform::SafeOutput out;
    if (out.open(path, platform::SafeOutput::Mode::Overwrite)) {
        out.writer().write(printSettingsText(linesPerPageText, pageEject));
        if (out.commit())
            return true;
    }
    notices.notice("NOTICE", "Cannot save at the current location");
    return false;
}

DialogPrintSettings readDialogPrintSettings(const std::string& path, const std::vector<std::string>& items)
{
    DialogPrintSettings settings;
    settings.read = forEachLine(path, false, [&](std::string_view line) {
        if (line.starts_with(kLinesKey.substr(0, 14))) {
            const std::string_view value = valueAt(line, 2);
            if (std::find(items.begin(), items.end(), value) != items.end())
                settings.linesItem = std::string(value);
        } else if (line.starts_with(kEjectKey.substr(0, 14))) {
            settings.pageEject = valueAt(line, 1) == "1" ? 1 : 0;
        }
    });
    return settings;
}

ListPrintSettings readListPrintSettings(const std::string& path)
{
    ListPrintSettings settings;
    settings.read = forEachLine(path, true, [&](std::string_view line) {
        if (line.starts_with(kLinesKey)) {
            settings.linesPerPage = linesPerPageNumber(valueAt(line, 2));
        } else if (line.starts_with(kEjectKey)) {
            const std::string_view value = valueAt(line, 1);
            settings.pageEject = !value.empty() && isDigit(value[0]) ? value[0] - '0' : 0;
        }
    });
    return settings;
}

} // namespace ds
