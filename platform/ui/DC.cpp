#include "platform/ui/DC.h"

#include "platform/ui/QtString.h"
#include "platform/core/ScreenInfo.h"

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

QColor ColorFromRef(COLORREF cr)
{
    return QColor(GetRValue(cr), GetGValue(cr), GetBValue(cr));
}

COLORREF RefFromColor(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

namespace {

// (v - from) * num / den + to, rounded as MulDiv rounds, worked out wide: coordinates may come
// from anywhere, and one far out of range is held at the edge of what an int takes.
int MapCoord(int v, int from, int num, int den, int to)
{
    if (den == 0)
        return to;
    const __int128 prod = static_cast<__int128>(static_cast<long long>(v) - from) * num;
    const __int128 mag = prod < 0 ? -prod : prod;
    const __int128 d = den < 0 ? -static_cast<__int128>(den) : den;
    const __int128 q = (mag + d / 2) / d;
    const __int128 r = ((prod < 0) != (den < 0) ? -q : q) + to;
    return static_cast<int>(std::clamp<__int128>(r, INT_MIN, INT_MAX));
}

int ImageDpi(int dotsPerMeter)
{
    const int dpi = qRound(dotsPerMeter * 0.0254);
    return dpi > 0 ? dpi : 96;
}

// Units per inch of the fixed metric mapping modes; 0 for the others.
int UnitsPerInch(int nMapMode)
{
    switch (nMapMode) {
    case MM_LOMETRIC: return 254;
    case MM_HIMETRIC: return 2540;
    case MM_LOENGLISH: return 100;
    case MM_HIENGLISH: return 1000;
    case MM_TWIPS: return 1440;
    default: return 0;
    }
}

} // namespace

// Construction and the surface.

CDC::CDC()
{
    ResetState();
}

CDC::CDC(QImage* pImage)
{
    ResetState();
    AttachImage(pImage);
}

CDC::CDC(QPainter* pPainter, QWidget* pWnd)
{
    ResetState();
    if (!pPainter || !pPainter->isActive())
        return;
    m_kind = Kind::Painter;
    m_pPainter = pPainter;
    m_bOwnPainter = false;
    m_pDevice = pPainter->device();
    m_pWnd = pWnd;
    if (m_pDevice) {
        if (m_pDevice->devType() == QInternal::Printer)
            m_pPrinter = dynamic_cast<QPrinter*>(m_pDevice);
        else if (m_pDevice->devType() == QInternal::Image)
            m_pImage = static_cast<QImage*>(m_pDevice);
        else if (!m_pWnd && m_pDevice->devType() == QInternal::Widget)
            m_pWnd = static_cast<QWidget*>(m_pDevice);
    }
    pPainter->save();
    m_bBaseClip = pPainter->hasClipping();
    if (m_bBaseClip)
        m_rgnBase = pPainter->clipRegion();
}

CDC::~CDC()
{
    DeleteDC();
}

BOOL CDC::DeleteDC()
{
    if (m_kind == Kind::Painter && m_pPainter && m_pPainter->isActive())
        m_pPainter->restore();
    EndOwnPainter();
    m_pPainter = nullptr;
    if (m_pBitmap)
        m_pBitmap->m_pSelectedInto = nullptr;
    m_pBitmap = nullptr;
    m_kind = Kind::None;
    m_pDevice = nullptr;
    m_pImage = nullptr;
    m_pPrinter = nullptr;
    m_pWnd = nullptr;
    m_bBaseClip = false;
    m_rgnBase = QRegion();
    m_saved.clear();
    return TRUE;
}

void CDC::ResetState()
{
    m_state = CDCState();
    CFont* font = CFont::GetStockFont(SYSTEM_FONT);
    m_state.pFont = font;
    m_state.lf = font->LogFont();
    m_state.nStockPoints = font->GetStockPointSize();
    m_state.pPen = CPen::GetStockPen(BLACK_PEN);
    m_state.pBrush = CBrush::GetStockBrush(WHITE_BRUSH);
    m_pRealFont.reset();
}

void CDC::EndOwnPainter()
{
    if (m_bOwnPainter && m_pPainter) {
        if (m_pPainter->isActive())
            m_pPainter->end();
        delete m_pPainter;
        m_pPainter = nullptr;
    }
    m_bOwnPainter = false;
}

void CDC::AttachImage(QImage* pImage)
{
    DeleteDC();
    if (!pImage)
        return;
    m_kind = Kind::Image;
    m_pImage = pImage;
    m_pDevice = pImage;
}

void CDC::AttachWidget(QWidget* pWnd, bool bPaint)
{
    DeleteDC();
    m_pWnd = pWnd;
    if (pWnd && bPaint) {
        m_kind = Kind::Widget;
        m_pDevice = pWnd;
        m_pPainter = new QPainter(pWnd);
        m_bOwnPainter = true;
    } else {
        m_kind = Kind::Screen;
    }
}

void CDC::AttachPrinter(QPrinter* pPrinter)
{
    DeleteDC();
    if (!pPrinter)
        return;
    m_kind = Kind::Printer;
    m_pPrinter = pPrinter;
    m_pDevice = pPrinter;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    CDeviceCaps caps = pDC ? pDC->CurrentCaps() : CDC().CurrentCaps();
    DeleteDC();
    m_kind = Kind::Memory;
    m_capsRef = caps;
    ApplyMapExtents();
    return TRUE;
}

QPainter* CDC::GetPainter()
{
    if (!m_pPainter && (m_kind == Kind::Image || m_kind == Kind::Memory) && m_pImage && !m_pImage->isNull()) {
        auto* p = new QPainter;
        if (p->begin(m_pImage)) {
            m_pPainter = p;
            m_bOwnPainter = true;
        } else {
            delete p;
        }
    }
    return m_pPainter && m_pPainter->isActive() ? m_pPainter : nullptr;
}

BOOL CDC::CanDraw() const
{
    switch (m_kind) {
    case Kind::Image:
    case Kind::Memory:
        return m_pImage && !m_pImage->isNull();
    case Kind::Widget:
    case Kind::Painter:
    case Kind::Printer:
        return m_pPainter && m_pPainter->isActive();
    default:
        return FALSE;
    }
}

void CDC::BitmapGone(CBitmap* pBitmap)
{
    if (m_pBitmap != pBitmap)
        return;
    EndOwnPainter();
    m_pBitmap->m_pSelectedInto = nullptr;
    m_pBitmap = nullptr;
    m_pImage = nullptr;
    m_pDevice = nullptr;
}

void CDC::BitmapChanging(CBitmap* pBitmap)
{
    // The painter works on the bitmap's old pixels; a new one starts on the next drawing.
    if (m_pBitmap == pBitmap)
        EndOwnPainter();
}

const QImage* CDC::SurfaceImage() const
{
    return m_pImage;
}

QPaintDevice* CDC::MeasureDevice() const
{
    if (m_kind == Kind::Screen || m_kind == Kind::None)
        return nullptr;
    return m_pDevice;
}

// Objects.

CFont* CDC::SelectObject(CFont* pFont)
{
    if (!pFont || !pFont->GetSafeHandle())
        return nullptr;
    CFont* old = m_state.pFont;
    m_state.pFont = pFont;
    m_state.lf = pFont->LogFont();
    m_state.nStockPoints = pFont->GetStockPointSize();
    return old;
}

CPen* CDC::SelectObject(CPen* pPen)
{
    if (!pPen || !pPen->GetSafeHandle())
        return nullptr;
    CPen* old = m_state.pPen;
    m_state.pPen = pPen;
    m_state.nPenStyle = pPen->GetStyle();
    m_state.nPenWidth = pPen->GetWidth();
    m_state.crPen = pPen->GetColor();
    return old;
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    if (!pBrush || !pBrush->GetSafeHandle())
        return nullptr;
    CBrush* old = m_state.pBrush;
    m_state.pBrush = pBrush;
    m_state.bNullBrush = pBrush->IsNull();
    m_state.crBrush = pBrush->GetColor();
    return old;
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    if (m_kind != Kind::Memory || !pBitmap || !pBitmap->GetSafeHandle())
        return nullptr;
    CBitmap* old = m_pBitmap;
    if (old == pBitmap)
        return old;
    EndOwnPainter();
    if (old)
        old->m_pSelectedInto = nullptr;
    if (pBitmap->m_pSelectedInto)
        pBitmap->m_pSelectedInto->BitmapGone(pBitmap);
    m_pBitmap = pBitmap;
    pBitmap->m_pSelectedInto = this;
    m_pImage = &pBitmap->m_image;
    m_pDevice = m_pImage;
    return old;
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    if (CFont* font = CFont::GetStockFont(nIndex))
        return SelectObject(font);
    if (CPen* pen = CPen::GetStockPen(nIndex))
        return SelectObject(pen);
    if (CBrush* brush = CBrush::GetStockBrush(nIndex))
        return SelectObject(brush);
    return nullptr;
}

// Attributes.

COLORREF CDC::SetTextColor(COLORREF cr)
{
    COLORREF old = m_state.crText;
    m_state.crText = cr;
    return old;
}

COLORREF CDC::SetBkColor(COLORREF cr)
{
    COLORREF old = m_state.crBk;
    m_state.crBk = cr;
    return old;
}

int CDC::SetBkMode(int nMode)
{
    if (nMode != TRANSPARENT && nMode != OPAQUE)
        return 0;
    int old = m_state.nBkMode;
    m_state.nBkMode = nMode;
    return old;
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    UINT old = m_state.nTextAlign;
    m_state.nTextAlign = nFlags;
    return old;
}

int CDC::SetStretchBltMode(int nMode)
{
    int old = m_state.nStretchMode;
    m_state.nStretchMode = nMode;
    return old;
}

// Mapping.

int CDC::SetMapMode(int nMapMode)
{
    if (nMapMode < MM_TEXT || nMapMode > MM_ANISOTROPIC)
        return 0;
    int old = m_state.nMapMode;
    m_state.nMapMode = nMapMode;
    ApplyMapExtents();
    return old;
}

void CDC::ApplyMapExtents()
{
    const int units = UnitsPerInch(m_state.nMapMode);
    if (m_state.nMapMode == MM_TEXT) {
        m_state.szWindowExt = CSize(1, 1);
        m_state.szViewportExt = CSize(1, 1);
    } else if (units > 0) {
        // y grows upward: the viewport's y extent is negative.
        const CDeviceCaps caps = CurrentCaps();
        m_state.szWindowExt = CSize(units, units);
        m_state.szViewportExt = CSize(caps.nDpiX, -caps.nDpiY);
    }
    // MM_ISOTROPIC and MM_ANISOTROPIC keep the extents they had until they are set.
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    CPoint old = m_state.ptWindowOrg;
    m_state.ptWindowOrg = CPoint(x, y);
    return old;
}

CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    CPoint old = m_state.ptWindowOrg;
    m_state.ptWindowOrg.Offset(dx, dy);
    return old;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    CPoint old = m_state.ptViewportOrg;
    m_state.ptViewportOrg = CPoint(x, y);
    return old;
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    CPoint old = m_state.ptViewportOrg;
    m_state.ptViewportOrg.Offset(dx, dy);
    return old;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    CSize old = m_state.szWindowExt;
    if ((m_state.nMapMode == MM_ISOTROPIC || m_state.nMapMode == MM_ANISOTROPIC) && cx != 0 && cy != 0)
        m_state.szWindowExt = CSize(cx, cy);
    return old;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    CSize old = m_state.szViewportExt;
    if ((m_state.nMapMode == MM_ISOTROPIC || m_state.nMapMode == MM_ANISOTROPIC) && cx != 0 && cy != 0)
        m_state.szViewportExt = CSize(cx, cy);
    return old;
}

double CDC::ScaleX() const
{
    return static_cast<double>(m_state.szViewportExt.cx) / m_state.szWindowExt.cx;
}

double CDC::ScaleY() const
{
    return static_cast<double>(m_state.szViewportExt.cy) / m_state.szWindowExt.cy;
}

int CDC::XToDevice(int x) const
{
    return MapCoord(x, m_state.ptWindowOrg.x, m_state.szViewportExt.cx, m_state.szWindowExt.cx, m_state.ptViewportOrg.x);
}

int CDC::YToDevice(int y) const
{
    return MapCoord(y, m_state.ptWindowOrg.y, m_state.szViewportExt.cy, m_state.szWindowExt.cy, m_state.ptViewportOrg.y);
}

double CDC::XToDeviceF(double x) const
{
    return (x - m_state.ptWindowOrg.x) * ScaleX() + m_state.ptViewportOrg.x;
}

int CDC::XToLogical(int x) const
{
    return MapCoord(x, m_state.ptViewportOrg.x, m_state.szWindowExt.cx, m_state.szViewportExt.cx, m_state.ptWindowOrg.x);
}

int CDC::YToLogical(int y) const
{
    return MapCoord(y, m_state.ptViewportOrg.y, m_state.szWindowExt.cy, m_state.szViewportExt.cy, m_state.ptWindowOrg.y);
}

QRect CDC::RectToDevice(int x1, int y1, int x2, int y2) const
{
    auto edge = [](int v) { return std::clamp(v, -kFarDevice, kFarDevice); };
    const int dx1 = edge(XToDevice(x1)), dx2 = edge(XToDevice(x2));
    const int dy1 = edge(YToDevice(y1)), dy2 = edge(YToDevice(y2));
    return QRect(std::min(dx1, dx2), std::min(dy1, dy2), std::abs(dx2 - dx1), std::abs(dy2 - dy1));
}

void CDC::LPtoDP(POINT* lpPoints, int nCount) const
{
    for (int i = 0; lpPoints && i < nCount; ++i) {
        lpPoints[i].x = XToDevice(lpPoints[i].x);
        lpPoints[i].y = YToDevice(lpPoints[i].y);
    }
}

void CDC::LPtoDP(RECT* lpRect) const
{
    if (!lpRect)
        return;
    LPtoDP(reinterpret_cast<POINT*>(&lpRect->left), 1);
    LPtoDP(reinterpret_cast<POINT*>(&lpRect->right), 1);
}

void CDC::LPtoDP(SIZE* lpSize) const
{
    if (!lpSize)
        return;
    lpSize->cx = MulDiv(lpSize->cx, std::abs(m_state.szViewportExt.cx), std::abs(m_state.szWindowExt.cx));
    lpSize->cy = MulDiv(lpSize->cy, std::abs(m_state.szViewportExt.cy), std::abs(m_state.szWindowExt.cy));
}

void CDC::DPtoLP(POINT* lpPoints, int nCount) const
{
    for (int i = 0; lpPoints && i < nCount; ++i) {
        lpPoints[i].x = XToLogical(lpPoints[i].x);
        lpPoints[i].y = YToLogical(lpPoints[i].y);
    }
}

void CDC::DPtoLP(RECT* lpRect) const
{
    if (!lpRect)
        return;
    DPtoLP(reinterpret_cast<POINT*>(&lpRect->left), 1);
    DPtoLP(reinterpret_cast<POINT*>(&lpRect->right), 1);
}

void CDC::DPtoLP(SIZE* lpSize) const
{
    if (!lpSize)
        return;
    lpSize->cx = MulDiv(lpSize->cx, std::abs(m_state.szWindowExt.cx), std::abs(m_state.szViewportExt.cx));
    lpSize->cy = MulDiv(lpSize->cy, std::abs(m_state.szWindowExt.cy), std::abs(m_state.szViewportExt.cy));
}

// State stack.

int CDC::SaveDC()
{
    m_saved.push_back(m_state);
    return static_cast<int>(m_saved.size());
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    const int count = static_cast<int>(m_saved.size());
    const int level = nSavedDC < 0 ? count + 1 + nSavedDC : nSavedDC;
    if (level < 1 || level > count)
        return FALSE;
    m_state = m_saved[level - 1];
    m_saved.resize(level - 1);
    return TRUE;
}

// Device capabilities.

CDC::CDeviceCaps CDC::CurrentCaps() const
{
    CDeviceCaps caps;
    if (m_pPrinter) {
        caps.bPrinter = true;
        caps.nDpiX = caps.nDpiY = m_pPrinter->resolution() > 0 ? m_pPrinter->resolution() : 96;
        const QRect page = m_pPrinter->pageLayout().paintRectPixels(caps.nDpiX);
        const QRect paper = m_pPrinter->pageLayout().fullRectPixels(caps.nDpiX);
        caps.nHorzRes = page.width();
        caps.nVertRes = page.height();
        caps.nPhysWidth = paper.width();
        caps.nPhysHeight = paper.height();
        caps.nOffsetX = page.x() - paper.x();
        caps.nOffsetY = page.y() - paper.y();
        caps.nBitsPixel = 24;
        return caps;
    }
    if (m_kind == Kind::Memory)
        return m_capsRef;
    if (m_pImage && (m_kind == Kind::Image || m_kind == Kind::Painter)) {
        caps.nDpiX = ImageDpi(m_pImage->dotsPerMeterX());
        caps.nDpiY = ImageDpi(m_pImage->dotsPerMeterY());
        caps.nHorzRes = m_pImage->width();
        caps.nVertRes = m_pImage->height();
        caps.nBitsPixel = m_pImage->depth();
        return caps;
    }
    const CScreenInfo screen = GetScreenInfo();
    caps.nDpiX = screen.nDpiX;
    caps.nDpiY = screen.nDpiY;
    caps.nHorzRes = screen.nWidth;
    caps.nVertRes = screen.nHeight;
    caps.nBitsPixel = screen.nBitsPerPixel;
    return caps;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    const CDeviceCaps caps = CurrentCaps();
    switch (nIndex) {
    case TECHNOLOGY: return caps.bPrinter ? DT_RASPRINTER : DT_RASDISPLAY;
    case HORZSIZE: return MulDiv(caps.nHorzRes, 254, caps.nDpiX * 10);
    case VERTSIZE: return MulDiv(caps.nVertRes, 254, caps.nDpiY * 10);
    case HORZRES: return caps.nHorzRes;
    case VERTRES: return caps.nVertRes;
    case BITSPIXEL: return caps.nBitsPixel;
    case PLANES: return 1;
    case NUMCOLORS: return caps.nBitsPixel <= 8 ? 1 << caps.nBitsPixel : -1;
    case RASTERCAPS: {
        int rc = RC_BITBLT | RC_BITMAP64 | RC_GDI20_OUTPUT | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
        if (!caps.bPrinter)
            rc |= RC_FLOODFILL;
        if (caps.nBitsPixel <= 8)
            rc |= RC_PALETTE;
        return rc;
    }
    case LOGPIXELSX: return caps.nDpiX;
    case LOGPIXELSY: return caps.nDpiY;
    case SIZEPALETTE: return caps.nBitsPixel <= 8 ? 1 << caps.nBitsPixel : 0;
    case PHYSICALWIDTH: return caps.bPrinter ? caps.nPhysWidth : 0;
    case PHYSICALHEIGHT: return caps.bPrinter ? caps.nPhysHeight : 0;
    case PHYSICALOFFSETX: return caps.bPrinter ? caps.nOffsetX : 0;
    case PHYSICALOFFSETY: return caps.bPrinter ? caps.nOffsetY : 0;
    default: return 0;
    }
}

QRect CDC::DeviceBounds() const
{
    switch (m_kind) {
    case Kind::Image:
    case Kind::Memory:
        return m_pImage ? m_pImage->rect() : QRect(0, 0, 1, 1);
    case Kind::Widget:
        return m_pWnd ? m_pWnd->rect() : QRect();
    case Kind::Painter:
        return m_pDevice ? QRect(0, 0, m_pDevice->width(), m_pDevice->height()) : QRect();
    default: {
        const CDeviceCaps caps = CurrentCaps();
        return QRect(0, 0, caps.nHorzRes, caps.nVertRes);
    }
    }
}

// Clipping.

QRegion CDC::VisibleRegion() const
{
    QRegion region = m_state.bClip ? m_state.rgnClip : QRegion(DeviceBounds());
    if (m_bBaseClip)
        region = region.intersected(m_rgnBase);
    return region;
}

void CDC::ApplyClip(QPainter& p, const QRegion* pExtra) const
{
    QRegion region;
    bool clipped = false;
    if (m_bBaseClip) {
        region = m_rgnBase;
        clipped = true;
    }
    if (m_state.bClip) {
        region = clipped ? region.intersected(m_state.rgnClip) : m_state.rgnClip;
        clipped = true;
    }
    if (pExtra) {
        region = clipped ? region.intersected(*pExtra) : *pExtra;
        clipped = true;
    }
    if (clipped)
        p.setClipRegion(region);
    else
        p.setClipping(false);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    const QRegion rect(RectToDevice(x1, y1, x2, y2));
    m_state.rgnClip = m_state.bClip ? m_state.rgnClip.intersected(rect) : rect;
    m_state.bClip = true;
    return RegionKind(m_state.rgnClip);
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    const QRegion rect(RectToDevice(x1, y1, x2, y2));
    const QRegion base = m_state.bClip ? m_state.rgnClip : QRegion(DeviceBounds());
    m_state.rgnClip = base.subtracted(rect);
    m_state.bClip = true;
    return RegionKind(m_state.rgnClip);
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    if (!pRgn) {
        m_state.bClip = false;
        m_state.rgnClip = QRegion();
        return SIMPLEREGION;
    }
    if (!pRgn->GetSafeHandle())
        return RGN_ERROR;
    m_state.rgnClip = pRgn->GetRegion();
    m_state.bClip = true;
    return RegionKind(m_state.rgnClip);
}

int CDC::GetClipBox(RECT* lpRect) const
{
    if (!lpRect)
        return RGN_ERROR;
    const QRegion region = VisibleRegion();
    const QRect box = region.boundingRect();
    if (box.isEmpty()) {
        *lpRect = RECT();
        return NULLREGION;
    }
    lpRect->left = XToLogical(box.left());
    lpRect->top = YToLogical(box.top());
    lpRect->right = XToLogical(box.right() + 1);
    lpRect->bottom = YToLogical(box.bottom() + 1);
    return RegionKind(region);
}

BOOL CDC::RectVisible(const RECT* lpRect) const
{
    if (!lpRect)
        return FALSE;
    return VisibleRegion().intersects(RectToDevice(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom));
}

// Lines and shapes.

QPen CDC::MakePen() const
{
    if (m_state.nPenStyle == PS_NULL)
        return QPen(Qt::NoPen);
    const int width = m_state.nPenWidth == 0 ? 1 : std::max(1, qRound(m_state.nPenWidth * std::abs(ScaleX())));
    Qt::PenStyle style = Qt::SolidLine;
    switch (m_state.nPenStyle) {
    case PS_DASH: style = Qt::DashLine; break;
    case PS_DOT: style = Qt::DotLine; break;
    case PS_DASHDOT: style = Qt::DashDotLine; break;
    case PS_DASHDOTDOT: style = Qt::DashDotDotLine; break;
    default: break;
    }
    return QPen(QBrush(ColorFromRef(m_state.crPen)), width, style, Qt::FlatCap, Qt::MiterJoin);
}

void CDC::FillDevice(const QRect& rc, const QColor& color)
{
    QPainter* p = GetPainter();
    if (!p || rc.isEmpty())
        return;
    ApplyClip(*p);
    p->fillRect(rc, color);
}

void CDC::DrawLineDevice(const QPoint& a, const QPoint& b)
{
    const QPen pen = MakePen();
    if (pen.style() == Qt::NoPen || a == b)
        return;
    QPainter* p = GetPainter();
    if (!p)
        return;
    ApplyClip(*p);
    const int w = pen.width();
    if (pen.style() == Qt::SolidLine && (a.y() == b.y() || a.x() == b.x())) {
        // Straight solid lines as exact pixel bands; the end point is not drawn.
        if (a.y() == b.y()) {
            const int x1 = a.x() < b.x() ? a.x() : b.x() + 1;
            const int x2 = a.x() < b.x() ? b.x() : a.x() + 1;
            p->fillRect(QRect(x1, a.y() - w / 2, x2 - x1, w), pen.color());
        } else {
            const int y1 = a.y() < b.y() ? a.y() : b.y() + 1;
            const int y2 = a.y() < b.y() ? b.y() : a.y() + 1;
            p->fillRect(QRect(a.x() - w / 2, y1, w, y2 - y1), pen.color());
        }
        return;
    }
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setPen(pen);
    p->drawLine(a, b);
}

CPoint CDC::MoveTo(int x, int y)
{
    CPoint old = m_state.ptCurrent;
    m_state.ptCurrent = CPoint(x, y);
    return old;
}

BOOL CDC::LineTo(int x, int y)
{
    DrawLineDevice(QPoint(XToDevice(m_state.ptCurrent.x), YToDevice(m_state.ptCurrent.y)),
                   QPoint(XToDevice(x), YToDevice(y)));
    m_state.ptCurrent = CPoint(x, y);
    return TRUE;
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    if (!lpPoints || nCount < 2)
        return FALSE;
    for (int i = 1; i < nCount; ++i)
        DrawLineDevice(QPoint(XToDevice(lpPoints[i - 1].x), YToDevice(lpPoints[i - 1].y)),
                       QPoint(XToDevice(lpPoints[i].x), YToDevice(lpPoints[i].y)));
    return TRUE;
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    const QRect rc = RectToDevice(x1, y1, x2, y2);
    QPainter* p = GetPainter();
    if (!p || rc.isEmpty())
        return TRUE;
    ApplyClip(*p);
    if (!m_state.bNullBrush)
        p->fillRect(rc, ColorFromRef(m_state.crBrush));
    const QPen pen = MakePen();
    if (pen.style() == Qt::NoPen)
        return TRUE;
    const int w = std::min({pen.width(), rc.width(), rc.height()});
    if (pen.style() == Qt::SolidLine) {
        // The frame lies inside the rectangle, as the platform draws it.
        const QColor c = pen.color();
        p->fillRect(QRect(rc.left(), rc.top(), rc.width(), w), c);
        p->fillRect(QRect(rc.left(), rc.bottom() + 1 - w, rc.width(), w), c);
        p->fillRect(QRect(rc.left(), rc.top(), w, rc.height()), c);
        p->fillRect(QRect(rc.right() + 1 - w, rc.top(), w, rc.height()), c);
    } else {
        p->setRenderHint(QPainter::Antialiasing, false);
        p->setPen(pen);
        p->setBrush(Qt::NoBrush);
        p->drawRect(QRectF(rc).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    return TRUE;
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    const QRect rc = RectToDevice(x1, y1, x2, y2);
    QPainter* p = GetPainter();
    if (!p || rc.isEmpty())
        return TRUE;
    ApplyClip(*p);
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setPen(MakePen());
    p->setBrush(m_state.bNullBrush ? QBrush(Qt::NoBrush) : QBrush(ColorFromRef(m_state.crBrush)));
    p->drawEllipse(QRectF(rc).adjusted(0.5, 0.5, -0.5, -0.5));
    return TRUE;
}

void CDC::FillSolidRect(const RECT* lpRect, COLORREF cr)
{
    if (!lpRect)
        return;
    SetBkColor(cr);
    FillDevice(RectToDevice(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom), ColorFromRef(cr));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF cr)
{
    RECT rc{x, y, x + cx, y + cy};
    FillSolidRect(&rc, cr);
}

void CDC::FillRect(const RECT* lpRect, CBrush* pBrush)
{
    if (!lpRect || !pBrush || pBrush->IsNull())
        return;
    FillDevice(RectToDevice(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom), ColorFromRef(pBrush->GetColor()));
}

void CDC::FrameRect(const RECT* lpRect, CBrush* pBrush)
{
    if (!lpRect || !pBrush || pBrush->IsNull())
        return;
    const QRect rc = RectToDevice(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    const QColor c = ColorFromRef(pBrush->GetColor());
    FillDevice(QRect(rc.left(), rc.top(), rc.width(), 1), c);
    FillDevice(QRect(rc.left(), rc.bottom(), rc.width(), 1), c);
    FillDevice(QRect(rc.left(), rc.top(), 1, rc.height()), c);
    FillDevice(QRect(rc.right(), rc.top(), 1, rc.height()), c);
}

void CDC::DrawFocusRect(const RECT* lpRect)
{
    QPainter* p = GetPainter();
    if (!lpRect || !p)
        return;
    const QRect rc = RectToDevice(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    if (rc.isEmpty())
        return;
    ApplyClip(*p);
    p->setRenderHint(QPainter::Antialiasing, false);
    p->setPen(QPen(Qt::black, 1, Qt::DotLine));
    p->setBrush(Qt::NoBrush);
    p->drawRect(rc.adjusted(0, 0, -1, -1));
}

COLORREF CDC::SetPixel(int x, int y, COLORREF cr)
{
    FillDevice(QRect(XToDevice(x), YToDevice(y), 1, 1), ColorFromRef(cr));
    return cr;
}

COLORREF CDC::GetPixel(int x, int y) const
{
    const QImage* image = SurfaceImage();
    const QPoint pt(XToDevice(x), YToDevice(y));
    if (!image || !image->rect().contains(pt))
        return CLR_INVALID;
    return RefFromColor(image->pixelColor(pt));
}

// Images.

BOOL CDC::DrawImage(int x, int y, int cx, int cy, const QImage& image, const RECT* lpSrc)
{
    if (image.isNull())
        return FALSE;
    QRect src = image.rect();
    if (lpSrc)
        src = QRect(QPoint(std::min(lpSrc->left, lpSrc->right), std::min(lpSrc->top, lpSrc->bottom)),
                    QSize(std::abs(lpSrc->right - lpSrc->left), std::abs(lpSrc->bottom - lpSrc->top)));
    QRect dest = RectToDevice(x, y, x + cx, y + cy);
    if (cx == 0 || cy == 0) {
        const QPoint at(XToDevice(x), YToDevice(y));
        dest = QRect(at, QSize(cx == 0 ? src.width() : dest.width(), cy == 0 ? src.height() : dest.height()));
    }
    QPainter* p = GetPainter();
    if (!p || dest.isEmpty() || src.isEmpty())
        return p != nullptr;
    ApplyClip(*p);
    p->setRenderHint(QPainter::SmoothPixmapTransform, m_state.nStretchMode == HALFTONE);
    p->drawImage(QRectF(dest), image, QRectF(src));
    return TRUE;
}

BOOL CDC::DrawIcon(int x, int y, const QIcon& icon, int cx, int cy)
{
    QPainter* p = GetPainter();
    if (!p || icon.isNull())
        return FALSE;
    const QRect dest = RectToDevice(x, y, x + cx, y + cy);
    ApplyClip(*p);
    icon.paint(p, dest);
    return TRUE;
}

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    const QRect rc = RectToDevice(x, y, x + nWidth, y + nHeight);
    QPainter* p = GetPainter();
    if (!p)
        return FALSE;
    switch (dwRop) {
    case PATCOPY:
        if (!m_state.bNullBrush)
            FillDevice(rc, ColorFromRef(m_state.crBrush));
        return TRUE;
    case BLACKNESS:
        FillDevice(rc, Qt::black);
        return TRUE;
    case WHITENESS:
        FillDevice(rc, Qt::white);
        return TRUE;
    case DSTINVERT:
        ApplyClip(*p);
        p->setCompositionMode(QPainter::RasterOp_NotDestination);
        p->fillRect(rc, Qt::black);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return StretchBlt(x, y, nWidth, nHeight, pSrcDC, xSrc, ySrc, nWidth, nHeight, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop)
{
    if (dwRop == PATCOPY || dwRop == BLACKNESS || dwRop == WHITENESS || dwRop == DSTINVERT)
        return PatBlt(x, y, nWidth, nHeight, dwRop);
    const QImage* source = pSrcDC ? pSrcDC->SurfaceImage() : nullptr;
    QPainter* p = GetPainter();
    if (!source || !p)
        return FALSE;
    QPainter::CompositionMode mode;
    switch (dwRop) {
    case SRCCOPY: mode = QPainter::CompositionMode_Source; break;
    case SRCAND: mode = QPainter::RasterOp_SourceAndDestination; break;
    case SRCPAINT: mode = QPainter::RasterOp_SourceOrDestination; break;
    case SRCINVERT: mode = QPainter::RasterOp_SourceXorDestination; break;
    case NOTSRCCOPY: mode = QPainter::RasterOp_NotSource; break;
    default: return FALSE;
    }
    const QRect dest = RectToDevice(x, y, x + nWidth, y + nHeight);
    const QRect src = pSrcDC->RectToDevice(xSrc, ySrc, xSrc + nSrcWidth, ySrc + nSrcHeight);
    if (dest.isEmpty() || src.isEmpty())
        return TRUE;
    // A copy of the source: it may be this DC's own surface, or one a painter is working on.
    const QImage piece = source->copy(src).convertToFormat(QImage::Format_RGB32);
    ApplyClip(*p);
    p->setRenderHint(QPainter::SmoothPixmapTransform, m_state.nStretchMode == HALFTONE);
    p->setCompositionMode(mode);
    p->drawImage(QRectF(dest), piece, QRectF(piece.rect()));
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

// Printing.

int CDC::StartDoc(LPCSTR lpszDocName)
{
    if (!m_pPrinter)
        return -1;
    if (lpszDocName)
        m_pPrinter->setDocName(ToQString(lpszDocName));
    m_nPages = 0;
    if (m_pPainter && m_pPainter->isActive())
        return 1;
    auto* p = new QPainter;
    if (!p->begin(m_pPrinter)) {
        delete p;
        return -1;
    }
    m_pPainter = p;
    m_bOwnPainter = true;
    return 1;
}

int CDC::StartPage()
{
    if (!m_pPrinter || !GetPainter() || PrinterFailed())
        return -1;
    if (m_nPages > 0 && !m_pPrinter->newPage())
        return -1;
    ++m_nPages;
    return 1;
}

int CDC::EndPage()
{
    return m_pPrinter && GetPainter() && !PrinterFailed() ? 1 : -1;
}

int CDC::EndDoc()
{
    if (!m_pPrinter)
        return -1;
    // The job is only done once the painter has handed everything over.
    BOOL bDone = TRUE;
    if (m_bOwnPainter && m_pPainter && m_pPainter->isActive())
        bDone = m_pPainter->end();
    if (m_bOwnPainter)
        EndOwnPainter();
    m_nPages = 0;
    return bDone && !PrinterFailed() ? 1 : -1;
}

BOOL CDC::PrinterFailed() const
{
    return m_pPrinter && (m_pPrinter->printerState() == QPrinter::Error ||
                          m_pPrinter->printerState() == QPrinter::Aborted);
}

int CDC::AbortDoc()
{
    if (!m_pPrinter)
        return -1;
    m_pPrinter->abort();
    if (m_bOwnPainter)
        EndOwnPainter();
    m_nPages = 0;
    return 1;
}

// The DC kinds.

CPaintDC::CPaintDC(QWidget* pWnd)
{
    AttachWidget(pWnd, true);
}

CClientDC::CClientDC(QWidget* pWnd)
{
    AttachWidget(pWnd, false);
}

CPrinterDC::CPrinterDC(QPrinter* pPrinter)
{
    AttachPrinter(pPrinter);
}
