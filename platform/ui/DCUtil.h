#pragma once
// Device-context and window geometry helpers: the union of rectangles under MM_TWIPS, the
// colour table of a bitmap, window rectangles and percentages shown in dialog fields.

#include "platform/core/WinTypes.h"

#include <vector>

class CBitmap;
class CDC;
class CWnd;

// The colours of a bitmap's colour table, as a logical palette would hold them; empty for NULL
// or for a bitmap of more than 8 bits per pixel.
std::vector<COLORREF> CreateDIBSectionPalette(const CBitmap* dibSection);

// The union of a and b into out; under MM_TWIPS (y growing upward, so top > bottom) the
// vertical coordinates are made positive for the union and negated again afterwards.
void UnionRectTwips(const CDC* dc, RECT* out, const RECT* a, const RECT* b);

// The window's rectangle in its parent's window coordinates; with belowCaption, moved up by the
// height of the parent's caption when the parent is a window that has one.
void GetWindowRectInParent(const CWnd* wnd, RECT* out, BOOL belowCaption);
// A rectangle of the window's client size at the bottom right of its window rectangle, 10
// pixels in from the right and bottom edges.
void GetInsetClientRect(const CWnd* wnd, RECT* r);
// A dialog field holding a percentage of 100 as a signed integer: the value / 100, and the
// value * 100 rounded to the nearest integer (so 0.29 shows 29).
double GetDlgItemPercent(const CWnd* dlg, int id);
void SetDlgItemPercent(CWnd* dlg, int id, double value);
