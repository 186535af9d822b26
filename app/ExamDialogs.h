#pragma once
// The program's answers to what an exam asks of its dialogs: the question dialogs' own, the
// folder chooser of the form export and the form keys. The application installs them at start-up.

#include "dialogs/QuestionIdentifyDlg.h"

class CDocTemplate;

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
    // The printing-properties page with the exam's header and footer buttons.
    BOOL PrintingProperties(CExamDoc& exam, CExamPrintingValues& values) override;
    BOOL HasPrintingPropertiesDialog() const override { return TRUE; }
    // "Exam Print Header" and "Exam Print Footer", the header's titles those of the active exam.
    BOOL HasPrintBandPages() const override { return TRUE; }
    BOOL PrintBandPage(BOOL footer, CExamPrintSettings& settings, CString& title1, CString& title2) override;

    // Form views: windows of the template of form windows (none: no form views).
    void SetFormTemplate(CDocTemplate* pTemplate) { m_pFormTemplate = pTemplate; }
    CView* NewFormView(CExamDoc& exam) override;
    CCorraQuestion* GetViewForm(CView* view) override;
    void SetFormViewModified(CView* view) override;
    void AttachFormView(CView* view, CCorraQuestion* form) override;
    // The form of the main window's active view, when it is a form window of the exam.
    const CScrambleList* GetActiveScrambleList(CExamDoc& exam) override;
    // The editor shows its question again, in the order of that form.
    void ShowDialogQuestionInForm(CExamDoc& exam) override;

private:
    CWnd* m_pOwner;
    CDocTemplate* m_pFormTemplate = nullptr;
};
