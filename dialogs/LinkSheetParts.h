#pragma once
// What the pages of the link sheets share: their message box, the rows of their lists, the
// "Or: ... Break Links..." block, and the check of a file picked for a relink.

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <initializer_list>

class CDialog;
class CExamQuestion;
class CListCtrl;
class QGridLayout;
class QLabel;

namespace linksheet {

int Say(const CString& text, UINT style = MB_OK | MB_ICONEXCLAMATION);
CExamQuestion* AsExam(void* p);
// A label whose text wraps.
QLabel* WrappedText(CDialog* page, const char* text, int nID);
// "Or: Change these questions to non-linked status ... [Break Links...]" and "Or: Skip ...".
QGridLayout* BreakLinksBlock(CDialog* page);
// Appends a row of cells with the record as its data.
void AddRow(CListCtrl& list, const void* record, std::initializer_list<CString> cells);
// Selects the first row, when there is one.
void SelectFirstRow(CListCtrl& list);
// A picked file that is not there (or is no file): logged and said; FALSE.
BOOL CheckPickedFile(const CString& path);

} // namespace linksheet
