#pragma once
// The text of a PDF file's pages as `pdftotext -layout` gives it (package
// poppler-utils): one list of lines a page, without the trailing empty lines.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace testsupport {

inline bool havePdfToText()
{
    return std::system("pdftotext -v > /dev/null 2>&1") == 0;
}

inline std::vector<std::vector<std::string>> pdfPages(const std::string& path)
{
    std::vector<std::vector<std::string>> pages;
    const std::string command = "pdftotext -layout '" + path + "' - 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe)
        return pages;
    std::string text;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, got);
    ::pclose(pipe);
    // Pages end with a form feed.
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\f', start);
        if (end == std::string::npos)
            end = text.size();
        std::vector<std::string> lines;
        std::size_t lineStart = start;
        while (lineStart < end) {
            std::size_t lineEnd = text.find('\n', lineStart);
            if (lineEnd == std::string::npos || lineEnd > end)
                lineEnd = end;
            lines.push_back(text.substr(lineStart, lineEnd - lineStart));
            lineStart = lineEnd + 1;
        }
        while (!lines.empty() && lines.back().find_first_not_of(' ') == std::string::npos)
            lines.pop_back();
        if (end < text.size())
            pages.push_back(std::move(lines));
        start = end + 1;
    }
    return pages;
}

// Blanks at both ends removed.
inline std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Runs of blanks made one blank, and none at either end: pdftotext places
// words by their positions, so its count of blanks between them can differ.
inline std::string squeezed(const std::string& text)
{
    std::string out;
    for (char c : trimmed(text))
        if (c != ' ' || out.empty() || out.back() != ' ')
            out += c;
    return out;
}

} // namespace testsupport
