#pragma once
// "Choose Subject(s)": picks a question's subjects from the master subject list, or, in the
// "New Subjects" mode, offers the subjects of a just-opened document that the list lacks.
// Every change of the master list is saved at once.

#include "controls/FixedFontDialog.h"
#include "foundation/StringArrayEx.h"
#include "foundation/TextListFile.h"

class CListBox;
class QLineEdit;

class CSubjectsDlg : public CFixedFontDialog {
public:
    explicit CSubjectsDlg(CWnd* pParent = nullptr, BOOL bNewSubjects = FALSE);

    // The selected subjects, in and out.
    CStringArrayEx m_saSubjects;
    BOOL m_bNewSubjects;
    BOOL m_bCancelled = FALSE;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnSelect();
    void OnUnselect();
    void OnClear();
    void OnAdd();
    void OnAddAll();
    void OnEditMaster();
    const CTextListFile& MasterList() const { return m_master; }

private:
    void OnTyped();
    void UpdateButtons();
    void FillMaster();
    void AddToMaster(const CString& subject);
    // Asks whether to add a subject the master list lacks (added on Yes); the answer.
    int OfferToMaster(const CString& subject, UINT buttons);

    CTextListFile m_master;
    CListBox* m_pMaster = nullptr;
    CListBox* m_pSelected = nullptr;
    QLineEdit* m_pTypeAhead = nullptr;
    BOOL m_bFilling = FALSE;
    BOOL m_bModified = FALSE;
};
