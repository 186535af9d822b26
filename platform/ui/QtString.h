#pragma once
// Windows-1252 text to and from Qt's strings, through the program's own code-page table.

#include "platform/core/String.h"

#include <QString>

QString ToQString(const CString& s);
QString ToQString(const char* s);
CString FromQString(const QString& s);

// The Windows code page of a font's character set; 0 for the ANSI and default sets, whose bytes
// are in the document's code page, and for sets whose bytes are not characters (symbol, OEM).
int CodePageOfCharset(int charset);
// The character a byte stands for in a single-byte Windows code page; 0 where the page is
// Windows-1252, cannot be decoded here, or has no character for the byte. Any thread.
char16_t DecodeCodePageByte(int codePage, unsigned char b);
