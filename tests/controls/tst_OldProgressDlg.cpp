#include "controls/OldProgressDlg.h"

#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <QPushButton>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

class OldProgressDlgTest : public CorraTest {
protected:
    static QColor Ref(COLORREF cr) { return QColor(GetRValue(cr), GetGValue(cr), GetBValue(cr)); }
    static QImage BarImage(COldProgressDlg& dlg) { return dlg.GetDlgItem(IDC_PROGRESS_BAR)->grab().toImage(); }
    static QColor BarPixel(const QImage& bar, double at) { return QColor(bar.pixel(static_cast<int>((bar.width() - 1) * at), 1)); }
};

TEST_F(OldProgressDlgTest, MeterFractionPercentAndFill)
{
    struct Case {
        int range;
        int pos;
        int percent;
        int filledOf200;
    };
    const Case cases[] = {
        {0, 0, 100, 200}, {100, 50, 50, 100}, {3, 1, 33, 66}, {100, 150, 100, 200}, {100, -5, 0, 0}, {7, 7, 100, 200},
        // A double quotient truncates these one short.
        {100, 29, 29, 58}, {100, 57, 57, 114}, {1000, 580, 58, 116},
    };
    for (const Case& c : cases) {
        CProgressMeter meter(c.range, c.pos, 1);
        EXPECT_EQ(meter.Percent(), c.percent) << c.pos << "/" << c.range;
        EXPECT_EQ(meter.FilledWidth(200), c.filledOf200) << c.pos << "/" << c.range;
    }
}

TEST_F(OldProgressDlgTest, FractionalStepsMoveByWholeSteps)
{
    struct Case {
        double frac;
        int calls;
        int moves;
    };
    const Case cases[] = {{0.0, 3, 3}, {0.25, 3, 0}, {0.25, 4, 1}, {0.25, 8, 2}, {0.1, 10, 1}, {0.5, 5, 2}};
    for (const Case& c : cases) {
        CProgressMeter meter(100, 0, 1);
        meter.m_dFracStep = c.frac;
        int moves = 0;
        for (int i = 0; i < c.calls; ++i)
            moves += meter.Advance() ? 1 : 0;
        EXPECT_EQ(moves, c.moves) << c.frac << " x " << c.calls;
    }
}

TEST_F(OldProgressDlgTest, StepItWithQuarterStepsMovesTheBarEveryFourthCall)
{
    COldProgressDlg dlg("Reading", "Reading 4 questions", 100, 0, 5);
    ASSERT_TRUE(dlg.Create());
    dlg.SetFractionalStep(0.25);
    for (int i = 1; i <= 8; ++i) {
        dlg.StepIt();
        EXPECT_EQ(dlg.GetPos(), (i / 4) * 5) << "call " << i;
    }
}

TEST_F(OldProgressDlgTest, RangeOfZeroPaintsAFullBarWithHundredPercent)
{
    COldProgressDlg dlg(nullptr, nullptr, 0, 0, 1);
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(dlg.GetPercentText(), "100%");
    QImage bar = BarImage(dlg);
    EXPECT_EQ(BarPixel(bar, 0.05), Ref(PROGRESS_DONE_COLOR));
    EXPECT_EQ(BarPixel(bar, 1.0), Ref(PROGRESS_DONE_COLOR));

    COldProgressDlg quarter(nullptr, nullptr, 100, 25, 1);
    ASSERT_TRUE(quarter.Create());
    EXPECT_EQ(quarter.GetPercentText(), "25%");
    bar = BarImage(quarter);
    EXPECT_EQ(BarPixel(bar, 0.1), Ref(PROGRESS_DONE_COLOR));
    EXPECT_EQ(BarPixel(bar, 0.9), Ref(PROGRESS_TODO_COLOR));
}

TEST_F(OldProgressDlgTest, PercentageReadsOverTheFillAndTheRest)
{
    // Under the digits: lighter than the done part where they stand on it, darker than the rest
    // where they stand on that.
    struct Case {
        int pos;
        double from, to;  // the part of the bar's width to sample
        COLORREF ground;
        bool lighter;
    };
    const Case cases[] = {
        {100, 0.40, 0.60, PROGRESS_DONE_COLOR, true},
        {0, 0.40, 0.60, PROGRESS_TODO_COLOR, false},
        {50, 0.40, 0.49, PROGRESS_DONE_COLOR, true},
        {50, 0.51, 0.60, PROGRESS_TODO_COLOR, false},
    };
    for (const Case& c : cases) {
        COldProgressDlg dlg(nullptr, nullptr, 100, c.pos, 1);
        ASSERT_TRUE(dlg.Create());
        const QImage bar = BarImage(dlg);
        const int ground = Ref(c.ground).lightness();
        int extreme = ground;
        for (int y = 0; y < bar.height(); ++y) {
            for (int x = static_cast<int>(bar.width() * c.from); x < static_cast<int>(bar.width() * c.to); ++x) {
                const int l = QColor(bar.pixel(x, y)).lightness();
                extreme = c.lighter ? std::max(extreme, l) : std::min(extreme, l);
            }
        }
        EXPECT_GT(std::abs(extreme - ground), 80) << "at " << c.pos << "% over " << c.from << ".." << c.to;
        EXPECT_EQ(extreme > ground, c.lighter) << "at " << c.pos << "%";
    }
    // The dialog keeps the size its layout gives it.
    COldProgressDlg dlg;
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(dlg.minimumSize(), dlg.maximumSize());
    EXPECT_FALSE(dlg.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(OldProgressDlgTest, DefaultsTitleAndOptionalButtons)
{
    COldProgressDlg dlg;
    dlg.SetButton(0, "Skip", 5);
    ASSERT_TRUE(dlg.Create());
    EXPECT_EQ(dlg.GetTitle(), "Please wait");
    EXPECT_EQ(dlg.GetWindowText(), "Please wait");
    EXPECT_EQ(dlg.GetText(), "Processing...");
    EXPECT_TRUE(dlg.GetDlgItem(IDC_PROGRESS_BUTTON1)->isVisible());
    EXPECT_EQ(dlg.GetDlgItemText(IDC_PROGRESS_BUTTON1), "Skip");
    EXPECT_FALSE(dlg.GetDlgItem(IDC_PROGRESS_BUTTON2)->isVisible());
    EXPECT_EQ(dlg.GetResultChosen(), 0);
    ClickDlgButton(dlg, IDC_PROGRESS_BUTTON1);
    EXPECT_EQ(dlg.GetResultChosen(), 5);
    EXPECT_FALSE(dlg.IsCancelled());
    dlg.SetText("Question 3");
    EXPECT_NE(dlg.GetDlgItemText(IDC_PROGRESS_INFO).Find("Question 3"), -1);
}

TEST_F(OldProgressDlgTest, WorkerUpdatesArriveOnlyThroughTheEventLoopAsCopies)
{
    COldProgressDlg dlg("Converting Document", "Starting", 10, 0, 1);
    ASSERT_TRUE(dlg.Create());
    std::thread worker([&dlg] {
        char text[32];
        std::strcpy(text, "Saving document");
        dlg.SetText(text);
        std::strcpy(text, "overwritten at once");  // the dialog must not see this
        std::strcpy(text, "Convert to Word");
        dlg.SetTitle(text);
        std::strcpy(text, "gone");
        dlg.SetPos(7);
        dlg.StepIt();
    });
    worker.join();
    EXPECT_EQ(dlg.GetText(), "Starting");
    EXPECT_EQ(dlg.GetTitle(), "Converting Document");
    EXPECT_EQ(dlg.GetPos(), 0);

    COldProgressDlg::PumpMessages();
    EXPECT_EQ(dlg.GetText(), "Saving document");
    EXPECT_EQ(dlg.GetTitle(), "Convert to Word");
    EXPECT_EQ(dlg.GetWindowText(), "Convert to Word");
    EXPECT_EQ(dlg.GetPos(), 8);
}

TEST_F(OldProgressDlgTest, CancelDuringTheWorkIsSeenByTheCaller)
{
    COldProgressDlg dlg("Searching...", "Please wait", 1000, 0, 1);
    ASSERT_TRUE(dlg.Create());
    // While it is shown nothing else takes input.
    EXPECT_EQ(QApplication::activeModalWidget(), &dlg);
    // The user presses Cancel while the work runs: the click waits in the event queue.
    QMetaObject::invokeMethod(&dlg, [&dlg] { ClickDlgButton(dlg, IDCANCEL); }, Qt::QueuedConnection);
    int done = 0;
    while (!dlg.IsCancelled() && done < 1000)
        dlg.SetPos(++done);
    EXPECT_TRUE(dlg.IsCancelled());
    EXPECT_LT(done, 1000);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(OldProgressDlgTest, RunLoopStepsUntilAHandlerStopsIt)
{
    class CCounter : public CMessagePumpLoop {
    public:
        void Step() override
        {
            if (++m_nSteps % 3 == 0)
                QMetaObject::invokeMethod(qApp, [this] { m_bStop = TRUE; }, Qt::QueuedConnection);
        }
        int Finish() override { return m_nSteps; }
        int m_nSteps = 0;
    };
    CCounter loop;
    EXPECT_EQ(loop.Run(), 3);
    EXPECT_EQ(loop.Run(), 6);  // Run clears the flag and goes on
}

} // namespace
