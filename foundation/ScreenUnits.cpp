#include "foundation/ScreenUnits.h"

#include "platform/core/ScreenInfo.h"

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
