#include "foundation/Numbering.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

TEST(Numbering, LabelsByStyle)
{
    struct Row {
        int style;
        int number;
        const char* label;
    };
    const Row rows[] = {
        {1, 1, "1"},     {1, 42, "42"},   {1, 0, ""},       {2, 1, "a"},       {2, 26, "z"},
        {2, 27, "aa"},   {2, 53, "aaa"},  {3, 1, "A"},      {3, 26, "Z"},      {3, 28, "BB"},
        {2, -1, ""},     {4, 4, "IV"},    {4, 9, "IX"},     {4, 14, "XIV"},    {4, 20, "XX"},
        {4, 21, "XXI"},  {4, 49, "XLIX"}, {4, 1994, "MCMXCIV"}, {5, 19, "xix"}, {5, 40, "xl"},
        {4, 0, ""},      {4, 4000, ""},   {5, -3, ""},      {0, 5, ""},        {6, 5, ""},
        {-1, 5, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CNumbering(row.style, row.number).GetText(), row.label)
            << "style " << row.style << " number " << row.number;
}

TEST(Numbering, FormatFillsOnlyTheLabel)
{
    EXPECT_EQ(CNumbering(3, 2).Format("%s."), "B.");
    EXPECT_EQ(CNumbering(4, 3).Format("(%s) 100%%"), "(III) 100%");
    // An unknown style gives the format with an empty label; other conversions stay text.
    EXPECT_EQ(CNumbering(9, 3).Format("%s. %d"), ". %d");
    EXPECT_EQ(CNumbering(1, 3).Format(nullptr), "");
}

TEST(TimeEx, TextRoundTrip)
{
    CTimeEx t(CTime(2006, 3, 5, 9, 7, 5));
    ASSERT_TRUE(t.IsValid());
    EXPECT_EQ(t.GetText(), "3/5/2006 9:7:5");

    CTimeEx back;
    ASSERT_TRUE(back.SetFromText("3/5/2006 9:7:5"));
    EXPECT_EQ(back, t);
    ASSERT_TRUE(back.SetFromText("3-5-2006 9:7:5 extra"));
    EXPECT_EQ(back, t);
}

TEST(TimeEx, RefusedTextsLeaveTheTime)
{
    const CTimeEx kept(CTime(2010, 12, 31, 23, 59, 59));
    const char* bad[] = {
        "3/5/2006",           // a date alone
        "13/40/2006 9:7:5",   // month and day out of range
        "2/30/2006 9:7:5",    // no such day
        "3/5/2006 24:0:0",    // hour out of range
        "3/5/2006 9:60:0",    // minute out of range
        "3/5 9:7:5",          // a field missing
        "3/5/2006 9:7",       // a field missing
        "3/5/2006/1 9:7:5",   // a field too many
        "3/x/2006 9:7:5",     // not a number
        "3/5/99999999999 9:7:5",
        "",
        nullptr,
    };
    for (const char* text : bad) {
        CTimeEx t = kept;
        EXPECT_FALSE(t.SetFromText(text)) << (text ? text : "(null)");
        EXPECT_EQ(t, kept) << (text ? text : "(null)");
    }
}

TEST(TimeEx, AnHourSkippedByDaylightSavingTimeIsRead)
{
    // Written under a zone without the change, read where 2:30 on that day does not exist.
    const char* old = std::getenv("TZ");
    std::string saved = old ? old : "";
    setenv("TZ", "America/New_York", 1);
    tzset();
    CTimeEx t;
    BOOL ok = t.SetFromText("4/2/2006 2:30:0");
    CTimeEx leap;
    BOOL okLeap = leap.SetFromText("2/29/2008 12:0:0");
    BOOL okNoLeap = leap.SetFromText("2/29/2007 12:0:0");
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();

    EXPECT_TRUE(ok);
    EXPECT_TRUE(t.IsValid());
    EXPECT_TRUE(okLeap);
    EXPECT_FALSE(okNoLeap);
}
