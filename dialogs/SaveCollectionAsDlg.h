#pragma once
// "Save Collection As...": a collection view's list saved as a collection of its bank (under a
// name) or as a bank file of its own (under a file name). The collection view fills it, runs
// it and reads the choice and the name after OK.

#include "platform/ui/Dialog.h"

class CSaveCollectionAsDlg : public CDialog {
public:
    // bCollectionNotAllowed: the list cannot become a collection; the dialog offers only a file.
    explicit CSaveCollectionAsDlg(CWnd* pParent = nullptr, BOOL bCollectionNotAllowed = FALSE);

    enum { SAVE_AS_COLLECTION = 0, SAVE_AS_CORRA = 1 };
    int m_nChoice;
    CString m_csCollectionName;  // trimmed after OK
    CString m_csFileName;        // trimmed after OK
    BOOL m_bCollectionNotAllowed;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void UpdateControls();
};
