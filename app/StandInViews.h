#pragma once
// Stand-ins for the exam and collection views until those exist: the
// panes show what the frames rely on (pane links, item counts, content
// height, the save-again message) and a short summary of their document.

#include "model/CorraDoc.h"
#include "model/ViewServices.h"
#include "platform/ui/Document.h"
#include "platform/ui/View.h"

#include <string>

class CDocTemplate;

// A pane of a Question Corra or exam frame.
class CCorraPaneView : public CView {
public:
    CCorraPaneView();

    // The frame's links: pane 0 (questions) or 1 (collections), the other pane's view, and the
    // lower pane's display mode 2.
    int m_nPaneIndex = 0;
    CCorraPaneView* m_pPartner = nullptr;
    int m_nDisplayMode = 0;

    // How many items the pane shows, and the height of its laid-out content.
    virtual int GetItemCount() const;
    SIZE GetContentSize() const;

    // One start-up step: copies the process-wide counter and advances it.
    static void StartupCounterStep();
    static int StartupCounter();

    void OnDraw(CDC* pDC) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    CString Summary() const;
};

// The collection view of a Question Corra document (or the form view of an exam) in its own
// frame: a name and a modified flag; asked to save when its frame or document closes.
class CCollPaneView : public CCorraPaneView {
public:
    CString m_csName = "Collection 1";
    CString m_csKind = "Collection";
    BOOL m_bModified = FALSE;

    // A modified view asks "Save <kind> '<name>'?" (Yes writes it back, Cancel keeps the frame
    // open): FALSE for Cancel.
    virtual BOOL SaveModified();
    int GetItemCount() const override { return 0; }
};

// The view services of the program: the Question Corra views answer for themselves, the panes
// here for the views still stood in for. InstallViewServices puts them in the slot unless other
// services are there (a test's).
void InstallViewServices();
void RemoveViewServices();
// The template of a bank's collection windows, which the services open (NULL: none open).
void SetCollectionTemplate(CDocTemplate* pTemplate);
// A new frame of a template of collection windows on the document, and its collection view
// (NULL when none could be made).
class CCollView;
CCollView* OpenCollectionFrame(CDocTemplate* pTemplate, CCorraDoc& doc);
