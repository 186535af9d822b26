#include "platform/ui/View.h"

#include "platform/ui/DC.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/Print.h"
#include "platform/ui/PrintPreview.h"
#include "platform/ui/QtString.h"
#include "platform/core/Services.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPrinter>

#include <algorithm>

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

// --- printing -----------------------------------------------------------------------------------

namespace {

// Tells the user that a job did not go out; the job was aborted, so nothing counts as printed.
void ReportPrintFailure(CPrintDialog& pd)
{
    const QPrinter* printer = pd.GetPrinter();
    const CString path = FromQString(printer->outputFileName());
    const CString device = pd.GetDeviceName();
    CString text;
    if (printer->outputFormat() == QPrinter::PdfFormat && !path.IsEmpty()) {
        text.Format("The file\n\n%s\n\ncannot be written. The folder may be missing or read-only.\n\n"
                    "The document was not printed.",
                    path.GetString());
    } else if (!device.IsEmpty()) {
        text.Format("The printer %s did not accept the document.\n\nThe document was not printed.",
                    device.GetString());
    } else {
        text = "No printer is set up and no file was named for a PDF.\n\nThe document was not printed.";
    }
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

void CView::BindPrintCommands()
{
    BindCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    BindCommand(ID_FILE_PRINT_DIRECT, [this] { OnFilePrintDirect(); });
    BindCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
}

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo)
{
    if (!pInfo)
        return;
    if (pInfo->GetMaxPage() == 0xFFFF)
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
    else
        pInfo->m_bContinuePrinting = pInfo->m_nCurPage <= pInfo->GetMaxPage();
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView*)
{
    OnEndPrinting(pDC, pInfo);
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CPrintDialog* pd = pInfo->m_pPD;
    if (m_pDocument)
        pd->GetPrinter()->setDocName(ToQString(m_pDocument->GetTitle()));
    pd->m_pd.nFromPage = static_cast<WORD>(pInfo->GetMinPage());
    pd->m_pd.nToPage = static_cast<WORD>(pInfo->GetMaxPage());
    // The preview draws its pages itself; it needs no printer.
    if (pInfo->m_bPreview)
        return TRUE;
    // Without a printer set up, a direct job asks like any other.
    if (pInfo->m_bDirect && pd->GetDefaults())
        return TRUE;
    return pd->DoModal() == IDOK;
}

BOOL CView::RunPrintLoop(CDC* pDC, CPrintInfo* pInfo)
{
    const int nMin = static_cast<int>(pInfo->GetMinPage());
    const int nMax = std::max(nMin, static_cast<int>(pInfo->GetMaxPage()));
    const int nStart = std::clamp(static_cast<int>(pInfo->GetFromPage()), nMin, nMax);
    int nEnd = std::clamp(static_cast<int>(pInfo->GetToPage()), nMin, nMax);
    const int nStep = nEnd >= nStart ? 1 : -1;
    nEnd = nEnd == 0xFFFF ? 0xFFFF : nEnd + nStep;

    const CString docName = m_pDocument ? m_pDocument->GetTitle() : CString();
    BOOL bStarted = FALSE;
    BOOL bError = FALSE;
    pInfo->m_bContinuePrinting = TRUE;
    for (int nPage = nStart; nPage != nEnd; nPage += nStep) {
        pInfo->m_nCurPage = static_cast<UINT>(nPage);
        OnPrepareDC(pDC, pInfo);
        if (!pInfo->m_bContinuePrinting)
            break;
        if (!bStarted) {
            if (pDC->StartDoc(docName) <= 0) {
                bError = TRUE;
                break;
            }
            bStarted = TRUE;
        }
        if (pDC->StartPage() <= 0) {
            bError = TRUE;
            break;
        }
        pInfo->m_rectDraw.SetRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
        pDC->DPtoLP(&pInfo->m_rectDraw);
        OnPrint(pDC, pInfo);
        if (pDC->EndPage() <= 0) {
            bError = TRUE;
            break;
        }
    }
    if (bStarted) {
        if (bError)
            pDC->AbortDoc();
        else if (pDC->EndDoc() <= 0)
            bError = TRUE;
    }
    return !bError;
}

BOOL CView::DoFilePrint(BOOL bDirect)
{
    CPrintInfo info;
    info.m_bDirect = bDirect;
    if (!OnPreparePrinting(&info))
        return FALSE;
    CPrinterDC dc(info.m_pPD->GetPrinter());
    OnBeginPrinting(&dc, &info);
    const BOOL bPrinted = RunPrintLoop(&dc, &info);
    if (!bPrinted)
        ReportPrintFailure(*info.m_pPD);
    OnEndPrinting(&dc, &info);
    return bPrinted;
}

BOOL CView::DoPrintPreview(UINT nIDBar, CView* pPrintView, PreviewFactory pfnCreate)
{
    if (!pPrintView)
        return FALSE;
    auto pInfo = std::make_unique<CPrintInfo>();
    pInfo->m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(pInfo.get()))
        return FALSE;
    CPreviewView* pPreview = pfnCreate ? pfnCreate() : new CPreviewView;
    if (!pPreview)
        return FALSE;
    if (!pPreview->Start(nIDBar, pPrintView, std::move(pInfo))) {
        delete pPreview;
        return FALSE;
    }
    return TRUE;
}

void CView::OnFilePrintPreview()
{
    if (!DoPrintPreview(0, this, nullptr))
        ReportCommandFailure();
}

void ReportCommandFailure()
{
    AfxMessageBox("The command could not be carried out.", MB_OK | MB_ICONEXCLAMATION);
}
