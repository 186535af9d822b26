#include "render/BitmapEx.h"

#include "render/ImageComponent.h"

#include "foundation/FileUtil.h"
#include "foundation/Log.h"

#include "platform/ui/DC.h"
#include "platform/ui/ResourceImage.h"

#include "res/ids/Images.h"

#include <cstdint>

BOOL CBitmapEx::LoadImage(LPCSTR szFilename, LPCSTR szResourceName)
{
    if (!szFilename && !szResourceName) {
        LogAssertion("!(szFilename==NULL && szResourceName==NULL)", LOG_HERE);
        return FALSE;
    }
    BOOL bLoaded = FALSE;
    if (szFilename) {
        bLoaded = LoadImageFromFile(szFilename);
        if (!bLoaded)
            LogOutput(CString("CBitmapEx::LoadImage() - cannot load the image file ") + szFilename, 3, LOG_HERE);
    }
    if (!bLoaded && szResourceName) {
        QImage picture;
        if (!LoadResourceImage(szResourceName, picture) || !Attach(picture)) {
            LogOutput(CString::Formatted("CBitmapEx::LoadImage(szFilename=%lx, szResourceName=%lx) - failed to LoadImage",
                                         static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(szFilename)),
                                         static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(szResourceName))),
                      3, LOG_HERE);
            return FALSE;
        }
        m_bBroken = FALSE;
        m_csBrokenFile.Empty();
        m_bTransparent = FALSE;
        m_masked = QImage();
        bLoaded = TRUE;
    }
    if (!bLoaded)
        return FALSE;
    if (!m_bTransparent && !GetImage().isNull()) {
        const QRgb first = GetImage().pixel(0, 0);
        m_crTransparent = RGB(qRed(first), qGreen(first), qBlue(first));
    }
    return TRUE;
}

BOOL CBitmapEx::LoadImageFromFile(LPCSTR file)
{
    m_bTransparent = FALSE;
    m_bBroken = FALSE;
    m_csBrokenFile.Empty();
    m_masked = QImage();
    BOOL bLoaded = FALSE;
    if (IsBmpFile(file)) {
        CImageFileRead read = ReadImageFile(file, TRUE);
        if (read.result == EImageRead::Ok)
            bLoaded = Attach(read.image.convertToFormat(QImage::Format_RGB32));
        else
            LogOutput("CBitmapEx::LoadImageFromFile() - failed to load BMP image..." + read.why, LOG_ERROR, LOG_HERE);
    } else if (ImageComponent().IsInstalled()) {
        CImageDIB dib = GetImageDIB(file);
        if (!dib.image.isNull() && Attach(dib.image)) {
            bLoaded = TRUE;
            m_bTransparent = dib.bTransparent;
            if (m_bTransparent)
                m_crTransparent = dib.crTransparent;
        } else {
            LogOutput(CString("CBitmapEx::LoadImageFromFile() - failed to load non-BMP image...") + file, LOG_ERROR,
                      LOG_HERE);
        }
    } else {
        bLoaded = AttachPicture(IDB_NO_IMAGE_COMPONENT);
    }
    if (bLoaded)
        return TRUE;
    LogOutput(CString("CBitmapEx::LoadImageFromFile() - failed to load image...using broken image...") + file,
              LOG_ERROR, LOG_HERE);
    AttachPicture(IDB_BROKEN_IMAGE);
    GetFileNameOfPath(m_csBrokenFile, file);
    m_bBroken = TRUE;
    return FALSE;
}

void CBitmapEx::Empty()
{
    DeleteObject();
    m_bTransparent = FALSE;
    m_bBroken = FALSE;
    m_csBrokenFile.Empty();
    m_masked = QImage();
}

BOOL CBitmapEx::AttachPicture(UINT nId)
{
    QImage picture;
    return LoadResourceImage(nId, picture) && Attach(picture.convertToFormat(QImage::Format_RGB32));
}

void CBitmapEx::SetTransparent(BOOL bTransparent, COLORREF cr)
{
    m_bTransparent = bTransparent;
    m_crTransparent = cr;
    m_masked = QImage();
}

void CBitmapEx::LogicalSize(CDC* pDC, int& cx, int& cy) const
{
    if (cx != 0 && cy != 0)
        return;
    CSize own = GetSize();
    pDC->DPtoLP(&own);
    if (cx == 0)
        cx = own.cx;
    if (cy == 0)
        cy = own.cy;
}

BOOL CBitmapEx::DrawBitmap(CDC* pDC, int x, int y, int cx, int cy)
{
    if (!GetSafeHandle() || GetImage().isNull()) {
        LogAssertion("m_hObject != NULL", LOG_HERE);
        return FALSE;
    }
    if (!pDC)
        return FALSE;
    LogicalSize(pDC, cx, cy);
    return pDC->DrawImage(x, y, cx, cy, GetImage());
}

BOOL CBitmapEx::Draw(CDC* pDC, int x, int y, int cx, int cy)
{
    if (!m_bTransparent)
        return DrawBitmap(pDC, x, y, cx, cy);
    if (!GetSafeHandle() || GetImage().isNull()) {
        LogAssertion("m_hObject != NULL", LOG_HERE);
        return FALSE;
    }
    if (!pDC)
        return FALSE;
    // The painter lays the bitmap over what is there through a mask of the transparent colour.
    if (m_masked.isNull() || m_masked.size() != GetImage().size()) {
        m_masked = GetImage().convertToFormat(QImage::Format_ARGB32);
        const QRgb key = qRgb(GetRValue(m_crTransparent), GetGValue(m_crTransparent), GetBValue(m_crTransparent));
        for (int row = 0; row < m_masked.height(); ++row) {
            QRgb* line = reinterpret_cast<QRgb*>(m_masked.scanLine(row));
            for (int col = 0; col < m_masked.width(); ++col)
                if ((line[col] | 0xFF000000) == key)
                    line[col] = 0;
        }
    }
    LogicalSize(pDC, cx, cy);
    return pDC->DrawImage(x, y, cx, cy, m_masked);
}
