#include "views/CollectionList.h"
#include "views/CollListCtrl.h"

#include "controls/MRUPathComboBox.h"
#include "foundation/CorraAppBase.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/ExamDoc.h"
#include "model/QuestionList.h"
#include "model/Update.h"
#include "platform/core/Archive.h"
#include "platform/core/Random.h"
#include "platform/ui/View.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FixedMetricsDC.h"

#include <QHeaderView>

#include <memory>

namespace {

using TransferListTest = CorraTest;

CCorraQuestion* NewQuestion(int id, const char* text)
{
    auto* q = new CCorraQuestion;
    q->m_nId = id;
    q->m_nIndex = id % 7;
    q->m_nType = static_cast<int>(IDS_QTYPE_MC);
    q->m_cszQuestionText = text;
    return q;
}

// A document with questions 1 to 5 and the collections "Cells" (3, 1, 2) and "Plants" (2, 5,
// 4), which share question 2.
class CTwoCollections {
public:
    CTwoCollections()
    {
        for (int id = 1; id <= 5; ++id)
            doc.InsertQuestion(NewQuestion(id, CString::Formatted("Question %d", id)));
        cells = MakeCollection("Cells", {3, 1, 2});
        plants = MakeCollection("Plants", {2, 5, 4});
    }
    CCorraQuestion* MakeCollection(const char* name, std::initializer_list<int> ids)
    {
        CPtrListEx members;
        for (int id : ids)
            members.AddTail(doc.FindQuestionById(id));
        return doc.GetOrCreateCollection(name, &members);
    }
    std::vector<BYTE> Stored()
    {
        CCollectionList list;
        list.AddTail(cells);
        list.AddTail(plants);
        CArchive ar;
        list.Serialize(ar);
        return ar.GetData();
    }
    CCorraDoc doc;
    CCorraQuestion* cells = nullptr;
    CCorraQuestion* plants = nullptr;
};

std::vector<int> Ids(const CPtrList& list)
{
    std::vector<int> ids;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        ids.push_back(static_cast<const CCorraQuestion*>(list.GetNext(pos))->m_nId);
    return ids;
}

std::vector<int> MemberIds(const CCorraQuestion& collection)
{
    std::vector<int> ids;
    for (int i = 0; i < collection.GetChoicesCount(); ++i) {
        CCorraQuestion* member = collection.GetMember(i);
        ids.push_back(member ? member->m_nId : -1);
    }
    return ids;
}

} // namespace

TEST_F(TransferListTest, QuestionsComeBackWithEveryFieldAndBigNumbers)
{
    CQuestionList list;
    list.m_bOwnsQuestions = TRUE;
    CCorraQuestion* q = NewQuestion(70000, "{\\rtf1 Which cell?}");
    q->m_nIndex = -2;
    q->m_nLevel = 3;
    q->SetChoices("a. Nucleus b. Membrane");
    q->m_cszAnswer = "b";
    q->m_saSubjects.Add("Biology");
    q->AddTextbook("Campbell", "6");
    q->AddImage("/nowhere/cell.png", 1, 40, 33.5, 2.25);
    q->m_nMemberId = 12;
    q->m_dAnswerSize = 0.5;
    q->m_Scramble.SetLine(70000, "70000:1:1 0:0");
    list.AddTail(q);
    list.AddTail(NewQuestion(2, "plain"));

    CArchive out;
    list.Serialize(out);
    CArchive in(out.GetData().data(), out.GetData().size());
    CQuestionList back;
    back.Serialize(in);
    EXPECT_TRUE(in.IsBufferEmpty());
    EXPECT_TRUE(back.m_bOwnsQuestions);
    ASSERT_EQ(Ids(back), (std::vector<int>{70000, 2}));
    const auto* r = static_cast<const CCorraQuestion*>(back.GetHead());
    EXPECT_EQ(r->m_nIndex, -2);
    EXPECT_EQ(r->m_nLevel, 3);
    EXPECT_EQ(r->m_cszQuestionText, "{\\rtf1 Which cell?}");
    EXPECT_EQ(r->GetChoicesCount(), 2);
    EXPECT_EQ(r->GetChoice(1, TRUE), "Membrane");
    EXPECT_EQ(r->m_cszAnswer, "b");
    EXPECT_EQ(r->m_saSubjects.GetSize(), 1);
    EXPECT_EQ(r->m_saBooks[0], "Campbell");
    EXPECT_EQ(r->m_nMemberId, 12);
    EXPECT_EQ(r->m_dAnswerSize, 0.5);
    CString line;
    EXPECT_TRUE(r->m_Scramble.GetLine(70000, line));
    ASSERT_EQ(r->m_plImages.GetCount(), 1);
    const auto* image = static_cast<const CImageData*>(r->m_plImages.GetHead());
    EXPECT_EQ(image->m_nBrightness, 40);
    EXPECT_EQ(image->m_dSize, 33.5);
    EXPECT_EQ(image->m_dMargin, 2.25);
    CDWordArray ids;
    EXPECT_EQ(back.GetIds(ids), 2);
    EXPECT_EQ(back.FindById(2), back.GetTail());
}

TEST_F(TransferListTest, CountsAreNotCutAtSixteenBits)
{
    // 70,000 empty questions: a 16-bit count would bring back 4,464.
    CQuestionList list;
    list.m_bOwnsQuestions = TRUE;
    for (int i = 0; i < 70000; ++i)
        list.AddTail(new CCorraQuestion);
    CArchive out;
    list.Serialize(out);
    CArchive in(out.GetData().data(), out.GetData().size());
    CQuestionList back;
    back.Serialize(in);
    EXPECT_EQ(back.GetCount(), 70000);
}

TEST_F(TransferListTest, AListThatDoesNotOwnItsQuestionsLeavesThemAlive)
{
    auto q = std::unique_ptr<CCorraQuestion>(NewQuestion(4, "kept"));
    {
        CQuestionList list;
        list.AddTail(q.get());
    }
    EXPECT_EQ(q->m_cszQuestionText, "kept");  // the sanitizer would catch a deletion

    // A load owns what it read: the old, not owned, entries go without being deleted.
    CQuestionList source;
    source.AddTail(q.get());
    CArchive out;
    source.Serialize(out);
    CQuestionList list;
    list.AddTail(q.get());
    CArchive in(out.GetData().data(), out.GetData().size());
    list.Serialize(in);
    ASSERT_EQ(list.GetCount(), 1);
    EXPECT_NE(list.GetHead(), q.get());
}

TEST_F(TransferListTest, SharedMembersAreWrittenOnceInAscendingOrder)
{
    CTwoCollections bank;
    CCollectionList list;
    list.AddTail(bank.cells);
    list.AddTail(bank.plants);
    EXPECT_EQ(list.CollectMembers(), 5);

    const std::vector<BYTE> bytes = bank.Stored();
    CArchive in(bytes.data(), bytes.size());
    CCollectionList back;
    back.Serialize(in);
    EXPECT_TRUE(in.IsBufferEmpty());
    ASSERT_EQ(back.GetCount(), 2);
    EXPECT_EQ(Ids(back.GetLoadedMembers()), (std::vector<int>{1, 2, 3, 4, 5}));
    const auto* cells = static_cast<const CCorraQuestion*>(back.GetHead());
    const auto* plants = static_cast<const CCorraQuestion*>(back.GetTail());
    EXPECT_EQ(cells->m_cszQuestionText, "Cells");
    EXPECT_EQ(MemberIds(*cells), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(MemberIds(*plants), (std::vector<int>{2, 5, 4}));
    EXPECT_EQ(cells->GetMember(2), plants->GetMember(0));  // one question 2

    // A second load replaces collections and members together.
    CArchive again(bytes.data(), bytes.size());
    back.Serialize(again);
    ASSERT_EQ(back.GetCount(), 2);
    EXPECT_EQ(MemberIds(*static_cast<const CCorraQuestion*>(back.GetTail())), (std::vector<int>{2, 5, 4}));
}

TEST_F(TransferListTest, CollectionsWithoutMembersCarryAnEmptyMemberList)
{
    CCorraDoc doc;
    CCorraQuestion* empty = doc.GetOrCreateCollection("Empty");
    ASSERT_NE(empty, nullptr);
    CCollectionList list;
    list.AddTail(empty);
    CArchive out;
    list.Serialize(out);
    CArchive in(out.GetData().data(), out.GetData().size());
    CCollectionList back;
    back.Serialize(in);
    ASSERT_EQ(back.GetCount(), 1);
    EXPECT_EQ(back.GetLoadedMembers().GetCount(), 0);
    EXPECT_EQ(static_cast<const CCorraQuestion*>(back.GetHead())->GetMember(0), nullptr);
}

TEST_F(TransferListTest, BrokenBytesFailCleanlyLeavingTheListEmpty)
{
    CTwoCollections bank;
    const std::vector<BYTE> bytes = bank.Stored();
    CorraSrand(2718);
    int failed = 0;
    for (int round = 0; round < 400; ++round) {
        std::vector<BYTE> broken = bytes;
        switch (round % 4) {
        case 0:  // cut short
            broken.resize(static_cast<size_t>(CorraRand()) % broken.size());
            break;
        case 1:  // a few bytes changed
            for (int k = 0; k < 3; ++k)
                broken[static_cast<size_t>(CorraRand()) % broken.size()] = static_cast<BYTE>(CorraRand());
            break;
        case 2:  // a huge count in front
            broken[static_cast<size_t>(CorraRand()) % 4] = 0xFF;
            break;
        default:  // noise
            for (BYTE& b : broken)
                b = static_cast<BYTE>(CorraRand());
            break;
        }
        CCollectionList list;
        CArchive in(broken.data(), broken.size());
        try {
            list.Serialize(in);
        } catch (const CArchiveException&) {
            ++failed;
            EXPECT_EQ(list.GetCount(), 0);
            EXPECT_EQ(list.GetLoadedMembers().GetCount(), 0);
            continue;
        }
        // A load that got through leaves collections whose members resolve or are missing.
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const auto* collection = static_cast<const CCorraQuestion*>(list.GetNext(pos));
            for (int i = 0; i < std::min(collection->GetChoicesCount(), 50); ++i)
                collection->GetMember(i);
        }
    }
    EXPECT_GT(failed, 100);
}

TEST_F(TransferListTest, StringListsSplitOnTabsAndCommasAndJoinWithCommas)
{
    CStringArray parts;
    SplitStrings("a,,b\tc", parts);
    ASSERT_EQ(parts.GetSize(), 3);
    EXPECT_EQ(parts[0], "a");
    EXPECT_EQ(parts[1], "b");
    EXPECT_EQ(parts[2], "c");
    CString joined;
    JoinStrings(parts, joined);
    EXPECT_EQ(joined, "a,b,c");
    SplitStrings(",\t,", parts);
    EXPECT_EQ(parts.GetSize(), 0);
    SplitStrings(nullptr, parts);
    EXPECT_EQ(parts.GetSize(), 0);

    // A recent-entry combo of a search field: its own profile section, and the caller's list
    // starts empty.
    CorraApp().WriteProfileString("Recent Subject List", "String1", "Cells");
    CorraApp().WriteProfileString("Recent Subject List", "String2", "Energy");
    CMRUPathComboBox combo;
    combo.SetSaveOnDestroy(FALSE);
    parts.Add("left over");
    SetupRecentCombo(combo, parts, "Subject");
    EXPECT_EQ(parts.GetSize(), 0);
    EXPECT_EQ(combo.GetSection(), "Recent Subject List");
    EXPECT_EQ(combo.GetEntryFormat(), "String%d");
    EXPECT_EQ(combo.GetMaxEntries(), 15);
    ASSERT_EQ(combo.GetCount(), 2);
    EXPECT_EQ(combo.GetLBText(0), "Cells");
}

TEST_F(TransferListTest, CollectionListShowsOnlyCollectionsAndSortsNamesByCharacterCode)
{
    CTwoCollections bank;
    CCorraQuestion* upper = bank.MakeCollection("  B names ", {1});
    CCorraQuestion* lower = bank.MakeCollection("a names", {1});
    CCollListCtrl list(&bank.doc, nullptr, RGB(255, 255, 255), nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    EXPECT_EQ(list.GetColumnLabel(1), "Collection Name");
    EXPECT_EQ(list.InsertQuestion(bank.doc.FindQuestionById(1), 0, FALSE), -1);  // not a collection
    CPtrListEx all;
    GetDocQuestions(&bank.doc, all);
    all.AddTail(bank.cells);
    all.AddTail(bank.plants);
    all.AddTail(upper);
    all.AddTail(lower);
    EXPECT_EQ(list.InsertQuestions(all, 0, FALSE), 3);
    EXPECT_EQ(list.GetItemCount(), 4);
    EXPECT_EQ(list.GetItemText(0, 2), "3");
    EXPECT_EQ(list.FindCollectionByName("b NAMES"), 2);
    auto order = [&list] {
        std::vector<CCorraQuestion*> rows;
        for (int i = 0; i < list.GetItemCount(); ++i)
            rows.push_back(list.GetItemQuestion(i));
        return rows;
    };
    emit list.header()->sectionClicked(1);
    // By character codes: " " and "B" before "C" and "P", and those before "a".
    EXPECT_EQ(order(), (std::vector<CCorraQuestion*>{upper, bank.cells, bank.plants, lower}));
    emit list.header()->sectionClicked(1);
    EXPECT_EQ(order(), (std::vector<CCorraQuestion*>{lower, bank.plants, bank.cells, upper}));
    emit list.header()->sectionClicked(2);  // member counts, ascending
    EXPECT_EQ(list.GetItemText(0, 2), "1");
    EXPECT_EQ(list.GetItemText(3, 2), "3");
    list.DeleteItem(list.FindItem(lower));
    list.SelectItem(-1, TRUE);
    CPtrListEx members;
    EXPECT_EQ(list.GetSelectedQuestions(members), 5);
    EXPECT_EQ(Ids(members), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(TransferListTest, CollectionRowsUpdatedByAHintKeepTheirColumns)
{
    // Every way of updating a row writes the collection's own columns, never a question's.
    CTwoCollections bank;
    CCollListCtrl list(&bank.doc, nullptr, RGB(255, 255, 255), nullptr);
    list.SetViewMode(ODLIST_SMALL_ROWS);
    CPtrListEx both;
    both.AddTail(bank.cells);
    both.AddTail(bank.plants);
    list.InsertQuestions(both, -1, FALSE);
    bank.cells->RemoveQuestId(3);
    bank.plants->m_cszQuestionText = "Green plants";

    CUpdate byList;
    byList.SetQuestions(&both);
    EXPECT_EQ(list.UpdateFromHint(byList), 0);
    CDWordArray ids;
    ids.Add(static_cast<DWORD>(bank.plants->m_nId));
    CUpdate byIds;
    byIds.SetIds(&ids);
    EXPECT_EQ(list.UpdateFromHint(byIds), 1);
    EXPECT_EQ(list.UpdateItem(0), 0);
    EXPECT_EQ(list.GetItemText(0, 1), "Cells");
    EXPECT_EQ(list.GetItemText(0, 2), "2");
    EXPECT_EQ(list.GetItemText(1, 1), "Green plants");
    EXPECT_EQ(list.GetItemText(1, 2), "3");
    EXPECT_EQ(list.GetItemText(1, 3), "3");  // indices 2, 5 and 4
}

TEST_F(TransferListTest, CollectionListNamesTheDocumentsKindAndShowsOpenCollections)
{
    CExamDoc exam;
    CCollListCtrl forms(&exam, nullptr, RGB(255, 255, 255), nullptr);
    forms.SetViewMode(ODLIST_SMALL_ROWS);
    EXPECT_EQ(forms.GetColumnLabel(1), "Form Name");
    EXPECT_EQ(forms.GetColumnLabel(2), "QCnt");
    EXPECT_EQ(forms.GetColumnLabel(3), "Unique");

    CTwoCollections bank;
    CCollListCtrl list(&bank.doc, nullptr, RGB(255, 255, 255), nullptr);
    list.SetViewMode(ODLIST_LARGE_ROWS);
    list.InsertQuestion(bank.cells, -1, FALSE);
    auto icon = [&list] {
        CFixedMetricsDC dc(400, 32);
        DRAWITEMSTRUCT dis;
        dis.pDC = &dc;
        dis.rcItem = CRect(0, 0, 400, 32);
        list.DrawItem(&dis);
        return dc.Image().copy(0, 0, 32, 32);
    };
    const QImage closed = icon();
    CView view;
    bank.cells->m_pView = &view;
    const QImage open = icon();
    bank.cells->m_pView = nullptr;
    EXPECT_NE(open, closed);
    // A reset list keeps collection icons, not question ones.
    list.Reset();
    list.m_crBack = RGB(255, 255, 255);
    list.SetViewMode(ODLIST_LARGE_ROWS);
    list.InsertQuestion(bank.cells, -1, FALSE);
    EXPECT_EQ(icon(), closed);
}
