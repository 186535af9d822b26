#pragma once
// The one logging call of the program.

#include "platform/core/WinTypes.h"

// Filters, formats and keeps one log line. level: 1 error, 2..5 information and trace,
// -1 always, -2 assertion.
void LogOutput(LPCSTR text, int level, LPCSTR buildTime, LPCSTR sourceFile, int line);
