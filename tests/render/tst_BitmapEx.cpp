#include "render/BitmapEx.h"

#include "tests/render/ImageFixture.h"
#include "tests/support/FixedMetricsDC.h"

#include "foundation/Log.h"

#include "platform/ui/ResourceImage.h"

#include "res/ids/Images.h"

#include <QLoggingCategory>

#include <cstdint>

namespace {

class BitmapExTest : public ImageFixture {
protected:
    static QImage Picture(UINT id)
    {
        QImage picture;
        EXPECT_TRUE(LoadResourceImage(id, picture)) << id;
        return picture.convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(BitmapExTest, LoadsFilesOrTheirStandIns)
{
    const struct {
        const char* fixture;  // NULL: a text file
        const char* name;
        BOOL component;
        BOOL result;
        UINT picture;  // 0: the file's own pixels
        QSize size;
        BOOL transparent;
        COLORREF colour;  // the first pixel's, or the component's
    } cases[] = {
        {"small24.bmp", "upper.BMP", FALSE, TRUE, 0, QSize(4, 3), FALSE, RGB(255, 255, 255)},
        {"small.png", "small.png", FALSE, TRUE, IDB_NO_IMAGE_COMPONENT, QSize(), FALSE, 0},
        {nullptr, "corrupt.png", TRUE, FALSE, IDB_BROKEN_IMAGE, QSize(), FALSE, 0},
        {"trans.gif", "trans.gif", TRUE, TRUE, 0, QSize(4, 4), TRUE, RGB(10, 200, 30)},
        {"huge.png", "huge.png", TRUE, FALSE, IDB_BROKEN_IMAGE, QSize(), FALSE, 0},
        {"small.png", "png.bmp", TRUE, FALSE, IDB_BROKEN_IMAGE, QSize(), FALSE, 0},
        {"small.jpg", "small.jpeg", TRUE, TRUE, 0, QSize(8, 8), FALSE, 0},
        {"small.tif", "small.tiff", TRUE, TRUE, 0, QSize(8, 8), FALSE, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ResetLogging();
        if (!c.component)
            RemoveComponent();
        const CString path = c.fixture ? CopyImage(c.fixture, c.name) : WriteHomeFile(c.name, "not a picture\n");
        CBitmapEx bitmap;
        EXPECT_EQ(bitmap.LoadImage(path), c.result);
        EXPECT_EQ(bitmap.IsBroken(), c.picture == IDB_BROKEN_IMAGE);
        EXPECT_EQ(bitmap.GetBrokenFile(), c.picture == IDB_BROKEN_IMAGE ? CString(c.name) : CString());
        if (c.picture) {
            EXPECT_EQ(bitmap.GetImage().convertToFormat(QImage::Format_RGB32), Picture(c.picture));
        } else {
            EXPECT_EQ(bitmap.GetImage().size(), c.size);
            if (c.colour) {
                EXPECT_EQ(bitmap.GetTransparentColor(), c.colour);
            }
        }
        EXPECT_EQ(bitmap.IsTransparent(), c.transparent);
        if (c.picture == IDB_BROKEN_IMAGE) {
            EXPECT_GE(GetLogBuffer().Find(CString("using broken image...") + path), 0);
        }
        ImageComponentSlot().Set(nullptr);
    }
}

TEST_F(BitmapExTest, ResourceStandsInForAFileThatFails)
{
    CBitmapEx bitmap;
    EXPECT_TRUE(bitmap.LoadImage(HomePath("gone.png"), MAKEINTRESOURCE(IDB_NO_IMAGE_COMPONENT)));
    EXPECT_FALSE(bitmap.IsBroken());
    EXPECT_EQ(bitmap.GetImage(), Picture(IDB_NO_IMAGE_COMPONENT));

    CBitmapEx none;
    EXPECT_FALSE(none.LoadImage(nullptr, "#4711"));
    EXPECT_FALSE(none.LoadImage(nullptr, nullptr));
    EXPECT_GE(GetLogBuffer().Find("Assertion failure: !(szFilename==NULL && szResourceName==NULL)"), 0);
}

TEST_F(BitmapExTest, TransparentPixelsLeaveWhatIsBelow)
{
    CBitmapEx bitmap;
    ASSERT_TRUE(bitmap.LoadImage(CopyImage("trans.gif", "trans.gif")));
    CFixedMetricsDC dc(20, 20);
    CRect all(0, 0, 20, 20);
    dc.FillSolidRect(&all, RGB(0, 0, 255));
    // Twice the size: the clear border is two pixels wide on the surface.
    ASSERT_TRUE(bitmap.Draw(&dc, 2, 2, 8, 8));
    EXPECT_EQ(dc.Image().pixel(2, 2), qRgb(0, 0, 255));
    EXPECT_EQ(dc.Image().pixel(4, 4), qRgb(0, 0, 0));
    EXPECT_EQ(dc.Image().pixel(6, 4), qRgb(255, 255, 255));

    // Drawn as a plain bitmap, the clear colour is painted.
    ASSERT_TRUE(bitmap.DrawBitmap(&dc, 12, 12, 4, 4));
    EXPECT_EQ(dc.Image().pixel(12, 12), qRgb(10, 200, 30));
}

// A deterministic sequence for the mutations.
struct CLcg {
    uint32_t state;
    uint32_t Next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

TEST_F(BitmapExTest, MutatedFilesNeverCrashAndCutFilesAreBroken)
{
    // The readers' complaints about every mutant say nothing here.
    QLoggingCategory::setFilterRules("qt.gui.imageio*=false");
    const char* fixtures[] = {"small24.bmp", "small.png", "trans.gif", "small.jpg"};
    CLcg rng{12345};
    for (const char* fixture : fixtures) {
        const std::string original = ReadFixture(fixture);
        const CString name = CString("mutant.") + CString(fixture).Mid(CString(fixture).ReverseFind('.') + 1);
        auto load = [&](const std::string& bytes, CBitmapEx& bitmap) {
            return bitmap.LoadImage(WriteHomeFile(name, bytes));
        };
        // Cut short anywhere before the end of its pixels: the broken picture.
        for (int k = 1; k < 8; ++k) {
            CBitmapEx bitmap;
            EXPECT_FALSE(load(original.substr(0, original.size() * k / 8), bitmap)) << fixture << " cut " << k;
            EXPECT_TRUE(bitmap.IsBroken()) << fixture << " cut " << k;
        }
        // Bytes changed at random: read or broken, never anything else.
        for (int i = 0; i < 200; ++i) {
            std::string bytes = original;
            const int changes = 1 + static_cast<int>(rng.Next() % 4);
            for (int j = 0; j < changes; ++j)
                bytes[rng.Next() % bytes.size()] = static_cast<char>(rng.Next() & 0xFF);
            CBitmapEx bitmap;
            const BOOL ok = load(bytes, bitmap);
            EXPECT_NE(ok, bitmap.IsBroken()) << fixture << " mutant " << i;
            EXPECT_FALSE(bitmap.GetImage().isNull()) << fixture << " mutant " << i;
            EXPECT_LE(bitmap.GetImage().width(), IMAGE_MAX_SIDE) << fixture;
            EXPECT_LE(bitmap.GetImage().height(), IMAGE_MAX_SIDE);
        }
    }
    // Sizes blown up in headers without a checksum: refused before decoding.
    std::string bmp = ReadFixture("small24.bmp");
    bmp.replace(18, 8, std::string("\xA0\x86\x01\x00\xA0\x86\x01\x00", 8));  // 100000 x 100000
    std::string gif = ReadFixture("trans.gif");
    gif.replace(6, 4, std::string("\xFF\xFF\xFF\xFF", 4));
    gif.replace(0x26, 4, std::string("\xFF\xFF\xFF\xFF", 4));
    // Qt's bitmap reader gives no size for such a header at all.
    const struct {
        std::string bytes;
        const char* name;
        const char* why;
    } big[] = {{bmp, "big.bmp", "no image size in the header"}, {gif, "big.gif", "too large (65535 x 65535)"}};
    for (const auto& c : big) {
        ResetLogging();
        CBitmapEx bitmap;
        EXPECT_FALSE(bitmap.LoadImage(WriteHomeFile(c.name, c.bytes))) << c.name;
        EXPECT_GE(GetLogBuffer().Find(c.why), 0) << c.name << GetLogBuffer().GetString();
    }
    QLoggingCategory::setFilterRules(QString());
}

} // namespace
