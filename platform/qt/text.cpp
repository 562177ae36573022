#include "platform/qt/text.h"

#include <QFile>

namespace platform {

QString toQ(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string fromQ(const QString& text)
{
    QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString pathToQ(const std::string& path)
{
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

namespace {

// The length of the valid UTF-8 sequence at the start of `text`, 0 when
// none starts there (a stray continuation byte, an overlong form, a
// surrogate, a code point beyond U+10FFFF, a sequence cut short).
std::size_t utf8SequenceLength(std::string_view text)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length;
    char32_t code;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}

// The text with its valid UTF-8 sequences decoded and every other byte
// given to `other`.
template <typename Other>
QString decodeUtf8Or(std::string_view text, Other other)
{
    QString shown;
    shown.reserve(static_cast<qsizetype>(text.size()));
    while (!text.empty()) {
        std::size_t length = 0;
        while (length < text.size()) {
            const std::size_t sequence = utf8SequenceLength(text.substr(length));
            if (sequence == 0)
                break;
            length += sequence;
        }
        shown += QString::fromUtf8(text.data(), static_cast<qsizetype>(length));
        text.remove_prefix(length);
        if (!text.empty()) {
            other(shown, static_cast<unsigned char>(text.front()));
            text.remove_prefix(1);
        }
    }
    return shown;
}

} // namespace

QString systemTextToQ(std::string_view text)
{
    return decodeUtf8Or(text, [](QString& shown, unsigned char byte) {
        static const char kHex[] = "0123456789abcdef";
        shown += QLatin1String("\\x");
        shown += QLatin1Char(kHex[byte >> 4]);
        shown += QLatin1Char(kHex[byte & 0x0F]);
    });
}

QString noticeTextToQ(std::string_view text)
{
    return decodeUtf8Or(text, [](QString& shown, unsigned char byte) { shown += QChar(char16_t(byte)); });
}

std::string eightBitForNotice(std::string_view text)
{
    const QByteArray bytes = toQ(text).toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

std::string pathFromQ(const QString& path)
{
    QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace platform
