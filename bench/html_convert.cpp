// Converting an exported exam's composition to an HTML page: the 100-question exam and a
// 1,000-question bank composed as the export composes them (each question's HTML form with its
// text, table, form elements and choices), streamed out as RTF and converted. Prints the time of
// each phase and the time per megabyte, which stays the same as the text grows.

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "controls/HVRichEditCtrl.h"
#include "model/HtmlSettings.h"
#include "print/HtmlDraw.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class CTimedDraw : public CHtmlDraw {
public:
    CTimedDraw() : CHtmlDraw(FALSE, "Bench") {}
    std::vector<std::pair<CString, Clock::time_point>> marks;

protected:
    void ShowPhase(LPCSTR text, int nPos) override
    {
        if (text)
            marks.emplace_back(text, Clock::now());
    }
};

// The composition of n questions as the export makes it.
CString Compose(int n)
{
    CHVRichEditCtrl ctrl;
    CHtmlSettings settings(0);
    settings.m_nChoiceTagType = 2;
    CChoicesHtmlStyle style = ChoicesHtmlStyleOf(settings);
    static const unsigned kTypes[] = {IDS_QTYPE_MC, IDS_QTYPE_TF, IDS_QTYPE_ES, IDS_QTYPE_SA, IDS_QTYPE_FI};
    for (int i = 0; i < n; ++i) {
        CCorraQuestion q;
        q.m_nId = i + 1;
        q.m_nType = static_cast<int>(kTypes[i % 5]);
        q.m_cszQuestionText = BenchQuestionRtf(i, 25 + i % 40);
        SetBenchAnswer(q);
        q.OutputHtml(ctrl, CDrawContext::Screen(), CString::Formatted("%d", i + 1), &style);
        // A question's own formatted text beside its form, as the page's body shows it.
        const long end = ctrl.GetTextLength();
        ctrl.SetSel(end, end);
        ctrl.SetText(q.m_cszQuestionText, SF_RTF | SFF_SELECTION);
    }
    CString rtf;
    ctrl.StreamOutText(rtf, SF_RTF);
    return rtf;
}

double Ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int main(int argc, char** argv)
{
    CBenchHome home;
    QApplication app(argc, argv);
    CorraInstallStringTable();
    if (!home.IsMade())
        return 1;
    CFontMgrInit fonts;

    int result = 0;
    for (int n : {100, 1000}) {
        const auto composeStart = Clock::now();
        const CString rtf = Compose(n);
        const double composeMs = Ms(Clock::now() - composeStart);
        double best = 1e300;
        std::vector<double> phases;
        size_t pageBytes = 0;
        for (int round = 0; round < 3; ++round) {
            CTimedDraw draw;
            const auto start = Clock::now();
            CString html;
            if (!draw.Input(rtf) || !draw.Output(html)) {
                std::fprintf(stderr, "conversion of %d questions failed\n", n);
                result = 1;
                break;
            }
            const auto end = Clock::now();
            if (Ms(end - start) < best) {
                best = Ms(end - start);
                phases.clear();
                for (size_t k = 0; k < draw.marks.size(); ++k)
                    phases.push_back(Ms((k + 1 < draw.marks.size() ? draw.marks[k + 1].second : end) - draw.marks[k].second));
                pageBytes = static_cast<size_t>(html.GetLength());
            }
        }
        const double mb = rtf.GetLength() / (1024.0 * 1024.0);
        std::printf("%5d questions: compose %8.1f ms; RTF %7.2f MB -> HTML %7.2f MB in %8.1f ms (%6.1f ms/MB)\n", n,
                    composeMs, mb, pageBytes / (1024.0 * 1024.0), best, best / mb);
        static const char* const kNames[] = {"startup", "tree", "elements", "page"};
        for (size_t k = 0; k < phases.size() && k < 4; ++k)
            std::printf("        %-9s %8.2f ms\n", kNames[k], phases[k]);
    }
    return result;
}
