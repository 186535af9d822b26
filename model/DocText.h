#pragma once
// Pieces of the document file's text shared by its writers: texts that go into a brace block,
// the wrapping of titles, and lists of block items wrapped over several lines.

#include "platform/core/String.h"

#include <vector>

class CEncryptedArchive;

// A one-line text fit for a brace block: "{" and "}" would end the block early, so they become
// "(" and ")"; with noBars a "||" (the separator of collection counts) becomes "|". Each change
// is logged with what (e.g. "CCorraHeader::Write() - collection name") in the line.
CString BlockSafeText(const CString& text, LPCSTR what, BOOL noBars = FALSE);
// Whether a text entered by the user can be stored in a brace block as it is (for the places
// where names and titles are entered: they refuse the text instead of changing it).
BOOL IsBlockSafeText(LPCSTR text, BOOL noBars = FALSE);

// A title broken into lines of at most width characters at blanks: each break replaces one
// blank by CR LF, so reading the lines back as one line (a line end read as one blank) gives
// the title it started from. A word longer than the width stays whole on its line.
CString WrapTitle(const CString& title, int width = 60);
// The title of a block read back: every CR LF (or lone CR or LF) one blank, trimmed.
CString UnwrapTitle(const CString& inner);

// Appends items joined by ", "; before every item but the first, when the running length
// (starting at start) has passed limit, a line end and indent blanks come first.
void AppendWrappedItems(CEncryptedArchive& out, const std::vector<CString>& items, int start, int limit, int indent);
// The fields of a record item between separators, empty ones kept ("a,,b" gives three).
std::vector<CString> SplitItem(const CString& item, char separator);
// Appends a text to a storing archive.
void Put(CEncryptedArchive& out, const CString& text);
