#pragma once
// Drawing objects that a device context selects: fonts described by a LOGFONT, pens, brushes,
// bitmaps over QImage and rectangular clip regions. They carry only a description; a CDC
// realises them for its own device, so one object serves a screen, an image and a printer.

#include "platform/core/WinTypes.h"

#include <QImage>
#include <QRegion>

class CDC;

// Stock objects (SelectStockObject).
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int HOLLOW_BRUSH = NULL_BRUSH;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int ANSI_FIXED_FONT = 11;
constexpr int ANSI_VAR_FONT = 12;
constexpr int SYSTEM_FONT = 13;
constexpr int DEVICE_DEFAULT_FONT = 14;
constexpr int DEFAULT_GUI_FONT = 17;

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

// Region kinds, as clip operations report them.
constexpr int RGN_ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject() = default;

    // Non-null once the object was created; stands for the handle checks callers make.
    const void* GetSafeHandle() const { return m_bCreated ? this : nullptr; }
    virtual BOOL DeleteObject();

protected:
    bool m_bCreated = false;
};

class CFont : public CGdiObject {
public:
    CFont() = default;

    BOOL CreateFontIndirect(const LOGFONT* plf);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight,
                    BYTE bItalic, BYTE bUnderline, BYTE bStrikeOut, BYTE nCharSet,
                    BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
                    BYTE nPitchAndFamily, LPCSTR lpszFacename);
    // nPointSize in tenths of a point; the height is put in the logical units of pDC (of the
    // screen when pDC is NULL).
    BOOL CreatePointFont(int nPointSize, LPCSTR lpszFaceName, CDC* pDC = nullptr);
    // Like CreatePointFont, with lfHeight in tenths of a point.
    BOOL CreatePointFontIndirect(const LOGFONT* plf, CDC* pDC = nullptr);

    // Copies the description; 0 when the font was not created.
    int GetLogFont(LOGFONT* plf) const;
    const LOGFONT& LogFont() const { return m_lf; }
    BOOL DeleteObject() override;

    // A stock font's size follows the device's resolution, not the mapping mode, as the
    // platform's stock fonts do; 0 for a font made from a LOGFONT.
    int GetStockPointSize() const { return m_nStockPoints; }
    static CFont* GetStockFont(int nIndex);

private:
    LOGFONT m_lf;
    int m_nStockPoints = 0;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }

    // nWidth in logical units; 0 is one device pixel whatever the mapping.
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    int GetStyle() const { return m_nStyle; }
    int GetWidth() const { return m_nWidth; }
    COLORREF GetColor() const { return m_crColor; }

    static CPen* GetStockPen(int nIndex);

private:
    int m_nStyle = PS_SOLID;
    int m_nWidth = 0;
    COLORREF m_crColor = 0;
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }

    BOOL CreateSolidBrush(COLORREF crColor);
    // A brush that paints nothing.
    BOOL CreateNullBrush();
    BOOL IsNull() const { return m_bNull; }
    COLORREF GetColor() const { return m_crColor; }

    static CBrush* GetStockBrush(int nIndex);

private:
    COLORREF m_crColor = 0;
    bool m_bNull = false;
};

// A bitmap held as a QImage. A memory DC draws into the bitmap selected into it.
class CBitmap : public CGdiObject {
public:
    CBitmap() = default;
    ~CBitmap() override;

    // A white bitmap of cx by cy pixels (at least 1 by 1).
    BOOL CreateCompatibleBitmap(CDC* pDC, int cx, int cy);
    BOOL Attach(const QImage& image);
    BOOL DeleteObject() override;

    CSize GetSize() const;
    const QImage& GetImage() const { return m_image; }
    QImage& GetImage() { return m_image; }

private:
    friend class CDC;
    QImage m_image;
    CDC* m_pSelectedInto = nullptr;  // the memory DC drawing into it
};

// A clip region in device units, as the platform's regions are.
class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(const RECT* lpRect);
    // Combines a and b into this region: RGN_AND, RGN_OR, RGN_DIFF, RGN_XOR, RGN_COPY.
    int CombineRgn(const CRgn* a, const CRgn* b, int nMode);
    int GetRgnBox(RECT* lpRect) const;
    BOOL PtInRegion(int x, int y) const;
    BOOL DeleteObject() override;

    const QRegion& GetRegion() const { return m_region; }
    void SetRegion(const QRegion& region);

private:
    QRegion m_region;
};

constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// The kind of a region: NULLREGION, SIMPLEREGION or COMPLEXREGION.
int RegionKind(const QRegion& region);
