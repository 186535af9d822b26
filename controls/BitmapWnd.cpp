#include "controls/BitmapWnd.h"

#include "platform/ui/DC.h"
#include "platform/ui/ResourceImage.h"
#include "platform/ui/SysColor.h"

#include <QPaintEvent>
#include <QPainter>

CRect FitPicture(CSize picture, CSize client)
{
    if (picture.cx <= 0 || picture.cy <= 0 || client.cx <= 0 || client.cy <= 0)
        return CRect(0, 0, 0, 0);
    long long w = client.cx;
    long long h = static_cast<long long>(picture.cy) * client.cx / picture.cx;
    if (h > client.cy) {
        h = client.cy;
        w = static_cast<long long>(picture.cx) * client.cy / picture.cy;
    }
    const int x = static_cast<int>((client.cx - w) / 2);
    const int y = static_cast<int>((client.cy - h) / 2);
    return CRect(x, y, x + static_cast<int>(w), y + static_cast<int>(h));
}

CBitmapWnd::CBitmapWnd(QWidget* parent) : QWidget(parent), CWnd(this) {}

BOOL CBitmapWnd::Load(LPCSTR file, UINT nResourceId)
{
    if (!m_pPicture)
        m_pPicture = std::make_unique<CBitmapEx>();
    const BOOL bFile = file && *file;
    const BOOL bLoaded =
        (bFile || nResourceId) &&
        m_pPicture->LoadImage(bFile ? file : nullptr, nResourceId ? MAKEINTRESOURCE(nResourceId) : nullptr);
    update();
    return bLoaded;
}

CRect CBitmapWnd::DrawnRect() const
{
    if (!m_pPicture || m_pPicture->GetImage().isNull())
        return CRect(0, 0, 0, 0);
    return FitPicture(m_pPicture->GetSize(), CSize(width(), height()));
}

void CBitmapWnd::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ColorFromRef(::GetSysColor(COLOR_3DFACE)));
    const CRect at = DrawnRect();
    if (at.IsRectEmpty())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(at.left, at.top, at.Width(), at.Height()), m_pPicture->GetImage());
}
