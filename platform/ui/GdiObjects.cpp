#include "platform/ui/GdiObjects.h"

#include "platform/ui/DC.h"
#include "platform/core/ScreenInfo.h"

#include <cstdlib>
#include <cstring>

BOOL CGdiObject::DeleteObject()
{
    BOOL wasCreated = m_bCreated;
    m_bCreated = false;
    return wasCreated;
}

BOOL CFont::CreateFontIndirect(const LOGFONT* plf)
{
    if (!plf)
        return FALSE;
    m_lf = *plf;
    m_lf.lfFaceName[LF_FACESIZE - 1] = 0;
    m_nStockPoints = 0;
    m_bCreated = true;
    return TRUE;
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                       BYTE bItalic, BYTE bUnderline, BYTE bStrikeOut, BYTE nCharSet,
                       BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                       BYTE nPitchAndFamily, LPCSTR lpszFacename)
{
    LOGFONT lf;
    lf.lfHeight = nHeight;
    lf.lfWidth = nWidth;
    lf.lfEscapement = nEscapement;
    lf.lfOrientation = nOrientation;
    lf.lfWeight = nWeight;
    lf.lfItalic = bItalic;
    lf.lfUnderline = bUnderline;
    lf.lfStrikeOut = bStrikeOut;
    lf.lfCharSet = nCharSet;
    lf.lfOutPrecision = nOutPrecision;
    lf.lfClipPrecision = nClipPrecision;
    lf.lfQuality = nQuality;
    lf.lfPitchAndFamily = nPitchAndFamily;
    SetLogFontFaceName(lf, lpszFacename ? lpszFacename : "");
    return CreateFontIndirect(&lf);
}

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC)
{
    LOGFONT lf;
    lf.lfHeight = nPointSize;
    lf.lfWeight = FW_NORMAL;
    SetLogFontFaceName(lf, lpszFaceName ? lpszFaceName : "");
    return CreatePointFontIndirect(&lf, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* plf, CDC* pDC)
{
    if (!plf)
        return FALSE;
    LOGFONT lf = *plf;
    const int dpiY = pDC ? pDC->GetDeviceCaps(LOGPIXELSY) : GetScreenInfo().nDpiY;
    POINT pt{0, MulDiv(dpiY, lf.lfHeight, 720)};
    POINT org{0, 0};
    if (pDC) {
        pDC->DPtoLP(&pt);
        pDC->DPtoLP(&org);
    }
    lf.lfHeight = -std::abs(pt.y - org.y);
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* plf) const
{
    if (!m_bCreated || !plf)
        return 0;
    *plf = m_lf;
    return static_cast<int>(sizeof(LOGFONT));
}

BOOL CFont::DeleteObject()
{
    m_lf = LOGFONT();
    m_nStockPoints = 0;
    return CGdiObject::DeleteObject();
}

CFont* CFont::GetStockFont(int nIndex)
{
    struct Stock {
        const char* face;
        int points;
        LONG weight;
        BYTE pitchAndFamily;
    };
    // The platform's stock fonts, by the installed faces that stand in for them.
    static const Stock kStock[] = {
        {"Arial", 10, FW_BOLD, VARIABLE_PITCH | FF_SWISS},      // SYSTEM_FONT, DEVICE_DEFAULT_FONT
        {"Arial", 8, FW_NORMAL, VARIABLE_PITCH | FF_SWISS},     // DEFAULT_GUI_FONT
        {"Arial", 10, FW_NORMAL, VARIABLE_PITCH | FF_SWISS},    // ANSI_VAR_FONT
        {"Courier New", 10, FW_NORMAL, FIXED_PITCH | FF_MODERN} // ANSI_FIXED_FONT
    };
    // Made together on the first call, whichever thread makes it; never changed afterwards, so
    // any thread may select them.
    struct CStockFonts {
        CStockFonts()
        {
            for (int i = 0; i < 4; ++i) {
                LOGFONT lf;
                lf.lfHeight = -MulDiv(kStock[i].points, 96, 72);
                lf.lfWeight = kStock[i].weight;
                lf.lfPitchAndFamily = kStock[i].pitchAndFamily;
                SetLogFontFaceName(lf, kStock[i].face);
                fonts[i].CreateFontIndirect(&lf);
                fonts[i].m_nStockPoints = kStock[i].points;
            }
        }
        CFont fonts[4];
    };
    static CStockFonts stock;
    int i;
    switch (nIndex) {
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: i = 0; break;
    case DEFAULT_GUI_FONT: i = 1; break;
    case ANSI_VAR_FONT: i = 2; break;
    case ANSI_FIXED_FONT: i = 3; break;
    default: return nullptr;
    }
    return &stock.fonts[i];
}

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
{
    m_nStyle = nPenStyle;
    m_nWidth = nWidth < 0 ? 0 : nWidth;
    m_crColor = crColor;
    m_bCreated = true;
    return TRUE;
}

CPen* CPen::GetStockPen(int nIndex)
{
    static CPen white(PS_SOLID, 0, RGB(255, 255, 255));
    static CPen black(PS_SOLID, 0, RGB(0, 0, 0));
    static CPen none(PS_NULL, 0, RGB(0, 0, 0));
    switch (nIndex) {
    case WHITE_PEN: return &white;
    case BLACK_PEN: return &black;
    case NULL_PEN: return &none;
    default: return nullptr;
    }
}

BOOL CBrush::CreateSolidBrush(COLORREF crColor)
{
    m_crColor = crColor;
    m_bNull = false;
    m_bCreated = true;
    return TRUE;
}

BOOL CBrush::CreateNullBrush()
{
    m_crColor = 0;
    m_bNull = true;
    m_bCreated = true;
    return TRUE;
}

CBrush* CBrush::GetStockBrush(int nIndex)
{
    static CBrush white(RGB(255, 255, 255));
    static CBrush ltgray(RGB(192, 192, 192));
    static CBrush gray(RGB(128, 128, 128));
    static CBrush dkgray(RGB(64, 64, 64));
    static CBrush black(RGB(0, 0, 0));
    static CBrush none;
    static const bool noneMade = none.CreateNullBrush();
    (void)noneMade;
    switch (nIndex) {
    case WHITE_BRUSH: return &white;
    case LTGRAY_BRUSH: return &ltgray;
    case GRAY_BRUSH: return &gray;
    case DKGRAY_BRUSH: return &dkgray;
    case BLACK_BRUSH: return &black;
    case NULL_BRUSH: return &none;
    default: return nullptr;
    }
}

CBitmap::~CBitmap()
{
    if (m_pSelectedInto)
        m_pSelectedInto->BitmapGone(this);
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int cx, int cy)
{
    QImage image(cx > 0 ? cx : 1, cy > 0 ? cy : 1, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (pDC) {
        const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX);
        const int dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
        image.setDotsPerMeterX(qRound(dpiX / 0.0254));
        image.setDotsPerMeterY(qRound(dpiY / 0.0254));
    }
    return Attach(image);
}

BOOL CBitmap::Attach(const QImage& image)
{
    if (image.isNull())
        return FALSE;
    if (m_pSelectedInto)
        m_pSelectedInto->BitmapChanging(this);
    m_image = image;
    m_bCreated = true;
    return TRUE;
}

BOOL CBitmap::DeleteObject()
{
    if (m_pSelectedInto)
        m_pSelectedInto->BitmapGone(this);
    m_image = QImage();
    return CGdiObject::DeleteObject();
}

CSize CBitmap::GetSize() const
{
    // A picture drawn for a finer screen keeps its size in logical pixels.
    const QSizeF size = m_image.deviceIndependentSize();
    return CSize(qRound(size.width()), qRound(size.height()));
}

int RegionKind(const QRegion& region)
{
    if (region.isEmpty())
        return NULLREGION;
    return region.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2)
{
    m_region = QRegion(QRect(QPoint(qMin(x1, x2), qMin(y1, y2)), QPoint(qMax(x1, x2) - 1, qMax(y1, y2) - 1)));
    if (x1 == x2 || y1 == y2)
        m_region = QRegion();
    m_bCreated = true;
    return TRUE;
}

BOOL CRgn::CreateRectRgnIndirect(const RECT* lpRect)
{
    return lpRect ? CreateRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom) : FALSE;
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int nMode)
{
    if (!a || (!b && nMode != RGN_COPY))
        return RGN_ERROR;
    QRegion result;
    switch (nMode) {
    case RGN_AND: result = a->m_region.intersected(b->m_region); break;
    case RGN_OR: result = a->m_region.united(b->m_region); break;
    case RGN_XOR: result = a->m_region.xored(b->m_region); break;
    case RGN_DIFF: result = a->m_region.subtracted(b->m_region); break;
    case RGN_COPY: result = a->m_region; break;
    default: return RGN_ERROR;
    }
    SetRegion(result);
    return RegionKind(m_region);
}

int CRgn::GetRgnBox(RECT* lpRect) const
{
    if (!m_bCreated || !lpRect)
        return RGN_ERROR;
    const QRect r = m_region.boundingRect();
    if (r.isEmpty())
        *lpRect = RECT();
    else
        *lpRect = RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    return RegionKind(m_region);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    return m_region.contains(QPoint(x, y));
}

BOOL CRgn::DeleteObject()
{
    m_region = QRegion();
    return CGdiObject::DeleteObject();
}

void CRgn::SetRegion(const QRegion& region)
{
    m_region = region;
    m_bCreated = true;
}
