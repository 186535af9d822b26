// The floating editing toolbar, its symbol palettes and the symbol faces they draw in.

#include "controls/FloatEditTB.h"
#include "platform/ui/WindowPlacement.h"

#include "controls/DlgToolBar.h"
#include "controls/MRUPathComboBox.h"
#include "controls/PaletteSelectorBar.h"
#include "controls/TextEditToolbar.h"
#include "foundation/CorraAppBase.h"
#include "platform/core/CodePage.h"
#include "platform/ui/QtString.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "render/FontMgr.h"
#include "res/ids/FloatEditTB.h"
#include "res/ids/RichEdit.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FontMgrReset.h"
#include "tests/support/EngineTextOps.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRawFont>
#include <QScreen>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>

namespace {

// The engine's operations, recording the RTF that reaches the echo.
class CRecordingEcho : public CEngineTextOpsDouble {
public:
    BOOL Echo(CString& rtf, int nSlot, CString* pOut) override
    {
        echoed = rtf;
        return EngineRtfTextOps().Echo(rtf, nSlot, pOut);
    }
    CString echoed;
};

class FloatEditTBTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        ResetFontManager();
        LoadFloatBarFlags();
    }
    void TearDown() override
    {
        DestroySharedFloatToolbar();
        CorraTest::TearDown();
    }
    // The size box as the spin or a refresh leaves it.
    static void SetSizeBox(CFloatEditTB& tb, const char* text) { tb.GetEditBar()->GetSizeEdit()->setText(ToQString(text)); }
    static CString SizeBox(CFloatEditTB& tb) { return FromQString(tb.GetEditBar()->GetSizeEdit()->text()); }
    static CString FaceBox(CFloatEditTB& tb) { return tb.GetEditBar()->GetFaceCombo()->GetWindowText(); }
    static CString Rtf(const CHVRichEditCtrl& ctrl)
    {
        CString out;
        ctrl.StreamOutText(out, SF_RTF);
        return out;
    }
    static BOOL Checked(CFloatEditTB& tb, UINT nID)
    {
        CTestCmdUI ui;
        ui.m_nID = nID;
        ui.DoUpdate(&tb, TRUE);
        return ui.m_nCheck == 1;
    }
    static BOOL Enabled(CFloatEditTB& tb, UINT nID)
    {
        CTestCmdUI ui;
        ui.m_nID = nID;
        ui.DoUpdate(&tb, TRUE);
        return ui.m_bEnabled;
    }
};

const SymbolEntry* SymbolNamed(const char* name)
{
    for (const SymbolPalette& p : SymbolPalettes())
        for (const SymbolEntry& e : p.symbols)
            if (std::strcmp(e.name, name) == 0)
                return &e;
    return nullptr;
}

TEST_F(FloatEditTBTest, ThePalettesHaveTheirCountsFixedRowsAndDistinctIds)
{
    const std::vector<SymbolPalette>& palettes = SymbolPalettes();
    const std::map<CString, size_t> counts = {{"Math 1", 20}, {"Math 2", 18}, {"Math 3", 16}, {"Math 4", 24},
                                              {"Chem 1", 23}, {"Chem 2", 25}, {"Chem 3", 24}, {"Chem 4", 30},
                                              {"Chem 5", 22}, {"Chem 6", 24}};
    ASSERT_EQ(palettes.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_STREQ(palettes[i].name, FloatBar(i + 1).name);
        EXPECT_EQ(palettes[i].symbols.size(), counts.at(palettes[i].name)) << palettes[i].name;
    }

    struct Row {
        const char* name;
        unsigned code;
        const char* face;
        int height;
        int charset;
        unsigned id;  // 0: a placeholder's
    };
    const Row rows[] = {
        {"lparens", 0x28, "QVMath", -16, 0, 0},
        {"multiply", 0xB4, "Symbol", -18, 2, 0},
        {"Silver (47)", 0x3A, "QVchemA", -16, 0, 33318},
        {"subscript 4", 0xC4, "QVchemA", -16, 0, 33340},
    };
    for (const Row& r : rows) {
        const SymbolEntry* e = SymbolNamed(r.name);
        ASSERT_NE(e, nullptr) << r.name;
        EXPECT_EQ(e->code, r.code) << r.name;
        EXPECT_STREQ(e->face, r.face) << r.name;
        EXPECT_EQ(e->height, r.height) << r.name;
        EXPECT_EQ(e->charset, r.charset) << r.name;
        EXPECT_EQ(e->weight, 500) << r.name;
        if (r.id) {
            EXPECT_EQ(e->id, r.id) << r.name;
        }
    }

    // Every entry: a face of the five, weight 500, a button height of -24 to -12, and the symbol
    // character set exactly for "Symbol".
    for (const SymbolPalette& p : palettes) {
        for (const SymbolEntry& e : p.symbols) {
            EXPECT_TRUE(CFontMgr::IsSymbolFont(e.face)) << p.name << " " << e.name;
            EXPECT_EQ(e.weight, 500) << p.name << " " << e.name;
            EXPECT_GE(e.height, -24) << p.name << " " << e.name;
            EXPECT_LE(e.height, -12) << p.name << " " << e.name;
            EXPECT_EQ(e.charset, std::strcmp(e.face, "Symbol") == 0 ? 2 : 0) << p.name << " " << e.name;
        }
    }

    // Every id once, inside the symbols' range, clear of every toggle and command; the fixed
    // ones 33222 to 33340 all but the toggle 33249, the placeholders' from 33341 in palette order.
    std::set<unsigned> commands = {ID_CHAR_BOLD, ID_CHAR_ITALIC, ID_CHAR_UNDERLINE, ID_CHAR_SUPERSCRIPT,
                                   ID_CHAR_SUBSCRIPT, ID_CHAR_DEFAULTFONT, ID_CHAR_FONTLIST, ID_FONT_REMOVE,
                                   ID_FONT_DEFAULTS, ID_VIEW_HIDE_PALETTES, ID_SHOW_PALETTE_SELECTOR,
                                   ID_HIDE_EDITING_TOOLBAR, ID_SYMBOL_PLACEHOLDER};
    for (int i = 0; i < kFloatBarCount; ++i)
        commands.insert(FloatBar(i).toggleId);
    std::set<unsigned> seen, fixed;
    unsigned next = 33341;
    for (int i = 0; i < 10; ++i) {
        const SymbolEntry* tableRows = nullptr;
        switch (i) {
        case 0: tableRows = kMath1Symbols; break;
        case 1: tableRows = kMath2Symbols; break;
        case 2: tableRows = kMath3Symbols; break;
        case 3: tableRows = kMath4Symbols; break;
        case 4: tableRows = kChem1Symbols; break;
        case 5: tableRows = kChem2Symbols; break;
        case 6: tableRows = kChem3Symbols; break;
        case 7: tableRows = kChem4Symbols; break;
        case 8: tableRows = kChem5Symbols; break;
        default: tableRows = kChem6Symbols; break;
        }
        for (size_t k = 0; k < palettes[i].symbols.size(); ++k) {
            const unsigned id = palettes[i].symbols[k].id;
            EXPECT_TRUE(seen.insert(id).second) << id;
            EXPECT_EQ(commands.count(id), 0u) << id;
            EXPECT_GE(id, ID_SYMBOL_FIRST);
            EXPECT_LE(id, ID_SYMBOL_LAST);
            if (tableRows[k].id == ID_SYMBOL_PLACEHOLDER)
                EXPECT_EQ(id, next++) << palettes[i].symbols[k].name;
            else
                fixed.insert(id);
        }
    }
    EXPECT_EQ(next, 33341u + 108u);
    for (unsigned id = ID_SYMBOL_FIXED_FIRST; id <= ID_SYMBOL_FIXED_LAST; ++id)
        EXPECT_EQ(fixed.count(id), id == ID_VIEW_MATH3 ? 0u : 1u) << id;
    EXPECT_EQ(SymbolNamed("lparens")->id, 33341u);

    // The buttons of two toolbars carry the same ids.
    CFloatEditTB first, second;
    for (int bar = 1; bar <= 10; ++bar) {
        ASSERT_EQ(first.GetBar(bar)->GetButtonCount(), static_cast<int>(palettes[bar - 1].symbols.size()));
        for (int k = 0; k < first.GetBar(bar)->GetButtonCount(); ++k) {
            EXPECT_EQ(first.GetBar(bar)->GetItemID(k), palettes[bar - 1].symbols[k].id);
            EXPECT_EQ(second.GetBar(bar)->GetItemID(k), first.GetBar(bar)->GetItemID(k));
        }
    }
}

TEST_F(FloatEditTBTest, EverySymbolHasItsGlyphInItsShippedFace)
{
    ASSERT_TRUE(CFontMgr::AddSymbolFaces());
    for (const SymbolPalette& p : SymbolPalettes()) {
        for (const SymbolEntry& e : p.symbols) {
            QFont font(ToQString(e.face));
            font.setPixelSize(20);
            EXPECT_EQ(FromQString(QFontInfo(font).family()), CString(e.face));
            const QRawFont raw = QRawFont::fromFont(font);
            ASSERT_TRUE(raw.isValid()) << e.face;
            const char32_t ch = cp1252::ToUnicode(static_cast<unsigned char>(e.code));
            EXPECT_TRUE(raw.supportsCharacter(ch)) << p.name << " " << e.name << " " << e.face << " " << e.code;
        }
    }
    // The code text keeps two digits below 0x10.
    SymbolEntry low = *SymbolNamed("lparens");
    low.code = 0x0A;
    EXPECT_STREQ(SymbolCodeText(low).GetString(), "\\'0a");
    EXPECT_STREQ(SymbolCodeText(*SymbolNamed("Silver (47)")).GetString(), "\\'3a");
}

TEST_F(FloatEditTBTest, ASymbolGoesInWithItsFaceCodeAndTheSizeOfTheBox)
{
    CRecordingEcho echo;
    CServiceScope<IRtfTextOps> installed(RtfTextOpsSlot(), echo);
    CHVRichEditCtrl ctrl;
    ctrl.SetText("ab", SF_TEXT);
    CFloatEditTB tb;
    tb.Attach(&ctrl);
    const UINT silver = SymbolNamed("Silver (47)")->id;

    ctrl.SetSel(1, 1);
    SetSizeBox(tb, "14");
    tb.OnCommand(silver);
    EXPECT_NE(echo.echoed.Find("QVchemA"), -1) << echo.echoed.GetString();
    EXPECT_NE(echo.echoed.Find("\\fs28\\'3a"), -1) << echo.echoed.GetString();
    const CString rtf = Rtf(ctrl);
    EXPECT_NE(rtf.Find("QVchemA"), -1) << rtf.GetString();
    // The control keeps the character in its face and size (0x3A is written as itself).
    EXPECT_NE(rtf.Find("\\fs28 :"), -1) << rtf.GetString();
    EXPECT_STREQ(ctrl.GetText().GetString(), "a:b");

    SetSizeBox(tb, "");
    echo.echoed.Empty();
    tb.OnCommand(silver);
    EXPECT_NE(echo.echoed.Find("\\'3a"), -1);
    EXPECT_EQ(echo.echoed.Find("\\fs"), -1) << echo.echoed.GetString();

    // The symbol encoding's face is stored with its character set and the code.
    ctrl.SetSel(0, -1);
    tb.OnCommand(SymbolNamed("multiply")->id);
    const CString stored = Rtf(ctrl);
    EXPECT_NE(stored.Find("\\fcharset2 Symbol;"), -1) << stored.GetString();
    EXPECT_NE(stored.Find("\\'b4"), -1) << stored.GetString();

    // A read-only control takes no symbol.
    ctrl.SetReadOnly(TRUE);
    const CString before = ctrl.GetText();
    tb.OnCommand(silver);
    EXPECT_STREQ(ctrl.GetText().GetString(), before.GetString());
    EXPECT_FALSE(Enabled(tb, silver));
    EXPECT_TRUE(messageBox.calls.empty());
}

TEST_F(FloatEditTBTest, AFirstToolbarShowsTheTextBarAndOnePaletteAndGoesWithItsWindow)
{
    // Nothing chosen yet: the text bar and the first palette, the rest hidden.
    for (int i = 0; i < kFloatBarCount; ++i)
        EXPECT_EQ(IsFloatBarVisible(i) != FALSE, i <= 1) << FloatBar(i).name;
    InstallFloatEditToolbar();
    QWidget editor;
    editor.setGeometry(60, 80, 400, 300);
    auto* ctrl = new CHVRichEditCtrl(&editor);
    editor.show();
    ctrl->ShowFloatToolbar();
    auto* tb = dynamic_cast<CFloatEditTB*>(GetSharedFloatToolbar());
    ASSERT_NE(tb, nullptr);
    EXPECT_TRUE(tb->IsVisible());
    EXPECT_FALSE(tb->GetBar(0)->isHidden());
    EXPECT_FALSE(tb->GetBar(1)->isHidden());
    EXPECT_FALSE(tb->findChild<QLabel*>()->isVisibleTo(tb));
    // Beside the editor, not over it.
    EXPECT_FALSE(tb->frameGeometry().intersects(editor.frameGeometry()));
    // The editor closes: its toolbar goes too.
    editor.hide();
    EXPECT_FALSE(tb->IsVisible());
}

TEST_F(FloatEditTBTest, TheToolbarStaysWithinTheUsableScreen)
{
    CFloatEditTB tb;
    tb.Show(TRUE);
    const CRect area = AvailableScreenRect(&tb);
    for (const QPoint& at : {QPoint(area.right - 20, area.bottom - 10), QPoint(area.left - 300, area.top + 5)}) {
        tb.MoveTo(at.x(), at.y());
        const QRect frame = tb.frameGeometry();
        EXPECT_GE(frame.left(), area.left);
        EXPECT_GE(frame.top(), area.top);
        EXPECT_LE(frame.right(), area.right);
        EXPECT_LE(frame.bottom(), area.bottom);
    }
}

TEST_F(FloatEditTBTest, TogglesFlipTheBarsAndTheFlagsOutliveTheToolbar)
{
    // From every bar hidden.
    for (int i = 0; i < kFloatBarCount; ++i)
        CorraApp().WriteProfileInt("FloatEditTB", FloatBar(i).name, 0);
    LoadFloatBarFlags();
    const int math1 = 1;
    auto tb = std::make_unique<CFloatEditTB>();
    EXPECT_FALSE(IsFloatBarVisible(math1));
    EXPECT_FALSE(Enabled(*tb, ID_VIEW_HIDE_PALETTES));

    // Without a control the window's commands wait; the selector's message does not.
    tb->OnCommand(ID_VIEW_MATH1);
    EXPECT_FALSE(IsFloatBarVisible(math1));
    EXPECT_FALSE(Enabled(*tb, ID_VIEW_MATH1));
    EXPECT_FALSE(Enabled(*tb, ID_HIDE_EDITING_TOOLBAR));
    CHVRichEditCtrl ctrl;
    tb->Attach(&ctrl);
    EXPECT_TRUE(Enabled(*tb, ID_VIEW_MATH1));

    tb->OnCommand(ID_VIEW_MATH1);
    EXPECT_TRUE(IsFloatBarVisible(math1));
    EXPECT_TRUE(Checked(*tb, ID_VIEW_MATH1));
    EXPECT_FALSE(tb->GetBar(math1)->isHidden());
    // A bar switched from the selector shows even while the window was hidden.
    tb->Show(FALSE);
    tb->SendMessage(WM_HV_PALETTE_TOGGLE, ID_PALETTE_SELECT_FIRST + math1, 0);
    EXPECT_FALSE(IsFloatBarVisible(math1));
    EXPECT_TRUE(tb->GetBar(math1)->isHidden());
    EXPECT_TRUE(tb->IsVisible());
    tb->Attach(nullptr);
    tb->SendMessage(WM_HV_PALETTE_TOGGLE, ID_PALETTE_SELECT_FIRST + math1, 0);
    EXPECT_TRUE(IsFloatBarVisible(math1));
    tb->Attach(&ctrl);

    CTestCmdUI ui;
    ui.m_nID = ID_PALETTE_SELECT_FIRST + math1;
    tb->SendMessage(WM_HV_PALETTE_UPDATE, ui.m_nID, reinterpret_cast<LPARAM>(&ui));
    EXPECT_EQ(ui.m_nCheck, 1);

    // The toggle among the symbols' ids stays a toggle.
    tb->OnCommand(ID_VIEW_MATH3);
    EXPECT_TRUE(IsFloatBarVisible(3));

    EXPECT_TRUE(Enabled(*tb, ID_VIEW_HIDE_PALETTES));
    tb->OnCommand(ID_VIEW_HIDE_PALETTES);
    for (int i = 0; i < kFloatBarCount; ++i)
        EXPECT_FALSE(IsFloatBarVisible(i)) << i;
    EXPECT_FALSE(Enabled(*tb, ID_VIEW_HIDE_PALETTES));
    // The empty window says how to bring a bar back.
    QLabel* hint = tb->findChild<QLabel*>();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisibleTo(tb.get()));

    tb->OnCommand(ID_VIEW_CHEM6);
    tb->OnCommand(ID_VIEW_EDIT_BAR);
    EXPECT_FALSE(hint->isVisibleTo(tb.get()));
    // The bars stand below each other at the widest one's width, the window round them.
    tb->OnCommand(ID_VIEW_MATH3);
    tb->OnCommand(ID_VIEW_CHEM4);
    const int widest = std::max({tb->GetBar(0)->sizeHint().width(), tb->GetBar(3)->sizeHint().width(),
                                 tb->GetBar(8)->sizeHint().width(), tb->GetBar(10)->sizeHint().width()});
    for (int bar : {0, 3, 8, 10})
        EXPECT_EQ(tb->GetBar(bar)->width(), widest) << bar;
    EXPECT_LT(tb->GetBar(0)->geometry().bottom(), tb->GetBar(3)->geometry().top());
    EXPECT_GE(tb->width(), widest);
    EXPECT_LT(tb->width(), widest + 20);
    tb->OnCommand(ID_VIEW_MATH3);
    tb->OnCommand(ID_VIEW_CHEM4);
    EXPECT_EQ(CorraApp().GetProfileInt("FloatEditTB", "Chem 6", -1), 0);
    tb.reset();
    EXPECT_EQ(CorraApp().GetProfileInt("FloatEditTB", "Chem 6", -1), 1);
    EXPECT_EQ(CorraApp().GetProfileInt("FloatEditTB", "Edit", -1), 1);
    EXPECT_EQ(CorraApp().GetProfileInt("FloatEditTB", "Math 1", -1), 0);

    // The selector bar goes through the shared toolbar: without one it is disabled.
    CPaletteSelectorBar selector;
    selector.OnIdleUpdateCmdUI();
    EXPECT_FALSE(selector.GetButtonAction(math1)->isEnabled());
}

TEST_F(FloatEditTBTest, TheBoxesFollowTheSelection)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetText("{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil QVMath;}}"
                 "\\f0\\fs24 uniform\\fs32 big\\f1\\fs24 (}",
                 SF_RTF);
    CFloatEditTB tb;
    tb.Attach(&ctrl);
    EXPECT_EQ(tb.windowTitle(), QStringLiteral("Editing - "));
    ctrl.SetKeptText("Question");
    tb.Attach(&ctrl);
    EXPECT_EQ(tb.windowTitle(), QStringLiteral("Editing - Question"));

    ctrl.SetSel(0, 7);
    tb.Refresh();
    EXPECT_STREQ(FaceBox(tb).GetString(), "Arial");
    EXPECT_STREQ(SizeBox(tb).GetString(), "12");

    ctrl.SetSel(0, 10);
    tb.Refresh();
    EXPECT_STREQ(SizeBox(tb).GetString(), "");

    ctrl.SetSel(10, 11);  // the symbol
    tb.Refresh();
    EXPECT_STREQ(FaceBox(tb).GetString(), "Arial");
    EXPECT_EQ(tb.GetEditBar()->GetFaceCombo()->FindStringExact(-1, "QVMath"), CB_ERR);
    EXPECT_STREQ(SizeBox(tb).GetString(), "12");

    // The spin's change is the selection's size; a refresh's is not.
    ctrl.SetSel(0, 7);
    tb.GetEditBar()->GetSizeSpin()->Step(TRUE);
    CHARFORMAT cf;
    ctrl.GetSelectionCharFormat(cf);
    EXPECT_EQ(cf.yHeight, 13 * 20);
}

TEST_F(FloatEditTBTest, SymbolsKeepTheirFaceAndAGoneControlTakesNothing)
{
    CHVRichEditCtrl* ctrl = new CHVRichEditCtrl;
    ctrl->SetText("ab", SF_TEXT);
    ctrl->SetDefaultFontSlot(FM_QUESTION);
    CFloatEditTB tb;
    tb.Attach(ctrl);
    ctrl->SetSel(1, 1);
    tb.OnCommand(SymbolNamed("lparens")->id);

    ctrl->SetSel(0, 3);
    tb.OnCommand(ID_CHAR_DEFAULTFONT);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_STREQ(messageBox.calls[0].text.GetString(), "Cannot change font since selection contains special symbols.");
    ctrl->SetSel(1, 2);
    CHARFORMAT cf;
    ctrl->GetSelectionCharFormat(cf);
    EXPECT_STREQ(cf.szFaceName, "QVMath");

    // The last face of the list removed: the selection takes the default font.
    ctrl->SetSel(0, 1);
    CHARFORMAT arial;
    arial.dwMask = CFM_FACE | CFM_SIZE;
    SetCharFormatFaceName(arial, "Arial");
    arial.yHeight = 400;
    ctrl->SetSelectionCharFormat(arial);
    tb.Refresh();
    CMRUPathComboBox* combo = tb.GetEditBar()->GetFaceCombo();
    ASSERT_EQ(combo->GetCount(), 1);
    messageBox.QueueAnswer(IDOK);
    tb.OnCommand(ID_FONT_REMOVE);
    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_STREQ(messageBox.calls[1].text.GetString(), "Are you sure you want to remove font 'Arial' from the font list?");
    EXPECT_EQ(combo->GetCount(), 0);
    EXPECT_TRUE(ctrl->IsSelectionDefaultFont());

    // The last face removed while the selection holds a symbol: the symbol keeps its face.
    ctrl->SetSel(0, 3);
    CHARFORMAT courier;
    courier.dwMask = CFM_FACE;
    SetCharFormatFaceName(courier, "Courier New");
    ctrl->SetSel(0, 1);
    ctrl->SetSelectionCharFormat(courier);
    tb.Refresh();
    ASSERT_EQ(combo->GetCount(), 1);
    ctrl->SetSel(0, 3);
    messageBox.QueueAnswer(IDOK);
    tb.OnCommand(ID_FONT_REMOVE);
    ASSERT_EQ(messageBox.calls.size(), 4u);
    EXPECT_STREQ(messageBox.calls[3].text.GetString(), "Cannot change font since selection contains special symbols.");
    EXPECT_EQ(combo->GetCount(), 0);
    ctrl->SetSel(1, 2);
    ctrl->GetSelectionCharFormat(cf);
    EXPECT_STREQ(cf.szFaceName, "QVMath");

    // The control goes: the toolbar lets go of it and its commands do nothing.
    delete ctrl;
    EXPECT_EQ(tb.GetAttached(), nullptr);
    tb.OnCommand(ID_CHAR_BOLD);
    tb.OnCommand(SymbolNamed("lparens")->id);
    tb.Refresh();
    EXPECT_FALSE(Enabled(tb, ID_CHAR_BOLD));
    EXPECT_EQ(messageBox.calls.size(), 4u);
}

TEST_F(FloatEditTBTest, ACorruptProfileStillGivesAWorkingToolbar)
{
    WriteHomeFile("Corra.ini", "");
    CorraApp().WriteProfileString("FloatEditTB", "Math 1", "yes please");
    CorraApp().WriteProfileString("FloatEditTB", "Chem 2", "-7");
    CorraApp().WriteProfileString("Recent FontFace List", "String1", "No Such Face At All");
    CorraApp().WriteProfileString("Recent FontFace List", "String2", "");
    CorraApp().WriteProfileString("Recent FontFace List", "String99", "{\\rtf");
    LoadFloatBarFlags();

    CHVRichEditCtrl ctrl;
    ctrl.SetText("x", SF_TEXT);
    CFloatEditTB tb;
    tb.Attach(&ctrl);
    EXPECT_FALSE(IsFloatBarVisible(1));
    EXPECT_TRUE(IsFloatBarVisible(6));
    ctrl.SetSel(1, 1);
    tb.OnCommand(SymbolNamed("Gold (79)")->id);
    EXPECT_EQ(ctrl.GetTextLength(), 2);
    tb.GetEditBar()->GetFaceCombo()->SetCurSel(0);
    ctrl.SetSel(0, 1);
    tb.OnChildNotify(IDC_FONT_FACE, CBN_SELCHANGE);
    CHARFORMAT cf;
    ctrl.GetSelectionCharFormat(cf);
    EXPECT_STREQ(cf.szFaceName, "No Such Face At All");
}

// Chooses a face and size the test sets.
class CFixedFontChooser : public IFontChooser {
public:
    BOOL ChooseFont(LOGFONT& lf, QWidget*, LPCSTR) override
    {
        SetLogFontFaceName(lf, "Courier New");
        lf.lfHeight = CFontMgr::PointsToHeight(14);
        return TRUE;
    }
};

class CFakeFontManager : public IFontManagerDialog {
public:
    BOOL IsAvailable() const override { return TRUE; }
    BOOL Run(int nSlot, QWidget*) override
    {
        runs.push_back(nSlot);
        return TRUE;
    }
    std::vector<int> runs;
};

TEST_F(FloatEditTBTest, MoreFontsAndTheFontManagerGoThroughTheirServices)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetText("abc", SF_TEXT);
    ctrl.SetDefaultFontSlot(FM_ANSWER);
    CFloatEditTB tb;
    tb.Attach(&ctrl);
    EXPECT_FALSE(Enabled(tb, ID_FONT_DEFAULTS));

    CFixedFontChooser chooser;
    CServiceScope<IFontChooser> choosing(FontChooserSlot(), chooser);
    ctrl.SetSel(0, 2);
    tb.OnCommand(ID_CHAR_FONTLIST);
    CHARFORMAT cf;
    ctrl.GetSelectionCharFormat(cf);
    EXPECT_STREQ(cf.szFaceName, "Courier New");
    EXPECT_EQ(cf.yHeight, 14 * 20);
    EXPECT_STREQ(FaceBox(tb).GetString(), "Courier New");
    EXPECT_STREQ(CorraApp().GetProfileString("Recent FontFace List", "String1").GetString(), "Courier New");

    CFakeFontManager manager;
    CServiceScope<IFontManagerDialog> managing(FontManagerDialogSlot(), manager);
    EXPECT_TRUE(Enabled(tb, ID_FONT_DEFAULTS));
    tb.OnCommand(ID_FONT_DEFAULTS);
    EXPECT_EQ(manager.runs, std::vector<int>{FM_ANSWER});
}

// Chooses the faces it is given, one per opening; cancels when they are used up.
class CQueuedFontChooser : public IFontChooser {
public:
    explicit CQueuedFontChooser(std::vector<CString> faces) : m_faces(std::move(faces)) {}
    BOOL ChooseFont(LOGFONT& lf, QWidget*, LPCSTR) override
    {
        ++openings;
        if (m_faces.empty())
            return FALSE;
        SetLogFontFaceName(lf, m_faces.front());
        m_faces.erase(m_faces.begin());
        return TRUE;
    }
    int openings = 0;

private:
    std::vector<CString> m_faces;
};

TEST_F(FloatEditTBTest, TheFontChooserRefusesTheSymbolFaces)
{
    const CString refused = "This font is not allowed as a selection.\n\nPlease select another.";
    CHVRichEditCtrl ctrl;
    ctrl.SetText("abc", SF_TEXT);
    CFloatEditTB tb;
    tb.Attach(&ctrl);
    CMRUPathComboBox* combo = tb.GetEditBar()->GetFaceCombo();

    // A symbol face chosen is refused and the chooser opens again.
    CQueuedFontChooser chooser({"QVMath", "Courier New"});
    CServiceScope<IFontChooser> choosing(FontChooserSlot(), chooser);
    ctrl.SetSel(0, 2);
    tb.OnCommand(ID_CHAR_FONTLIST);
    EXPECT_EQ(chooser.openings, 2);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_STREQ(messageBox.calls[0].text.GetString(), refused.GetString());
    CHARFORMAT cf;
    ctrl.GetSelectionCharFormat(cf);
    EXPECT_STREQ(cf.szFaceName, "Courier New");
    EXPECT_EQ(combo->FindStringExact(-1, "QVMath"), CB_ERR);

    // Refused and then cancelled: neither the toolbar nor the control's own Font command
    // changes anything.
    for (UINT id : {ID_CHAR_FONTLIST, ID_FORMAT_FONT}) {
        CQueuedFontChooser symbolOnly({"QVchemA"});
        CServiceScope<IFontChooser> choosingSymbol(FontChooserSlot(), symbolOnly);
        const CString before = Rtf(ctrl);
        ctrl.SetSel(0, 2);
        if (id == ID_FORMAT_FONT)
            ctrl.OnCommand(id);
        else
            tb.OnCommand(id);
        EXPECT_EQ(symbolOnly.openings, 2) << id;
        EXPECT_STREQ(Rtf(ctrl).GetString(), before.GetString()) << id;
        EXPECT_STREQ(messageBox.calls.back().text.GetString(), refused.GetString()) << id;
        EXPECT_EQ(combo->FindStringExact(-1, "QVchemA"), CB_ERR) << id;
    }
}

// The main frame's side of the palette selector: what it was told last.
class CRecordingSelectorHost : public IPaletteSelectorHost {
public:
    void ShowPaletteSelector(BOOL bShow) override { shown.push_back(bShow != FALSE); }
    std::vector<bool> shown;
};

TEST_F(FloatEditTBTest, TheWindowGoesWithTheSelectorAndStaysOnTheScreen)
{
    CRecordingSelectorHost host;
    CServiceScope<IPaletteSelectorHost> hosting(PaletteSelectorHostSlot(), host);
    CHVRichEditCtrl ctrl;
    CFloatEditTB tb;
    tb.OnCommand(ID_SHOW_PALETTE_SELECTOR);
    EXPECT_TRUE(host.shown.empty());
    tb.Attach(&ctrl);
    tb.Show(TRUE);

    tb.OnCommand(ID_SHOW_PALETTE_SELECTOR);
    EXPECT_EQ(host.shown, std::vector<bool>{true});
    tb.OnCommand(ID_HIDE_EDITING_TOOLBAR);
    EXPECT_EQ(host.shown, (std::vector<bool>{true, false}));
    EXPECT_FALSE(tb.IsVisible());

    // The close box hides the selector too and keeps the window for the next use.
    tb.Show(TRUE);
    tb.close();
    EXPECT_EQ(host.shown, (std::vector<bool>{true, false, false}));
    EXPECT_FALSE(tb.IsVisible());
    tb.Show(TRUE);
    EXPECT_TRUE(tb.IsVisible());

    // Above the screen it comes down to the top, so the caption stays within reach.
    tb.MoveTo(40, -200);
    EXPECT_EQ(tb.frameGeometry().top(), tb.screen()->geometry().top());
}

TEST_F(FloatEditTBTest, TheSelectorBarSwitchesTheSharedToolbarsBars)
{
    InstallFloatEditToolbar();
    CHVRichEditCtrl ctrl;
    ctrl.ShowFloatToolbar();
    auto* shared = dynamic_cast<CFloatEditTB*>(GetSharedFloatToolbar());
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->GetAttached(), &ctrl);

    CPaletteSelectorBar selector;
    EXPECT_EQ(selector.windowTitle(), QStringLiteral("Quick Pick"));
    QAction* chem2 = selector.GetButtonAction(6);
    selector.OnIdleUpdateCmdUI();
    EXPECT_TRUE(chem2->isEnabled());
    EXPECT_FALSE(chem2->isChecked());
    chem2->trigger();
    EXPECT_TRUE(IsFloatBarVisible(6));
    EXPECT_TRUE(chem2->isChecked());
    chem2->trigger();
    EXPECT_FALSE(IsFloatBarVisible(6));
    EXPECT_FALSE(chem2->isChecked());
}

} // namespace
