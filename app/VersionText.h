#pragma once
// The program's version and build texts as its windows show them.

#include "platform/core/String.h"

// "a, b, c, d" made "a.b.c.d" (each field trimmed).
CString GetFileVersionText();
// The product version: all four fields with bFull; else "a.b", then ".c" when c is not "0" and
// ".d" when d is not "0".
CString GetProductVersionText(BOOL bFull);
// A version text "a, b, c, d" in the short form of GetProductVersionText.
CString ShortVersionText(LPCSTR version);
// When the program was built, in the form "Tue Jun 27 14:25:14 2006".
CString BuildTimeStamp();
