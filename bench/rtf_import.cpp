// Throughput of the RTF engine on one imported document of about 4 MB: paragraphs of runs,
// escaped characters, Unicode escapes, a long font table and a picture. A teacher imports whole
// documents like it; every step must stay linear in the document's size. Prints MB/s.

#include "bench/BenchApp.h"
#include "platform/ui/DC.h"
#include "render/RtfDraw3.h"
#include "render/RtfText.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr size_t kDocSize = 4 * 1024 * 1024;

CString MakeDocument()
{
    std::string s = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (int i = 0; i < 200; ++i)
        s += "{\\f" + std::to_string(i) + "\\fswiss\\fprq" + (i ? "2" : "3") + "\\fcharset0 Face " +
             std::to_string(i) + ";}";
    s += "}\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs20 ";
    // A picture of 256 KB of hexadecimal data, in lines as word processors write it.
    s += "{\\pict\\wmetafile8\\picw100\\pich100 ";
    for (int i = 0; i < 256 * 1024; ++i) {
        s += "0123456789abcdef"[(i * 7) % 16];
        if (i % 128 == 127)
            s += "\r\n";
    }
    s += "}";
    for (int i = 0; s.size() < kDocSize; ++i) {
        s += "Which of the following statements about \\b photosynthesis\\b0  is \\i correct\\i0 ? caf\\'e9 ";
        s += "na\\u239?ve {\\b grouped} \\f" + std::to_string(i % 200) + " in another font\\f0\\tab end\\par\r\n";
    }
    s += "}";
    return CString(std::move(s));
}

// Best of three runs, in MB/s of the document.
void Measure(const char* name, const std::function<void()>& run)
{
    double best = 0;
    for (int i = 0; i < 3; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double> secs = std::chrono::steady_clock::now() - start;
        best = std::max(best, (kDocSize / (1024.0 * 1024.0)) / secs.count());
    }
    std::printf("%-36s %10.1f MB/s\n", name, best);
}

} // namespace

int main(int argc, char** argv)
{
    CBenchApp bench(argc, argv);
    if (!bench.IsReady())
        return 1;
    CDC& dc = bench.DC();
    const CString doc = MakeDocument();
    bool ok = true;
    Measure("plain text", [&] { ok = !RtfToPlainText(doc).IsEmpty() && ok; });
    Measure("echo with the document font", [&] {
        CRtfDraw3 draw;
        CString out;
        ok = draw.EchoRtf(doc, 0, &out) && ok;
    });
    Measure("measure height (DT_CALCRECT)", [&] {
        CRect rect(0, 0, 500, 0x7FFFFFF);
        CRtfDraw3 draw;
        draw.DrawRtf(&dc, doc, &rect, DT_CALCRECT);
        ok = draw.GetStatus() == CRtfDraw3::RTF_SUCCESS && ok;
    });
    Measure("strip paragraph marks", [&] {
        CString text = doc;
        StripRtfParagraphMarks(text);
    });
    return ok ? 0 : 1;
}
