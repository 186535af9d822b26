#pragma once
// CFileTypes: every kind of file the program keeps. The kind of a file name or extension, the
// extension, name and description of a kind, and the two folders the profile keeps for each
// kind (primary and default); and, apart from the kinds, the export and source file types with
// their extensions, dialog filters and working folders.
//
// Folders come back as full paths ending in a separator.

#include "platform/core/String.h"

// Document kinds; 0 is no kind.
constexpr int DT_CORRA = 3;
constexpr int DT_EXAM = 4;
constexpr int DT_SRC = 102;
constexpr int DT_DATA = 0x6FFF;
constexpr int DT_IMAGE = 0x7000;
constexpr int DT_HELP = 0x7001;

// Export and source file types (a separate set: 0x7001 is help above and text here).
constexpr int FT_TEXT = 0x7001;
constexpr int FT_WORD = 0x7002;
constexpr int FT_WORDPERFECT = 0x7003;
constexpr int FT_HTML = 0x7004;
constexpr int FT_RTF = 0x7005;

class CFileTypes {
public:
    CFileTypes() = delete;

    // Kinds and extensions.
    // The kind of a file name or bare extension (case and surrounding blanks ignored); 0 (logged)
    // when none. "txt" is always a source file, never a data file.
    static int Ext2Type(LPCSTR pszFileOrExt);
    // Whether the extension (or ";"-list of extensions) belongs to the kind.
    static BOOL TypeMatch(int nType, LPCSTR pszExt);
    static CString Ext2TypeName(LPCSTR pszFile);
    // "QCorras", "Exams", "Src", "Data", "Images", "Help"; "Unknown" for other codes.
    static CString Type2TypeName(int nType);
    // As the type name, but "Hlp" for help files.
    static CString Type2DirName(int nType);
    // "Question Corra File" ...; with bPlural "... Files". Empty (logged) for other codes.
    static CString Type2TypeDescr(int nType, BOOL bPlural);
    // For source and image files the format's own description ("Word File", "JPEG File").
    static CString Ext2TypeDescr(LPCSTR pszFile, BOOL bPlural);
    // The kind's extensions joined by ";" (images: the long list of seven with the flag, else
    // five). Empty (logged) for other codes.
    static CString Type2Ext(int nType, BOOL bLongImageList);

    // Folders, read from the profile section "Folders" (keys "<folder name>_Primary" and
    // "<folder name>_Default", stored relative to the program folder). A missing key is written
    // with the default, the kind's subfolder of the program folder; a missing folder is created
    // (one level). Empty (logged) for an unknown kind.
    static CString GetPriDir(int nType);
    static CString GetDefDir(int nType);
    static CString GetPriDocDir(LPCSTR pszPath);
    static CString GetDefDocDir(LPCSTR pszPath);
    static BOOL IsInPriDir(LPCSTR pszPath);
    // Makes the folder part of the path the kind's default folder (a folder path needs its
    // trailing separator). FALSE when the folder does not exist or the kind is unknown.
    static BOOL SetDefDir(int nType, LPCSTR pszPath);
    // TRUE when the document lies in the default folder of its kind. Otherwise, with bAsk, offers
    // to make its folder the default (and does so on Yes); the answer is FALSE either way.
    static BOOL CheckDefDocDir(int nType, LPCSTR pszDocPath, BOOL bAsk);
    static BOOL CheckDefDocDir(LPCSTR pszTypePath, LPCSTR pszDocPath, BOOL bAsk);
    // Copies a file into the default folder of its kind (or into the target folder), asking
    // before it replaces a file of the same name. TRUE when the file was copied; the new path
    // goes to pcsNewPath.
    static BOOL ImportFile(int nType, LPCSTR pszFromFilePath, CString* pcsNewPath = nullptr,
                           LPCSTR pszTargetFolder = nullptr);

    // Export types.
    static int GetNumExportTypes() { return 5; }
    // The code at the index, 0 outside the table.
    static int GetExportType(int nIndex);
    static BOOL IsExportType(int nCode);
    // Fills the outputs given (may be NULL); FALSE, outputs untouched, for other codes.
    static BOOL GetExportTypeInfo(int nCode, CString* pcsExt, CString* pcsName, CString* pcsFilter);
    // ".txt", ".doc", ".wpd", ".htm", ".rtf"; empty (logged) for other codes.
    static CString FileType2Ext(int nCode);
    // The working folder of an export type ("Src", "Html", or "Temp" for other codes) under the
    // program folder, created when missing; the program folder itself when it cannot be.
    static CString FileTypeDir(int nCode);
    // The export type of a file name by its extension ("html" is HTML); 0 (logged) when none.
    static int GetDocType(LPCSTR pszFileName);
};
