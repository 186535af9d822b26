// Opening a bank of 10,000 questions (varied rich text and subjects, 50 collections) in the two
// panes of a Question Corra frame: reading the file, then filling and laying out both panes in
// small icons; then drawing one screen (1280 x 1024) of the question list into an image: with
// nothing measured yet, again at once, after scrolling a page, and in large icons. Prints
// milliseconds for each.

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/core/FileSys.h"
#include "platform/core/StringTable.h"
#include "platform/ui/ScreenMetrics.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3.h"
#include "render/RtfSyntax.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraPanes.h"
#include "views/ODListCtrl.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

constexpr int kQuestions = 10000;
constexpr int kCollections = 50;

class CBenchDoc : public CCorraDoc {
public:
    CBenchDoc() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
};

void WriteBank(const CString& path)
{
    CBenchDoc doc;
    doc.m_csTitle1 = "Generated bank";
    doc.m_csCorraId = "CID_1_1";
    const UINT types[] = {IDS_QTYPE_MC, IDS_QTYPE_TF, IDS_QTYPE_ES, IDS_QTYPE_SA, IDS_QTYPE_FI};
    const char* subjects[] = {"Cells", "Energy", "Genetics", "Ecology", "Evolution", "Plants", "Animals"};
    for (int i = 1; i <= kQuestions; ++i) {
        auto* q = new CCorraQuestion;
        q->m_nId = i;
        q->m_nIndex = i;
        q->m_nType = static_cast<int>(types[i % 5]);
        // Short and long texts, a quarter of them in 12 points.
        q->m_cszQuestionText = BenchQuestionRtf(i, 6 + (i * 37) % 90, i % 4 == 0 ? 24 : 20);
        SetBenchAnswer(*q);
        q->AddSubject(subjects[i % 7]);
        if (i % 3 == 0)
            q->AddSubject(subjects[(i / 3) % 7]);
        doc.InsertQuestion(q);
    }
    for (int c = 1; c <= kCollections; ++c) {
        CPtrListEx members;
        for (int k = 0; k < 20; ++k)
            members.AddTail(doc.FindQuestionById(1 + (c * 131 + k * 17) % kQuestions));
        doc.GetOrCreateCollection(CString::Formatted("Unit %d", c), &members);
    }
    doc.WriteCorraDoc(path);
}

double Ms(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - start;
    return ms.count();
}

// Draws the list's visible rows into an image of its size, as a paint of the screen would.
double DrawScreen(CODListCtrl& list, QImage& image)
{
    return Ms([&] {
        image.fill(Qt::white);
        QPainter painter(&image);
        list.viewport()->render(&painter);
    });
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

    const CString path = fsys::CreateUniqueTempFile("", "bench", ".crr");
    WriteBank(path);

    CBenchDoc doc;
    const double read = Ms([&] {
        if (doc.ReadCorraDoc(path) != CCorraDoc::readComplete)
            std::fprintf(stderr, "read failed\n");
    });
    std::unique_ptr<CCorraPanes> panes;
    // The upper pane gets a whole screen: 1280 x 1024.
    const double open = Ms([&] { panes = std::make_unique<CCorraPanes>(doc, 1280, 1536); });
    CODListCtrl& list = *panes->upper->GetListCtrl();
    list.resize(1280, 1024);
    QApplication::processEvents();
    QImage image(list.viewport()->size(), QImage::Format_RGB32);

    // Cold: nothing measured or drawn before (the fonts changed), then the same screen again.
    CFontMgr::TouchFonts();
    const double first = DrawScreen(list, image);
    const double again = DrawScreen(list, image);
    list.verticalScrollBar()->setValue(list.verticalScrollBar()->value() + list.verticalScrollBar()->pageStep());
    const double scrolled = DrawScreen(list, image);
    const double scrolledAgain = DrawScreen(list, image);
    const double toLarge = Ms([&] { panes->upper->OnLargeIcon(); });
    const double large = DrawScreen(list, image);
    const double largeAgain = DrawScreen(list, image);

    std::printf("bank of %d questions and %d collections: %d rows above, %d below\n", kQuestions, kCollections,
                list.GetItemCount(), panes->lower->GetListCtrl()->GetItemCount());
    std::printf("read the file                     %8.1f ms\n", read);
    std::printf("fill and lay out both panes       %8.1f ms  (the view's share)\n", open);
    std::printf("open in all                       %8.1f ms\n", read + open);
    std::printf("draw one screen, first            %8.1f ms  (rows measured and drawn)\n", first);
    std::printf("draw one screen, again            %8.1f ms\n", again);
    std::printf("after a page down, first          %8.1f ms\n", scrolled);
    std::printf("after a page down, again          %8.1f ms\n", scrolledAgain);
    std::printf("switch to large icons             %8.1f ms\n", toLarge);
    std::printf("draw one screen in large icons    %8.1f ms, again %.1f ms\n", large, largeAgain);
    panes.reset();
    fsys::DeleteFile(path);
    return 0;
}
