#pragma once
// A frame's client split into panes: static rows (and columns) over QSplitter, each pane a view
// with the pane id AFX_IDW_PANE_FIRST + 16 * row + column.

#include "platform/ui/DocTemplate.h"
#include "platform/ui/Wnd.h"

#include <QSplitter>

#include <vector>

class CView;

class CSplitterWnd : public QSplitter, public CWnd {
public:
    CSplitterWnd();

    // nRows by nCols empty panes inside pParent; FALSE when a count is below 1 or it exists.
    BOOL CreateStatic(QWidget* pParent, int nRows, int nCols, UINT nID = 0xE900);
    // A view of viewClass in the pane, on the context's document, with its first size.
    BOOL CreateView(int row, int col, const CCreatable<CView>& viewClass, SIZE sizeInit, CCreateContext* pContext);
    CView* GetPane(int row, int col) const;
    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    UINT IdFromRowCol(int row, int col) const;

    // Rows: the wanted and the smallest height; the current height and the smallest.
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    // The height the rows share (the splitter's less its bars between them).
    int GetPaneSpace() const;
    // Lays the rows out by their wanted heights; the last row takes what is left.
    void RecalcLayout();

private:
    QSplitter* RowSplitter(int row) const;

    int m_nRows = 0;
    int m_nCols = 0;
    std::vector<int> m_rowIdeal;
    std::vector<int> m_rowMin;
    std::vector<std::vector<CView*>> m_panes;
};
