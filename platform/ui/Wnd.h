#pragma once
// The window base. A window of the system is a Qt widget (QDialog, QMainWindow, a control...)
// that also derives from CWnd, which gives it what the system's code expects of a window:
// posted and sent messages handled in one dispatch function (WindowProc), timers by id, command
// routing, control ids, data exchange and the usual show, enable, text and geometry calls.
//
//     class CMyDlg : public QDialog, public CWnd { ... CWnd(this) ... };
//
// Only the system's own message numbers exist (private messages from WM_APP up); commands are
// not messages but go through PostCommand and OnCommand.

#include "platform/core/Collections.h"
#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"
#include "platform/ui/CmdTarget.h"

#include <functional>
#include <map>
#include <memory>

#include <QWidget>

class QAction;
class QMenu;
class CDataExchange;

using HWND = QWidget*;

constexpr UINT WM_USER = 0x0400;
constexpr UINT WM_APP = 0x8000;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;

// SetWindowPos flags.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;

// Check states of buttons.
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;
constexpr int BST_INDETERMINATE = 2;

constexpr int IDHELP = 9;

// The width of one horizontal dialog unit times four in the font: the average width of its letters.
int DialogBaseUnitX(const QFont& font);

class CWnd : public CCmdTarget {
public:
    // self is the widget this object is (the most derived object's `this`).
    explicit CWnd(QWidget* self);
    ~CWnd() override;

    QWidget* GetWidget() const { return m_pWidget; }
    // The widget while the window exists: always for plain windows; for dialogs from their
    // creation (modal run or Create) until they are ended or destroyed. NULL otherwise.
    HWND GetSafeHwnd() const { return m_bCreated ? m_pWidget : nullptr; }
    // The CWnd of a widget, or NULL when it is a plain Qt widget.
    static CWnd* FromHandle(const QObject* widget);

    // Messages. PostMessage may be called from any thread: the message is handled later on the
    // window's thread. SendMessage handles it at once (from another thread it waits for the
    // window's thread to handle it). While the window does not exist (GetSafeHwnd NULL: a
    // dialog not yet created, or any window destroyed) neither is handled: a message still
    // queued when the window is destroyed is dropped.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Every descendant window (children only unless bDeep) gets the message sent.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE);
    // Queues the command nID; it runs through OnCommand when the event loop comes to it.
    BOOL PostCommand(UINT nID);
    // TRUE on the thread that created the window.
    BOOL IsCreatorThread() const;
    // The context object of connections whose handlers use this CWnd: it goes with the CWnd,
    // before the widget's own destruction can emit anything.
    QObject* NotifyContext() const;

    // A command from a menu, toolbar, accelerator or PostCommand: ignored (TRUE) when the
    // command's update handler disables it, else routed through OnCmdMsg.
    virtual BOOL OnCommand(UINT nID);

    // Timers by id over the event loop: SetTimer (re)starts timer nIDEvent with a period of
    // nElapse ms and returns nIDEvent; OnTimer(nIDEvent) is called each period until KillTimer.
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse);
    BOOL KillTimer(UINT_PTR nIDEvent);
    virtual void OnTimer(UINT_PTR nIDEvent) {}

    // The idle update: the default brings this window's menu items and toolbar buttons (the
    // actions that carry a command id and belong to it) up to date, disabling those whose
    // command has no handler, and its controls that have update handlers.
    virtual void OnIdleUpdateCmdUI();
    // This window's OnIdleUpdateCmdUI and then that of every descendant window inside it.
    void SendIdleUpdate();

    // Data exchange between the window's controls and its members; FALSE (with the message
    // shown and the failing control focused) when a field does not validate.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX) {}

    // Window state.
    BOOL ShowWindow(int nCmdShow);  // returns whether it was visible
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);  // returns whether it was disabled
    BOOL IsWindowEnabled() const;
    virtual void SetWindowText(const char* text);
    virtual CString GetWindowText() const;
    void GetWindowText(CString& text) const { text = GetWindowText(); }
    int GetWindowTextLength() const { return GetWindowText().GetLength(); }
    void SetFocus();
    BOOL DestroyWindow();
    // Redraw of the window on or off (SetRedraw(FALSE) ... SetRedraw(TRUE) around big changes).
    void SetRedraw(BOOL bRedraw = TRUE);

    // Geometry. Window rectangles are in screen coordinates, frame included; the client
    // rectangle starts at (0, 0).
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(const RECT& rect, BOOL bRepaint = TRUE);
    // Moves (x, y in screen coordinates for windows, parent client coordinates for controls)
    // and sizes (the outer size: a frame the platform draws, once known, comes off it) by nFlags (SWP_NOMOVE, SWP_NOSIZE, SWP_SHOWWINDOW, SWP_HIDEWINDOW; the z-order
    // and activation are left alone).
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void GetWindowRect(RECT* pRect) const;
    void GetClientRect(RECT* pRect) const;
    void ClientToScreen(POINT* pPoint) const;
    void ClientToScreen(RECT* pRect) const;
    void ScreenToClient(POINT* pPoint) const;
    void ScreenToClient(RECT* pRect) const;
    // Centres on pAlternateOwner, else on the owner (parent) window, else on the screen.
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    // Where CenterWindow puts the window's top-left corner (a window not yet shown first takes
    // its laid-out size).
    CPoint GetCenteredPosition(CWnd* pAlternateOwner = nullptr);
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(const RECT* pRect, BOOL bErase = TRUE);
    void UpdateWindow();

    // Family. GetParent: the nearest CWnd above this widget (for a top-level window, the window
    // that owns it).
    CWnd* GetParent() const;
    QWidget* GetParentWidget() const;

    // Controls by id. A control built in code is registered under its id with AddControl,
    // which also passes its user actions (clicks, text changes, selection changes) to this
    // window as notifications (our own controls send theirs themselves). Radio buttons
    // registered one after another form one group; bGroupStart begins a new group.
    template <typename T>
    T* AddControl(int nID, T* control, BOOL bGroupStart = FALSE)
    {
        RegisterControl(nID, control, bGroupStart);
        return control;
    }
    void RegisterControl(int nID, QWidget* control, BOOL bGroupStart = FALSE);
    // GetDlgItem finds a control among the widgets of this window (not of windows inside it).
    QWidget* GetDlgItem(int nID) const;
    template <typename T>
    T* GetDlgItemAs(int nID) const
    {
        return dynamic_cast<T*>(GetDlgItem(nID));
    }
    int GetDlgCtrlID() const;
    void SetDlgCtrlID(int nID);
    void SetDlgItemText(int nID, const char* text);
    CString GetDlgItemText(int nID) const;
    int GetDlgItemText(int nID, CString& text) const;
    void SetDlgItemInt(int nID, int value, BOOL bSigned = TRUE);
    // The control's text as an integer; *pTrans (when given) FALSE when it is not one.
    int GetDlgItemInt(int nID, BOOL* pTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nID, int nCheck);
    int IsDlgButtonChecked(int nID) const;
    // Checks nIDCheck and unchecks every other radio button of nIDFirst..nIDLast.
    void CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck);
    // The id of the checked button of nIDFirst..nIDLast, 0 when none.
    int GetCheckedRadioButton(int nIDFirst, int nIDLast) const;
    // Enables or disables the control of nID; FALSE when there is none.
    BOOL EnableDlgItem(int nID, BOOL bEnable = TRUE);
    BOOL ShowDlgItem(int nID, int nCmdShow);

    // A control that belongs to this window tells it of a user action (clicks, changes).
    // Routed through OnCmdMsg; TRUE when handled. While data is exchanged (UpdateData) the
    // notifications that the exchange itself causes are dropped.
    virtual BOOL OnChildNotify(UINT nID, UINT nCode, void* pExtra = nullptr);
    // Tells the parent window of a notification of this control (its own id).
    BOOL NotifyParent(UINT nCode, void* pExtra = nullptr);

    // Called by DestroyWindow (and by a dialog's end) before the window goes.
    virtual void OnDestroy() {}

protected:
    // The one dispatch function of posted and sent messages. The default handles none (0).
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) { return 0; }

    void SetCreated(BOOL bCreated) { m_bCreated = bCreated; }

private:
    friend class CWndHelper;
    void FireTimer(int qtTimerId);
    void DeliverPosted(UINT message, WPARAM wParam, LPARAM lParam, BOOL bCommand);

    QWidget* m_pWidget;
    class CWndHelper* m_pHelper;
    BOOL m_bCreated = TRUE;
    std::map<UINT_PTR, int> m_timers;  // id -> Qt timer id
    class QButtonGroup* m_pRadioGroup = nullptr;  // the group the next radio button joins
    BOOL m_bLastWasRadio = FALSE;
    int m_nNotifyLockout = 0;  // inside UpdateData: controls' notifications are not handled
};

// Controls: the id a widget is registered under (0: none).
void SetControlId(QWidget* widget, int nID);
int GetControlId(const QWidget* widget);

// The text of a control or window as the system sees it: an edit's text, a combo box's edit
// text (or its selected item's text), a button's or label's caption, a window's title. A CWnd
// control answers through its own GetWindowText.
CString GetControlText(const QWidget* widget);
void SetControlText(QWidget* widget, const char* text);

// Menu items and toolbar buttons are QActions that carry a command id.
void SetActionCommandId(QAction* action, UINT nID);
UINT GetActionCommandId(const QAction* action);
// A new action of owner for command nID: triggering it runs pOwner->OnCommand(nID).
QAction* CreateCommandAction(CWnd* pOwner, UINT nID, const char* text);
// Brings the command actions under holder (that belong to no nearer CWnd) up to date against
// pTarget's route.
void UpdateCommandActions(QWidget* holder, CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
// Updates the actions of a menu against pTarget each time it is about to show.
void UpdateMenuOnShow(QMenu* menu, CCmdTarget* pTarget);
// Updates the registered controls of pWnd (buttons, check boxes...) that have update handlers
// on pTarget's route; with bDisableIfNoHandler, also disables those whose id has no handler.
void UpdateDialogControls(CWnd* pWnd, CCmdTarget* pTarget, BOOL bDisableIfNoHandler);

// Idle processing. The idle handler runs whenever the event loop has nothing left to do once
// EnableIdleProcessing has been called; the default handler is RunIdleUpdate, which sends the
// idle update to every visible top-level window and its descendants.
void RunIdleUpdate();
class IIdleHandler {
public:
    virtual ~IIdleHandler() = default;
    virtual void OnIdle() = 0;
};
CServiceSlot<IIdleHandler>& IdleHandlerSlot();
void EnableIdleProcessing(BOOL bEnable = TRUE);

// The program's main window (NULL until set).
CWnd* AfxGetMainWnd();
void AfxSetMainWnd(CWnd* pWnd);

// A plain window over QWidget, for windows with no more specific Qt base.
class CWidgetWnd : public QWidget, public CWnd {
public:
    explicit CWidgetWnd(QWidget* parent = nullptr) : QWidget(parent), CWnd(this) {}
};
