#include "model/ScrambleList.h"

#include "foundation/Log.h"
#include "platform/core/Archive.h"
#include "model/CorraQuestion.h"
#include "platform/core/Random.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"

#include <cmath>
#include <map>
#include <set>
#include <vector>

namespace {

class ScrambleListTest : public CorraTest {};

CCorraQuestion MultipleChoice(int id, const char* choices, const char* answer)
{
    CCorraQuestion q;
    q.m_nId = id;
    q.m_nType = static_cast<int>(IDS_QTYPE_MC);
    q.SetChoices(choices, '*', '*');
    q.m_cszAnswer = answer;
    return q;
}

std::vector<int> Sequence(const CWordArray& words)
{
    std::vector<int> out;
    for (int i = 0; i < words.GetSize(); ++i)
        out.push_back(words[i]);
    return out;
}

std::vector<CString> Texts(const CQuestion& q)
{
    std::vector<CString> out;
    for (int i = 0; i < q.m_Choices.GetCount(); ++i)
        out.push_back(q.m_Choices.GetChoiceText(i, TRUE));
    return out;
}

TEST_F(ScrambleListTest, AnEntryIsReadOnlyWhenEveryFieldHolds)
{
    struct Case {
        const char* line;
        bool valid;
        const char* logged;  // the log line a refusal leaves
    };
    const Case cases[] = {
        {"1204:2:2 0 3 1:0", true, nullptr},
        {"1204:x:2 0 3 1:0", false, "csTok.IsDigits()"},
        {"1204:2:2 a 3 1:0", false, "csTok.IsDigits()"},
        {"1204:2:2 0 3 1", false, "csTok.IsDigits()"},
        {"1204:2:2 0 3 1:4", false, "nNewAns >= 0 && nNewAns < waSeq.GetSize()"},
        {"1204:4:2 0 3 1:0", false, "nOldAns >= 0 && nOldAns < waSeq.GetSize()"},
        {"1204:2::0", false, "nNewAns >= 0"},
        {"1204:2:2 0 99999999999 1:0", false, "csTok.IsDigits()"},
        {"1204:2:2 0 65539 1:0", false, "csTok.IsDigits()"},
        {"77:2:2 0 3 1:0", false, nullptr},  // names another question
    };
    for (const Case& c : cases) {
        ResetLogging();
        CScrambleList list;
        list.SetLine(1204, c.line);
        int oldAnswer = -1;
        int newAnswer = -1;
        CWordArray sequence;
        EXPECT_EQ(list.GetScrambleEntry(1204, oldAnswer, newAnswer, sequence) != FALSE, c.valid) << c.line;
        if (c.logged) {
            EXPECT_GE(GetLogBuffer().Find(c.logged), 0) << c.line;
        }
        if (c.valid) {
            EXPECT_EQ(oldAnswer, 2);
            EXPECT_EQ(newAnswer, 0);
            EXPECT_EQ(Sequence(sequence), (std::vector<int>{2, 0, 3, 1}));
        }
    }
    CScrambleList list;
    int a = 0, b = 0;
    CWordArray sequence;
    EXPECT_FALSE(list.GetScrambleEntry(5, a, b, sequence));
    EXPECT_TRUE(list.IsEmpty());
}

TEST_F(ScrambleListTest, ParsingKeysEachLineByItsIdOrRefusesTheWholeText)
{
    CScrambleList list;
    ASSERT_EQ(list.Parse("1204:2:2 0 3 1:0\r\n77:0:1 0:1"), 1);
    CString line;
    EXPECT_TRUE(list.GetLine(77, line));
    EXPECT_EQ(line, "77:0:1 0:1");
    EXPECT_EQ(list.GetText(), "77:0:1 0:1\r\n1204:2:2 0 3 1:0");

    // No colon at all: nothing changes.
    EXPECT_EQ(list.Parse("nothing here"), 0);
    EXPECT_EQ(list.GetCount(), 2);

    // A second line with a letter before its first colon empties the list.
    ResetLogging();
    EXPECT_EQ(list.Parse("5:0:1 0:1\r\nQ6:0:1 0:1"), 0);
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_GE(GetLogBuffer().Find("Assertion failure: csQID.IsDigits()"), 0);
}

TEST_F(ScrambleListTest, ALineMustStillBeAPermutationOfTheQuestionsChoices)
{
    struct Case {
        const char* line;
        const char* choices;
        const char* answer;
        bool fits;
        const char* key;  // the answer the keys print
    };
    const Case cases[] = {
        {"1204:2:2 0 3 1:0", "a. one b. two c. three d. four", "C", true, "A"},
        {"1204:2:2 0 3 1:0", "a. one b. two c. three d. four", "c", true, "a"},
        // The answer was edited after scrambling: the key follows the answer, not the line.
        {"1204:2:2 0 3 1:0", "a. one b. two c. three d. four", "d", true, "c"},
        // Choices added or removed after scrambling: the line is ignored.
        {"1204:2:2 0 3 1:0", "a. one b. two c. three", "c", false, "c"},
        {"1204:2:2 0 1:0", "a. one b. two c. three d. four", "c", false, "c"},
        // A repeated index would print one choice twice and lose another.
        {"1204:2:2 0 2 1:0", "a. one b. two c. three d. four", "c", false, "c"},
    };
    for (const Case& c : cases) {
        CScrambleList list;
        list.SetLine(1204, c.line);
        CCorraQuestion q = MultipleChoice(1204, c.choices, c.answer);
        CWordArray sequence;
        int newAnswer = -1;
        EXPECT_EQ(list.GetEntryFor(q, sequence, newAnswer) != FALSE, c.fits) << c.line << " / " << c.choices;
        CString key;
        ASSERT_TRUE(list.GetScrambledAnswer(q, key));
        EXPECT_EQ(key, c.key) << c.line << " / " << c.answer;
        CCorraQuestion printed = q;
        EXPECT_EQ(ApplyChoiceScramble(printed, list) != FALSE, c.fits);
        EXPECT_EQ(printed.m_cszAnswer, c.key);
        if (!c.fits) {
            EXPECT_EQ(Texts(printed), Texts(q));
        }
    }

    // Only multiple-choice questions, and only with a list.
    CScrambleList list;
    CCorraQuestion q = MultipleChoice(1204, "a. one b. two", "a");
    CString key;
    EXPECT_FALSE(list.GetScrambledAnswer(q, key));
    list.SetLine(1204, "1204:0:1 0:1");
    q.m_nType = static_cast<int>(IDS_QTYPE_TF);
    EXPECT_FALSE(list.GetScrambledAnswer(q, key));
}

TEST_F(ScrambleListTest, ARandomPermutationHoldsEveryIndexOnceAndFollowsTheSeed)
{
    for (int n : {0, 1, 2, 5, 26}) {
        CorraSrand(31);
        CWordArray first;
        CScrambleList::RandomPermutation(n, first);
        const std::vector<int> drawn = Sequence(first);
        const std::set<int> seen(drawn.begin(), drawn.end());
        EXPECT_EQ(first.GetSize(), n);
        EXPECT_EQ(static_cast<int>(seen.size()), n);
        if (n > 0) {
            EXPECT_EQ(*seen.rbegin(), n - 1);
        }
        CorraSrand(31);
        CWordArray again;
        CScrambleList::RandomPermutation(n, again);
        EXPECT_EQ(Sequence(again), Sequence(first));
    }
}

TEST_F(ScrambleListTest, EveryOrderOfTheChoicesIsEquallyLikely)
{
    // Seeded, so the counts are the same on every run; a draw that favours some orders (a swap
    // with any place, a biased pick) is far outside the bound.
    for (int n : {3, 4, 5}) {
        int orders = 1;
        for (int k = 2; k <= n; ++k)
            orders *= k;
        const int draws = 400 * orders;
        CorraSrand(7);
        std::map<std::vector<int>, int> seen;
        for (int i = 0; i < draws; ++i) {
            CWordArray order;
            CScrambleList::RandomPermutation(n, order);
            ++seen[Sequence(order)];
        }
        EXPECT_EQ(static_cast<int>(seen.size()), orders) << n;
        double chiSquare = 0;
        for (const auto& [order, count] : seen)
            chiSquare += (count - 400.0) * (count - 400.0) / 400.0;
        chiSquare += 400.0 * (orders - static_cast<int>(seen.size()));
        // The chi-square bound a fair draw stays below but once in a thousand runs (Wilson and
        // Hilferty's approximation, z = 3.09).
        const double df = orders - 1;
        const double bound = df * std::pow(1 - 2 / (9 * df) + 3.09 * std::sqrt(2 / (9 * df)), 3);
        EXPECT_LT(chiSquare, bound) << n << " choices";
    }
}

TEST_F(ScrambleListTest, ScramblingGivesEachAnsweredMultipleChoiceMemberAConsistentLine)
{
    CCorraQuestion answered = MultipleChoice(10, "a. one b. two c. three d. four", "c");
    CCorraQuestion upper = MultipleChoice(11, "a. one b. two c. three", "B");
    CCorraQuestion unanswered = MultipleChoice(12, "a. one b. two c. three", "");
    CCorraQuestion pastChoices = MultipleChoice(13, "a. one b. two c. three", "e");
    CCorraQuestion essay;
    essay.m_nId = 14;
    essay.m_nType = static_cast<int>(IDS_QTYPE_ES);
    CPtrList members;
    for (CCorraQuestion* q : {&answered, &upper, &unanswered, &pastChoices, &essay})
        members.AddTail(q);

    ResetLogging();
    CorraSrand(99);
    CScrambleList list;
    ASSERT_EQ(list.Scramble(members, TRUE), 1);
    EXPECT_EQ(list.GetCount(), 2);
    CString line;
    EXPECT_FALSE(list.GetLine(12, line));
    EXPECT_FALSE(list.GetLine(13, line));
    EXPECT_FALSE(list.GetLine(14, line));
    EXPECT_GE(GetLogBuffer().Find("CScrambleList::Scramble() - answer of question ID 13 names no choice"), 0);
    // An unanswered question is simply left in its order.
    EXPECT_LT(GetLogBuffer().Find("question ID 12"), 0);
    for (CCorraQuestion* q : {&answered, &upper}) {
        int oldAnswer = -1;
        int newAnswer = -1;
        CWordArray sequence;
        ASSERT_TRUE(list.GetScrambleEntry(q->m_nId, oldAnswer, newAnswer, sequence));
        EXPECT_EQ(sequence[newAnswer], oldAnswer);
        // The printed question's answer names the same text the stored one did.
        CCorraQuestion printed = *q;
        ASSERT_TRUE(ApplyChoiceScramble(printed, list));
        CString before, after;
        q->GetCorrectChoice(before);
        printed.GetCorrectChoice(after);
        EXPECT_EQ(after, before);
    }
    CString key;
    ASSERT_TRUE(list.GetScrambledAnswer(upper, key));
    EXPECT_TRUE(key.GetAt(0) >= 'A' && key.GetAt(0) <= 'C') << key;

    EXPECT_EQ(list.Scramble(members, FALSE), 1);
    EXPECT_TRUE(list.IsEmpty());
}

TEST_F(ScrambleListTest, AMemberWithFewerThanTwoChoicesStopsTheScramble)
{
    CCorraQuestion first = MultipleChoice(20, "a. one b. two", "a");
    CCorraQuestion single = MultipleChoice(21, "a. one", "a");
    CCorraQuestion after = MultipleChoice(22, "a. one b. two", "b");
    CPtrList members;
    for (CCorraQuestion* q : {&first, &single, &after})
        members.AddTail(q);
    CScrambleList list;
    EXPECT_EQ(list.Scramble(members, TRUE), 0);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Question (ID 21) has an invalid choice count");
    CString line;
    EXPECT_TRUE(list.GetLine(20, line));
    EXPECT_FALSE(list.GetLine(22, line));
}

TEST_F(ScrambleListTest, TheByteFormCarriesEveryLineAndRefusesACutOrSwollenBuffer)
{
    CScrambleList list;
    list.SetLine(1204, "1204:2:2 0 3 1:0");
    list.SetLine(70000, "70000:1:1 0:0");
    CArchive out;
    list.Serialize(out);
    const std::vector<BYTE>& bytes = out.GetData();

    CScrambleList back;
    CArchive in(bytes.data(), bytes.size());
    back.Serialize(in);
    EXPECT_EQ(back.GetText(), list.GetText());
    EXPECT_TRUE(in.IsBufferEmpty());

    // Every shorter buffer stops the reader and leaves what the list held.
    for (size_t n = 0; n < bytes.size(); ++n) {
        CScrambleList cut;
        cut.SetLine(5, "5:0:1 0:1");
        CArchive short_(bytes.data(), n);
        EXPECT_THROW(cut.Serialize(short_), CArchiveException) << n;
        EXPECT_EQ(cut.GetText(), "5:0:1 0:1") << n;
    }
    // A count the bytes left cannot hold is refused before anything is read.
    std::vector<BYTE> swollen = {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x10};
    swollen.insert(swollen.end(), bytes.begin() + 2, bytes.end());
    CScrambleList big;
    CArchive in2(swollen.data(), swollen.size());
    EXPECT_THROW(big.Serialize(in2), CArchiveException);
    EXPECT_TRUE(big.IsEmpty());
}

} // namespace
