#include "foundation/Log.h"
#include "foundation/Parse.h"
#include "foundation/QuestionTypes.h"
#include "res/ids/Parse.h"
#include "res/ids/QuestionTypes.h"

#include "platform/core/StringTable.h"
#include "tests/support/CorraTest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A text being scanned: the text, the scan pointer and the length left.
struct Cursor {
    explicit Cursor(std::string t) : text(std::move(t)), p(text.c_str()), n(static_cast<UINT>(text.size())) {}
    int Next(CParse& parse, UINT nForceEndAt = 0x7FFFFFFF) { return parse.NextToken(&p, &n, nForceEndAt); }
    void Restore(CParse& parse) { parse.RestorePosition(&p, &n); }
    LPCSTR End() const { return text.c_str() + text.size(); }
    std::string text;
    LPCSTR p;
    UINT n;
};

struct Tok {
    int id;
    std::string text;
};

// Every token of a text until the end token or 0, the last one included.
std::vector<Tok> Scan(CParse& parse, const std::string& text)
{
    std::vector<Tok> out;
    Cursor c(text);
    for (int guard = 0; guard < 100; ++guard) {
        int id = c.Next(parse);
        out.push_back({id, parse.GetTokenText().str()});
        if (id == 0 || id == static_cast<int>(TOKEN_END))
            break;
    }
    return out;
}

std::string Ids(const std::vector<Tok>& toks)
{
    std::string s;
    for (const Tok& t : toks)
        s += (s.empty() ? "" : " ") + std::to_string(t.id);
    return s;
}

} // namespace

TEST(Parse, QuestionTokenStreams)
{
    struct Row {
        const char* text;
        const char* ids;
        const char* lastText;  // text of the token before the end token (or of the 0 token)
    };
    const Row rows[] = {
        {"ID: 12", "15 14 17 23", "12"},
        {"ID: 12 \r\n  ", "15 14 17 23", "12"},
        {"TEXT: { a b }", "7 14 18 23", "{ a b }"},
        {"TEXTS", "16 23", "TEXTS"},
        {"TEX", "16 23", "TEX"},
        {"TEXT", "7 23", "TEXT"},
        {"12ab", "16 23", "12ab"},
        {"12", "17 23", "12"},
        {"{a} b}", "18 16 23", "b"},
        {"ID,/} 3", "15 17 23", "3"},
        {"TEXT: {never closed", "7 14 0", "{never closed"},
        {"END QUESTION", "6 5 23", "QUESTION"},
        {"TYPE: MC", "10 14 19 23", "MC"},
        {"TYPE: TF", "10 14 185 23", "TF"},
        {"TYPE: MCQ", "10 14 16 23", "MCQ"},
        {"CORRAFILE: {x}", "27 14 18 23", "{x}"},
        {"SCRAMBLE MEMBERID IMAGES", "299 211 66 23", "IMAGES"},
        {"", "23", ""},
        {"   ", "23", ""},
        {".", "0", ""},
    };
    CParse& parse = QuestionTokenizer();
    for (const Row& row : rows) {
        std::vector<Tok> toks = Scan(parse, row.text);
        EXPECT_EQ(Ids(toks), row.ids) << "text: '" << row.text << "'";
        if (toks.size() >= 2 && toks.back().id == static_cast<int>(TOKEN_END))
            EXPECT_EQ(toks[toks.size() - 2].text, row.lastText) << "text: '" << row.text << "'";
        else
            EXPECT_EQ(toks.back().text, row.lastText) << "text: '" << row.text << "'";
    }
}

TEST(Parse, EndOfTextIsTheEndTokenAndStaysSo)
{
    CParse& parse = QuestionTokenizer();
    Cursor c("END QUESTION");
    EXPECT_EQ(c.Next(parse), 6);
    EXPECT_EQ(c.Next(parse), 5);
    EXPECT_EQ(c.n, 0u);
    EXPECT_EQ(c.p, c.End());
    EXPECT_EQ(c.Next(parse), 23);
    EXPECT_EQ(c.Next(parse), 23);

    // A NUL before the given length ends the text too, with the keyword before it recognised.
    Cursor nul(std::string("ID\0garbage", 10));
    EXPECT_EQ(nul.Next(parse), 15);
    EXPECT_EQ(nul.Next(parse), 23);
}

TEST(Parse, OtherTokenizersGiveZeroWithNothingLeft)
{
    // Callers of a tokenizer of their own loop until 0; the end token must not hold them.
    CParse parse;
    parse.Reset(nullptr);
    parse.SetCharClasses("abc{}", "{}");
    parse.AddTokenString("{", 1);
    parse.AddTokenString("", 11);
    parse.AddCharSetToken("abc", 22);
    parse.AddDelimiterSkips();
    Cursor c("{ab \r\n");
    EXPECT_EQ(c.Next(parse), 1);
    EXPECT_EQ(c.Next(parse), 22);
    EXPECT_EQ(c.Next(parse), 11);  // only skipped delimiters left
    EXPECT_EQ(c.n, 0u);
    EXPECT_EQ(c.Next(parse), 0);
    EXPECT_EQ(c.Next(parse), 0);
}

TEST(Parse, ScanNeverReadsPastTheGivenLength)
{
    CParse& parse = QuestionTokenizer();
    // "ID: 1234" with only "ID: 12" given: the number ends where the length does.
    Cursor c("ID: 1234");
    c.n = 6;
    EXPECT_EQ(c.Next(parse), 15);
    EXPECT_EQ(c.Next(parse), 14);
    EXPECT_EQ(c.Next(parse), 17);
    EXPECT_EQ(parse.GetTokenText(), "12");
    EXPECT_EQ(c.n, 0u);
}

TEST(Parse, UnclosedBlockLeavesThePointerAtTheEnd)
{
    CParse& parse = QuestionTokenizer();
    Cursor c("{abc def");
    EXPECT_EQ(c.Next(parse), 0);
    EXPECT_EQ(c.n, 0u);
    EXPECT_EQ(c.p, c.End());
}

TEST(Parse, DocumentTokenizerBreaksOffTitle3)
{
    CParse& parse = DocumentTokenizer();
    Cursor c("TITLE1: {a}\r\nTITLE3");
    EXPECT_EQ(c.Next(parse), 41);
    EXPECT_EQ(c.Next(parse), 14);
    EXPECT_EQ(c.Next(parse), 18);
    LPCSTR before = c.p;
    EXPECT_EQ(c.Next(parse), 0);
    EXPECT_EQ(parse.GetTokenText(), "TITLE");
    EXPECT_EQ(c.p, before + 2 + 5);  // past the line end and the five letters
    EXPECT_STREQ(c.p, "3");
}

TEST(Parse, HeaderAndGroupKeywords)
{
    CParse header;
    BuildHeaderTokenizer(header);
    EXPECT_EQ(Ids(Scan(header, "BEGIN HEADER COUNT: 3 CORRAID: {CID_1_2} END HEADER")),
              "28 60 61 14 17 253 14 18 6 60 23");
    EXPECT_EQ(Ids(Scan(GroupTokenizer(), "BEGIN GROUP TOPSPACE: 2 BOTSPACE NAME FLAGS")), "28 199 215 14 17 216 201 200 23");
}

TEST(Parse, NumbersAndInnerText)
{
    CParse& parse = QuestionTokenizer();
    struct Row {
        const char* text;
        int value;
    };
    const Row rows[] = {
        {"12", 12}, {"0", 0}, {"2147483647", 2147483647}, {"9999999999", 0}, {"12345678901", 0},
    };
    for (const Row& row : rows) {
        Cursor c(row.text);
        ASSERT_EQ(c.Next(parse), 17) << row.text;
        EXPECT_EQ(parse.GetTokenInt(), row.value) << row.text;
    }

    Cursor c("{ \r\n line one\r\nline two \r\n}{}");
    ASSERT_EQ(c.Next(parse), 18);
    CString cs;
    parse.GetTokenInner(cs);
    EXPECT_EQ(cs, "line one\r\nline two");
    parse.GetTokenInnerOneLine(cs);
    EXPECT_EQ(cs, "line one  line two");
    ASSERT_EQ(c.Next(parse), 18);
    parse.GetTokenInner(cs);
    EXPECT_EQ(cs, "");
    ASSERT_EQ(c.Next(parse), 23);
    parse.GetTokenInner(cs);  // an empty token has no inner text
    EXPECT_EQ(cs, "");
}

TEST(Parse, RestorePositionGivesBackTheTokenBefore)
{
    CParse& parse = QuestionTokenizer();
    Cursor c("ID: 7 TEXT");
    c.Next(parse);
    c.Next(parse);
    LPCSTR at = c.p;
    UINT nAt = c.n;
    EXPECT_EQ(c.Next(parse), 17);
    c.Restore(parse);
    EXPECT_EQ(c.p, at);
    EXPECT_EQ(c.n, nAt);
    EXPECT_EQ(parse.GetTokenId(), 14);
    EXPECT_EQ(parse.GetTokenText(), ":");
    EXPECT_EQ(c.Next(parse), 17);
    EXPECT_EQ(parse.GetTokenInt(), 7);
}

TEST(Parse, SplitRunAndForcedEndTokens)
{
    // A small tokenizer of the kind the RTF reader builds.
    CParse parse;
    parse.Reset(nullptr);
    CString alphabet;
    CParse::GetDefaultAlphabet(alphabet);
    ASSERT_EQ(alphabet.GetLength(), 95);
    parse.SetCharClasses(alphabet, "{}\\;'");
    parse.AddTokenString("{", 1);
    parse.AddTokenString("}", 2);
    parse.AddTokenString("\\", 3);
    parse.AddTokenString("'", 16);
    parse.AddTokenString("par", 7);
    parse.AddDelimitedToken("fs", "0123456789", 28);
    parse.AddStartBodyToken("abcdefghijklmnopqrstuvwxyz", "-0123456789", 21);
    parse.AddCharSetToken("0123456789abcdefABCDEF", 19);
    parse.AddAlphabetToken(22);
    parse.AddDelimiterSkips();
    ASSERT_TRUE(parse.IsReady());

    Cursor c("{\\fs20 \\par\\lang1033 Hello\\'");
    const int ids[] = {1, 3, 28, 3, 7, 3, 21, 22, 3, 16};
    for (int id : ids) {
        EXPECT_EQ(c.Next(parse), id);
        if (id == 28) {
            EXPECT_EQ(parse.GetSplitPrefix(), "fs");
            EXPECT_EQ(parse.GetSplitBody(), "20");
        } else if (id == 21) {
            EXPECT_EQ(parse.GetSplitPrefix(), "lang");
            EXPECT_EQ(parse.GetSplitBody(), "1033");
        } else if (id == 22) {
            EXPECT_EQ(parse.GetTokenText(), "Hello");
        }
    }
    // Two hex digits, then the token is forced to end.
    Cursor hex("9eabc}");
    EXPECT_EQ(hex.Next(parse, 2), 19);
    EXPECT_EQ(parse.GetTokenText(), "9e");
    EXPECT_STREQ(hex.p, "abc}");
    EXPECT_EQ(hex.n, 4u);
}

TEST(Parse, RecordingSkipsARestoredTokenOnce)
{
    CParse parse;
    BuildQuestionTokenizer(parse);
    Cursor c("ID: 7 TEXT");
    EXPECT_FALSE(parse.EnableRecording(TRUE));
    EXPECT_EQ(parse.SetRecordState(1), 0);
    c.Next(parse);  // ID
    c.Next(parse);  // :  (records ID)
    c.Next(parse);  // 7  (records :)
    c.Restore(parse);
    c.Next(parse);  // 7 again; ":" is not recorded twice
    parse.AppendRecord("|");
    c.Next(parse);  // TEXT (records 7)
    c.Next(parse);  // end (records TEXT)
    CString cs;
    EXPECT_TRUE(parse.GetRecord(cs));
    EXPECT_EQ(cs, "ID:|7TEXT");
    parse.TrimRecord(4);
    parse.GetRecord(cs);
    EXPECT_EQ(cs, "ID:|7");
    parse.TrimRecord(100);
    parse.GetRecord(cs);
    EXPECT_EQ(cs, "");

    // Paused recording stays paused across a restore.
    EXPECT_EQ(parse.SetRecordState(0), 1);
    Cursor again("ID: 7 TEXT");
    again.Next(parse);
    again.Next(parse);
    again.Restore(parse);
    again.Next(parse);
    parse.GetRecord(cs);
    EXPECT_EQ(cs, "");

    parse.ResetScan();
    EXPECT_FALSE(parse.GetRecord(cs));
    EXPECT_EQ(parse.SetRecordState(1), 0);  // recording off: nothing changes
}

using ParseLog = CorraTest;

TEST_F(ParseLog, MissingKeywordStringIsLoggedAndSkipped)
{
    CParse parse;
    parse.Reset(nullptr);
    parse.SetCharClasses("ABCDEFGHIJKLMNOPQRSTUVWXYZ", ":");
    parse.AddToken(9999, 9999);
    parse.AddTokenString("", 23);
    parse.AddDelimiterSkips();
    EXPECT_NE(GetLogBuffer().Find("****** CParse::AddToken(UINT,int) - failed to load resource 9999"), -1);
    Cursor c(" ");
    EXPECT_EQ(c.Next(parse), 23);
}

TEST(QuestionTypes, Table)
{
    const UINT ids[] = {19, 20, 21, 72, 22, 26, 24, 185};
    ASSERT_EQ(GetQuestionTypeCount(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(GetQuestionTypeId(i), ids[i]);
    EXPECT_TRUE(AllowedQuestDlgType(19));
    EXPECT_TRUE(AllowedQuestDlgType(185));
    EXPECT_FALSE(AllowedQuestDlgType(21));
    EXPECT_FALSE(AllowedQuestDlgType(26));
    EXPECT_FALSE(AllowedQuestDlgType(999));
    EXPECT_EQ(GetQuestionTypeName(72), "Short Answer");
    EXPECT_EQ(GetQuestionTypeName(999), "Unknown QType");
    EXPECT_EQ(LoadStringId(185), "TF");
}
