#include "model/Choices.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/Log.h"
#include "platform/core/HtmlMarkup.h"
#include "platform/core/Profile.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3.h"
#include "res/ids/Choices.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FixedMetricsDC.h"

#include <set>
#include <string>
#include <vector>

namespace {

using ChoicesTest = CorraTest;

// The print values are process-wide.
const CTestResetHook resetChoiceSettings([] {
    CChoices::SetNumChoiceSepSpaces(2);
    CChoices::SetChoicesIndentLevel(5);
});

const CDrawContext kScreen = CDrawContext::Screen();

// A print job's record: its choices come from the RTF their last output left.
CDrawContext PrintJob(CDC* pDC = nullptr)
{
    CDrawContext ctx;
    ctx.pDC = pDC;
    ctx.target = DrawTarget::Printer;
    ctx.cachedChoices = TRUE;
    return ctx;
}

std::vector<std::string> Labels(const CChoices& c)
{
    std::vector<std::string> out;
    for (int i = 0; i < c.GetCount(); ++i)
        out.push_back(c.GetChoiceId(i).GetString());
    return out;
}

std::vector<std::string> PlainTexts(const CChoices& c)
{
    std::vector<std::string> out;
    for (int i = 0; i < c.GetCount(); ++i)
        out.push_back(c.GetChoiceText(i, TRUE).GetString());
    return out;
}

using Strings = std::vector<std::string>;

TEST_F(ChoicesTest, ParsesLabelledTexts)
{
    struct Case {
        const char* text;
        DWORD flags;
        BOOL ok;
        Strings labels;
        Strings texts;
    };
    const Case cases[] = {
        {"a. Paris b. London c. Rome", 0, TRUE, {"a.", "b.", "c."}, {"Paris", "London", "Rome"}},
        {"a) one b) two", 0, TRUE, {"a)", "b)"}, {"one", "two"}},
        // A label must follow its predecessor in order.
        {"a. one c. three", 0, TRUE, {"a."}, {"one c. three"}},
        // The separator right after the label, white space before it.
        {"a. one b.two", 0, TRUE, {"a.", "b."}, {"one", "two"}},
        {"a. one xb. two", 0, TRUE, {"a."}, {"one xb. two"}},
        {"a. one b . two", 0, TRUE, {"a."}, {"one b . two"}},
        {"  A. upper\r\n  B. case  \r\n", 0, TRUE, {"A.", "B."}, {"upper", "case"}},
        // Numbered labels go on past 9.
        {"1. a 2. b 3. c 4. d 5. e 6. f 7. g 8. h 9. i 10. j 11. k", 0, TRUE,
         {"1.", "2.", "3.", "4.", "5.", "6.", "7.", "8.", "9.", "10.", "11."},
         {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"}},
        {"9. i :. j", 0, TRUE, {"9."}, {"i :. j"}},
        // Collection members: numbered pairs.
        {"1. 123 2. 456 10. 7", CHP_NUMBERED_PAIRS, TRUE, {"1.", "2.", "10."}, {"123", "456", "7"}},
        {"1. 123 2. abc", CHP_NUMBERED_PAIRS, TRUE, {"1.", "2."}, {"123", "abc"}},
        // Pairs keep the numbers of their labels, which need not run in order.
        {"5. 17 9. 42", CHP_NUMBERED_PAIRS, TRUE, {"5.", "9."}, {"17", "42"}},
        {"5.17 9. 42", CHP_NUMBERED_PAIRS, TRUE, {"5."}, {"17 9. 42"}},
        {"   ", CHP_NUMBERED_PAIRS, TRUE, {}, {}},
        {"Paris", 0, FALSE, {}, {}},
        {"", 0, FALSE, {}, {}},
        // A label without text is dropped; nothing marks the parse failed.
        {"a.", 0, TRUE, {}, {}},
        // Labels inside RTF; the header is what comes before the first label.
        {"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 a. {\\b Paris}\\par b. London\\par }", 0, TRUE, {"a.", "b."},
         {"Paris", "London"}},
        // A first numbered label past 9.
        {"{\\rtf1 10. x\\par 11. y\\par }", 0, TRUE, {"10.", "11."}, {"x", "y"}},
        {"{\\rtf1 1. x\\par 12. y\\par }", 0, FALSE, {}, {}},
        // Labels that only the plain text shows.
        {"{\\rtf1{a.} one{\\par}{b.} two}", 0, FALSE, {}, {}},
        {"{\\rtf1{a.} one{\\par}{b.} two}", CHP_RTF_AS_PLAIN, TRUE, {"a.", "b."}, {"one", "two"}},
    };
    for (const Case& c : cases) {
        CChoices choices;
        EXPECT_EQ(choices.SetChoices(c.text, '*', '*', nullptr, c.flags), c.ok) << c.text;
        EXPECT_EQ(Labels(choices), c.labels) << c.text;
        EXPECT_EQ(PlainTexts(choices), c.texts) << c.text;
    }
}

TEST_F(ChoicesTest, RtfChoicesKeepTheirFormattingAndTheHeader)
{
    CChoices choices;
    ASSERT_TRUE(choices.SetChoices("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\par a. {\\b Paris}\\par b. London\\par }"));
    EXPECT_EQ(choices.m_csRtfHeader, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 ");
    EXPECT_EQ(choices.GetChoiceText(0), "{\\b Paris}");
    EXPECT_EQ(choices.GetChoiceText(1), "London");
}

TEST_F(ChoicesTest, TextsUpTo32000CharactersParse)
{
    for (int length : {32000, 32001}) {
        std::string text = "a. one b. ";
        text += std::string(static_cast<size_t>(length) - text.size(), 'x');
        ResetLogging();
        CChoices choices;
        const BOOL ok = choices.SetChoices(text.c_str());
        EXPECT_EQ(ok, length == 32000) << length;
        EXPECT_EQ(choices.GetCount(), ok ? 2 : 0);
        EXPECT_EQ(GetLogBuffer().Find("CChoices::SetChoices() - choices string too long") >= 0, length == 32001);
        EXPECT_EQ(choices.m_bError, !ok);
    }
}

TEST_F(ChoicesTest, AFailedParseLeavesNothingAndSaysWhy)
{
    CChoices choices("a. one b. two");
    ASSERT_EQ(choices.GetCount(), 2);
    CChoicesError error;
    EXPECT_FALSE(choices.SetChoices("no labels here", '*', '*', &error));
    EXPECT_TRUE(choices.IsEmpty());
    EXPECT_EQ(choices.m_csRtfHeader, CChoices::kDefaultRtfHeader);
    EXPECT_EQ(error.m_nId1, IDS_CHOICES_NOT_FOUND);

    error.Reset();
    EXPECT_FALSE(choices.SetChoices("{\\rtf1 a. x c. y}", '*', '*', &error));
    EXPECT_EQ(error.m_nId1, IDS_CHOICES_BAD_FORMAT);
    EXPECT_EQ(choices.m_csSource, "{\\rtf1 a. x c. y}");

    error.Reset();
    EXPECT_FALSE(choices.SetChoices("{\\rtf1 a. x b. y a. z}", '*', '*', &error));
    EXPECT_EQ(error.m_nId1, IDS_CHOICES_OUT_OF_SEQUENCE);
    EXPECT_EQ(error.m_nId2, IDS_CHOICES_OUT_OF_ORDER);
    EXPECT_TRUE(choices.IsEmpty());
}

TEST_F(ChoicesTest, ValidateChoicesNamesTheFault)
{
    struct Case {
        const char* text;
        BOOL ok;
        UINT ids[4];
        int start, end;
        const char* message;
    };
    const Case cases[] = {
        {"", TRUE, {0, 0, 0, 0}, 0, 0, ""},
        {"   ", TRUE, {0, 0, 0, 0}, 0, 0, ""},
        {"a. one b. two", TRUE, {0, 0, 0, 0}, 0, 0, ""},
        {"a. one", FALSE, {IDS_CHOICES_TOO_FEW, 0, 0, 0}, 0, 0, ""},
        {"x", FALSE, {IDS_CHOICES_BAD_FORMAT, IDS_CHOICES_FORMAT_RULES, IDS_CHOICES_FORMAT_EXAMPLE, 0}, 0, 0, ""},
        {"Paris and Rome", FALSE, {IDS_CHOICES_BAD_FORMAT, IDS_CHOICES_FORMAT_RULES, IDS_CHOICES_FORMAT_EXAMPLE, 0}, 0,
         0, ""},
        {"a. x b. y a. z", FALSE, {IDS_CHOICES_OUT_OF_SEQUENCE, IDS_CHOICES_OUT_OF_ORDER, 0, 0}, 0, 13, ""},
        // The range counts in the text as typed.
        {"  a. x b. y a. z", FALSE, {IDS_CHOICES_OUT_OF_SEQUENCE, IDS_CHOICES_OUT_OF_ORDER, 0, 0}, 2, 15, ""},
        {"10. x 11. y", TRUE, {0, 0, 0, 0}, 0, 0, ""},
        {"10. x", FALSE, {IDS_CHOICES_TOO_FEW, 0, 0, 0}, 0, 0, ""},
        {"b. x c. y a. z", FALSE, {IDS_CHOICES_OUT_OF_SEQUENCE, IDS_CHOICES_OUT_OF_ORDER, 0, 0}, 0, 13, ""},
    };
    for (const Case& c : cases) {
        CChoicesError error;
        EXPECT_EQ(CChoices::ValidateChoices(c.text, &error), c.ok) << c.text;
        EXPECT_EQ(error.m_nId1, c.ids[0]) << c.text;
        EXPECT_EQ(error.m_nId2, c.ids[1]) << c.text;
        EXPECT_EQ(error.m_nId3, c.ids[2]) << c.text;
        EXPECT_EQ(error.m_nId4, c.ids[3]) << c.text;
        EXPECT_EQ(error.m_nStart, c.start) << c.text;
        EXPECT_EQ(error.m_nEnd, c.end) << c.text;
        EXPECT_EQ(error.m_csMessage, c.message) << c.text;
    }
}

TEST_F(ChoicesTest, PlainTextWrapsWithFiveBlanks)
{
    CChoices choices("a. one two three four five six b. short");
    CString text;
    choices.GetText(text, 20, 0);
    EXPECT_EQ(text, "a.   one two three\r\n      four five six\r\nb.   short");
    choices.GetText(text, 0, 0);
    EXPECT_EQ(text, "a.   one two three four five six\r\nb.   short");

    // A word longer than the width stands whole on its line.
    CChoices longWord("a. abcdefghijklmnopqrstuvwxyz b. x");
    longWord.GetText(text, 10, 0);
    EXPECT_EQ(text, "a.   abcdefghijklmnopqrstuvwxyz\r\nb.   x");

    CChoices rtf("{\\rtf1 a. {\\b bold} words\\par b. two\\par }");
    rtf.GetText(text, 0, 0);
    EXPECT_EQ(text, "a.   bold words\r\nb.   two");
}

TEST_F(ChoicesTest, WrapTextBreaksAtWhiteSpace)
{
    struct Case {
        const char* text;
        int width;
        const char* expected;
    };
    const Case cases[] = {
        {"", 10, "\r\n"},
        {"one two three", 7, "one two\r\nthree\r\n"},
        {"one  two\tthree", 0, "one two three\r\n"},
        {"supercalifragilistic is long", 5, "supercalifragilistic\r\nis\r\nlong\r\n"},
        {"first line\nsecond", 20, "first line\r\nsecond\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WrapText(c.text, c.width, "\r\n"), c.expected) << c.text;
}

TEST_F(ChoicesTest, RtfFormReadsBackToTheSameChoices)
{
    std::vector<CChoices> sources = {
        CChoices("a. Paris b. London c. Rome"),
        CChoices("A) {curly} B) caf\xE9 C) two  blanks"),
        CChoices("1. one 2. two 3. three 4. four 5. five 6. six 7. seven 8. eight 9. nine 10. ten 11. eleven"),
        CChoices("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\f0\\fs20 a. {\\b Paris}\\par b. \\i London\\i0\\par c. "
                 "x\\'e9y\\par }"),
        // RTF of another program, without a font table.
        CChoices("{\\rtf1\\ansi a. {\\b Paris}\\par b. London\\par c. caf\\'e9\\par }"),
        // Texts that name an earlier label, or any label, where a parse looks for one.
        CChoices("a. x b. y c. see b. note"),
        CChoices("A) x B) see A) or C) here"),
        CChoices("1. x 2. y 3. see 2. or 4. z"),
    };
    sources.emplace_back();
    sources.back().Add("a.", "b. first");
    sources.back().Add("b.", "c. d) e. 12.");
    sources.emplace_back();
    sources.back().Add("a.", "see {\\b b.}");
    sources.back().Add("b.", "two");
    for (const CChoices& written : sources) {
        const CString source = written.GetChoiceText(0);
        ASSERT_GE(written.GetCount(), 2) << source.GetString();
        CString rtf;
        written.GetText(rtf, 0, CHO_RTF | CHO_QUESTION_LAYOUT);
        ASSERT_TRUE(rtf.Left(5) == "{\\rtf") << rtf.GetString();

        CChoices read;
        ASSERT_TRUE(read.SetChoices(rtf, '*', '*', nullptr, CHP_RTF_AS_PLAIN | CHP_NUMBERED_PAIRS)) << rtf.GetString();
        EXPECT_EQ(Labels(read), Labels(written)) << rtf.GetString();
        EXPECT_EQ(PlainTexts(read), PlainTexts(written)) << rtf.GetString();

        // Once RTF, the form is stable: written again it reads back exactly.
        CString again;
        read.GetText(again, 0, CHO_RTF);
        CChoices reread;
        ASSERT_TRUE(reread.SetChoices(again, '*', '*', nullptr, CHP_RTF_AS_PLAIN | CHP_NUMBERED_PAIRS));
        EXPECT_EQ(reread.m_csRtfHeader, read.m_csRtfHeader);
        for (int i = 0; i < read.GetCount(); ++i)
            EXPECT_EQ(reread.GetChoiceText(i), read.GetChoiceText(i)) << again.GetString();
    }
    CChoices none;
    CString rtf;
    none.GetText(rtf, 0, CHO_RTF);
    EXPECT_TRUE(rtf.IsEmpty());
}

TEST_F(ChoicesTest, LabelsAreFoundAndRelabelled)
{
    CChoices choices("A. one B. two C. three");
    EXPECT_EQ(choices.FindLabel(" b"), 1);
    EXPECT_EQ(choices.FindLabel("C."), 2);
    EXPECT_EQ(choices.FindLabel("d"), -1);
    EXPECT_EQ(choices.FindLabel(""), -1);
    choices.Relabel('x');
    EXPECT_EQ(Labels(choices), (Strings{"a.", "b.", "c."}));
    EXPECT_EQ(choices.m_cFirstLabel, 'a');

    CChoices numbered("1. a 2. b 3. c 4. d 5. e 6. f 7. g 8. h 9. i 10. j 11. k");
    EXPECT_EQ(numbered.FindLabel("11"), 10);
    EXPECT_EQ(numbered.FindLabel("1"), 0);
    EXPECT_EQ(numbered.FindLabel("a"), -1);
}

TEST_F(ChoicesTest, AddAndSetChoiceRefuseEmptyParts)
{
    CChoices choices;
    EXPECT_FALSE(choices.Add(" ", "text"));
    EXPECT_FALSE(choices.Add("a.", "  "));
    EXPECT_TRUE(choices.Add(" a. ", " text "));
    EXPECT_FALSE(choices.SetChoice(0, "b.", ""));
    EXPECT_FALSE(choices.SetChoice(3, "b.", "x"));
    EXPECT_TRUE(choices.SetChoice(0, "b.", "y"));
    EXPECT_EQ(choices.GetChoiceId(0), "b.");
    EXPECT_EQ(choices.GetChoiceText(0), "y");
    EXPECT_EQ(choices.GetCount(), 1);
    const CString log = GetLogBuffer();
    EXPECT_GE(log.Find("CChoices::Add() - empty id string"), 0);
    EXPECT_GE(log.Find("CChoices::Add() - empty choice string"), 0);
    EXPECT_GE(log.Find("CChoices::SetChoice() - empty choice string"), 0);
}

TEST_F(ChoicesTest, HtmlFormMarksTheCorrectLabel)
{
    CChoices::SetChoicesIndentLevel(2);
    CChoices choices("a. x<y b. two");
    CChoicesHtmlStyle style;
    style.bBorders = TRUE;
    CString marked;
    choices.GetText(marked, 0, CHO_RTF | CHO_HTML | CHO_ONE_PER_LINE, "B", &style);
    // The table is markup, the labels and texts are text, escaped once when the page is written.
    const CString html = HtmlFromMarked(marked);
    EXPECT_EQ(html.Find("<table border=1 width=100%>"), 0);
    EXPECT_EQ(html.Right(8), "</table>");
    EXPECT_GE(html.Find("<tr width=100%><td width=1%>&nbsp;</td><td width=1%>&nbsp;</td><td class="), 0);
    EXPECT_GE(html.Find(">*b.</td>"), 0);
    EXPECT_GE(html.Find(">a.</td>"), 0);
    EXPECT_GE(html.Find(">x&lt;y</td>"), 0);
}

TEST_F(ChoicesTest, RichEditGetsOneChoicePerLine)
{
    CChoices::SetChoicesIndentLevel(2);
    CChoices::SetNumChoiceSepSpaces(1);
    CChoices choices("a. Paris b. London");
    CHVRichEditCtrl ctrl;
    choices.OutputToRichEdit(ctrl, kScreen, CHO_RTF | CHO_ONE_PER_LINE, "b");
    EXPECT_EQ(ctrl.GetText(), "   a.  Paris\n   *b.  London\n");
    EXPECT_FALSE(choices.m_csCache.IsEmpty());

    // While a print job runs the cached layout stands for the choices.
    const CString cache = choices.m_csCache;
    choices.SetChoices("a. other b. choices");
    CHVRichEditCtrl printed;
    choices.OutputToRichEdit(printed, PrintJob(), CHO_RTF | CHO_ONE_PER_LINE);
    EXPECT_EQ(printed.GetText(), ctrl.GetText());

    CHVRichEditCtrl oneLine;
    choices.OutputToRichEdit(oneLine, kScreen, CHO_RTF | CHO_NO_INDENT);
    EXPECT_EQ(oneLine.GetText(), "a.  other  b.  choices\n");
}

TEST_F(ChoicesTest, APrintJobPutsTheCachedChoicesAfterWhatTheControlHolds)
{
    CChoices::SetChoicesIndentLevel(0);
    CChoices::SetNumChoiceSepSpaces(1);
    CChoices choices("a. Paris b. London");
    // Laid out once behind a question's number and text, as the question does it.
    CHVRichEditCtrl first;
    first.SetText("1. Where?\n", SF_TEXT);
    choices.OutputToRichEdit(first, kScreen, CHO_RTF | CHO_ONE_PER_LINE);
    ASSERT_EQ(first.GetText(), "1. Where?\na.  Paris\nb.  London\n");

    // Printed again under another number: the number and text stay, the choices follow them.
    CHVRichEditCtrl printed;
    printed.SetText("7. Which city?\n", SF_TEXT);
    choices.OutputToRichEdit(printed, PrintJob(), CHO_RTF | CHO_ONE_PER_LINE);
    EXPECT_EQ(printed.GetText(), "7. Which city?\na.  Paris\nb.  London\n");

    // Measuring from the cache measures the choices alone, as without it.
    CFixedMetricsDC dc(800, 800);
    CRect cached(0, 0, 400, 0);
    const int cachedHeight = choices.Measure(PrintJob(&dc), cached, CHO_RTF | CHO_ONE_PER_LINE, FALSE);
    CRect fresh(0, 0, 400, 0);
    EXPECT_EQ(cachedHeight, choices.Measure(kScreen.On(&dc), fresh, CHO_RTF | CHO_ONE_PER_LINE, FALSE));
}

TEST_F(ChoicesTest, DrawingTakesTheHeightTheMeasureGave)
{
    InstallRtfTextDrawer();
    CChoices choices("a. a short choice b. a choice long enough to wrap over more than one line of the narrow "
                     "column c. last");
    CFixedMetricsDC measureDc(800, 800);
    const int measured = choices.Draw(kScreen.On(&measureDc), 10, 20, 300, FALSE);
    EXPECT_TRUE(measureDc.texts.empty());

    // Labels 5 average widths in (7 each at this font), text 2 widths after the label; the
    // second choice wraps to three lines of 13.
    CFixedMetricsDC dc(800, 800);
    EXPECT_EQ(choices.Draw(kScreen.On(&dc), 10, 20, 300, TRUE, "c"), measured);
    EXPECT_EQ(measured, 5 * 13);
    std::vector<std::pair<int, int>> labels;
    std::set<int> rowsOfB;
    for (const auto& t : dc.texts) {
        if (t.text == "a." || t.text == "b." || t.text == "*c.")
            labels.emplace_back(t.x, t.y);
        else if (t.y >= 33 && t.y < 72)
            rowsOfB.insert(t.y);
        EXPECT_LE(t.y + 13, 20 + measured) << t.text.GetString();
    }
    // The starred label stands left of the column by the width of "*".
    EXPECT_EQ(labels, (std::vector<std::pair<int, int>>{{45, 20}, {45, 33}, {38, 72}}));
    EXPECT_EQ(rowsOfB, (std::set<int>{33, 46, 59}));

    CRect rect(10, 20, 310, 20);
    CFixedMetricsDC measureRtf(800, 800);
    const int rtfMeasured = choices.Measure(kScreen.On(&measureRtf), rect, CHO_RTF | CHO_ONE_PER_LINE, FALSE);
    CRect drawRect(10, 20, 310, 20);
    CFixedMetricsDC drawRtf(800, 800);
    EXPECT_EQ(choices.Measure(kScreen.On(&drawRtf), drawRect, CHO_RTF | CHO_ONE_PER_LINE, TRUE), rtfMeasured);
    EXPECT_EQ(rect.bottom, 20 + rtfMeasured);
    ASSERT_FALSE(drawRtf.texts.empty());
    for (const auto& t : drawRtf.texts) {
        EXPECT_GE(t.y, 20) << t.text.GetString();
        EXPECT_LE(t.y + std::abs(t.lf.lfHeight), 20 + rtfMeasured) << t.text.GetString();
    }
}

TEST_F(ChoicesTest, LabelsThatShareALineWithALongerChoiceMoveToTheirOwn)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetText("a. one\nb. two\nmore c. three\nfour", SF_TEXT);
    CChoices choices;
    choices.FixLineStarts(ctrl);
    EXPECT_EQ(ctrl.GetText(), "a. one\nb. two\nmore \nc. three\nfour");

    // A choice that ends on its label's line stays beside the text before it.
    ctrl.SetText("a. one b. two\nc. three", SF_TEXT);
    choices.FixLineStarts(ctrl);
    EXPECT_EQ(ctrl.GetText(), "a. one b. two\nc. three");
}

TEST_F(ChoicesTest, IndentsHangBehindTheLabel)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetText("a.   Paris\nb.   London", SF_TEXT);
    ctrl.SetSel(3, 3);
    CChoices choices;
    choices.SetIndents(ctrl, 375, 150, 0, ctrl.GetTextLength());
    long start = 0;
    long end = 0;
    ctrl.GetSel(start, end);
    EXPECT_EQ(start, 3);
    EXPECT_EQ(end, 3);
    ctrl.SetSel(0, ctrl.GetTextLength());
    PARAFORMAT pf;
    ctrl.GetParaFormat(pf);
    EXPECT_GT(pf.dxOffset, 375 + 150);
    ASSERT_EQ(pf.cTabCount, 2);
    EXPECT_EQ(pf.rgxTabs[0], 375);
    EXPECT_EQ(pf.rgxTabs[1], pf.dxOffset);

    choices.SetIndents(ctrl, 0, -1, 0, ctrl.GetTextLength());
    ctrl.SetSel(0, ctrl.GetTextLength());
    ctrl.GetParaFormat(pf);
    EXPECT_EQ(pf.dxOffset, 0);
    EXPECT_EQ(pf.cTabCount, 1);
}

TEST_F(ChoicesTest, PrintValuesComeFromTheProfileWithinBounds)
{
    AppProfile().WriteInt("Exams", "NumChoiceSepSpaces", 4);
    AppProfile().WriteInt("Exams", "ChoicesIndentLevel", 1000000000);
    CChoices::LoadPrintValues("Exams");
    EXPECT_EQ(CChoices::GetNumChoiceSepSpaces(), 4);
    EXPECT_EQ(CChoices::GetChoicesIndentLevel(), 80);
    // Missing keys keep the values in force.
    CChoices::LoadPrintValues("QCorras");
    EXPECT_EQ(CChoices::GetNumChoiceSepSpaces(), 4);
    CChoices::SetChoicesIndentLevel(-3);
    EXPECT_EQ(CChoices::GetChoicesIndentLevel(), 0);
}

TEST_F(ChoicesTest, SettingsAndProfileCase)
{
    EXPECT_EQ(CChoices::GetProfileCase(), 'a');
    CChoices::SetProfileCase('A');
    EXPECT_EQ(CChoices::GetProfileCase(), 'A');
    EXPECT_EQ(AppProfile().GetInt("Choices", "Case", -1), 1);
}

} // namespace
