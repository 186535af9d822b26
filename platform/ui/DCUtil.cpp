#include "platform/ui/DCUtil.h"

#include "platform/ui/DC.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/Wnd.h"

#include <QImage>
#include <QWidget>

#include <algorithm>
#include <cmath>

std::vector<COLORREF> CreateDIBSectionPalette(const CBitmap* dibSection)
{
    std::vector<COLORREF> palette;
    if (!dibSection)
        return palette;
    const QImage& image = dibSection->GetImage();
    if (image.isNull() || image.depth() > 8)
        return palette;
    for (QRgb c : image.colorTable())
        palette.push_back(RGB(qRed(c), qGreen(c), qBlue(c)));
    return palette;
}

void UnionRectTwips(const CDC* dc, RECT* out, const RECT* a, const RECT* b)
{
    if (!out || !a || !b)
        return;
    const CRect ra(*a), rb(*b);
    CRect u;
    if (!(dc && dc->GetMapMode() == MM_TWIPS)) {
        u.UnionRect(ra, rb);
        *out = u;
        return;
    }
    // y grows upward: a rectangle holds something when top is above bottom. Worked out in place
    // rather than by negating, which the lowest coordinate does not survive.
    auto empty = [](const CRect& r) { return r.right <= r.left || r.top <= r.bottom; };
    if (empty(ra))
        u = rb;
    else if (empty(rb))
        u = ra;
    else
        u.SetRect(std::min(ra.left, rb.left), std::max(ra.top, rb.top), std::max(ra.right, rb.right),
                  std::min(ra.bottom, rb.bottom));
    if (empty(u))
        u.SetRectEmpty();
    *out = u;
}

void GetWindowRectInParent(const CWnd* wnd, RECT* out, BOOL belowCaption)
{
    if (!wnd || !out)
        return;
    CRect r;
    wnd->GetWindowRect(&r);
    QWidget* parent = wnd->GetParentWidget();
    if (parent) {
        const QRect frame = parent->isWindow() ? parent->frameGeometry()
                                               : QRect(parent->mapToGlobal(QPoint(0, 0)), parent->size());
        r.OffsetRect(-frame.left(), -frame.top());
        if (belowCaption && parent->isWindow()) {
            // The caption is what the frame has above the client area beyond its side border.
            const QRect client = parent->geometry();
            const int caption = (client.top() - frame.top()) - (client.left() - frame.left());
            if (caption > 0)
                r.OffsetRect(0, -caption);
        }
    }
    *out = r;
}

void GetInsetClientRect(const CWnd* wnd, RECT* r)
{
    if (!wnd || !r)
        return;
    CRect window, client;
    wnd->GetWindowRect(&window);
    wnd->GetClientRect(&client);
    r->right = window.right - 10;
    r->bottom = window.bottom - 10;
    r->left = r->right - client.Width();
    r->top = r->bottom - client.Height();
}

double GetDlgItemPercent(const CWnd* dlg, int id)
{
    return dlg ? dlg->GetDlgItemInt(id, nullptr, TRUE) / 100.0 : 0.0;
}

void SetDlgItemPercent(CWnd* dlg, int id, double value)
{
    if (!dlg)
        return;
    double hundredths = std::round(value * 100.0);
    if (!(hundredths >= -2147483647.0))
        hundredths = -2147483647.0;
    else if (hundredths > 2147483647.0)
        hundredths = 2147483647.0;
    dlg->SetDlgItemInt(id, static_cast<int>(hundredths), TRUE);
}
