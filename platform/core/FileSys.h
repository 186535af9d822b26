#pragma once
// Files and folders. Paths are Linux paths in Windows-1252 bytes (converted to UTF-8 for the
// file system); a stored path may use '\' as separator and is accepted as '/'.

#include "platform/core/String.h"

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace fsys {

// The path with every '\' turned into '/'.
CString NormalizeSeparators(const char* path);
// The path as the file system sees it (separators normalised, UTF-8).
std::string Native(const char* path);
// A name from the file system (UTF-8) as a CString.
CString FromNative(const std::string& native);

BOOL ReadFile(const char* path, std::string& out);
// Reads the whole file into out at offset before, with after zero bytes left behind it: one
// allocation of the file's size, no copies (large documents are read this way).
BOOL ReadFileInto(const char* path, std::vector<char>& out, size_t before, size_t after);
// Appends to out up to count bytes of the file from offset; *pSize gets the file's size. FALSE
// when the file cannot be read (out then holds what it held).
BOOL ReadFileRange(const char* path, long long offset, size_t count, std::vector<char>& out, long long* pSize);
// Writes in place (the file is truncated first).
BOOL WriteFile(const char* path, const void* data, size_t len);
// Writes a temporary file beside path, then renames it over path: the old file stays whole
// when anything fails. A read-only file is refused; a symbolic link is written through to the
// file it names.
BOOL WriteFileAtomic(const char* path, const void* data, size_t len);
BOOL AppendFile(const char* path, const void* data, size_t len);

BOOL Exists(const char* path);
BOOL IsFile(const char* path);
BOOL IsDirectory(const char* path);
// Read-only means this user may not write the file, or it has no write permission at all.
BOOL IsReadOnly(const char* path);
// -1 when the file cannot be read.
long long GetSize(const char* path);
// Modification time; 0 when the file cannot be read.
std::time_t GetModTime(const char* path);
BOOL SetModTime(const char* path, std::time_t t);
// A value that changes whenever the file's size or modification time (to the nanosecond)
// changes; -1 when the file cannot be read. Stores use it to notice edits made behind their back.
long long ChangeStamp(const char* path);

BOOL CopyFile(const char* from, const char* to, BOOL failIfExists);
BOOL MoveFile(const char* from, const char* to);
// A read-only file is not deleted (a link is removed, never the file it names).
BOOL DeleteFile(const char* path);
// Creates one folder; its parent must exist. TRUE also when it already exists as a folder.
BOOL CreateDirectory(const char* path);
// Creates the folder and any missing parents.
BOOL CreateDirectories(const char* path);
BOOL RemoveDirectory(const char* path);

struct CDirEntry {
    CString name;      // name only
    CString path;      // folder + '/' + name
    BOOL isDirectory = FALSE;
    BOOL isLink = FALSE;
    // Hidden by the desktop's rule: the name starts with a dot.
    BOOL isHidden = FALSE;
    // FALSE when the name does not survive the trip through Windows-1252 (or is no UTF-8): then
    // name and path are not the file's own and must not be shown or acted on.
    BOOL exactName = TRUE;
    long long size = 0;
    std::time_t modified = 0;
};

// Entries of one folder (no "." or ".."), sorted by name. A symbolic link to a folder is listed
// with isDirectory FALSE so that recursive walks never follow it.
std::vector<CDirEntry> ListDirectory(const char* folder);

// Whether a name from the file system (UTF-8) comes back unchanged from its CString form.
BOOL NameRoundTrips(const std::string& native);

// Whether anything, even a broken link, stands at path.
BOOL PathTaken(const char* path);
// Folder trees. Neither ever replaces or merges into what stands at `to` (FALSE then), and
// neither follows a link: a link is copied or moved as a link.
// CopyTree copies a file, a link or a folder with everything below it; when anything fails,
// what was copied so far is removed again.
BOOL CopyTree(const char* from, const char* to);
// MoveTree renames; across file systems it copies, and removes the original only when all of
// it was copied.
BOOL MoveTree(const char* from, const char* to);
// Removes a file, a link (never what it names) or a folder with everything below it.
BOOL DeleteTree(const char* path);

// Creates a new empty file with an unpredictable name in folder (the temporary folder when
// empty), exclusively, and returns its path; empty on failure.
CString CreateUniqueTempFile(const char* folder, const char* prefix, const char* extension);
// The system's temporary folder, without a trailing '/'.
CString TempDirectory();
// The current user's home folder.
CString HomeDirectory();

// Joins folder and name with exactly one '/'.
CString Join(const char* folder, const char* name);
// The file-name part (after the last '/' or '\').
CString FileName(const char* path);
// The folder part, without the trailing separator; empty when there is none.
CString Folder(const char* path);
// Absolute paths start with '/' (or '\' as stored).
BOOL IsAbsolute(const char* path);

} // namespace fsys
