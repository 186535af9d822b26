// The question pane's commands over a whole bank (1,000 and 10,000 questions made like the
// sample, in the two panes of a frame): Select All, Delete of every question, Undo and Redo of
// that delete. Each should stay well under 200 ms at 10,000 questions and grow with the bank,
// never with the square of the selection. Prints milliseconds per size and the growth per
// question.

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "model/CorraDoc.h"
#include "platform/core/StringTable.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/ScreenMetrics.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3.h"
#include "res/ids/Menus.h"
#include "tests/support/CorraPanes.h"
#include "views/ODListCtrl.h"

#include <QApplication>

#include <cstdio>

namespace {

// A command run on the view and what it posted, in milliseconds.
double CommandMs(CCorraView& view, UINT nID)
{
    return ElapsedMs([&] {
        RunCommandOn(&view, nID);
        QApplication::processEvents();
    });
}

struct CFigures {
    double selectAll = 0, del = 0, undo = 0, redo = 0;
    int selected = 0, afterDelete = 0, afterUndo = 0, afterRedo = 0;
};

CFigures RunCommands(int nQuestions)
{
    CFigures f;
    CBenchDoc doc;
    FillBenchBank(doc, nQuestions);
    CCorraPanes panes(doc, 1280, 1536);
    CCorraView& view = *panes.upper;
    CODListCtrl& list = *view.GetListCtrl();
    f.selectAll = CommandMs(view, ID_EDIT_SELECT_ALL);
    f.selected = static_cast<int>(list.GetSelectedCount());
    f.del = CommandMs(view, menus::kEditDelete);
    f.afterDelete = list.GetItemCount();
    f.undo = CommandMs(view, ID_EDIT_UNDO);
    f.afterUndo = list.GetItemCount();
    f.redo = CommandMs(view, ID_EDIT_REDO);
    f.afterRedo = list.GetItemCount();
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    CBenchHome home;
    QApplication app(argc, argv);
    CorraInstallStringTable();
    InstallPrimaryScreenMetrics();
    InstallRtfTextDrawer();
    CFontMgrInit fonts;
    if (!home.IsMade())
        return 1;

    constexpr int kSizes[] = {1000, 10000};
    constexpr double kLimitMs = 200;
    CFigures figures[2];
    bool within = true;
    for (int k = 0; k < 2; ++k) {
        const CFigures& f = figures[k] = RunCommands(kSizes[k]);
        std::printf("bank of %d questions in the question pane:\n", kSizes[k]);
        std::printf("  Select All      %8.1f ms  (%d rows selected)\n", f.selectAll, f.selected);
        std::printf("  Delete          %8.1f ms  (%d rows left)\n", f.del, f.afterDelete);
        std::printf("  Undo            %8.1f ms  (%d rows back)\n", f.undo, f.afterUndo);
        std::printf("  Redo            %8.1f ms  (%d rows left)\n", f.redo, f.afterRedo);
        for (double ms : {f.selectAll, f.del, f.undo, f.redo})
            within = within && ms < kLimitMs;
    }
    std::printf("growth from %d to %d questions (10.0: linear):\n", kSizes[0], kSizes[1]);
    const double ratios[] = {figures[1].selectAll / figures[0].selectAll, figures[1].del / figures[0].del,
                             figures[1].undo / figures[0].undo, figures[1].redo / figures[0].redo};
    std::printf("  Select All %.1f, Delete %.1f, Undo %.1f, Redo %.1f\n", ratios[0], ratios[1], ratios[2], ratios[3]);
    std::printf("%s\n", within ? "every command under 200 ms" : "a command took 200 ms or more");
    return 0;
}
