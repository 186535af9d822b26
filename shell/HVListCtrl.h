#pragma once
// The program's file list: the documents of one kind found in a folder, or those open or
// recently opened, in report columns that depend on the kind (for banks and exams the counts
// and Corra ID read from each file's header, without opening the document). Beside it the
// list-box form of the open and recent documents of one extension, and a DWORD array with a
// copy assignment.

#include "foundation/FileTypes.h"
#include "model/CorraHeader.h"
#include "platform/core/Collections.h"
#include "platform/core/FileSys.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListCtrl.h"

#include <memory>
#include <unordered_map>
#include <vector>

class CDocument;

class CDWordArrayEx : public CDWordArray {
public:
    CDWordArrayEx() = default;
    CDWordArrayEx(const CDWordArrayEx& other) : CDWordArray() { *this = other; }
    CDWordArrayEx& operator=(const CDWordArrayEx& other);
};

// One file of the list, owned by the list.
class CHVFileInfo {
public:
    CCorraHeader m_hdr;           // m_csFileName is the full path
    CDocument* m_pDoc = nullptr;  // the open document it stands for
    CString m_csName;             // the name shown
    CString m_csDescr;
    CString m_csSize;
    CString m_csSpare;            // nothing fills it: the third cell of data files shows it empty
    int m_nType = 0;
    // The header's counts and Corra ID are known (read from the file or the document); a file
    // whose header cannot be read shows them empty, never as an empty bank.
    BOOL m_bCounts = FALSE;
    // The key its row carries.
    DWORD_PTR m_nKey = 0;

    // COUNT less NUMCOLLECTIONS, at least 0.
    int GetQuestionCount() const;
};

class CHVListCtrl : public CListCtrl {
public:
    explicit CHVListCtrl(QWidget* parent = nullptr);
    ~CHVListCtrl() override;

    // The kind shown; a new kind (or the first) builds its columns.
    void SetDocType(int nType);
    int GetDocType() const { return m_nDocType; }

    // Adds the files of each ";"-separated extension in the folder (not below it), then refills
    // the rows; TRUE when every extension was read.
    BOOL AddFromDirectory(LPCSTR folder, LPCSTR extList);
    // Adds one file (a path, or a folder and a name); TRUE when it is in the list afterwards.
    BOOL AddFile(LPCSTR pathOrFolder, LPCSTR fileName = nullptr);
    // AddFile for each path, then refills the rows; TRUE when all were added.
    BOOL AddFiles(const CStringArray& paths);
    // Empties the list and fills it with the open (and, when asked, the recently opened)
    // documents of the extensions, never listing pExclude nor a file named as excludePath's.
    void InitOpenDocs(LPCSTR extList, CDocument* pExclude = nullptr, LPCSTR excludePath = nullptr);
    // Deletes every record and row.
    void ResetContent();
    // What folder listings never show: the document (its file) and a file of the path's name.
    void SetNeverListed(CDocument* pDoc, LPCSTR path);

    // Texts of an item's record (-1: the last selected record); empty when there is none.
    CString GetItemFileName(int nItem = -1) const;
    CString GetItemName(int nItem = -1) const;
    CString GetItemFolder(int nItem = -1) const;
    CString GetItemDisplayName(int nItem = -1) const;
    // The record of an item (-1: the last selected); NULL when there is none.
    CHVFileInfo* GetFileInfoType(int nItem = -1) const;
    // The last selected record's header; FALSE when there is none.
    BOOL GetHeaderInfo(CCorraHeader& header) const;
    // The document of the last selected record, opened through the application when it is not
    // open yet (bOpenedNow then TRUE); NULL when it cannot be opened.
    CDocument* GetDoc(BOOL& bOpenedNow, BOOL bVisible = TRUE);

    // Row of a file name (case ignored), -1 when none; whether there is one.
    int FindItemByName(LPCSTR name) const;
    BOOL IsInList(LPCSTR name) const { return FindItemByName(name) >= 0; }
    // Row whose record's full path is the same file, -1 when none.
    int FindItemByPath(LPCSTR path) const;
    // Selects the row (as a click would) and records it as the last selected.
    void SelectItem(int nIndex);
    int GetFirstSelected() const { return GetNextItem(-1, LVNI_SELECTED); }

    // A click on a column: the same column again reverses the order, another sorts ascending.
    void OnColumnClick(int nColumn);
    // Sorts by key: (column + 1), negative for descending.
    void SortByKey(int nKey);
    int GetSortColumn() const { return m_nSortColumn; }
    int GetSortDirection() const { return m_nSortDirection; }

    // What InitOpenDocs lists: open documents (on by default), recent files (off by default).
    BOOL m_bListOpenDocs = TRUE;
    BOOL m_bListRecentFiles = FALSE;
    // The document-string field by which the application finds the templates of an extension.
    int m_nTemplateFilter = 4;

    int GetRecordCount() const { return static_cast<int>(m_records.size()); }
    // The cell texts of a record, as the rows show them.
    std::vector<CString> CellTexts(const CHVFileInfo& info) const;

    // Wide enough to show every column beside a vertical scroll bar, so that a dialog opens
    // without a horizontal one; layouts may still shrink the list to its minimum size.
    QSize sizeHint() const override;

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    void AddOneExtension(const CString& dir, const CString& ext, const std::vector<fsys::CDirEntry>& entries);
    void Refill();
    void UpdateSelect();
    // The record of a row's key; NULL when the list no longer holds it.
    CHVFileInfo* RecordOfKey(DWORD_PTR key) const;
    CHVFileInfo* Append(std::unique_ptr<CHVFileInfo> info);
    static int CompareRecords(LPARAM a, LPARAM b, LPARAM sort);
    int Compare(const CHVFileInfo& a, const CHVFileInfo& b, int nKey) const;

    int m_nDocType = DT_CORRA;
    BOOL m_bColumnsBuilt = FALSE;
    CCorraHeader m_hdr;               // the last selected file's header
    DWORD_PTR m_nLastSelected = 0;    // key of the last selected record, 0 none
    CString m_csExtList;
    CString m_csExcludeName;          // a file name never listed
    CDocument* m_pExcludeDoc = nullptr;
    CStringArray m_asRecentNames;     // display names of the recent files
    CStringArray m_asRecentPaths;
    std::vector<std::unique_ptr<CHVFileInfo>> m_records;
    std::unordered_map<std::string, CHVFileInfo*> m_byPath;  // full path -> record
    int m_nSortColumn = 0;
    int m_nSortDirection = 1;

};

// The open and recently opened documents of one extension list in a list box: each open
// document's title with "\t(already open)", then each recent file with "\t(recently opened)".
class CHVListBox : public CListBox {
public:
    explicit CHVListBox(QWidget* parent = nullptr);

    BOOL InitOpenDocs(LPCSTR extList, CDocument* pExclude = nullptr);

    // The selected item: its open document (NULL once that was closed), or the full path of its
    // recent file.
    CDocument* GetSelectedDoc() const;
    CString GetSelectedRecentPath() const;
    int m_nTemplateFilter = 4;

private:
    struct CEntry {
        CDocument* pDoc = nullptr;
        int nRecent = -1;
    };
    void OnSelectionChange();

    CString m_csExtList;
    CDocument* m_pExcludeDoc = nullptr;
    CStringArray m_asRecentNames;
    CStringArray m_asRecentPaths;
    std::vector<CEntry> m_entries;  // item data is the index here
    CDocument* m_pSelectedDoc = nullptr;
    int m_nSelectedRecent = -1;
};
