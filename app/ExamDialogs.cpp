#include "app/ExamDialogs.h"

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
