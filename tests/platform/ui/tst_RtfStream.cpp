// The RTF reader and writer: round trips, stable output, malformed input.

#include "platform/ui/RtfStream.h"

#include "platform/ui/QtString.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <functional>

namespace {

const char* const kHead = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fprq3\\fcharset0 Times New Roman;}}";

CString Rtf(const char* body)
{
    return CString(kHead) + body + "}";
}

void Read(QTextDocument& doc, const CString& rtf)
{
    QTextCursor c(&doc);
    ReadRtf(rtf, c, QTextCharFormat());
}

// The format of the character at pos.
QTextCharFormat At(QTextDocument& doc, int pos)
{
    QTextCursor c(&doc);
    c.setPosition(pos + 1);
    return c.charFormat();
}

// The text with paragraph marks as "\n" and line breaks kept as U+2028.
QString Text(const QTextDocument& doc)
{
    return doc.toRawText().replace(QChar::ParagraphSeparator, '\n');
}

int Find(QTextDocument& doc, const char* text)
{
    return Text(doc).indexOf(QString::fromUtf8(text));
}

struct RoundTrip {
    const char* name;
    const char* body;
    const char* plain;  // UTF-8
    std::function<void(QTextDocument&)> check = {};
};

void PrintTo(const RoundTrip& tc, std::ostream* os)
{
    *os << tc.name;
}

class RtfRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RtfRoundTrip, ReadsWritesAndWritesTheSameBytesAgain)
{
    const RoundTrip& tc = GetParam();
    QTextDocument doc;
    Read(doc, Rtf(tc.body));
    EXPECT_EQ(Text(doc), QString::fromUtf8(tc.plain));
    if (tc.check)
        tc.check(doc);

    CString first = WriteRtf(doc);
    QTextDocument again;
    Read(again, first);
    EXPECT_EQ(Text(again), QString::fromUtf8(tc.plain));
    if (tc.check)
        tc.check(again);
    EXPECT_EQ(WriteRtf(again), first);
    EXPECT_EQ(first.Find('\n'), -1);
    EXPECT_EQ(first.Find('\r'), -1);
    for (unsigned char ch : first.str())
        EXPECT_LT(ch, 0x80) << first.GetString();
}

const RoundTrip kRoundTrips[] = {
    {"Plain", "\\viewkind4\\uc1\\pard\\f0\\fs26 Hello world\\par", "Hello world",
     [](QTextDocument& d) {
         QTextCharFormat f = At(d, 0);
         EXPECT_EQ(f.fontFamilies().toStringList().value(0), "Times New Roman");
         EXPECT_EQ(f.fontPointSize(), 13.0);
         EXPECT_EQ(f.property(rtfprop::PitchAndFamily).toInt(), 3);
         EXPECT_EQ(d.blockCount(), 1);
     }},
    {"Runs", "\\pard\\f0\\fs20 \\b bold\\b0  \\i it\\i0  \\ul un\\ulnone  \\b\\i both\\b0\\i0  plain\\par",
     "bold it un both plain",
     [](QTextDocument& d) {
         EXPECT_EQ(At(d, Find(d, "bold")).fontWeight(), QFont::Bold);
         EXPECT_FALSE(At(d, Find(d, "bold")).fontItalic());
         EXPECT_TRUE(At(d, Find(d, "it")).fontItalic());
         EXPECT_EQ(At(d, Find(d, "it")).fontWeight(), QFont::Normal);
         EXPECT_TRUE(At(d, Find(d, "un")).fontUnderline());
         EXPECT_TRUE(At(d, Find(d, "both")).fontItalic());
         EXPECT_EQ(At(d, Find(d, "both")).fontWeight(), QFont::Bold);
         QTextCharFormat p = At(d, Find(d, "plain"));
         EXPECT_FALSE(p.fontItalic() || p.fontUnderline() || p.fontWeight() == QFont::Bold);
     }},
    {"Scripts", "\\pard\\f0\\fs20 x\\super 2\\nosupersub  H\\sub 2\\nosupersub O\\par", "x2 H2O",
     [](QTextDocument& d) {
         EXPECT_EQ(At(d, 1).verticalAlignment(), QTextCharFormat::AlignSuperScript);
         EXPECT_EQ(At(d, 2).verticalAlignment(), QTextCharFormat::AlignNormal);
         EXPECT_EQ(At(d, 4).verticalAlignment(), QTextCharFormat::AlignSubScript);
         EXPECT_EQ(At(d, 5).verticalAlignment(), QTextCharFormat::AlignNormal);
     }},
    {"HighCharacters", "\\pard\\f0\\fs20 caf\\'e9 \\'80 \\u937?\\u8364?\\par", "caf\xC3\xA9 \xE2\x82\xAC \xCE\xA9\xE2\x82\xAC"},
    {"EscapedBraces", "\\pard\\f0\\fs20 \\{a\\} \\\\b\\par", "{a} \\b"},
    {"TabsAndIndents", "\\pard\\fi-360\\li720\\ri144\\tx720\\tqr\\tx4320 a\\tab b\\par\\pard\\qc mid\\par", "a\tb\nmid",
     [](QTextDocument& d) {
         QTextBlockFormat b = d.firstBlock().blockFormat();
         EXPECT_EQ(b.intProperty(rtfprop::LeftIndentTwips), 720);
         EXPECT_EQ(b.intProperty(rtfprop::FirstIndentTwips), -360);
         EXPECT_EQ(b.intProperty(rtfprop::RightIndentTwips), 144);
         QList<int> tabs = b.property(rtfprop::TabStopsTwips).value<QList<int>>();
         EXPECT_EQ(tabs, (QList<int>{720, 4320 | (2 << 24)}));
         ASSERT_GE(b.tabPositions().size(), 2);
         EXPECT_EQ(b.tabPositions()[1].type, QTextOption::RightTab);
         QTextBlockFormat m = d.lastBlock().blockFormat();
         EXPECT_EQ(m.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
         EXPECT_FALSE(m.hasProperty(rtfprop::LeftIndentTwips));
     }},
    {"ShadowAndEmboss", "\\pard\\f0\\fs20 \\shad s\\shad0  \\embo e\\embo0  n\\par", "s e n",
     [](QTextDocument& d) {
         EXPECT_TRUE(At(d, 0).property(rtfprop::Shadow).toBool());
         EXPECT_FALSE(At(d, 0).property(rtfprop::Emboss).toBool());
         EXPECT_TRUE(At(d, 2).property(rtfprop::Emboss).toBool());
         EXPECT_FALSE(At(d, 4).property(rtfprop::Shadow).toBool());
     }},
    // The line after a break is a block of its own that continues the paragraph.
    {"LineAndParagraphs", "\\pard\\f0\\fs20 one\\line two\\par three\\par\\par", "one\ntwo\nthree\n",
     [](QTextDocument& d) {
         ASSERT_EQ(d.blockCount(), 4);
         EXPECT_FALSE(RtfContinuesParagraph(d.findBlockByNumber(0).blockFormat()));
         EXPECT_TRUE(RtfContinuesParagraph(d.findBlockByNumber(1).blockFormat()));
         EXPECT_FALSE(RtfContinuesParagraph(d.findBlockByNumber(2).blockFormat()));
     }},
    {"Colour", "{\\colortbl ;\\red255\\green0\\blue0;}\\pard\\f0\\fs20 \\cf1 red\\cf0  auto\\par", "red auto",
     [](QTextDocument& d) {
         EXPECT_EQ(At(d, 0).foreground().color(), QColor(255, 0, 0));
         EXPECT_FALSE(At(d, 4).hasProperty(QTextFormat::ForegroundBrush));
     }},
    {"EmptyDocumentKeepsItsFont", "\\pard\\f0\\fs26\\b\\par", "",
     [](QTextDocument& d) {
         QTextCharFormat f = d.firstBlock().charFormat();
         EXPECT_EQ(f.fontPointSize(), 13.0);
         EXPECT_EQ(f.fontWeight(), QFont::Bold);
     }},
    {"SkippedDestinations",
     "{\\*\\generator Riched20;}{\\info{\\title T}}{\\stylesheet{\\s1 Heading;}}\\pard\\f0\\fs20 "
     "a{\\*\\bkmkstart x}b{\\field{\\*\\fldinst HYPERLINK}{\\fldrslt c}}{\\v hidden}d\\par",
     "abcd"},
};

INSTANTIATE_TEST_SUITE_P(Cases, RtfRoundTrip, ::testing::ValuesIn(kRoundTrips),
                         [](const ::testing::TestParamInfo<RoundTrip>& i) { return i.param.name; });

TEST(RtfWriter, WritesTheEngineSubset)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat f;
    f.setFontFamilies({"Arial"});
    f.setFontPointSize(10);
    f.setProperty(rtfprop::PitchAndFamily, 0x23);
    c.insertText("caf\u00e9 ", f);
    f.setFontWeight(QFont::Bold);
    f.setProperty(rtfprop::Shadow, true);
    c.insertText("x{y}", f);
    EXPECT_STREQ(WriteRtf(doc).GetString(),
                 "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fprq3\\fcharset0 Arial;}}"
                 "\\viewkind4\\uc1\\pard\\f0\\fs20 caf\\'e9 \\b\\shad x\\{y\\}\\par}");
}

TEST(RtfWriter, DocumentFontsAndOtherFontsAreSeparateEntries)
{
    QTextDocument doc;
    Read(doc, "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman\\fprq3\\fcharset0 Times New Roman;}"
              "{\\f1\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f2\\fnil\\fprq2\\fcharset2 Symbol;}}"
              "\\pard\\f0\\fs26 a\\f1 b\\f2 c\\par}");
    CString out = WriteRtf(doc);
    EXPECT_NE(out.Find("{\\f0\\froman\\fprq3\\fcharset0 Times New Roman;}"), -1) << out.GetString();
    EXPECT_NE(out.Find("{\\f1\\froman\\fprq2\\fcharset0 Times New Roman;}"), -1) << out.GetString();
    EXPECT_NE(out.Find("{\\f2\\fnil\\fprq2\\fcharset2 Symbol;}"), -1) << out.GetString();
    EXPECT_NE(out.Find("a\\f1 b\\f2 c\\par}"), -1) << out.GetString();
}

TEST(RtfWriter, RangeWritesOnlyItsCharacters)
{
    QTextDocument doc;
    Read(doc, Rtf("\\pard\\f0\\fs20 abc\\par def\\par"));
    CString inner = WriteRtf(doc, 1, 2);
    EXPECT_NE(inner.Find("\\fs20 b}"), -1) << inner.GetString();
    CString across = WriteRtf(doc, 1, 5);
    EXPECT_NE(across.Find(" bc\\par d}"), -1) << across.GetString();

    // Read back at a caret inside other text, the range's paragraph mark splits that paragraph.
    QTextDocument target;
    Read(target, Rtf("\\pard\\f0\\fs20 XY\\par"));
    QTextCursor c(&target);
    c.setPosition(1);
    ReadRtf(across, c, QTextCharFormat());
    EXPECT_EQ(Text(target), "Xbc\ndY");
}

TEST(RtfReader, AParagraphReadIntoOtherTextKeepsItsMark)
{
    QTextDocument doc;
    Read(doc, Rtf("\\pard\\f0\\fs20 abc\\par def\\par"));
    const CString whole = WriteRtf(doc, 0, 4);  // "abc" and its mark
    const CString partly = WriteRtf(doc, 2, 6);  // "c", its mark and "de"

    struct Case {
        const CString& rtf;
        int at;
        const char* text;
    };
    const Case cases[] = {
        {whole, 1, "Xabc\nY"},   // inside a paragraph: the mark splits it
        {whole, 2, "XYabc"},      // at the end of the document: appended
        {partly, 1, "Xc\ndeY"},
    };
    for (const Case& tc : cases) {
        QTextDocument target;
        Read(target, Rtf("\\pard\\qc\\f0\\fs20 XY\\par"));
        QTextCursor c(&target);
        c.setPosition(tc.at);
        ReadRtf(tc.rtf, c, QTextCharFormat());
        EXPECT_EQ(Text(target), QString::fromUtf8(tc.text)) << tc.rtf.GetString();
        // The paragraph the mark read ends is left-aligned as read; the text after it stays in
        // a centred paragraph.
        auto align = [](const QTextBlock& b) { return b.blockFormat().alignment() & Qt::AlignHorizontal_Mask; };
        EXPECT_EQ(align(target.firstBlock()), Qt::AlignLeft) << tc.rtf.GetString();
        if (target.blockCount() > 1) {
            EXPECT_EQ(align(target.lastBlock()), Qt::AlignHCenter) << tc.rtf.GetString();
        }
    }
}

TEST(RtfReader, MalformedTextGivesTheBestTextItHolds)
{
    struct Case {
        const char* rtf;
        const char* plain;
    };
    const Case cases[] = {
        {"{\\rtf1 abc", "abc"},
        {"{\\rtf1 abc}}} def", "abc"},
        {"{\\rtf1 {\\b x}}}}y", "x"},
        {"{\\rtf1 ab\\'", "ab"},
        {"{\\rtf1 ab\\'e", "ab"},
        {"{\\rtf1 ab\\'e}", "ab"},
        {"{\\rtf1 ab\\'zz}", "abzz"},
        {"{\\rtf1 a\\u", "a"},
        {"{\\rtf1 a\\", "a"},
        {"{\\rtf1 a\\bin99999 xyz}", "a"},
        {"{\\rtf1 a\\fs99999999999999999999 b}", "ab"},
        {"{\\rtf1 {\\fonttbl{\\f0\\fnil Arial", ""},
        {"{\\rtf1 {\\*\\unknown {nested} x} y}", " y"},
        {"{\\rtf1 a\\u-560?b\\u-559?c\\u-4?d}", "abcd"},
        {"{\\rtf1 a\\u-70000?b\\u70000?c}", "abc"},
        {"{\\rtf1 a\\u-4064?\\u-32768?b}", "a\xEF\x80\xA0\xE8\x80\x80" "b"},
        {"{\\rtf1 a\\u233\\bin3 }}}b}", "a\xC3\xA9" "b"},
    };
    for (const Case& tc : cases) {
        QTextDocument doc;
        QTextCursor c(&doc);
        EXPECT_TRUE(ReadRtf(tc.rtf, c, QTextCharFormat())) << tc.rtf;
        EXPECT_EQ(Text(doc), QString::fromUtf8(tc.plain)) << tc.rtf;
        CString out = WriteRtf(doc);
        QTextDocument again;
        Read(again, out);
        EXPECT_EQ(WriteRtf(again), out) << tc.rtf;
    }
}

TEST(RtfReader, TableEntriesWithoutTheirSemicolonAreKeptAndWrittenStably)
{
    QTextDocument doc;
    Read(doc, "{\\rtf1{\\fonttbl{\\f0\\fswiss Arial }{\\f1\\froman Times}}"
              "{\\colortbl;\\red0\\green128\\blue0}\\f0 a\\f1\\cf1 b}");
    EXPECT_EQ(At(doc, 0).fontFamilies().toStringList().value(0), "Arial");
    EXPECT_EQ(At(doc, 1).fontFamilies().toStringList().value(0), "Times");
    EXPECT_EQ(At(doc, 1).foreground().color(), QColor(0, 128, 0));
    CString out = WriteRtf(doc);
    EXPECT_NE(out.Find("\\fswiss\\fprq0\\fcharset0 Arial;}"), -1) << out.GetString();
    QTextDocument again;
    Read(again, out);
    EXPECT_EQ(WriteRtf(again), out);
}

TEST(RtfReader, FaceWithATabKeepsItAcrossAWriteAndARead)
{
    QTextDocument doc;
    Read(doc, "{\\rtf1{\\fonttbl{\\f0\\fnil Tab\\'09Face;}}\\f0 a}");
    ASSERT_EQ(At(doc, 0).fontFamilies().toStringList().value(0), "Tab\tFace");
    CString out = WriteRtf(doc);
    QTextDocument again;
    Read(again, out);
    EXPECT_EQ(At(again, 0).fontFamilies().toStringList().value(0), "Tab\tFace") << out.GetString();
    EXPECT_EQ(WriteRtf(again), out);
}

TEST(RtfReader, FaceWithBracesAndSemicolonsIsEscapedInTheFontTable)
{
    // A bare ";" would end the entry and a bare "{" open a group: the face would be cut.
    QTextDocument doc;
    Read(doc, "{\\rtf1{\\fonttbl{\\f0\\fnil Odd\\{Face\\'3bX;}}\\f0 a}");
    ASSERT_EQ(At(doc, 0).fontFamilies().toStringList().value(0), "Odd{Face;X");
    CString out = WriteRtf(doc);
    EXPECT_NE(out.Find("Odd\\{Face\\'3bX;}"), -1) << out.GetString();
    QTextDocument again;
    Read(again, out);
    EXPECT_EQ(At(again, 0).fontFamilies().toStringList().value(0), "Odd{Face;X") << out.GetString();
    EXPECT_EQ(At(again, 0).fontFamilies().toStringList().size(), 1);
}

TEST(RtfReader, FirstColourEntryIsAutomaticOnlyWhenEmpty)
{
    QTextDocument doc;
    Read(doc, "{\\rtf1{\\colortbl\\red255\\green0\\blue0;\\red0\\green0\\blue255;}a\\cf1 b\\cf0 c{\\plain d}}");
    EXPECT_FALSE(At(doc, 0).hasProperty(QTextFormat::ForegroundBrush)) << "no \\cf: automatic";
    EXPECT_EQ(At(doc, 1).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(At(doc, 2).foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(At(doc, 3).hasProperty(QTextFormat::ForegroundBrush));
}

TEST(RtfReader, IndentsAreClampedToThePage)
{
    QTextDocument doc;
    Read(doc, Rtf("\\pard\\li2147483647\\fi2147483647\\ri-99999999999 a\\par"));
    CRtfParaProps p = RtfGetParaProps(doc.firstBlock().blockFormat());
    EXPECT_EQ(p.left, 31680);
    EXPECT_EQ(p.first, 31680);
    EXPECT_EQ(p.right, -31680);
}

TEST(RtfReader, DeepNestingIsBoundedAndKeepsTheText)
{
    std::string rtf = "{\\rtf1\\pard\\fs20 a";
    for (int i = 0; i < 100000; ++i)
        rtf += "{\\b ";
    rtf += "deep";
    for (int i = 0; i < 100000; ++i)
        rtf += "}";
    rtf += " z}";
    QTextDocument doc;
    Read(doc, CString(rtf));
    EXPECT_EQ(Text(doc), "adeep z");
    EXPECT_EQ(At(doc, 1).fontWeight(), QFont::Bold);
    EXPECT_EQ(At(doc, 6).fontWeight(), QFont::Normal);

    // 200 groups in all keep their own state; the 201st shares its parent's, so what it sets
    // outlives it.
    for (int groups : {200, 201}) {
        std::string nested = "{\\rtf1\\pard\\fs20 a" + std::string(groups - 2, '{') + "{\\b x}y" +
                             std::string(groups - 2, '}') + "}";
        QTextDocument d;
        Read(d, CString(nested));
        EXPECT_EQ(Text(d), "axy");
        EXPECT_EQ(At(d, 1).fontWeight(), QFont::Bold) << groups;
        EXPECT_EQ(At(d, 2).fontWeight(), groups <= 200 ? QFont::Normal : QFont::Bold) << groups;
    }

    // A destination skipped past the bound ends with its group; so does a table there.
    std::string skipped = "{\\rtf1\\pard\\fs20 a";
    for (int i = 0; i < 300; ++i)
        skipped += "{";
    skipped += "b{\\*\\foo x}c{\\fonttbl{\\f0 Q;}}d{\\pict 00}e";
    for (int i = 0; i < 300; ++i)
        skipped += "}";
    skipped += " z}";
    QTextDocument deep;
    Read(deep, CString(skipped));
    EXPECT_EQ(Text(deep), "abcde z");
}

TEST(RtfReader, TextThatIsNotRtfIsRefused)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    EXPECT_FALSE(ReadRtf("", c, QTextCharFormat()));
    EXPECT_FALSE(ReadRtf("plain text", c, QTextCharFormat()));
    EXPECT_FALSE(ReadRtf("{braced} text", c, QTextCharFormat()));
    EXPECT_TRUE(doc.isEmpty());
    c.insertText("kept");
    c.select(QTextCursor::Document);
    EXPECT_FALSE(ReadRtf("{\\rt", c, QTextCharFormat()));
    EXPECT_EQ(Text(doc), "kept");
}

TEST(RtfReader, BaseFormatFillsWhatTheTextLeavesUnsaid)
{
    QTextCharFormat base;
    base.setFontFamilies({"Arial"});
    base.setFontPointSize(9);
    base.setProperty(rtfprop::PitchAndFamily, 0x23);
    QTextDocument doc;
    QTextCursor c(&doc);
    ReadRtf("{\\rtf1\\ansi abc}", c, base);
    QTextCharFormat f = At(doc, 0);
    EXPECT_EQ(f.fontFamilies().toStringList().value(0), "Arial");
    EXPECT_EQ(f.fontPointSize(), 9.0);
    EXPECT_EQ(f.property(rtfprop::PitchAndFamily).toInt(), 0x23);
}

} // namespace
