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
    virtual void OnPrepareDC(CDC* pDC) {}
    virtual void OnDraw(CDC* pDC) {}

    // Own handlers, then the document's.
    BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra) override;
    // A command posted to the view goes the whole way: view, document, frame, application.
    BOOL OnCommand(UINT nID) override;

    // The framework's link to the document (AddView and RemoveView set it).
    void SetDocumentLink(CDocument* pDocument) { m_pDocument = pDocument; }

protected:
    void paintEvent(QPaintEvent* e) override;

    CDocument* m_pDocument = nullptr;
};

// The frame a widget is in (the nearest frame above it), or NULL.
CFrameWnd* FindParentFrame(const QWidget* widget);
