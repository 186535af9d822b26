#include "views/CorraView.h"

#include "views/CollListCtrl.h"
#include "views/ODListCtrl.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/OldProgressDlg.h"
#include "dialogs/QuestionDialogs.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "foundation/Util.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/DocumentDialogs.h"
#include "model/Update.h"
#include "print/ExportEngine.h"
#include "model/ViewServices.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/DC.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/Keys.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/MDIFrameWnd.h"
#include "render/FontMgr.h"
#include "res/ids/Menus.h"
#include "res/ids/Print.h"

#include <QDragMoveEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <unordered_set>

namespace {

const CDocViewKind s_kind(typeid(CCorraView), DVK_CORRAVIEW);

int g_nStartupCounter = 1;
int g_nStartupValue = 0;

constexpr LPCSTR kSection = "Corras";

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

// The list's rows for a draw mode: large rows for the large icons, small ones otherwise.
int ListMode(int nDrawMode)
{
    return nDrawMode == CVDRAW_LARGE_ICON ? ODLIST_LARGE_ROWS : ODLIST_SMALL_ROWS;
}

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
    // The list scrolls itself; the view is only its frame.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAcceptDrops(true);
    viewport()->installEventFilter(this);

    BindCommands();
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
    CreateListControl();
    if (!IsCollectionPane())
        CreateTextPane();
    ApplyDrawMode();
    CView::OnInitialUpdate();
    PostCommand(ID_RECALC_SPLITTERS);
}

void CCorraView::CreateListControl()
{
    if (m_pList)
        return;
    m_pList = MakeListControl();
    m_pList->SetDlgCtrlID(static_cast<int>(IDC_QUESTION_LIST));
    // The view is the drop target of its list, so that no drag of another program passes
    // through it to the frame.
    for (QWidget* w : {static_cast<QWidget*>(m_pList), m_pList->viewport()}) {
        w->setAcceptDrops(true);
        w->installEventFilter(this);
    }
    m_nDrawMode = ProfileIconMode(ModeKey(IsCollectionPane()));
    LayoutChildren();
    m_pList->show();
}

bool CCorraView::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (GetDropEffect() == 0) {
            drag->setDropAction(Qt::IgnoreAction);
            drag->ignore();
        } else {
            drag->setDropAction(Qt::MoveAction);
            drag->accept();
        }
        return true;
    }
    case QEvent::Drop:
        event->ignore();
        return true;
    default:
        return CView::eventFilter(watched, event);
    }
}

CODListCtrl* CCorraView::MakeListControl()
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (IsCollectionPane())
        return new CCollListCtrl(pDoc, this, m_crCurrent, nullptr, this);
    return new CODListCtrl(pDoc, this, m_crCurrent, nullptr, this);
}

void CCorraView::CreateTextPane()
{
    if (m_pText)
        return;
    m_pText = new CHVRichEditCtrl(this);
    m_pText->SetDlgCtrlID(static_cast<int>(IDC_EXPANDED_TEXT));
    m_pText->SetReadOnly(TRUE);
    m_pText->hide();
    LayoutChildren();
}

void CCorraView::ShowList(BOOL bShow)
{
    if (m_pList)
        m_pList->setVisible(bShow != FALSE);
    if (m_pText)
        m_pText->setVisible(!bShow && m_nDrawMode == CVDRAW_EXPANDED);
}

void CCorraView::LayoutChildren()
{
    const QRect area = viewport()->geometry();
    if (m_pText)
        m_pText->setGeometry(area);
    if (!m_pList)
        return;
    m_pList->setGeometry(area);
    // The question text takes the width the other columns leave.
    if (!IsCollectionPane() && m_pList->GetColumnCount() > 3) {
        int others = 0;
        for (int c = 0; c < m_pList->GetColumnCount(); ++c)
            others += c == 3 ? 0 : m_pList->GetColumnWidth(c);
        const int scrollBar = m_pList->verticalScrollBar()->sizeHint().width();
        m_pList->SetColumnWidth(3, std::max(225, area.width() - others - scrollBar - 4));
    }
}

void CCorraView::ApplyDrawMode()
{
    if (!m_pList)
        return;
    m_pList->m_nIconSize = m_nDrawMode == CVDRAW_LARGE_ICON ? 32 : 16;
    // The rows and columns of the mode; the list is empty afterwards.
    m_pList->SetViewMode(ListMode(m_nDrawMode));
    LayoutChildren();
}

// --- elements ---------------------------------------------------------------------------------

void CCorraView::ReloadFromDocument()
{
    m_elements.RemoveAll();
    m_elements.m_nCurrent = -1;
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return;
    for (POSITION pos = pDoc->m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(pDoc->m_plQuestions.GetNext(pos));
        if (Fits(q))
            m_elements.Insert(-1, q);
    }
}

BOOL CCorraView::ShowsDocumentOrder() const
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return TRUE;
    int i = 0;
    for (POSITION pos = pDoc->m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(pDoc->m_plQuestions.GetNext(pos));
        if (Fits(q) && m_elements.GetQuestion(i++) != q)
            return FALSE;
    }
    return i == m_elements.GetCount();
}

void CCorraView::ReloadFromList()
{
    if (!m_pList)
        return;
    CCorraQuestion* pCurrent = m_elements.GetQuestion(m_elements.m_nCurrent);
    m_elements.RemoveAll();
    for (int i = 0; i < m_pList->GetItemCount(); ++i)
        m_elements.Insert(-1, m_pList->GetItemQuestion(i));
    m_elements.m_nCurrent = m_elements.Find(pCurrent);
    InvalidateFormatCache();
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
    if (m_elements.m_nCurrent >= m_elements.GetCount())
        m_elements.m_nCurrent = -1;
    if (!m_pList)
        return;
    CPtrListEx selected;
    m_pList->GetSelectedItems(selected, FALSE);
    // Hidden while it is filled, so that it paints once.
    const bool visible = m_pList->isVisible();
    m_pList->setVisible(false);
    m_pList->DeleteAllItems();
    CPtrListEx all;
    m_elements.GetQuestions(all);
    m_pList->InsertQuestions(all, -1, FALSE);
    SelectRows(selected);
    m_pList->setVisible(visible);
}

void CCorraView::SelectRows(const CPtrListEx& questions)
{
    if (!m_pList || questions.IsEmpty())
        return;
    std::unordered_set<const void*> keep;
    for (POSITION pos = questions.GetHeadPosition(); pos;)
        keep.insert(questions.GetNext(pos));
    for (int i = 0; i < m_pList->GetItemCount(); ++i) {
        if (keep.count(m_pList->GetItemQuestion(i)))
            m_pList->SelectItem(i, TRUE);
    }
}

CCorraQuestion* CCorraView::GetElementQuestion(int n) const
{
    return m_elements.GetQuestion(n);
}

void CCorraView::AddQuestion(CCorraQuestion* q, int nIndex)
{
    if (!Fits(q) || m_elements.Find(q) >= 0)
        return;
    InvalidateFormatCache();
    if (!m_pList) {
        m_elements.Insert(nIndex, q);
        return;
    }
    m_pList->InsertQuestion(q, nIndex, FALSE);
    ReloadFromList();
}

void CCorraView::AddQuestions(const CPtrListEx& questions)
{
    // All in one batch, the list reloaded once: one at a time made a large paste quadratic.
    std::unordered_set<const CCorraQuestion*> shown;
    for (int i = 0; i < m_elements.GetCount(); ++i)
        shown.insert(m_elements.GetQuestion(i));
    CPtrListEx added;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        if (Fits(q) && shown.insert(q).second)
            added.AddTail(q);
    }
    if (added.IsEmpty())
        return;
    InvalidateFormatCache();
    if (!m_pList) {
        for (POSITION pos = added.GetHeadPosition(); pos;)
            m_elements.Insert(-1, static_cast<CCorraQuestion*>(added.GetNext(pos)));
        return;
    }
    m_pList->InsertQuestions(added, -1, FALSE);
    ReloadFromList();
}

void CCorraView::SetOrder(const CPtrListEx& order)
{
    m_elements.RemoveAll();
    for (POSITION pos = order.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(order.GetNext(pos));
        if (Fits(q) && m_elements.Find(q) < 0)
            m_elements.Insert(-1, q);
    }
    InvalidateFormatCache();
    RefillList();
}

void CCorraView::GetSelectedIndices(std::vector<int>& out) const
{
    out.clear();
    if (!m_pList)
        return;
    for (int i = m_pList->GetNextItem(-1, LVNI_SELECTED); i >= 0; i = m_pList->GetNextItem(i, LVNI_SELECTED))
        out.push_back(i);
}

int CCorraView::GetSelectedQuestions(CPtrListEx& out) const
{
    out.RemoveAll();
    return m_pList ? m_pList->GetSelectedItems(out, FALSE) : 0;
}

BOOL CCorraView::SelectQuestion(CCorraQuestion* q, UINT flags)
{
    if (!m_pList)
        return FALSE;
    if (flags & SELQ_DESELECT_FIRST)
        m_pList->clearSelection();
    const int i = m_pList->FindItem(q);
    if (i < 0)
        return FALSE;
    m_pList->SelectItem(i, TRUE);
    if (flags & SELQ_FOCUS)
        m_pList->SetItemState(i, LVIS_FOCUSED, LVIS_FOCUSED);
    if (flags & SELQ_VISIBLE)
        m_pList->EnsureVisible(i, FALSE);
    if (flags & SELQ_UPDATE_DIALOG)
        ShowInDialog(q);
    return TRUE;
}

void CCorraView::SelectGroupMembers(int nGroup)
{
    if (!m_pList)
        return;
    for (int i = 0; i < m_pList->GetItemCount(); ++i) {
        CCorraQuestion* q = m_pList->GetItemQuestion(i);
        if (q && !q->IsCollection())
            m_pList->SelectItem(i, q->m_nMemberId == nGroup);
    }
}

BOOL CCorraView::ShowInDialog(CCorraQuestion* q)
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc || !q || IsCollectionPane())
        return FALSE;
    // One call: it asks about what was typed for the question shown before it shows this one.
    if (!pDoc->SelectDlgQuestion(q))
        return FALSE;
    DocumentDialogs().SetQuestionDialogTitle(*pDoc, pDoc->GetQuestionDlgTitle());
    return TRUE;
}

void CCorraView::SyncDocumentOrder()
{
    if (CCorraDoc* pDoc = GetCorraDoc())
        pDoc->TakeOrderFromViews(TRUE);
}

// --- hints ------------------------------------------------------------------------------------

namespace {

// The rows a hint names, by its flags: the question list, the IDs, the row at the insert
// index, the single question. The number deleted.
int DeleteNamedRows(CODListCtrl& list, const CUpdate& hint)
{
    int n = 0;
    if (hint.Has(UPD_QUESTIONS))
        n += list.DeleteQuestions(hint.m_plQuestions);
    if (hint.Has(UPD_IDS)) {
        CPtrListEx byId;
        for (int k = 0; k < hint.m_dwaIds.GetSize(); ++k) {
            for (int i = 0; i < list.GetItemCount(); ++i) {
                CCorraQuestion* q = list.GetItemQuestion(i);
                if (q && static_cast<DWORD>(q->m_nId) == hint.m_dwaIds[k])
                    byId.AddTail(q);
            }
        }
        n += list.DeleteQuestions(byId);
    }
    if (hint.Has(UPD_INSERTINDEX) && hint.m_nInsertIndex >= 0 && list.DeleteItem(hint.m_nInsertIndex))
        ++n;
    if (hint.Has(UPD_OBJECT) && hint.m_pObject) {
        CPtrListEx one;
        one.AddTail(hint.m_pObject);
        n += list.DeleteQuestions(one);
    }
    return n;
}

} // namespace

int CCorraView::InsertFromHint(const CUpdate& hint)
{
    if (!m_pList)
        return 0;
    CPtrListEx items;
    if (hint.Has(UPD_OBJECT) && hint.m_pObject)
        items.AddTail(hint.m_pObject);
    else if (hint.Has(UPD_QUESTIONS))
        items = hint.m_plQuestions;
    // Only what the document holds, this pane shows and the list lacks.
    CCorraDoc* pDoc = GetCorraDoc();
    CPtrListEx fitting;
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(items.GetNext(pos));
        if (Fits(q) && (!pDoc || pDoc->HoldsQuestion(q)) && m_pList->FindItem(q) < 0 && !fitting.Find(q))
            fitting.AddTail(q);
    }
    if (fitting.IsEmpty())
        return 0;
    m_pList->InsertQuestions(fitting, hint.m_nInsertIndex, FALSE);
    return fitting.GetCount();
}

int CCorraView::RemoveFromHint(const CUpdate& hint)
{
    return m_pList ? DeleteNamedRows(*m_pList, hint) : 0;
}

void CCorraView::RefreshRows()
{
    if (!m_pList)
        return;
    CPtrListEx all;
    m_pList->GetAllItems(all);
    m_pList->UpdateQuestions(all);
}

void CCorraView::OnUpdate(CView*, LPARAM lHint, CObject* pHint)
{
    try {
        if (IsCollectionPane() && (lHint & HINT_NOT_COLLECTION_PANE))
            return;
        const CUpdate* pUpdate = AsUpdate(pHint);
        switch (lHint) {
        case HINT_INSERT_QUESTIONS:
        case HINT_INSERT_COLLECTIONS: {
            if ((lHint == HINT_INSERT_COLLECTIONS) != IsCollectionPane() || !pUpdate)
                return;
            if (InsertFromHint(*pUpdate) > 0) {
                ReloadFromList();
                SyncDocumentOrder();
            } else if (IsCollectionPane()) {
                // A question put back into collections: their counts changed, nothing is added.
                RefreshRows();
            }
            return;
        }
        case HINT_REMOVE_QUESTIONS:
            if (!IsCollectionPane() && pUpdate && RemoveFromHint(*pUpdate) > 0)
                ReloadFromList();
            return;
        case HINT_COLLECTION_CHANGED:
        case HINT_COLLECTION_RENAMED:
            // The named collection's row is brought up to date (renamed, members put back).
            if (IsCollectionPane() && pUpdate && m_pList && m_pList->UpdateFromHint(*pUpdate) < 0)
                RefreshRows();
            return;
        case HINT_REREAD:
            if (m_pList && AfterRemove()) {
                ReloadFromList();
                SyncDocumentOrder();
            }
            return;
        case HINT_QUESTIONS_DELETED:
            if (pUpdate && RemoveFromHint(*pUpdate) > 0) {
                AfterRemove();
                ReloadFromList();
                SyncDocumentOrder();
            }
            // The collections' counts may have changed with their members.
            if (IsCollectionPane())
                RefreshRows();
            return;
        case HINT_QUESTIONS_ADDED:
            if (!IsCollectionPane()) {
                // A plain list of the questions added (never a CUpdate).
                if (auto* pList = dynamic_cast<CPtrListEx*>(pHint)) {
                    CCorraDoc* pDoc = GetCorraDoc();
                    CPtrListEx fresh;
                    for (POSITION pos = pList->GetHeadPosition(); pos;) {
                        auto* q = static_cast<CCorraQuestion*>(pList->GetNext(pos));
                        if (!pDoc || pDoc->HoldsQuestion(q))
                            fresh.AddTail(q);
                    }
                    AddQuestions(fresh);
                    // Added anywhere but at the end (or several at once): the document's order
                    // is shown, as the document holds them.
                    if (!ShowsDocumentOrder()) {
                        ReloadFromDocument();
                        RefillList();
                    }
                }
                SetScrollSizes(viewport()->width(), viewport()->height());
                AskFrameToRecalc();
            }
            return;
        case HINT_SETTINGS_CHANGED:
            if (CCorraDoc* pDoc = GetCorraDoc())
                pDoc->LoadPrintValues();
            InvalidateFormatCache();
            break;
        default: break;
        }

        int relayout = 1, erase = 1, reload = 1, redisplay = 0;
        if (pUpdate && lHint != HINT_SETTINGS_CHANGED) {
            relayout = pUpdate->m_nRelayout;
            erase = pUpdate->m_nErase;
            reload = pUpdate->m_nReload;
            redisplay = pUpdate->m_nRedisplay;
        }
        // Reordered by groups: the document's order is the one to show.
        if (lHint == HINT_REORDERED_BY_GROUPS)
            reload = 1;
        if (redisplay) {
            // The mode's columns empty the list: what was selected is selected again after.
            CPtrListEx selected;
            GetSelectedQuestions(selected);
            ShowList(FALSE);
            ApplyDrawMode();
            RefillList();
            SelectRows(selected);
        }
        if (reload) {
            ShowList(FALSE);
            ReloadFromDocument();
            RefillList();
        } else if (pUpdate && pUpdate->Has(UPD_OBJECT) && m_pList) {
            // A single question to redraw (the current mark moved).
            m_pList->UpdateQuestion(static_cast<CCorraQuestion*>(pUpdate->m_pObject));
        } else if (pUpdate && pUpdate->Has(UPD_QUESTIONS) && m_pList) {
            // Questions changed in place: their rows take the new texts; collections recount.
            if (IsCollectionPane())
                RefreshRows();
            else
                m_pList->UpdateQuestions(pUpdate->m_plQuestions);
            if (m_nDrawMode == CVDRAW_EXPANDED)
                InvalidateFormatCache();
            viewport()->update();
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
    OnUpdate(nullptr, HINT_REFRESH, &hint);
}

void CCorraView::OnExpanded()
{
    if (IsCollectionPane())
        return;
    m_nDrawMode = CVDRAW_EXPANDED;
    RefreshForMode(FALSE);
    ShowList(FALSE);
    if (FormatExpanded()) {
        if (m_pText) {
            LayoutChildren();
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

    // The list's selected question, else the first.
    CCorraQuestion* pCurrent = m_pList ? m_pList->GetSelectedQuestion() : nullptr;
    if (!pCurrent)
        pCurrent = GetElementQuestion(0);

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
        // The pane is neither painted nor scrolled while its text grows: every question put in
        // would scroll to its end and move the pane's whole picture. Nor is the text laid out
        // after every piece: it is laid out once, when it is done.
        struct CComposing {
            QPointer<CHVRichEditCtrl> p;
            explicit CComposing(CHVRichEditCtrl* pCtrl) : p(pCtrl)
            {
                p->SetRedraw(FALSE);
                p->BeginComposition();
            }
            void End()
            {
                if (!p)
                    return;
                p->EndComposition();
                p->SetRedraw(TRUE);
                p = nullptr;
            }
            ~CComposing() { End(); }
        } composing(pTarget);
        // Owned by the view's window while it shows; it goes with the view should the view be
        // closed from inside the pump, so it is deleted here only while it still exists.
        QPointer<COldProgressDlg> pStatus =
            new COldProgressDlg("Formatting", "Please wait...", std::max(m_elements.GetCount(), 1));
        struct CStatusDeleter {
            QPointer<COldProgressDlg>& p;
            ~CStatusDeleter() { delete p.data(); }
        } statusDeleter{pStatus};
        COldProgressDlg& status = *pStatus;
        status.Create(this);
        // The pane is an export's composition control: the same composition as every export.
        CExportContext context;
        context.nFileType = FT_WORD;
        context.pTarget = pTarget;
        context.draw = CDrawContext::Screen(nullptr, QuestionDrawMode(m_nDrawMode));
        context.draw.choicesIndent =
            std::min(CorraApp().GetProfileInt(CCorraDoc::PROFILE_SECTION, "ChoicesIndentLevel", 5), 80);
        CCorraPrintJob job;
        for (int i = 0; i < m_elements.GetCount(); ++i)
            if (CCorraQuestion* q = m_elements[i].pQuestion; q && !q->IsCollection())
                job.elements.push_back(q);
        NumberQuestions(job);
        context.numbers = job.numbers;
        CExportEngine engine(*pDoc);
        CRect rect(0, 0, pTarget->width(), pTarget->height());

        int number = context.draw.firstNumber;
        long currentChar = 0;
        BOOL bStopped = FALSE;
        // The box is brought up to date a few times a second: its repaint and the events it lets
        // run cost more than a question's text when done for every question.
        const auto kShowEvery = std::chrono::milliseconds(100);
        auto lastShown = std::chrono::steady_clock::now() - kShowEvery;
        for (int i = 0; i < m_elements.GetCount(); ++i) {
            CCorraQuestion* q = m_elements[i].pQuestion;
            if (!q || q->IsCollection())
                continue;
            if (q == pCurrent)
                currentChar = pTarget->GetTextLength();
            engine.InsertQuestion(context, q, rect, TRUE);
            ++number;
            const auto now = std::chrono::steady_clock::now();
            if (now - lastShown < kShowEvery)
                continue;
            lastShown = now;
            status.SetText(CString::Formatted("Question %d", number - 1));
            status.SetPos(i + 1);
            if (!*alive)
                return FALSE;
            if (status.IsCancelled()) {
                bStopped = TRUE;
                break;
            }
        }
        status.DestroyWindow();
        if (bStopped) {
            // Never a partial text: the pane goes back to the last icon mode.
            pTarget->SetWindowText("");
            m_bFormatting = FALSE;
            PostCommand(ID_VIEW_CONTRACTED);
            return FALSE;
        }
        // The current question's first line at the top, its start a line's start. Only a
        // question further down has the text laid out now, to find its line; else the text is
        // laid out as it is shown. The caret leaves the end first: moving it from there would
        // lay out the whole text.
        pTarget->SetSel(0, 0);
        composing.End();
        if (currentChar > 0)
            pTarget->LineScroll(pTarget->LineFromChar(currentChar));
        pTarget->SetSel(currentChar, currentChar);
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
    const COLORREF cr = bActive ? m_crActive : m_crInactive;
    if (cr == m_crCurrent)
        return;
    m_crCurrent = cr;
    if (m_pList) {
        m_pList->SetBkColor(cr);
        m_pList->viewport()->update();
    }
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
        return;
    }
    switch (m_nDrawMode) {
    case CVDRAW_SMALL_ICON: m_szScroll = CSize(cx, 16 * n + 26); break;
    case CVDRAW_LARGE_ICON: m_szScroll = CSize(cx, 32 * (n + 1)); break;
    default: m_szScroll = CSize(cx, 16 * (n + 1)); break;
    }
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
    LayoutChildren();
}

void CCorraView::OnDraw(CDC* pDC)
{
    // Seen only where neither the list nor the text pane lies.
    CRect client(0, 0, viewport()->width(), viewport()->height());
    pDC->FillSolidRect(&client, m_crCurrent);
}

void CCorraView::NoteDrawnRects()
{
    if (!m_pList)
        return;
    const QPoint offset = m_pList->viewport()->mapTo(this, QPoint(0, 0));
    for (int i = 0; i < m_elements.GetCount(); ++i) {
        CRect rc;
        if (m_pList->GetItemRect(i, &rc))
            rc.OffsetRect(offset.x(), offset.y());
        else
            rc.SetRectEmpty();
        m_elements[i].rcDrawn = rc;
        if (m_elements[i].pQuestion)
            m_elements[i].pQuestion->m_rcLast = rc;
    }
}

// --- selection by the user --------------------------------------------------------------------

BOOL CCorraView::OnChildNotify(UINT nID, UINT nCode, void* pExtra)
{
    if (nID != IDC_QUESTION_LIST || !m_pList)
        return CView::OnChildNotify(nID, nCode, pExtra);
    try {
        const auto* nm = static_cast<const NMLISTVIEW*>(pExtra);
        switch (nCode) {
        case NM_CLICK:
            OnListClick(nm ? nm->iItem : -1, FALSE, CPoint());
            break;
        case NM_RCLICK: {
            const CPoint pt = nm ? CPoint(nm->ptAction.x, nm->ptAction.y) : CPoint();
            OnListClick(nm ? nm->iItem : -1, TRUE, pt);
            const QPoint screen = m_pList->viewport()->mapToGlobal(QPoint(pt.x, pt.y));
            ShowContextMenu(CPoint(screen.x(), screen.y()));
            break;
        }
        case NM_DBLCLK:
            OnListDoubleClick(nm ? nm->iItem : -1);
            break;
        case LVN_BEGINDRAG:
            if (nm)
                BeginListDrag(nm->iItem);
            break;
        case LVN_KEYDOWN: {
            const auto* key = static_cast<const NMLVKEYDOWN*>(pExtra);
            if (key && key->wVKey == VK_UP)
                OnListKey(-1);
            else if (key && key->wVKey == VK_DOWN)
                OnListKey(1);
            else if (key && key->wVKey == VK_RETURN)
                OnListDoubleClick(m_pList->GetFirstSelectedItem());  // as a double click
            break;
        }
        case LVN_COLUMNCLICK: {
            // The list sorted itself: the view and the document follow, undoably.
            CPtrListEx now;
            m_pList->GetAllItems(now);
            CPtrListEx before;
            m_elements.GetQuestions(before);
            BOOL same = now.GetCount() == before.GetCount();
            for (POSITION a = now.GetHeadPosition(), b = before.GetHeadPosition(); same && a && b;)
                same = now.GetNext(a) == before.GetNext(b);
            if (!same)
                OnListSorted(m_pList->GetColumnLabel(nm ? nm->iSubItem : 0));
            break;
        }
        default: break;
        }
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
    return FALSE;
}

void CCorraView::OnListSorted(const CString& label)
{
    if (CCorraDoc* pDoc = GetCorraDoc())
        pDoc->AddUndoReorder(this, "Sort: " + label);
    AfterRemove();
    ReloadFromList();
    SyncDocumentOrder();
}

void CCorraView::OnListClick(int nItem, BOOL, CPoint)
{
    if (!m_pList)
        return;
    CCorraQuestion* q = m_pList->GetItemQuestion(nItem);
    if (!q)
        q = m_pList->GetLastSelectedQuestion();
    if (!q)
        return;
    if (IsCollectionPane())
        q->BringViewToTop();
    else
        ShowInDialog(q);
}

void CCorraView::OnListDoubleClick(int nItem)
{
    CCorraQuestion* q = m_pList ? m_pList->GetItemQuestion(nItem) : nullptr;
    CCorraDoc* pDoc = GetCorraDoc();
    if (!q || !pDoc)
        return;
    if (IsCollectionPane()) {
        pDoc->ShowCollection(q);
        return;
    }
    // Through the editor's own question: it asks about what was typed for the one before.
    if (EditQuestionInDialog(*pDoc, q))
        DocumentDialogs().SetQuestionDialogTitle(*pDoc, pDoc->GetQuestionDlgTitle());
}

void CCorraView::OnListKey(int nDelta)
{
    if (!m_pList)
        return;
    // The list moves its selection itself; the dialog shows where it goes.
    const int target = nDelta < 0 ? m_pList->GetFirstSelectedItem() - 1 : m_pList->GetLastSelectedItem() + 1;
    if (m_pList->GetFirstSelectedItem() < 0)
        return;
    if (CCorraQuestion* q = m_pList->GetItemQuestion(target))
        ShowInDialog(q);
}

void CCorraView::SetCurrentElement(int to)
{
    const int from = m_elements.m_nCurrent;
    CCorraQuestion* pOld = m_elements.GetQuestion(from);
    CCorraQuestion* pNew = m_elements.GetQuestion(to);
    m_elements.m_nCurrent = pNew ? to : -1;
    CCorraDoc* pDoc = GetCorraDoc();
    // The old mark goes first, then the new one is set; the views hear of each.
    CUpdate hint;
    hint.m_nRepaint = 1;
    if (pOld && pOld != pNew) {
        pOld->SetAuxNumber(0);
        hint.SetView(pOld);
        if (pDoc)
            pDoc->UpdateAllViews(nullptr, HINT_REFRESH, &hint);
    }
    if (pNew) {
        pNew->SetAuxNumber(1);
        hint.SetView(pNew);
        if (pDoc)
            pDoc->UpdateAllViews(nullptr, HINT_REFRESH, &hint);
    }
}

void CCorraView::MoveCurrent(int nDelta)
{
    const int from = m_elements.m_nCurrent;
    const int to = from + nDelta;
    if (from < 0 || to < 0 || to >= m_elements.GetCount())
        return;
    SetCurrentElement(to);
    ShowInDialog(m_elements.GetQuestion(to));
    if (m_pList)
        m_pList->EnsureVisible(to, FALSE);
}

void CCorraView::OnLeftPress(CPoint pt)
{
    if (pt.x > CORRAVIEW_MARGIN) {
        if (m_pList)
            ShowInDialog(m_pList->GetLastSelectedQuestion());
        return;
    }
    // In the margin: the first element whose middle lies below the press becomes current,
    // after a full refresh.
    OnUpdate(nullptr, HINT_REFRESH, nullptr);
    NoteDrawnRects();
    for (int i = 0; i < m_elements.GetCount(); ++i) {
        const CRect& rc = m_elements[i].rcDrawn;
        if (!rc.IsRectEmpty() && (rc.top + rc.bottom) / 2 > pt.y) {
            SetCurrentElement(i);
            return;
        }
    }
}

QMenu* CCorraView::ShowContextMenu(CPoint pt)
{
    QMenu* menu = CreateContextMenu(IsCollectionPane() ? IDR_COLLECTION_PANE_MENU : IDR_QUESTION_PANE_MENU, this);
    if (!menu)
        return nullptr;
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(QPoint(pt.x, pt.y));
    return menu;
}

void CCorraView::mousePressEvent(QMouseEvent* e)
{
    const CPoint pt(static_cast<int>(e->position().x()), static_cast<int>(e->position().y()));
    if (e->button() == Qt::RightButton) {
        const QPoint screen = e->globalPosition().toPoint();
        ShowContextMenu(CPoint(screen.x(), screen.y()));
    } else if (e->button() == Qt::LeftButton) {
        OnLeftPress(pt);
    }
}

void CCorraView::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Up: MoveCurrent(-1); return;
    case Qt::Key_Down: MoveCurrent(1); return;
    default: CView::keyPressEvent(e);
    }
}

LRESULT CCorraView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CORRA_RESAVE) {
        SaveAgain(this);
        return 0;
    }
    // Asked by older parts of the program whether the view is one of theirs.
    if (message == WM_CORRA_VIEW_QUERY1 || message == WM_CORRA_VIEW_QUERY2)
        return 1;
    return CView::WindowProc(message, wParam, lParam);
}

void CCorraView::SaveAgain(CView* pView)
{
    // The document was repaired or converted while read: it is saved again at once.
    if (CDocument* pDoc = pView->GetDocument())
        pDoc->SetModifiedFlag(TRUE);
    pView->PostCommand(ID_FILE_SAVE);
}
