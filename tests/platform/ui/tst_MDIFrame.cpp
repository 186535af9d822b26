#include "platform/ui/MDIFrameWnd.h"

#include "platform/core/FileSys.h"
#include "platform/core/Profile.h"
#include "platform/ui/QtString.h"
#include "platform/core/RecentFileList.h"
#include "platform/ui/ControlBars.h"
#include "platform/ui/DocTemplate.h"
#include "platform/ui/Document.h"
#include "platform/ui/SplitterWnd.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"
#include "res/ids/Menus.h"
#include "tests/support/CorraTest.h"

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <QDropEvent>

#include <algorithm>

#include <string>

namespace {

class CPlainDoc : public CDocument {
public:
    CPlainDoc()
    {
        BindCommand(ID_EDIT_COPY, [this] { ++copies; });
    }
    int copies = 0;

protected:
    BOOL ReadFromFile(LPCSTR path) override
    {
        std::string s;
        return fsys::ReadFile(path, s);
    }
};

class CPlainView : public CView {};

class CPlainChild : public CMDIChildWnd {};

class CTestMain : public CMDIFrameWnd {
public:
    int OnCreate(CCreateContext*) override
    {
        m_pBar = new CToolBar;
        m_pBar->CreateEx(this, TBSTYLE_FLAT, CBRS_TOP | CBRS_FLYBY, AFX_IDW_TOOLBAR);
        static const UINT buttons[] = {ID_FILE_NEW, ID_SEPARATOR, ID_EDIT_COPY};
        m_pBar->SetButtons(buttons, 3);
        m_pStatus = new CStatusBar;
        m_pStatus->Create(this, CBRS_BOTTOM, AFX_IDW_STATUS_BAR);
        static const UINT panes[] = {ID_SEPARATOR, ID_INDICATOR_CAPS};
        m_pStatus->SetIndicators(panes, 2);
        return 0;
    }
    CToolBar* m_pBar = nullptr;
    CStatusBar* m_pStatus = nullptr;
};

class MDIFrameTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        m_app = std::make_unique<CWinApp>("Corra");
        m_app->LoadStdProfileSettings(4);
        // The document menu of the Question Corra kind.
        m_pTemplate = new CMultiDocTemplate(IDR_CORRATYPE, CCreatable<CDocument>::Of<CPlainDoc>(),
                                            CCreatable<CFrameWnd>::Of<CPlainChild>(),
                                            CCreatable<CView>::Of<CPlainView>());
        m_app->AddDocTemplate(m_pTemplate);
        m_pMain = new CTestMain;
        ASSERT_TRUE(m_pMain->LoadFrame(IDR_MAINFRAME));
        AfxSetMainWnd(m_pMain);
        m_pMain->resize(800, 600);
        m_pMain->show();
    }
    void TearDown() override
    {
        m_app->CloseAllDocuments(TRUE);
        delete m_pMain;
        m_app.reset();
        QApplication::processEvents();
        CorraTest::TearDown();
    }
    CDocument* Open(const char* name)
    {
        return m_app->OpenDocumentFile(WriteHomeFile(name, "text"));
    }
    QMenu* Menu(const char* text) { return m_pMain->FindMenuPopup(text); }
    static std::vector<CString> Texts(QMenu* menu)
    {
        std::vector<CString> out;
        for (QAction* a : menu->actions()) {
            if (!a->isSeparator() && a->isVisible())
                out.push_back(FromQString(a->text()));
        }
        return out;
    }

    std::unique_ptr<CWinApp> m_app;
    CMultiDocTemplate* m_pTemplate = nullptr;
    CTestMain* m_pMain = nullptr;
};

TEST_F(MDIFrameTest, TheMenuBarIsTheActiveKindsAndTheWindowMenuListsTheFrames)
{
    EXPECT_EQ(m_pMain->GetMenuBarId(), IDR_MAINFRAME);
    EXPECT_EQ(Menu("&Window"), nullptr);
    CDocument* a = Open("a.crr");
    CDocument* b = Open("b.crr");
    ASSERT_TRUE(a && b);
    EXPECT_EQ(m_pMain->GetMenuBarId(), IDR_CORRATYPE);
    EXPECT_EQ(m_pMain->GetMDIChildren().size(), 2u);
    QMenu* window = Menu("&Window");
    ASSERT_NE(window, nullptr);
    emit window->aboutToShow();
    std::vector<CString> texts = Texts(window);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2], "&1 a.crr");
    EXPECT_EQ(texts.back(), "&2 b.crr");
    // Shown again: the list is not repeated.
    emit window->aboutToShow();
    EXPECT_EQ(Texts(window).size(), texts.size());
    // Its entries activate the frames.
    m_pMain->OnCommand(AFX_IDM_FIRST_MDICHILD);
    EXPECT_EQ(m_pMain->MDIGetActive(), m_pMain->GetMDIChildren().front());
    // The shortcut of a menu entry comes from its text.
    for (QAction* a : Menu("&Edit")->actions()) {
        if (GetActionCommandId(a) == ID_EDIT_COPY) {
            EXPECT_EQ(a->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
        }
    }
}

TEST_F(MDIFrameTest, BarButtonsReachTheActiveDocument)
{
    auto* doc = dynamic_cast<CPlainDoc*>(Open("a.crr"));
    ASSERT_NE(doc, nullptr);
    QAction* copy = m_pMain->m_pBar->FindButton(ID_EDIT_COPY);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(FromQString(copy->toolTip()), "Copy");
    EXPECT_EQ(FromQString(copy->statusTip()), "Copy the selection and put it on the Clipboard");
    m_pMain->m_pBar->OnIdleUpdateCmdUI();
    EXPECT_TRUE(copy->isEnabled());
    copy->trigger();
    EXPECT_EQ(doc->copies, 1);
    EXPECT_EQ(m_pMain->m_pBar->GetButtonCount(), 3);
    EXPECT_EQ(m_pMain->m_pStatus->GetPaneText(0), "Ready");
    EXPECT_EQ(m_pMain->m_pStatus->GetPaneText(1), "CAP");
}

TEST_F(MDIFrameTest, RecentFilesShowInTheFileMenuAndDroppedFilesOpen)
{
    CString path = WriteHomeFile("dropped.crr", "text");
    m_pMain->DragAcceptFiles(TRUE);
    EXPECT_TRUE(m_pMain->acceptDrops());
    m_pMain->OnDropFiles({path});
    EXPECT_EQ(m_pTemplate->GetDocumentCount(), 1);
    QMenu* file = Menu("&File");
    ASSERT_NE(file, nullptr);
    emit file->aboutToShow();
    std::vector<CString> texts = Texts(file);
    // Newest first, numbered, shortened to the display length.
    auto entry = std::find_if(texts.begin(), texts.end(), [](const CString& t) { return t.Left(3) == "&1 "; });
    ASSERT_NE(entry, texts.end());
    EXPECT_EQ(entry->Right(12), "/dropped.crr");
    EXPECT_EQ(std::find(texts.begin(), texts.end(), CString("Recent File")), texts.end());
}

TEST_F(MDIFrameTest, TheBarStateIsKeptInTheProfile)
{
    EXPECT_FALSE(m_pMain->LoadBarState("QVDockState"));
    m_pMain->m_pBar->hide();
    m_pMain->SaveBarState("QVDockState");
    EXPECT_FALSE(AppProfile().GetString("QVDockState", "State", "").IsEmpty());
    m_pMain->m_pBar->show();
    EXPECT_TRUE(m_pMain->LoadBarState("QVDockState"));
    EXPECT_TRUE(m_pMain->m_pBar->isHidden());
}

TEST_F(MDIFrameTest, ClosingTheMainWindowAsksEveryDocumentAndCancelKeepsIt)
{
    CDocument* doc = Open("a.crr");
    ASSERT_NE(doc, nullptr);
    doc->SetModifiedFlag(TRUE);
    messageBox.QueueAnswer(IDCANCEL);
    m_pMain->OnClose();
    EXPECT_FALSE(m_pMain->IsFrameDestroyed());
    EXPECT_EQ(m_pTemplate->GetDocumentCount(), 1);
    messageBox.QueueAnswer(IDNO);
    m_pMain->OnClose();
    EXPECT_TRUE(m_pMain->IsFrameDestroyed());
    EXPECT_EQ(m_pTemplate->GetDocumentCount(), 0);
}

TEST(SplitterWnd, RowsTakeTheirHeightsAndTheLastTheRest)
{
    CSplitterWnd splitter;
    ASSERT_TRUE(splitter.CreateStatic(nullptr, 2, 1));
    EXPECT_FALSE(splitter.CreateStatic(nullptr, 2, 1));
    CCreateContext context;
    ASSERT_TRUE(splitter.CreateView(1, 0, CCreatable<CView>::Of<CPlainView>(), CSize(0, 0), &context));
    ASSERT_TRUE(splitter.CreateView(0, 0, CCreatable<CView>::Of<CPlainView>(), CSize(100, 100), &context));
    EXPECT_FALSE(splitter.CreateView(0, 0, CCreatable<CView>::Of<CPlainView>(), CSize(0, 0), &context));
    EXPECT_EQ(splitter.GetPane(0, 0)->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(splitter.GetPane(1, 0)->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST + 16));
    EXPECT_EQ(splitter.widget(0), splitter.GetPane(0, 0));
    splitter.resize(300, 400);
    splitter.show();
    splitter.SetRowInfo(0, splitter.GetPaneSpace() - 120, 0);
    splitter.RecalcLayout();
    int cur = 0, min = 0;
    splitter.GetRowInfo(1, cur, min);
    EXPECT_EQ(cur, 120);
    splitter.SetRowInfo(0, splitter.GetPaneSpace(), 0);
    splitter.RecalcLayout();
    splitter.GetRowInfo(1, cur, min);
    EXPECT_EQ(cur, 0);
}

TEST(CommandLine, PathsAreFilesAndOnlyKnownWordsAreSwitches)
{
    CWinApp app("Corra");
    CCommandLineInfo info;
    app.ParseCommandLine(info, {"/Unregister", "/home/a.crr", "-x", "b.exm", "/nologo"});
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::AppUnregister);
    EXPECT_EQ(info.m_files, (std::vector<CString>{"/home/a.crr", "b.exm"}));
    EXPECT_EQ(info.m_strFileName, "/home/a.crr");
    EXPECT_EQ(info.m_unknownSwitches, (std::vector<CString>{"-x"}));
    EXPECT_FALSE(info.m_bShowSplash);
}

} // namespace
