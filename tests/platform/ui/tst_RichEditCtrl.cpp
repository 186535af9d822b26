// The rich-edit control: streams, formats by mask, selection, lines, limit.

#include "platform/ui/RichEditCtrl.h"

#include "platform/core/HtmlMarkup.h"
#include "platform/ui/RtfStream.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <cstring>

namespace {

const char* const kRtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fprq3\\fcharset0 Times New Roman;}}"
                         "\\viewkind4\\uc1\\pard\\f0\\fs26 one \\b two\\b0  three\\par four caf\\'e9\\par target\\par}";

TEST(RichEditCtrl, StreamInThenOutKeepsTheRtfAndClearsTheModifiedFlag)
{
    CRichEditCtrl ctrl;
    ctrl.StreamIn(SF_RTF, kRtf);
    EXPECT_FALSE(ctrl.GetModify());
    EXPECT_FALSE(ctrl.CanUndo());
    EXPECT_STREQ(ctrl.StreamOut(SF_RTF).GetString(), kRtf);
    EXPECT_STREQ(ctrl.StreamOut(SF_TEXT).GetString(), "one two three\nfour caf\xE9\ntarget");
}

TEST(RichEditCtrl, OnlyTheProgramsOwnMarkupBecomesMarkupRuns)
{
    // Marked pieces go in as markup runs and out as their own destination; the text around them
    // stays text, and its braces and bytes are escaped as ever.
    CRichEditCtrl ctrl;
    ctrl.StreamIn(SF_TEXT | SFF_HTML_MARKUP, HtmlMarkup("<td class=x>") + "a<b>{\xE9}" + HtmlMarkup("</td>"));
    const CString rtf = ctrl.StreamOut(SF_RTF);
    EXPECT_GE(rtf.Find("{\\*\\crrhtml <td class=x>}"), 0) << rtf.GetString();
    EXPECT_GE(rtf.Find(" a<b>\\{\\'e9\\}{\\*\\crrhtml </td>}"), 0) << rtf.GetString();
    EXPECT_EQ(ctrl.StreamOut(SF_TEXT), CString("<td class=x>a<b>{\xE9}</td>"));

    // Read back, as pasted or imported RTF would be, the markup is gone: no reader makes it.
    CRichEditCtrl pasted;
    pasted.StreamIn(SF_RTF, rtf);
    EXPECT_LT(pasted.StreamOut(SF_RTF).Find("crrhtml"), 0);
    // Without the flag the marks are no markup either.
    CRichEditCtrl plain;
    plain.StreamIn(SF_TEXT, HtmlMarkup("<td>"));
    EXPECT_LT(plain.StreamOut(SF_RTF).Find("crrhtml"), 0);
}

TEST(RichEditCtrl, PlainTextOffsetsArePositionsInTheControl)
{
    CRichEditCtrl ctrl;
    ctrl.StreamIn(SF_RTF, kRtf);
    CString plain = ctrl.StreamOut(SF_TEXT);
    const int at = plain.Find("target");
    ASSERT_GT(at, 0);
    ctrl.SetSel(at, at + 6);
    EXPECT_STREQ(ctrl.GetSelText().GetString(), "target");
    ctrl.Clear();
    EXPECT_STREQ(ctrl.StreamOut(SF_TEXT).GetString(), "one two three\nfour caf\xE9\n");
}

TEST(RichEditCtrl, NonRtfTextStreamsInAsPlainText)
{
    CRichEditCtrl ctrl;
    ctrl.StreamIn(SF_RTF, "a\r\nb\rc\nd");
    EXPECT_STREQ(ctrl.GetText().GetString(), "a\nb\nc\nd");
    EXPECT_EQ(ctrl.GetTextLength(), 7);
    ctrl.StreamIn(SF_RTF, "{braced} \\b");
    EXPECT_STREQ(ctrl.GetText().GetString(), "{braced} \\b");
    // A NUL does not go in: the text after it would be lost to plain text and RTF read back.
    for (UINT format : {SF_TEXT, SF_RTF}) {
        ctrl.StreamIn(format, CString("a\0b\0", 4));
        EXPECT_EQ(ctrl.GetTextLength(), 2) << format;
        EXPECT_EQ(ctrl.StreamOut(SF_TEXT), "ab") << format;
    }
}

TEST(RichEditCtrl, SelectionStreamsReplaceAndWriteOnlyTheSelection)
{
    CRichEditCtrl ctrl;
    ctrl.StreamIn(SF_RTF, kRtf);
    ctrl.SetSel(4, 7);
    CString sel = ctrl.StreamOut(SF_RTF | SFF_SELECTION);
    EXPECT_NE(sel.Find("\\b two}"), -1) << sel.GetString();
    ctrl.SetSel(0, 3);
    ctrl.StreamIn(SF_RTF | SFF_SELECTION, sel);
    EXPECT_TRUE(ctrl.GetModify());
    EXPECT_STREQ(ctrl.GetText().Left(13).GetString(), "two two three");
    CHARFORMAT cf;
    ctrl.SetSel(0, 3);
    ctrl.GetSelectionCharFormat(cf);
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
}

TEST(RichEditCtrl, SelectionFormatReportsWhatIsConsistent)
{
    CRichEditCtrl ctrl;
    ctrl.StreamIn(SF_RTF, kRtf);
    CHARFORMAT cf;
    ctrl.SetSel(0, 7);  // "one two": partly bold
    DWORD mask = ctrl.GetSelectionCharFormat(cf);
    EXPECT_FALSE(mask & CFM_BOLD);
    EXPECT_TRUE(mask & CFM_FACE);
    EXPECT_TRUE(mask & CFM_SIZE);
    EXPECT_STREQ(cf.szFaceName, "Times New Roman");
    EXPECT_EQ(cf.yHeight, 260);
    EXPECT_EQ(cf.bPitchAndFamily, 3);

    ctrl.SetSel(4, 7);  // "two": all bold
    mask = ctrl.GetSelectionCharFormat(cf);
    EXPECT_TRUE(mask & CFM_BOLD);
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
}

TEST(RichEditCtrl, SettingFormatsByMaskTouchesOnlyTheMaskedFields)
{
    CRichEditCtrl ctrl;
    ctrl.StreamIn(SF_RTF, kRtf);
    ctrl.SetSel(0, 3);
    CHARFORMAT2 cf;
    cf.dwMask = CFM_ITALIC | CFM_SHADOW | CFM_SUPERSCRIPT;
    cf.dwEffects = CFE_ITALIC | CFE_SHADOW | CFE_SUPERSCRIPT;
    ctrl.SetSelectionCharFormat(cf);
    CString rtf = ctrl.StreamOut(SF_RTF);
    EXPECT_NE(rtf.Find("\\fs26\\i\\super\\shad one\\i0\\nosupersub\\shad0  \\b two"), -1) << rtf.GetString();

    CHARFORMAT out;
    ctrl.SetSel(1, 2);
    ctrl.GetSelectionCharFormat(out);
    EXPECT_STREQ(out.szFaceName, "Times New Roman");
    EXPECT_EQ(out.dwEffects & (CFE_ITALIC | CFE_SHADOW | CFE_SUPERSCRIPT | CFE_BOLD), CFE_ITALIC | CFE_SHADOW | CFE_SUPERSCRIPT);
}

TEST(RichEditCtrl, DefaultFormatGoesToAnEmptyControlAndPlainText)
{
    CRichEditCtrl ctrl;
    CHARFORMAT cf;
    cf.dwMask = CFM_FACE | CFM_SIZE | CFM_BOLD | CFM_CHARSET;
    SetCharFormatFaceName(cf, "Times New Roman");
    cf.bPitchAndFamily = 0x13;
    cf.yHeight = 240;
    cf.dwEffects = CFE_BOLD;
    ctrl.SetDefaultCharFormat(cf);
    EXPECT_STREQ(ctrl.StreamOut(SF_RTF).GetString(),
                 "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fprq3\\fcharset0 Times New Roman;}}"
                 "\\viewkind4\\uc1\\pard\\f0\\fs24\\b\\par}");
    ctrl.StreamIn(SF_TEXT, "abc");
    CString rtf = ctrl.StreamOut(SF_RTF);
    EXPECT_NE(rtf.Find("\\f0\\fs24\\b abc\\par}"), -1) << rtf.GetString();
}

TEST(RichEditCtrl, ParagraphFormatsInTwips)
{
    CRichEditCtrl ctrl;
    ctrl.StreamIn(SF_RTF, kRtf);
    ctrl.SetSel(0, 0);
    PARAFORMAT pf;
    pf.dwMask = PFM_STARTINDENT | PFM_OFFSET | PFM_TABSTOPS;
    pf.dxStartIndent = 0;
    pf.dxOffset = 720;
    pf.cTabCount = 2;
    pf.rgxTabs[0] = 720;
    pf.rgxTabs[1] = 1440;
    ctrl.SetParaFormat(pf);
    CString rtf = ctrl.StreamOut(SF_RTF);
    EXPECT_NE(rtf.Find("\\pard\\fi-720\\li720\\tx720\\tx1440\\f0"), -1) << rtf.GetString();
    EXPECT_NE(rtf.Find("three\\par\\pard four"), -1) << rtf.GetString();

    PARAFORMAT back;
    ctrl.GetParaFormat(back);
    EXPECT_EQ(back.dxStartIndent, 0);
    EXPECT_EQ(back.dxOffset, 720);
    EXPECT_EQ(back.cTabCount, 2);
    EXPECT_EQ(back.rgxTabs[1], 1440);

    ctrl.SetSel(0, -1);  // mixed indents over all paragraphs
    DWORD mask = ctrl.GetParaFormat(back);
    EXPECT_FALSE(mask & PFM_OFFSET);
    EXPECT_TRUE(mask & PFM_ALIGNMENT);

    // Indents from outside stay within what the record's sums can hold.
    ctrl.StreamIn(SF_RTF, "{\\rtf1\\pard\\li2147483647\\fi2147483647 a\\par b\\par}");
    ctrl.SetSel(0, -1);
    EXPECT_TRUE(ctrl.GetParaFormat(back) & PFM_STARTINDENT);
    EXPECT_EQ(back.dxStartIndent, 2 * 31680);
}

TEST(RichEditCtrl, TabbedTextStandsAtTheHangingIndentOrTheNextStop)
{
    // A choice "A.<tab>text" lines up as it prints: the hanging indent is a stop, the default
    // stops are the document's "\deftab" (720 twips when unsaid), all at the control's resolution.
    struct Case {
        const char* header;  // after the font table
        const char* para;
        const char* lead;    // the text before the tab
        int textTwips;       // where the text after the tab starts
        int wrapTwips;       // where its wrapped line starts
    };
    const Case cases[] = {
        {"", "\\li360\\fi-360", "A.", 360, 360},
        {"", "\\li720\\fi-360", "B.", 720, 720},
        {"", "\\li1440\\fi-1440\\tx720", "C.", 720, 1440},       // an own stop before the indent comes first
        {"", "\\li100\\fi-100", "Long", 720, 100},         // the lead passes the indent: the next default stop
        {"\\deftab360", "", "D.", 360, 0},
        {"", "", "E.", 720, 0},                         // the next text brings back the usual stop
    };
    CRichEditCtrl ctrl;
    ctrl.resize(260, 400);
    const double pxPerTwip = ctrl.logicalDpiX() / 1440.0;
    for (const Case& c : cases) {
        CString lead(c.lead);
        CString rtf = CString("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}") + c.header +
                      "\\pard\\f0\\fs20 X\\par\\pard" + c.para + " " + lead +
                      "\\tab Visible light passes through the windows and is absorbed by the seats\\par}";
        ctrl.StreamIn(SF_RTF, rtf);
        const int origin = ctrl.PosFromChar(0).x;  // "X" stands at the left edge
        const long text = 2 + lead.GetLength() + 1;
        const int expected = origin + qRound(c.textTwips * pxPerTwip);
        EXPECT_NEAR(ctrl.PosFromChar(text).x, expected, 1) << c.header << c.para;
        const int lastLine = ctrl.LineFromChar(ctrl.GetTextLength() - 1);
        ASSERT_GT(lastLine, ctrl.LineFromChar(text)) << c.para;
        EXPECT_NEAR(ctrl.PosFromChar(ctrl.LineIndex(lastLine)).x, origin + qRound(c.wrapTwips * pxPerTwip), 1) << c.para;
        // The hanging stop is the layout's, not a stop of the text.
        EXPECT_EQ(ctrl.StreamOut(SF_RTF).Find("\\tx360"), -1) << c.para;
    }
    ctrl.StreamIn(SF_RTF, "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\deftab360\\pard\\f0 a\\tab b\\par}");
    EXPECT_NE(ctrl.StreamOut(SF_RTF).Find("}\\deftab360\\viewkind4"), -1) << ctrl.StreamOut(SF_RTF).GetString();
}

TEST(RichEditCtrl, TabsAfterALineBreakStandWhereTheParagraphsStopsAre)
{
    // The line after "\\line" starts at the left indent; its tabs go to the paragraph's stops as
    // they stand from the left edge, whatever the first line's indent.
    struct Case {
        const char* para;
        const char* after;  // the text of the line after the break, before its tab
        int firstStop;      // twips: the stop its tab goes to when the text before it is narrower
    };
    const Case cases[] = {
        {"\\li720\\fi-360", "", 1440},
        {"\\li720\\fi-360", "ab", 1440},
        {"\\li360\\fi-360", "second", 720},
        {"\\li500\\fi-500", "", 720},
        {"\\li1440\\fi-1440\\tx720\\tx2160", "", 2160},
        {"\\li360\\fi360", "", 720},
    };
    CRichEditCtrl ctrl;
    ctrl.resize(600, 400);
    const double pxPerTwip = ctrl.logicalDpiX() / 1440.0;
    for (const Case& c : cases) {
        const CString after(c.after);
        ctrl.StreamIn(SF_RTF, CString("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard\\f0\\fs20 X\\par\\pard") +
                                  c.para + " A.\\tab first\\line " + after + "\\tab more\\par}");
        const int origin = ctrl.PosFromChar(0).x;
        const long lineStart = 2 + 9;  // "X\n", "A.\tfirst\n"
        const long more = lineStart + after.GetLength() + 1;
        EXPECT_EQ(ctrl.GetText(), "X\nA.\tfirst\n" + after + "\tmore") << c.para;
        const int textEnd = ctrl.PosFromChar(lineStart + after.GetLength()).x;
        int stop = c.firstStop;
        while (origin + qRound(stop * pxPerTwip) <= textEnd)
            stop += 720;
        EXPECT_NEAR(ctrl.PosFromChar(more).x, origin + qRound(stop * pxPerTwip), 1) << c.para << " " << c.after;
        // One paragraph, written back as it was read.
        const CString body = "A.\\tab first\\line" + (after.IsEmpty() ? after : " " + after) + "\\tab more\\par}";
        EXPECT_NE(ctrl.StreamOut(SF_RTF).Find(body), -1) << ctrl.StreamOut(SF_RTF).GetString();
    }

    // Enter in the line after a break starts a paragraph of its own.
    ctrl.StreamIn(SF_RTF, "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard\\li720\\fi-360\\f0 A.\\tab one\\line two\\par}");
    ctrl.SetSel(-1, -1);
    ctrl.SetSel(ctrl.GetTextLength(), ctrl.GetTextLength());
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(&ctrl, &enter);
    ctrl.ReplaceSel("B.\tthree\nC.\tfour");
    const CString rtf = ctrl.StreamOut(SF_RTF);
    EXPECT_NE(rtf.Find("A.\\tab one\\line two\\par B.\\tab three\\par C.\\tab four\\par}"), -1) << rtf.GetString();
    // The new paragraphs' first lines start where the first's does, their text at the indent.
    EXPECT_EQ(ctrl.PosFromChar(ctrl.GetText().Find("B.")).x, ctrl.PosFromChar(0).x);
    EXPECT_EQ(ctrl.PosFromChar(ctrl.GetText().Find("four")).x, ctrl.PosFromChar(ctrl.GetText().Find("one")).x);

    // Shift+Enter breaks the line as "\\line" does.
    QKeyEvent shiftEnter(QEvent::KeyPress, Qt::Key_Return, Qt::ShiftModifier, "\r");
    QApplication::sendEvent(&ctrl, &shiftEnter);
    ctrl.ReplaceSel("five");
    EXPECT_NE(ctrl.StreamOut(SF_RTF).Find("C.\\tab four\\line five\\par}"), -1) << ctrl.StreamOut(SF_RTF).GetString();
    EXPECT_EQ(ctrl.PosFromChar(ctrl.GetText().Find("five")).x, ctrl.PosFromChar(ctrl.GetText().Find("one")).x);
}

TEST(RichEditCtrl, LinesFollowTheLayoutOfAHiddenControl)
{
    CRichEditCtrl ctrl;
    ctrl.resize(120, 200);
    ctrl.StreamIn(SF_TEXT, "short\nthis is a much longer paragraph that has to wrap over several lines\nend");
    const int count = ctrl.GetLineCount();
    EXPECT_GT(count, 3);
    EXPECT_EQ(ctrl.LineIndex(0), 0);
    EXPECT_EQ(ctrl.LineIndex(1), 6);
    EXPECT_EQ(ctrl.LineFromChar(6), 1);
    EXPECT_EQ(ctrl.LineIndex(count), -1);
    EXPECT_STREQ(ctrl.GetLine(count - 1).GetString(), "end");
    EXPECT_EQ(ctrl.LineFromChar(ctrl.GetTextLength()), count - 1);
    // Every line starts where the one before it ended.
    for (int i = 1; i < count; ++i)
        EXPECT_GT(ctrl.LineIndex(i), ctrl.LineIndex(i - 1));
    // The line of a character, found without counting the lines before it, is the same line;
    // a line break ends a line without being part of it.
    ctrl.SetSel(ctrl.GetTextLength(), ctrl.GetTextLength());
    ctrl.ReplaceSel("\vbroken");
    for (long at = 0; at <= ctrl.GetTextLength() + 1; ++at)
        EXPECT_EQ(ctrl.GetLineOfChar(at), ctrl.GetLine(ctrl.LineFromChar(at))) << at;

    char buf[4];
    std::memset(buf, 'x', sizeof(buf));
    EXPECT_EQ(ctrl.GetLine(0, buf, sizeof(buf)), 3);
    EXPECT_STREQ(buf, "sho");
}

TEST(RichEditCtrl, ATextComposedUnlaidIsLaidOutAsIfPutInPlainly)
{
    CRichEditCtrl plain, composed;
    for (CRichEditCtrl* c : {&plain, &composed})
        c->resize(120, 60);
    composed.BeginComposition();
    EXPECT_TRUE(composed.IsComposing());
    const char* const pieces[] = {kRtf, "\n", "this is a much longer paragraph that has to wrap over several lines", kRtf};
    for (const char* piece : pieces) {
        for (CRichEditCtrl* c : {&plain, &composed}) {
            const long end = c->GetTextLength();
            c->SetSel(end, end);
            c->StreamIn(SF_RTF | SFF_SELECTION, piece);
        }
    }
    composed.EndComposition();
    EXPECT_FALSE(composed.IsComposing());
    EXPECT_EQ(composed.StreamOut(SF_RTF), plain.StreamOut(SF_RTF));
    const int count = plain.GetLineCount();
    EXPECT_GT(count, 8);
    ASSERT_EQ(composed.GetLineCount(), count);
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(composed.LineIndex(i), plain.LineIndex(i)) << i;
    EXPECT_EQ(composed.PosFromChar(composed.GetTextLength()), plain.PosFromChar(plain.GetTextLength()));
    // The scroll bar follows the text's height again.
    EXPECT_GT(plain.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(composed.verticalScrollBar()->maximum(), plain.verticalScrollBar()->maximum());
    // What the user does afterwards can be undone again.
    composed.SetReadOnly(FALSE);
    composed.SetSel(0, 0);
    composed.ReplaceSel("typed", TRUE);
    EXPECT_TRUE(composed.CanUndo());
}

TEST(RichEditCtrl, LimitStopsTypingButNotTheProgram)
{
    CRichEditCtrl ctrl;
    ctrl.LimitText(3);
    ctrl.StreamIn(SF_TEXT, "abcd");
    EXPECT_EQ(ctrl.GetTextLength(), 4);
    ctrl.SetSel(-1, -1);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_E, Qt::NoModifier, "e");
    QApplication::sendEvent(&ctrl, &key);
    EXPECT_EQ(ctrl.GetTextLength(), 4);
    ctrl.LimitText(10);
    QApplication::sendEvent(&ctrl, &key);
    EXPECT_EQ(ctrl.GetTextLength(), 5);
    EXPECT_TRUE(ctrl.GetModify());
}

TEST(RichEditCtrl, CopyAndPasteKeepTheMarksQtDoesNotKnow)
{
    CRichEditCtrl from;
    from.StreamIn(SF_RTF, "{\\rtf1{\\fonttbl{\\f0\\fnil\\fprq3\\fcharset0 Arial;}}\\pard\\f0\\fs20\\shad\\b x\\par}");
    from.SelectAll();
    from.Copy();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    ASSERT_TRUE(data->hasFormat(CF_RTF_MIME));

    CRichEditCtrl to;
    EXPECT_TRUE(to.CanPaste());
    to.Paste();
    CString rtf = to.StreamOut(SF_RTF);
    EXPECT_NE(rtf.Find("\\fprq3"), -1) << rtf.GetString();
    EXPECT_NE(rtf.Find("\\b\\shad x"), -1) << rtf.GetString();
}

TEST(RichEditCtrl, ReadOnlyRefusesEditsAndBackgroundIsKept)
{
    CRichEditCtrl ctrl;
    ctrl.StreamIn(SF_TEXT, "abc");
    ctrl.SetReadOnly();
    ctrl.SelectAll();
    ctrl.Clear();
    EXPECT_EQ(ctrl.GetTextLength(), 3);
    EXPECT_FALSE(ctrl.CanPaste());
    ctrl.SetBackgroundColor(FALSE, RGB(1, 2, 3));
    EXPECT_EQ(ctrl.SetBackgroundColor(TRUE, 0), RGB(1, 2, 3));
}

} // namespace
