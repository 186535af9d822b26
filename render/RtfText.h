#pragma once
// Operations on texts stored as RTF (or, for older data, as plain text): plain-text
// extraction, the emptiness test, the default header, the repair of the document-font marker,
// and splicing text before the first or after the last visible character.

#include "platform/core/String.h"
#include "render/RtfSyntax.h"

// The plain text of an RTF text. A text that does not begin (after white space) with "{\rtf"
// is returned unchanged and the offsets are not written; otherwise pFirst and pLast receive the
// offsets of the first visible character and just after the last one (-1 when there is none).
CString RtfToPlainText(LPCSTR pszText, int* pFirst = nullptr, int* pLast = nullptr);
// Whether a text, RTF or plain, holds nothing but white space.
BOOL IsRtfEmpty(LPCSTR pszText);


// Keeps one document-font entry: every "\fprq3" after the first becomes "\fprq2". FALSE for a
// text that is not RTF.
BOOL RepairRtfFontPitch(CString& rtf);
// Removes the paragraph marks "\pard", "\par" and the tab word "\tab".
void StripRtfParagraphMarks(CString& rtf);
BOOL HasRtfParOrTab(LPCSTR pszText);

// Inserts pszInsert before the first visible character. pszPrefixRtf (nPrefixLen characters),
// when given, is a header that a body fragment is read with. With pSeparator, the blanks before
// the text go and one blank stands there when the separator is not empty.
void SpliceRtfText(CString& rtf, LPCSTR pszPrefixRtf, int nPrefixLen, LPCSTR pszInsert, CString* pSeparator);
// Inserts pszAppend after the last visible character; with pTrim, white space after it goes.
void SpliceRtfTail(CString& rtf, LPCSTR pszPrefixRtf, int nPrefixLen, LPCSTR pszAppend, CString* pTrim);
void SpliceRtf(CString& rtf, LPCSTR pszPrefixRtf, int nPrefixLen, LPCSTR pszInsert, LPCSTR pszAppend,
               CString* pExtra);
// Puts a text and one blank before the first visible character.
void InsertRtfLeadText(CString& rtf, LPCSTR pszText);
