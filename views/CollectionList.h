#pragma once
// Collections with their member questions, as the clipboard and drag and drop carry them
// ("Corra Collection List", "Exam Collection List"): the collections, then every member of any
// of them once, in ascending ID order. Loaded collections find their members in the list's own
// loaded members, without a document.

#include "model/QuestionList.h"

class CCollectionList : public CQuestionList {
public:
    CCollectionList() = default;
    // The loaded members and, when owned, the collections go with the list.
    ~CCollectionList() override;

    // Storing: a 32-bit collection count, each collection's byte form, then the members as a
    // CQuestionList. Loading empties collections and members together, then reads both and
    // owns them. A load that fails deletes what it read, leaves the list empty and throws on.
    void Serialize(CArchive& ar) override;
    // Fills the member buffer with the members of every collection, each ID once, ascending;
    // their number.
    int CollectMembers();
    // The members read by the last load.
    const CQuestionList& GetLoadedMembers() const { return m_lLoadedMembers; }

    int m_nKind = 2;

private:
    // Deletes the loaded members and empties the collections.
    void EmptyAll();

    CQuestionList m_lMembers;        // while storing; not owning
    CQuestionList m_lLoadedMembers;  // owning
};
