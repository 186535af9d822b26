#include "platform/core/WinTypes.h"

#include <algorithm>
#include <cstring>

int MulDiv(int n, int num, int den)
{
    if (den == 0)
        return -1;
    long long prod = static_cast<long long>(n) * num;
    long long half = (den > 0 ? den : -static_cast<long long>(den)) / 2;
    bool negative = (prod < 0) != (den < 0);
    long long mag = (prod < 0 ? -prod : prod);
    long long d = den < 0 ? -static_cast<long long>(den) : den;
    long long q = (mag + half) / d;
    // A result that does not fit an int is refused, not wrapped.
    if (q > 2147483647LL + (negative ? 1 : 0))
        return -1;
    return static_cast<int>(negative ? -q : q);
}

void SetLogFontFaceName(LOGFONT& lf, const char* face)
{
    std::memset(lf.lfFaceName, 0, sizeof(lf.lfFaceName));
    if (face)
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
}

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

BOOL CRect::IntersectRect(const RECT& a, const RECT& b)
{
    CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom));
    if (r.IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    *this = r;
    return TRUE;
}

BOOL CRect::UnionRect(const RECT& a, const RECT& b)
{
    CRect ra(a), rb(b);
    if (ra.IsRectEmpty()) {
        *this = rb;
    } else if (rb.IsRectEmpty()) {
        *this = ra;
    } else {
        SetRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom));
    }
    if (IsRectEmpty()) {
        SetRectEmpty();
        return FALSE;
    }
    return TRUE;
}
