#pragma once
// "Add Exam Form(s)": how many forms to add, how their names are made and whether their
// choices are scrambled too. The exam's New Form(s) command fills it and makes the forms.

#include "platform/ui/Dialog.h"

class CAddFormsDlg : public CDialog {
public:
    explicit CAddFormsDlg(CWnd* pParent = nullptr);

    int m_nNumForms = 0;
    CString m_csFormat;
    int m_bScramble = FALSE;
    // The caller's maximum; never more than MAX_NEW_FORMS once the dialog opens.
    int m_nMaxForms = MAX_NEW_FORMS;
    static constexpr int MAX_NEW_FORMS = 10;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
