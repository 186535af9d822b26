#include "app/CorraApp.h"

#include "app/AboutDlg.h"
#include "app/ChildFrames.h"
#include "app/DocTypeDlg.h"
#include "app/MainFrm.h"
#include "app/Registration.h"
#include "app/Splash.h"
#include "app/TipDlg.h"
#include "dialogs/CorraQuestionDlg.h"
#include "dialogs/QuestionDialogs.h"
#include "dialogs/SubjectsDlg.h"
#include "foundation/FileTypes.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "tests/support/EditorScript.h"
#include "platform/core/Profile.h"
#include "platform/core/RecentFileList.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/QtString.h"
#include "platform/ui/SplitterWnd.h"
#include "tests/app/AppFixture.h"
#include "res/ids/App.h"
#include "model/ViewServices.h"
#include "shell/ShellDocs.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedFileDialog.h"
#include "res/ids/Shell.h"
#include "shell/HVFileDlg.h"
#include "shell/HVListCtrl.h"

#include <QApplication>
#include <QMdiArea>

#include <cstdlib>

namespace {

// --- command line -----------------------------------------------------------------------------

TEST(CorraCommandLine, OnlyExactSwitchWordsAreSwitches)
{
    struct Case {
        const char* arg;
        int shellCommand;
        int reg;
        const char* file;  // the file named, or nullptr
        bool unknown;
    };
    const Case cases[] = {
        {"/REGISTER", CCommandLineInfo::FileNew, 6, nullptr, false},
        {"-regserver", CCommandLineInfo::FileNew, 6, nullptr, false},
        {"--Unregserver", CCommandLineInfo::AppUnregister, -1, nullptr, false},
        {"/unregister", CCommandLineInfo::AppUnregister, -1, nullptr, false},
        // Without a switch character it is a file name, and paths start with "/".
        {"Register", CCommandLineInfo::FileOpen, -1, "Register", false},
        {"/h/a.crr", CCommandLineInfo::FileOpen, -1, "/h/a.crr", false},
        {"/Registered", CCommandLineInfo::FileOpen, -1, "/Registered", false},
        {"-frobnicate", CCommandLineInfo::FileNew, -1, nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arg);
        CCorraApp app;
        CCorraCommandLineInfo info;
        app.ParseCommandLine(info, {CString(c.arg)});
        EXPECT_EQ(info.m_nShellCommand, c.shellCommand);
        EXPECT_EQ(info.m_nRegister, c.reg);
        EXPECT_EQ(info.IsRegistrationRun(), c.reg == 6 || c.shellCommand == CCommandLineInfo::AppUnregister);
        if (c.file) {
            ASSERT_EQ(info.m_files.size(), 1u);
            EXPECT_EQ(info.m_files[0], c.file);
        } else {
            EXPECT_TRUE(info.m_files.empty());
        }
        EXPECT_EQ(info.m_unknownSwitches.size(), c.unknown ? 1u : 0u);
    }
}

// --- start-up plan ----------------------------------------------------------------------------

TEST(StartupPlan, DelaysFollowTheChoices)
{
    struct Case {
        BOOL s, m, t, w;
        int splash, show, startScreen, tip, welcome;
    };
    const Case cases[] = {
        {1, 1, 1, 0, 5000, 2500, 3500, 4000, -1}, {1, 1, 0, 0, 5000, 2500, 3500, -1, -1},
        {1, 0, 1, 0, 4500, 2500, -1, 3500, -1},   {1, 0, 0, 0, 4000, 2500, -1, -1, -1},
        {0, 1, 1, 0, -1, 500, 1500, 2500, -1},    {0, 1, 0, 0, -1, 250, 500, -1, -1},
        {0, 0, 1, 0, -1, 250, -1, 1000, -1},      {0, 0, 0, 0, -1, 250, -1, -1, -1},
        // The welcome message replaces start screen and tip, after the splash or at once.
        {1, 1, 1, 1, 4000, 2500, -1, -1, 4000},   {0, 1, 1, 1, -1, 250, -1, -1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.s << c.m << c.t << c.w);
        CStartupPlan p = PlanStartup(c.s, c.m, c.t, c.w);
        EXPECT_EQ(p.splash, c.splash);
        EXPECT_EQ(p.showFrame, c.show);
        EXPECT_EQ(p.startScreen, c.startScreen);
        EXPECT_EQ(p.tip, c.tip);
        EXPECT_EQ(p.welcome, c.welcome);
    }
}

TEST(ComponentVersion, TwoOneIsTheLeast)
{
    EXPECT_FALSE(VersionPasses(2, 0, 2, 1));
    EXPECT_FALSE(VersionPasses(1, 9, 2, 1));
    EXPECT_TRUE(VersionPasses(2, 1, 2, 1));
    EXPECT_TRUE(VersionPasses(3, 0, 2, 1));
    EXPECT_TRUE(VersionPasses(2, 0, 2, -1));
}

// --- registration -----------------------------------------------------------------------------

class RegistrationTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        const char* old = std::getenv("XDG_DATA_HOME");
        m_old = old ? old : "";
        m_had = old != nullptr;
        ::setenv("XDG_DATA_HOME", HomePath("xdg"), 1);
    }
    void TearDown() override
    {
        if (m_had)
            ::setenv("XDG_DATA_HOME", m_old.c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
        AppTest::TearDown();
    }
    std::string m_old;
    bool m_had = false;
};

TEST_F(RegistrationTest, RegisterWritesTheEntryAndUnregisterRemovesExactlyIt)
{
    CString other = WriteHomeFile("xdg/applications/other.desktop", "[Desktop Entry]\n");
    ASSERT_TRUE(registration::Register("/opt/corra/bin/corra"));
    std::string entry, mime;
    ASSERT_TRUE(fsys::ReadFile(HomePath("xdg/applications/corra.desktop"), entry));
    EXPECT_NE(entry.find("Exec=\"/opt/corra/bin/corra\" %F"), std::string::npos);
    // The desktop shows the product's name; the program file keeps the component's.
    EXPECT_NE(entry.find("\nName=Quorvale\n"), std::string::npos);
    EXPECT_NE(entry.find("MimeType=application/x-corra-document;application/x-corra-exam;"), std::string::npos);
    ASSERT_TRUE(fsys::ReadFile(HomePath("xdg/mime/packages/corra.xml"), mime));
    EXPECT_NE(mime.find("*.crr"), std::string::npos);
    EXPECT_NE(mime.find("*.exm"), std::string::npos);

    ASSERT_TRUE(registration::Unregister());
    for (const CString& f : registration::Files())
        EXPECT_FALSE(fsys::Exists(f)) << f;
    EXPECT_TRUE(fsys::Exists(other));
    // Nothing there: still done.
    EXPECT_TRUE(registration::Unregister());
}

TEST_F(RegistrationTest, ARegistrationRunEndsStartUpQuietly)
{
    for (const char* arg : {"/Register", "-unregserver"}) {
        SCOPED_TRACE(arg);
        CCorraApp app;
        app.SetArguments({CString(arg)});
        EXPECT_FALSE(app.InitInstance());
        app.ExitInstance();
    }
    // No "Corra.ini is missing" box in a registration run.
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_FALSE(fsys::Exists(HomePath("xdg/applications/corra.desktop")));
    std::string log;
    ASSERT_TRUE(fsys::ReadFile(HomePath("RegLog.txt"), log));
    EXPECT_NE(log.find("Successfully registered..."), std::string::npos);
    EXPECT_NE(log.find("Successfully Unregistered..."), std::string::npos);
}

// --- start-up ---------------------------------------------------------------------------------

class StartupTest : public AppTest {
protected:
    void TearDown() override
    {
        CSplashWindow::Close();
        CSplashWindow::SetEnabled(FALSE);
        AppTest::TearDown();
    }
};

TEST_F(StartupTest, AFirstRunPutsTheShippedFilesInPlaceAndWritesTheChoices)
{
    CString ini = HomePath("Corra.ini");
    fsys::DeleteFile(ini);
    {
        CCorraApp app;
        ASSERT_TRUE(app.InitInstance());
        // The shipped configuration is there: nothing is missing, nothing is asked.
        for (const auto& c : messageBox.calls)
            EXPECT_EQ(c.text.Find("The following configuration file is missing..."), -1) << c.text;
        // The welcome is due on a first run: no start screen, no tip.
        EXPECT_EQ(app.Plan().splash, 4000);
        EXPECT_EQ(app.Plan().showFrame, 2500);
        EXPECT_EQ(app.Plan().startScreen, -1);
        EXPECT_EQ(app.Plan().tip, -1);
        EXPECT_EQ(app.Plan().welcome, 4000);
        EXPECT_NE(CSplashWindow::Current(), nullptr);
        app.ExitInstance();
    }
    CProfileStore profile(ini);
    EXPECT_EQ(profile.GetInt("Settings", "Splash", -1), 1);
    EXPECT_EQ(profile.GetInt("Settings", "BoilerPlateAtStartup", -1), 1);
    EXPECT_EQ(profile.GetInt("Tip", "StartUp", -1), 1);
    EXPECT_EQ(profile.GetString("Settings", "HelpFile", ""), "Corra.hlp");
    // The help check found the home's own help file and asked nothing.
    for (const auto& c : messageBox.calls)
        EXPECT_EQ(c.text.Find("Cannot find help file"), -1);
    // A tip of our own, not the message of a missing file.
    CTipDlg tip;
    EXPECT_FALSE(tip.m_strTip.IsEmpty());
    EXPECT_EQ(tip.m_strTip.Find("tips.txt"), -1) << tip.m_strTip;
}

TEST_F(StartupTest, AFirstRunLeavesTheUsersFilesAndTellsOfAConfigurationReallyMissing)
{
    // The user's own tips and subjects stay as they are.
    WriteHomeFile("tips.txt", "My own tip\n");
    WriteHomeFile("Data/Subjects.txt", "Latin\n");
    {
        CCorraApp app;
        ASSERT_TRUE(app.InitInstance());
        app.ExitInstance();
    }
    std::string text;
    ASSERT_TRUE(fsys::ReadFile(HomePath("tips.txt"), text));
    EXPECT_EQ(text, "My own tip\n");
    ASSERT_TRUE(fsys::ReadFile(HomePath("Data/Subjects.txt"), text));
    EXPECT_EQ(text, "Latin\n");
    ASSERT_TRUE(fsys::ReadFile(HomePath("Data/Textbooks.txt"), text));
    EXPECT_NE(text.find("Life Science"), std::string::npos);

    // Where no configuration file can be, the box says so.
    fsys::DeleteFile(HomePath("Corra.ini"));
    ASSERT_TRUE(fsys::CreateDirectories(HomePath("Corra.ini/")));
    messageBox.calls.clear();
    {
        CCorraApp app;
        app.InitInstance();
        app.ExitInstance();
    }
    int missing = 0;
    for (const auto& c : messageBox.calls)
        missing += c.text.Find("The following configuration file is missing...") == 0;
    EXPECT_EQ(missing, 1);
}

TEST_F(StartupTest, OnAFirstStartTheSampleBankOpensWithoutAskingForListsOrSubjects)
{
    CCorraApp app;
    ASSERT_TRUE(app.InitInstance());
    const CString bank = fsys::Join(CFileTypes::GetDefDir(DT_CORRA), "Biology.crr");
    // The first start put it there when the samples ship beside the program.
    if (!fsys::IsFile(bank))
        ASSERT_TRUE(fsys::CopyFile(SamplePath("Biology.crr"), bank, TRUE));
    messageBox.calls.clear();
    auto* doc = dynamic_cast<CCorraDoc*>(app.OpenDocumentFile(bank));
    ASSERT_NE(doc, nullptr);
    // The editor shows the first question with its subjects and chapters from the master lists.
    EditQuestionInDialog(*doc, static_cast<CCorraQuestion*>(doc->m_plQuestions.GetHead()));
    QApplication::processEvents();
    for (const auto& c : messageBox.calls)
        EXPECT_EQ(c.text.Find("does not exist"), -1) << c.text;
    for (const auto& c : richBox.calls)
        EXPECT_NE(c.title, "New Subjects...") << c.pane[1];
    app.CloseAllDocuments(TRUE);
    app.ExitInstance();
}

TEST_F(StartupTest, ValuesThatAreNotNumbersTakeTheirDefaults)
{
    WriteHomeFile("Corra.ini", "[Settings]\nSplash=yes\nBoilerPlateAtStartup=0\n[Tip]\nStartUp=x1\n"
                               "[HVMsgBoxDontShow]\nDontShowWelcome=1\n");
    CCorraApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.Plan().splash, 4500);
    EXPECT_EQ(app.Plan().tip, 3500);
    EXPECT_EQ(app.Plan().startScreen, -1);
    EXPECT_EQ(CProfileStore(HomePath("Corra.ini")).GetInt("Settings", "Splash", -1), 1);
    app.ExitInstance();
}

TEST_F(StartupTest, ALowColourScreenCancelledEndsStartUp)
{
    screen.info.nBitsPerPixel = 8;
    richBox.QueueAnswer(IDCANCEL);
    CCorraApp app;
    EXPECT_FALSE(app.InitInstance());
    ASSERT_EQ(richBox.calls.size(), 1u);
    EXPECT_EQ(richBox.calls[0].title, "Color warning...");
    EXPECT_EQ(richBox.calls[0].pane[0].Find("(8 bits per pixel)") > 0, true);
    app.ExitInstance();
}

// --- fonts ------------------------------------------------------------------------------------

TEST_F(StartupTest, FontsAreListedFromIndexZeroAndTheirKeysStay)
{
    {
        // An empty first entry: nothing is installed.
        WriteHomeFile("Corra.ini", "[InstallFonts]\nfont1=/no/such/font.ttf\n");
        CCorraApp app;
        app.AssignLocalConfigFile(TRUE);
        app.InstallFonts();
        EXPECT_EQ(app.GetProfileString("InstallFonts", "font1", ""), "/no/such/font.ttf");
    }
    {
        WriteHomeFile("Corra.ini", "[InstallFonts]\nfont0=/no/such/font.ttf\nfont2=/no/such/other.ttf\n");
        CCorraApp app;
        app.AssignLocalConfigFile(TRUE);
        app.InstallFonts();
        // Kept, so that the next start adds them again.
        EXPECT_EQ(app.GetProfileString("InstallFonts", "font0", ""), "/no/such/font.ttf");
        EXPECT_EQ(app.GetProfileString("InstallFonts", "font2", ""), "/no/such/other.ttf");
    }
}

// --- templates and documents ------------------------------------------------------------------

class DocumentsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        m_app = std::make_unique<CCorraApp>();
        m_app->CreateTemplates();
    }
    void TearDown() override
    {
        m_app.reset();
        QApplication::processEvents();
        AppTest::TearDown();
    }
    std::unique_ptr<CCorraApp> m_app;
};

TEST_F(DocumentsTest, KindsAndTemplatesGoByTheWholeExtension)
{
    struct Case {
        const char* path;
        int kind;
        UINT templateId;  // 0: none
    };
    const Case cases[] = {
        {"/h/bank.crr", 3, 3},     {"/h/BANK.CRR", 3, 3},    {"/h/exam.exm", 4, 4},
        {"/h/notes.RTF", 102, 102}, {"/h/notes.wpd", 102, 102}, {"/h/x.c", 0, 0},
        {"/h/x.cr", 0, 0},         {"/h/bank.crr.bak", 0, 0}, {"/h/a.crr/readme", 0, 0},
        {"/h/exm", 0, 0},          {"/h/x.txts", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(CCorraApp::ExtToDocType(c.path), c.kind);
        CDocTemplate* t = m_app->GetTemplateForFile(c.path);
        EXPECT_EQ(t ? t->GetResourceId() : 0u, c.templateId);
    }
    EXPECT_EQ(m_app->GetDocString(DOCKIND_EXAM, CDocTemplate::filterName), "Exam Files (*.exm)");
    EXPECT_EQ(m_app->GetDocString(DOCKIND_SOURCE, CDocTemplate::fileNewName), "Source Document");
}

TEST_F(DocumentsTest, TheSourceTemplateMatchesItsExtensionsWithoutCase)
{
    struct Case {
        const char* path;
        CDocTemplate::Confidence confidence;
    };
    const Case cases[] = {
        {"/h/notes.RTF", CDocTemplate::yesAttemptNative},  {"/h/notes.doc", CDocTemplate::yesAttemptNative},
        {"/h/notes.r", CDocTemplate::yesAttemptForeign},    {"/h/notes", CDocTemplate::yesAttemptForeign},
        {"/h/a.rtf/notes", CDocTemplate::yesAttemptForeign}, {"/h/notes.rtf2", CDocTemplate::yesAttemptForeign},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CDocument* match = reinterpret_cast<CDocument*>(1);
        EXPECT_EQ(m_app->m_pSourceTemplate->MatchDocType(c.path, match), c.confidence);
        EXPECT_EQ(match, nullptr);
    }
    CString path = WriteHomeFile("notes.txt", "Question one\n");
    CDocument* pDoc = m_app->OpenDocumentOfType(path, FALSE);
    ASSERT_NE(pDoc, nullptr);
    CDocument* match = nullptr;
    EXPECT_EQ(m_app->m_pSourceTemplate->MatchDocType(path, match), CDocTemplate::yesAlreadyOpen);
    EXPECT_EQ(match, pDoc);
}

TEST_F(DocumentsTest, BanksOfOneNameInTwoFoldersAreTwoDocuments)
{
    CString a = HomePath("a/bank.crr");
    CString b = HomePath("b/bank.crr");
    WritePlainBank(a, "Bank A");
    WritePlainBank(b, "Bank B");
    CDocument* pA = m_app->OpenCorraDocument(a, FALSE);
    ASSERT_NE(pA, nullptr);
    CDocument* pB = m_app->OpenCorraDocument(b, FALSE);
    ASSERT_NE(pB, nullptr);
    EXPECT_NE(pA, pB);
    EXPECT_EQ(static_cast<CCorraDoc*>(pB)->m_csTitle1, "Bank B");
    EXPECT_EQ(m_app->FindOpenDocument(b, FALSE), pB);
    EXPECT_EQ(m_app->FindDocumentOfFile(a, FALSE), pA);
    EXPECT_EQ(m_app->FindOpenDocument(HomePath("c/bank.crr"), FALSE), nullptr);
    // A bare name finds a document of that file name.
    EXPECT_EQ(m_app->FindOpenDocument("BANK.crr", FALSE), pA);
    // An unsaved document is found by its title only when the name is bare.
    CDocument* pNew = m_app->NewCorraDocument(FALSE);
    ASSERT_NE(pNew, nullptr);
    EXPECT_EQ(m_app->FindOpenDocument(pNew->GetTitle(), FALSE), pNew);
    EXPECT_EQ(m_app->FindOpenDocument(HomePath(pNew->GetTitle()), FALSE), nullptr);
    EXPECT_EQ(m_app->FindDocumentByTitle("bank.crr"), pA);
    std::vector<CDocument*> docs;
    EXPECT_EQ(m_app->GetDocsOfType(".crr", docs, CDocTemplate::filterExt, pA), m_app->m_pCorraTemplate);
    EXPECT_EQ(docs.size(), 2u);
}

TEST_F(DocumentsTest, BadFilesOnTheCommandLineAreToldAndSkipped)
{
    CString folder = HomePath("banks");
    fsys::CreateDirectories(folder);
    CString other = WriteHomeFile("list.xyz", "x");
    CCorraCommandLineInfo info;
    m_app->ParseCommandLine(info, {HomePath("missing.crr"), folder, other, CString("--bogus")});
    m_app->OpenCommandLineFiles(info);
    ASSERT_EQ(messageBox.calls.size(), 4u);
    EXPECT_EQ(messageBox.calls[0].text, "Unknown command-line switch: --bogus");
    EXPECT_EQ(messageBox.calls[1].text.Find("Cannot find the file:"), 0);
    EXPECT_EQ(messageBox.calls[2].text.Find("Cannot open a folder:"), 0);
    EXPECT_EQ(messageBox.calls[3].text.Find("This is not a Corra, exam or source document:"), 0);
    for (CDocTemplate* t : {static_cast<CDocTemplate*>(m_app->m_pCorraTemplate),
                            static_cast<CDocTemplate*>(m_app->m_pExamTemplate),
                            static_cast<CDocTemplate*>(m_app->m_pSourceTemplate)})
        EXPECT_EQ(t->GetDocumentCount(), 0);
}

TEST_F(DocumentsTest, FileNewOffersEveryKindButSource)
{
    CModalScript script;
    std::vector<CString> offered;
    script.OnTemplate(IDD_NEWTYPEDLG, [&](CDialog& d) {
        for (CDocTemplate* t : static_cast<CDocTypeDlg&>(d).Offered()) {
            CString name;
            t->GetDocString(name, CDocTemplate::fileNewName);
            offered.push_back(name);
        }
        ClickDlgButton(d, IDOK);
    });
    m_app->OnFileNew();
    EXPECT_EQ(offered, (std::vector<CString>{"Corra", "Exam"}));
    // The first entry was chosen: a new Question Corra.
    EXPECT_EQ(m_app->m_pCorraTemplate->GetDocumentCount(), 1);
}

// --- end to end -------------------------------------------------------------------------------

TEST_F(StartupTest, TheMainWindowOpensABankFromTheCommandLineAndClosesCleanly)
{
    WriteHomeFile("Corra.ini", "[HVMsgBoxDontShow]\nDontShowWelcome=1\n[Settings]\nSplash=0\n");
    // A copy of the sample bank, plain text as it is kept in the tree.
    CString bank = HomePath("copy/Sample Bank.crr");
    fsys::CreateDirectories(HomePath("copy"));
    ASSERT_TRUE(fsys::CopyFile(TestDataPath("../../samples/Biology.crr"), bank, FALSE));
    ASSERT_FALSE(IsEnciphered(bank));
    // The sample's subjects are not in the master list: the chooser offers them, and is left.
    CModalScript script;
    script.On<CSubjectsDlg>([](CSubjectsDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "New Subjects...");
        ClickDlgButton(d, IDCANCEL);
    });
    auto app = std::make_unique<CCorraApp>();
    app->SetArguments({bank});
    ASSERT_TRUE(app->InitInstance());
    EXPECT_EQ(script.Pending(), 0);
    CMainFrame* pMain = app->GetMainFrame();
    ASSERT_NE(pMain, nullptr);
    EXPECT_EQ(AfxGetMainWnd(), pMain);
    ASSERT_EQ(pMain->GetMDIChildren().size(), 1u);
    auto* pFrame = dynamic_cast<CCorraFrm*>(pMain->GetMDIChildren().front());
    ASSERT_NE(pFrame, nullptr);
    ASSERT_NE(pFrame->GetUpperView(), nullptr);
    ASSERT_NE(pFrame->GetLowerView(), nullptr);
    CDocument* pDoc = pFrame->GetActiveDocument();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->GetPathName(), bank);
    EXPECT_GT(static_cast<CCorraDoc*>(pDoc)->GetQuestionCount(), 0);
    EXPECT_GT(CorraViewServices().GetItemCount(pFrame->GetUpperView()), 0);
    EXPECT_EQ(CorraViewServices().GetPartner(pFrame->GetUpperView()), pFrame->GetLowerView());
    // The plain file is written again, enciphered, as soon as the events run.
    EXPECT_TRUE(RunEventsUntil([&] { return IsEnciphered(bank); }));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(pMain->GetMenuBarId(), IDR_CORRATYPE);
    // On the recent-file list.
    ASSERT_NE(app->GetRecentFileList(), nullptr);
    EXPECT_EQ((*app->GetRecentFileList())[0], bank);

    pMain->PostCommand(ID_APP_EXIT);
    EXPECT_TRUE(RunEventsUntil([&] { return pMain->IsFrameDestroyed(); }));
    EXPECT_EQ(app->m_pCorraTemplate->GetDocumentCount(), 0);
    EXPECT_FALSE(CProfileStore(HomePath("Corra.ini")).GetString(DOCK_STATE_SECTION, "State", "").IsEmpty());
    app->ExitInstance();
    app.reset();
    QApplication::processEvents();
}

} // namespace

namespace {

TEST_F(DocumentsTest, TheFileListSeesTheOpenAndRecentDocuments)
{
    m_app->LoadStdProfileSettings(10);
    CString bank = HomePath("a/bank.crr");
    WritePlainBank(bank);
    CString notes = WriteHomeFile("notes.txt", "one\ntwo\nthree");
    IShellDocuments& shell = ShellDocuments();
    CDocument* pBank = shell.OpenDocumentOfType(bank, FALSE);
    ASSERT_NE(pBank, nullptr);
    EXPECT_EQ(shell.OpenDocumentOfType(bank, FALSE), pBank);
    EXPECT_EQ(shell.FindOpenDocument(bank), pBank);
    EXPECT_EQ(shell.FindOpenDocument(HomePath("b/bank.crr")), nullptr);
    CDocument* pNotes = shell.OpenDocumentOfType(notes, FALSE);
    ASSERT_NE(pNotes, nullptr);
    EXPECT_EQ(shell.GetOpenLineCount(pNotes), 3);
    EXPECT_EQ(shell.GetOpenLineCount(pBank), -1);
    std::vector<CString> recent;
    shell.GetRecentFiles(recent);
    EXPECT_EQ(recent, (std::vector<CString>{notes, bank}));
}

} // namespace

namespace {

// The round of a teacher in the real program: a new bank through File New, its editor opened
// from the bank's menu, one question of each type added there, File Save under a new name, File
// Close, File Open: the view lists the same questions in the same order, and the editor, given
// each from the view, shows the same fields.
TEST_F(MainWindowTest, EveryTitleAndMessageNamesTheProductQuorvale)
{
    StartApp();
    m_pMain->OnUpdateFrameTitle(TRUE);
    EXPECT_EQ(m_pMain->GetWindowText(), "Quorvale");
    AfxMessageBox("Something to say");
    ASSERT_FALSE(messageBox.calls.empty());
    EXPECT_EQ(messageBox.calls.back().caption, "Quorvale");
    CAboutDlg about;
    EXPECT_EQ(FromQString(about.windowTitle()), "About Quorvale");
    CSplashWindow::SetEnabled(TRUE);
    CSplashWindow::ShowOver(60000, nullptr);
    ASSERT_NE(CSplashWindow::Current(), nullptr);
    EXPECT_EQ(FromQString(CSplashWindow::Current()->windowTitle()), "Quorvale");
    CSplashWindow::Close();
    CSplashWindow::SetEnabled(FALSE);
}

TEST_F(MainWindowTest, ABankMadeThroughTheEditorOpensAgainWithTheSameQuestions)
{
    WriteRoundTripMasterLists();
    StartApp();
    int count = 0;
    const CTypedQuestion* typed = TypedQuestions(&count);
    // Where the banks live: the chooser of File Open shows that folder.
    const CString path = HomePath("QCorras/Cells.crr");
    fsys::CreateDirectories(HomePath("QCorras"));
    CScriptedFileDialog files;
    CServiceScope<IFileDialogService> filesScope(FileDialogSlot(), files);
    auto* dialogs = dynamic_cast<CQuestionDialogs*>(DocumentDialogsSlot().Installed());
    ASSERT_NE(dialogs, nullptr);

    CModalScript script;
    // "Corra" is the first kind offered.
    script.OnTemplate(IDD_NEWTYPEDLG, [](CDialog& d) { ClickDlgButton(d, IDOK); });
    ASSERT_TRUE(m_pMain->OnCommand(ID_FILE_NEW));
    EXPECT_EQ(script.Pending(), 0);
    auto* doc = dynamic_cast<CCorraDoc*>(m_pMain->GetActiveDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->GetQuestionCount(), 0);
    ASSERT_TRUE(m_pMain->OnCommand(ID_CORRA_QUESTION_DIALOG));
    CCorraQuestionDlg* editor = dialogs->FindEditor(*doc);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->IsWindowVisible());
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(TypeAndAdd(*editor, typed[i]));
    ASSERT_EQ(doc->GetQuestionCount(), count);

    // A new bank's File Save asks for its name.
    files.QueuePath(path);
    ASSERT_TRUE(m_pMain->OnCommand(ID_FILE_SAVE));
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_TRUE(fsys::Exists(path));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(editor->GetWindowText(), "QuestDlg/Cells.crr");
    ASSERT_TRUE(m_pMain->OnCommand(ID_FILE_CLOSE));
    ASSERT_TRUE(RunEventsUntil([&] { return m_app->m_pCorraTemplate->GetDocumentCount() == 0; }));
    EXPECT_EQ(dialogs->FindEditor(*doc), nullptr);

    // File Open: the kind, then the bank in the program's file chooser.
    script.OnTemplate(IDD_NEWTYPEDLG, [](CDialog& d) { ClickDlgButton(d, IDOK); });
    script.On<CHVFileDlg>([](CHVFileDlg& d) {
        QApplication::processEvents();
        d.SendMessage(WM_HV_LBUTTONDOWN, IDC_HVFD_LIST);
        d.GetList()->SelectItem(d.GetList()->FindItemByName("Cells.crr"));
        ClickDlgButton(d, IDOK);
    });
    ASSERT_TRUE(m_pMain->OnCommand(ID_FILE_OPEN));
    EXPECT_EQ(script.Pending(), 0);
    auto* again = dynamic_cast<CCorraDoc*>(m_pMain->GetActiveDocument());
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(fsys::NormalizeSeparators(again->GetPathName()), fsys::NormalizeSeparators(path));
    CView* view = again->GetCorraView();
    ASSERT_NE(view, nullptr);
    CPtrListEx shown;
    ASSERT_TRUE(CorraViewServices().GetListOrder(view, shown));
    ASSERT_EQ(shown.GetCount(), count);
    int i = 0;
    for (POSITION pos = shown.GetHeadPosition(); pos; ++i) {
        auto* q = static_cast<CCorraQuestion*>(shown.GetNext(pos));
        // A click on the question in the view shows it in the editor.
        ASSERT_TRUE(CorraViewServices().SelectQuestion(view, q, SELQ_FOCUS | SELQ_UPDATE_DIALOG));
        ASSERT_NE(dialogs->FindEditor(*again), nullptr);
        ExpectTyped(*dialogs->FindEditor(*again), *q, typed[i], false);
    }
}

} // namespace

namespace {

TEST_F(MainWindowTest, FileOpensChooserSaysWhatItAsksFor)
{
    StartApp();
    CModalScript script;
    script.OnTemplate(IDD_NEWTYPEDLG, [](CDialog& d) { ClickDlgButton(d, IDOK); });
    CString info;
    script.On<CHVFileDlg>([&info](CHVFileDlg& d) {
        info = d.GetInfoText().Trim();
        ClickDlgButton(d, IDCANCEL);
    });
    ASSERT_TRUE(m_pMain->OnCommand(ID_FILE_OPEN));
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(info, "Select the Corra file to open.");
}

} // namespace
