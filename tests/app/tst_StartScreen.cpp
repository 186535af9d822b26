#include "app/BoilerPlate.h"

#include "app/ChildFrames.h"
#include "app/CorraApp.h"
#include "app/DocumentChooser.h"
#include "app/MainFrm.h"
#include "app/Pictures.h"
#include "foundation/CorraAppBase.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Document.h"
#include "platform/ui/PropertySheet.h"
#include "res/ids/App.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedFileDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <vector>

namespace {

// A window that keeps the messages posted to it.
class CRecordingWnd : public CWidgetWnd {
public:
    struct Posted {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Posted> posted;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        posted.push_back({message, wParam, lParam});
        return 0;
    }
};

void Drain()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void Click(QWidget* w, QPoint releaseAt)
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(releaseAt), w->mapToGlobal(QPointF(releaseAt)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

void Hover(QWidget* w)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

class StartScreenTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        RegisterStartScreenPictures();
        m_area.resize(900, 700);
        m_nav = new CBoilerPlate;
        ASSERT_TRUE(m_nav->Create(&m_area, &m_target, FALSE));
    }
    CHVBitmapButton* ButtonOf(int nScreen, int nID)
    {
        CBoilerPlateWnd* page = m_nav->Page(nScreen);
        return page ? page->Button(nID) : nullptr;
    }

    QWidget m_area;
    CRecordingWnd m_target;
    CBoilerPlate* m_nav = nullptr;  // a child of the area
};

TEST(StartScreenTable, EveryPageIsSoundAndABrokenOneIsRefused)
{
    for (int i = 0; i < SCREEN_COUNT; ++i)
        EXPECT_TRUE(IsValidScreen(ScreenRecord(i))) << i;
    // Out of the table: page 0.
    EXPECT_EQ(&ScreenRecord(12), &ScreenRecord(0));
    EXPECT_EQ(&ScreenRecord(-1), &ScreenRecord(0));
    const ButtonType badPage[] = {{"X", 12, 0, 0}};
    const ButtonType badGroup[] = {{"X", 1, 0, 3}};
    const ButtonType both[] = {{"X", 1, 0x8005, 0}};
    ScreenType s = ScreenRecord(1);
    for (const ButtonType* list : {badPage, badGroup, both}) {
        s.pTasks = list;
        s.nNumTasks = 1;
        EXPECT_FALSE(IsValidScreen(s));
    }
    s = ScreenRecord(1);
    s.szName = nullptr;
    EXPECT_FALSE(IsValidScreen(s));
    s = ScreenRecord(1);
    s.nParentScreen = 11 + 1;
    EXPECT_FALSE(IsValidScreen(s));
}

TEST_F(StartScreenTest, ATaskButtonHidesTheScreenAndPostsItsTask)
{
    ASSERT_TRUE(m_nav->ShowScreen(1));
    EXPECT_EQ(m_nav->CurrentScreen(), 1);
    CHVBitmapButton* edit = ButtonOf(1, 101);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetCaption(), CString("Edit existing corra"));
    Click(edit, QPoint(6, 6));
    Drain();
    EXPECT_TRUE(m_nav->isHidden());
    ASSERT_EQ(m_target.posted.size(), 1u);
    EXPECT_EQ(m_target.posted[0].message, 0x8005u);
    EXPECT_EQ(m_target.posted[0].wParam, START_SCREEN_TASK);
    EXPECT_EQ(m_target.posted[0].lParam, 0);
}

TEST_F(StartScreenTest, AButtonReleasedOffItselfDoesNothing)
{
    ASSERT_TRUE(m_nav->ShowScreen(1));
    CHVBitmapButton* edit = ButtonOf(1, 101);
    ASSERT_NE(edit, nullptr);
    Click(edit, QPoint(edit->width() + 40, edit->height() + 40));
    Drain();
    EXPECT_FALSE(m_nav->isHidden());
    EXPECT_TRUE(m_target.posted.empty());
}

TEST_F(StartScreenTest, HoverShowsTheAreasLastPageAndAClickItsFirst)
{
    ASSERT_TRUE(m_nav->ShowScreen(6));
    ASSERT_TRUE(m_nav->ShowScreen(0));
    CHVBitmapButton* exam = ButtonOf(0, 1);
    ASSERT_NE(exam, nullptr);
    EXPECT_EQ(exam->GetCaption(), CString("EXAM"));
    Hover(exam);
    Drain();
    EXPECT_EQ(m_nav->CurrentScreen(), 6);
    exam = ButtonOf(6, 1);
    ASSERT_NE(exam, nullptr);
    Click(exam, QPoint(6, 6));
    Drain();
    EXPECT_EQ(m_nav->CurrentScreen(), 5);
    EXPECT_TRUE(m_target.posted.empty());
}

TEST_F(StartScreenTest, BackLeadsToTheParentAndCloseHides)
{
    ASSERT_TRUE(m_nav->ShowScreen(10));
    CHVBitmapButton* back = ButtonOf(10, SCREEN_ACTION_BACK);
    ASSERT_NE(back, nullptr);
    Click(back, QPoint(6, 6));
    Drain();
    EXPECT_EQ(m_nav->CurrentScreen(), 9);
    ASSERT_TRUE(m_nav->ShowScreen(0));
    EXPECT_EQ(ButtonOf(0, SCREEN_ACTION_BACK), nullptr);
    CHVBitmapButton* close = ButtonOf(0, SCREEN_ACTION_CLOSE);
    ASSERT_NE(close, nullptr);
    Click(close, QPoint(6, 6));
    Drain();
    EXPECT_TRUE(m_nav->isHidden());
    EXPECT_TRUE(m_target.posted.empty());
}

TEST_F(StartScreenTest, F1OnAButtonShowsThePagesHelp)
{
    ASSERT_TRUE(m_nav->ShowScreen(1));
    CHVBitmapButton* edit = ButtonOf(1, 101);
    ASSERT_NE(edit, nullptr);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(edit, &f1);
    ASSERT_EQ(help.topics.size(), 1u);
    EXPECT_EQ(help.topics[0], HID_BASE_RESOURCE + START_PAGE_HELP_ID);
}

TEST_F(StartScreenTest, ASecondShowingReusesThePageAndABadNumberShowsPageZero)
{
    ASSERT_TRUE(m_nav->ShowScreen(8));
    CBoilerPlateWnd* first = m_nav->Page(8);
    CHVBitmapButton* button = ButtonOf(8, 100);
    ASSERT_TRUE(m_nav->ShowScreen(1));
    ASSERT_TRUE(m_nav->ShowScreen(8));
    EXPECT_EQ(m_nav->Page(8), first);
    EXPECT_EQ(ButtonOf(8, 100), button);
    for (int bad : {12, -3, SCREEN_NONE}) {
        EXPECT_TRUE(m_nav->ShowScreen(bad));
        EXPECT_EQ(m_nav->CurrentScreen(), 0);
    }
}

// Counts the times a window is hidden.
class CHideCounter : public QObject {
public:
    int nHidden = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            ++nHidden;
        return false;
    }
};

TEST_F(StartScreenTest, HoveringARoundButtonOfThePageShownLeavesThePageUp)
{
    // Shown, so that hiding a page is seen.
    m_area.show();
    ASSERT_TRUE(m_nav->ShowScreen(0));
    CHVBitmapButton* corra = ButtonOf(0, 0);
    ASSERT_NE(corra, nullptr);
    Hover(corra);
    Drain();
    ASSERT_EQ(m_nav->CurrentScreen(), 1);
    // The mouse now stands over page 1's own "CORRA": its hover shows page 1 again, which must
    // not hide it in between (that took the focus and so repeated on every move).
    CHideCounter hides;
    m_nav->Page(1)->installEventFilter(&hides);
    corra = ButtonOf(1, 0);
    ASSERT_NE(corra, nullptr);
    Hover(corra);
    Drain();
    EXPECT_EQ(m_nav->CurrentScreen(), 1);
    EXPECT_EQ(hides.nHidden, 0);
    m_nav->Page(1)->removeEventFilter(&hides);
}

TEST_F(StartScreenTest, PlacesComeFromTheProfileAndBadOnesTakeTheDefault)
{
    CorraApp().WriteProfileString("BoilerPlate", "NavOvalLoc1", "260, 40");
    CorraApp().WriteProfileString("BoilerPlate", "NavOvalLoc2", "abc");
    CorraApp().WriteProfileString("BoilerPlate", "NavOvalLoc3", "700, 10");
    CorraApp().WriteProfileString("BoilerPlate", "NavOvalLoc4", "20, 30, 40");
    ASSERT_TRUE(m_nav->ShowScreen(8));
    const struct {
        int nID;
        QPoint at;
    } cases[] = {{100, {260, 40}}, {101, {310, 100}}, {102, {310, 150}}, {103, {275, 200}}, {0, {70, 10}},
                 {SCREEN_ACTION_BACK, {200, 100}}, {SCREEN_ACTION_CLOSE, {500, 10}}};
    for (const auto& c : cases) {
        CHVBitmapButton* b = ButtonOf(8, c.nID);
        ASSERT_NE(b, nullptr) << c.nID;
        EXPECT_EQ(b->pos(), c.at) << c.nID;
    }
    // What was read, or the default taken instead, is written back.
    EXPECT_EQ(CorraApp().GetProfileString("BoilerPlate", "NavOvalLoc2", ""), CString("310, 100"));
    EXPECT_EQ(CorraApp().GetProfileString("BoilerPlate", "NavOvalLoc1", ""), CString("260, 40"));
    EXPECT_EQ(CorraApp().GetProfileString("BoilerPlate", "CircleLoc4", ""), CString("140, 290"));
    EXPECT_EQ(CorraApp().GetProfileString("BoilerPlate", "CloseBtnLoc", ""), CString("500, 10"));
}

TEST_F(StartScreenTest, EveryCaptionFitsInsideItsButton)
{
    for (int n : {0, 1, 3, 4, 6, 9, 10, 11}) {
        ASSERT_TRUE(m_nav->ShowScreen(n));
        for (CHVBitmapButton* b : m_nav->Page(n)->Buttons()) {
            QFont font(QStringLiteral("Arial"));
            font.setPixelSize(15);
            font.setBold(true);
            QFontMetrics fm(font);
            QRect need = fm.boundingRect(b->rect(), Qt::AlignCenter | Qt::TextWordWrap,
                                         QString::fromUtf8(static_cast<LPCSTR>(b->GetCaption())));
            EXPECT_TRUE(b->rect().contains(need)) << n << " " << static_cast<LPCSTR>(b->GetCaption());
            // At most two lines.
            EXPECT_LT(need.height(), fm.lineSpacing() * 3) << static_cast<LPCSTR>(b->GetCaption());
        }
    }
}

// --- the bitmap button --------------------------------------------------------------------------

TEST_F(StartScreenTest, AFailedPressedPictureLeavesTheUpOne)
{
    CHVBitmapButton button("Go", 7, 0);
    CBitmapButtonSet set;
    set.upId = IDB_NAV_UP;
    set.downFile = HomePath("missing.png");
    set.focusId = IDB_NAV_FOCUS;
    EXPECT_FALSE(button.LoadImages(set));
    button.SizeToContent();
    EXPECT_EQ(button.size(), QSize(240, 48));
    EXPECT_EQ(button.PictureFor(TRUE, FALSE, FALSE), &button.UpPicture());
    EXPECT_NE(button.PictureFor(FALSE, TRUE, FALSE), &button.UpPicture());
    // Without any up picture there is nothing to draw.
    CBitmapButtonSet none;
    EXPECT_FALSE(button.LoadImages(none));
    EXPECT_EQ(button.PictureFor(FALSE, FALSE, FALSE), nullptr);
}

// --- the main frame's tasks ----------------------------------------------------------------------

class CScriptedChooser : public IDocumentChooser {
public:
    struct Answer {
        CDocument* pDoc;
        BOOL bOpened;
    };
    std::vector<Answer> answers;
    std::vector<CString> asked;
    std::vector<CDocument*> excluded;

    CDocument* ChooseDocument(int, LPCSTR info, BOOL& bOpened, CDocument* pExclude) override
    {
        asked.push_back(info);
        excluded.push_back(pExclude);
        bOpened = FALSE;
        if (answers.empty())
            return nullptr;
        Answer a = answers.front();
        answers.erase(answers.begin());
        bOpened = a.bOpened;
        return a.pDoc;
    }
};

class TasksTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        StartApp();
    }
    int Shown() const { return m_pMain->GetNavigator()->CurrentScreen(); }

    CScriptedChooser m_chooser;
};

TEST_F(TasksTest, CancelledTasksGoBackToTheirPageOnlyFromTheStartScreen)
{
    CServiceScope<IDocumentChooser> scope(DocumentChooserSlot(), m_chooser);
    // The random exam's wizard is cancelled both times.
    CModalScript script;
    for (int i = 0; i < 2; ++i)
        script.On<CPropertySheet>([](CPropertySheet& sheet) { sheet.PressButton(PSBTN_CANCEL); });
    m_pMain->GetNavigator()->hide();
    const struct {
        UINT message;
        WPARAM wParam;
        int page;
    } cases[] = {{0x8005, START_SCREEN_TASK, 1}, {0x8016, START_SCREEN_TASK, 5}, {0x8028, START_SCREEN_TASK, 8},
                 {0x8014, START_SCREEN_TASK, 5}, {0x8014, 0, -1},                 {0x8005, 0, -1}};
    for (const auto& c : cases) {
        m_pMain->GetNavigator()->hide();
        m_pMain->OnTask(c.message, c.wParam, 0);
        EXPECT_EQ(Shown(), c.page) << std::hex << c.message << " " << c.wParam;
    }
    EXPECT_EQ(m_chooser.asked.front(), CString("Select a Question Corra to edit."));
}

TEST_F(TasksTest, AddFromAnotherCorraClosesTheFirstOnlyWhenTheTaskOpenedIt)
{
    CServiceScope<IDocumentChooser> scope(DocumentChooserSlot(), m_chooser);
    for (BOOL bOpened : {TRUE, FALSE}) {
        CString path = HomePath(bOpened ? "to1.crr" : "to2.crr");
        WritePlainBank(path);
        CDocument* pTo = m_app->OpenCorraDocument(path, TRUE);
        ASSERT_NE(pTo, nullptr);
        QPointer<QObject> frame = pTo->GetFirstView()->GetParentFrame()->GetWidget();
        m_chooser.answers = {{pTo, bOpened}};
        m_chooser.excluded.clear();
        m_pMain->OnTask(0x8006, START_SCREEN_TASK, 0);
        Drain();
        ASSERT_EQ(m_chooser.excluded.size(), 2u);
        EXPECT_EQ(m_chooser.excluded[1], pTo);
        EXPECT_EQ(frame.isNull(), bOpened != FALSE);
        EXPECT_EQ(Shown(), 1);
    }
}

TEST_F(TasksTest, AddToAnExamClosesTheExamOnlyWhenTheTaskOpenedIt)
{
    CServiceScope<IDocumentChooser> scope(DocumentChooserSlot(), m_chooser);
    for (BOOL bOpened : {TRUE, FALSE}) {
        CDocument* pExam = m_app->NewExamDocument();
        ASSERT_NE(pExam, nullptr);
        pExam->SetModifiedFlag(FALSE);
        QPointer<QObject> frame = pExam->GetFirstView()->GetParentFrame()->GetWidget();
        m_chooser.answers = {{pExam, bOpened}};
        m_chooser.asked.clear();
        m_pMain->GetNavigator()->hide();
        m_pMain->OnTask(0x8017, START_SCREEN_TASK, 0);
        Drain();
        ASSERT_EQ(m_chooser.asked.size(), 2u);
        EXPECT_EQ(m_chooser.asked[1], CString("Select a Question Corra from which to copy questions."));
        EXPECT_EQ(frame.isNull(), bOpened != FALSE) << bOpened;
        EXPECT_EQ(Shown(), 5);
    }
}

TEST_F(TasksTest, EditExistingCorraActivatesTheChosenBank)
{
    CServiceScope<IDocumentChooser> scope(DocumentChooserSlot(), m_chooser);
    CString path = HomePath("bank.crr");
    WritePlainBank(path);
    CDocument* pBank = m_app->OpenCorraDocument(path, TRUE);
    CDocument* pOther = m_app->NewCorraDocument(TRUE);
    ASSERT_TRUE(pBank && pOther);
    m_pMain->ShowStartScreen(1);
    CHVBitmapButton* edit = m_pMain->GetNavigator()->Page(1)->Button(101);
    ASSERT_NE(edit, nullptr);
    m_chooser.answers = {{pBank, FALSE}};
    Click(edit, QPoint(6, 6));
    Drain();
    EXPECT_EQ(Shown(), -1);
    EXPECT_TRUE(m_chooser.answers.empty());
    EXPECT_EQ(m_pMain->MDIGetActive(), pBank->GetFirstView()->GetParentFrame());
}

TEST_F(TasksTest, WithoutAChooserTheFileDialogPicksAFileOfTheKind)
{
    CScriptedFileDialog files;
    CServiceScope<IFileDialogService> scope(FileDialogSlot(), files);
    CServiceScope<IDocumentChooser> plain(DocumentChooserSlot(), PlainDocumentChooser());
    CString bank = HomePath("QCorras/bank.crr");
    WritePlainBank(bank);
    BOOL bOpened = FALSE;
    files.QueuePath(bank);
    CDocument* pDoc = DocumentChooser().ChooseDocument(3, "Select a Question Corra to edit.", bOpened, nullptr);
    ASSERT_NE(pDoc, nullptr);
    EXPECT_TRUE(bOpened);
    ASSERT_FALSE(files.requests.empty());
    EXPECT_EQ(files.requests.back().title, CString("Select a Question Corra to edit."));
    EXPECT_NE(files.requests.back().filter.Find("crr"), -1);
    // Open already: the same document, not opened by the chooser; left out: none.
    files.QueuePath(bank);
    EXPECT_EQ(DocumentChooser().ChooseDocument(3, "", bOpened, nullptr), pDoc);
    EXPECT_FALSE(bOpened);
    files.QueuePath(bank);
    EXPECT_EQ(DocumentChooser().ChooseDocument(3, "", bOpened, pDoc), nullptr);
    // A file of another kind, or a cancel, chooses nothing.
    files.QueuePath(bank);
    EXPECT_EQ(DocumentChooser().ChooseDocument(4, "", bOpened, nullptr), nullptr);
    files.QueueCancel();
    EXPECT_EQ(DocumentChooser().ChooseDocument(3, "", bOpened, nullptr), nullptr);
}

using StartScreenAtStartTest = MainWindowTest;

TEST_F(StartScreenAtStartTest, TheStartScreenComesUpAtStartWithItsFirstPage)
{
    StartApp("BoilerPlateAtStartup=1\n");
    ASSERT_NE(m_pMain->GetNavigator(), nullptr);
    EXPECT_EQ(m_pMain->GetNavigator()->CurrentScreen(), -1);
    QElapsedTimer t;
    t.start();
    while (m_pMain->GetNavigator()->CurrentScreen() != 0 && t.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(m_pMain->GetNavigator()->CurrentScreen(), 0);
    EXPECT_EQ(m_pMain->GetNavigator()->parentWidget(), static_cast<QWidget*>(m_pMain->GetClientWnd()));
    // Tools, Main menu shows it again once closed.
    m_pMain->GetNavigator()->hide();
    m_pMain->OnCommand(ID_MAIN_MENU);
    EXPECT_EQ(m_pMain->GetNavigator()->CurrentScreen(), 0);
}

} // namespace
