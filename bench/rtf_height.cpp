// Measuring the height of 10,000 typical question texts with the RTF engine, on an image device
// context with the real fonts, as a view lays out its questions. Prints texts per second.

#include "bench/BenchApp.h"
#include "bench/BenchBank.h"
#include "platform/ui/DC.h"
#include "render/RtfDraw3.h"
#include "render/RtfText.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kTexts = 10000;

// Question texts as the rich-edit control writes them: a paragraph or two of words with some
// bold, italic, a superscript, an escaped character and a tab.
std::vector<CString> MakeTexts()
{
    std::vector<CString> texts;
    texts.reserve(kTexts);
    for (int i = 0; i < kTexts; ++i)
        texts.push_back(BenchQuestionRtf(i, 25 + i % 40));
    return texts;
}

} // namespace

int main(int argc, char** argv)
{
    CBenchApp bench(argc, argv);
    if (!bench.IsReady())
        return 1;
    int result = 0;
    CDC& dc = bench.DC();
    const std::vector<CString> texts = MakeTexts();

    for (int round = 0; round < 2; ++round) {
        long long total = 0;
        int failures = 0;
        const auto start = std::chrono::steady_clock::now();
        for (const CString& text : texts) {
            CRect rect(0, 0, 500, 100000);
            CRtfDraw3 draw;
            total += draw.DrawRtf(&dc, text, &rect, DT_CALCRECT, nullptr);
            if (draw.GetStatus() != CRtfDraw3::RTF_SUCCESS)
                ++failures;
        }
        const std::chrono::duration<double> secs = std::chrono::steady_clock::now() - start;
        std::printf("measure height of %d texts (%s)   %8.3f s  %10.0f texts/s  %6.1f us/text  (sum %lld, %d failed)\n",
                    kTexts, round ? "warm" : "cold", secs.count(), kTexts / secs.count(),
                    secs.count() * 1e6 / kTexts, total, failures);
        if (failures)
            result = 1;
    }

    const auto start = std::chrono::steady_clock::now();
    size_t chars = 0;
    for (const CString& text : texts)
        chars += RtfToPlainText(text).GetLength();
    const std::chrono::duration<double> secs = std::chrono::steady_clock::now() - start;
    std::printf("plain text of %d texts             %8.3f s  %10.0f texts/s  (%zu characters)\n", kTexts,
                secs.count(), kTexts / secs.count(), chars);
    return result;
}
