#pragma once
// Screen, device-context and geometry helpers: unit conversions at the screen's resolution, the
// union of rectangles under MM_TWIPS and the colour table of a bitmap.

#include "platform/core/WinTypes.h"

#include <vector>

class CBitmap;
class CDC;

// Logical pixels per inch of the screen, across (LOGPIXELSX) or down (LOGPIXELSY).
int GetScreenLogPixels(BOOL vertical);
// Bits per pixel of the screen.
int GetScreenBitsPerPixel();
// A LOGFONT height (pixels of the screen) in twips: MulDiv(72, height, LOGPIXELSY) * 20.
int FontHeightToTwips(int height);
// value * 1440 / pixels per inch, and back.
int PixelsToTwips(int value, BOOL vertical);
int TwipsToPixels(int value, BOOL vertical);

// The colours of a bitmap's colour table, as a logical palette would hold them; empty for NULL
// or for a bitmap of more than 8 bits per pixel.
std::vector<COLORREF> CreateDIBSectionPalette(const CBitmap* dibSection);

// The union of a and b into out; under MM_TWIPS (y growing upward, so top > bottom) the
// vertical coordinates are made positive for the union and negated again afterwards.
void UnionRectTwips(const CDC* dc, RECT* out, const RECT* a, const RECT* b);
