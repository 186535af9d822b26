#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/ui/View.h"
#include "model/Statistics.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeViews.h"


namespace {

using CollectionTest = CorraTest;

CCorraQuestion Collection()
{
    CCorraQuestion c;
    c.m_nType = static_cast<int>(IDS_QTYPE_CO);
    c.m_cszQuestionText = "Chapter 1";
    return c;
}

// Labels and member IDs as "label id".
std::vector<CString> Members(const CCorraQuestion& c)
{
    std::vector<CString> members;
    for (int i = 0; i < c.m_Choices.GetCount(); ++i)
        members.push_back(c.m_Choices.GetChoiceId(i) + " " + c.m_Choices.GetChoiceText(i));
    return members;
}

std::vector<int> IdsOf(const CPtrList& list)
{
    std::vector<int> ids;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        ids.push_back(static_cast<CQuestion*>(list.GetNext(pos))->m_nId);
    return ids;
}

// A document holding multiple-choice questions with these IDs.
class CDocWith {
public:
    explicit CDocWith(std::initializer_list<int> ids)
    {
        for (int id : ids) {
            auto* q = new CCorraQuestion;
            q->m_nId = id;
            q->m_nType = static_cast<int>(IDS_QTYPE_MC);
            doc.InsertQuestion(q);
        }
    }
    CCorraQuestion* Find(int id) { return doc.FindQuestionById(id); }

    CCorraDoc doc;
};

TEST_F(CollectionTest, MembersAreRelabelledAfterAddInsertAndRemove)
{
    CCorraQuestion c = Collection();
    CCorraQuestion q17, q42;
    q17.m_nId = 17;
    q42.m_nId = 42;
    EXPECT_TRUE(c.AddQuestion(&q17));
    EXPECT_TRUE(c.AddQuestion(&q42));
    EXPECT_EQ(Members(c), (std::vector<CString>{"0. 17", "1. 42"}));
    EXPECT_FALSE(c.AddQuestion(&q17)) << "17 is a member already";

    c.InsertQuestId(0, 5);
    EXPECT_EQ(Members(c), (std::vector<CString>{"0. 5", "1. 17", "2. 42"}));
    c.InsertQuestId(99, 8);
    EXPECT_EQ(Members(c), (std::vector<CString>{"0. 5", "1. 17", "2. 42", "3. 8"}));
    EXPECT_EQ(c.FindQuestId(42), 2);
    EXPECT_EQ(c.GetLabelNumber(3), 3);

    c.RemoveMemberAt(0);
    EXPECT_EQ(Members(c), (std::vector<CString>{"0. 17", "1. 42", "2. 8"}));
    EXPECT_TRUE(c.RemoveQuestId(42));
    EXPECT_FALSE(c.RemoveQuestId(42));
    EXPECT_EQ(Members(c), (std::vector<CString>{"0. 17", "1. 8"}));

    CDWordArray ids, added;
    for (DWORD id : {3u, 3u, 9u})
        ids.Add(id);
    EXPECT_EQ(c.SetQuestIds(ids, &added), 2) << "each ID once";
    EXPECT_EQ(Members(c), (std::vector<CString>{"0. 3", "1. 9"}));
    EXPECT_EQ(added.GetSize(), 2);
}

TEST_F(CollectionTest, MembersMissingFromTheDocumentAreSkippedButCounted)
{
    CDocWith owner({17, 42, 60});
    CCorraQuestion c = Collection();
    c.SetDoc(&owner.doc);
    for (int id : {17, 99, 42})
        c.InsertQuestId(99, id);
    CPtrListEx found;
    EXPECT_EQ(c.GetQuestions(found), 2);
    EXPECT_EQ(IdsOf(found), (std::vector<int>{17, 42}));
    EXPECT_EQ(c.GetChoicesCount(), 3);
    EXPECT_EQ(c.GetMember(1), nullptr);
    EXPECT_EQ(c.GetMember(2), owner.Find(42));

    // Replacing a member: refused for an ID the document lacks or the collection has.
    EXPECT_FALSE(c.SetCollectionQuestId(1, 1234));
    EXPECT_FALSE(c.SetCollectionQuestId(1, 42));
    EXPECT_EQ(Members(c), (std::vector<CString>{"0. 17", "1. 99", "2. 42"}));
    EXPECT_TRUE(c.SetCollectionQuestId(1, 60));
    EXPECT_EQ(Members(c), (std::vector<CString>{"0. 17", "1. 60", "2. 42"}));

    c.UpdateStatistics();
    ASSERT_NE(c.GetStatistics(), nullptr);
    EXPECT_EQ(c.GetStatistics()->m_plQuestions.GetCount(), 3);
}

TEST_F(CollectionTest, AnEntryLooksItsMembersUpInTheDocumentTheOuterListOrItsOwn)
{
    CCollectionEntry entry;
    entry.m_nType = static_cast<int>(IDS_QTYPE_CO);
    entry.InsertQuestId(0, 7);
    auto* own = new CCorraQuestion;
    own->m_nId = 7;
    entry.m_lOwnQuestions.AddTail(own);
    EXPECT_EQ(entry.GetMember(0), own);

    CCorraQuestion outer;
    outer.m_nId = 7;
    CPtrListEx outerList;
    outerList.AddTail(&outer);
    entry.m_plOuterQuestions = &outerList;
    EXPECT_EQ(entry.GetMember(0), &outer);

    CDocWith owner({7});
    entry.SetDoc(&owner.doc);
    EXPECT_EQ(entry.GetMember(0), owner.Find(7));
    EXPECT_EQ(entry.GetMember(1), nullptr);
}

TEST_F(CollectionTest, ClosingACollectionAsksItsView)
{
    CFakeViews views;
    CServiceScope<ICorraViewServices> scope(CorraViewServicesSlot(), views);
    CCorraQuestion c = Collection();
    c.CloseView();
    EXPECT_TRUE(views.calls.empty()) << "no view, nothing to close";
    CView shown;
    c.m_pView = &shown;
    c.CloseView();
    ASSERT_EQ(views.calls.size(), 1u);
    EXPECT_EQ(views.calls[0].what, "close");
    // A window that went is no longer the collection's.
    {
        CView gone;
        c.m_pView = &gone;
    }
    EXPECT_EQ(c.m_pView, nullptr);
    c.CloseView();
    EXPECT_EQ(views.calls.size(), 1u);
}

} // namespace
