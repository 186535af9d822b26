#pragma once
// The owner-drawn list of questions, one row each: icon, row number, type, the question text
// drawn as rich text, the index in a box, subjects, number of images and ID. Rows point at
// questions that someone else owns (the document, a dialog); the list never deletes one. The
// views and dialogs find, select, mark, insert, update and delete questions through it, and a
// document's CUpdate hint inserts or refreshes rows. A header click sorts by that column.

#include "platform/ui/ListCtrl.h"

#include <QIcon>
#include <QImage>

#include <deque>
#include <unordered_map>
#include <vector>

class CCorraDoc;
class CCorraQuestion;
class CFont;
class CImageList;
class CPtrListEx;
class CUpdate;
class CWnd;

// View modes (SetViewMode): rows as high as the large or the small icons.
constexpr int ODLIST_LARGE_ROWS = 1;
constexpr int ODLIST_SMALL_ROWS = 2;

// Context help of the list.
constexpr UINT IDH_ODLISTCTRL = 456;

class CODListCtrl : public CListCtrl {
public:
    CODListCtrl(CCorraDoc* pDoc, CWnd* pOwner, COLORREF crBack, CFont* pFont, QWidget* parent = nullptr);
    ~CODListCtrl() override;
    CODListCtrl(const CODListCtrl&) = delete;
    CODListCtrl& operator=(const CODListCtrl&) = delete;

    // ---- overridable
    // The row images of the mode, then its columns.
    virtual void SetViewMode(int nMode);
    // Inserts the questions in list order at nPos (-1: at the end); the last row inserted, -1
    // when none.
    virtual int InsertQuestions(const CPtrListEx& questions, int nPos, BOOL bSelect);
    // Clears the question's mark and inserts its row; the row.
    virtual int InsertQuestion(CCorraQuestion* question, int nPos, BOOL bSelect);
    // A single question (UPD_OBJECT) or a list (UPD_QUESTIONS) at the hint's position.
    virtual int InsertFromHint(const CUpdate& hint);
    // Rewrites the row's texts and redraws it; the row, -1 when the question is not listed.
    virtual int UpdateQuestion(CCorraQuestion* question);
    virtual int UpdateItem(int nItem);
    // The first question's row; -1 when the list is empty or any question is not listed.
    virtual int UpdateQuestions(const CPtrListEx& questions);
    virtual int UpdateQuestionsById(const CDWordArray& ids);
    // By the hint's list (UPD_QUESTIONS), IDs (UPD_IDS), position (UPD_INSERTINDEX) or single
    // question (UPD_OBJECT), in that order of preference.
    virtual int UpdateFromHint(const CUpdate& hint);
    // Empties the list and makes the columns of the mode.
    virtual void CreateColumns(int nMode);
    // Makes the image lists once and gives the list the small (mode 2) or large (mode 1) icons;
    // the small image list before, NULL for any other mode.
    virtual CImageList* SetRowImageList(int nMode);
    // Everything back to the defaults. The image lists go with the list's own images: the
    // owner sets the view mode again, which makes them anew.
    virtual void Reset();
    // Fits the columns to their contents; the question text column keeps its width.
    virtual void AutoSizeColumns();
    // Raises the minimum widths to the texts of one row.
    virtual void MeasureRow(CCorraQuestion* question, int nItem, CDC* pDC);

    // ---- rows
    CCorraQuestion* GetItemQuestion(int nItem) const;
    // The row of that question (by address); -1 when not listed.
    int FindItem(const CCorraQuestion* question) const;
    using CListCtrl::FindItem;
    CCorraQuestion* FindQuestionById(int id) const;
    // Non-collection questions with the ID (id >= 0) or INDEX (index >= 0); every one when id < 0
    // and index is -1. The count.
    int FindQuestionsByIdOrIndex(CPtrListEx& out, int id, int index) const;
    int GetAllItems(CPtrListEx& out) const;
    // With bCopy each entry is a new CCorraQuestion the caller owns.
    int GetSelectedItems(CPtrListEx& out, BOOL bCopy) const;
    CCorraQuestion* GetSelectedQuestion() const;
    CCorraQuestion* GetLastSelectedQuestion() const;
    int GetFirstSelectedItem() const;
    int GetLastSelectedItem() const;
    // Row nItem, or every row when nItem is -1.
    BOOL SelectItem(int nItem, BOOL bSelect);
    BOOL SelectQuestion(CCorraQuestion* question, BOOL bEnsureVisible);
    BOOL DeleteItem(int nItem);
    int DeleteQuestions(const CPtrListEx& questions);
    int DeleteSelectedItems();
    int DeleteMarkedItems();

    // ---- marks (the duplicate display)
    void ClearMarks(BOOL bRedraw);
    int MarkItems(int id, int index, BOOL bEnsureVisible, const CCorraQuestion* pExcept);
    int CountMarkedItems() const;
    int FindFirstMarked() const;
    CCorraQuestion* GetFirstMarkedQuestion() const;

    // ---- columns and colours
    void SetDefaultColumnWidth(int nCol, int nWidth);
    BOOL SetBkColor(COLORREF cr);
    CString GetColumnLabel(int nCol) const;
    // The subjects as the Subjects column shows them (", " without a limit for sorting).
    static CString SubjectsText(const CCorraQuestion& question, LPCSTR separator, int nLimit);

    // ---- drawing
    void DrawItem(DRAWITEMSTRUCT* pDrawItem) override;

    COLORREF m_crBack;
    COLORREF m_crMarked = 0xC0C0C0;
    BOOL m_bUseMarkedColour = FALSE;
    BOOL m_bDeleting = FALSE;
    int m_nHighlightId = -1;
    int m_nHighlightIndex = -1;
    CCorraQuestion* m_pRefQuestion = nullptr;
    int m_nSortColumn = -1;
    int m_nSortDirection = 1;
    int m_nIconSize = 16;
    // Cleared: a header click leaves the rows in their order.
    BOOL m_bSortHeaders = TRUE;

protected:
    BOOL OnNotifyReflect(UINT nCode, void* pExtra) override;
    // A header click: sorts by the column.
    virtual void OnColumnClick(int nCol);
    void paintEvent(QPaintEvent* e) override;
    // InsertQuestions and InsertQuestion of this class: one batch of question rows. Neither
    // calls the other's override, so a subclass may build one on the other.
    int InsertQuestionRows(const CPtrListEx& questions, int nPos, BOOL bSelect);
    // Deletes rows (ascending) in one pass with the deleting flag set; the count.
    int DeleteRows(const std::vector<int>& rows);
    // The picture of one of the icon ids, loaded once.
    const QIcon& IconOf(int nWhich);
    // The icon ids change (the pictures are loaded again).
    void SetIconIds(UINT small, UINT smallHi, UINT large, UINT largeHi);
    // Icon slots of SetIconIds.
    enum { ICON_SMALL, ICON_SMALL_HI, ICON_LARGE, ICON_LARGE_HI, ICON_EXTRA };
    // The rectangles of the first n columns of a row, laid out from the row's left.
    void CellRects(const CRect& row, CRect* cells, int n) const;

    // Columns 1 to 7 after the icon column of the mode: heading, alignment, width when made.
    struct CColumnDef {
        const char* label;
        int format;
        int width;
    };
    void MakeColumns(int nMode, const CColumnDef (&columns)[7]);
    // AutoSizeColumns with these minimum widths of columns 0 to 7.
    void AutoSizeColumnsFrom(const int (&minimums)[8]);

    // What the row drawing leaves to a subclass: whether the row takes the marked colour,
    // column 6 (the number of images) on the row's fill, whether the duplicate display shows in
    // red, and a mark over the index box.
    virtual BOOL IsMarkedRow(const CCorraQuestion& question) const;
    virtual void DrawColumn6(CDC* pDC, const CCorraQuestion& question, const CRect& cell, COLORREF fill);
    virtual BOOL ShowsDuplicates() const { return TRUE; }
    virtual void DrawIndexMark(CDC* pDC, const CCorraQuestion& question, const CRect& box) {}

    // The stored texts of a row's columns after the icon, made again from its question (every
    // update of a row comes here).
    virtual void SetRowTexts(int nItem, CCorraQuestion& question);
    // Whether the row is drawn highlighted: drop target, or selected while focused or always shown.
    BOOL IsRowHighlighted(int nItem) const;

    // What a row is drawn with. BeginRow selects the drawing font, transparent text and, for a
    // highlighted row, the highlight colours (also as fill); RestoreColours puts the colours
    // back, EndRow the rest.
    struct CRowPaint {
        CFont* pOldFont = nullptr;
        int nOldBkMode = 0;
        BOOL bHighlighted = FALSE;
        COLORREF crFill = 0;
        COLORREF crOldText = 0;
        COLORREF crOldBk = 0;
    };
    CRowPaint BeginRow(CDC* pDC, int nItem);
    void RestoreColours(CDC* pDC, const CRowPaint& paint);
    void EndRow(CDC* pDC, const CRowPaint& paint);
    // MeasureRow of every row on a display context with the font the rows are drawn in.
    void MeasureRows();
    // The font the rows are drawn in: the owner's, else the control's own.
    CFont* DrawingFont();
    // Forgets the image lists, deleting them.
    void DeleteImageLists();
    // The column's width fitted to its cells and its heading, at least nMinimum; not set.
    int FittedWidth(int nCol, int nMinimum);
    // The ID column's width that shows a ten-digit ID whole.
    int IdColumnFitWidth();
    // The heading of the sorted column shows the direction; none before a sort.
    void ShowSortArrow();

    CImageList* m_pSmallImages = nullptr;
    CImageList* m_pLargeImages = nullptr;
    CImageList* m_pExtraImages = nullptr;
    UINT m_nIconIds[5];  // small, small highlighted, large, large highlighted, extra
    CCorraDoc* m_pDoc;
    CWnd* m_pOwner;
    int m_nDefaultWidths[7];  // columns 1 to 7
    CFont* m_pFont;
    std::vector<int> m_minWidths;
    int m_nAlignVCenter = -1;  // "AlignVCenter" as read for the paint under way; -1 outside one
    std::vector<QIcon> m_icons;  // by icon slot, loaded on first use

    // The question text of a row as last measured (elsewhere than on the screen) or drawn on the
    // screen, and what for: the text, the cell's width and height, the fonts' change stamp.
    struct CRowText {
        CString text;
        int width = 0;
        int rowHeight = 0;
        DWORD fonts = 0;
        int height = 0;
        int lineHeight = 0;
        // On the screen: the drawn cell, with its colours and placing.
        QImage image;
        COLORREF imageFill = 0;
        COLORREF imageText = 0;
        BOOL bCentred = FALSE;
        unsigned imageStamp = 0;
    };
    const CRowText& MeasureRowText(CDC* pDC, const CCorraQuestion& question, int nWidth, int nRowHeight);
    // A rich question text on the list's own screen paint, through its kept picture; FALSE
    // elsewhere (the caller measures and draws).
    BOOL DrawRowTextOnScreen(CDC* pDC, const CCorraQuestion& question, const CRect& cell, COLORREF fill,
                             BOOL bCentre);
    std::unordered_map<const CCorraQuestion*, CRowText> m_rowHeights;  // measured
    std::unordered_map<const CCorraQuestion*, CRowText> m_rowTexts;    // drawn on the screen
    std::deque<std::pair<const CCorraQuestion*, unsigned>> m_drawnTexts;  // oldest picture first
    unsigned m_nImageStamp = 0;
};
