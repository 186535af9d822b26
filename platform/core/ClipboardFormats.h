#pragma once
// Clipboard formats of the program's own data, by name: a name registered for the first time
// gets the next number from 0xC000 on, and every later registration of it the same number, so
// the documents that register a format at start-up and the views that copy and paste it agree.
// Any thread.

#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

// The format's number; 0 for an empty name.
UINT RegisterClipboardFormat(LPCSTR name);
// The name a number was given; empty for a number never given.
CString GetClipboardFormatName(UINT format);
