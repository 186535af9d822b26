#include "app/MainFrm.h"

#include "app/ChildFrames.h"
#include "app/FramePlacement.h"
#include "app/Pictures.h"
#include "app/StartupSettingsDlg.h"
#include "app/TipDlg.h"
#include "controls/PaletteSelectorBar.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "platform/ui/ControlBars.h"
#include "platform/ui/QtString.h"
#include "res/ids/Menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <exception>

CMainFrame::CMainFrame()
{
    setWindowIcon(ProgramIcon());
    BindCommand(ID_STARTUP_SETTINGS, [this] { RunStartupSettings(this); });
    BindCommand(ID_GET_STARTED_NOW, [] { HelpService().ShowTopic(HELP_CTX_GET_STARTED_NOW); });
    BindCommand(ID_GETTING_STARTED, [] { HelpService().ShowTopic(HELP_CTX_GETTING_STARTED); });
    BindCommand(ID_HELP_FINDER, [] { HelpService().ShowTopic(0); });
    BindCommand(ID_NOTHING, [] {});
}

CMainFrame::~CMainFrame()
{
    if (PaletteSelectorHostSlot().Installed() == this)
        PaletteSelectorHostSlot().Set(nullptr);
    try {
        FlushLogBuffer();
    } catch (const std::exception&) {
    }
}

QMdiArea* CMainFrame::CreateMDIClient()
{
    m_pClient = new CMDIClientWnd;
    return m_pClient;
}

int CMainFrame::OnCreate(CCreateContext*)
{
    placement::Reset();
    m_pToolBar = new CToolBar;
    if (!m_pToolBar->CreateEx(this, TBSTYLE_FLAT,
                              CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC,
                              AFX_IDW_TOOLBAR) ||
        !m_pToolBar->SetButtons(kMainToolbarButtons, static_cast<int>(std::size(kMainToolbarButtons))))
        return -1;
    m_pToolBar->setWindowTitle(QStringLiteral("Standard"));
    m_pToolBar->SetButtonIcon(ID_MAIN_MENU, MainMenuIcon());
    m_pStatusBar = new CStatusBar;
    static const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM};
    if (!m_pStatusBar->Create(this, CBRS_BOTTOM, AFX_IDW_STATUS_BAR) ||
        !m_pStatusBar->SetIndicators(indicators, static_cast<int>(std::size(indicators))))
        return -1;
    // The Quick Pick bar: hidden until the editing toolbar asks for it.
    try {
        m_pQuickPick = new CPaletteSelectorBar(this);
        m_pQuickPick->SetDlgCtrlID(IDW_QUICKPICK_BAR);
        m_pQuickPick->setObjectName(QStringLiteral("Bar%1").arg(IDW_QUICKPICK_BAR));
        m_pQuickPick->setWindowTitle(QStringLiteral("Quick Pick"));
        m_pQuickPick->setAllowedAreas(Qt::LeftToolBarArea | Qt::RightToolBarArea);
        m_pQuickPick->setOrientation(Qt::Vertical);
        addToolBar(Qt::LeftToolBarArea, m_pQuickPick);
        m_pQuickPick->hide();
        PaletteSelectorHostSlot().Set(this);
    } catch (const std::exception&) {
        AfxMessageBox("Failed to create QuickPick Bar.");
    }
    SetTimer(TIMER_LOG_FLUSH, LOG_FLUSH_PERIOD);
    m_pToolBar->EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(m_pToolBar);
    LoadBarState(DOCK_STATE_SECTION);
    return 0;
}

void CMainFrame::ShowPaletteSelector(BOOL bShow)
{
    if (m_pQuickPick)
        ShowControlBar(m_pQuickPick, bShow);
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case TIMER_SHOW_FRAME:
        KillTimer(nIDEvent);
        // The whole work area also where no window manager maximises.
        if (QScreen* screen = this->screen())
            setGeometry(screen->availableGeometry());
        ShowWindow(SW_SHOWMAXIMIZED);
        UpdateWindow();
        break;
    case TIMER_START_SCREEN:
        // The start screen comes with its own window; until then the timer only ends.
        KillTimer(nIDEvent);
        break;
    case TIMER_TIP:
        KillTimer(nIDEvent);
        CTipDlg::ShowAtStartup(this);
        break;
    case TIMER_WELCOME:
        KillTimer(nIDEvent);
        ShowWelcome();
        break;
    case TIMER_LOG_FLUSH:
        try {
            FlushLogBuffer();
        } catch (const std::exception&) {
        }
        break;
    default: break;
    }
}

void CMainFrame::ShowWelcome()
{
    if (CorraApp().GetProfileInt("HVMsgBoxDontShow", "DontShowWelcome", 0))
        return;
    CRichMessage msg;
    msg.title = "Welcome";
    msg.style = RMB_YESNOCANCEL;
    msg.dontShowKey = "DontShowWelcome";
    msg.pane[0] = "Welcome to Quorvale";
    msg.paneId[1] = IDS_WELCOME_TEXT;
    msg.yes = "Getting Started";
    msg.no = "Get Started Now!";
    msg.cancel = "Close";
    msg.buttonScale = 1.5;
    switch (RichMessageBox(msg)) {
    case IDYES: HelpService().ShowTopic(HELP_CTX_GETTING_STARTED); break;
    case IDNO: HelpService().ShowTopic(HELP_CTX_GET_STARTED_NOW); break;
    default: break;
    }
}

void CMainFrame::OnClose()
{
    SaveBarState(DOCK_STATE_SECTION);
    CMDIFrameWnd::OnClose();
}

void CMainFrame::OnInitMenu(QMenuBar*)
{
    CString tipText = LoadStringId(IDS_TIP_OF_THE_DAY);
    QMenu* help = FindMenuPopup(LoadStringId(IDS_HELP_MENU));
    if (!help) {
        // No Help menu: one of our own holding the tip.
        help = menuBar()->addMenu(ToQString(LoadStringId(IDS_HELP_MENU)));
        UpdateMenuOnShow(help, this);
    }
    QList<QAction*> items = help->actions();
    if (!items.isEmpty() && GetActionCommandId(items.front()) == ID_HELP_TIPOFTHEDAY)
        return;
    QAction* tip = CreateCommandAction(this, ID_HELP_TIPOFTHEDAY, tipText);
    tip->setStatusTip(ToQString(CommandPrompt(ID_HELP_TIPOFTHEDAY, FALSE)));
    QAction* first = items.isEmpty() ? nullptr : items.front();
    help->insertAction(first, tip);
    if (first)
        help->insertSeparator(first);
}

namespace {

void Restore(CFrameWnd* pFrame)
{
    if (auto* pChild = dynamic_cast<CMDIChildWnd*>(pFrame))
        pChild->MDIRestore();
    else if (pFrame)
        pFrame->ShowWindow(SW_RESTORE);
}

} // namespace

void CMainFrame::PlaceTwoFrames(CFrameWnd* pLeft, int nLeftDir, CFrameWnd* pRight, int nRightDir)
{
    for (CFrameWnd* f : {pLeft, pRight})
        Restore(f);
    placement::MoveFrame(pLeft, TRUE, nLeftDir);
    placement::MoveFrame(pRight, FALSE, nRightDir);
}

void CMainFrame::ShowSideBySide(CFrameWnd* pLeft, CFrameWnd* pRight)
{
    for (CFrameWnd* f : {pLeft, pRight}) {
        if (!f)
            continue;
        Restore(f);
        if (auto* pCorra = dynamic_cast<CCorraFrm*>(f)) {
            CSize size = placement::SideBySideSize();
            pCorra->SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
            pCorra->FitToMainWindow();
        }
    }
    PlaceTwoFrames(pLeft, 0, pRight, 0);
}
