#include "dialogs/MasterLists.h"

#include "foundation/CorraAppBase.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "res/ids/QuestionDlg.h"

namespace {

void Log(const CString& text)
{
    LogOutput(text, 2, LOG_HERE);
}

} // namespace

const CMasterListKind& SubjectList()
{
    // A subject list is written into a file as "{a}, {b}": braces and commas cannot be kept.
    static const CMasterListKind kind{"SubjectFile", "Subjects.txt",     "Subjects", "CSubjectsDlg",
                                      "CSubjectsDlg", "subject",          "{},",      "Edit Subject List"};
    return kind;
}

const CMasterListKind& TextbookList()
{
    // Chapters are written as "{book@chapter};...": braces and semicolons cannot be kept.
    static const CMasterListKind kind{"TextbookFile", "Textbooks.txt",   "Textbooks", "CTextbooksDlg",
                                      "CCorraApp",    "textbook",        "{};",       "Edit Textbook List"};
    return kind;
}

CString GetMasterFileName(const CMasterListKind& kind)
{
    return CorraApp().GetProfileString("Settings", kind.profileKey, kind.defaultName, TRUE);
}

void SetMasterFileName(const CMasterListKind& kind, LPCSTR name)
{
    const CString folder = CFileTypes::GetDefDir(DT_DATA);
    const CString fn = kind.title == CString("Subjects") ? "SetSubjFileName" : "SetTextbookFileName";
    if (!fsys::IsDirectory(folder))
        Log(CString(kind.owner) + "::" + fn + "() - data directory does not exist..." + folder);
    else if (!fsys::IsFile(MasterFilePathOf(name)))
        Log(CString(kind.owner) + "::" + fn + "() - file does not exist..." + MasterFilePathOf(name));
    CorraApp().WriteProfileString("Settings", kind.profileKey, name);
}

CString GetMasterFilePath(const CMasterListKind& kind)
{
    const CString fn = kind.title == CString("Subjects") ? "GetSubjFilePath" : "GetTextbookFilePath";
    const CString who = CString(kind.owner) + "::" + fn + "() - ";
    const CString folder = CFileTypes::GetDefDir(DT_DATA);
    if (!fsys::IsDirectory(folder)) {
        Log(CString(kind.pathOwner) + "::" + fn + "() - data directory does not exist..." + folder);
        return "";
    }
    const CString name = GetMasterFileName(kind);
    const CString path = MasterFilePathOf(name);
    if (fsys::IsFile(path)) {
        CorraApp().WriteProfileString("Settings", kind.profileKey, name);
        return path;
    }
    const CString title = kind.title;
    Log(who + (title == "Subjects" ? "Subject" : "Textbook") + " file does not exist...prompting user..." + path);
    CString question;
    question.Format(LoadStringId(IDS_MASTER_FILE_MISSING), static_cast<LPCSTR>(title), static_cast<LPCSTR>(path));
    if (MessageBoxService().Show(question, CORRA_PRODUCT_NAME, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
        Log(who + "...user declined creation of new " + kind.word + " file");
        return "";
    }
    if (!fsys::WriteFile(path, "", 0)) {
        Log(who + "Failed to create new " + kind.word + " file..." + path);
        return "";
    }
    Log(who + "User created new empty " + kind.word + " file");
    CorraApp().WriteProfileString("Settings", kind.profileKey, name);
    return path;
}

CString MasterFilePathOf(LPCSTR name)
{
    CString stored = name ? name : "";
    stored.Trim();
    if (fsys::IsAbsolute(stored) && fsys::IsFile(stored))
        return fsys::NormalizeSeparators(stored);
    // A leading separator on a name that names nothing there still means the data folder.
    stored.TrimLeft("\\/");
    return fsys::Join(CFileTypes::GetDefDir(DT_DATA), stored);
}

CString MasterFileNameOf(LPCSTR path)
{
    const CString full = fsys::NormalizeSeparators(path ? path : "");
    const CString folder = CFileTypes::GetDefDir(DT_DATA);
    if (!folder.IsEmpty() && IsPathUnderFolder(full, folder)) {
        CString rest = full.Mid(folder.GetLength());
        rest.TrimLeft("/");
        if (!rest.IsEmpty() && fsys::Join(folder, rest) == full)
            return rest;
    }
    return full;
}

BOOL InitMasterList(const CMasterListKind& kind, CTextListFile& list, LPCSTR path)
{
    const CString who = CString(kind.owner) + "::InitFileList() - ";
    CString file = path ? CString(path) : CString();
    if (file.IsEmpty())
        file = GetMasterFilePath(kind);
    if (file.IsEmpty()) {
        Log(who + "failed to " + (CString(kind.title) == "Subjects" ? "GetSubjFilePath" : "GetTextbookFilePath"));
        return FALSE;
    }
    if (!list.Read(file)) {
        Log(who + "failed to open file..." + file);
        return FALSE;
    }
    return TRUE;
}

int FindMasterEntry(const CTextListFile& list, LPCSTR text)
{
    return list.GetLines().FindExact(text, FALSE);
}

BOOL AddMasterEntry(CTextListFile& list, LPCSTR text)
{
    CString entry = text;
    entry.Trim();
    if (entry.IsEmpty() || FindMasterEntry(list, entry) >= 0)
        return FALSE;
    // CTextListFile::Add refuses a text any entry contains; the master lists hold whole names.
    CStringArray lines;
    lines.Copy(list.GetLines());
    lines.Add(entry);
    list.SetLines(lines);
    return TRUE;
}

BOOL SaveMasterList(CTextListFile& list)
{
    if (list.Save())
        return TRUE;
    MessageBoxService().Show("The list could not be saved to\n\n" + list.GetFileName(), CORRA_PRODUCT_NAME,
                             MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL EditMasterList(const CMasterListKind& kind, CTextListFile& list)
{
    if (list.EditList(kind.editCaption, kind.forbidden) >= 0 && list.IsModified())
        return SaveMasterList(list);
    return TRUE;
}

BOOL EditMasterListFile(const CMasterListKind& kind, LPCSTR path)
{
    CTextListFile list(256);
    if (!InitMasterList(kind, list, path))
        return FALSE;
    return EditMasterList(kind, list);
}

char FindForbiddenChar(LPCSTR text, LPCSTR forbidden)
{
    for (const char* p = text; p && *p; ++p) {
        for (const char* f = forbidden; f && *f; ++f) {
            if (*p == *f)
                return *p;
        }
    }
    return 0;
}
