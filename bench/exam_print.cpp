// Printing an exam's forms and their answer keys to PDF through the exam view's commands: exams
// of 100 and 200 questions (80% multiple choice, 10% true/false, 10% essay) with four scrambled
// forms, File > Print (every form) and Print Keys, in milliseconds, best of several runs.
// Usage: bench_exam_print [N]   one exam of N questions, its forms written to exam-N.pdf and its
//                               keys to keys-N.pdf in the current folder

#include "bench/BenchApp.h"
#include "bench/BenchExam.h"
#include "bench/BenchPrint.h"
#include "platform/core/FileSys.h"
#include "platform/core/StringTable.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/ScreenMetrics.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3.h"
#include "res/ids/ExamView.h"
#include "tests/support/CorraPanes.h"
#include "views/ExamView.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kForms = kBenchExamForms;

struct CFigures {
    double forms = 1e9, keys = 1e9;
};

CFigures PrintExam(int nQuestions, const CString& formsPdf, const CString& keysPdf, int nRuns)
{
    CFigures f;
    CBenchExam exam;
    FillBenchExam(exam, nQuestions);
    CCorraPanes panes(exam, 1280, 1024, CCreatable<CView>::Of<CExamView>());
    CCorraView& view = *panes.upper;
    CPdfDialogs dialogs;
    CServiceScope<IPrintDialogService> scope(PrintDialogSlot(), dialogs);
    for (int run = 0; run < nRuns; ++run) {
        dialogs.path = formsPdf;
        f.forms = std::min(f.forms, BenchMs([&] { view.OnCommand(ID_FILE_PRINT); }));
        dialogs.path = keysPdf;
        f.keys = std::min(f.keys, BenchMs([&] { view.OnCommand(ID_EXAM_PRINT_KEYS); }));
    }
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    CPrintBenchApp app(argc, argv);
    if (!app.IsReady())
        return 1;
    CExamDoc::LoadDefaults();

    if (argc > 1) {
        const int n = std::max(std::atoi(argv[1]), 1);
        const CFigures f = PrintExam(n, CString::Formatted("exam-%d.pdf", n), CString::Formatted("keys-%d.pdf", n), 3);
        std::printf("%d questions, %d forms: forms %.1f ms, keys %.1f ms, in all %.1f ms\n", n, kForms, f.forms, f.keys,
                    f.forms + f.keys);
        return 0;
    }
    const CString forms = fsys::CreateUniqueTempFile("", "bench", ".pdf");
    const CString keys = fsys::CreateUniqueTempFile("", "bench", ".pdf");
    double total[2] = {0, 0};
    const int sizes[2] = {100, 200};
    for (int k = 0; k < 2; ++k) {
        const CFigures f = PrintExam(sizes[k], forms, keys, 5);
        total[k] = f.forms + f.keys;
        std::printf("exam of %d questions, %d scrambled forms to PDF\n", sizes[k], kForms);
        std::printf("  the forms              %8.1f ms\n", f.forms);
        std::printf("  their keys             %8.1f ms\n", f.keys);
        std::printf("  in all                 %8.1f ms\n", total[k]);
    }
    std::printf("200 questions take %.2f times 100\n", total[1] / std::max(total[0], 0.001));
    fsys::DeleteFile(forms);
    fsys::DeleteFile(keys);
    return 0;
}
