#pragma once
// Paths, files and the maker's support pages.
//
// Every folder and file path the program stores (profile values, exam links, image files) is
// kept relative to the program home when it lies under it ("./QCorras/a.crr") and absolute
// otherwise, and turned back into a full path when read. Whether a stored path is relative is
// decided by its form alone. Separators: '/' is written; '\' is accepted wherever a path is read.

#include "foundation/ENString.h"
#include "platform/core/Collections.h"
#include "platform/core/String.h"

// File attributes as HVGetFileAttributes reports them.
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

// The base folder of the conversions is GetServerDirectory (Log.h): the program home, or the
// folder of a ProgID's server file when one is given.

// Stored form of a path: "./..." under the base folder, else the path itself, absolute. Returns
// the length; 0 (out empty) when the path is empty or the result does not fit into size bytes
// with its terminator.
int FullToServerRelativePath(char* out, int size, LPCSTR path, LPCSTR progId = nullptr, BOOL flag = FALSE);
// Full path of a stored path: relative forms (".", "..", names) are resolved against the base
// folder without touching the current folder; absolute forms are taken as they are. Returns the
// length; 0 (out empty) when the path is empty or the result does not fit.
int ServerRelativeToFullPath(char* out, int size, LPCSTR path, LPCSTR progId = nullptr,
                             BOOL useCurrentDirectory = FALSE);
// The two conversions without a length limit; empty on failure.
void GetServerRelativePath(CString& out, LPCSTR path, LPCSTR progId = nullptr, BOOL flag = FALSE);
void GetServerFullPath(CString& out, LPCSTR path, LPCSTR progId = nullptr, BOOL flag = FALSE);

// Whether the folder that a stored path lies in exists (relative forms under base, the program
// home when NULL). The file itself need not exist.
BOOL HVIsValidRelativePath(LPCSTR path, LPCSTR base = nullptr);
// TRUE when the path has a relative form (it does not start with a separator or a drive).
BOOL IsServerRelativePath(LPCSTR path, LPCSTR base = nullptr);
// The attributes of a path; INVALID_FILE_ATTRIBUTES when it cannot be read.
DWORD HVGetFileAttributes(LPCSTR path);
// The long form of a path: here every name is long, so out is the path with its separators
// normalised. FALSE (logged) when the path does not exist or does not fit; out holds the path
// whenever it fits.
BOOL HVGetLongPathName(LPCSTR path, char* out, int size);
BOOL IsDirectory(LPCSTR path);
// Every component of folder equals the leading components of path (after "." and ".." are
// resolved). Compared with case: the file system tells names apart by case.
BOOL IsPathUnderFolder(LPCSTR path, LPCSTR folder);
// Both name the same folder.
BOOL IsSameFolder(LPCSTR a, LPCSTR b);

// Drive ("C:", or "//server/share" for a UNC path, else empty), folder with its trailing
// separator, file name and extension with its dot; whole gets the trimmed path with "." and ".."
// resolved. Any output may be NULL.
void SplitPath(LPCSTR path, CENString* drive, CENString* dir, CENString* name, CENString* ext,
               CENString* whole = nullptr);
void SplitPath(LPCSTR path, CString* drive, CString* dir, CString* name, CString* ext,
               CString* whole = nullptr);
// part1 and part2 (both trimmed) with exactly one separator between them. An empty part1 gives
// part2; both empty leaves result unchanged.
void JoinPath(CString* result, LPCSTR part1, LPCSTR part2);
void JoinPath(CString& result, LPCSTR part1, LPCSTR part2);
void JoinPathEN(CENString* result, LPCSTR part1, LPCSTR part2);
// Drive and folder of a path, ending in a separator.
void GetPathDriveDir(CString& out, LPCSTR path);
void GetPathFolder(CString& out, LPCSTR path);
// File name with its extension.
void GetFileNameOfPath(CString& out, LPCSTR path);
// The extension of the file-name part, with or without its dot; a file name without a dot gives
// the whole text (so a bare extension such as "crr" comes back as it is).
void GetFileExt(CString& out, LPCSTR path, BOOL withDot);

// A new, empty file with an unpredictable name "temp..." in the temporary folder, created
// exclusively; ext (".tmp" when NULL or empty) is its extension. FALSE when none could be made.
BOOL MakeTempFileName(CString& out, LPCSTR ext = nullptr);

// The root and every folder below it, depth first; links to folders are not followed. Returns
// the number of folders, -1 when root is not an existing folder.
int GetAllSubDirsUnderRoot(CStringList& out, LPCSTR root);
// Every file matching pattern ('*' and '?', letters without case) in root and the folders below
// it. Returns the number of files, -1 when root is not an existing folder.
int GetAllFiles(CStringList& out, LPCSTR root, LPCSTR pattern);

// Size of a file in bytes; 0 when it cannot be read.
DWORD GetFileSizeByName(LPCSTR path);

// The maker's web host, default of the support pages.
constexpr const char* CORRA_MAKER_WEB = "https://www.vantrel.example";

// Open the maker's update, user guide and tour pages (registry values Support/UpdateURL,
// UserGuideURL, TourURL, else the maker's host with "/Download.php", "/UserGuide.php", "/tour")
// through the desktop opener. TRUE when the opener took the address.
BOOL OpenUpdateURL();
BOOL OpenUserGuideURL();
BOOL OpenTourURL();
