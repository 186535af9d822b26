#include "app/CorraApp.h"

#include "app/AboutDlg.h"
#include "app/AddQuestionWizard.h"
#include "app/ChildFrames.h"
#include "app/DocTypeDlg.h"
#include "app/DocumentChooser.h"
#include "app/ExamDialogs.h"
#include "app/MainFrm.h"
#include "app/Pictures.h"
#include "app/Registration.h"
#include "app/ShippedFiles.h"
#include "app/Splash.h"
#include "app/SupportDlg.h"
#include "app/ViewServices.h"
#include "views/CollView.h"
#include "views/ExamVersionView.h"
#include "app/TaskServices.h"
#include "print/ExamPrintPages.h"
#include "print/ExportDialog.h"
#include "views/CorraPreviewView.h"
#include "views/CorraView.h"
#include "views/ExamView.h"
#include "app/TipDlg.h"
#include "app/VersionText.h"
#include "controls/OldProgressDlg.h"
#include "dialogs/EditFileListDlg.h"
#include "dialogs/GroupsDlg.h"
#include "dialogs/QuestionDialogs.h"
#include "dialogs/ImportFilesDlg.h"
#include "dialogs/QuestionImagesDlg.h"
#include "import/SourceDoc.h"
#include "import/SourceView.h"
#include "foundation/FileTypes.h"
#include "foundation/Log.h"
#include "model/CorraDoc.h"
#include "model/CorraIds.h"
#include "model/CorraQuestion.h"
#include "model/SampleBank.h"
#include "model/ExamDoc.h"
#include "model/Update.h"
#include "model/ViewServices.h"
#include "platform/core/FileSys.h"
#include "platform/core/ProgramHome.h"
#include "platform/core/ScreenInfo.h"
#include "platform/core/StringTable.h"
#include "platform/ui/FileDialog.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/View.h"
#include "platform/core/RecentFileList.h"
#include "render/ImageComponent.h"
#include "shell/HVFileDlg.h"
#include "shell/ShellDocs.h"
#include "res/ids/App.h"
#include "res/ids/Print.h"

#include <QFontDatabase>

#include <algorithm>
#include <mutex>
#include <set>

namespace {

BOOL g_bInIdle = FALSE;

void Log(LPCSTR text, int level = 5)
{
    LogOutput(text, level, LOG_HERE);
}

CString Lower(CString s)
{
    s.Trim();
    s.MakeLower();
    return s;
}

// Whether name names pDoc: a path names the document of that very file; a bare name names a
// saved document of that file name or an unsaved one of that title.
BOOL NamesDocument(CDocument* pDoc, const CString& name)
{
    if (name.Find('/') >= 0)
        return !pDoc->GetPathName().IsEmpty() && FullPathKey(pDoc->GetPathName()) == FullPathKey(name);
    if (!pDoc->GetPathName().IsEmpty())
        return fsys::FileName(pDoc->GetPathName()).CompareNoCase(name) == 0;
    return pDoc->GetTitle().CompareNoCase(name) == 0;
}

CDocument* FindNamed(CDocTemplate* pTemplate, LPCSTR text)
{
    if (!pTemplate || !text)
        return nullptr;
    CString name(text);
    name.Trim();
    if (name.IsEmpty())
        return nullptr;
    for (POSITION pos = pTemplate->GetFirstDocPosition(); pos;) {
        CDocument* pDoc = pTemplate->GetNextDoc(pos);
        if (NamesDocument(pDoc, name))
            return pDoc;
    }
    return nullptr;
}

// A file of the installation folder.
CString InHomeFolder(LPCSTR name)
{
    CString folder = GetServerDirectory();
    if (!folder.IsEmpty() && folder.Right(1) != "/")
        folder += "/";
    return folder + name;
}

CFrameWnd* FrameOf(CDocument* pDoc)
{
    CView* pView = pDoc ? pDoc->GetFirstView() : nullptr;
    return pView ? pView->GetParentFrame() : nullptr;
}

// Fonts are added to the process once, however often the installation runs.
std::set<std::string>& InstalledFonts()
{
    static std::set<std::string> fonts;
    return fonts;
}

// The help index the program home carries, so that the help check finds its file.
const char* const kHelpIndex = "Quorvale Help\n\nHelp topics are shown from the Help folder of the program home.\n";

} // namespace

// --- command line -----------------------------------------------------------------------------

BOOL CCorraCommandLineInfo::IsSwitchWord(const char* word) const
{
    CString w(word);
    return w.CompareNoCase("Register") == 0 || w.CompareNoCase("Regserver") == 0 ||
           CCommandLineInfo::IsSwitchWord(word);
}

void CCorraCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast)
{
    CString p(pszParam ? pszParam : "");
    if (bFlag && (p.CompareNoCase("Register") == 0 || p.CompareNoCase("Regserver") == 0)) {
        m_nRegister = 6;
        return;
    }
    CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
}

// --- start-up plan ----------------------------------------------------------------------------

CStartupPlan PlanStartup(BOOL bSplash, BOOL bStartScreen, BOOL bTip, BOOL bWelcome)
{
    if (bWelcome)
        bStartScreen = bTip = FALSE;
    CStartupPlan plan;
    if (bSplash) {
        plan.splash = bStartScreen ? 5000 : (bTip ? 4500 : 4000);
        plan.showFrame = 2500;
        plan.startScreen = bStartScreen ? 3500 : -1;
        plan.tip = bTip ? (bStartScreen ? 4000 : 3500) : -1;
    } else if (bStartScreen) {
        plan.showFrame = bTip ? 500 : 250;
        plan.startScreen = bTip ? 1500 : 500;
        plan.tip = bTip ? 2500 : -1;
    } else {
        plan.showFrame = 250;
        plan.tip = bTip ? 1000 : -1;
    }
    if (bWelcome)
        plan.welcome = bSplash ? plan.splash : 0;
    return plan;
}

BOOL VersionPasses(int major, int minor, int minMajor, int minMinor)
{
    return major > minMajor || (major == minMajor && (minMinor < 0 || minor >= minMinor));
}

// --- the application's answers to the file list ------------------------------------------------

namespace {

// The documents' dialogs, with the shell's offer of help for a file that could not be read.
class CAppQuestionDialogs : public CQuestionDialogs {
public:
    void OfferRecoverySupport(CCorraDoc&, const CString& path) override { ::OfferRecoverySupport(path); }
    BOOL HasPrintingPropertiesDialog() const override { return TRUE; }
    BOOL PrintingProperties(CCorraDoc&, CPrintingValues& values) override
    {
        return RunPrintingPropertiesPage(AfxGetMainWnd(), values, FALSE);
    }

protected:
    // Its menu and buttons follow the document between the frame's idle updates.
    void OnGroupsWindowMade(CGroupsDlg2& dlg) override
    {
        if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
            frame->AddIdleWindow(&dlg);
    }
};

class CAppShellDocuments : public IShellDocuments {
public:
    explicit CAppShellDocuments(CCorraApp* app) : m_pApp(app) {}
    CDocTemplate* GetDocsOfType(LPCSTR text, std::vector<CDocument*>& docs, int nIndex, CDocument* pExclude) override
    {
        return m_pApp->GetDocsOfType(text, docs, nIndex, pExclude);
    }
    CDocument* FindOpenDocument(LPCSTR path) override
    {
        for (POSITION pos = m_pApp->GetFirstDocTemplatePosition(); pos;) {
            if (CDocument* pDoc = m_pApp->GetNextDocTemplate(pos)->FindDocumentByPath(path))
                return pDoc;
        }
        return nullptr;
    }
    CDocument* OpenDocumentOfType(LPCSTR path, BOOL bVisible) override
    {
        return m_pApp->OpenDocumentOfType(path, bVisible);
    }
    void GetRecentFiles(std::vector<CString>& paths) override
    {
        paths.clear();
        CRecentFileList* pList = m_pApp->GetRecentFileList();
        for (int i = 0; pList && i < pList->GetSize(); ++i) {
            if (!(*pList)[i].IsEmpty())
                paths.push_back((*pList)[i]);
        }
    }
    int GetOpenLineCount(CDocument* pDoc) override
    {
        auto* pSource = dynamic_cast<CSourceDoc*>(pDoc);
        return pSource ? pSource->GetLineCount() : -1;
    }

private:
    CCorraApp* m_pApp;
};

} // namespace

// "Import Files..." of the main window and its start-screen task.
class CImportFilesCommand : public ICommandDialog {
public:
    void Run(CWnd* pParent) override
    {
        CImportFilesDlg dlg(pParent);
        dlg.DoModal();
    }
};

// "View Exported Files..." of the main window.
class CExportedFilesCommand : public ICommandDialog {
public:
    void Run(CWnd* pParent) override
    {
        CExportedFileViewerDlg dlg(pParent);
        dlg.DoModal();
    }
};

// The images dialog's test print: a bank of its own that no window shows, previewed by its view.
class CAppQuestionTestPrint : public IQuestionTestPrint {
public:
    explicit CAppQuestionTestPrint(CCorraApp* app) : m_pApp(app) {}
    CCorraDoc* NewTestDocument() override { return dynamic_cast<CCorraDoc*>(m_pApp->NewCorraDocument(FALSE)); }
    BOOL PreviewTestDocument(CCorraDoc& doc) override
    {
        CCorraView* pView = nullptr;
        for (POSITION pos = doc.GetFirstViewPosition(); pos && !pView;) {
            auto* view = dynamic_cast<CCorraView*>(doc.GetNextView(pos));
            if (view && !view->IsCollectionPane())
                pView = view;
        }
        if (!pView)
            return FALSE;
        // The question put in since the view was made: read and laid out anew.
        doc.UpdateAllViews(nullptr, HINT_REFRESH);
        // The page as the bank prints it, without asking for a print mode first.
        if (!pView->PreparePrintDocument(TRUE))
            return FALSE;
        return pView->DoPrintPreview(IDD_PREVIEW_BAR, pView, &CreateCorraPreviewView);
    }

private:
    CCorraApp* m_pApp;
};

// --- the application object -------------------------------------------------------------------

CCorraApp* GetCorraApp()
{
    return dynamic_cast<CCorraApp*>(AfxGetApp());
}

CCorraApp::CCorraApp() : CWinApp("Corra")
{
    CorraAppSlot().Set(this);
    InstallViewServices();
    m_pShellDocs = std::make_unique<CAppShellDocuments>(this);
    ShellDocumentsSlot().Set(m_pShellDocs.get());
    m_pQuestionDialogs = std::make_unique<CAppQuestionDialogs>();
    DocumentDialogsSlot().Set(m_pQuestionDialogs.get());
    m_pEditFileList = std::make_unique<CEditFileListService>();
    EditFileListSlot().Set(m_pEditFileList.get());
    m_pChoosers = std::make_unique<CChooserServices>();
    m_pExamDialogs = std::make_unique<CProgramExamDialogs>();
    ExamDialogsSlot().Set(m_pExamDialogs.get());
    m_pImportFiles = std::make_unique<CImportFilesCommand>();
    ImportFilesDialogSlot().Set(m_pImportFiles.get());
    m_pExportedFiles = std::make_unique<CExportedFilesCommand>();
    ExportedFilesViewerSlot().Set(m_pExportedFiles.get());
    m_pWizard = std::make_unique<CAddQuestionWizard>();
    AddQuestionWizardSlot().Set(m_pWizard.get());
    m_pTestPrint = std::make_unique<CAppQuestionTestPrint>(this);
    QuestionTestPrintSlot().Set(m_pTestPrint.get());
    BindCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
    BindCommand(ID_HELP_TIPOFTHEDAY, [this] { OnHelpTipOfTheDay(); });
    BindCommand(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
}

CCorraApp::~CCorraApp()
{
    CloseAllDocuments(TRUE);
    SetCollectionTemplate(nullptr);
    if (m_pExamDialogs)
        m_pExamDialogs->SetFormTemplate(nullptr);
    for (CMultiDocTemplate* t : {m_pCollTemplate, m_pFormTemplate}) {
        if (t) {
            t->CloseAllDocuments(TRUE);
            delete t;
        }
    }
    // The editors stay above the main window: they go first.
    if (DocumentDialogsSlot().Installed() == m_pQuestionDialogs.get())
        DocumentDialogsSlot().Set(nullptr);
    m_pQuestionDialogs.reset();
    if (EditFileListSlot().Installed() == m_pEditFileList.get())
        EditFileListSlot().Set(nullptr);
    m_pChoosers.reset();
    if (ExamDialogsSlot().Installed() == m_pExamDialogs.get())
        ExamDialogsSlot().Set(nullptr);
    m_pExamDialogs.reset();
    if (ImportFilesDialogSlot().Installed() == m_pImportFiles.get())
        ImportFilesDialogSlot().Set(nullptr);
    m_pImportFiles.reset();
    if (ExportedFilesViewerSlot().Installed() == m_pExportedFiles.get())
        ExportedFilesViewerSlot().Set(nullptr);
    m_pExportedFiles.reset();
    if (AddQuestionWizardSlot().Installed() == m_pWizard.get())
        AddQuestionWizardSlot().Set(nullptr);
    m_pWizard.reset();
    if (QuestionTestPrintSlot().Installed() == m_pTestPrint.get())
        QuestionTestPrintSlot().Set(nullptr);
    m_pTestPrint.reset();
    m_pMainFrame.reset();
    RemoveViewServices();
    if (ShellDocumentsSlot().Installed() == m_pShellDocs.get())
        ShellDocumentsSlot().Set(nullptr);
    if (CorraAppSlot().Installed() == this)
        CorraAppSlot().Set(nullptr);
}

BOOL CCorraApp::IsInIdle()
{
    return g_bInIdle;
}

BOOL CCorraApp::OnIdle(LONG lCount)
{
    g_bInIdle = TRUE;
    BOOL more = CWinApp::OnIdle(lCount);
    g_bInIdle = FALSE;
    return more;
}

BOOL CCorraApp::PreTranslateMessage(QObject* pTarget, QEvent* pEvent)
{
    if (CSplashWindow::FilterMessage(pTarget, pEvent))
        return TRUE;
    return CWinApp::PreTranslateMessage(pTarget, pEvent);
}

CDocument* CCorraApp::OpenDocumentFile(LPCSTR lpszFileName)
{
    return CWinApp::OpenDocumentFile(lpszFileName);
}

void CCorraApp::CreateTemplates()
{
    if (m_pCorraTemplate)
        return;
    m_pCorraTemplate = new CMultiDocTemplate(IDR_CORRATYPE, CCreatable<CDocument>::Of<CCorraDoc>(),
                                             CCreatable<CFrameWnd>::Of<CCorraFrm>(),
                                             CCreatable<CView>::Of<CCorraView>());
    AddDocTemplate(m_pCorraTemplate);
    m_pExamTemplate = new CMultiDocTemplate(IDR_EXAMTYPE, CCreatable<CDocument>::Of<CExamDoc>(),
                                            CCreatable<CFrameWnd>::Of<CExamFrm>(),
                                            CCreatable<CView>::Of<CExamView>());
    AddDocTemplate(m_pExamTemplate);
    m_pSourceTemplate = new CSourceDocTemplate(IDR_SOURCETYPE, CCreatable<CDocument>::Of<CSourceDoc>(),
                                               CCreatable<CFrameWnd>::Of<CMDIChildWnd2>(),
                                               CCreatable<CView>::Of<CSourceView>());
    AddDocTemplate(m_pSourceTemplate);
    // Only for second frames on a document: never offered for files.
    m_pCollTemplate = new CMultiDocTemplate(IDR_COLLTYPE, CCreatable<CDocument>::Of<CCorraDoc>(),
                                            CCreatable<CFrameWnd>::Of<CCollFrm>(),
                                            CCreatable<CView>::Of<CCollView>());
    SetCollectionTemplate(m_pCollTemplate);
    m_pFormTemplate = new CMultiDocTemplate(IDR_FORMTYPE, CCreatable<CDocument>::Of<CExamDoc>(),
                                            CCreatable<CFrameWnd>::Of<CCollFrm>(),
                                            CCreatable<CView>::Of<CExamVersionView>());
    m_pExamDialogs->SetFormTemplate(m_pFormTemplate);
}

void CCorraApp::AssignLocalConfigFile(BOOL bQuiet)
{
    CString path = InHomeFolder("Corra.ini");
    // A first start puts in place what an installation ships, and a bank to look at; nothing of
    // the user's is overwritten. The box below then tells of a configuration really missing.
    const BOOL bFirstStart = !bQuiet && !fsys::Exists(path);
    if (bFirstStart)
        InstallShippedFile("Corra.ini", path);
    if (!fsys::IsFile(path)) {
        if (!bQuiet) {
            CString text;
            text.Format(LoadStringId(IDS_CONFIG_MISSING), static_cast<const char*>(path));
            AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
        }
        LogOutput("CCorraApp::AssignLocalConfigFile() - local ini file does not exist, using default", 3, LOG_HERE);
        LogOutput(path, 3, LOG_HERE);
    }
    SetProfileName(path);
    if (bFirstStart) {
        InstallShippedHomeFiles();
        InstallSamples();
    }
}

BOOL CCorraApp::InitInstance()
{
    ParseCommandLine(m_cmdInfo, m_args);
    CString start;
    start.Format("\n------------ CCorraApp::InitInstance(v%s) - starting at %s ------------",
                 static_cast<const char*>(GetFileVersionText()), static_cast<const char*>(GetTimeStamp()));
    Log(start);
    const BOOL bRegistration = m_cmdInfo.IsRegistrationRun();
    AssignLocalConfigFile(bRegistration);
    // No object linking here: the step is logged and passes.
    Log("Initializing OLE (AfxOleInit)");
    Log("Initializing RichEdit (AfxInitRichEdit)");
    Log("Initializing static members of classes");
    InitStaticMembers();
    Log("Loading Standard Profile Settings");
    LoadStdProfileSettings(10);
    Log("Creating document templates");
    CreateTemplates();
    // No automation server: the program is not offered to other programs.
    Log("Registering template server (RegisterAll)");
    Log("Updating OLE ObjectFactory registry");

    m_pMainFrame = std::make_unique<CMainFrame>();
    if (!m_pMainFrame->LoadFrame(IDR_MAINFRAME)) {
        LogOutput("CCorraApp::InitInstance() - failed to LoadFrame()", 1, LOG_HERE);
        return FALSE;
    }
    AfxSetMainWnd(m_pMainFrame.get());
    m_pQuestionDialogs->SetParent(m_pMainFrame.get());
    m_pExamDialogs->SetParent(m_pMainFrame.get());
    m_pMainFrame->DragAcceptFiles(TRUE);

    if (bRegistration)
        return RunRegistration();
    if (!SetLoggingInfo(FALSE))
        AfxMessageBox("Failed to SetLoggingInfo().");
    if (!ConfigCheck()) {
        LogOutput("Config Check failed - exiting", 1, LOG_HERE);
        return FALSE;
    }
    InstallFonts();
    m_pMainFrame->ShowWindow(SW_HIDE);

    BOOL bSplash = GetProfileNumber("Settings", "Splash", 1, TRUE) != 0;
    BOOL bStartScreen = GetProfileNumber("Settings", "BoilerPlateAtStartup", 1, TRUE) != 0;
    BOOL bTip = GetProfileNumber("Tip", "StartUp", 1, TRUE) != 0;
    BOOL bWelcome = GetProfileNumber("HVMsgBoxDontShow", "DontShowWelcome", 0) == 0;
    m_plan = PlanStartup(bSplash && m_cmdInfo.m_bShowSplash, bStartScreen, bTip, bWelcome);
    if (m_plan.splash >= 0) {
        CSplashWindow::SetEnabled(TRUE);
        CSplashWindow::ShowOver(static_cast<UINT>(m_plan.splash), m_pMainFrame.get());
    }
    if (m_plan.startScreen >= 0)
        m_pMainFrame->SetTimer(TIMER_START_SCREEN, static_cast<UINT>(m_plan.startScreen));
    if (m_plan.tip >= 0)
        m_pMainFrame->SetTimer(TIMER_TIP, static_cast<UINT>(m_plan.tip));
    m_pMainFrame->SetTimer(TIMER_SHOW_FRAME, static_cast<UINT>(m_plan.showFrame));

    m_cursor = CorraCursor();
    CorraViewServices().StepStartUpCounter();
    CString done;
    done.Format("------------ CCorraApp::InitInstance() - complete at %s ------------\n\n",
                static_cast<const char*>(GetTimeStamp()));
    Log(done);
    if (m_plan.welcome >= 0)
        m_pMainFrame->SetTimer(TIMER_WELCOME, static_cast<UINT>(m_plan.welcome));
    InstallIdleAndFilter();
    OpenCommandLineFiles(m_cmdInfo);
    return TRUE;
}

BOOL CCorraApp::RunRegistration()
{
    const char* const rule = "------------------------------------";
    LogDump(rule, "RegLog.txt");
    if (m_cmdInfo.m_nShellCommand == CCommandLineInfo::AppUnregister) {
        if (!RemoveLoggingInfo())
            LogDump("FAILED to RemoveLoggingInfo()", "RegLog.txt");
        registration::Unregister();
        RemoveLoggingInfo();
        LogDump("Successfully Unregistered...", "RegLog.txt");
        LogDump("Corra.exe", "RegLog.txt");
    } else {
        if (!SetLoggingInfo(TRUE)) {
            LogDump("CCorraApp::InitInstance() - SetLoggingInfo() failed", "RegLog.txt");
        } else {
            registration::Register(GetProgramFilePath());
            LogDump("Successfully registered...", "RegLog.txt");
            LogDump("Corra.exe", "RegLog.txt");
        }
    }
    DumpLoggingInfo("Logging settings...", "RegLog.txt");
    LogDump(rule, "RegLog.txt");
    return FALSE;
}

void CCorraApp::InitStaticMembers()
{
    if (!m_parse.IsReady()) {
        m_parse.Reset(nullptr);
        m_parse.SetCharClasses("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789{}:,();.?-'+\xB0\"\\[]",
                               ":,{}/();.?-\"[]'\\");
        m_parse.AddTokenString("", 13);
        m_parse.AddCharSetToken("abcdefghijklmnopqrstuvwxyz", 99);
        m_parse.AddCharSetToken("0123456789", 12);
        m_parse.AddDelimiterSkips();
    }
    CExamDoc::LoadDefaults();
    CCorraQuestion::LoadAnswerLengths();
}

int CCorraApp::ExitInstance()
{
    CSplashWindow::Close();
    DeleteLogViewCopy();
    return CWinApp::ExitInstance();
}

// --- configuration check ----------------------------------------------------------------------

BOOL CCorraApp::ConfigCheck()
{
    CScreenInfo screen = GetScreenInfo();
    if (screen.nBitsPerPixel <= 8) {
        CRichMessage msg;
        msg.title = "Color warning...";
        msg.style = RMB_OKCANCEL;
        msg.dontShowKey = "DontShowColorWarn";
        msg.warning = TRUE;
        msg.pane[0].Format(LoadStringId(IDS_COLOR_WARNING), screen.nBitsPerPixel);
        msg.paneId[1] = IDS_COLOR_NOTE;
        if (RichMessageBox(msg) == IDCANCEL)
            return FALSE;
    }
    if (screen.nWidth < 800 || screen.nHeight < 600) {
        CRichMessage msg;
        msg.title = "Resolution warning...";
        msg.style = RMB_OKCANCEL;
        msg.dontShowKey = "DontShowScreenResWarn";
        msg.warning = TRUE;
        msg.pane[0].Format(LoadStringId(IDS_SCREEN_WARNING), screen.nWidth, screen.nHeight);
        msg.paneId[1] = IDS_SCREEN_NOTE;
        if (RichMessageBox(msg) == IDCANCEL)
            return FALSE;
    }
    CheckHelpFile("");
    return CheckComponent("Vantrel.Image", "Pictorin.dll", 2, 1) != 2;
}

void CCorraApp::CheckHelpFile(LPCSTR folder)
{
    CString dir(folder ? folder : "");
    if (dir.IsEmpty())
        dir = CFileTypes::GetDefDir(DT_HELP);
    if (dir.IsEmpty())
        dir = GetServerDirectory() + "Hlp/";
    CString name = GetProfileString("Settings", "HelpFile", "Corra.hlp", TRUE);
    CString path = fsys::Join(dir, name);
    // The home carries its own help index.
    if (!fsys::IsFile(path) && name.CompareNoCase("Corra.hlp") == 0) {
        fsys::CreateDirectories(dir);
        fsys::WriteFileAtomic(path, kHelpIndex, std::strlen(kHelpIndex));
    }
    if (!fsys::IsFile(path)) {
        CString text = "Cannot find help file.  Do you want to search for it?\n\n" + path;
        // No: the help path stays what it was.
        if (AfxMessageBox(text, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
        CHVFileDlg dlg(DT_HELP, FCS_OPEN_STYLE, 0, TRUE, nullptr, nullptr, AfxGetMainWnd());
        dlg.m_csTitle = "Select Help File";
        dlg.SetRootToServerDir();
        dlg.SetRootFolderFilter(nullptr);
        dlg.m_cszSearchDir = GetServerDirectory();
        if (dlg.DoModal() == IDOK && !dlg.GetPathName().IsEmpty()) {
            path = dlg.GetPathName();
            WriteProfileString("Settings", "HelpFile", fsys::FileName(path));
        }
    }
    m_strHelpFilePath = path;
}

int CCorraApp::CheckComponent(LPCSTR, LPCSTR fileName, int minMajor, int minMinor)
{
    IImageComponent& component = ImageComponent();
    CString file(fileName);
    file.Trim();
    if (!component.IsInstalled()) {
        CRichMessage msg;
        msg.title = "File not registered...";
        msg.style = RMB_YESNOCANCEL;
        msg.warning = TRUE;
        msg.pane[0].Format(LoadStringId(IDS_COMPONENT_NOT_REGISTERED), static_cast<const char*>(file));
        msg.paneId[1] = IDS_COMPONENT_SUPPORT;
        msg.paneId[3] = IDS_COMPONENT_REGISTER_HINT;
        msg.yes = "Yes, Register";
        msg.no = "Don't Register";
        switch (RichMessageBox(msg)) {
        case IDCANCEL: return 2;
        case IDNO: AfxMessageBox(IDS_SOME_FEATURES, MB_OK | MB_ICONEXCLAMATION); return 1;
        default: return RegisterMissingComponent(file, minMajor, minMinor);
        }
    }
    if (minMajor < 0)
        return 1;
    return CheckComponentVersion(file, minMajor, minMinor);
}

int CCorraApp::RegisterMissingComponent(const CString& file, int minMajor, int minMinor)
{
    const CString path = InHomeFolder(file);
    if (!fsys::IsFile(path)) {
        CRichMessage msg;
        msg.title = "File missing...";
        msg.style = RMB_YESNO;
        msg.dontShowKey = "DontShowFileMissing";
        msg.pane[0].Format(LoadStringId(IDS_COMPONENT_FILE_MISSING), static_cast<const char*>(file));
        msg.pane[1] = "Cannot complete registration.";
        msg.paneId[2] = IDS_COMPONENT_SUPPORT;
        msg.pane[3] = "Do you wish to continue running Quorvale?";
        return RichMessageBox(msg) == IDYES ? 1 : 2;
    }
    if (minMajor > 0 && CheckComponentVersion(file, minMajor, minMinor) == 2)
        return 2;
    if (RegisterComponent(path)) {
        AfxMessageBox("Successfully registered " + file);
        return 1;
    }
    CRichMessage msg;
    msg.title = "Registration failed...";
    msg.style = RMB_YESNO;
    msg.dontShowKey = "DontShowRegFail";
    msg.error = TRUE;
    msg.pane[0].Format(LoadStringId(IDS_COMPONENT_REG_FAILED), static_cast<const char*>(file));
    msg.paneId[2] = IDS_COMPONENT_SUPPORT;
    msg.paneId[3] = IDS_COMPONENT_REGFAIL_HINT;
    return RichMessageBox(msg) == IDNO ? 2 : 1;
}

int CCorraApp::CheckComponentVersion(const CString& file, int minMajor, int minMinor)
{
    IImageComponent& component = ImageComponent();
    int major = 0, minor = 0;
    component.GetVersion(major, minor);
    if (VersionPasses(major, minor, minMajor, minMinor))
        return 1;
    CString have;
    have.Format("%d.%d", major, minor);
    CString need;
    need.Format(minMinor >= 0 ? "%d.%d" : "%d", minMajor, minMinor);
    CRichMessage msg;
    msg.title = "File out-of-date";
    msg.style = RMB_CONTINUECANCEL;
    msg.pane[0].Format(LoadStringId(IDS_COMPONENT_OUT_OF_DATE), static_cast<const char*>(file));
    msg.pane[1].Format(LoadStringId(IDS_COMPONENT_VERSIONS), static_cast<const char*>(have),
                       static_cast<const char*>(need));
    msg.paneId[2] = IDS_COMPONENT_SUPPORT;
    msg.pane[3] = "Do you wish to continue anyway?";
    if (RichMessageBox(msg) == IDCONTINUE_RMB) {
        AfxMessageBox(IDS_SOME_FEATURES, MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    return 2;
}

void CCorraApp::InstallFonts()
{
    std::unique_ptr<COldProgressDlg> status;
    BOOL found = FALSE;
    for (int i = 0; i < 99; ++i) {
        CString key;
        key.Format("font%d", i);
        CString path = GetProfileString("InstallFonts", key, "");
        if (path.IsEmpty()) {
            if (!found)
                break;
            continue;
        }
        if (!found) {
            status = std::make_unique<COldProgressDlg>("Completing installation...", "", 100, 0);
            status->Create(m_pMainFrame.get());
        }
        found = TRUE;
        // The key stays: the font is added to this process only, so every start adds it again.
        std::string native(path);
        if (!InstalledFonts().count(native)) {
            if (QFontDatabase::addApplicationFont(QString::fromLocal8Bit(native.c_str())) < 0) {
                LogOutput("Failed to install font: ", 1, LOG_HERE);
                LogOutput(path, 1, LOG_HERE);
            } else {
                InstalledFonts().insert(native);
            }
        }
        if (status)
            status->SetPos(i);
    }
    if (status)
        status->DestroyWindow();
}

// --- command-line files -----------------------------------------------------------------------

void CCorraApp::OpenCommandLineFiles(const CCorraCommandLineInfo& info)
{
    for (const CString& s : info.m_unknownSwitches)
        AfxMessageBox("Unknown command-line switch: " + s, MB_OK | MB_ICONEXCLAMATION);
    OpenCheckedFiles(info.m_files);
}

void CCorraApp::OpenCheckedFiles(const std::vector<CString>& files)
{
    for (const CString& f : files) {
        CString path = FullPathKey(f);
        if (fsys::IsDirectory(path)) {
            AfxMessageBox("Cannot open a folder:\n\n" + path, MB_OK | MB_ICONEXCLAMATION);
        } else if (!fsys::IsFile(path)) {
            AfxMessageBox("Cannot find the file:\n\n" + path, MB_OK | MB_ICONEXCLAMATION);
        } else if (!GetTemplateForFile(path)) {
            AfxMessageBox("This is not a Corra, exam or source document:\n\n" + path, MB_OK | MB_ICONEXCLAMATION);
        } else {
            OpenDocumentOfType(path, TRUE);
        }
    }
}

// --- services ---------------------------------------------------------------------------------

unsigned CCorraApp::NextQID()
{
    return static_cast<unsigned>(::NextQID());
}

CString CCorraApp::MakeCorraId(LPCSTR prefix)
{
    return ::MakeCorraId(prefix);
}

CString CCorraApp::GetDocString(int nKind, int nIndex) const
{
    CString ext;
    switch (nKind) {
    case DOCKIND_CORRA: ext = "crr"; break;
    case DOCKIND_EXAM: ext = "exm"; break;
    case DOCKIND_SOURCE: ext = "txt"; break;
    default:
        LogOutput("CCorraApp::GetDocString() - unknown doc type", 1, LOG_HERE);
        ext = CFileTypes::Type2Ext(nKind, FALSE);
        break;
    }
    CString probe = "x." + ext;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* t = GetNextDocTemplate(pos);
        CString filter;
        if (t->GetDocString(filter, CDocTemplate::filterExt) && ExtensionInList(probe, filter)) {
            CString out;
            t->GetDocString(out, static_cast<CDocTemplate::DocStringIndex>(nIndex));
            return out;
        }
    }
    return CString();
}

CString CCorraApp::GetDefDir(int nKind)
{
    CString dir = CFileTypes::GetDefDir(nKind);
    if (dir.IsEmpty()) {
        LogOutput("CCorraApp::GetDefDir(nType) - CFileTypes::GetDefDir failed for type...", 1, LOG_HERE);
        LogOutput(CString::Formatted("type=%d...", nKind), 1, LOG_HERE);
    }
    return dir;
}

CString CCorraApp::GetDefDocDir(LPCSTR path)
{
    CString dir = CFileTypes::GetDefDocDir(path);
    if (dir.IsEmpty()) {
        LogOutput("CCorraApp::GetDefDocDir(nType) - CFileTypes::GetDefDir failed for ext...", 1, LOG_HERE);
        LogOutput(path ? path : "", 1, LOG_HERE);
    }
    return dir;
}

BOOL CCorraApp::CheckDefDocDirectory(LPCSTR path, BOOL bAsk, BOOL)
{
    BOOL ok = CFileTypes::CheckDefDocDir(CFileTypes::Ext2Type(path), path, bAsk);
    if (!ok) {
        LogOutput("CCorraApp::CheckDefDocDirectory() - failed to determine type...", 1, LOG_HERE);
        LogOutput(path ? path : "", 1, LOG_HERE);
    }
    return ok;
}

int CCorraApp::DocTypeOfPath(LPCSTR path)
{
    return CFileTypes::Ext2Type(path);
}

int CCorraApp::ExtToDocType(LPCSTR path)
{
    if (ExtensionInList(path, ".crr"))
        return DOCKIND_CORRA;
    if (ExtensionInList(path, ".txt;.doc;.rtf;.wpd"))
        return DOCKIND_SOURCE;
    if (ExtensionInList(path, ".exm"))
        return DOCKIND_EXAM;
    return 0;
}

CDocTemplate* CCorraApp::GetTemplateForFile(LPCSTR path) const
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* t = GetNextDocTemplate(pos);
        CString filter;
        if (t->GetDocString(filter, CDocTemplate::filterExt) && ExtensionInList(path, filter))
            return t;
    }
    return nullptr;
}

CDocument* CCorraApp::FindOpenDocument(LPCSTR path, BOOL bOpen)
{
    if (CDocument* pDoc = FindNamed(m_pCorraTemplate, path))
        return pDoc;
    return bOpen ? OpenDocumentFile(path) : nullptr;
}

CDocument* CCorraApp::FindDocumentOfFile(LPCSTR pathOrTitle, BOOL bOpen)
{
    CDocTemplate* pTemplate = GetTemplateForFile(pathOrTitle);
    if (CDocument* pDoc = FindNamed(pTemplate, pathOrTitle))
        return pDoc;
    return bOpen ? OpenDocumentFile(pathOrTitle) : nullptr;
}

CDocument* CCorraApp::OpenDocumentOfType(LPCSTR path, BOOL bVisible)
{
    CDocTemplate* pTemplate = GetTemplateForFile(path);
    if (!pTemplate)
        return nullptr;
    if (CDocument* pDoc = FindDocumentOfFile(path, FALSE))
        return pDoc;
    return pTemplate->OpenDocumentFile(FullPathKey(path), bVisible);
}

CDocument* CCorraApp::OpenCorraDocument(LPCSTR path, BOOL bVisible)
{
    if (CDocument* pDoc = FindOpenDocument(path, FALSE))
        return pDoc;
    return m_pCorraTemplate ? m_pCorraTemplate->OpenDocumentFile(FullPathKey(path), bVisible) : nullptr;
}

CDocument* CCorraApp::NewCorraDocument(BOOL bVisible)
{
    return m_pCorraTemplate ? m_pCorraTemplate->OpenDocumentFile(nullptr, bVisible) : nullptr;
}

CDocument* CCorraApp::ChooseDocument(int nKind, LPCSTR title, LPCSTR info, DWORD dwStyle, BOOL& bOpened,
                                     BOOL bVisible, CDocument* pExclude, LPCSTR excludeFile)
{
    return ChooseDocumentOfKind(nKind, title, info, dwStyle, bOpened, bVisible, pExclude, excludeFile);
}

CDocument* CCorraApp::NewExamDocument()
{
    return m_pExamTemplate ? m_pExamTemplate->OpenDocumentFile(nullptr, TRUE) : nullptr;
}

CDocTemplate* CCorraApp::GetDocsOfType(LPCSTR text, std::vector<CDocument*>& docs, int nIndex, CDocument* pExclude)
{
    docs.clear();
    CString wanted = Lower(text ? text : "");
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* t = GetNextDocTemplate(pos);
        CString field;
        t->GetDocString(field, static_cast<CDocTemplate::DocStringIndex>(nIndex));
        field.MakeLower();
        if (field.Find(wanted) < 0)
            continue;
        for (POSITION d = t->GetFirstDocPosition(); d;) {
            CDocument* pDoc = t->GetNextDoc(d);
            if (pDoc != pExclude)
                docs.push_back(pDoc);
        }
        return t;
    }
    return nullptr;
}

CDocument* CCorraApp::FindDocumentByTitle(LPCSTR title)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* t = GetNextDocTemplate(pos);
        for (POSITION d = t->GetFirstDocPosition(); d;) {
            CDocument* pDoc = t->GetNextDoc(d);
            if (pDoc->GetTitle() == title)
                return pDoc;
        }
    }
    return nullptr;
}

void CCorraApp::UpdateAllDocuments(LPARAM lHint, CObject* pHint)
{
    try {
        for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
            CDocTemplate* t = GetNextDocTemplate(pos);
            for (POSITION d = t->GetFirstDocPosition(); d;)
                t->GetNextDoc(d)->UpdateAllViews(nullptr, lHint, pHint);
        }
    } catch (const std::exception& e) {
        LogOutput(CString("CCorraApp::UpdateAllDocuments() - ") + e.what(), 1, LOG_HERE);
    }
}

// --- commands ---------------------------------------------------------------------------------

std::vector<CDocTemplate*> CCorraApp::OfferedTemplates(BOOL bForNew) const
{
    std::vector<CDocTemplate*> list;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* t = GetNextDocTemplate(pos);
        CString name;
        t->GetDocString(name, CDocTemplate::fileNewName);
        if (bForNew && name == "Source Document")
            continue;
        list.push_back(t);
    }
    return list;
}

void CCorraApp::OnFileOpen()
{
    std::vector<CDocTemplate*> templates = OfferedTemplates(FALSE);
    if (templates.empty()) {
        LogOutput("CCorraApp::OnFileOpen():: no document templates registered with CWinApp.", 1, LOG_HERE);
        return;
    }
    CDocTypeDlg chooser(templates, "Open", AfxGetMainWnd());
    CDocTemplate* pTemplate = chooser.Choose();
    if (!pTemplate)
        return;
    CString ext = pTemplate->GetDefaultExtension();
    int nKind = ExtToDocType("x" + ext);
    BOOL bOpened = FALSE;
    ChooseDocument(nKind, "Select a document", "Select the %s file to open.", CHOOSE_TASK_STYLE, bOpened, TRUE);
}

void CCorraApp::OnFileNew()
{
    std::vector<CDocTemplate*> templates = OfferedTemplates(TRUE);
    if (templates.empty())
        return;
    CDocTypeDlg chooser(templates, "New", AfxGetMainWnd());
    if (CDocTemplate* pTemplate = chooser.Choose())
        pTemplate->OpenDocumentFile(nullptr, TRUE);
}

void CCorraApp::OnAppAbout()
{
    CAboutDlg dlg(AfxGetMainWnd());
    dlg.DoModal();
}

void CCorraApp::OnHelpTipOfTheDay()
{
    CTipDlg dlg(AfxGetMainWnd());
    dlg.DoModal();
}

// --- free services ----------------------------------------------------------------------------

BOOL PostToDocView(CDocument* pDoc, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pDoc ? pDoc->PostToFirstView(message, wParam, lParam) : FALSE;
}

LRESULT SendToDocView(CDocument* pDoc, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pDoc ? pDoc->SendToFirstView(message, wParam, lParam) : 0;
}

void CloseViewFrame(CDocument* pDoc)
{
    if (pDoc)
        pDoc->PostCommandToFirstView(ID_FILE_CLOSE);
}

void ShowDocsSideBySide(CDocument* pLeft, CDocument* pRight)
{
    CMainFrame::ShowSideBySide(FrameOf(pLeft), FrameOf(pRight));
}
