#include "foundation/UserFormat.h"

#include <gtest/gtest.h>

TEST(UserFormat, FillsTheFirstPlacesAndKeepsEveryOtherPercent)
{
    struct Case {
        const char* pattern;
        const char* expected;
    };
    // Question 12, label b.
    const Case cases[] = {
        {"QID%d_CB_%s", "QID12_CB_b"},
        {"100%_%s_%d", "100%_b_12"},
        {"%s%s%n", "b%s%n"},
        {"%d%d %x %", "12%d %x %"},
        {"Page %d", "Page 12"},
        {"File: %s", "File: b"},
        {"plain", "plain"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatUserPattern(c.pattern, 12, "b"), CString(c.expected)) << c.pattern;
    // A text with percent signs of its own goes in as it stands.
    EXPECT_EQ(FormatUserPattern("%s:%d", 3, "%d%s"), CString("%d%s:3"));
    EXPECT_EQ(FormatUserPattern(nullptr, 1, nullptr), CString(""));
}

TEST(UserFormat, ATextPatternFillsItsFirstTextPlaceOnly)
{
    EXPECT_EQ(FormatTextPattern("Form: %s", "Form a"), CString("Form: Form a"));
    EXPECT_EQ(FormatTextPattern("%d %s %s 50%", "{b}%d"), CString("%d {b}%d %s 50%"));
    EXPECT_EQ(FormatTextPattern("plain", "x"), CString("plain"));
}

TEST(UserFormat, APageNumberTakesItsNumberOrItsLetter)
{
    const struct {
        const char* pattern;
        int page;
        const char* expected;
    } cases[] = {
        {"Page %d", 3, "Page 3"}, {"Page %a", 1, "Page a"}, {"Page %A", 2, "Page B"},
        {"%A-%d of 100%", 27, "AA-%d of 100%"}, {"%s %d %d", 5, "%s 5 %d"}, {"%a", 0, ""},
        {"%d", 7, "7"}, {"Page %a", 27, "Page aa"}, {"Page %a", 28, "Page bb"}, {"%d %a", 2, "%d b"},
        {"100% %d", 4, "100% 4"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatPageNumberPattern(c.pattern, c.page), CString(c.expected)) << c.pattern;
}
