#include "platform/ui/Wnd.h"
#include "platform/ui/WindowPlacement.h"

#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QMenu>

#include <thread>
#include <vector>

namespace {

constexpr UINT WM_PING = WM_APP + 0x51;
constexpr UINT ID_CMD_SAVE = 57603;
constexpr UINT ID_CMD_GREY = 32800;
constexpr UINT ID_CMD_NONE = 32801;

struct Msg {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class CRecordingWnd : public CWidgetWnd {
public:
    CRecordingWnd()
    {
        BindCommand(ID_CMD_SAVE, [this] { ++saves; });
        BindUpdate(ID_CMD_SAVE, [this](CCmdUI* ui) {
            ui->Enable(canSave);
            ui->SetCheck(1);
            ui->SetText("&Save\tCtrl+S");
        });
        BindCommand(ID_CMD_GREY, [this] { ++greys; });
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PING) {
            messages.push_back({message, wParam, lParam});
            return static_cast<LRESULT>(wParam * 2);
        }
        return CWidgetWnd::WindowProc(message, wParam, lParam);
    }
    void OnTimer(UINT_PTR nIDEvent) override { timers.push_back(nIDEvent); }

    std::vector<Msg> messages;
    std::vector<UINT_PTR> timers;
    int saves = 0;
    int greys = 0;
    BOOL canSave = TRUE;
};

using WndTest = CorraTest;

} // namespace

TEST_F(WndTest, SentMessageIsHandledAtOncePostedOneWhenTheLoopRuns)
{
    CRecordingWnd wnd;
    EXPECT_EQ(wnd.SendMessage(WM_PING, 21, -5), 42);
    ASSERT_EQ(wnd.messages.size(), 1u);
    EXPECT_EQ(wnd.messages[0].lParam, -5);

    EXPECT_TRUE(wnd.PostMessage(WM_PING, 7, 8));
    EXPECT_EQ(wnd.messages.size(), 1u) << "a posted message waits for the event loop";
    QCoreApplication::processEvents();
    ASSERT_EQ(wnd.messages.size(), 2u);
    EXPECT_EQ(wnd.messages[1].wParam, 7u);
    EXPECT_EQ(wnd.messages[1].lParam, 8);
}

TEST_F(WndTest, MessagesPostedFromAnotherThreadArriveInOrderOnTheWindowsThread)
{
    CRecordingWnd wnd;
    std::thread worker([&wnd] {
        for (WPARAM i = 0; i < 50; ++i)
            wnd.PostMessage(WM_PING, i, 0);
    });
    worker.join();
    ASSERT_TRUE(RunEventsUntil([&] { return wnd.messages.size() == 50; }));
    for (size_t i = 0; i < wnd.messages.size(); ++i)
        EXPECT_EQ(wnd.messages[i].wParam, i);
}

// A window that notes the pings it handles in a list that outlives it.
class CNotingWnd : public CWidgetWnd {
public:
    explicit CNotingWnd(std::vector<WPARAM>& handled) : m_handled(handled) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PING)
            m_handled.push_back(wParam);
        return CWidgetWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<WPARAM>& m_handled;
};

TEST_F(WndTest, PostedMessagesOfAWindowThatIsGoneAreDropped)
{
    std::vector<WPARAM> handled;
    auto* gone = new CNotingWnd(handled);
    CNotingWnd stays(handled);
    gone->PostMessage(WM_PING, 1, 0);
    stays.PostMessage(WM_PING, 2, 0);
    delete gone;
    QCoreApplication::processEvents();
    // The deleted window's message never arrives; the queue goes on for the others.
    EXPECT_EQ(handled, std::vector<WPARAM>{2});
}

TEST_F(WndTest, DestroyedWindowHandlesNoMoreMessages)
{
    CRecordingWnd wnd;
    wnd.PostMessage(WM_PING, 1, 0);
    EXPECT_TRUE(wnd.DestroyWindow());
    QCoreApplication::processEvents();
    EXPECT_TRUE(wnd.messages.empty()) << "queued before the window was destroyed";
    EXPECT_EQ(wnd.SendMessage(WM_PING, 2, 0), 0);
    EXPECT_TRUE(wnd.messages.empty());
    wnd.PostCommand(ID_CMD_SAVE);
    QCoreApplication::processEvents();
    EXPECT_EQ(wnd.saves, 0);
}

TEST_F(WndTest, TimerFiresOnTimerWithItsIdUntilKilled)
{
    CRecordingWnd wnd;
    EXPECT_EQ(wnd.SetTimer(6, 5), 6u);
    ASSERT_TRUE(RunEventsUntil([&] { return wnd.timers.size() >= 2; }));
    EXPECT_EQ(wnd.timers[0], 6u);
    EXPECT_EQ(wnd.timers[1], 6u);
    EXPECT_TRUE(wnd.KillTimer(6));
    EXPECT_FALSE(wnd.KillTimer(6));
    size_t seen = wnd.timers.size();
    RunEventsUntil([] { return false; }, 50);
    EXPECT_EQ(wnd.timers.size(), seen);
}

TEST_F(WndTest, CommandRunsUnlessItsUpdateHandlerDisablesIt)
{
    CRecordingWnd wnd;
    EXPECT_TRUE(wnd.OnCommand(ID_CMD_SAVE));
    EXPECT_EQ(wnd.saves, 1);
    wnd.canSave = FALSE;
    EXPECT_TRUE(wnd.OnCommand(ID_CMD_SAVE));
    EXPECT_EQ(wnd.saves, 1) << "a disabled command must not run";
    EXPECT_FALSE(wnd.OnCommand(ID_CMD_NONE));

    wnd.canSave = TRUE;
    wnd.PostCommand(ID_CMD_SAVE);
    EXPECT_EQ(wnd.saves, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(wnd.saves, 2);
}

TEST_F(WndTest, IdleUpdateSetsActionsFromUpdateHandlersAndGreysThoseWithoutHandler)
{
    CRecordingWnd wnd;
    QAction* save = CreateCommandAction(&wnd, ID_CMD_SAVE, "Save");
    QAction* grey = CreateCommandAction(&wnd, ID_CMD_GREY, "Grey");
    QAction* none = CreateCommandAction(&wnd, ID_CMD_NONE, "None");
    wnd.canSave = FALSE;
    wnd.show();
    RunIdleUpdate();
    EXPECT_FALSE(save->isEnabled());
    EXPECT_TRUE(save->isChecked());
    EXPECT_EQ(save->text().toStdString(), "&Save\tCtrl+S");
    EXPECT_TRUE(grey->isEnabled()) << "a command handler without update handler enables";
    EXPECT_FALSE(none->isEnabled()) << "no handler at all greys the item";

    wnd.canSave = TRUE;
    RunIdleUpdate();
    EXPECT_TRUE(save->isEnabled());
    save->trigger();
    EXPECT_EQ(wnd.saves, 1);
}

TEST_F(WndTest, MenuIsUpdatedWhenItIsAboutToShow)
{
    CRecordingWnd wnd;
    QMenu menu;
    QAction* save = menu.addAction("Save");
    SetActionCommandId(save, ID_CMD_SAVE);
    UpdateMenuOnShow(&menu, &wnd);
    wnd.canSave = FALSE;
    emit menu.aboutToShow();
    EXPECT_FALSE(save->isEnabled());
}

namespace {

// A frame-like target that offers commands to its view first.
class CViewWnd : public CWidgetWnd {
public:
    CViewWnd() { BindCommand(100, [this] { ++viewHits; }); }
    int viewHits = 0;
};

class CFrameWnd : public CWidgetWnd {
public:
    CFrameWnd()
    {
        BindCommand(100, [this] { ++frameHits; });
        BindCommand(101, [this] { ++frameHits; });
    }
    BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra) override
    {
        if (view.OnCmdMsg(nID, nCode, pExtra))
            return TRUE;
        return CWidgetWnd::OnCmdMsg(nID, nCode, pExtra);
    }
    CViewWnd view;
    int frameHits = 0;
};

} // namespace

TEST_F(WndTest, CommandsFollowTheRouteOfTheTarget)
{
    CFrameWnd frame;
    frame.OnCommand(100);
    frame.OnCommand(101);
    EXPECT_EQ(frame.view.viewHits, 1);
    EXPECT_EQ(frame.frameHits, 1);
    EXPECT_TRUE(frame.HasCommandHandler(100));
    EXPECT_EQ(frame.view.viewHits, 1) << "asking for a handler must not run it";
    EXPECT_FALSE(frame.HasCommandHandler(102));
}

TEST_F(WndTest, GeometryAndTextOfAWindow)
{
    CRecordingWnd wnd;
    wnd.SetWindowText("Caf\xE9");
    EXPECT_EQ(wnd.GetWindowText(), CString("Caf\xE9"));
    EXPECT_EQ(wnd.windowTitle(), QString::fromUtf8("Caf\xC3\xA9"));
    wnd.MoveWindow(10, 20, 200, 100);
    CRect r;
    wnd.GetClientRect(&r);
    EXPECT_EQ(r, CRect(0, 0, 200, 100));
    wnd.SetWindowPos(nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    wnd.ShowWindow(SW_SHOW);
    wnd.GetWindowRect(&r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    wnd.GetClientRect(&r);
    EXPECT_EQ(r, CRect(0, 0, 200, 100)) << "moving keeps the size";
    EXPECT_FALSE(wnd.EnableWindow(FALSE));
    EXPECT_FALSE(wnd.IsWindowEnabled());
    EXPECT_TRUE(wnd.EnableWindow(TRUE));
}

TEST_F(WndTest, IdleHandlerRunsWhenTheLoopRunsDry)
{
    CRecordingWnd wnd;
    QAction* save = CreateCommandAction(&wnd, ID_CMD_SAVE, "Save");
    wnd.show();
    wnd.canSave = FALSE;
    struct CCountingIdle : IIdleHandler {
        void OnIdle() override
        {
            ++idles;
            RunIdleUpdate();
        }
        int idles = 0;
    } counting;
    CServiceScope<IIdleHandler> installed(IdleHandlerSlot(), counting);
    EnableIdleProcessing(TRUE);
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
    EnableIdleProcessing(FALSE);
    const int idles = counting.idles;
    EXPECT_GE(idles, 1);
    EXPECT_LE(idles, 20) << "the loop must not spin on its own idle work";
    EXPECT_FALSE(save->isEnabled()) << "the idle update ran";
}

TEST(CenteredWithinTest, CentresOnTheAreaAndKeepsTheWindowOnTheScreen)
{
    const CRect screen(0, 0, 1280, 800);
    struct Case {
        const char* what;
        CRect area;
        CSize size;
        CPoint expected;
    } cases[] = {
        {"centred on its owner", CRect(100, 100, 700, 500), CSize(200, 100), CPoint(300, 250)},
        {"on the screen without an owner", screen, CSize(400, 200), CPoint(440, 300)},
        {"owner near the right edge", CRect(1000, 100, 1280, 300), CSize(600, 100), CPoint(680, 150)},
        {"owner near the top left", CRect(0, 0, 200, 100), CSize(600, 400), CPoint(0, 0)},
        {"owner off the bottom", CRect(200, 700, 600, 1000), CSize(300, 300), CPoint(250, 500)},
        {"wider and taller than the screen", screen, CSize(1600, 900), CPoint(0, 0)},
    };
    for (const Case& c : cases) {
        const CPoint p = CenteredWithin(c.area, c.size, screen);
        EXPECT_EQ(p.x, c.expected.x) << c.what;
        EXPECT_EQ(p.y, c.expected.y) << c.what;
    }
    // A screen that does not start at the origin (a second monitor, a task bar on the left).
    const CPoint p = CenteredWithin(CRect(1400, 50, 1500, 150), CSize(500, 300), CRect(1300, 40, 2500, 1000));
    EXPECT_EQ(p.x, 1300);
    EXPECT_EQ(p.y, 40);
}

TEST(BesideWithinTest, PutsAWindowBesideItsOwnerWithoutCoveringItAndOnTheScreen)
{
    const CRect screen(0, 40, 1280, 800);
    struct Case {
        const char* what;
        CRect owner;
        CSize size;
        CPoint expected;
    } cases[] = {
        {"room on the right", CRect(100, 100, 700, 600), CSize(300, 200), CPoint(708, 100)},
        {"no room on the right: on the left", CRect(500, 100, 1100, 600), CSize(300, 200), CPoint(192, 100)},
        {"room on neither side: below", CRect(100, 100, 1200, 500), CSize(300, 200), CPoint(100, 508)},
        {"room on no side nor below: above", CRect(100, 300, 1200, 700), CSize(300, 200), CPoint(100, 92)},
        {"room nowhere: at the screen's right edge", CRect(100, 100, 1200, 700), CSize(300, 200),
         CPoint(980, 100)},
        {"owner low on the screen: its bottom on the screen's", CRect(100, 700, 500, 790), CSize(300, 200),
         CPoint(508, 600)},
        {"owner above the usable area", CRect(100, 0, 500, 300), CSize(300, 200), CPoint(508, 40)},
        {"wider than the screen: below, its left on the screen's", CRect(100, 100, 500, 300), CSize(1400, 200),
         CPoint(0, 308)},
    };
    for (const Case& c : cases) {
        const CPoint p = BesideWithin(c.owner, c.size, screen, 8);
        EXPECT_EQ(p.x, c.expected.x) << c.what;
        EXPECT_EQ(p.y, c.expected.y) << c.what;
    }
}

TEST_F(WndTest, AWindowWithoutOwnerIsCentredOnTheUsableScreenArea)
{
    QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    const QRect avail = primary->availableGeometry();
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.GetWidget()->isWindow());
    wnd.GetWidget()->resize(avail.width() / 2, avail.height() / 2);
    CPoint p = wnd.GetCenteredPosition();
    CRect mine;
    wnd.GetWindowRect(&mine);
    EXPECT_EQ(p.x, avail.left() + (avail.width() - mine.Width()) / 2);
    EXPECT_EQ(p.y, avail.top() + (avail.height() - mine.Height()) / 2);
    // Wider than the screen: its left edge stays on it rather than running off.
    wnd.GetWidget()->resize(avail.width() + 400, avail.height() / 2);
    p = wnd.GetCenteredPosition();
    EXPECT_EQ(p.x, avail.left());
}
