#include "print/PageFrame.h"

#include "platform/ui/DC.h"
#include "platform/ui/GdiObjects.h"
#include "render/FontMgr.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pageframe {

namespace {

// A rectangle with top above bottom and left before right in value, for clipping.
CRect Normalized(const CRect& rc)
{
    CRect r = rc;
    r.NormalizeRect();
    return r;
}

// Draws a text in a slot's font inside rc only: a title of thousands of characters stays in its
// band.
void DrawClipped(CDC* pDC, const CString& text, const CRect& rc, UINT format, int nSlot)
{
    const int saved = pDC->SaveDC();
    const CRect clip = Normalized(rc);
    pDC->IntersectClipRect(clip.left, clip.top, clip.right, clip.bottom);
    CRect r = rc;
    CFontMgr::DrawTextInSlotFont(pDC, text, -1, &r, format, nSlot);
    pDC->RestoreDC(saved);
}

BOOL IsUsable(double margin)
{
    return std::isfinite(margin) && margin >= 0;
}

} // namespace

int UnitsPerInch(CDC* pDC, BOOL bVertical)
{
    CSize inch(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    pDC->DPtoLP(&inch);
    return std::abs(bVertical ? inch.cy : inch.cx);
}

int Down(CDC* pDC)
{
    return pDC->GetMapMode() == MM_TEXT ? 1 : -1;
}

int HeightOf(const CRect& rc)
{
    return std::abs(rc.bottom - rc.top);
}

CRect UnprintableBorders(CDC* pDC)
{
    const int left = std::max(pDC->GetDeviceCaps(PHYSICALOFFSETX), 0);
    const int top = std::max(pDC->GetDeviceCaps(PHYSICALOFFSETY), 0);
    const int paperWidth = pDC->GetDeviceCaps(PHYSICALWIDTH);
    const int paperHeight = pDC->GetDeviceCaps(PHYSICALHEIGHT);
    // Each side its own: a printer that cannot print near the left edge may print to the right.
    const int right = paperWidth > 0 ? std::max(paperWidth - pDC->GetDeviceCaps(HORZRES) - left, 0) : 0;
    const int bottom = paperHeight > 0 ? std::max(paperHeight - pDC->GetDeviceCaps(VERTRES) - top, 0) : 0;
    return CRect(left, top, right, bottom);
}

void ApplyMargins(CDC* pDC, CRect& rectDraw, const CPageMargins& margins)
{
    const CRect borders = UnprintableBorders(pDC);
    const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX);
    const int dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    CRect device = rectDraw;
    pDC->LPtoDP(&device);
    device.NormalizeRect();
    // Never past the rectangle: an absurd margin leaves an empty one, not one turned inside out.
    auto shrink = [](double inches, int dpi, int border, int room) {
        if (!IsUsable(inches))
            return 0;
        const double amount = std::min(inches * dpi, static_cast<double>(room) + border) - border;
        return amount > 0 ? static_cast<int>(std::lround(amount)) : 0;
    };
    const int width = device.Width();
    const int height = device.Height();
    const int left = shrink(margins.left, dpiX, borders.left, width);
    const int right = shrink(margins.right, dpiX, borders.right, std::max(width - left, 0));
    const int top = shrink(margins.top, dpiY, borders.top, height);
    const int bottom = shrink(margins.bottom, dpiY, borders.bottom, std::max(height - top, 0));
    device.left += left;
    device.right -= right;
    device.top += top;
    device.bottom -= bottom;
    pDC->DPtoLP(&device);
    rectDraw = device;
}

CString CheckMargins(CDC* pDC, const CPageMargins& margins)
{
    for (double m : {margins.left, margins.right, margins.top, margins.bottom}) {
        if (!IsUsable(m))
            return "A print margin is below zero.\n\nSet the margins again with Print Margins.";
    }
    const int saved = pDC->SaveDC();
    pDC->SetMapMode(MM_TWIPS);
    CRect page(0, 0, pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    pDC->DPtoLP(&page);
    ApplyMargins(pDC, page, margins);
    const int inch = UnitsPerInch(pDC, TRUE);
    const int body = HeightOf(page) - HeightOf(HeaderRect(pDC, page)) - HeightOf(FooterRect(pDC, page));
    const int across = std::abs(page.Width());
    pDC->RestoreDC(saved);
    if (body < inch || across < UnitsPerInch(pDC, FALSE))
        return "The print margins leave less than an inch of the page for the questions.\n\n"
               "Set smaller margins with Print Margins.";
    return CString();
}

int SlotLineHeight(CDC* pDC, int nSlot)
{
    CFont* old = CFontMgr::SelectSlotFont(pDC, nSlot);
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    CFontMgr::RestoreSlotFont(pDC, old, nSlot);
    return static_cast<int>(tm.tmHeight + tm.tmExternalLeading);
}

CRect HeaderRect(CDC* pDC, const CRect& rectDraw)
{
    const int height = SlotLineHeight(pDC, FM_CORRATITLE) + SlotLineHeight(pDC, FM_CORRADESCR);
    return CRect(rectDraw.left, rectDraw.top, rectDraw.right, rectDraw.top + Down(pDC) * height);
}

CRect FooterRect(CDC* pDC, const CRect& rectDraw)
{
    const int height = SlotLineHeight(pDC, FM_CORRAFILENAME) + SlotLineHeight(pDC, FM_CORRAPAGENO);
    return CRect(rectDraw.left, rectDraw.bottom - Down(pDC) * height, rectDraw.right, rectDraw.bottom);
}

void DrawHeader(CDC* pDC, const CRect& header, const CString& title, const CString& description)
{
    const int down = Down(pDC);
    const int first = header.top + down * SlotLineHeight(pDC, FM_CORRATITLE);
    const UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_LEFT;
    DrawClipped(pDC, title, CRect(header.left, header.top, header.right, first), format, FM_CORRATITLE);
    DrawClipped(pDC, description, CRect(header.left, first, header.right, header.bottom), format | DT_BOTTOM,
                FM_CORRADESCR);
}

void DrawFooter(CDC* pDC, const CRect& footer, const CString& path, int nPage)
{
    const int down = Down(pDC);
    const int first = footer.top + down * SlotLineHeight(pDC, FM_CORRAFILENAME);
    DrawClipped(pDC, path, CRect(footer.left, footer.top, footer.right, first), DT_SINGLELINE | DT_NOPREFIX | DT_LEFT,
                FM_CORRAFILENAME);
    DrawClipped(pDC, CString::Formatted("Page %d", nPage), CRect(footer.left, first, footer.right, footer.bottom),
                DT_SINGLELINE | DT_NOPREFIX | DT_CENTER | DT_BOTTOM, FM_CORRAPAGENO);
}

int DrawTitleBlock(CDC* pDC, const CRect& rc, const CString& instructions, BOOL bDraw)
{
    if (instructions.IsEmpty())
        return 0;
    CRect measured(rc.left, rc.top, rc.right, rc.top);
    const int text = std::abs(CFontMgr::DrawTextInSlotFont(pDC, instructions, -1, &measured,
                                                           DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT, FM_INSTRUCTIONS));
    const int height = std::min(text + SlotLineHeight(pDC, FM_INSTRUCTIONS), HeightOf(rc));
    if (bDraw)
        DrawClipped(pDC, instructions, rc, DT_WORDBREAK | DT_NOPREFIX, FM_INSTRUCTIONS);
    return height;
}

int DrawSeparator(CDC* pDC, int x, int y, int width, int nPenWidth, BOOL bDraw)
{
    const BOOL twips = pDC->GetMapMode() == MM_TWIPS;
    const int gap = twips ? 100 : 5;
    const int pen = std::max(nPenWidth, 0) * (twips ? 20 : 1);
    if (bDraw && pen > 0) {
        CPen line(PS_SOLID, pen, RGB(0, 0, 0));
        CPen* old = pDC->SelectObject(&line);
        const int at = y + Down(pDC) * (gap + pen / 2);
        pDC->MoveTo(x, at);
        pDC->LineTo(x + width, at);
        pDC->SelectObject(old);
    }
    return 2 * gap + pen;
}

} // namespace pageframe
