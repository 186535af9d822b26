#include "dialogs/GroupListCtrl.h"

#include "foundation/SerialMap.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Group.h"
#include "model/Statistics.h"
#include "platform/core/Services.h"

#include <algorithm>
#include <vector>

namespace {

CGroup* G(DWORD_PTR data)
{
    return reinterpret_cast<CGroup*>(data);
}

} // namespace

CGroupListCtrl::CGroupListCtrl(QWidget* parent) : CListCtrl(parent)
{
    InsertColumn(0, "Name", LVCFMT_LEFT, 200);
    InsertColumn(1, "Count", LVCFMT_LEFT, 45);
    SetSingleSelection(TRUE);
}

void CGroupListCtrl::Fill()
{
    DeleteAllItems();
    if (!m_pDoc)
        return;
    for (POSITION pos = m_pDoc->m_plGroups.GetHeadPosition(); pos;)
        InsertGroup(static_cast<CGroup*>(m_pDoc->m_plGroups.GetNext(pos)), FALSE);
    Recount();
}

int CGroupListCtrl::InsertGroup(CGroup* group, BOOL bSelect)
{
    if (!group)
        return -1;
    const int n = InsertItem(GetItemCount(), group->m_csName);
    if (n < 0)
        return -1;
    SetItemData(n, reinterpret_cast<DWORD_PTR>(group));
    SetCountText(n);
    if (bSelect) {
        SelectItem(n, TRUE);
        EnsureVisible(n);
    }
    return n;
}

CGroup* CGroupListCtrl::GetGroup(int nItem) const
{
    return nItem >= 0 && nItem < GetItemCount() ? G(GetItemData(nItem)) : nullptr;
}

int CGroupListCtrl::FindGroup(int id) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (GetGroup(i) && GetGroup(i)->m_nId == id)
            return i;
    return -1;
}

int CGroupListCtrl::GetSelectedItem() const
{
    return GetNextItem(-1, LVNI_SELECTED);
}

void CGroupListCtrl::SelectItem(int nItem, BOOL bSelect)
{
    const UINT state = bSelect ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    if (nItem >= 0) {
        SetItemState(nItem, state, LVIS_SELECTED | LVIS_FOCUSED);
        return;
    }
    for (int i = 0; i < GetItemCount(); ++i)
        SetItemState(i, bSelect ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void CGroupListCtrl::GetGroups(CPtrListEx& out) const
{
    out.RemoveAll();
    for (int i = 0; i < GetItemCount(); ++i)
        if (CGroup* g = GetGroup(i))
            out.AddTail(g);
}

void CGroupListCtrl::SetCountText(int nItem)
{
    if (CGroup* g = GetGroup(nItem))
        SetItemText(nItem, 1, CString::Formatted("%d", g->m_nMemberCount));
}

void CGroupListCtrl::Recount()
{
    if (!m_pDoc)
        return;
    CIntIntMap counts;
    for (int i = 0; i < GetItemCount(); ++i)
        if (CGroup* g = GetGroup(i))
            counts.SetAt(g->m_nId, 0);
    CStatistics::CountMemberIds(m_pDoc->m_plQuestions, counts, FALSE);
    for (int i = 0; i < GetItemCount(); ++i) {
        CGroup* g = GetGroup(i);
        if (!g)
            continue;
        int n = 0;
        counts.Lookup(g->m_nId, n);
        g->m_nMemberCount = n;
        SetCountText(i);
    }
}

void CGroupListCtrl::SortByColumn(int nColumn)
{
    m_nSortDirection = nColumn == m_nSortColumn ? -m_nSortDirection : 1;
    m_nSortColumn = nColumn;
    struct Row {
        CGroup* group;
        BOOL selected;
    };
    std::vector<Row> rows;
    for (int i = 0; i < GetItemCount(); ++i)
        rows.push_back({GetGroup(i), GetItemState(i, LVIS_SELECTED) != 0});
    const int dir = m_nSortDirection;
    std::stable_sort(rows.begin(), rows.end(), [nColumn, dir](const Row& a, const Row& b) {
        int c = 0;
        if (nColumn == 1)
            c = a.group->m_nMemberCount < b.group->m_nMemberCount ? -1 : a.group->m_nMemberCount > b.group->m_nMemberCount;
        else
            c = a.group->m_csName.CompareNoCase(b.group->m_csName);
        return dir * c < 0;
    });
    DeleteAllItems();
    for (const Row& r : rows) {
        const int n = InsertGroup(r.group, FALSE);
        if (r.selected)
            SelectItem(n, TRUE);
    }
}

BOOL CGroupListCtrl::MoveItem(int nFrom, int nTo)
{
    CGroup* a = GetGroup(nFrom);
    CGroup* b = GetGroup(nTo);
    if (!a || !b)
        return FALSE;
    SetItemData(nFrom, reinterpret_cast<DWORD_PTR>(b));
    SetItemData(nTo, reinterpret_cast<DWORD_PTR>(a));
    for (int n : {nFrom, nTo}) {
        SetItemText(n, 0, GetGroup(n)->m_csName);
        SetCountText(n);
    }
    return TRUE;
}

BOOL CGroupListCtrl::AddQuestionsToGroup(const CPtrListEx& questions, int nItem, CCorraDoc* pDoc, BOOL bConfirm)
{
    CGroup* group = GetGroup(nItem);
    if (!group)
        return FALSE;
    if (!pDoc || pDoc != m_pDoc) {
        MessageBoxService().Show("Cannot add questions from a different document.", CORRA_PRODUCT_NAME,
                                 MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (bConfirm) {
        const CString ask = CString::Formatted("Are you sure you want to add %d questions to group ",
                                               questions.GetCount()) + group->m_csName;
        if (MessageBoxService().Show(ask, CORRA_PRODUCT_NAME, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return FALSE;
    }
    int added = 0;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        if (!q || q->IsCollection())
            continue;
        q->m_nMemberId = group->m_nId;
        ++added;
    }
    if (added) {
        m_pDoc->SetModifiedFlag(TRUE);
        Recount();
    }
    return added > 0;
}

BOOL CGroupListCtrl::OnNotifyReflect(UINT nCode, void* pExtra)
{
    if (nCode == LVN_COLUMNCLICK && pExtra)
        SortByColumn(static_cast<NMLISTVIEW*>(pExtra)->iSubItem);
    return FALSE;
}
