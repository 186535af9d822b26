#pragma once
// Small helpers the file list and the folder tree share.

#include "platform/core/String.h"

#include <vector>

// Logs a failure's text and, on a line of its own, what it concerns (a path, a name).
void LogShellFailure(LPCSTR text, LPCSTR detail);

// The elements of a ";"-separated extension list ("crr; *.EXM; .txt"): trimmed, without "*" and
// ".", lower-cased, empty ones left out.
std::vector<CString> SplitExtensionList(LPCSTR extList);
// Whether the extension of a file name is one of the list's (case ignored).
BOOL ExtensionListHas(const std::vector<CString>& exts, LPCSTR fileName);

// A folder path with its separators normalised, trailing blanks and separators gone (the file
// system's root stays "/"); and the same with one trailing separator.
CString FolderNoSlash(LPCSTR folder);
CString FolderWithSlash(LPCSTR folder);
// A folder as the chooser and Find File show it: under the program folder "..." and the part
// below it (".../QCorras/Unit 3"), elsewhere the whole path.
CString ShownFolderText(LPCSTR folder);
