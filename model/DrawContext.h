#pragma once
// What a question, its choices and its images are measured and drawn for: one small record the
// caller fills and passes down every call. A view painting its tiles and a print job or an
// export laying out pages at the same moment each hold their own, so neither ever sees the
// other's mode, layout or indent. Nothing of it is kept between calls.

#include "platform/core/WinTypes.h"

class CDC;

// How questions are drawn.
constexpr int QDRAW_FULL = 0;      // the whole question
constexpr int QDRAW_TILE = 1;      // a tile: icon, number, type, first lines of the text
constexpr int QDRAW_SMALL_TILE = 2;// the same with one line of text (the views' default)
constexpr int QDRAW_LINE = 3;      // one line: number and the start of the text
constexpr int QDRAW_MEASURED = 4;  // the whole question, choices measured as one RTF piece
constexpr int QDRAW_ANSWERS = 5;   // one line with the answer summary

// Where the drawing goes. Printer and preview are paper (MM_TWIPS); an export composes pages
// into a rich-edit control and measures on a screen device context.
enum class DrawTarget { Screen, Printer, Preview, Export };

struct CDrawContext {
    CDC* pDC = nullptr;  // not owned; output into a rich-edit control needs none
    DrawTarget target = DrawTarget::Screen;
    int mode = QDRAW_SMALL_TILE;
    // Laid out for paper: choices with tab separators, blanks that never break.
    BOOL printLayout = FALSE;
    // The choices' indent in average character widths in place of the document's setting;
    // -1 keeps the setting.
    int choicesIndent = -1;
    // With the answers: the right choice marked, essay, short answer and fill-in answers laid
    // out.
    BOOL answers = FALSE;
    // A print job lays each question's choices out once: the RTF they left behind stands for
    // them on every page.
    BOOL cachedChoices = FALSE;
    // The first number of the questions numbered in one run (a document's own first question
    // number when it prints or exports).
    int firstNumber = 1;
    // Blank lines between a question and its choices, and after a question without an answer
    // space: the document's print spacing on paper, these on the screen.
    int choiceSepLines = 1;
    int questSepLines = 2;

    // What the views, the list and the question editor draw with.
    static CDrawContext Screen(CDC* pDC = nullptr, int mode = QDRAW_SMALL_TILE)
    {
        CDrawContext ctx;
        ctx.pDC = pDC;
        ctx.mode = mode;
        return ctx;
    }
    // The same job on another device context or in another mode.
    CDrawContext On(CDC* pOther) const
    {
        CDrawContext ctx = *this;
        ctx.pDC = pOther;
        return ctx;
    }
    CDrawContext InMode(int other) const
    {
        CDrawContext ctx = *this;
        ctx.mode = other;
        return ctx;
    }
    BOOL IsPaper() const { return target == DrawTarget::Printer || target == DrawTarget::Preview; }
};
