#include "app/ExamDialogs.h"

#include "shell/FolderDialogs.h"

BOOL CProgramExamDialogs::ChooseFolder(CString& folder)
{
    CFolderDialog dlg(&folder, m_pOwner);
    return dlg.DoModal() == IDOK;
}
