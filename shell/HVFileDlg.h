#pragma once
// The program's own file chooser: a folder tree rooted at one of the program's folders, the file
// list of the chosen kind in the selected folder, an information pane, the folder shown, a file
// name field, and buttons to import files and to create, rename and delete folders (or to create
// a new document of the kind). What it allows is set by its style flags (FCS_*, foundation/
// FileChooserCall.h);
// after OK it holds the folder, the selected names and paths in row order, and the document it
// opened or created.

#include "controls/FixedFontDialog.h"
#include "foundation/FileChooserCall.h"
#include "platform/core/Collections.h"

class CDocument;
class CFolderTreeCtrl;
class CHVListCtrl;
class CInfoRichEdit;
class QLabel;
class QLineEdit;
struct NMLISTVIEW;
struct NMTREEVIEW;

// The preset styles: open (delete, rename, create, import, folders made) and save (the same
// without import, with a typed name).
constexpr DWORD FCS_OPEN_STYLE = 0xD3;
constexpr DWORD FCS_SAVE_STYLE = 0x4D1;

class CHVFileDlg : public CFixedFontDialog {
public:
    // A chooser for documents of nKind. pNeverDoc and neverFile are never listed.
    explicit CHVFileDlg(int nKind, DWORD dwStyle = FCS_OPEN_STYLE, UINT nInfoId = 0, BOOL bVisible = TRUE,
                        CDocument* pNeverDoc = nullptr, LPCSTR neverFile = nullptr, CWnd* pParent = nullptr);
    // The same for the kind of a file name's extension.
    explicit CHVFileDlg(LPCSTR fileName, DWORD dwStyle = FCS_OPEN_STYLE, UINT nInfoId = 0, BOOL bVisible = TRUE,
                        CDocument* pNeverDoc = nullptr, LPCSTR neverFile = nullptr, CWnd* pParent = nullptr);
    ~CHVFileDlg() override;

    void SetOpenStyle() { m_dwStyle = FCS_OPEN_STYLE; }
    void SetSaveStyle() { m_dwStyle = FCS_SAVE_STYLE; }
    DWORD GetStyle() const { return m_dwStyle; }
    int GetKind() const { return m_nKind; }
    // The start folder becomes the kind's default folder (and, without FCS_CREATE_FOLDERS, so does
    // the root); FALSE (logged) when the kind has none.
    BOOL SetDefDir();
    // The only folder the tree lists at its top level; NULL: the kind's folder name.
    void SetRootFolderFilter(LPCSTR name);
    void SetRootToServerDir();
    void SetRootFolder(LPCSTR folder) { m_csRootFolder = folder ? folder : ""; }
    // The current folder and the file name; empty when there is no name.
    CString GetPathName() const;

    // Set before the dialog runs.
    CString m_cszSearchDir;  // the start folder; after OK the folder chosen
    CString m_csInfo;        // the information text (when no string id gives it)
    CString m_csTitle;       // the caption; empty: the folder shown
    CString m_csConfirm;     // asked with OK and Cancel before OK is taken; empty: nothing asked
    CString m_csFileName;    // the chosen or typed name

    // Results, valid after OK.
    CStringArray m_asFileNames;  // the selected rows, from the first selected on
    CStringArray m_asFilePaths;
    CDocument* m_pDoc = nullptr;
    BOOL m_bDocOpened = FALSE;   // the chooser opened or created m_pDoc

    // The controls, for those who drive the dialog.
    CFolderTreeCtrl* GetTree() const { return m_pTree; }
    CHVListCtrl* GetList() const { return m_pList; }
    const CString& GetCurrentFolder() const { return m_csCurFolder; }
    const CString& GetRootFolder() const { return m_csRootFolder; }
    CString GetInfoText() const;
    CString GetFolderCaption() const;
    // Whether OK may be pressed now: in folder mode another folder than the starting one, else a
    // selected row.
    BOOL IsSelectionValid() const;

    // Commands, also reached by the buttons.
    void OnCreateNewFolder();
    void OnRename();
    void OnDelete();
    void OnImport();
    void OnOK() override;
    // Lists the files of the kind in the folder the tree shows.
    void RepopulateFileList();

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void Build();
    void OnSelchangedTreeFindPath();
    void OnItemchangedList(NMLISTVIEW* pNM);
    void OnDoubleClick();
    void OnFileNameChange();
    void UpdateButtons();
    void UpdateFolderCaption();
    void ShowFileName();
    // Selects a path in the tree as the program (not the user) does.
    void SelectInTree(const CString& path, BOOL bExpand);
    // The row of the chosen name, or -1.
    int RowOfFileName() const;
    BOOL CollectResults();

    int m_nKind;
    DWORD m_dwStyle;
    UINT m_nInfoId;
    BOOL m_bVisible;
    CDocument* m_pNeverDoc;
    CString m_csNeverFile;

    CString m_csRootFolder;
    CString m_csRootFilter;
    CString m_csCurFolder;       // with a trailing separator
    CString m_csStartedIn;       // the folder the dialog started in

    int m_nLastMouseCtrl = 0;    // the control the mouse was last pressed in (tree or list)
    BOOL m_bFirstSelChange = TRUE;
    int m_nSelecting = 0;        // inside a selection the program makes
    BOOL m_bSettingName = FALSE; // the name field is being set, not typed

    CFolderTreeCtrl* m_pTree = nullptr;
    CHVListCtrl* m_pList = nullptr;
    CInfoRichEdit* m_pInfo = nullptr;
    QLabel* m_pFolderCaption = nullptr;
    QLineEdit* m_pFileName = nullptr;
};

// The chooser call answered by this dialog (the application installs it in FileChooserSlot()).
class CHVFileChooser : public IFileChooserService {
public:
    int Run(CFileChooserCall& call) override;
};
