#pragma once
// The print preview: a window of its own over the view it previews, with a bar of commands above
// the pages. The pages are the view's print job drawn by the same page loop as on paper, on a
// printer DC that the preview widget hands over each time it lays the pages out.
// The window belongs to the modal dialog that is up when it opens (so that it takes input over
// it), else to the main window.
//
// A program's preview derives from CPreviewView and binds its own commands (the bar's buttons
// without a handler are disabled).

#include "platform/ui/Wnd.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class CPrintInfo;
class CView;
class QPrintPreviewWidget;
class QPrinter;
class QToolBar;

class CPreviewView : public QWidget, public CWnd {
public:
    CPreviewView();
    ~CPreviewView() override;

    // Shows the preview of pPrintView's job (the print steps up to OnBeginPrinting have run on
    // pInfo, which the preview keeps until it closes), with the bar nIDBar. FALSE when it cannot
    // start; the caller then deletes it.
    BOOL Start(UINT nIDBar, CView* pPrintView, std::unique_ptr<CPrintInfo> pInfo);

    CView* GetPrintView() const;
    CPrintInfo* GetPrintInfo() const { return m_pInfo.get(); }
    UINT GetBarId() const { return m_nIDBar; }

    // Pages counted from 1.
    int GetPageCount() const;
    int GetCurrentPage() const;
    void SetCurrentPage(int nPage);
    // Lays the pages out anew: the view's page loop runs again.
    void UpdatePreview();
    // Ends the job (the view's OnEndPrintPreview) and closes the window.
    void ClosePreview();

    // The bar's print button: the default closes the preview and posts the print command to
    // the view.
    virtual void OnPreviewPrint();
    virtual void OnNextPage();
    virtual void OnPrevPage();

    QPrintPreviewWidget* GetPreviewWidget() const { return m_pPages; }

protected:
    // A button on the bar for command nID, after those already there (a program's preview adds
    // its own in its constructor).
    void AddBarButton(UINT nID, const char* text);
    void closeEvent(QCloseEvent* e) override;

private:
    void PaintPages(QPrinter* pPrinter);
    void EndJob();

    QPointer<CView> m_pPrintView;
    std::unique_ptr<CPrintInfo> m_pInfo;
    UINT m_nIDBar = 0;
    QToolBar* m_pBar;
    QPrintPreviewWidget* m_pPages = nullptr;
    BOOL m_bEnded = FALSE;
};
