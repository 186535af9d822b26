#pragma once
// Pictures of the program by resource id (the bitmaps dialogs paint). The program registers its
// pictures at start-up; a picture not registered is looked for as the Qt resource
// ":/bitmaps/<id>.png".

#include "platform/core/WinTypes.h"

#include <QImage>
#include <QPixmap>

class QWidget;

// Registers (or, with a null image, forgets) the picture of an id.
void SetResourceImage(UINT nId, const QImage& image);
// The picture of an id; FALSE (image null) when there is none.
BOOL LoadResourceImage(UINT nId, QImage& image);

// The stock pictures of messages.
enum class StockPicture { Information, Warning, Error };
// A stock picture of nSize by nSize logical pixels, drawn at the pixel ratio of the screen the
// widget shows on (the application's without one), so that it stays sharp on a scaled screen.
QPixmap StockPicturePixmap(StockPicture kind, int nSize, const QWidget* pWidget);
