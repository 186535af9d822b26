#pragma once
// The program's diagnostic log: one call, LogOutput, filters and formats a line and keeps it in
// the log buffer; the buffer goes to the log file, enciphered, when it is flushed. The settings
// live in the registry store under the component key ("Logging"). Also here: the dump files
// beside the program ("Logdump.txt", "RegLog.txt") and the component registry functions.

#include "platform/core/Collections.h"
#include "platform/core/String.h"

// Build time, source file and line of the calling line, for LogOutput and its relatives.
#define LOG_HERE __TIMESTAMP__, __FILE__, __LINE__

// Logs "Assertion failure: " and the expression when it is false; execution goes on.
#define ASSERT(expr) ((expr) ? (void)0 : LogAssertion(#expr, LOG_HERE))

constexpr const char* CORRA_COMPANY_NAME = "Vantrel";
constexpr const char* CORRA_PROG_ID = "Corra.Application";
constexpr const char* CORRA_DOC_PROG_ID = "Corra.Document";

// Log levels of the callers.
constexpr int LOG_ERROR = 1;
constexpr int LOG_ALWAYS = -1;
constexpr int LOG_ASSERT = -2;

// Profile value "Settings"/"Log" that switches the log to plain text written at once.
constexpr int LOG_PLAIN_MODE_KEY = 205871;
// The log file keeps this many characters of the newest text.
constexpr int LOG_FILE_KEEP = 2000;

// Filters, formats and keeps one log line. level: 1 error, 2..5 information and trace,
// -1 always, -2 assertion. The text is taken as it stands (never as a format).
void LogOutput(LPCSTR text, int level, LPCSTR buildTime, LPCSTR sourceFile, int line);
// "Assertion failure: " + expression at level -2.
void LogAssertion(LPCSTR expression, LPCSTR buildTime, LPCSTR sourceFile, int line);
// The source file's name after its last separator (the whole text when it has none).
CString LogSourceName(LPCSTR sourceFile);
// LogOutput of indent blanks (at most 126) and the text.
void LogIndented(LPCSTR text, int indent, int level, LPCSTR buildTime, LPCSTR sourceFile, int line);

// Appends "\r\n" + line to the log buffer; FALSE (nothing kept) in plain mode.
BOOL AppendLogBuffer(LPCSTR line);
// Writes the buffered lines to the log file (the newest LOG_FILE_KEEP characters, enciphered).
void FlushLogBuffer();
// The lines accepted since the last flush.
CString GetLogBuffer();
BOOL IsLogPlainMode();

// The log file deciphered into out (empty when it cannot be read).
void ReadLogText(CString& out);
// The deciphered log split into lines (empty ones skipped), newest first when asked.
void GetLogLines(CStringList& out, BOOL newestFirst);
// The log file's bytes as they stand.
BOOL GetLogFileText(CString& out);
// A whole file as text; FALSE (out empty) when it cannot be read.
BOOL GetFileText(LPCSTR path, CString& out);
// The configured log file path; TRUE when not empty.
BOOL GetLogFileName(CString& out);
BOOL LogFileExists();
BOOL DeleteLogFile();
int GetLogLevel();

// The View Log command: flushes, writes the deciphered log to a temporary ".txt" file and opens
// it with the desktop opener (plain mode: opens the log file itself). FALSE when nothing opened.
BOOL ViewLog();
// Deletes the deciphered copy of the log that ViewLog last gave the viewer (the application
// does at exit): the log is kept enciphered, its copy should not outlive the program.
void DeleteLogViewCopy();
// Whether the View Log command has anything to show.
BOOL CanViewLog();
// The Delete Log command: deletes an existing log file and says so ("Log file successfully
// deleted."); nothing is shown when there was no file.
BOOL DeleteLog();

// Local time "month/day/year hour:minute:second.milliseconds", numbers without leading zeros.
CString GetTimeStamp();

// Appends text + "\n" to fileName ("Logdump.txt" when NULL) in the program home.
void LogDump(LPCSTR text, LPCSTR fileName = nullptr);
// Dumps the time stamp, the title, the company, the ProgID and the program file's path.
void DumpLoggingInfo(LPCSTR title = nullptr, LPCSTR fileName = nullptr);
// Dumps a registry failure: text, the key path and the root's name.
void LogRegFailure(LPCSTR text, LPCSTR path, LPCSTR rootName);

// Registers the logging settings and the home folder of the component; message boxes only
// when not quiet.
BOOL SetLoggingInfo(BOOL quiet);
// Deletes the whole component key.
BOOL RemoveLoggingInfo();

// Forgets the settings read and the buffered lines, so that the next line reads the settings
// afresh (tests; the program reads them once per run).
void ResetLogging();

// Component registry functions over the registry store. Key paths are full store paths
// ("HKEY_CURRENT_USER\Software\Vantrel\Corra").

// "Corra" from the ProgID "Corra.Application"; empty for a ProgID of another form.
CString GetComponentName();
// The component key (the maker's key when makerOnly), created when missing.
BOOL OpenComponentKey(CString& keyPath, BOOL makerOnly = FALSE);
// A value of a subkey of the component key, else the default; TRUE when the result is not empty.
BOOL GetRegString(CString& out, LPCSTR section, LPCSTR value, LPCSTR def, BOOL makerOnly = FALSE);
int GetRegInt(LPCSTR section, LPCSTR value, int def, BOOL makerOnly = FALSE);
// Creates subkey section of keyPath and sets the string value.
BOOL WriteRegString(LPCSTR keyPath, LPCSTR section, LPCSTR value, LPCSTR text);
BOOL WriteComponentRegString(LPCSTR section, LPCSTR value, LPCSTR text);
// The class id registered for a ProgID (HKEY_CLASSES_ROOT\<progId>\CLSID); empty when none.
CString GetCLSIDFromProgId(LPCSTR progId);
// The file that serves a ProgID; our own ProgIDs name the running program.
CString GetServerFile(LPCSTR progId);
// The program home, with its trailing separator.
CString GetServerDirectory();
// The folder of a ProgID's server file (the program home for our own ProgIDs).
CString GetServerDirectory(LPCSTR progId);
BOOL GetServerDirectory(CString& out);
BOOL GetServerDirectory(LPCSTR progId, CString& out);
BOOL IsServerInstalled(LPCSTR progId);
// Loading component libraries is not available on this platform: logs and returns FALSE.
BOOL RegisterComponent(LPCSTR file);
// The operating system's name and release.
void GetOSVersion(CString& out);
