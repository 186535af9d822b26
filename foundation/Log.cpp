#include "foundation/Log.h"
#include "foundation/Util.h"

#include "foundation/Encrypt.h"
#include "platform/core/FileSys.h"
#include "platform/core/Profile.h"
#include "platform/core/ProgramHome.h"
#include "platform/core/Registry.h"
#include "platform/core/Services.h"
#include "platform/core/Time.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <sys/utsname.h>

namespace {

struct CLogSettings {
    CString logFile;
    int level = 1;
    BOOL showTimeStamp = FALSE;
    BOOL showFile = FALSE;
    BOOL showLineNumber = FALSE;
    BOOL showThreadInfo = FALSE;
    BOOL plainMode = FALSE;
};

// The settings are read once, at the first line of the process.
std::mutex g_settingsMutex;
std::shared_ptr<const CLogSettings> g_settings;
// Set while this thread reads the settings, so that a line logged by the reading itself does
// not wait for the settings it is reading.
thread_local bool t_readingSettings = false;

// The log buffer: lines accepted since the last flush.
std::mutex g_bufferMutex;
CString g_buffer;
// Only the newest LOG_FILE_KEEP characters ever reach the file, so a buffer that nobody flushes
// is cut back to the newest part once it passes the limit.
constexpr int kBufferLimit = 1 << 20;
constexpr int kBufferKeep = 1 << 16;

// Flushes and plain-mode appends write the log file one at a time.
std::recursive_mutex g_fileMutex;

const char* const kLogging = "Logging";

CString ComponentOfProgId(LPCSTR progId)
{
    CString id(progId ? progId : "");
    int dot = id.Find('.');
    if (dot < 0)
        return CString();
    CString kind = id.Mid(dot + 1);
    if (kind.CompareNoCase("DOCUMENT") == 0 || kind.CompareNoCase("APPLICATION") == 0)
        return id.Left(dot);
    return CString();
}

BOOL IsOwnProgId(LPCSTR progId)
{
    CString name = ComponentOfProgId(progId);
    return !name.IsEmpty() && name.CompareNoCase(GetComponentName()) == 0;
}

CString MakerKeyPath()
{
    return CString("Software\\") + CORRA_COMPANY_NAME;
}

// Key path under HKEY_CURRENT_USER; empty when there is no component name.
CString ComponentKeyPath(BOOL makerOnly)
{
    if (makerOnly)
        return MakerKeyPath();
    CString name = GetComponentName();
    if (name.IsEmpty())
        return CString();
    return MakerKeyPath() + "\\" + name;
}

CString StorePath(const char* root, const CString& path)
{
    return CString(root) + "\\" + path;
}

CString DefaultLogFile()
{
    return GetServerDirectory() + GetComponentName() + "Log.txt";
}

std::shared_ptr<const CLogSettings> ReadSettings()
{
    auto s = std::make_shared<CLogSettings>();
    GetRegString(s->logFile, kLogging, "LogFile", DefaultLogFile());
    s->level = GetRegInt(kLogging, "Level", 1);
    s->showTimeStamp = GetRegInt(kLogging, "ShowTimeStamp", 0);
    s->showFile = GetRegInt(kLogging, "ShowFile", 0);
    s->showLineNumber = GetRegInt(kLogging, "ShowLineNumber", 0);
    s->showThreadInfo = GetRegInt(kLogging, "ShowThreadInfo", 0);
    s->plainMode = AppProfile().GetInt("Settings", "Log", 0) == LOG_PLAIN_MODE_KEY;
    return s;
}

std::shared_ptr<const CLogSettings> Settings()
{
    if (t_readingSettings) {
        // A line logged while this thread reads the settings: filter it by the defaults.
        return std::make_shared<const CLogSettings>(CLogSettings{DefaultLogFile()});
    }
    std::lock_guard<std::mutex> lock(g_settingsMutex);
    if (!g_settings) {
        t_readingSettings = true;
        try {
            g_settings = ReadSettings();
        } catch (...) {
            t_readingSettings = false;
            throw;
        }
        t_readingSettings = false;
    }
    return g_settings;
}

void AppendToBufferLocked(const CString& line)
{
    g_buffer += "\r\n";
    g_buffer += line;
    if (g_buffer.GetLength() > kBufferLimit)
        g_buffer = g_buffer.Right(kBufferKeep);
}

} // namespace

// ---- Lines

CString LogSourceName(LPCSTR sourceFile)
{
    CString s(sourceFile ? sourceFile : "");
    int cut = std::max(s.ReverseFind('\\'), s.ReverseFind('/'));
    return cut >= 0 ? s.Mid(cut + 1) : s;
}

CString GetTimeStamp()
{
    SYSTEMTIME st;
    GetLocalTime(st);
    return CString::Formatted("%d/%d/%d %d:%d:%d.%d", st.wMonth, st.wDay, st.wYear, st.wHour, st.wMinute,
                              st.wSecond, st.wMilliseconds);
}

void LogOutput(LPCSTR text, int level, LPCSTR buildTime, LPCSTR sourceFile, int line)
{
    try {
        std::shared_ptr<const CLogSettings> s = Settings();
        if (level >= 0 && (s->level < 1 || level > s->level))
            return;

        CString out;
        if (level == LOG_ERROR || level == LOG_ASSERT)
            out = "****** ";
        out += text ? text : "";
        if ((s->showFile && sourceFile) || level == LOG_ASSERT) {
            out += " - File: ";
            out += LogSourceName(sourceFile);
        }
        if (s->showThreadInfo && line > 0)
            out.AppendFormat(" - thread %lx, process %lx", GetCurrentThreadId(), GetCurrentProcessId());
        if ((s->showLineNumber && line > 0) || level == LOG_ASSERT)
            out.AppendFormat(" - Line: %d", line);
        if (s->showTimeStamp && buildTime) {
            out += " - Time: ";
            out += GetTimeStamp();
        }

        if (s->logFile.IsEmpty()) {
            CString bad("LogOutput() - bad logfile name - cannot output to logfile\n");
            fsys::AppendFile(GetServerDirectory() + "Log.txt", bad.GetString(), bad.GetLength());
            return;
        }
        if (!AppendLogBuffer(out)) {
            std::lock_guard<std::recursive_mutex> lock(g_fileMutex);
            out += "\n";
            fsys::AppendFile(s->logFile, out.GetString(), out.GetLength());
        }
    } catch (...) {
        // Logging never throws into its caller; the line is lost.
    }
}

void LogAssertion(LPCSTR expression, LPCSTR buildTime, LPCSTR sourceFile, int line)
{
    CString text("Assertion failure: ");
    text += expression ? expression : "";
    LogOutput(text, LOG_ASSERT, buildTime, sourceFile, line);
}

void LogIndented(LPCSTR text, int indent, int level, LPCSTR buildTime, LPCSTR sourceFile, int line)
{
    indent = std::clamp(indent, 0, 126);
    CString out(' ', indent);
    out += text ? text : "";
    LogOutput(out, level, buildTime, sourceFile, line);
}

// ---- Buffer and file

BOOL IsLogPlainMode()
{
    return Settings()->plainMode;
}

BOOL AppendLogBuffer(LPCSTR line)
{
    if (IsLogPlainMode())
        return FALSE;
    std::lock_guard<std::mutex> lock(g_bufferMutex);
    AppendToBufferLocked(CString(line ? line : ""));
    return TRUE;
}

CString GetLogBuffer()
{
    std::lock_guard<std::mutex> lock(g_bufferMutex);
    return g_buffer;
}

void FlushLogBuffer()
{
    std::lock_guard<std::recursive_mutex> fileLock(g_fileMutex);
    CString pending;
    {
        // Take the lines out, so that lines logged while the file is written wait for the next
        // flush instead of being lost.
        std::lock_guard<std::mutex> lock(g_bufferMutex);
        std::swap(pending.str(), g_buffer.str());
    }
    if (pending.IsEmpty())
        return;

    BOOL written = FALSE;
    try {
        CString name;
        if (GetLogFileName(name)) {
            CString text;
            if (AppProfile().GetInt("Settings", "KeepLog", 0) != 0)
                GetLogFileText(text);
            else
                ReadLogText(text);
            text += pending;
            if (text.GetLength() > LOG_FILE_KEEP)
                text = text.Right(LOG_FILE_KEEP);
            CEncrypt cipher;
            written = cipher.SetFromString(text) && cipher.Encrypt() && cipher.ToFile(name);
        }
    } catch (...) {
        written = FALSE;
    }
    if (!written) {
        // Keep the lines for the next attempt.
        std::lock_guard<std::mutex> lock(g_bufferMutex);
        CString rest = g_buffer;
        g_buffer = pending;
        g_buffer += rest;
        if (g_buffer.GetLength() > kBufferLimit)
            g_buffer = g_buffer.Right(kBufferKeep);
    }
}

BOOL GetLogFileName(CString& out)
{
    out = Settings()->logFile;
    return !out.IsEmpty();
}

void ReadLogText(CString& out)
{
    out.Empty();
    CString name;
    if (!GetLogFileName(name) || !fsys::IsFile(name))
        return;
    CEncrypt cipher;
    if (cipher.FromFile(name) > 0) {
        cipher.Decrypt();
        cipher.ToCString(out);
    }
}

void GetLogLines(CStringList& out, BOOL newestFirst)
{
    out.RemoveAll();
    CString text;
    ReadLogText(text);
    int start = 0;
    int n = text.GetLength();
    for (int i = 0; i <= n; ++i) {
        if (i == n || text[i] == '\r' || text[i] == '\n') {
            if (i > start) {
                CString piece = text.Mid(start, i - start);
                if (newestFirst)
                    out.AddHead(piece);
                else
                    out.AddTail(piece);
            }
            start = i + 1;
        }
    }
}

BOOL GetFileText(LPCSTR path, CString& out)
{
    out.Empty();
    std::string bytes;
    if (!path || !fsys::ReadFile(path, bytes))
        return FALSE;
    out = CString(std::move(bytes));
    return TRUE;
}

BOOL GetLogFileText(CString& out)
{
    CString name;
    GetLogFileName(name);
    GetFileText(name, out);
    return TRUE;
}

BOOL LogFileExists()
{
    CString name;
    return GetLogFileName(name) && fsys::Exists(name);
}

BOOL DeleteLogFile()
{
    CString name;
    return GetLogFileName(name) && fsys::DeleteFile(name);
}

int GetLogLevel()
{
    return GetRegInt(kLogging, "Level", 1);
}

namespace {

std::mutex g_viewCopyMutex;
CString g_viewCopy;  // the deciphered copy ViewLog made last, empty when none

} // namespace

void DeleteLogViewCopy()
{
    std::lock_guard<std::mutex> lock(g_viewCopyMutex);
    if (!g_viewCopy.IsEmpty())
        fsys::DeleteFile(g_viewCopy);
    g_viewCopy.Empty();
}

BOOL ViewLog()
{
    CString name;
    GetLogFileName(name);
    if (IsLogPlainMode())
        return ::ViewLogFile(name);

    FlushLogBuffer();
    if (!fsys::IsFile(name))
        return FALSE;
    CEncrypt cipher;
    cipher.FromFile(name);
    cipher.Decrypt();
    // One deciphered copy at a time: the viewer has read the one before.
    DeleteLogViewCopy();
    const CString temp = fsys::CreateUniqueTempFile("", "Quorvale log ", ".txt");
    if (temp.IsEmpty())
        return FALSE;
    {
        std::lock_guard<std::mutex> lock(g_viewCopyMutex);
        g_viewCopy = temp;
    }
    if (!fsys::WriteFile(temp, cipher.GetBuffer(), static_cast<size_t>(cipher.GetLength())))
        return FALSE;
    return ::ViewLogFile(temp);
}

BOOL CanViewLog()
{
    return LogFileExists() || !GetLogBuffer().IsEmpty();
}

BOOL DeleteLog()
{
    if (!LogFileExists() || !DeleteLogFile())
        return FALSE;
    AfxMessageBox("Log file successfully deleted.");
    return TRUE;
}

void ResetLogging()
{
    {
        std::lock_guard<std::mutex> lock(g_settingsMutex);
        g_settings.reset();
    }
    std::lock_guard<std::mutex> lock(g_bufferMutex);
    g_buffer.Empty();
}

// ---- Dump files

void LogDump(LPCSTR text, LPCSTR fileName)
{
    CString path = GetServerDirectory() + (fileName && *fileName ? fileName : "Logdump.txt");
    CString line(text ? text : "");
    line += "\n";
    fsys::AppendFile(path, line.GetString(), line.GetLength());
}

void DumpLoggingInfo(LPCSTR title, LPCSTR fileName)
{
    LogDump(GetTimeStamp(), fileName);
    if (title)
        LogDump(title, fileName);
    LogDump(CString("Company: ") + CORRA_COMPANY_NAME, fileName);
    LogDump(CString("ProgId: ") + CORRA_PROG_ID, fileName);
    LogDump(CString("File path: ") + GetProgramFilePath(), fileName);
}

void LogRegFailure(LPCSTR text, LPCSTR path, LPCSTR rootName)
{
    CString root(rootName ? rootName : "");
    if (root != "HKEY_USERS" && root != HKEY_LOCAL_MACHINE_NAME)
        root = HKEY_CURRENT_USER_NAME;
    CString line(text ? text : "");
    line += " path\n";
    line += path ? path : "";
    line += "\nunder root\n";
    line += root;
    LogDump(line);
}

// ---- Registration of the logging settings

namespace {

BOOL InitLoggingRegEntries(const CString& keyPath, const CString& logFile)
{
    if (!WriteRegString(keyPath, kLogging, "LogFile", logFile))
        return FALSE;
    struct Entry {
        const char* name;
        const char* def;
    };
    const Entry entries[] = {
        {"Level", "1"}, {"ShowTimeStamp", "0"}, {"ShowFile", "0"}, {"ShowLineNumber", "0"}, {"ShowThreadInfo", "0"}};
    for (const Entry& e : entries) {
        CString value;
        GetRegString(value, kLogging, e.name, e.def);
        if (!WriteRegString(keyPath, kLogging, e.name, value))
            return FALSE;
    }
    return TRUE;
}

BOOL IsGoodName(const char* name)
{
    return name && std::strlen(name) < 32;
}

void TellSetLoggingInfo(BOOL quiet, const char* text, const char* caption)
{
    if (!quiet)
        MessageBoxService().Show(CString(text), CString(caption), MB_OK);
}

} // namespace

BOOL SetLoggingInfo(BOOL quiet)
{
    if (!IsGoodName(CORRA_COMPANY_NAME)) {
        TellSetLoggingInfo(quiet, "Bad company name", "SetLoggingInfo()");
        LogDump("SetLoggingInfo() - Bad company name...");
        LogDump(CORRA_COMPANY_NAME);
        return FALSE;
    }
    if (!IsGoodName(CORRA_PROG_ID)) {
        TellSetLoggingInfo(quiet, "Bad Prog Id", "SetLoggingInfo()");
        LogDump("SetLoggingInfo() - Bad Prog Id...");
        LogDump(CORRA_PROG_ID);
        return FALSE;
    }
    CString key;
    if (!OpenComponentKey(key)) {
        LogDump("SetLoggingInfo() - Failed to OpenComponentKey()");
        return FALSE;
    }
    CString folder = GetServerDirectory(CORRA_PROG_ID);
    if (folder.IsEmpty())
        LogDump(CString("GetServerDirectory() returned empty string for prog id:  ") + CORRA_PROG_ID);
    CString logFile = folder;
    if (!logFile.IsEmpty() && logFile[logFile.GetLength() - 1] != '/' && logFile[logFile.GetLength() - 1] != '\\')
        logFile += '/';
    logFile += GetComponentName() + "Log.txt";
    if (!InitLoggingRegEntries(key, logFile)) {
        TellSetLoggingInfo(quiet, "Failed to InitLoggingRegEntries()", "SetLoggingInfo");
        LogDump("SetLoggingInfo() - Failed to InitLoggingRegEntries()...");
        return FALSE;
    }
    if (!WriteRegString(key, "Installation", "HomeDir", folder)) {
        TellSetLoggingInfo(quiet, "Failed to WriteRegString for Installation\\HomeDir", "SetLoggingInfo");
        LogDump("SetLoggingInfo() - Failed to WriteRegString for Installation\\HomeDir...");
        return FALSE;
    }
    return TRUE;
}

BOOL RemoveLoggingInfo()
{
    CString name = GetComponentName();
    if (name.IsEmpty()) {
        LogDump("RemoveLoggingInfo() - GetComponentName returned empty string");
        return FALSE;
    }
    CRegistryStore& store = CRegistryStore::Instance();
    CString maker = MakerKeyPath();
    if (!store.KeyExists(StorePath(HKEY_CURRENT_USER_NAME, maker))) {
        LogRegFailure("RemoveLoggingInfo() - Failed to Open", maker, HKEY_CURRENT_USER_NAME);
        return FALSE;
    }
    return store.DeleteKey(StorePath(HKEY_CURRENT_USER_NAME, maker + "\\" + name));
}

// ---- Component registry functions

CString GetComponentName()
{
    return ComponentOfProgId(CORRA_PROG_ID);
}

BOOL OpenComponentKey(CString& keyPath, BOOL makerOnly)
{
    keyPath.Empty();
    CString path = ComponentKeyPath(makerOnly);
    if (path.IsEmpty()) {
        LogDump("::OpenComponentKey() - GetComponentName returned empty string");
        return FALSE;
    }
    CString full = StorePath(HKEY_CURRENT_USER_NAME, path);
    CRegistryStore& store = CRegistryStore::Instance();
    if (!store.KeyExists(full) && !store.CreateKey(full)) {
        LogRegFailure("Failed to create", path, HKEY_CURRENT_USER_NAME);
        return FALSE;
    }
    keyPath = full;
    return TRUE;
}

BOOL GetRegString(CString& out, LPCSTR section, LPCSTR value, LPCSTR def, BOOL makerOnly)
{
    out = def ? def : "";
    CString path = ComponentKeyPath(makerOnly);
    if (!path.IsEmpty()) {
        CString key = StorePath(HKEY_CURRENT_USER_NAME, path);
        if (section && *section)
            key += CString("\\") + section;
        CString stored;
        if (CRegistryStore::Instance().GetString(key, value, stored))
            out = stored;
    }
    return !out.IsEmpty();
}

int GetRegInt(LPCSTR section, LPCSTR value, int def, BOOL makerOnly)
{
    CString text;
    GetRegString(text, section, value, CString::Formatted("%d", def), makerOnly);
    return std::atoi(text);
}

BOOL WriteRegString(LPCSTR keyPath, LPCSTR section, LPCSTR value, LPCSTR text)
{
    CString key(keyPath ? keyPath : "");
    if (section && *section)
        key += CString("\\") + section;
    CRegistryStore& store = CRegistryStore::Instance();
    if (!store.CreateKey(key)) {
        LogDump("WriteRegString() - Failed to create section key\n");
        return FALSE;
    }
    return store.SetString(key, value, text ? text : "");
}

BOOL WriteComponentRegString(LPCSTR section, LPCSTR value, LPCSTR text)
{
    CString key;
    return OpenComponentKey(key) && WriteRegString(key, section, value, text);
}

CString GetCLSIDFromProgId(LPCSTR progId)
{
    CString clsid;
    if (progId && *progId)
        CRegistryStore::Instance().GetString(StorePath(HKEY_CLASSES_ROOT_NAME, CString(progId) + "\\CLSID"), "", clsid);
    clsid.Trim();
    if (clsid.IsEmpty())
        LogOutput(CString("Failed to get CLSIDFromProgID ") + (progId ? progId : ""), LOG_ERROR, LOG_HERE);
    return clsid;
}

CString GetServerFile(LPCSTR progId)
{
    if (IsOwnProgId(progId))
        return GetProgramFilePath();
    CString clsid = GetCLSIDFromProgId(progId);
    if (clsid.IsEmpty()) {
        LogDump("::GetServerFile() - GetCLSIDFromProgId() returned empty string for prog id...");
        LogDump(progId);
        return CString();
    }
    CRegistryStore& store = CRegistryStore::Instance();
    CString base = StorePath(HKEY_CLASSES_ROOT_NAME, "CLSID\\" + clsid + "\\");
    CString file;
    if (!store.GetString(base + "InprocServer32", "", file) || file.Trim().IsEmpty()) {
        file.Empty();
        store.GetString(base + "LocalServer32", "", file);
    }
    file.Trim();
    // A server registered with a command-line switch: keep the file only.
    int cut = file.Find(" /");
    if (cut < 0)
        cut = file.Find(" -");
    if (cut > 0) {
        LogDump("::GetServerFile() - stripping flag...");
        LogDump(file.Left(cut));
        LogDump(file.Mid(cut));
        file = file.Left(cut);
    }
    file.Trim();
    file.Trim('"');
    return file;
}

CString GetServerDirectory()
{
    return GetProgramHome();
}

CString GetServerDirectory(LPCSTR progId)
{
    if (IsOwnProgId(progId))
        return GetServerDirectory();
    CString file = GetServerFile(progId);
    if (file.IsEmpty()) {
        LogDump("::GetServerDirectory() - GetServerFile() returned empty string for prog id...");
        LogDump(progId);
        LogDump("...using alternate server directory code");
        return GetServerDirectory();
    }
    CString upper = file;
    if (upper.MakeUpper().Find("MTX.EXE") >= 0) {
        LogOutput("GetServerDirectory(LPCTSTR szProgId) - server registered with MTS...", LOG_ERROR, LOG_HERE);
        return GetServerDirectory();
    }
    CString folder = fsys::NormalizeSeparators(fsys::Folder(file));
    return folder + "/";
}

BOOL GetServerDirectory(CString& out)
{
    out = GetServerDirectory();
    return !out.IsEmpty();
}

BOOL GetServerDirectory(LPCSTR progId, CString& out)
{
    out = GetServerDirectory(progId);
    return !out.IsEmpty();
}

BOOL IsServerInstalled(LPCSTR progId)
{
    CString file = GetServerFile(progId);
    if (file.IsEmpty()) {
        LogDump("::IsServerInstalled() - GetServerFile() returned empty");
        return FALSE;
    }
    if (!fsys::Exists(file)) {
        LogDump("::IsServerInstalled() - GetFileAttributes() failed...");
        LogDump(file);
        return FALSE;
    }
    return TRUE;
}

BOOL RegisterComponent(LPCSTR file)
{
    LogOutput("::RegisterComponent() - component libraries cannot be registered on this platform, file...",
              LOG_ERROR, LOG_HERE);
    LogOutput(file ? file : "", LOG_ERROR, LOG_HERE);
    return FALSE;
}

void GetOSVersion(CString& out)
{
    struct utsname u {};
    if (::uname(&u) != 0) {
        out = "Unknown";
        return;
    }
    out.Format("%s %s (%s)", u.sysname, u.release, u.machine);
}
