#pragma once
// CTextListFile: the lines of a plain text list file (the master lists "Subjects.txt" and
// "Textbooks.txt"), read, extended, edited and saved (controls/TextListBoxes.h shows them in list
// and combo boxes).
// CTermList: text terms with a 32-bit value each, matched by whole text.

#include "foundation/StringArrayEx.h"
#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"

#include <vector>

// The "Edit File List" dialog, installed by the application; tests install a scripted one.
class IEditFileListService {
public:
    virtual ~IEditFileListService() = default;
    // Lets the user edit the entries. title empty: the dialog's own title. New entries holding
    // one of the forbidden characters are refused. Returns IDOK with the edited entries.
    virtual int EditFileList(CStringArrayEx& entries, const CString& title, const CString& forbidden) = 0;
};
// Until one is installed, no dialog: EditList answers IDCANCEL.
CServiceSlot<IEditFileListService>& EditFileListSlot();

class CTextListFile {
public:
    // Lines are read whole whatever their length; the length is kept for callers that size
    // their edit fields by it.
    explicit CTextListFile(int nMaxLineLength);
    // Writes nothing: changes not saved by Save() are logged and dropped.
    virtual ~CTextListFile();
    CTextListFile(const CTextListFile&) = delete;
    CTextListFile& operator=(const CTextListFile&) = delete;

    // Reads the file; FALSE, with the list unchanged, when it cannot be read or is read-only.
    // Lines of white space are skipped; other lines are kept as they stand, less CR and LF.
    virtual BOOL Read(LPCSTR pszPath);
    // Index of the first entry that contains the text; -1 when none.
    virtual int Find(LPCSTR pszText, BOOL bCaseSensitive) const;
    // Appends the text unless an entry already contains it (ignoring case): then "Already
    // added: " and the text are shown and FALSE returned. A blank text is not added.
    BOOL Add(LPCSTR pszText);
    // Runs the "Edit File List" dialog on a copy of the entries; on IDOK the edited entries
    // replace the list and the new count is returned, else the dialog's result.
    int EditList(LPCSTR pszTitle, LPCSTR pszForbidden);

    // Replaces the entries (as read back from a list or combo box); the list is then modified.
    void SetLines(const CStringArray& lines);

    // Writes the entries back when they changed: the old file is first copied to the list's
    // backup in the program folder, then the new text is written to a temporary file that
    // replaces the list file. FALSE (logged, old file kept) when that fails; TRUE when
    // nothing had changed.
    BOOL Save();
    // The backup of this list: "Subjtemp.txt" for the subject list, "<name>temp.txt" for others.
    CString GetBackupPath() const;

    const CStringArrayEx& GetLines() const { return m_saLines; }
    int GetCount() const { return m_saLines.GetSize(); }
    const CString& GetFileName() const { return m_csFileName; }
    BOOL IsModified() const { return m_bModified; }
    int GetMaxLineLength() const { return m_nMaxLineLength; }
    // Drops unsaved changes without a log line.
    void SetKeepFile(BOOL bKeep) { m_bKeepFile = bKeep; }

private:
    int m_nMaxLineLength;
    CStringArrayEx m_saLines;
    BOOL m_bModified = FALSE;
    CString m_csFileName;
    int m_nCountMark = 0;
    BOOL m_bKeepFile = FALSE;
};

class CTermList {
public:
    CTermList() = default;
    ~CTermList() = default;

    // Appends a term; duplicates are not refused (test with Contains first). Returns 1.
    int AddTerm(LPCSTR pszText, DWORD dwValue);
    // The value of the first term equal to the text, trimmed (and both lower-cased unless the
    // list is case-sensitive); 0 and *pbFound 0 when none.
    DWORD Lookup(LPCSTR pszText, BOOL* pbFound = nullptr) const;
    BOOL Contains(LPCSTR pszText) const;
    void RemoveAll() { m_terms.clear(); }
    int GetCount() const { return static_cast<int>(m_terms.size()); }

    BOOL m_bCaseSensitive = FALSE;

private:
    struct CTerm {
        CString m_csText;
        DWORD m_dwValue = 0;
    };
    std::vector<CTerm> m_terms;
};
