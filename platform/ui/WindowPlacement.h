#pragma once
// Where windows are placed on the screen.

#include "platform/core/WinTypes.h"

#include <algorithm>

class QWidget;

// The usable area (without panels and docks) of the screen a widget is on, or of the primary
// screen; the screen service's size without a GUI.
CRect AvailableScreenRect(const QWidget* near);

// Top-left corner of a window of the given size centred on area, then moved back inside bounds
// (the screen) where it would run over an edge; a window larger than bounds keeps its top-left
// corner on them.
inline CPoint CenteredWithin(const RECT& area, SIZE size, const RECT& bounds)
{
    auto place = [](LONG lo, LONG hi, LONG extent, LONG boundLo, LONG boundHi) {
        const LONG centred = lo + (hi - lo - extent) / 2;
        return std::max(std::min(centred, boundHi - extent), boundLo);
    };
    return CPoint(place(area.left, area.right, size.cx, bounds.left, bounds.right),
                  place(area.top, area.bottom, size.cy, bounds.top, bounds.bottom));
}

// Top-left corner of a window of the given size beside owner, gap away, so that it covers none of
// it: to its right, level with its top, where it fits within bounds; else to its left; else below
// it, then above it, level with its left; else at the right edge of bounds. Then moved back
// inside bounds.
inline CPoint BesideWithin(const RECT& owner, SIZE size, const RECT& bounds, LONG gap)
{
    LONG x = owner.right + gap;
    LONG y = owner.top;
    if (x + size.cx > bounds.right) {
        if (owner.left - gap - size.cx >= bounds.left) {
            x = owner.left - gap - size.cx;
        } else if (owner.bottom + gap + size.cy <= bounds.bottom) {
            x = owner.left;
            y = owner.bottom + gap;
        } else if (owner.top - gap - size.cy >= bounds.top) {
            x = owner.left;
            y = owner.top - gap - size.cy;
        } else {
            x = bounds.right - size.cx;
        }
    }
    x = std::max(std::min(x, bounds.right - size.cx), bounds.left);
    y = std::max(std::min(y, bounds.bottom - size.cy), bounds.top);
    return CPoint(x, y);
}
