// Pasting 5,000 questions, half of whose IDs the target holds, into a bank of 10,000 questions
// made like the sample, both open in the two panes of a frame: the clash dialog is answered
// "Duplicate (all)" and OK. Prints the whole paste (reading the bytes, sorting the clashes,
// adding the questions with their undo entry and updating both banks' panes), the dialog's share,
// and the undo of it.

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "model/CorraDoc.h"
#include "platform/core/StringTable.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/OleData.h"
#include "platform/ui/ScreenMetrics.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3.h"
#include "tests/support/CorraPanes.h"
#include "views/DuplicateQuestionsDlg.h"
#include "views/ODListCtrl.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

constexpr int kTargetQuestions = 10000;
constexpr int kPasted = 5000;

double Ms(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - start;
    return ms.count();
}

// "Duplicate (all)", then OK; the time from the dialog's opening to its end.
class CDuplicateAll : public IModalRunHook {
public:
    void RunModal(CDialog& dlg) override
    {
        auto* clashes = dynamic_cast<CDuplicateQuestionsDlg*>(&dlg);
        if (!clashes) {
            dlg.EndDialog(IDCANCEL);
            return;
        }
        listed = clashes->NewList().GetCount();
        ms += Ms([&] { clashes->DuplicateAll(); });
        dlg.EndDialog(clashes->IsSettled() ? IDOK : IDCANCEL);
    }
    double ms = 0;
    int listed = 0;
};

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

    CBenchDoc source;
    FillBenchBank(source, kPasted);
    // The first half keeps IDs the target holds (101...), the second half moves past them.
    for (POSITION pos = source.m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(source.m_plQuestions.GetNext(pos));
        if (!q->IsCollection() && q->m_nId > 100 + kPasted / 2)
            q->m_nId += 100000;
    }
    source.RebuildIdIndex();
    source.SetTitle("Source");
    CBenchDoc target;
    FillBenchBank(target, kTargetQuestions);
    target.SetTitle("Target");

    CCorraPanes from(source, 1280, 1536);
    CCorraPanes into(target, 1280, 1536);
    from.upper->GetListCtrl()->SelectItem(-1, TRUE);
    COleDataSource data;
    if (!from.upper->CopyToDataSource(data))
        return 1;

    CDuplicateAll hook;
    CServiceScope<IModalRunHook> scope(ModalRunSlot(), hook);
    const int before = target.GetQuestionCount();
    int result = 0;
    const double paste = Ms([&] {
        COleDataObject object;
        object.Attach(&data);
        result = into.upper->PasteFrom(object);
        QApplication::processEvents();
    });
    const int added = target.GetQuestionCount() - before;
    const int rows = into.upper->GetListCtrl()->GetItemCount();
    const double undo = Ms([&] {
        target.Undo();
        QApplication::processEvents();
    });
    std::printf("paste %d questions (%d clashing by ID) into a bank of %d: %s, %d added, %d rows\n", kPasted,
                hook.listed, kTargetQuestions, result == CCorraView::DROP_DONE ? "done" : "refused", added, rows);
    std::printf("  whole paste, views updated      %8.1f ms\n", paste);
    std::printf("  of it Duplicate (all)           %8.1f ms\n", hook.ms);
    std::printf("  undo of the paste               %8.1f ms  (%d questions after)\n", undo, target.GetQuestionCount());
    return result == CCorraView::DROP_DONE && added == kPasted ? 0 : 1;
}
