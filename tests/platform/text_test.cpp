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
