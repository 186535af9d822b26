#include "platform/ui/SplitterWnd.h"

#include "platform/ui/FrameworkIds.h"
#include "platform/ui/View.h"

#include <algorithm>

CSplitterWnd::CSplitterWnd() : QSplitter(Qt::Vertical), CWnd(this)
{
    setChildrenCollapsible(true);
}

BOOL CSplitterWnd::CreateStatic(QWidget* pParent, int nRows, int nCols, UINT nID)
{
    if (m_nRows > 0 || nRows < 1 || nCols < 1 || nRows > 16 || nCols > 16)
        return FALSE;
    if (pParent)
        setParent(pParent);
    SetDlgCtrlID(static_cast<int>(nID));
    m_nRows = nRows;
    m_nCols = nCols;
    m_rowIdeal.assign(static_cast<size_t>(nRows), 0);
    m_rowMin.assign(static_cast<size_t>(nRows), 0);
    m_panes.assign(static_cast<size_t>(nRows), std::vector<CView*>(static_cast<size_t>(nCols), nullptr));
    // Several columns: each row is a splitter of its own.
    for (int r = 0; r < nRows && nCols > 1; ++r)
        addWidget(new QSplitter(Qt::Horizontal));
    return TRUE;
}

UINT CSplitterWnd::IdFromRowCol(int row, int col) const
{
    return AFX_IDW_PANE_FIRST + static_cast<UINT>(row * 16 + col);
}

QSplitter* CSplitterWnd::RowSplitter(int row) const
{
    return m_nCols > 1 ? qobject_cast<QSplitter*>(widget(row)) : nullptr;
}

BOOL CSplitterWnd::CreateView(int row, int col, const CCreatable<CView>& viewClass, SIZE sizeInit,
                              CCreateContext* pContext)
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || m_panes[row][col])
        return FALSE;
    CView* pView = viewClass.Create();
    if (!pView)
        return FALSE;
    QSplitter* into = m_nCols > 1 ? RowSplitter(row) : this;
    if (!pView->Create(into, IdFromRowCol(row, col), pContext)) {
        delete pView;
        return FALSE;
    }
    // Panes go in row order whatever the order they are made in.
    int index = 0;
    int at = m_nCols > 1 ? col : row;
    for (int i = 0; i < at; ++i)
        index += (m_nCols > 1 ? m_panes[row][i] : m_panes[i][0]) ? 1 : 0;
    into->insertWidget(index, pView);
    m_panes[row][col] = pView;
    if (m_nCols == 1 && sizeInit.cy > 0)
        m_rowIdeal[row] = sizeInit.cy;
    if (pContext)
        pContext->m_pLastView = pView;
    return TRUE;
}

CView* CSplitterWnd::GetPane(int row, int col) const
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return nullptr;
    return m_panes[row][col];
}

void CSplitterWnd::SetRowInfo(int row, int cyIdeal, int cyMin)
{
    if (row < 0 || row >= m_nRows)
        return;
    m_rowIdeal[row] = cyIdeal < 0 ? 0 : cyIdeal;
    m_rowMin[row] = cyMin < 0 ? 0 : cyMin;
}

void CSplitterWnd::GetRowInfo(int row, int& cyCur, int& cyMin) const
{
    cyCur = cyMin = 0;
    if (row < 0 || row >= m_nRows)
        return;
    QList<int> s = sizes();
    cyCur = row < s.size() ? s[row] : 0;
    cyMin = m_rowMin[row];
}

int CSplitterWnd::GetPaneSpace() const
{
    int extent = orientation() == Qt::Vertical ? height() : width();
    return std::max(0, extent - handleWidth() * std::max(0, count() - 1));
}

void CSplitterWnd::RecalcLayout()
{
    int total = GetPaneSpace();
    QList<int> s;
    int used = 0;
    for (int r = 0; r < m_nRows; ++r) {
        int h = r + 1 == m_nRows ? total - used : std::max(m_rowIdeal[r], m_rowMin[r]);
        if (h < 0)
            h = 0;
        s.append(h);
        used += h;
    }
    setSizes(s);
}
