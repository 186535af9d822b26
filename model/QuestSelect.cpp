#include "model/QuestSelect.h"

#include "foundation/LogException.h"
#include "foundation/QuestionTypes.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Question.h"
#include "model/Statistics.h"
#include "platform/core/Random.h"

#include <cstdarg>
#include <set>
#include <vector>

namespace {

constexpr int LEVEL_COUNT = 7;  // levels 0 to 6

// How a value passes a criterion: by its own quota, by the quota for any value, or not.
enum class Pass { no, own, any };

template <typename K>
Pass CheckQuota(const CSerialMap<K, int>& quotas, const K& value, const K& anyKey)
{
    int left = 0;
    if (quotas.Lookup(value, left) && left != 0)
        return Pass::own;
    if (quotas.Lookup(anyKey, left) && left != 0)
        return Pass::any;
    return Pass::no;
}

// A value whose own quota is used up is charged to the quota for any value. A quota below 0
// is never used up.
template <typename K>
void CommitQuota(CSerialMap<K, int>& quotas, CSerialMap<K, int>& used, const K& value, const K& anyKey)
{
    const Pass pass = CheckQuota(quotas, value, anyKey);
    if (pass == Pass::no)
        return;
    int& left = quotas[pass == Pass::own ? value : anyKey];
    if (left > 0)
        --left;
    ++used[value];
}

template <typename K>
BOOL HasOwnQuota(const CSerialMap<K, int>& quotas, const K& value, const K& anyKey)
{
    int left = 0;
    return !(value == anyKey) && quotas.Lookup(value, left) && left >= 1;
}

CString Joined(const CStringArrayEx& items)
{
    CString text;
    for (int i = 0; i < items.GetSize(); ++i)
        text += (i > 0 ? ", " : "") + items[i];
    return text;
}

// The textbook items of a question, "book/chapter".
std::vector<CString> TextbookItems(const CQuestion& question)
{
    std::vector<CString> items;
    for (int i = 0; i < question.m_saBooks.GetSize(); ++i)
        items.push_back(question.m_saBooks[i] + "/" +
                        (i < question.m_saChapters.GetSize() ? question.m_saChapters[i] : CString()));
    return items;
}

const CString kWild(QUOTA_WILD);

} // namespace

CQuestSelect::CQuestSelect()
{
    Reset();
}

void CQuestSelect::Reset()
{
    m_nRequested = 0;
    m_bUniqueIndex = TRUE;
    m_bByType = m_bByLevel = m_bBySubject = m_bByTextbook = FALSE;
    m_plResult.RemoveAll();
    m_plCandidates.RemoveAll();
    m_mTypeQuotas.Clear();
    m_mLevelQuotas.Clear();
    m_mSubjectQuotas.Clear();
    m_mTextbookQuotas.Clear();
    m_pTrace = nullptr;
    ResetUsed(nullptr);
}

int CQuestSelect::Init(const CPtrList& candidates, int requested, BOOL uniqueIndex)
{
    Reset();
    for (POSITION pos = candidates.GetHeadPosition(); pos;)
        m_plCandidates.AddTail(candidates.GetNext(pos));
    m_nRequested = requested;
    m_bUniqueIndex = uniqueIndex;
    return 1;
}

CString CQuestSelect::TypeText(const CQuestion& question)
{
    return question.GetTypeText();
}

CString CQuestSelect::SubjectText(const CQuestion& question)
{
    return CStatistics::SubjectText(question);
}

CString CQuestSelect::TextbookText(const CQuestion& question)
{
    return CStatistics::TextbookText(question);
}

void CQuestSelect::ResetUsed(const CStatistics* stats)
{
    m_mTypesUsed.Clear();
    for (int i = 0; i < GetQuestionTypeCount(); ++i)
        m_mTypesUsed[static_cast<int>(GetQuestionTypeId(i))] = 0;
    m_mLevelsUsed.Clear();
    for (int level = 0; level < LEVEL_COUNT; ++level)
        m_mLevelsUsed[level] = 0;
    m_mSubjectsUsed.Clear();
    m_mTextbooksUsed.Clear();
    if (!stats)
        return;
    CStringArray texts;
    stats->GetSubjectTexts(texts);
    for (int i = 0; i < texts.GetSize(); ++i)
        m_mSubjectsUsed[texts[i]] = 0;
    stats->GetTextbookTexts(texts);
    for (int i = 0; i < texts.GetSize(); ++i)
        m_mTextbooksUsed[texts[i]] = 0;
}

void CQuestSelect::Trace(const char* format, ...)
{
    if (!m_pTrace)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(m_pTrace, format, args);
    va_end(args);
}

void CQuestSelect::TraceResult(BOOL ok)
{
    Trace("%s\n", ok ? "OK" : "FAILED - due to requirement restriction");
}

void CQuestSelect::Shuffle()
{
    // The program's sequence is seeded once per run: seeding it here with the time would draw
    // the same questions again within the second.
    std::vector<void*> left;
    for (POSITION pos = m_plCandidates.GetHeadPosition(); pos;)
        left.push_back(m_plCandidates.GetNext(pos));
    m_plCandidates.RemoveAll();
    while (!left.empty()) {
        const size_t at = static_cast<size_t>(CorraRand()) % left.size();
        m_plCandidates.AddTail(left[at]);
        left.erase(left.begin() + static_cast<std::ptrdiff_t>(at));
    }
}

BOOL CQuestSelect::IsPreferred(const CQuestion& question) const
{
    if (m_bByType && HasOwnQuota(m_mTypeQuotas, question.m_nType, QUOTA_ANY))
        return TRUE;
    if (m_bByLevel && HasOwnQuota(m_mLevelQuotas, question.m_nLevel, QUOTA_ANY))
        return TRUE;
    if (m_bBySubject)
        for (int i = 0; i < question.m_saSubjects.GetSize(); ++i)
            if (HasOwnQuota(m_mSubjectQuotas, question.m_saSubjects[i], kWild))
                return TRUE;
    if (m_bByTextbook)
        for (const CString& item : TextbookItems(question))
            if (HasOwnQuota(m_mTextbookQuotas, item, kWild))
                return TRUE;
    return FALSE;
}

void CQuestSelect::BringPreferredForward()
{
    CPtrListEx ordered;
    for (POSITION pos = m_plCandidates.GetHeadPosition(); pos;) {
        void* candidate = m_plCandidates.GetNext(pos);
        if (IsPreferred(*static_cast<const CQuestion*>(candidate)))
            ordered.AddHead(candidate);
        else
            ordered.AddTail(candidate);
    }
    m_plCandidates = ordered;
}

BOOL CQuestSelect::PassesCriteria(const CQuestion& question)
{
    if (m_bByType) {
        Trace("QType: %s...", TypeText(question).GetString());
        const BOOL ok = CheckQuota(m_mTypeQuotas, question.m_nType, QUOTA_ANY) != Pass::no;
        TraceResult(ok);
        if (!ok)
            return FALSE;
    }
    if (m_bByLevel) {
        Trace("Level: %d...", question.m_nLevel);
        const BOOL ok = CheckQuota(m_mLevelQuotas, question.m_nLevel, QUOTA_ANY) != Pass::no;
        TraceResult(ok);
        if (!ok)
            return FALSE;
    }
    if (m_bBySubject) {
        Trace("Subj: ");
        const BOOL ok = CheckQuota(m_mSubjectQuotas, SubjectText(question), kWild) != Pass::no;
        TraceResult(ok);
        if (!ok)
            return FALSE;
    }
    if (m_bByTextbook) {
        Trace("Textbook: ");
        const BOOL ok = CheckQuota(m_mTextbookQuotas, TextbookText(question), kWild) != Pass::no;
        TraceResult(ok);
        if (!ok)
            return FALSE;
    }
    return TRUE;
}

void CQuestSelect::Commit(const CQuestion& question)
{
    if (m_bByType)
        CommitQuota(m_mTypeQuotas, m_mTypesUsed, question.m_nType, QUOTA_ANY);
    if (m_bByLevel)
        CommitQuota(m_mLevelQuotas, m_mLevelsUsed, question.m_nLevel, QUOTA_ANY);
    if (m_bBySubject)
        CommitQuota(m_mSubjectQuotas, m_mSubjectsUsed, SubjectText(question), kWild);
    if (m_bByTextbook)
        CommitQuota(m_mTextbookQuotas, m_mTextbooksUsed, TextbookText(question), kWild);
}

int CQuestSelect::Run(const CStatistics* stats)
{
    try {
        Shuffle();
        BringPreferredForward();
        ResetUsed(stats);
        m_plResult.RemoveAll();
        std::set<int> indexes;  // of the questions chosen
        for (POSITION pos = m_plCandidates.GetHeadPosition(); pos && m_plResult.GetCount() < m_nRequested;) {
            void* candidate = m_plCandidates.GetNext(pos);
            const auto& question = *static_cast<const CQuestion*>(candidate);
            if (!PassesCriteria(question)) {
                Trace("NOT added\n\n");
                continue;
            }
            if (m_bUniqueIndex && question.m_nIndex > 0 && indexes.count(question.m_nIndex)) {
                Trace("***** index clash: %d...", question.m_nIndex);
                Trace("NOT added\n\n");
                continue;
            }
            Trace("Adding ----->");
            CString books;
            for (const CString& item : TextbookItems(question))
                books += (books.IsEmpty() ? "" : ", ") + item;
            Trace("QType: %s, Level: %d, Subject: %s, Textbook: %s, Index: %d\n\n", TypeText(question).GetString(),
                  question.m_nLevel, Joined(question.m_saSubjects).GetString(), books.GetString(), question.m_nIndex);
            m_plResult.AddTail(candidate);
            indexes.insert(question.m_nIndex);
            Commit(question);
        }
        return 1;
    } catch (...) {
        LogUnknownException(__TIMESTAMP__, __FILE__, __LINE__);
        return 0;
    }
}

int GetGroupQuestions(const CCorraDoc* doc, int groupId, CPtrList& out)
{
    out.RemoveAll();
    if (!doc)
        return 0;
    for (POSITION pos = doc->m_plQuestions.GetHeadPosition(); pos;) {
        auto* question = static_cast<CCorraQuestion*>(doc->m_plQuestions.GetNext(pos));
        // The groups window counts no collection in a group; it lists none either.
        if (IsCollection(question))
            continue;
        const BOOL member = groupId == -1 ? doc->FindGroupById(question->m_nMemberId) == nullptr
                                          : question->m_nMemberId == groupId;
        if (member)
            out.AddTail(question);
    }
    return out.GetCount();
}
