#pragma once
// The patterns a user types into the settings (page file names, form element names, page number,
// file label and form name items) filled in as text, never as a printf format: the first "%d"
// takes the number, the first "%s" the text, and every other "%" stays as typed.

#include "platform/core/String.h"

CString FormatUserPattern(LPCSTR pattern, int nNumber, LPCSTR text = "");
// Whether the pattern holds the place ("%d" or "%s") that FormatUserPattern fills.
BOOL UserPatternHas(LPCSTR pattern, LPCSTR place);
// A page number pattern: the first "%d" takes the number, the first "%a" its lower-case letter
// and the first "%A" its upper-case letter (1 = a, 26 = z, 27 = aa); every other "%" stays.
CString FormatPageNumberPattern(LPCSTR pattern, int nPage);
