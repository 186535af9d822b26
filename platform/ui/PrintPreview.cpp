#include "platform/ui/PrintPreview.h"

#include "platform/ui/DC.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/Print.h"
#include "platform/ui/QtString.h"
#include "platform/ui/View.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

CPreviewView::CPreviewView() : QWidget(nullptr, Qt::Window), CWnd(this)
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pBar = new QToolBar(this);
    m_pBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_pBar->setMovable(false);
    layout->addWidget(m_pBar);

    AddBarButton(AFX_ID_PREVIEW_PRINT, "&Print...");
    AddBarButton(AFX_ID_PREVIEW_NEXT, "&Next Page");
    AddBarButton(AFX_ID_PREVIEW_PREV, "Pre&v Page");
    AddBarButton(AFX_ID_PREVIEW_NUMPAGE, "&Two Page");
    AddBarButton(AFX_ID_PREVIEW_ZOOMIN, "Zoom &In");
    AddBarButton(AFX_ID_PREVIEW_ZOOMOUT, "Zoom &Out");
    AddBarButton(AFX_ID_PREVIEW_CLOSE, "&Close");

    BindCommand(AFX_ID_PREVIEW_PRINT, [this] { OnPreviewPrint(); });
    BindCommand(AFX_ID_PREVIEW_NEXT, [this] { OnNextPage(); });
    BindCommand(AFX_ID_PREVIEW_PREV, [this] { OnPrevPage(); });
    BindCommand(AFX_ID_PREVIEW_NUMPAGE, [this] {
        if (m_pPages)
            m_pPages->setViewMode(m_pPages->viewMode() == QPrintPreviewWidget::FacingPagesView
                                      ? QPrintPreviewWidget::SinglePageView
                                      : QPrintPreviewWidget::FacingPagesView);
    });
    BindCommand(AFX_ID_PREVIEW_ZOOMIN, [this] {
        if (m_pPages)
            m_pPages->zoomIn();
    });
    BindCommand(AFX_ID_PREVIEW_ZOOMOUT, [this] {
        if (m_pPages)
            m_pPages->zoomOut();
    });
    BindCommand(AFX_ID_PREVIEW_CLOSE, [this] { ClosePreview(); });
    BindUpdate(AFX_ID_PREVIEW_NEXT, [this](CCmdUI* pCmdUI) { pCmdUI->Enable(GetCurrentPage() < GetPageCount()); });
    BindUpdate(AFX_ID_PREVIEW_PREV, [this](CCmdUI* pCmdUI) { pCmdUI->Enable(GetCurrentPage() > 1); });
    BindUpdate(AFX_ID_PREVIEW_NUMPAGE, [this](CCmdUI* pCmdUI) {
        const BOOL bTwo = m_pPages && m_pPages->viewMode() == QPrintPreviewWidget::FacingPagesView;
        pCmdUI->SetText(bTwo ? "&One Page" : "&Two Page");
    });
}

CPreviewView::~CPreviewView()
{
    EndJob();
}

void CPreviewView::AddBarButton(UINT nID, const char* text)
{
    QAction* action = CreateCommandAction(this, nID, text);
    // The program's buttons go before Close, which stays last.
    QAction* before = nullptr;
    for (QAction* a : m_pBar->actions()) {
        if (GetActionCommandId(a) == AFX_ID_PREVIEW_CLOSE)
            before = a;
    }
    m_pBar->insertAction(before, action);
}

CView* CPreviewView::GetPrintView() const
{
    return m_pPrintView.data();
}

BOOL CPreviewView::Start(UINT nIDBar, CView* pPrintView, std::unique_ptr<CPrintInfo> pInfo)
{
    if (!pPrintView || !pInfo || m_pInfo)
        return FALSE;
    m_nIDBar = nIDBar;
    m_pPrintView = pPrintView;
    m_pInfo = std::move(pInfo);
    m_pBar->setObjectName(QString::number(nIDBar));
    QPrinter* printer = m_pInfo->m_pPD->GetPrinter();
    {
        CPrinterDC dc(printer);
        pPrintView->OnBeginPrinting(&dc, m_pInfo.get());
    }
    m_pPages = new QPrintPreviewWidget(printer, this);
    layout()->addWidget(m_pPages);
    QObject::connect(m_pPages, &QPrintPreviewWidget::paintRequested, NotifyContext(),
                     [this](QPrinter* p) { PaintPages(p); });
    QObject::connect(m_pPages, &QPrintPreviewWidget::previewChanged, NotifyContext(),
                     [this] { OnIdleUpdateCmdUI(); });
    // A view that goes (its document closed) takes its preview with it; its job is over.
    QObject::connect(pPrintView, &QObject::destroyed, NotifyContext(), [this] {
        m_bEnded = TRUE;
        close();
    });

    CString title = "Print Preview";
    if (CDocument* pDoc = pPrintView->GetDocument())
        title = pDoc->GetTitle() + " - " + title;
    setWindowTitle(ToQString(title));
    // Opened from a modal dialog, the preview belongs to the dialog: a window of any other owner
    // would take no input while the dialog is up.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner) {
        if (CWnd* pMain = AfxGetMainWnd())
            owner = pMain->GetWidget();
    }
    if (owner)
        setParent(owner, Qt::Window);
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const QRect avail = screen->availableGeometry();
        resize(avail.width() * 3 / 4, avail.height() * 7 / 8);
    }
    CenterWindow();
    show();
    m_pPages->updatePreview();
    OnIdleUpdateCmdUI();
    return TRUE;
}

void CPreviewView::PaintPages(QPrinter* pPrinter)
{
    CView* pView = m_pPrintView.data();
    if (!pView || !m_pInfo || m_bEnded)
        return;
    CPrinterDC dc(pPrinter);
    pView->RunPrintLoop(&dc, m_pInfo.get());
}

int CPreviewView::GetPageCount() const
{
    return m_pPages ? m_pPages->pageCount() : 0;
}

int CPreviewView::GetCurrentPage() const
{
    return m_pPages ? m_pPages->currentPage() : 0;
}

void CPreviewView::SetCurrentPage(int nPage)
{
    if (m_pPages)
        m_pPages->setCurrentPage(nPage);
    OnIdleUpdateCmdUI();
}

void CPreviewView::UpdatePreview()
{
    if (m_pPages)
        m_pPages->updatePreview();
    OnIdleUpdateCmdUI();
}

void CPreviewView::OnNextPage()
{
    if (GetCurrentPage() < GetPageCount())
        SetCurrentPage(GetCurrentPage() + 1);
}

void CPreviewView::OnPrevPage()
{
    if (GetCurrentPage() > 1)
        SetCurrentPage(GetCurrentPage() - 1);
}

void CPreviewView::OnPreviewPrint()
{
    QPointer<CView> pView = m_pPrintView;
    ClosePreview();
    if (pView)
        pView->PostCommand(ID_FILE_PRINT);
}

void CPreviewView::ClosePreview()
{
    close();
}

void CPreviewView::EndJob()
{
    if (m_bEnded || !m_pInfo)
        return;
    m_bEnded = TRUE;
    if (CView* pView = m_pPrintView.data()) {
        CPrinterDC dc(m_pInfo->m_pPD->GetPrinter());
        pView->OnEndPrintPreview(&dc, m_pInfo.get(), POINT{0, 0}, this);
    }
}

void CPreviewView::closeEvent(QCloseEvent* e)
{
    EndJob();
    QWidget::closeEvent(e);
}
