#pragma once
// The frame base: a window that holds views (its client), knows its active view, carries the
// title of its document and closes after asking the document. It is a mixin like CWnd: the
// frame classes derive from a Qt window class (QMdiSubWindow, QMainWindow) and from it.
//
// Command route from a frame: its active view (view, then document), the frame itself, the
// frame it sits in (for a child frame, the main frame's own handlers), then the application.

#include "platform/ui/DocTemplate.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/Wnd.h"

#include <QPointer>

class CDocument;
class CView;

// Frame style bits the framework reads.
constexpr DWORD FWS_ADDTOTITLE = 0x8000;  // the title shows the document's title

struct CREATESTRUCT {
    DWORD style = FWS_ADDTOTITLE;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

class CFrameWnd : public CWnd {
public:
    explicit CFrameWnd(QWidget* self);
    ~CFrameWnd() override;

    // Builds the frame: PreCreateWindow, placing it in its parent (PlaceInParent), OnCreate,
    // then OnCreateClient with the context. FALSE when a step fails.
    virtual BOOL LoadFrame(UINT nIDResource, CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    UINT GetResourceId() const { return m_nIDResource; }
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs) { return TRUE; }
    // -1 fails the creation.
    virtual int OnCreate(CCreateContext* pContext) { return 0; }
    // Default: one view of the context's class as the client.
    virtual BOOL OnCreateClient(CREATESTRUCT& cs, CCreateContext* pContext);
    // A view of the context's class, a child of pParent (NULL: the frame, as its client), on
    // the context's document; NULL when it cannot be made.
    CView* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST, QWidget* pParent = nullptr);
    DWORD GetStyle() const { return m_dwStyle; }

    // The active view and its document.
    CView* GetActiveView() const;
    // Makes pView active; with bNotify the old view hears of its deactivation, the new one
    // of its activation.
    void SetActiveView(CView* pView, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    // The frame whose view is active: itself, or for the main frame its active child.
    virtual CFrameWnd* GetActiveFrame() { return this; }
    // The frame this one sits in (a child frame's main frame), or NULL.
    CFrameWnd* GetParentFrame() const;
    // The views inside this frame (not inside frames within it), pane order.
    std::vector<CView*> GetViews() const;

    // After the views are made: each gets OnInitialUpdate, the first pane becomes the active
    // view when none is, and with bMakeVisible the frame is shown and its view activated.
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    virtual void ActivateFrame(int nCmdShow = -1);
    // The frame's title from its document's (with ":n" when the document has several frames).
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void SetWindowNumber(int n) { m_nWindow = n; }
    int GetWindowNumber() const { return m_nWindow; }
    // Lays out the frame's parts again.
    virtual void RecalcLayout(BOOL bNotify = TRUE) {}
    // The whole frame became active or inactive: its active view hears of it.
    void NotifyFrameActivation(BOOL bActive);

    // The user or the program closes the frame: the document may refuse (CanCloseFrame);
    // otherwise it is told (PreCloseFrame) and the frame is destroyed. Whether it closed.
    virtual BOOL CloseFrame();
    virtual void OnClose() { CloseFrame(); }
    // Takes the views off their documents (a document left without views closes), hides the
    // frame and deletes it once control is back in the event loop.
    virtual void DestroyFrame();
    BOOL IsFrameDestroyed() const { return m_bDestroyed; }

    BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra) override;
    // The part of the route after the views: own handlers, then the frame this one sits in,
    // and at the top the application.
    virtual BOOL RouteOutward(UINT nID, UINT nCode, void* pExtra);

protected:
    // Puts the frame in its parent window (an MDI child into the main frame's area).
    virtual BOOL PlaceInParent(CWnd* pParentWnd) { return TRUE; }
    // Puts a widget as the frame's client area.
    virtual void SetClientWidget(QWidget* pClient) = 0;

    UINT m_nIDResource = 0;
    DWORD m_dwStyle = FWS_ADDTOTITLE;
    int m_nWindow = 0;
    BOOL m_bDestroyed = FALSE;
    QPointer<CView> m_pActiveView;
};
