#pragma once
// The program's own pictures, drawn in code: the splash picture, the tip-of-the-day light bulb,
// the program and document icons and the program's cursor.

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

// The splash picture (350): the program's name on the left, room for the version and build
// texts on the right.
QPixmap SplashPicture(qreal dpr = 1.0);
// The light bulb beside "Did you know..." (113).
// height in logical pixels; drawn sharp for the screen's device pixel ratio.
QPixmap TipBulbPicture(int height = 48, qreal dpr = 1.0);
// The program's icon, and a document kind's (3 Question Corra, 4 exam, 102 source).
QIcon ProgramIcon();
QIcon DocumentIcon(unsigned nKind);
// The program's own cursor (1244): an arrow with a small question mark.
QCursor CorraCursor();
// A picture of the start screen by id (231, 338 to 345, 347, 348) or the update box's (480), drawn
// for a screen of the given pixel ratio (its size in logical pixels stays); null for any other id.
QImage StartScreenPicture(unsigned nId, qreal dpr = 1.0);
// Registers those pictures under their ids, drawn for the given pixel ratio.
void RegisterStartScreenPictures(qreal dpr = 1.0);
// The main toolbar's picture of the start screen ("Main menu").
QIcon MainMenuIcon();
