#include "render/Dib.h"

#include "render/ImageComponent.h"

#include "foundation/Log.h"

#include "platform/core/StringTable.h"
#include "platform/ui/DC.h"

#include "res/ids/Images.h"

#include <algorithm>
#include <cmath>

namespace {

struct CCurrentDIB {
    CString file;
    QImage image;
    BOOL bLegitDraw = FALSE;
};

CCurrentDIB& Current()
{
    static CCurrentDIB current;
    return current;
}

void LogWithFile(UINT textId, LPCSTR file)
{
    LogOutput(LoadStringId(textId) + file, LOG_ERROR, LOG_HERE);
}

// The working copy of an image read: every depth becomes 32 bits, so that grey works on real
// colours.
BOOL MakeCurrent(const QImage& image, LPCSTR file)
{
    CCurrentDIB& dib = Current();
    dib.image = image.convertToFormat(QImage::Format_RGB32);
    if (dib.image.isNull()) {
        LogWithFile(IDS_DIB_HEADER_FAILED, file);
        return FALSE;
    }
    dib.bLegitDraw = TRUE;
    return TRUE;
}

} // namespace

int GreyLevel(int r, int g, int b, int delta)
{
    // The delta comes from the question (a file or another program's paste): any int.
    const int v = static_cast<int>(std::sqrt((r * r + g * g + b * b) * 0.3333333333333333)) +
                  std::clamp(delta, -255, 255);
    return std::clamp(v, 0, 255);
}

BOOL InitDIB(LPCSTR file)
{
    if (!IsBmpFile(file)) {
        if (InitDIB2(file))
            return TRUE;
        LogOutput(CString("::InitDIB() - failed to InitDIB2() for image...") + file, LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    FreeDIB();
    Current().file = file;
    CImageFileRead read = ReadImageFile(file, TRUE);
    switch (read.result) {
    case EImageRead::Ok:
        break;
    case EImageRead::NoFile:
        LogWithFile(IDS_DIB_OPEN_FAILED, file);
        return FALSE;
    case EImageRead::BadHeader:
        LogWithFile(IDS_DIB_HEADER_FAILED, file);
        return FALSE;
    case EImageRead::BadData:
        LogWithFile(IDS_DIB_BITS_FAILED, file);
        return FALSE;
    }
    return MakeCurrent(read.image, file);
}

BOOL InitDIB2(LPCSTR file)
{
    FreeDIB();
    Current().file = file;
    CImageDIB got = GetImageDIB(file);
    if (got.image.isNull()) {
        LogOutput(CString("::InitDIB2() - failed to GetImageDIB() for image...") + file, LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    return MakeCurrent(got.image, file);
}

void FreeDIB()
{
    CCurrentDIB& dib = Current();
    dib.image = QImage();
    dib.bLegitDraw = FALSE;
}

BOOL AdjustBrightness(int delta)
{
    CCurrentDIB& dib = Current();
    if (!dib.bLegitDraw) {
        LogOutput("::AdjustBrightness() - attempt to adjust bitmap with bLegitDraw = FALSE", LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    QImage& image = dib.image;
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int v = GreyLevel(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), delta);
            line[x] = qRgb(v, v, v);
        }
    }
    return TRUE;
}

BOOL DrawDIB(CDC* pDC, int x, int y, int cx, int cy)
{
    CCurrentDIB& dib = Current();
    if (!dib.bLegitDraw)
        return FALSE;
    if (!pDC) {
        LogWithFile(IDS_DIB_DRAW_NO_DC, dib.file);
        return FALSE;
    }
    if (dib.image.isNull()) {
        LogWithFile(IDS_DIB_DRAW_EMPTY, dib.file);
        return FALSE;
    }
    if (!pDC->DrawImage(x, y, cx, cy, dib.image)) {
        LogWithFile(IDS_DIB_DRAW_FAILED, dib.file);
        return FALSE;
    }
    return TRUE;
}

const QImage& GetCurrentDIB()
{
    return Current().image;
}

const CString& GetCurrentDIBFile()
{
    return Current().file;
}
