#pragma once
// The view base: a window showing a document inside a frame. It is a scroll area whose viewport
// is painted through OnDraw; a view made of child controls lays them over the viewport. Its
// commands go to the view, then its document, then its frame and on up to the application.

#include "platform/core/Object.h"
#include "platform/ui/Wnd.h"

#include <QAbstractScrollArea>

class CDC;
class CDocument;
class CFrameWnd;
class CPreviewView;
class CPrintInfo;
struct CCreateContext;

class CView : public QAbstractScrollArea, public CWnd {
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    // The frame the view is in (the nearest frame above it).
    CFrameWnd* GetParentFrame() const;

    // Puts the view into its place (parent and id) and on the context's document; FALSE
    // when OnCreate refuses.
    virtual BOOL Create(QWidget* pParent, UINT nID, CCreateContext* pContext);
    // Called by Create once the view is in place and on its document; -1 refuses.
    virtual int OnCreate(CCreateContext* pContext) { return 0; }

    // The first update after the frame is built: OnUpdate(NULL, 0, NULL).
    virtual void OnInitialUpdate();
    // A change of the document (UpdateAllViews); the default repaints.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // The view became (bActivate) or stopped being the active view of its frame. When the
    // whole frame is deactivated, pActivateView and pDeactiveView are both this view.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    // Before painting, and before each page of a print job (pInfo given): the default lets a job
    // whose last page is not known yet print its first page only, and stops after the last.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual void OnDraw(CDC* pDC) {}

    // Printing. A job (printer, PDF file or preview) runs OnPreparePrinting, OnBeginPrinting,
    // then for each page of the range OnPrepareDC and, while pInfo->m_bContinuePrinting holds,
    // OnPrint; OnEndPrinting last, whatever became of the job.
    // The default asks DoPreparePrinting.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {}
    // The default draws the view (OnDraw).
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) {}
    // The preview pView is closing; the default ends the job (OnEndPrinting).
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);

    // The print dialog for a job (none for a preview, nor for a direct job while a printer is
    // set up); the range starts as every page. FALSE when the user cancelled.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // The page loop every job shares: from the first page of the chosen range to its last (an
    // open end, 0xFFFF, runs until the view clears the continue flag). The document starts
    // before the first page printed, so a job of no pages makes none. FALSE when the device
    // refused the document or a page: the job is then aborted.
    BOOL RunPrintLoop(CDC* pDC, CPrintInfo* pInfo);
    // A whole print job on the printer (or PDF file) chosen; a refusal is reported to the user.
    // TRUE only when every page went out.
    BOOL DoFilePrint(BOOL bDirect);
    // Opens the preview window (the bar nIDBar; pfnCreate makes the window, NULL the plain one)
    // on pPrintView's pages; FALSE when it could not start.
    using PreviewFactory = CPreviewView* (*)();
    BOOL DoPrintPreview(UINT nIDBar, CView* pPrintView, PreviewFactory pfnCreate);
    // The standard print commands: print (ID_FILE_PRINT), print without the dialog
    // (ID_FILE_PRINT_DIRECT) and preview (ID_FILE_PRINT_PREVIEW). A preview that cannot start
    // is reported (ReportCommandFailure).
    void OnFilePrint() { DoFilePrint(FALSE); }
    void OnFilePrintDirect() { DoFilePrint(TRUE); }
    void OnFilePrintPreview();

    // Own handlers, then the document's.
    BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra) override;
    // A command posted to the view goes the whole way: view, document, frame, application.
    BOOL OnCommand(UINT nID) override;

    // The framework's link to the document (AddView and RemoveView set it).
    void SetDocumentLink(CDocument* pDocument) { m_pDocument = pDocument; }

protected:
    void paintEvent(QPaintEvent* e) override;
    // A view that prints binds the standard print commands to the handlers above.
    void BindPrintCommands();

    CDocument* m_pDocument = nullptr;
};

// The frame a widget is in (the nearest frame above it), or NULL.
CFrameWnd* FindParentFrame(const QWidget* widget);

// Tells the user that a command could not be carried out (a preview that could not open).
void ReportCommandFailure();
