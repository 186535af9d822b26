// Set All Fonts with a size-only change over banks made like the sample at 1,000 and 10,000
// questions: every question text and every choice through the hidden rich-edit control once.
// Milliseconds (best of three runs, each on a fresh bank) and the cost per question.

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "model/DocumentFonts.h"
#include "platform/ui/CharFormat.h"

#include <QApplication>

#include <cstdio>

namespace {

// The answer the dialog gives when only the size of text and choices changes.
class CSizeOnly : public IDocumentFontsDialog {
public:
    BOOL Run(CCorraDoc&, CDocumentFonts& fonts) override
    {
        CFontMgr::GetSlotLogFont(fonts.textFont, FM_QUESTION);
        fonts.textFont.lfHeight = -24;
        fonts.textMask = CFM_SIZE;
        fonts.choicesFont = fonts.textFont;
        fonts.choicesMask = CFM_SIZE;
        return TRUE;
    }
};

} // namespace

int main(int argc, char** argv)
{
    CBenchHome home;
    QApplication app(argc, argv);
    CorraInstallStringTable();
    if (!home.IsMade())
        return 1;
    CFontMgrInit fonts;
    CSizeOnly sizeOnly;
    CServiceScope<IDocumentFontsDialog> scope(DocumentFontsDialogSlot(), sizeOnly);

    const int sizes[] = {1000, 10000};
    double ms[2] = {};
    for (int k = 0; k < 2; ++k) {
        double best = 1e9;
        for (int run = 0; run < 3; ++run) {
            CBenchDoc bank;
            FillBenchBank(bank, sizes[k]);
            best = std::min(best, BestSeconds([&] { bank.SetAllFonts(); }, 1));
        }
        ms[k] = best * 1000;
        std::printf("  Set All Fonts, size only, %6d questions %9.1f ms %8.1f us/question\n", sizes[k], ms[k],
                    ms[k] * 1000 / sizes[k]);
    }
    std::printf("  growth per question 1,000 to 10,000: %.2f us; %.2f of linear\n",
                (ms[1] - ms[0]) * 1000 / (sizes[1] - sizes[0]), ms[1] / (ms[0] * sizes[1] / sizes[0]));
    return 0;
}
