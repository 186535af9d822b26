#pragma once
// The image component: reads image files of the kinds the program accepts that are not Windows
// bitmaps, and hands the picture back as a 32-bit image with its transparent colour. It is a
// service: the program's own stands on Qt's image readers; tests install scripted ones, or one
// that is not installed.
//
// Also here: the guarded reading of image files that every loader goes through. Image files come
// from anywhere, so the kind is decided by the content, the size is read from the header and
// checked before anything is decoded, and a file that is cut short is refused.

#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <QImage>

#include <memory>

// Largest picture accepted: pixels on a side, and pixels in all.
constexpr int IMAGE_MAX_SIDE = 16384;
constexpr long long IMAGE_MAX_PIXELS = 64LL * 1024 * 1024;
// Largest image file read at all.
constexpr long long IMAGE_MAX_FILE_BYTES = 256LL * 1024 * 1024;

// How reading an image file ended.
enum class EImageRead {
    Ok,
    NoFile,     // the file cannot be opened or read
    BadHeader,  // not of an accepted kind, no size in its header, or too large
    BadData,    // cut short or corrupt
};

struct CImageFileRead {
    EImageRead result = EImageRead::NoFile;
    QImage image;  // as decoded; null unless result is Ok
    CString why;   // what went wrong, for the log
};

// Reads an image file of one of the accepted kinds (bmp, gif, jpeg, png, tiff, whatever its
// name says); bmpOnly accepts Windows bitmaps only.
CImageFileRead ReadImageFile(LPCSTR path, BOOL bmpOnly);
// Whether the file's extension (after the last dot of its name, trailing blanks ignored) is
// "bmp" in any case.
BOOL IsBmpFile(LPCSTR path);

// One image read and converted by the component.
class IImageObject {
public:
    virtual ~IImageObject() = default;
    // Reads the image file; FALSE when it cannot be read.
    virtual BOOL ReadFile(const CString& path) = 0;
    // The image read, as an opaque 32-bit image; FALSE when there is none.
    virtual BOOL Convert(QImage& dib) = 0;
    // Whether the image read has a transparent colour, and which.
    virtual BOOL IsTransparent() = 0;
    virtual COLORREF GetTransparentColor() = 0;
    // Tells the component a folder to use (the program passes its log file's name).
    virtual BOOL SetFolder(const CString& folder) = 0;
};

class IImageComponent {
public:
    virtual ~IImageComponent() = default;
    virtual BOOL IsInstalled() = 0;
    // The component's file version: major and minor part.
    virtual void GetVersion(int& major, int& minor) = 0;
    // A new image object; NULL when none can be made.
    virtual std::unique_ptr<IImageObject> CreateObject() = 0;
};

// The program's own reader until another is installed; the slot does not own what it holds.
CServiceSlot<IImageComponent>& ImageComponentSlot();
// The installed component.
IImageComponent& ImageComponent();

// Makes the transparent pixels of an image one colour that no opaque pixel has, and everything
// opaque: pixels less than half covered take that colour, the others are laid over white.
// Returns TRUE and the colour when there were such pixels; the image is 32-bit opaque after.
BOOL KeyTransparency(QImage& image, COLORREF& crKey);

// A picture from the component, with its transparency.
struct CImageDIB {
    QImage image;  // null on failure
    BOOL bTransparent = FALSE;
    COLORREF crTransparent = 0;
};

// Reads and converts a file through the installed component; a null image (logged) on failure.
CImageDIB GetImageDIB(LPCSTR file);
