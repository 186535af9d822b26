#pragma once
// The bands of a printed exam page: a header of course name, exam title and the student's name
// and ID lines (on a key: the form's name), and a footer of file label, page number and form
// name, each item at one of six places (0 top left, 1 top centre, 2 top right, 3 bottom left,
// 4 bottom centre, 5 bottom right) in its font slot. What stands where is worked out once here,
// so that paper and every export show the same items: the first item in the band's order takes
// a place another item names too.
//
// Positions are logical units of the device context's mapping mode, as in print/PageFrame.h.

#include "model/ExamDoc.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

class CDC;

namespace exambands {

constexpr int kPlaces = 6;

// What a page shows besides the settings.
struct CBandPage {
    CString courseName;  // the exam's TITLE1
    CString examTitle;   // its TITLE2
    CString path;        // the exam's full path
    CString formName;    // the form printed; empty when the exam itself prints
    int nPage = 1;       // the page's number: from 1 in every form
    BOOL bFirstOfRange = TRUE;  // the first page of the printed range (in its form)
    BOOL bKeys = FALSE;  // an answer key: the form's name stands where the student's name would
};

struct CBandItem {
    CString text;
    int nSlot = -1;  // -1: nothing stands at the place
    BOOL IsEmpty() const { return nSlot < 0; }
};

// The items at the six places of the header and the footer. A footer's form name takes its
// place (and its line's height) whenever it is shown, with no text when no form prints.
void HeaderItems(const CExamPrintSettings& s, const CBandPage& page, CBandItem out[kPlaces]);
void FooterItems(const CExamPrintSettings& s, const CBandPage& page, CBandItem out[kPlaces]);

// Whether the page carries its header: printing headers, and on every page or this is the first
// of the range. A page without one keeps a band of 1% of its height.
BOOL HeaderShown(const CExamPrintSettings& s, const CBandPage& page);

// The footer's texts: the file label with the path relative to the program's folder, the page
// number, the form name (an empty pattern is "Form: %s"). Patterns are filled as text.
CString FileLabelText(const CExamPrintSettings& s, const CString& path);
CString PageNumberText(const CExamPrintSettings& s, int nPage);
CString FormNameText(const CExamPrintSettings& s, const CString& formName);

// Where the header image stands within the header band of a draw rectangle: at its left or
// right edge, as high as its share of the page (3% to 30%), as wide as its proportions make it
// (never wider than half the band). Empty when it is not printed, or its file is missing,
// unreadable or too large (logged); the band then has no room for it.
CRect HeaderImageRect(CDC* pDC, const CRect& rectDraw, const CExamPrintSettings& s);
// The image file of the settings, as a full path.
CString HeaderImageFile(const CExamPrintSettings& s);

// The header band at the top of the draw rectangle and the footer band at its bottom.
CRect HeaderRect(CDC* pDC, const CRect& rectDraw, const CExamPrintSettings& s, const CBandPage& page);
CRect FooterRect(CDC* pDC, const CRect& rectDraw, const CExamPrintSettings& s, const CBandPage& page);
// Each item in its place within the band, one line each, never outside the band. The header is
// drawn in its band at the top of the draw rectangle: the image takes its share of the page.
void DrawHeader(CDC* pDC, const CRect& rectDraw, const CExamPrintSettings& s, const CBandPage& page);
void DrawFooter(CDC* pDC, const CRect& footer, const CExamPrintSettings& s, const CBandPage& page);

} // namespace exambands
