#include "foundation/FileTypes.h"

#include "foundation/CorraAppBase.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/core/StringTable.h"
#include "res/ids/FileTypes.h"

#include <iterator>

namespace {

struct ExtRow {
    const char* pszExt;
    const char* pszFormat;
};

const ExtRow kSourceTable[] = {{"txt", "Text"}, {"doc", "Word"}, {"rtf", "RTF"}, {"wpd", "WordPerfect"}};
const ExtRow kImageTableLong[] = {{"bmp", "Bitmap"}, {"gif", "GIF"},   {"jpeg", "JPEG"}, {"jpg", "JPEG"},
                                  {"png", "PNG"},    {"tiff", "TIFF"}, {"tif", "TIFF"}};
const ExtRow kImageTableShort[] = {{"bmp", "Bitmap"}, {"gif", "GIF"}, {"jpg", "JPEG"}, {"png", "PNG"}, {"tif", "TIFF"}};

struct KindRow {
    int nType;
    const char* pszTypeName;
    const char* pszDirName;
    const char* pszDescr;
};

const KindRow kKinds[] = {
    {DT_CORRA, "QCorras", "QCorras", "Question Corra File"},
    {DT_EXAM, "Exams", "Exams", "Exam File"},
    {DT_SRC, "Src", "Src", "Source File"},
    {DT_DATA, "Data", "Data", "Data File"},
    {DT_IMAGE, "Images", "Images", "Image File"},
    {DT_HELP, "Help", "Hlp", "Help File"},
};

struct ExportRow {
    int nCode;
    const char* pszName;
    const char* pszExt;
    const char* pszDir;
    const char* pszFilter;
};

const ExportRow kExports[] = {
    {FT_TEXT, "Text File", ".txt", "Src", "Text Files (*.txt)|*.txt||"},
    {FT_WORD, "Word File", ".doc", "Src", "Word Files (*.doc)|*.doc||"},
    {FT_WORDPERFECT, "WordPerfect File", ".wpd", "Src", "WordPerfect Files (*.wpd)|*.wpd||"},
    {FT_HTML, "Html File", ".htm", "Html", "Html Files (*.html;*.htm)|*.html;*.htm||"},
    {FT_RTF, "RTF File", ".rtf", "Src", "RTF Files (*.rtf)|*.rtf||"},
};

const char kFolders[] = "Folders";

void Log(const CString& csText, int nLevel = 1)
{
    LogOutput(csText, nLevel, LOG_HERE);
}

// A failure line followed by a line naming what it failed on.
void Log2(const CString& csText, const CString& csWhat)
{
    Log(csText);
    Log(csWhat);
}

const KindRow* FindKind(int nType)
{
    for (const KindRow& row : kKinds)
        if (row.nType == nType)
            return &row;
    return nullptr;
}

const ExportRow* FindExport(int nCode)
{
    for (const ExportRow& row : kExports)
        if (row.nCode == nCode)
            return &row;
    return nullptr;
}

CString Lowered(CString cs)
{
    cs.Trim();
    cs.MakeLower();
    return cs;
}

// The index of the first table row equal to an element of a ";"-separated list; -1 when none.
template <size_t N>
int MatchExtList(const CString& csExtList, const ExtRow (&table)[N])
{
    if (csExtList.IsEmpty()) {
        LogAssertion("!csExtList.IsEmpty()", LOG_HERE);
        return -1;
    }
    int nStart = 0;
    while (nStart <= csExtList.GetLength()) {
        int nEnd = csExtList.Find(';', nStart);
        if (nEnd < 0)
            nEnd = csExtList.GetLength();
        CString csElement = Lowered(csExtList.Mid(nStart, nEnd - nStart));
        for (size_t i = 0; i < N; ++i)
            if (csElement == table[i].pszExt)
                return static_cast<int>(i);
        nStart = nEnd + 1;
    }
    return -1;
}

template <size_t N>
CString JoinExts(const ExtRow (&table)[N])
{
    CString cs;
    for (size_t i = 0; i < N; ++i) {
        if (i)
            cs += ';';
        cs += table[i].pszExt;
    }
    return cs;
}

// The extension of the file-name part, lower-cased; the whole text when it has no dot.
CString ExtOf(LPCSTR pszFile)
{
    CString cs = pszFile ? pszFile : "";
    cs.Trim();
    CString csExt;
    GetFileExt(csExt, cs, FALSE);
    csExt.MakeLower();
    return csExt;
}

CString WithSeparator(CString cs)
{
    if (!cs.IsEmpty() && cs[cs.GetLength() - 1] != '/')
        cs += '/';
    return cs;
}

// The drive and folders of a path. So a folder path must end in a separator, and a file path
// gives its folder.
CString FolderPart(LPCSTR pszPath)
{
    CString csFolder;
    GetPathDriveDir(csFolder, pszPath ? pszPath : "");
    return csFolder;
}

CString ReadDir(int nType, const char* pszSuffix)
{
    const KindRow* pKind = FindKind(nType);
    if (!pKind) {
        Log2("CFileTypes::_GetDir() - Type2TypeName failed for type...", CString::Formatted("%d", nType));
        return CString();
    }
    CString csDefault = WithSeparator(fsys::Join(GetServerDirectory(), pKind->pszDirName));
    CString csKey = CString(pKind->pszDirName) + pszSuffix;

    CString csDir;
    CorraApp().GetProfilePath(csDir, kFolders, csKey, csDefault, TRUE, TRUE);
    csDir.Trim();
    if (csDir.IsEmpty()) {
        Log2("CFileTypes::_GetDir() - GetProfilePath returned empty string for csEntry...",
             CString("[") + kFolders + "] " + csKey);
        return csDir;
    }
    csDir = WithSeparator(csDir);
    if (!fsys::IsDirectory(csDir)) {
        Log2("CFileTypes::_GetDir() - GetProfilePath returned non-existent dir...creating...", csDir);
        if (!fsys::CreateDirectory(csDir))
            Log2("CFileTypes::_GetDir() - failed to create directory...", csDir);
    }
    return csDir;
}

CString KindDir(int nType, bool bPrimary)
{
    CString cs = ReadDir(nType, bPrimary ? "_Primary" : "_Default");
    if (cs.IsEmpty())
        Log2("CFileTypes::GetPriDir() - GetProfilePath failed for nType...", CString::Formatted("%d", nType));
    return cs;
}

CString DocDir(LPCSTR pszPath, bool bPrimary)
{
    int nType = CFileTypes::Ext2Type(pszPath);
    if (nType == 0) {
        Log2("CFileTypes::GetDefDocDir() - failed to determine type...", pszPath ? pszPath : "");
        return CString();
    }
    CString cs = KindDir(nType, bPrimary);
    if (cs.IsEmpty())
        Log2(bPrimary ? "CFileTypes::GetDefDocDir() - GetPriDir failed for Type..."
                      : "CFileTypes::GetDefDocDir() - GetDefDir failed for Type...",
             CFileTypes::Type2TypeName(nType));
    return cs;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Kinds and extensions

int CFileTypes::Ext2Type(LPCSTR pszFileOrExt)
{
    CString csExt = ExtOf(pszFileOrExt);
    if (csExt == "crr")
        return DT_CORRA;
    if (csExt == "exm")
        return DT_EXAM;
    if (csExt == "hlp")
        return DT_HELP;
    if (!csExt.IsEmpty()) {
        if (MatchExtList(csExt, kSourceTable) >= 0)
            return DT_SRC;
        if (MatchExtList(csExt, kImageTableLong) >= 0)
            return DT_IMAGE;
    }
    Log2("CFileTypes::Ext2Type() - failed to determine type...", pszFileOrExt ? pszFileOrExt : "");
    return 0;
}

BOOL CFileTypes::TypeMatch(int nType, LPCSTR pszExt)
{
    if (Lowered(pszExt ? pszExt : "").IsEmpty()) {
        LogAssertion("!csExtList.IsEmpty()", LOG_HERE);
        return FALSE;
    }
    // The same comparisons as Ext2Type, so "txt" matches the source kind only.
    return nType != 0 && Ext2Type(pszExt) == nType;
}

CString CFileTypes::Ext2TypeName(LPCSTR pszFile)
{
    int nType = Ext2Type(pszFile);
    if (nType == 0) {
        Log2("CFileTypes::Ext2TypeName() - failed to determine type...", pszFile ? pszFile : "");
        return CString();
    }
    CString csName = Type2TypeName(nType);
    if (csName.IsEmpty())
        Log2("CFileTypes::Ext2TypeName() - failed Type2TypeName for ext...", pszFile ? pszFile : "");
    return csName;
}

CString CFileTypes::Type2TypeName(int nType)
{
    const KindRow* pKind = FindKind(nType);
    return pKind ? pKind->pszTypeName : "Unknown";
}

CString CFileTypes::Type2DirName(int nType)
{
    const KindRow* pKind = FindKind(nType);
    return pKind ? pKind->pszDirName : "Unknown";
}

CString CFileTypes::Type2TypeDescr(int nType, BOOL bPlural)
{
    const KindRow* pKind = FindKind(nType);
    if (!pKind) {
        Log2("CFileTypes::Type2TypeDescr() - unknown type...", CString::Formatted("%d", nType));
        return CString();
    }
    CString cs = pKind->pszDescr;
    if (bPlural) {
        cs.TrimRight();
        if (cs.Right(1) != "s")
            cs += 's';
    }
    return cs;
}

CString CFileTypes::Ext2TypeDescr(LPCSTR pszFile, BOOL bPlural)
{
    int nType = Ext2Type(pszFile);
    if (nType != DT_SRC && nType != DT_IMAGE)
        return Type2TypeDescr(nType, bPlural);
    CString csExt = ExtOf(pszFile);
    int nRow = nType == DT_SRC ? MatchExtList(csExt, kSourceTable) : MatchExtList(csExt, kImageTableLong);
    if (nRow < 0)
        return "Unknown";
    CString cs = nType == DT_SRC ? kSourceTable[nRow].pszFormat : kImageTableLong[nRow].pszFormat;
    cs += bPlural ? " Files" : " File";
    return cs;
}

CString CFileTypes::Type2Ext(int nType, BOOL bLongImageList)
{
    switch (nType) {
    case DT_CORRA:
        return "crr";
    case DT_EXAM:
        return "exm";
    case DT_DATA:
        return "txt";
    case DT_HELP:
        return "hlp";
    case DT_SRC:
        return JoinExts(kSourceTable);
    case DT_IMAGE:
        return bLongImageList ? JoinExts(kImageTableLong) : JoinExts(kImageTableShort);
    default:
        Log2("CFileTypes::Type2Ext() - unknown doc type", CString::Formatted("%d", nType));
        return CString();
    }
}

// ---------------------------------------------------------------------------------------------
// Folders

CString CFileTypes::GetPriDir(int nType)
{
    return KindDir(nType, true);
}

CString CFileTypes::GetDefDir(int nType)
{
    return KindDir(nType, false);
}

CString CFileTypes::GetPriDocDir(LPCSTR pszPath)
{
    return DocDir(pszPath, true);
}

CString CFileTypes::GetDefDocDir(LPCSTR pszPath)
{
    return DocDir(pszPath, false);
}

BOOL CFileTypes::IsInPriDir(LPCSTR pszPath)
{
    CString csFolder = GetPriDocDir(pszPath);
    return !csFolder.IsEmpty() && IsPathUnderFolder(pszPath, csFolder);
}

BOOL CFileTypes::SetDefDir(int nType, LPCSTR pszPath)
{
    CString csFolder = FolderPart(pszPath);
    if (csFolder.IsEmpty() || !fsys::IsDirectory(csFolder)) {
        Log2("CFileTypes::SetDefDir() - non-existent dir...", pszPath ? pszPath : "");
        return FALSE;
    }
    const KindRow* pKind = FindKind(nType);
    if (!pKind) {
        Log2("CFileTypes::SetDefDir(nType) - Type2TypeName failed for type/path...",
             CString::Formatted("%d ", nType) + csFolder);
        return FALSE;
    }
    // Written under the key it is read from (for help files "Hlp_Default").
    CString csKey = CString(pKind->pszDirName) + "_Default";
    if (!CorraApp().WriteProfilePath(kFolders, csKey, csFolder)) {
        Log2("CFileTypes::SetDefDir(nType) - WriteProfilePath failed for key/path...", csKey + " " + csFolder);
        Log2("CFileTypes::SetDefDir(nType) - _SetDir failed for type/path...", pKind->pszTypeName);
        return FALSE;
    }
    return TRUE;
}

BOOL CFileTypes::CheckDefDocDir(int nType, LPCSTR pszDocPath, BOOL bAsk)
{
    CString csDefDir = GetDefDir(nType);
    if (csDefDir.IsEmpty() || !fsys::IsDirectory(csDefDir)) {
        Log2("CFileTypes::CheckDefDocDir() - GetDefDir() returned bad path...", csDefDir);
        return FALSE;
    }
    if (!pszDocPath || !fsys::Exists(pszDocPath)) {
        Log2("CFileTypes::CheckDefDocDir() - specified dir does not exist...", pszDocPath ? pszDocPath : "");
        return FALSE;
    }
    CString csDocDir = FolderPart(pszDocPath);
    if (csDocDir.IsEmpty() || !fsys::IsDirectory(csDocDir)) {
        Log2("CFileTypes::CheckDefDocDir() - composed dir does not exist...", csDocDir);
        return FALSE;
    }
    if (IsSameFolder(csDefDir, csDocDir))
        return TRUE;
    if (bAsk) {
        CString csAsk;
        csAsk.Format(LoadStringId(IDS_CHANGE_DEFAULT_DIR), Type2TypeName(nType).GetString(), csDefDir.GetString(),
                     csDocDir.GetString());
        if (AfxMessageBox(csAsk, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
            SetDefDir(nType, csDocDir);
    }
    return FALSE;
}

BOOL CFileTypes::CheckDefDocDir(LPCSTR pszTypePath, LPCSTR pszDocPath, BOOL bAsk)
{
    int nType = Ext2Type(pszTypePath);
    if (nType == 0) {
        Log2("CFileTypes::CheckDefDocDir() - failed to determine type...", pszTypePath ? pszTypePath : "");
        return FALSE;
    }
    BOOL bResult = CheckDefDocDir(nType, pszDocPath, bAsk);
    if (!bResult)
        Log2("CFileTypes::CheckDefDocDir() - GetDefDir failed for Type...", Type2TypeName(nType));
    return bResult;
}

BOOL CFileTypes::ImportFile(int nType, LPCSTR pszFromFilePath, CString* pcsNewPath, LPCSTR pszTargetFolder)
{
    CString csFrom = pszFromFilePath ? pszFromFilePath : "";
    if (!fsys::IsFile(csFrom)) {
        LogAssertion("::GetFileAttributes(csFromFilePath) != 0xFFFFFFFF", LOG_HERE);
        return FALSE;
    }
    CString csName = fsys::FileName(csFrom);
    CString csExt = ExtOf(csFrom);
    if (!TypeMatch(nType, csExt))
        LogAssertion("CFileTypes::TypeMatch(nType,csExt)", LOG_HERE);

    CString csDefDir = GetDefDir(nType);
    if (csDefDir.IsEmpty()) {
        Log2("CFileTypes::ImportFile() - GetDefDir failed for nType...", Type2TypeName(nType));
        return FALSE;
    }
    CString csFolder = csDefDir;
    if (pszTargetFolder && *pszTargetFolder) {
        csFolder = fsys::NormalizeSeparators(pszTargetFolder);
        if (!fsys::IsDirectory(csFolder)) {
            Log2("*** dest dir does not exist...", csFolder);
            AfxMessageBox("Import failed.", MB_OK);
            return FALSE;
        }
    }
    csFolder.TrimRight();
    CString csTarget = WithSeparator(csFolder) + csName;

    if (fsys::Exists(csTarget)) {
        CString csAsk = "The file\n\n" + csName + "\n\nalready exists in the default directory.\n\n" + "Replace?";
        if (AfxMessageBox(csAsk, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return FALSE;
    }
    if (!fsys::CopyFile(csFrom, csTarget, FALSE)) {
        Log2("CFileTypes::ImportFile() - failed top CopyFile...", csFrom + " " + csTarget);
        AfxMessageBox("Failed to import file\n\n" + csFrom + "\n\nto\n\n" + csTarget, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (pcsNewPath)
        *pcsNewPath = csTarget;
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Export types

int CFileTypes::GetExportType(int nIndex)
{
    return nIndex >= 0 && nIndex < static_cast<int>(std::size(kExports)) ? kExports[nIndex].nCode : 0;
}

BOOL CFileTypes::IsExportType(int nCode)
{
    return FindExport(nCode) != nullptr;
}

BOOL CFileTypes::GetExportTypeInfo(int nCode, CString* pcsExt, CString* pcsName, CString* pcsFilter)
{
    const ExportRow* pRow = FindExport(nCode);
    if (!pRow)
        return FALSE;
    if (pcsExt)
        *pcsExt = pRow->pszExt;
    if (pcsName)
        *pcsName = pRow->pszName;
    if (pcsFilter)
        *pcsFilter = pRow->pszFilter;
    return TRUE;
}

CString CFileTypes::FileType2Ext(int nCode)
{
    const ExportRow* pRow = FindExport(nCode);
    if (!pRow) {
        Log(CString::Formatted("CFileTypes::FileType2Ext() - unknown type %d", nCode));
        return CString();
    }
    return pRow->pszExt;
}

CString CFileTypes::FileTypeDir(int nCode)
{
    const ExportRow* pRow = FindExport(nCode);
    CString csHome = GetServerDirectory();
    CString csDir = WithSeparator(fsys::Join(csHome, pRow ? pRow->pszDir : "Temp"));
    if (!fsys::IsDirectory(csDir) && !fsys::CreateDirectory(csDir)) {
        Log2("CFileTypes::FileTypeDir() - failed to create directory for...", csDir);
        return csHome;
    }
    return csDir;
}

int CFileTypes::GetDocType(LPCSTR pszFileName)
{
    static const struct {
        const char* pszExt;
        int nCode;
    } kDocTypes[] = {{"txt", FT_TEXT}, {"doc", FT_WORD}, {"wpd", FT_WORDPERFECT}, {"htm", FT_HTML}, {"rtf", FT_RTF}};
    CString csExt = ExtOf(pszFileName);
    for (const auto& row : kDocTypes)
        if (csExt.Find(row.pszExt) >= 0)
            return row.nCode;
    Log2("CCorraApp::GetDocType() - unknown DT_SRC extension...", pszFileName ? pszFileName : "");
    return 0;
}
