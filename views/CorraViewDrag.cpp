// Dragging rows of a pane's list onto another list of the program: the view holds the mouse
// from the list's LVN_BEGINDRAG until the button goes up, moves a picture of the row, marks the
// row under the cursor and scrolls the list it left above or below, then hands the drop to the
// handler for the source and target kinds.
#include "views/CorraView.h"

#include "dialogs/GroupListCtrl.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/ExamDoc.h"
#include "model/Update.h"
#include "platform/ui/FrameWnd.h"
#include "views/ODListCtrl.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>

namespace {

// Where the cursor holds the row's picture.
const QPoint kHotSpot(8, 8);
// Farther than this above or below a list, a drag stops scrolling it.
constexpr int kAutoScrollReach = 100;

// The one list a drag scrolls, program-wide.
QPointer<CListCtrl>& AutoScrollList()
{
    static QPointer<CListCtrl> list;
    return list;
}

CListCtrl* ListOf(QWidget* w)
{
    for (; w; w = w->parentWidget())
        if (auto* list = dynamic_cast<CListCtrl*>(w))
            return list;
    return nullptr;
}

CCorraView* ViewOf(QWidget* w)
{
    for (; w; w = w->parentWidget())
        if (auto* view = dynamic_cast<CCorraView*>(w))
            return view;
    return nullptr;
}

QPoint ViewportPoint(CListCtrl* list, QPoint global)
{
    return list->viewport()->mapFromGlobal(global);
}

} // namespace

CListCtrl* CCorraView::GetAutoScrollList()
{
    return AutoScrollList().data();
}

BOOL CCorraView::BeginListDrag(int nItem)
{
    if (!m_pList || nItem < 0 || nItem >= m_pList->GetItemCount() || m_bDragging)
        return FALSE;
    m_pDragImage.reset();
    CRect rc;
    m_pList->GetItemRect(nItem, &rc);
    auto* image = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    image->setAttribute(Qt::WA_TransparentForMouseEvents);
    image->setAttribute(Qt::WA_ShowWithoutActivating);
    image->setPixmap(m_pList->viewport()->grab(QRect(rc.left, rc.top, rc.Width(), rc.Height())));
    image->setWindowOpacity(0.7);
    m_pDragImage.reset(image);
    m_nDragItem = nItem;
    m_nDropTarget = -1;
    m_bDragging = TRUE;
    m_pUnder = m_pList;
    m_pDropList = nullptr;
    viewport()->grabMouse();
    return TRUE;
}

void CCorraView::ForgetDropTarget()
{
    if (m_pDropList && m_nDropTarget >= 0 && m_nDropTarget < m_pDropList->GetItemCount()) {
        m_pDropList->SetItemState(m_nDropTarget, m_uDropSavedState, LVIS_DROPHILITED);
        m_pDropList->RedrawItems(m_nDropTarget, m_nDropTarget);
    }
    m_nDropTarget = -1;
    m_pDropList = nullptr;
}

QWidget* CCorraView::WidgetUnder(QPoint global) const
{
    // The picture follows the cursor: out of the way while the window under it is found.
    const bool shown = m_pDragImage && m_pDragImage->isVisible();
    if (shown)
        m_pDragImage->hide();
    QWidget* w = QApplication::widgetAt(global);
    if (shown)
        m_pDragImage->show();
    return w;
}

void CCorraView::DragMoveTo(QPoint global)
{
    if (!m_bDragging)
        return;
    if (m_pDragImage) {
        m_pDragImage->move(global - kHotSpot);
        m_pDragImage->show();
    }
    QWidget* under = WidgetUnder(global);
    CListCtrl* list = ListOf(under);
    if (!m_pUnder)
        m_nDropTarget = -1;
    if (list != m_pDropList.data())
        ForgetDropTarget();
    if (auto* groups = dynamic_cast<CGroupListCtrl*>(list))
        groups->SelectItem(-1, FALSE);
    m_pUnder = under;

    // Scrolls the list last dragged over while the cursor is just above or below it.
    if (CListCtrl* scroll = AutoScrollList().data(); scroll && scroll->isVisible()) {
        const QPoint p = scroll->mapFromGlobal(global);
        const int h = scroll->header() && scroll->header()->isVisible()
                          ? scroll->viewport()->geometry().top()
                          : 0;
        const int H = scroll->height();
        const int offset = p.y() < h ? p.y() - h : p.y() - H;
        if ((p.y() < h || p.y() >= H) && p.x() >= 0 && p.x() < scroll->width()) {
            if (std::abs(offset) <= kAutoScrollReach)
                scroll->Scroll(CSize(0, offset));
            else
                AutoScrollList() = nullptr;
        }
    }

    if (!list)
        return;
    AutoScrollList() = list;
    const QPoint vp = ViewportPoint(list, global);
    const int item = list->HitTest(POINT{vp.x(), vp.y()});
    if (list == m_pDropList.data() && item == m_nDropTarget)
        return;
    ForgetDropTarget();
    if (item >= 0) {
        m_pDropList = list;
        m_nDropTarget = item;
        m_uDropSavedState = list->GetItemState(item, LVIS_DROPHILITED);
        list->SetItemState(item, LVIS_DROPHILITED, LVIS_DROPHILITED);
        list->RedrawItems(item, item);
    }
}

void CCorraView::EndListDrag()
{
    if (!m_bDragging)
        return;
    viewport()->releaseMouse();
    m_pDragImage.reset();
    m_bDragging = FALSE;
    ForgetDropTarget();
    m_pUnder = nullptr;
}

int CCorraView::DropAt(QPoint global)
{
    if (!m_bDragging)
        return 0;
    viewport()->releaseMouse();
    m_pDragImage.reset();
    QWidget* under = WidgetUnder(global);
    CListCtrl* list = ListOf(under);
    int item = -1;
    if (list) {
        const QPoint vp = ViewportPoint(list, global);
        item = list->HitTest(POINT{vp.x(), vp.y()});
    }
    const int dragged = m_nDragItem;
    EndListDrag();
    if (!list)
        return 0;
    try {
        return DispatchDrop(list, item, dragged);
    } catch (...) {
        LogUnknownException(LOG_HERE);
        return DROP_REFUSED;
    }
}

int CCorraView::DispatchDrop(CListCtrl* pTarget, int nItem, int nDragged)
{
    if (auto* groups = dynamic_cast<CGroupListCtrl*>(pTarget))
        return DropOnGroupList(groups, nItem);
    auto* pList = dynamic_cast<CODListCtrl*>(pTarget);
    CCorraView* pView = pList ? ViewOf(pList) : nullptr;
    if (!pList || !pView || !m_pList)
        return 0;
    CCorraDoc* pTargetDoc = pView->GetCorraDoc();
    if (!pView->CanDrop() || (pView->IsCollectionPane() && dynamic_cast<CExamDoc*>(pTargetDoc)))
        return DROP_REFUSED;
    if (pList == m_pList)
        return DropReorder(nDragged, nItem);

    CCorraDoc* pSourceDoc = GetCorraDoc();
    CPtrListEx selected;
    GetSelectedQuestions(selected);
    if (selected.IsEmpty())
        return DROP_REFUSED;
    CUpdate request;
    request.SetQuestions(&selected);
    request.SetDoc(pSourceDoc, UPD_SRCDOC);
    if (pSourceDoc && !pSourceDoc->m_csCorraId.IsEmpty())
        request.SetDocText(pSourceDoc->m_csCorraId, UPD_SRCTITLE);
    request.SetDoc(pTargetDoc, UPD_TARGETDOC);
    request.SetListCtrl(m_pList, UPD_SRCLIST);
    request.SetListCtrl(pList, UPD_TARGETLIST);
    request.SetInsertIndex(nItem);

    int result = DROP_REFUSED;
    if (!IsCollectionPane()) {
        if (pView->IsCollectionPane()) {
            // Onto a collection: the row dropped on takes them; no row, no collection.
            result = nItem < 0 ? DROP_REFUSED : pView->DropOnCollectionPane(request);
        } else if (pView->IsCollView()) {
            result = pView->DropOnCollView(request);
        } else {
            request.SetView(pView);
            result = pView->DropQuestOnCorraView(request);
        }
    } else {
        // Collections go only to another document.
        if (pTargetDoc == pSourceDoc)
            return DROP_REFUSED;
        if (pView->IsCollectionPane()) {
            result = pView->CopyDropOnCollectionPane(request);
        } else {
            CPtrListEx members;
            for (POSITION pos = selected.GetHeadPosition(); pos;) {
                CPtrListEx mine;
                static_cast<CCorraQuestion*>(selected.GetNext(pos))->GetQuestions(mine);
                for (POSITION m = mine.GetHeadPosition(); m;) {
                    void* q = mine.GetNext(m);
                    if (!members.Find(q))
                        members.AddTail(q);
                }
            }
            request.SetQuestions(&members);
            result = pView->IsCollView() ? pView->CopyDropOnCollView(request) : pView->CopyDropOnQuestionView(request);
        }
    }
    if (result == DROP_DONE && pView != this)
        if (CFrameWnd* frame = pView->GetParentFrame())
            frame->ActivateFrame();
    return result;
}

int CCorraView::DropOnGroupList(CListCtrl* pList, int nItem)
{
    auto* groups = dynamic_cast<CGroupListCtrl*>(pList);
    CPtrListEx selected;
    if (!groups || IsCollectionPane() || nItem < 0 || GetSelectedQuestions(selected) == 0)
        return DROP_REFUSED;
    return groups->AddQuestionsToGroup(selected, nItem, GetCorraDoc(), TRUE) ? DROP_DONE : DROP_REFUSED;
}

void CCorraView::mouseMoveEvent(QMouseEvent* e)
{
    if (m_bDragging) {
        DragMoveTo(e->globalPosition().toPoint());
        return;
    }
    CView::mouseMoveEvent(e);
}

void CCorraView::mouseReleaseEvent(QMouseEvent* e)
{
    if (m_bDragging && e->button() == Qt::LeftButton) {
        DropAt(e->globalPosition().toPoint());
        return;
    }
    CView::mouseReleaseEvent(e);
}
