#pragma once
// A bank held by the test, never by a window: questions and groups made in one line each, for
// the printing and export tests.

#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Group.h"
#include "res/ids/QuestionTypes.h"

class CQuestionBankDoc : public CCorraDoc {
public:
    // answerSize < 0 keeps the question's own.
    explicit CQuestionBankDoc(double answerSize = -1) : m_dNewAnswerSize(answerSize) { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
    CCorraQuestion* Add(int id, unsigned type, const char* text, int group = 0)
    {
        auto* q = new CCorraQuestion;
        q->m_nId = id;
        q->m_nIndex = id;
        q->m_nType = static_cast<int>(type);
        q->m_cszQuestionText = text;
        q->m_nMemberId = group;
        if (m_dNewAnswerSize >= 0)
            q->m_dAnswerSize = m_dNewAnswerSize;
        if (type == IDS_QTYPE_MC) {
            q->SetChoices("a. one\nb. two\nc. three");
            q->m_cszAnswer = "b";
        }
        InsertQuestion(q);
        return q;
    }
    CGroup* Group(int id, DWORD flags)
    {
        CGroup group;
        group.m_nId = id;
        group.m_csName = CString::Formatted("Group %d", id);
        group.m_csText = CString::Formatted("Part %d of the test", id);
        group.m_dwFlags = flags;
        return AddNewGroup(group);
    }

private:
    double m_dNewAnswerSize;
};
