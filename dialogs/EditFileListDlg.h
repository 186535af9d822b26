#pragma once
// "Edit File List": edits the lines of a master list (add, delete, change), refusing new text
// that holds one of the forbidden characters. Installed as the program's Edit File List service.

#include "controls/FixedFontDialog.h"
#include "foundation/TextListFile.h"

class CListBox;
class QLineEdit;

class CEditFileListDlg : public CFixedFontDialog {
public:
    explicit CEditFileListDlg(CWnd* pParent = nullptr);

    CString m_csCaption = "Edit File List";
    CString m_csForbidden;
    CStringArrayEx m_saLines;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnAdd();
    void OnDelete();
    void OnDeleteAll();
    void OnChangeEntry();

private:
    // TRUE when the text may become an entry; else its message was shown.
    BOOL CheckNewText(const CString& text);
    void OnTyped();
    void OnSelect();
    void UpdateButtons();

    CListBox* m_pList = nullptr;
    QLineEdit* m_pEdit = nullptr;
    BOOL m_bFilling = FALSE;
};

// The service the text list files run their "Edit File List" through.
class CEditFileListService : public IEditFileListService {
public:
    int EditFileList(CStringArrayEx& entries, const CString& title, const CString& forbidden) override;
};
