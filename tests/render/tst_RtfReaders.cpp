// RTF as word processors write it, through every reader of the program: the rich-edit control's
// reader, the engine's plain text, the simple reader and the engine's measuring pass.
#include "platform/ui/QtString.h"
#include "platform/ui/RtfStream.h"
#include "render/RtfDraw.h"
#include "render/RtfDraw3.h"
#include "tests/render/RtfFixture.h"
#include "tests/support/FixedMetricsDC.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>

#include <iterator>
#include <map>
#include <random>
#include <vector>

namespace {

class RtfReadersTest : public RtfFixture {
protected:
    // The control's text with every character above 127 as "@", as the plain-text rule has it
    // (a character Windows-1252 lacks would otherwise come out as "?").
    static CString ControlText(const CString& rtf)
    {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        ReadRtf(rtf, cursor, QTextCharFormat());
        CString out;
        for (QChar c : doc.toPlainText())
            out += c.unicode() > 127 ? '@' : static_cast<char>(c.unicode());
        return out;
    }
    // Lines the engine measures (fixed metrics: 10 units a line), and whether it read the text.
    static int Lines(const CString& rtf, int* pStatus)
    {
        CFixedMetricsDC dc;
        CRtfDraw3 draw;
        CRect rect(0, 0, 10000, 10000);
        const int height = draw.DrawRtf(&dc, rtf, &rect, DT_CALCRECT);
        *pStatus = draw.GetStatus();
        return height / 10;
    }
    // What the readers may differ in: characters above 127 (the plain text gives "@"), a tab
    // (the simple reader gives a blank), how many blanks and line ends stand together.
    static std::string Normal(const CString& text)
    {
        std::string out;
        for (int i = 0; i < text.GetLength(); ++i) {
            unsigned char c = static_cast<unsigned char>(text[i]);
            if (c > 127)
                c = '@';
            const bool bBlank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
            if (bBlank) {
                if (!out.empty() && out.back() != ' ')
                    out += ' ';
            } else {
                out += static_cast<char>(c);
            }
        }
        while (!out.empty() && out.back() == ' ')
            out.pop_back();
        return out;
    }
};

const char* const kHead = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0 ";

struct Snippet {
    const char* name;
    const char* rtf;    // whole, or a body after kHead
    const char* plain;  // RtfToPlainText's text
    int lines;          // as the engine measures it
    bool bBeyond1252 = false;  // has characters the simple reader's bytes cannot hold ("?")
};

const Snippet kSnippets[] = {
    {"a blank after the font number", "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 \\fswiss Arial;}}\\f0 Hello world\\par}",
     "Hello world\n", 1},
    {"font entries without braces", "{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss\\fcharset0 Helvetica;\\f1\\fnil Times;}\\f0 Hello}",
     "Hello", 1},
    {"words before the character set, as one word processor writes its header",
     "{\\rtf1\\adeflang1025\\ansi\\ansicpg1252\\uc1\\adeff0\\deff0{\\fonttbl{\\f0\\fbidi \\froman\\fcharset0\\fprq2"
     "{\\*\\panose 02020603050405020304}Times New Roman;}}{\\*\\defchp \\fs22}{\\stylesheet{\\ql \\f0 Normal;}}"
     "{\\*\\mmathPr\\mmathFont34}{\\info{\\author x}}{\\*\\xmlnstbl {\\xmlns1 http://x}}\\pard\\f0 Hello\\par}",
     "Hello\n", 1},
    {"no character set, a blank after the version", "{\\rtf1 {\\fonttbl{\\f0 Arial;}}\\f0 Hello}", "Hello", 1},
    {"no font table", "{\\rtf1\\ansi Some text\\par}", "Some text\n", 1},
    {"no font table, formatting right after the version", "{\\rtf1 \\b bold\\b0  text}", "bold text", 1},
    {"no font table, header words and a colour table",
     "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\colortbl;\\red0\\green0\\blue0;}\\pard\\cf1\\f0 caf\\'e9 {\\i x}\\par}",
     "caf@ x\n", 1},
    {"no font table, bytes in the document's code page", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0}", "@@", 1},
    {"a font entry without a family", "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Hello}", "Hello", 1},
    {"a field gives its result", "See {\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt course page}} now}",
     "See course page now", 1},
    {"table cells and rows",
     "\\trowd\\cellx1000\\cellx2000\\pard\\intbl Element\\cell Symbol\\cell\\row\\pard After.\\par}",
     "Element\tSymbol\t\nAfter.\n", 2},
    {"a section break", "Second page\\sect\\sectd More}", "Second page\nMore", 2},
    {"a line break", "Answer: 100\\line (Explain.)}", "Answer: 100\n(Explain.)", 2},
    {"typographic symbols", "Don\\rquote t \\lquote x\\rquote  a\\endash b\\emdash c \\bullet  d}",
     "Don@t @x@ a@b@c @ d", 1},
    {"hidden text wherever it is set", "Shown {\\loch\\v\\loch HIDDEN }shown \\v hid\\v0 back}",
     "Shown shown back", 1},
    {"Unicode characters in place of their fallbacks", "\\uc1 If \\u945\\'3f \\u8804? then caf\\u233\\'e9.}",
     "If @ @ then caf@.", 1, true},
    {"a longer fallback and none", "x{\\uc2 \\u8211\\'2d\\'2dy}\\uc0 z\\u8212 w}", "x@yz@w", 1},
    {"bytes in the document's code page", "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\\f0 "
     "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}", "@@@@@@", 1},
    {"a field result marked optional", "See {\\field{\\*\\fldinst {HYPERLINK \"http://x\"}}{\\*\\fldrslt{\\ul course page}}} now}",
     "See course page now", 1},
    {"an unknown destination is skipped whole", "a{\\*\\unknowndest {\\b nested} text}b}", "ab", 1},
    {"a field instruction not marked optional", "See {\\field{\\fldinst HYPERLINK \"http://x\"}{\\fldrslt course page}} now}",
     "See course page now", 1},
    // A control word or symbol after "\\u" stands for one fallback character; a group's end
    // ends the fallback.
    {"a control word as a fallback", "A\\u945\\par ?B\\u8804\\'3f\\u8804\\{C}", "A@?B@@C", 1, true},
    {"a fallback ends with its group", "Y{\\uc1\\u945}?Z {\\u8804}wrong}", "Y@?Z @wrong", 1, true},
};

TEST_F(RtfReadersTest, WordProcessorSnippetsThroughEveryReader)
{
    for (const Snippet& s : kSnippets) {
        const CString rtf = s.rtf[0] == '{' ? CString(s.rtf) : CString(kHead) + s.rtf;
        EXPECT_EQ(RtfToPlainText(rtf), s.plain) << s.name;
        int status = 0;
        EXPECT_EQ(Lines(rtf, &status), s.lines) << s.name;
        EXPECT_EQ(status, CRtfDraw3::RTF_SUCCESS) << s.name;
        // The readers agree on the text.
        const std::string plain = Normal(RtfToPlainText(rtf));
        EXPECT_EQ(Normal(ControlText(rtf)), plain) << s.name << ": the control's reader";
        if (!s.bBeyond1252) {
            EXPECT_EQ(Normal(RtfToText(rtf)), plain) << s.name << ": the simple reader";
        }
    }
}

TEST_F(RtfReadersTest, TheSimpleReaderBreaksAndGivesSymbols)
{
    struct Case {
        const char* body;
        const char* text;
    } cases[] = {
        {"Answer: 100\\line (Explain.)}", "Answer: 100\n(Explain.)"},
        {"Second page\\sect\\sectd More}", "Second page\nMore"},
        {"Don\\rquote t a\\~b c\\_d \\endash \\emdash \\bullet \\lquote x}", "Don\x92t a\xA0" "b c-d \x96\x97\x95\x91x"},
        {"a{\\v hidden \\v0 shown}\\v  gone}", "ashown"},
        {"\\uc1 If \\u945\\'3f \\u8804? then caf\\u233\\'e9.}", "If ? ? then caf\xE9."},
        {"{\\uc2 \\u8211\\'2d\\'2d}\\uc0 \\u8212 x}", "\x96\x97x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RtfToText(CString(kHead) + c.body), c.text) << c.body;
}

// Bytes of text are read in their font's character set, else in the document's code page.
TEST_F(RtfReadersTest, TheControlReadsBytesInTheirCodePage)
{
    struct Case {
        const char* rtf;
        const char16_t* text;
    } cases[] = {
        {"{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\\f0 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}",
         u"\u041f\u0440\u0438\u0432\u0435\u0442"},
        {"{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\\f0 \\'cf}", u"\u041f"},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman\\fcharset161 Times;}}\\f0 caf\\'e9 {\\f1 \\'e1}}",
         u"caf\u00e9 \u03b1"},
        {"{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fswiss Arial;}}\\f0 \\'93q\\'94}", u"\u201cq\u201d"},
    };
    for (const Case& c : cases) {
        QTextDocument doc;
        QTextCursor cursor(&doc);
        ReadRtf(c.rtf, cursor, QTextCharFormat());
        EXPECT_EQ(doc.toPlainText(), QString::fromUtf16(c.text)) << c.rtf;
    }
}

// A character Windows-1252 lacks is drawn as itself, not as its fallback.
TEST_F(RtfReadersTest, TheEngineDrawsCharactersBeyondItsCodePage)
{
    CFixedMetricsDC dc;
    CRtfDraw3 draw;
    CRect rect(0, 0, 1000, 1000);
    draw.DrawRtf(&dc, CString(kHead) + "\\uc1 If \\u945\\'3f \\u8804?x caf\\u233\\'e9}", &rect, 0);
    EXPECT_EQ(draw.GetStatus(), CRtfDraw3::RTF_SUCCESS);
    QString drawn;
    for (const auto& t : dc.texts)
        drawn += t.wide.isEmpty() ? ToQString(t.text) : t.wide;
    EXPECT_EQ(drawn, QString::fromUtf16(u"If\u03b1\u2264xcaf\u00e9"));

    // Bytes in a font of another character set, or in a document of another code page.
    const struct {
        const char* rtf;
        const char16_t* text;
    } cases[] = {
        {"{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\\f0 \\'cf\\'f0}", u"\u041f\u0440"},
        {"{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fswiss Arial;}}\\f0 \\'cf}", u"\u041f"},
        {"{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman\\fcharset161 Times;}}\\f0 \\'e9{\\f1 \\'e1}}",
         u"\u00e9\u03b1"},
    };
    for (const auto& c : cases) {
        CFixedMetricsDC cdc;
        CRtfDraw3 cdraw;
        CRect crect(0, 0, 1000, 1000);
        cdraw.DrawRtf(&cdc, c.rtf, &crect, 0);
        QString text;
        for (const auto& t : cdc.texts)
            text += t.wide.isEmpty() ? ToQString(t.text) : t.wide;
        EXPECT_EQ(text, QString::fromUtf16(c.text)) << c.rtf;
    }
}

// A fallback written as text of its own is passed over once, however the lines break around it.
TEST_F(RtfReadersTest, AFallbackIsPassedOverOnceWhereverTheLineBreaks)
{
    const struct {
        const char* body;
        int width;
        std::vector<const char16_t*> lines;
    } cases[] = {
        // The character does not fit the line: the line before keeps all of its text.
        {"aaaa \\u945 ?bbb}", 38, {u"aaaa", u"\u03b1bbb"}},
        {"aaaa \\u945\\'3fbbb}", 38, {u"aaaa", u"\u03b1bbb"}},
        // A word wider than the line breaks after its fallback, not inside it.
        {"aaaa \\u945 ?bbbbbbbbbbbbbbbbb}", 38,
         {u"aaaa", u"\u03b1", u"bbbb", u"bbbb", u"bbbb", u"bbbbb"}},
        {"\\uc2 aaaa \\u945??bbbbbbbbbb}", 38, {u"aaaa", u"\u03b1", u"bbbb", u"bbbb", u"bb"}},
    };
    for (const auto& c : cases) {
        CFixedMetricsDC dc;
        CRtfDraw3 draw;
        CRect rect(0, 0, c.width, 1000);
        draw.DrawRtf(&dc, CString(kHead) + c.body, &rect, 0);
        EXPECT_EQ(draw.GetStatus(), CRtfDraw3::RTF_SUCCESS) << c.body;
        std::map<int, QString> lines;
        for (const auto& t : dc.texts)
            lines[t.y] += t.wide.isEmpty() ? ToQString(t.text) : t.wide;
        QStringList drawn;
        for (const auto& [y, text] : lines)
            drawn << text;
        QStringList expected;
        for (const char16_t* line : c.lines)
            expected << QString::fromUtf16(line);
        EXPECT_EQ(drawn, expected) << c.body;
    }
}

// Lines break where they may; what is drawn is the same text however narrow the rectangle.
// Texts made at random (seeded) of what word processors write around Unicode characters.
TEST_F(RtfReadersTest, TheTextDrawnDoesNotDependOnTheWidth)
{
    const char* const parts[] = {"\\u945", "\\u8804 ", "?", "??", "\\'3f", "\\'e9", "{", "}", "\\par ", "\\uc2 ",
                                 "\\uc0 ", "abc", "wordwordword", " ", "\\line ", "\\b ", "\\~", "\\{", "x\r\n",
                                 "\\u-3913?", "\\rquote "};
    auto drawn = [](const CString& rtf, int width) {
        CFixedMetricsDC dc;
        CRtfDraw3 draw;
        CRect rect(0, 0, width, 100000);
        draw.DrawRtf(&dc, rtf, &rect, 0);
        EXPECT_EQ(draw.GetStatus(), CRtfDraw3::RTF_SUCCESS) << rtf.GetString();
        QString text;
        for (const auto& t : dc.texts)
            text += t.wide.isEmpty() ? ToQString(t.text) : t.wide;
        return text;
    };
    std::mt19937 random(7);
    for (int n = 0; n < 150; ++n) {
        CString body;
        int depth = 0;
        for (int i = static_cast<int>(random() % 30); i > 0; --i) {
            const char* part = parts[random() % std::size(parts)];
            if (part[0] == '}' && depth == 0)
                continue;
            depth += part[0] == '{' ? 1 : part[0] == '}' ? -1 : 0;
            body += part;
        }
        body += CString('}', depth + 1);
        const CString rtf = CString(kHead) + body;
        const int width = 10 + static_cast<int>(random() % 80);
        EXPECT_EQ(drawn(rtf, width), drawn(rtf, 100000)) << rtf.GetString() << " in " << width;
    }
}

// Whole documents the program writes itself read the same through every reader.
TEST_F(RtfReadersTest, TheControlsOwnDocumentsAgree)
{
    const char* const texts[] = {
        "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\froman\\fprq2\\fcharset0 Times New Roman;}}"
        "\\viewkind4\\uc1\\pard\\li360\\fi-360\\f0\\fs20 A.\\tab First choice\\par B.\\tab {\\b Second} choice\\par\\f1 caf\\'e9\\par}",
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0 {\\i Which} of these {\\ul is} right?\\par\\par}",
    };
    for (const char* rtf : texts) {
        const std::string plain = Normal(RtfToPlainText(rtf));
        EXPECT_FALSE(plain.empty()) << rtf;
        EXPECT_EQ(Normal(ControlText(rtf)), plain) << rtf;
        EXPECT_EQ(Normal(RtfToText(rtf)), plain) << rtf;
    }
}

// The words of a text, with every character above 127 as "@": what the readers and a word
// processor's own plain-text export must agree on (layout, blanks and list marks aside).
QStringList Words(const QString& text)
{
    QString mapped;
    for (QChar c : text)
        mapped += c.unicode() > 127 ? QChar('@') : c;
    return mapped.split(QRegularExpression("[^A-Za-z0-9@]+"), Qt::SkipEmptyParts);
}

// Documents written by word processors (tests/data/rtf-corpus: each RTF beside the writer's own
// plain-text export of the same document) read to the same words through every reader.
TEST_F(RtfReadersTest, WordProcessorDocumentsReadAsTheirWritersExportThem)
{
    const QDir dir(ToQString(TestDataPath("rtf-corpus")));
    const QStringList files = dir.entryList({"*.rtf"}, QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        QFile rtfFile(dir.filePath(name));
        QFile txtFile(dir.filePath(name.chopped(4) + ".txt"));
        ASSERT_TRUE(rtfFile.open(QIODevice::ReadOnly) && txtFile.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = rtfFile.readAll();
        const CString rtf(bytes.constData(), static_cast<int>(bytes.size()));
        QString exported = QString::fromUtf8(txtFile.readAll());
        if (exported.startsWith(QChar(0xFEFF)))
            exported.remove(0, 1);  // a byte-order mark is no text
        const QStringList expected = Words(exported);
        int status = 0;
        EXPECT_GT(Lines(rtf, &status), 0) << name.toStdString();
        EXPECT_EQ(status, CRtfDraw3::RTF_SUCCESS) << name.toStdString();
        EXPECT_EQ(Words(ToQString(RtfToPlainText(rtf))), expected) << name.toStdString() << ": the engine";
        EXPECT_EQ(Words(ToQString(ControlText(rtf))), expected) << name.toStdString() << ": the control";
        // The simple reader's bytes hold no character Windows-1252 lacks: it gives "?" for one.
        EXPECT_EQ(Words(ToQString(RtfToText(rtf)).replace('?', '@')), Words(QString(exported).replace('?', '@')))
            << name.toStdString() << ": the simple reader";
    }
}

} // namespace
