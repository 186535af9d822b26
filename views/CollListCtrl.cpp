#include "views/CollListCtrl.h"

#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Statistics.h"
#include "platform/ui/DC.h"

#include <cstring>
#include <map>

namespace {

constexpr int kColumns = 4;
constexpr int kMinWidths[kColumns] = {16, 225, 16, 16};

CString Decimal(int n)
{
    CString s;
    s.Format("%d", n);
    return s;
}

CString NameKey(const CString& name)
{
    CString key = name;
    key.Trim();
    key.MakeLower();
    return key;
}

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

// Counts as the rows show them, made once for the whole sort.
struct CCollSortContext {
    int nColumn = 1;
    int nDirection = 1;
    std::map<const CCorraQuestion*, std::pair<int, int>> counts;
};

int CompareCollections(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const auto* ctx = reinterpret_cast<const CCollSortContext*>(lParamSort);
    const auto* a = reinterpret_cast<const CCorraQuestion*>(lParam1);
    const auto* b = reinterpret_cast<const CCorraQuestion*>(lParam2);
    int result = 0;
    switch (ctx->nColumn) {
    case 1: result = Sign(std::strcmp(a->m_cszQuestionText, b->m_cszQuestionText)); break;
    case 2: {
        const int x = ctx->counts.at(a).first, y = ctx->counts.at(b).first;
        result = (x > y) - (x < y);
        break;
    }
    case 3: {
        const int x = ctx->counts.at(a).second, y = ctx->counts.at(b).second;
        result = (x > y) - (x < y);
        break;
    }
    default: return 0;
    }
    return ctx->nDirection < 0 ? -result : result;
}

} // namespace

CCollListCtrl::CCollListCtrl(CCorraDoc* pDoc, CWnd* pOwner, COLORREF crBack, CFont* pFont, QWidget* parent)
    : CODListCtrl(pDoc, pOwner, crBack, pFont, parent)
{
    SetCollectionIcons();
    SetContextHelpId(IDH_COLLLISTCTRL);
}

void CCollListCtrl::SetCollectionIcons()
{
    SetIconIds(174, 181, 149, 184);
}

void CCollListCtrl::Reset()
{
    CODListCtrl::Reset();
    SetCollectionIcons();
}

CString CCollListCtrl::GetNameLabel() const
{
    return (m_pDoc ? m_pDoc->GetCollectionKindWord() : CString("Collection")) + " Name";
}

void CCollListCtrl::CreateColumns(int nMode)
{
    DeleteAllItems();
    while (DeleteColumn(0)) {
    }
    const int iconWidth = nMode == ODLIST_SMALL_ROWS ? 16 : nMode == ODLIST_LARGE_ROWS ? 32 : 0;
    InsertColumn(0, "", LVCFMT_LEFT, iconWidth);
    InsertColumn(1, GetNameLabel(), LVCFMT_LEFT, 150);
    InsertColumn(2, "QCnt", LVCFMT_LEFT, 40);
    InsertColumn(3, "Unique", LVCFMT_LEFT, 50);
}

void CCollListCtrl::CountMembers(CCorraQuestion& collection, int& members, int& unique)
{
    collection.UpdateStatistics();
    const CStatistics* stats = collection.GetStatistics();
    members = stats ? stats->m_plQuestions.GetCount() : 0;
    unique = stats ? stats->GetIndexValueCount() : 0;
}

void CCollListCtrl::SetRowTexts(int nItem, CCorraQuestion& collection)
{
    int members = 0;
    int unique = 0;
    CountMembers(collection, members, unique);
    SetItemText(nItem, 1, collection.m_cszQuestionText);
    SetItemText(nItem, 2, Decimal(members));
    SetItemText(nItem, 3, Decimal(unique));
}

int CCollListCtrl::InsertQuestion(CCorraQuestion* collection, int nPos, BOOL bSelect)
{
    // Only collections are rows here: a question shown as one would be counted and
    // sorted as if its choices were members.
    if (!collection || !collection->IsCollection())
        return -1;
    collection->Refresh();
    int members = 0;
    int unique = 0;
    CountMembers(*collection, members, unique);
    CRow row;
    row.texts = {CString(), collection->m_cszQuestionText, Decimal(members), Decimal(unique)};
    row.data = reinterpret_cast<DWORD_PTR>(collection);
    row.image = 0;
    AppendRows({row});
    return GetItemCount() - 1;
}

int CCollListCtrl::InsertQuestions(const CPtrListEx& questions, int nPos, BOOL bSelect)
{
    int last = -1;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        if (q && q->IsCollection())
            last = InsertQuestion(q, nPos, bSelect);
    }
    return last;
}

void CCollListCtrl::MeasureRow(CCorraQuestion* collection, int nItem, CDC* pDC)
{
    if (!collection)
        return;
    auto raise = [this](int nCol, int cx) {
        m_minWidths[static_cast<size_t>(nCol)] = std::max(m_minWidths[static_cast<size_t>(nCol)], cx);
    };
    raise(0, m_nIconSize);
    raise(1, pDC->GetTextExtent(collection->m_cszQuestionText).cx);
    raise(2, pDC->GetTextExtent(GetItemText(nItem, 2)).cx);
    raise(3, pDC->GetTextExtent(GetItemText(nItem, 3)).cx);
}

void CCollListCtrl::AutoSizeColumns()
{
    m_minWidths.assign(8, 0);
    std::copy(std::begin(kMinWidths), std::end(kMinWidths), m_minWidths.begin());
    m_minWidths[0] = std::max(m_minWidths[0], m_nIconSize);
    MeasureRows();
    if (GetColumnCount() < kColumns)
        return;
    SetColumnWidth(0, m_minWidths[0]);
    for (int c = 1; c < kColumns; ++c)
        SetColumnWidth(c, FittedWidth(c, m_minWidths[static_cast<size_t>(c)]));
}

int CCollListCtrl::FindCollectionByName(LPCSTR name) const
{
    const CString key = NameKey(name);
    for (int i = 0; i < GetItemCount(); ++i) {
        CCorraQuestion* q = GetItemQuestion(i);
        if (q && NameKey(q->m_cszQuestionText) == key)
            return i;
    }
    return -1;
}

int CCollListCtrl::GetSelectedNames(CStringArray& names) const
{
    names.RemoveAll();
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED)) {
        if (CCorraQuestion* q = GetItemQuestion(i))
            names.Add(q->m_cszQuestionText);
    }
    return names.GetSize();
}

int CCollListCtrl::GetSelectedQuestions(CPtrListEx& out) const
{
    out.RemoveAll();
    std::map<int, CCorraQuestion*> byId;
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED)) {
        CCorraQuestion* collection = GetItemQuestion(i);
        if (!collection)
            continue;
        CPtrListEx members;
        collection->GetQuestions(members);
        for (POSITION pos = members.GetHeadPosition(); pos;) {
            auto* q = static_cast<CCorraQuestion*>(members.GetNext(pos));
            byId.emplace(q->m_nId, q);
        }
    }
    for (const auto& entry : byId)
        out.AddTail(entry.second);
    return out.GetCount();
}

BOOL CCollListCtrl::OnNotifyReflect(UINT nCode, void* pExtra)
{
    // A click keeps the duplicate display of the base: collections have none.
    if (nCode == NM_CLICK || nCode == NM_DBLCLK)
        return FALSE;
    return CODListCtrl::OnNotifyReflect(nCode, pExtra);
}

void CCollListCtrl::OnColumnClick(int nCol)
{
    if (nCol <= 0 || nCol >= kColumns)
        return;
    m_nSortDirection = nCol == m_nSortColumn ? -m_nSortDirection : 1;
    m_nSortColumn = nCol;
    CCollSortContext ctx;
    ctx.nColumn = nCol;
    ctx.nDirection = m_nSortDirection;
    if (nCol != 1) {
        for (int i = 0; i < GetItemCount(); ++i) {
            CCorraQuestion* q = GetItemQuestion(i);
            int members = 0;
            int unique = 0;
            CountMembers(*q, members, unique);
            ctx.counts[q] = {members, unique};
        }
    }
    SortItems(CompareCollections, reinterpret_cast<DWORD_PTR>(&ctx));
}

void CCollListCtrl::DrawItem(DRAWITEMSTRUCT* pDrawItem)
{
    const int nItem = static_cast<int>(pDrawItem->itemID);
    CCorraQuestion* collection = GetItemQuestion(nItem);
    CDC* pDC = pDrawItem->pDC;
    if (!collection || !pDC)
        return;
    collection->Refresh();
    const CRowPaint paint = BeginRow(pDC, nItem);
    const COLORREF fill = paint.crFill;
    const CRect& row = pDrawItem->rcItem;
    const BOOL small = row.Height() < 32;
    m_nIconSize = small ? 16 : 32;
    const BOOL open = collection->m_pView != nullptr;
    const int icon = small ? (open ? ICON_SMALL_HI : ICON_SMALL) : (open ? ICON_LARGE_HI : ICON_LARGE);
    CRect cells[kColumns];
    CellRects(row, cells, kColumns);

    pDC->FillSolidRect(&cells[0], m_crBack);
    pDC->DrawIcon(cells[0].left, cells[0].top, IconOf(icon), m_nIconSize, m_nIconSize);
    const UINT oneLine = DT_SINGLELINE | DT_NOPREFIX;
    pDC->FillSolidRect(&cells[1], fill);
    pDC->DrawText(collection->m_cszQuestionText, &cells[1], DT_LEFT | DT_TOP | oneLine);
    pDC->FillSolidRect(&cells[2], fill);
    pDC->DrawText(GetItemText(nItem, 2), &cells[2], DT_CENTER | DT_TOP | oneLine);
    pDC->FillSolidRect(&cells[3], fill);
    pDC->DrawText(GetItemText(nItem, 3), &cells[3], DT_CENTER | DT_TOP | oneLine);

    RestoreColours(pDC, paint);
    EndRow(pDC, paint);
}
