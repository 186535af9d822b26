#pragma once
// The record an export runs on: a print information record (page range, current page, the
// drawing rectangle) extended with what makes a file instead of paper. Pages are composed into a
// hidden rich-edit control (the composition control) and measured in a second one (the
// measuring control); one writer per file type turns the composition into the output file.
//
// The Expanded text of the question view is such an export into its own text pane: it uses the
// same record with its pane as the composition control.

#include "foundation/FileTypes.h"
#include "model/DrawContext.h"
#include "platform/core/String.h"
#include "platform/ui/Print.h"

#include <unordered_map>
#include <vector>

class CCorraQuestion;
class CHtmlSettings;
class CHVRichEditCtrl;
class COldProgressDlg;

// Bits of the flags word.
constexpr DWORD EXPF_EXPORT = 0x2;         // an export, never paper
constexpr DWORD EXPF_MEASURING = 0x4;      // the scanning pass: measure, draw nothing
constexpr DWORD EXPF_LAST_HTML_PART = 0x8; // the last part of a page file is being written

// The HTML output mode that writes one file per page (every question a page of its own).
constexpr int HTML_FILE_PER_PAGE = 2;

struct CExportContext : CPrintInfo {
    int nFileType = FT_RTF;
    int nHtmlMode = 1;
    DWORD dwFlags = EXPF_EXPORT;
    // The option word the export passes to each question's composition (choice output flags).
    DWORD dwDrawFlags = 0;
    CString csOutputPath;
    // What the export is called (the offered file name, the HTML title); the document's title
    // when empty.
    CString csDocName;
    BOOL bOpenAfter = FALSE;
    // Paper in thousandths of an inch; orientation 2 is landscape.
    int nPaperWidth = 8500;
    int nPaperHeight = 11000;
    int nOrientation = 1;
    // Margins in inches; SizeCompositionControl stores the clamped ones used for RTF.
    double dLeft = 1.0, dRight = 1.0, dTop = 1.0, dBottom = 1.0;

    CHVRichEditCtrl* pTarget = nullptr;   // the composition control
    CHVRichEditCtrl* pMeasure = nullptr;  // the measuring control (the composition one when NULL)
    COldProgressDlg* pProgress = nullptr;
    CHtmlSettings* pHtml = nullptr;
    BOOL bCancel = FALSE;
    BOOL bTableBorder = FALSE;
    // The footer's band as its measure left it (HTML).
    CRect rectFooter;

    // How questions are composed: mode, layout, answers, the first number.
    CDrawContext draw;

    // The questions in output order (group headers included, collections left out by the
    // engine), their printed numbers, and where each page starts (an index into questions).
    std::vector<CCorraQuestion*> questions;
    std::unordered_map<const CCorraQuestion*, int> numbers;
    std::vector<int> pageStarts;
    std::vector<int> questionIds;
    // The pages the scan made, and the range asked for (clamped by the scan).
    int nPageCount = 0;
    int nFirstPage = 1;
    int nLastPage = 1;
    int nProgressPos = 0;

    BOOL IsMeasuring() const { return (dwFlags & EXPF_MEASURING) != 0; }
    BOOL IsFilePerPage() const { return nFileType == FT_HTML && nHtmlMode == HTML_FILE_PER_PAGE; }
    int NumberOf(const CCorraQuestion* q) const
    {
        auto it = numbers.find(q);
        return it == numbers.end() ? 0 : it->second;
    }
};
