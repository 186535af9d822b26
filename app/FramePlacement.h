#pragma once
// Where document frames go inside the main window: the two sides for frames shown side by side,
// one caption height of cascade per step, and the alternating place of each new frame. The
// sizes come from the screen, as the frames are made to fill half of it.

#include "platform/core/WinTypes.h"

class CWnd;

namespace placement {

// The height of a window caption.
int CaptionHeight();
// The size of a frame shown side by side: half the screen width less 30, the screen height
// less 125.
CSize SideBySideSize();
// The first place of a side; the left side when bLeft.
CPoint BasePosition(BOOL bLeft);
// pt moved by one caption height: 1 left and down, 2 right and down, 3 left and up, 4 right and
// up; 0 leaves it.
CPoint Offset(CPoint pt, int nDirection);
// Moves a frame to its side's place with the offset, keeping its size and z-order.
void MoveFrame(CWnd* pFrame, BOOL bLeft, int nDirection);
// The place of the next new frame: left and right by turns, each side cascading by one caption
// height every other time.
CPoint NextFramePosition();
// Starts the turns again from the left (a new main window, and tests).
void Reset();

} // namespace placement
