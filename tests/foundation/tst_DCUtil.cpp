#include "foundation/DCUtil.h"

#include "platform/ui/DC.h"
#include "platform/ui/GdiObjects.h"
#include "tests/support/CorraTest.h"

#include <QImage>

namespace {

using DCUtilTest = CorraTest;

TEST_F(DCUtilTest, ConversionsAtTheScreensResolution)
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

TEST_F(DCUtilTest, UnionUnderTwipsKeepsYUpward)
{
    QImage image(100, 100, QImage::Format_RGB32);
    CDC dc(&image);
    const RECT a{0, -100, 100, -200};
    const RECT b{50, -300, 150, -400};
    RECT out;
    dc.SetMapMode(MM_TWIPS);
    UnionRectTwips(&dc, &out, &a, &b);
    EXPECT_EQ(CRect(out), CRect(0, -100, 150, -400));

    dc.SetMapMode(MM_TEXT);
    const RECT c{0, 10, 20, 30};
    const RECT d{5, 40, 25, 50};
    UnionRectTwips(&dc, &out, &c, &d);
    EXPECT_EQ(CRect(out), CRect(0, 10, 25, 50));
    UnionRectTwips(nullptr, &out, &c, &d);
    EXPECT_EQ(CRect(out), CRect(0, 10, 25, 50));
}

TEST_F(DCUtilTest, PaletteOfIndexedBitmapsOnly)
{
    EXPECT_TRUE(CreateDIBSectionPalette(nullptr).empty());

    QImage indexed(4, 4, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.Attach(indexed));
    std::vector<COLORREF> palette = CreateDIBSectionPalette(&bitmap);
    ASSERT_EQ(palette.size(), 2u);
    EXPECT_EQ(palette[0], RGB(255, 0, 0));
    EXPECT_EQ(palette[1], RGB(0, 0, 255));

    CBitmap truecolor;
    ASSERT_TRUE(truecolor.Attach(QImage(4, 4, QImage::Format_RGB32)));
    EXPECT_TRUE(CreateDIBSectionPalette(&truecolor).empty());
}

} // namespace
