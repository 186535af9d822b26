#include "app/ExamDialogs.h"

#include "app/ViewServices.h"
#include "dialogs/CorraQuestionDlg.h"
#include "dialogs/QuestionDialogs.h"
#include "model/ExamDoc.h"
#include "platform/core/Services.h"
#include "platform/ui/FrameWnd.h"
#include "print/ExamPrintPages.h"
#include "shell/FolderDialogs.h"
#include "views/ExamVersionView.h"
#include "views/KeysDlg.h"

namespace {

// The form window of the exam that the main window shows active; NULL when that is no form.
CExamVersionView* ActiveFormView(CExamDoc& exam)
{
    auto* main = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    CFrameWnd* frame = main ? main->GetActiveFrame() : nullptr;
    auto* view = frame ? dynamic_cast<CExamVersionView*>(frame->GetActiveView()) : nullptr;
    return view && view->GetCorraDoc() == &exam ? view : nullptr;
}

} // namespace

BOOL CProgramExamDialogs::ChooseFolder(CString& folder)
{
    CFolderDialog dlg(&folder, m_pOwner);
    return dlg.DoModal() == IDOK;
}

void CProgramExamDialogs::FormKeys(CExamDoc& exam)
{
    CKeysDlg dlg(m_pOwner);
    dlg.SetForms(&exam);
    dlg.DoModal();
}

BOOL CProgramExamDialogs::PrintingProperties(CExamDoc&, CExamPrintingValues& values)
{
    return RunPrintingPropertiesPage(m_pOwner ? m_pOwner : AfxGetMainWnd(), values, TRUE);
}

BOOL CProgramExamDialogs::PrintBandPage(BOOL footer, CExamPrintSettings& settings, CString& title1, CString& title2)
{
    CWnd* owner = m_pOwner ? m_pOwner : AfxGetMainWnd();
    if (footer)
        return RunExamFooterPage(owner, settings);
    return RunExamHeaderPage(owner, title1, title2, settings);
}

CView* CProgramExamDialogs::NewFormView(CExamDoc& exam)
{
    auto* view = dynamic_cast<CExamVersionView*>(OpenCollectionFrame(m_pFormTemplate, exam));
    if (view)
        view->SetCollectionQuestion(nullptr);
    return view;
}

CCorraQuestion* CProgramExamDialogs::GetViewForm(CView* view)
{
    auto* form = dynamic_cast<CExamVersionView*>(view);
    return form ? form->GetForm() : nullptr;
}

void CProgramExamDialogs::SetFormViewModified(CView* view)
{
    if (auto* form = dynamic_cast<CExamVersionView*>(view))
        form->SetModified(TRUE);
}

void CProgramExamDialogs::AttachFormView(CView* view, CCorraQuestion* form)
{
    if (auto* shown = dynamic_cast<CExamVersionView*>(view))
        shown->SetCollectionQuestion(form);
}

const CScrambleList* CProgramExamDialogs::GetActiveScrambleList(CExamDoc& exam)
{
    CExamVersionView* view = ActiveFormView(exam);
    return view ? &view->GetForm()->m_Scramble : nullptr;
}

void CProgramExamDialogs::ShowDialogQuestionInForm(CExamDoc& exam)
{
    auto* dialogs = dynamic_cast<CQuestionDialogs*>(DocumentDialogsSlot().Installed());
    CCorraQuestionDlg* dlg = dialogs && ActiveFormView(exam) ? dialogs->FindEditor(exam) : nullptr;
    if (CCorraQuestion* shown = dlg ? dlg->FindShownQuestion() : nullptr)
        dlg->SelectQuestion(shown);
}
