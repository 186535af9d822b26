#include "platform/core/FileSys.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <random>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace fsys {

namespace {

bool WriteAll(int fd, const void* data, size_t len)
{
    const char* p = static_cast<const char*>(data);
    while (len > 0) {
        ssize_t n = ::write(fd, p, len);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        len -= static_cast<size_t>(n);
    }
    return true;
}

std::string RandomName(size_t length)
{
    static const char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 engine{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof(kChars) - 2);
    std::string s;
    for (size_t i = 0; i < length; ++i)
        s += kChars[pick(engine)];
    return s;
}

// The file a chain of symbolic links ends at (the path itself when it is no link), so that a
// rename replaces that file and leaves the links in place.
std::string ResolveLinks(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        char buf[PATH_MAX + 1];
        ssize_t n = ::readlink(path.c_str(), buf, PATH_MAX);
        if (n <= 0)
            break;
        std::string next(buf, static_cast<size_t>(n));
        if (next[0] != '/') {
            size_t slash = path.rfind('/');
            next = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + next;
        }
        path = next;
    }
    return path;
}

// An existing file this user may not write, or one without any write permission (which even
// the superuser respects, as a read-only mark is respected by every user).
bool NotWritable(const std::string& native)
{
    struct stat st {};
    if (::stat(native.c_str(), &st) != 0)
        return false;
    return (st.st_mode & 0222) == 0 || ::access(native.c_str(), W_OK) != 0;
}

} // namespace

CString NormalizeSeparators(const char* path)
{
    CString s(path);
    s.Replace('\\', '/');
    return s;
}

std::string Native(const char* path)
{
    return NormalizeSeparators(path).ToUtf8();
}

CString FromNative(const std::string& native)
{
    return CString::FromUtf8(native);
}

// A file (not a folder) opened for reading, with its status; -1 on failure.
static int OpenForReading(const char* path, struct stat& st)
{
    int fd = ::open(Native(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

BOOL ReadFileRange(const char* path, long long offset, size_t count, std::vector<char>& out, long long* pSize)
{
    struct stat st {};
    int fd = OpenForReading(path, st);
    if (fd < 0)
        return FALSE;
    if (pSize)
        *pSize = static_cast<long long>(st.st_size);
    const size_t kept = out.size();
    out.resize(kept + count);
    size_t got = 0;
    while (got < count) {
        ssize_t n = ::pread(fd, out.data() + kept + got, count - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            out.resize(kept);
            return FALSE;
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    out.resize(kept + got);
    return TRUE;
}

BOOL ReadFileInto(const char* path, std::vector<char>& out, size_t before, size_t after)
{
    out.clear();
    struct stat st {};
    int fd = OpenForReading(path, st);
    if (fd < 0)
        return FALSE;
    size_t size = static_cast<size_t>(st.st_size);
    out.resize(before + size + after);
    size_t got = 0;
    // The size may change under us: read until the end, growing when the file grew.
    for (;;) {
        size_t room = out.size() - after - before - got;
        char probe[4096];
        char* dest = room > 0 ? out.data() + before + got : probe;
        ssize_t n = ::read(fd, dest, room > 0 ? room : sizeof(probe));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            out.clear();
            return FALSE;
        }
        if (n == 0)
            break;
        if (room == 0) {
            out.resize(out.size() + std::max<size_t>(static_cast<size_t>(n), out.size() / 2));
            std::memcpy(out.data() + before + got, probe, static_cast<size_t>(n));
        }
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    out.resize(before + got + after);
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(before + got), out.end(), '\0');
    return TRUE;
}

BOOL ReadFile(const char* path, std::string& out)
{
    out.clear();
    struct stat st {};
    int fd = OpenForReading(path, st);
    if (fd < 0)
        return FALSE;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof(buf));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return FALSE;
        }
        if (n == 0)
            break;
        out.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return TRUE;
}

BOOL WriteFile(const char* path, const void* data, size_t len)
{
    int fd = ::open(Native(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return FALSE;
    bool ok = WriteAll(fd, data, len);
    ok = (::close(fd) == 0) && ok;
    return ok;
}

BOOL AppendFile(const char* path, const void* data, size_t len)
{
    int fd = ::open(Native(path).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return FALSE;
    bool ok = WriteAll(fd, data, len);
    ok = (::close(fd) == 0) && ok;
    return ok;
}

BOOL WriteFileAtomic(const char* path, const void* data, size_t len)
{
    std::string target = ResolveLinks(Native(path));
    // A read-only file stays as it is, as an in-place write would leave it.
    if (NotWritable(target)) {
        errno = EACCES;
        return FALSE;
    }
    std::string temp = target + ".tmp" + RandomName(8);
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return FALSE;
    // Keep the permissions of the file being replaced.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        ::fchmod(fd, st.st_mode & 07777);
    bool ok = WriteAll(fd, data, len) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

BOOL Exists(const char* path)
{
    struct stat st {};
    return ::stat(Native(path).c_str(), &st) == 0;
}

BOOL IsFile(const char* path)
{
    struct stat st {};
    return ::stat(Native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

BOOL IsDirectory(const char* path)
{
    struct stat st {};
    return ::stat(Native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

BOOL IsReadOnly(const char* path)
{
    return NotWritable(Native(path));
}

long long GetSize(const char* path)
{
    struct stat st {};
    if (::stat(Native(path).c_str(), &st) != 0)
        return -1;
    return static_cast<long long>(st.st_size);
}

std::time_t GetModTime(const char* path)
{
    struct stat st {};
    if (::stat(Native(path).c_str(), &st) != 0)
        return 0;
    return st.st_mtime;
}

long long ChangeStamp(const char* path)
{
    struct stat st {};
    if (::stat(Native(path).c_str(), &st) != 0)
        return -1;
    return static_cast<long long>(st.st_size) * 1000003LL + st.st_mtim.tv_sec * 1000000000LL +
           st.st_mtim.tv_nsec;
}

BOOL SetModTime(const char* path, std::time_t t)
{
    struct timeval tv[2] = {{t, 0}, {t, 0}};
    return ::utimes(Native(path).c_str(), tv) == 0;
}

BOOL CopyFile(const char* from, const char* to, BOOL failIfExists)
{
    if (failIfExists && Exists(to))
        return FALSE;
    std::string data;
    if (!ReadFile(from, data))
        return FALSE;
    if (!WriteFileAtomic(to, data.data(), data.size()))
        return FALSE;
    SetModTime(to, GetModTime(from));
    return TRUE;
}

BOOL MoveFile(const char* from, const char* to)
{
    if (Exists(to))
        return FALSE;
    if (::rename(Native(from).c_str(), Native(to).c_str()) == 0)
        return TRUE;
    // Across file systems: copy, then remove the original.
    if (errno == EXDEV && IsFile(from) && CopyFile(from, to, TRUE))
        return DeleteFile(from);
    return FALSE;
}

BOOL DeleteFile(const char* path)
{
    std::string n = Native(path);
    // A read-only file is kept, as the folder's permission alone would let it go.
    struct stat lst {};
    if (::lstat(n.c_str(), &lst) == 0 && S_ISREG(lst.st_mode) && NotWritable(n)) {
        errno = EACCES;
        return FALSE;
    }
    return ::unlink(n.c_str()) == 0;
}

BOOL CreateDirectory(const char* path)
{
    std::string n = Native(path);
    if (::mkdir(n.c_str(), 0755) == 0)
        return TRUE;
    return errno == EEXIST && IsDirectory(path);
}

BOOL CreateDirectories(const char* path)
{
    std::string n = Native(path);
    if (n.empty())
        return FALSE;
    for (size_t i = 1; i <= n.size(); ++i) {
        if (i == n.size() || n[i] == '/') {
            std::string part = n.substr(0, i);
            if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST)
                return FALSE;
        }
    }
    return IsDirectory(path);
}

BOOL RemoveDirectory(const char* path)
{
    return ::rmdir(Native(path).c_str()) == 0;
}

std::vector<CDirEntry> ListDirectory(const char* folder)
{
    std::vector<CDirEntry> out;
    std::string base = Native(folder);
    DIR* d = ::opendir(base.c_str());
    if (!d)
        return out;
    while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        std::string full = base;
        if (full.empty() || full.back() != '/')
            full += '/';
        full += name;
        struct stat lst {};
        if (::lstat(full.c_str(), &lst) != 0)
            continue;
        CDirEntry entry;
        entry.name = FromNative(name);
        entry.path = FromNative(full);
        entry.isHidden = name[0] == '.';
        entry.exactName = NameRoundTrips(name);
        entry.isLink = S_ISLNK(lst.st_mode);
        struct stat st = lst;
        if (entry.isLink && ::stat(full.c_str(), &st) != 0)
            st = lst;
        entry.isDirectory = !entry.isLink && S_ISDIR(lst.st_mode);
        entry.size = S_ISREG(st.st_mode) ? static_cast<long long>(st.st_size) : 0;
        entry.modified = st.st_mtime;
        out.push_back(std::move(entry));
    }
    ::closedir(d);
    std::sort(out.begin(), out.end(),
              [](const CDirEntry& a, const CDirEntry& b) { return a.name.str() < b.name.str(); });
    return out;
}

BOOL NameRoundTrips(const std::string& native)
{
    return FromNative(native).ToUtf8() == native;
}

BOOL PathTaken(const char* path)
{
    struct stat lst {};
    return ::lstat(Native(path).c_str(), &lst) == 0;
}

namespace {

// A rename that never replaces what stands at the target.
int RenameNoReplace(const std::string& from, const std::string& to)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
#endif
    struct stat lst {};
    if (::lstat(to.c_str(), &lst) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.c_str(), to.c_str());
}

// The names in a folder, without "." and "..", read whole before anything changes the folder.
bool ChildNames(const std::string& folder, std::vector<std::string>& names)
{
    DIR* d = ::opendir(folder.c_str());
    if (!d)
        return false;
    while (dirent* e = ::readdir(d)) {
        std::string name = e->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(d);
    return true;
}

bool RemoveNative(const std::string& path)
{
    struct stat lst {};
    if (::lstat(path.c_str(), &lst) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(lst.st_mode))
        return ::unlink(path.c_str()) == 0;
    std::vector<std::string> names;
    bool ok = ChildNames(path, names);
    for (const std::string& name : names)
        ok = RemoveNative(path + "/" + name) && ok;
    return ::rmdir(path.c_str()) == 0 && ok;
}

bool CopyNative(const std::string& from, const std::string& to)
{
    struct stat lst {};
    if (::lstat(from.c_str(), &lst) != 0)
        return false;
    struct stat there {};
    if (::lstat(to.c_str(), &there) == 0) {
        errno = EEXIST;
        return false;
    }
    if (S_ISLNK(lst.st_mode)) {
        std::string target(static_cast<size_t>(PATH_MAX) + 1, '\0');
        ssize_t n = ::readlink(from.c_str(), target.data(), PATH_MAX);
        if (n < 0)
            return false;
        target.resize(static_cast<size_t>(n));
        return ::symlink(target.c_str(), to.c_str()) == 0;
    }
    if (S_ISDIR(lst.st_mode)) {
        if (::mkdir(to.c_str(), (lst.st_mode & 07777) | 0700) != 0)
            return false;
        std::vector<std::string> names;
        if (!ChildNames(from, names))
            return false;
        for (const std::string& name : names) {
            if (!CopyNative(from + "/" + name, to + "/" + name))
                return false;
        }
        return true;
    }
    if (!S_ISREG(lst.st_mode)) {
        errno = EINVAL;  // devices, pipes and sockets are not copied
        return false;
    }
    int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, lst.st_mode & 0777);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(in, buf, sizeof(buf));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (!WriteAll(out, buf, static_cast<size_t>(n))) {
            ok = false;
            break;
        }
    }
    ::close(in);
    ok = ::close(out) == 0 && ok;
    if (ok) {
        struct timespec times[2] = {lst.st_atim, lst.st_mtim};
        ::utimensat(AT_FDCWD, to.c_str(), times, 0);
    }
    return ok;
}

} // namespace

BOOL CopyTree(const char* from, const char* to)
{
    std::string f = Native(from);
    std::string t = Native(to);
    if (PathTaken(to))
        return FALSE;
    // A folder copied into itself would never end.
    if (t.size() > f.size() && t.compare(0, f.size(), f) == 0 && t[f.size()] == '/')
        return FALSE;
    if (CopyNative(f, t))
        return TRUE;
    int err = errno;
    RemoveNative(t);
    errno = err;
    return FALSE;
}

BOOL MoveTree(const char* from, const char* to)
{
    std::string f = Native(from);
    std::string t = Native(to);
    if (RenameNoReplace(f, t) == 0)
        return TRUE;
    if (errno != EXDEV)
        return FALSE;
    // Across file systems the original goes only once the whole copy stands.
    if (!CopyTree(from, to))
        return FALSE;
    return RemoveNative(f) ? TRUE : FALSE;
}

BOOL DeleteTree(const char* path)
{
    std::string n = Native(path);
    struct stat lst {};
    if (n.empty() || ::lstat(n.c_str(), &lst) != 0)
        return FALSE;
    return RemoveNative(n) ? TRUE : FALSE;
}

CString TempDirectory()
{
    const char* t = std::getenv("TMPDIR");
    CString dir = (t && *t) ? CString::FromUtf8(t) : CString("/tmp");
    dir.TrimRight('/');
    return dir.IsEmpty() ? CString("/") : dir;
}

CString HomeDirectory()
{
    const char* h = std::getenv("HOME");
    if (h && *h)
        return CString::FromUtf8(h);
    if (passwd* pw = ::getpwuid(::getuid()))
        return CString::FromUtf8(pw->pw_dir);
    return CString("/");
}

CString CreateUniqueTempFile(const char* folder, const char* prefix, const char* extension)
{
    CString dir = (folder && *folder) ? NormalizeSeparators(folder) : TempDirectory();
    for (int attempt = 0; attempt < 100; ++attempt) {
        CString name = CString(prefix ? prefix : "") + CString(RandomName(12));
        if (extension && *extension)
            name += (extension[0] == '.' ? CString(extension) : CString(".") + extension);
        CString path = Join(dir, name);
        int fd = ::open(Native(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST)
            break;
    }
    return CString();
}

CString Join(const char* folder, const char* name)
{
    CString f(folder);
    CString n(name);
    if (f.IsEmpty())
        return n;
    if (n.IsEmpty())
        return f;
    f.TrimRight("/\\");
    n.TrimLeft("/\\");
    return f + "/" + n;
}

CString FileName(const char* path)
{
    CString p(path);
    int slash = std::max(p.ReverseFind('/'), p.ReverseFind('\\'));
    return p.Mid(slash + 1);
}

CString Folder(const char* path)
{
    CString p(path);
    int slash = std::max(p.ReverseFind('/'), p.ReverseFind('\\'));
    if (slash < 0)
        return CString();
    if (slash == 0)
        return CString("/");
    return p.Left(slash);
}

BOOL IsAbsolute(const char* path)
{
    return path && (path[0] == '/' || path[0] == '\\');
}

} // namespace fsys
