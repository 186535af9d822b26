// How a Question Corra question lays itself out: into a rich-edit control (printing through the
// control, export) and into a device context (the views' tiles, lines and full questions, and
// printed pages).
//
// Under MM_TWIPS y grows upward: every step down the page is a step of -1 there, so positions
// move by `down` times a height and heights are kept positive.

#include "model/CorraQuestion.h"

#include "model/ImageView.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/UserFormat.h"
#include "model/HtmlSettings.h"
#include "platform/core/HtmlMarkup.h"
#include "render/FontMgr.h"
#include "render/RtfDraw.h"
#include "platform/ui/DC.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/ResourceImage.h"
#include "res/ids/QuestionTypes.h"

#include <QWidget>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr COLORREF kIndexBoxColour = 0x00FFFF;
constexpr COLORREF kSubjectBoxColour = 0xEBEBEB;
// Twips per step of the choices' indents.
constexpr int kTwipsPerIndentStep = 75;
// The answer fields of written-answer questions on a page a student fills in.
constexpr int kHtmlTextAreaRows = 5;
constexpr int kHtmlTextAreaCols = 60;
constexpr int kHtmlTextFieldSize = 40;

int Down(CDC* pDC)
{
    return pDC->GetMapMode() == MM_TEXT ? 1 : -1;
}

int LineHeight(CDC* pDC, int slot)
{
    CFont* old = CFontMgr::SelectSlotFont(pDC, slot);
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    CFontMgr::RestoreSlotFont(pDC, old, slot);
    return static_cast<int>(tm.tmHeight + tm.tmExternalLeading);
}

// The size of a text in a slot's font laid out from rc's top left across its width.
CSize Measure(CDC* pDC, const CString& text, const CRect& rc, UINT format, int slot)
{
    CRect r = rc;
    int height = std::abs(CFontMgr::DrawTextInSlotFont(pDC, text, -1, &r, format | DT_CALCRECT, slot));
    return CSize(std::abs(r.Width()), height);
}

void DrawIn(CDC* pDC, const CString& text, const CRect& rc, UINT format, int slot)
{
    CRect r = rc;
    CFontMgr::DrawTextInSlotFont(pDC, text, -1, &r, format, slot);
}

// The rectangle a question takes: the page below the current position, or on screen the view's
// width less 10 on the left and 5 on the right.
CRect Area(const CRect* pPage, int width, int y)
{
    if (pPage)
        return CRect(pPage->left, y, pPage->right, pPage->bottom);
    return CRect(10, y, std::max(width - 5, 11), y);
}

// Appends a piece at the end of a control.
void Append(CHVRichEditCtrl& ctrl, const CString& text, UINT format, int slot)
{
    const long end = ctrl.GetTextLength();
    ctrl.SetSel(end, end);
    ctrl.SetText(text, format | SFF_SELECTION, slot);
}

int HeightSince(CHVRichEditCtrl& ctrl, long start)
{
    return std::abs(ctrl.PosFromChar(ctrl.GetTextLength()).y - ctrl.PosFromChar(start).y);
}


// The choice output flags of a question layout.
DWORD ChoiceFlags(DWORD caller, BOOL textExport, int mode, BOOL printLayout)
{
    DWORD flags = caller | CHO_RTF | CHO_QUESTION_LAYOUT | (textExport ? 0 : CHO_TAB_INDENT);
    if (mode == QDRAW_FULL) {
        flags |= CHO_ONE_PER_LINE;
        if (printLayout)
            flags |= CHO_TAB_SEPARATOR;
    }
    if (printLayout)
        flags |= CHO_PRINT_LAYOUT;
    return flags;
}

} // namespace

CString CCorraQuestion::NumberLabel(LPCSTR numberText, int id)
{
    if (!numberText)
        return CString::Formatted("%d. ", id);
    if (*numberText)
        return CString::Formatted("%s. ", numberText);
    return " ";
}

// ---- rich-edit control

int CCorraQuestion::OutputToRichEdit(CHVRichEditCtrl& ctrl, const CDrawContext& ctx, LPCSTR numberText,
                                     DWORD choiceFlags, BOOL textExport)
{
    if (IsCollection())
        return 0;
    const long start = ctrl.GetTextLength();
    const int mode = ctx.mode;
    const LPCSTR correct = ctx.answers ? m_cszAnswer.GetString() : nullptr;

    Append(ctrl, NumberLabel(numberText, m_nId), SF_RTF, FM_QUESTIONNO);
    if (mode == QDRAW_LINE || mode == QDRAW_ANSWERS) {
        CString summary;
        if (mode == QDRAW_ANSWERS)
            GetAnswerSummary(summary);
        else
            GetAnswerText(summary);
        Append(ctrl, summary, SF_RTF, FM_ANSWER);
    } else {
        Append(ctrl, m_cszQuestionText, SF_RTF, m_nFontSlot);
    }

    if (IsChoiceType()) {
        Append(ctrl, "\n\n", SF_TEXT, -1);
        const long choicesStart = ctrl.GetTextLength();
        m_Choices.OutputToRichEdit(ctrl, ctx, ChoiceFlags(choiceFlags, textExport, mode, ctx.printLayout), correct);
        const int hanging = mode == QDRAW_FULL ? CChoices::GetNumChoiceSepSpaces() * kTwipsPerIndentStep : -1;
        m_Choices.SetIndents(ctrl, CChoices::IndentLevelFor(ctx) * kTwipsPerIndentStep, hanging, choicesStart,
                             ctrl.GetTextLength());
    } else if (HasAnswerSpace(m_nType)) {
        Append(ctrl, "\n", SF_TEXT, -1);
        if (ctx.answers)
            Append(ctrl, m_cszAnswer, SF_RTF, FM_ANSWER);
        else
            Append(ctrl, "\n\n\n", SF_TEXT, -1);
    } else if (!m_cszChoicesText.IsEmpty()) {
        // Matching and unknown questions keep their choices as free text: without it they would
        // print as a bare question.
        Append(ctrl, "\n\n", SF_TEXT, -1);
        Append(ctrl, m_cszChoicesText, SF_RTF, FM_CHOICES);
    }
    Append(ctrl, "\n", SF_TEXT, -1);
    return HeightSince(ctrl, start);
}

int CCorraQuestion::OutputHtml(CHVRichEditCtrl& ctrl, const CDrawContext& ctx, LPCSTR numberText,
                               const CChoicesHtmlStyle* pStyle)
{
    // The table and form elements go in as markup, the number and text as text, which the page
    // writer escapes once: "<b>" typed in a question shows as typed.
    const long start = ctrl.GetTextLength();
    CHtmlSettings* settings = pStyle ? pStyle->pSettings : nullptr;
    if (settings)
        settings->m_nQuestionId = m_nId;
    // Every character of the text stays, accented or beyond Windows-1252.
    CString text = RtfToTextUtf8(m_cszQuestionText);
    CString html = HtmlMarkup("<table width=100%><tr>" +
                              CString::Formatted("<td class=%s valign=top>", CFontMgr::GetSlotClassName(FM_QUESTIONNO)));
    html += HtmlPlainText(NumberLabel(numberText, m_nId)) + HtmlMarkup("</td>");
    html += HtmlMarkup(CString::Formatted("<td class=%s width=%s valign=top>", CFontMgr::GetSlotClassName(m_nFontSlot), "95%"));
    CString shown = HtmlTextFromUtf8(text);
    shown.Replace("\r", "");
    // A line of the text stays a line of the page.
    int at = 0;
    for (int nl; (nl = shown.Find('\n', at)) >= 0; at = nl + 1)
        html += shown.Mid(at, nl - at) + HtmlMarkup("<br>");
    html += shown.Mid(at) + HtmlMarkup("</td></tr></table>\n");
    if (settings && HasAnswerSpace(m_nType)) {
        const CString name = FormatUserPattern(settings->m_csTAName, m_nId);
        if (m_nType == static_cast<int>(IDS_QTYPE_ES))
            html += HtmlMarkup(settings->MakeHtmlTextArea(kHtmlTextAreaRows, kHtmlTextAreaCols));
        else
            html += HtmlMarkup(MakeHtmlTextField("", name, kHtmlTextFieldSize));
    }
    Append(ctrl, html, SF_TEXT | SFF_HTML_MARKUP, -1);
    if (IsChoiceType())
        m_Choices.OutputToRichEdit(ctrl, ctx, CHO_RTF | CHO_HTML | CHO_ONE_PER_LINE,
                                   ctx.answers ? m_cszAnswer.GetString() : nullptr, pStyle);
    return HeightSince(ctrl, start);
}

// ---- device context

namespace {

// The page's height in twips, or the window's on screen; 0 without either.
double PageHeight(CDC* pDC)
{
    if (pDC->GetMapMode() == MM_TWIPS) {
        const int dpi = pDC->GetDeviceCaps(LOGPIXELSY);
        return dpi > 0 ? static_cast<double>(pDC->GetDeviceCaps(VERTRES)) / dpi * 1440.0 : 0;
    }
    if (pDC->GetMapMode() == MM_TEXT) {
        const QWidget* window = pDC->GetWindow();
        return window ? window->height() : 0;
    }
    return 0;
}

// The height the images' sizes are shares of: the whole page (or window), wherever on it the
// question starts, so that an image comes out the same size on every page; without a page the
// device's height.
int ImageLayoutHeight(CDC* pDC)
{
    const double page = PageHeight(pDC);
    if (page > 0)
        return static_cast<int>(page);
    CSize device(0, pDC->GetDeviceCaps(VERTRES));
    pDC->DPtoLP(&device);
    return std::abs(device.cy);
}

// The text's width between the images' columns, no less than 60 % of the area's.
int TextWidth(const CImageViewList& images, int width)
{
    const double columns = 2 * images.GetGapExtent(IP_LEFT) + images.GetExtent(IP_LEFT) +
                           images.GetGapExtent(IP_RIGHT) + images.GetExtent(IP_RIGHT);
    return std::max(width - static_cast<int>(columns), static_cast<int>(width * 0.6));
}

} // namespace

int CCorraQuestion::GetPageExtent(CDC* pDC) const
{
    if (!pDC)
        return 0;
    return static_cast<int>(m_dAnswerSize * PageHeight(pDC));
}

int CCorraQuestion::CalcDrawHeight(const CDrawContext& ctx, const CRect& area, LPCSTR numberText,
                                   BOOL measuredChoices, CQuestionLayout* pLayout)
{
    CDC* pDC = ctx.pDC;
    if (!pDC)
        return 0;
    CQuestionLayout layout;
    const int down = Down(pDC);
    const int top = area.top;
    // The images go around the text: their columns narrow it.
    auto images = std::make_shared<CImageViewList>();
    images->SetImages(m_plImages);
    images->m_rcLayout = CRect(area.left, top, area.right, top + down * ImageLayoutHeight(pDC));
    images->Layout(pDC);
    const int textWidth = TextWidth(*images, area.Width());
    const int textRight = area.left + textWidth;

    const CSize label = Measure(pDC, NumberLabel(numberText, m_nId), CRect(area.left, top, textRight, top),
                                DT_SINGLELINE | DT_NOPREFIX, FM_QUESTIONNO);
    const int labelWidth = std::min(static_cast<int>(label.cx), textWidth - 1);
    const CSize text = Measure(pDC, m_cszQuestionText, CRect(area.left + labelWidth, top, textRight, top), DT_WORDBREAK,
                               m_nFontSlot);
    const int textHeight =
        std::max(label.cy, text.cy) + std::max(ctx.choiceSepLines, 0) * LineHeight(pDC, m_nFontSlot);

    int choicesHeight = 0;
    if (IsChoiceType()) {
        const LPCSTR correct = ctx.answers ? m_cszAnswer.GetString() : nullptr;
        if (measuredChoices) {
            CRect rc(area.left, top, textRight, top);
            choicesHeight = std::abs(
                m_Choices.Measure(ctx, rc, ChoiceFlags(0, FALSE, QDRAW_MEASURED, ctx.printLayout), FALSE, correct));
        } else {
            choicesHeight = std::abs(m_Choices.Draw(ctx, area.left, top, textWidth, FALSE, correct));
        }
    }
    const int answerHeight = HasAnswerSpace(m_nType) ? GetPageExtent(pDC) : 0;

    // The text and what follows it, placed by the images' layout.
    images->m_rcQuestion = CRect(0, 0, textWidth, down * textHeight);
    images->m_rcChoices = CRect(0, 0, textWidth, down * (choicesHeight + answerHeight));
    images->Layout(pDC);
    const CRect& question = images->m_rcQuestion;
    const CRect& below = images->m_rcChoices;
    layout.label = CRect(question.left, question.top, question.left + label.cx, question.top + down * label.cy);
    layout.text = CRect(question.left + labelWidth, question.top, question.right, question.top + down * text.cy);
    int bottom = question.bottom;
    if (IsChoiceType()) {
        layout.choices = CRect(below.left, below.top, below.right, below.top + down * choicesHeight);
        bottom = layout.choices.bottom;
    }
    if (HasAnswerSpace(m_nType)) {
        layout.answer = CRect(below.left, bottom, below.right, bottom + down * answerHeight);
        bottom = layout.answer.bottom;
    }
    for (int pos = 0; pos < CImageViewList::kPositions; ++pos)
        if (images->GetCountAt(pos) > 0 && down * (images->GetBand(pos).bottom - bottom) > 0)
            bottom = images->GetBand(pos).bottom;
    layout.height = std::abs(bottom - top);
    layout.images = std::move(images);
    if (pLayout)
        *pLayout = layout;
    return layout.height;
}

int CCorraQuestion::Draw(const CDrawContext& ctx, const CRect* pPage, int width, int& y, LPCSTR numberText,
                         BOOL bDraw)
{
    switch (ctx.mode) {
    case QDRAW_FULL:
    case QDRAW_MEASURED:
        return DrawFull(ctx, pPage, width, y, numberText, bDraw);
    case QDRAW_TILE:
    case QDRAW_SMALL_TILE:
        return DrawTile(ctx, pPage, width, y, numberText, bDraw);
    default:
        return DrawLine(ctx, pPage, width, y, numberText, bDraw);
    }
}

int CCorraQuestion::DrawTile(const CDrawContext& ctx, const CRect* pPage, int width, int& y, LPCSTR numberText,
                             BOOL bDraw)
{
    CDC* pDC = ctx.pDC;
    if (!pDC)
        return 0;
    const int mode = ctx.mode;
    const int down = Down(pDC);
    const CRect area = Area(pPage, width, y);
    const int top = y;
    m_nLastTop = top;
    const int gap = std::max(area.Width() / 100, 1);
    const int line = LineHeight(pDC, FM_QUESTION);

    // The icon, at its size in device pixels.
    CSize icon(mode == QDRAW_TILE ? 32 : 16, mode == QDRAW_TILE ? 32 : 16);
    pDC->DPtoLP(&icon);
    icon.cx = std::abs(icon.cx);
    icon.cy = std::abs(icon.cy);
    if (bDraw) {
        QImage image;
        if (LoadResourceImage(GetIconId((m_nFlags & QFLAG_LISTED) != 0, mode), image))
            pDC->DrawImage(area.left, top, icon.cx, down * icon.cy, image);
    }
    const int left = area.left + icon.cx + gap;
    int right = area.right;

    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    if (m_nIndex != 0) {
        const CString index = CString::Formatted("%d", m_nIndex);
        const CSize size = Measure(pDC, index, CRect(left, top, right, top), DT_SINGLELINE | DT_NOPREFIX, FM_QUESTION);
        const CRect box(right - size.cx - 2 * gap, top, right, top + down * line);
        if (bDraw) {
            pDC->FillSolidRect(&box, kIndexBoxColour);
            DrawIn(pDC, index, CRect(box.left + gap, box.top, box.right - gap, box.bottom),
                   DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX, FM_QUESTION);
        }
        right = box.left - gap;
    }
    if (!m_saSubjects.IsEmpty()) {
        const int widest = static_cast<int>(area.Width() * GetSubjCharLen());
        CString subject = m_saSubjects[0];
        auto widthOf = [&](const CString& s) {
            return static_cast<int>(Measure(pDC, s, CRect(left, top, right, top), DT_SINGLELINE | DT_NOPREFIX, FM_QUESTION).cx);
        };
        if (widthOf(subject) + 2 * gap > widest) {
            while (!subject.IsEmpty() && widthOf(subject + "...") + 2 * gap > widest)
                subject = subject.Left(subject.GetLength() - 1);
            subject += "...";
        }
        const CRect box(std::max(right - widthOf(subject) - 2 * gap, left), top, right, top + down * line);
        if (bDraw) {
            pDC->FillSolidRect(&box, kSubjectBoxColour);
            DrawIn(pDC, subject, CRect(box.left + gap, box.top, box.right - gap, box.bottom), DT_SINGLELINE | DT_NOPREFIX,
                   FM_QUESTION);
        }
        right = box.left - gap;
    }

    // Number and type (a collection its kind, unless its name says it already).
    const CString number = numberText && *numberText ? CString(numberText) : CString::Formatted("%d - ", m_nId);
    CString kind = GetTypeText();
    if (IsCollection() && !m_csKindText.IsEmpty()) {
        CString name = m_cszQuestionText;
        CString word = m_csKindText;
        kind = name.MakeLower().Find(word.MakeLower()) >= 0 ? CString() : m_csKindText;
    }
    const CSize numberSize =
        Measure(pDC, number, CRect(left, top, std::max(right, left + 1), top), DT_SINGLELINE | DT_NOPREFIX, FM_QUESTIONNO);
    if (bDraw) {
        DrawIn(pDC, number, CRect(left, top, std::max(right, left + 1), top + down * line), DT_SINGLELINE | DT_NOPREFIX,
               FM_QUESTIONNO);
        DrawIn(pDC, kind, CRect(left + numberSize.cx, top, std::max(right, left + static_cast<int>(numberSize.cx) + 1), top + down * line),
               DT_SINGLELINE | DT_NOPREFIX, FM_QUESTION);
    }

    // The first lines of the text, cut off below.
    const int lines = mode == QDRAW_SMALL_TILE ? 1 : 2;
    const int textTop = top + down * std::max(line, static_cast<int>(numberSize.cy));
    const CRect textBox(left, textTop, std::max(area.right, left + 1), textTop + down * lines * line);
    if (bDraw) {
        const int saved = pDC->SaveDC();
        pDC->IntersectClipRect(std::min(textBox.left, textBox.right), std::min(textBox.top, textBox.bottom),
                               std::max(textBox.left, textBox.right), std::max(textBox.top, textBox.bottom));
        DrawIn(pDC, m_cszQuestionText, textBox, DT_WORDBREAK, FM_QUESTION);
        pDC->RestoreDC(saved);
    }
    pDC->SetBkMode(oldMode);

    const int height = std::max(static_cast<int>(icon.cy), std::abs(textBox.bottom - top));
    m_rcLast = CRect(area.left, top, area.right, top + down * height);
    const int used = height + (mode == QDRAW_TILE ? line : 0);
    y = top + down * used;
    if (bDraw)
        DrawLinkIcons(ctx);
    return used;
}

int CCorraQuestion::DrawLine(const CDrawContext& ctx, const CRect* pPage, int width, int& y, LPCSTR numberText,
                             BOOL bDraw)
{
    CDC* pDC = ctx.pDC;
    if (!pDC)
        return 0;
    const int down = Down(pDC);
    const CRect area = Area(pPage, width, y);
    m_nLastTop = y;
    const int line = LineHeight(pDC, FM_QUESTION);
    // Every character the teacher typed, accented or beyond Windows-1252.
    CString text = RtfToTextUtf8(m_cszQuestionText);
    const int lineEnd = text.FindOneOf("\r\n");
    if (lineEnd >= 0)
        text = text.Left(lineEnd);
    const CString number = numberText && *numberText ? CString(numberText) : CString::Formatted("%d", m_nId);
    const CRect rc(area.left, y, area.right, y + down * line);
    if (bDraw) {
        CRect r = rc;
        CFontMgr::DrawUtf8LineInSlotFont(pDC, CString(number.ToUtf8()) + " - " + text, &r,
                                         DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS, FM_QUESTION);
    }
    m_rcLast = rc;
    y += down * line;
    return line;
}

int CCorraQuestion::DrawFull(const CDrawContext& ctx, const CRect* pPage, int width, int& y, LPCSTR numberText,
                             BOOL bDraw)
{
    return DrawFullAs(ctx, pPage, width, y, numberText, bDraw, ctx.mode == QDRAW_MEASURED);
}

int CCorraQuestion::DrawNumbered(const CDrawContext& ctx, const CRect* pPage, int width, int& y, LPCSTR numberText,
                                 BOOL bDraw)
{
    return DrawFullAs(ctx, pPage, width, y, numberText, bDraw, TRUE);
}

int CCorraQuestion::DrawFullAs(const CDrawContext& ctx, const CRect* pPage, int width, int& y, LPCSTR numberText,
                               BOOL bDraw, BOOL measuredChoices)
{
    CDC* pDC = ctx.pDC;
    if (!pDC)
        return 0;
    // A collection is a large tile, its icon and marks too.
    if (IsCollection())
        return DrawTile(ctx.InMode(QDRAW_TILE), pPage, width, y, numberText, bDraw);
    const int down = Down(pDC);
    const CRect area = Area(pPage, width, y);
    m_nLastTop = y;
    CQuestionLayout layout;
    CalcDrawHeight(ctx, area, numberText, measuredChoices, &layout);
    if (bDraw) {
        layout.images->Draw(pDC);
        // On paper and in an exported file a missing image leaves its room empty.
        if (ctx.target == DrawTarget::Screen)
            layout.images->DrawMissing(pDC);
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        DrawIn(pDC, NumberLabel(numberText, m_nId), layout.label, DT_SINGLELINE | DT_NOPREFIX, FM_QUESTIONNO);
        DrawIn(pDC, m_cszQuestionText, layout.text, DT_WORDBREAK, m_nFontSlot);
        const LPCSTR correct = ctx.answers ? m_cszAnswer.GetString() : nullptr;
        if (IsChoiceType()) {
            if (measuredChoices) {
                CRect rc = layout.choices;
                m_Choices.Measure(ctx, rc, ChoiceFlags(0, FALSE, QDRAW_MEASURED, ctx.printLayout), TRUE, correct);
            } else {
                m_Choices.Draw(ctx, layout.choices.left, layout.choices.top, layout.choices.Width(), TRUE, correct);
            }
        }
        if (HasAnswerSpace(m_nType) && ctx.answers) {
            const int inset = area.Width() / 10;
            DrawIn(pDC, m_cszAnswer,
                   CRect(layout.answer.left + inset, layout.answer.top, layout.answer.right - inset, layout.answer.bottom),
                   DT_WORDBREAK, FM_ANSWER);
        }
        pDC->SetBkMode(oldMode);
    }
    int height = layout.height;
    if (!HasAnswerSpace(m_nType))
        height += std::max(ctx.questSepLines, 0) * LineHeight(pDC, m_nFontSlot);
    m_rcLast = CRect(area.left, area.top, area.right, area.top + down * height);
    y = area.top + down * height;
    return height;
}
