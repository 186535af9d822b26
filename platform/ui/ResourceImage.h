#pragma once
// Pictures of the program by resource id (the bitmaps dialogs paint). The program registers its
// pictures at start-up; a picture not registered is looked for as the Qt resource
// ":/bitmaps/<id>.png".

#include "platform/core/WinTypes.h"

#include <QImage>
#include <QPixmap>

class QWidget;

#include <cstdint>

// Registers (or, with a null image, forgets) the picture of an id.
void SetResourceImage(UINT nId, const QImage& image);
// The picture of an id; FALSE (image null) when there is none.
BOOL LoadResourceImage(UINT nId, QImage& image);

// A resource name that stands for a numeric id, as resource names may.
inline LPCSTR MAKEINTRESOURCE(UINT nId)
{
    return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(static_cast<WORD>(nId)));
}
inline BOOL IS_INTRESOURCE(LPCSTR name)
{
    return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}
// The picture of a resource name: a numeric id (MAKEINTRESOURCE) or "#<id>"; FALSE for NULL or
// any other name.
BOOL LoadResourceImage(LPCSTR name, QImage& image);

// The stock pictures of messages.
enum class StockPicture { Information, Warning, Error };
// A stock picture of nSize by nSize logical pixels, drawn at the given device pixel ratio (that
// of the device it is painted on), so that it stays sharp on a scaled screen.
QPixmap StockPicturePixmap(StockPicture kind, int nSize, qreal ratio);
