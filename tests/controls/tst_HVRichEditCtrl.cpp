// The program's rich-edit control and information pane, and the two RTF helpers.

#include "controls/HVRichEditCtrl.h"
#include "platform/ui/WindowPlacement.h"

#include "platform/ui/SysColor.h"
#include "render/FontMgr.h"
#include "res/ids/RichEdit.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FontMgrReset.h"
#include "tests/support/EngineTextOps.h"
#include "tests/support/FixedMetricsDC.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

#include <cstring>
#include <memory>

namespace {

// Stands in for the RTF engine's echo: records what it is asked and puts the slot's face in
// place of the document-font entry's. The other operations are the engine's.
class CFakeEcho : public CEngineTextOpsDouble {
public:
    BOOL Echo(CString& rtf, int nSlot, CString* pOut) override
    {
        echoed = rtf;
        slot = nSlot;
        CString out = rtf;
        LOGFONT lf;
        CFontMgr::GetSlotLogFont(lf, nSlot);
        out.Replace("\\fnil\\fprq3\\fcharset0 Arial;", CString("\\froman\\fprq3\\fcharset0 ") + lf.lfFaceName + ";");
        *pOut = out;
        return TRUE;
    }
    CString echoed;
    int slot = -2;
};

class HVRichEditTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        ResetFontManager();
    }
    void TearDown() override
    {
        DestroySharedFloatToolbar();
        CorraTest::TearDown();
    }
    // Installed until the test ends.
    CFakeEcho& FakeEcho()
    {
        RtfTextOpsSlot().Set(&m_echo);
        return m_echo;
    }

    CFakeEcho m_echo;
};

CString Plain(const CHVRichEditCtrl& ctrl)
{
    CString out;
    ctrl.StreamOutText(out, SF_TEXT);
    return out;
}

CString Rtf(const CHVRichEditCtrl& ctrl, UINT flags = SF_RTF)
{
    CString out;
    ctrl.StreamOutText(out, flags);
    return out;
}

void Type(QWidget& w, const char* text)
{
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString::fromLatin1(text));
    QApplication::sendEvent(&w, &key);
}

TEST_F(HVRichEditTest, SetTextPutsRtfInTheSlotFontAndPlainTextAsIs)
{
    CFakeEcho& echo = FakeEcho();
    CHVRichEditCtrl ctrl;
    ctrl.SetDefaultFontSlot(FM_ANSWER);

    ctrl.SetText("abc", SF_RTF);
    EXPECT_EQ(echo.slot, FM_ANSWER);
    EXPECT_EQ(echo.echoed.Find("{\\rtf1"), 0);
    EXPECT_STREQ(Plain(ctrl).GetString(), "abc");
    CString rtf = Rtf(ctrl);
    EXPECT_NE(rtf.Find("{\\f0\\froman\\fprq3\\fcharset0 Times New Roman;}"), -1) << rtf.GetString();

    ctrl.SetText("abc", SF_TEXT);
    EXPECT_STREQ(Plain(ctrl).GetString(), "abc");
    // The engine's plain text keeps the break of the last paragraph mark.
    ctrl.SetText("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil Arial;}}\\f0 x\\par y\\par}", SF_TEXT);
    EXPECT_STREQ(Plain(ctrl).GetString(), "x\ny\n");

    ctrl.SetText("abc", SF_RTF, FM_CHOICES);
    EXPECT_EQ(echo.slot, FM_CHOICES);
}

// RTF of other programs may have no font table: the control shows it in its slot's font.
TEST_F(HVRichEditTest, RtfWithoutAFontTableIsShownInTheSlotFont)
{
    CFontMgrInit init;
    CHVRichEditCtrl ctrl;
    ctrl.SetDefaultFontSlot(FM_QUESTION);
    const char* rtf = "{\\rtf1 \\b bold\\b0  text}";
    ctrl.SetText(rtf, SF_RTF);
    EXPECT_STREQ(Plain(ctrl).GetString(), "bold text");
    ctrl.SetSel(0, 4);
    EXPECT_TRUE(ctrl.IsSelectionEffect(CFM_BOLD, CFE_BOLD, TRUE));
    ctrl.SetSel(5, 9);
    EXPECT_FALSE(ctrl.IsSelectionEffect(CFM_BOLD, CFE_BOLD, FALSE));
    EXPECT_TRUE(ctrl.IsSelectionDefaultFont());
    ctrl.SetText(rtf, SF_TEXT);
    EXPECT_STREQ(Plain(ctrl).GetString(), "bold text");
    ctrl.SetText("{\\rtf1\\ansi Some text\\par}", SF_TEXT);
    EXPECT_STREQ(Plain(ctrl).GetString(), "Some text\n");
}

TEST_F(HVRichEditTest, PlainTextInRtfModeKeepsItsBracesBackslashesAndLines)
{
    CHVRichEditCtrl ctrl;
    const char* text = "a{b}\\c\r\nd\te caf\xE9";
    ctrl.SetText(text, SF_RTF);
    EXPECT_STREQ(Plain(ctrl).GetString(), "a{b}\\c\nd\te caf@");
    ctrl.StreamIn(SF_TEXT, "");
    ctrl.SetText(text, SF_RTF);
    CString rtf = Rtf(ctrl);
    CRichEditCtrl check;
    check.StreamIn(SF_RTF, rtf);
    EXPECT_STREQ(check.GetText().GetString(), "a{b}\\c\nd\te caf\xE9");
}

TEST_F(HVRichEditTest, SecondDocumentFontEntriesLoseTheirMarker)
{
    CFakeEcho& echo = FakeEcho();
    CHVRichEditCtrl ctrl;
    ctrl.SetText("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fprq3\\fcharset0 Arial;}{\\f1\\fnil\\fprq3\\fcharset0 Arial;}"
                 "{\\f2\\fnil\\fprq3\\fcharset0 Courier New;}}\\pard\\f0\\fs20 a\\f1 b\\f2 c\\par}",
                 SF_RTF);
    EXPECT_EQ(echo.echoed.Find("\\f0\\fnil\\fprq3") + 8, echo.echoed.Find("\\fprq"));
    EXPECT_NE(echo.echoed.Find("\\f1\\fnil\\fprq2"), -1) << echo.echoed.GetString();
    EXPECT_NE(echo.echoed.Find("\\f2\\fnil\\fprq2"), -1) << echo.echoed.GetString();
}

TEST_F(HVRichEditTest, TheRemoveFlagTakesTheMarkerOut)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetText("abc", SF_RTF, -1, HVRE_REMOVE_FPRQ3);
    EXPECT_EQ(Rtf(ctrl).Find("\\fprq3"), -1) << Rtf(ctrl).GetString();
    ctrl.SetFlags(HVRE_REMOVE_FPRQ3);
    ctrl.SetText("abc", SF_RTF);
    EXPECT_EQ(Rtf(ctrl).Find("\\fprq3"), -1);
    ctrl.SetFlags(0);
    ctrl.SetText("abc", SF_RTF);
    EXPECT_NE(Rtf(ctrl).Find("\\fprq3"), -1);
}

TEST_F(HVRichEditTest, PlainOutputMarksHighCharactersAndKeepsPositions)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetText("{\\rtf1{\\fonttbl{\\f0\\fnil Arial;}}\\f0\\fs20 caf\\'e9\\par \\'93x\\'94 target\\par}", SF_RTF);
    CString plain = Plain(ctrl);
    EXPECT_STREQ(plain.GetString(), "caf@\n@x@ target");
    const int at = plain.Find("target");
    ctrl.SetSel(at, at + 6);
    EXPECT_STREQ(ctrl.GetSelText().GetString(), "target");
}

TEST_F(HVRichEditTest, BoldTogglesOverTheWholeSelectionWithTheShadowMark)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetText("{\\rtf1{\\fonttbl{\\f0\\fnil Arial;}}\\f0\\fs20 one \\b two\\b0\\par}", SF_RTF);
    ctrl.SetSel(0, 7);  // partly bold
    ctrl.RunCommand(ID_CHAR_BOLD);
    EXPECT_TRUE(ctrl.IsSelectionEffect(CFM_BOLD, CFE_BOLD, TRUE));
    EXPECT_TRUE(ctrl.IsSelectionEffect(CFM_SHADOW, CFE_SHADOW, TRUE));
    ctrl.RunCommand(ID_CHAR_BOLD);  // all bold: off again
    EXPECT_FALSE(ctrl.IsSelectionEffect(CFM_BOLD, CFE_BOLD, FALSE));
    EXPECT_FALSE(ctrl.IsSelectionEffect(CFM_SHADOW, CFE_SHADOW, FALSE));
    CHARFORMAT cf;
    EXPECT_TRUE(ctrl.GetSelectionCharFormat(cf) & CFM_BOLD) << "the whole selection is plain again";

    ctrl.SetSel(4, 7);
    ctrl.RunCommand(ID_CHAR_ITALIC);
    ctrl.SetSel(0, 7);
    EXPECT_FALSE(ctrl.IsSelectionEffect(CFM_ITALIC, CFE_ITALIC, TRUE));
}

TEST_F(HVRichEditTest, ScriptsToggleWithBothMarks)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetText("x2", SF_TEXT);
    ctrl.SetSel(1, 2);
    ctrl.RunCommand(ID_CHAR_SUPERSCRIPT);
    CString rtf = Rtf(ctrl);
    EXPECT_NE(rtf.Find("x\\super\\shad\\embo 2"), -1) << rtf.GetString();
    ctrl.RunCommand(ID_CHAR_SUBSCRIPT);  // superscript is not subscript: on
    EXPECT_TRUE(ctrl.IsSelectionEffect(CFM_SUBSCRIPT, CFE_SUBSCRIPT, TRUE));
    ctrl.RunCommand(ID_CHAR_SUBSCRIPT);
    rtf = Rtf(ctrl);
    EXPECT_EQ(rtf.Find("\\sub"), -1) << rtf.GetString();
    EXPECT_EQ(rtf.Find("\\shad"), -1) << rtf.GetString();
}

TEST_F(HVRichEditTest, DefaultFontCommandAppliesTheSlotAndRestoresTheSavedFormat)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetDefaultFontSlot(FM_QUESTION);
    ctrl.SetText("{\\rtf1{\\fonttbl{\\f0\\fnil\\fprq2 Courier New;}}\\f0\\fs30\\i abc\\par}", SF_RTF);
    ctrl.SetSel(0, 3);
    EXPECT_FALSE(ctrl.IsSelectionDefaultFont());
    ctrl.RunCommand(ID_CHAR_DEFAULTFONT);
    EXPECT_TRUE(ctrl.IsSelectionDefaultFont());
    CString rtf = Rtf(ctrl);
    EXPECT_NE(rtf.Find("\\froman\\fprq3\\fcharset0 Times New Roman;"), -1) << rtf.GetString();
    ctrl.RunCommand(ID_CHAR_DEFAULTFONT);
    EXPECT_FALSE(ctrl.IsSelectionDefaultFont());
    rtf = Rtf(ctrl);
    EXPECT_NE(rtf.Find("Courier New"), -1) << rtf.GetString();
    EXPECT_NE(rtf.Find("\\fs30\\i abc"), -1) << rtf.GetString();
}

TEST_F(HVRichEditTest, AnEmptyControlTypesInTheDefaultSlotFont)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetDefaultFontSlot(FM_EXAMTITLE);
    Type(ctrl, "x");
    CString rtf = Rtf(ctrl);
    EXPECT_NE(rtf.Find("{\\f0\\fswiss\\fprq3\\fcharset0 Arial;}"), -1) << rtf.GetString();
    EXPECT_NE(rtf.Find("\\fs28\\b x"), -1) << rtf.GetString();
}

TEST_F(HVRichEditTest, GetTextMessageAlwaysTerminatesTheBuffer)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetText("abcdefgh", SF_TEXT);
    char buffer[8];
    std::memset(buffer, 'x', sizeof(buffer));
    EXPECT_EQ(ctrl.OnGetTextMsg(MAKELONG(SF_TEXT, 5), reinterpret_cast<LPARAM>(buffer)), 1);
    EXPECT_STREQ(buffer, "abcd");
    EXPECT_EQ(buffer[5], 'x');
    EXPECT_EQ(ctrl.OnGetTextMsg(MAKELONG(SF_TEXT, 1), reinterpret_cast<LPARAM>(buffer)), 1);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(ctrl.OnGetTextMsg(MAKELONG(SF_TEXT, 0), reinterpret_cast<LPARAM>(buffer)), 0);
    EXPECT_EQ(ctrl.OnGetTextMsg(MAKELONG(SF_TEXT, 8), 0), 0);
    std::memset(buffer, 'x', sizeof(buffer));
    EXPECT_EQ(ctrl.OnGetTextMsg(MAKELONG(0, 8), reinterpret_cast<LPARAM>(buffer)), 0);
    EXPECT_EQ(buffer[0], 0);
    CString rtf;
    EXPECT_TRUE(ctrl.GetTextMsg(SF_RTF, rtf));
    EXPECT_EQ(rtf.Find("{\\rtf1"), 0);
}

TEST_F(HVRichEditTest, TypingOverASymbolIsRefusedAndAfterOneGoesInTheDefaultFont)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetText("ab", SF_TEXT);
    ctrl.SetSel(1, 1);
    CString symbol;
    ASSERT_TRUE(CFontMgr::MakeSymbolRtf("QVMath", "\\'28", symbol, 12));
    ctrl.SetText(symbol, SF_RTF | SFF_SELECTION);
    EXPECT_STREQ(Plain(ctrl).GetString(), "a(b");

    ctrl.SetSel(0, 2);
    Type(ctrl, "z");
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_STREQ(messageBox.calls[0].text.GetString(), "Cannot enter character since selection contains special symbols.");
    EXPECT_STREQ(Plain(ctrl).GetString(), "a(b");

    ctrl.SetSel(2, 2);  // right after the symbol
    Type(ctrl, "z");
    EXPECT_STREQ(Plain(ctrl).GetString(), "a(zb");
    ctrl.SetSel(2, 3);
    CHARFORMAT cf;
    ctrl.GetSelectionCharFormat(cf);
    EXPECT_STREQ(cf.szFaceName, "Times New Roman");
    EXPECT_EQ(cf.bPitchAndFamily, 0x13);
    EXPECT_EQ(messageBox.calls.size(), 1u);
}

TEST(RtfHelpers, ProtectRtfEffects)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"{\\rtf1 plain}", "{\\rtf1 plain}"},
        {"\\embo \\~x\\embo0 \\~y", "xy"},
        {"\\embo a\\embo0 b", "\\xembo a\\xembo0 b"},
        {"\\shad \\~\\shad a\\shad0 b", "\\xshad a\\xshad0 b"},
        {"\\b\\shad\\embo x\\shad0\\embo0 y", "\\b\\xshad\\xembo x\\xshad0\\xembo0 y"},
    };
    for (const Case& c : cases) {
        CString s = c.in;
        ProtectRtfEffects(s);
        EXPECT_STREQ(s.GetString(), c.out) << c.in;
    }
}

TEST(RtfHelpers, RemoveRtfParagraphs)
{
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"\\pard one\\par two\\par", "\\pard one two"},
        {"\\pard\\parasid5 a\\par\\par b", "\\pard\\parasid5 a b"},
        {"no marks", "no marks"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(RemoveRtfParagraphs(c.in).GetString(), c.out) << c.in;
}

// A floating toolbar that records what the control asks of it.
class CFakeToolbar : public IFloatEditToolbar {
public:
    explicit CFakeToolbar(QWidget* owner) : owner(owner) { ++made; }
    ~CFakeToolbar() override { ++destroyed; }
    void Attach(CHVRichEditCtrl* pCtrl) override { attached = pCtrl; }
    CHVRichEditCtrl* GetAttached() const override { return attached; }
    void Show(BOOL bShow) override { visible = bShow; }
    BOOL IsVisible() const override { return visible; }
    void Refresh() override { ++refreshed; }
    CSize GetSize() const override { return CSize(100, 30); }
    void MoveTo(int x, int y) override { pos = CPoint(x, y); }
    void OnSelectionChanged(CHVRichEditCtrl*) override { ++selChanges; }
    void OnIdleUpdate() override {}
    QWidget* GetOwnerWidget() const override { return owner; }

    QWidget* owner;
    CHVRichEditCtrl* attached = nullptr;
    BOOL visible = FALSE;
    int refreshed = 0;
    int selChanges = 0;
    CPoint pos;
    static int made;
    static int destroyed;
};
int CFakeToolbar::made = 0;
int CFakeToolbar::destroyed = 0;

class CFakeToolbarFactory : public IFloatToolbarFactory {
public:
    IFloatEditToolbar* Create(QWidget* pOwner) override { return new CFakeToolbar(pOwner); }
};

TEST_F(HVRichEditTest, TheSharedToolbarFollowsTheControls)
{
    CFakeToolbar::made = 0;
    CFakeToolbarFactory factory;
    CServiceScope<IFloatToolbarFactory> installed(FloatToolbarFactorySlot(), factory);
    QWidget window;
    window.move(0, 0);
    auto* first = new CHVRichEditCtrl(&window);
    first->setGeometry(50, 200, 300, 100);
    auto* second = new CHVRichEditCtrl(&window);

    first->RunCommand(ID_EDIT_TOOLBAR);
    auto* shared = static_cast<CFakeToolbar*>(GetSharedFloatToolbar());
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->owner, nullptr);
    EXPECT_EQ(shared->attached, first);
    EXPECT_TRUE(shared->visible);
    EXPECT_GE(shared->refreshed, 1);
    // Beside the window, level with its top, covering none of it and within the usable screen.
    const QRect placed(shared->pos.x, shared->pos.y, 100, 30);
    const CRect screen = AvailableScreenRect(&window);
    EXPECT_FALSE(placed.intersects(window.frameGeometry())) << placed.x() << "," << placed.y();
    EXPECT_TRUE(QRect(screen.left, screen.top, screen.Width(), screen.Height()).contains(placed));
    EXPECT_EQ(placed.top(), window.frameGeometry().top());

    first->SetText("abc", SF_TEXT);
    const int before = shared->selChanges;
    first->SetSel(0, 2);
    EXPECT_GT(shared->selChanges, before);

    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(second, &focus);
    EXPECT_EQ(shared->attached, second);
    delete second;
    EXPECT_EQ(shared->attached, nullptr);
    EXPECT_FALSE(shared->visible);
    EXPECT_EQ(CFakeToolbar::made, 1);
}

TEST_F(HVRichEditTest, AControlInAModalDialogHasItsOwnToolbar)
{
    CFakeToolbar::made = CFakeToolbar::destroyed = 0;
    CFakeToolbarFactory factory;
    CServiceScope<IFloatToolbarFactory> installed(FloatToolbarFactorySlot(), factory);
    QWidget dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    {
        CHVRichEditCtrl ctrl(&dialog);
        ctrl.ShowFloatToolbar();
        auto* own = static_cast<CFakeToolbar*>(ctrl.GetOwnFloatToolbar());
        ASSERT_NE(own, nullptr);
        EXPECT_EQ(own->owner, &dialog);
        EXPECT_EQ(own->attached, &ctrl);
        EXPECT_EQ(GetSharedFloatToolbar(), nullptr);
    }
    EXPECT_EQ(CFakeToolbar::destroyed, 1);
}

// Finds the letters "Q1." at line starts and periods at line ends.
class CFakeParser : public IIdentifierParser {
public:
    void FindLineEndTerms(CString& text, char chTerm, CRangeVector& ranges) override
    {
        for (int i = 0; i < text.GetLength(); ++i)
            if (text[i] == chTerm && (i + 1 == text.GetLength() || text[i + 1] == '\n'))
                ranges.emplace_back(i, i + 1);
    }
    void FindQuestionIds(CString& text, LPCSTR terms, LPCSTR numChars, CRangeVector& ranges,
                         const CChoiceLabelRule*) override
    {
        for (int i = 0; i < text.GetLength(); ++i) {
            if (i > 0 && text[i - 1] != '\n')
                continue;
            int j = i;
            while (j < text.GetLength() && std::strchr(numChars, text[j]))
                ++j;
            if (j > i && j < text.GetLength() && std::strchr(terms, text[j]))
                ranges.emplace_back(i, j + 1);
        }
    }
};

TEST_F(HVRichEditTest, IdentifiersAreDeletedAtTheirPositionsInTheControl)
{
    CFakeParser parser;
    CServiceScope<IIdentifierParser> installed(IdentifierParserSlot(), parser);
    CHVRichEditCtrl ctrl;
    ctrl.SetText("1) Caf\xE9 one.\n\n22) Two\xE9.\n3) x", SF_TEXT);
    ctrl.SetSel(0, 0);
    // Numbers and line ends are two passes: a teacher may remove either alone.
    EXPECT_EQ(ctrl.RemoveIdentifiers(")", "0123456789", nullptr), 3);
    EXPECT_STREQ(ctrl.GetText().GetString(), " Caf\xE9 one.\n\n Two\xE9.\n x");
    EXPECT_EQ(ctrl.RemoveIdentifiers('.'), 2);
    EXPECT_STREQ(ctrl.GetText().GetString(), " Caf\xE9 one\n\n Two\xE9\n x");
}

TEST_F(HVRichEditTest, WithoutAParserNothingIsRemoved)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetText("a.\nb.", SF_TEXT);
    EXPECT_EQ(ctrl.RemoveIdentifiers('.'), 0);
    EXPECT_STREQ(ctrl.GetText().GetString(), "a.\nb.");
}

TEST_F(HVRichEditTest, TrimLineStartsRemovesLeadingBlanksOnly)
{
    CHVRichEditCtrl ctrl;
    ctrl.resize(600, 200);
    ctrl.SetText("  a b\n\t\tc\n   \nd  ", SF_TEXT);
    EXPECT_TRUE(ctrl.TrimLineStarts());
    EXPECT_STREQ(ctrl.GetText().GetString(), "a b\nc\n   \nd  ");
}

TEST_F(HVRichEditTest, FillLineFillsOneLineAndEndsIt)
{
    CHVRichEditCtrl ctrl;
    ctrl.resize(200, 300);
    ctrl.SetText("Answer:", SF_TEXT);
    const int moved = ctrl.FillLine("_");
    CString text = ctrl.GetText();
    EXPECT_EQ(text.Right(2), "\n\n");
    EXPECT_GT(text.GetLength(), 20);
    EXPECT_EQ(ctrl.LineFromChar(text.GetLength() - 3), 0) << "the underscores stay on the first line";
    EXPECT_EQ(moved, 2);
    EXPECT_EQ(ctrl.FillLine(""), 0);
}

TEST_F(HVRichEditTest, HeaderLineSetsItsTabStopsFromTheMeasuredTexts)
{
    CHVRichEditCtrl ctrl;
    ctrl.resize(600, 300);
    CFixedMetricsDC dc(1000, 1000, 96);
    LOGFONT lf;
    lf.lfHeight = -10;
    SetLogFontFaceName(lf, "Arial");
    CFont font;
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
    int tab1 = 0, tab2 = 0;
    const int height = ctrl.InsertHeaderFooterLine("L", -1, "Centre", -1, "Right", -1, &dc, CRect(0, 0, 960, 100), TRUE,
                                                   &tab1, &tab2);
    EXPECT_EQ(tab1, 7200 - 225);  // half of 960 px less half of 30 px, in twips
    EXPECT_EQ(tab2, 14400 - 375);
    EXPECT_GT(height, 0);
    EXPECT_STREQ(ctrl.GetText().GetString(), "L\tCentre\tRight\n");
    CString rtf;
    ctrl.StreamOutText(rtf, SF_RTF);
    EXPECT_NE(rtf.Find("\\tx6975\\tx14025"), -1) << rtf.GetString();
    EXPECT_NE(rtf.Find("\\ul L\\tab Centre\\tab Right"), -1) << rtf.GetString();
}

TEST_F(HVRichEditTest, ContextMenuOnlyWhenEnabledWithItsStates)
{
    CHVRichEditCtrl ctrl;
    EXPECT_EQ(ctrl.BuildContextMenu(), nullptr);
    ctrl.SetContextMenu(TRUE);
    ctrl.SetText("{\\rtf1{\\fonttbl{\\f0\\fnil Arial;}}\\f0\\fs20\\b bold\\par}", SF_RTF);
    ctrl.SetSel(0, 4);
    std::unique_ptr<QMenu> menu(ctrl.BuildContextMenu());
    ASSERT_NE(menu, nullptr);
    auto find = [&](UINT id) -> QAction* {
        for (QAction* a : menu->actions())
            if (GetActionCommandId(a) == id)
                return a;
        return nullptr;
    };
    ASSERT_NE(find(ID_EDIT_CUT), nullptr);
    EXPECT_TRUE(find(ID_EDIT_CUT)->isEnabled());
    EXPECT_FALSE(find(ID_EDIT_UNDO)->isEnabled());
    EXPECT_TRUE(find(ID_CHAR_BOLD)->isChecked());
    EXPECT_FALSE(find(ID_CHAR_ITALIC)->isChecked());
    ASSERT_NE(find(ID_EDIT_TOOLBAR), nullptr);

    ctrl.SetSel(2, 2);
    menu.reset(ctrl.BuildContextMenu());
    EXPECT_FALSE(find(ID_EDIT_COPY)->isEnabled());
    EXPECT_FALSE(find(ID_EDIT_DELETE)->isEnabled());
}

TEST_F(HVRichEditTest, ChangeFontAppliesToTheWholeText)
{
    struct CCourierChooser : IFontChooser {
        BOOL ChooseFont(LOGFONT& lf, QWidget*, LPCSTR) override
        {
            SetLogFontFaceName(lf, "Courier New");
            lf.lfHeight = -16;  // 12 points at 96 per inch
            lf.lfWeight = FW_BOLD;
            lf.lfItalic = 0;
            lf.lfStrikeOut = 1;
            return TRUE;
        }
    } chooser;
    CServiceScope<IFontChooser> installed(FontChooserSlot(), chooser);
    CHVRichEditCtrl ctrl;
    ctrl.SetText("one\ntwo", SF_TEXT);
    ctrl.SetSel(1, 2);
    ctrl.RunCommand(ID_FORMAT_FONT);
    long start, end;
    ctrl.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 0);
    ctrl.SetSel(0, -1);
    CHARFORMAT cf;
    DWORD mask = ctrl.GetSelectionCharFormat(cf);
    EXPECT_TRUE(mask & CFM_FACE);
    EXPECT_STREQ(cf.szFaceName, "Courier New");
    EXPECT_EQ(cf.yHeight, 240);
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
    EXPECT_TRUE(cf.dwEffects & CFE_STRIKEOUT);
}

TEST_F(HVRichEditTest, InfoPaneFormatsItsText)
{
    CInfoRichEdit pane;
    pane.Init(1, RGB(0x1C, 0x2A, 0x74), 0, RGB(255, 255, 255));
    pane.SetPaneText("Hello");
    EXPECT_TRUE(pane.IsReadOnly());
    EXPECT_TRUE(pane.isEnabled());
    pane.SetSel(0, 1);
    CHARFORMAT cf;
    pane.GetSelectionCharFormat(cf);
    EXPECT_TRUE(cf.dwEffects & CFE_BOLD);
    EXPECT_EQ(cf.yHeight, 200);
    EXPECT_EQ(cf.crTextColor, RGB(0x1C, 0x2A, 0x74));
    EXPECT_FALSE(cf.dwEffects & CFE_AUTOCOLOR);

    pane.Append(" red", 14, RGB(255, 0, 0));
    EXPECT_STREQ(pane.GetText().GetString(), "Hello red");
    pane.SetSel(6, 7);
    pane.GetSelectionCharFormat(cf);
    EXPECT_EQ(cf.crTextColor, RGB(255, 0, 0));
    EXPECT_EQ(cf.yHeight, 280);

    CInfoRichEdit face;
    face.InitPoints(9, 0, 0, GetSysColor(COLOR_3DFACE));
    // On the dialog face it is a label: enabled (its colours stay, it scrolls), but no frame,
    // focus or caret.
    EXPECT_TRUE(face.isEnabled());
    EXPECT_TRUE(face.IsReadOnly());
    EXPECT_EQ(face.focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(face.frameShape(), QFrame::NoFrame);
    EXPECT_EQ(face.textInteractionFlags(), Qt::NoTextInteraction);
    face.SetPaneText("x");
    face.SetSel(0, 1);
    face.GetSelectionCharFormat(cf);
    EXPECT_FALSE(cf.dwEffects & CFE_BOLD);
    EXPECT_EQ(cf.yHeight, 180);
}

} // namespace

namespace {

// A window that counts its rich edit's notifications and exchanges its text.
class CNotifiedWnd : public CWidgetWnd {
public:
    CNotifiedWnd()
    {
        ctrl = AddControl(1941, new CHVRichEditCtrl(this));
        BindNotify(1941, EN_CHANGE, [this] { ++changes; });
        BindNotify(1941, EN_SELCHANGE, [this] { ++selChanges; });
    }
    void DoDataExchange(CDataExchange* pDX) override { DDX_HVRichText(pDX, 1941, text, SF_TEXT); }

    CHVRichEditCtrl* ctrl;
    CString text;
    int changes = 0;
    int selChanges = 0;
};

TEST_F(HVRichEditTest, TheOwnerHearsOfChangesAndExchangesTheText)
{
    CNotifiedWnd wnd;
    wnd.text = "loaded";
    ASSERT_TRUE(wnd.UpdateData(FALSE));
    EXPECT_STREQ(wnd.ctrl->GetText().GetString(), "loaded");
    const int changes = wnd.changes;
    wnd.ctrl->SetSel(0, -1);
    Type(*wnd.ctrl, "z");
    EXPECT_GT(wnd.changes, changes);
    EXPECT_GT(wnd.selChanges, 0);
    ASSERT_TRUE(wnd.UpdateData(TRUE));
    EXPECT_STREQ(wnd.text.GetString(), "z");
}

TEST_F(HVRichEditTest, MessagesAndCommandsReachTheControl)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetText("word", SF_TEXT);
    char buffer[16];
    EXPECT_EQ(ctrl.SendMessage(WM_HV_GETRICHTEXT, MAKELONG(SF_TEXT, sizeof(buffer)), reinterpret_cast<LPARAM>(buffer)), 1);
    EXPECT_STREQ(buffer, "word");

    ctrl.SetSel(0, 4);
    EXPECT_TRUE(ctrl.OnCommand(ID_CHAR_BOLD));
    CTestCmdUI ui;
    ui.m_nID = ID_CHAR_BOLD;
    ui.DoUpdate(&ctrl, FALSE);
    EXPECT_EQ(ui.m_nCheck, 1);
    CTestCmdUI undo;
    undo.m_nID = ID_EDIT_UNDO;
    undo.DoUpdate(&ctrl, FALSE);
    EXPECT_TRUE(undo.m_bEnabled);
    ctrl.OnCommand(ID_EDIT_UNDO);
    ui.DoUpdate(&ctrl, FALSE);
    EXPECT_EQ(ui.m_nCheck, 0);

    CTestCmdUI cut;
    cut.m_nID = ID_EDIT_CUT;
    ctrl.SetSel(2, 2);
    cut.DoUpdate(&ctrl, FALSE);
    EXPECT_FALSE(cut.m_bEnabled);
}

} // namespace

TEST_F(HVRichEditTest, TheEngineEchoesTextIntoTheSlotFont)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetDefaultFontSlot(FM_ANSWER);
    ctrl.SetText("abc", SF_RTF);
    EXPECT_STREQ(Plain(ctrl).GetString(), "abc");
    LOGFONT lf;
    CFontMgr::GetSlotLogFont(lf, FM_ANSWER);
    CString rtf = Rtf(ctrl);
    EXPECT_NE(rtf.Find(lf.lfFaceName), -1) << rtf.GetString();
}
