#include "app/ChildFrames.h"

#include "app/FramePlacement.h"
#include "app/Pictures.h"
#include "model/Update.h"
#include "model/ViewServices.h"
#include "platform/ui/ControlBars.h"
#include "platform/ui/Document.h"
#include "platform/ui/SplitterWnd.h"
#include "platform/ui/View.h"
#include "res/ids/App.h"
#include "views/CorraView.h"
#include "views/ExamView.h"

#include <algorithm>

// --- CCorraFrm --------------------------------------------------------------------------------

CCorraFrm::CCorraFrm() = default;

CCreatable<CView> CCorraFrm::LowerViewClass() const
{
    return CCreatable<CView>::Of<CCorraView>();
}

BOOL CCorraFrm::OnCreateClient(CREATESTRUCT& cs, CCreateContext* pContext)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return TRUE;
    // A collection or form view: the frame holds it alone.
    CDocTemplate* pTemplate = pContext->m_pNewDocTemplate;
    UINT nTemplate = pTemplate ? pTemplate->GetResourceId() : 0;
    if (nTemplate == IDR_COLLTYPE || nTemplate == IDR_FORMTYPE)
        return CMDIChildWnd::OnCreateClient(cs, pContext);
    m_pSplitter = new CSplitterWnd;
    if (!m_pSplitter->CreateStatic(this, 2, 1, AFX_IDW_PANE_FIRST)) {
        delete m_pSplitter;
        m_pSplitter = nullptr;
        return FALSE;
    }
    SetClientWidget(m_pSplitter);
    CSize size(cs.cx > 0 ? cs.cx : width(), cs.cy > 0 ? cs.cy : height());
    if (!m_pSplitter->CreateView(0, 0, pContext->m_pNewViewClass, size, pContext) ||
        !m_pSplitter->CreateView(1, 0, LowerViewClass(), CSize(0, 0), pContext))
        return FALSE;
    CorraViewServices().LinkPanes(m_pSplitter->GetPane(0, 0), m_pSplitter->GetPane(1, 0));
    SetActiveView(m_pSplitter->GetPane(0, 0), FALSE);
    return TRUE;
}

int CCorraFrm::OnCreate(CCreateContext*)
{
    setWindowIcon(DocumentIcon(GetResourceId() == IDR_EXAMTYPE || GetResourceId() == IDR_FORMTYPE ? IDR_EXAMTYPE
                                                                                                 : IDR_CORRATYPE));
    CPoint pt = placement::NextFramePosition();
    CSize size = placement::SideBySideSize();
    SetWindowPos(nullptr, pt.x, pt.y, size.cx, size.cy, SWP_NOZORDER);
    return 0;
}

CView* CCorraFrm::GetUpperView() const
{
    return m_pSplitter ? m_pSplitter->GetPane(0, 0) : nullptr;
}

CView* CCorraFrm::GetLowerView() const
{
    return m_pSplitter ? m_pSplitter->GetPane(1, 0) : nullptr;
}

int CCorraFrm::AvailableHeight()
{
    auto* pMain = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (!pMain)
        return 0;
    RECT rc;
    pMain->GetClientRect(&rc);
    int h = rc.bottom - rc.top;
    for (QWidget* w : pMain->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        // The main toolbar and the status bar, when shown.
        UINT id = static_cast<UINT>(GetControlId(w));
        if ((id == AFX_IDW_TOOLBAR || id == AFX_IDW_STATUS_BAR) && w->isVisible())
            h -= w->height();
    }
    return h - 45;
}

int CCorraFrm::LowerPaneHeight(int cyFrame, int nItems, int cyContent)
{
    int wanted = nItems > 0 ? cyContent + 40 : 0;
    return std::min(wanted, cyFrame / 3);
}

void CCorraFrm::FitToMainWindow()
{
    int available = AvailableHeight();
    if (available > 0 && height() > available)
        SetWindowPos(nullptr, 0, 0, width(), available, SWP_NOMOVE | SWP_NOZORDER);
    CView* pLower = GetLowerView();
    if (!m_pSplitter || !pLower)
        return;
    RecalcLayout();
    if (CView* pUpper = GetUpperView())
        pUpper->OnUpdate(nullptr, HINT_REFRESH, nullptr);
    pLower->OnUpdate(nullptr, HINT_REFRESH, nullptr);
}

void CCorraFrm::RecalcLayout(BOOL)
{
    CView* pLower = GetLowerView();
    if (!m_pSplitter || !pLower || m_bInRecalc)
        return;
    // Setting the rows resizes the views, which may ask again.
    m_bInRecalc = TRUE;
    ICorraViewServices& views = CorraViewServices();
    int lower = LowerPaneHeight(height(), views.GetItemCount(pLower), views.GetContentSize(pLower).cy);
    int total = m_pSplitter->GetPaneSpace();
    m_pSplitter->SetRowInfo(0, std::max(0, total - lower), 0);
    m_pSplitter->SetRowInfo(1, lower, 0);
    m_pSplitter->RecalcLayout();
    m_bInRecalc = FALSE;
}

void CCorraFrm::CloseFrameOnly()
{
    CMDIChildWnd::OnClose();
}

void CCorraFrm::OnClose()
{
    ICorraViewServices& services = CorraViewServices();
    std::vector<CView*> views = GetViews();
    if (views.size() == 1 && services.IsCollectionView(views.front())) {
        CloseFrameOnly();
        return;
    }
    CDocument* pDoc = views.empty() ? nullptr : views.front()->GetDocument();
    std::vector<CCorraFrm*> others;
    if (pDoc) {
        std::vector<CView*> docViews;
        for (POSITION pos = pDoc->GetFirstViewPosition(); pos;)
            docViews.push_back(pDoc->GetNextView(pos));
        for (CView* pView : docViews) {
            auto* pFrame = dynamic_cast<CCorraFrm*>(pView->GetParentFrame());
            if (!pFrame || pFrame == this || !services.IsCollectionView(pView))
                continue;
            if (!services.SaveCollectionView(pView))
                return;
            others.push_back(pFrame);
        }
    }
    // Each was asked once here; closing its frame must not ask again.
    for (CCorraFrm* pFrame : others)
        pFrame->CloseFrameOnly();
    CloseFrameOnly();
}

// --- CExamFrm, CCollFrm -----------------------------------------------------------------------

CCreatable<CView> CExamFrm::LowerViewClass() const
{
    return CCreatable<CView>::Of<CExamView>();
}

CCollFrm::CCollFrm()
{
    BindCommand(ID_CLOSE_COLLECTION, [this] { OnClose(); });
}

BOOL CCollFrm::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CCorraFrm::PreCreateWindow(cs))
        return FALSE;
    cs.style &= ~FWS_ADDTOTITLE;
    return TRUE;
}

CView* CCollFrm::GetCollView() const
{
    for (CView* pView : GetViews()) {
        if (CorraViewServices().IsCollectionView(pView))
            return pView;
    }
    return nullptr;
}

void CCollFrm::OnClose()
{
    CView* pView = GetCollView();
    if (pView && !CorraViewServices().SaveCollectionView(pView))
        return;
    CCorraFrm::OnClose();
}

int CMDIChildWnd2::OnCreate(CCreateContext*)
{
    setWindowIcon(DocumentIcon(IDR_SOURCETYPE));
    return 0;
}

// --- CSourceDocTemplate -----------------------------------------------------------------------

BOOL CSourceDocTemplate::GetDocString(const CString& docStrings, int nIndex, CString& out)
{
    return DocStringField(docStrings, nIndex, out);
}

CDocTemplate::Confidence CSourceDocTemplate::MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = FindDocumentByPath(lpszPathName);
    if (rpDocMatch)
        return yesAlreadyOpen;
    CString filter;
    if (!CDocTemplate::GetDocString(filter, filterExt))
        return yesAttemptForeign;
    // The file name's own extension, whole, against each entry without regard to case.
    return ExtensionInList(lpszPathName, filter) ? yesAttemptNative : yesAttemptForeign;
}

// --- CMDIClientWnd ----------------------------------------------------------------------------

CMDIClientWnd::CMDIClientWnd() : CWnd(this)
{
    setBackground(QColor(128, 128, 128));
}
