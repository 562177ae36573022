#include "platform/qt/text.h"

#include <gtest/gtest.h>

using platform::fromQ;
using platform::toQ;

TEST(Text, EveryByteGoesThroughUnchanged)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all.push_back(static_cast<char>(byte));
    const QString text = toQ(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text.at(0xE9), QChar(0xE9));
    EXPECT_EQ(text.at(0xA0), QChar(0xA0));
    EXPECT_EQ(fromQ(text), all);
}

TEST(Text, CharactersBeyondLatin1BecomeQuestionMarks)
{
    EXPECT_EQ(fromQ(QString::fromUtf8("a\xc4\x80z")), "a?z"); // U+0100
}

TEST(Text, PathsUseTheFileNameEncoding)
{
    const std::string path = "/tmp/d\xc3\xa9j\xc3\xa0 vu/file.txt"; // UTF-8 "déjà vu"
    EXPECT_EQ(platform::pathToQ(path), QString::fromUtf8(path.c_str()));
    EXPECT_EQ(platform::pathFromQ(platform::pathToQ(path)), path);
}

// Notices and labels show names as the system spells them: UTF-8 as typed,
// a byte that is no part of UTF-8 as \xNN.
TEST(Text, SystemTextShowsUtf8AsTypedAndEscapesOtherBytes)
{
    struct Case {
        std::string bytes;
        QString shown;
    };
    for (const Case& c : {
             Case{"/data/caf\xc3\xa9.txt", QString::fromUtf8("/data/caf\xc3\xa9.txt")},
             Case{"/data/caf\xe9.txt", QStringLiteral("/data/caf\\xe9.txt")},
             Case{"a\xc3", QStringLiteral("a\\xc3")},                        // cut short
             Case{"\xc0\xaf", QStringLiteral("\\xc0\\xaf")},                  // overlong '/'
             Case{"\xed\xa0\x80", QStringLiteral("\\xed\\xa0\\x80")},         // a surrogate
             Case{"\xf0\x9f\x99\x82 ok", QString::fromUtf8("\xf0\x9f\x99\x82 ok")},
             Case{"Cannot write to file x\r\nNOTICE", QStringLiteral("Cannot write to file x\r\nNOTICE")},
         }) {
        EXPECT_EQ(platform::systemTextToQ(c.bytes), c.shown) << c.bytes;
    }
}

// Notices: valid UTF-8 as UTF-8, any other byte as the 8-bit character of
// its code, as toQ shows datasheet text.
TEST(Text, NoticeTextShowsUtf8AndEveryOtherByteAsItsEightBitCharacter)
{
    struct Case {
        std::string bytes;
        QString shown;
    };
    for (const Case& c : {
             Case{"Name = CAF\xc9 TOWER Not Found", QString::fromUtf8("Name = CAF\xc3\x89 TOWER Not Found")},
             Case{"/data/caf\xc3\xa9.txt", QString::fromUtf8("/data/caf\xc3\xa9.txt")},
             Case{"\xe9t\xe9 caf\xc3\xa9", QString::fromUtf8("\xc3\xa9t\xc3\xa9 caf\xc3\xa9")}, // both in one text
             Case{"a\xc3", QString::fromUtf8("a\xc3\x83")},                   // cut short
             Case{"\xc0\xaf", QString::fromUtf8("\xc3\x80\xc2\xaf")},         // overlong '/'
             Case{"\xed\xa0\x80", QString::fromUtf8("\xc3\xad\xc2\xa0\xc2\x80")}, // a surrogate
             Case{"\xf0\x9f\x99\x82 \xff", QString::fromUtf8("\xf0\x9f\x99\x82 \xc3\xbf")},
             Case{"x\r\n\x85\xa0", QString::fromUtf8("x\r\n\xc2\x85\xc2\xa0")},
             Case{"", QString()},
         }) {
        EXPECT_EQ(platform::noticeTextToQ(c.bytes), c.shown) << c.bytes;
    }
    // Text without UTF-8 sequences reads as toQ reads it: every byte.
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        if (byte < 0x80 || byte > 0xF4)
            all.push_back(static_cast<char>(byte));
    EXPECT_EQ(platform::noticeTextToQ(all), toQ(all));
}
