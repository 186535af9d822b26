#include "model/QuestSelect.h"

#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Group.h"
#include "model/Statistics.h"
#include "platform/core/Random.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int MC = static_cast<int>(IDS_QTYPE_MC);
constexpr int TF = static_cast<int>(IDS_QTYPE_TF);
constexpr int ES = static_cast<int>(IDS_QTYPE_ES);

// A trace file the test reads back.
class CTrace {
public:
    CTrace() : m_file(std::tmpfile()) {}
    ~CTrace() { std::fclose(m_file); }
    FILE* File() const { return m_file; }
    std::string Text() const
    {
        std::fflush(m_file);
        std::rewind(m_file);
        std::string text;
        for (int c; (c = std::fgetc(m_file)) != EOF;)
            text += static_cast<char>(c);
        return text;
    }

private:
    FILE* m_file;
};

class QuestSelectTest : public CorraTest {
protected:
    CQuestion* Add(int type, int index = 0, int level = 1, std::vector<const char*> subjects = {})
    {
        auto q = std::make_unique<CQuestion>();
        q->m_nId = static_cast<int>(owned.size()) + 1;
        q->m_nType = type;
        q->m_nIndex = index;
        q->m_nLevel = level;
        for (const char* subject : subjects)
            q->m_saSubjects.Add(subject);
        candidates.AddTail(q.get());
        owned.push_back(std::move(q));
        return owned.back().get();
    }
    std::vector<CQuestion*> Result(const CQuestSelect& select) const
    {
        std::vector<CQuestion*> out;
        for (POSITION pos = select.m_plResult.GetHeadPosition(); pos;)
            out.push_back(static_cast<CQuestion*>(select.m_plResult.GetNext(pos)));
        return out;
    }
    static int Value(const CIntIntMap& map, int key)
    {
        int value = -99;
        map.Lookup(key, value);
        return value;
    }
    static int Value(const CStringIntMap& map, const char* key)
    {
        int value = -99;
        map.Lookup(key, value);
        return value;
    }

    std::vector<std::unique_ptr<CQuestion>> owned;
    CPtrList candidates;
    CTrace trace;
};

TEST_F(QuestSelectTest, AnyTypeQuotaTakesWhatTheOwnQuotaLeaves)
{
    Add(MC);
    Add(MC);
    Add(MC);
    CQuestion* tf = Add(TF);
    CQuestSelect select;
    select.Init(candidates, 4, TRUE);
    select.m_mTypeQuotas[MC] = 2;
    select.m_mTypeQuotas[QUOTA_ANY] = 1;
    select.m_bByType = TRUE;
    select.m_pTrace = trace.File();
    CorraSrand(12);
    ASSERT_EQ(select.Run(nullptr), 1);
    const std::vector<CQuestion*> chosen = Result(select);
    ASSERT_EQ(chosen.size(), 3u);
    for (CQuestion* q : chosen)
        EXPECT_EQ(q->m_nType, MC);
    // Preferred candidates come first, so the true-false question is examined last.
    EXPECT_EQ(select.m_plCandidates.GetTail(), tf);
    EXPECT_EQ(Value(select.m_mTypeQuotas, MC), 0);
    EXPECT_EQ(Value(select.m_mTypeQuotas, QUOTA_ANY), 0);
    EXPECT_EQ(Value(select.m_mTypesUsed, MC), 3);
    EXPECT_EQ(Value(select.m_mTypesUsed, TF), 0);
    const std::string text = trace.Text();
    EXPECT_NE(text.find("QType: TF...FAILED - due to requirement restriction\nNOT added\n\n"), std::string::npos) << text;
    EXPECT_GT(text.find("QType: TF"), text.rfind("Adding ----->QType: MC")) << text;
}

TEST_F(QuestSelectTest, TwoQuestionsOfOneIndexNeverBothWhenIndexesAreUnique)
{
    for (BOOL unique : {TRUE, FALSE}) {
        owned.clear();
        candidates.RemoveAll();
        Add(ES, 7);
        Add(ES, 7);
        Add(ES, 0);
        Add(ES, 0);
        CTrace log;
        CQuestSelect select;
        select.Init(candidates, 10, unique);
        select.m_pTrace = log.File();
        ASSERT_EQ(select.Run(nullptr), 1);
        EXPECT_EQ(select.m_plResult.GetCount(), unique ? 3 : 4);
        EXPECT_EQ(log.Text().find("***** index clash: 7...NOT added\n\n") != std::string::npos, unique != FALSE);
    }
}

TEST_F(QuestSelectTest, InactiveCriteriaLetEveryQuestionThroughUncounted)
{
    Add(MC, 1, 3);
    Add(TF, 2, 4);
    CQuestSelect select;
    select.Init(candidates, 5, TRUE);
    select.m_mTypeQuotas[ES] = 1;
    select.m_mLevelQuotas[6] = 1;
    select.m_pTrace = trace.File();
    ASSERT_EQ(select.Run(nullptr), 1);
    EXPECT_EQ(select.m_plResult.GetCount(), 2);
    EXPECT_EQ(Value(select.m_mTypesUsed, MC), 0);
    EXPECT_EQ(Value(select.m_mLevelsUsed, 3), 0);
    EXPECT_EQ(select.m_mTypesUsed.GetCount(), 8);
    EXPECT_EQ(select.m_mLevelsUsed.GetCount(), 7);
    // Only the additions are traced: no criterion was checked.
    EXPECT_EQ(trace.Text().find("..."), std::string::npos) << trace.Text();
    EXPECT_EQ(trace.Text().find("Adding ----->"), 0u);
}

TEST_F(QuestSelectTest, SubjectsAreMatchedJoinedButPreferredOneByOne)
{
    CQuestion* both = Add(ES, 0, 1, {"Algebra", "Geometry"});
    Add(ES, 0, 1, {"History"});
    struct Case {
        const char* key;
        int taken;
    };
    for (const Case& c : {Case{"Algebra", 0}, Case{"Algebra, Geometry", 1}, Case{"wild", 2}}) {
        CQuestSelect select;
        select.Init(candidates, 2, TRUE);
        select.m_mSubjectQuotas[c.key] = 2;
        select.m_bBySubject = TRUE;
        ASSERT_EQ(select.Run(nullptr), 1);
        // A quota for one of its subjects brings it forward all the same.
        if (CString(c.key) == "Algebra") {
            EXPECT_EQ(select.m_plCandidates.GetHead(), both);
        }
        ASSERT_EQ(select.m_plResult.GetCount(), c.taken) << c.key;
        if (c.taken > 0) {
            EXPECT_NE(select.m_plResult.Find(both), nullptr) << c.key;
            EXPECT_EQ(Value(select.m_mSubjectsUsed, "Algebra, Geometry"), 1) << c.key;
            EXPECT_EQ(Value(select.m_mSubjectQuotas, c.key), 2 - c.taken) << c.key;
        }
    }
}

TEST_F(QuestSelectTest, TheTraceNamesEachStepAndTheQuestionAdded)
{
    CQuestion* q = Add(MC, 5, 2, {"Algebra"});
    q->m_saBooks.Add("Book");
    q->m_saChapters.Add("3");
    CQuestSelect select;
    select.Init(candidates, 1, TRUE);
    select.m_mTypeQuotas[QUOTA_ANY] = -1;  // never used up
    select.m_mLevelQuotas[2] = 1;
    select.m_mSubjectQuotas["Algebra"] = 1;
    select.m_mTextbookQuotas["Book/3"] = 2;
    select.m_bByType = select.m_bByLevel = select.m_bBySubject = select.m_bByTextbook = TRUE;
    select.m_pTrace = trace.File();
    ASSERT_EQ(select.Run(nullptr), 1);
    EXPECT_EQ(trace.Text(), "QType: MC...OK\nLevel: 2...OK\nSubj: OK\nTextbook: OK\n"
                            "Adding ----->QType: MC, Level: 2, Subject: Algebra, Textbook: Book/3, Index: 5\n\n");
    EXPECT_EQ(Value(select.m_mTypeQuotas, QUOTA_ANY), -1);
    EXPECT_EQ(Value(select.m_mTextbookQuotas, "Book/3"), 1);
    EXPECT_EQ(Value(select.m_mTextbooksUsed, "Book/3"), 1);
}

TEST_F(QuestSelectTest, NothingToDrawOrNothingWanted)
{
    CQuestSelect empty;
    empty.Init(candidates, 3, TRUE);
    empty.m_pTrace = trace.File();
    EXPECT_EQ(empty.Run(nullptr), 1);
    EXPECT_EQ(empty.m_plResult.GetCount(), 0);

    Add(ES);
    CQuestSelect none;
    none.Init(candidates, 0, TRUE);
    none.m_pTrace = trace.File();
    EXPECT_EQ(none.Run(nullptr), 1);
    EXPECT_EQ(none.m_plResult.GetCount(), 0);
    EXPECT_EQ(trace.Text(), "");
}

TEST_F(QuestSelectTest, TheUsedMapsListTheSubjectsAndTextbooksOfTheSource)
{
    Add(ES, 0, 1, {"Biology"});
    CQuestion* other = Add(ES, 0, 1, {"Chemistry"});
    other->m_saBooks.Add("Lab");
    other->m_saChapters.Add("2");
    CStatistics stats(candidates);
    CQuestSelect select;
    select.Init(candidates, 0, TRUE);
    ASSERT_EQ(select.Run(&stats), 1);
    EXPECT_EQ(Value(select.m_mSubjectsUsed, "Biology"), 0);
    EXPECT_EQ(Value(select.m_mSubjectsUsed, "Chemistry"), 0);
    EXPECT_EQ(Value(select.m_mTextbooksUsed, "Lab/2"), 0);
    EXPECT_EQ(Value(select.m_mTextbooksUsed, "<none>"), 0);
    select.Reset();
    EXPECT_TRUE(select.m_mSubjectsUsed.IsEmpty());
    EXPECT_EQ(select.m_plCandidates.GetCount(), 0);
    EXPECT_TRUE(select.m_bUniqueIndex);
}

TEST_F(QuestSelectTest, AGroupListsItsQuestionsAndMinusOneTheUngrouped)
{
    CCorraDoc doc;
    CGroup group;
    group.m_nId = 70;
    group.m_csName = "Cells";
    doc.AddNewGroup(group);
    std::vector<CCorraQuestion*> qs;
    for (int memberId : {70, 0, 70, 55}) {
        auto* q = doc.InsertQuestion(new CCorraQuestion);
        q->m_nType = ES;
        q->m_nMemberId = memberId;
        qs.push_back(q);
    }
    doc.GetOrCreateCollection("Unit");
    CPtrList out;
    out.AddTail(qs[0]);
    EXPECT_EQ(GetGroupQuestions(&doc, 70, out), 2);
    EXPECT_EQ(out.GetHead(), qs[0]);
    EXPECT_EQ(out.GetTail(), qs[2]);
    // The group 55 the document does not have counts as none; the collection is no member.
    EXPECT_EQ(GetGroupQuestions(&doc, -1, out), 2);
    EXPECT_EQ(out.GetHead(), qs[1]);
    EXPECT_EQ(out.GetTail(), qs[3]);
    EXPECT_EQ(GetGroupQuestions(&doc, 12, out), 0);
}

} // namespace
