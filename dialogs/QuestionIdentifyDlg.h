#pragma once
// "Question Identify": whether an exam question keeps a fixed position (and which), and whether
// it is the exam's identity question. The exam checks each newly set value on OK.

#include "platform/ui/Dialog.h"

class CExamDoc;

class CQuestionIdentifyDlg : public CDialog {
public:
    explicit CQuestionIdentifyDlg(CExamDoc* pExam, CWnd* pParent = nullptr);

    // Set by the caller before the run (also kept as the starting values), read after OK.
    int m_bFixed = FALSE;
    int m_bIdentity = FALSE;
    int m_nPosition = 0;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnFixed();
    void OnPositionAtEnd();

private:
    void UpdateControls();

    CExamDoc* m_pExam;
    int m_bStartFixed = FALSE;
    int m_bStartIdentity = FALSE;
    int m_nStartPosition = 0;
};

#include "model/ExamDialogs.h"

// The exam's dialogs that this folder answers (the rest decline); the application installs it.
class CExamQuestionDialogs : public IExamDialogs {
public:
    explicit CExamQuestionDialogs(CWnd* pParent = nullptr) : m_pParent(pParent) {}
    BOOL QuestionIdentify(CExamDoc& exam, BOOL& fixed, BOOL& identity, int& position) override;
    // Each in its dialog's source.
    BOOL FileProperties(CExamDoc& exam, CExamFileProperties& props) override;
    BOOL AddForms(CExamDoc& exam, CAddFormsValues& values) override;
    int SaveForms(CExamDoc& exam, const CPtrListEx& views, CSaveFormsValues& values) override;
    BOOL HasSelectFormsDialog() const override { return TRUE; }
    BOOL SelectForms(CExamDoc& exam, const CPtrListEx& forms, BOOL& printForms, CPtrListEx& chosen) override;
    BOOL HasInstructionsDialog() const override { return TRUE; }
    BOOL Instructions(CExamDoc& exam, CString& rtf) override;
    BOOL LinkSheet(CExamDoc& exam) override;
    void SetParent(CWnd* pParent) { m_pParent = pParent; }

private:
    CWnd* m_pParent;
};
