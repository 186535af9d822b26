#include "controls/FloatEditTB.h"

#include "controls/DlgToolBar.h"
#include "controls/MRUPathComboBox.h"
#include "controls/TextEditToolbar.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "platform/core/Services.h"
#include "platform/core/UiThread.h"
#include "platform/ui/QtString.h"
#include "platform/ui/WindowPlacement.h"
#include "render/FontMgr.h"
#include "res/ids/FloatEditTB.h"
#include "res/ids/RichEdit.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>

namespace {

constexpr const char* kFlagsSection = "FloatEditTB";
constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshDelay = 100;
// Face, size, character set, bold, italic, underline.
constexpr DWORD kFontMask = CFM_SIZE | CFM_FACE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;

// The bars' flags, the user-interface thread's alone.
BOOL g_barVisible[kFloatBarCount] = {};
bool g_flagsLoaded = false;

void EnsureFlagsLoaded()
{
    if (!g_flagsLoaded)
        LoadFloatBarFlags();
}

class CNoFontManagerDialog : public IFontManagerDialog {
public:
    BOOL IsAvailable() const override { return FALSE; }
    BOOL Run(int, QWidget*) override { return FALSE; }
};
CNoFontManagerDialog g_noFontManager;
CServiceSlot<IFontManagerDialog> g_fontManager(g_noFontManager);

class CNoPaletteSelector : public IPaletteSelectorHost {
public:
    void ShowPaletteSelector(BOOL) override {}
};
CNoPaletteSelector g_noSelector;
CServiceSlot<IPaletteSelectorHost> g_selectorHost(g_noSelector);

class CFloatEditTBFactory : public IFloatToolbarFactory {
public:
    IFloatEditToolbar* Create(QWidget* pOwner) override { return new CFloatEditTB(pOwner); }
};

CString FaceOf(const LOGFONT& lf)
{
    return CString(lf.lfFaceName, static_cast<int>(strnlen(lf.lfFaceName, LF_FACESIZE)));
}

} // namespace

CServiceSlot<IFontManagerDialog>& FontManagerDialogSlot()
{
    return g_fontManager;
}

CServiceSlot<IPaletteSelectorHost>& PaletteSelectorHostSlot()
{
    return g_selectorHost;
}

void LoadFloatBarFlags()
{
    ASSERT_UI_THREAD();
    // A first toolbar shows the text bar and the first palette: an empty one would look broken.
    for (int i = 0; i < kFloatBarCount; ++i)
        g_barVisible[i] = CorraApp().GetProfileInt(kFlagsSection, FloatBar(i).name, i <= 1 ? 1 : 0, TRUE) != 0;
    g_flagsLoaded = true;
}

BOOL IsFloatBarVisible(int nIndex)
{
    ASSERT_UI_THREAD();
    EnsureFlagsLoaded();
    return nIndex >= 0 && nIndex < kFloatBarCount && g_barVisible[nIndex];
}

void SaveFloatBarFlags()
{
    ASSERT_UI_THREAD();
    EnsureFlagsLoaded();
    for (int i = 0; i < kFloatBarCount; ++i)
        CorraApp().WriteProfileInt(kFlagsSection, FloatBar(i).name, g_barVisible[i] ? 1 : 0);
}

void InstallFloatEditToolbar()
{
    static CFloatEditTBFactory factory;
    FloatToolbarFactorySlot().Set(&factory);
}

// ---------------------------------------------------------------------------------------------

CFloatEditTB::CFloatEditTB(QWidget* pOwner) : CDialog(IDD_FLOATEDITTB), m_pOwner(pOwner)
{
    ASSERT_UI_THREAD();
    CFontMgr::AddSymbolFaces();
    EnsureFlagsLoaded();
    if (pOwner)
        setParent(pOwner, Qt::Tool);
    else
        setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    // It serves the control that has the focus and never takes it away.
    setAttribute(Qt::WA_ShowWithoutActivating);
    BindCommands();
    Create(IDD_FLOATEDITTB);
}

CFloatEditTB::~CFloatEditTB()
{
    KillTimer(kRefreshTimer);
    SaveFloatBarFlags();
}

BOOL CFloatEditTB::OnInitDialog()
{
    setWindowTitle(QStringLiteral("Editing"));
    m_nLogPixelsY = CFontMgr::GetScreenDpi();
    m_pLayout = new QVBoxLayout(this);
    m_pLayout->setContentsMargins(2, 2, 2, 2);
    m_pLayout->setSpacing(0);
    m_pLayout->setSizeConstraint(QLayout::SetFixedSize);

    m_pEditBar = new CTextEditToolbar(this);
    m_pEditBar->Create(IDR_EDIT_BAR);
    m_pLayout->addWidget(m_pEditBar);
    const std::vector<SymbolPalette>& palettes = SymbolPalettes();
    for (int i = 0; i < kPaletteCount; ++i) {
        auto* bar = new CDlgToolBar(this);
        bar->Load(FloatBar(i + 1).resourceId);
        bar->SetSymbolButtons(palettes[i].symbols.data(), static_cast<int>(palettes[i].symbols.size()));
        bar->hide();
        // A rule above each palette keeps the rows of symbols apart.
        bar->setStyleSheet(QStringLiteral("QToolBar { border: none; border-top: 1px solid palette(mid); }"));
        m_pLayout->addWidget(bar);
        m_pBars[i] = bar;
    }
    // With every bar hidden the window would be a bare caption: it says how to bring one back.
    m_pNoBars = new QLabel(QStringLiteral("Right-click here to choose the bars to show."), this);
    m_pNoBars->setContentsMargins(6, 4, 6, 4);
    m_pNoBars->setEnabled(false);
    m_pLayout->addWidget(m_pNoBars);
    m_szInitial = CSize(sizeHint().width(), sizeHint().height());
    LayOut();
    return TRUE;
}

CDlgToolBar* CFloatEditTB::GetBar(int nIndex) const
{
    if (nIndex == 0)
        return m_pEditBar;
    return nIndex > 0 && nIndex <= kPaletteCount ? m_pBars[nIndex - 1] : nullptr;
}

void CFloatEditTB::BindCommands()
{
    // The symbols' range first: a single id bound later wins, so the toggle among the symbols'
    // ids stays a toggle.
    BindCommandRange(ID_SYMBOL_FIRST, ID_SYMBOL_LAST, [this](UINT nID) { InsertSymbol(nID); });
    BindUpdateRange(ID_SYMBOL_FIRST, ID_SYMBOL_LAST,
                    [this](CCmdUI* pCmdUI) { pCmdUI->Enable(EditableControl() && FindSymbol(pCmdUI->m_nID)); });

    for (UINT id : {ID_CHAR_BOLD, ID_CHAR_ITALIC, ID_CHAR_UNDERLINE, ID_CHAR_SUPERSCRIPT, ID_CHAR_SUBSCRIPT}) {
        BindCommand(id, [this, id] { ForwardToControl(id); });
        BindUpdate(id, [this](CCmdUI* pCmdUI) {
            CHVRichEditCtrl* ctrl = EditableControl();
            pCmdUI->Enable(ctrl != nullptr);
            if (ctrl)
                ctrl->OnCmdMsg(pCmdUI->m_nID, CN_UPDATE_COMMAND_UI, pCmdUI);
            else
                pCmdUI->SetCheck(0);
        });
    }
    BindCommand(ID_CHAR_DEFAULTFONT, [this] { OnDefaultFont(); });
    BindUpdate(ID_CHAR_DEFAULTFONT, [this](CCmdUI* pCmdUI) {
        CHVRichEditCtrl* ctrl = EditableControl();
        pCmdUI->Enable(ctrl != nullptr);
        pCmdUI->SetCheck(ctrl && ctrl->IsSelectionDefaultFont());
    });
    BindCommand(ID_CHAR_FONTLIST, [this] { OnFontList(); });
    BindUpdate(ID_CHAR_FONTLIST, [this](CCmdUI* pCmdUI) { pCmdUI->Enable(EditableControl() != nullptr); });
    BindCommand(ID_FONT_REMOVE, [this] { OnRemoveFont(); });
    BindUpdate(ID_FONT_REMOVE, [this](CCmdUI* pCmdUI) {
        pCmdUI->Enable(EditableControl() && m_pEditBar && m_pEditBar->GetFaceCombo()->GetCount() > 0);
    });
    BindCommand(ID_FONT_DEFAULTS, [this] { OnDefaultFonts(); });
    BindUpdate(ID_FONT_DEFAULTS, [this](CCmdUI* pCmdUI) {
        pCmdUI->Enable(EditableControl() && g_fontManager.Get().IsAvailable());
    });

    // The window's own commands too wait for a control; only its close box works without one.
    for (int i = 0; i < kFloatBarCount; ++i) {
        BindCommand(FloatBar(i).toggleId, [this, i] {
            if (Control())
                ToggleBar(i);
        });
        BindUpdate(FloatBar(i).toggleId, [this, i](CCmdUI* pCmdUI) {
            pCmdUI->Enable(Control() != nullptr);
            pCmdUI->SetCheck(IsFloatBarVisible(i));
        });
    }
    BindCommand(ID_VIEW_HIDE_PALETTES, [this] {
        if (!Control())
            return;
        for (BOOL& visible : g_barVisible)
            visible = FALSE;
        Show(TRUE);
    });
    BindUpdate(ID_VIEW_HIDE_PALETTES, [this](CCmdUI* pCmdUI) {
        BOOL any = FALSE;
        for (int i = 0; i < kFloatBarCount; ++i)
            any = any || IsFloatBarVisible(i);
        pCmdUI->Enable(any && Control());
    });
    BindCommand(ID_SHOW_PALETTE_SELECTOR, [this] {
        if (Control())
            g_selectorHost.Get().ShowPaletteSelector(TRUE);
    });
    BindUpdate(ID_SHOW_PALETTE_SELECTOR, [this](CCmdUI* pCmdUI) { pCmdUI->Enable(Control() != nullptr); });
    BindCommand(ID_HIDE_EDITING_TOOLBAR, [this] {
        if (!Control())
            return;
        Show(FALSE);
        g_selectorHost.Get().ShowPaletteSelector(FALSE);
    });
    BindUpdate(ID_HIDE_EDITING_TOOLBAR, [this](CCmdUI* pCmdUI) { pCmdUI->Enable(Control() != nullptr); });

    BindNotify(IDC_FONT_FACE, CBN_SELCHANGE, [this] { OnFaceChange(); });
    BindNotify(IDC_FONT_SIZE, EN_CHANGE, [this] { OnSizeChange(); });
}

LRESULT CFloatEditTB::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HV_PALETTE_TOGGLE:
        try {
            const int bar = FloatBarOfSelector(static_cast<UINT>(wParam));
            if (bar >= 0)
                ToggleBar(bar);
        } catch (const std::exception& e) {
            LogException(e, LOG_HERE);
        } catch (...) {
            LogUnknownException(LOG_HERE);
        }
        return 0;
    case WM_HV_PALETTE_UPDATE:
        if (auto* pCmdUI = reinterpret_cast<CCmdUI*>(lParam)) {
            const int bar = FloatBarOfSelector(static_cast<UINT>(wParam));
            pCmdUI->Enable(bar >= 0);
            pCmdUI->SetCheck(bar >= 0 && IsFloatBarVisible(bar));
        }
        return 0;
    case WM_HV_EDITSELCHANGE:
        SetTimer(kRefreshTimer, kRefreshDelay);
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

void CFloatEditTB::OnCancel()
{
    // The close box hides the window; it stays for the next use.
    g_selectorHost.Get().ShowPaletteSelector(FALSE);
    hide();
}

void CFloatEditTB::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kRefreshTimer)
        Refresh();
}

void CFloatEditTB::moveEvent(QMoveEvent* e)
{
    CDialog::moveEvent(e);
    KeepOnScreen();
}

bool CFloatEditTB::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == m_pCtrlWindow.data() && e->type() == QEvent::Hide && isVisible())
        Show(FALSE);
    return CDialog::eventFilter(watched, e);
}

// --- the attached control ----------------------------------------------------------------------

void CFloatEditTB::Attach(CHVRichEditCtrl* pCtrl)
{
    m_pCtrl = pCtrl;
    QWidget* window = pCtrl && !m_pOwner ? pCtrl->window() : nullptr;
    if (window != m_pCtrlWindow.data()) {
        if (m_pCtrlWindow)
            m_pCtrlWindow->removeEventFilter(this);
        m_pCtrlWindow = window;
        if (window && window != pCtrl)
            window->installEventFilter(this);
    }
    if (!pCtrl) {
        KillTimer(kRefreshTimer);
        setWindowTitle(QStringLiteral("Editing"));
        return;
    }
    setWindowTitle(ToQString(CString("Editing - ") + pCtrl->GetKeptText()));
    Refresh();
    SetTimer(kRefreshTimer, kRefreshDelay);
}

CHVRichEditCtrl* CFloatEditTB::Control()
{
    // A control that went away is forgotten; QPointer has already let go of it.
    return m_pCtrl.data();
}

CHVRichEditCtrl* CFloatEditTB::EditableControl()
{
    CHVRichEditCtrl* ctrl = Control();
    return ctrl && !ctrl->isReadOnly() ? ctrl : nullptr;
}

void CFloatEditTB::OnSelectionChanged(CHVRichEditCtrl* pCtrl)
{
    PostMessage(WM_HV_EDITSELCHANGE, 0, reinterpret_cast<LPARAM>(pCtrl));
}

void CFloatEditTB::BackToControl()
{
    // A click on the toolbar may have made it the active window; typing goes on in the control.
    if (CHVRichEditCtrl* ctrl = Control()) {
        if (ctrl->window() != ctrl)
            ctrl->window()->activateWindow();
        ctrl->setFocus();
    }
}

void CFloatEditTB::Refresh()
{
    KillTimer(kRefreshTimer);
    CHVRichEditCtrl* ctrl = Control();
    if (!ctrl || !m_pEditBar)
        return;
    m_bUpdating = TRUE;
    LOGFONT lf;
    const DWORD mask = ctrl->GetSelectionLogFont(lf);
    const CString face = FaceOf(lf);
    CMRUPathComboBox* combo = m_pEditBar->GetFaceCombo();
    if ((mask & CFM_FACE) && !face.IsEmpty() && !CFontMgr::IsSymbolFont(face) && face != combo->GetWindowText()) {
        int index = combo->FindStringExact(-1, face);
        if (index < 0)
            index = combo->AddString(face);
        combo->SetCurSel(index);
    }
    CString size;
    if ((mask & CFM_SIZE) && lf.lfHeight != 0)
        size.Format("%d", -MulDiv(72, lf.lfHeight, m_nLogPixelsY));
    m_pEditBar->GetSizeEdit()->setText(ToQString(size));
    m_bUpdating = FALSE;
}

// --- commands ----------------------------------------------------------------------------------

BOOL CFloatEditTB::RefuseSymbolSelection(CHVRichEditCtrl* pCtrl)
{
    if (!pCtrl->textCursor().hasSelection() || !pCtrl->SelectionHasSymbol())
        return FALSE;
    AfxMessageBox("Cannot change font since selection contains special symbols.");
    return TRUE;
}

void CFloatEditTB::ForwardToControl(UINT nID)
{
    if (CHVRichEditCtrl* ctrl = EditableControl()) {
        ctrl->OnCommand(nID);
        BackToControl();
    }
}

void CFloatEditTB::InsertSymbol(UINT nID)
{
    CHVRichEditCtrl* ctrl = EditableControl();
    if (!ctrl)
        return;
    const SymbolEntry* entry = FindSymbol(nID);
    if (!entry) {
        CString msg;
        msg.Format("Failed to find font face for %u", nID);
        AfxMessageBox(msg);
        return;
    }
    const int points = m_pEditBar ? m_pEditBar->GetSizeEdit()->text().toInt() : 0;
    CString rtf;
    if (!CFontMgr::MakeSymbolRtf(entry->face, SymbolCodeText(*entry), rtf, points)) {
        CString msg;
        msg.Format("Failed to create rtf for face %s", entry->face);
        AfxMessageBox(msg);
        return;
    }
    ctrl->SaveSelectionFormat();
    ctrl->SetText(rtf, SF_RTF | SFF_SELECTION, ctrl->GetDefaultFontSlot());
    BackToControl();
}

void CFloatEditTB::OnDefaultFont()
{
    CHVRichEditCtrl* ctrl = EditableControl();
    if (!ctrl || RefuseSymbolSelection(ctrl))
        return;
    ctrl->OnDefaultFont();
    BackToControl();
}

void CFloatEditTB::OnFontList()
{
    CHVRichEditCtrl* ctrl = EditableControl();
    if (!ctrl)
        return;
    LOGFONT lf;
    ctrl->GetSelectionLogFont(lf);
    if (!ChooseTextFont(lf, this))
        return;
    // The dialog may have run long enough for the control to go.
    ctrl = EditableControl();
    if (!ctrl || RefuseSymbolSelection(ctrl))
        return;
    CFontMgr::SaveFaceCharset(lf);
    const CString face = FaceOf(lf);
    CMRUPathComboBox* combo = m_pEditBar->GetFaceCombo();
    if (!face.IsEmpty() && combo->FindStringExact(-1, face) < 0) {
        m_bUpdating = TRUE;
        combo->SetCurSel(combo->AddString(face));
        m_pEditBar->SaveMRUs();
        m_bUpdating = FALSE;
    }
    ctrl->SetSelectionLogFont(lf, kFontMask);
    BackToControl();
    Refresh();
}

void CFloatEditTB::ApplyFace(CHVRichEditCtrl* pCtrl, const CString& face)
{
    LOGFONT lf;
    pCtrl->GetSelectionLogFont(lf);
    SetLogFontFaceName(lf, face);
    CFontMgr::LoadFaceCharset(lf);
    pCtrl->SetSelectionLogFont(lf, CFM_FACE | CFM_CHARSET);
}

void CFloatEditTB::OnFaceChange()
{
    if (m_bUpdating)
        return;
    CHVRichEditCtrl* ctrl = EditableControl();
    if (!ctrl)
        return;
    CMRUPathComboBox* combo = m_pEditBar->GetFaceCombo();
    const int index = combo->GetCurSel();
    if (index < 0) {
        LogOutput("CFloatEditTB::OnSelChangeComboFace() - No current selection.", LOG_ERROR, LOG_HERE);
        return;
    }
    if (RefuseSymbolSelection(ctrl)) {
        Refresh();
        return;
    }
    ApplyFace(ctrl, combo->GetLBText(index));
    BackToControl();
}

void CFloatEditTB::OnSizeChange()
{
    if (m_bUpdating)
        return;
    CHVRichEditCtrl* ctrl = EditableControl();
    if (!ctrl)
        return;
    bool ok = false;
    const int points = m_pEditBar->GetSizeEdit()->text().toInt(&ok);
    if (!ok || points <= 0)
        return;
    ctrl->SetFontSize(points);
    BackToControl();
}

void CFloatEditTB::OnRemoveFont()
{
    CHVRichEditCtrl* ctrl = EditableControl();
    if (!ctrl)
        return;
    CMRUPathComboBox* combo = m_pEditBar->GetFaceCombo();
    CString face = combo->GetWindowText();
    face.Trim();
    if (face.IsEmpty())
        return;
    CString question;
    question.Format("Are you sure you want to remove font '%s' from the font list?", face.GetString());
    if (AfxMessageBox(question, MB_OKCANCEL) != IDOK)
        return;
    ctrl = EditableControl();
    if (!ctrl)
        return;
    m_bUpdating = TRUE;
    if (CRecentPathList* list = combo->GetList()) {
        for (int i = list->GetSize() - 1; i >= 0; --i) {
            CString entry = (*list)[i];
            if (entry.Trim().CompareNoCase(face) == 0)
                list->Remove(i);
        }
    }
    combo->Save();
    for (int i = combo->FindStringExact(-1, face); i >= 0; i = combo->FindStringExact(-1, face))
        combo->DeleteString(i);
    m_bUpdating = FALSE;
    if (combo->GetCount() > 0) {
        m_bUpdating = TRUE;
        combo->SetCurSel(0);
        m_bUpdating = FALSE;
    }
    // Symbols keep their face whether the next face or the default font would take their place.
    if (!RefuseSymbolSelection(ctrl)) {
        if (combo->GetCount() > 0)
            ApplyFace(ctrl, combo->GetLBText(0));
        else
            ctrl->SetSelectionFontSlot(TRUE, kFontMask);
    }
    BackToControl();
}

void CFloatEditTB::OnDefaultFonts()
{
    CHVRichEditCtrl* ctrl = EditableControl();
    if (!ctrl)
        return;
    if (g_fontManager.Get().Run(ctrl->GetDefaultFontSlot(), this)) {
        Refresh();
        BackToControl();
    }
}

// --- bars and window ---------------------------------------------------------------------------

void CFloatEditTB::ToggleBar(int nIndex)
{
    if (nIndex < 0 || nIndex >= kFloatBarCount)
        return;
    EnsureFlagsLoaded();
    g_barVisible[nIndex] = !g_barVisible[nIndex];
    // A bar switched on from the palette selector shows, even while the window was hidden.
    Show(TRUE);
}

void CFloatEditTB::LayOut()
{
    BOOL any = FALSE;
    for (int i = 0; i < kFloatBarCount; ++i) {
        any = any || IsFloatBarVisible(i);
        if (CDlgToolBar* bar = GetBar(i))
            bar->setVisible(IsFloatBarVisible(i) != FALSE);
    }
    if (m_pNoBars)
        m_pNoBars->setVisible(!any);
    if (m_pLayout)
        m_pLayout->activate();
    adjustSize();
    update();
}

void CFloatEditTB::Show(BOOL bShow)
{
    if (!bShow) {
        hide();
        return;
    }
    LayOut();
    show();
    KeepOnScreen();
}

BOOL CFloatEditTB::IsVisible() const
{
    return isVisible();
}

CSize CFloatEditTB::GetSize() const
{
    const QRect frame = frameGeometry();
    return CSize(frame.width(), frame.height());
}

void CFloatEditTB::MoveTo(int x, int y)
{
    move(x, y);
    KeepOnScreen();
}

void CFloatEditTB::KeepOnScreen()
{
    // The caption and the bars stay within the usable screen; a window larger than it keeps
    // its caption there.
    const CRect area = AvailableScreenRect(this);
    const QRect frame = frameGeometry();
    const int left = std::max(std::min(frame.left(), static_cast<int>(area.right) - frame.width()), static_cast<int>(area.left));
    const int top = std::max(std::min(frame.top(), static_cast<int>(area.bottom) - frame.height()), static_cast<int>(area.top));
    if (left != frame.left() || top != frame.top())
        move(x() + left - frame.left(), y() + top - frame.top());
}

void CFloatEditTB::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu(this);
    for (int i = 0; i < kFloatBarCount; ++i)
        menu.addAction(CreateCommandAction(this, FloatBar(i).toggleId, FloatBar(i).name));
    menu.addSeparator();
    menu.addAction(CreateCommandAction(this, ID_VIEW_HIDE_PALETTES, "Hide All"));
    menu.addAction(CreateCommandAction(this, ID_SHOW_PALETTE_SELECTOR, "Palette Selector"));
    menu.addAction(CreateCommandAction(this, ID_HIDE_EDITING_TOOLBAR, "Hide Editing Toolbar"));
    for (QAction* a : menu.actions())
        a->setParent(&menu);
    UpdateMenuOnShow(&menu, this);
    menu.exec(e->globalPos());
    e->accept();
}
