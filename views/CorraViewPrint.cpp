// Printing and print preview of the question pane: the print commands, the margins, the numbering
// of the questions with their groups, pagination and the printing of each page with its frame.
//
// A print job lays out a copy of the view's questions (in group order, with the groups' header
// questions) and draws with a draw context of its own: the document, its order and its modified
// state stay as they were, and the screen's views go on drawing as the screen.

#include "views/CorraView.h"

#include "views/CorraPreviewView.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "foundation/LogException.h"
#include "foundation/Numbering.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/DocumentDialogs.h"
#include "model/ExamDoc.h"
#include "model/Group.h"
#include "platform/core/Services.h"
#include "platform/ui/DC.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/Print.h"
#include "print/PageFrame.h"
#include "print/PageMarginsDlg.h"
#include "render/FontMgr.h"
#include "render/RtfDraw.h"
#include "render/RtfText.h"
#include "res/ids/Print.h"
#include "res/ids/QuestionTypes.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

constexpr LPCSTR kMarginKeys[] = {"LeftMargin", "RightMargin", "TopMargin", "BottomMargin"};
// Blank lines the print spacing may ask for between questions and before choices.
constexpr int kMaxSepLines = 10;

// A print mode the question drawing knows; 0 (the whole question) for any other value.
int UsablePrintMode(int mode)
{
    return mode >= QDRAW_FULL && mode <= QDRAW_ANSWERS ? mode : QDRAW_FULL;
}

// Puts the device context back however the page ends.
class CSavedDC {
public:
    explicit CSavedDC(CDC* pDC) : m_pDC(pDC), m_nSaved(pDC->SaveDC()) {}
    ~CSavedDC() { m_pDC->RestoreDC(m_nSaved); }
    CSavedDC(const CSavedDC&) = delete;
    CSavedDC& operator=(const CSavedDC&) = delete;

private:
    CDC* m_pDC;
    int m_nSaved;
};

// Whether y has reached the bottom edge, going down.
BOOL Reaches(int y, int bottom, int down)
{
    return down * (y - bottom) >= 0;
}

CRect Normalized(const CRect& rc)
{
    CRect r = rc;
    r.NormalizeRect();
    return r;
}

// The text of a line as UTF-8, every character kept: RTF made plain, line ends made blanks.
CString OneLine(const CString& text)
{
    CString plain = RtfToTextUtf8(text);
    plain.Replace("\r\n", " ");
    plain.Replace('\r', ' ');
    plain.Replace('\n', ' ');
    plain.Replace('\t', ' ');
    plain.Trim();
    return plain;
}

} // namespace

void CCorraView::BindPrintingCommands()
{
    BindCommand(ID_FILE_PRINT, [this] { OnCorraFilePrint(FALSE); });
    BindCommand(ID_FILE_PRINT_DIRECT, [this] { OnCorraFilePrint(TRUE); });
    BindCommand(ID_FILE_PRINT_PREVIEW, [this] { OnCorraPrintPreview(); });
    BindCommand(ID_PRINT_MARGINS, [this] { OnPrintMargins(); });
}

// ---- margins

void CCorraView::SaveMargins()
{
    CCorraDoc* pDoc = GetCorraDoc();
    const CString section = pDoc ? pDoc->GetProfileSection() : CString(CCorraDoc::PROFILE_SECTION);
    const CPageMargins m = GetMargins();
    const double values[] = {m.left, m.right, m.top, m.bottom};
    for (int i = 0; i < 4; ++i)
        CorraApp().WriteProfileDouble(section, kMarginKeys[i], values[i], 2);
}

void CCorraView::LoadMargins()
{
    CCorraDoc* pDoc = GetCorraDoc();
    const CString section = pDoc ? pDoc->GetProfileSection() : CString(CCorraDoc::PROFILE_SECTION);
    CPageMargins m = GetMargins();
    double* values[] = {&m.left, &m.right, &m.top, &m.bottom};
    for (int i = 0; i < 4; ++i)
        *values[i] = CorraApp().GetProfileDouble(section, kMarginKeys[i], *values[i], FALSE, 6);
    SetMargins(m);
}

void CCorraView::OnPrintMargins()
{
    LoadMargins();
    CPageMarginsDlg dlg(GetMarginsCaption(), this);
    const CPageMargins before = GetMargins();
    dlg.m_dLeft = before.left;
    dlg.m_dTop = before.top;
    dlg.m_dRight = before.right;
    dlg.m_dBottom = before.bottom;
    if (dlg.DoModal() != IDOK)
        return;
    CPageMargins after;
    after.left = dlg.m_dLeft;
    after.top = dlg.m_dTop;
    after.right = dlg.m_dRight;
    after.bottom = dlg.m_dBottom;
    SetMargins(after);
    SaveMargins();
}

// ---- commands

BOOL CCorraView::RunPrintingProperties(int& nPrintMode)
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return FALSE;
    if (DocumentDialogs().HasPrintingPropertiesDialog() && !pDoc->ShowPrintingProperties(nPrintMode))
        return FALSE;
    nPrintMode = pDoc->m_nPrintMode;
    return TRUE;
}

BOOL CCorraView::PreparePrintDocument(BOOL bSilent, BOOL bSkip)
{
    CCorraDoc* pDoc = GetCorraDoc();
    if (!pDoc)
        return FALSE;
    // Printing from a preview keeps the preview's mode.
    if (bSkip && m_nPrintMode >= 0)
        return TRUE;
    int mode = bSilent || bSkip ? pDoc->m_nPrintMode : m_nPrintMode;
    if (!bSilent && !bSkip && !RunPrintingProperties(mode))
        return FALSE;
    m_nPrintMode = UsablePrintMode(mode);
    return TRUE;
}

void CCorraView::OnCorraFilePrint(BOOL bDirect)
{
    if (IsCollectionPane()) {
        if (m_pSibling)
            m_pSibling->PostCommand(bDirect ? ID_FILE_PRINT_DIRECT : ID_FILE_PRINT);
        return;
    }
    if (!PreparePrintDocument(FALSE, m_bPrintFromPreview))
        return;
    DoFilePrint(bDirect);
}

void CCorraView::OnCorraPrintPreview()
{
    if (IsCollectionPane()) {
        if (m_pSibling)
            m_pSibling->PostCommand(ID_FILE_PRINT_PREVIEW);
        return;
    }
    if (PreparePrintDocument())
        PrintOrPreview(TRUE, FALSE, &CreateCorraPreviewView);
}

void CCorraView::PrintOrPreview(BOOL bPreview, BOOL bDirect, PreviewFactory pfnCreate)
{
    if (!bPreview) {
        DoFilePrint(bDirect);
        return;
    }
    m_bPrintRefused = FALSE;
    if (!DoPrintPreview(IDD_PREVIEW_BAR, this, pfnCreate) && !m_bPrintRefused)
        ReportCommandFailure();
}

// ---- the print steps

BOOL CCorraView::OnPreparePrinting(CPrintInfo* pInfo)
{
    m_bPrintRefused = FALSE;
    LoadMargins();
    BOOL bPrepared;
    if (m_bSilentPrepare) {
        // No dialog: the printer set up is taken as it stands.
        const BOOL bPreview = pInfo->m_bPreview;
        pInfo->m_bPreview = TRUE;
        bPrepared = DoPreparePrinting(pInfo);
        pInfo->m_bPreview = bPreview;
    } else {
        bPrepared = DoPreparePrinting(pInfo);
    }
    if (!bPrepared)
        return FALSE;
    CPrinterDC dc(pInfo->m_pPD->GetPrinter());
    const CString why = pageframe::CheckMargins(&dc, GetMargins());
    if (!why.IsEmpty()) {
        AfxMessageBox(why, MB_OK | MB_ICONEXCLAMATION);
        m_bPrintRefused = TRUE;
        return FALSE;
    }
    return TRUE;
}

void CCorraView::OnBeginPrinting(CDC*, CPrintInfo* pInfo)
{
    CCorraDoc* pDoc = GetCorraDoc();
    auto job = std::make_unique<CCorraPrintJob>();
    if (pInfo->m_pPD->PrintRange()) {
        job->nFromPage = std::max(pInfo->GetFromPage(), 1u);
        job->nToPage = std::max(pInfo->GetToPage(), job->nFromPage);
    }
    job->nTitlePage = static_cast<int>(job->nFromPage);
    job->nPrintMode = UsablePrintMode(m_nPrintMode >= 0 ? m_nPrintMode : pDoc ? pDoc->m_nPrintMode : 0);
    LayOutPrintJob(*job, !m_bBusy && !m_bSilentPrepare);
    m_printJobs[pInfo] = std::move(job);
}

void CCorraView::CollectPrintQuestions(CCorraPrintJob& job)
{
    job.elements.clear();
    for (int i = 0; i < m_elements.GetCount(); ++i) {
        CCorraQuestion* q = m_elements[i].pQuestion;
        if (q && !q->IsCollection())
            job.elements.push_back(q);
    }
}

void CCorraView::LayOutPrintJob(CCorraPrintJob& job, BOOL bWarnGroups)
{
    CCorraDoc* pDoc = GetCorraDoc();
    CollectPrintQuestions(job);
    if (pDoc && !pDoc->m_plGroups.IsEmpty()) {
        if (bWarnGroups) {
            CRichMessage message;
            message.title = "Question Grouping";
            message.dontShowKey = "DontShowGroupingWarning";
            message.pane[0] = "Question Groups may reorder questions";
            RichMessageBoxService().Show(message);
        }
        CPtrListEx headers;
        pDoc->MakeGroupHeaderQuestions(headers);
        if (!headers.IsEmpty()) {
            auto* first = static_cast<CCorraQuestion*>(headers.GetHead());
            if (std::find(job.elements.begin(), job.elements.end(), first) == job.elements.end()) {
                for (POSITION pos = headers.GetHeadPosition(); pos;)
                    job.elements.push_back(static_cast<CCorraQuestion*>(headers.GetNext(pos)));
            }
        }
        // The copy goes in group order; the document and the view keep theirs.
        CPtrListEx order;
        for (CCorraQuestion* q : job.elements)
            order.AddTail(q);
        pDoc->OrderItemsByGroups(order, [](void* p) {
            auto* q = static_cast<CCorraQuestion*>(p);
            return q->IsCollection() ? 0 : q->m_nMemberId;
        });
        job.elements.clear();
        for (POSITION pos = order.GetHeadPosition(); pos;)
            job.elements.push_back(static_cast<CCorraQuestion*>(order.GetNext(pos)));
    }
    job.pageStarts.assign(1, 0);
    job.nFirstNumber = GetFirstPrintNumber();
    NumberQuestions(job);
    job.bPaginationPending = TRUE;
}

CCorraPrintJob* CCorraView::GetPrintJob(const CPrintInfo* pInfo) const
{
    auto it = m_printJobs.find(pInfo);
    return it == m_printJobs.end() ? nullptr : it->second.get();
}

int CCorraView::GetFirstPrintNumber() const
{
    const CCorraDoc* pDoc = GetCorraDoc();
    return pDoc ? std::max(pDoc->m_nFirstQuestionNumber, 1) : 1;
}

void CCorraView::NumberQuestions(CCorraPrintJob& job)
{
    CCorraDoc* pDoc = GetCorraDoc();
    // Counters of the job's own: numbering for paper leaves the groups as they are.
    std::map<int, int> groupCounters;
    int main = job.nFirstNumber;
    int headers = 1;
    job.numbers.clear();
    for (CCorraQuestion* q : job.elements) {
        int number = 0;
        CGroup* header = pDoc ? pDoc->FindGroupByHeader(q) : nullptr;
        CGroup* group = !header && pDoc && q->m_nMemberId != 0 ? pDoc->FindGroupById(q->m_nMemberId) : nullptr;
        if (header) {
            if ((header->m_dwFlags & GROUP_HEADER_NUMBER_MASK) == 0x200)
                number = main++;
            else if (header->GetHeaderNumberStyle() != CNumbering::NUM_NONE)
                number = headers++;
        } else if (group && (group->m_dwFlags & GROUP_NUMBER_MASK) != 2) {
            if (group->GetQuestNumberStyle() != CNumbering::NUM_NONE) {
                auto it = groupCounters.emplace(group->m_nId, 1).first;
                number = it->second++;
            }
        } else {
            number = main++;
        }
        job.numbers[q] = number;
    }
}

void CCorraView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnPrepareDC(pDC, pInfo);
    if (!pInfo) {
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetMapMode(MM_TEXT);
        return;
    }
    pDC->SetMapMode(MM_TWIPS);
    CCorraPrintJob* job = GetPrintJob(pInfo);
    const int nPage = job ? job->PageOf(pInfo->m_nCurPage) : 0;
    if (!job || job->elements.empty() || nPage > static_cast<int>(job->nToPage)) {
        pInfo->m_bContinuePrinting = FALSE;
        return;
    }
    // The pages are known before the first is started: a range past the last page prints no
    // empty sheet.
    if (job->bPaginationPending) {
        const CRect saved = pInfo->m_rectDraw;
        pInfo->m_rectDraw.SetRect(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
        pDC->DPtoLP(&pInfo->m_rectDraw);
        if (m_bApplyMargins)
            ApplyMargins(pDC, pInfo);
        PaginateDocument(pDC, pInfo);
        pInfo->m_rectDraw = saved;
    }
    pInfo->m_bContinuePrinting = !job->bPaginationPending && nPage <= static_cast<int>(job->pageStarts.size());
}

void CCorraView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CCorraDoc* pDoc = GetCorraDoc();
    CCorraPrintJob* job = GetPrintJob(pInfo);
    if (!pDoc || !job)
        return;
    pDoc->LoadPrintValues();
    const int nPage = job->PageOf(pInfo->m_nCurPage);
    if (nPage < static_cast<int>(job->nFromPage) || nPage > static_cast<int>(job->nToPage))
        return;
    CSavedDC saved(pDC);
    try {
        if (m_bApplyMargins)
            ApplyMargins(pDC, pInfo);
        if (job->bPaginationPending && !PaginateDocument(pDC, pInfo))
            return;
        if (nPage < 1 || nPage > static_cast<int>(job->pageStarts.size()))
            return;
        LayoutPageFrame(pDC, pInfo, nPage, TRUE);
        // A question taller than the body prints alone and stops at the footer.
        const CRect body = Normalized(pInfo->m_rectDraw);
        pDC->IntersectClipRect(body.left, body.top, body.right, body.bottom);
        const int first = job->pageStarts[static_cast<size_t>(nPage - 1)];
        const int end = nPage < static_cast<int>(job->pageStarts.size()) ? job->pageStarts[static_cast<size_t>(nPage)]
                                                                         : static_cast<int>(job->elements.size());
        int y = pInfo->m_rectDraw.top;
        for (int i = first; i < end; ++i) {
            CCorraQuestion* q = job->elements[static_cast<size_t>(i)];
            if (!q || q->IsCollection())
                continue;
            if (!PrintQuestion(pDC, pInfo, q, y, TRUE))
                break;
        }
    } catch (const std::exception& e) {
        LogException(e, LOG_HERE);
    } catch (...) {
        LogUnknownException(LOG_HERE);
    }
}

void CCorraView::OnEndPrinting(CDC*, CPrintInfo* pInfo)
{
    m_printJobs.erase(pInfo);
    if (m_printJobs.empty())
        m_nPrintMode = -1;
    if (m_bSilentPrepare) {
        m_bSilentPrepare = FALSE;
        return;
    }
    // The ordinary close: it asks to save what was changed.
    if (m_bCloseAfterPrinting && !pInfo->m_bPreview) {
        m_bCloseAfterPrinting = FALSE;
        PostCommand(ID_FILE_CLOSE);
    }
}

// ---- pages

BOOL CCorraView::PaginateDocument(CDC* pDC, CPrintInfo* pInfo)
{
    CCorraPrintJob* job = GetPrintJob(pInfo);
    if (!job)
        return FALSE;
    const int down = pageframe::Down(pDC);
    const CRect page = pInfo->m_rectDraw;
    auto bodyOf = [&](int nPage) {
        pInfo->m_rectDraw = page;
        LayoutPageFrame(pDC, pInfo, nPage, FALSE);
        return pInfo->m_rectDraw;
    };
    CCorraDoc* pDoc = GetCorraDoc();
    job->pageStarts.assign(1, 0);
    int nPage = 1;
    CRect body = bodyOf(nPage);
    int y = body.top;
    BOOL bPageEmpty = TRUE;
    for (int i = 0; i < static_cast<int>(job->elements.size()); ++i) {
        CCorraQuestion* q = job->elements[static_cast<size_t>(i)];
        if (!q || q->IsCollection())
            continue;
        CGroup* header = pDoc ? pDoc->FindGroupByHeader(q) : nullptr;
        const BOOL bTopOfPage = header && (header->m_dwFlags & GROUP_TOP_OF_PAGE);
        int at = y;
        pInfo->m_rectDraw = body;
        PrintQuestion(pDC, pInfo, q, at, FALSE);
        if (!bPageEmpty && (bTopOfPage || Reaches(at, body.bottom, down))) {
            job->pageStarts.push_back(i);
            body = bodyOf(++nPage);
            y = body.top;
            at = y;
            pInfo->m_rectDraw = body;
            PrintQuestion(pDC, pInfo, q, at, FALSE);
        }
        if (bPageEmpty && down * (at - body.bottom) > 0)
            LogOutput(CString::Formatted("Question %d is taller than the page: it prints alone, cut off at the footer",
                                         q->m_nId),
                      LOG_ERROR, LOG_HERE);
        bPageEmpty = FALSE;
        y = at;
    }
    pInfo->m_rectDraw = page;
    pInfo->SetMaxPage(static_cast<UINT>(job->pageStarts.size()));
    job->bPaginationPending = FALSE;
    m_nLastPageCount = static_cast<int>(job->pageStarts.size());
    return TRUE;
}

void CCorraView::LayoutPageFrame(CDC* pDC, CPrintInfo* pInfo, int nPage, BOOL bDraw)
{
    CCorraPrintJob* job = GetPrintJob(pInfo);
    if (job)
        job->nFramePage = nPage;
    DrawHeader(pDC, pInfo, bDraw);
    DrawFooter(pDC, pInfo, nPage, bDraw);
    if (job && nPage == job->nTitlePage)
        DrawTitleBlock(pDC, pInfo, nullptr, bDraw);
    CRect& rect = pInfo->m_rectDraw;
    const int down = pageframe::Down(pDC);
    rect.top += down * DrawSeparator(pDC, rect.left, rect.top, rect.Width(), 1, bDraw, pInfo);
    // Instructions that fill the page leave an empty body, never one turned inside out.
    if (down * (rect.top - rect.bottom) > 0)
        rect.top = rect.bottom;
}

void CCorraView::ApplyMargins(CDC* pDC, CPrintInfo* pInfo)
{
    pageframe::ApplyMargins(pDC, pInfo->m_rectDraw, GetMargins());
}

CRect CCorraView::GetHeaderRect(CDC* pDC, CPrintInfo* pInfo)
{
    return pageframe::HeaderRect(pDC, pInfo->m_rectDraw);
}

CRect CCorraView::GetFooterRect(CDC* pDC, CPrintInfo* pInfo)
{
    return pageframe::FooterRect(pDC, pInfo->m_rectDraw);
}

void CCorraView::DrawHeader(CDC* pDC, CPrintInfo* pInfo, BOOL bDraw)
{
    const CRect header = GetHeaderRect(pDC, pInfo);
    CCorraDoc* pDoc = GetCorraDoc();
    if (bDraw && pDoc)
        pageframe::DrawHeader(pDC, header, pDoc->m_csTitle1, pDoc->m_csTitle2);
    pInfo->m_rectDraw.top = header.bottom;
}

void CCorraView::DrawFooter(CDC* pDC, CPrintInfo* pInfo, int nPage, BOOL bDraw)
{
    const CRect footer = GetFooterRect(pDC, pInfo);
    CCorraDoc* pDoc = GetCorraDoc();
    if (bDraw && pDoc)
        pageframe::DrawFooter(pDC, footer, pDoc->GetPathName(), nPage);
    pInfo->m_rectDraw.bottom = footer.top;
}

int CCorraView::DrawTitleBlock(CDC* pDC, CPrintInfo* pInfo, CRect* pRect, BOOL bDraw)
{
    CCorraDoc* pDoc = GetCorraDoc();
    CRect& rect = pRect ? *pRect : pInfo->m_rectDraw;
    const int height = pDoc ? pageframe::DrawTitleBlock(pDC, rect, pDoc->m_csInstructions, bDraw) : 0;
    const int below = rect.top + pageframe::Down(pDC) * height;
    if (!pRect)
        rect.top = below;
    return below;
}

int CCorraView::DrawSeparator(CDC* pDC, int x, int y, int width, int nPenWidth, BOOL bDraw, CPrintInfo*)
{
    return pageframe::DrawSeparator(pDC, x, y, width, nPenWidth, bDraw);
}

// ---- one question

int CCorraView::PrintQuestion(CDC* pDC, CPrintInfo* pInfo, CCorraQuestion* q, int& y, BOOL bDraw)
{
    CCorraPrintJob* job = GetPrintJob(pInfo);
    CCorraDoc* pDoc = GetCorraDoc();
    if (!job || !q)
        return 0;
    const int down = pageframe::Down(pDC);
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    const int line = static_cast<int>(tm.tmHeight + tm.tmExternalLeading);

    CGroup* header = pDoc ? pDoc->FindGroupByHeader(q) : nullptr;
    CGroup* group = header ? header : pDoc && q->m_nMemberId != 0 ? pDoc->FindGroupById(q->m_nMemberId) : nullptr;
    CRect rect = pInfo->m_rectDraw;
    // Spaces of a damaged group record stay on the page.
    auto lines = [](int n) { return std::clamp(n, 0, 50); };
    if (header)
        y += down * lines(header->m_nTopSpace) * line;
    else if (group && (group->m_dwFlags & GROUP_INDENTED)) {
        const int inset = static_cast<int>(rect.Width() * 0.05);
        rect.left += inset;
        rect.right -= inset;
    }
    const int style = !group ? CNumbering::NUM_DECIMAL : header ? group->GetHeaderNumberStyle() : group->GetQuestNumberStyle();
    const CString number = CNumbering(style, job->NumberOf(q)).GetText();

    CDrawContext ctx;
    ctx.pDC = pDC;
    ctx.target = pInfo->m_bPreview ? DrawTarget::Preview : DrawTarget::Printer;
    ctx.mode = job->nPrintMode;
    ctx.printLayout = TRUE;
    const CString section = pDoc ? pDoc->GetProfileSection() : CString(CCorraDoc::PROFILE_SECTION);
    // An exam keeps the indent it printed with in its section.
    const BOOL bExam = dynamic_cast<CExamDoc*>(pDoc) != nullptr;
    ctx.choicesIndent = std::clamp(CorraApp().GetProfileInt(section, "ChoicesIndentLevel", 5, bExam), 0, 80);
    ctx.firstNumber = job->nFirstNumber;
    ctx.answers = pDoc && pDoc->m_bShowAnswers;
    if (pDoc) {
        ctx.choiceSepLines = std::clamp(pDoc->m_nNumQuestChoiceSepLines, 0, kMaxSepLines);
        ctx.questSepLines = std::clamp(pDoc->m_nNumQuestSepLines, 0, kMaxSepLines);
    }

    const int mode = job->nPrintMode;
    if ((mode == 3 || mode == 5) && !header) {
        const int width = rect.Width();
        const CString label = CCorraQuestion::NumberLabel(number, q->m_nId);
        CRect labelRect(rect.left, y, rect.right, y);
        CSize labelSize;
        {
            CRect r = labelRect;
            labelSize.cy = std::abs(CFontMgr::DrawTextInSlotFont(pDC, label, -1, &r,
                                                                 DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT, FM_QUESTIONNO));
            labelSize.cx = std::abs(r.Width());
        }
        labelRect.bottom = y + down * labelSize.cy;
        if (CCorraQuestion::HasAnswerSpace(q->m_nType)) {
            const double share = q->m_nType == static_cast<int>(IDS_QTYPE_ES)   ? 1.0
                                 : q->m_nType == static_cast<int>(IDS_QTYPE_SA) ? 0.66
                                                                                : 0.33;
            CRect box(rect.left + static_cast<int>(0.1 * width), y, rect.left + static_cast<int>(share * width), y);
            const CString answer = IsRtfEmpty(q->m_cszAnswer) ? CString(" *** ") : q->m_cszAnswer;
            int height;
            if (mode == 5) {
                // Never more than the body: a page-high answer space would run into the footer.
                height = std::min(q->GetPageExtent(pDC), pageframe::HeightOf(pInfo->m_rectDraw));
            } else {
                CRect r = box;
                height = std::abs(CFontMgr::DrawTextInSlotFont(pDC, answer, -1, &r,
                                                               DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT, FM_ANSWER));
            }
            box.bottom = y + down * height;
            if (bDraw) {
                const int oldMode = pDC->SetBkMode(TRANSPARENT);
                CFontMgr::DrawTextInSlotFont(pDC, label, -1, &labelRect, DT_SINGLELINE | DT_NOPREFIX, FM_QUESTIONNO);
                CRect inside = box;
                CFontMgr::DrawTextInSlotFont(pDC, answer, -1, &inside, DT_WORDBREAK | DT_NOPREFIX, FM_ANSWER);
                CRect frame = box;
                frame.left -= static_cast<int>(0.01 * width);
                CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
                pDC->Rectangle(&frame);
                const int mid = y + down * labelSize.cy / 2;
                pDC->MoveTo(rect.left + labelSize.cx, mid);
                pDC->LineTo(frame.left, mid);
                if (oldBrush)
                    pDC->SelectObject(dynamic_cast<CBrush*>(oldBrush));
                pDC->SetBkMode(oldMode);
            }
            y += down * std::max(height, static_cast<int>(labelSize.cy));
        } else {
            const CString text = CString(label.ToUtf8()) + " " + OneLine(q->m_cszAnswer);
            const int height = pageframe::SlotLineHeight(pDC, FM_ANSWER);
            if (bDraw) {
                CRect r(rect.left, y, rect.right, y + down * height);
                const int oldMode = pDC->SetBkMode(TRANSPARENT);
                CFontMgr::DrawUtf8LineInSlotFont(pDC, text, &r, DT_SINGLELINE | DT_NOPREFIX, FM_ANSWER);
                pDC->SetBkMode(oldMode);
            }
            y += down * height;
        }
        if (mode == 5)
            y += down * line;
    } else {
        q->Draw(ctx, &rect, rect.Width(), y, number, bDraw);
    }
    if (header)
        y += down * lines(header->m_nBotSpace) * line;
    return 1;
}
