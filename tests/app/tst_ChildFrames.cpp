#include "app/ChildFrames.h"

#include "app/CorraApp.h"
#include "app/FramePlacement.h"
#include "app/MainFrm.h"
#include "views/CollView.h"
#include "views/CorraView.h"
#include "model/CorraQuestion.h"
#include "res/ids/ManageDialogs.h"
#include "platform/core/FileSys.h"
#include "platform/ui/Document.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/SplitterWnd.h"
#include "res/ids/App.h"
#include "tests/app/AppFixture.h"
#include "tests/support/FakeViews.h"
#include "tests/support/ModalScript.h"
#include "model/ViewServices.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>

namespace {

class FramesTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        StartApp("");
    }
    CCorraDoc* OpenBank(const char* name)
    {
        CString path = HomePath(name);
        WritePlainBank(path);
        return dynamic_cast<CCorraDoc*>(m_app->OpenCorraDocument(path, TRUE));
    }
    static CCorraFrm* FrameOf(CDocument* pDoc)
    {
        return dynamic_cast<CCorraFrm*>(pDoc->GetFirstView()->GetParentFrame());
    }
    // A collection frame on the document, as the collection template makes it.
    CCollFrm* OpenCollection(CDocument* pDoc)
    {
        CFrameWnd* pFrame = m_app->m_pCollTemplate->CreateNewFrame(pDoc, nullptr);
        if (!pFrame)
            return nullptr;
        m_app->m_pCollTemplate->InitialUpdateFrame(pFrame, pDoc);
        return dynamic_cast<CCollFrm*>(pFrame);
    }

};

TEST_F(FramesTest, AQuestionCorraFrameLinksItsTwoPanes)
{
    CCorraDoc* pDoc = OpenBank("bank.crr");
    ASSERT_NE(pDoc, nullptr);
    CCorraFrm* pFrame = FrameOf(pDoc);
    ASSERT_NE(pFrame, nullptr);
    ASSERT_NE(pFrame->GetSplitter(), nullptr);
    EXPECT_EQ(pFrame->GetSplitter()->GetRowCount(), 2);
    auto* pUpper = dynamic_cast<CCorraView*>(pFrame->GetUpperView());
    auto* pLower = dynamic_cast<CCorraView*>(pFrame->GetLowerView());
    ASSERT_TRUE(pUpper && pLower);
    EXPECT_EQ(pUpper->m_nPaneIndex, 0);
    EXPECT_EQ(pUpper->m_pSibling, pLower);
    EXPECT_EQ(pLower->m_nPaneIndex, 1);
    EXPECT_EQ(pLower->m_pSibling, pUpper);
    EXPECT_EQ(pLower->m_nDisplayMode, 2);
    EXPECT_EQ(pUpper->m_nDisplayMode, 0);
    EXPECT_EQ(pFrame->GetActiveView(), pUpper);
    EXPECT_EQ(pUpper->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(pDoc->GetViewCount(), 2);
    // Its place is the first new-frame place, its size half the screen.
    CSize size = placement::SideBySideSize();
    EXPECT_EQ(pFrame->width(), size.cx);
    // The exam frame is made the same way.
    CDocument* pExam = m_app->NewExamDocument();
    ASSERT_NE(pExam, nullptr);
    auto* pExamFrame = dynamic_cast<CExamFrm*>(FrameOf(pExam));
    ASSERT_NE(pExamFrame, nullptr);
    EXPECT_EQ(CorraViewServices().GetDisplayMode(pExamFrame->GetLowerView()), 2);
}

TEST_F(FramesTest, TheFrameLinksThePanesThroughTheViewServices)
{
    CFakeViews views;
    CServiceScope<ICorraViewServices> scope(CorraViewServicesSlot(), views);
    CCorraDoc* pDoc = OpenBank("bank.crr");
    ASSERT_NE(pDoc, nullptr);
    CCorraFrm* pFrame = FrameOf(pDoc);
    ASSERT_FALSE(views.calls.empty());
    EXPECT_EQ(views.calls[0].what, "link");
    EXPECT_EQ(views.calls[0].view, pFrame->GetUpperView());
    EXPECT_EQ(views.GetPartner(pFrame->GetUpperView()), pFrame->GetLowerView());
    EXPECT_EQ(views.GetPaneIndex(pFrame->GetLowerView()), 1);
    EXPECT_EQ(views.GetDisplayMode(pFrame->GetLowerView()), 2);
    // The lower pane's height comes from its content as the views report it.
    views.Of(pFrame->GetLowerView()).items.AddTail(pDoc);
    views.Of(pFrame->GetLowerView()).contentSize = CSize(300, 60);
    pFrame->SetWindowPos(nullptr, 0, 0, 400, 600, SWP_NOMOVE | SWP_NOZORDER);
    pFrame->FitToMainWindow();
    int cur = -1, min = -1;
    pFrame->GetSplitter()->GetRowInfo(1, cur, min);
    EXPECT_EQ(cur, 100);
    views.Of(pFrame->GetLowerView()).items.RemoveAll();
    pDoc->OnCloseDocument();
}

TEST_F(FramesTest, ACollectionFrameHoldsOneViewAndTheTitleOfItsOwn)
{
    CCorraDoc* pDoc = OpenBank("bank.crr");
    ASSERT_NE(pDoc, nullptr);
    CCollFrm* pColl = OpenCollection(pDoc);
    ASSERT_NE(pColl, nullptr);
    EXPECT_EQ(pColl->GetSplitter(), nullptr);
    EXPECT_NE(pColl->GetCollView(), nullptr);
    EXPECT_FALSE(pColl->GetStyle() & FWS_ADDTOTITLE);
    EXPECT_EQ(pDoc->GetViewCount(), 3);
}

TEST_F(FramesTest, AModifiedCollectionIsAskedOnceAndCancelKeepsBothFrames)
{
    CCorraDoc* pDoc = OpenBank("bank.crr");
    ASSERT_NE(pDoc, nullptr);
    QPointer<CCorraFrm> pFrame = FrameOf(pDoc);
    QPointer<CCollFrm> pColl = OpenCollection(pDoc);
    ASSERT_TRUE(pFrame && pColl);
    auto* pView = dynamic_cast<CCollView*>(pColl->GetCollView());
    ASSERT_NE(pView, nullptr);
    pView->SetModified(TRUE);
    pView->SetName("Chapter 4");

    messageBox.QueueAnswer(IDCANCEL);
    pFrame->OnClose();
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Save Collection 'Chapter 4'?");
    EXPECT_FALSE(pFrame->IsFrameDestroyed());
    EXPECT_FALSE(pColl->IsFrameDestroyed());

    // No: the collection frame goes without asking again, then the document's own frame.
    messageBox.QueueAnswer(IDNO);
    pFrame->OnClose();
    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_EQ(messageBox.calls[1].text, "Save Collection 'Chapter 4'?");
    EXPECT_TRUE(pColl->IsFrameDestroyed());
    EXPECT_TRUE(pFrame->IsFrameDestroyed());
    QApplication::processEvents();
    EXPECT_EQ(m_app->m_pCorraTemplate->GetDocumentCount(), 0);
}

TEST_F(FramesTest, ACollectionFrameClosesAloneWhenItsViewAgrees)
{
    CCorraDoc* pDoc = OpenBank("bank.crr");
    ASSERT_NE(pDoc, nullptr);
    CCollFrm* pColl = OpenCollection(pDoc);
    ASSERT_NE(pColl, nullptr);
    auto* pView = dynamic_cast<CCollView*>(pColl->GetCollView());
    ASSERT_NE(pView, nullptr);
    pView->SetModified(TRUE);
    pView->SetName("Chapter 4");
    messageBox.QueueAnswer(IDCANCEL);
    pColl->OnCommand(ID_CLOSE_COLLECTION);
    EXPECT_FALSE(pColl->IsFrameDestroyed());
    // Yes saves it as a new collection of the document under the name offered.
    CModalScript script;
    script.OnTemplate(IDD_SAVE_COLLECTION_AS, [](CDialog& d) { ClickDlgButton(d, IDOK); });
    messageBox.QueueAnswer(IDYES);
    pColl->OnCommand(ID_CLOSE_COLLECTION);
    EXPECT_TRUE(pColl->IsFrameDestroyed());
    EXPECT_EQ(messageBox.calls.size(), 2u);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    CCorraQuestion* saved = pDoc->FindCollection("Chapter 4");
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->m_pView, nullptr);
    // The document stays open in its Question Corra frame.
    EXPECT_EQ(m_app->m_pCorraTemplate->GetDocumentCount(), 1);
    EXPECT_FALSE(FrameOf(pDoc)->IsFrameDestroyed());
}

TEST_F(FramesTest, ACollectionIsShownInOneWindowCaptionedWithItsName)
{
    CCorraDoc* pDoc = OpenBank("bank.crr");
    ASSERT_NE(pDoc, nullptr);
    CCorraQuestion* unit = pDoc->GetOrCreateCollection("Unit 1");
    pDoc->SetModifiedFlag(FALSE);
    ASSERT_TRUE(pDoc->ShowCollection(unit));
    auto* pView = dynamic_cast<CCollView*>(unit->m_pView.data());
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->GetCollection(), unit);
    EXPECT_EQ(pView->GetParentFrame()->GetWindowText(), pDoc->GetTitle() + " - Unit 1");
    EXPECT_TRUE(pDoc->IsCollectionWindowOpen("unit 1", nullptr));
    const int views = pDoc->GetViewCount();
    ASSERT_TRUE(pDoc->ShowCollection(unit));
    EXPECT_EQ(pDoc->GetViewCount(), views);

    // A new collection's window: a name of its own, nothing made until it is saved.
    pDoc->OnCmdMsg(ID_CORRA_NEW_COLLECTION, CN_COMMAND, nullptr);
    EXPECT_EQ(pDoc->GetViewCount(), views + 1);
    EXPECT_EQ(pDoc->GetCollectionCount(), 1);
    EXPECT_FALSE(pDoc->IsModified());
    // The window of a closed frame is no longer the collection's.
    QPointer<CCollFrm> frame = dynamic_cast<CCollFrm*>(pView->GetParentFrame());
    ASSERT_TRUE(frame);
    frame->OnCommand(ID_CLOSE_COLLECTION);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frame);
    EXPECT_EQ(unit->m_pView, nullptr);
    EXPECT_FALSE(pDoc->IsCollectionWindowOpen("Unit 1", nullptr));
}

TEST(FramePanes, TheLowerPaneTakesItsContentUpToAThird)
{
    struct Case {
        int frame, items, content, lower;
    };
    const Case cases[] = {
        {600, 0, 0, 0},     {600, 0, 300, 0},  {600, 2, 60, 100},
        {600, 5, 160, 200}, {600, 9, 500, 200}, {100, 1, 10, 33},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frame << " " << c.items << " " << c.content);
        EXPECT_EQ(CCorraFrm::LowerPaneHeight(c.frame, c.items, c.content), c.lower);
    }
}

TEST_F(FramesTest, FitToMainWindowShrinksATallFrame)
{
    CCorraDoc* pDoc = OpenBank("bank.crr");
    ASSERT_NE(pDoc, nullptr);
    CCorraFrm* pFrame = FrameOf(pDoc);
    int available = CCorraFrm::AvailableHeight();
    ASSERT_GT(available, 0);
    pFrame->SetWindowPos(nullptr, 0, 0, 400, available + 200, SWP_NOMOVE | SWP_NOZORDER);
    pFrame->FitToMainWindow();
    EXPECT_EQ(pFrame->height(), available);
    // No collections: the lower pane takes nothing.
    int cur = -1, min = -1;
    pFrame->GetSplitter()->GetRowInfo(1, cur, min);
    EXPECT_EQ(cur, 0);
    // A frame that fits keeps its height.
    pFrame->SetWindowPos(nullptr, 0, 0, 400, available - 50, SWP_NOMOVE | SWP_NOZORDER);
    pFrame->FitToMainWindow();
    EXPECT_EQ(pFrame->height(), available - 50);
}

TEST_F(AppTest, NewFramesTakeTheLeftAndRightPlacesInTurn)
{
    placement::Reset();
    int c = placement::CaptionHeight();
    int right = 1024 - (1024 / 2 - 30) - 5;
    const CPoint expected[] = {
        CPoint(5, 5), CPoint(right - c, 5), CPoint(c + 5, c + 5), CPoint(right, c + 5), CPoint(5, 5),
    };
    for (const CPoint& e : expected) {
        CPoint pt = placement::NextFramePosition();
        EXPECT_EQ(pt.x, e.x);
        EXPECT_EQ(pt.y, e.y);
    }
    CPoint base = placement::BasePosition(FALSE);
    EXPECT_EQ(base.x, right);
    CPoint moved = placement::Offset(base, 2);
    EXPECT_EQ(moved.x, right + c);
    EXPECT_EQ(moved.y, base.y + c);
}

TEST_F(FramesTest, TheMenuFollowsTheActiveDocumentAndTheHelpMenuHasOneTip)
{
    EXPECT_EQ(m_pMain->GetMenuBarId(), IDR_MAINFRAME);
    CCorraDoc* pDoc = OpenBank("bank.crr");
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(m_pMain->GetMenuBarId(), IDR_CORRATYPE);
    for (int i = 0; i < 3; ++i)
        m_pMain->OnInitMenu(m_pMain->menuBar());
    QMenu* help = m_pMain->FindMenuPopup("&Help");
    ASSERT_NE(help, nullptr);
    int tips = 0;
    for (QAction* a : help->actions())
        tips += GetActionCommandId(a) == ID_HELP_TIPOFTHEDAY;
    EXPECT_EQ(tips, 1);
    EXPECT_EQ(GetActionCommandId(help->actions().front()), ID_HELP_TIPOFTHEDAY);
    // A command of the main menu reaches the active document: File Close closes it.
    m_pMain->OnCommand(ID_FILE_CLOSE);
    QApplication::processEvents();
    EXPECT_EQ(m_app->m_pCorraTemplate->GetDocumentCount(), 0);
    EXPECT_EQ(m_pMain->GetMenuBarId(), IDR_MAINFRAME);
}

TEST_F(FramesTest, SideBySideFramesGoLeftAndRight)
{
    CCorraDoc* pA = OpenBank("a.crr");
    CCorraDoc* pB = OpenBank("b.crr");
    ASSERT_TRUE(pA && pB);
    ShowDocsSideBySide(pB, pA);
    int c = placement::CaptionHeight();
    EXPECT_EQ(FrameOf(pB)->pos(), QPoint(c + 5, c + 5));
    CPoint right = placement::BasePosition(FALSE);
    EXPECT_EQ(FrameOf(pA)->pos(), QPoint(right.x, right.y));
}

} // namespace

namespace {

int Occurrences(const CString& text, const char* part)
{
    int n = 0;
    for (int at = text.Find(part); at >= 0; at = text.Find(part, at + 1))
        ++n;
    return n;
}

TEST_F(FramesTest, TheMainTitleNamesTheActiveBankOnceByItsCurrentName)
{
    CDocument* pDoc = m_app->NewCorraDocument(TRUE);
    ASSERT_NE(pDoc, nullptr);
    const CString untitled = pDoc->GetTitle();
    EXPECT_EQ(Occurrences(m_pMain->GetWindowText(), untitled), 1) << m_pMain->GetWindowText().GetString();

    // Saved under a name, the bank is called by it.
    fsys::CreateDirectories(HomePath("QCorras"));
    fileDialog.QueuePath(HomePath("QCorras/Cells.crr"));
    ASSERT_TRUE(m_pMain->OnCommand(ID_FILE_SAVE));
    CString title = m_pMain->GetWindowText();
    EXPECT_EQ(Occurrences(title, "Cells.crr"), 1) << title.GetString();
    EXPECT_EQ(Occurrences(title, untitled), 0) << title.GetString();

    // Maximised and restored, the name stands once.
    auto* pFrame = dynamic_cast<CMDIChildWnd*>(pDoc->GetFirstView()->GetParentFrame());
    ASSERT_NE(pFrame, nullptr);
    pFrame->MDIMaximize();
    QApplication::processEvents();
    title = m_pMain->GetWindowText();
    EXPECT_EQ(Occurrences(title, "Cells.crr"), 1) << title.GetString();
    pFrame->MDIRestore();
    QApplication::processEvents();
    title = m_pMain->GetWindowText();
    EXPECT_EQ(Occurrences(title, "Cells.crr"), 1) << title.GetString();
}

} // namespace
