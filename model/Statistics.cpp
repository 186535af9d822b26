#include "model/Statistics.h"

#include "model/CorraQuestion.h"
#include "res/ids/QuestionTypes.h"

#include <functional>
#include <map>
#include <set>
#include <vector>

namespace {

constexpr const char* kNone = "<none>";

template <typename K>
void Count(CStatDimension<K>& dim, const std::vector<const CQuestion*>& questions,
           const std::function<K(const CQuestion&)>& valueOf)
{
    dim.Clear();
    std::map<K, std::vector<const CQuestion*>> byValue;
    for (const CQuestion* q : questions) {
        K value = valueOf(*q);
        ++dim.counts[value];
        byValue[value].push_back(q);
    }
    const double total = static_cast<double>(questions.size());
    for (const auto& [value, members] : byValue) {
        dim.percents[value] = static_cast<int>(static_cast<double>(members.size()) * 100.0 / total);
        std::set<int> indexes;
        int noIndex = 0;
        for (const CQuestion* q : members) {
            if (q->m_nIndex == 0)
                ++noIndex;
            else
                indexes.insert(q->m_nIndex);
        }
        dim.distinctIndexes[value] = static_cast<int>(indexes.size());
        dim.noIndexCounts[value] = noIndex;
    }
}

BOOL IsCollection(const CQuestion* question)
{
    return question->m_nType == static_cast<int>(IDS_QTYPE_CO);
}

} // namespace

void CStatistics::Reset()
{
    // Every table, not only the index counts: a second Compute would add to the first.
    m_plQuestions.RemoveAll();
    m_mIndexCounts.Clear();
    m_mIndexMultiplicity.Clear();
    m_Levels.Clear();
    m_Subjects.Clear();
    m_mAnswerCounts.Clear();
    m_Types.Clear();
    m_Textbooks.Clear();
    m_nNoIndexCount = 0;
}

CString CStatistics::SubjectText(const CQuestion& question)
{
    CString text;
    for (int i = 0; i < question.m_saSubjects.GetSize(); ++i)
        text += (i > 0 ? ", " : "") + question.m_saSubjects[i];
    return text.IsEmpty() ? CString(kNone) : text;
}

CString CStatistics::TextbookText(const CQuestion& question)
{
    CString text;
    for (int i = 0; i < question.m_saBooks.GetSize(); ++i) {
        CString chapter = i < question.m_saChapters.GetSize() ? question.m_saChapters[i] : CString();
        text += (i > 0 ? ", " : "") + question.m_saBooks[i] + "/" + chapter;
    }
    return text.IsEmpty() ? CString(kNone) : text;
}

CString CStatistics::AnswerText(const CQuestion& question)
{
    // The base's text is the display text of every draw mode but the answers summary, so no
    // process-wide draw mode needs to change while statistics are computed.
    CString answer;
    question.CQuestion::GetAnswerText(answer);
    answer.Trim();
    answer.MakeUpper();
    return answer.IsEmpty() ? CString(kNone) : answer;
}

void CStatistics::Compute(const CPtrList& questions)
{
    Reset();
    std::vector<const CQuestion*> counted;
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        void* item = questions.GetNext(pos);
        m_plQuestions.AddTail(item);
        const auto* question = static_cast<const CQuestion*>(item);
        if (question && !IsCollection(question))
            counted.push_back(question);
    }
    for (const CQuestion* q : counted) {
        ++m_mIndexCounts[q->m_nIndex];
        if (q->m_nIndex == 0)
            ++m_nNoIndexCount;
    }
    for (const auto& [index, k] : m_mIndexCounts)
        ++m_mIndexMultiplicity[k];
    Count<int>(m_Levels, counted, [](const CQuestion& q) { return q.m_nLevel; });
    Count<int>(m_Types, counted, [](const CQuestion& q) { return q.m_nType; });
    Count<CString>(m_Subjects, counted, SubjectText);
    Count<CString>(m_Textbooks, counted, TextbookText);
    for (const CQuestion* q : counted)
        if (q->m_nType == static_cast<int>(IDS_QTYPE_MC) || q->m_nType == static_cast<int>(IDS_QTYPE_TF))
            ++m_mAnswerCounts[AnswerText(*q)];
}

void CStatistics::GetSubjectTexts(CStringArray& out) const
{
    out.RemoveAll();
    for (const auto& [text, count] : m_Subjects.counts)
        out.Add(text);
}

void CStatistics::GetTextbookTexts(CStringArray& out) const
{
    out.RemoveAll();
    for (const auto& [text, count] : m_Textbooks.counts)
        out.Add(text);
}

int CStatistics::CountMemberIds(const CPtrList& questions, CIntIntMap& counts, BOOL countAll)
{
    if (countAll)
        counts.Clear();
    for (POSITION pos = questions.GetHeadPosition(); pos;) {
        const auto* question = dynamic_cast<const CCorraQuestion*>(static_cast<const CQuestion*>(questions.GetNext(pos)));
        if (!question || question->IsCollection())
            continue;
        auto it = counts.find(question->m_nMemberId);
        if (it != counts.end())
            ++it->second;
        else if (countAll)
            counts[question->m_nMemberId] = 1;
    }
    return counts.GetCount();
}
