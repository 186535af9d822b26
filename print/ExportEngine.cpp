#include "print/ExportEngine.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/OldProgressDlg.h"
#include "controls/WordConvert.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "foundation/Numbering.h"
#include "foundation/RtfTemplate.h"
#include "foundation/Util.h"
#include "model/Choices.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Group.h"
#include "model/HtmlSettings.h"
#include "res/ids/AutoConvert.h"
#include "platform/core/FileSys.h"
#include "platform/core/HtmlMarkup.h"
#include "platform/core/Services.h"
#include "platform/ui/CharFormat.h"
#include "print/HtmlDraw.h"
#include "render/FontMgr.h"
#include "render/RtfDraw.h"
#include "render/RtfText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {

// Lines a group's spacing adds; a damaged record stays inside the page.
int SpaceLines(int n)
{
    return std::clamp(n, 0, 50);
}

// The markers the engine writes, and nothing else, expand in the RTF.
constexpr const char* kMarkers[] = {"<pbrk>", "<hdr>", "<hdrend>", "<ftr>", "<ftrend>", "<ss>",
                                    "<lbrace>", "<rbrace>", "<pgnum>", "<nbs>"};

BOOL OnlyMarkers(CString text)
{
    text.Trim();
    while (!text.IsEmpty()) {
        BOOL bFound = FALSE;
        for (const char* marker : kMarkers) {
            if (text.Left(static_cast<int>(std::strlen(marker))) == marker) {
                text = text.Mid(static_cast<int>(std::strlen(marker)));
                text.TrimLeft();
                bFound = TRUE;
                break;
            }
        }
        if (!bFound)
            return FALSE;
    }
    return TRUE;
}

int ScreenDpi()
{
    const int dpi = CFontMgr::GetScreenDpi();
    return dpi > 0 ? dpi : 96;
}

int PixelsToTwips(int px)
{
    return MulDiv(px, 1440, ScreenDpi());
}

int InchesToPixels(double inches)
{
    return static_cast<int>(inches * 1440.0 * ScreenDpi() / 1440.0);
}

} // namespace

CExportEngine::CExportEngine(CCorraDoc& doc) : m_doc(doc) {}

CExportEngine::~CExportEngine() = default;

// ---- small pieces

CHVRichEditCtrl& CExportEngine::ControlFor(CExportContext& ctx, BOOL bDraw)
{
    if (!bDraw && ctx.pMeasure)
        return *ctx.pMeasure;
    return *ctx.pTarget;
}

int CExportEngine::EndY(const CHVRichEditCtrl& ctrl)
{
    return ctrl.PosFromChar(ctrl.GetTextLength()).y;
}

void CExportEngine::AppendText(CHVRichEditCtrl& ctrl, LPCSTR text, int nSlot)
{
    const long end = ctrl.GetTextLength();
    ctrl.SetSel(end, end);
    ctrl.SetText(text, SF_TEXT | SFF_SELECTION, nSlot);
}

void CExportEngine::AppendRtf(CHVRichEditCtrl& ctrl, LPCSTR rtf, int nSlot)
{
    const long end = ctrl.GetTextLength();
    ctrl.SetSel(end, end);
    ctrl.SetText(rtf, SF_RTF | SFF_SELECTION, nSlot);
}

void CExportEngine::AppendMarkup(CHVRichEditCtrl& ctrl, LPCSTR markup)
{
    const long end = ctrl.GetTextLength();
    ctrl.SetSel(end, end);
    ctrl.SetText(HtmlMarkup(markup), SF_TEXT | SFF_HTML_MARKUP | SFF_SELECTION, -1);
}

void CExportEngine::AppendMarker(CHVRichEditCtrl& ctrl, LPCSTR marker)
{
    AppendMarkup(ctrl, marker);
}

CString CExportEngine::BareMarkers(const CString& rtf)
{
    static const CString kGroup = CString("{\\*\\") + HTML_MARKUP_DESTINATION;
    CString out;
    int i = 0;
    const int n = rtf.GetLength();
    while (i < n) {
        if (rtf[i] == '{' && rtf.Mid(i, kGroup.GetLength()) == kGroup) {
            const int close = rtf.Find('}', i);
            if (close > i) {
                CString inner = rtf.Mid(i + kGroup.GetLength(), close - i - kGroup.GetLength());
                if (OnlyMarkers(inner)) {
                    inner.Trim();
                    out += inner;
                    i = close + 1;
                    continue;
                }
            }
        }
        if (rtf[i] == '\\' && i + 1 < n) {
            // A control word or escape goes over whole: "\<" cannot occur, "\'3c" stays.
            out += rtf[i];
            out += rtf[i + 1];
            i += 2;
            continue;
        }
        if (rtf[i] == '<')
            out += "\\'3c";
        else
            out += rtf[i];
        ++i;
    }
    return out;
}

CString CExportEngine::ComposedTextUtf8(const CHVRichEditCtrl& ctrl)
{
    QString text = ctrl.document()->toPlainText();
    text.remove(QChar(0x200B));
    text.replace(QChar(0x00A0), QChar(' '));
    const QByteArray bytes = text.toUtf8();
    return CString(bytes.constData(), static_cast<int>(bytes.size()));
}

BOOL CExportEngine::WriteFileAtomically(const CString& path, const CString& text)
{
    if (path.IsEmpty() || !fsys::WriteFileAtomic(path, text.GetString(), static_cast<size_t>(text.GetLength()))) {
        AfxMessageBox(CString("Cannot open file ") + path + " for output.");
        return FALSE;
    }
    return TRUE;
}

void CExportEngine::RemovePageFiles()
{
    for (const CString& file : m_pageFiles)
        fsys::DeleteFile(file);
    m_pageFiles.clear();
}

// ---- the scan

BOOL CExportEngine::PrepareExport(CExportContext& ctx)
{
    if (ctx.IsFilePerPage())
        return PrepareHtmlPages(ctx);
    CHVRichEditCtrl& measure = ControlFor(ctx, FALSE);
    const CRect page = ctx.m_rectDraw;
    m_nPageHeight = page.Height();
    ctx.dwFlags |= EXPF_MEASURING;

    // Lays out the top of page nPage in the measuring control; the y below it.
    auto startPage = [&](int nPage) {
        measure.SetWindowText("");
        ctx.m_nCurPage = static_cast<UINT>(nPage);
        CRect r = page;
        DrawPageHeader(ctx, r, TRUE);
        InsertInstructions(ctx, &r);
        InsertPageSeparation(ctx, FALSE);
        return EndY(measure);
    };
    // The measuring control stands for the page: its steps are "drawn" there.
    auto* saveTarget = ctx.pTarget;
    ctx.pTarget = &measure;
    struct CRestore {
        CExportContext& c;
        CHVRichEditCtrl* t;
        ~CRestore()
        {
            c.pTarget = t;
            c.dwFlags &= ~EXPF_MEASURING;
        }
    } restore{ctx, saveTarget};

    // The footer's place: the body ends above it.
    measure.SetWindowText("");
    CRect footer = page;
    DrawPageFooter(ctx, footer, FALSE);
    m_nFooterTop = footer.top;

    if (ctx.pProgress)
        ctx.pProgress->SetText("Scanning...");
    ctx.nFirstPage = 1;
    ctx.pageStarts.assign(1, 0);
    ctx.questionIds.clear();
    int nPage = 1;
    m_nBodyTop = startPage(nPage);
    BOOL bPageEmpty = TRUE;
    const BOOL bSingleHtml = ctx.nFileType == FT_HTML;
    for (int i = 0; i < static_cast<int>(ctx.questions.size()); ++i) {
        CCorraQuestion* q = ctx.questions[static_cast<size_t>(i)];
        if (!q || q->IsCollection())
            continue;
        ctx.questionIds.push_back(q->m_nId);
        CGroup* header = m_doc.FindGroupByHeader(q);
        const BOOL bTopOfPage = header && (header->m_dwFlags & GROUP_TOP_OF_PAGE);
        CRect rect = page;
        if (!InsertQuestion(ctx, q, rect, TRUE))
            return FALSE;
        const BOOL bPastBody = EndY(measure) >= m_nFooterTop;
        if (!bPageEmpty && !bSingleHtml && (bTopOfPage || bPastBody)) {
            ++nPage;
            ctx.pageStarts.push_back(i);
            startPage(nPage);
            rect = page;
            if (!InsertQuestion(ctx, q, rect, TRUE))
                return FALSE;
        }
        bPageEmpty = FALSE;
        if (!header) {
            ctx.nProgressPos = ctx.NumberOf(q);
            if (ctx.pProgress)
                ctx.pProgress->SetPos(ctx.nProgressPos);
        }
        COldProgressDlg::PumpMessages();
        if (ctx.bCancel || (ctx.pProgress && ctx.pProgress->IsCancelled())) {
            ctx.bCancel = TRUE;
            return FALSE;
        }
    }
    ctx.nPageCount = static_cast<int>(ctx.pageStarts.size());
    // The range asked for, inside the pages there are.
    int first = ctx.m_pPD->PrintRange() ? static_cast<int>(ctx.GetFromPage()) : 1;
    int last = ctx.m_pPD->PrintRange() ? static_cast<int>(ctx.GetToPage()) : ctx.nPageCount;
    if (first < 1 || first > ctx.nPageCount)
        first = 1;
    if (last < 1 || last > ctx.nPageCount)
        last = ctx.nPageCount;
    ctx.nFirstPage = first;
    ctx.nLastPage = last;
    ctx.m_rectDraw = page;
    ctx.SetMaxPage(static_cast<UINT>(ctx.nPageCount));
    if (ctx.pProgress)
        ctx.pProgress->SetText("Drawing...");
    measure.SetWindowText("");
    ctx.pTarget->SetWindowText("");
    return !ctx.bCancel;
}

BOOL CExportEngine::PrepareHtmlPages(CExportContext& ctx)
{
    CHVRichEditCtrl& measure = ControlFor(ctx, FALSE);
    const CRect page = ctx.m_rectDraw;
    m_nPageHeight = page.Height();
    m_nFooterTop = page.bottom;
    ctx.dwFlags |= EXPF_MEASURING;
    if (ctx.pProgress)
        ctx.pProgress->SetText("Preparing...");
    ctx.pageStarts.clear();
    ctx.questionIds.clear();
    int count = 0;
    for (int i = 0; i < static_cast<int>(ctx.questions.size()); ++i) {
        CCorraQuestion* q = ctx.questions[static_cast<size_t>(i)];
        if (!q || q->IsCollection())
            continue;
        ctx.questionIds.push_back(q->m_nId);
        ctx.pageStarts.push_back(i);
        ctx.nProgressPos = ++count;
        if (ctx.pProgress)
            ctx.pProgress->SetPos(count);
        COldProgressDlg::PumpMessages();
        if (ctx.bCancel || (ctx.pProgress && ctx.pProgress->IsCancelled())) {
            ctx.bCancel = TRUE;
            ctx.dwFlags &= ~EXPF_MEASURING;
            return FALSE;
        }
    }
    measure.SetWindowText("");
    ctx.dwFlags &= ~EXPF_MEASURING;
    ctx.nPageCount = static_cast<int>(ctx.pageStarts.size());
    ctx.nFirstPage = 1;
    ctx.nLastPage = ctx.nPageCount;
    ctx.SetMaxPage(static_cast<UINT>(std::max(ctx.nPageCount, 1)));
    if (ctx.pHtml) {
        // The pages link to their neighbours.
        ctx.pHtml->m_ids = ctx.questionIds;
        ctx.pHtml->m_mapPrevious.clear();
        ctx.pHtml->m_mapNext.clear();
        for (size_t i = 0; i < ctx.questionIds.size(); ++i) {
            ctx.pHtml->m_mapPrevious[ctx.questionIds[i]] = i > 0 ? ctx.questionIds[i - 1] : 0;
            ctx.pHtml->m_mapNext[ctx.questionIds[i]] = i + 1 < ctx.questionIds.size() ? ctx.questionIds[i + 1] : 0;
        }
    }
    if (ctx.pProgress)
        ctx.pProgress->SetText("Creating HTML Files\n");
    return TRUE;
}

// ---- a page

BOOL CExportEngine::ComposePage(CExportContext& ctx, int nPage)
{
    if (nPage < 1 || nPage > static_cast<int>(ctx.pageStarts.size()))
        return TRUE;
    CHVRichEditCtrl& ctrl = *ctx.pTarget;
    ctx.m_nCurPage = static_cast<UINT>(nPage);
    m_nPageStartY = EndY(ctrl);
    CRect rect = ctx.m_rectDraw;
    DrawPageHeader(ctx, rect, TRUE);
    InsertInstructions(ctx, &rect);
    if (!ctx.IsFilePerPage())
        InsertPageSeparation(ctx, TRUE);
    const int first = ctx.pageStarts[static_cast<size_t>(nPage - 1)];
    const int end = nPage < static_cast<int>(ctx.pageStarts.size()) ? ctx.pageStarts[static_cast<size_t>(nPage)]
                                                                     : static_cast<int>(ctx.questions.size());
    for (int i = first; i < end; ++i) {
        CCorraQuestion* q = ctx.questions[static_cast<size_t>(i)];
        if (!q || q->IsCollection())
            continue;
        CRect r = ctx.m_rectDraw;
        if (!InsertQuestion(ctx, q, r, TRUE))
            return FALSE;
        if (ctx.IsFilePerPage())
            break;
    }
    if (!ctx.IsFilePerPage()) {
        CRect footer = ctx.m_rectDraw;
        DrawPageFooter(ctx, footer, TRUE);
    }
    return !ctx.bCancel;
}

BOOL CExportEngine::EndExportPage(CExportContext& ctx)
{
    CHVRichEditCtrl& ctrl = *ctx.pTarget;
    const int nPage = static_cast<int>(ctx.m_nCurPage);
    switch (ctx.nFileType) {
    case FT_RTF:
    case FT_WORD:
    case FT_WORDPERFECT:
        if (nPage < ctx.nLastPage) {
            AppendMarker(ctrl, "<pbrk>");
            AppendText(ctrl, "\n", -1);
        }
        return TRUE;
    case FT_HTML:
        break;
    default: return TRUE;
    }
    if (!ctx.IsFilePerPage())
        return TRUE;
    CString folder = ctx.csOutputPath;
    if (!folder.IsEmpty() && folder.Right(1) != "/")
        folder += "/";
    const int first = ctx.pageStarts[static_cast<size_t>(nPage - 1)];
    CCorraQuestion* q = ctx.questions[static_cast<size_t>(first)];
    CString file = folder;
    if (ctx.pHtml) {
        ctx.pHtml->m_nQuestionId = q->m_nId;
        file += ctx.pHtml->GetPageFile(q->m_nId);
    } else {
        file += CString::Formatted("q%d.htm", q->m_nId);
    }
    if (ctx.pProgress)
        ctx.pProgress->SetText(CString("Creating HTML File\n") + file);
    // The page's content goes into the top cell of a table whose bottom cell holds the links and
    // the footer.
    ctrl.SetSel(0, 0);
    ctrl.SetText(HtmlMarkup("<table width=100% height=100%><tr valign=top><td>"),
                 SF_TEXT | SFF_HTML_MARKUP | SFF_SELECTION, -1);
    AppendMarkup(ctrl, "</td></tr><tr valign=bottom><td>");
    if (ctx.pHtml)
        AppendMarkup(ctrl, ctx.pHtml->MakeNavigation(q->m_nId));
    ctx.dwFlags |= EXPF_LAST_HTML_PART;
    CRect footer = ctx.m_rectDraw;
    DrawPageFooter(ctx, footer, TRUE);
    ctx.dwFlags &= ~EXPF_LAST_HTML_PART;
    AppendMarkup(ctrl, "</td></tr></table>");
    CString rtf;
    ctrl.StreamOutText(rtf, SF_RTF);
    ctrl.SetWindowText("");
    CHtmlDraw draw(FALSE, ctx.csDocName.IsEmpty() ? m_doc.GetTitle() : ctx.csDocName);
    CString html;
    if (!draw.Input(rtf) || !draw.Output(html)) {
        LogOutput(CString("Failed to convert the page ") + file + " to HTML", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    if (!WriteFileAtomically(file, html))
        return FALSE;
    m_pageFiles.push_back(file);
    return TRUE;
}

// ---- pieces

int CExportEngine::InsertInstructions(CExportContext& ctx, CRect* pRect)
{
    if (static_cast<int>(ctx.m_nCurPage) != ctx.nFirstPage)
        return 0;
    if (IsRtfEmpty(m_doc.m_csInstructions))
        return 0;
    CHVRichEditCtrl& ctrl = *ctx.pTarget;
    const int before = EndY(ctrl);
    AppendText(ctrl, "\n", -1);
    // As RTF for text output too: its plain text keeps every character typed.
    AppendRtf(ctrl, m_doc.m_csInstructions, FM_INSTRUCTIONS);
    AppendText(ctrl, "\n", -1);
    const int height = EndY(ctrl) - before;
    if (pRect)
        pRect->top += height;
    return height;
}

int CExportEngine::InsertPageSeparation(CExportContext& ctx, BOOL bDraw)
{
    CHVRichEditCtrl& ctrl = *ctx.pTarget;
    switch (ctx.nFileType) {
    case FT_WORD:
    case FT_WORDPERFECT: return 0;
    case FT_HTML: return InsertHtmlPageSeparation(ctx, bDraw);
    default: break;
    }
    const int before = EndY(ctrl);
    if (ctx.nFileType == FT_TEXT) {
        ctrl.FillLine("_");
    } else {
        InsertRow(ctrl, ctx.m_rectDraw, "", -1, "", -1, "", -1);
        AppendText(ctrl, "\n", -1);
    }
    return EndY(ctrl) - before;
}

int CExportEngine::InsertHtmlPageSeparation(CExportContext& ctx, BOOL bDraw)
{
    CHVRichEditCtrl& ctrl = *ctx.pTarget;
    const int before = EndY(ctrl);
    InsertRow(ctrl, ctx.m_rectDraw, "", -1, "", -1, "", -1);
    if (bDraw && !ctx.IsMeasuring())
        AppendMarkup(ctrl, "<hr>\n");
    return EndY(ctrl) - before;
}

int CExportEngine::InsertRow(CHVRichEditCtrl& ctrl, const CRect& rect, LPCSTR left, int nLeft, LPCSTR centre,
                             int nCentre, LPCSTR right, int nRight)
{
    const int before = EndY(ctrl);
    const long start = ctrl.GetTextLength();
    AppendText(ctrl, left, nLeft);
    AppendText(ctrl, "\t", -1);
    AppendText(ctrl, centre, nCentre);
    AppendText(ctrl, "\t", -1);
    AppendText(ctrl, right, nRight);
    AppendText(ctrl, "\n", -1);
    // A centre tab in the middle and a right tab at the edge of the drawing width.
    const int width = std::max(rect.Width(), 1);
    QTextCursor cur(ctrl.document());
    cur.setPosition(static_cast<int>(start));
    QTextBlockFormat fmt = cur.blockFormat();
    QList<QTextOption::Tab> tabs;
    tabs << QTextOption::Tab(width / 2.0, QTextOption::CenterTab) << QTextOption::Tab(width, QTextOption::RightTab);
    fmt.setTabPositions(tabs);
    cur.setBlockFormat(fmt);
    return EndY(ctrl) - before;
}

void CExportEngine::SizeCompositionControl(CExportContext& ctx, double dLeft, double dRight, double dTop,
                                           double dBottom)
{
    if (ctx.nFileType != FT_RTF && ctx.nFileType != FT_WORD && ctx.nFileType != FT_WORDPERFECT)
        return;
    auto clamp = [](double v, double hi) { return !(v > 0) ? 0.0 : std::min(v, hi); };
    dLeft = clamp(dLeft, 3);
    dRight = clamp(dRight, 3);
    dTop = clamp(dTop, 4);
    dBottom = clamp(dBottom, 4);
    const double width = std::max(ctx.nPaperWidth * 0.001 - dLeft - dRight, 0.5);
    const double height = std::max(ctx.nPaperHeight * 0.001 - dTop - dBottom, 0.5);
    const int cx = InchesToPixels(width), cy = InchesToPixels(height);
    for (CHVRichEditCtrl* ctrl : {ctx.pTarget, ctx.pMeasure})
        if (ctrl)
            ctrl->resize(cx, cy);
    ctx.m_rectDraw = CRect(0, 0, cx, cy);
    ctx.dLeft = dLeft;
    ctx.dRight = dRight;
    ctx.dTop = dTop;
    ctx.dBottom = dBottom;
}

BOOL CExportEngine::InsertQuestion(CExportContext& ctx, CCorraQuestion* q, CRect& rect, BOOL bDraw)
{
    if (ctx.bCancel || !q)
        return FALSE;
    CHVRichEditCtrl& ctrl = ControlFor(ctx, bDraw);
    // Raised before it is reached, so that appending never fails for lack of room.
    const long length = ctrl.GetTextLength();
    if (ctrl.GetLimitText() > 0 && length > static_cast<long>(ctrl.GetLimitText() * 0.75))
        ctrl.LimitText(ctrl.GetLimitText() * 2);

    CGroup* header = m_doc.FindGroupByHeader(q);
    CGroup* group = header ? header : q->m_nMemberId != 0 ? m_doc.FindGroupById(q->m_nMemberId) : nullptr;
    const int number = ctx.NumberOf(q);
    if (header) {
        const BOOL bAfterFirst = static_cast<int>(ctx.m_nCurPage) > ctx.nFirstPage;
        if ((ctx.nFileType == FT_TEXT && bAfterFirst) || (ctx.nFileType == FT_HTML && number >= 2))
            InsertPageSeparation(ctx, bDraw);
        for (int i = SpaceLines(header->m_nTopSpace); i > 0; --i)
            AppendText(ctrl, "\n", -1);
    }
    const int style = !group ? CNumbering::NUM_DECIMAL
                      : header ? group->GetHeaderNumberStyle()
                               : group->GetQuestNumberStyle();
    const CString numberText = CNumbering(style, number).GetText();
    const long start = ctrl.GetTextLength();
    if (ctx.nFileType == FT_HTML) {
        CChoicesHtmlStyle htmlStyle;
        if (ctx.pHtml)
            htmlStyle = ChoicesHtmlStyleOf(*ctx.pHtml);
        q->OutputHtml(ctrl, ctx.draw, numberText, ctx.pHtml ? &htmlStyle : nullptr);
    } else {
        q->OutputToRichEdit(ctrl, ctx.draw, numberText, ctx.dwDrawFlags | 0x800, ctx.nFileType == FT_TEXT);
    }
    if (!header && group && (group->m_dwFlags & GROUP_INDENTED) && ctx.nFileType != FT_TEXT) {
        // 5% of the width in from either side, on top of the question's own indents.
        const int inset = PixelsToTwips(static_cast<int>(rect.Width() * 0.05));
        ctrl.SetSel(start, ctrl.GetTextLength());
        PARAFORMAT pf;
        pf.dwMask = PFM_STARTINDENT | PFM_OFFSETINDENT | PFM_RIGHTINDENT;
        pf.dxStartIndent = inset;
        pf.dxRightIndent = inset;
        ctrl.SetParaFormat(pf);
        const long end = ctrl.GetTextLength();
        ctrl.SetSel(end, end);
    }
    if (header)
        for (int i = SpaceLines(header->m_nBotSpace); i > 0; --i)
            AppendText(ctrl, "\n", -1);
    else if (ctx.pProgress && bDraw && !ctx.IsMeasuring())
        ctx.pProgress->SetPos(number);
    rect.top = EndY(ctrl);
    return !ctx.bCancel;
}

// ---- bands

void CExportEngine::InsertTextAt(CHVRichEditCtrl& ctrl, long& pos, LPCSTR text, int nSlot)
{
    const long before = ctrl.GetTextLength();
    ctrl.SetSel(pos, pos);
    ctrl.SetText(text, SF_TEXT | SFF_SELECTION, nSlot);
    pos += ctrl.GetTextLength() - before;
}

void CExportEngine::InsertMarkerAt(CHVRichEditCtrl& ctrl, long& pos, LPCSTR marker)
{
    const long before = ctrl.GetTextLength();
    ctrl.SetSel(pos, pos);
    ctrl.SetText(HtmlMarkup(marker), SF_TEXT | SFF_HTML_MARKUP | SFF_SELECTION, -1);
    pos += ctrl.GetTextLength() - before;
}

int CExportEngine::InsertBandRows(CExportContext& ctx, BOOL bFooter, BOOL bDraw)
{
    CHVRichEditCtrl& ctrl = ControlFor(ctx, bDraw);
    int height = 0;
    for (int row = 0; row < 2; ++row) {
        CString text[3];
        int slot[3] = {-1, -1, -1};
        for (int i = 0; i < 3; ++i) {
            if (bFooter)
                GetFooterItem(row * 3 + i, text[i], slot[i], ctx);
            else
                GetHeaderItem(row * 3 + i, text[i], slot[i], ctx);
        }
        height += InsertRow(ctrl, ctx.m_rectDraw, text[0], slot[0], text[1], slot[1], text[2], slot[2]);
    }
    return height;
}

int CExportEngine::MeasureBandRows(CExportContext& ctx, BOOL bFooter)
{
    // The rows an RTF band stands for, laid out in the measuring control and taken out again.
    CHVRichEditCtrl& measure = ControlFor(ctx, FALSE);
    const long before = measure.GetTextLength();
    const int height = InsertBandRows(ctx, bFooter, FALSE);
    measure.SetSel(before, measure.GetTextLength());
    measure.ReplaceSel("");
    return height;
}

CString CExportEngine::ItemText(const CString& text)
{
    // The control takes Windows-1252 text: what it lacks becomes "?".
    CString plain = CString::FromUtf8(RtfToTextUtf8(text).GetString());
    plain.Replace("\r", "");
    plain.Replace('\n', ' ');
    plain.Trim();
    return plain;
}

void CExportEngine::GetHeaderItem(int nPosition, CString& text, int& nSlot, CExportContext&)
{
    text.Empty();
    nSlot = 0;
    if (nPosition == 0) {
        text = ItemText(m_doc.m_csTitle1);
        nSlot = FM_CORRATITLE;
    } else if (nPosition == 3) {
        text = ItemText(m_doc.m_csTitle2);
        nSlot = FM_CORRADESCR;
    }
}

void CExportEngine::GetFooterItem(int nPosition, CString& text, int& nSlot, CExportContext& ctx)
{
    text.Empty();
    nSlot = 0;
    if (nPosition == 0) {
        // Relative to the program's folder, or nothing: a full path tells a reader where the
        // teacher's files lie.
        const CString path = m_doc.GetPathName();
        if (!path.IsEmpty())
            GetServerRelativePath(text, path);
        nSlot = FM_CORRAFILENAME;
    } else if (nPosition == 4) {
        text = CString::Formatted("Page %d", static_cast<int>(ctx.m_nCurPage));
        nSlot = FM_CORRAPAGENO;
    }
}

BOOL CExportEngine::UsesRtfBands(const CExportContext& ctx) const
{
    return ctx.nFileType == FT_WORD || ctx.nFileType == FT_WORDPERFECT;
}

void CExportEngine::ShowDrawingPage(CExportContext& ctx, BOOL bDraw)
{
    if (bDraw && ctx.pProgress && !ctx.IsMeasuring())
        ctx.pProgress->SetText(CString::Formatted("Drawing Page %d", static_cast<int>(ctx.m_nCurPage)));
}

void CExportEngine::DrawPageHeader(CExportContext& ctx, CRect& rect, BOOL bDraw)
{
    if (!bDraw)
        rect = ctx.m_rectDraw;
    if (ctx.nFileType == FT_HTML) {
        InsertHtmlHeader(ctx, rect, bDraw);
        return;
    }
    ShowDrawingPage(ctx, bDraw);
    if (UsesRtfBands(ctx)) {
        InsertRtfHeader(ctx, rect, bDraw);
        return;
    }
    int height = 0;
    if (ctx.nFileType == FT_TEXT && bDraw && static_cast<int>(ctx.m_nCurPage) > ctx.nFirstPage)
        height += InsertPageSeparation(ctx, bDraw);
    height += InsertBandRows(ctx, FALSE, bDraw);
    if (bDraw)
        rect.top += height;
    else
        rect.bottom = rect.top + height;
}

void CExportEngine::DrawPageFooter(CExportContext& ctx, CRect& rect, BOOL bDraw)
{
    if (!bDraw) {
        rect = ctx.m_rectDraw;
        rect.top = rect.bottom;
    }
    if (UsesRtfBands(ctx)) {
        InsertRtfFooter(ctx, rect, bDraw);
        return;
    }
    if (ctx.nFileType == FT_HTML) {
        InsertHtmlFooter(ctx, rect, bDraw);
        return;
    }
    if (bDraw && ctx.IsMeasuring())
        return;
    CHVRichEditCtrl& ctrl = ControlFor(ctx, bDraw);
    if (bDraw) {
        // Line breaks until the end reaches the footer's place on this page; never once past it.
        const int target = m_nPageStartY + m_nFooterTop;
        for (int guard = 0; guard < 2000 && EndY(ctrl) < target; ++guard) {
            const int before = EndY(ctrl);
            AppendText(ctrl, "\n", -1);
            if (EndY(ctrl) <= before || EndY(ctrl) > target) {
                if (EndY(ctrl) > target) {
                    // One line too many: the footer would not fit on the page.
                    const long end = ctrl.GetTextLength();
                    ctrl.SetSel(end - 1, end);
                    ctrl.ReplaceSel("");
                }
                break;
            }
        }
    }
    const int height = InsertBandRows(ctx, TRUE, bDraw);
    if (bDraw)
        rect.bottom -= height;
    else
        rect.top = rect.bottom - height;
}

void CExportEngine::InsertRtfHeader(CExportContext& ctx, CRect& rect, BOOL bDraw)
{
    if (!bDraw || ctx.IsMeasuring()) {
        const int height = MeasureBandRows(ctx, FALSE);
        if (!bDraw)
            rect.bottom = rect.top + height;
        return;
    }
    // Once, at the very start of the file.
    if (static_cast<int>(ctx.m_nCurPage) != ctx.nFirstPage)
        return;
    CHVRichEditCtrl& ctrl = *ctx.pTarget;
    CString title1, title2;
    int slot1 = 0, slot2 = 0;
    GetHeaderItem(0, title1, slot1, ctx);
    GetHeaderItem(3, title2, slot2, ctx);
    long pos = 0;
    InsertMarkerAt(ctrl, pos, "<hdr>");
    InsertMarkerAt(ctrl, pos, "<lbrace>");
    InsertTextAt(ctrl, pos, title1 + "\n", slot1);
    InsertMarkerAt(ctrl, pos, "<rbrace>");
    InsertMarkerAt(ctrl, pos, "<lbrace>");
    InsertTextAt(ctrl, pos, title2 + "\t\t", slot2);
    InsertMarkerAt(ctrl, pos, "<rbrace>");
    InsertMarkerAt(ctrl, pos, "<hdrend>");
    ctrl.SetSel(ctrl.GetTextLength(), ctrl.GetTextLength());
}

void CExportEngine::InsertRtfFooter(CExportContext& ctx, CRect& rect, BOOL bDraw)
{
    if (!bDraw || ctx.IsMeasuring()) {
        const int height = MeasureBandRows(ctx, TRUE);
        if (!bDraw)
            rect.top = rect.bottom - height;
        return;
    }
    // Once, at the end of the file.
    if (static_cast<int>(ctx.m_nCurPage) != ctx.nLastPage)
        return;
    CHVRichEditCtrl& ctrl = *ctx.pTarget;
    CString file, page;
    int slotFile = 0, slotPage = 0;
    GetFooterItem(0, file, slotFile, ctx);
    GetFooterItem(4, page, slotPage, ctx);
    AppendMarker(ctrl, "<ss>");
    AppendMarker(ctrl, "<ftr>");
    AppendMarker(ctrl, "<lbrace>");
    AppendText(ctrl, file + "\n\t", slotFile);
    AppendMarker(ctrl, "<rbrace>");
    AppendMarker(ctrl, "<lbrace>");
    AppendText(ctrl, "Page ", slotPage);
    AppendMarker(ctrl, "<pgnum>");
    AppendMarker(ctrl, "<rbrace>");
    AppendMarker(ctrl, "<ftrend>");
}

void CExportEngine::InsertHtmlHeader(CExportContext& ctx, CRect& rect, BOOL bDraw)
{
    CHVRichEditCtrl& ctrl = ControlFor(ctx, bDraw);
    const int before = EndY(ctrl);
    const int border = ctx.pHtml && ctx.pHtml->m_bBdrHdr ? 1 : 0;
    CString title1, title2;
    int slot1 = 0, slot2 = 0;
    GetHeaderItem(0, title1, slot1, ctx);
    GetHeaderItem(3, title2, slot2, ctx);
    AppendMarkup(ctrl, CString::Formatted("<table border=%d width=100%%>", border));
    AppendMarkup(ctrl, CString::Formatted("<tr><td class=%s align=left>", CFontMgr::GetSlotClassName(slot1)));
    AppendText(ctrl, title1, slot1);
    AppendMarkup(ctrl, CString::Formatted("</td></tr><tr><td class=%s align=left>", CFontMgr::GetSlotClassName(slot2)));
    AppendText(ctrl, title2, slot2);
    AppendMarkup(ctrl, "</td></tr></table>\n");
    const int height = EndY(ctrl) - before;
    if (bDraw)
        rect.top += height;
    else
        rect.bottom = rect.top + height;
}

void CExportEngine::InsertHtmlFooter(CExportContext& ctx, CRect& rect, BOOL bDraw)
{
    if (!bDraw || ctx.IsMeasuring())
        return;
    if (ctx.IsFilePerPage() && !(ctx.dwFlags & EXPF_LAST_HTML_PART))
        return;
    CHVRichEditCtrl& ctrl = *ctx.pTarget;
    const int border = ctx.pHtml && ctx.pHtml->m_bBdrFtr ? 1 : 0;
    CString file, page;
    int slotFile = 0, slotPage = 0;
    GetFooterItem(0, file, slotFile, ctx);
    GetFooterItem(4, page, slotPage, ctx);
    AppendMarkup(ctrl, CString::Formatted("<table border=%d width=100%%>", border));
    AppendMarkup(ctrl, CString::Formatted("<tr><td class=%s colspan=3>", CFontMgr::GetSlotClassName(slotFile)));
    AppendText(ctrl, file, slotFile);
    AppendMarkup(ctrl, CString::Formatted("</td></tr><tr><td>&nbsp;</td><td class=%s align=center>",
                                          CFontMgr::GetSlotClassName(slotPage)));
    AppendText(ctrl, page, slotPage);
    AppendMarkup(ctrl, "</td><td>&nbsp;</td></tr></table>\n");
    (void)rect;
}

// ---- writers

CString CExportEngine::MakeRtfFile(CExportContext& ctx)
{
    // The composition ends with its last row, not with an empty paragraph after it: a word
    // processor would push that one onto a page of its own below a footer at the page's foot.
    QTextDocument* doc = ctx.pTarget->document();
    if (doc->blockCount() > 1 && doc->lastBlock().text().isEmpty()) {
        QTextCursor end(doc);
        end.movePosition(QTextCursor::End);
        end.deletePreviousChar();
    }
    CString rtf;
    ctx.pTarget->StreamOutText(rtf, SF_RTF);
    CString words = CString::Formatted("\\paperw%d\\paperh%d\\margl%d\\margr%d\\margt%d\\margb%d",
                                       static_cast<int>(ctx.nPaperWidth * 1.44), static_cast<int>(ctx.nPaperHeight * 1.44),
                                       static_cast<int>(ctx.dLeft * 1440), static_cast<int>(ctx.dRight * 1440),
                                       static_cast<int>(ctx.dTop * 1440), static_cast<int>(ctx.dBottom * 1440));
    if (ctx.nOrientation == 2)
        words += "\\lndscpsxn";
    InsertRtfLeadText(rtf, words + " ");
    rtf = BareMarkers(rtf);
    ExpandRtfTemplate(rtf);
    ProtectRtfEffects(rtf);
    return rtf;
}

BOOL CExportEngine::WriteTextExport(CExportContext& ctx)
{
    return WriteFileAtomically(ctx.csOutputPath, ComposedTextUtf8(*ctx.pTarget));
}

BOOL CExportEngine::WriteHtmlExport(CExportContext& ctx)
{
    if (ctx.IsFilePerPage())
        return TRUE;
    if (ctx.pProgress)
        ctx.pProgress->SetText(CString("\nCreating HTML File\n") + ctx.csOutputPath);
    CString rtf;
    ctx.pTarget->StreamOutText(rtf, SF_RTF);
    CHtmlDraw draw(FALSE, ctx.csDocName.IsEmpty() ? m_doc.GetTitle() : ctx.csDocName);
    CString html;
    if (!draw.Input(rtf) || !draw.Output(html)) {
        LogOutput(CString("Failed to convert the export to HTML for ") + ctx.csOutputPath, LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    return WriteFileAtomically(ctx.csOutputPath, html);
}

BOOL CExportEngine::WriteRtfExport(CExportContext& ctx)
{
    return WriteFileAtomically(ctx.csOutputPath, MakeRtfFile(ctx));
}

BOOL CExportEngine::WriteWordExport(CExportContext& ctx)
{
    if (!DocumentConverterSlot().Get().IsInstalled(CONVERTER_WORD)) {
        AfxMessageBox(LoadStringId(IDS_AQF_WORD_NOT_INSTALLED), MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    const CString rtf = MakeRtfFile(ctx);
    CString temp;
    if (!MakeTempFileName(temp, ".rtf")) {
        AfxMessageBox("Failed to create temp file.");
        return FALSE;
    }
    struct CTempFile {
        CString path;
        ~CTempFile() { fsys::DeleteFile(path); }
    } tempFile{temp};
    if (ctx.pProgress)
        ctx.pProgress->DestroyWindow();
    if (!fsys::WriteFile(temp, rtf.GetString(), static_cast<size_t>(rtf.GetLength()))) {
        AfxMessageBox(CString("Failed to create intermediate RTF file\n\n") + ctx.csOutputPath + "\n\nfor output.");
        return FALSE;
    }
    // The new file is made beside the old one, which it replaces only once it is there.
    CString folder, ext;
    GetPathFolder(folder, ctx.csOutputPath);
    GetFileExt(ext, ctx.csOutputPath, TRUE);
    const CString made = fsys::CreateUniqueTempFile(folder, ".export", ext);
    if (made.IsEmpty()) {
        AfxMessageBox(CString("Cannot open file ") + ctx.csOutputPath + " for output.");
        return FALSE;
    }
    struct CMadeFile {
        CString path;
        ~CMadeFile()
        {
            if (!path.IsEmpty())
                fsys::DeleteFile(path);
        }
    } madeFile{made};
    constexpr int kMode = 6;
    LogOutput(CString::Formatted("Export to Word: mode %d, format %d", kMode, WORD_FORMAT_DOCUMENT), LOG_ALWAYS,
              LOG_HERE);
    CString error;
    if (!WordConvert(temp, kMode, made, WORD_FORMAT_DOCUMENT, "Convert to Word", &error)) {
        LogOutput(CString("Convert to Word failed: ") + error, LOG_ERROR, LOG_HERE);
        if (error.IsEmpty())
            AfxMessageBox(CString("Failed to convert\n\n") + ctx.csOutputPath + "\n\nto a Word file.");
        return FALSE;
    }
    if (fsys::GetSize(made) <= 0) {
        AfxMessageBox(CString("Failed to convert\n\n") + ctx.csOutputPath + "\n\nto a Word file.");
        return FALSE;
    }
    fsys::DeleteFile(ctx.csOutputPath);
    if (!fsys::MoveFile(made, ctx.csOutputPath)) {
        AfxMessageBox(CString("Cannot open file ") + ctx.csOutputPath + " for output.");
        return FALSE;
    }
    madeFile.path.Empty();
    return TRUE;
}

BOOL CExportEngine::WriteWordPerfectExport(CExportContext&)
{
    // No WordPerfect file is ever written: the word processor is not there.
    AfxMessageBox(LoadStringId(IDS_AQF_WP_NOT_INSTALLED), MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL CExportEngine::WriteExport(CExportContext& ctx)
{
    switch (ctx.nFileType) {
    case FT_TEXT: return WriteTextExport(ctx);
    case FT_WORD: return WriteWordExport(ctx);
    case FT_WORDPERFECT: return WriteWordPerfectExport(ctx);
    case FT_HTML: return WriteHtmlExport(ctx);
    case FT_RTF: return WriteRtfExport(ctx);
    default: return FALSE;
    }
}
