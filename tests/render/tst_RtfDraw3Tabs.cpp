// Tabs, cells and paragraph indents in the RTF engine: a tab goes to the next stop as the
// rich-edit control puts it (the hanging indent, then every \deftab, else every half inch), a
// cell ends with a gap, and what is measured is what is drawn.

#include "render/RtfDraw3.h"

#include "tests/render/RtfFixture.h"
#include "tests/support/FixedMetricsDC.h"

#include <string>

namespace {

class RtfDraw3TabsTest : public RtfFixture {
protected:
    struct Result {
        int height = 0;
        int measured = 0;
        std::string texts;  // "x,y text|..." in drawing order
    };

    static Result Draw(const CString& rtf, int width, int mapMode = MM_TEXT)
    {
        Result r;
        for (bool measure : {true, false}) {
            CFixedMetricsDC dc;
            dc.SetMapMode(mapMode);
            CRtfDraw3 draw;
            CRect rect(0, 0, width, mapMode == MM_TEXT ? 1000 : -15000);
            const int used = draw.DrawRtf(&dc, rtf, &rect, measure ? DT_CALCRECT : 0);
            EXPECT_EQ(draw.GetStatus(), CRtfDraw3::RTF_SUCCESS);
            (measure ? r.measured : r.height) = used;
            for (const auto& t : dc.texts) {
                if (!r.texts.empty())
                    r.texts += '|';
                r.texts += std::to_string(t.x) + "," + std::to_string(t.y) + " " + t.text.str();
            }
        }
        return r;
    }
};

// At 96 pixels an inch a half-inch stop lies at 48; glyphs are 5 wide, lines 10 high.
TEST_F(RtfDraw3TabsTest, TabsGoToTheNextStop)
{
    struct Case {
        const char* name;
        CString rtf;
        int width;
        const char* texts;
    } cases[] = {
        {"a tab after a label", Rtf("A.\\tab text"), 1000, "0,0 A.|48,0 text"},
        {"two tabs", Rtf("A.\\tab\\tab text"), 1000, "0,0 A.|96,0 text"},
        {"past the first stop", Rtf("abcdefghij\\tab x"), 1000, "0,0 abcdefghij|96,0 x"},
        {"the hanging indent is the first stop", Rtf("\\fi-360\\li360 A.\\tab text"), 1000, "0,0 A.|24,0 text"},
        {"wrapped lines start at the indent", Rtf("\\fi-360\\li360 A.\\tab aaaa bbbb cccc"), 75,
         "0,0 A.|24,0 aaaa|49,0 bbbb|24,10 cccc"},
        {"every paragraph's first line hangs", Rtf("\\fi-360\\li360 A.\\tab x\\par B.\\tab y"), 1000,
         "0,0 A.|24,0 x|0,10 B.|24,10 y"},
        {"a line break stays in the paragraph", Rtf("\\fi-360\\li360 A.\\tab x\\line y"), 1000,
         "0,0 A.|24,0 x|24,10 y"},
        {"\\pard ends the indent", Rtf("\\li360 a\\par\\pard b"), 1000, "24,0 a|0,10 b"},
        {"\\deftab in the header",
         "{\\rtf1\\ansi\\deff0\\deftab360{\\fonttbl{\\f0\\froman\\fprq3 Times New Roman;}}\\f0 A.\\tab text\\tab x}", 1000,
         "0,0 A.|24,0 text|48,0 x"},
        {"a cell ends with a gap", Rtf("one\\cell two\\cell\\row three"), 1000, "0,0 one|29,0 two|0,10 three"},
        {"a tab that does not fit ends the line", Rtf("aaaaaaaa\\tab b"), 45, "0,0 aaaaaaaa|0,10 b"},
    };
    for (const Case& c : cases) {
        const Result r = Draw(c.rtf, c.width);
        EXPECT_EQ(r.texts, c.texts) << c.name;
        EXPECT_EQ(r.measured, r.height) << c.name;
    }
}

TEST_F(RtfDraw3TabsTest, StopsAreTwipsOnPaper)
{
    const Result r = Draw(Rtf("A.\\tab text"), 12000, MM_TWIPS);
    EXPECT_NE(r.texts.find("|720,"), std::string::npos) << r.texts;
    EXPECT_EQ(r.measured, r.height);
}

TEST_F(RtfDraw3TabsTest, PlainTextKeepsTabsAndCells)
{
    EXPECT_EQ(RtfToPlainText(Rtf("\\fi-360\\li360 A.\\tab text\\par one\\cell two")), CString("A.\ttext\none\ttwo"));
}

} // namespace
