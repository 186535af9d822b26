#pragma once
// The RTF texts the program writes itself and the test whether a text is RTF: what both the
// engine and the text operations stand on, with no reading of RTF.

#include "platform/core/String.h"

// Whether a text begins, after white space, with "{\rtf".
BOOL IsRtfText(LPCSTR pszText);

// The default header: one font table entry, Arial, marked as the document font by its pitch,
// then the body's opening words; the text and a closing brace follow it.
CString MakeDefaultRtfHeader(int nPitch = 3);
// A plain text wrapped as a whole RTF text with the default font table.
CString WrapPlainTextAsRtf(LPCSTR pszText, int nPitch = 3);

// Appends one Windows-1252 byte as RTF text: "\\", "{" and "}" escaped, control bytes and those
// above 127 as "\'hh".
void AppendRtfEscapedByte(CString& out, unsigned char c);
