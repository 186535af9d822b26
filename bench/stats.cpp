// The statistics dialog opened over banks made like the sample at 1,000, 10,000 and 50,000
// questions: the counting and the filling of the seven lists and the collection list, as the
// dialog does them before it shows. Milliseconds, best of three openings, and the cost per
// question; then a recount of every question, as "All Questions" after another sample does.

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "platform/ui/ScreenMetrics.h"
#include "views/StatsDlg.h"

#include <QApplication>

#include <cstdio>

namespace {

// Ends every dialog as soon as it is up: what is measured is what comes before.
class CCloseAtOnce : public IModalRunHook {
public:
    void RunModal(CDialog& dlg) override { dlg.EndDialog(IDCLOSE); }
};

} // namespace

int main(int argc, char** argv)
{
    CBenchHome home;
    QApplication app(argc, argv);
    CorraInstallStringTable();
    InstallPrimaryScreenMetrics();
    if (!home.IsMade())
        return 1;
    CFontMgrInit fonts;
    CCloseAtOnce closer;
    CServiceScope<IModalRunHook> closing(ModalRunSlot(), closer);

    double open[kBenchBankSizeCount] = {};
    double recount[kBenchBankSizeCount] = {};
    for (int k = 0; k < kBenchBankSizeCount; ++k) {
        CBenchDoc bank;
        FillBenchBank(bank, kBenchBankSizes[k]);
        open[k] = 1000 * BestSeconds(
                             [&] {
                                 CStatsDlg dlg;
                                 dlg.SetQuestions(bank.m_plQuestions, nullptr, nullptr);
                                 dlg.DoModal();
                             },
                             3);
        CStatsDlg dlg;
        dlg.SetQuestions(bank.m_plQuestions, nullptr, nullptr);
        dlg.OnInitDialog();
        recount[k] = 1000 * BestSeconds([&] { dlg.Init(bank.m_plQuestions); }, 3);
        std::printf("  %6d questions: open %8.1f ms (%5.1f us/question), recount %8.1f ms\n", kBenchBankSizes[k],
                    open[k], open[k] * 1000 / kBenchBankSizes[k], recount[k]);
    }
    PrintBenchGrowth("Statistics dialog, open", open);
    PrintBenchGrowth("Statistics dialog, recount", recount);
    return 0;
}
