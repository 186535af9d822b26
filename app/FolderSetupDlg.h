#pragma once
// "Manage Folders": the default folder of each document kind, picked from a recent list of
// folders or with the file chooser in folder mode. OK asks before it changes a kind's default
// folder. Folders are shown relative to the program folder, their case kept.

#include "controls/FixedFontDialog.h"

class CMRUPathComboBox;

class CFolderSetupDlg : public CFixedFontDialog {
public:
    explicit CFolderSetupDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // The kinds in the order the dialog lists them and OK asks about them.
    static constexpr int kKinds = 5;
    static int KindAt(int nIndex);
    // "Manage Folders..." of the kind at nIndex.
    void OnManage(int nIndex);
    // The kind's combo box chose another folder.
    void OnSelChange(int nIndex);
    // The folder the dialog holds for the kind at nIndex (full, with a trailing separator).
    const CString& GetFolder(int nIndex) const { return m_csFolders[nIndex]; }

    // A folder as the combo boxes show it: relative to the program folder, without leading "./"
    // or a trailing separator ("QCorras"); absolute outside the program folder.
    static CString ComboTextOf(LPCSTR folder);
    // The full folder, with a trailing separator, of a combo box's text.
    static CString FolderOfComboText(LPCSTR text);

private:
    // Adds the kind's folder to its list unless it is there (compared exactly) and selects it.
    void ShowFolder(int nIndex);
    // Asks about one kind's change and makes it; the kind's folder is not the default yet.
    void ChangeDefault(int nIndex);

    CMRUPathComboBox* m_pCombos[kKinds] = {};
    CString m_csFolders[kKinds];
};

// The "Manage Folders..." command: runs the dialog modally; its result.
INT_PTR RunManageFolders(CWnd* pParent);
