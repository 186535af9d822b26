#include "app/CorraIdCheck.h"
#include "app/FolderSetupDlg.h"
#include "app/ProgramDataDlg.h"
#include "app/DocumentChooser.h"
#include "app/MainFrm.h"
#include "app/TaskServices.h"
#include "controls/HVRichEditCtrl.h"
#include "controls/OldProgressDlg.h"
#include "foundation/FileTypes.h"
#include "foundation/Log.h"
#include "import/SourceDoc.h"
#include "model/CorraDoc.h"
#include "model/ExamDoc.h"
#include "platform/core/FileSys.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/Print.h"
#include "print/FontMgrDlg.h"
#include "res/ids/App.h"
#include "res/ids/QuestionDlg.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedPrintDialogs.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <unistd.h>

namespace {

// A wizard that answers as the test says and records how it was started.
class CScriptedWizard : public IAddQuestionWizard {
public:
    int Run(const CWizardRequest& request, CWizardResult& result, CWnd*) override
    {
        requests.push_back(request);
        result.pTarget = target;
        result.nMethod = method;
        result.sourceText = text;
        return answer;
    }
    void CancelCleanUp(const CWizardResult&) override { ++cleanUps; }
    BOOL AutoConvert(CCorraDoc&, const CString& t, CHVRichEditCtrl* pCtrl) override
    {
        converted.push_back(t);
        usedControl = pCtrl != nullptr;
        return convertOk;
    }

    int answer = IDCANCEL;
    CDocument* target = nullptr;
    int method = -1;
    CString text;
    BOOL convertOk = TRUE;
    std::vector<CWizardRequest> requests;
    std::vector<CString> converted;
    BOOL usedControl = FALSE;
    int cleanUps = 0;
};

class CRecordingDialog : public ICommandDialog {
public:
    void Run(CWnd*) override { ++runs; }
    int runs = 0;
};

class MainFrameTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        StartApp();
        ASSERT_NE(m_pMain, nullptr);
    }
    BOOL Enabled(UINT nID)
    {
        CTestCmdUI ui;
        ui.m_nID = nID;
        ui.DoUpdate(m_pMain, TRUE);
        return ui.m_bEnabled;
    }
    int Shown() const { return m_pMain->GetNavigator()->CurrentScreen(); }
};

TEST_F(MainFrameTest, TheHelpMenuHoldsOneTipItemHoweverOftenMenusOpen)
{
    for (int i = 0; i < 12; ++i)
        m_pMain->OnInitMenu(m_pMain->menuBar());
    QMenu* help = m_pMain->FindMenuPopup("&Help");
    ASSERT_NE(help, nullptr);
    int tips = 0;
    for (QMenu* menu : m_pMain->menuBar()->findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            tips += GetActionCommandId(a) == ID_HELP_TIPOFTHEDAY;
    EXPECT_EQ(tips, 1);
    ASSERT_FALSE(help->actions().isEmpty());
    EXPECT_EQ(GetActionCommandId(help->actions().front()), ID_HELP_TIPOFTHEDAY);
}

TEST_F(MainFrameTest, CommandsOfMissingNeighboursAreDisabledUntilInstalled)
{
    // The application installs its own wizard; without one its commands are off.
    ASSERT_NE(AddQuestionWizardSlot().Installed(), nullptr);
    for (UINT nID : {ID_AUTO_CONVERT, ID_ADD_QUESTION_WIZARD, ID_CREATE_RANDOM_EXAM})
        EXPECT_TRUE(Enabled(nID)) << nID;
    AddQuestionWizardSlot().Set(nullptr);
    for (UINT nID : {ID_AUTO_CONVERT, ID_ADD_QUESTION_WIZARD, ID_CREATE_RANDOM_EXAM, ID_DEFAULT_FONTS})
        EXPECT_FALSE(Enabled(nID)) << nID;
    // The application installs its own Import Files dialog and exported-files viewer.
    for (UINT nID : {ID_IMPORT_FILES, ID_VIEW_EXPORTED_FILES, ID_CONTACT_SUPPORT, ID_USERS_GUIDE, ID_PRODUCT_TOUR, ID_PRODUCT_UPDATES, ID_DELETE_LOG,
                     ID_CHECK_CORRA_IDS, ID_STARTUP_SETTINGS, ID_MAIN_MENU, ID_MANAGE_FOLDERS, ID_PROGRAM_DATA})
        EXPECT_TRUE(Enabled(nID)) << nID;
    CScriptedWizard wizard;
    CRecordingDialog import, exported;
    CServiceScope<IAddQuestionWizard> w(AddQuestionWizardSlot(), wizard);
    CServiceScope<ICommandDialog> i(ImportFilesDialogSlot(), import);
    CServiceScope<ICommandDialog> e(ExportedFilesViewerSlot(), exported);
    CFontManagerDialogService fonts;
    CServiceScope<IFontManagerDialog> f(FontManagerDialogSlot(), fonts);
    for (UINT nID : {ID_AUTO_CONVERT, ID_ADD_QUESTION_WIZARD, ID_CREATE_RANDOM_EXAM, ID_IMPORT_FILES,
                     ID_VIEW_EXPORTED_FILES, ID_DEFAULT_FONTS})
        EXPECT_TRUE(Enabled(nID)) << nID;
    m_pMain->OnCommand(ID_IMPORT_FILES);
    m_pMain->OnCommand(ID_VIEW_EXPORTED_FILES);
    EXPECT_EQ(import.runs, 1);
    EXPECT_EQ(exported.runs, 1);
}

TEST_F(MainFrameTest, FoldersAndProgramDataOpenTheirDialogs)
{
    CModalScript script;
    script.On<CFolderSetupDlg>([](CFolderSetupDlg& dlg) { ClickDlgButton(dlg, IDCANCEL); });
    script.On<CProgramDataDlg>([](CProgramDataDlg& dlg) { ClickDlgButton(dlg, IDCANCEL); });
    m_pMain->OnCommand(ID_MANAGE_FOLDERS);
    m_pMain->OnCommand(ID_PROGRAM_DATA);
    EXPECT_EQ(script.Answered(), 2);
}

TEST_F(MainFrameTest, WizardTasksWithoutAWizardGoBackAsOnCancel)
{
    const struct {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        int page;
    } cases[] = {{0x8003, START_SCREEN_TASK, 0, 1}, {0x8008, START_SCREEN_TASK, 0, 1},
                 {0x805B, START_SCREEN_TASK, 0, 5}, {0x805C, START_SCREEN_TASK, 0, -1},
                 {0x8014, START_SCREEN_TASK, 0, 5}, {0x801A, START_SCREEN_TASK, 0, 5},
                 {0x8014, 0, 0, -1},                {0x8008, START_SCREEN_TASK, 1, -1}};
    AddQuestionWizardSlot().Set(nullptr);
    for (const auto& c : cases) {
        m_pMain->GetNavigator()->hide();
        m_pMain->OnTask(c.message, c.wParam, c.lParam);
        EXPECT_EQ(Shown(), c.page) << std::hex << c.message;
    }
    EXPECT_NE(GetLogBuffer().Find("the Add Question Wizard is not available"), -1);
}

TEST_F(MainFrameTest, TheRandomExamStartsTheWizardOnItsPageNeverTheMainMenu)
{
    CScriptedWizard wizard;
    CServiceScope<IAddQuestionWizard> w(AddQuestionWizardSlot(), wizard);
    m_pMain->GetNavigator()->hide();
    m_pMain->OnCommand(ID_CREATE_RANDOM_EXAM);
    ASSERT_EQ(wizard.requests.size(), 1u);
    EXPECT_EQ(wizard.requests[0].nStartCommand, WIZARD_START_RANDOM_EXAM);
    EXPECT_EQ(wizard.requests[0].dwSheetFlags, WIZARD_SHEET_RANDOM_EXAM);
    EXPECT_EQ(wizard.requests[0].title, CString("Create new random Exam..."));
    // Cancelled from the menu: cleaned up, and the start screen stays hidden.
    EXPECT_EQ(wizard.cleanUps, 1);
    EXPECT_EQ(Shown(), -1);
    // A document's AutoConvert passes the document on and is not cleaned up when cancelled.
    m_pMain->OnTask(0x8008, 0, 1234);
    EXPECT_EQ(wizard.requests.back().lParam, 1234);
    EXPECT_EQ(wizard.requests.back().nStartCommand, WIZARD_START_AUTOCONVERT);
    EXPECT_EQ(wizard.cleanUps, 1);
}

// A source document's "&Auto Convert..." names it to the main window; one closed before the
// task is handled is left alone.
TEST_F(MainFrameTest, ASourceAutoConvertTaskChecksItsDocument)
{
    CScriptedWizard wizard;
    CServiceScope<IAddQuestionWizard> w(AddQuestionWizardSlot(), wizard);
    auto* pSource = dynamic_cast<CSourceDoc*>(m_app->OpenDocumentFile(WriteHomeFile("teacher.txt", "1. Why?\na. yes\n")));
    ASSERT_NE(pSource, nullptr);
    ASSERT_TRUE(RunCommandOn(pSource, ID_AUTO_CONVERT));
    QApplication::processEvents();
    ASSERT_EQ(wizard.requests.size(), 1u);
    EXPECT_EQ(wizard.requests[0].nStartCommand, WIZARD_START_AUTOCONVERT_DOC);
    EXPECT_TRUE(wizard.requests[0].doc.Is(pSource));
    EXPECT_EQ(wizard.cleanUps, 0);

    pSource->OnAutoConvert();
    pSource->OnCloseDocument();
    QApplication::processEvents();
    EXPECT_EQ(wizard.requests.size(), 1u);
    EXPECT_NE(GetLogBuffer().Find("the source document of AutoConvert is closed"), -1);
}

TEST_F(MainFrameTest, AutoConvertTakesRtfThroughAControlAndReportsAFailure)
{
    CScriptedWizard wizard;
    CServiceScope<IAddQuestionWizard> w(AddQuestionWizardSlot(), wizard);
    CDocument* pDoc = m_app->NewCorraDocument(TRUE);
    ASSERT_NE(pDoc, nullptr);
    wizard.answer = IDOK;
    wizard.target = pDoc;
    wizard.method = 0;
    wizard.text = "  {\\rtf1\\ansi 1. What? a. yes b. no}";
    CWizardRequest request;
    CWizardResult result;
    EXPECT_EQ(m_pMain->RunWizard(request, result), IDOK);
    EXPECT_TRUE(wizard.usedControl);
    wizard.text = "1. What?\na. yes\nb. no\n";
    wizard.convertOk = FALSE;
    const size_t boxes = messageBox.calls.size();
    EXPECT_EQ(m_pMain->RunWizard(request, result), IDCANCEL);
    EXPECT_FALSE(wizard.usedControl);
    ASSERT_EQ(messageBox.calls.size(), boxes + 1);
    EXPECT_EQ(messageBox.calls.back().text, CString("AutoConvert failure."));
}

TEST_F(MainFrameTest, CopyingFromADocumentBringsItsQuestionsOrTellsItFailedToOpen)
{
    auto* pTarget = dynamic_cast<CCorraDoc*>(m_app->NewCorraDocument(TRUE));
    ASSERT_NE(pTarget, nullptr);
    std::string sample;
    ASSERT_TRUE(fsys::ReadFile(SamplePath("Biology.crr"), sample));
    const CString source = WriteHomeFile("Biology.crr", sample);
    CModalScript script;
    script.OnTemplate(IDD_SUBJECTS_DLG, [](CDialog& dlg) { dlg.EndDialog(IDCANCEL); });
    CWizardRequest request;
    CWizardResult result;
    // Copies the questions of a whole document (no collection named).
    struct CCopyWizard : CScriptedWizard {
        CString path;
        int Run(const CWizardRequest& r, CWizardResult& out, CWnd* p) override
        {
            CScriptedWizard::Run(r, out, p);
            out.sourcePath = path;
            out.nCopyMode = 1;
            return answer;
        }
    } copy;
    copy.answer = IDOK;
    copy.target = pTarget;
    copy.method = 2;
    copy.path = source;
    CServiceScope<IAddQuestionWizard> c(AddQuestionWizardSlot(), copy);
    EXPECT_EQ(m_pMain->RunWizard(request, result), IDOK);
    CPtrListEx questions;
    EXPECT_EQ(GetDocQuestions(pTarget, questions), 9);
    copy.path = HomePath("gone.crr");
    const size_t boxes = messageBox.calls.size();
    EXPECT_EQ(m_pMain->RunWizard(request, result), IDCANCEL);
    ASSERT_GT(messageBox.calls.size(), boxes);
    EXPECT_EQ(messageBox.calls.back().text.Left(26), CString("Failed top open document\n\n"));
    pTarget->SetModifiedFlag(FALSE);
}

// A chooser that notes whether the exam link check was held back while it chose.
class CSuppressionChooser : public IDocumentChooser {
public:
    CDocument* ChooseDocument(int, LPCSTR, BOOL& bOpened, CDocument*) override
    {
        suppressed.push_back(CCorraDoc::IsAutoSaveSuppressed());
        bOpened = FALSE;
        return nullptr;
    }
    std::vector<BOOL> suppressed;
};

TEST_F(MainFrameTest, PrintingAnExamHoldsTheLinkCheckBackOnlyWhileChoosing)
{
    CSuppressionChooser chooser;
    CServiceScope<IDocumentChooser> scope(DocumentChooserSlot(), chooser);
    for (UINT message : {0x801Du, 0x801Eu, 0x8029u, 0x802Au, 0x801Cu, 0x8028u}) {
        m_pMain->GetNavigator()->hide();
        m_pMain->OnTask(message, START_SCREEN_TASK, 0);
        EXPECT_EQ(Shown(), 8) << std::hex << message;
        EXPECT_FALSE(CCorraDoc::IsAutoSaveSuppressed());
    }
    EXPECT_EQ(chooser.suppressed, (std::vector<BOOL>{TRUE, TRUE, TRUE, TRUE, FALSE, FALSE}));
}

// Gives one document, once.
class COneDocumentChooser : public IDocumentChooser {
public:
    CDocument* ChooseDocument(int, LPCSTR, BOOL& bOpened, CDocument*) override
    {
        bOpened = FALSE;
        CDocument* p = doc;
        doc = nullptr;
        return p;
    }
    CDocument* doc = nullptr;
};

TEST_F(MainFrameTest, PrintingKeysSetsTheExamsKeyModeBeforeTheCommand)
{
    auto* pExam = dynamic_cast<CExamDoc*>(m_app->NewExamDocument());
    ASSERT_NE(pExam, nullptr);
    COneDocumentChooser chooser;
    CServiceScope<IDocumentChooser> scope(DocumentChooserSlot(), chooser);
    chooser.doc = pExam;
    m_pMain->GetNavigator()->hide();
    m_pMain->OnTask(0x802A, START_SCREEN_TASK, 0);
    EXPECT_EQ(pExam->m_nPrintModeOverride, 3);
    EXPECT_EQ(Shown(), -1);
    pExam->m_nPrintModeOverride = -1;
    chooser.doc = pExam;
    m_pMain->OnTask(0x8029, START_SCREEN_TASK, 0);
    EXPECT_EQ(pExam->m_nPrintModeOverride, -1);
    pExam->SetModifiedFlag(FALSE);
}

TEST_F(MainFrameTest, DroppedFilesPassTheCommandLinesChecks)
{
    CString bank = HomePath("dropped.crr");
    WritePlainBank(bank);
    WriteHomeFile("notes.xyz", "x");
    fsys::CreateDirectories(HomePath("folder.crr"));
    const size_t boxes = messageBox.calls.size();
    m_pMain->OnDropFiles({HomePath("missing.crr"), HomePath("notes.xyz"), HomePath("folder.crr"), bank});
    ASSERT_EQ(messageBox.calls.size(), boxes + 3);
    EXPECT_NE(messageBox.calls[boxes].text.Find("Cannot find the file"), -1);
    EXPECT_NE(messageBox.calls[boxes + 1].text.Find("not a Corra"), -1);
    EXPECT_NE(messageBox.calls[boxes + 2].text.Find("Cannot open a folder"), -1);
    EXPECT_NE(m_app->FindDocumentOfFile(bank, FALSE), nullptr);
}

TEST_F(MainFrameTest, TheUpdateBoxShowsItsPictureAndOpensTheDownloadPage)
{
    richBox.QueueAnswer(IDYES);
    m_pMain->OnCommand(ID_PRODUCT_UPDATES);
    ASSERT_EQ(richBox.calls.size(), 1u);
    EXPECT_EQ(richBox.calls[0].title, CString("Quorvale Update"));
    EXPECT_EQ(richBox.calls[0].bitmapId, static_cast<int>(IDB_UPDATE));
    EXPECT_EQ(richBox.calls[0].yes, CString("Update"));
    EXPECT_NE(richBox.calls[0].pane[2].Find("You are currently running Quorvale v"), -1);
    ASSERT_EQ(opener.calls.size(), 1u);
    EXPECT_EQ(opener.calls[0].kind, CString("url"));
    EXPECT_NE(opener.calls[0].target.Find("Download"), -1);
}

// A window that counts its idle updates in a counter that outlives it.
class CIdleCountingWnd : public CWidgetWnd {
public:
    explicit CIdleCountingWnd(int& rounds) : m_rounds(rounds) {}
    void OnIdleUpdateCmdUI() override
    {
        ++m_rounds;
        CWidgetWnd::OnIdleUpdateCmdUI();
    }

private:
    int& m_rounds;
};

TEST_F(MainFrameTest, IdleWindowsThatClosedAreForgotten)
{
    int keptRounds = 0;
    int goneRounds = 0;
    auto* kept = new CIdleCountingWnd(keptRounds);
    auto* gone = new CIdleCountingWnd(goneRounds);
    m_pMain->AddIdleWindow(kept);
    m_pMain->AddIdleWindow(gone);
    delete gone;
    m_pMain->OnIdleUpdateCmdUI();
    m_pMain->OnIdleUpdateCmdUI();
    EXPECT_EQ(keptRounds, 2);
    EXPECT_EQ(goneRounds, 0);
    delete kept;
    m_pMain->OnIdleUpdateCmdUI();
    EXPECT_EQ(keptRounds, 2);
    EXPECT_EQ(goneRounds, 0);
}

// A floating toolbar that only keeps whether it is shown.
class CShownToolbar : public IFloatEditToolbar {
public:
    void Attach(CHVRichEditCtrl* pCtrl) override { m_pCtrl = pCtrl; }
    CHVRichEditCtrl* GetAttached() const override { return m_pCtrl; }
    void Show(BOOL bShow) override { visible = bShow; }
    BOOL IsVisible() const override { return visible; }
    void Refresh() override {}
    CSize GetSize() const override { return CSize(100, 30); }
    void MoveTo(int, int) override {}
    void OnSelectionChanged(CHVRichEditCtrl*) override {}
    void OnIdleUpdate() override {}
    QWidget* GetOwnerWidget() const override { return nullptr; }
    BOOL visible = FALSE;

private:
    CHVRichEditCtrl* m_pCtrl = nullptr;
};

// The editing control's "show the toolbar" command (its ids clash with the menus' here).
constexpr UINT kShowEditToolbar = 33094;

class CShownToolbarFactory : public IFloatToolbarFactory {
public:
    IFloatEditToolbar* Create(QWidget*) override { return made = new CShownToolbar; }
    CShownToolbar* made = nullptr;
};

TEST_F(MainFrameTest, TheFloatingToolbarHidesWhileTheProgramIsInactive)
{
    m_pMain->OnActivateApp(FALSE);  // none yet: nothing to do
    CShownToolbarFactory factory;
    CServiceScope<IFloatToolbarFactory> scope(FloatToolbarFactorySlot(), factory);
    QWidget window;
    auto* edit = new CHVRichEditCtrl(&window);
    edit->RunCommand(kShowEditToolbar);
    ASSERT_NE(factory.made, nullptr);
    ASSERT_TRUE(factory.made->visible);
    m_pMain->OnActivateApp(FALSE);
    EXPECT_FALSE(factory.made->visible);
    m_pMain->OnActivateApp(TRUE);
    EXPECT_TRUE(factory.made->visible);
    // Hidden when the program was left: it stays hidden on return.
    factory.made->Show(FALSE);
    m_pMain->OnActivateApp(FALSE);
    m_pMain->OnActivateApp(TRUE);
    EXPECT_FALSE(factory.made->visible);
    DestroySharedFloatToolbar();
}

// --- the unique-ID check --------------------------------------------------------------------------

// A status box that cancels after a number of steps.
class CCancellingStatus : public COldProgressDlg {
public:
    explicit CCancellingStatus(int nCancelAfter) : m_nLeft(nCancelAfter) {}
    void StepIt() override
    {
        COldProgressDlg::StepIt();
        if (--m_nLeft == 0)
            OnCancel();
    }

private:
    int m_nLeft;
};

class CorraIdCheckTest : public AppTest {
protected:
    void WriteBank(const char* name, const char* id)
    {
        CCorraDoc doc;
        doc.m_csTitle1 = name;
        doc.m_csCorraId = id;
        CEncryptedArchive out("", TRUE);
        doc.WriteBody(out, nullptr);
        const CString path = HomePath(name);
        fsys::CreateDirectories(fsys::Folder(path));
        fsys::WriteFile(path, out.GetWrittenText(), static_cast<size_t>(out.GetWrittenLength()));
    }
};

TEST_F(CorraIdCheckTest, DuplicatedIdsAreFoundOnceWithoutFollowingLinks)
{
    WriteBank("banks/a.crr", "CID_1");
    WriteBank("banks/sub/b.crr", "CID_2");
    WriteBank("banks/c.crr", "CID_3");
    WriteHomeFile("banks/broken.crr", "not a bank");
    // A link back to the top would find every file twice, or forever.
    ASSERT_EQ(::symlink(HomePath("banks"), HomePath("banks/sub/loop")), 0);
    CCancellingStatus status(-1);
    CCorraIdCheck check;
    ASSERT_TRUE(CheckCorraIds(HomePath("banks"), status, check));
    EXPECT_TRUE(check.duplicates.empty());
    EXPECT_EQ(check.nFiles, 3);

    WriteBank("banks/sub/copy.crr", "CID_1");
    ASSERT_TRUE(CheckCorraIds(HomePath("banks"), status, check));
    ASSERT_EQ(check.duplicates.size(), 1u);
    EXPECT_EQ(check.duplicates.begin()->first, CString("CID_1"));
    EXPECT_EQ(check.duplicates.begin()->second.size(), 2u);
    EXPECT_FALSE(check.bCancelled);
}

TEST_F(CorraIdCheckTest, TheCheckStopsWhenCancelled)
{
    for (const char* name : {"banks/a.crr", "banks/b.crr", "banks/c.crr", "banks/d.crr"})
        WriteBank(name, "CID_9");
    CCancellingStatus status(2);
    CCorraIdCheck check;
    ASSERT_TRUE(CheckCorraIds(HomePath("banks"), status, check));
    EXPECT_TRUE(check.bCancelled);
    EXPECT_LE(check.nFiles, 1);
    EXPECT_TRUE(check.duplicates.empty());
    // A folder that is not there is no search.
    EXPECT_FALSE(CheckCorraIds(HomePath("none"), status, check));
}

TEST_F(MainFrameTest, TheCommandShowsTheLogOnlyWithDuplicates)
{
    const CString banks = CFileTypes::GetPriDir(DT_CORRA);
    ASSERT_FALSE(banks.IsEmpty());
    EXPECT_EQ(RunCorraIdCheck(), 0);
    EXPECT_TRUE(opener.calls.empty());
    WritePlainBank(banks + "/one.crr");
    WritePlainBank(banks + "/two.crr");
    EXPECT_EQ(RunCorraIdCheck(), 1);
    // The log is shown, holding the id with both files.
    ASSERT_EQ(opener.calls.size(), 1u);
    EXPECT_EQ(opener.calls[0].kind, CString("file"));
    CStringList lines;
    GetLogLines(lines, TRUE);
    ASSERT_FALSE(lines.IsEmpty());
    const CString& line = lines.GetHead();
    EXPECT_NE(line.Find("CID_10_20 - "), -1) << line.GetString();
    EXPECT_NE(line.Find("one.crr"), -1);
    EXPECT_NE(line.Find("two.crr"), -1);
}

} // namespace

TEST_F(MainFrameTest, PrintSetupKeepsThePageForLaterPrints)
{
    CScriptedPrintDialogs dialogs;
    CServiceScope<IPrintDialogService> installed(PrintDialogSlot(), dialogs);
    EXPECT_TRUE(Enabled(ID_FILE_PRINT_SETUP));
    dialogs.QueuePage({8500, 11000}, {500, 600, 700, 800}, DMORIENT_LANDSCAPE);
    m_pMain->OnCommand(ID_FILE_PRINT_SETUP);
    dialogs.QueuePageCancel();
    m_pMain->OnCommand(ID_FILE_PRINT_SETUP);
    ASSERT_EQ(dialogs.pageRequests.size(), 2u);
    // The second dialog opened on what the first one kept, and a cancel keeps it too.
    EXPECT_EQ(CRect(dialogs.pageRequests[1].rtMargin), CRect(500, 600, 700, 800));
    CPageSetupDialog later;
    EXPECT_EQ(later.GetOrientation(), DMORIENT_LANDSCAPE);
    EXPECT_EQ(later.GetPaperSize(), CSize(11000, 8500));
}
