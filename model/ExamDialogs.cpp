#include "model/ExamDialogs.h"

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
