#include "foundation/LogException.h"

#include "foundation/Log.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "platform/core/Time.h"
#include "res/ids/Log.h"

#include <atomic>
#include <cstdarg>

namespace {

// A trace line is kept to what the original line buffer held.
constexpr int kTraceLineMax = 1023;
// The exception's own message is asked for up to this many characters.
constexpr int kErrorMessageMax = 255;

std::atomic<bool> g_noticeOn{true};

CString FormatTraceLine(LPCSTR format, va_list args)
{
    CString text;
    text.FormatV(format, args);
    if (text.GetLength() > kTraceLineMax)
        text = text.Left(kTraceLineMax);
    text.Replace('\r', ' ');
    text.Replace('\n', ' ');
    return text;
}

// Formats and logs one trace line, and appends it to acc when given.
void TraceLineV(CString* acc, LPCSTR format, va_list args)
{
    try {
        CString text = FormatTraceLine(format, args);
        LogOutput(text, LOG_ALWAYS, nullptr, nullptr, 0);
        if (acc) {
            *acc += text;
            *acc += "\n";
        }
    } catch (...) {
        LogOutput("*** <<Unable to process error message info.>>", LOG_ERROR, nullptr, nullptr, 0);
    }
}

} // namespace

void LogTraceLine(LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    TraceLineV(nullptr, format, args);
    va_end(args);
}

void LogTraceLineAndAppend(CString& acc, LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    TraceLineV(&acc, format, args);
    va_end(args);
}

void LogException(const std::exception& e, LPCSTR buildTime, LPCSTR sourceFile, int line)
{
    try {
        LogTraceLine("MFC Exception thrown:");
        LogTraceLine("\t FILE: %s", sourceFile ? sourceFile : "");
        LogTraceLine("\t LINE #%d", line);
        LogTraceLine("\t TIME: %s", GetTimeStamp().GetString());
        const char* what = e.what();
        if (what && *what)
            LogTraceLine("%s", CString(what).Left(kErrorMessageMax).GetString());
    } catch (...) {
        LogOutput("*** <<Unable to process error message info.>>", LOG_ERROR, nullptr, nullptr, 0);
    }
}

void LogUnknownException(LPCSTR buildTime, LPCSTR sourceFile, int line)
{
    try {
        CString acc;
        LogTraceLineAndAppend(acc, "Unidentified Exception thrown");
        LogTraceLineAndAppend(acc, "\t FILE: %s", LogSourceName(sourceFile).GetString());
        LogTraceLineAndAppend(acc, "\t LINE #%d", line);
        LogTraceLineAndAppend(acc, "\t TIME: %s", GetTimeStamp().GetString());
        // A modal box on a worker thread would block it behind the user interface: log only.
        if (g_noticeOn.load() && IsMainThread()) {
            CString text = LoadStringId(IDS_INTERNAL_ERROR) + "\n\n" + LoadStringId(IDS_CONTINUE_DISPLAYING);
            if (AfxMessageBox(text, MB_YESNO) != IDYES)
                g_noticeOn.store(false);
        }
    } catch (...) {
        LogTraceLine("Unidentified Exception was generated during logging of Unidentified Exception");
    }
}

void LogMessageAndUnknownException(LPCSTR message, LPCSTR buildTime, LPCSTR sourceFile, int line)
{
    LogTraceLine("%s", message ? message : "");
    LogUnknownException(buildTime, sourceFile, line);
}

BOOL IsInternalErrorNoticeOn()
{
    return g_noticeOn.load();
}

void ResetInternalErrorNotice()
{
    g_noticeOn.store(true);
}
