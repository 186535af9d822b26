#include "controls/HVRichEditCtrl.h"

#include "render/RtfDraw3.h"
#include "render/RtfText.h"

#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "platform/core/UiThread.h"
#include "platform/ui/DC.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/QtString.h"
#include "platform/ui/RtfStream.h"
#include "platform/ui/SysColor.h"
#include "platform/ui/WindowPlacement.h"
#include "render/FontMgr.h"
#include "res/ids/RichEdit.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>
#include <cstring>
#include <exception>

namespace {

constexpr DWORD kSlotMask = CFM_SIZE | CFM_FACE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE;  // 0xA8000007
// Between the floating toolbar and the window beside which it first opens.
constexpr LONG kToolbarGap = 8;

// Plain text as the body of an RTF text: the RTF characters escaped, line breaks as paragraphs,
// the code page's high characters as escapes.
CString EscapeForRtf(const CString& text)
{
    CString out;
    const std::string& s = text.str();
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
                ++i;
            out += "\\par ";
        } else if (c == '\t') {
            out += "\\tab ";
        } else if (c >= 0x20) {
            AppendRtfEscapedByte(out, c);
        }
    }
    return out;
}

// The RTF engine's own operations.
class CEngineRtfTextOps : public IRtfTextOps {
public:
    BOOL RepairFontPitch(CString& rtf) override { return ::RepairRtfFontPitch(rtf); }
    CString MakeDefaultHeader() override { return ::MakeDefaultRtfHeader(); }
    CString ToPlainText(LPCSTR rtf) override { return ::RtfToPlainText(rtf); }
    BOOL Echo(CString& rtf, int nSlot, CString* pOut) override
    {
        CRtfDraw3 engine;
        return engine.EchoRtf(rtf, nSlot, pOut);
    }
};

CEngineRtfTextOps g_engineOps;
CServiceSlot<IRtfTextOps> g_rtfOps(g_engineOps);

class CNoFloatToolbars : public IFloatToolbarFactory {
public:
    IFloatEditToolbar* Create(QWidget*) override { return nullptr; }
};
CNoFloatToolbars g_noToolbars;
CServiceSlot<IFloatToolbarFactory> g_toolbarFactory(g_noToolbars);

// The toolbar every control outside a modal dialog shares; the user-interface thread's alone.
IFloatEditToolbar* g_sharedToolbar = nullptr;

class CNoIdentifierParser : public IIdentifierParser {
public:
    void FindLineEndTerms(CString&, char, CRangeVector&) override {}
    void FindQuestionIds(CString&, LPCSTR, LPCSTR, CRangeVector&, const CChoiceLabelRule*) override {}
};
CNoIdentifierParser g_noParser;
CServiceSlot<IIdentifierParser> g_parser(g_noParser);

class CNoFontChooser : public IFontChooser {
public:
    BOOL ChooseFont(LOGFONT&, QWidget*, LPCSTR) override { return FALSE; }
};
CNoFontChooser g_noFontChooser;
CServiceSlot<IFontChooser> g_fontChooser(g_noFontChooser);

BOOL QtFontChooser(LOGFONT& lf, QWidget* parent, LPCSTR pszCaption)
{
    QFont initial(ToQString(lf.lfFaceName));
    initial.setPointSize(std::max(CFontMgr::HeightToPoints(lf), 1));
    initial.setBold(lf.lfWeight >= FW_BOLD);
    initial.setItalic(lf.lfItalic);
    initial.setUnderline(lf.lfUnderline);
    initial.setStrikeOut(lf.lfStrikeOut);
    bool ok = false;
    QFont font = pszCaption && *pszCaption ? QFontDialog::getFont(&ok, initial, parent, ToQString(pszCaption))
                                           : QFontDialog::getFont(&ok, initial, parent);
    if (!ok)
        return FALSE;
    // A face the font table cannot hold whole would be stored cut.
    if (FromQString(font.family()).GetLength() >= LF_FACESIZE) {
        AfxMessageBox("This font's name is too long to be used.\n\nPlease select another.");
        return QtFontChooser(lf, parent, pszCaption);
    }
    SetLogFontFaceName(lf, FromQString(font.family()));
    lf.lfHeight = CFontMgr::PointsToHeight(std::max(font.pointSize(), 1));
    lf.lfWeight = font.bold() ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.italic();
    lf.lfUnderline = font.underline();
    lf.lfStrikeOut = font.strikeOut();
    return TRUE;
}

class CQtFontChooser : public IFontChooser {
public:
    BOOL ChooseFont(LOGFONT& lf, QWidget* pParent, LPCSTR pszCaption) override
    {
        return QtFontChooser(lf, pParent, pszCaption);
    }
};

} // namespace

CServiceSlot<IRtfTextOps>& RtfTextOpsSlot()
{
    return g_rtfOps;
}

IRtfTextOps& RtfTextOps()
{
    return g_rtfOps.Get();
}

IRtfTextOps& EngineRtfTextOps()
{
    return g_engineOps;
}

CServiceSlot<IFloatToolbarFactory>& FloatToolbarFactorySlot()
{
    return g_toolbarFactory;
}

IFloatEditToolbar* GetSharedFloatToolbar()
{
    ASSERT_UI_THREAD();
    return g_sharedToolbar;
}

void DestroySharedFloatToolbar()
{
    ASSERT_UI_THREAD();
    delete g_sharedToolbar;
    g_sharedToolbar = nullptr;
}

CServiceSlot<IIdentifierParser>& IdentifierParserSlot()
{
    return g_parser;
}

CServiceSlot<IFontChooser>& FontChooserSlot()
{
    return g_fontChooser;
}

BOOL ChooseTextFont(LOGFONT& lf, QWidget* pParent, LPCSTR pszCaption)
{
    for (;;) {
        LOGFONT chosen = lf;
        if (!g_fontChooser.Get().ChooseFont(chosen, pParent, pszCaption))
            return FALSE;
        const CString face(chosen.lfFaceName, static_cast<int>(strnlen(chosen.lfFaceName, LF_FACESIZE)));
        if (!CFontMgr::IsSymbolFont(face)) {
            lf = chosen;
            return TRUE;
        }
        AfxMessageBox("This font is not allowed as a selection.\n\nPlease select another.");
    }
}

void InstallHVRichEditServices()
{
    static CQtFontChooser chooser;
    g_fontChooser.Set(&chooser);
}

// ---------------------------------------------------------------------------------------------
// CHVRichEditCtrl

CHVRichEditCtrl::CHVRichEditCtrl(QWidget* parent) : CRichEditCtrl(parent)
{
    CFontMgrInit init;
    CFontMgr::GetSlotCharFormat(m_cfSaved, 0);
    m_cfSaved.dwMask = kSlotMask | CFM_SHADOW | CFM_EMBOSS;  // 0xA8000C07
    m_cfSelSaved = m_cfSaved;

    for (UINT id : {ID_CHAR_BOLD, ID_CHAR_ITALIC, ID_CHAR_UNDERLINE, ID_CHAR_SUPERSCRIPT, ID_CHAR_SUBSCRIPT,
                    ID_CHAR_DEFAULTFONT, ID_FORMAT_FONT, ID_EDIT_TOOLBAR, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
                    ID_EDIT_CLEAR, ID_EDIT_DELETE, ID_EDIT_UNDO, ID_EDIT_SELECT_ALL})
        BindCommand(id, [this, id] { RunCommand(id); });
    // Check marks follow the selection's effects.
    struct Mark {
        UINT id;
        DWORD mask;
        DWORD effect;
    };
    for (const Mark& m : {Mark{ID_CHAR_BOLD, CFM_BOLD, CFE_BOLD}, Mark{ID_CHAR_ITALIC, CFM_ITALIC, CFE_ITALIC},
                          Mark{ID_CHAR_UNDERLINE, CFM_UNDERLINE, CFE_UNDERLINE},
                          Mark{ID_CHAR_SUPERSCRIPT, CFM_SUPERSCRIPT, CFE_SUPERSCRIPT},
                          Mark{ID_CHAR_SUBSCRIPT, CFM_SUBSCRIPT, CFE_SUBSCRIPT}})
        BindUpdate(m.id, [this, m](CCmdUI* pCmdUI) { pCmdUI->SetCheck(IsSelectionEffect(m.mask, m.effect, TRUE)); });
    BindUpdate(ID_CHAR_DEFAULTFONT, [this](CCmdUI* pCmdUI) { pCmdUI->SetCheck(IsSelectionDefaultFont()); });
    auto hasSelection = [this] { return textCursor().hasSelection(); };
    BindUpdate(ID_EDIT_CUT, [=, this](CCmdUI* pCmdUI) { pCmdUI->Enable(hasSelection() && !isReadOnly()); });
    BindUpdate(ID_EDIT_COPY, [=](CCmdUI* pCmdUI) { pCmdUI->Enable(hasSelection()); });
    BindUpdate(ID_EDIT_DELETE, [=, this](CCmdUI* pCmdUI) { pCmdUI->Enable(hasSelection() && !isReadOnly()); });
    BindUpdate(ID_EDIT_CLEAR, [=, this](CCmdUI* pCmdUI) { pCmdUI->Enable(hasSelection() && !isReadOnly()); });
    BindUpdate(ID_EDIT_PASTE, [this](CCmdUI* pCmdUI) { pCmdUI->Enable(CanPaste()); });
    BindUpdate(ID_EDIT_UNDO, [this](CCmdUI* pCmdUI) { pCmdUI->Enable(CanUndo()); });
}

LRESULT CHVRichEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HV_GETRICHTEXT)
        return OnGetTextMsg(wParam, lParam);
    if (message == WM_HV_SHOWEDITTOOLBAR) {
        ShowFloatToolbar();
        return 0;
    }
    return CRichEditCtrl::WindowProc(message, wParam, lParam);
}

void CHVRichEditCtrl::OnIdleUpdateCmdUI()
{
    CRichEditCtrl::OnIdleUpdateCmdUI();
    if (m_pFloatTB && m_pFloatTB->GetOwnerWidget() == parentWidget())
        m_pFloatTB->OnIdleUpdate();
}

void DDX_HVRichText(CDataExchange* pDX, int nIDC, CString& value, UINT nFormat)
{
    pDX->PrepareCtrl(nIDC);
    if (auto* ctrl = dynamic_cast<CHVRichEditCtrl*>(pDX->m_pDlgWnd->GetDlgItem(nIDC)))
        ctrl->Exchange(pDX->m_bSaveAndValidate, value, nFormat);
}

CHVRichEditCtrl::~CHVRichEditCtrl()
{
    if (m_pFloatTB) {
        m_pFloatTB->Attach(nullptr);
        delete m_pFloatTB;
        m_pFloatTB = nullptr;
    }
    if (g_sharedToolbar && g_sharedToolbar->GetAttached() == this) {
        g_sharedToolbar->Attach(nullptr);
        g_sharedToolbar->Show(FALSE);
    }
}

int CHVRichEditCtrl::SetText(LPCSTR text, UINT nFlags, int nSlot, DWORD dwExtraFlags)
{
    CString cs = text ? text : "";
    if (IsRtfText(cs))
        RtfTextOps().RepairFontPitch(cs);
    if (nFlags & SF_RTF) {
        if (!IsRtfText(cs))
            cs = RtfTextOps().MakeDefaultHeader() + EscapeForRtf(cs) + "}";
        cs.Replace("  \\viewkind", "\\viewkind");
        const int slot = nSlot == -1 ? m_nDefFontSlot : nSlot;
        CString echoed;
        if (RtfTextOps().Echo(cs, slot, &echoed))
            cs = echoed;
        if ((dwExtraFlags | m_dwFlags) & HVRE_REMOVE_FPRQ3)
            cs.Replace("\\fprq3", "");
    } else if (IsRtfText(cs)) {
        cs = RtfTextOps().ToPlainText(cs);
    }
    StreamInText(cs, nFlags);
    return 0;
}

BOOL CHVRichEditCtrl::StreamOutText(CString& out, UINT nFlags) const
{
    out.Empty();
    out = StreamOut(nFlags);
    if (nFlags & SF_TEXT) {
        for (char& ch : out.str())
            if (static_cast<unsigned char>(ch) > 127)
                ch = '@';
    }
    return TRUE;
}

int CHVRichEditCtrl::StreamInText(LPCSTR text, UINT nFlags)
{
    StreamIn(nFlags, text ? text : "");
    OnTextStreamedIn();
    return 0;
}

void CHVRichEditCtrl::ReapplyText()
{
    long start, end;
    GetSel(start, end);
    CString rtf;
    StreamOutText(rtf, SF_RTF);
    SetText(rtf, SF_RTF, m_nDefFontSlot);
    SetSel(start, end);
}

void CHVRichEditCtrl::Exchange(BOOL bSave, CString& text, UINT nFlags)
{
    if (bSave)
        StreamOutText(text, nFlags);
    else
        SetText(text, nFlags, -1);
}

BOOL CHVRichEditCtrl::GetTextMsg(UINT nFormat, CString& out) const
{
    if (!(nFormat & (SF_TEXT | SF_RTF)))
        return FALSE;
    return StreamOutText(out, nFormat);
}

LRESULT CHVRichEditCtrl::OnGetTextMsg(WPARAM wParam, LPARAM lParam)
{
    try {
        const UINT format = LOWORD(wParam);
        const int length = HIWORD(wParam);
        char* buffer = reinterpret_cast<char*>(lParam);
        if (!buffer || length <= 0) {
            LogOutput("CHVRichEditCtrl::OnGetTextMsg() - Bad string ptr.", LOG_ERROR, LOG_HERE);
            return 0;
        }
        // Terminated from here on, whatever fails below.
        buffer[0] = 0;
        CString text;
        if (!GetTextMsg(format, text)) {
            LogOutput("CHVRichEditCtrl::OnGetTextMsg() - GetText() failed.", LOG_ERROR, LOG_HERE);
            return 0;
        }
        // The terminator always fits: at most length - 1 characters are copied.
        const int n = std::min(text.GetLength(), length - 1);
        std::memcpy(buffer, text.GetString(), static_cast<size_t>(n));
        buffer[n] = 0;
        return 1;
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Fonts

BOOL CHVRichEditCtrl::IsSelectionDefaultFont() const
{
    CHARFORMAT2 cf;
    GetSelectionCharFormat(cf);
    return CFontMgr::IsSlotCharFormat(cf, m_nDefFontSlot);
}

void CHVRichEditCtrl::SetDefaultFontSlot(int nSlot)
{
    if (!IsSelectionDefaultFont())
        GetSelectionCharFormat(m_cfSaved);
    m_nDefFontSlot = nSlot;
    CHARFORMAT2 cf;
    CFontMgr::GetSlotCharFormat(cf, nSlot);
    cf.dwMask = kSlotMask;
    SetDefaultCharFormat(cf);
}

void CHVRichEditCtrl::SetSelectionFontSlot(BOOL bApply, DWORD dwMask)
{
    if (!bApply) {
        SetSelectionCharFormat(m_cfSaved);
        return;
    }
    if (!IsSelectionDefaultFont())
        GetSelectionCharFormat(m_cfSaved);
    CHARFORMAT2 cf;
    CFontMgr::GetSlotCharFormat(cf, m_nDefFontSlot);
    cf.dwMask = dwMask;
    if (dwMask & CFM_FACE)
        cf.dwMask |= CFM_CHARSET;
    SetSelectionCharFormat(cf);
    CHARFORMAT2 marks;
    marks.dwMask = CFM_SHADOW | CFM_EMBOSS;
    marks.dwEffects = 0;
    SetSelectionCharFormat(marks);
}

void CHVRichEditCtrl::SaveSelectionFormat()
{
    GetSelectionCharFormat(m_cfSelSaved);
}

void CHVRichEditCtrl::ToggleEffect(DWORD dwMask, DWORD dwEffect, DWORD dwMarks)
{
    CHARFORMAT2 cf;
    const DWORD mask = GetSelectionCharFormat(cf);
    const bool allOn = (mask & dwMask) && (cf.dwEffects & dwEffect);
    CHARFORMAT2 set;
    set.dwMask = dwMask | dwMarks;  // the marks' effect bits are their mask bits
    set.dwEffects = allOn ? 0 : (dwEffect | dwMarks);
    SetSelectionCharFormat(set);
}

void CHVRichEditCtrl::OnDefaultFont()
{
    if (IsSelectionDefaultFont())
        SetSelectionCharFormat(m_cfSaved);
    else
        SetSelectionFontSlot(TRUE, kSlotMask);
}

void CHVRichEditCtrl::OnChangeFont()
{
    LOGFONT lf;
    GetSelectionLogFont(lf);
    if (!ChooseTextFont(lf, this))
        return;
    CHARFORMAT2 cf;
    cf.dwMask = CFM_FACE | CFM_CHARSET | CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    SetCharFormatFaceName(cf, lf.lfFaceName);
    cf.bCharSet = lf.lfCharSet;
    cf.bPitchAndFamily = lf.lfPitchAndFamily;
    cf.yHeight = CFontMgr::HeightToPoints(lf) * 20;
    cf.dwEffects = (lf.lfWeight >= FW_BOLD ? CFE_BOLD : 0) | (lf.lfItalic ? CFE_ITALIC : 0) |
                   (lf.lfUnderline ? CFE_UNDERLINE : 0) | (lf.lfStrikeOut ? CFE_STRIKEOUT : 0);
    SetSel(0, -1);
    SetSelectionCharFormat(cf);
    SetSel(0, 0);
}

void CHVRichEditCtrl::SetFontSize(int nPoints)
{
    CHARFORMAT2 cf;
    cf.dwMask = CFM_SIZE | CFM_SHADOW | CFM_EMBOSS;  // 0x80000C00
    cf.dwEffects = CFE_SHADOW | CFE_EMBOSS;
    cf.yHeight = nPoints * 20;
    SetSelectionCharFormat(cf);
}

DWORD CHVRichEditCtrl::GetSelectionLogFont(LOGFONT& lf) const
{
    CHARFORMAT2 cf;
    const DWORD mask = GetSelectionCharFormat(cf);
    lf = LOGFONT();
    lf.lfHeight = -MulDiv(cf.yHeight, CFontMgr::GetScreenDpi(), 1440);
    lf.lfWeight = cf.dwEffects & CFE_BOLD ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (cf.dwEffects & CFE_ITALIC) != 0;
    lf.lfUnderline = (cf.dwEffects & CFE_UNDERLINE) != 0;
    lf.lfCharSet = cf.bCharSet;
    lf.lfPitchAndFamily = cf.bPitchAndFamily;
    SetLogFontFaceName(lf, CString(cf.szFaceName, static_cast<int>(strnlen(cf.szFaceName, LF_FACESIZE))));
    return mask;
}

void CHVRichEditCtrl::SetSelectionLogFont(const LOGFONT& lf, DWORD dwMask)
{
    CHARFORMAT2 cf;
    CFontMgr::LogFontToCharFormat(lf, cf);
    cf.dwMask = dwMask;
    SetSelectionCharFormat(cf);
}

BOOL CHVRichEditCtrl::IsSelectionEffect(DWORD dwMask, DWORD dwEffect, BOOL bWhole) const
{
    CHARFORMAT2 cf;
    const DWORD mask = GetSelectionCharFormat(cf);
    if (bWhole && (mask & dwMask) != dwMask)
        return FALSE;
    return (cf.dwEffects & dwEffect) != 0;
}

void CHVRichEditCtrl::SetRangeDefaultFormat(long nStart, long nEnd)
{
    long start, end;
    GetSel(start, end);
    HideSelection(TRUE);
    SetSel(nStart, nEnd);
    CHARFORMAT2 cf;
    GetDefaultCharFormat(cf);
    cf.dwMask = kSlotMask;
    SetSelectionCharFormat(cf);
    SetSel(start, end);
    HideSelection(FALSE);
}

void CHVRichEditCtrl::SetParagraphTabs(int nTabWidth, long nStart, long nEnd)
{
    long start, end;
    GetSel(start, end);
    HideSelection(TRUE);
    SetSel(nStart, nEnd);
    PARAFORMAT pf;
    pf.dwMask = PFM_TABSTOPS;
    pf.cTabCount = 2;
    pf.rgxTabs[0] = nTabWidth;
    pf.rgxTabs[1] = nTabWidth * 2;
    SetParaFormat(pf);
    SetSel(start, end);
    HideSelection(FALSE);
}

void CHVRichEditCtrl::SetParagraphTabs(int nCount, const LONG* pTabs, int nHanging, long nStart, long nEnd)
{
    long start, end;
    GetSel(start, end);
    HideSelection(TRUE);
    SetSel(nStart, nEnd);
    PARAFORMAT pf;
    pf.dwMask = PFM_TABSTOPS | PFM_OFFSET;
    pf.cTabCount = static_cast<SHORT>(std::clamp(nCount, 0, MAX_TAB_STOPS));
    for (int i = 0; i < pf.cTabCount; ++i)
        pf.rgxTabs[i] = pTabs ? pTabs[i] : 0;
    pf.dxOffset = nHanging;
    SetParaFormat(pf);
    SetSel(start, end);
    HideSelection(FALSE);
}

void CHVRichEditCtrl::SetParagraphIndents()
{
    long start, end;
    GetSel(start, end);
    HideSelection(TRUE);
    SetSel(0, -1);
    PARAFORMAT pf;
    pf.dwMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT;
    pf.wAlignment = PFA_LEFT;
    SetParaFormat(pf);
    SetSel(start, end);
    HideSelection(FALSE);
}

BOOL CHVRichEditCtrl::SelectionHasSymbol() const
{
    CHARFORMAT2 cf;
    const DWORD mask = GetSelectionCharFormat(cf);
    if (mask & CFM_FACE)
        return CFontMgr::IsSymbolFont(CString(cf.szFaceName, static_cast<int>(strnlen(cf.szFaceName, LF_FACESIZE))));
    // Mixed faces: look at every run of the selection.
    QTextCursor c = textCursor();
    const int start = c.selectionStart(), end = c.selectionEnd();
    for (QTextBlock b = document()->findBlock(start); b.isValid() && b.position() < end; b = b.next()) {
        for (QTextBlock::iterator it = b.begin(); !it.atEnd(); ++it) {
            QTextFragment f = it.fragment();
            if (f.position() >= end || f.position() + f.length() <= start)
                continue;
            QStringList families = f.charFormat().fontFamilies().toStringList();
            if (!families.isEmpty() && CFontMgr::IsSymbolFont(FromQString(families.first())))
                return TRUE;
        }
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Commands and events

void CHVRichEditCtrl::OnEditCommand(UINT nID)
{
    switch (nID) {
    case ID_EDIT_CUT: Cut(); break;
    case ID_EDIT_COPY: Copy(); break;
    case ID_EDIT_PASTE: Paste(); break;
    case ID_EDIT_CLEAR:
    case ID_EDIT_DELETE: Clear(); break;
    case ID_EDIT_UNDO: Undo(); break;
    case ID_EDIT_SELECT_ALL: SelectAll(); break;
    default: break;
    }
}

BOOL CHVRichEditCtrl::RunCommand(UINT nID)
{
    switch (nID) {
    case ID_CHAR_BOLD: OnBold(); return TRUE;
    case ID_CHAR_ITALIC: OnItalic(); return TRUE;
    case ID_CHAR_UNDERLINE: OnUnderline(); return TRUE;
    case ID_CHAR_SUPERSCRIPT: OnSuperscript(); return TRUE;
    case ID_CHAR_SUBSCRIPT: OnSubscript(); return TRUE;
    case ID_CHAR_DEFAULTFONT: OnDefaultFont(); return TRUE;
    case ID_FORMAT_FONT: OnChangeFont(); return TRUE;
    case ID_EDIT_TOOLBAR: ShowFloatToolbar(); return TRUE;
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
    case ID_EDIT_CLEAR:
    case ID_EDIT_DELETE:
    case ID_EDIT_UNDO:
    case ID_EDIT_SELECT_ALL: OnEditCommand(nID); return TRUE;
    default: return FALSE;
    }
}

void CHVRichEditCtrl::keyPressEvent(QKeyEvent* e)
{
    const QString text = e->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !(e->modifiers() & Qt::ControlModifier) && !isReadOnly() &&
        SelectionHasSymbol()) {
        if (textCursor().hasSelection()) {
            AfxMessageBox("Cannot enter character since selection contains special symbols.");
            e->accept();
            return;
        }
        // Text typed after a symbol goes in the default font, not in the symbol's.
        CHARFORMAT2 cf;
        CFontMgr::GetSlotCharFormat(cf, m_nDefFontSlot);
        cf.dwMask = CFM_FACE | CFM_CHARSET;
        SetSelectionCharFormat(cf);
    }
    CRichEditCtrl::keyPressEvent(e);
}

BOOL CHVRichEditCtrl::InModalDialog() const
{
    const QWidget* top = window();
    return top && top != this && top->isModal();
}

void CHVRichEditCtrl::ShowFloatToolbar()
{
    ASSERT_UI_THREAD();
    IFloatEditToolbar* toolbar = nullptr;
    bool created = false;
    if (InModalDialog()) {
        if (!m_pFloatTB) {
            m_pFloatTB = g_toolbarFactory.Get().Create(window());
            created = m_pFloatTB != nullptr;
        }
        if (g_sharedToolbar)
            g_sharedToolbar->Show(FALSE);
        toolbar = m_pFloatTB;
    } else {
        if (!g_sharedToolbar) {
            g_sharedToolbar = g_toolbarFactory.Get().Create(nullptr);
            created = g_sharedToolbar != nullptr;
        }
        toolbar = g_sharedToolbar;
    }
    if (!toolbar)
        return;
    if (created) {
        toolbar->Attach(this);
        // Beside the window that holds the control, never over its fields, within the screen.
        const QWidget* owner = window();
        const QRect frame = owner->frameGeometry();
        const CRect ownerRect(frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height());
        const CPoint at = BesideWithin(ownerRect, toolbar->GetSize(), AvailableScreenRect(owner), kToolbarGap);
        toolbar->MoveTo(at.x, at.y);
    }
    toolbar->Show(TRUE);
    toolbar->Refresh();
    toolbar->Attach(this);
    setFocus();
}

void CHVRichEditCtrl::focusInEvent(QFocusEvent* e)
{
    CRichEditCtrl::focusInEvent(e);
    if (g_sharedToolbar) {
        if (InModalDialog())
            g_sharedToolbar->Show(FALSE);
        if (!m_pFloatTB)
            g_sharedToolbar->Attach(this);
    }
}

void CHVRichEditCtrl::OnSelChange()
{
    IFloatEditToolbar* toolbar = m_pFloatTB ? m_pFloatTB : g_sharedToolbar;
    if (toolbar && toolbar->GetAttached() == this)
        toolbar->OnSelectionChanged(this);
}

QMenu* CHVRichEditCtrl::BuildContextMenu()
{
    if (!m_bContextMenu)
        return nullptr;
    auto* menu = new QMenu(this);
    const bool selection = textCursor().hasSelection();
    auto add = [this, menu](const char* text, UINT id, bool enabled) {
        QAction* a = CreateCommandAction(this, id, text);
        a->setParent(menu);
        menu->addAction(a);
        a->setEnabled(enabled);
        return a;
    };
    add("Cu&t", ID_EDIT_CUT, selection && !isReadOnly());
    add("&Copy", ID_EDIT_COPY, selection);
    add("&Paste", ID_EDIT_PASTE, CanPaste());
    add("&Delete", ID_EDIT_DELETE, selection && !isReadOnly());
    add("&Undo", ID_EDIT_UNDO, CanUndo());
    add("Select &All", ID_EDIT_SELECT_ALL, true);
    menu->addSeparator();
    struct Style {
        const char* text;
        UINT id;
        DWORD effect;
    };
    for (const Style& s : {Style{"&Bold", ID_CHAR_BOLD, CFE_BOLD}, Style{"&Italic", ID_CHAR_ITALIC, CFE_ITALIC},
                           Style{"&Underline", ID_CHAR_UNDERLINE, CFE_UNDERLINE}}) {
        QAction* a = add(s.text, s.id, !isReadOnly());
        a->setCheckable(true);
        a->setChecked(IsSelectionEffect(s.effect, s.effect, TRUE));
    }
    menu->addSeparator();
    add("Editing Toolbar...", ID_EDIT_TOOLBAR, !isReadOnly());
    return menu;
}

void CHVRichEditCtrl::contextMenuEvent(QContextMenuEvent* e)
{
    e->accept();
    QMenu* menu = BuildContextMenu();
    if (!menu)
        return;
    m_bInMenuLoop = TRUE;
    viewport()->setCursor(Qt::ArrowCursor);
    menu->exec(e->globalPos());
    viewport()->setCursor(Qt::IBeamCursor);
    m_bInMenuLoop = FALSE;
    delete menu;
}

// ---------------------------------------------------------------------------------------------
// Export and AutoConvert services

namespace {

int DocumentHeight(QTextDocument* doc)
{
    return qCeil(doc->documentLayout()->documentSize().height());
}

CString Piece(LPCSTR text, int n)
{
    if (!text)
        return CString();
    return n < 0 ? CString(text) : CString(text, static_cast<int>(strnlen(text, static_cast<size_t>(n))));
}

} // namespace

int CHVRichEditCtrl::InsertHeaderFooterLine(LPCSTR left, int nLeft, LPCSTR centre, int nCentre, LPCSTR right,
                                            int nRight, CDC* pDC, const CRect& rcPage, BOOL bUnderline, int* pTab1,
                                            int* pTab2)
{
    EnsureLayout();
    const int before = DocumentHeight(document());
    long start, end;
    GetSel(start, end);
    HideSelection(TRUE);

    const CString l = Piece(left, nLeft), c = Piece(centre, nCentre), r = Piece(right, nRight);
    QTextCursor cur(document());
    cur.movePosition(QTextCursor::End);
    const int lineStart = cur.position();
    const QTextCharFormat fmt = DefaultTextFormat();
    cur.insertText(ToQString(l), fmt);
    cur.insertText("\t", fmt);
    cur.insertText(ToQString(c), fmt);
    cur.insertText("\t", fmt);
    cur.insertText(ToQString(r), fmt);
    const int lineEnd = cur.position();

    int dpi = pDC ? pDC->GetDeviceCaps(LOGPIXELSX) : 0;
    if (dpi <= 0)
        dpi = CFontMgr::GetScreenDpi();
    const int centreWidth = pDC ? pDC->GetTextExtent(c).cx : 0;
    const int rightWidth = pDC ? pDC->GetTextExtent(r).cx : 0;
    const int pageTwips = MulDiv(rcPage.Width(), 1440, dpi);
    const int tab1 = pageTwips / 2 - MulDiv(centreWidth, 1440, dpi) / 2;
    const int tab2 = pageTwips - MulDiv(rightWidth, 1440, dpi);
    if (pTab1)
        *pTab1 = tab1;
    if (pTab2)
        *pTab2 = tab2;

    SetSel(lineStart, lineStart);
    PARAFORMAT pf;
    pf.dwMask = PFM_TABSTOPS;
    pf.cTabCount = 2;
    pf.rgxTabs[0] = std::max(tab1, 0);
    pf.rgxTabs[1] = std::max(tab2, 0);
    SetParaFormat(pf);
    if (bUnderline) {
        SetSel(lineStart, lineEnd);
        CHARFORMAT2 cf;
        cf.dwMask = CFM_UNDERLINE;
        cf.dwEffects = CFE_UNDERLINE;
        SetSelectionCharFormat(cf);
    }
    cur.movePosition(QTextCursor::End);
    RtfInsertPlainText(cur, "\n", &fmt);

    SetSel(start, end);
    HideSelection(FALSE);
    EnsureLayout();
    return DocumentHeight(document()) - before;
}

int CHVRichEditCtrl::FillLine(LPCSTR fill)
{
    if (!fill || !*fill)
        return 0;
    long start, end;
    GetSel(start, end);
    HideSelection(TRUE);
    const int firstLine = LineFromChar(GetTextLength());
    QTextCursor cur(document());
    // A control that never wraps would take copies forever; a line holds far fewer than this.
    constexpr int kMaxCopies = 4096;
    const QString piece = ToQString(fill);
    for (int i = 0; i < kMaxCopies; ++i) {
        cur.movePosition(QTextCursor::End);
        const int at = cur.position();
        cur.insertText(piece);
        if (LineFromChar(GetTextLength()) != firstLine) {
            cur.setPosition(at);
            cur.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
            cur.removeSelectedText();
            break;
        }
    }
    cur.movePosition(QTextCursor::End);
    RtfInsertPlainText(cur, "\n\n");
    const int moved = LineFromChar(GetTextLength()) - firstLine;
    SetSel(start, end);
    HideSelection(FALSE);
    return moved;
}

void CHVRichEditCtrl::AutoConvert2(long nStart, long nEnd, BOOL bScroll)
{
    QWidget* frame = nullptr;
    for (QWidget* w = parentWidget(); w && !frame; w = w->parentWidget())
        if (qobject_cast<QMdiSubWindow*>(w) || qobject_cast<QMainWindow*>(w))
            frame = w;
    if (!frame) {
        LogOutput("CHVRichEditCtrl::AutoConvert2() - could not get parent frame", LOG_ERROR, LOG_HERE);
    } else {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(frame))
            if (QMdiArea* area = sub->mdiArea())
                area->setActiveSubWindow(sub);
        frame->activateWindow();
    }
    setFocus();
    if (bScroll) {
        const int top = std::max(LineFromChar(nStart) - 10, 0);
        LineScroll(top - GetFirstVisibleLine());
    }
    SetSel(nStart, nEnd + 1);
}

void CHVRichEditCtrl::DeleteRanges(const CRangeVector& ranges)
{
    if (ranges.empty())
        return;
    long start, end;
    GetSel(start, end);
    HideSelection(TRUE);
    for (auto it = ranges.rbegin(); it != ranges.rend(); ++it) {
        if (it->second <= it->first)
            continue;
        SetSel(it->first, it->second);
        Clear();
    }
    SetSel(start, end);
    HideSelection(FALSE);
}

int CHVRichEditCtrl::RemoveIdentifiers(char chTerm)
{
    try {
        CString text;
        StreamOutText(text, SF_TEXT);
        CRangeVector ranges;
        g_parser.Get().FindLineEndTerms(text, chTerm, ranges);
        if (ranges.empty())
            return 0;
        DeleteRanges(ranges);
        return static_cast<int>(ranges.size());
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    return 0;
}

int CHVRichEditCtrl::RemoveIdentifiers(LPCSTR terms, LPCSTR numChars, const CChoiceLabelRule* pLabels)
{
    try {
        CString text;
        StreamOutText(text, SF_TEXT);
        CRangeVector ranges;
        g_parser.Get().FindQuestionIds(text, terms, numChars, ranges, pLabels);
        if (ranges.empty())
            return 0;
        DeleteRanges(ranges);
        return static_cast<int>(ranges.size());
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    return 0;
}

BOOL CHVRichEditCtrl::TrimLineStarts()
{
    long start, end;
    GetSel(start, end);
    HideSelection(TRUE);
    BOOL settled = FALSE;
    // Every pass deletes at least one character, so the text bounds the passes.
    for (long passes = GetTextLength() + 1; passes > 0 && !settled; --passes) {
        int deleted = 0;
        const std::vector<LineInfo> lines = Lines();
        // From the last line up, so the lines not yet done keep their positions.
        for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
            // A line is looked at as far as a 511-character buffer holds it.
            QTextCursor c(document());
            c.setPosition(line->start);
            c.setPosition(line->start + std::min(line->length, 511), QTextCursor::KeepAnchor);
            const QString text = c.selectedText();
            int n = 0;
            while (n < text.size() && (text[n] == ' ' || text[n] == '\t'))
                ++n;
            if (n == 0 || n == text.size())
                continue;
            c.setPosition(line->start);
            c.setPosition(line->start + n, QTextCursor::KeepAnchor);
            c.removeSelectedText();
            ++deleted;
        }
        settled = deleted == 0;
    }
    SetSel(start, end);
    HideSelection(FALSE);
    return settled;
}

// ---------------------------------------------------------------------------------------------
// CInfoRichEdit

CInfoRichEdit::CInfoRichEdit(QWidget* parent) : CRichEditCtrl(parent)
{
}

void CInfoRichEdit::InitFormat(LONG yHeight, BOOL bBold, COLORREF crText, UINT nStringId, COLORREF crBackground)
{
    m_crText = crText;
    CHARFORMAT2 cf;
    // The text is in the face of the window the pane stands in, as every other text there.
    cf.dwMask = CFM_COLOR | CFM_SIZE | CFM_FACE | (bBold ? CFM_BOLD : 0);
    cf.dwEffects = bBold ? CFE_BOLD : 0;
    cf.crTextColor = crText;
    cf.yHeight = yHeight;
    SetCharFormatFaceName(cf, FromQString(font().family()));
    SetDefaultCharFormat(cf);
    SetBackgroundColor(FALSE, crBackground);
    if (nStringId)
        SetTextId(nStringId);
    SetReadOnly(TRUE);  // before the interaction below, which read-only would reset
    if (crBackground == GetSysColor(COLOR_3DFACE)) {
        // On the dialog face the pane is a label: no frame, no focus, no caret. It stays enabled,
        // so its text keeps its colours and a scroll bar still scrolls.
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus);
        setTextInteractionFlags(Qt::NoTextInteraction);
    }
}

void CInfoRichEdit::SetPointSize(int nPoints)
{
    CHARFORMAT cf;
    cf.dwMask = CFM_SIZE;
    cf.yHeight = nPoints * 20;
    SetDefaultCharFormat(cf);
}

void CInfoRichEdit::FitHeightToText(int nMaxHeight)
{
    // The text as it is laid out at the pane's width, measured on the document itself: the
    // pane may not have been shown yet.
    QTextDocument* doc = document();
    const int frame = 2 * frameWidth();
    const qreal oldWidth = doc->textWidth();
    doc->setTextWidth(width() - frame);
    const int height = qCeil(doc->size().height()) + frame;
    doc->setTextWidth(oldWidth);
    setFixedHeight(std::min(height, nMaxHeight));
    setVerticalScrollBarPolicy(height > nMaxHeight ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void CInfoRichEdit::Init(int nSizeLevel, COLORREF crText, UINT nStringId, COLORREF crBackground)
{
    static const LONG kHeights[] = {240, 200, 160, 120};
    m_nSizeLevel = std::clamp(nSizeLevel, 0, 3);
    InitFormat(kHeights[m_nSizeLevel], TRUE, crText, nStringId, crBackground);
}

void CInfoRichEdit::InitPoints(int nPoints, COLORREF crText, UINT nStringId, COLORREF crBackground)
{
    InitFormat(nPoints * 20, FALSE, crText, nStringId, crBackground);
}

void CInfoRichEdit::Append(LPCSTR text, int nPoints, COLORREF crText)
{
    CHARFORMAT2 cf;
    cf.dwMask = CFM_COLOR | (nPoints != -1 ? CFM_SIZE : 0);
    cf.crTextColor = crText;
    cf.yHeight = nPoints * 20;
    QTextCharFormat fmt = DefaultTextFormat();
    fmt.merge(CharFormatToText(cf));
    QTextCursor c(document());
    c.movePosition(QTextCursor::End);
    RtfInsertPlainText(c, ToQString(text ? text : ""), &fmt);
}

void CInfoRichEdit::SetTextId(UINT nStringId)
{
    SetPaneText(LoadStringId(nStringId));
}

void CInfoRichEdit::SetPaneText(LPCSTR text)
{
    CRichEditCtrl::SetText(text);
}

// ---------------------------------------------------------------------------------------------
// Free functions

void ProtectRtfEffects(CString& rtf)
{
    if (rtf.Find("\\embo") >= 0) {
        rtf.Replace("\\embo \\~", "");
        rtf.Replace("\\embo0 \\~", "");
        rtf.Replace("\\embo", "\\xembo");
    }
    if (rtf.Find("\\shad") >= 0) {
        rtf.Replace("\\shad \\~", "");
        rtf.Replace("\\shad0 \\~", "");
        rtf.Replace("\\shad", "\\xshad");
    }
}

CString RemoveRtfParagraphs(LPCSTR text)
{
    CString s = text ? text : "";
    s.Replace("\\pard", "\\xard");
    s.Replace("\\parasid", "\\xarasid");
    s.Replace("\\par", "");
    s.Replace("\\xard", "\\pard");
    s.Replace("\\xarasid", "\\parasid");
    return s;
}
