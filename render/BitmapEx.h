#pragma once
// A bitmap loaded from an image file or from the program's pictures, with an optional
// transparent colour; broken files show the broken-image picture and keep their name.
//
// The screen always has more than 8 bits per pixel here, so a bitmap never needs a palette.

#include "platform/core/String.h"
#include "platform/ui/GdiObjects.h"

class CDC;

class CBitmapEx : public CBitmap {
public:
    CBitmapEx() = default;

    // Loads the file, else (or without one) the resource; at least one must be given. The
    // transparent colour is the first pixel's unless the image component named one.
    BOOL LoadImage(LPCSTR szFilename, LPCSTR szResourceName = nullptr);
    // Windows bitmaps ("bmp" in any case) are read directly, other kinds through the image
    // component (its picture 288 when it is not installed). On failure the broken-image picture
    // stands in, the file's name is kept, and the result is FALSE.
    BOOL LoadImageFromFile(LPCSTR file);
    // No picture any more (and no broken mark).
    void Empty();

    // Copies the bitmap stretched to cx by cy at (x, y); 0 for a size takes the bitmap's own.
    BOOL DrawBitmap(CDC* pDC, int x, int y, int cx = 0, int cy = 0);
    // As DrawBitmap; with transparency the transparent colour's pixels leave what is below.
    BOOL Draw(CDC* pDC, int x, int y, int cx = 0, int cy = 0);

    BOOL IsTransparent() const { return m_bTransparent; }
    COLORREF GetTransparentColor() const { return m_crTransparent; }
    void SetTransparent(BOOL bTransparent, COLORREF cr);
    // Whether the broken-image picture stands in for a file, and that file's name (no folder).
    BOOL IsBroken() const { return m_bBroken; }
    const CString& GetBrokenFile() const { return m_csBrokenFile; }

private:
    // The bitmap's own size in the DC's logical units (cx or cy given as 0).
    void LogicalSize(CDC* pDC, int& cx, int& cy) const;
    BOOL AttachPicture(UINT nId);

    COLORREF m_crTransparent = 0;
    BOOL m_bTransparent = FALSE;
    BOOL m_bBroken = FALSE;
    CString m_csBrokenFile;
    // The bitmap with its transparent pixels clear, made on the first transparent drawing.
    QImage m_masked;
};
