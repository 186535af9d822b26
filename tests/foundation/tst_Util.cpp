#include "foundation/Util.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "tests/support/CorraTest.h"

#include <climits>
#include <random>

namespace {

using UtilTest = CorraTest;

TEST(BracketFormTest, RoundTripTable)
{
    struct Case {
        const char* rtf;
        const char* stored;
        const char* back;  // what reading the stored form gives
    };
    const Case cases[] = {
        // Braces, escaped braces and a bracketed word.
        {"{\\rtf1 \\{x\\} [word]}", "[\\rtf1 \\&x\\@ \\[word\\]]", "{\\rtf1 \\{x\\} [word]}"},
        // Plain text with brackets keeps them.
        {"a [b] c", "a \\[b\\] c", "a [b] c"},
        // A typed backslash before a bracket: "\\[" in RTF.
        {"{\\\\[}", "[\\\\\\[]", "{\\\\[}"},
        {"\\\\[", "\\\\\\[", "\\\\["},
        // A typed backslash before "&" or "@": written as the hex escapes an RTF reader takes for
        // the same characters.
        {"{\\\\&}", "[\\\\\\'26]", "{\\\\\\'26}"},
        {"{\\\\@x}", "[\\\\\\'40x]", "{\\\\\\'40x}"},
        // "&" and "@" elsewhere are left alone.
        {"{a&b@c}", "[a&b@c]", "{a&b@c}"},
        // No opening bracket to tell the reader: escaped braces as hex escapes; brackets, "&" and
        // "@" stay as they are, so plain texts come back whole.
        {"a \\{ b \\}", "a \\'7b b \\'7d", "a \\'7b b \\'7d"},
        {"a]b", "a]b", "a]b"},
        {"x\\&y\\@] \\{", "x\\&y\\@] \\'7b", "x\\&y\\@] \\'7b"},
        {"C:\\& ]", "C:\\& ]", "C:\\& ]"},
        {"plain text", "plain text", "plain text"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        CString stored = EncodeBraces(c.rtf);
        EXPECT_EQ(stored, c.stored) << c.rtf;
        EXPECT_EQ(DecodeBraces(stored), c.back) << c.rtf;
    }
}

TEST(BracketFormTest, StoredFilesReadAsBefore)
{
    // Texts written by earlier versions of the program.
    EXPECT_EQ(DecodeBraces("[\\rtf1 \\&x\\@ \\[w\\]]"), "{\\rtf1 \\{x\\} [w]}");
    EXPECT_EQ(DecodeBraces("a \\& b"), "a \\& b");
    EXPECT_EQ(DecodeBraces("[x]\\"), "{x}\\");
}

TEST(BracketFormTest, RandomTextsNeverHoldBracesAndComeBack)
{
    std::mt19937 gen(7);
    const char alphabet[] = "\\{}[]&@a";
    for (int n = 0; n < 3000; ++n) {
        std::string s;
        int len = static_cast<int>(gen() % 12);
        for (int i = 0; i < len; ++i)
            s += alphabet[gen() % 8];
        CString stored = EncodeBraces(s.c_str());
        ASSERT_LT(stored.Find('{'), 0) << s;
        ASSERT_LT(stored.Find('}'), 0) << s;
        bool opens = false, closes = false, marks = false;
        for (size_t i = 0; i < s.size(); ++i) {
            bool afterBackslash = i > 0 && s[i - 1] == '\\';
            opens = opens || ((s[i] == '{' && !afterBackslash) || s[i] == '[');
            closes = closes || (s[i] == '}' && !afterBackslash);
            marks = marks || ((s[i] == '&' || s[i] == '@') && afterBackslash);
        }
        // Saving what was read gives the same stored text again (a group closed that was never
        // opened cannot be told from a bracket).
        if (opens || !closes) {
            ASSERT_EQ(EncodeBraces(DecodeBraces(stored)), stored) << s;
        }
        // A text that opens a group and has no "&" or "@" behind a backslash comes back whole.
        if (opens && !marks) {
            ASSERT_EQ(DecodeBraces(stored), s) << s;
        }
        // So does a text without braces or an opening bracket.
        if (s.find_first_of("{}[") == std::string::npos) {
            ASSERT_EQ(DecodeBraces(stored), s) << s;
        }
    }
}

TEST(UtilNumbersTest, RoundingTable)
{
    struct Case {
        int n, m, up, upMin, downMin;
    };
    const Case cases[] = {
        {10, 5, 10, 10, 10}, {11, 5, 15, 15, 10}, {3, 5, 5, 5, 5},     {0, 5, 0, 5, 5},
        {-3, 5, 0, 5, 5},    {-5, 5, -5, 5, 5},   {7, 0, 7, 7, 7},     {7, -2, 7, 7, 7},
        {14, 7, 14, 14, 14}, {15, 7, 21, 21, 14}, {INT_MAX, 2, INT_MAX, INT_MAX, INT_MAX - 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RoundUpToMultiple(c.n, c.m), c.up) << c.n << " by " << c.m;
        EXPECT_EQ(RoundUpToMultipleMin(c.n, c.m), c.upMin) << c.n << " by " << c.m;
        EXPECT_EQ(RoundDownToMultipleMin(c.n, c.m), c.downMin) << c.n << " by " << c.m;
    }
    EXPECT_DOUBLE_EQ(RoundTo2Decimals(3.14159), 3.14);
    EXPECT_DOUBLE_EQ(RoundTo2Decimals(-2.5), -2.5);
    EXPECT_DOUBLE_EQ(RoundTo2Decimals(0.125001), 0.13);
}

TEST(UtilNumbersTest, FactorialSaturates)
{
    EXPECT_EQ(Factorial(0), 1u);
    EXPECT_EQ(Factorial(1), 1u);
    EXPECT_EQ(Factorial(5), 120u);
    EXPECT_EQ(Factorial(12), 479001600u);
    EXPECT_EQ(Factorial(13), UINT_MAX);
    EXPECT_EQ(Factorial(100000), UINT_MAX);
}

TEST(UtilTextTest, TestsCountsAndHighCharacters)
{
    EXPECT_FALSE(IsAllSpace(""));
    EXPECT_FALSE(IsAllSpace(nullptr));
    EXPECT_TRUE(IsAllSpace(" \t\r\n"));
    EXPECT_FALSE(IsAllSpace(" x "));
    EXPECT_FALSE(IsAllSpace("\xA0"));
    EXPECT_FALSE(IsAllDigits(""));
    EXPECT_TRUE(IsAllDigits("0123"));
    EXPECT_FALSE(IsAllDigits("-1"));
    EXPECT_FALSE(IsAllDigits("1 "));
    EXPECT_FALSE(IsAllDigits("\xB2"));

    EXPECT_EQ(CountOccurrences("aaaa", "aa", 4), 2);
    EXPECT_EQ(CountOccurrences("abcabc", "abc", 3), 1);
    EXPECT_EQ(CountOccurrences("abcabc", "abc", 4), 2);
    EXPECT_EQ(CountOccurrences("abcabc", "abc", 100), 2);
    EXPECT_EQ(CountOccurrences("abc", "", 3), 0);
    EXPECT_EQ(CountOccurrences("abc", "a", 0), 0);

    CString s("na\xEFve \xE9t\xE9");
    ReplaceHighChars(s, '?');
    EXPECT_EQ(s, "na?ve ?t?");
    char buf[] = "\x80\x7F\xFF";
    ReplaceHighCharsSz(buf, '_');
    EXPECT_STREQ(buf, "_\x7F_");
}

TEST(UtilTextTest, AtofReadsTheCForm)
{
    EXPECT_DOUBLE_EQ(AtofC(" 1.5x"), 1.5);
    EXPECT_DOUBLE_EQ(AtofC("-2.25"), -2.25);
    EXPECT_DOUBLE_EQ(AtofC("+3"), 3.0);
    EXPECT_DOUBLE_EQ(AtofC("0,33"), 0.0);
    EXPECT_DOUBLE_EQ(AtofC("abc"), 0.0);
    EXPECT_DOUBLE_EQ(AtofC("--1"), 0.0);
    EXPECT_DOUBLE_EQ(AtofC(nullptr), 0.0);
}

TEST_F(UtilTest, MailAddressSeenByTheOpener)
{
    EXPECT_TRUE(SendEmail("support@vantrel.example", "Help me", "Line 1\nA&B=\xE9"));
    EXPECT_TRUE(SendEmail("support@vantrel.example", "No body", nullptr));
    ASSERT_EQ(opener.calls.size(), 2u);
    EXPECT_EQ(opener.calls[0].kind, "mail");
    EXPECT_EQ(opener.calls[0].target,
              "mailto:support@vantrel.example?subject=Help%20me&body=Line%201%0AA%26B%3D%C3%A9");
    EXPECT_EQ(opener.calls[1].target, "mailto:support@vantrel.example?subject=No%20body");

    opener.QueueResult(FALSE);
    EXPECT_FALSE(SendEmail("x@y.example", "s", "b"));
    EXPECT_GE(GetLogBuffer().Find("****** ::SendEmail() - ShellExecute failed...\r\n****** mailto:x@y.example?subject=s&body=b"), 0);
}

TEST_F(UtilTest, LongMailIsCutOnlyBetweenCharacters)
{
    EXPECT_TRUE(SendEmail("a@b.example", "s", std::string(5000, 'a').c_str()));
    EXPECT_EQ(opener.calls.back().target.GetLength(), 2000);

    // Each of these is six characters of escapes; none may be cut in two.
    EXPECT_TRUE(SendEmail("a@b.example", "s", std::string(1000, '\xE9').c_str()));
    const CString url = opener.calls.back().target;
    const CString prefix = "mailto:a@b.example?subject=s&body=";
    EXPECT_LE(url.GetLength(), 2000);
    EXPECT_GT(url.GetLength(), 1990);
    EXPECT_EQ((url.GetLength() - prefix.GetLength()) % 6, 0);
    EXPECT_EQ(url.Right(6), "%C3%A9");
}

TEST_F(UtilTest, WritingAndShowingFiles)
{
    CString path = HomePath("out.txt");
    EXPECT_TRUE(WriteTextFile("line 1\r\nline 2", path));
    std::string content;
    ASSERT_TRUE(fsys::ReadFile(path, content));
    EXPECT_EQ(content, "line 1\r\nline 2");

    CString bad = HomePath("no/such/folder/out.txt");
    EXPECT_FALSE(WriteTextFile("x", bad));
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Cannot open file " + bad + " for output.");

    EXPECT_FALSE(ViewLogFile(HomePath("missing.txt"), "Notepad"));
    EXPECT_TRUE(opener.calls.empty());
    EXPECT_TRUE(ViewLogFile(path, "notepad"));
    ASSERT_EQ(opener.calls.size(), 1u);
    EXPECT_EQ(opener.calls[0].kind, "file");
    EXPECT_EQ(opener.calls[0].target, path);
}

struct FakeDoc {
    virtual ~FakeDoc() = default;
};
struct FakeExamDoc : FakeDoc {};
struct FakeOther : FakeDoc {};
const CDocViewKind s_docKind(typeid(FakeDoc), DVK_CORRADOC);
const CDocViewKind s_examKind(typeid(FakeExamDoc), DVK_EXAMDOC);

TEST(DocViewKindTest, ByExactRunTimeClass)
{
    FakeDoc doc;
    FakeExamDoc exam;
    FakeOther other;
    const FakeDoc* asBase = &exam;
    EXPECT_EQ(GetDocViewKind(&doc), DVK_CORRADOC);
    EXPECT_EQ(GetDocViewKind(asBase), DVK_EXAMDOC);
    EXPECT_EQ(GetDocViewKind(static_cast<const FakeDoc*>(&other)), DVK_OTHER);
    EXPECT_EQ(GetDocViewKind(static_cast<const FakeDoc*>(nullptr)), DVK_OTHER);
}

} // namespace
