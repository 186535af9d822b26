#pragma once
// Counts of a list of questions by INDEX, level, type, subject, textbook and answer, with the
// percentage of each value and, per value, the number of distinct INDEX values and of questions
// without one. Collections are never counted. Computed on demand: over a whole document, over a
// collection's members, or over the candidates of a random selection.

#include "foundation/PtrListEx.h"
#include "foundation/SerialMap.h"
#include "platform/core/Collections.h"
#include "platform/core/String.h"

class CQuestion;

// The four tables of one dimension (level, type, subject text, textbook text), by value.
template <typename K>
struct CStatDimension {
    CSerialMap<K, int> counts;
    CSerialMap<K, int> percents;         // integer part of count * 100 / questions counted
    CSerialMap<K, int> distinctIndexes;  // distinct INDEX values above 0 among its questions
    CSerialMap<K, int> noIndexCounts;    // its questions with INDEX 0
    void Clear()
    {
        counts.Clear();
        percents.Clear();
        distinctIndexes.Clear();
        noIndexCounts.Clear();
    }
};

class CStatistics {
public:
    CStatistics() = default;
    explicit CStatistics(const CPtrList& questions) { Compute(questions); }
    virtual ~CStatistics() = default;

    // Empties every table and the list.
    void Reset();
    // Counts the questions of the list (CQuestion*; collections are skipped).
    void Compute(const CPtrList& questions);

    // The keys of the subject and textbook counts, in key order.
    void GetSubjectTexts(CStringArray& out) const;
    void GetTextbookTexts(CStringArray& out) const;

    // Counts the questions that are not collections per group (MEMBERID). With countAll the map
    // is emptied and every group counted; otherwise only the groups already in the map are.
    // Returns the number of entries in the map.
    static int CountMemberIds(const CPtrList& questions, CIntIntMap& counts, BOOL countAll);

    // The value texts a question is counted under.
    static CString SubjectText(const CQuestion& question);
    static CString TextbookText(const CQuestion& question);
    static CString AnswerText(const CQuestion& question);

    // The number of distinct INDEX values (0 among them), and of questions without one.
    int GetIndexValueCount() const { return m_mIndexCounts.GetCount(); }
    int GetNoIndexCount() const { return m_nNoIndexCount; }

    CPtrListEx m_plQuestions;
    CIntIntMap m_mIndexCounts;        // INDEX -> questions with it
    CIntIntMap m_mIndexMultiplicity;  // k -> INDEX values held by exactly k questions
    CStatDimension<int> m_Levels;
    CStatDimension<CString> m_Subjects;
    CStringIntMap m_mAnswerCounts;    // MC and TF questions by answer text
    CStatDimension<int> m_Types;
    CStatDimension<CString> m_Textbooks;
    int m_nNoIndexCount = 0;
};
