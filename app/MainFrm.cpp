#include "app/MainFrm.h"

#include "app/BoilerPlate.h"
#include "app/ChildFrames.h"
#include "app/DocumentChooser.h"
#include "app/FramePlacement.h"
#include "app/Pictures.h"
#include "app/StartupSettingsDlg.h"
#include "app/TipDlg.h"
#include "controls/PaletteSelectorBar.h"
#include "foundation/CorraAppBase.h"
#include "foundation/FileTypes.h"
#include "foundation/Log.h"
#include "model/CorraDoc.h"
#include "model/DocumentDialogs.h"
#include "platform/ui/Document.h"
#include "platform/ui/View.h"
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
    BindCommand(ID_MAIN_MENU, [this] { ShowStartScreen(0); });
    BindCommand(ID_CORRA_MENU, [this] { ShowStartScreen(1, TRUE); });
    BindCommand(ID_EXAM_MENU, [this] { ShowStartScreen(5, TRUE); });
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
    // The start screen stands over the MDI area, hidden until a timer or command shows it.
    RegisterStartScreenPictures();
    m_pNavigator = new CBoilerPlate;
    m_pNavigator->Create(m_pClient, this, FALSE);
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
        KillTimer(nIDEvent);
        ShowStartScreen(0);
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

int CMainFrame::ShowStartScreen(int nScreen, BOOL bFallback)
{
    if (!m_pNavigator)
        return 0;
    int nShown = m_pNavigator->ShowScreen(nScreen);
    if (!nShown && bFallback)
        nShown = m_pNavigator->ShowScreen(0);
    return nShown;
}

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= TASK_FIRST && message <= TASK_LAST)
        return OnTask(message, wParam, lParam);
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}

void CMainFrame::BackTo(WPARAM wParam, int nScreen, BOOL bFallback)
{
    if (wParam == START_SCREEN_TASK)
        ShowStartScreen(nScreen, bFallback);
}

namespace {

CFrameWnd* FirstFrame(CDocument* pDoc)
{
    CView* pView = pDoc ? pDoc->GetFirstView() : nullptr;
    return pView ? pView->GetParentFrame() : nullptr;
}

void CloseFirstFrame(CDocument* pDoc)
{
    if (pDoc)
        pDoc->PostCommandToFirstView(menus::kFileClose);
}

void RestoreFrames(CDocument* pDoc)
{
    for (POSITION pos = pDoc ? pDoc->GetFirstViewPosition() : nullptr; pos;) {
        CView* pView = pDoc->GetNextView(pos);
        if (auto* pChild = dynamic_cast<CMDIChildWnd*>(pView ? pView->GetParentFrame() : nullptr))
            pChild->MDIRestore();
    }
}

// What a task chooses: the kind and the text that tells the user what to pick.
struct CTaskChoice {
    int nKind;
    const char* info;
};
constexpr CTaskChoice kEditCorra{DT_CORRA, "Select a Question Corra to edit."};
constexpr CTaskChoice kAddToCorra{DT_CORRA, "Select the Question Corra TO which you would like to add questions."};
constexpr CTaskChoice kAddFromCorra{DT_CORRA, "Select the Question Corra FROM which you would like to copy questions."};
constexpr CTaskChoice kEditExam{DT_EXAM, "Select an Exam to edit."};
constexpr CTaskChoice kAddToExam{DT_EXAM, "Select an Exam to add questions to."};
constexpr CTaskChoice kCopyFromCorra{DT_CORRA, "Select a Question Corra from which to copy questions."};
constexpr CTaskChoice kFormsExam{DT_EXAM, "Select an exam to create forms from."};
constexpr CTaskChoice kPreviewCorra{DT_CORRA, "Select a Question Corra to Print Preview."};
constexpr CTaskChoice kPreviewExam{DT_EXAM, "Select an Exam to Print Preview."};
constexpr CTaskChoice kPreviewKeys{DT_EXAM, "Select an Exam to Print Preview Keys."};
constexpr CTaskChoice kPrintCorra{DT_CORRA, "Select a Question Corra to print."};
constexpr CTaskChoice kPrintExam{DT_EXAM, "Select an Exam to print."};
constexpr CTaskChoice kPrintKeys{DT_EXAM, "Select an Exam to print keys."};

CDocument* Choose(const CTaskChoice& choice, BOOL& bOpened, CDocument* pExclude = nullptr)
{
    return DocumentChooser().ChooseDocument(choice.nKind, choice.info, bOpened, pExclude);
}

// Commands the tasks post to a chosen document's view.
constexpr UINT ID_NEW_FORMS = 32809;
constexpr UINT ID_PRINT_KEYS = 32822;
constexpr UINT ID_PREVIEW_KEYS = 32850;

} // namespace

void CMainFrame::EditDocument(CDocument* pDoc, BOOL bDialog, BOOL bActivate)
{
    if (!pDoc)
        return;
    RestoreFrames(pDoc);
    if (bActivate) {
        if (CFrameWnd* pFrame = FirstFrame(pDoc))
            pFrame->ActivateFrame();
    }
    if (auto* pCorra = dynamic_cast<CCorraDoc*>(pDoc); pCorra && bDialog)
        DocumentDialogs().ShowQuestionDialog(*pCorra);
}

LRESULT CMainFrame::OnTask(UINT message, WPARAM wParam, LPARAM lParam)
{
    BOOL bOpened = FALSE;
    // A choice, then the command posted to the chosen document's view; cancelled, the page.
    auto chooseAndPost = [&](const CTaskChoice& choice, UINT nCommand, int nBack) {
        if (CDocument* pDoc = Choose(choice, bOpened)) {
            RestoreFrames(pDoc);
            pDoc->PostCommandToFirstView(nCommand);
        } else {
            BackTo(wParam, nBack, FALSE);
        }
    };
    switch (message) {
    case 0x8004:
        EditDocument(NewDocumentOfKind(DT_CORRA), TRUE, FALSE);
        return 0;
    case 0x8005:
        if (CDocument* pDoc = Choose(kEditCorra, bOpened))
            EditDocument(pDoc, TRUE, TRUE);
        else
            BackTo(wParam, 1, TRUE);
        return 0;
    case 0x8006: {
        CDocument* pTo = Choose(kAddToCorra, bOpened);
        if (!pTo) {
            BackTo(wParam, 1, TRUE);
            return 0;
        }
        const BOOL bOpenedTo = bOpened;
        if (CDocument* pFrom = Choose(kAddFromCorra, bOpened, pTo)) {
            ShowSideBySide(FirstFrame(pTo), FirstFrame(pFrom));
            return 0;
        }
        // Only what this task opened is closed again.
        if (bOpenedTo)
            CloseFirstFrame(pTo);
        BackTo(wParam, 1, TRUE);
        return 0;
    }
    case 0x8015:
        EditDocument(NewDocumentOfKind(DT_EXAM), TRUE, FALSE);
        return 0;
    case 0x8016:
        if (CDocument* pDoc = Choose(kEditExam, bOpened))
            EditDocument(pDoc, TRUE, TRUE);
        else
            BackTo(wParam, 5, TRUE);
        return 0;
    case 0x8017: {
        CDocument* pExam = Choose(kAddToExam, bOpened);
        CDocument* pCorra = pExam ? Choose(kCopyFromCorra, bOpened) : nullptr;
        if (pExam && pCorra)
            ShowSideBySide(FirstFrame(pExam), FirstFrame(pCorra));
        else
            BackTo(wParam, 5, TRUE);
        return 0;
    }
    case 0x8018:
        if (CDocument* pDoc = Choose(kAddToExam, bOpened))
            EditDocument(pDoc, TRUE, FALSE);
        else
            BackTo(wParam, 5, TRUE);
        return 0;
    case 0x8019: {
        CDocument* pExam = NewDocumentOfKind(DT_EXAM);
        if (!pExam)
            return 0;
        if (CDocument* pCorra = Choose(kCopyFromCorra, bOpened)) {
            ShowSideBySide(FirstFrame(pExam), FirstFrame(pCorra));
            return 0;
        }
        CloseFirstFrame(pExam);
        BackTo(wParam, 5, TRUE);
        return 0;
    }
    case 0x801B: chooseAndPost(kFormsExam, ID_NEW_FORMS, 5); return 0;
    case 0x801C: chooseAndPost(kPreviewCorra, menus::kPrintPreview, 8); return 0;
    case 0x801D: chooseAndPost(kPreviewExam, menus::kPrintPreview, 8); return 0;
    case 0x801E: chooseAndPost(kPreviewKeys, ID_PREVIEW_KEYS, 8); return 0;
    case 0x8028: chooseAndPost(kPrintCorra, menus::kPrint, 8); return 0;
    case 0x8029: chooseAndPost(kPrintExam, menus::kPrint, 8); return 0;
    case 0x802A: chooseAndPost(kPrintKeys, ID_PRINT_KEYS, 8); return 0;
    case 0x8003:
    case 0x8008:
    case 0x805B:
    case 0x805C:
    case 0x8014:
    case 0x801A: {
        // The Add Question Wizard is not part of this program yet: the task ends as cancelled.
        LogOutput(CString::Formatted("CMainFrame::OnTask(0x%X, %d, %ld) - the wizard is not available", message,
                                     static_cast<int>(wParam), static_cast<long>(lParam)),
                  1, LOG_HERE);
        const int nBack = message == 0x8003 || message == 0x8008 ? 1 : 5;
        if (message != 0x805C && lParam == 0)
            BackTo(wParam, nBack, TRUE);
        return 0;
    }
    case 0x8050: PostCommand(menus::kExit); return 0;
    case 0x8052: return 1;
    case 0x8059:
        FontManagerDialogSlot().Get().Run(static_cast<int>(wParam), this);
        return 0;
    default: return 0;
    }
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
