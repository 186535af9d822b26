#pragma once
// The owner-drawn list of a document's collections (or an exam's forms): name, number of
// members and of distinct indices among them; the icon shows whether a window is open on the
// collection. Rows point at the document's collections; the list never owns one.

#include "views/ODListCtrl.h"

#include "platform/core/Collections.h"

// Context help of the list.
constexpr UINT IDH_COLLLISTCTRL = 789;

class CCollListCtrl : public CODListCtrl {
public:
    CCollListCtrl(CCorraDoc* pDoc, CWnd* pOwner, COLORREF crBack, CFont* pFont, QWidget* parent = nullptr);

    // Only the collections of the list, each appended.
    int InsertQuestions(const CPtrListEx& questions, int nPos, BOOL bSelect) override;
    // Appends a collection's row (position and selection are not used); -1 for a question
    // that is not a collection.
    int InsertQuestion(CCorraQuestion* collection, int nPos, BOOL bSelect) override;
    void CreateColumns(int nMode) override;
    // The base's reset, with the collection icons.
    void Reset() override;
    void AutoSizeColumns() override;
    void MeasureRow(CCorraQuestion* collection, int nItem, CDC* pDC) override;
    void DrawItem(DRAWITEMSTRUCT* pDrawItem) override;

    // The row whose name equals name, blanks at the ends and case aside; -1 when none.
    int FindCollectionByName(LPCSTR name) const;
    // The names of the selected rows, in row order.
    int GetSelectedNames(CStringArray& names) const;
    // The members of every selected collection that the document still holds, each once, in
    // ascending ID order.
    int GetSelectedQuestions(CPtrListEx& out) const;

    // "Collection Name", "Form Name": the document's word for its collections.
    CString GetNameLabel() const;

protected:
    BOOL OnNotifyReflect(UINT nCode, void* pExtra) override;
    void OnColumnClick(int nCol) override;
    // A collection's name and counts (also when the base updates rows by a list or IDs), the
    // statistics made again.
    void SetRowTexts(int nItem, CCorraQuestion& collection) override;

private:
    // The member and distinct-index counts, from statistics made again.
    static void CountMembers(CCorraQuestion& collection, int& members, int& unique);
    void SetCollectionIcons();
};
