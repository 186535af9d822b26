#include "app/CorraApp.h"

#include "app/DocTypeDlg.h"
#include "app/DocumentChooser.h"
#include "app/MainFrm.h"
#include "app/TipDlg.h"
#include "app/VersionText.h"
#include "controls/PaletteSelectorBar.h"
#include "foundation/FileTypes.h"
#include "foundation/FileView.h"
#include "foundation/Log.h"
#include "model/CorraIds.h"
#include "platform/core/FileSys.h"
#include "platform/ui/DocTemplate.h"
#include "render/ImageComponent.h"
#include "res/ids/App.h"
#include "res/ids/Shell.h"
#include "shell/FolderTreeCtrl.h"
#include "shell/HVFileDlg.h"
#include "shell/HVListCtrl.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <QDockWidget>

#include <cstring>
#include <set>
#include <vector>

namespace {

TEST(VersionTexts, TheShortFormLeavesOutZeroFields)
{
    struct Case {
        const char* version;
        const char* text;
    };
    const Case cases[] = {
        {"1, 2, 2, 7", "1.2.2.7"}, {"1, 2, 0, 7", "1.2.7"}, {"1, 0, 0, 0", "1.0"}, {"3, 1, 4, 0", "3.1.4"},
        {" 2 ,5", "2.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortVersionText(c.version), c.text) << c.version;
    EXPECT_EQ(GetFileVersionText().Find(", "), -1);
    // "Tue Jun 27 14:25:14 2006"
    CString stamp = BuildTimeStamp();
    EXPECT_EQ(stamp.GetLength(), 24) << stamp;
    EXPECT_EQ(stamp[3], ' ');
    EXPECT_EQ(stamp[13], ':');
}

class ComponentTest : public AppTest {
protected:
    class CScriptedComponent : public IImageComponent {
    public:
        BOOL IsInstalled() override { return installed; }
        void GetVersion(int& ma, int& mi) override
        {
            ma = major;
            mi = minor;
        }
        std::unique_ptr<IImageObject> CreateObject() override { return nullptr; }
        BOOL installed = TRUE;
        int major = 2;
        int minor = 1;
    };
    CScriptedComponent component;
};

TEST_F(ComponentTest, TheImageComponentCheckAnswersByItsStateAndTheUser)
{
    CServiceScope<IImageComponent> scope(ImageComponentSlot(), component);
    CCorraApp app;
    struct Case {
        BOOL installed;
        int major, minor;
        int answer;  // the box's, 0 for none shown
        int result;
        const char* title;
    };
    const Case cases[] = {
        {TRUE, 2, 1, 0, 1, nullptr},
        {TRUE, 3, 0, 0, 1, nullptr},
        {TRUE, 2, 0, IDCONTINUE_RMB, 1, "File out-of-date"},
        {TRUE, 2, 0, IDCANCEL, 2, "File out-of-date"},
        {FALSE, 2, 1, IDCANCEL, 2, "File not registered..."},
        {FALSE, 2, 1, IDNO, 1, "File not registered..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.installed << " " << c.major << "." << c.minor << " " << c.answer);
        component.installed = c.installed;
        component.major = c.major;
        component.minor = c.minor;
        richBox.calls.clear();
        if (c.answer)
            richBox.QueueAnswer(c.answer);
        EXPECT_EQ(app.CheckComponent("Vantrel.Image", "Pictorin.dll", 2, 1), c.result);
        ASSERT_EQ(richBox.calls.size(), c.title ? 1u : 0u);
        if (c.title) {
            EXPECT_EQ(richBox.calls[0].title, c.title);
        }
    }
}

TEST_F(ComponentTest, RegisteringTheMissingComponentNeedsItsFileAndTellsHowItWent)
{
    CServiceScope<IImageComponent> scope(ImageComponentSlot(), component);
    component.installed = FALSE;
    CCorraApp app;
    struct Case {
        BOOL fileThere;
        int second;  // the answer to the box after "Yes, Register"
        int result;
        const char* title;
    };
    const Case cases[] = {
        {FALSE, IDNO, 2, "File missing..."},
        {FALSE, IDYES, 1, "File missing..."},
        // Libraries cannot be registered here: the failure is told and the user decides.
        {TRUE, IDNO, 2, "Registration failed..."},
        {TRUE, IDYES, 1, "Registration failed..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fileThere << " " << c.second);
        if (c.fileThere)
            WriteHomeFile("Pictorin.dll", "x");
        else
            fsys::DeleteFile(HomePath("Pictorin.dll"));
        richBox.calls.clear();
        richBox.QueueAnswer(IDYES);
        richBox.QueueAnswer(c.second);
        EXPECT_EQ(app.CheckComponent("Vantrel.Image", "Pictorin.dll", 2, 1), c.result);
        ASSERT_EQ(richBox.calls.size(), 2u);
        EXPECT_EQ(richBox.calls[0].title, "File not registered...");
        EXPECT_EQ(richBox.calls[1].title, c.title);
    }
}

TEST_F(AppTest, QuestionIdsOfAFreshProfileStartFarApart)
{
    CCorraApp app;
    std::set<int> starts;
    for (int i = 0; i < 150; ++i) {
        app.WriteProfileInt("QCorras", "NextQID", 0);
        int id = NextQID();
        ASSERT_GT(id, 0);
        ASSERT_EQ(id % 10000, 0);
        ASSERT_EQ(app.GetProfileInt("QCorras", "NextQID", 0), id + 1);
        ASSERT_EQ(NextQID(), id + 1);
        starts.insert(id);
    }
    // A narrow range would give two new installations the same numbers often.
    EXPECT_GT(starts.size(), 120u);
}

TEST_F(AppTest, TheWelcomeOpensHelpUnlessTheUserSuppressedIt)
{
    WriteHomeFile("Corra.ini", "[Settings]\nSplash=0\n");
    CCorraApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.Plan().welcome, 0);
    CMainFrame* pMain = app.GetMainFrame();
    richBox.QueueAnswer(IDYES);
    pMain->OnTimer(TIMER_WELCOME);
    ASSERT_EQ(richBox.calls.size(), 1u);
    EXPECT_EQ(richBox.calls[0].title, "Welcome");
    EXPECT_EQ(richBox.calls[0].dontShowKey, "DontShowWelcome");
    EXPECT_EQ(richBox.calls[0].yes, "Getting Started");
    EXPECT_EQ(richBox.calls[0].no, "Get Started Now!");
    ASSERT_EQ(help.topics.size(), 1u);
    EXPECT_EQ(help.topics[0], static_cast<DWORD>(HELP_CTX_GETTING_STARTED));
    app.WriteProfileInt("HVMsgBoxDontShow", "DontShowWelcome", 1);
    pMain->OnTimer(TIMER_WELCOME);
    EXPECT_EQ(richBox.calls.size(), 1u);
    app.ExitInstance();
}

TEST_F(AppTest, FileOpenChoosesTheKindThenTheFile)
{
    CCorraApp app;
    app.CreateTemplates();
    CString bank = HomePath("QCorras/Banks/bank.crr");
    WritePlainBank(bank);
    CModalScript script;
    script.OnTemplate(IDD_NEWTYPEDLG, [](CDialog& d) { ClickDlgButton(d, IDOK); });
    script.On<CHVFileDlg>([&](CHVFileDlg& d) {
        QApplication::processEvents();
        EXPECT_EQ(d.GetWindowText(), "Select a document");
        EXPECT_EQ(d.GetKind(), DT_CORRA);
        d.SendMessage(WM_HV_LBUTTONDOWN, IDC_HVFD_TREE);
        ASSERT_NE(d.GetTree()->SelectPath(bank), nullptr);
        ClickDlgButton(d, IDOK);
    });
    app.OnFileOpen();
    EXPECT_EQ(script.Pending(), 0);
    ASSERT_EQ(app.m_pCorraTemplate->GetDocumentCount(), 1);
    // The chooser's folder is the kind's default folder from now on (the folder itself, not the
    // one above it).
    EXPECT_EQ(CFileTypes::GetDefDir(DT_CORRA), HomePath("QCorras/Banks/"));
    // Cancelling the kind asks for no file.
    script.OnTemplate(IDD_NEWTYPEDLG, [](CDialog& d) { ClickDlgButton(d, IDCANCEL); });
    app.OnFileOpen();
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_TRUE(fileDialog.requests.empty());
    app.CloseAllDocuments(TRUE);
    QApplication::processEvents();
}

TEST_F(AppTest, TheChooserRoutineListsTheKindsFolderAndLeavesOutWhatItIsTold)
{
    CCorraApp app;
    app.CreateTemplates();
    CString first = HomePath("QCorras/First.crr");
    CString second = HomePath("QCorras/Second.crr");
    WritePlainBank(first);
    WritePlainBank(second);
    CDocument* pFirst = app.OpenCorraDocument(first, TRUE);
    ASSERT_NE(pFirst, nullptr);
    CModalScript script;
    script.On<CHVFileDlg>([&](CHVFileDlg& d) {
        QApplication::processEvents();
        // The tree shows the kind's folder alone at its top.
        CFolderTreeCtrl* tree = d.GetTree();
        HTREEITEM top = tree->GetChildItem(nullptr);
        ASSERT_NE(top, nullptr);
        EXPECT_EQ(tree->GetItemText(top), "QCorras");
        EXPECT_EQ(tree->GetNextSiblingItem(top), nullptr);
        EXPECT_EQ(d.GetList()->FindItemByName("First.crr"), -1);
        d.SendMessage(WM_HV_LBUTTONDOWN, IDC_HVFD_LIST);
        d.GetList()->SelectItem(d.GetList()->FindItemByName("Second.crr"));
        ClickDlgButton(d, IDOK);
    });
    script.On<CHVFileDlg>([&](CHVFileDlg& d) { ClickDlgButton(d, IDCANCEL); });
    BOOL bOpened = FALSE;
    CDocument* pSecond = DocumentChooser().ChooseDocument(DT_CORRA, "Select a Question Corra FROM which...", bOpened, pFirst);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_TRUE(bOpened);
    EXPECT_EQ(fsys::NormalizeSeparators(pSecond->GetPathName()), second);
    EXPECT_EQ(DocumentChooser().ChooseDocument(DT_CORRA, "", bOpened, nullptr), nullptr);
    EXPECT_FALSE(bOpened);
    app.CloseAllDocuments(TRUE);
    QApplication::processEvents();
}

TEST_F(AppTest, AFolderOfAKindIsShownInTheChooser)
{
    CCorraApp app;
    app.CreateTemplates();
    WritePlainBank(HomePath("QCorras/Unit/bank.crr"));
    fsys::CreateDirectories(HomePath("Elsewhere"));
    CModalScript script;
    script.On<CHVFileDlg>([&](CHVFileDlg& d) {
        EXPECT_EQ(d.GetKind(), DT_CORRA);
        EXPECT_EQ(d.GetList()->GetItemCount(), 1);
        ClickDlgButton(d, IDCANCEL);
    });
    EXPECT_EQ(DisplayFile(HomePath("QCorras/Unit")), DISPLAYFILE_OK);
    EXPECT_EQ(script.Pending(), 0);
    // A folder of no kind goes to the desktop.
    EXPECT_EQ(DisplayFile(HomePath("Elsewhere")), DISPLAYFILE_OK);
    ASSERT_EQ(opener.calls.size(), 1u);
    EXPECT_EQ(opener.calls[0].kind, "folder");
}

TEST_F(AppTest, AFontIsAddedOnceAndItsKeyStays)
{
    const char* font = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
    if (!fsys::IsFile(font))
        GTEST_SKIP() << "no font file to add";
    WriteHomeFile("Corra.ini", std::string("[InstallFonts]\nfont0=") + font + "\n");
    CCorraApp app;
    app.AssignLocalConfigFile(TRUE);
    app.InstallFonts();
    app.InstallFonts();
    EXPECT_EQ(app.GetProfileString("InstallFonts", "font0", ""), font);
    EXPECT_EQ(GetLogBuffer().Find("Failed to install font"), -1);
}

TEST_F(AppTest, TheStartUpTipTimerShowsTheTip)
{
    WriteHomeFile("Corra.ini", "[HVMsgBoxDontShow]\nDontShowWelcome=1\n[Settings]\nSplash=0\n");
    WriteHomeFile("tips.txt", "A tip\r\n");
    CCorraApp app;
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.Plan().tip, 2500);
    CModalScript script;
    CString shown;
    script.On<CTipDlg>([&](CTipDlg& d) {
        shown = d.m_strTip;
        ClickDlgButton(d, IDOK);
    });
    app.GetMainFrame()->OnTimer(TIMER_TIP);
    EXPECT_EQ(shown, "A tip");
    // The help command shows it whatever the setting.
    app.WriteProfileInt("Tip", "StartUp", 0);
    script.On<CTipDlg>([](CTipDlg& d) { ClickDlgButton(d, IDOK); });
    app.GetMainFrame()->OnCommand(ID_HELP_TIPOFTHEDAY);
    EXPECT_EQ(script.Answered(), 2);
    app.ExitInstance();
}

} // namespace

namespace {

TEST_F(AppTest, TheQuickPickBarShowsWhenTheEditingToolbarAsks)
{
    WriteHomeFile("Corra.ini", "[HVMsgBoxDontShow]\nDontShowWelcome=1\n[Settings]\nSplash=0\n");
    CCorraApp app;
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* pMain = app.GetMainFrame();
    ASSERT_NE(pMain->GetQuickPickBar(), nullptr);
    EXPECT_TRUE(pMain->GetQuickPickBar()->isHidden());
    ASSERT_EQ(PaletteSelectorHostSlot().Installed(), pMain);
    PaletteSelectorHostSlot().Get().ShowPaletteSelector(TRUE);
    EXPECT_FALSE(pMain->GetQuickPickBar()->isHidden());
    EXPECT_EQ(pMain->GetQuickPickBar()->windowTitle(), QStringLiteral("Quick Pick"));
    // It floats where it was put first and docks on the left or right side only.
    QDockWidget* dock = pMain->GetQuickPickDock();
    ASSERT_NE(dock, nullptr);
    EXPECT_FALSE(dock->isHidden());
    EXPECT_TRUE(dock->isFloating());
    EXPECT_EQ(dock->pos(), QPoint(100, 100));
    EXPECT_EQ(dock->allowedAreas(), Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    EXPECT_EQ(dock->windowTitle(), QStringLiteral("Quick Pick"));
    PaletteSelectorHostSlot().Get().ShowPaletteSelector(FALSE);
    EXPECT_TRUE(dock->isHidden());
    app.ExitInstance();
}

} // namespace

namespace {

TEST_F(AppTest, TheApplicationsTokenizerReadsWordsAndNumbers)
{
    CCorraApp app;
    app.InitStaticMembers();
    ASSERT_TRUE(app.m_parse.IsReady());
    const char* text = "(chapter 12), page";
    LPCSTR p = text;
    UINT n = static_cast<UINT>(std::strlen(text));
    std::vector<int> ids;
    std::vector<CString> words;
    for (int id; (id = app.m_parse.NextToken(&p, &n)) != 0 && ids.size() < 10;) {
        ids.push_back(id);
        words.push_back(app.m_parse.GetTokenText());
        if (id == 13)
            break;
    }
    ASSERT_GE(ids.size(), 3u);
    EXPECT_EQ(ids[0], 99);
    EXPECT_EQ(words[0], "chapter");
    EXPECT_EQ(ids[1], 12);
    EXPECT_EQ(words[1], "12");
    EXPECT_EQ(ids[2], 99);
    EXPECT_EQ(words[2], "page");
}

} // namespace

TEST_F(AppTest, AMissingHelpFileIsSoughtInTheChooser)
{
    CCorraApp app;
    app.WriteProfileString("Settings", "HelpFile", "Gone.hlp");
    WriteHomeFile("Hlp/Teacher Guide.hlp", "help");
    messageBox.QueueAnswer(IDYES);
    CModalScript script;
    script.On<CHVFileDlg>([&](CHVFileDlg& d) {
        QApplication::processEvents();
        EXPECT_EQ(d.GetWindowText(), "Select Help File");
        EXPECT_EQ(d.GetKind(), DT_HELP);
        d.SendMessage(WM_HV_LBUTTONDOWN, IDC_HVFD_TREE);
        ASSERT_NE(d.GetTree()->SelectPath(HomePath("Hlp/Teacher Guide.hlp")), nullptr);
        ClickDlgButton(d, IDOK);
    });
    app.CheckHelpFile(nullptr);
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_EQ(app.m_strHelpFilePath, HomePath("Hlp/Teacher Guide.hlp"));
    // The name alone is kept: a later start looks for it in the help folder.
    EXPECT_EQ(app.GetProfileString("Settings", "HelpFile", ""), "Teacher Guide.hlp");
}

namespace {

// Notes the title of every dock window that shows.
class CDockShowWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::Show)
            if (auto* dock = qobject_cast<QDockWidget*>(watched))
                shown.push_back(dock->windowTitle());
        return false;
    }
    std::vector<QString> shown;
};

TEST_F(AppTest, TheQuickPickBarNeverShowsOnItsOwnAtTheStart)
{
    WriteHomeFile("Corra.ini", "[HVMsgBoxDontShow]\nDontShowWelcome=1\n[Settings]\nSplash=0\n[Tip]\nStartUp=0\n");
    CDockShowWatcher watcher;
    qApp->installEventFilter(&watcher);
    {
        CCorraApp app;
        ASSERT_TRUE(app.InitInstance());
        RunEventsUntil([&] { return app.GetMainFrame()->isVisible(); });
        QApplication::processEvents();
        EXPECT_TRUE(app.GetMainFrame()->GetQuickPickDock()->isHidden());
        app.ExitInstance();
    }
    qApp->removeEventFilter(&watcher);
    EXPECT_TRUE(watcher.shown.empty()) << watcher.shown.front().toStdString();
}

} // namespace
