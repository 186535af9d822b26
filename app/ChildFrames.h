#pragma once
// The document frames inside the main window and the templates that make them: the Question
// Corra frame with its two linked panes (questions above, collections below), the exam frame,
// the frame of a collection or form view, the plain frame of source documents, the source
// template with its several extensions, and the main window's MDI area.

#include "platform/ui/DocTemplate.h"
#include "platform/ui/MDIFrameWnd.h"

#include <QMdiArea>

class CSplitterWnd;

class CCorraFrm : public CMDIChildWnd {
public:
    CCorraFrm();

    // A collection or form view gets the frame alone; any other view gets the upper pane of
    // two rows, the lower pane showing the document's collections.
    BOOL OnCreateClient(CREATESTRUCT& cs, CCreateContext* pContext) override;
    // Takes the next new-frame place and the side-by-side size.
    int OnCreate(CCreateContext* pContext) override;
    // Asks the collection views of the document in other frames first (Cancel keeps every
    // frame open) and closes those frames, then closes this one.
    void OnClose() override;

    // Shrinks the frame to the free height of the main window and gives the lower pane the
    // height of its content (at most a third of the frame).
    void FitToMainWindow();
    // The panes' heights again: the lower pane the height of its content (at most a third).
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The free height of the main window for frames: its client less the toolbar, the status
    // bar and 45.
    static int AvailableHeight();
    // The lower pane's height for a frame of height cyFrame whose lower view shows nItems items
    // in cyContent pixels.
    static int LowerPaneHeight(int cyFrame, int nItems, int cyContent);

    CSplitterWnd* GetSplitter() const { return m_pSplitter; }
    CView* GetUpperView() const;
    CView* GetLowerView() const;

protected:
    // The view of the lower pane.
    virtual CCreatable<CView> LowerViewClass() const;
    // Closes the frame without asking its collection view again.
    void CloseFrameOnly();

    CSplitterWnd* m_pSplitter = nullptr;
    BOOL m_bInRecalc = FALSE;
};

class CExamFrm : public CCorraFrm {
protected:
    CCreatable<CView> LowerViewClass() const override;
};

// The frame of a collection (or an exam form) view; it may close alone while the document
// stays open in its Question Corra frame.
class CCollFrm : public CCorraFrm {
public:
    CCollFrm();
    // The caption shows only the view's own title.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Closes when its collection view agrees.
    void OnClose() override;
    // The frame's collection (or form) view.
    CView* GetCollView() const;
};

class CMDIChildWnd2 : public CMDIChildWnd {
public:
    int OnCreate(CCreateContext* pContext) override;
};

// The template of source documents: several extensions, matched whole and without case.
class CSourceDocTemplate : public CMultiDocTemplate {
public:
    using CMultiDocTemplate::CMultiDocTemplate;
    using CMultiDocTemplate::GetDocString;
    // Field nIndex of a "\n"-separated document string.
    static BOOL GetDocString(const CString& docStrings, int nIndex, CString& out);
    Confidence MatchDocType(LPCSTR lpszPathName, CDocument*& rpDocMatch) override;
};

// The main window's MDI area.
class CMDIClientWnd : public QMdiArea, public CWnd {
public:
    CMDIClientWnd();
};
