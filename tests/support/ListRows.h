#pragma once
// Drawing a question list's rows one at a time on the fixed-metrics device context, and reading
// what came out: the rows laid out from x = 0, as high as asked.

#include "tests/support/FixedMetricsDC.h"
#include "model/CorraQuestion.h"
#include "views/ODListCtrl.h"

#include <QColor>

#include <vector>

inline COLORREF PixelAt(const CFixedMetricsDC& dc, int x, int y)
{
    const QRgb c = dc.Image().pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

// The left edge of a column, the columns laid out from 0.
inline int ColumnLeft(const CODListCtrl& list, int nCol)
{
    int x = 0;
    for (int c = 0; c < nCol; ++c)
        x += list.GetColumnWidth(c);
    return x;
}

inline void Draw(CODListCtrl& list, CFixedMetricsDC& dc, int nItem, int height)
{
    DRAWITEMSTRUCT dis;
    dis.itemID = static_cast<UINT>(nItem);
    dis.pDC = &dc;
    dis.rcItem = CRect(0, 0, ColumnLeft(list, 8), height);
    list.DrawItem(&dis);
}

// The IDs of the rows' questions, top to bottom.
inline std::vector<int> RowIds(const CODListCtrl& list)
{
    std::vector<int> ids;
    for (int i = 0; i < list.GetItemCount(); ++i)
        ids.push_back(list.GetItemQuestion(i)->m_nId);
    return ids;
}
