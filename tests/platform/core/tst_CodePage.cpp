#include "platform/core/CodePage.h"
#include "platform/core/String.h"

#include <gtest/gtest.h>

TEST(CodePage, EveryHighByteRoundTripsThroughUtf8)
{
    for (int b = 0x80; b <= 0xFF; ++b) {
        std::string one(1, static_cast<char>(b));
        std::string utf8 = cp1252::ToUtf8(one);
        EXPECT_GT(utf8.size(), 1u) << "byte " << b;
        EXPECT_EQ(cp1252::FromUtf8(utf8), one) << "byte " << b;
    }
}

TEST(CodePage, KnownMappings)
{
    struct Case {
        unsigned char byte;
        char32_t cp;
    } cases[] = {
        {0x80, 0x20AC}, {0x85, 0x2026}, {0x91, 0x2018}, {0x92, 0x2019}, {0x93, 0x201C},
        {0x94, 0x201D}, {0x96, 0x2013}, {0x97, 0x2014}, {0x9F, 0x0178}, {0xA0, 0x00A0},
        {0xE9, 0x00E9}, {0xFF, 0x00FF},
        // Undefined in the code page: kept as the C1 control of the same value.
        {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x9D, 0x009D},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cp1252::ToUnicode(c.byte), c.cp) << int(c.byte);
        EXPECT_EQ(cp1252::FromUnicode(c.cp), int(c.byte)) << int(c.byte);
    }
}

TEST(CodePage, UnmappableAndMalformedUtf8BecomeReplacement)
{
    EXPECT_EQ(cp1252::FromUtf8("a\xE2\x88\x9A" "b"), "a?b");   // square root: not in the code page
    EXPECT_EQ(cp1252::FromUtf8("a\xC3" "b"), "a?b");           // cut sequence
    EXPECT_EQ(cp1252::FromUtf8("\xE2\x82\xAC"), "\x80");       // euro
    // Overlong forms and surrogates are malformed, never a NUL or a character in disguise.
    EXPECT_EQ(cp1252::FromUtf8(std::string("a\xC0\x80" "b")), "a??b");
    EXPECT_EQ(cp1252::FromUtf8("\xE0\x81\x81"), "???");
    EXPECT_EQ(cp1252::FromUtf8("\xED\xA0\x80"), "???");
    EXPECT_EQ(cp1252::FromUtf8("\xF0\x9F\x98\x80"), "?");      // outside the code page, one character
}

TEST(CodePage, CaseOfHighLetters)
{
    CString s("\xE9t\xE9 \x9A");  // été š
    s.MakeUpper();
    EXPECT_EQ(s, "\xC9T\xC9 \x8A");
    EXPECT_EQ(CString("\xC9t\xE9").CompareNoCase("\xE9T\xC9"), 0);
    EXPECT_EQ(cp1252::ToUpper(0xF7), 0xF7);  // division sign has no case
    EXPECT_EQ(cp1252::ToLower(0xD7), 0xD7);  // multiplication sign has no case
}
