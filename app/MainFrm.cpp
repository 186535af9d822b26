#include "app/MainFrm.h"

#include "app/BitmapPickerDlg.h"
#include "app/BoilerPlate.h"
#include "app/ChildFrames.h"
#include "app/CorraIdCheck.h"
#include "app/DocumentChooser.h"
#include "app/FolderSetupDlg.h"
#include "app/FramePlacement.h"
#include "app/Pictures.h"
#include "app/ProgramDataDlg.h"
#include "app/StartupSettingsDlg.h"
#include "app/SupportDlg.h"
#include "app/TaskServices.h"
#include "app/TipDlg.h"
#include "app/VersionText.h"
#include "controls/HVRichEditCtrl.h"
#include "controls/PaletteSelectorBar.h"
#include "foundation/CorraAppBase.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "model/CorraDoc.h"
#include "model/DocumentDialogs.h"
#include "model/ExamDoc.h"
#include "model/Update.h"
#include "render/RtfText.h"
#include "platform/ui/Document.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "platform/ui/ControlBars.h"
#include "platform/ui/QtString.h"
#include "res/ids/Menus.h"

#include <QAction>
#include <QDockWidget>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QKeySequence>
#include <QWhatsThis>

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
    BindFrameCommands();
}

void CMainFrame::BindFrameCommands()
{
    // The wizard's commands: disabled while there is no wizard.
    auto wizardThere = [](CCmdUI* pCmdUI) { pCmdUI->Enable(AddQuestionWizardSlot().Installed() != nullptr); };
    auto wizardCommand = [this](const char* title, UINT nStart) {
        CWizardRequest request;
        request.title = title;
        request.nStartCommand = nStart;
        CWizardResult result;
        if (RunWizard(request, result) == IDCANCEL)
            AddQuestionWizardSlot().Get().CancelCleanUp(result);
    };
    BindCommand(ID_AUTO_CONVERT, [wizardCommand] { wizardCommand("AutoConvert...", WIZARD_START_AUTOCONVERT); });
    BindUpdate(ID_AUTO_CONVERT, wizardThere);
    BindCommand(ID_ADD_QUESTION_WIZARD, [wizardCommand] { wizardCommand("Add questions from...", 0); });
    BindUpdate(ID_ADD_QUESTION_WIZARD, wizardThere);
    BindCommand(ID_CREATE_RANDOM_EXAM, [this] { OnTask(0x8014, 0, 0); });
    BindUpdate(ID_CREATE_RANDOM_EXAM, wizardThere);

    BindCommand(ID_DEFAULT_FONTS, [this] { FontManagerDialogSlot().Get().Run(-1, this); });
    BindUpdate(ID_DEFAULT_FONTS, [](CCmdUI* pCmdUI) { pCmdUI->Enable(FontManagerDialogSlot().Get().IsAvailable()); });
    BindCommand(ID_IMPORT_FILES, [this] { ImportFilesDialogSlot().Get().Run(this); });
    BindUpdate(ID_IMPORT_FILES, [](CCmdUI* pCmdUI) { pCmdUI->Enable(ImportFilesDialogSlot().Installed() != nullptr); });
    BindCommand(ID_VIEW_EXPORTED_FILES, [this] { ExportedFilesViewerSlot().Get().Run(this); });
    BindUpdate(ID_VIEW_EXPORTED_FILES,
               [](CCmdUI* pCmdUI) { pCmdUI->Enable(ExportedFilesViewerSlot().Installed() != nullptr); });

    BindCommand(ID_MANAGE_FOLDERS, [this] { RunManageFolders(this); });
    BindCommand(ID_PROGRAM_DATA, [this] { RunProgramData(this); });
    BindCommand(ID_CONTACT_SUPPORT, [this] {
        CSupportDlg dlg(nullptr, this);
        dlg.DoModal();
    });
    BindCommand(ID_CHOOSE_BITMAPS, [this] {
        CHVBitmapPickerDlg dlg(this);
        dlg.DoModal();
    });
    BindCommand(ID_VIEW_LOG, [] {
        try {
            FlushLogBuffer();
        } catch (const std::exception&) {
        }
        ViewLog();
    });
    BindUpdate(ID_VIEW_LOG, [](CCmdUI* pCmdUI) { pCmdUI->Enable(CanViewLog()); });
    BindCommand(ID_DELETE_LOG, [] { DeleteLog(); });
    BindCommand(ID_CHECK_CORRA_IDS, [] { RunCorraIdCheck(); });
    BindCommand(ID_EDIT_TERMS, [] { AfxMessageBox(LoadStringId(IDS_NOT_IMPLEMENTED)); });
    BindCommand(ID_USERS_GUIDE, [] { OpenUserGuideURL(); });
    BindUpdate(ID_USERS_GUIDE, [](CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); });
    BindCommand(ID_PRODUCT_TOUR, [] { OpenTourURL(); });
    BindCommand(ID_PRODUCT_UPDATES, [this] { ShowUpdateBox(); });
    BindCommand(ID_HELP, [] { HelpService().ShowTopic(0); });
    BindCommand(ID_DEFAULT_HELP, [] { HelpService().ShowTopic(0); });
    BindCommand(ID_CONTEXT_HELP, [] { QWhatsThis::enterWhatsThisMode(); });
}

void CMainFrame::ShowUpdateBox()
{
    const CString version = GetFileVersionText();
    CRichMessage msg;
    msg.title = "Quorvale Update";
    msg.style = RMB_YESNO;
    msg.bitmapId = IDB_UPDATE;
    msg.paneId[0] = IDS_UPDATE_TEXT;
    msg.pane[1].Format(LoadStringId(IDS_UPDATE_PATCH), static_cast<LPCSTR>(version));
    msg.pane[2].Format(LoadStringId(IDS_UPDATE_RUNNING), static_cast<LPCSTR>(version));
    msg.yes = "Update";
    msg.no = "Cancel";
    if (RichMessageBox(msg) == IDYES)
        OpenUpdateURL();
}

void CMainFrame::AddIdleWindow(CWnd* pWnd)
{
    if (pWnd && pWnd->GetWidget())
        m_idleWindows.emplace_back(pWnd->GetWidget());
}

void CMainFrame::OnIdleUpdateCmdUI()
{
    CMDIFrameWnd::OnIdleUpdateCmdUI();
    // Windows closed since the last round are forgotten.
    std::vector<QPointer<QWidget>> alive;
    for (const QPointer<QWidget>& w : m_idleWindows) {
        CWnd* pWnd = w ? CWnd::FromHandle(w.data()) : nullptr;
        if (!pWnd)
            continue;
        pWnd->OnIdleUpdateCmdUI();
        alive.push_back(w);
    }
    m_idleWindows = std::move(alive);
}

void CMainFrame::OnActivateApp(BOOL bActive)
{
    IFloatEditToolbar* pToolbar = GetSharedFloatToolbar();
    if (!pToolbar)
        return;
    if (!bActive) {
        m_bToolbarWasVisible = pToolbar->IsVisible();
        if (m_bToolbarWasVisible)
            pToolbar->Show(FALSE);
    } else if (m_bToolbarWasVisible) {
        pToolbar->Show(TRUE);
    }
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
    // The start screen stands over the MDI area, hidden until a timer or command shows it. Its
    // pictures are drawn for the sharpest screen.
    RegisterStartScreenPictures(qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
    m_pNavigator = new CBoilerPlate;
    m_pNavigator->Create(m_pClient, this, FALSE);
    return m_pClient;
}

int CMainFrame::OnCreate(CCreateContext*)
{
    placement::Reset();
    // F1 anywhere in the main window opens the help; a list with a topic of its own takes it first.
    QAction* help = CreateCommandAction(this, ID_HELP, "Help");
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WindowShortcut);
    addAction(help);
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
        // The bar stands in a dock window, which floats where it is put and docks on the left
        // or right side.
        m_pQuickPickDock = new QDockWidget(QStringLiteral("Quick Pick"), this);
        // Hidden before it floats: a floating dock window not hidden shows itself at once.
        m_pQuickPickDock->hide();
        m_pQuickPickDock->setObjectName(QStringLiteral("Bar%1").arg(IDW_QUICKPICK_BAR));
        m_pQuickPickDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
        m_pQuickPickDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                                      QDockWidget::DockWidgetClosable);
        m_pQuickPick = new CPaletteSelectorBar(m_pQuickPickDock);
        m_pQuickPick->SetDlgCtrlID(IDW_QUICKPICK_BAR);
        m_pQuickPick->setWindowTitle(QStringLiteral("Quick Pick"));
        m_pQuickPick->setOrientation(Qt::Vertical);
        m_pQuickPick->setMovable(false);
        m_pQuickPick->setFloatable(false);
        m_pQuickPickDock->setWidget(m_pQuickPick);
        addDockWidget(Qt::LeftDockWidgetArea, m_pQuickPickDock);
        m_pQuickPickDock->setFloating(true);
        m_pQuickPickDock->move(QUICKPICK_FLOAT_AT.x, QUICKPICK_FLOAT_AT.y);
        m_pQuickPickDock->hide();
        m_pQuickPick->hide();
        PaletteSelectorHostSlot().Set(this);
    } catch (const std::exception& e) {
        // The frame goes on without it: the log flush, docking and the bar state still follow.
        LogOutput(CString("CMainFrame::OnCreate() - failed to create the Quick Pick bar: ") + e.what(), 1, LOG_HERE);
        AfxMessageBox("Failed to create QuickPick Bar.");
    }
    SetTimer(TIMER_LOG_FLUSH, LOG_FLUSH_PERIOD);
    m_pToolBar->EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(m_pToolBar);
    LoadBarState(DOCK_STATE_SECTION);
    QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
                     [this](Qt::ApplicationState state) { OnActivateApp(state == Qt::ApplicationActive); });
    return 0;
}

void CMainFrame::ShowPaletteSelector(BOOL bShow)
{
    if (m_pQuickPickDock)
        ShowControlBar(m_pQuickPickDock, bShow);
    if (m_pQuickPick)
        ShowControlBar(m_pQuickPick, bShow);
}

void CMainFrame::OnTimer(UINT_PTR nIDEvent)
{
    // A box of the start-up shown while a document is read would hold the read up until it is
    // closed: it comes once the read is done.
    const BOOL bStartupBox = nIDEvent == TIMER_START_SCREEN || nIDEvent == TIMER_TIP || nIDEvent == TIMER_WELCOME;
    if (bStartupBox && CCorraDoc::IsReadingOnUiThread()) {
        SetTimer(nIDEvent, STARTUP_BOX_RETRY);
        return;
    }
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

CWizardRequest WizardRequest(const char* title, UINT nStart, DWORD dwFlags, LPARAM lParam)
{
    CWizardRequest request;
    request.title = title;
    request.nStartCommand = nStart;
    request.dwSheetFlags = dwFlags;
    request.lParam = lParam;
    return request;
}

// Commands the tasks post to a chosen document's view.
constexpr UINT ID_NEW_FORMS = 32809;
constexpr UINT ID_PRINT_KEYS = 32822;
constexpr UINT ID_PREVIEW_KEYS = 32850;
// The exam's print mode of the keys.
constexpr int PRINT_MODE_KEYS = 3;

enum class EExamChoice { Posted, NoneChosen, LinksOutOfDate };

// An exam chosen to print or preview: its links brought up to date first (the exam's own link
// check stays quiet while it opens), then the command posted to its view.
EExamChoice ChooseExamToPrint(const CTaskChoice& choice, UINT nCommand, BOOL bKeys)
{
    BOOL bOpened = FALSE;
    const BOOL bWasSuppressed = CCorraDoc::IsAutoSaveSuppressed();
    CCorraDoc::SuppressAutoSave(TRUE);
    CDocument* pDoc = nullptr;
    try {
        pDoc = Choose(choice, bOpened);
    } catch (...) {
        CCorraDoc::SuppressAutoSave(bWasSuppressed);
        throw;
    }
    CCorraDoc::SuppressAutoSave(bWasSuppressed);
    if (!pDoc)
        return EExamChoice::NoneChosen;
    auto* pExam = dynamic_cast<CExamDoc*>(pDoc);
    if (pExam && !UpdateOutOfDateLinks(pExam)) {
        if (bOpened)
            CloseFirstFrame(pDoc);
        return EExamChoice::LinksOutOfDate;
    }
    RestoreFrames(pDoc);
    if (pExam && bKeys)
        pExam->m_nPrintModeOverride = PRINT_MODE_KEYS;
    pDoc->PostCommandToFirstView(nCommand);
    return EExamChoice::Posted;
}


} // namespace

void CMainFrame::WizardTask(const CWizardRequest& request, BOOL bCleanUp, WPARAM wParam, int nBack)
{
    CWizardResult result;
    if (RunWizard(request, result) != IDCANCEL || !bCleanUp)
        return;
    AddQuestionWizardSlot().Get().CancelCleanUp(result);
    if (nBack >= 0)
        BackTo(wParam, nBack, TRUE);
}

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
    // Pages of an area fall back to page 0; the printing page has no fallback.
    auto chooseAndPost = [&](const CTaskChoice& choice, UINT nCommand, int nBack) {
        if (CDocument* pDoc = Choose(choice, bOpened)) {
            RestoreFrames(pDoc);
            pDoc->PostCommandToFirstView(nCommand);
        } else {
            BackTo(wParam, nBack, nBack != 8);
        }
    };
    auto examTask = [&](const CTaskChoice& choice, UINT nCommand, BOOL bKeys) {
        switch (ChooseExamToPrint(choice, nCommand, bKeys)) {
        case EExamChoice::NoneChosen: BackTo(wParam, 8, FALSE); break;
        case EExamChoice::LinksOutOfDate: ShowStartScreen(8); break;
        case EExamChoice::Posted: break;
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
        if (!pExam) {
            BackTo(wParam, 5, TRUE);
            return 0;
        }
        const BOOL bOpenedExam = bOpened;
        if (CDocument* pCorra = Choose(kCopyFromCorra, bOpened)) {
            ShowSideBySide(FirstFrame(pExam), FirstFrame(pCorra));
            return 0;
        }
        // An exam opened only for this task does not stay behind it.
        if (bOpenedExam)
            CloseFirstFrame(pExam);
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
    case 0x801D: examTask(kPreviewExam, menus::kPrintPreview, FALSE); return 0;
    case 0x801E: examTask(kPreviewKeys, ID_PREVIEW_KEYS, TRUE); return 0;
    case 0x8028: chooseAndPost(kPrintCorra, menus::kPrint, 8); return 0;
    case 0x8029: examTask(kPrintExam, menus::kPrint, FALSE); return 0;
    case 0x802A: examTask(kPrintKeys, ID_PRINT_KEYS, TRUE); return 0;
    case 0x8003:
    case 0x8008:
        WizardTask(WizardRequest("AutoConvert...", WIZARD_START_AUTOCONVERT, 0, lParam), lParam == 0, wParam, 1);
        return 0;
    case 0x805B:
        WizardTask(WizardRequest("AutoConvert...", WIZARD_START_AUTOCONVERT_EXAM, 0, lParam), lParam == 0, wParam, 5);
        return 0;
    case 0x805C: {
        // A source document's AutoConvert names the document by address and serial (wParam):
        // one closed before this is handled is never used.
        CWizardRequest request = WizardRequest("AutoConvert...", WIZARD_START_AUTOCONVERT_DOC, 0, lParam);
        if (lParam) {
            auto* pDoc = reinterpret_cast<CDocument*>(lParam);
            if (!CDocument::IsAlive(pDoc, static_cast<std::uint64_t>(wParam))) {
                LogOutput("CMainFrame::OnTask() - the source document of AutoConvert is closed", LOG_ERROR, LOG_HERE);
                return 0;
            }
            request.doc.Reset(pDoc);
        }
        WizardTask(request, lParam == 0, 0, -1);
        return 0;
    }
    case 0x8014:
        WizardTask(WizardRequest("Create new random Exam...", WIZARD_START_RANDOM_EXAM, WIZARD_SHEET_RANDOM_EXAM, 0),
                   TRUE, wParam, 5);
        return 0;
    case 0x801A:
        WizardTask(WizardRequest("Add random questions to Exam...", WIZARD_START_RANDOM_ADD, 0, lParam), lParam == 0,
                   wParam, 5);
        return 0;
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

namespace {

// The frame of the document's collection window showing the named collection, shown first;
// NULL when there is none.
CFrameWnd* CollectionFrame(CDocument* pDoc, const CString& collection)
{
    auto* pCorra = dynamic_cast<CCorraDoc*>(pDoc);
    if (!pCorra || collection.IsEmpty() || !pCorra->ShowCollectionByName(collection))
        return nullptr;
    CFrameWnd* pFrame = nullptr;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos;) {
        CView* pView = pDoc->GetNextView(pos);
        if (pView && CorraViewServices().IsCollectionView(pView))
            pFrame = pView->GetParentFrame();
    }
    return pFrame;
}

// A document on the left and its collection window a caption lower and further right.
void PlaceWithCollection(CDocument* pDoc, const CString& collection)
{
    if (CFrameWnd* pColl = CollectionFrame(pDoc, collection)) {
        placement::MoveFrame(FirstFrame(pDoc), TRUE, 0);
        placement::MoveFrame(pColl, TRUE, 2);
    }
}

} // namespace

int CMainFrame::RunWizard(const CWizardRequest& request, CWizardResult& result)
{
    IAddQuestionWizard* pWizard = AddQuestionWizardSlot().Installed();
    if (!pWizard) {
        LogOutput(CString("CMainFrame::RunWizard() - the Add Question Wizard is not available: ") + request.title, 1,
                  LOG_HERE);
        return IDCANCEL;
    }
    if (pWizard->Run(request, result, this) == IDCANCEL)
        return IDCANCEL;
    const int nResult = TransferWizardResult(result);
    pWizard->TransferDone(result);
    return nResult;
}

int CMainFrame::TransferWizardResult(CWizardResult& result)
{
    IAddQuestionWizard* pWizard = &AddQuestionWizardSlot().Get();
    CDocument* pTarget = result.pTarget;
    auto* pCorra = dynamic_cast<CCorraDoc*>(pTarget);
    if (!pCorra) {
        LogOutput("CMainFrame::RunWizard() - the wizard named no target document", 1, LOG_HERE);
        return IDCANCEL;
    }
    switch (result.nMethod) {
    case 4: DocumentDialogs().ShowQuestionDialog(*pCorra); return IDOK;
    case 0: {
        CString text = result.sourceText;
        CString lead = text;
        lead.TrimLeft();
        BOOL bConverted = FALSE;
        if (lead.Left(5) == "{\\rtf") {
            // RTF is converted from a control that holds it, as the user would see it.
            SpliceRtfText(text, nullptr, 0, nullptr, nullptr);
            auto* pCtrl = new CHVRichEditCtrl(this);
            pCtrl->hide();
            pCtrl->resize(300, 200);
            if (pCtrl->GetLimitText() < text.GetLength())
                pCtrl->LimitText(text.GetLength());
            pCtrl->SetText(text, SF_RTF);
            bConverted = pWizard->AutoConvert(*pCorra, text, pCtrl);
            delete pCtrl;
        } else {
            bConverted = pWizard->AutoConvert(*pCorra, text, nullptr);
        }
        if (!bConverted) {
            AfxMessageBox("AutoConvert failure.");
            return IDCANCEL;
        }
        if (!result.labelSetting.IsEmpty() && result.labelSetting[0] >= '0' && result.labelSetting[0] <= '9')
            pCorra->SetChoiceLabelCase('a');
        pCorra->RefreshChoices();
        if (!dynamic_cast<CExamDoc*>(pCorra))
            PlaceWithCollection(pCorra, result.collection);
        return IDOK;
    }
    case 1:
    case 2:
    case 3: break;
    default:
        LogOutput(CString::Formatted("CMainFrame::RunWizard() - unknown method %d", result.nMethod), 1, LOG_HERE);
        return IDCANCEL;
    }
    CWinApp* pApp = AfxGetApp();
    CDocument* pSource = result.source.Get();
    if (!pSource && pApp)
        pSource = pApp->OpenDocumentFile(result.sourcePath);
    auto* pSourceCorra = dynamic_cast<CCorraDoc*>(pSource);
    if (!pSourceCorra) {
        AfxMessageBox("Failed top open document\n\n" + result.sourcePath);
        return IDCANCEL;
    }
    if (result.nCopyMode == 0) {
        ShowSideBySide(FirstFrame(pTarget), FirstFrame(pSource));
        // Named collections take the places of their documents.
        if (CFrameWnd* pColl = CollectionFrame(pTarget, result.collection))
            placement::MoveFrame(pColl, TRUE, 2);
        if (CFrameWnd* pColl = CollectionFrame(pSource, result.sourceCollection))
            placement::MoveFrame(pColl, FALSE, 1);
        return IDOK;
    }
    CPtrListEx questions;
    if (result.nCopyMode == 1) {
        CCorraQuestion* pColl =
            result.sourceCollection.IsEmpty() ? nullptr : pSourceCorra->FindCollection(result.sourceCollection);
        if (pColl)
            GetCollectionQuestions(pColl, questions);
        else
            GetDocQuestions(pSourceCorra, questions);
    } else {
        for (POSITION pos = result.questions.GetHeadPosition(); pos;)
            questions.AddTail(result.questions.GetNext(pos));
    }
    CPtrListEx added;
    pCorra->AddQuestions(questions, &added, pSourceCorra, pSourceCorra->GetPathName());
    pCorra->UpdateAllViews(nullptr, HINT_QUESTIONS_ADDED, &added);
    if (!dynamic_cast<CExamDoc*>(pCorra) && !result.collection.IsEmpty()) {
        // The collection pane hears of a collection made here; one that was there redraws.
        const BOOL bNew = pCorra->FindCollection(result.collection) == nullptr;
        CUpdate hint;
        hint.SetView(pCorra->GetOrCreateCollection(result.collection, &added));
        pCorra->UpdateAllViews(nullptr, bNew ? HINT_INSERT_COLLECTIONS : HINT_COLLECTION_CHANGED, &hint);
        PlaceWithCollection(pCorra, result.collection);
    }
    return IDOK;
}
