#pragma once
// Questions drawn at random from candidates until a number is reached, within quotas by type,
// level, subject and textbook (each per value, with one for any value), optionally never two
// of the same INDEX. Every decision goes into a trace. The Add Question Wizard fills the quotas
// from its random-criteria pages and shows the result.
//
// Also here: the questions of a group, for the groups window.

#include "foundation/PtrListEx.h"
#include "foundation/SerialMap.h"
#include "platform/core/String.h"

#include <cstdio>

class CCorraDoc;
class CQuestion;
class CStatistics;

// The quota keys that stand for any value.
constexpr int QUOTA_ANY = -1;
constexpr const char* QUOTA_WILD = "wild";

class CQuestSelect {
public:
    CQuestSelect();
    virtual ~CQuestSelect() = default;
    CQuestSelect(const CQuestSelect&) = delete;
    CQuestSelect& operator=(const CQuestSelect&) = delete;

    // Nothing requested, unique INDEX, no criterion, no quota, no trace.
    void Reset();
    // Resets, then takes the candidates (CQuestion*), the number wanted and the INDEX rule. 1.
    int Init(const CPtrList& candidates, int requested, BOOL uniqueIndex);
    // Draws: the result list holds the questions chosen, the used maps the counts per value.
    // stats: of the source, whose subjects and textbooks the used maps list (may be NULL).
    // 1, or 0 when an exception ended it (the result as far as it got).
    int Run(const CStatistics* stats);

    // The texts a question is matched under: the type's code ("MC"); the subjects, and the
    // textbooks as "book/chapter", each joined by ", " ("<none>" without any).
    static CString TypeText(const CQuestion& question);
    static CString SubjectText(const CQuestion& question);
    static CString TextbookText(const CQuestion& question);

    CPtrListEx m_plResult;          // in the order chosen
    CIntIntMap m_mTypeQuotas;       // type id -> still wanted; QUOTA_ANY any type
    CIntIntMap m_mLevelQuotas;      // level -> still wanted; QUOTA_ANY any level
    CStringIntMap m_mSubjectQuotas; // subject text -> still wanted; QUOTA_WILD any subject
    CStringIntMap m_mTextbookQuotas;
    CIntIntMap m_mTypesUsed;        // chosen per value
    CIntIntMap m_mLevelsUsed;
    CStringIntMap m_mSubjectsUsed;
    CStringIntMap m_mTextbooksUsed;
    int m_nRequested = 0;
    BOOL m_bUniqueIndex = TRUE;
    CPtrListEx m_plCandidates;
    // A criterion takes part only when its flag is set.
    BOOL m_bByType = FALSE;
    BOOL m_bByLevel = FALSE;
    BOOL m_bBySubject = FALSE;
    BOOL m_bByTextbook = FALSE;
    FILE* m_pTrace = nullptr;  // not owned

private:
    void ResetUsed(const CStatistics* stats);
    void Shuffle();
    void BringPreferredForward();
    BOOL IsPreferred(const CQuestion& question) const;
    // Checks each active criterion in turn (traced); FALSE at the first that refuses.
    BOOL PassesCriteria(const CQuestion& question);
    void Commit(const CQuestion& question);
    void Trace(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void TraceResult(BOOL ok);
};

// The document's questions (not collections) of a group; for the ID -1 those whose group the
// document does not have. out is emptied first; the count.
int GetGroupQuestions(const CCorraDoc* doc, int groupId, CPtrList& out);
