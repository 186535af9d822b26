#include "app/ExamDialogs.h"

#include "model/ExamDoc.h"
#include "platform/ui/FrameWnd.h"
#include "print/ExamPrintPages.h"
#include "shell/FolderDialogs.h"
#include "views/KeysDlg.h"

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

BOOL CProgramExamDialogs::PrintBandPage(BOOL footer, CExamPrintSettings& settings)
{
    CWnd* owner = m_pOwner ? m_pOwner : AfxGetMainWnd();
    if (footer)
        return RunExamFooterPage(owner, settings);
    CString title1, title2;
    auto* main = dynamic_cast<CFrameWnd*>(owner);
    CFrameWnd* frame = main ? main->GetActiveFrame() : nullptr;
    if (auto* exam = frame ? dynamic_cast<CExamDoc*>(frame->GetActiveDocument()) : nullptr) {
        title1 = exam->m_csTitle1;
        title2 = exam->m_csTitle2;
    }
    return RunExamHeaderPage(owner, title1, title2, settings);
}
