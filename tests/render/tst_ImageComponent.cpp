#include "render/ImageComponent.h"

#include "tests/render/ImageFixture.h"

#include "foundation/Log.h"

namespace {

TEST(IsBmpFile, TakesTheExtensionAfterTheLastDotOfTheName)
{
    const struct {
        const char* path;
        BOOL bmp;
    } cases[] = {
        {"/a/pic.bmp", TRUE},  {"/a/PIC.BMP", TRUE},   {"/a/pic.Bmp  ", TRUE}, {"/a/picbmp", FALSE},
        {"/a.bmp/pic", FALSE}, {"/a/pic.bmpx", FALSE}, {"/a/pic.png", FALSE},  {"bmp", FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsBmpFile(c.path), c.bmp) << c.path;
}

class ImageComponentTest : public ImageFixture {};

TEST_F(ImageComponentTest, ReadsOnlyTheAcceptedKindsByContentWithinTheSizeLimits)
{
    const CString pngAsJpg = CopyImage("small.png", "png.jpg");
    const CString tiff = CopyImage("small.tif", "small.tif");
    const CString textAsPng = WriteHomeFile("text.png", "these are words, not pixels\n");
    const CString huge = CopyImage("huge.png", "huge.png");
    std::string jpeg = ReadFixture("small.jpg");
    const CString cutJpeg = WriteHomeFile("cut.jpg", jpeg.substr(0, jpeg.size() - 20));
    const CString pngAsBmp = CopyImage("small.png", "png.bmp");
    const struct {
        CString path;
        BOOL bmpOnly;
        EImageRead result;
        int width;
    } cases[] = {
        {pngAsJpg, FALSE, EImageRead::Ok, 4},
        {tiff, FALSE, EImageRead::Ok, 8},
        {textAsPng, FALSE, EImageRead::BadHeader, 0},
        {huge, FALSE, EImageRead::BadHeader, 0},
        {cutJpeg, FALSE, EImageRead::BadData, 0},
        {pngAsBmp, TRUE, EImageRead::BadHeader, 0},
        {HomePath("missing.png"), FALSE, EImageRead::NoFile, 0},
    };
    for (const auto& c : cases) {
        CImageFileRead read = ReadImageFile(c.path, c.bmpOnly);
        EXPECT_EQ(read.result, c.result) << c.path.GetString() << ": " << read.why.GetString();
        EXPECT_EQ(read.image.width(), c.width) << c.path.GetString();
    }
    EXPECT_GE(ReadImageFile(huge, FALSE).why.Find("100000 x 100000"), 0);
}

TEST_F(ImageComponentTest, FolderAndTransparencyDependOnTheComponentsVersion)
{
    const struct {
        int major, minor;
        std::vector<std::string> calls;
        BOOL transparent;
    } cases[] = {
        {1, 5, {"read /x.png", "convert"}, FALSE},
        {2, 0, {"read /x.png", "convert", "transparent", "colour"}, TRUE},
        {2, 1, {"folder", "read /x.png", "convert", "transparent", "colour"}, TRUE},
        {3, 0, {"folder", "read /x.png", "convert", "transparent", "colour"}, TRUE},
    };
    for (const auto& c : cases) {
        CScriptedImageComponent component;
        component.major = c.major;
        component.minor = c.minor;
        CServiceScope<IImageComponent> scope(ImageComponentSlot(), component);
        CImageDIB dib = GetImageDIB("/x.png");
        EXPECT_EQ(component.calls, c.calls) << c.major << "." << c.minor;
        EXPECT_EQ(dib.bTransparent, c.transparent) << c.major << "." << c.minor;
        EXPECT_EQ(dib.crTransparent, c.transparent ? RGB(1, 2, 3) : 0u);
        EXPECT_EQ(dib.image.size(), QSize(2, 2));
    }
}

TEST_F(ImageComponentTest, FailuresGiveNoImageAndALogLine)
{
    CScriptedImageComponent component;
    CServiceScope<IImageComponent> scope(ImageComponentSlot(), component);
    component.installed = FALSE;
    EXPECT_TRUE(GetImageDIB("/x.png").image.isNull());
    EXPECT_GE(GetLogBuffer().Find("::GetImageDIB() - Pictorin not installed"), 0);
    EXPECT_TRUE(component.calls.empty());

    component.installed = TRUE;
    component.readOk = FALSE;
    EXPECT_TRUE(GetImageDIB("/x.png").image.isNull());
    EXPECT_GE(GetLogBuffer().Find("GetImageDIB() - failed to read file.../x.png"), 0);
}

TEST_F(ImageComponentTest, TheProgramsOwnComponentKeysTheClearColourOfAGif)
{
    const CString gif = CopyImage("trans.gif", "trans.gif");
    CImageDIB dib = GetImageDIB(gif);
    ASSERT_FALSE(dib.image.isNull());
    EXPECT_TRUE(dib.bTransparent);
    EXPECT_EQ(dib.crTransparent, RGB(10, 200, 30));
    EXPECT_FALSE(dib.image.hasAlphaChannel());
    EXPECT_EQ(dib.image.pixel(0, 0), qRgb(10, 200, 30));
    EXPECT_EQ(dib.image.pixel(1, 1), qRgb(0, 0, 0));
}

TEST(KeyTransparency, PicksAColourNoOpaquePixelHas)
{
    // The clear pixel's own colour is taken by an opaque one; half-covered pixels go over white.
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 255, 0));
    image.setPixel(1, 0, qRgba(255, 0, 255, 255));
    image.setPixel(2, 0, qRgba(0, 0, 0, 128));
    COLORREF key = 0;
    ASSERT_TRUE(KeyTransparency(image, key));
    const QRgb keyRgb = qRgb(GetRValue(key), GetGValue(key), GetBValue(key));
    EXPECT_NE(keyRgb, qRgb(255, 0, 255));
    EXPECT_NE(keyRgb, qRgb(127, 127, 127));
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.pixel(0, 0), keyRgb);
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 255));
    EXPECT_EQ(image.pixel(2, 0), qRgb(127, 127, 127));

    QImage opaque(1, 1, QImage::Format_RGB32);
    EXPECT_FALSE(KeyTransparency(opaque, key));
}

} // namespace
