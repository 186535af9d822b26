// The RTF engine and the font manager from several threads at once: every thread measures,
// draws, reads plain text and echoes the same texts and must get what one thread alone gets.

#include "render/RtfDraw3.h"

#include "foundation/Parse.h"
#include "tests/render/RtfFixture.h"
#include "tests/support/FixedMetricsDC.h"

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using RtfThreadsTest = RtfFixture;

struct Outcome {
    std::vector<int> heights;  // measured, drawn, drawn in a slot's font at a zoom
    std::string texts;         // what the drawing put on the device
    CString plain;
    CString echo;
    std::string tokens;

    bool operator==(const Outcome& o) const
    {
        return heights == o.heights && texts == o.texts && plain == o.plain && echo == o.echo && tokens == o.tokens;
    }
};

Outcome Work(const CString& rtf)
{
    Outcome out;
    for (int width : {60, 140, 400}) {
        CFixedMetricsDC dc;
        CRtfDraw3 draw;
        CRect measure(0, 0, width, 10000);
        out.heights.push_back(draw.DrawRtf(&dc, rtf, &measure, DT_CALCRECT));
        CRect rect(0, 0, width, 10000);
        out.heights.push_back(draw.DrawRtf(&dc, rtf, &rect, 0));
        for (const auto& t : dc.texts)
            out.texts += std::to_string(t.x) + "," + std::to_string(t.y) + " " + t.text.str() + "|";
        CRect slotRect(0, 0, width, 10000);
        out.heights.push_back(CFontMgr::DrawTextInSlotFont(&dc, rtf, -1, &slotRect, DT_CALCRECT, 1, 1.5));
    }
    out.plain = RtfToPlainText(rtf);
    CRtfDraw3 echo;
    echo.EchoRtf(rtf, 1, &out.echo);

    CParse& parse = QuestionTokenizer();
    const char* record = "BEGIN QUESTION TYPE: MC {text} 42";
    LPCSTR cursor = record;
    UINT left = static_cast<UINT>(std::strlen(record));
    for (int id; (id = parse.NextToken(&cursor, &left)) != 0 && left > 0;)
        out.tokens += std::to_string(id) + " ";
    return out;
}

TEST_F(RtfThreadsTest, ManyThreadsGetWhatOneThreadGets)
{
    InstallRtfTextDrawer();  // slot drawing goes through the engine too (the fixture puts it back)
    const CString rtf = Rtf("aaaa {\\b bbbb} cccc\\par dd\\tab eeeee ffff {\\i gg hhhhh} iii jj\\par\\pard kkkk \\'e9l");
    const Outcome alone = Work(rtf);
    ASSERT_EQ(alone.heights.size(), 9u);
    EXPECT_GT(alone.heights[0], alone.heights[6]) << "a narrow rectangle takes more lines";
    EXPECT_FALSE(alone.echo.IsEmpty());

    constexpr int kThreads = 6;
    constexpr int kRounds = 15;
    std::atomic<int> differing{0};
    std::atomic<bool> stop{false};
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t) {
        workers.emplace_back([&] {
            for (int i = 0; i < kRounds; ++i)
                if (!(Work(rtf) == alone))
                    ++differing;
        });
    }
    // Meanwhile this thread reads the slots as a window would.
    int reads = 0;
    std::thread watcher([&] {
        while (!stop.load()) {
            LOGFONT lf;
            CFontMgr::GetSlotLogFont(lf, -1);
            reads += lf.lfHeight == -10 ? 1 : 0;
        }
    });
    for (auto& w : workers)
        w.join();
    stop = true;
    watcher.join();
    EXPECT_EQ(differing.load(), 0);
    EXPECT_GT(reads, 0);
    EXPECT_EQ(CFontMgr::GetDefaultSlot(), 0) << "the temporary default slot of a drawing is put back";
    LOGFONT lf;
    CFontMgr::GetSlotLogFont(lf, 1);
    EXPECT_EQ(lf.lfHeight, -16) << "and so is the zoomed height";
}

} // namespace
