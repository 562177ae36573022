#include "pellorin/core/retrieval_date.h"

#include <gtest/gtest.h>

#include "tests/support/test_files.h"

TEST(RetrievalDate, DateTextsConvertToYearMonthDay)
{
    struct Case {
        const char* text;
        const char* ymd;
    };
    const Case cases[] = {
        {"SEPTEMBER 17, 2003", "20030917"},
        {"MARCH 2, 2004", "20040302"},
        {"January 5, 2004", "20040105"},
        {"JUNE 21, 2005", "20050621"},
        {"DECEMBER 123, 2004", "200412**"}, // a third day digit
        {"MAY 1, 20045", "****0501"},       // a fifth year digit
        {"NOWHEN 1, 2004", "2004**01"},     // no month name
        {"JULY , 2004", "20040700"},        // no day
        {"JULY 4,", "000704"},              // no year
        {"APRIL 2004", "20040400"},         // no comma: the year is every digit after the second character
        {"APRIL 7 2004", "****0400"},
        {"FEBRUARY 3, 2004 X", "20040200"}, // the last letter stands after the comma: no day
        {"", "00**00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pellorin::DateToYmd(c.text), c.ymd) << c.text;
}

TEST(RetrievalDate, TrimLineEndAndCharIndex)
{
    std::string text = "MARCH 2, 2004 \t\r\n\x01\xA0";
    pellorin::TrimLineEnd(text);
    EXPECT_EQ(text, "MARCH 2, 2004");
    std::string blanks = "   ";
    pellorin::TrimLineEnd(blanks);
    EXPECT_EQ(blanks, "");
    EXPECT_EQ(pellorin::CharIndex("MAY 1, 2004", ','), 5);
    EXPECT_EQ(pellorin::CharIndex("MAY 1 2004", ','), 0);
    EXPECT_EQ(pellorin::CharIndex(",", ','), 0);
}

TEST(RetrievalDate, FirstHeaderOfTheFileAndTheComparison)
{
    testsupport::TempDir dir;
    const std::string header = "1        Quarndale Geomark Bureau,   Retrieval Date = ";
    testsupport::writeFile(dir.file("a.dat"), "text\r\n" + header + "MARCH 2, 2004\r\n AB1234 x\r\n" + header +
                                                   "JUNE 21, 2005\r\n");
    testsupport::writeFile(dir.file("lf.dat"), header + "JUNE 21, 2005\n");
    std::string lateHeader;
    for (int i = 0; i < 300; ++i)
        lateHeader += " AB1234 line\r\n";
    testsupport::writeFile(dir.file("late.dat"), lateHeader + header + "JUNE 21, 2005\r\n");

    std::string date;
    ASSERT_TRUE(pellorin::GetRetrievalDate(dir.file("a.dat"), date));
    EXPECT_EQ(date, "20040302");
    ASSERT_TRUE(pellorin::GetRetrievalDate(dir.file("lf.dat"), date));
    EXPECT_EQ(date, "20050621");
    ASSERT_TRUE(pellorin::GetRetrievalDate(dir.file("late.dat"), date));
    EXPECT_EQ(date, "00**00");
    EXPECT_FALSE(pellorin::GetRetrievalDate(dir.file("missing.dat"), date));

    EXPECT_TRUE(pellorin::isOlderUpdate("20050621", "20040302"));
    EXPECT_FALSE(pellorin::isOlderUpdate("20040302", "20040302"));
    EXPECT_FALSE(pellorin::isOlderUpdate("2004**02", "20040102")); // a star sorts below a digit
    EXPECT_FALSE(pellorin::isOlderUpdate("00**00", "20040302"));
}
