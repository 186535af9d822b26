#pragma once
// A document's windows and dialogs for tests: records what the document asked of them and
// answers as told.

#include "model/CorraQuestion.h"
#include "model/DocumentDialogs.h"

#include <string>
#include <vector>

class CFakeDocumentDialogs : public IDocumentDialogs {
public:
    void ShowQuestionDialog(CCorraDoc&) override
    {
        calls.push_back("show");
        visible = TRUE;
    }
    BOOL IsQuestionDialogVisible(CCorraDoc&) override { return visible; }
    BOOL QuestionDialogHasQuestion(CCorraDoc&) override { return hasQuestion; }
    void SetQuestionDialogTitle(CCorraDoc&, const CString& t) override { title = t; }
    BOOL StoreDialogQuestion(CCorraDoc&) override
    {
        calls.push_back("store");
        return TRUE;
    }
    // The editor asked to show a question (after its save prompt): noted in selected by ID (0
    // for none); with selectAnswer FALSE the user went on editing the one shown before.
    BOOL SelectDlgQuestion(CCorraDoc&, CCorraQuestion* q) override
    {
        selected.push_back(q ? q->m_nId : 0);
        return selectAnswer;
    }
    void ShowGroupsWindow(CCorraDoc&) override { calls.push_back("groups"); }
    void SetGroupsWindowTitle(CCorraDoc&, const CString& t) override { groupsTitle = t; }
    BOOL CheckImageLinks(CCorraDoc&, BOOL, CImageRelinks* relinked) override
    {
        calls.push_back("links");
        if (relinked)
            *relinked = relinks;
        return TRUE;
    }
    void CloseDocumentWindows(CCorraDoc&) override { calls.push_back("close"); }
    void HideQuestionDialog(CCorraDoc&) override
    {
        calls.push_back("hide");
        visible = FALSE;
    }
    void ClearQuestionDialog(CCorraDoc&) override { calls.push_back("clear"); }
    BOOL IsQuestionDialogBusy(CCorraDoc&) override { return busy; }
    void OfferRecoverySupport(CCorraDoc&, const CString& path) override { offered.push_back(path); }

    std::vector<std::string> calls;
    std::vector<CString> offered;  // the files help was offered with
    std::vector<int> selected;     // the questions the editor was asked to show
    CImageRelinks relinks;         // what the image link check repairs
    BOOL selectAnswer = TRUE;
    BOOL visible = FALSE;
    BOOL hasQuestion = FALSE;
    BOOL busy = FALSE;
    CString title;
    CString groupsTitle;
};
