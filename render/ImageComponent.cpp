#include "render/ImageComponent.h"

#include "foundation/FileUtil.h"
#include "foundation/Log.h"

#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/ui/QtString.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// Qt's names of the accepted kinds (jpg and tif are names of files, not kinds).
const char* const kAcceptedKinds[] = {"bmp", "gif", "jpeg", "png", "tiff"};

BOOL IsAcceptedKind(const QByteArray& kind)
{
    for (const char* k : kAcceptedKinds)
        if (kind == k)
            return TRUE;
    return FALSE;
}

uint32_t Le32(const QByteArray& d, qsizetype at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(d.constData()) + at;
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t Le16(const QByteArray& d, qsizetype at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(d.constData()) + at;
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// Qt's readers fill whatever a cut-short bitmap, GIF or JPEG lacks and report success; these
// tell whether the data is all there.

// A bitmap's pixels, as its header describes them, lie inside the file.
BOOL BmpComplete(const QByteArray& d)
{
    if (d.size() < 18)
        return FALSE;
    const long long offBits = Le32(d, 10);
    const uint32_t headerSize = Le32(d, 14);
    long long width, height, bpp, compression = 0, sizeImage = 0;
    if (headerSize == 12) {
        if (d.size() < 26)
            return FALSE;
        width = Le16(d, 18);
        height = Le16(d, 20);
        bpp = Le16(d, 24);
    } else {
        if (d.size() < 38)
            return FALSE;
        width = static_cast<int32_t>(Le32(d, 18));
        height = static_cast<int32_t>(Le32(d, 22));
        bpp = Le16(d, 28);
        compression = Le32(d, 30);
        sizeImage = Le32(d, 34);
    }
    long long needed;
    if (compression == 1 || compression == 2)  // run-length coded: the header gives the size
        needed = sizeImage;
    else
        needed = (bpp * std::llabs(width) + 31) / 32 * 4 * std::llabs(height);
    return offBits + needed <= d.size();
}

// Skips a run of GIF data sub-blocks; FALSE when the file ends first.
BOOL SkipGifSubBlocks(const QByteArray& d, qsizetype& pos)
{
    while (pos < d.size()) {
        const int len = static_cast<unsigned char>(d[pos]);
        ++pos;
        if (len == 0)
            return TRUE;
        pos += len;
    }
    return FALSE;
}

BOOL TooLarge(long long width, long long height)
{
    return width > IMAGE_MAX_SIDE || height > IMAGE_MAX_SIDE || width * height > IMAGE_MAX_PIXELS;
}

// The first picture of a GIF (the one shown) is all there, and neither it nor a picture before it
// reaches out further than the largest picture accepted: Qt's reader grows its image to take a
// picture that lies outside the screen size of the header.
EImageRead CheckGif(const QByteArray& d)
{
    if (d.size() < 13)
        return EImageRead::BadData;
    const int flags = static_cast<unsigned char>(d[10]);
    qsizetype pos = 13;
    if (flags & 0x80)
        pos += 3 << ((flags & 7) + 1);
    while (pos < d.size()) {
        const int block = static_cast<unsigned char>(d[pos]);
        if (block == 0x21) {  // extension: label, then sub-blocks
            pos += 2;
            if (!SkipGifSubBlocks(d, pos))
                return EImageRead::BadData;
        } else if (block == 0x2C) {  // picture: descriptor, local colours, code size, sub-blocks
            if (pos + 10 > d.size())
                return EImageRead::BadData;
            if (TooLarge(Le16(d, pos + 1) + Le16(d, pos + 5), Le16(d, pos + 3) + Le16(d, pos + 7)))
                return EImageRead::BadHeader;
            const int imageFlags = static_cast<unsigned char>(d[pos + 9]);
            pos += 10;
            if (imageFlags & 0x80)
                pos += 3 << ((imageFlags & 7) + 1);
            pos += 1;
            return SkipGifSubBlocks(d, pos) ? EImageRead::Ok : EImageRead::BadData;
        } else {  // the trailer before any picture, or not a block at all
            return EImageRead::BadData;
        }
    }
    return EImageRead::BadData;
}

// A JPEG's last scan is followed by its end-of-image marker. Coded data never holds 0xFF
// followed by either marker byte, so a plain search finds the real ones.
BOOL JpegComplete(const QByteArray& d)
{
    qsizetype lastScan = -1, lastEnd = -1;
    for (qsizetype i = 0; i + 1 < d.size(); ++i) {
        if (static_cast<unsigned char>(d[i]) != 0xFF)
            continue;
        const unsigned char m = static_cast<unsigned char>(d[i + 1]);
        if (m == 0xDA)
            lastScan = i;
        else if (m == 0xD9)
            lastEnd = i;
    }
    return lastScan >= 0 && lastEnd > lastScan;
}

// What the kind's own check says of the whole data.
EImageRead CheckData(const QByteArray& kind, const QByteArray& d)
{
    if (kind == "gif")
        return CheckGif(d);
    if (kind == "bmp")
        return BmpComplete(d) ? EImageRead::Ok : EImageRead::BadData;
    if (kind == "jpeg")
        return JpegComplete(d) ? EImageRead::Ok : EImageRead::BadData;
    return EImageRead::Ok;  // the PNG and TIFF readers fail on missing data themselves
}

CImageFileRead Refused(EImageRead result, const CString& why)
{
    CImageFileRead r;
    r.result = result;
    r.why = why;
    return r;
}

// The program's own component, over Qt's image readers.
class CQtImageObject : public IImageObject {
public:
    BOOL ReadFile(const CString& path) override
    {
        m_image = QImage();
        m_bTransparent = FALSE;
        m_crTransparent = 0;
        CImageFileRead read = ReadImageFile(path, FALSE);
        if (read.result != EImageRead::Ok) {
            LogOutput("CQtImageObject::ReadFile() - " + read.why + "..." + path, LOG_ERROR, LOG_HERE);
            return FALSE;
        }
        m_image = read.image;
        m_bTransparent = KeyTransparency(m_image, m_crTransparent);
        return TRUE;
    }
    BOOL Convert(QImage& dib) override
    {
        dib = m_image;
        return !dib.isNull();
    }
    BOOL IsTransparent() override { return m_bTransparent; }
    COLORREF GetTransparentColor() override { return m_crTransparent; }
    // The reader keeps no files of its own.
    BOOL SetFolder(const CString&) override { return TRUE; }

private:
    QImage m_image;
    BOOL m_bTransparent = FALSE;
    COLORREF m_crTransparent = 0;
};

class CQtImageComponent : public IImageComponent {
public:
    BOOL IsInstalled() override { return TRUE; }
    void GetVersion(int& major, int& minor) override
    {
        major = 2;
        minor = 1;
    }
    std::unique_ptr<IImageObject> CreateObject() override { return std::make_unique<CQtImageObject>(); }
};

CQtImageComponent g_qtComponent;
CServiceSlot<IImageComponent> g_component(g_qtComponent);

// The colour of a pixel laid over white, opaque.
QRgb OverWhite(QRgb c)
{
    const int a = qAlpha(c);
    auto blend = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
    return qRgb(blend(qRed(c)), blend(qGreen(c)), blend(qBlue(c)));
}

} // namespace

IImageComponent& ImageComponent()
{
    return g_component.Get();
}

CServiceSlot<IImageComponent>& ImageComponentSlot()
{
    return g_component;
}

BOOL IsBmpFile(LPCSTR path)
{
    CString name;
    GetFileNameOfPath(name, path);
    name.TrimRight();
    const int dot = name.ReverseFind('.');
    if (dot < 0)
        return FALSE;
    CString ext = name.Mid(dot + 1);
    return ext.MakeLower() == "bmp";
}

CImageFileRead ReadImageFile(LPCSTR path, BOOL bmpOnly)
{
    const long long size = fsys::GetSize(path);
    if (size < 0)
        return Refused(EImageRead::NoFile, "cannot read the file");
    if (size > IMAGE_MAX_FILE_BYTES)
        return Refused(EImageRead::BadHeader, "the file is too large");
    std::string bytes;
    if (!fsys::ReadFile(path, bytes))
        return Refused(EImageRead::NoFile, "cannot read the file");
    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    bytes.clear();

    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray kind = reader.format();
    if (!IsAcceptedKind(kind) || (bmpOnly && kind != "bmp"))
        return Refused(EImageRead::BadHeader, "not an image of an accepted kind");
    const QSize dims = reader.size();
    if (!dims.isValid() || dims.isEmpty())
        return Refused(EImageRead::BadHeader, "no image size in the header");
    if (TooLarge(dims.width(), dims.height()))
        return Refused(EImageRead::BadHeader,
                       CString::Formatted("the image is too large (%d x %d)", dims.width(), dims.height()));
    switch (CheckData(kind, data)) {
    case EImageRead::Ok:
        break;
    case EImageRead::BadHeader:
        return Refused(EImageRead::BadHeader, "a picture in the file is too large");
    default:
        return Refused(EImageRead::BadData, "the file is cut short");
    }
    CImageFileRead r;
    if (!reader.read(&r.image) || r.image.isNull()) {
        r.image = QImage();
        return Refused(EImageRead::BadData, "the image data is corrupt: " + FromQString(reader.errorString()));
    }
    // Whatever the header said, nothing larger than the limits goes on.
    if (TooLarge(r.image.width(), r.image.height()))
        return Refused(EImageRead::BadHeader, "the image is larger than its header says");
    r.result = EImageRead::Ok;
    return r;
}

BOOL KeyTransparency(QImage& image, COLORREF& crKey)
{
    if (!image.hasAlphaChannel()) {
        image = image.convertToFormat(QImage::Format_RGB32);
        return FALSE;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull())
        return FALSE;
    const int w = image.width(), h = image.height();
    bool anyClear = false;
    QRgb firstClear = 0;
    for (int y = 0; y < h && !anyClear; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            if (qAlpha(line[x]) < 128) {
                anyClear = true;
                firstClear = line[x] & 0xFFFFFF;
                break;
            }
    }
    // One bit for each colour an opaque pixel will be drawn in.
    std::vector<uint64_t> used;
    if (anyClear) {
        used.assign(1 << 18, 0);
        for (int y = 0; y < h; ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < w; ++x)
                if (qAlpha(line[x]) >= 128) {
                    const QRgb c = OverWhite(line[x]) & 0xFFFFFF;
                    used[c >> 6] |= uint64_t(1) << (c & 63);
                }
        }
    }
    bool keyed = false;
    QRgb key = 0;
    if (anyClear) {
        auto isFree = [&used](QRgb c) { return !(used[c >> 6] & (uint64_t(1) << (c & 63))); };
        // The image's own clear colour when no opaque pixel has it, else the first free one.
        if (isFree(firstClear)) {
            key = firstClear;
            keyed = true;
        } else {
            for (size_t i = 0; i < used.size() && !keyed; ++i) {
                if (used[i] == ~uint64_t(0))
                    continue;
                for (int b = 0; b < 64; ++b)
                    if (!(used[i] & (uint64_t(1) << b))) {
                        key = static_cast<QRgb>(i * 64 + b);
                        keyed = true;
                        break;
                    }
            }
        }
    }
    for (int y = 0; y < h; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = keyed && qAlpha(line[x]) < 128 ? (0xFF000000 | key) : OverWhite(line[x]);
    }
    image = image.convertToFormat(QImage::Format_RGB32);
    if (keyed)
        crKey = RGB(qRed(key), qGreen(key), qBlue(key));
    return keyed ? TRUE : FALSE;
}

CImageDIB GetImageDIB(LPCSTR file)
{
    CImageDIB out;
    IImageComponent& component = ImageComponent();
    if (!component.IsInstalled()) {
        LogOutput("::GetImageDIB() - Pictorin not installed", LOG_ERROR, LOG_HERE);
        return out;
    }
    std::unique_ptr<IImageObject> object = component.CreateObject();
    if (!object) {
        LogOutput("GetImageDIB() - failed to create image module object", LOG_ERROR, LOG_HERE);
        return out;
    }
    int major = 0, minor = 0;
    component.GetVersion(major, minor);
    // From version 2.1 on the component is told where to write.
    if (major > 2 || (major == 2 && minor >= 1)) {
        CString logFile;
        GetLogFileName(logFile);
        object->SetFolder(logFile);
    }
    if (!object->ReadFile(file)) {
        LogOutput(CString("GetImageDIB() - failed to read file...") + file, LOG_ERROR, LOG_HERE);
        return out;
    }
    QImage dib;
    if (!object->Convert(dib) || dib.isNull()) {
        LogOutput("GetImageDIB() - failed to convert file to DIB", LOG_ERROR, LOG_HERE);
        return out;
    }
    // Only from version 2 on does the component know transparency.
    if (major >= 2) {
        out.bTransparent = object->IsTransparent() ? TRUE : FALSE;
        out.crTransparent = object->GetTransparentColor();
    }
    out.image = dib.convertToFormat(QImage::Format_RGB32);
    return out;
}
