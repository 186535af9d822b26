#include "foundation/ScreenUnits.h"

#include "tests/support/CorraTest.h"

namespace {

using ScreenUnitsTest = CorraTest;

TEST_F(ScreenUnitsTest, ConversionsAtTheScreensResolution)
{
    struct Case {
        int dpiX, dpiY;
        int pixels;       // converted both ways
        int twipsAcross;  // PixelsToTwips(pixels, FALSE)
        int twipsDown;    // PixelsToTwips(pixels, TRUE)
        int fontHeight;   // FontHeightToTwips(-pixels)
    };
    const Case cases[] = {
        {96, 96, 96, 1440, 1440, -1440},
        {96, 96, -16, -240, -240, 240},
        {120, 96, 120, 1440, 1800, -1800},
        {96, 120, 40, 600, 480, -480},
        {96, 96, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        screen.info.nDpiX = c.dpiX;
        screen.info.nDpiY = c.dpiY;
        EXPECT_EQ(GetScreenLogPixels(FALSE), c.dpiX);
        EXPECT_EQ(GetScreenLogPixels(TRUE), c.dpiY);
        EXPECT_EQ(PixelsToTwips(c.pixels, FALSE), c.twipsAcross) << c.pixels;
        EXPECT_EQ(PixelsToTwips(c.pixels, TRUE), c.twipsDown) << c.pixels;
        EXPECT_EQ(TwipsToPixels(c.twipsAcross, FALSE), c.pixels) << c.pixels;
        EXPECT_EQ(TwipsToPixels(c.twipsDown, TRUE), c.pixels) << c.pixels;
        EXPECT_EQ(FontHeightToTwips(-c.pixels), c.fontHeight) << c.pixels;
    }
    screen.info.nBitsPerPixel = 8;
    EXPECT_EQ(GetScreenBitsPerPixel(), 8);
}

} // namespace
