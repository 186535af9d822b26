#pragma once
// Logging of caught exceptions: a short block of lines naming the source file, line and time.
// Unidentified exceptions also tell the user, once per run unless the user asks for more.

#include "platform/core/String.h"

#include <exception>

// Formats a line (printf rules, cut to 1023 characters), turns CR and LF into blanks and logs
// it at level -1.
void LogTraceLine(LPCSTR format, ...) __attribute__((format(printf, 1, 2)));
// As LogTraceLine, and appends the line and "\n" to acc.
void LogTraceLineAndAppend(CString& acc, LPCSTR format, ...) __attribute__((format(printf, 2, 3)));

// A caught exception that can describe itself ("MFC Exception thrown:").
void LogException(const std::exception& e, LPCSTR buildTime, LPCSTR sourceFile, int line);
// A caught exception of unknown kind ("Unidentified Exception thrown"). On the main thread the
// internal-error notice is shown (strings 248 and 249) until the user answers No; worker
// threads only log.
void LogUnknownException(LPCSTR buildTime, LPCSTR sourceFile, int line);
// LogTraceLine of the message, then LogUnknownException.
void LogMessageAndUnknownException(LPCSTR message, LPCSTR buildTime, LPCSTR sourceFile, int line);

// The notice switch: on at start; the user's No turns it off for the rest of the run.
BOOL IsInternalErrorNoticeOn();
void ResetInternalErrorNotice();
