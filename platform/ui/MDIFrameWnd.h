#pragma once
// The MDI frames: the main window (QMainWindow with an MDI area as its client, the menu bar of
// the active document's template, the Window menu, bars and their docking, dropped files) and
// the document frames inside it (QMdiSubWindow).
//
// Commands from the main window's menus and bars go to the active child frame's route first
// (its view, document and itself), then to the main frame and the application.

#include "platform/core/String.h"
#include "platform/ui/FrameWnd.h"

#include <QMainWindow>
#include <QMdiSubWindow>

#include <vector>

class QMdiArea;
class QMenu;
class QMenuBar;
class CMDIChildWnd;
class CStatusBar;
class CToolBar;

// The first popup of the table nIDMenu (res/ids/Menus.h) as a context menu whose commands go to
// pOwner; its items are enabled and checked by pOwner's handlers each time it opens (an item
// without a handler is grey). NULL when there is no such table. The caller owns the menu.
QMenu* CreateContextMenu(UINT nIDMenu, CWnd* pOwner);

class CMDIFrameWnd : public QMainWindow, public CFrameWnd {
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    // The MDI area (NULL before the frame is created).
    QMdiArea* GetMDIClient() const { return m_pMdiArea; }
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = nullptr) const;
    std::vector<CMDIChildWnd*> GetMDIChildren() const;
    void MDIActivate(CMDIChildWnd* pChild);
    void MDICascade();
    void MDITile();
    void MDIIconArrange();

    CFrameWnd* GetActiveFrame() override;
    CDocument* GetActiveDocument() override;
    BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra) override;
    // The MDI area becomes the client (CreateMDIClient makes it).
    BOOL OnCreateClient(CREATESTRUCT& cs, CCreateContext* pContext) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

    // Menus: the table of nIDMenu (res/ids/Menus.h) as the menu bar. The frame shows the menu
    // of the active child's template, or its own when no child is open.
    void LoadMenuBar(UINT nIDMenu);
    UINT GetMenuBarId() const { return m_nMenuId; }
    virtual void OnUpdateFrameMenu();
    // After the menu bar is built and each time one of its menus opens.
    virtual void OnInitMenu(QMenuBar* pMenuBar) {}
    // The popup of the menu bar whose text is text (with its "&"), or NULL.
    QMenu* FindMenuPopup(const char* text) const;

    // Files dragged from the desktop: with bAccept the frame takes them and opens each through
    // OnDropFiles.
    void DragAcceptFiles(BOOL bAccept = TRUE);
    virtual void OnDropFiles(const std::vector<CString>& files);

    // Bars. EnableDocking says where bars may dock; the dock state (bar places, floating and
    // shown) is kept in the profile section given.
    void EnableDocking(DWORD dwDockStyle);
    void DockControlBar(CToolBar* pBar);
    void FloatControlBar(CToolBar* pBar, CPoint point, BOOL bVertical);
    void ShowControlBar(QWidget* pBar, BOOL bShow);
    void SaveBarState(LPCSTR lpszProfileName) const;
    BOOL LoadBarState(LPCSTR lpszProfileName);
    void SetMessageText(const char* text);
    CStatusBar* GetMessageBar() const;

    // The main window closes: every document is asked to save (Cancel keeps everything open),
    // then all documents close and the window goes.
    void OnClose() override;
    BOOL CloseFrame() override;

protected:
    // The MDI area of the client; the default is a plain QMdiArea.
    virtual QMdiArea* CreateMDIClient();
    void SetClientWidget(QWidget* pClient) override { setCentralWidget(pClient); }
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    // A child frame became active (NULL: none is).
    virtual void OnChildActivated(CMDIChildWnd* pChild);

private:
    void BuildWindowList(QMenu* menu);
    void BuildRecentFiles(QMenu* menu);
    void OnNewWindow();

    QMdiArea* m_pMdiArea = nullptr;
    UINT m_nMenuId = 0;
    QPointer<QMdiSubWindow> m_pLastActive;
};

class CMDIChildWnd : public QMdiSubWindow, public CFrameWnd {
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();
    // The frame was activated (bActivate) or deactivated; its active view hears of it.
    virtual void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);

    void ActivateFrame(int nCmdShow = -1) override;
    void DestroyFrame() override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;

protected:
    // Puts the frame into the main frame's MDI area (a frame without one stays a window).
    BOOL PlaceInParent(CWnd* pParentWnd) override;
    void SetClientWidget(QWidget* pClient) override { setWidget(pClient); }
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
};
