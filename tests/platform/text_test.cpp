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
