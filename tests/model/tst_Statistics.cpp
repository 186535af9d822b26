#include "model/Statistics.h"

#include "model/CorraQuestion.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"

#include <map>
#include <memory>

namespace {

using StatisticsTest = CorraTest;

template <typename K>
std::map<K, int> Entries(const CSerialMap<K, int>& m)
{
    return std::map<K, int>(m.begin(), m.end());
}

struct Made {
    std::vector<std::unique_ptr<CCorraQuestion>> questions;
    CPtrListEx list;
    CCorraQuestion& Add(int index, int level, unsigned type, const char* answer = "", const char* subject = nullptr)
    {
        questions.push_back(std::make_unique<CCorraQuestion>());
        CCorraQuestion& q = *questions.back();
        q.m_nIndex = index;
        q.m_nLevel = level;
        q.m_nType = static_cast<int>(type);
        q.m_cszAnswer = answer;
        if (subject)
            q.m_saSubjects.Add(subject);
        list.AddTail(&q);
        return q;
    }
};

TEST_F(StatisticsTest, IndexesLevelsAndPercentages)
{
    Made m;
    m.Add(5, 1, IDS_QTYPE_MC, " b ", "Algebra");
    m.Add(5, 1, IDS_QTYPE_ES, "", "Algebra");
    m.Add(0, 2, IDS_QTYPE_TF, "", nullptr);
    CCorraQuestion& coll = m.Add(5, 1, IDS_QTYPE_CO);
    coll.m_cszQuestionText = "A collection";

    CStatistics stats(m.list);
    EXPECT_EQ(Entries(stats.m_mIndexCounts), (std::map<int, int>{{0, 1}, {5, 2}}));
    EXPECT_EQ(Entries(stats.m_mIndexMultiplicity), (std::map<int, int>{{1, 1}, {2, 1}}));
    EXPECT_EQ(stats.GetNoIndexCount(), 1);
    EXPECT_EQ(stats.GetIndexValueCount(), 2);
    EXPECT_EQ(Entries(stats.m_Levels.counts), (std::map<int, int>{{1, 2}, {2, 1}}));
    EXPECT_EQ(Entries(stats.m_Levels.percents), (std::map<int, int>{{1, 66}, {2, 33}}));
    EXPECT_EQ(Entries(stats.m_Levels.distinctIndexes), (std::map<int, int>{{1, 1}, {2, 0}}));
    EXPECT_EQ(Entries(stats.m_Levels.noIndexCounts), (std::map<int, int>{{1, 0}, {2, 1}}));
    EXPECT_EQ(Entries(stats.m_Subjects.counts), (std::map<CString, int>{{"<none>", 1}, {"Algebra", 2}}));
    EXPECT_EQ(Entries(stats.m_Types.counts).count(static_cast<int>(IDS_QTYPE_CO)), 0u);
    // Only MC and TF answers count; a TF question without an answer counts under "<none>".
    EXPECT_EQ(Entries(stats.m_mAnswerCounts), (std::map<CString, int>{{"<none>", 1}, {"B", 1}}));
    EXPECT_EQ(stats.m_plQuestions.GetCount(), 4);

    // Computing again counts afresh.
    stats.Compute(m.list);
    EXPECT_EQ(Entries(stats.m_mIndexMultiplicity), (std::map<int, int>{{1, 1}, {2, 1}}));
    EXPECT_EQ(Entries(stats.m_mAnswerCounts), (std::map<CString, int>{{"<none>", 1}, {"B", 1}}));

    CPtrListEx empty;
    stats.Compute(empty);
    EXPECT_TRUE(stats.m_mIndexCounts.IsEmpty());
    EXPECT_TRUE(stats.m_Levels.percents.IsEmpty());
    EXPECT_EQ(stats.GetNoIndexCount(), 0);
}

TEST_F(StatisticsTest, TextbookAndSubjectTextsJoinTheQuestionsItems)
{
    Made m;
    CCorraQuestion& q = m.Add(1, 0, IDS_QTYPE_TF, "a");
    q.m_saSubjects.Add("Physics");
    q.m_saSubjects.Add("Optics");
    q.AddTextbook("Halliday", "3");
    q.AddTextbook("Notes", "ch2");
    CStatistics stats(m.list);
    CStringArray subjects, books;
    stats.GetSubjectTexts(subjects);
    stats.GetTextbookTexts(books);
    ASSERT_EQ(subjects.GetSize(), 1);
    EXPECT_EQ(subjects[0], "Physics, Optics");
    ASSERT_EQ(books.GetSize(), 1);
    EXPECT_EQ(books[0], "Halliday/3, Notes/ch2");
    EXPECT_EQ(Entries(stats.m_mAnswerCounts), (std::map<CString, int>{{"TRUE", 1}}));
}

TEST_F(StatisticsTest, MemberIdsAreCountedPerGroup)
{
    Made m;
    m.Add(0, 0, IDS_QTYPE_MC).m_nMemberId = 10;
    m.Add(0, 0, IDS_QTYPE_MC).m_nMemberId = 10;
    m.Add(0, 0, IDS_QTYPE_MC).m_nMemberId = 20;
    m.Add(0, 0, IDS_QTYPE_CO).m_nMemberId = 20;
    CIntIntMap counts;
    counts[99] = 5;
    EXPECT_EQ(CStatistics::CountMemberIds(m.list, counts, TRUE), 2);
    EXPECT_EQ(Entries(counts), (std::map<int, int>{{10, 2}, {20, 1}}));
    CIntIntMap only;
    only[20] = 0;
    EXPECT_EQ(CStatistics::CountMemberIds(m.list, only, FALSE), 1);
    EXPECT_EQ(Entries(only), (std::map<int, int>{{20, 1}}));
}

} // namespace
