#include "platform/ui/DC.h"

#include "platform/ui/QtString.h"
#include "platform/ui/ScreenMetrics.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FixedMetricsDC.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <climits>

namespace {

LOGFONT MakeLogFont(LONG height, const char* face = "Arial", LONG weight = FW_NORMAL)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWeight = weight;
    SetLogFontFaceName(lf, face);
    return lf;
}

// Creates a font of the height and selects it.
void UseFont(CDC& dc, CFont& font, LONG height)
{
    LOGFONT lf = MakeLogFont(height);
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
}

class DCTest : public CorraTest {};

// Fixed metrics, font height -10 in MM_TEXT: glyphs 5 wide, lines 10 high.
struct DrawTextCase {
    const char* name;
    const char* text;
    UINT format;
    int width;     // of the rectangle, which starts at (10, 20)
    int right;     // expected after DT_CALCRECT
    int bottom;
    int height;    // expected result
};

const DrawTextCase kDrawTextCases[] = {
    {"one line fits", "abc def", DT_WORDBREAK, 100, 45, 30, 10},
    {"exact width still fits", "abc def", DT_WORDBREAK, 35, 45, 30, 10},
    {"one unit short breaks", "abc def", DT_WORDBREAK, 34, 25, 40, 20},
    {"blanks at the break are dropped", "abc    def", DT_WORDBREAK, 20, 25, 40, 20},
    {"leading blanks are kept", "  abc", DT_WORDBREAK, 100, 35, 30, 10},
    {"long word stands alone and widens", "abcdefgh ij", DT_WORDBREAK, 20, 50, 40, 20},
    {"three lines", "aa bb cc", DT_WORDBREAK, 10, 20, 50, 30},
    {"line feeds break without word break", "a\nbcd", 0, 100, 25, 40, 20},
    {"cr lf and an empty line", "a\r\n\r\nb", DT_WORDBREAK, 100, 15, 50, 30},
    {"a line break at the end adds no line", "ab\r\n", DT_WORDBREAK, 100, 20, 30, 10},
    {"two line breaks at the end add one", "ab\n\n", 0, 100, 20, 40, 20},
    {"single line ignores breaks", "a\nb", DT_SINGLELINE, 100, 25, 30, 10},
    {"no word break keeps a long line", "abc def", 0, 10, 45, 30, 10},
    {"prefix marks are removed", "a&&b&c", DT_SINGLELINE, 100, 30, 30, 10},
    {"no prefix keeps them", "a&&b&c", DT_SINGLELINE | DT_NOPREFIX, 100, 40, 30, 10},
    {"tabs expand to eight glyphs", "a\tb", DT_SINGLELINE | DT_EXPANDTABS, 100, 55, 30, 10},
    {"end ellipsis cuts to the width", "abcdefgh", DT_SINGLELINE | DT_END_ELLIPSIS, 30, 40, 30, 10},
    {"empty text", "", DT_WORDBREAK, 100, 10, 20, 0},
};

} // namespace

TEST_F(DCTest, PathEllipsisKeepsTheLastName)
{
    // Glyphs 5 wide: a width of 100 holds 20 characters.
    struct Case {
        const char* text;
        int width;
        const char* shown;
    } cases[] = {
        {"/home/t/Banks/Physics.crr", 200, "/home/t/Banks/Physics.crr"},
        {"/home/t/Banks/Physics.crr", 100, "/home.../Physics.crr"},
        {"QCorras\\Shared\\Grade 10", 80, "QCor...\\Grade 10"},
        {"/home/t/Banks/Physics.crr", 60, "...Physics.c"},
        {"NoFolderAtAll", 30, "NoF..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CFixedMetricsDC dc;
        CFont font;
        UseFont(dc, font, -10);
        CRect rc(0, 0, c.width, 10);
        dc.DrawText(c.text, -1, &rc, DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);
        ASSERT_EQ(dc.texts.size(), 1u);
        EXPECT_EQ(dc.texts[0].text, c.shown);
    }
}

TEST_F(DCTest, DrawTextCalcRectTable)
{
    for (const DrawTextCase& c : kDrawTextCases) {
        SCOPED_TRACE(c.name);
        CFixedMetricsDC dc;
        CFont font;
        UseFont(dc, font, -10);
        CRect rc(10, 20, 10 + c.width, 25);
        const int height = dc.DrawText(c.text, -1, &rc, c.format | DT_CALCRECT);
        EXPECT_EQ(height, c.height);
        EXPECT_EQ(rc, CRect(10, 20, c.right, c.bottom));
        EXPECT_TRUE(dc.texts.empty()) << "measuring draws nothing";
    }
}

TEST_F(DCTest, DrawTextPlacesLinesByAlignment)
{
    // "abc de" is 30 wide: in 25 it breaks into "abc" (15) and "de" (10).
    struct Case {
        UINT format;
        int x1, x2;
    } cases[] = {
        {DT_WORDBREAK, 0, 0},
        {DT_WORDBREAK | DT_CENTER, 5, 7},
        {DT_WORDBREAK | DT_RIGHT, 10, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        CFixedMetricsDC dc;
        CFont font;
        UseFont(dc, font, -10);
        CRect rc(0, 0, 25, 100);
        EXPECT_EQ(dc.DrawText("abc de", -1, &rc, c.format), 20);
        EXPECT_EQ(rc, CRect(0, 0, 25, 100)) << "drawing leaves the rectangle alone";
        ASSERT_EQ(dc.texts.size(), 2u);
        EXPECT_EQ(dc.texts[0].text, "abc");
        EXPECT_EQ(dc.texts[1].text, "de");
        EXPECT_EQ(dc.texts[0].x, c.x1);
        EXPECT_EQ(dc.texts[1].x, c.x2);
        EXPECT_EQ(dc.texts[0].y, 0);
        EXPECT_EQ(dc.texts[1].y, 10);
    }

    // One line placed against the middle and the bottom of the rectangle.
    CFixedMetricsDC dc;
    CFont font;
    UseFont(dc, font, -10);
    CRect rc(0, 0, 100, 40);
    dc.DrawText("x", -1, &rc, DT_SINGLELINE | DT_VCENTER);
    dc.DrawText("x", -1, &rc, DT_SINGLELINE | DT_BOTTOM);
    ASSERT_EQ(dc.texts.size(), 2u);
    EXPECT_EQ(dc.texts[0].y, 15);
    EXPECT_EQ(dc.texts[1].y, 30);
}

TEST_F(DCTest, DrawTextUnderTwipsGoesDownward)
{
    // 1440 pixels per inch: one twip is one device pixel, and y grows upward.
    CFixedMetricsDC dc(2000, 2000, 1440);
    dc.SetMapMode(MM_TWIPS);
    CFont font;
    UseFont(dc, font, -200);
    TEXTMETRIC tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, 200);
    EXPECT_EQ(tm.tmAscent, 160);
    EXPECT_EQ(tm.tmAveCharWidth, 100);

    CRect rc(100, -100, 500, -2000);
    EXPECT_EQ(dc.DrawText("ab cd", -1, &rc, DT_WORDBREAK | DT_CALCRECT), -400);
    EXPECT_EQ(rc, CRect(100, -100, 300, -500));

    rc = CRect(100, -100, 600, -2000);
    EXPECT_EQ(dc.DrawText("ab cd ef", -1, &rc, DT_WORDBREAK), -400);
    ASSERT_EQ(dc.texts.size(), 2u);
    EXPECT_EQ(dc.texts[0].y, -100);
    EXPECT_EQ(dc.texts[1].y, -300);
    EXPECT_EQ(dc.texts[1].text, "ef");
}

TEST_F(DCTest, DrawTextInRectanglesAtTheEdgesOfTheIntRange)
{
    // "abc de" is 30 wide, "abc" 15; a rectangle as wide as the int range holds it on one line.
    struct Case {
        const char* name;
        CRect rc;
        UINT format;
        int x;          // of the first piece drawn
        int y;
        size_t lines;
        int lastY;      // of the last piece
    } cases[] = {
        {"widest rectangle", CRect(INT_MIN, 0, INT_MAX, 100), DT_WORDBREAK, INT_MIN, 0, 1, 0},
        {"centred in it", CRect(INT_MIN, 0, INT_MAX, 100), DT_WORDBREAK | DT_CENTER, -16, 0, 1, 0},
        {"right against its end", CRect(INT_MIN, 0, INT_MAX, 100), DT_WORDBREAK | DT_RIGHT, INT_MAX - 30, 0, 1, 0},
        {"from the far left", CRect(INT_MIN, 0, 100, 100), DT_WORDBREAK | DT_RIGHT, 70, 0, 1, 0},
        {"tallest, centred down", CRect(0, INT_MIN, 100, INT_MAX), DT_SINGLELINE | DT_VCENTER, 0, -6, 1, -6},
        {"tallest, at the bottom", CRect(0, INT_MIN, 100, INT_MAX), DT_SINGLELINE | DT_BOTTOM, 0, INT_MAX - 10, 1,
         INT_MAX - 10},
        {"inverted", CRect(INT_MAX, 0, INT_MIN, 100), DT_WORDBREAK, INT_MAX, 0, 2, 10},
        {"lines past the end stay at it", CRect(0, INT_MAX - 5, 20, INT_MAX), DT_WORDBREAK | DT_NOCLIP, 0,
         INT_MAX - 5, 2, INT_MAX},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CFixedMetricsDC dc;
        CFont font;
        UseFont(dc, font, -10);
        CRect rc = c.rc;
        dc.DrawText("abc de", -1, &rc, c.format);
        ASSERT_EQ(dc.texts.size(), c.lines);
        EXPECT_EQ(dc.texts[0].x, c.x);
        EXPECT_EQ(dc.texts[0].y, c.y);
        EXPECT_EQ(dc.texts.back().y, c.lastY);
    }

    CFixedMetricsDC dc;
    CFont font;
    UseFont(dc, font, -10);
    CRect rc(INT_MAX - 10, INT_MAX - 5, INT_MAX, INT_MAX);
    dc.DrawText("abc\nde", -1, &rc, DT_CALCRECT);
    EXPECT_EQ(rc, CRect(INT_MAX - 10, INT_MAX - 5, INT_MAX, INT_MAX)) << "the calculated edges stop at the range";
}

TEST_F(DCTest, PositionsFarOutOfRangeStopAtTheEdge)
{
    CFixedMetricsDC dc(100, 100, 96);
    dc.SetViewportOrg(100, -100);
    POINT pts[2] = {{INT_MAX - 10, INT_MIN + 10}, {5, 5}};
    dc.LPtoDP(pts, 2);
    EXPECT_EQ(pts[0].x, INT_MAX);
    EXPECT_EQ(pts[0].y, INT_MIN);
    EXPECT_EQ(pts[1].x, 105);
    EXPECT_EQ(pts[1].y, -95);

    // A twip is a fifteenth of a pixel here: a far device point has no logical twin.
    dc.SetMapMode(MM_TWIPS);
    dc.SetViewportOrg(0, 0);
    POINT far{INT_MAX / 2, INT_MIN / 2};
    dc.DPtoLP(&far);
    EXPECT_EQ(far.x, INT_MAX);
    EXPECT_EQ(far.y, INT_MAX);

    // The current position of text output stops at the edge too.
    dc.SetMapMode(MM_TEXT);
    CFont font;
    UseFont(dc, font, -10);
    dc.SetTextAlign(TA_UPDATECP);
    dc.MoveTo(INT_MAX - 5, 0);
    dc.TextOut(0, 0, "abc");
    EXPECT_EQ(dc.GetCurrentPosition().x, INT_MAX);
    ASSERT_EQ(dc.texts.size(), 1u);
    EXPECT_EQ(dc.texts[0].x, INT_MAX - 5);
}

TEST_F(DCTest, FontHeightsBeyondAnyDeviceAreHeld)
{
    CFixedMetricsDC dc;
    for (LONG height : {LONG(-2000000000), LONG(2000000000), LONG(INT_MIN)}) {
        SCOPED_TRACE(height);
        CFont font;
        UseFont(dc, font, height);
        TEXTMETRIC tm;
        ASSERT_TRUE(dc.GetTextMetrics(&tm));
        EXPECT_EQ(tm.tmHeight, 32767);
        CRect rc(0, 0, 100, 100);
        dc.DrawText("a", -1, &rc, 0);
    }
}

namespace {

// Counts the characters measured, to see how the work grows with the text.
class CCountingDC : public CFixedMetricsDC {
public:
    mutable long long measured = 0;

protected:
    double MeasureText(const QFont& font, const QString& text) const override
    {
        measured += text.size();
        return CFixedMetricsDC::MeasureText(font, text);
    }
};

} // namespace

TEST_F(DCTest, LongLinesAreLaidOutWithoutMeasuringThemOverAndOver)
{
    // 12000 words (a tab parts words too), glyphs 5 wide, in 1000: lines of 200 glyphs, fewer
    // where tabs expand; or one line, or one cut with an ellipsis.
    std::string text;
    for (int i = 0; i < 8000; ++i)
        text += (i % 2) ? "ab " : "c\td ";
    struct Case {
        UINT format;
        int width;
        size_t lines;
    } cases[] = {
        {DT_WORDBREAK, 1000, 140},
        {DT_WORDBREAK | DT_EXPANDTABS, 1000, 161},
        {DT_WORDBREAK, INT_MAX, 1},
        {DT_SINGLELINE | DT_END_ELLIPSIS, 1000, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        CCountingDC dc;
        CFont font;
        UseFont(dc, font, -10);
        CRect rc(0, 0, c.width, 0);
        const int height = dc.DrawText(text.c_str(), -1, &rc, c.format | DT_CALCRECT);
        EXPECT_EQ(height, static_cast<int>(c.lines) * 10);
        EXPECT_LE(rc.Width(), c.width);
        EXPECT_LT(dc.measured, 20LL * static_cast<long long>(text.size()));
    }
}

TEST_F(DCTest, TwipsDrawUprightTextAtTheMappedPosition)
{
    QImage image(400, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(96 / 0.0254));
    image.setDotsPerMeterY(qRound(96 / 0.0254));
    {
        CDC dc(&image);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 96);
        dc.SetMapMode(MM_TWIPS);
        CFont font;
        UseFont(dc, font, -720);  // 36 points: 48 pixels
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(0, 0, 0));
        POINT at{720, -300};
        dc.LPtoDP(&at, 1);
        EXPECT_EQ(at.x, 48);
        EXPECT_EQ(at.y, 20);
        dc.TextOut(720, -300, "T");
    }
    // The ink's bounding box and the row holding most ink.
    int top = -1, bottom = -1, left = 400, right = -1, widestRow = -1, widest = 0;
    for (int y = 0; y < image.height(); ++y) {
        int count = 0;
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                ++count;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        if (count) {
            if (top < 0)
                top = y;
            bottom = y;
        }
        if (count > widest) {
            widest = count;
            widestRow = y;
        }
    }
    ASSERT_GE(top, 0) << "nothing drawn";
    // The glyph hangs below the mapped point, inside the 48-pixel cell.
    EXPECT_GE(top, 20);
    EXPECT_LE(bottom, 20 + 60);
    EXPECT_GE(left, 46);
    EXPECT_LE(right, 48 + 40);
    // Upright: the bar of the T is at the top of the glyph.
    EXPECT_LE(widestRow, top + (bottom - top) / 4);
}

TEST_F(DCTest, RestoreDCBringsBackFontColoursMappingAndClip)
{
    CFixedMetricsDC dc(200, 200, 96);
    CFont small, large;
    LOGFONT lfSmall = MakeLogFont(-10);
    LOGFONT lfLarge = MakeLogFont(-30, "Times New Roman", FW_BOLD);
    small.CreateFontIndirect(&lfSmall);
    large.CreateFontIndirect(&lfLarge);
    dc.SelectObject(&small);
    dc.SetTextColor(RGB(255, 0, 0));
    dc.SetBkColor(RGB(0, 255, 0));
    dc.SetBkMode(TRANSPARENT);
    dc.SetWindowOrg(-5, -5);
    TEXTMETRIC before;
    dc.GetTextMetrics(&before);
    POINT ptBefore{10, 10};
    dc.LPtoDP(&ptBefore, 1);

    const int level = dc.SaveDC();
    EXPECT_EQ(level, 1);
    dc.SelectObject(&large);
    dc.SetTextColor(RGB(0, 0, 255));
    dc.SetBkColor(RGB(1, 2, 3));
    dc.SetBkMode(OPAQUE);
    dc.SetMapMode(MM_TWIPS);
    dc.SetViewportOrg(50, 50);
    dc.IntersectClipRect(0, 0, 15, -15);  // one device pixel
    EXPECT_EQ(dc.SaveDC(), 2);
    dc.SetTextColor(RGB(9, 9, 9));

    EXPECT_FALSE(dc.RestoreDC(3));
    EXPECT_TRUE(dc.RestoreDC(1));  // drops level 2 too
    EXPECT_FALSE(dc.RestoreDC(-1));

    EXPECT_EQ(dc.GetCurrentFont(), &small);
    EXPECT_EQ(dc.GetCurrentLogFont().lfHeight, -10);
    EXPECT_EQ(dc.GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetBkColor(), RGB(0, 255, 0));
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    TEXTMETRIC after;
    dc.GetTextMetrics(&after);
    EXPECT_EQ(after.tmHeight, before.tmHeight);
    EXPECT_EQ(after.tmAveCharWidth, before.tmAveCharWidth);
    POINT ptAfter{10, 10};
    dc.LPtoDP(&ptAfter, 1);
    EXPECT_EQ(ptAfter.x, ptBefore.x);
    EXPECT_EQ(ptAfter.y, ptBefore.y);
    EXPECT_EQ(ptAfter.x, 15);

    // The clip of the dropped level is gone: a fill reaches the whole surface.
    dc.FillSolidRect(-5, -5, 200, 200, RGB(10, 20, 30));
    EXPECT_EQ(dc.GetPixel(100, 100), RGB(10, 20, 30));
    EXPECT_EQ(dc.GetBkColor(), RGB(10, 20, 30)) << "a solid fill leaves its colour as background";
}

TEST_F(DCTest, ClipRectLimitsDrawingAndReportsTheBox)
{
    CFixedMetricsDC dc(100, 100, 96);
    dc.IntersectClipRect(10, 10, 20, 20);
    CRect box;
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(10, 10, 20, 20));
    dc.FillSolidRect(0, 0, 100, 100, RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(15, 15), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(25, 15), RGB(255, 255, 255));
    dc.SelectClipRgn(nullptr);
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(0, 0, 100, 100));
}

TEST_F(DCTest, MappingConvertsBothWays)
{
    CFixedMetricsDC dc(100, 100, 96);
    dc.SetMapMode(MM_TWIPS);
    dc.SetViewportOrg(10, 5);
    POINT pts[2] = {{1440, -1440}, {-720, 720}};
    dc.LPtoDP(pts, 2);
    EXPECT_EQ(pts[0].x, 106);
    EXPECT_EQ(pts[0].y, 101);
    EXPECT_EQ(pts[1].x, -38);
    EXPECT_EQ(pts[1].y, -43);
    dc.DPtoLP(pts, 2);
    EXPECT_EQ(pts[0].x, 1440);
    EXPECT_EQ(pts[0].y, -1440);
    CSize size(96, 48);
    dc.DPtoLP(&size);
    EXPECT_EQ(size, CSize(1440, 720)) << "sizes keep their sign";
}

TEST_F(DCTest, ScreenCapsComeFromTheScreenService)
{
    screen.info = CScreenInfo{800, 600, 8, 120, 120};
    CWindowDC dc(nullptr);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 800);
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 600);
    EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), 8);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 120);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 120);
    EXPECT_EQ(dc.GetDeviceCaps(PLANES), 1);
    EXPECT_EQ(dc.GetDeviceCaps(NUMCOLORS), 256);
    EXPECT_TRUE(dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALOFFSETX), 0);
    EXPECT_FALSE(dc.CanDraw());

    // A point font takes the screen's resolution: 12 points at 120 dpi are 20 pixels.
    CFont font;
    font.CreatePointFont(120, "Arial", &dc);
    EXPECT_EQ(font.LogFont().lfHeight, -20);
}

TEST_F(DCTest, PrinterCapsDescribePageAndPaper)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(ToQString(HomePath("out.pdf")));
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setPageMargins(QMarginsF(0.25, 0.5, 0.25, 0.5), QPageLayout::Inch);
    CPrinterDC dc(&printer);
    EXPECT_TRUE(dc.IsPrinting());
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 600);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALWIDTH), 5100);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALHEIGHT), 6600);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALOFFSETX), 150);
    EXPECT_EQ(dc.GetDeviceCaps(PHYSICALOFFSETY), 300);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 4800);
    EXPECT_EQ(dc.GetDeviceCaps(VERTRES), 6000);
    EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);

    ASSERT_GT(dc.StartDoc("Test"), 0);
    ASSERT_GT(dc.StartPage(), 0);
    dc.SetMapMode(MM_TWIPS);
    dc.TextOut(1440, -1440, "Page one");
    EXPECT_GT(dc.EndPage(), 0);
    ASSERT_GT(dc.StartPage(), 0);
    EXPECT_GT(dc.EndPage(), 0);
    EXPECT_GT(dc.EndDoc(), 0);
    EXPECT_GT(QFileInfo(ToQString(HomePath("out.pdf"))).size(), 0);
}

TEST_F(DCTest, MemoryDCBlitsIntoAnImage)
{
    CFixedMetricsDC target(50, 50, 96);
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(&target));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&target, 10, 10));
    CBitmap* old = mem.SelectObject(&bitmap);
    EXPECT_EQ(old, nullptr);
    mem.FillSolidRect(0, 0, 10, 10, RGB(200, 0, 0));
    EXPECT_TRUE(target.BitBlt(5, 5, 10, 10, &mem, 0, 0, SRCCOPY));
    EXPECT_EQ(target.GetPixel(5, 5), RGB(200, 0, 0));
    EXPECT_EQ(target.GetPixel(14, 14), RGB(200, 0, 0));
    EXPECT_EQ(target.GetPixel(15, 15), RGB(255, 255, 255));
}

TEST_F(DCTest, BorrowedPainterKeepsItsClipAndGetsItsStateBack)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setClipRect(QRect(0, 0, 20, 40));
    painter.setPen(QPen(Qt::green));
    {
        CDC dc(&painter);
        EXPECT_TRUE(dc.CanDraw());
        dc.FillSolidRect(0, 0, 40, 40, RGB(0, 0, 255));
        dc.SelectClipRgn(nullptr);  // removes the DC's own clip, not the painter's
        dc.FillSolidRect(0, 0, 40, 10, RGB(255, 0, 0));
    }
    EXPECT_EQ(painter.pen().color(), QColor(Qt::green));
    EXPECT_EQ(painter.clipBoundingRect().toRect(), QRect(0, 0, 20, 40));
    painter.end();
    EXPECT_EQ(image.pixelColor(5, 20), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(5, 5), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(30, 20), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(30, 5), QColor(Qt::white));
}
