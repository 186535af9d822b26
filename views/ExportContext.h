#pragma once
// What an export of questions into a rich-edit control is told: the page, its margins, the
// separators between questions and between a question and its choices, the kind of file made and
// the pages asked for. The Expanded text of the question view is such an export into its own text
// pane; printing and the file exports extend it.

#include "platform/core/String.h"

class CHVRichEditCtrl;

// Kinds of file an export makes (a set of its own, apart from the document kinds).
constexpr int EXPORT_TEXT = 0x7001;
constexpr int EXPORT_WORD = 0x7002;
constexpr int EXPORT_WORDPERFECT = 0x7003;
constexpr int EXPORT_HTML = 0x7004;
constexpr int EXPORT_RTF = 0x7005;

struct CExportContext {
    // Thousandths of an inch.
    int nPageWidth = 8500;
    int nPageHeight = 11000;
    int nMarginLeft = 1000;
    int nMarginRight = 1000;
    int nMarginTop = 1000;
    int nMarginBottom = 1000;
    // Newlines after a question, and between a question's text and its choices.
    CString csQuestionSeparator;
    CString csChoiceSeparator;
    int nFileType = EXPORT_WORD;
    // The pages asked for; the print dialog is not involved here.
    int nFromPage = 1;
    int nToPage = 0xFFFF;
    CHVRichEditCtrl* pTarget = nullptr;

    // The separators: n newlines each.
    void SetSeparators(int nQuestionLines, int nChoiceLines)
    {
        csQuestionSeparator = CString('\n', nQuestionLines > 0 ? nQuestionLines : 0);
        csChoiceSeparator = CString('\n', nChoiceLines > 0 ? nChoiceLines : 0);
    }
};
