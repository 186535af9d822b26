#include "model/DocumentDialogs.h"

namespace {

class CNoDocumentDialogs : public IDocumentDialogs {
public:
    void ShowQuestionDialog(CCorraDoc&) override {}
    BOOL IsQuestionDialogVisible(CCorraDoc&) override { return FALSE; }
    BOOL QuestionDialogHasQuestion(CCorraDoc&) override { return FALSE; }
    void SetQuestionDialogTitle(CCorraDoc&, const CString&) override {}
    BOOL StoreDialogQuestion(CCorraDoc&) override { return FALSE; }
    void ShowGroupsWindow(CCorraDoc&) override {}
    BOOL CheckImageLinks(CCorraDoc&, BOOL, CImageRelinks*) override { return TRUE; }
    void CloseDocumentWindows(CCorraDoc&) override {}
};

CNoDocumentDialogs g_noDialogs;
CServiceSlot<IDocumentDialogs> g_dialogsSlot(g_noDialogs);

} // namespace

CServiceSlot<IDocumentDialogs>& DocumentDialogsSlot()
{
    return g_dialogsSlot;
}

IDocumentDialogs& DocumentDialogs()
{
    return g_dialogsSlot.Get();
}
