#pragma once
// Unit conversions at the screen's resolution (of the installed screen service).

#include "platform/core/WinTypes.h"

// Logical pixels per inch of the screen, across (LOGPIXELSX) or down (LOGPIXELSY).
int GetScreenLogPixels(BOOL vertical);
// Bits per pixel of the screen.
int GetScreenBitsPerPixel();
// A LOGFONT height (pixels of the screen) in twips: MulDiv(72, height, LOGPIXELSY) * 20.
int FontHeightToTwips(int height);
// value * 1440 / pixels per inch, and back.
int PixelsToTwips(int value, BOOL vertical);
int TwipsToPixels(int value, BOOL vertical);
