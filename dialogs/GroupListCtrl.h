#pragma once
// The groups of one document as a list: "Name" and "Count" (the questions of the group, not
// counting collections). Each row's data is the document's group record. Questions dropped on a
// row, or added by the groups window, join that group.

#include "foundation/PtrListEx.h"
#include "platform/ui/ListCtrl.h"

class CCorraDoc;
class CGroup;

class CGroupListCtrl : public CListCtrl {
public:
    explicit CGroupListCtrl(QWidget* parent = nullptr);

    void SetDocument(CCorraDoc* pDoc) { m_pDoc = pDoc; }
    CCorraDoc* GetDocument() const { return m_pDoc; }

    // The document's groups in its order; the rows' counts made again.
    void Fill();
    // A row for the group (name, count) at the end; selected and scrolled to with bSelect.
    int InsertGroup(CGroup* group, BOOL bSelect);
    CGroup* GetGroup(int nItem) const;
    int FindGroup(int id) const;
    // The first selected row; -1 none.
    int GetSelectedItem() const;
    // Selects or deselects one row (-1: every row).
    void SelectItem(int nItem, BOOL bSelect);
    // The groups in row order.
    void GetGroups(CPtrListEx& out) const;
    // Every group's count from the document's questions.
    void Recount();
    // The column clicked: the same column again reverses, another sorts ascending.
    void SortByColumn(int nColumn);
    int GetSortColumn() const { return m_nSortColumn; }
    int GetSortDirection() const { return m_nSortDirection; }
    // Swaps the texts and records of two rows; FALSE when either is not there.
    BOOL MoveItem(int nFrom, int nTo);
    // The listed questions that are not collections join the group of row nItem. Refused (said)
    // for questions of another document; with bConfirm the user is asked first. FALSE when
    // nothing was added.
    BOOL AddQuestionsToGroup(const CPtrListEx& questions, int nItem, CCorraDoc* pDoc, BOOL bConfirm);

protected:
    BOOL OnNotifyReflect(UINT nCode, void* pExtra) override;

private:
    void SetCountText(int nItem);

    CCorraDoc* m_pDoc = nullptr;
    int m_nSortColumn = -1;
    int m_nSortDirection = 1;
};
