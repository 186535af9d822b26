#pragma once
// The bars of a frame: toolbars of command buttons and the status bar with its message pane and
// indicators. A button's tool tip and the status bar's prompt come from the string table entry
// of its command id, "prompt\ntip".

#include "platform/ui/Wnd.h"

#include <QStatusBar>
#include <QToolBar>

#include <vector>

class QLabel;

// Bar styles the frames pass (our own values; the names follow the usual ones).
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0040;
constexpr DWORD CBRS_ORIENT_VERT = 0x0080;
constexpr DWORD TBSTYLE_FLAT = 0x0800;

// The prompt (bTip FALSE) or tool tip (bTip TRUE) of a command: the two parts of its string.
CString CommandPrompt(UINT nID, BOOL bTip);

class CToolBar : public QToolBar, public CWnd {
public:
    CToolBar();

    // Puts the bar in its frame with its id; the style's alignment says where it docks first.
    BOOL CreateEx(QWidget* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID);
    // The buttons (0 a separator): each runs its command through the frame's route.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);
    // A button's picture (the framework's commands have the style's own).
    void SetButtonIcon(UINT nID, const QIcon& icon);
    QAction* FindButton(UINT nID) const;
    int GetButtonCount() const;
    // Where the bar may dock (CBRS_ALIGN_*).
    void EnableDocking(DWORD dwDockStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }

    // The buttons' commands and updates go the way of the window the bar is in.
    BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra) override;

private:
    DWORD m_dwStyle = 0;
};

class CStatusBar : public QStatusBar, public CWnd {
public:
    CStatusBar();

    BOOL Create(QWidget* pParentWnd, DWORD dwStyle, UINT nID);
    // The panes: ID_SEPARATOR the message pane, others indicators showing their string.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    void SetPaneText(int nIndex, const char* text);
    CString GetPaneText(int nIndex) const;
    // The message pane; back to the idle message ("Ready") with an empty text.
    void SetMessageText(const char* text);

private:
    std::vector<QLabel*> m_panes;
    std::vector<UINT> m_ids;
};
