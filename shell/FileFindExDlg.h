#pragma once
// "Find File": looks for a file below a folder, by its name or (Question Corra files) by the
// Corra ID in its header, and lets the user pick one of the files found. The tree shows only the
// folders that hold results; the list shows the results. Nothing found ends the dialog at once
// with Cancel. Folders reached through a link are not searched: a link to a folder above would
// lead round for ever.

#include "controls/FixedFontDialog.h"
#include "foundation/FileTypes.h"
#include "platform/core/Collections.h"

class CFolderTreeCtrl;
class CHVListCtrl;
class CInfoRichEdit;
class QLabel;
struct NMLISTVIEW;

class CFileFindExDlg : public CFixedFontDialog {
public:
    enum { SEARCH_BY_NAME = 1, SEARCH_BY_CORRAID = 2 };

    explicit CFileFindExDlg(CWnd* pParent = nullptr);
    ~CFileFindExDlg() override;

    // The folder and the name of the file chosen, joined; empty when none was.
    CString GetFoundPath() const;

    // Set before the dialog runs.
    int m_nSearchMode = SEARCH_BY_NAME;
    int m_nKind = DT_CORRA;
    CString m_csRootFolder;    // empty: the program folder
    CString m_csSearchFolder;  // empty: the kind's default folder
    CString m_csInfo;          // empty: "Select a file."
    CString m_csFileName;      // the name sought
    CString m_csCorraId;       // the Corra ID sought

    // After OK.
    CString m_csFoundName;
    CString m_csFoundFolder;
    CStringArray m_asResults;
    // The user stopped the search or left the dialog: not the same as a search that found
    // nothing.
    BOOL m_bUserCancelled = FALSE;

    // Searches again from the search folder; whether anything was found.
    BOOL RunSearch();
    // The searches alone: the number of results, each added to m_asResults.
    int SearchFileName();
    int SearchCorraId();

    CFolderTreeCtrl* GetTree() const { return m_pTree; }
    CHVListCtrl* GetList() const { return m_pList; }
    void OnOK() override;
    void OnCancel() override;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR nIDEvent) override;

private:
    void OnSelchangedTree();
    void OnItemchangedList(NMLISTVIEW* pNM);

    int m_nLastMouseCtrl = 0;
    int m_nSelecting = 0;  // inside a selection the program makes
    CFolderTreeCtrl* m_pTree = nullptr;
    CHVListCtrl* m_pList = nullptr;
    CInfoRichEdit* m_pInfo = nullptr;
    QLabel* m_pRootCaption = nullptr;
};
