#pragma once
// Windows-1252 text to and from Qt's strings, through the program's own code-page table.

#include "platform/core/String.h"

#include <QString>

QString ToQString(const CString& s);
QString ToQString(const char* s);
CString FromQString(const QString& s);
