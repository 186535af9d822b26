#pragma once
// The program's main window: the main toolbar, the status bar, the MDI area, the start-up
// timers the application arms, the periodic log flush, the dock state kept in the profile, and
// the placement of document frames side by side.

#include "controls/FloatEditTB.h"
#include "platform/ui/MDIFrameWnd.h"

#include "app/BoilerPlate.h"

#include <QDockWidget>
#include <QPointer>

#include <vector>

class CDocument;

class CMDIClientWnd;
struct CWizardRequest;
struct CWizardResult;
class CPaletteSelectorBar;
class CStatusBar;
class CToolBar;

// The main frame's timers.
constexpr UINT_PTR TIMER_SHOW_FRAME = 1;
constexpr UINT_PTR TIMER_START_SCREEN = 2;
constexpr UINT_PTR TIMER_TIP = 3;
constexpr UINT_PTR TIMER_WELCOME = 5;
constexpr UINT_PTR TIMER_LOG_FLUSH = 6;
constexpr UINT LOG_FLUSH_PERIOD = 300000;
// How often a start-up box due while a document is read looks again (ms).
constexpr UINT STARTUP_BOX_RETRY = 200;

class CMainFrame : public CMDIFrameWnd, public IPaletteSelectorHost {
public:
    CMainFrame();
    ~CMainFrame() override;

    int OnCreate(CCreateContext* pContext) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    // Keeps the dock state, then closes as the framework does (every document asked to save).
    void OnClose() override;
    // The Help menu starts with the tip of the day, exactly once.
    void OnInitMenu(QMenuBar* pMenuBar) override;

    CToolBar* GetToolBar() const { return m_pToolBar; }
    CStatusBar* GetStatusBar() const { return m_pStatusBar; }
    CMDIClientWnd* GetClientWnd() const { return m_pClient; }
    // The "Quick Pick" bar, shown and hidden for the floating editing toolbar.
    CPaletteSelectorBar* GetQuickPickBar() const { return m_pQuickPick; }
    QDockWidget* GetQuickPickDock() const { return m_pQuickPickDock; }
    void ShowPaletteSelector(BOOL bShow) override;

    // Two frames restored and placed: the first on the left, the second on the right, each
    // moved by its direction.
    static void PlaceTwoFrames(CFrameWnd* pLeft, int nLeftDir, CFrameWnd* pRight, int nRightDir);
    // Side by side: both restored, a Question Corra frame fitted to the main window first.
    static void ShowSideBySide(CFrameWnd* pLeft, CFrameWnd* pRight);

    // The welcome message (timer 5): nothing once the user suppressed it.
    void ShowWelcome();

    // The start screen's page n; 0 when it cannot be shown. With bFallback, page 0 instead.
    int ShowStartScreen(int nScreen, BOOL bFallback = FALSE);
    CBoilerPlate* GetNavigator() const { return m_pNavigator; }
    // Runs a task of the start screen (wParam START_SCREEN_TASK) or of a document (0).
    LRESULT OnTask(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs the Add Question Wizard and then what it chose; IDCANCEL (2) when it was cancelled,
    // failed or is not there, IDOK otherwise.
    int RunWizard(const CWizardRequest& request, CWizardResult& result);

    // A modeless window that gets the frame's idle updates for as long as it lives.
    void AddIdleWindow(CWnd* pWnd);
    void OnIdleUpdateCmdUI() override;
    // The program was switched away from (the floating editing toolbar hides) or back to.
    void OnActivateApp(BOOL bActive);
    // "Quorvale Updates".
    void ShowUpdateBox();

protected:
    QMdiArea* CreateMDIClient() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CToolBar* m_pToolBar = nullptr;
    CStatusBar* m_pStatusBar = nullptr;
    CMDIClientWnd* m_pClient = nullptr;
    CPaletteSelectorBar* m_pQuickPick = nullptr;
    QPointer<QDockWidget> m_pQuickPickDock;
    QPointer<CBoilerPlate> m_pNavigator;
    std::vector<QPointer<QWidget>> m_idleWindows;
    BOOL m_bToolbarWasVisible = FALSE;
    void BindFrameCommands();
    // A wizard task: the wizard, its clean-up when cancelled, the page when it came from there.
    void WizardTask(const CWizardRequest& request, BOOL bCleanUp, WPARAM wParam, int nBack);
    // What a finished wizard chose, done: IDCANCEL when it failed.
    int TransferWizardResult(CWizardResult& result);

    // A task cancelled from the start screen shows its page again.
    void BackTo(WPARAM wParam, int nScreen, BOOL bFallback);
    // The question dialog of a chosen or new document, its frames restored, its first frame active.
    static void EditDocument(CDocument* pDoc, BOOL bDialog, BOOL bActivate);
};

// The main frame's tasks, posted by the start screen and by documents.
constexpr UINT TASK_FIRST = 0x8003;
constexpr UINT TASK_LAST = 0x805C;

// Where the Quick Pick bar first floats (screen coordinates).
constexpr POINT QUICKPICK_FLOAT_AT = {100, 100};

// The section of the profile that keeps the bars' places.
constexpr const char* DOCK_STATE_SECTION = "QVDockState";
