#pragma once
// The program's own pictures, drawn in code: the splash picture, the tip-of-the-day light bulb,
// the program and document icons and the program's cursor.

#include <QCursor>
#include <QIcon>
#include <QPixmap>

// The splash picture (350): the program's name on the left, room for the version and build
// texts on the right.
QPixmap SplashPicture();
// The light bulb beside "Did you know..." (113).
QPixmap TipBulbPicture(int height = 48);
// The program's icon, and a document kind's (3 Question Corra, 4 exam, 102 source).
QIcon ProgramIcon();
QIcon DocumentIcon(unsigned nKind);
// The program's own cursor (1244): an arrow with a small question mark.
QCursor CorraCursor();
// The main toolbar's picture of the start screen ("Main menu").
QIcon MainMenuIcon();
