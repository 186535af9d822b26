#include "views/CollectionList.h"

#include "model/CorraQuestion.h"
#include "platform/core/Archive.h"

#include <map>
#include <memory>

CCollectionList::~CCollectionList()
{
    EmptyAll();
}

void CCollectionList::EmptyAll()
{
    // The collections first: none may be left pointing at freed members.
    Empty();
    m_lLoadedMembers.m_bOwnsQuestions = TRUE;
    m_lLoadedMembers.Empty();
}

int CCollectionList::CollectMembers()
{
    m_lMembers.m_bOwnsQuestions = FALSE;
    m_lMembers.Empty();
    std::map<int, CCorraQuestion*> byId;
    for (POSITION pos = GetHeadPosition(); pos;) {
        auto* collection = static_cast<CCorraQuestion*>(GetNext(pos));
        if (!collection)
            continue;
        const int n = collection->GetChoicesCount();
        for (int i = 0; i < n; ++i) {
            if (CCorraQuestion* member = collection->GetMember(i))
                byId.emplace(member->m_nId, member);
        }
    }
    for (const auto& entry : byId)
        m_lMembers.AddTail(entry.second);
    return m_lMembers.GetCount();
}

void CCollectionList::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(GetCount());
        for (POSITION pos = GetHeadPosition(); pos;) {
            auto* collection = static_cast<CCorraQuestion*>(GetNext(pos));
            collection->Refresh();
            collection->Serialize(ar);
        }
        CollectMembers();
        m_lMembers.Serialize(ar);
        m_lMembers.RemoveAll();
        return;
    }
    EmptyAll();
    m_bOwnsQuestions = TRUE;
    try {
        const DWORD n = ReadQuestionCount(ar);
        for (DWORD i = 0; i < n; ++i) {
            auto collection = std::make_unique<CCollectionEntry>();
            collection->Serialize(ar);
            AddTail(collection.release());
        }
        m_lLoadedMembers.Serialize(ar);
    } catch (...) {
        EmptyAll();
        throw;
    }
    for (POSITION pos = GetHeadPosition(); pos;) {
        auto* collection = static_cast<CCollectionEntry*>(GetNext(pos));
        collection->m_plOuterQuestions = &m_lLoadedMembers;
        collection->Refresh();
    }
}
