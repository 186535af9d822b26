#pragma once
// A question dialog with a check box per attribute, so that the user says which attributes
// take part in what the dialog does (the search). The controls of an unticked attribute are
// disabled, and the question and choices text grey.

#include "dialogs/QuestionDlg.h"

class CQuestionAttrDlg : public CQuestionDlg {
public:
    CQuestionAttrDlg(UINT nIDTemplate, CWnd* pParent, EQuestionDlgChoice choice = QDC_SINGLE);

    BOOL OnInitDialog() override;

    // The control is enabled exactly while the check box is ticked.
    virtual void EnableByCheck(int nCheckId, int nControlId);
    // The controls of the check box's attribute follow it.
    virtual void EnableForCheck(int nCheckId);
    // A check box was clicked; by default its controls follow it.
    virtual void OnAttrCheck(int nCheckId) { EnableForCheck(nCheckId); }
    // Every attribute's controls follow their check boxes.
    void EnableAllByChecks();

    // Ticked attributes, in the order they are exchanged.
    int m_bType = FALSE;
    int m_bAnswer = FALSE;
    int m_bChoices = FALSE;
    int m_bIndex = FALSE;
    int m_bLevel = FALSE;
    int m_bQuestion = FALSE;
    int m_bSubjects = FALSE;
    int m_bBooks = FALSE;
    int m_bId = FALSE;

    // The check box ids in exchange order.
    static const int kCheckIds[9];

protected:
    void ExchangeChecks(CDataExchange* pDX);
    // The question and choices texts grey while their check boxes are clear.
    void UpdateTextColours();
};
