#pragma once
// "Select": which forms of an exam to print ("Select which form(s) to print:"), or with
// candidates given, which collections ("Select Collections"). The caller fills the candidates
// and the chosen entries, runs it and reads the chosen entries back.

#include "foundation/PtrListEx.h"
#include "platform/ui/Dialog.h"

class CListBox;

class CSelectFormsDlg : public CDialog {
public:
    // candidates: CCorraQuestion* (forms or collections), copied; NULL for none yet.
    explicit CSelectFormsDlg(const CPtrListEx* candidates = nullptr, BOOL bPrintForms = TRUE, CWnd* pParent = nullptr);

    int m_bPrintForms;
    CPtrListEx m_lCandidates;
    // In: the entries to select at the start (none: every entry). Out after OK: the selected
    // entries in list order.
    CPtrListEx m_lChosen;
    CString m_csCaption = "Select";

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSelectAll();
    void OnClear();

private:
    void UpdateControls();

    CListBox* m_pList = nullptr;
};

// Runs the dialog over an exam's forms (CCorraQuestion*): printForms in and out, chosen in and
// out, under a caption of the caller's (NULL: "Select Collections"). FALSE when the user
// cancelled.
BOOL RunSelectFormsDialog(const CPtrListEx& forms, BOOL& printForms, CPtrListEx& chosen, CWnd* pParent = nullptr,
                          LPCSTR caption = nullptr);
