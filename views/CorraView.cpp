#include "views/CorraView.h"

#include "views/ExportContext.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/OldProgressDlg.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "foundation/Update.h"
#include "foundation/Util.h"
#include "model/Choices.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/DocumentDialogs.h"
#include "model/ViewServices.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/DC.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/SysColor.h"
#include "render/FontMgr.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>

namespace {

const CDocViewKind s_kind(typeid(CCorraView), DVK_CORRAVIEW);

int g_nStartupCounter = 1;
int g_nStartupValue = 0;

constexpr LPCSTR kSection = "Corras";

// Rows of the tile list, in pixels.
constexpr int kSmallRow = 20;
constexpr int kLargeRow = 36;

LPCSTR ModeKey(BOOL bCollectionPane)
{
    return bCollectionPane ? "CListDrawMode" : "CorraViewDrawMode";
}

LPCSTR LastIconKey(BOOL bCollectionPane)
{
    return bCollectionPane ? "CListLastIconDrawMode" : "CorraViewLastIconDrawMode";
}

// A hint is read as a CUpdate only when it is one: other hints carry question lists or views.
const CUpdate* AsUpdate(CObject* pHint)
{
    auto* p = dynamic_cast<CUpdate*>(pHint);
    return p && std::string(p->GetClassName()) == CUpdate::CLASS_NAME ? p : nullptr;
}

// The question drawing mode of a draw mode of the view.
int QuestionDrawMode(int nDrawMode)
{
    switch (nDrawMode) {
    case CVDRAW_LARGE_ICON: return QDRAW_TILE;
    case CVDRAW_SMALL_ICON: return QDRAW_SMALL_TILE;
    default: return QDRAW_FULL;
    }
}

// Puts the question drawing mode back when it goes out of scope.
class CDrawModeScope {
public:
    explicit CDrawModeScope(int mode) : m_nOld(CCorraQuestion::SetDrawMode(mode)) {}
    ~CDrawModeScope() { CCorraQuestion::SetDrawMode(m_nOld); }
    CDrawModeScope(const CDrawModeScope&) = delete;
    CDrawModeScope& operator=(const CDrawModeScope&) = delete;

private:
    int m_nOld;
};

} // namespace

// --- CCorraViewElementList --------------------------------------------------------------------

CCorraQuestion* CCorraViewElementList::GetQuestion(int i) const
{
    return i >= 0 && i < GetCount() ? m_items[static_cast<size_t>(i)].pQuestion : nullptr;
}

int CCorraViewElementList::Find(const CCorraQuestion* q) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_items[static_cast<size_t>(i)].pQuestion == q)
            return i;
    }
    return -1;
}

void CCorraViewElementList::Insert(int nIndex, CCorraQuestion* q)
{
    Element e;
    e.pQuestion = q;
    if (nIndex < 0 || nIndex >= GetCount())
        m_items.push_back(e);
    else
        m_items.insert(m_items.begin() + nIndex, e);
}

BOOL CCorraViewElementList::Remove(const CCorraQuestion* q)
{
    int i = Find(q);
    if (i < 0)
        return FALSE;
    m_items.erase(m_items.begin() + i);
    if (m_nCurrent >= GetCount())
        m_nCurrent = GetCount() - 1;
    return TRUE;
}

void CCorraViewElementList::GetQuestions(CPtrListEx& out) const
{
    out.RemoveAll();
    for (const Element& e : m_items)
        out.AddTail(e.pQuestion);
}

// --- CCorraView -------------------------------------------------------------------------------

CCorraView::CCorraView() : m_pAlive(std::make_shared<BOOL>(TRUE))
{
    CCorraAppBase& app = CorraApp();
    m_crActive = app.GetProfileColor("Misc", "CorraActiveColor", 0xFFFFFF);
    m_crInactive = app.GetProfileColor("Misc", "CorraInactiveColor", 0xC0C0C0);
    m_crCurrent = m_crInactive;
    viewport()->setAutoFillBackground(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    BindCommand(ID_VIEW_LARGE_ICON, [this] { OnLargeIcon(); });
    BindCommand(ID_VIEW_SMALL_ICON, [this] { OnSmallIcon(); });
    BindCommand(ID_VIEW_EXPANDED, [this] { OnExpanded(); });
    BindCommand(ID_VIEW_CONTRACTED, [this] { OnContracted(); });
    BindCommand(ID_RECALC_SPLITTERS, [this] { AskFrameToRecalc(); });
    BindUpdate(ID_VIEW_LARGE_ICON, [this](CCmdUI* ui) { ui->SetCheck(m_nDrawMode == CVDRAW_LARGE_ICON); });
    BindUpdate(ID_VIEW_SMALL_ICON, [this](CCmdUI* ui) { ui->SetCheck(m_nDrawMode == CVDRAW_SMALL_ICON); });
    BindUpdate(ID_VIEW_EXPANDED, [this](CCmdUI* ui) {
        ui->Enable(!IsCollectionPane());
        ui->SetCheck(m_nDrawMode == CVDRAW_EXPANDED);
    });
    BindUpdate(ID_VIEW_CONTRACTED, [this](CCmdUI* ui) { ui->SetCheck(m_nDrawMode != CVDRAW_EXPANDED); });
}

CCorraView::~CCorraView()
{
    *m_pAlive = FALSE;
}

CCorraDoc* CCorraView::GetCorraDoc() const
{
    return dynamic_cast<CCorraDoc*>(m_pDocument);
}

BOOL CCorraView::Fits(const CCorraQuestion* q) const
{
    return q && (q->IsCollection() != FALSE) == IsCollectionPane();
}

void CCorraView::StartupCounterStep()
{
    g_nStartupValue = g_nStartupCounter++;
}

int CCorraView::StartupCounter()
{
    return g_nStartupValue;
}

int CCorraView::OnCreate(CCreateContext*)
{
    return 0;
}

int CCorraView::ProfileIconMode(LPCSTR key) const
{
    int mode = CorraApp().GetProfileInt(kSection, key, CVDRAW_SMALL_ICON);
    return mode == CVDRAW_LARGE_ICON ? CVDRAW_LARGE_ICON : CVDRAW_SMALL_ICON;
}

void CCorraView::OnInitialUpdate()
{
    if (CCorraDoc* pDoc = GetCorraDoc())
        m_csFontsKey = pDoc->GetTitle() + "Fonts";
    // The frame links the panes after both exist; the collection pane knows itself by then.
    m_nDrawMode = ProfileIconMode(ModeKey(IsCollectionPane()));
    if (!IsCollectionPane())
        CreateTextPane();
    CView::OnInitialUpdate();
    PostCommand(ID_RECALC_SPLITTERS);
}

void CCorraView::CreateTextPane()
{
    if (m_pText)
        return;
    m_pText = new CHVRichEditCtrl(this);
    m_pText->SetDlgCtrlID(static_cast<int>(IDC_EXPANDED_TEXT));
    m_pText->SetReadOnly(TRUE);
    m_pText->setGeometry(rect());
    m_pText->hide();
}

void CCorraView::ShowList(BOOL bShow)
{
    if (m_pText)
        m_pText->setVisible(!bShow && m_nDrawMode == CVDRAW_EXPANDED);
    viewport()->update();
}

void CCorraView::ApplyDrawMode()
{
    UpdateScrollBars();
    viewport()->update();
}

int CCorraView::RowHeight() const
{
    // A tile's height depends on the fonts only: measured on the first question, again after
    // the fonts changed.
    const int minimum = m_nDrawMode == CVDRAW_LARGE_ICON ? kLargeRow : kSmallRow;
    const DWORD fonts = CFontMgr::GetLastFontChange();
    Measured& m = m_rowHeights[m_nDrawMode == CVDRAW_LARGE_ICON ? 1 : 0];
    CCorraQuestion* q = m_elements.GetQuestion(0);
    if (!q)
        return m.height > 0 ? m.height : minimum;
    if (m.height > 0 && m.fonts == fonts)
        return m.height;
    try {
        CClientDC dc(viewport());
        CDrawModeScope mode(QuestionDrawMode(m_nDrawMode));
        int y = 0;
        const int height = q->Draw(&dc, nullptr, std::max(viewport()->width(), 200), y, "1 - ", FALSE);
        m.height = std::max(minimum, height + 4);
        m.fonts = fonts;
    } catch (...) {
        LogUnknownException(LOG_HERE);
        return minimum;
    }
    return m.height;
}

// --- elements ---------------------------------------------------------------------------------

void CCorraView::ReloadFromDocument()
{
    m_elements.RemoveAll();
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return;
    for (POSITION pos = pDoc->m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(pDoc->m_plQuestions.GetNext(pos));
        if (Fits(q))
            m_elements.Insert(-1, q);
    }
}

void CCorraView::SetElements(const CPtrListEx& questions)
{
    m_elements.RemoveAll();
    for (POSITION pos = questions.GetHeadPosition(); pos;)
        m_elements.Insert(-1, static_cast<CCorraQuestion*>(questions.GetNext(pos)));
    RefillList();
}

void CCorraView::RefillList()
{
    // The rows are the elements themselves: keep what stays selected and redraw once.
    if (m_elements.m_nCurrent >= m_elements.GetCount())
        m_elements.m_nCurrent = -1;
    UpdateScrollBars();
    viewport()->update();
}

CCorraQuestion* CCorraView::GetElementQuestion(int n) const
{
    return m_elements.GetQuestion(n);
}

void CCorraView::AddQuestion(CCorraQuestion* q, int nIndex)
{
    if (!Fits(q) || m_elements.Find(q) >= 0)
        return;
    m_elements.Insert(nIndex, q);
    InvalidateFormatCache();
}

void CCorraView::SetOrder(const CPtrListEx& order)
{
    CCorraViewElementList old = m_elements;
    m_elements.RemoveAll();
    for (POSITION pos = order.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(order.GetNext(pos));
        if (!Fits(q) || m_elements.Find(q) >= 0)
            continue;
        m_elements.Insert(-1, q);
        int i = old.Find(q);
        if (i >= 0)
            m_elements[m_elements.GetCount() - 1].bSelected = old[i].bSelected;
    }
    InvalidateFormatCache();
    RefillList();
}

void CCorraView::GetSelectedIndices(std::vector<int>& out) const
{
    out.clear();
    for (int i = 0; i < m_elements.GetCount(); ++i) {
        if (m_elements[i].bSelected)
            out.push_back(i);
    }
}

int CCorraView::GetSelectedQuestions(CPtrListEx& out) const
{
    out.RemoveAll();
    for (int i = 0; i < m_elements.GetCount(); ++i) {
        if (m_elements[i].bSelected)
            out.AddTail(m_elements[i].pQuestion);
    }
    return out.GetCount();
}

BOOL CCorraView::SelectQuestion(CCorraQuestion* q, UINT flags)
{
    int i = m_elements.Find(q);
    if (flags & SELQ_FOCUS) {
        for (int k = 0; k < m_elements.GetCount(); ++k)
            m_elements[k].bSelected = FALSE;
    }
    if (i < 0) {
        viewport()->update();
        return FALSE;
    }
    m_elements[i].bSelected = TRUE;
    m_nLastClicked = i;
    if (flags & SELQ_VISIBLE)
        EnsureVisible(i);
    if (flags & SELQ_UPDATE_DIALOG)
        ShowInDialog(q);
    viewport()->update();
    return TRUE;
}

void CCorraView::SelectGroupMembers(int nGroup)
{
    for (int i = 0; i < m_elements.GetCount(); ++i) {
        CCorraQuestion* q = m_elements[i].pQuestion;
        if (q && !q->IsCollection())
            m_elements[i].bSelected = q->m_nMemberId == nGroup;
    }
    viewport()->update();
}

void CCorraView::ShowInDialog(CCorraQuestion* q)
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc || !q || IsCollectionPane())
        return;
    // The dialog shows the question clicked, first asking about unsaved edits of its own; a
    // double click brings it up.
    if (pDoc->SelectDlgQuestion(q))
        DocumentDialogs().SetQuestionDialogTitle(*pDoc, pDoc->GetQuestionDlgTitle());
}

void CCorraView::SyncDocumentOrder()
{
    if (CCorraDoc* pDoc = GetCorraDoc())
        pDoc->TakeOrderFromViews(TRUE);
}

// --- hints ------------------------------------------------------------------------------------

int CCorraView::InsertFromHint(const CUpdate& hint)
{
    CPtrListEx items;
    if (hint.Has(UPD_OBJECT) && hint.m_pObject)
        items.AddTail(hint.m_pObject);
    else if (hint.Has(UPD_QUESTIONS))
        items = hint.m_plQuestions;
    CCorraDoc* pDoc = GetCorraDoc();
    int nIndex = hint.Has(UPD_INSERTINDEX) ? hint.m_nInsertIndex : -1;
    int n = 0;
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(items.GetNext(pos));
        // Only what the document holds and this pane shows.
        if (!Fits(q) || (pDoc && !pDoc->HoldsQuestion(q)) || m_elements.Find(q) >= 0)
            continue;
        m_elements.Insert(nIndex, q);
        if (nIndex >= 0)
            ++nIndex;
        ++n;
    }
    return n;
}

int CCorraView::RemoveFromHint(const CUpdate& hint)
{
    int n = 0;
    if (hint.Has(UPD_QUESTIONS)) {
        for (POSITION pos = hint.m_plQuestions.GetHeadPosition(); pos;)
            n += m_elements.Remove(static_cast<CCorraQuestion*>(hint.m_plQuestions.GetNext(pos)));
    }
    if (hint.Has(UPD_IDS)) {
        for (int k = 0; k < hint.m_dwaIds.GetSize(); ++k) {
            for (int i = m_elements.GetCount() - 1; i >= 0; --i) {
                CCorraQuestion* q = m_elements[i].pQuestion;
                if (q && static_cast<DWORD>(q->m_nId) == hint.m_dwaIds[k])
                    n += m_elements.Remove(q);
            }
        }
    }
    if (hint.Has(UPD_INSERTINDEX))
        n += m_elements.Remove(m_elements.GetQuestion(hint.m_nInsertIndex));
    if (hint.Has(UPD_OBJECT))
        n += m_elements.Remove(static_cast<CCorraQuestion*>(hint.m_pObject));
    return n;
}

void CCorraView::OnUpdate(CView*, LPARAM lHint, CObject* pHint)
{
    try {
        // The collection pane ignores every hint with bit 8 set (group reordering among them).
        if (IsCollectionPane() && (lHint & 0x08))
            return;
        const CUpdate* pUpdate = AsUpdate(pHint);
        InvalidateFormatCache();
        switch (lHint) {
        case HINT_INSERT_QUESTIONS:
        case HINT_INSERT_COLLECTIONS: {
            if ((lHint == HINT_INSERT_COLLECTIONS) != IsCollectionPane())
                return;
            if (pUpdate)
                InsertFromHint(*pUpdate);
            // A question that is not a collection inserts nothing here: the rows are refreshed.
            RefillList();
            SyncDocumentOrder();
            return;
        }
        case HINT_REMOVE_QUESTIONS:
            if (!IsCollectionPane() && pUpdate && RemoveFromHint(*pUpdate))
                RefillList();
            return;
        case HINT_REMOVE_COLLECTIONS:
        case HINT_REMOVE_COLLECTIONS2:
            if (IsCollectionPane()) {
                // The named collection's row is brought up to date (renamed, members put back):
                // the pane shows the document's collections again.
                if (pUpdate)
                    RemoveFromHint(*pUpdate);
                ReloadFromDocument();
                RefillList();
            }
            return;
        case HINT_REREAD:
            if (AfterRemove()) {
                RefillList();
                SyncDocumentOrder();
            }
            return;
        case HINT_QUESTIONS_REMOVED:
            if (pUpdate && RemoveFromHint(*pUpdate) > 0) {
                AfterRemove();
                RefillList();
                SyncDocumentOrder();
            }
            return;
        case HINT_QUESTIONS_ADDED:
            if (!IsCollectionPane()) {
                // A plain list of the questions added (never a CUpdate).
                if (auto* pList = dynamic_cast<CPtrListEx*>(pHint)) {
                    CCorraDoc* pDoc = GetCorraDoc();
                    for (POSITION pos = pList->GetTailPosition(); pos;) {
                        auto* q = static_cast<CCorraQuestion*>(pList->GetPrev(pos));
                        if (!pDoc || pDoc->HoldsQuestion(q))
                            AddQuestion(q, -1);
                    }
                }
                SetScrollSizes(viewport()->width(), viewport()->height());
                RefillList();
            }
            return;
        default: break;
        }

        int relayout = 1, erase = 1, reload = 1, redisplay = 0;
        if (pUpdate && lHint != HINT_SETTINGS_CHANGED) {
            relayout = pUpdate->m_nRelayout;
            erase = pUpdate->m_nErase;
            reload = pUpdate->m_nReload;
            redisplay = pUpdate->m_nRedisplay;
        }
        if (redisplay) {
            ApplyDrawMode();
            RefillList();
        }
        if (reload) {
            ReloadFromDocument();
            RefillList();
        }
        if (relayout) {
            SetScrollSizes(viewport()->width(), viewport()->height());
            AskFrameToRecalc();
        }
        (void)erase;
        if (lHint == HINT_SETTINGS_CHANGED && m_nDrawMode == CVDRAW_EXPANDED && !IsCollectionPane()) {
            FormatExpanded();
            return;
        }
        viewport()->update();
        ShowList(m_nDrawMode != CVDRAW_EXPANDED);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
}

// --- modes ------------------------------------------------------------------------------------

void CCorraView::SetIconMode(int nMode)
{
    m_nDrawMode = nMode;
    CCorraAppBase& app = CorraApp();
    app.WriteProfileInt(kSection, ModeKey(IsCollectionPane()), nMode);
    app.WriteProfileInt(kSection, LastIconKey(IsCollectionPane()), nMode);
    if (m_pText)
        m_pText->hide();
    RefreshForMode(TRUE);
    ShowList(TRUE);
}

void CCorraView::RefreshForMode(BOOL bRedisplay)
{
    CUpdate hint;
    hint.m_nRelayout = 1;
    hint.m_nErase = 1;
    hint.m_nReload = 0;
    hint.m_nRedisplay = bRedisplay;
    OnUpdate(nullptr, 0, &hint);
}

void CCorraView::OnExpanded()
{
    if (IsCollectionPane())
        return;
    m_nDrawMode = CVDRAW_EXPANDED;
    RefreshForMode(FALSE);
    if (FormatExpanded()) {
        if (m_pText) {
            m_pText->setGeometry(viewport()->geometry());
            m_pText->show();
            m_pText->raise();
        }
    } else {
        OnContracted();
    }
}

void CCorraView::OnContracted()
{
    if (m_bFormatting)
        return;
    SetIconMode(ProfileIconMode(LastIconKey(IsCollectionPane())));
}

BOOL CCorraView::FormatExpanded(CHVRichEditCtrl* pTarget)
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pTarget)
        pTarget = m_pText;
    if (IsCollectionPane() || !pTarget || !pDoc)
        return FALSE;
    // Not from inside itself: the progress box lets events run.
    if (m_bFormatting)
        return FALSE;

    CCorraQuestion* pCurrent = nullptr;
    std::vector<int> selected;
    GetSelectedIndices(selected);
    pCurrent = GetElementQuestion(selected.empty() ? 0 : selected.front());

    const DWORD fonts = CFontMgr::GetLastFontChange();
    const CString print = pDoc->GetPrintSettingsText();
    if (m_bCacheValid && pTarget == m_pText && m_nCacheChange == pDoc->GetChangeCount() && m_dwCacheFonts == fonts &&
        m_csCachePrint == print)
        return TRUE;
    m_bCacheValid = FALSE;
    ++m_nFormatCount;

    m_bFormatting = TRUE;
    std::shared_ptr<BOOL> alive = m_pAlive;
    BOOL bDone = FALSE;
    try {
        pTarget->SetWindowText("");
        COldProgressDlg status("Formatting", "Please wait...", std::max(m_elements.GetCount(), 1));
        status.Create(this);
        CExportContext context;
        context.SetSeparators(pDoc->m_nNumQuestSepLines, pDoc->m_nNumQuestChoiceSepLines);
        context.nFileType = EXPORT_WORD;
        context.pTarget = pTarget;
        CDrawModeScope mode(QuestionDrawMode(m_nDrawMode));
        const int oldIndent = CChoices::GetChoicesIndentLevel();
        CChoices::SetChoicesIndentLevel(
            std::min(CorraApp().GetProfileInt(CCorraDoc::PROFILE_SECTION, "ChoicesIndentLevel", 5), 80));

        int number = 1;
        int currentLine = 0;
        BOOL bStopped = FALSE;
        for (int i = 0; i < m_elements.GetCount(); ++i) {
            CCorraQuestion* q = m_elements[i].pQuestion;
            if (!q || q->IsCollection())
                continue;
            const long length = pTarget->GetTextLength();
            // Raised before it is reached, so that appending never fails for lack of room.
            if (length > pTarget->GetLimitText() * 3 / 4)
                pTarget->LimitText(length * 2);
            pTarget->SetSel(length, length);
            if (q == pCurrent)
                currentLine = pTarget->LineFromChar(length);
            q->OutputToRichEdit(*pTarget, CString::Formatted("%d", number++));
            status.SetText(CString::Formatted("Question %d", number - 1));
            status.SetPos(i + 1);
            if (!*alive)
                return FALSE;
            if (status.IsCancelled()) {
                bStopped = TRUE;
                break;
            }
        }
        CChoices::SetChoicesIndentLevel(oldIndent);
        status.DestroyWindow();
        if (bStopped) {
            // Never a partial text: the pane goes back to the last icon mode.
            pTarget->SetWindowText("");
            m_bFormatting = FALSE;
            PostCommand(ID_VIEW_CONTRACTED);
            return FALSE;
        }
        pTarget->SetSel(0, 0);
        pTarget->LineScroll(currentLine);
        const long caret = pTarget->LineIndex(currentLine);
        pTarget->SetSel(caret, caret);
        if (pTarget == m_pText) {
            m_nCacheChange = pDoc->GetChangeCount();
            m_dwCacheFonts = fonts;
            m_csCachePrint = print;
            m_bCacheValid = TRUE;
        }
        bDone = TRUE;
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    if (*alive)
        m_bFormatting = FALSE;
    return bDone;
}

void CCorraView::SetActiveColour(BOOL bActive)
{
    COLORREF cr = bActive ? m_crActive : m_crInactive;
    if (cr == m_crCurrent)
        return;
    m_crCurrent = cr;
    viewport()->update();
}

void CCorraView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    SetActiveColour(bActivate);
    if (CCorraDoc* pDoc = GetCorraDoc())
        pDoc->LoadPrintValues();
    if (m_pSibling) {
        // The whole frame losing activation leaves both panes inactive.
        if (!bActivate && pActivateView == this && pDeactiveView == this)
            m_pSibling->SetActiveColour(FALSE);
        else
            m_pSibling->SetActiveColour(!bActivate);
    }
}

// --- sizes and drawing ------------------------------------------------------------------------

void CCorraView::SetScrollSizes(int cx, int cy)
{
    const int n = m_elements.GetCount();
    if (n == 0) {
        m_szScroll = CSize(cx, cy);
    } else {
        int cyRows = 0;
        switch (m_nDrawMode) {
        case CVDRAW_SMALL_ICON: cyRows = 16 * n + 26; break;
        case CVDRAW_LARGE_ICON: cyRows = 32 * (n + 1); break;
        default: cyRows = 16 * (n + 1); break;
        }
        // Tiles in larger fonts take more than the rows' nominal height.
        if (m_nDrawMode != CVDRAW_EXPANDED)
            cyRows = std::max(cyRows, n * RowHeight() + 4);
        m_szScroll = CSize(cx, cyRows);
    }
    UpdateScrollBars();
}

void CCorraView::UpdateScrollBars()
{
    const int content = m_elements.GetCount() * RowHeight() + 4;
    const int page = std::max(viewport()->height(), 1);
    verticalScrollBar()->setPageStep(page);
    verticalScrollBar()->setSingleStep(RowHeight());
    verticalScrollBar()->setRange(0, std::max(0, content - page));
}

void CCorraView::AskFrameToRecalc()
{
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
}

void CCorraView::resizeEvent(QResizeEvent* e)
{
    CView::resizeEvent(e);
    const QSize size = e->size();
    if (size.width() >= 1 && size.height() >= 1)
        SetScrollSizes(viewport()->width(), viewport()->height());
    if (m_pText)
        m_pText->setGeometry(viewport()->geometry());
}

void CCorraView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void CCorraView::EnsureVisible(int n)
{
    const int top = n * RowHeight();
    QScrollBar* bar = verticalScrollBar();
    if (top < bar->value())
        bar->setValue(top);
    else if (top + RowHeight() > bar->value() + viewport()->height())
        bar->setValue(top + RowHeight() - viewport()->height());
}

int CCorraView::HitTest(const CPoint& pt) const
{
    const int row = (pt.y + verticalScrollBar()->value()) / RowHeight();
    return pt.y >= 0 && row >= 0 && row < m_elements.GetCount() ? row : -1;
}

void CCorraView::OnDraw(CDC* pDC)
{
    CRect client(0, 0, viewport()->width(), viewport()->height());
    pDC->FillSolidRect(&client, m_crCurrent);
    if (m_nDrawMode == CVDRAW_EXPANDED && !IsCollectionPane())
        return;
    const int row = RowHeight();
    const int scroll = verticalScrollBar()->value();
    const int first = std::max(0, scroll / row);
    const int last = std::min(m_elements.GetCount(), (scroll + client.Height()) / row + 1);
    CDrawModeScope mode(QuestionDrawMode(m_nDrawMode));
    const COLORREF selected = GetSysColor(COLOR_HIGHLIGHT);
    int number = first + 1;
    for (int i = first; i < last; ++i, ++number) {
        CCorraViewElementList::Element& e = m_elements[i];
        if (!e.pQuestion)
            continue;
        CRect rc(0, i * row - scroll, client.right, (i + 1) * row - scroll);
        e.rcDrawn = rc;
        e.pQuestion->m_rcLast = rc;
        if (e.bSelected)
            pDC->FillSolidRect(&rc, RGB(GetRValue(selected) / 4 + 191, GetGValue(selected) / 4 + 191,
                                        GetBValue(selected) / 4 + 191));
        if (i == m_elements.m_nCurrent)
            pDC->FillSolidRect(rc.left, rc.top, 3, rc.Height(), selected);
        const int saved = pDC->SaveDC();
        pDC->IntersectClipRect(&rc);
        int y = rc.top + 2;
        try {
            e.pQuestion->Draw(pDC, nullptr, client.Width(), y, CString::Formatted("%d - ", e.pQuestion->m_nId));
        } catch (...) {
            LogUnknownException(LOG_HERE);
        }
        pDC->RestoreDC(saved);
    }
}

// --- selection by the user --------------------------------------------------------------------

void CCorraView::OnListClick(int nItem, BOOL bRight, CPoint)
{
    if (nItem < 0)
        nItem = m_nLastClicked;
    CCorraQuestion* q = GetElementQuestion(nItem);
    if (!q)
        return;
    if (!bRight || !m_elements[nItem].bSelected)
        SelectQuestion(q, SELQ_FOCUS);
    if (IsCollectionPane())
        q->BringViewToTop();
    else
        ShowInDialog(q);
}

void CCorraView::OnListDoubleClick(int nItem)
{
    CCorraQuestion* q = GetElementQuestion(nItem);
    CCorraDoc* pDoc = GetCorraDoc();
    if (!q || !pDoc)
        return;
    if (IsCollectionPane()) {
        pDoc->ShowCollection(q);
    } else {
        SelectQuestion(q, SELQ_FOCUS | SELQ_UPDATE_DIALOG);
        DocumentDialogs().ShowQuestionDialog(*pDoc);
    }
}

void CCorraView::OnListKey(int nDelta)
{
    std::vector<int> selected;
    GetSelectedIndices(selected);
    if (selected.empty())
        return;
    int target = nDelta < 0 ? selected.front() - 1 : selected.back() + 1;
    CCorraQuestion* q = GetElementQuestion(target);
    if (!q)
        return;
    SelectQuestion(q, SELQ_FOCUS | SELQ_VISIBLE);
    ShowInDialog(q);
}

void CCorraView::MoveCurrent(int nDelta)
{
    const int from = m_elements.m_nCurrent;
    const int to = from + nDelta;
    if (from < 0 || to < 0 || to >= m_elements.GetCount())
        return;
    CCorraQuestion* pOld = m_elements.GetQuestion(from);
    CCorraQuestion* pNew = m_elements.GetQuestion(to);
    m_elements.m_nCurrent = to;
    if (pOld)
        pOld->SetAuxNumber(0);
    if (pNew)
        pNew->SetAuxNumber(1);
    if (CCorraDoc* pDoc = GetCorraDoc()) {
        CUpdate hint;
        hint.m_nRepaint = 1;
        hint.SetView(pOld);
        pDoc->UpdateAllViews(nullptr, 0, &hint);
        hint.SetView(pNew);
        pDoc->UpdateAllViews(nullptr, 0, &hint);
    }
    ShowInDialog(pNew);
    EnsureVisible(to);
}

void CCorraView::mousePressEvent(QMouseEvent* e)
{
    const CPoint pt(static_cast<int>(e->position().x()), static_cast<int>(e->position().y()));
    const int n = HitTest(pt);
    if (e->button() == Qt::RightButton) {
        OnListClick(n, TRUE, pt);
        return;
    }
    if (e->button() != Qt::LeftButton)
        return;
    if (n < 0)
        return;
    if (e->modifiers() & Qt::ControlModifier) {
        m_elements[n].bSelected = !m_elements[n].bSelected;
        m_nLastClicked = n;
        viewport()->update();
        return;
    }
    if ((e->modifiers() & Qt::ShiftModifier) && m_nLastClicked >= 0) {
        for (int i = std::min(n, m_nLastClicked); i <= std::max(n, m_nLastClicked); ++i)
            m_elements[i].bSelected = TRUE;
        viewport()->update();
        return;
    }
    m_elements.m_nCurrent = n;
    OnListClick(n, FALSE, pt);
}

void CCorraView::mouseDoubleClickEvent(QMouseEvent* e)
{
    const CPoint pt(static_cast<int>(e->position().x()), static_cast<int>(e->position().y()));
    OnListDoubleClick(HitTest(pt));
}

void CCorraView::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Up: OnListKey(-1); m_elements.m_nCurrent = m_nLastClicked; return;
    case Qt::Key_Down: OnListKey(1); m_elements.m_nCurrent = m_nLastClicked; return;
    default: CView::keyPressEvent(e);
    }
}

LRESULT CCorraView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CORRA_RESAVE) {
        SaveAgain(this);
        return 0;
    }
    return CView::WindowProc(message, wParam, lParam);
}

void CCorraView::SaveAgain(CView* pView)
{
    // The document was repaired or converted while read: it is saved again at once.
    if (CDocument* pDoc = pView->GetDocument())
        pDoc->SetModifiedFlag(TRUE);
    pView->PostCommand(ID_FILE_SAVE);
}
