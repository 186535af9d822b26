#pragma once
// The owner-drawn question list of the exam views: the question list with each exam question's
// link to its bank file in place of the number of images. The link cell's colour tells the
// link's state (grey: the file is gone or there is no link; light red: the file changed since
// the question was linked), and a pin on the index marks a question with a fixed position.

#include "views/CollListCtrl.h"
#include "views/ODListCtrl.h"

#include "platform/core/String.h"

// The private message the list posts to its parent once per paint; answered, never repainted.
constexpr UINT WM_EXAM_LIST_PAINTED = 0x8054;

// Link cell colours.
constexpr COLORREF EXAM_LINK_MISSING = 0xC0C0C0;
constexpr COLORREF EXAM_LINK_OUT_OF_DATE = 0xCACAFF;

class CExamListCtrl : public CODListCtrl {
public:
    CExamListCtrl(CCorraDoc* pDoc, CWnd* pOwner, COLORREF crBack, CFont* pFont, QWidget* parent = nullptr);

    void CreateColumns(int nMode) override;
    void AutoSizeColumns() override;
    void MeasureRow(CCorraQuestion* question, int nItem, CDC* pDC) override;
    // The base row, and every cell's text raising its column's minimum width.
    void DrawItem(DRAWITEMSTRUCT* pDrawItem) override;
    // As the base, with the link's file name in column 6; a row's mark is kept.
    int InsertQuestions(const CPtrListEx& questions, int nPos, BOOL bSelect) override;
    int InsertQuestion(CCorraQuestion* question, int nPos, BOOL bSelect) override;
    virtual int InsertExamQuestion(CCorraQuestion* question, int nPos, BOOL bSelect);
    virtual int UpdateExamQuestion(CCorraQuestion* question);

    // The text stored in column 6 (the file name of the link; empty without one), and the
    // text drawn there (the linked file's path relative to the program's folder).
    static CString LinkName(const CCorraQuestion& question);
    static CString LinkPath(const CCorraQuestion& question);
    // The link cell's fill for a row filled with fill.
    static COLORREF LinkFill(const CCorraQuestion& question, COLORREF fill);

protected:
    void OnColumnClick(int nCol) override;
    void SetRowTexts(int nItem, CCorraQuestion& question) override;
    BOOL IsMarkedRow(const CCorraQuestion& question) const override;
    void DrawColumn6(CDC* pDC, const CCorraQuestion& question, const CRect& cell, COLORREF fill) override;
    BOOL ShowsDuplicates() const override { return FALSE; }
    void DrawIndexMark(CDC* pDC, const CCorraQuestion& question, const CRect& box) override;
    void paintEvent(QPaintEvent* e) override;
};

// The exam's forms in the lower pane: the collection list with the form icons.
class CExamFormListCtrl : public CCollListCtrl {
public:
    CExamFormListCtrl(CCorraDoc* pDoc, CWnd* pOwner, COLORREF crBack, CFont* pFont, QWidget* parent = nullptr);
    void Reset() override;

private:
    void SetFormIcons();
};
