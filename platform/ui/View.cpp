#include "platform/ui/View.h"

#include "platform/ui/DC.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"

#include <QApplication>
#include <QPaintEvent>

CFrameWnd* FindParentFrame(const QWidget* widget)
{
    for (QWidget* w = widget ? widget->parentWidget() : nullptr; w; w = w->parentWidget()) {
        if (auto* pFrame = dynamic_cast<CFrameWnd*>(w))
            return pFrame;
    }
    return nullptr;
}

CView::CView() : CWnd(this)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    // The view, or a control inside it, taking the focus makes it its frame's active view.
    QObject::connect(qApp, &QApplication::focusChanged, NotifyContext(), [this](QWidget*, QWidget* now) {
        if (now && (now == this || isAncestorOf(now))) {
            if (CFrameWnd* pFrame = GetParentFrame())
                pFrame->SetActiveView(this);
        }
    });
}

CView::~CView()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const
{
    return FindParentFrame(this);
}

BOOL CView::Create(QWidget* pParent, UINT nID, CCreateContext* pContext)
{
    if (pParent)
        setParent(pParent);
    SetDlgCtrlID(static_cast<int>(nID));
    if (pContext && pContext->m_pCurrentDoc)
        pContext->m_pCurrentDoc->AddView(this);
    return OnCreate(pContext) != -1;
}

void CView::OnInitialUpdate()
{
    OnUpdate(nullptr, 0, nullptr);
}

void CView::OnUpdate(CView*, LPARAM, CObject*)
{
    viewport()->update();
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
    if (bActivate && pActivateView == this && !hasFocus() && isVisible())
        setFocus(Qt::OtherFocusReason);
}

BOOL CView::OnCmdMsg(UINT nID, UINT nCode, void* pExtra)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra))
        return TRUE;
    return m_pDocument ? m_pDocument->OnCmdMsg(nID, nCode, pExtra) : FALSE;
}

namespace {

// The whole route of a command that starts at a view.
class CViewRoute : public CCmdTarget {
public:
    explicit CViewRoute(CView* pView) : m_pView(pView) {}
    BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra) override
    {
        // Taken before the view runs anything: a handler may close the frame.
        CFrameWnd* pFrame = m_pView->GetParentFrame();
        if (m_pView->OnCmdMsg(nID, nCode, pExtra))
            return TRUE;
        return pFrame ? pFrame->RouteOutward(nID, nCode, pExtra) : FALSE;
    }

private:
    CView* m_pView;
};

} // namespace

BOOL CView::OnCommand(UINT nID)
{
    CViewRoute route(this);
    return RunCommandOn(&route, nID);
}

void CView::paintEvent(QPaintEvent*)
{
    CPaintDC dc(viewport());
    OnPrepareDC(&dc);
    OnDraw(&dc);
}
