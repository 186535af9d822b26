// Opening banks made like the sample (1,000, 10,000 and 50,000 questions) in the two panes of a
// Question Corra frame: reading the file, filling and laying out both panes in small icons,
// drawing one screen (1280 x 1024) of the question list into an image (with nothing measured
// yet, again at once, after a page down, in large icons), closing, and the memory the open bank
// holds. Prints milliseconds for each size and the growth per question; then the Expanded text
// of the smallest bank.
// Usage: bench_corra_view                  all of it
//        bench_corra_view paint PATH       opens a bank and draws its first screen, for profiling
//        bench_corra_view expanded PATH    opens a bank and builds its Expanded text
//        bench_corra_view bank N PATH      writes a bank of N questions to PATH for those two

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "controls/HVRichEditCtrl.h"
#include "model/CorraDoc.h"
#include "platform/core/FileSys.h"
#include "platform/core/StringTable.h"
#include "platform/ui/ScreenMetrics.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3.h"
#include "tests/support/CorraPanes.h"
#include "views/ODListCtrl.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>

namespace {

// The time the process has had a processor, in milliseconds.
double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// Draws the list's visible rows into an image of its size, as a paint of the screen would.
double DrawScreen(CODListCtrl& list, QImage& image)
{
    return ElapsedMs([&] {
        image.fill(Qt::white);
        QPainter painter(&image);
        list.viewport()->render(&painter);
    });
}

// What the Expanded pane leaves to be laid out as it is shown (its scroll bar growing), laid
// out at once.
double LayOutWhole(CHVRichEditCtrl& text)
{
    return ElapsedMs([&] { text.GetLineCount(); });
}

struct COpenFigures {
    double read = 0, open = 0, first = 0, again = 0, scrolled = 0, scrolledAgain = 0, toLarge = 0, large = 0,
           largeAgain = 0, close = 0, residentMiB = 0;
    int rows = 0, collectionRows = 0;
};

COpenFigures OpenBank(const CString& path)
{
    COpenFigures f;
    const double before = ResidentMiB();
    auto doc = std::make_unique<CBenchDoc>();
    f.read = ElapsedMs([&] {
        if (doc->ReadCorraDoc(path) != CCorraDoc::readComplete)
            std::fprintf(stderr, "read failed\n");
    });
    std::unique_ptr<CCorraPanes> panes;
    // The upper pane gets a whole screen: 1280 x 1024.
    f.open = ElapsedMs([&] { panes = std::make_unique<CCorraPanes>(*doc, 1280, 1536); });
    CODListCtrl& list = *panes->upper->GetListCtrl();
    list.resize(1280, 1024);
    QApplication::processEvents();
    QImage image(list.viewport()->size(), QImage::Format_RGB32);

    // Cold: nothing measured or drawn before (the fonts changed), then the same screen again.
    CFontMgr::TouchFonts();
    f.first = DrawScreen(list, image);
    f.again = DrawScreen(list, image);
    f.residentMiB = ResidentMiB() - before;
    list.verticalScrollBar()->setValue(list.verticalScrollBar()->value() + list.verticalScrollBar()->pageStep());
    f.scrolled = DrawScreen(list, image);
    f.scrolledAgain = DrawScreen(list, image);
    f.toLarge = ElapsedMs([&] { panes->upper->OnLargeIcon(); });
    f.large = DrawScreen(list, image);
    f.largeAgain = DrawScreen(list, image);
    f.rows = list.GetItemCount();
    f.collectionRows = panes->lower->GetListCtrl()->GetItemCount();
    f.close = ElapsedMs([&] {
        panes.reset();
        doc.reset();
    });
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

    if (argc > 2 && std::strcmp(argv[1], "paint") == 0) {
        const COpenFigures f = OpenBank(argv[2]);
        std::printf("read %.1f ms, panes %.1f ms, first screen %.1f ms, again %.1f ms\n", f.read, f.open, f.first,
                    f.again);
        return 0;
    }
    if (argc > 3 && std::strcmp(argv[1], "bank") == 0) {
        const long bytes = WriteBenchBank(argv[3], std::atoi(argv[2]));
        std::printf("%s: %.1f MB\n", argv[3], bytes / (1024.0 * 1024.0));
        return bytes > 0 ? 0 : 1;
    }
    if (argc > 2 && std::strcmp(argv[1], "expanded") == 0) {
        CBenchDoc doc;
        if (doc.ReadCorraDoc(argv[2]) != CCorraDoc::readComplete)
            return 1;
        CCorraPanes panes(doc, 1280, 1536);
        // The processor's time beside the wall clock's: on a shared machine the first is steadier.
        double cpu = CpuMs();
        const double ms = ElapsedMs([&] { panes.upper->OnExpanded(); });
        cpu = CpuMs() - cpu;
        std::printf("Expanded %d questions: %.1f ms (processor %.1f ms)\n", doc.GetQuestionCount(), ms, cpu);
        cpu = CpuMs();
        const double rest = LayOutWhole(*panes.upper->GetTextPane());
        std::printf("  then the rest laid out: %.1f ms (processor %.1f ms)\n", rest, CpuMs() - cpu);
        return 0;
    }

    COpenFigures figures[kBenchBankSizeCount];
    CString smallest;
    for (int k = 0; k < kBenchBankSizeCount; ++k) {
        const CString path = fsys::CreateUniqueTempFile("", "bench", ".crr");
        const long bytes = WriteBenchBank(path, kBenchBankSizes[k]);
        const COpenFigures& f = figures[k] = OpenBank(path);
        std::printf("bank of %d questions (%.1f MB enciphered): %d rows above, %d below\n", kBenchBankSizes[k],
                    bytes / (1024.0 * 1024.0), f.rows, f.collectionRows);
        std::printf("  read the file                     %8.1f ms\n", f.read);
        std::printf("  fill and lay out both panes       %8.1f ms  (the view's share)\n", f.open);
        std::printf("  open in all                       %8.1f ms\n", f.read + f.open);
        std::printf("  draw one screen, first            %8.1f ms  (rows measured and drawn)\n", f.first);
        std::printf("  draw one screen, again            %8.1f ms\n", f.again);
        std::printf("  after a page down, first          %8.1f ms\n", f.scrolled);
        std::printf("  after a page down, again          %8.1f ms\n", f.scrolledAgain);
        std::printf("  switch to large icons             %8.1f ms\n", f.toLarge);
        std::printf("  draw one screen in large icons    %8.1f ms, again %.1f ms\n", f.large, f.largeAgain);
        std::printf("  close                             %8.1f ms\n", f.close);
        std::printf("  memory held while open            %8.1f MiB, %.1f KiB a question\n", f.residentMiB,
                    f.residentMiB * 1024.0 / kBenchBankSizes[k]);
        if (k == 0)
            smallest = path;
        else
            fsys::DeleteFile(path);
    }

    std::printf("growth with the bank's size:\n");
    PrintBenchGrowthHeading();
    auto row = [&](const char* what, double COpenFigures::*field) {
        double ms[kBenchBankSizeCount];
        for (int k = 0; k < kBenchBankSizeCount; ++k)
            ms[k] = figures[k].*field;
        PrintBenchGrowth(what, ms);
    };
    row("read the file", &COpenFigures::read);
    row("fill and lay out both panes", &COpenFigures::open);
    row("draw one screen, first", &COpenFigures::first);
    row("close", &COpenFigures::close);
    row("memory held while open (MiB)", &COpenFigures::residentMiB);

    // Expanded: the whole bank formatted into the text pane behind its progress box.
    {
        CBenchDoc doc;
        if (doc.ReadCorraDoc(smallest) == CCorraDoc::readComplete) {
            CCorraPanes panes(doc, 1280, 1536);
            const double ms = ElapsedMs([&] { panes.upper->OnExpanded(); });
            std::printf("Expanded, bank of %d questions: %.1f ms, then the rest laid out: %.1f ms\n",
                        kBenchBankSizes[0], ms, LayOutWhole(*panes.upper->GetTextPane()));
        }
    }
    fsys::DeleteFile(smallest);
    return 0;
}
