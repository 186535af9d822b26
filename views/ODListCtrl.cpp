#include "views/ODListCtrl.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Update.h"
#include "platform/ui/DC.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/ResourceImage.h"
#include "platform/ui/SysColor.h"
#include "render/FontMgr.h"
#include "render/RtfSyntax.h"
#include "render/RtfText.h"

#include <QHeaderView>
#include <QPainter>
#include <QPixmap>

#include <unordered_map>
#include <unordered_set>

namespace {

constexpr int kColumns = 8;
constexpr int kDefaultWidths[7] = {35, 40, 225, 40, 100, 20, 35};
constexpr int kMinWidths[kColumns] = {16, 35, 40, 225, 40, 100, 20, 35};
constexpr UINT kIconIds[5] = {175, 177, 118, 166, 329};
constexpr int kSubjectsLimit = 25;
constexpr int kQuestionTextSlot = 0;
constexpr int kNumberSlot = 4;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kYellow = RGB(255, 255, 0);
// Rows whose drawn question text is kept as a picture: a few screens' worth.
constexpr size_t kKeptTextImages = 256;

BOOL IsMarked(const CCorraQuestion& q)
{
    return (q.m_nFlags & QFLAG_LISTED) != 0;
}

CString Decimal(int n)
{
    CString s;
    s.Format("%d", n);
    return s;
}

template <typename T>
int ThreeWay(const T& a, const T& b)
{
    return (b < a) - (a < b);
}

// What a header click sorts by: the column and direction, and the plain texts of the questions
// (made once per row for the whole sort, not at every comparison).
struct CSortContext {
    int nColumn = -1;
    int nDirection = 1;
    std::unordered_map<const CCorraQuestion*, CString> texts;
};

int CompareRows(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const auto* ctx = reinterpret_cast<const CSortContext*>(lParamSort);
    const auto* a = reinterpret_cast<const CCorraQuestion*>(lParam1);
    const auto* b = reinterpret_cast<const CCorraQuestion*>(lParam2);
    if (!a || !b)
        return ThreeWay(a != nullptr, b != nullptr);
    int result = 0;
    switch (ctx->nColumn) {
    case 2: result = a->GetTypeText().CompareNoCase(b->GetTypeText()); break;
    case 3: result = ctx->texts.at(a).CompareNoCase(ctx->texts.at(b)); break;
    case 4: result = ThreeWay(a->m_nIndex, b->m_nIndex); break;
    case 5: result = ctx->texts.at(a).CompareNoCase(ctx->texts.at(b)); break;
    case 6: result = ThreeWay(a->m_plImages.GetCount(), b->m_plImages.GetCount()); break;
    case 7: result = ThreeWay(a->m_nId, b->m_nId); break;
    default: return 0;
    }
    result = ThreeWay(result, 0);
    return ctx->nDirection < 0 ? -result : result;
}

} // namespace

CODListCtrl::CODListCtrl(CCorraDoc* pDoc, CWnd* pOwner, COLORREF crBack, CFont* pFont, QWidget* parent)
    : CListCtrl(parent), m_crBack(crBack), m_pDoc(pDoc), m_pOwner(pOwner), m_pFont(pFont)
{
    Reset();
    m_crBack = crBack;
    m_pDoc = pDoc;
    m_pOwner = pOwner;
    m_pFont = pFont;
    m_minWidths.assign(kColumns, 0);
    SetOwnerDraw(TRUE);
    SetBkColor(m_crBack);
    SetContextHelpId(IDH_ODLISTCTRL);
}

CODListCtrl::~CODListCtrl()
{
    DeleteImageLists();
}

void CODListCtrl::DeleteImageLists()
{
    if (m_pSmallImages || m_pLargeImages)
        SetSmallImageList(nullptr);
    delete m_pSmallImages;
    delete m_pLargeImages;
    delete m_pExtraImages;
    m_pSmallImages = nullptr;
    m_pLargeImages = nullptr;
    m_pExtraImages = nullptr;
}

void CODListCtrl::Reset()
{
    // Forgetting them without deleting would leak them; keeping them would keep pictures of
    // icon ids that the reset changes.
    DeleteImageLists();
    m_crBack = 255;
    m_crMarked = 0xC0C0C0;
    m_bUseMarkedColour = FALSE;
    m_bDeleting = FALSE;
    m_nHighlightId = -1;
    m_nHighlightIndex = -1;
    m_pRefQuestion = nullptr;
    m_nSortColumn = -1;
    m_nSortDirection = 1;
    std::copy(std::begin(kIconIds), std::end(kIconIds), m_nIconIds);
    m_icons.clear();
    std::copy(std::begin(kDefaultWidths), std::end(kDefaultWidths), m_nDefaultWidths);
    m_pDoc = nullptr;
    m_pOwner = nullptr;
    m_pFont = nullptr;
}

const QIcon& CODListCtrl::IconOf(int nWhich)
{
    if (m_icons.empty()) {
        for (UINT id : m_nIconIds) {
            QImage image;
            m_icons.push_back(LoadResourceImage(id, image) ? QIcon(QPixmap::fromImage(image)) : QIcon());
        }
    }
    return m_icons[static_cast<size_t>(nWhich)];
}

void CODListCtrl::SetIconIds(UINT small, UINT smallHi, UINT large, UINT largeHi)
{
    m_nIconIds[ICON_SMALL] = small;
    m_nIconIds[ICON_SMALL_HI] = smallHi;
    m_nIconIds[ICON_LARGE] = large;
    m_nIconIds[ICON_LARGE_HI] = largeHi;
    m_icons.clear();
}

void CODListCtrl::CellRects(const CRect& row, CRect* cells, int n) const
{
    int x = row.left;
    for (int c = 0; c < n; ++c) {
        const int w = c < GetColumnCount() ? GetColumnWidth(c) : 0;
        cells[c] = CRect(x, row.top, x + w, row.bottom);
        x += w;
    }
}

// ---- modes and columns -----------------------------------------------------------------------

void CODListCtrl::SetViewMode(int nMode)
{
    SetRowImageList(nMode);
    CreateColumns(nMode);
}

CImageList* CODListCtrl::SetRowImageList(int nMode)
{
    if (!m_pSmallImages) {
        m_pSmallImages = new CImageList(16, 16);
        m_pSmallImages->Add(IconOf(ICON_SMALL));
        m_pLargeImages = new CImageList(32, 32);
        m_pLargeImages->Add(IconOf(ICON_LARGE));
        m_pExtraImages = new CImageList(16, 16);
        m_pExtraImages->Add(IconOf(ICON_EXTRA));
    }
    if (nMode == ODLIST_SMALL_ROWS)
        return SetSmallImageList(m_pSmallImages);
    if (nMode == ODLIST_LARGE_ROWS)
        return SetSmallImageList(m_pLargeImages);
    return nullptr;
}

void CODListCtrl::CreateColumns(int nMode)
{
    const CColumnDef columns[7] = {{"", LVCFMT_CENTER, m_nDefaultWidths[0]},
                                  {"Type", LVCFMT_LEFT, m_nDefaultWidths[1]},
                                  {"Question Text", LVCFMT_LEFT, m_nDefaultWidths[2]},
                                  {"Index", LVCFMT_LEFT, m_nDefaultWidths[3]},
                                  {"Subjects", LVCFMT_LEFT, m_nDefaultWidths[4]},
                                  {"Images", LVCFMT_CENTER, m_nDefaultWidths[5]},
                                  {"ID", LVCFMT_CENTER, m_nDefaultWidths[6]}};
    MakeColumns(nMode, columns);
}

void CODListCtrl::MakeColumns(int nMode, const CColumnDef (&columns)[7])
{
    DeleteAllItems();
    while (DeleteColumn(0)) {
    }
    const int iconWidth = nMode == ODLIST_SMALL_ROWS ? 16 : nMode == ODLIST_LARGE_ROWS ? 32 : 0;
    InsertColumn(0, "", LVCFMT_LEFT, iconWidth);
    for (int c = 1; c < kColumns; ++c)
        InsertColumn(c, columns[c - 1].label, columns[c - 1].format, columns[c - 1].width);
    // A creation width narrower than its heading would show the heading cut to its first letter.
    for (int c = 1; c < kColumns; ++c)
        SetColumnWidth(c, std::max(GetColumnWidth(c), GetHeadingFitWidth(c)));
    // The program's own IDs run to ten digits: the ID column shows them whole.
    SetColumnWidth(7, std::max(GetColumnWidth(7), IdColumnFitWidth()));
    // Columns made anew are not sorted yet.
    header()->setSortIndicatorShown(false);
}

int CODListCtrl::IdColumnFitWidth()
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* pOld = dc.SelectObject(DrawingFont());
    const int cx = dc.GetTextExtent("0000000000").cx;
    dc.SelectObject(pOld);
    return cx + 12;
}

void CODListCtrl::ShowSortArrow()
{
    QHeaderView* heading = header();
    heading->setSortIndicatorShown(m_nSortColumn >= 0);
    if (m_nSortColumn >= 0)
        heading->setSortIndicator(m_nSortColumn, m_nSortDirection < 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void CODListCtrl::SetDefaultColumnWidth(int nCol, int nWidth)
{
    switch (nCol) {
    case 1: case 2: case 3: case 4: case 7: m_nDefaultWidths[nCol - 1] = nWidth; break;
    default: break;
    }
}

BOOL CODListCtrl::SetBkColor(COLORREF cr)
{
    if (cr != 0)
        m_crBack = cr;
    return CListCtrl::SetBkColor(m_crBack);
}

CString CODListCtrl::GetColumnLabel(int nCol) const
{
    CString label;
    if (!GetColumnHeading(nCol, label)) {
        LogOutput("CODListCtrl::GetColumnLabel() - failed to GetColumn", LOG_ERROR, LOG_HERE);
        return CString();
    }
    return label;
}

CString CODListCtrl::SubjectsText(const CCorraQuestion& question, LPCSTR separator, int nLimit)
{
    const CStringArrayEx& subjects = question.m_saSubjects;
    CString text;
    for (int i = 0; i < subjects.GetSize(); ++i) {
        const CString& subject = subjects[i];
        if (i == 0) {
            text = nLimit > 0 && subject.GetLength() > nLimit ? subject.Left(nLimit - 4) : subject;
            continue;
        }
        text += separator;
        if (nLimit > 0 && text.GetLength() + subject.GetLength() > nLimit) {
            text += "...";
            break;
        }
        text += subject;
    }
    return text;
}

// ---- rows ------------------------------------------------------------------------------------

void CODListCtrl::SetRowTexts(int nItem, CCorraQuestion& q)
{
    SetItemText(nItem, 1, "0");
    SetItemText(nItem, 2, q.GetTypeText());
    SetItemText(nItem, 3, q.m_cszQuestionText);
    SetItemText(nItem, 4, Decimal(q.m_nIndex));
    SetItemText(nItem, 5, SubjectsText(q, ",", kSubjectsLimit));
    SetItemText(nItem, 6, Decimal(q.m_plImages.GetCount()));
    SetItemText(nItem, 7, Decimal(q.m_nId));
}

int CODListCtrl::InsertQuestion(CCorraQuestion* question, int nPos, BOOL bSelect)
{
    if (!question)
        return -1;
    CPtrListEx one;
    one.AddTail(question);
    return InsertQuestionRows(one, nPos, bSelect);
}

int CODListCtrl::InsertQuestions(const CPtrListEx& questions, int nPos, BOOL bSelect)
{
    return InsertQuestionRows(questions, nPos, bSelect);
}

int CODListCtrl::InsertQuestionRows(const CPtrListEx& questions, int nPos, BOOL bSelect)
{
    // One batch: the rows keep the list's order, at the end or from nPos on.
    std::vector<CRow> rows;
    rows.reserve(static_cast<size_t>(questions.GetCount()));
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        if (!q)
            continue;
        q->Refresh();
        q->m_nFlags &= ~QFLAG_LISTED;
        CRow row;
        row.texts = {CString(), "0", q->GetTypeText(), q->m_cszQuestionText, Decimal(q->m_nIndex),
                     SubjectsText(*q, ",", kSubjectsLimit), Decimal(q->m_plImages.GetCount()), Decimal(q->m_nId)};
        row.data = reinterpret_cast<DWORD_PTR>(q);
        row.image = 0;
        rows.push_back(std::move(row));
    }
    if (rows.empty())
        return -1;
    const int first = nPos < 0 || nPos > GetItemCount() ? GetItemCount() : nPos;
    InsertRows(first, rows);
    const int last = first + static_cast<int>(rows.size()) - 1;
    if (bSelect) {
        for (int i = first; i <= last; ++i)
            SetItemState(i, LVIS_SELECTED, LVIS_SELECTED);
    }
    // Appending walks the list head to tail, inserting at a place walks it tail to head: the
    // last row inserted is the last one, or the first one.
    return nPos < 0 ? last : first;
}

int CODListCtrl::InsertFromHint(const CUpdate& hint)
{
    if (hint.Has(UPD_OBJECT))
        return InsertQuestion(static_cast<CCorraQuestion*>(hint.m_pObject), hint.m_nInsertIndex, FALSE);
    if (hint.Has(UPD_QUESTIONS))
        return InsertQuestions(hint.m_plQuestions, hint.m_nInsertIndex, FALSE);
    return -1;
}

int CODListCtrl::UpdateQuestion(CCorraQuestion* question)
{
    const int nItem = FindItem(question);
    if (nItem < 0)
        return -1;
    question->Refresh();
    SetRowTexts(nItem, *question);
    RedrawItems(nItem, nItem);
    viewport()->update();
    return nItem;
}

int CODListCtrl::UpdateItem(int nItem)
{
    CCorraQuestion* q = GetItemQuestion(nItem);
    return q ? UpdateQuestion(q) : -1;
}

int CODListCtrl::UpdateQuestions(const CPtrListEx& questions)
{
    if (questions.IsEmpty())
        return -1;
    std::unordered_map<const CCorraQuestion*, int> rows;
    for (int i = 0; i < GetItemCount(); ++i)
        rows.emplace(GetItemQuestion(i), i);
    int first = -1;
    BOOL all = TRUE;
    BOOL head = TRUE;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        auto it = rows.find(q);
        if (it == rows.end() || !q) {
            all = FALSE;
        } else {
            q->Refresh();
            SetRowTexts(it->second, *q);
            RedrawItems(it->second, it->second);
            if (head)
                first = it->second;
        }
        head = FALSE;
    }
    return all ? first : -1;
}

int CODListCtrl::UpdateQuestionsById(const CDWordArray& ids)
{
    if (ids.GetSize() == 0)
        return -1;
    std::unordered_map<int, int> rows;
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        if (CCorraQuestion* q = GetItemQuestion(i))
            rows[q->m_nId] = i;  // the first row of an ID wins
    }
    int first = -1;
    BOOL all = TRUE;
    for (int k = 0; k < ids.GetSize(); ++k) {
        auto it = rows.find(static_cast<int>(ids[k]));
        if (it == rows.end()) {
            all = FALSE;
            continue;
        }
        CCorraQuestion* q = GetItemQuestion(it->second);
        q->Refresh();
        SetRowTexts(it->second, *q);
        RedrawItems(it->second, it->second);
        if (k == 0)
            first = it->second;
    }
    return all ? first : -1;
}

int CODListCtrl::UpdateFromHint(const CUpdate& hint)
{
    if (hint.Has(UPD_QUESTIONS))
        return UpdateQuestions(hint.m_plQuestions);
    if (hint.Has(UPD_IDS))
        return UpdateQuestionsById(hint.m_dwaIds);
    if (hint.Has(UPD_INSERTINDEX))
        return UpdateItem(hint.m_nInsertIndex);
    if (hint.Has(UPD_OBJECT))
        return UpdateQuestion(static_cast<CCorraQuestion*>(hint.m_pObject));
    return -1;
}

CCorraQuestion* CODListCtrl::GetItemQuestion(int nItem) const
{
    if (nItem < 0 || nItem >= GetItemCount())
        return nullptr;
    return reinterpret_cast<CCorraQuestion*>(GetItemData(nItem));
}

int CODListCtrl::FindItem(const CCorraQuestion* question) const
{
    if (!question)
        return -1;
    for (int i = 0; i < GetItemCount(); ++i) {
        if (GetItemQuestion(i) == question)
            return i;
    }
    return -1;
}

CCorraQuestion* CODListCtrl::FindQuestionById(int id) const
{
    for (int i = 0; i < GetItemCount(); ++i) {
        CCorraQuestion* q = GetItemQuestion(i);
        if (q && q->m_nId == id)
            return q;
    }
    return nullptr;
}

int CODListCtrl::FindQuestionsByIdOrIndex(CPtrListEx& out, int id, int index) const
{
    out.RemoveAll();
    const BOOL every = id < 0 && index == -1;
    for (int i = 0; i < GetItemCount(); ++i) {
        CCorraQuestion* q = GetItemQuestion(i);
        if (!q || q->IsCollection())
            continue;
        if (every || (id >= 0 && q->m_nId == id) || (index >= 0 && q->m_nIndex == index))
            out.AddTail(q);
    }
    return out.GetCount();
}

int CODListCtrl::GetAllItems(CPtrListEx& out) const
{
    out.RemoveAll();
    for (int i = 0; i < GetItemCount(); ++i)
        out.AddTail(GetItemQuestion(i));
    return out.GetCount();
}

int CODListCtrl::GetSelectedItems(CPtrListEx& out, BOOL bCopy) const
{
    out.RemoveAll();
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED)) {
        CCorraQuestion* q = GetItemQuestion(i);
        if (q)
            out.AddTail(bCopy ? new CCorraQuestion(*q) : q);
    }
    return out.GetCount();
}

CCorraQuestion* CODListCtrl::GetSelectedQuestion() const
{
    return GetItemQuestion(GetFirstSelectedItem());
}

CCorraQuestion* CODListCtrl::GetLastSelectedQuestion() const
{
    return GetItemQuestion(GetLastSelectedItem());
}

int CODListCtrl::GetFirstSelectedItem() const
{
    return GetNextItem(-1, LVNI_SELECTED);
}

int CODListCtrl::GetLastSelectedItem() const
{
    for (int i = GetItemCount() - 1; i >= 0; --i) {
        if (GetItemState(i, LVIS_SELECTED))
            return i;
    }
    return -1;
}

BOOL CODListCtrl::SelectItem(int nItem, BOOL bSelect)
{
    return SetItemState(nItem, bSelect ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

BOOL CODListCtrl::SelectQuestion(CCorraQuestion* question, BOOL bEnsureVisible)
{
    const int nItem = FindItem(question);
    if (nItem < 0)
        return FALSE;
    SelectItem(nItem, TRUE);
    if (bEnsureVisible)
        EnsureVisible(nItem, FALSE);
    return TRUE;
}

BOOL CODListCtrl::DeleteItem(int nItem)
{
    m_bDeleting = TRUE;
    const BOOL ok = CListCtrl::DeleteItem(nItem);
    m_bDeleting = FALSE;
    return ok;
}

int CODListCtrl::DeleteRows(const std::vector<int>& rows)
{
    m_bDeleting = TRUE;
    const int n = DeleteItems(rows);
    m_bDeleting = FALSE;
    return n;
}

int CODListCtrl::DeleteQuestions(const CPtrListEx& questions)
{
    std::unordered_set<const void*> doomed;
    for (POSITION pos = questions.GetHeadPosition(); pos;)
        doomed.insert(questions.GetNext(pos));
    std::vector<int> rows;
    for (int i = 0; i < GetItemCount(); ++i) {
        if (doomed.count(GetItemQuestion(i)))
            rows.push_back(i);
    }
    const int n = DeleteRows(rows);
    viewport()->update();
    return n;
}

int CODListCtrl::DeleteSelectedItems()
{
    std::vector<int> rows;
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED))
        rows.push_back(i);
    return DeleteRows(rows);
}

int CODListCtrl::DeleteMarkedItems()
{
    std::vector<int> rows;
    for (int i = 0; i < GetItemCount(); ++i) {
        CCorraQuestion* q = GetItemQuestion(i);
        if (q && IsMarked(*q))
            rows.push_back(i);
    }
    return DeleteRows(rows);
}

// ---- marks -----------------------------------------------------------------------------------

void CODListCtrl::ClearMarks(BOOL bRedraw)
{
    for (int i = 0; i < GetItemCount(); ++i) {
        CCorraQuestion* q = GetItemQuestion(i);
        if (q && !q->IsCollection())
            q->m_nFlags &= ~QFLAG_LISTED;
    }
    if (bRedraw) {
        viewport()->update();
        viewport()->repaint();
    }
}

int CODListCtrl::MarkItems(int id, int index, BOOL bEnsureVisible, const CCorraQuestion* pExcept)
{
    ClearMarks(FALSE);
    int marked = 0;
    for (int i = 0; i < GetItemCount(); ++i) {
        CCorraQuestion* q = GetItemQuestion(i);
        if (!q || q == pExcept || q->IsCollection())
            continue;
        if ((id >= 0 && q->m_nId == id) || (index >= 1 && q->m_nIndex == index)) {
            q->m_nFlags |= QFLAG_LISTED;
            ++marked;
            if (bEnsureVisible)
                EnsureVisible(i, FALSE);
        }
    }
    viewport()->update();
    return marked;
}

int CODListCtrl::CountMarkedItems() const
{
    int n = 0;
    for (int i = 0; i < GetItemCount(); ++i) {
        CCorraQuestion* q = GetItemQuestion(i);
        if (q && IsMarked(*q))
            ++n;
    }
    return n;
}

int CODListCtrl::FindFirstMarked() const
{
    for (int i = 0; i < GetItemCount(); ++i) {
        CCorraQuestion* q = GetItemQuestion(i);
        if (q && IsMarked(*q))
            return i;
    }
    return -1;
}

CCorraQuestion* CODListCtrl::GetFirstMarkedQuestion() const
{
    return GetItemQuestion(FindFirstMarked());
}

// ---- column widths ---------------------------------------------------------------------------

void CODListCtrl::MeasureRow(CCorraQuestion* question, int nItem, CDC* pDC)
{
    if (!question)
        return;
    question->Refresh();
    auto raise = [this](int nCol, int cx) { m_minWidths[static_cast<size_t>(nCol)] = std::max(m_minWidths[static_cast<size_t>(nCol)], cx); };
    raise(0, m_nIconSize);
    CRect r(0, 0, 0, 0);
    const CString number = Decimal(nItem + 1);
    CFontMgr::DrawTextInSlotFont(pDC, number, -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX, kNumberSlot);
    raise(1, r.Width());
    raise(2, pDC->GetTextExtent(question->GetTypeText()).cx);
    // The question text is not measured: its column keeps the width it has.
    raise(4, pDC->GetTextExtent(Decimal(question->m_nIndex)).cx);
    raise(5, pDC->GetTextExtent(SubjectsText(*question, ",", kSubjectsLimit)).cx);
    raise(6, pDC->GetTextExtent(Decimal(question->m_plImages.GetCount())).cx);
    raise(7, pDC->GetTextExtent(Decimal(question->m_nId)).cx);
}

CFont* CODListCtrl::DrawingFont()
{
    return m_pFont ? m_pFont : GetFont();
}

void CODListCtrl::MeasureRows()
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* pOld = dc.SelectObject(DrawingFont());
    for (int i = 0; i < GetItemCount(); ++i)
        MeasureRow(GetItemQuestion(i), i, &dc);
    dc.SelectObject(pOld);
}

int CODListCtrl::FittedWidth(int nCol, int nMinimum)
{
    SetColumnWidth(nCol, LVSCW_AUTOSIZE);
    const int cells = GetColumnWidth(nCol);
    SetColumnWidth(nCol, LVSCW_AUTOSIZE_USEHEADER);
    return std::max({cells, GetColumnWidth(nCol), nMinimum});
}

void CODListCtrl::AutoSizeColumns()
{
    AutoSizeColumnsFrom(kMinWidths);
}

void CODListCtrl::AutoSizeColumnsFrom(const int (&minimums)[8])
{
    m_minWidths.assign(std::begin(minimums), std::end(minimums));
    m_minWidths[0] = m_nIconSize;
    MeasureRows();
    const int nCols = std::min(GetColumnCount(), kColumns);
    for (int c = 0; c < nCols; ++c) {
        if (c == 0)
            SetColumnWidth(0, m_minWidths[0]);
        else if (c != 3)  // the question text keeps its width
            SetColumnWidth(c, FittedWidth(c, m_minWidths[static_cast<size_t>(c)]) + (c >= 4 ? 10 : 0));
    }
}

// ---- notifications ---------------------------------------------------------------------------

BOOL CODListCtrl::OnNotifyReflect(UINT nCode, void* pExtra)
{
    switch (nCode) {
    case NM_CLICK:
        m_nHighlightId = -1;
        m_nHighlightIndex = -1;
        m_pRefQuestion = nullptr;
        break;
    case LVN_COLUMNCLICK:
        if (pExtra && m_bSortHeaders) {
            OnColumnClick(static_cast<NMLISTVIEW*>(pExtra)->iSubItem);
            ShowSortArrow();
        }
        break;
    default:
        break;
    }
    return FALSE;  // the owner hears of it too
}

void CODListCtrl::OnColumnClick(int nCol)
{
    if (nCol <= 1)
        return;
    m_nSortDirection = nCol == m_nSortColumn ? -m_nSortDirection : 1;
    m_nSortColumn = nCol;
    CSortContext ctx;
    ctx.nColumn = nCol;
    ctx.nDirection = m_nSortDirection;
    if (nCol == 3 || nCol == 5) {
        for (int i = 0; i < GetItemCount(); ++i) {
            CCorraQuestion* q = GetItemQuestion(i);
            if (!q)
                continue;
            q->Refresh();
            ctx.texts[q] = nCol == 3 ? RtfToPlainText(q->m_cszQuestionText) : SubjectsText(*q, ", ", 0);
        }
    }
    SortItems(CompareRows, reinterpret_cast<DWORD_PTR>(&ctx));
}

// ---- drawing ---------------------------------------------------------------------------------

BOOL CODListCtrl::IsRowHighlighted(int nItem) const
{
    if (GetItemState(nItem, LVIS_DROPHILITED))
        return TRUE;
    return GetItemState(nItem, LVIS_SELECTED) && (HasFocus() || GetShowSelAlways());
}

CODListCtrl::CRowPaint CODListCtrl::BeginRow(CDC* pDC, int nItem)
{
    CRowPaint paint;
    // The context may come with any font (a printer's, an image's); rows are always drawn in
    // the one they are measured in.
    paint.pOldFont = pDC->SelectObject(DrawingFont());
    paint.nOldBkMode = pDC->SetBkMode(TRANSPARENT);
    paint.bHighlighted = IsRowHighlighted(nItem);
    paint.crFill = m_crBack;
    if (paint.bHighlighted) {
        paint.crOldText = pDC->SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
        paint.crOldBk = pDC->SetBkColor(GetSysColor(COLOR_HIGHLIGHT));
        paint.crFill = GetSysColor(COLOR_HIGHLIGHT);
    }
    return paint;
}

void CODListCtrl::RestoreColours(CDC* pDC, const CRowPaint& paint)
{
    if (paint.bHighlighted) {
        pDC->SetTextColor(paint.crOldText);
        pDC->SetBkColor(paint.crOldBk);
    }
}

void CODListCtrl::EndRow(CDC* pDC, const CRowPaint& paint)
{
    pDC->SetBkMode(paint.nOldBkMode);
    pDC->SelectObject(paint.pOldFont);
}

void CODListCtrl::paintEvent(QPaintEvent* e)
{
    // Read once for the whole paint, not for every row.
    m_nAlignVCenter = CorraApp().GetProfileInt("Settings", "AlignVCenter", 1, TRUE) != 0 ? 1 : 0;
    CListCtrl::paintEvent(e);
    m_nAlignVCenter = -1;
}

const CODListCtrl::CRowText& CODListCtrl::MeasureRowText(CDC* pDC, const CCorraQuestion& question, int nWidth,
                                                          int nRowHeight)
{
    // Measured once per text, width, row height and fonts: a row shows only what fits in it, so
    // only that much is laid out (a long text costs no more than a short one).
    const DWORD fonts = CFontMgr::GetLastFontChange();
    if (m_rowHeights.size() > 2 * static_cast<size_t>(GetItemCount()) + 64)
        m_rowHeights.clear();  // rows deleted since
    CRowText& m = m_rowHeights[&question];
    if (m.lineHeight > 0 && m.width == nWidth && m.rowHeight == nRowHeight && m.fonts == fonts &&
        m.text == question.m_cszQuestionText)
        return m;
    CRect r(0, 0, nWidth, nRowHeight);
    TEXTMETRIC tm{};
    if (IsRtfText(question.m_cszQuestionText)) {
        CFontMgr::DrawTextInSlotFont(pDC, question.m_cszQuestionText, -1, &r,
                                     DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_RTF_FITTING | DT_RTF_DOC_SIZE,
                                     kQuestionTextSlot, -1.0, &tm);
    } else {
        pDC->DrawText(question.m_cszQuestionText, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        pDC->GetTextMetrics(&tm);
    }
    m.text = question.m_cszQuestionText;
    m.width = nWidth;
    m.rowHeight = nRowHeight;
    m.fonts = fonts;
    m.height = r.Height();
    m.lineHeight = std::max(1, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
    return m;
}

BOOL CODListCtrl::DrawRowTextOnScreen(CDC* pDC, const CCorraQuestion& question, const CRect& cell, COLORREF fill,
                                      BOOL bCentre)
{
    // On the screen a rich text is drawn once, from the cell's top, as far as whole lines fit
    // (the engine stops there), then kept as a picture placed by the height it used while
    // nothing it shows changes: a repaint lays out no text again, a first paint lays it out once.
    QPainter* painter = pDC->GetPainter();
    if (pDC->GetWindow() != viewport() || !painter || !IsRtfText(question.m_cszQuestionText) || cell.IsRectEmpty())
        return FALSE;
    if (m_rowTexts.size() > 2 * static_cast<size_t>(GetItemCount()) + 64) {
        m_rowTexts.clear();  // rows deleted since
        m_drawnTexts.clear();
    }
    CRowText& m = m_rowTexts[&question];
    const DWORD fonts = CFontMgr::GetLastFontChange();
    const COLORREF text = pDC->GetTextColor();
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const int cx = cell.Width();
    const int cy = cell.Height();
    if (m.image.isNull() || m.width != cx || m.rowHeight != cy || m.fonts != fonts || m.imageFill != fill ||
        m.imageText != text || m.bCentred != bCentre || m.image.devicePixelRatio() != ratio ||
        m.text != question.m_cszQuestionText) {
        const QColor back(GetRValue(fill), GetGValue(fill), GetBValue(fill));
        QImage drawn(qRound(cx * ratio), qRound(cy * ratio), QImage::Format_RGB32);
        drawn.setDevicePixelRatio(ratio);
        drawn.fill(back);
        int used = cy;
        {
            QPainter imagePainter(&drawn);
            CDC dc(&imagePainter, viewport());
            dc.SetBkMode(TRANSPARENT);
            dc.SetTextColor(text);
            CRect rc(0, 0, cx, cy);
            used = CFontMgr::DrawTextInSlotFont(&dc, question.m_cszQuestionText, -1, &rc,
                                                DT_WORDBREAK | DT_NOPREFIX | DT_RTF_DOC_SIZE, kQuestionTextSlot);
        }
        if (bCentre && used > 0 && used < cy) {
            QImage centred(drawn.size(), QImage::Format_RGB32);
            centred.setDevicePixelRatio(ratio);
            centred.fill(back);
            QPainter centring(&centred);
            const int shift = (cy - used) / 2;
            centring.drawImage(QRectF(0, shift, cx, used), drawn, QRectF(0, 0, cx * ratio, used * ratio));
            centring.end();
            drawn = centred;
        }
        m.image = drawn;
        m.text = question.m_cszQuestionText;
        m.width = cx;
        m.rowHeight = cy;
        m.fonts = fonts;
        m.imageFill = fill;
        m.imageText = text;
        m.bCentred = bCentre;
        // Pictures of the rows drawn last only.
        m.imageStamp = ++m_nImageStamp;
        m_drawnTexts.emplace_back(&question, m.imageStamp);
        while (m_drawnTexts.size() > kKeptTextImages) {
            auto old = m_rowTexts.find(m_drawnTexts.front().first);
            if (old != m_rowTexts.end() && old->second.imageStamp == m_drawnTexts.front().second)
                old->second.image = QImage();
            m_drawnTexts.pop_front();
        }
    }
    pDC->DrawImage(cell.left, cell.top, cx, cy, m.image);
    return TRUE;
}

void CODListCtrl::DrawItem(DRAWITEMSTRUCT* pDrawItem)
{
    const int nItem = static_cast<int>(pDrawItem->itemID);
    CCorraQuestion* q = GetItemQuestion(nItem);
    CDC* pDC = pDrawItem->pDC;
    if (!q || !pDC)
        return;
    q->Refresh();
    const CRowPaint paint = BeginRow(pDC, nItem);
    const BOOL highlighted = paint.bHighlighted;
    COLORREF fill = paint.crFill;
    if (!highlighted && IsMarkedRow(*q) && m_bUseMarkedColour)
        fill = m_crMarked;

    const CRect& row = pDrawItem->rcItem;
    const int rowHeight = row.Height();
    m_nIconSize = rowHeight < 32 ? 16 : 32;
    const int icon = rowHeight < 32 ? (highlighted ? ICON_SMALL_HI : ICON_SMALL) : (highlighted ? ICON_LARGE_HI : ICON_LARGE);
    const BOOL alignVCenter = m_nAlignVCenter >= 0 ? m_nAlignVCenter
                                                   : CorraApp().GetProfileInt("Settings", "AlignVCenter", 1, TRUE) != 0;

    CRect cells[kColumns];
    CellRects(row, cells, kColumns);

    // Column 0: the icon on the list's own colour.
    pDC->FillSolidRect(&cells[0], m_crBack);
    pDC->DrawIcon(cells[0].left, cells[0].top, IconOf(icon), m_nIconSize, m_nIconSize);

    // Column 3: whole lines of the question text that fit into the row.
    int textTop = cells[3].top;
    {
        CRect cell = cells[3];
        pDC->FillSolidRect(&cell, fill);
        // On the screen the text's top is the cell's (only a centred text moves, and then
        // the number and type are centred too).
        if (!DrawRowTextOnScreen(pDC, *q, cell, fill, alignVCenter)) {
            const CRowText& measured = MeasureRowText(pDC, *q, cell.Width(), rowHeight);
            const int textHeight = measured.height;
            CRect r;
            r.left = cell.left;
            r.right = cell.right;
            r.top = cell.top;
            if (textHeight < rowHeight) {
                r.bottom = r.top + textHeight;
                if (alignVCenter) {
                    const int shift = (rowHeight - textHeight) / 2;
                    r.top += shift;
                    r.bottom += shift + 1;
                }
            } else {
                const int line = std::max(1, measured.lineHeight);
                const int lines = std::max(1, rowHeight / line);
                r.bottom = r.top + lines * line;
            }
            // Never into the next row, even when one line is taller than the row.
            CRect clip;
            if (clip.IntersectRect(r, cell)) {
                const int saved = pDC->SaveDC();
                pDC->IntersectClipRect(&clip);
                // A plain text is drawn in the list's face, as the other columns are.
                if (IsRtfText(q->m_cszQuestionText))
                    CFontMgr::DrawTextInSlotFont(pDC, q->m_cszQuestionText, -1, &r,
                                                 DT_WORDBREAK | DT_NOPREFIX | DT_RTF_DOC_SIZE, kQuestionTextSlot);
                else
                    pDC->DrawText(q->m_cszQuestionText, &r, DT_WORDBREAK | DT_NOPREFIX);
                pDC->RestoreDC(saved);
            }
            textTop = r.top;
        }
    }

    // Columns 1 and 2: number and type, centred in the row or level with the text.
    const UINT oneLine = DT_SINGLELINE | DT_NOPREFIX;
    const UINT numberFormat = DT_CENTER | oneLine | (alignVCenter ? DT_VCENTER : 0);
    {
        CRect cell = cells[1];
        pDC->FillSolidRect(&cell, fill);
        if (!alignVCenter)
            cell.top = textTop;
        CFontMgr::DrawTextInSlotFont(pDC, Decimal(nItem + 1), -1, &cell, numberFormat, kNumberSlot);
    }
    {
        CRect cell = cells[2];
        pDC->FillSolidRect(&cell, fill);
        if (!alignVCenter)
            cell.top = textTop;
        pDC->DrawText(q->GetTypeText(), &cell, numberFormat);
    }
    // Columns 5, 6 and 7: subjects, images, ID at the top.
    pDC->FillSolidRect(&cells[5], fill);
    pDC->DrawText(SubjectsText(*q, ",", kSubjectsLimit), &cells[5], DT_LEFT | DT_TOP | oneLine);
    DrawColumn6(pDC, *q, cells[6], fill);
    const BOOL shown = (IsMarked(*q) || highlighted) && ShowsDuplicates();
    pDC->FillSolidRect(&cells[7], q->m_nId == m_nHighlightId && shown ? kRed : fill);
    pDC->DrawText(Decimal(q->m_nId), &cells[7], DT_CENTER | DT_TOP | oneLine);

    RestoreColours(pDC, paint);

    // Column 4: the index in a box around its text, in the normal text colour.
    {
        CRect box = cells[4];
        const CString index = Decimal(q->m_nIndex);
        const CSize ext = pDC->GetTextExtent(index);
        if (ext.cx < box.Width() && ext.cy < box.Height()) {
            const int dx = box.Width() / 2 - ext.cx / 2;
            const int dy = box.Height() / 2 - ext.cy / 2;
            box.DeflateRect(dx, dy);
            box.InflateRect(1, 1);
        }
        const BOOL red = (q->m_nFlags & QFLAG_DUPLICATE_ORIG) && q->m_nIndex == m_nHighlightIndex && shown;
        pDC->FillSolidRect(&box, red ? kRed : kYellow);
        pDC->DrawText(index, &box, DT_CENTER | DT_VCENTER | oneLine);
        DrawIndexMark(pDC, *q, box);
    }
    EndRow(pDC, paint);
}

BOOL CODListCtrl::IsMarkedRow(const CCorraQuestion& question) const
{
    return IsMarked(question);
}

void CODListCtrl::DrawColumn6(CDC* pDC, const CCorraQuestion& question, const CRect& cell, COLORREF fill)
{
    pDC->FillSolidRect(&cell, fill);
    CRect r = cell;
    pDC->DrawText(Decimal(question.m_plImages.GetCount()), &r, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}
