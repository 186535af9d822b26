#include "model/ExamDialogs.h"

namespace {

class CNoExamDialogs : public IExamDialogs {
public:
    BOOL FileProperties(CExamDoc&, CExamFileProperties&) override { return FALSE; }
    BOOL PrintingProperties(CExamDoc&, CExamPrintingValues&) override { return FALSE; }
    BOOL QuestionIdentify(CExamDoc&, BOOL&, BOOL&, int&) override { return FALSE; }
    BOOL LinkSheet(CExamDoc&) override { return FALSE; }
    BOOL ChooseFolder(CString&) override { return FALSE; }
};

CNoExamDialogs g_noExamDialogs;
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
