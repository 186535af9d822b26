#include "render/Dib.h"

#include "tests/render/ImageFixture.h"
#include "tests/support/FixedMetricsDC.h"

#include "foundation/Log.h"

#include <climits>

namespace {

TEST(GreyLevel, RootMeanSquareWithDeltaHeldToAByte)
{
    const struct {
        int r, g, b, delta, grey;
    } cases[] = {
        {255, 0, 0, 0, 147},     {255, 0, 0, 200, 255}, {0, 0, 0, -5, 0},
        {255, 255, 255, 0, 255}, {100, 100, 100, 10, 110},
        // Any brightness a question carries, however far out.
        {255, 0, 0, INT_MAX, 255}, {255, 255, 255, INT_MIN, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GreyLevel(c.r, c.g, c.b, c.delta), c.grey) << c.r << "," << c.g << "," << c.b << " + " << c.delta;
}

class DibTest : public ImageFixture {};

TEST_F(DibTest, EveryDepthPrintsGrey)
{
    const struct {
        const char* fixture;
        int delta;
        int grey;
    } cases[] = {
        {"red8.bmp", 0, 147},
        {"red8.bmp", 200, 255},
        // Five bits of red read as 248.
        {"red16.bmp", 0, 143},
        {"small.png", -300, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        ASSERT_TRUE(InitDIB(CopyImage(c.fixture, c.fixture)));
        ASSERT_TRUE(AdjustBrightness(c.delta));
        const QImage& dib = GetCurrentDIB();
        for (int y = 0; y < dib.height(); ++y)
            for (int x = 0; x < dib.width(); ++x)
                ASSERT_EQ(dib.pixel(x, y), qRgb(c.grey, c.grey, c.grey)) << x << "," << y;
        FreeDIB();
    }
}

TEST_F(DibTest, DrawsStretchedIntoATwipsRectangle)
{
    ASSERT_TRUE(InitDIB(CopyImage("red8.bmp", "red.BMP")));
    ASSERT_TRUE(AdjustBrightness(0));
    CFixedMetricsDC dc(200, 200);
    dc.SetMapMode(MM_TWIPS);
    // 1440 twips to the inch at 96 pixels: 15 twips a pixel; y grows upward.
    ASSERT_TRUE(DrawDIB(&dc, 150, -150, 450, -300));
    EXPECT_EQ(dc.Image().pixel(10, 10), qRgb(147, 147, 147));
    EXPECT_EQ(dc.Image().pixel(39, 29), qRgb(147, 147, 147));
    EXPECT_EQ(dc.Image().pixel(40, 30), qRgb(255, 255, 255));
    EXPECT_EQ(dc.Image().pixel(9, 9), qRgb(255, 255, 255));

    FreeDIB();
    EXPECT_FALSE(DrawDIB(&dc, 0, 0, 10, 10));
}

TEST_F(DibTest, FailuresAreLoggedWithTheFileName)
{
    const CString cut = WriteHomeFile("cut.bmp", ReadFixture("small24.bmp").substr(0, 60));
    const CString text = WriteHomeFile("text.bmp", "no bitmap here");
    const struct {
        CString file;
        const char* line;
    } cases[] = {
        {HomePath("gone.bmp"), "::InitDIB() - failed to open image file..."},
        {text, "::InitDIB() - failed to make a bitmap of image..."},
        {cut, "::InitDIB() - failed to read the bits of image..."},
        {HomePath("gone.png"), "::InitDIB() - failed to InitDIB2() for image..."},
    };
    for (const auto& c : cases) {
        ResetLogging();
        EXPECT_FALSE(InitDIB(c.file));
        EXPECT_GE(GetLogBuffer().Find(CString(c.line) + c.file), 0) << GetLogBuffer().GetString();
        EXPECT_TRUE(GetCurrentDIB().isNull());
        EXPECT_FALSE(AdjustBrightness(0));
    }
    EXPECT_GE(GetLogBuffer().Find("::AdjustBrightness() - attempt to adjust bitmap with bLegitDraw = FALSE"), 0);
}

} // namespace
