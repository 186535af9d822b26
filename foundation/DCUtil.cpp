#include "foundation/DCUtil.h"

#include "platform/ui/DC.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/ScreenMetrics.h"

#include <QImage>

namespace {

int Scale(int value, int num, int den)
{
    if (den == 0)
        return 0;
    long long v = static_cast<long long>(value) * num / den;
    if (v > 0x7FFFFFFFLL)
        return 0x7FFFFFFF;
    if (v < -0x7FFFFFFFLL)
        return -0x7FFFFFFF;
    return static_cast<int>(v);
}

} // namespace

int GetScreenLogPixels(BOOL vertical)
{
    CScreenInfo info = GetScreenInfo();
    int dpi = vertical ? info.nDpiY : info.nDpiX;
    return dpi > 0 ? dpi : 96;
}

// Asked of the screen service each time: a test or a display change may give another screen.
int GetScreenBitsPerPixel()
{
    return GetScreenInfo().nBitsPerPixel;
}

int FontHeightToTwips(int height)
{
    return Scale(MulDiv(72, height, GetScreenLogPixels(TRUE)), 20, 1);
}

int PixelsToTwips(int value, BOOL vertical)
{
    return Scale(value, 1440, GetScreenLogPixels(vertical));
}

int TwipsToPixels(int value, BOOL vertical)
{
    return Scale(value, GetScreenLogPixels(vertical), 1440);
}

std::vector<COLORREF> CreateDIBSectionPalette(const CBitmap* dibSection)
{
    std::vector<COLORREF> palette;
    if (!dibSection)
        return palette;
    const QImage& image = dibSection->GetImage();
    if (image.isNull() || image.depth() > 8)
        return palette;
    for (QRgb c : image.colorTable())
        palette.push_back(RGB(qRed(c), qGreen(c), qBlue(c)));
    return palette;
}

void UnionRectTwips(const CDC* dc, RECT* out, const RECT* a, const RECT* b)
{
    if (!out || !a || !b)
        return;
    CRect ra(*a), rb(*b);
    const bool twips = dc && dc->GetMapMode() == MM_TWIPS;
    if (twips) {
        ra.top = -ra.top;
        ra.bottom = -ra.bottom;
        rb.top = -rb.top;
        rb.bottom = -rb.bottom;
    }
    CRect u;
    u.UnionRect(ra, rb);
    if (twips) {
        u.top = -u.top;
        u.bottom = -u.bottom;
    }
    *out = u;
}
