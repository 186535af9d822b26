#include "print/ExamExportEngine.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/OldProgressDlg.h"
#include "model/ExamDoc.h"
#include "model/HtmlSettings.h"
#include "print/PageFrame.h"
#include "render/FontMgr.h"

namespace {

BOOL IsStudentField(const exambands::CBandItem& item)
{
    return item.nSlot == FM_STUDENTNAME || item.nSlot == FM_STUDENTID;
}

} // namespace

CExamExportEngine::CExamExportEngine(CExamDoc& exam, const CString& formName, BOOL bKeys)
    : CExportEngine(exam), m_csFormName(formName), m_bKeys(bKeys)
{
}

exambands::CBandPage CExamExportEngine::BandPage(const CExportContext& ctx) const
{
    exambands::CBandPage page;
    page.courseName = ItemText(m_doc.m_csTitle1);
    page.examTitle = ItemText(m_doc.m_csTitle2);
    page.path = m_doc.GetPathName();
    page.formName = m_csFormName;
    page.nPage = static_cast<int>(ctx.m_nCurPage);
    page.bFirstOfRange = static_cast<int>(ctx.m_nCurPage) <= ctx.nFirstPage;
    page.bKeys = m_bKeys;
    return page;
}

void CExamExportEngine::GetHeaderItem(int nPosition, CString& text, int& nSlot, CExportContext& ctx)
{
    text.Empty();
    nSlot = 0;
    if (nPosition < 0 || nPosition >= exambands::kPlaces)
        return;
    exambands::CBandItem items[exambands::kPlaces];
    const exambands::CBandPage page = BandPage(ctx);
    exambands::HeaderItems(CExamDoc::PrintSettings(), page, items);
    const exambands::CBandItem& item = items[nPosition];
    if (item.IsEmpty())
        return;
    text = item.text;
    nSlot = item.nSlot;
    // In HTML the student writes the name and ID into the page's form.
    if (ctx.nFileType == FT_HTML && !page.bKeys && IsStudentField(item))
        text = MakeHtmlTextField(item.text, item.nSlot == FM_STUDENTNAME ? "stname" : "stid",
                                 item.nSlot == FM_STUDENTNAME ? 10 : 5);
}

void CExamExportEngine::GetFooterItem(int nPosition, CString& text, int& nSlot, CExportContext& ctx)
{
    text.Empty();
    nSlot = 0;
    if (nPosition < 0 || nPosition >= exambands::kPlaces)
        return;
    exambands::CBandItem items[exambands::kPlaces];
    exambands::FooterItems(CExamDoc::PrintSettings(), BandPage(ctx), items);
    const exambands::CBandItem& item = items[nPosition];
    if (item.IsEmpty())
        return;
    text = item.text;
    nSlot = item.nSlot;
    // Word numbers its pages itself: the page field follows (InsertRtfFooter).
    if (ctx.nFileType == FT_WORD && item.nSlot == FM_EXAMPAGENO)
        text = "Page ";
}

void CExamExportEngine::BlankBand(CExportContext& ctx, CRect& rect, BOOL bDraw, BOOL bFooter)
{
    const int height = static_cast<int>(pageframe::HeightOf(ctx.m_rectDraw) * 0.01);
    if (bFooter) {
        if (bDraw)
            rect.bottom -= height;
        else
            rect.top = rect.bottom - height;
    } else {
        if (bDraw)
            rect.top += height;
        else
            rect.bottom = rect.top + height;
    }
}

void CExamExportEngine::DrawPageHeader(CExportContext& ctx, CRect& rect, BOOL bDraw)
{
    const BOOL bOwnForm = ctx.nFileType == FT_HTML || UsesRtfBands(ctx);
    if (!bOwnForm && !exambands::HeaderShown(CExamDoc::PrintSettings(), BandPage(ctx))) {
        if (!bDraw)
            rect = ctx.m_rectDraw;
        ShowDrawingPage(ctx, bDraw);
        BlankBand(ctx, rect, bDraw, FALSE);
        return;
    }
    CExportEngine::DrawPageHeader(ctx, rect, bDraw);
}

void CExamExportEngine::DrawPageFooter(CExportContext& ctx, CRect& rect, BOOL bDraw)
{
    const BOOL bOwnForm = ctx.nFileType == FT_HTML || UsesRtfBands(ctx);
    if (!bOwnForm && !CExamDoc::PrintSettings().printFtr) {
        if (!bDraw) {
            rect = ctx.m_rectDraw;
            rect.top = rect.bottom;
        }
        BlankBand(ctx, rect, bDraw, TRUE);
        return;
    }
    CExportEngine::DrawPageFooter(ctx, rect, bDraw);
}

BOOL CExamExportEngine::UsesRtfBands(const CExportContext& ctx) const
{
    return ctx.nFileType == FT_WORD;
}

void CExamExportEngine::AppendRtfGroups(CExportContext& ctx, BOOL bFooter, long* pPos)
{
    CHVRichEditCtrl& ctrl = *ctx.pTarget;
    auto marker = [&](LPCSTR m) {
        if (pPos)
            InsertMarkerAt(ctrl, *pPos, m);
        else
            AppendMarker(ctrl, m);
    };
    auto text = [&](const CString& t, int nSlot) {
        if (pPos)
            InsertTextAt(ctrl, *pPos, t, nSlot);
        else
            AppendText(ctrl, t, nSlot);
    };
    // A tab between the places of a row, a line break between the rows.
    const char* const separators[exambands::kPlaces] = {"\t", "\t", "\n", "\t", "\t", ""};
    for (int i = 0; i < exambands::kPlaces; ++i) {
        CString item;
        int nSlot = 0;
        if (bFooter)
            GetFooterItem(i, item, nSlot, ctx);
        else
            GetHeaderItem(i, item, nSlot, ctx);
        marker("<lbrace>");
        if (!item.IsEmpty())
            text(item, nSlot);
        if (bFooter && nSlot == FM_EXAMPAGENO && ctx.nFileType == FT_WORD)
            marker("<pgnum>");
        if (*separators[i])
            text(separators[i], -1);
        marker("<rbrace>");
    }
}

void CExamExportEngine::InsertRtfHeader(CExportContext& ctx, CRect& rect, BOOL bDraw)
{
    // Measured as the rows it stands for, which the items make the exam's.
    if (!bDraw || ctx.IsMeasuring()) {
        CExportEngine::InsertRtfHeader(ctx, rect, bDraw);
        return;
    }
    // Once, at the very start: the file's header stands on every page.
    if (static_cast<int>(ctx.m_nCurPage) != ctx.nFirstPage)
        return;
    long pos = 0;
    InsertMarkerAt(*ctx.pTarget, pos, "<hdr>");
    AppendRtfGroups(ctx, FALSE, &pos);
    InsertMarkerAt(*ctx.pTarget, pos, "<hdrend>");
    ctx.pTarget->SetSel(ctx.pTarget->GetTextLength(), ctx.pTarget->GetTextLength());
}

void CExamExportEngine::InsertRtfFooter(CExportContext& ctx, CRect& rect, BOOL bDraw)
{
    if (!bDraw || ctx.IsMeasuring() || static_cast<int>(ctx.m_nCurPage) != ctx.nLastPage) {
        CExportEngine::InsertRtfFooter(ctx, rect, bDraw);
        return;
    }
    CHVRichEditCtrl& ctrl = *ctx.pTarget;
    AppendMarker(ctrl, "<ss>");
    AppendMarker(ctrl, "<ftr>");
    AppendRtfGroups(ctx, TRUE, nullptr);
    AppendMarker(ctrl, "<ftrend>");
}

void CExamExportEngine::AppendHtmlRow(CExportContext& ctx, CHVRichEditCtrl& ctrl, BOOL bFooter, int nFirst)
{
    static const char* const aligns[3] = {"left", "center", "right"};
    AppendMarkup(ctrl, "<tr width=100%>");
    for (int i = 0; i < 3; ++i) {
        CString item;
        int nSlot = 0;
        if (bFooter)
            GetFooterItem(nFirst + i, item, nSlot, ctx);
        else
            GetHeaderItem(nFirst + i, item, nSlot, ctx);
        AppendMarkup(ctrl, CString::Formatted("<td class=%s align=%s width=%s>", CFontMgr::GetSlotClassName(nSlot),
                                              aligns[i], "33%"));
        // The student's fields are the program's own markup; every other item is text.
        if (!bFooter && !m_bKeys && (nSlot == FM_STUDENTNAME || nSlot == FM_STUDENTID) && !item.IsEmpty())
            AppendMarkup(ctrl, item);
        else if (!item.IsEmpty())
            AppendText(ctrl, item, nSlot);
        AppendMarkup(ctrl, "</td>");
    }
    AppendMarkup(ctrl, "</tr>");
}

void CExamExportEngine::InsertHtmlHeader(CExportContext& ctx, CRect& rect, BOOL bDraw)
{
    if (!exambands::HeaderShown(CExamDoc::PrintSettings(), BandPage(ctx))) {
        if (!bDraw)
            rect.bottom = rect.top;
        return;
    }
    CHVRichEditCtrl& ctrl = ControlFor(ctx, bDraw);
    const int before = EndY(ctrl);
    const int border = ctx.pHtml && ctx.pHtml->m_bBdrHdr ? 1 : 0;
    AppendMarkup(ctrl, CString::Formatted("<table border=%d width=100%%>", border));
    AppendHtmlRow(ctx, ctrl, FALSE, 0);
    AppendHtmlRow(ctx, ctrl, FALSE, 3);
    AppendMarkup(ctrl, "</table>\n");
    const int height = EndY(ctrl) - before;
    if (bDraw)
        rect.top += height;
    else
        rect.bottom = rect.top + height;
}

void CExamExportEngine::InsertHtmlFooter(CExportContext& ctx, CRect& rect, BOOL bDraw)
{
    if (!bDraw) {
        // Measured as the rows it stands for, and kept for the page's layout.
        rect.top = rect.bottom - MeasureBandRows(ctx, TRUE);
        ctx.rectFooter = rect;
        return;
    }
    if (!CExamDoc::PrintSettings().printFtr || ctx.IsMeasuring())
        return;
    if (ctx.IsFilePerPage() && !(ctx.dwFlags & EXPF_LAST_HTML_PART))
        return;
    CHVRichEditCtrl& ctrl = *ctx.pTarget;
    const int border = ctx.pHtml && ctx.pHtml->m_bBdrFtr ? 1 : 0;
    AppendMarkup(ctrl, CString::Formatted("<table border=%d width=100%%>", border));
    AppendHtmlRow(ctx, ctrl, TRUE, 0);
    AppendHtmlRow(ctx, ctrl, TRUE, 3);
    AppendMarkup(ctrl, "</table>\n");
}
