#pragma once
// The patterns a user types into the settings (page file names, form element names, page number,
// file label and form name items) filled in as text, never as a printf format: the first "%d"
// takes the number, the first "%s" the text, and every other "%" stays as typed.

#include "platform/core/String.h"

CString FormatUserPattern(LPCSTR pattern, int nNumber, LPCSTR text = "");
// Whether the pattern holds the place ("%d" or "%s") that FormatUserPattern fills.
BOOL UserPatternHas(LPCSTR pattern, LPCSTR place);
// The first "%s" takes the text; every other "%" stays (file labels, form names).
CString FormatTextPattern(LPCSTR pattern, LPCSTR text);
// A page number pattern: the first "%a" takes the page's lower-case letter, else the first "%A"
// its upper-case letter (1 = a, 26 = z, 27 = aa, 28 = bb), else the first "%d" the number;
// every other "%" stays.
CString FormatPageNumberPattern(LPCSTR pattern, int nPage);
