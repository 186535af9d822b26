#pragma once
// The program's answers to what an exam asks of its dialogs: the question dialogs' own, the
// folder chooser of the form export and the form keys. The application installs them at start-up.

#include "dialogs/QuestionIdentifyDlg.h"

class CProgramExamDialogs : public CExamQuestionDialogs {
public:
    explicit CProgramExamDialogs(CWnd* pParent = nullptr) : CExamQuestionDialogs(pParent), m_pOwner(pParent) {}
    void SetParent(CWnd* pParent)
    {
        CExamQuestionDialogs::SetParent(pParent);
        m_pOwner = pParent;
    }
    // The shell's folder chooser, starting in folder.
    BOOL ChooseFolder(CString& folder) override;
    // "Form Keys" over every form of the exam.
    void FormKeys(CExamDoc& exam) override;

private:
    CWnd* m_pOwner;
};
