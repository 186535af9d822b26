#include "model/ExamDialogs.h"

#include "model/CorraQuestion.h"
#include "model/ViewServices.h"

namespace {

IExamDialogs g_noExamDialogs;
CServiceSlot<IExamDialogs> g_examDialogsSlot(g_noExamDialogs);

} // namespace

CServiceSlot<IExamDialogs>& ExamDialogsSlot()
{
    return g_examDialogsSlot;
}

IExamDialogs& ExamDialogs()
{
    return g_examDialogsSlot.Get();
}

BOOL IExamDialogs::RenameFormView(CView* view, const CString& name)
{
    CCorraQuestion* form = view ? GetViewForm(view) : nullptr;
    if (!form)
        return FALSE;
    form->m_cszQuestionText = name;
    CorraViewServices().RefreshCollection(view);
    return TRUE;
}
