#include "foundation/FileUtil.h"

#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool IsSep(char c)
{
    return c == '/' || c == '\\';
}

bool HasDrive(const CString& p)
{
    unsigned char c = static_cast<unsigned char>(p[0]);
    return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && p[1] == ':';
}

// A full path starts at a root: a separator (also a UNC path) or a drive.
bool IsAbsoluteForm(const CString& p)
{
    return IsSep(p[0]) || HasDrive(p);
}

// The path with '/' separators, repeated separators folded, "." and ".." resolved without asking
// the file system, and no trailing separator (except a bare root). Leading ".." of a relative path
// are kept; ".." above a root stays at the root.
CString Normalize(const CString& path)
{
    CString p = fsys::NormalizeSeparators(path);
    CString root;
    int i = 0;
    if (HasDrive(p)) {
        root = p.Left(2);
        i = 2;
        if (p[2] == '/') {
            root += '/';
            i = 3;
        }
    } else if (p[0] == '/') {
        root = "/";
        i = 1;
    }
    std::vector<CString> parts;
    while (i < p.GetLength()) {
        int next = p.Find('/', i);
        if (next < 0)
            next = p.GetLength();
        CString part = p.Mid(i, next - i);
        i = next + 1;
        if (part.IsEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (root.IsEmpty())
                parts.push_back(part);
            continue;
        }
        parts.push_back(part);
    }
    CString out = root;
    for (size_t k = 0; k < parts.size(); ++k) {
        if (k > 0)
            out += '/';
        out += parts[k];
    }
    if (out.IsEmpty() && !p.IsEmpty())
        out = ".";
    return out;
}

CString WithSep(CString s)
{
    if (s.IsEmpty() || !IsSep(s[s.GetLength() - 1]))
        s += '/';
    return s;
}

// The folder relative paths are taken from. A missing folder is logged; the conversions go on,
// so that no path is lost.
CString BaseFolder(LPCSTR progId)
{
    CString base = progId ? GetServerDirectory(progId) : GetServerDirectory();
    base.Trim();
    base = WithSep(base);
    if (!fsys::IsDirectory(base)) {
        LogOutput("::ServerRelativeToFullPath() - server dir does not exist...", LOG_ERROR, LOG_HERE);
        LogOutput(base, LOG_ERROR, LOG_HERE);
    }
    return base;
}

// The stored form of path (see FullToServerRelativePath).
CString ToStoredForm(LPCSTR path, LPCSTR progId)
{
    CString p(path);
    p.Trim();
    if (p.IsEmpty())
        return CString();
    CString base = BaseFolder(progId);
    if (!IsAbsoluteForm(p))
        p = base + p;
    CString full = Normalize(p);
    CString home = Normalize(base);
    if (full == home)
        return CString(".");
    CString prefix = home == "/" ? home : home + "/";
    if (full.GetLength() > prefix.GetLength() && full.Left(prefix.GetLength()) == prefix)
        full = "./" + full.Mid(prefix.GetLength());
    // Reading trims the stored form: a name ending in a blank keeps it behind a separator.
    if (std::isspace(static_cast<unsigned char>(full[full.GetLength() - 1])))
        full += '/';
    return full;
}

CString ToFullForm(LPCSTR path, LPCSTR progId)
{
    CString p(path);
    p.Trim();
    if (p.IsEmpty())
        return CString();
    CString base = BaseFolder(progId);
    if (IsAbsoluteForm(p)) {
        if (!fsys::Exists(p)) {
            LogOutput("::RelativeToFullPath() - non-existent path...", LOG_ERROR, LOG_HERE);
            LogOutput(p, LOG_ERROR, LOG_HERE);
        }
        return Normalize(p);
    }
    if (!HVIsValidRelativePath(p, base)) {
        LogOutput("::RelativeToFullPath() - invalid relative path...", LOG_ERROR, LOG_HERE);
        LogOutput(p, LOG_ERROR, LOG_HERE);
    }
    return Normalize(base + p);
}

int CopyOut(const CString& s, char* out, int size, const char* tooLong)
{
    if (!out || size <= 0)
        return 0;
    if (s.GetLength() >= size) {
        out[0] = '\0';
        LogOutput(tooLong, LOG_ERROR, LOG_HERE);
        LogOutput(s, LOG_ERROR, LOG_HERE);
        return 0;
    }
    std::memcpy(out, s.GetString(), static_cast<size_t>(s.GetLength()) + 1);
    return s.GetLength();
}

// Component lists of a path for prefix tests.
std::vector<CString> Components(const CString& path)
{
    std::vector<CString> parts;
    CString n = Normalize(path);
    int i = 0;
    if (n[0] == '/') {
        parts.push_back("/");
        i = 1;
    }
    while (i < n.GetLength()) {
        int next = n.Find('/', i);
        if (next < 0)
            next = n.GetLength();
        parts.push_back(n.Mid(i, next - i));
        i = next + 1;
    }
    return parts;
}

int FindLastSep(const CString& s)
{
    for (int i = s.GetLength() - 1; i >= 0; --i)
        if (IsSep(s[i]))
            return i;
    return -1;
}

void CollectDirs(CStringList& out, const CString& folder)
{
    out.AddTail(folder);
    for (const fsys::CDirEntry& e : fsys::ListDirectory(folder))
        if (e.isDirectory && !e.isLink)
            CollectDirs(out, e.path);
}

CString SupportUrl(const char* value, const char* defPath)
{
    CString url;
    GetRegString(url, "Support", value, "");
    url.Trim();
    if (url.IsEmpty())
        url = CString(CORRA_MAKER_WEB) + defPath;
    return url;
}

} // namespace

int FullToServerRelativePath(char* out, int size, LPCSTR path, LPCSTR progId, BOOL)
{
    if (out && size > 0)
        out[0] = '\0';
    return CopyOut(ToStoredForm(path, progId), out, size,
                   "::FullToServerRelativePath() - path does not fit the buffer...");
}

int ServerRelativeToFullPath(char* out, int size, LPCSTR path, LPCSTR progId, BOOL)
{
    if (out && size > 0)
        out[0] = '\0';
    return CopyOut(ToFullForm(path, progId), out, size,
                   "::ServerRelativeToFullPath() - path does not fit the buffer...");
}

void GetServerRelativePath(CString& out, LPCSTR path, LPCSTR progId, BOOL)
{
    out = ToStoredForm(path, progId);
    if (!out.IsEmpty() && !HVIsValidRelativePath(out, nullptr))
        LogAssertion("::HVIsValidRelativePath(szBuf, NULL)", LOG_HERE);
}

void GetServerFullPath(CString& out, LPCSTR path, LPCSTR progId, BOOL)
{
    out = ToFullForm(path, progId);
}

BOOL HVIsValidRelativePath(LPCSTR path, LPCSTR base)
{
    CString p(path);
    p.Trim();
    CString b = base ? CString(base) : GetServerDirectory();
    b.Trim();
    b = WithSep(b);
    if (!fsys::Exists(b))
        LogAssertion("::GetFileAttributes(csBasePath) != 0xFFFFFFFF", LOG_HERE);
    CString full = IsAbsoluteForm(p) ? p : b + p;
    CString drive, dir;
    SplitPath(full, &drive, &dir, nullptr, nullptr);
    CString folder = drive + dir;
    folder.Trim();
    if (folder.GetLength() > 1 && IsSep(folder[folder.GetLength() - 1]))
        folder = folder.Left(folder.GetLength() - 1);
    return !folder.IsEmpty() && fsys::IsDirectory(folder);
}

BOOL IsServerRelativePath(LPCSTR path, LPCSTR)
{
    CString p(path);
    p.Trim();
    return !IsAbsoluteForm(p);
}

DWORD HVGetFileAttributes(LPCSTR path)
{
    struct stat st;
    if (!path || ::stat(fsys::Native(path).c_str(), &st) != 0) {
        if (errno == ENETUNREACH || errno == EHOSTUNREACH || errno == EHOSTDOWN) {
            LogOutput("::HVGetFileAttributes() - Network Unreachable...", LOG_ERROR, LOG_HERE);
            LogOutput(path, LOG_ERROR, LOG_HERE);
        }
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attr = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0;
    if (::access(fsys::Native(path).c_str(), W_OK) != 0)
        attr |= FILE_ATTRIBUTE_READONLY;
    return attr ? attr : FILE_ATTRIBUTE_NORMAL;
}

BOOL HVGetLongPathName(LPCSTR path, char* out, int size)
{
    CString p(path);
    CString n = fsys::NormalizeSeparators(p);
    BOOL fits = CopyOut(n, out, size, "::HVGetLongPathName() - path does not fit the buffer...") > 0 ||
                n.IsEmpty();
    if (!fits || !fsys::Exists(n)) {
        LogOutput("::HVGetLongPathName() - failed to convert 8.3 to long...", LOG_ERROR, LOG_HERE);
        LogOutput(p, LOG_ERROR, LOG_HERE);
        return FALSE;
    }
    return TRUE;
}

BOOL IsDirectory(LPCSTR path)
{
    return path && fsys::IsDirectory(path);
}

BOOL IsPathUnderFolder(LPCSTR path, LPCSTR folder)
{
    CString f(folder);
    f.Trim();
    if (f.IsEmpty() || !path)
        return FALSE;
    CString p(path);
    p.Trim();
    std::vector<CString> pc = Components(p);
    std::vector<CString> fc = Components(f);
    if (fc.size() > pc.size())
        return FALSE;
    for (size_t i = 0; i < fc.size(); ++i)
        if (fc[i] != pc[i])
            return FALSE;
    return TRUE;
}

BOOL IsSameFolder(LPCSTR a, LPCSTR b)
{
    CString x(a), y(b);
    x.Trim();
    y.Trim();
    if (x.IsEmpty() || y.IsEmpty())
        return x.IsEmpty() && y.IsEmpty();
    return Normalize(WithSep(x)) == Normalize(WithSep(y));
}

void SplitPath(LPCSTR path, CString* drive, CString* dir, CString* name, CString* ext, CString* whole)
{
    CString p(path);
    p.Trim();
    p = fsys::NormalizeSeparators(p);
    CString d, folder, file, e;
    int i = 0;
    if (HasDrive(p)) {
        d = p.Left(2);
        i = 2;
    } else if (p.Left(2) == "//" && p[2] != '/') {
        // Server and share of a UNC path.
        int server = p.Find('/', 2);
        int share = server < 0 ? -1 : p.Find('/', server + 1);
        i = server < 0 ? p.GetLength() : (share < 0 ? p.GetLength() : share);
        d = p.Left(i);
    }
    CString rest = p.Mid(i);
    int sep = rest.ReverseFind('/');
    folder = rest.Left(sep + 1);
    file = rest.Mid(sep + 1);
    int dot = file.ReverseFind('.');
    if (dot >= 0 && file != "." && file != "..") {
        e = file.Mid(dot);
        file = file.Left(dot);
    }
    if (drive)
        *drive = d;
    if (dir)
        *dir = folder;
    if (name)
        *name = file;
    if (ext)
        *ext = e;
    if (whole)
        *whole = p.IsEmpty() ? CString() : Normalize(p);
}

void SplitPath(LPCSTR path, CENString* drive, CENString* dir, CENString* name, CENString* ext,
               CENString* whole)
{
    CString parts[5];
    SplitPath(path, &parts[0], &parts[1], &parts[2], &parts[3], &parts[4]);
    CENString* outs[5] = {drive, dir, name, ext, whole};
    for (int i = 0; i < 5; ++i)
        if (outs[i])
            *outs[i] = parts[i];
}

void JoinPath(CString* result, LPCSTR part1, LPCSTR part2)
{
    if (!result)
        LogAssertion("pcsResult != NULL", LOG_HERE);
    if (!part1)
        LogAssertion("szPart1 != NULL", LOG_HERE);
    if (!part2)
        LogAssertion("szPart2 != NULL", LOG_HERE);
    if (!result)
        return;
    CString a(part1), b(part2);
    a.Trim();
    b.Trim();
    if (a.IsEmpty() && b.IsEmpty())
        return;
    if (a.IsEmpty()) {
        *result = b;
        return;
    }
    if (!IsSep(a[a.GetLength() - 1]))
        a += '/';
    if (IsSep(b[0]))
        b = b.Mid(1);
    *result = a + b;
}

void JoinPath(CString& result, LPCSTR part1, LPCSTR part2)
{
    JoinPath(&result, part1, part2);
}

void JoinPathEN(CENString* result, LPCSTR part1, LPCSTR part2)
{
    if (!result) {
        JoinPath(static_cast<CString*>(nullptr), part1, part2);
        return;
    }
    CString joined = result->GetCString();
    JoinPath(&joined, part1, part2);
    *result = joined;
}

void GetPathDriveDir(CString& out, LPCSTR path)
{
    CString drive, dir;
    SplitPath(path, &drive, &dir, nullptr, nullptr);
    out.Empty();
    if (drive.IsEmpty())
        out = dir;
    else
        JoinPath(&out, drive, dir);
}

void GetPathFolder(CString& out, LPCSTR path)
{
    GetPathDriveDir(out, path);
}

void GetFileNameOfPath(CString& out, LPCSTR path)
{
    CString name, ext;
    SplitPath(path, nullptr, nullptr, &name, &ext);
    out = name + ext;
}

void GetFileExt(CString& out, LPCSTR path, BOOL withDot)
{
    CString p(path);
    CString file = p.Mid(FindLastSep(p) + 1);
    int dot = file.ReverseFind('.');
    if (dot < 0) {
        out = p;
        return;
    }
    out = file.Mid(dot + 1);
    if (withDot)
        out = "." + out;
}

BOOL MakeTempFileName(CString& out, LPCSTR ext)
{
    CString e(ext);
    e.Trim();
    if (e.IsEmpty())
        e = ".tmp";
    else if (e[0] != '.')
        e = "." + e;
    out = fsys::CreateUniqueTempFile("", "temp", e);
    return !out.IsEmpty();
}

int GetAllSubDirsUnderRoot(CStringList& out, LPCSTR root)
{
    CString r(root);
    r.Trim();
    if (r.IsEmpty() || !fsys::IsDirectory(r)) {
        LogOutput("::GetAllSubDirsUnderRoot() - Root path is not a directory or does not exist...", LOG_ERROR,
                  LOG_HERE);
        LogOutput(r, LOG_ERROR, LOG_HERE);
        return -1;
    }
    r = fsys::NormalizeSeparators(r);
    if (r.GetLength() > 1)
        r.TrimRight('/');
    int before = out.GetCount();
    CollectDirs(out, r);
    return out.GetCount() - before;
}

int GetAllFiles(CStringList& out, LPCSTR root, LPCSTR pattern)
{
    CString r(root);
    r.Trim();
    if (r.IsEmpty() || !fsys::IsDirectory(r)) {
        LogOutput("::GetAllFiles() - Root path is not a directory or does not exist...", LOG_ERROR, LOG_HERE);
        LogOutput(r, LOG_ERROR, LOG_HERE);
        return -1;
    }
    CStringList dirs;
    if (GetAllSubDirsUnderRoot(dirs, r) <= 0) {
        LogOutput("::GetAllFiles() - failed to get subdirs...", LOG_ERROR, LOG_HERE);
        return 0;
    }
    std::string pat = CString(pattern && *pattern ? pattern : "*").ToUtf8();
    int count = 0;
    for (POSITION pos = dirs.GetHeadPosition(); pos;) {
        const CString& dir = dirs.GetNext(pos);
        for (const fsys::CDirEntry& e : fsys::ListDirectory(dir)) {
            if (e.isDirectory || fsys::IsDirectory(e.path))
                continue;
            if (::fnmatch(pat.c_str(), e.name.ToUtf8().c_str(), FNM_CASEFOLD) == 0) {
                out.AddTail(e.path);
                ++count;
            }
        }
    }
    return count;
}

DWORD GetFileSizeByName(LPCSTR path)
{
    if (!path || !fsys::IsFile(path))
        return 0;
    long long size = fsys::GetSize(path);
    if (size < 0)
        return 0;
    return size > 0xFFFFFFFFLL ? 0xFFFFFFFFu : static_cast<DWORD>(size);
}

BOOL OpenUpdateURL()
{
    return DesktopOpener().OpenUrl(SupportUrl("UpdateURL", "/Download.php"));
}

BOOL OpenUserGuideURL()
{
    return DesktopOpener().OpenUrl(SupportUrl("UserGuideURL", "/UserGuide.php"));
}

BOOL OpenTourURL()
{
    return DesktopOpener().OpenUrl(SupportUrl("TourURL", "/tour"));
}
