#pragma once
// "Choices Format": lower or upper case letters for the labels of choices, kept in the profile.

#include "platform/ui/Dialog.h"

class CChoicesFormatDlg : public CDialog {
public:
    explicit CChoicesFormatDlg(CWnd* pParent = nullptr);

    // 0 "a. b. c.", 1 "A. B. C."
    int m_nCase = 0;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
