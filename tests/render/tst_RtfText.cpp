#include "render/RtfText.h"

#include "tests/render/RtfFixture.h"

#include <string>

namespace {

class RtfTextTest : public RtfFixture {};

TEST_F(RtfTextTest, DefaultHeader)
{
    EXPECT_EQ(MakeDefaultRtfHeader(), "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fprq3\\fcharset0 "
                                      "Arial;}}\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs20 ");
    EXPECT_NE(MakeDefaultRtfHeader(2).Find("\\fprq2"), -1);
    EXPECT_EQ(MakeDefaultRtfHeader(2).Find("fprq3"), -1);
}

TEST_F(RtfTextTest, PlainTextAndVisibleOffsets)
{
    const CString h = MakeDefaultRtfHeader();
    struct Case {
        CString text;
        const char* plain;
        int first;
        int last;
    } cases[] = {
        {"  plain, not RTF", "  plain, not RTF", 99, 99},
        {Rtf("Hello world"), "Hello world", h.GetLength(), h.GetLength() + 11},
        {Rtf("a\\par b\\tab c\\line d"), "a\nb\tc\nd", h.GetLength(), h.GetLength() + 20},
        {Rtf("caf\\'e9 \\ldblquote q\\rdblquote"), "caf@ @q@", h.GetLength(), h.GetLength() + 30},
        {Rtf("\\{x\\} \\\\"), "{x} \\", h.GetLength(), h.GetLength() + 8},
        {Rtf("a{\\footnote note}{\\*\\bkmkstart b}c"), "ac", h.GetLength(), h.GetLength() + 34},
        {Rtf("\\par  \\par "), "\n \n", -1, -1},
        {"  \r\n" + Rtf("x"), "x", h.GetLength() + 4, h.GetLength() + 5},
    };
    for (const Case& c : cases) {
        int first = 99;
        int last = 99;
        EXPECT_EQ(std::string(RtfToPlainText(c.text, &first, &last)), c.plain) << c.text.GetString();
        EXPECT_EQ(first, c.first) << c.text.GetString();
        EXPECT_EQ(last, c.last) << c.text.GetString();
    }
    // Broken RTF gives what was read before the break.
    EXPECT_EQ(RtfToPlainText(Rtf("ab\\'zz cd")), "ab");
    EXPECT_EQ(RtfToPlainText(MakeDefaultRtfHeader() + "no closing brace"), "no closing brace");
}

TEST_F(RtfTextTest, Emptiness)
{
    EXPECT_TRUE(IsRtfEmpty(""));
    EXPECT_TRUE(IsRtfEmpty(nullptr));
    EXPECT_TRUE(IsRtfEmpty(" \t\r\n"));
    EXPECT_TRUE(IsRtfEmpty(Rtf("\\par  \\par ")));
    EXPECT_TRUE(IsRtfEmpty(Rtf("{\\footnote hidden}")));
    EXPECT_FALSE(IsRtfEmpty("x"));
    EXPECT_FALSE(IsRtfEmpty(Rtf("\\par x")));
}

TEST_F(RtfTextTest, FontPitchRepair)
{
    struct Case {
        const char* in;
        BOOL result;
        const char* out;
    } cases[] = {
        {"plain \\fprq3 \\fprq3", FALSE, "plain \\fprq3 \\fprq3"},
        {"{\\rtf1{\\f0\\fprq3 A;}}", TRUE, "{\\rtf1{\\f0\\fprq3 A;}}"},
        {" {\\rtf1{\\f0\\fprq3 A;}{\\f1\\fprq3 B;}{\\f2\\fprq2 C;}{\\f3\\fprq3 D;}}", TRUE,
         " {\\rtf1{\\f0\\fprq3 A;}{\\f1\\fprq2 B;}{\\f2\\fprq2 C;}{\\f3\\fprq2 D;}}"},
    };
    for (const Case& c : cases) {
        CString text = c.in;
        EXPECT_EQ(RepairRtfFontPitch(text), c.result) << c.in;
        EXPECT_EQ(text, c.out) << c.in;
    }
}

TEST_F(RtfTextTest, ParagraphMarks)
{
    CString text = "\\pard\\par x\\tab y\\par\\paperw5\\tabx\\\\par";
    StripRtfParagraphMarks(text);
    // Only whole words go; an escaped backslash followed by letters is text.
    EXPECT_EQ(text, " x y\\paperw5\\tabx\\\\par");
    // Words that stand back to back, behind escaped backslashes and at the very end.
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"\\\\\\par\\par x", "\\\\ x"},
        {"\\\\par\\par", "\\\\par"},
        {"a\\tab\\par\\pard\\tab", "a"},
        {"\\par\\\\par\\pa\\tabr", "\\\\par\\pa\\tabr"},
    };
    for (const auto& c : cases) {
        CString t = c.in;
        StripRtfParagraphMarks(t);
        EXPECT_EQ(t, c.out) << c.in;
    }
    EXPECT_TRUE(HasRtfParOrTab("a\\tab"));
    EXPECT_TRUE(HasRtfParOrTab("a\\pard"));
    EXPECT_FALSE(HasRtfParOrTab("a\\b"));
}

TEST_F(RtfTextTest, SpliceBeforeTheFirstVisibleWord)
{
    const CString start = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fprq3\\fcharset0 Arial;}}\\viewkind4\\uc1";
    struct Case {
        const char* name;
        CString rtf;
        const char* insert;
        CString result;
    } cases[] = {
        {"the paragraph mark before the word goes", start + "\\pard\\f0\\fs20 Text\\par}", "1. ",
         start + "\\f0\\fs20 1. Text\\par}"},
        {"a blank separates an insert without one", start + "\\pard\\f0\\fs20 Text\\par}", "1.",
         start + "\\f0\\fs20 1. Text\\par}"},
        {"a text without marks is left", start + "\\f0\\fs20 Text}", "1. ", start + "\\f0\\fs20 Text}"},
        {"a text that is not RTF is left", "Text\\par", "1. ", "Text\\par"},
        {"no visible text: before the final brace", start + "\\pard\\f0\\fs20 \\par }", "1. ",
         start + "\\f0\\fs20  1. }"},
    };
    for (const Case& c : cases) {
        CString rtf = c.rtf;
        SpliceRtfText(rtf, nullptr, 0, c.insert, nullptr);
        EXPECT_EQ(rtf, c.result) << c.name;
    }
    // What was spliced into a text without visible characters still reads as RTF.
    CString empty = start + "\\pard\\f0\\fs20 \\par }";
    SpliceRtfText(empty, nullptr, 0, "1. ", nullptr);
    EXPECT_EQ(RtfToPlainText(empty), " 1. ");
}

TEST_F(RtfTextTest, SpliceAFragmentReadWithAHeader)
{
    const CString header = MakeDefaultRtfHeader();
    struct Case {
        const char* fragment;
        const char* separator;
        const char* result;
    } cases[] = {
        {"\\b Text\\par", " ", "\\b a) Text\\par"},
        {"\\b Text\\par", "", "\\b a) Text\\par"},
        {"Text", " ", " a) Text"},
    };
    for (const Case& c : cases) {
        CString rtf = c.fragment;
        CString separator = c.separator;
        SpliceRtfText(rtf, header, header.GetLength(), "a)", &separator);
        EXPECT_EQ(rtf, c.result) << c.fragment << "|" << c.separator;
    }
}

TEST_F(RtfTextTest, SpliceAfterTheLastVisibleWord)
{
    const CString h = MakeDefaultRtfHeader();
    CString rtf = h + "Text \\par\\par }";
    SpliceRtfTail(rtf, nullptr, 0, ")", nullptr);
    EXPECT_EQ(rtf, h + "Text)  }");

    rtf = h + "Text \\par }";
    CString trim;
    SpliceRtfTail(rtf, nullptr, 0, nullptr, &trim);
    EXPECT_EQ(rtf, h + "Text}");

    rtf = h + "\\par }";
    SpliceRtfTail(rtf, nullptr, 0, "end", nullptr);
    EXPECT_EQ(rtf, h + "\\par end}");

    rtf = h + "\\b Text\\par}";
    SpliceRtf(rtf, nullptr, 0, "1.", "!", nullptr);
    CString noPard = h;
    noPard.Replace("\\pard", "");
    EXPECT_EQ(rtf, noPard + "\\b 1. Text!}");
}

TEST_F(RtfTextTest, SpliceBothEndsReadsOnceAsTwoSplicesWould)
{
    // Choice texts as a parse cuts them from rich text, read with their header.
    const CString header = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\viewkind4\\uc1\\lang1033\\f0\\fs20 ";
    const char* const fragments[] = {
        "The first choice\\par",
        "\\par\\tab The {\\b first} choice\\tab\\par\r\n",
        "\\pard True \\par \\par",
        "{\\b\\par bold} and {\\i italic}\\par\\pard",
        "\\par\\par",
        "",
        "caf\\'e9\\par",
        "x\\super 2\\nosupersub\\par}",
        "{\\v hidden\\par} shown\\par",
        "Text \\par }",
    };
    for (const char* fragment : fragments) {
        for (const bool withHeader : {true, false}) {
            const CString whole = withHeader ? CString(fragment) : header + fragment + "}";
            LPCSTR prefix = withHeader ? header.GetString() : nullptr;
            const int prefixLength = withHeader ? header.GetLength() : 0;
            CString extra;
            for (CString* pExtra : {static_cast<CString*>(nullptr), &extra}) {
                CString once = whole;
                SpliceRtf(once, prefix, prefixLength, "1.", "!", pExtra);
                CString twice = whole;
                SpliceRtfText(twice, prefix, prefixLength, "1.", pExtra);
                SpliceRtfTail(twice, prefix, prefixLength, "!", pExtra);
                EXPECT_EQ(once, twice) << fragment << (withHeader ? " with the header" : "") << (pExtra ? " trimmed" : "");
            }
        }
    }
}

TEST_F(RtfTextTest, LeadText)
{
    const CString h = MakeDefaultRtfHeader();
    struct Case {
        CString rtf;
        const char* text;
        CString result;
    } cases[] = {
        // The blank after a control word stays, or the text would run into the word.
        {h + "  Text}", " Q1. ", h + "Q1. Text}"},
        {h + "\\b\\tab   Text}", "12", h + "\\b\\tab 12 Text}"},
        {h + "\\par}", "Q", h + "\\par Q }"},
        {"plain", "Q", "plain"},
    };
    for (const Case& c : cases) {
        CString rtf = c.rtf;
        InsertRtfLeadText(rtf, c.text);
        EXPECT_EQ(rtf, c.result) << c.rtf.GetString();
    }
}

} // namespace
