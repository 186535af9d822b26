#include "views/ExamListCtrl.h"

#include "foundation/FileUtil.h"
#include "model/ExamQuestion.h"
#include "platform/ui/DC.h"
#include "platform/ui/ResourceImage.h"
#include "res/ids/ExamView.h"
#include "res/ids/QuestionIcons.h"

#include <QImage>

#include <unordered_map>

namespace {

constexpr int kMinWidths[8] = {16, 35, 40, 225, 40, 100, 175, 35};

const CExamQuestion* AsExam(const CCorraQuestion& question)
{
    return dynamic_cast<const CExamQuestion*>(&question);
}

// The marks drawn over rows, read once (rows are drawn on the user-interface thread only).
const QImage& Picture(UINT id)
{
    static std::unordered_map<UINT, QImage> pictures;
    auto it = pictures.find(id);
    if (it == pictures.end()) {
        QImage image;
        LoadResourceImage(id, image);
        it = pictures.emplace(id, image).first;
    }
    return it->second;
}

struct CLinkSort {
    int nDirection = 1;
    std::unordered_map<const CCorraQuestion*, CString> names;
};

int CompareLinks(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort)
{
    const auto* ctx = reinterpret_cast<const CLinkSort*>(lParamSort);
    const auto* a = reinterpret_cast<const CCorraQuestion*>(lParam1);
    const auto* b = reinterpret_cast<const CCorraQuestion*>(lParam2);
    const int result = ctx->names.at(a).CompareNoCase(ctx->names.at(b));
    const int sign = (result > 0) - (result < 0);
    return ctx->nDirection < 0 ? -sign : sign;
}

} // namespace

CExamListCtrl::CExamListCtrl(CCorraDoc* pDoc, CWnd* pOwner, COLORREF crBack, CFont* pFont, QWidget* parent)
    : CODListCtrl(pDoc, pOwner, crBack, pFont, parent)
{
}

CString CExamListCtrl::LinkName(const CCorraQuestion& question)
{
    const CExamQuestion* exam = AsExam(question);
    CString name;
    if (exam && exam->m_bLinked)
        GetFileNameOfPath(name, exam->m_csCorraFile);
    return name;
}

CString CExamListCtrl::LinkPath(const CCorraQuestion& question)
{
    const CExamQuestion* exam = AsExam(question);
    CString path;
    if (exam && exam->m_bLinked) {
        GetServerRelativePath(path, exam->m_csCorraFile);
        if (path.IsEmpty())
            path = exam->m_csCorraFile;
    }
    return path;
}

COLORREF CExamListCtrl::LinkFill(const CCorraQuestion& question, COLORREF fill)
{
    const CExamQuestion* exam = AsExam(question);
    if (!exam || !exam->m_bFileExists)
        return EXAM_LINK_MISSING;
    return exam->m_bOutOfDate ? EXAM_LINK_OUT_OF_DATE : fill;
}

// ---- columns ---------------------------------------------------------------------------------

void CExamListCtrl::CreateColumns(int nMode)
{
    const CColumnDef columns[7] = {{"", LVCFMT_CENTER, 35},           {"Type", LVCFMT_LEFT, 40},
                                  {"Question Text", LVCFMT_LEFT, 225}, {"Index", LVCFMT_LEFT, 40},
                                  {"Subject", LVCFMT_LEFT, 100},     {"Link", LVCFMT_LEFT, 175},
                                  {"ID", LVCFMT_LEFT, 35}};
    MakeColumns(nMode, columns);
}

void CExamListCtrl::AutoSizeColumns()
{
    AutoSizeColumnsFrom(kMinWidths);
}

void CExamListCtrl::MeasureRow(CCorraQuestion* question, int nItem, CDC* pDC)
{
    CODListCtrl::MeasureRow(question, nItem, pDC);
    if (!question)
        return;
    const int cx = pDC->GetTextExtent(LinkPath(*question)).cx;
    m_minWidths[6] = std::max(m_minWidths[6], cx);
}

// ---- rows ------------------------------------------------------------------------------------

void CExamListCtrl::SetRowTexts(int nItem, CCorraQuestion& question)
{
    CODListCtrl::SetRowTexts(nItem, question);
    SetItemText(nItem, 6, LinkName(question));
}

int CExamListCtrl::InsertQuestions(const CPtrListEx& questions, int nPos, BOOL bSelect)
{
    // The base clears each row's mark as it inserts it; an exam list keeps it.
    std::vector<std::pair<CCorraQuestion*, int>> rows;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(questions.GetNext(pos));
        if (q)
            rows.emplace_back(q, q->m_nFlags);
    }
    const int before = GetItemCount();
    const int first = nPos < 0 || nPos > before ? before : nPos;
    const int result = InsertQuestionRows(questions, nPos, bSelect);
    for (size_t k = 0; k < rows.size(); ++k) {
        rows[k].first->m_nFlags = rows[k].second;
        SetItemText(first + static_cast<int>(k), 6, LinkName(*rows[k].first));
    }
    return result;
}

int CExamListCtrl::InsertQuestion(CCorraQuestion* question, int nPos, BOOL bSelect)
{
    return InsertExamQuestion(question, nPos, bSelect);
}

int CExamListCtrl::InsertExamQuestion(CCorraQuestion* question, int nPos, BOOL bSelect)
{
    if (!question)
        return -1;
    CPtrListEx one;
    one.AddTail(question);
    return CExamListCtrl::InsertQuestions(one, nPos, bSelect);
}

int CExamListCtrl::UpdateExamQuestion(CCorraQuestion* question)
{
    return UpdateQuestion(question);
}

void CExamListCtrl::OnColumnClick(int nCol)
{
    if (nCol != 6) {
        CODListCtrl::OnColumnClick(nCol);
        return;
    }
    // By the linked file's name, whatever folder it is in.
    m_nSortDirection = nCol == m_nSortColumn ? -m_nSortDirection : 1;
    m_nSortColumn = nCol;
    CLinkSort ctx;
    ctx.nDirection = m_nSortDirection;
    for (int i = 0; i < GetItemCount(); ++i)
        if (CCorraQuestion* q = GetItemQuestion(i))
            ctx.names[q] = LinkName(*q);
    SortItems(CompareLinks, reinterpret_cast<DWORD_PTR>(&ctx));
}

// ---- drawing ---------------------------------------------------------------------------------

BOOL CExamListCtrl::IsMarkedRow(const CCorraQuestion& question) const
{
    return question.m_nFlags != 0;
}

void CExamListCtrl::DrawColumn6(CDC* pDC, const CCorraQuestion& question, const CRect& cell, COLORREF fill)
{
    pDC->FillSolidRect(&cell, LinkFill(question, fill));
    CRect r = cell;
    pDC->DrawText(LinkPath(question), &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

void CExamListCtrl::DrawIndexMark(CDC* pDC, const CCorraQuestion& question, const CRect& box)
{
    const CExamQuestion* exam = AsExam(question);
    if (!exam || !exam->IsFixed())
        return;
    const QImage& pin = Picture(IDI_FIXED_PIN);
    if (pin.isNull())
        return;
    const int x = box.left + static_cast<int>(0.7 * m_nIconSize);
    const int y = box.top + static_cast<int>(0.25 * m_nIconSize);
    pDC->DrawImage(x, y, m_nIconSize, m_nIconSize, pin);
}

void CExamListCtrl::DrawItem(DRAWITEMSTRUCT* pDrawItem)
{
    CODListCtrl::DrawItem(pDrawItem);
    const int nItem = static_cast<int>(pDrawItem->itemID);
    CCorraQuestion* q = GetItemQuestion(nItem);
    CDC* pDC = pDrawItem->pDC;
    if (!q || !pDC)
        return;
    // A linked question's icon carries the chain, or the mark of a changed source.
    if (const CExamQuestion* exam = AsExam(*q); exam && (exam->m_bLinked || exam->m_bOutOfDate)) {
        const BOOL large = m_nIconSize >= 32;
        const UINT id = exam->m_bOutOfDate ? (large ? IDI_OUT_OF_DATE : IDI_OUT_OF_DATE_SMALL)
                                           : (large ? IDI_LINKED : IDI_LINKED_SMALL);
        if (const QImage& mark = Picture(id); !mark.isNull())
            pDC->DrawImage(pDrawItem->rcItem.left, pDrawItem->rcItem.top, m_nIconSize, m_nIconSize, mark);
    }
    MeasureRow(q, nItem, pDC);
}

void CExamListCtrl::paintEvent(QPaintEvent* e)
{
    CODListCtrl::paintEvent(e);
    // Once per paint, not per row: the parent only answers it.
    if (CWnd* pParent = GetParent(); pParent && GetItemCount() > 0)
        pParent->PostMessage(WM_EXAM_LIST_PAINTED);
}

// ---- forms -----------------------------------------------------------------------------------

CExamFormListCtrl::CExamFormListCtrl(CCorraDoc* pDoc, CWnd* pOwner, COLORREF crBack, CFont* pFont, QWidget* parent)
    : CCollListCtrl(pDoc, pOwner, crBack, pFont, parent)
{
    SetFormIcons();
}

void CExamFormListCtrl::Reset()
{
    CCollListCtrl::Reset();
    SetFormIcons();
}

void CExamFormListCtrl::SetFormIcons()
{
    // A form whose window is open shows as the current one.
    SetIconIds(IDI_FORM_SMALL, IDI_FORM_CURRENT_SMALL, IDI_FORM, IDI_FORM_CURRENT);
}
