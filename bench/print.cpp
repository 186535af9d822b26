// Printing a bank to a PDF file through its question pane, as File > Print does: banks of 100
// and 200 questions made like the sample, the layout of the pages (pagination on the printer's
// page, nothing drawn) and the whole print with its PDF, in milliseconds, best of several runs.
// Usage: bench_print [N]    one bank of N questions, written to print-N.pdf in the current folder

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "bench/BenchPrint.h"
#include "model/CorraDoc.h"
#include "platform/core/FileSys.h"
#include "platform/core/StringTable.h"
#include "platform/ui/DC.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/Print.h"
#include "platform/ui/ScreenMetrics.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3.h"
#include "tests/support/CorraPanes.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

struct CFigures {
    double layout = 1e9, print = 1e9;
    int pages = 0;
};

CFigures PrintBank(int nQuestions, const CString& pdf, int nRuns)
{
    CFigures f;
    CBenchDoc doc;
    FillBenchBank(doc, nQuestions);
    doc.SetModifiedFlag(FALSE);
    CCorraPanes panes(doc, 1280, 1024);
    CCorraView& view = *panes.upper;
    CPdfDialogs dialogs;
    dialogs.path = pdf;
    CServiceScope<IPrintDialogService> scope(PrintDialogSlot(), dialogs);
    for (int run = 0; run < nRuns; ++run) {
        // The layout alone: the job paginated on the printer's page.
        {
            CPrintInfo info;
            info.m_pPD->PrintToPdf(pdf);
            info.m_pPD->ChooseAll();
            CPrinterDC dc(info.m_pPD->GetPrinter());
            dc.StartDoc("layout");
            dc.StartPage();
            view.m_nPrintMode = doc.m_nPrintMode;
            view.OnBeginPrinting(&dc, &info);
            info.m_nCurPage = 1;
            view.OnPrepareDC(&dc, &info);
            info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
            dc.DPtoLP(&info.m_rectDraw);
            view.ApplyMargins(&dc, &info);
            f.layout = std::min(f.layout, BenchMs([&] { view.PaginateDocument(&dc, &info); }));
            dc.EndPage();
            dc.AbortDoc();
            view.OnEndPrinting(&dc, &info);
        }
        // The whole print, as the command runs it.
        f.print = std::min(f.print, BenchMs([&] { view.OnCommand(ID_FILE_PRINT); }));
        f.pages = view.GetLastPageCount();
    }
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    CPrintBenchApp app(argc, argv);
    if (!app.IsReady())
        return 1;

    if (argc > 1) {
        const int n = std::max(std::atoi(argv[1]), 1);
        const CString pdf = CString::Formatted("print-%d.pdf", n);
        const CFigures f = PrintBank(n, pdf, 3);
        std::printf("%d questions: %d pages, layout %.1f ms, print to PDF %.1f ms (%s)\n", n, f.pages, f.layout, f.print,
                    pdf.GetString());
        return 0;
    }
    const CString pdf = fsys::CreateUniqueTempFile("", "bench", ".pdf");
    double total[2] = {0, 0};
    const int sizes[2] = {100, 200};
    for (int k = 0; k < 2; ++k) {
        const CFigures f = PrintBank(sizes[k], pdf, 5);
        total[k] = f.print;
        std::printf("bank of %d questions printed to PDF: %d pages\n", sizes[k], f.pages);
        std::printf("  layout (pagination)    %8.1f ms\n", f.layout);
        std::printf("  drawing and the PDF    %8.1f ms\n", f.print - f.layout);
        std::printf("  print in all           %8.1f ms\n", f.print);
    }
    std::printf("200 questions take %.2f times 100\n", total[1] / std::max(total[0], 0.001));
    fsys::DeleteFile(pdf);
    return 0;
}
