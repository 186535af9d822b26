#pragma once
// Small banks for transfer tests: essay questions "<title> question <id>" with those IDs (INDEX
// the same), a CORRAID of "CID_" + title, unmodified, never written; and the IDs of lists,
// arrays and documents to compare.

#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "res/ids/QuestionTypes.h"

#include <vector>

class CTransferBank : public CCorraDoc {
public:
    CTransferBank(LPCSTR title, std::vector<int> ids)
    {
        m_bAutoDelete = FALSE;
        SetTitle(title);
        m_csCorraId = CString("CID_") + title;
        for (int id : ids)
            InsertQuestion(Question(id, CString::Formatted("%s question %d", title, id)));
        SetModifiedFlag(FALSE);
    }
    static CCorraQuestion* Question(int id, const CString& text)
    {
        auto* q = new CCorraQuestion;
        q->m_nId = id;
        q->m_nIndex = id;
        q->m_nType = static_cast<int>(IDS_QTYPE_ES);
        q->m_cszQuestionText = text;
        return q;
    }
    BOOL DoFileSave() override { return TRUE; }
};

inline std::vector<int> TransferIds(const CPtrListEx& list)
{
    std::vector<int> ids;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        ids.push_back(static_cast<CCorraQuestion*>(list.GetNext(pos))->m_nId);
    return ids;
}

inline std::vector<int> TransferIds(const CDWordArray& a)
{
    std::vector<int> ids;
    for (int i = 0; i < a.GetSize(); ++i)
        ids.push_back(static_cast<int>(a[i]));
    return ids;
}

// The document's questions that are not collections, in its order.
inline std::vector<int> DocIds(const CCorraDoc& doc)
{
    std::vector<int> ids;
    for (POSITION pos = doc.m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(doc.m_plQuestions.GetNext(pos));
        if (!q->IsCollection())
            ids.push_back(q->m_nId);
    }
    return ids;
}

inline std::vector<int> MemberIds(const CCorraQuestion* collection)
{
    CDWordArray ids;
    if (collection)
        collection->GetQuestIds(ids);
    return TransferIds(ids);
}
