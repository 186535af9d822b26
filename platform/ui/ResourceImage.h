#pragma once
// Pictures of the program by resource id (the bitmaps dialogs paint). The program registers its
// pictures at start-up; a picture not registered is looked for as the Qt resource
// ":/bitmaps/<id>.png".

#include "platform/core/WinTypes.h"

#include <QImage>

// Registers (or, with a null image, forgets) the picture of an id.
void SetResourceImage(UINT nId, const QImage& image);
// The picture of an id; FALSE (image null) when there is none.
BOOL LoadResourceImage(UINT nId, QImage& image);
