#pragma once
// Where windows are placed on the screen.

#include "platform/core/WinTypes.h"

#include <algorithm>

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
