#include "render/RtfDraw.h"

#include "foundation/Log.h"
#include "tests/support/CorraTest.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct TextCase {
    const char* name;
    const char* rtf;
    const char* text;
};

const TextCase kTextCases[] = {
    {"tab, par and curly quotes",
     "{\\rtf1\\ansi\\deff0\\pard\\f0\\fs20 Hello\\tab world\\par Second \\ldblquote q\\rdblquote}",
     "Hello world\nSecond \"q\""},
    {"font and colour tables dropped",
     "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times;}}"
     "{\\colortbl;\\red255\\green0\\blue0;}\\f0 Body}",
     "Body"},
    {"style sheet, info, header and footer dropped",
     "{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}"
     "{\\header H}{\\footer F}Kept}",
     "Kept"},
    {"unknown starred destination skipped, known word after a star read",
     "{\\rtf1{\\*\\generator Msftedit 5.41;}{\\*\\fonttbl x}A\\*\\b B}", "AB"},
    {"unknown words ignored, their blank taken", "{\\rtf1\\viewkind4\\uc1 \\lang1033 a\\zz b}", "ab"},
    {"escaped braces and backslash", "{\\rtf1 \\{x\\}\\\\}", "{x}\\"},
    {"hexadecimal escape", "{\\rtf1 caf\\'e9 \\'C9}", "caf\xE9 \xC9"},
    {"line ends ignored", "{\\rtf1 a\r\nb\n}", "ab"},
    {"bold switches give no text", "{\\rtf1 \\b bold\\b0  x\\i-1 y}", "bold xy"},
    {"binary bytes passed over in a skipped group", "{\\rtf1 a{\\pict\\bin3 {}\\}b}", "ab"},
    {"binary bytes outside a skipped group are text", "{\\rtf1 \\bin2 {}z}", "{}z"},
    {"zero-length binary reads on", "{\\rtf1 \\bin0 ab}", "ab"},
    {"a text that is not RTF comes back as it is", "[rtf1 plain] text", "[rtf1 plain] text"},
    {"empty", "", ""},
};

void PrintTo(const TextCase& tc, std::ostream* os)
{
    *os << tc.name;
}

class RtfToTextTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(RtfToTextTable, GivesPlainText)
{
    EXPECT_EQ(std::string(RtfToText(GetParam().rtf)), std::string(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Cases, RtfToTextTable, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// The UTF-8 reading keeps every character; breaks, cells and the special blanks read as the
// Windows-1252 reading has them.
TEST(RtfDraw, TheUtf8TextKeepsEveryCharacter)
{
    const struct {
        const char* rtf;
        const char* utf8;
        const char* bytes;  // RtfToText's
    } cases[] = {
        {"{\\rtf1 caf\\'e9 \\u945\\'3f\\u8804?x}", "caf\xC3\xA9 \xCE\xB1\xE2\x89\xA4x", "caf\xE9 ??x"},
        {"{\\rtf1 a\\~b\\_c\\emdash d}", "a\xC2\xA0" "b-c\xE2\x80\x94" "d", "a\xA0" "b-c\x97" "d"},
        {"{\\rtf1 \\trowd\\cellx900\\cellx1800 A\\cell B\\cell\\row After\\line more}", "A B \nAfter\nmore",
         "A B \nAfter\nmore"},
        // A character beyond the first plane, written as two halves; a lone half is nothing.
        {"{\\rtf1 \\uc1\\u-10179?\\u-8704?!\\u-8704?}", "\xF0\x9F\x98\x80!", "??!?"},
        {"{\\rtf1 {\\v \\u945?}\\u-3913?}", "\xEF\x82\xB7", "?"},
        {"plain caf\xE9", "plain caf\xC3\xA9", "plain caf\xE9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::string(RtfToTextUtf8(c.rtf)), std::string(c.utf8)) << c.rtf;
        EXPECT_EQ(std::string(RtfToText(c.rtf)), std::string(c.bytes)) << c.rtf;
    }
    EXPECT_EQ(std::string(RtfToTextUtf8("{\\rtf1 text}}")), "");
}

struct ErrorCase {
    std::string rtf;
    int ec;
};

TEST(RtfDraw, ErrorsEndTheReadingAndGiveEmptyText)
{
    const ErrorCase cases[] = {
        {"{\\rtf1 text}}", CRtfDraw::ecStackUnderflow},
        {"}{\\rtf1 text}", CRtfDraw::ecStackUnderflow},
        {"{\\rtf1 text", CRtfDraw::ecUnmatchedBrace},
        {"{\\rtf1 a\\'zz}", CRtfDraw::ecInvalidHex},
        {"{\\rtf1 a\\'e}", CRtfDraw::ecInvalidHex},
        {"{\\rtf1 a\\'", CRtfDraw::ecEndOfFile},
        {"{\\rtf1 a\\'4", CRtfDraw::ecEndOfFile},
        {"{\\rtf1 a\\", CRtfDraw::ecEndOfFile},
        {"{\\rtf1 a\\li-", CRtfDraw::ecEndOfFile},
        // The binary count runs past the end of the text: the reader stops at the end.
        {"{\\rtf1 \\bin2147483647 ab}", CRtfDraw::ecUnmatchedBrace},
        {"{\\rtf1 \\bin99999999999999999999 ab}", CRtfDraw::ecUnmatchedBrace},
    };
    for (const ErrorCase& c : cases) {
        CRtfDraw reader(c.rtf.c_str());
        reader.SetTextMode(TRUE);
        EXPECT_EQ(reader.Read(), c.ec) << c.rtf;
        EXPECT_EQ(std::string(RtfToText(c.rtf.c_str())), "") << c.rtf;
    }
}

TEST(RtfDraw, NestingUpToTheLimitIsReadAndOneDeeperOverflows)
{
    // kMaxDepth groups in all, the outer one counted; one more is an overflow.
    for (int groups : {CRtfDraw::kMaxDepth, CRtfDraw::kMaxDepth + 1}) {
        const int inner = groups - 1;
        std::string rtf = "{\\rtf1 " + std::string(inner, '{') + "deep" + std::string(inner, '}') + "}";
        CRtfDraw reader(rtf.c_str());
        reader.SetTextMode(TRUE);
        const bool fits = groups <= CRtfDraw::kMaxDepth;
        EXPECT_EQ(reader.Read(), fits ? CRtfDraw::ecOK : CRtfDraw::ecStackOverflow) << groups;
        EXPECT_EQ(std::string(RtfToText(rtf.c_str())), fits ? "deep" : "") << groups;
    }
}

TEST(RtfDraw, PropertiesFollowGroups)
{
    CRtfDraw reader("{\\rtf1\\paperw11906\\margl1000\\qc{\\b\\ul\\li720 x}\\i y}");
    reader.SetTextMode(TRUE);
    ASSERT_EQ(reader.Read(), CRtfDraw::ecOK);
    EXPECT_EQ(reader.GetDocProps().xaPage, 12240);  // restored with the group that set it
    EXPECT_EQ(reader.GetCharProps().fBold, 0);
    EXPECT_EQ(reader.GetCharProps().fUnderline, 0);

    CRtfDraw inner("\\paperw11906\\margr\\qr\\ul\\b2\\sbkodd7");
    ASSERT_EQ(inner.Read(), CRtfDraw::ecOK);
    EXPECT_EQ(inner.GetDocProps().xaPage, 11906);
    EXPECT_EQ(inner.GetDocProps().xaRight, 1800);  // no number: the default
    EXPECT_EQ(inner.GetParaProps().just, 1);
    EXPECT_EQ(inner.GetCharProps().fUnderline, 1);
    EXPECT_EQ(inner.GetCharProps().fBold, 2);
    EXPECT_EQ(inner.GetSectProps().sbk, 3);  // the word's own value wins over its number
    EXPECT_EQ(std::string(inner.GetText()), "");  // not in text mode
}

} // namespace

namespace {

class RtfToTextLog : public CorraTest {};

TEST_F(RtfToTextLog, AnExtraBraceGivesEmptyTextAndOneErrorLine)
{
    ResetLogging();
    EXPECT_EQ(std::string(RtfToText("{\\rtf1 text}}")), "");
    const CString log = GetLogBuffer();
    const int at = log.Find("Error 1 parsing rtf - text-only...");
    ASSERT_GE(at, 0) << log.GetString();
    EXPECT_EQ(log.Find("Error", at + 1), -1) << log.GetString();
    EXPECT_GE(log.Find("{\\rtf1 text}}"), 0) << log.GetString();
}

} // namespace
