#include "render/RtfDraw3.h"

#include "foundation/Log.h"
#include "foundation/Parse.h"
#include "tests/render/RtfFixture.h"
#include "platform/ui/RtfStream.h"
#include "tests/support/FixedMetricsDC.h"

#include <QTextCursor>
#include <QTextDocument>

#include <string>

namespace {

class RtfDraw3Test : public RtfFixture {
protected:
    struct Result {
        int height = 0;
        int status = 0;
        CRect rect;
        std::string texts;  // "x,y text|..." in drawing order
        std::vector<CFixedMetricsDC::CTextRecord> records;
    };

    static Result Draw(const CString& rtf, CRect rect, UINT flags = 0, POINT* pStart = nullptr, int mapMode = MM_TEXT)
    {
        CFixedMetricsDC dc;
        dc.SetMapMode(mapMode);
        CRtfDraw3 draw;
        Result r;
        r.height = draw.DrawRtf(&dc, rtf, &rect, flags, pStart);
        r.status = draw.GetStatus();
        r.rect = rect;
        for (const auto& t : dc.texts) {
            if (!r.texts.empty())
                r.texts += '|';
            r.texts += std::to_string(t.x) + "," + std::to_string(t.y) + " " + t.text.str();
        }
        r.records = dc.texts;
        return r;
    }
};

// Fixed metrics: the document font (height -10) has glyphs 5 wide and lines 10 high.
TEST_F(RtfDraw3Test, LayoutTable)
{
    struct Case {
        const char* name;
        const char* body;
        int width;
        int height;  // of the rectangle
        int used;    // height returned
        const char* texts;
    } cases[] = {
        {"one line", "Hello world", 1000, 1000, 10, "0,0 Hello|30,0 world"},
        {"wrap at the last blank", "aaaa bbbb cccc", 50, 1000, 20, "0,0 aaaa|25,0 bbbb|0,10 cccc"},
        {"a blank that does not fit ends the line", "aaaa bbbbb cccc", 50, 1000, 20, "0,0 aaaa|25,0 bbbbb|0,10 cccc"},
        {"a word wider than the line is cut", "abcdefghijklmnopqrst", 42, 1000, 30,
         "0,0 abcdefg|0,10 hijklmn|0,20 opqrst"},
        {"a long word after a blank starts its own line", "ab abcdefghijklmnopqrst", 42, 1000, 40,
         "0,0 ab|0,10 abcdefg|0,20 hijklmn|0,30 opqrst"},
        {"a line narrower than a glyph still takes one", "ab", 3, 1000, 20, "0,0 a|0,10 b"},
        {"format changes inside a word", "ab\\b cd", 100, 1000, 10, "0,0 ab|10,0 cd"},
        {"a word of two runs breaks between them", "ab\\b cd", 15, 1000, 20, "0,0 ab|0,10 cd"},
        {"paragraphs; an empty one keeps its height, a last mark adds none", "a\\par\\par b\\par", 100, 1000, 30,
         "0,0 a|0,20 b"},
        {"a line break", "a\\line b", 100, 1000, 20, "0,0 a|0,10 b"},
        {"text right after a control word", "a\\u8730?b\\par.c", 100, 1000, 20, "0,0 a|5,0 ?|10,0 b|0,10 .c"},
        {"a blank that does not break", "aa\\~bb cc", 35, 1000, 20, "0,0 aa|10,0 \xA0" "bb|0,10 cc"},
        {"unknown control symbols", "a\\-b \\1c", 100, 1000, 10, "0,0 a|5,0 b|15,0 c"},
        {"lines below the rectangle are not drawn", "aaaa bbbb cccc", 50, 15, 15, "0,0 aaaa|25,0 bbbb"},
        {"the first line is drawn even when it does not fit", "aaaa", 50, 5, 10, "0,0 aaaa"},
        {"escaped characters", "caf\\'e9 \\{x\\}", 100, 1000, 10, "0,0 caf|15,0 \xE9|25,0 {|30,0 x|35,0 }"},
        {"curly quotes", "\\ldblquote q\\rdblquote", 100, 1000, 10, "0,0 \x93|5,0 q|10,0 \x94"},
        {"skipped groups", "a{\\footnote fn}{\\*\\bkmkstart x}{\\header h}{\\pntext 1.} b", 100, 1000, 10,
         "0,0 a|10,0 b"},
        {"a header word skips the rest of its group", "a{\\b x\\footer y} b", 100, 1000, 10, "0,0 a|5,0 x|15,0 b"},
        {"a plain text", nullptr, 100, 1000, 10, "0,0 plain|30,0 text"},
        {"header groups that come late are not drawn", "{\\colortbl ;\\red1\\green0\\blue0;}x", 100, 1000, 10,
         "0,0 x"},
    };
    for (const Case& c : cases) {
        const CString rtf = c.body ? Rtf(c.body) : CString("plain text");
        const Result r = Draw(rtf, CRect(0, 0, c.width, c.height));
        EXPECT_EQ(r.status, CRtfDraw3::RTF_SUCCESS) << c.name;
        EXPECT_EQ(r.height, c.used) << c.name;
        EXPECT_EQ(r.texts, c.texts) << c.name;
    }
}

TEST_F(RtfDraw3Test, CalculateOnlyWritesTheRectangleBackAndDrawsNothing)
{
    struct Case {
        const char* body;
        CRect rect;
        CRect result;
    } cases[] = {
        // The right edge shrinks to the widest line; the bottom is the final y.
        {"aaaa bbbb cccc", CRect(0, 0, 50, 1000), CRect(0, 0, 45, 20)},
        // Nothing stops at the bottom while measuring.
        {"aaaa bbbb cccc", CRect(0, 0, 50, 15), CRect(0, 0, 45, 20)},
        // An edge that reaches the right one leaves it.
        {"aaaa bbbbb", CRect(10, 5, 60, 1000), CRect(10, 5, 60, 15)},
    };
    for (const Case& c : cases) {
        const Result r = Draw(Rtf(c.body), c.rect, DT_CALCRECT);
        EXPECT_EQ(r.status, CRtfDraw3::RTF_SUCCESS) << c.body;
        EXPECT_EQ(r.rect, c.result) << c.body << " " << r.rect.right << " " << r.rect.bottom;
        EXPECT_EQ(r.height, c.result.bottom - c.rect.top) << c.body;
        EXPECT_EQ(r.texts, "") << c.body;
    }
}

// A list row lays out only what it shows, at its own text size.
TEST_F(RtfDraw3Test, ARowMeasuresOnlyWhatFitsAtTheDocumentFontsSize)
{
    const CString text = Rtf("aaaa bbbb cccc dddd eeee ffff");
    EXPECT_EQ(Draw(text, CRect(0, 0, 50, 15), DT_CALCRECT).rect.bottom, 30);
    // Measuring stops where drawing would: the second line would cross the bottom.
    const Result fit = Draw(text, CRect(0, 0, 50, 15), DT_CALCRECT | DT_RTF_FITTING);
    EXPECT_EQ(fit.rect.bottom, 15);
    EXPECT_EQ(fit.height, 15);
    EXPECT_EQ(fit.texts, "");
    EXPECT_EQ(Draw(text, CRect(0, 0, 50, 15)).texts, "0,0 aaaa|25,0 bbbb");

    // A text in a font of its own at 24 points: every run at the document font's size, its
    // face and the superscript's share kept.
    const CString own = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Arial;}}\\f0\\fs48 x\\super 2}";
    EXPECT_EQ(Draw(own, CRect(0, 0, 1000, 1000)).records[0].lf.lfHeight, -32);
    const Result sized = Draw(own, CRect(0, 0, 1000, 1000), DT_RTF_DOC_SIZE);
    ASSERT_EQ(sized.records.size(), 2u);
    EXPECT_EQ(sized.records[0].lf.lfHeight, -10);
    EXPECT_EQ(sized.records[1].lf.lfHeight, -7);
    EXPECT_STREQ(sized.records[0].lf.lfFaceName, "Arial");
    EXPECT_EQ(sized.height, 10);
}

TEST_F(RtfDraw3Test, StartPointGivesTheFirstLineOnly)
{
    POINT start{77, 100};
    const Result r = Draw(Rtf("aaaa bbbb cccc"), CRect(10, 0, 60, 1000), 0, &start);
    EXPECT_EQ(r.texts, "10,100 aaaa|35,100 bbbb|10,110 cccc");
    EXPECT_EQ(r.height, 120);
}

TEST_F(RtfDraw3Test, AWordLongerThanManyLinesIsDrawnWholeLineByLine)
{
    std::string word;
    for (int i = 0; i < 3000; ++i)
        word += static_cast<char>('a' + i % 26);
    const Result r = Draw(Rtf(CString("ab ") + word.c_str() + " cd"), CRect(0, 0, 500, 100000));
    ASSERT_EQ(r.status, CRtfDraw3::RTF_SUCCESS);
    ASSERT_GE(r.records.size(), 3u);
    EXPECT_EQ(r.records.front().text, "ab");
    EXPECT_EQ(r.records.back().text, "cd");
    std::string drawn;
    int y = 0;
    for (size_t i = 1; i + 1 < r.records.size(); ++i) {
        const auto& rec = r.records[i];
        EXPECT_EQ(rec.x, 0) << i;
        EXPECT_EQ(rec.y, y += 10) << i;
        EXPECT_LE(rec.text.GetLength() * 5, 500) << i;
        drawn += rec.text.str();
    }
    EXPECT_EQ(drawn, word);
}

TEST_F(RtfDraw3Test, YGrowsUpInTwips)
{
    CFixedMetricsDC dc;
    dc.SetMapMode(MM_TWIPS);
    CRtfDraw3 draw;
    CRect rect(0, 0, 14400, -14400);
    const int height = draw.DrawRtf(&dc, Rtf("a\\par b"), &rect, 0, nullptr);
    EXPECT_EQ(draw.GetStatus(), CRtfDraw3::RTF_SUCCESS);
    ASSERT_EQ(dc.texts.size(), 2u);
    // The document font in twips: 10 screen units are 8 points.
    EXPECT_EQ(dc.texts[0].lf.lfHeight, -160);
    const int line = dc.texts[0].y - dc.texts[1].y;
    EXPECT_GT(line, 0);
    EXPECT_EQ(height, -2 * line);
}

TEST_F(RtfDraw3Test, DocumentFontStyleAndItsProtections)
{
    struct Case {
        const char* body;
        LONG weight;
        LONG height;
    } cases[] = {
        {"\\b x", FW_NORMAL, -10},                  // the document font's weight wins
        {"\\shad\\b x", FW_BOLD, -10},              // unless the style is kept
        {"\\fs40 x", FW_NORMAL, -10},               // the document font's size wins
        {"\\embo\\fs40 x", FW_NORMAL, -27},         // unless the size is kept
        {"{\\shad\\b y}\\b x", FW_NORMAL, -10},     // keeping ends with its group
    };
    for (const Case& c : cases) {
        const Result r = Draw(Rtf(c.body), CRect(0, 0, 1000, 1000));
        ASSERT_FALSE(r.records.empty()) << c.body;
        const auto& last = r.records.back();
        EXPECT_EQ(last.text, "x") << c.body;
        EXPECT_EQ(last.lf.lfWeight, c.weight) << c.body;
        EXPECT_EQ(last.lf.lfHeight, c.height) << c.body;
        EXPECT_STREQ(last.lf.lfFaceName, "Times New Roman") << c.body;
    }

    // Formats end with their group, also when the group goes on over the next line.
    const Result lines = Draw(Rtf("{\\shad\\b a\\par b} c"), CRect(0, 0, 1000, 1000));
    ASSERT_EQ(lines.records.size(), 3u);
    EXPECT_EQ(lines.texts, "0,0 a|0,10 b|10,10 c");
    EXPECT_EQ(lines.records[0].lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lines.records[1].lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lines.records[2].lf.lfWeight, FW_NORMAL);

    // A colour table after the font table is skipped; a second one ends the header and is
    // skipped in the body.
    const Result colours = Draw("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fprq3 Arial;}}{\\colortbl ;\\red255\\green0"
                                "\\blue0;}{\\colortbl ;\\red0\\green0\\blue255;}\\f0\\cf1 x}",
                                CRect(0, 0, 1000, 1000));
    EXPECT_EQ(colours.status, CRtfDraw3::RTF_SUCCESS);
    EXPECT_EQ(colours.texts, "0,0 x");

    // A font that is not the document font keeps its own face and what the text says.
    const Result own = Draw("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Arial;}}\\f0\\fs15\\b x}",
                            CRect(0, 0, 1000, 1000));
    ASSERT_EQ(own.records.size(), 1u);
    EXPECT_STREQ(own.records[0].lf.lfFaceName, "Arial");
    EXPECT_EQ(own.records[0].lf.lfWeight, FW_BOLD);
    EXPECT_EQ(own.records[0].lf.lfHeight, -9);
}

TEST_F(RtfDraw3Test, SuperAndSubscriptAreSmallerAndMoved)
{
    const Result r = Draw(Rtf("x\\super 2\\nosupersub y\\sub 3\\nosupersub z"), CRect(0, 0, 1000, 1000));
    ASSERT_EQ(r.records.size(), 5u);
    EXPECT_EQ(r.records[1].lf.lfHeight, -7);
    EXPECT_EQ(r.records[3].lf.lfHeight, -7);
    EXPECT_LT(r.records[1].y, 0);
    EXPECT_GT(r.records[3].y, r.records[1].y);
    EXPECT_EQ(r.records[2].lf.lfHeight, -10);
    EXPECT_EQ(r.records[2].y, r.records[0].y);
    EXPECT_EQ(r.records[4].y, r.records[0].y);
    EXPECT_EQ(r.height, 10);
}

TEST_F(RtfDraw3Test, TextsTheEngineCannotReadFail)
{
    const char* cases[] = {
        "{\\rtf1\\ansi x",                                            // no font table, no closing brace
        "{\\rtf1 \\b x{\\i y}",                                         // the same after a group
        "{\\rtf1\\ansi x\\'zz}",                                        // no font table, a bad escape
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial}}x}",              // no semicolon
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}x",              // no closing brace
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}x{\\b y}",       // no closing brace after a group
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}x\\'zz}",        // a bad escape
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}x\\'",           // an escape at the end
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}x\\",            // a backslash at the end
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}{\\pict\\bin99999 x}", // binary data past the end
    };
    for (const char* rtf : cases) {
        const Result r = Draw(rtf, CRect(0, 0, 100, 1000));
        EXPECT_EQ(r.status, CRtfDraw3::RTF_FAILURE) << rtf;
    }
    // A rectangle without width fails instead of never ending.
    EXPECT_EQ(Draw(Rtf("x"), CRect(0, 0, 0, 100)).status, CRtfDraw3::RTF_FAILURE);
    EXPECT_EQ(Draw(Rtf("x"), CRect(10, 0, 5, 100)).status, CRtfDraw3::RTF_FAILURE);
}

// RTF of other programs may have no font table: it is read, in the document font's face and size
// where it says no other.
TEST_F(RtfDraw3Test, TextWithoutAFontTableIsReadInTheDocumentFont)
{
    struct Case {
        const char* rtf;
        const char* texts;
        std::vector<LONG> weights;  // of each text drawn
        int used;
    } cases[] = {
        {"{\\rtf1\\ansi Some text}", "0,0 Some|25,0 text", {FW_NORMAL, FW_NORMAL}, 10},
        {"{\\rtf1 \\b bold\\b0  text}", "0,0 bold|25,0 text", {FW_BOLD, FW_NORMAL}, 10},
        {"{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\\pard\\f0 a\\par b\\'e9}", "0,0 a|0,10 b|5,10 \xE9",
         {FW_NORMAL, FW_NORMAL, FW_NORMAL}, 20},
        {"{\\rtf1\\ansi\\deff0 x}", "0,0 x", {FW_NORMAL}, 10},
        // Header groups still go undrawn; a font number finds the one font there is.
        {"{\\rtf1\\ansi{\\colortbl ;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}\\cf1\\f3 x}", "0,0 x",
         {FW_NORMAL}, 10},
        {"{\\rtf1\\ansi{\\info{\\title t}}\\b x}", "0,0 x", {FW_BOLD}, 10},
        {"  {\\rtf1\\ansi\\i\\ul x}", "0,0 x", {FW_NORMAL}, 10},
        {"{\\rtf1\\ansi\\{a\\}}", "0,0 {|5,0 a|10,0 }", {FW_NORMAL, FW_NORMAL, FW_NORMAL}, 10},
    };
    for (const Case& c : cases) {
        const Result r = Draw(c.rtf, CRect(0, 0, 1000, 1000));
        EXPECT_EQ(r.status, CRtfDraw3::RTF_SUCCESS) << c.rtf;
        EXPECT_EQ(r.texts, c.texts) << c.rtf;
        EXPECT_EQ(r.height, c.used) << c.rtf;
        ASSERT_EQ(r.records.size(), c.weights.size()) << c.rtf;
        for (size_t i = 0; i < r.records.size(); ++i) {
            EXPECT_STREQ(r.records[i].lf.lfFaceName, "Times New Roman") << c.rtf;
            EXPECT_EQ(r.records[i].lf.lfHeight, -10) << c.rtf;
            EXPECT_EQ(r.records[i].lf.lfWeight, c.weights[i]) << c.rtf;
        }
    }
    // What the text does say holds.
    const Result sized = Draw("{\\rtf1\\ansi\\fs40\\i x}", CRect(0, 0, 1000, 1000));
    ASSERT_EQ(sized.records.size(), 1u);
    EXPECT_NE(sized.records[0].lf.lfHeight, -10);
    EXPECT_TRUE(sized.records[0].lf.lfItalic);
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\b bold\\b0  text\\par}"), "bold text\n");
}

TEST_F(RtfDraw3Test, NestingUpToTheLimitIsReadAndOneDeeperFails)
{
    // kMaxDepth groups inside the outer one, in the body or in a skipped destination.
    const std::string head = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}";
    for (int n : {CRtfDraw3::kMaxDepth, CRtfDraw3::kMaxDepth + 1}) {
        const int expected = n <= CRtfDraw3::kMaxDepth ? CRtfDraw3::RTF_SUCCESS : CRtfDraw3::RTF_FAILURE;
        const std::string body = head + std::string(n, '{') + "x" + std::string(n, '}') + "}";
        EXPECT_EQ(Draw(body.c_str(), CRect(0, 0, 100, 1000)).status, expected) << n;
        const std::string skipped = head + "{\\*\\foo" + std::string(n, '{') + "x" + std::string(n, '}') + "}y}";
        EXPECT_EQ(Draw(skipped.c_str(), CRect(0, 0, 100, 1000)).status, expected) << n;
    }
}

TEST_F(RtfDraw3Test, DrawTextOrRtfFallsBackToPlainDrawing)
{
    {
        CFixedMetricsDC dc;
        CRect rect(0, 0, 1000, 1000);
        EXPECT_EQ(DrawTextOrRtf(&dc, Rtf("Hello world"), -1, &rect, DT_WORDBREAK), 10);
        ASSERT_EQ(dc.texts.size(), 2u);
        EXPECT_EQ(dc.texts[0].text, "Hello");
    }
    {
        // White space before the header: still RTF, drawn and echoed by the engine.
        const CString rtf = " \r\n" + Rtf("Hello");
        CFixedMetricsDC dc;
        CRect rect(0, 0, 1000, 1000);
        EXPECT_EQ(DrawTextOrRtf(&dc, rtf, -1, &rect, 0), 10);
        ASSERT_EQ(dc.texts.size(), 1u);
        EXPECT_EQ(dc.texts[0].text, "Hello");
        CString out;
        EXPECT_TRUE(CRtfDraw3().EchoRtf(rtf, 0, &out));
        EXPECT_EQ(RtfToPlainText(out), "Hello");
    }
    {
        // A header the engine cannot read: the raw text is drawn as it stands.
        const char* bad = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial}}x}";
        CFixedMetricsDC dc;
        CRect rect(0, 0, 1000, 1000);
        DrawTextOrRtf(&dc, bad, -1, &rect, DT_SINGLELINE);
        CString drawn;
        for (const auto& t : dc.texts)
            drawn += t.text;
        EXPECT_EQ(drawn, bad);
    }
    {
        // Calculating with a failed engine gives the plain text's rectangle, not a half-written one.
        CFixedMetricsDC dc;
        CRect rect(0, 0, 0, 1000);
        CRect expected = rect;
        CFixedMetricsDC ref;
        const CString text = Rtf("x");
        const int want = ref.DrawText(text, &expected, DT_CALCRECT);
        EXPECT_EQ(DrawTextOrRtf(&dc, text, -1, &rect, DT_CALCRECT), want);
        EXPECT_EQ(rect, expected);
    }
    {
        // Text that is not RTF goes straight to DrawText.
        CFixedMetricsDC dc;
        CFixedMetricsDC ref;
        CRect rect(0, 0, 1000, 1000);
        CRect refRect = rect;
        EXPECT_EQ(DrawTextOrRtf(&dc, "plain", 3, &rect, 0), ref.DrawText("pla", 3, &refRect, 0));
        ASSERT_EQ(dc.texts.size(), 1u);
        EXPECT_EQ(dc.texts[0].text, "pla");
    }
}

TEST_F(RtfDraw3Test, ReadsWhatTheRichEditControlWrites)
{
    // Bold, italic, super- and subscript, shadow and emboss, a tab, a soft line break, escaped
    // braces, a code page character, one outside the code page, a colour and indents.
    const CString source = Rtf("\\pard\\li360\\fi-360 \\b Bold\\b0  x\\super 2\\nosupersub\\tab "
                               "\\shad\\i it\\i0\\shad0  \\embo big\\embo0 \\{\\}\\line caf\\'e9\\par "
                               "{\\colortbl ;\\red255\\green0\\blue0;}\\cf1 red\\par");
    QTextDocument doc;
    QTextCursor cursor(&doc);
    ASSERT_TRUE(ReadRtf(source, cursor, QTextCharFormat()));
    cursor.insertText(QString::fromUtf8(" \u221A"));
    const CString written = WriteRtf(doc);

    // The square root the control writes as "\u8730?" is a character above 127, not its fallback.
    EXPECT_EQ(RtfToPlainText(written), "Bold x2\tit big{}\ncaf@\nred @\n") << written.GetString();
    CFixedMetricsDC dc;
    CRtfDraw3 draw;
    CRect rect(0, 0, 1000, 1000);
    EXPECT_EQ(draw.DrawRtf(&dc, written, &rect, 0, nullptr), 30) << written.GetString();
    EXPECT_EQ(draw.GetStatus(), CRtfDraw3::RTF_SUCCESS) << written.GetString();
    CString echoed;
    EXPECT_TRUE(CRtfDraw3().EchoRtf(written, 0, &echoed)) << written.GetString();
}

// ---------------------------------------------------------------------------------------------
// Echo

class RtfEchoTest : public RtfFixture {
protected:
    // The default header as the echo writes it with slot 1 (Times New Roman, 12 points).
    static CString EchoHeader()
    {
        return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fprq3\\fcharset0 Times New Roman;}}"
               "\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs20 ";
    }
    static CString Echo(const CString& rtf)
    {
        CRtfDraw3 draw;
        CString out = "untouched";
        EXPECT_TRUE(draw.EchoRtf(rtf, 1, &out)) << rtf.GetString();
        return out;
    }
};

TEST_F(RtfEchoTest, EchoTable)
{
    const CString h = EchoHeader();
    struct Case {
        const char* body;
        CString echoed;
    } cases[] = {
        {"Hello\\par", h + "{\\b0\\i0\\ulnone\\fs24 Hello}\\par}"},
        {"Two words\\par\r\nNext", h + "{\\b0\\i0\\ulnone\\fs24 Two words}\\par{\\b0\\i0\\ulnone\\fs24 Next}}"},
        {"\\b bold\\b0  plain", h + "\\b {\\b0\\i0\\ulnone\\fs24 bold}\\b0 {\\b0\\i0\\ulnone\\fs24  plain}}"},
        {"\\shad\\b kept", h + "\\shad\\b {\\fs24 kept}}"},
        {"\\embo\\fs40 big", h + "\\embo\\fs40 {\\b0\\i0\\ulnone big}}"},
        {"\\shad\\embo x", h + "\\shad\\embo {x}}"},
        {"\\{x\\}", h + "{\\b0\\i0\\ulnone\\fs24 \\{x\\}}}"},
        {"caf\\'e9 \\ldblquote q\\rdblquote", h + "{\\b0\\i0\\ulnone\\fs24 caf\\'e9 \\ldblquote q\\rdblquote}}"},
        {"a{\\footnote fn}b", h + "{\\b0\\i0\\ulnone\\fs24 a}{\\footnote fn}{\\b0\\i0\\ulnone\\fs24 b}}"},
        {"a{\\pict\\bin3 {}\\}b", h + "{\\b0\\i0\\ulnone\\fs24 a}{\\pict\\bin3 {}\\}{\\b0\\i0\\ulnone\\fs24 b}}"},
        {"x\\u8730?y\\par.", h + "{\\b0\\i0\\ulnone\\fs24 x}{\\b0\\i0\\ulnone\\fs24 \\u8730?y}\\par{\\b0\\i0\\ulnone\\fs24 .}}"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Echo(Rtf(c.body)), c.echoed) << c.body;

    // Plain text is wrapped first.
    EXPECT_EQ(Echo("Hello"), "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fprq3\\fcharset0 Times New "
                             "Roman;}}\\viewkind4\\uc1\\pard\\lang1033\\fs20 {\\b0\\i0\\ulnone\\fs24 Hello}}");
    // Text without a font table is echoed as read: it has no document-font entry to follow.
    EXPECT_EQ(Echo("{\\rtf1\\ansi \\b bold\\b0  text\\par}"), "{\\rtf1\\ansi \\b {bold}\\b0 { text}\\par}");
    // An entry that is not the document font keeps its own face, without style words.
    EXPECT_EQ(Echo("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fcharset0{\\*\\panose 020b0604020202020204}Arial;}}"
                   "{\\colortbl ;\\red255\\green0\\blue0;}\\f0 Hi}"),
              "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fprq0\\fcharset0 Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}\\f0 "
              "{Hi}}");
}

TEST_F(RtfEchoTest, EchoedTextReadsTheSame)
{
    const CString rtf = Rtf("\\b bold\\b0  caf\\'e9\\par \\{x\\}\\tab y");
    const CString echoed = Echo(rtf);
    EXPECT_EQ(RtfToPlainText(echoed), RtfToPlainText(rtf));
    CRtfDraw3 draw;
    CRect rect(0, 0, 1000, 1000);
    draw.DrawRtf(nullptr, echoed, &rect, DT_CALCRECT, nullptr);
    EXPECT_EQ(draw.GetStatus(), CRtfDraw3::RTF_SUCCESS);
}

TEST_F(RtfEchoTest, EchoOfOddTextReadsBackWithTheSameText)
{
    // A font of its own, so the echo's groups carry no style words.
    const CString own = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Arial;}}\\f0 ";
    struct Case {
        const char* name;
        CString rtf;
    } cases[] = {
        {"hidden-text word glued to text", own + "a\\v.hid b}"},
        {"star before an escaped brace", Rtf("a\\*\\{b")},
        {"face with braces, a backslash and a high byte", "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 "
                                                          "A\\{r\\}\\\\\\'fc;}}\\f0 x}"},
    };
    for (const Case& c : cases) {
        const CString echoed = Echo(c.rtf);
        CRtfDraw3 draw;
        CRect rect(0, 0, 1000, 1000);
        draw.DrawRtf(nullptr, echoed, &rect, DT_CALCRECT, nullptr);
        EXPECT_EQ(draw.GetStatus(), CRtfDraw3::RTF_SUCCESS) << c.name << ": " << echoed.GetString();
        EXPECT_EQ(RtfToPlainText(echoed), RtfToPlainText(c.rtf)) << c.name << ": " << echoed.GetString();
    }
}

TEST_F(RtfEchoTest, OptionsApplyExactlyTheChosenParts)
{
    const CString h = EchoHeader();
    struct Case {
        const char* body;
        BOOL bFont, bSize, bStyle;
        CString echoed;
    } cases[] = {
        {"\\shad\\b x", TRUE, TRUE, TRUE, h + "\\shad\\b {\\b0\\i0\\ulnone\\fs24 x}}"},
        {"\\embo\\fs40 x", TRUE, TRUE, FALSE, h + "\\embo\\fs40 {\\fs24 x}}"},
        {"x", TRUE, FALSE, FALSE, h + "{x}}"},
        // Without the font option the marked entry keeps its face and its marker; size and
        // styles still follow their options.
        {"x", FALSE, TRUE, TRUE,
         "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fprq3\\fcharset0 Arial;}}"
         "\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs20 {\\b0\\i0\\ulnone\\fs24 x}}"},
        {"\\b x", FALSE, TRUE, FALSE,
         "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fprq3\\fcharset0 Arial;}}"
         "\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs20 \\b {\\fs24 x}}"},
    };
    for (const Case& c : cases) {
        CRtfDraw3 draw;
        CString out;
        EXPECT_TRUE(draw.EchoRtfWithOptions(Rtf(c.body), 1, &out, nullptr, c.bFont, c.bSize, c.bStyle));
        EXPECT_EQ(out, c.echoed) << c.body << " " << c.bFont << c.bSize << c.bStyle;
    }
}

TEST_F(RtfEchoTest, AFaceWithBracesAndSemicolonsIsEscapedInTheFontTable)
{
    LOGFONT lf{};
    CFontMgr::GetSlotLogFont(lf, 1);
    SetLogFontFaceName(lf, "Odd;Face{1}");
    CFontMgr::SetSlotLogFont(lf, 1);
    const CString out = Echo(Rtf("x"));
    EXPECT_NE(out.Find("\\fcharset0 Odd\\'3bFace\\{1\\};}}"), -1) << out.GetString();
    EXPECT_EQ(RtfToPlainText(out), "x");
    // Read again, the entry names the whole face.
    const CString again = Echo(out);
    EXPECT_NE(again.Find("\\fcharset0 Odd\\'3bFace\\{1\\};}}"), -1) << again.GetString();
    EXPECT_EQ(RtfToPlainText(again), "x");
}

TEST_F(RtfEchoTest, FontListReplacesUnlistedFaces)
{
    const CString rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fprq3\\fcharset0 Arial;}{\\f1\\fnil\\fprq2\\fcharset2 "
                        "Wingdings;}{\\f2\\fswiss\\fprq2\\fcharset0 Arial;}}\\f1 a\\f2 b\\f7 c}";
    CStringList faces;
    faces.AddTail("Arial");
    faces.AddTail("Times New Roman");
    ResetLogging();
    CRtfDraw3 draw;
    CString out;
    ASSERT_TRUE(draw.EchoRtfWithOptions(rtf, 1, &out, &faces, TRUE, FALSE, FALSE));
    EXPECT_EQ(out, "{\\rtf1\\ansi{\\fonttbl{\\f0\\froman\\fprq3\\fcharset0 Times New Roman;}{\\f1\\fnil\\fprq2\\fcharset2 "
                   "Wingdings;}{\\f2\\fswiss\\fprq2\\fcharset0 Arial;}}\\f0 {a}\\f2 {b}\\f7 {c}}");
    EXPECT_GE(GetLogBuffer().Find("CRtfDraw3::OnNewFont() - cannot find font face for font num 7..."), 0);

    // Without a marked entry, the first face outside the list becomes the document font.
    const CString unmarked = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Arial;}{\\f1\\fnil\\fprq2\\fcharset0 "
                             "Fancy;}}\\f0 a\\f1 b}";
    ASSERT_TRUE(draw.EchoRtfWithOptions(unmarked, 1, &out, &faces, TRUE, FALSE, FALSE));
    EXPECT_EQ(out, "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fprq2\\fcharset0 Arial;}{\\f1\\froman\\fprq3\\fcharset0 Times "
                   "New Roman;}}\\f0 {a}\\f1 {b}}");

    // A replaced font word with its text in the same token keeps the text and the braces whole.
    const CString glued = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fprq3\\fcharset0 Arial;}{\\f1\\fnil\\fprq2\\fcharset0 "
                          "Fancy;}}\\f1.x y}";
    ASSERT_TRUE(draw.EchoRtfWithOptions(glued, 1, &out, &faces, TRUE, FALSE, FALSE));
    EXPECT_EQ(out, "{\\rtf1\\ansi{\\fonttbl{\\f0\\froman\\fprq3\\fcharset0 Times New Roman;}{\\f1\\fnil\\fprq2\\fcharset0 "
                   "Fancy;}}\\f0{.x y}}");

    // A font word inside a face name is not written: the entry is rewritten whole.
    const CString inFace = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fprq3\\fcharset0 Arial;}{\\f1\\fnil\\fprq2\\fcharset0 "
                           "Fancy;}{\\f2\\fnil\\fprq2\\fcharset0 Bo\\f1 ld;}}\\f2 x}";
    ASSERT_TRUE(draw.EchoRtfWithOptions(inFace, 1, &out, &faces, TRUE, FALSE, FALSE));
    EXPECT_EQ(out, "{\\rtf1\\ansi{\\fonttbl{\\f0\\froman\\fprq3\\fcharset0 Times New Roman;}{\\f1\\fnil\\fprq2\\fcharset0 "
                   "Fancy;}{\\f2\\fnil\\fprq2\\fcharset0 Bold;}}\\f0 {x}}");
}

TEST_F(RtfEchoTest, ForceFontPitchDropsTheMarker)
{
    const LOGFONT lf = MakeFont("Courier New", -16, FW_BOLD, FF_MODERN | 0x01);
    CRtfDraw3 draw;
    CString out;
    const CString rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fprq3\\fcharset0 Arial;}{\\f1\\fnil\\fprq2\\fcharset0 "
                        "Arial;}}\\f0 Hello{\\*\\comment \\fprq3}}";
    ASSERT_TRUE(draw.ForceFontPitch(rtf, &lf, &out, nullptr, TRUE, TRUE, TRUE));
    EXPECT_EQ(out.Find("fprq3"), -1) << out.GetString();
    EXPECT_EQ(out, "{\\rtf1\\ansi{\\fonttbl{\\f0\\fmodern\\fprq0\\fcharset0 Courier New;}{\\f1\\fnil\\fprq2\\fcharset0 "
                   "Arial;}}\\f0 {\\b\\i0\\ulnone\\fs24 Hello}{\\*\\comment \\fprq2}}");
    // The next echo takes the font manager's slot again.
    EXPECT_EQ(Echo(Rtf("x")), EchoHeader() + "{\\b0\\i0\\ulnone\\fs24 x}}");
}

TEST_F(RtfEchoTest, FailuresLeaveTheOutputAndTheDefaultSlot)
{
    CFontMgr::SetDefaultSlot(4);
    ResetLogging();
    CRtfDraw3 draw;
    CString out = "untouched";
    EXPECT_FALSE(draw.EchoRtf("", 1, &out));
    EXPECT_FALSE(draw.EchoRtf("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial}}x}", 1, &out));
    EXPECT_EQ(out, "untouched");
    EXPECT_GE(GetLogBuffer().Find("Echo failure."), 0);
    EXPECT_EQ(CFontMgr::GetDefaultSlot(), 4);
    EXPECT_TRUE(draw.EchoRtf(Rtf("x"), 1, &out));
    EXPECT_EQ(CFontMgr::GetDefaultSlot(), 4);
    // A drawing call after an echo records nothing and reads the slot it is given.
    CFixedMetricsDC dc;
    CRect rect(0, 0, 100, 100);
    CFontMgr::SetDefaultSlot(0);
    EXPECT_EQ(draw.DrawRtf(&dc, Rtf("x"), &rect, 0, nullptr), 10);
    CString record;
    EXPECT_FALSE(CRtfDraw3::Tokenizer().GetRecord(record));
}

} // namespace
