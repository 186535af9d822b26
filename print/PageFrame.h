#pragma once
// The frame of a printed page: the margins, the header (title and description), the footer (the
// file and the page number), the instructions on the first page of a print and the rule below
// them. Pagination measures with the same routines that printing draws with, so a question
// placed on a page during pagination lies inside that page's body when it prints.
//
// Positions are logical units of the device context's mapping mode. Under MM_TWIPS y grows
// upward: "down" is a step of -1 there, and a rectangle's bottom lies below its top in value too.

#include "model/PageMargins.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CDC;

namespace pageframe {

// Logical units per inch across (bVertical FALSE) or down the device context.
int UnitsPerInch(CDC* pDC, BOOL bVertical);
// +1 under MM_TEXT, -1 under MM_TWIPS (and every mapping mode whose y grows upward).
int Down(CDC* pDC);
// The height of a rectangle, whichever way y grows.
int HeightOf(const CRect& rc);

// The parts of the paper the printer cannot print on, in device pixels, per side.
CRect UnprintableBorders(CDC* pDC);
// Shrinks the draw rectangle by the margins: each side by its margin less that side's own
// unprintable border, when that is positive.
void ApplyMargins(CDC* pDC, CRect& rectDraw, const CPageMargins& margins);

// Empty when the margins can be printed with; else the message saying why not. Negative (or
// unreadable) margins are refused, and so are margins that leave less than an inch of body
// between the header and the footer of the page the device context prints on.
CString CheckMargins(CDC* pDC, const CPageMargins& margins);

// One line of a font slot: its height plus external leading.
int SlotLineHeight(CDC* pDC, int nSlot);

// The header band at the top of the draw rectangle: one line of the title's font and one of
// the description's.
CRect HeaderRect(CDC* pDC, const CRect& rectDraw);
// The footer band at the bottom: one line of the file name's font and one of the page number's.
CRect FooterRect(CDC* pDC, const CRect& rectDraw);
// The title on the header's first line, the description on its last.
void DrawHeader(CDC* pDC, const CRect& header, const CString& title, const CString& description);
// The file's path on the footer's first line, "Page n" centred on its last.
void DrawFooter(CDC* pDC, const CRect& footer, const CString& path, int nPage);
// The instructions word-wrapped across rc from its top, then one empty line of their font;
// drawn only when bDraw, and never below rc's bottom. The height used (0 for no instructions).
int DrawTitleBlock(CDC* pDC, const CRect& rc, const CString& instructions, BOOL bDraw);
// A rule of nPenWidth (points under MM_TWIPS, pixels otherwise) across width from x, with a gap
// above and below it, starting at y; the height used.
int DrawSeparator(CDC* pDC, int x, int y, int width, int nPenWidth, BOOL bDraw);

} // namespace pageframe
