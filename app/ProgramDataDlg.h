#pragma once
// "Program Data": which files serve as the master subject list and the master textbook list.
// A name is relative to the data folder, or a full path for a list kept elsewhere; OK stores
// both only when both files exist. "Edit..." edits a list in the "Edit File List" dialog.

#include "controls/FixedFontDialog.h"

struct CMasterListKind;

class CProgramDataDlg : public CFixedFontDialog {
public:
    // The names start as the subject and textbook dialogs keep them.
    explicit CProgramDataDlg(CWnd* pParent = nullptr);

    CString m_csSubjectsFile;
    CString m_csTextbooksFile;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    void OnBrowseSubjects();
    void OnBrowseTextbooks();
    void OnEditSubjects();
    void OnEditTextbooks();

private:
    // The file chooser for a data file; the name of the file chosen goes into the field.
    void Browse(int nField, const char* title);
    void Edit(const CMasterListKind& kind, int nField);
    // Whether the field names an existing file; else says so.
    BOOL CheckExists(int nField);
};

// The "Program Data..." command: runs the dialog modally; its result.
INT_PTR RunProgramData(CWnd* pParent);
