// Exporting an exam through its view's export: exams of 100 and 200 questions (80% multiple
// choice, 10% true/false, 10% essay) to RTF, one HTML file, one HTML file per question and a
// Word file, in milliseconds, best of several runs. The Word figure leaves the word processor
// out: a converter that only copies the intermediate RTF stands in for it.
// Usage: bench_export [N]   one exam of N questions, its files written to the current folder

#include "bench/BenchExam.h"
#include "bench/BenchPrint.h"
#include "controls/WordConvert.h"
#include "model/HtmlSettings.h"
#include "platform/core/FileSys.h"
#include "print/ExportContext.h"
#include "tests/support/CorraPanes.h"
#include "views/ExamView.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

class CCopyingConverter : public IDocumentConverter {
public:
    BOOL IsInstalled(int) override { return TRUE; }
    BOOL Convert(int, WCType& block, const std::function<bool()>&) override
    {
        return fsys::CopyFile(block.source, block.destination, FALSE);
    }
};

struct CFigures {
    double rtf = 1e9, html = 1e9, pages = 1e9, doc = 1e9;
    int nPages = 0;
    double Total() const { return rtf + html + pages + doc; }
};

CFigures ExportExam(int nQuestions, const CString& folder, int nRuns)
{
    CFigures f;
    CBenchExam exam;
    FillBenchExam(exam, nQuestions);
    CCorraPanes panes(exam, 1280, 1024, CCreatable<CView>::Of<CExamView>());
    CCorraView& view = *panes.upper;
    CCopyingConverter converter;
    CServiceScope<IDocumentConverter> scope(DocumentConverterSlot(), converter);
    const CString pages = fsys::Join(folder, "pages/");
    fsys::CreateDirectories(pages);
    auto run = [&](int nType, const CString& path, int nHtmlMode) {
        CHtmlSettings html;
        html.m_nDivType = nHtmlMode;
        CExportContext ctx;
        ctx.nFileType = nType;
        ctx.nHtmlMode = nHtmlMode;
        ctx.pHtml = &html;
        ctx.csOutputPath = path;
        const double ms = BenchMs([&] {
            if (!view.RunExport(ctx))
                std::printf("  the export to %s failed\n", path.GetString());
        });
        return ms;
    };
    for (int r = 0; r < nRuns; ++r) {
        f.rtf = std::min(f.rtf, run(FT_RTF, fsys::Join(folder, "exam.rtf"), 1));
        f.nPages = view.GetLastExportPageCount();
        f.html = std::min(f.html, run(FT_HTML, fsys::Join(folder, "exam.htm"), 1));
        f.pages = std::min(f.pages, run(FT_HTML, pages, HTML_FILE_PER_PAGE));
        f.doc = std::min(f.doc, run(FT_WORD, fsys::Join(folder, "exam.doc"), 1));
    }
    return f;
}

void Print(int nQuestions, const CFigures& f)
{
    std::printf("exam of %d questions (%d pages)\n", nQuestions, f.nPages);
    std::printf("  RTF                    %8.1f ms\n", f.rtf);
    std::printf("  one HTML file          %8.1f ms\n", f.html);
    std::printf("  an HTML file a page    %8.1f ms\n", f.pages);
    std::printf("  Word, converter apart  %8.1f ms\n", f.doc);
    std::printf("  in all                 %8.1f ms\n", f.Total());
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
        Print(n, ExportExam(n, ".", 3));
        return 0;
    }
    const CString folder = fsys::Join(fsys::TempDirectory(), "corra-bench-export");
    fsys::CreateDirectories(folder);
    double total[2] = {0, 0};
    const int sizes[2] = {100, 200};
    for (int k = 0; k < 2; ++k) {
        const CFigures f = ExportExam(sizes[k], folder, 5);
        total[k] = f.Total();
        Print(sizes[k], f);
    }
    std::printf("200 questions take %.2f times 100\n", total[1] / std::max(total[0], 0.001));
    fsys::DeleteTree(folder);
    return 0;
}
