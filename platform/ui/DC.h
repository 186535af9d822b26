#pragma once
// CDC: the device context the system draws through, over QPainter on a widget, a QImage, a
// QPrinter or a painter that a Qt paint routine hands over.
//
// Logical coordinates go through our own mapping (window and viewport origins and extents, as
// the mapping modes define them) to device coordinates, which are the painter's coordinates.
// The painter's transform is never touched: under MM_TWIPS y grows upward in logical units, and
// text, images and fonts are still placed upright at the mapped device positions.
//
// Objects (fonts, pens, brushes) are copied by description when selected, so a DC never reads
// an object after it was selected; the pointers it returns are only for putting them back.

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"
#include "platform/ui/GdiObjects.h"

#include <QColor>
#include <QFont>
#include <QRegion>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QIcon;
class QImage;
class QPaintDevice;
class QPen;
class QPainter;
class QPrinter;
class QString;
class QWidget;

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_LOMETRIC = 2;
constexpr int MM_HIMETRIC = 3;
constexpr int MM_LOENGLISH = 4;
constexpr int MM_HIENGLISH = 5;
constexpr int MM_TWIPS = 6;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Text alignment of TextOut.
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// DrawText formats.
constexpr UINT DT_TOP = 0x0;
constexpr UINT DT_LEFT = 0x0;
constexpr UINT DT_CENTER = 0x1;
constexpr UINT DT_RIGHT = 0x2;
constexpr UINT DT_VCENTER = 0x4;
constexpr UINT DT_BOTTOM = 0x8;
constexpr UINT DT_WORDBREAK = 0x10;
constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_EXPANDTABS = 0x40;
constexpr UINT DT_TABSTOP = 0x80;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_EXTERNALLEADING = 0x200;
constexpr UINT DT_CALCRECT = 0x400;
constexpr UINT DT_NOPREFIX = 0x800;
constexpr UINT DT_EDITCONTROL = 0x2000;
// A line too wide loses characters from its middle: "..." stands between the longest head that
// fits and the last name of the path (after its last '/' or backslash), which is kept whole while
// it fits.
constexpr UINT DT_PATH_ELLIPSIS = 0x4000;
constexpr UINT DT_END_ELLIPSIS = 0x8000;

// ExtTextOut options.
constexpr UINT ETO_OPAQUE = 0x2;
constexpr UINT ETO_CLIPPED = 0x4;

// GetDeviceCaps indexes.
constexpr int TECHNOLOGY = 2;
constexpr int HORZSIZE = 4;
constexpr int VERTSIZE = 6;
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int BITSPIXEL = 12;
constexpr int PLANES = 14;
constexpr int NUMCOLORS = 24;
constexpr int RASTERCAPS = 38;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;
constexpr int SIZEPALETTE = 104;
constexpr int PHYSICALWIDTH = 110;
constexpr int PHYSICALHEIGHT = 111;
constexpr int PHYSICALOFFSETX = 112;
constexpr int PHYSICALOFFSETY = 113;

// TECHNOLOGY values.
constexpr int DT_RASDISPLAY = 1;
constexpr int DT_RASPRINTER = 2;

// RASTERCAPS bits.
constexpr int RC_BITBLT = 0x1;
constexpr int RC_BITMAP64 = 0x8;
constexpr int RC_GDI20_OUTPUT = 0x10;
constexpr int RC_DI_BITMAP = 0x80;
constexpr int RC_PALETTE = 0x100;
constexpr int RC_DIBTODEV = 0x200;
constexpr int RC_STRETCHBLT = 0x800;
constexpr int RC_FLOODFILL = 0x1000;
constexpr int RC_STRETCHDIB = 0x2000;

// Raster operations of BitBlt, StretchBlt and PatBlt.
constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD SRCPAINT = 0x00EE0086;
constexpr DWORD SRCAND = 0x008800C6;
constexpr DWORD SRCINVERT = 0x00660046;
constexpr DWORD NOTSRCCOPY = 0x00330008;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD DSTINVERT = 0x00550009;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// Stretch modes.
constexpr int BLACKONWHITE = 1;
constexpr int COLORONCOLOR = 3;
constexpr int HALFTONE = 4;

// Text metrics in logical units (magnitudes, whatever the direction of y).
struct TEXTMETRIC {
    LONG tmHeight = 0;
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = 0;
    LONG tmDigitizedAspectY = 0;
    BYTE tmFirstChar = 0;
    BYTE tmLastChar = 0;
    BYTE tmDefaultChar = 0;
    BYTE tmBreakChar = 0;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};

// tmPitchAndFamily: set for a variable-pitch font (the platform's inverted sense).
constexpr BYTE TMPF_FIXED_PITCH = 0x01;

// The path-ellipsis form of one line (DT_PATH_ELLIPSIS) for nWidth by the measure given; the
// text itself when it fits. Also for list cells, which Qt draws.
std::string PathEllipsisText(const std::string& text, int nWidth, const std::function<double(const std::string&)>& measure);

class CDC {
public:
    // A DC without a surface: make it a memory DC with CreateCompatibleDC.
    CDC();
    // Draws on the image; LOGPIXELSX/Y come from the image's resolution.
    explicit CDC(QImage* pImage);
    // Borrows a painter that is already active (a Qt paint routine's); its state is saved and
    // given back when the DC ends. pWnd, when given, is the window being painted.
    explicit CDC(QPainter* pPainter, QWidget* pWnd = nullptr);
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();

    // A memory DC with the resolution of pDC (of the screen when NULL); it draws into the
    // bitmap selected into it.
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL DeleteDC();

    // What the DC stands on.
    BOOL IsPrinting() const { return m_kind == Kind::Printer; }
    // The window of a widget DC, else NULL.
    QWidget* GetWindow() const { return m_pWnd; }
    // The painter, when the DC can draw now; for code that needs Qt directly.
    QPainter* GetPainter();
    // FALSE for a DC that only measures (a client DC outside painting, the screen).
    BOOL CanDraw() const;

    // Objects. Each returns the object selected before.
    CFont* SelectObject(CFont* pFont);
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CGdiObject* SelectStockObject(int nIndex);
    CFont* GetCurrentFont() const { return m_state.pFont; }
    CPen* GetCurrentPen() const { return m_state.pPen; }
    CBrush* GetCurrentBrush() const { return m_state.pBrush; }
    CBitmap* GetCurrentBitmap() const { return m_pBitmap; }
    // The description of the selected font (valid even when the font object is gone).
    const LOGFONT& GetCurrentLogFont() const { return m_state.lf; }

    // Attributes.
    COLORREF SetTextColor(COLORREF cr);
    COLORREF GetTextColor() const { return m_state.crText; }
    COLORREF SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const { return m_state.crBk; }
    int SetBkMode(int nMode);
    int GetBkMode() const { return m_state.nBkMode; }
    UINT SetTextAlign(UINT nFlags);
    UINT GetTextAlign() const { return m_state.nTextAlign; }
    int SetStretchBltMode(int nMode);
    int GetStretchBltMode() const { return m_state.nStretchMode; }

    // Mapping.
    int SetMapMode(int nMapMode);
    int GetMapMode() const { return m_state.nMapMode; }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT pt) { return SetWindowOrg(pt.x, pt.y); }
    CPoint GetWindowOrg() const { return m_state.ptWindowOrg; }
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT pt) { return SetViewportOrg(pt.x, pt.y); }
    CPoint GetViewportOrg() const { return m_state.ptViewportOrg; }
    CPoint OffsetViewportOrg(int dx, int dy);
    // Extents count only under MM_ISOTROPIC and MM_ANISOTROPIC.
    CSize SetWindowExt(int cx, int cy);
    CSize GetWindowExt() const { return m_state.szWindowExt; }
    CSize SetViewportExt(int cx, int cy);
    CSize GetViewportExt() const { return m_state.szViewportExt; }

    void LPtoDP(POINT* lpPoints, int nCount = 1) const;
    void LPtoDP(RECT* lpRect) const;
    // Sizes convert as magnitudes: the sign of each part is kept.
    void LPtoDP(SIZE* lpSize) const;
    void DPtoLP(POINT* lpPoints, int nCount = 1) const;
    void DPtoLP(RECT* lpRect) const;
    void DPtoLP(SIZE* lpSize) const;

    // State stack: SaveDC returns the level (from 1); RestoreDC takes a level or -1 for the
    // last one, dropping the levels above it.
    int SaveDC();
    BOOL RestoreDC(int nSavedDC);

    int GetDeviceCaps(int nIndex) const;

    // Text.
    BOOL GetTextMetrics(TEXTMETRIC* lpMetrics) const;
    CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    CSize GetOutputTextExtent(LPCSTR lpszString, int nCount) const { return GetTextExtent(lpszString, nCount); }
    CSize GetOutputTextExtent(const CString& str) const { return GetTextExtent(str); }
    // How many characters fit into nMaxExtent, their end positions and the whole extent.
    BOOL GetTextExtentExPoint(LPCSTR lpszString, int nCount, int nMaxExtent, int* lpnFit,
                              int* alpDx, SIZE* lpSize) const;
    CString GetTextFace() const;
    BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    // Text that Windows-1252 cannot hold (UTF-16), measured and drawn as the byte forms are.
    CSize GetTextExtentW(const char16_t* text, int nCount) const;
    BOOL TextOutW(int x, int y, const char16_t* text, int nCount);
    // ETO_OPAQUE fills lpRect with the background colour; ETO_CLIPPED clips to it.
    BOOL ExtTextOut(int x, int y, UINT nOptions, const RECT* lpRect, LPCSTR lpszString, UINT nCount);
    // Returns the height of the text (negative where y grows upward); nCount -1 for a
    // NUL-terminated text.
    int DrawText(LPCSTR lpszString, int nCount, RECT* lpRect, UINT nFormat);
    int DrawText(const CString& str, RECT* lpRect, UINT nFormat);

    // Lines and shapes: outlined with the pen, filled with the brush.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT pt) { return MoveTo(pt.x, pt.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT pt) { return LineTo(pt.x, pt.y); }
    CPoint GetCurrentPosition() const { return m_state.ptCurrent; }
    BOOL Polyline(const POINT* lpPoints, int nCount);
    BOOL Rectangle(int x1, int y1, int x2, int y2);
    BOOL Rectangle(const RECT* lpRect) { return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    BOOL Ellipse(int x1, int y1, int x2, int y2);
    BOOL Ellipse(const RECT* lpRect) { return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    // Fills with the colour, which also becomes the background colour, as callers expect.
    void FillSolidRect(const RECT* lpRect, COLORREF cr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF cr);
    void FillRect(const RECT* lpRect, CBrush* pBrush);
    // A one-pixel frame in the brush's colour.
    void FrameRect(const RECT* lpRect, CBrush* pBrush);
    void DrawFocusRect(const RECT* lpRect);
    COLORREF SetPixel(int x, int y, COLORREF cr);
    // The colour at a logical point; CLR_INVALID outside the surface or without pixels.
    COLORREF GetPixel(int x, int y) const;

    // Images. The destination is a logical rectangle whose corners are mapped and ordered, so
    // an image is always drawn upright; cx or cy 0 takes the image's own size in device pixels.
    BOOL DrawImage(int x, int y, int cx, int cy, const QImage& image, const RECT* lpSrc = nullptr);
    BOOL DrawIcon(int x, int y, const QIcon& icon, int cx, int cy);
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, DWORD dwRop);
    // PATCOPY paints the brush; BLACKNESS, WHITENESS and DSTINVERT as named.
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop);

    // Clipping. Regions are in device units; rectangles of these calls in logical units.
    int IntersectClipRect(int x1, int y1, int x2, int y2);
    int IntersectClipRect(const RECT* lpRect) { return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom); }
    int ExcludeClipRect(int x1, int y1, int x2, int y2);
    // NULL removes the clip region.
    int SelectClipRgn(CRgn* pRgn);
    // The logical bounds of what can be drawn: the clip region, else the whole surface.
    int GetClipBox(RECT* lpRect) const;
    BOOL RectVisible(const RECT* lpRect) const;

    // Printing on a QPrinter: the document starts the painter, each page after the first
    // takes a new sheet. Return values follow the platform: above 0 on success.
    int StartDoc(LPCSTR lpszDocName);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();

protected:
    enum class Kind { None, Screen, Widget, Image, Memory, Printer, Painter };

    // Device metrics of a realised font, in device pixels.
    struct CFontDeviceMetrics {
        double ascent = 0;
        double descent = 0;
        double externalLeading = 0;
        double aveCharWidth = 0;
        double maxCharWidth = 0;
    };

    // Measurement, in device pixels, of a font whose em height is font.pixelSize(). The
    // fixed-metrics DC of the tests replaces these.
    virtual CFontDeviceMetrics MeasureFont(const QFont& font) const;
    virtual double MeasureText(const QFont& font, const QString& text) const;
    // Called for every piece of text drawn (also where nothing can be painted), with its
    // logical top-left cell position after alignment and its bytes; for recording DCs.
    // text: the bytes drawn; wide: the text when it was drawn from UTF-16, else empty.
    virtual void OnTextDrawn(int x, int y, const CString& text, const QString& wide) {}

    void AttachImage(QImage* pImage);
    void AttachWidget(QWidget* pWnd, bool bPaint);
    void AttachPrinter(QPrinter* pPrinter);

private:
    struct CDeviceCaps {
        int nDpiX = 96;
        int nDpiY = 96;
        int nHorzRes = 0;
        int nVertRes = 0;
        int nPhysWidth = 0;
        int nPhysHeight = 0;
        int nOffsetX = 0;
        int nOffsetY = 0;
        int nBitsPixel = 32;
        bool bPrinter = false;
    };

    struct CDCState {
        int nMapMode = MM_TEXT;
        CPoint ptWindowOrg;
        CPoint ptViewportOrg;
        CSize szWindowExt = CSize(1, 1);
        CSize szViewportExt = CSize(1, 1);
        CFont* pFont = nullptr;
        LOGFONT lf;
        int nStockPoints = 0;
        CPen* pPen = nullptr;
        int nPenStyle = PS_SOLID;
        int nPenWidth = 0;
        COLORREF crPen = 0;
        CBrush* pBrush = nullptr;
        bool bNullBrush = false;
        COLORREF crBrush = RGB(255, 255, 255);
        COLORREF crText = RGB(0, 0, 0);
        COLORREF crBk = RGB(255, 255, 255);
        int nBkMode = OPAQUE;
        UINT nTextAlign = TA_TOP | TA_LEFT;
        int nStretchMode = BLACKONWHITE;
        bool bClip = false;
        QRegion rgnClip;  // device units
        CPoint ptCurrent;
    };

    // A font realised for this device, and what it was realised from.
    struct CRealFont {
        QFont font;
        CFontDeviceMetrics metrics;
        LOGFONT lf;
        int nStockPoints = 0;
        double dScaleY = 0;
        int nDpiY = 0;
    };

    struct CTextLine {
        std::string text;
        double width = 0;  // logical units
    };

    // Device positions stay well inside what Qt's own int arithmetic takes; nothing out there can
    // be seen anyway.
    static constexpr int kFarDevice = 1 << 29;
    // The largest em height a font is realised with, in device pixels.
    static constexpr int kMaxFontPixels = 32767;

    friend class CBitmap;
    void BitmapGone(CBitmap* pBitmap);
    void BitmapChanging(CBitmap* pBitmap);
    void ResetState();
    void EndOwnPainter();
    // The printer reports an error or an aborted job.
    BOOL PrinterFailed() const;
    void ApplyMapExtents();
    CDeviceCaps CurrentCaps() const;
    QPaintDevice* MeasureDevice() const;
    const QImage* SurfaceImage() const;

    // Mapping helpers: scale in device pixels per logical unit (signed), one coordinate from
    // logical to device, and a logical rectangle to an ordered device rectangle.
    double ScaleX() const;
    double ScaleY() const;
    int XToDevice(int x) const;
    int YToDevice(int y) const;
    double XToDeviceF(double x) const;
    int XToLogical(int x) const;
    int YToLogical(int y) const;
    QRect RectToDevice(int x1, int y1, int x2, int y2) const;
    QRect DeviceBounds() const;
    QRegion VisibleRegion() const;

    const CRealFont& RealFont() const;
    int HeightToLogical(int nDevice) const;
    int WidthToLogical(int nDevice) const;
    double LogicalWidth(const std::string& bytes) const;
    // The width of line laid out from dStart on (tab stops count from 0), i.e. where it ends.
    double LineWidth(const std::string& line, bool bExpandTabs, double dTabWidth,
                     std::vector<std::pair<double, std::string>>* pSegments, double dStart = 0) const;
    double TabWidth() const;
    QPen MakePen() const;
    void FillDevice(const QRect& rc, const QColor& color);
    void ApplyClip(QPainter& p, const QRegion* pExtra = nullptr) const;
    int DrawTextAt(int x, int y, const std::string& text, bool bAlign, const QRegion* pClip);
    int DrawStringAt(int x, int y, const QString& s, const CString& recorded, bool bAlign, const QRegion* pClip,
                     bool bWide = false);
    void DrawLineDevice(const QPoint& a, const QPoint& b);
    std::vector<CTextLine> LayoutText(const std::string& text, UINT nFormat, int nWidth) const;

    Kind m_kind = Kind::None;
    QPaintDevice* m_pDevice = nullptr;
    QImage* m_pImage = nullptr;
    QPrinter* m_pPrinter = nullptr;
    QWidget* m_pWnd = nullptr;
    QPainter* m_pPainter = nullptr;
    bool m_bOwnPainter = false;
    bool m_bBaseClip = false;
    QRegion m_rgnBase;  // the clip a borrowed painter came with
    int m_nPages = 0;
    CBitmap* m_pBitmap = nullptr;
    CDeviceCaps m_capsRef;  // what a memory DC is compatible with

    CDCState m_state;
    std::vector<CDCState> m_saved;
    mutable std::unique_ptr<CRealFont> m_pRealFont;
};

// A DC for painting a widget inside its paint event.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(QWidget* pWnd);
};

// A DC of a widget outside painting: it measures with the screen's resolution and draws
// nothing (Qt paints widgets only in their paint events; callers invalidate instead).
class CClientDC : public CDC {
public:
    explicit CClientDC(QWidget* pWnd);
};

// As CClientDC; NULL stands for the whole screen.
class CWindowDC : public CClientDC {
public:
    using CClientDC::CClientDC;
};

// A DC on a printer (or a print preview's printer, or a PDF writer set up as a QPrinter).
class CPrinterDC : public CDC {
public:
    explicit CPrinterDC(QPrinter* pPrinter);
};

// Qt colour of a COLORREF.
QColor ColorFromRef(COLORREF cr);
COLORREF RefFromColor(const QColor& c);

constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
