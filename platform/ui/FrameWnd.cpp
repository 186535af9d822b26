#include "platform/ui/FrameWnd.h"

#include "platform/ui/Document.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"

CFrameWnd::CFrameWnd(QWidget* self) : CWnd(self) {}

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::LoadFrame(UINT nIDResource, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDResource = nIDResource;
    CREATESTRUCT cs;
    if (!PreCreateWindow(cs))
        return FALSE;
    m_dwStyle = cs.style;
    if (!PlaceInParent(pParentWnd))
        return FALSE;
    if (OnCreate(pContext) == -1)
        return FALSE;
    return OnCreateClient(cs, pContext);
}

BOOL CFrameWnd::OnCreateClient(CREATESTRUCT&, CCreateContext* pContext)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return TRUE;
    return CreateView(pContext) != nullptr;
}

CView* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID, QWidget* pParent)
{
    if (!pContext)
        return nullptr;
    CView* pView = pContext->m_pNewViewClass.Create();
    if (!pView)
        return nullptr;
    if (!pView->Create(pParent ? pParent : GetWidget(), nID, pContext)) {
        delete pView;
        return nullptr;
    }
    if (!pParent)
        SetClientWidget(pView);
    pContext->m_pLastView = pView;
    return pView;
}

CView* CFrameWnd::GetActiveView() const
{
    return m_pActiveView.data();
}

void CFrameWnd::SetActiveView(CView* pView, BOOL bNotify)
{
    CView* pOld = m_pActiveView.data();
    if (pOld == pView)
        return;
    m_pActiveView = pView;
    if (!bNotify)
        return;
    if (pOld)
        pOld->OnActivateView(FALSE, pView, pOld);
    if (pView)
        pView->OnActivateView(TRUE, pView, pOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView ? pView->GetDocument() : nullptr;
}

CFrameWnd* CFrameWnd::GetParentFrame() const
{
    return FindParentFrame(GetWidget());
}

std::vector<CView*> CFrameWnd::GetViews() const
{
    std::vector<CView*> views;
    for (QWidget* w : GetWidget()->findChildren<QWidget*>()) {
        auto* pView = dynamic_cast<CView*>(w);
        if (pView && pView->GetParentFrame() == this)
            views.push_back(pView);
    }
    // The first pane leads.
    std::stable_sort(views.begin(), views.end(), [](CView* a, CView* b) {
        return (a->GetDlgCtrlID() == static_cast<int>(AFX_IDW_PANE_FIRST)) >
               (b->GetDlgCtrlID() == static_cast<int>(AFX_IDW_PANE_FIRST));
    });
    return views;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    std::vector<CView*> views = GetViews();
    if (!GetActiveView() && !views.empty())
        SetActiveView(views.front(), FALSE);
    for (CView* pView : views)
        pView->OnInitialUpdate();
    if (bMakeVisible) {
        ActivateFrame();
        if (CView* pView = GetActiveView())
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    ShowWindow(nCmdShow == -1 ? SW_SHOW : nCmdShow);
    GetWidget()->raise();
    GetWidget()->activateWindow();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!bAddToTitle || !(m_dwStyle & FWS_ADDTOTITLE))
        return;
    CDocument* pDoc = GetActiveDocument();
    if (!pDoc) {
        std::vector<CView*> views = GetViews();
        pDoc = views.empty() ? nullptr : views.front()->GetDocument();
    }
    if (!pDoc)
        return;
    CString title = pDoc->GetTitle();
    if (m_nWindow > 0)
        title.AppendFormat(":%d", m_nWindow);
    SetWindowText(title);
}

void CFrameWnd::NotifyFrameActivation(BOOL bActive)
{
    if (CView* pView = GetActiveView())
        pView->OnActivateView(bActive, pView, pView);
}

BOOL CFrameWnd::CloseFrame()
{
    if (m_bDestroyed)
        return TRUE;
    CDocument* pDoc = GetActiveDocument();
    if (!pDoc) {
        std::vector<CView*> views = GetViews();
        pDoc = views.empty() ? nullptr : views.front()->GetDocument();
    }
    if (pDoc) {
        if (!pDoc->CanCloseFrame(this))
            return FALSE;
        pDoc->PreCloseFrame(this);
    }
    DestroyFrame();
    return TRUE;
}

void CFrameWnd::DestroyFrame()
{
    if (m_bDestroyed)
        return;
    m_bDestroyed = TRUE;
    m_pActiveView = nullptr;
    for (CView* pView : GetViews()) {
        if (CDocument* pDoc = pView->GetDocument())
            pDoc->RemoveView(pView);
    }
    DestroyWindow();
    // Later: the frame may be closing from inside its own handlers.
    GetWidget()->deleteLater();
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, UINT nCode, void* pExtra)
{
    // Taken before the view runs anything: a handler may close this frame.
    CView* pView = GetActiveView();
    if (pView && pView->OnCmdMsg(nID, nCode, pExtra))
        return TRUE;
    return RouteOutward(nID, nCode, pExtra);
}

BOOL CFrameWnd::RouteOutward(UINT nID, UINT nCode, void* pExtra)
{
    if (DispatchOwn(nID, nCode, pExtra))
        return TRUE;
    if (CFrameWnd* pParent = GetParentFrame())
        return pParent->RouteOutward(nID, nCode, pExtra);
    CWinApp* pApp = AfxGetApp();
    return pApp ? pApp->OnCmdMsg(nID, nCode, pExtra) : FALSE;
}
