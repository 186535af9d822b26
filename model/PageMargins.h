#pragma once
// The page margins, in inches, that every print of a document or an exam starts from. They are
// the program's, not a document's: the margins dialog and the printing properties change them for
// every window at once, and the Expanded text is formatted again when they move.

#include "platform/core/String.h"

struct CPageMargins {
    double left = 0.5;
    double right = 0.5;
    double top = 0.5;
    double bottom = 0.5;

    bool operator==(const CPageMargins& o) const
    {
        return left == o.left && right == o.right && top == o.top && bottom == o.bottom;
    }
    bool operator!=(const CPageMargins& o) const { return !(*this == o); }
    // "%f" each, left, right, top, bottom.
    CString GetText() const;
};

// The current margins; any thread may read them.
CPageMargins GetPageMargins();
void SetPageMargins(const CPageMargins& margins);
