#pragma once
// The current DIB: the one image that printing works on at a time. It is made from an image
// file, turned grey with a brightness offset, drawn stretched into a rectangle and freed.
// User-interface thread only.

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <QImage>

class CDC;

// Makes the file the current DIB: Windows bitmaps are read directly, other kinds through the
// image component (InitDIB2). FALSE (logged) when it cannot be read; there is no current DIB then.
BOOL InitDIB(LPCSTR file);
BOOL InitDIB2(LPCSTR file);
void FreeDIB();
// Turns every pixel of the current DIB grey, whatever the file's depth, with delta added.
BOOL AdjustBrightness(int delta);
// Draws the current DIB stretched to cx by cy at (x, y); nothing without a current DIB.
BOOL DrawDIB(CDC* pDC, int x, int y, int cx, int cy);

// The grey of a colour: (int) sqrt((r² + g² + b²) / 3) + delta, held to 0..255.
int GreyLevel(int r, int g, int b, int delta);

// The current DIB (null when there is none) and the file it was made from.
const QImage& GetCurrentDIB();
const CString& GetCurrentDIBFile();
