#include "model/Undo.h"

#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/QuestionContext.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/FrameworkIds.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"

#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <utility>

namespace {

class CUndoDoc : public CCorraDoc {
public:
    CUndoDoc()
    {
        m_bAutoDelete = FALSE;
        for (int id = 1; id <= 6; ++id) {
            auto* q = new CCorraQuestion;
            q->m_nId = id;
            q->m_nType = static_cast<int>(IDS_QTYPE_ES);
            q->m_cszQuestionText = CString::Formatted("Question %d", id);
            InsertQuestion(q);
        }
        CPtrListEx members;
        for (int id : {5, 2, 4, 3})
            members.AddTail(FindQuestionById(id));
        GetOrCreateCollection("Unit", &members);
        members.RemoveAll();
        for (int id : {4, 1})
            members.AddTail(FindQuestionById(id));
        GetOrCreateCollection("Review", &members);
    }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }

    std::vector<int> Order() const
    {
        std::vector<int> ids;
        for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;)
            ids.push_back(static_cast<CCorraQuestion*>(m_plQuestions.GetNext(pos))->m_nId);
        return ids;
    }
    std::vector<int> Members(const char* name) const
    {
        CDWordArray ids;
        FindCollection(name)->GetQuestIds(ids);
        return std::vector<int>(ids.begin(), ids.end());
    }
    CPtrListEx Questions(std::initializer_list<int> ids) const
    {
        CPtrListEx list;
        for (int id : ids)
            list.AddTail(FindQuestionById(id));
        return list;
    }
};

using UndoTest = CorraTest;

CCorraQuestion* AsQuestionOf(const CPtrListEx& one)
{
    return static_cast<CCorraQuestion*>(one.GetHead());
}

TEST_F(UndoTest, DeletedQuestionsComeBackWithTheirIdsAndPlaces)
{
    CUndoDoc doc;
    const std::vector<int> order = doc.Order();
    CCorraQuestion* three = doc.FindQuestionById(3);
    ASSERT_TRUE(doc.DeleteQuestionsUndoable(nullptr, doc.Questions({2, 4, 3}), "Delete"));
    EXPECT_EQ(doc.GetQuestionCount(), 5);
    EXPECT_EQ(doc.Members("Unit"), (std::vector<int>{5}));
    EXPECT_EQ(doc.Members("Review"), (std::vector<int>{1}));
    EXPECT_EQ(doc.GetUndoText(), "Delete");
    EXPECT_TRUE(doc.GetRedoText().IsEmpty());

    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Order(), order);
    EXPECT_EQ(doc.FindQuestionById(3), three);  // the very question, its ID kept
    EXPECT_EQ(doc.Members("Unit"), (std::vector<int>{5, 2, 4, 3}));
    EXPECT_EQ(doc.Members("Review"), (std::vector<int>{4, 1}));
    EXPECT_EQ(doc.GetRedoText(), "Delete");
    EXPECT_TRUE(doc.GetUndoText().IsEmpty());

    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.GetQuestionCount(), 5);
    EXPECT_EQ(doc.FindQuestionById(3), nullptr);
    EXPECT_EQ(doc.Members("Unit"), (std::vector<int>{5}));
    // Undone once more, all the same.
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Order(), order);
    EXPECT_EQ(doc.Members("Unit"), (std::vector<int>{5, 2, 4, 3}));
    // Nothing more to undo: nothing changes.
    EXPECT_FALSE(doc.Undo());
    EXPECT_EQ(doc.Order(), order);
    EXPECT_TRUE(messageBox.calls.empty());
}

TEST_F(UndoTest, UndoAndRedoAreEnabledOnlyWithSomethingOnTheirStack)
{
    CUndoDoc doc;
    auto state = [&doc](UINT nID) {
        CTestCmdUI ui;
        ui.m_nID = nID;
        ui.DoUpdate(&doc, TRUE);
        return std::make_pair(ui.m_bEnabled != FALSE, std::string(static_cast<const char*>(ui.m_strText)));
    };
    using State = std::pair<bool, std::string>;
    EXPECT_EQ(state(ID_EDIT_UNDO), State(false, "&Undo\tCtrl+Z"));  // a new bank
    EXPECT_EQ(state(ID_EDIT_REDO), State(false, "&Redo\tCtrl+Y"));
    RunCommandOn(&doc, ID_EDIT_UNDO);
    EXPECT_EQ(doc.GetRedoStack().GetCount(), 0);
    doc.DeleteQuestionsUndoable(nullptr, doc.Questions({1}), "Delete");
    EXPECT_EQ(state(ID_EDIT_UNDO), State(true, "Undo Delete"));
    EXPECT_EQ(state(ID_EDIT_REDO), State(false, "&Redo\tCtrl+Y"));
    EXPECT_TRUE(RunCommandOn(&doc, ID_EDIT_UNDO));
    EXPECT_EQ(state(ID_EDIT_UNDO), State(false, "&Undo\tCtrl+Z"));
    EXPECT_EQ(state(ID_EDIT_REDO), State(true, "Redo Delete"));
}

TEST_F(UndoTest, ANewActionAfterAnUndoEmptiesTheRedoStack)
{
    CUndoDoc doc;
    doc.DeleteQuestionsUndoable(nullptr, doc.Questions({1}), "Delete one");
    doc.Undo();
    ASSERT_EQ(doc.GetRedoStack().GetCount(), 1);
    doc.DeleteQuestionsUndoable(nullptr, doc.Questions({6}), "Delete six");
    EXPECT_EQ(doc.GetRedoStack().GetCount(), 0);
    EXPECT_EQ(doc.GetUndoStack().GetCount(), 1);
    EXPECT_EQ(doc.GetUndoText(), "Delete six");
    EXPECT_FALSE(doc.Redo());
    // Deleting the document with a deletion standing frees every question once (the sanitizer
    // would tell).
}

TEST_F(UndoTest, UndoingASortRestoresTheOrder)
{
    CUndoDoc doc;
    const std::vector<int> before = doc.Order();
    doc.AddUndoReorder(nullptr, "Sort");
    doc.SortQuestions([](const CCorraQuestion* a, const CCorraQuestion* b) { return a->m_nId > b->m_nId; });
    const std::vector<int> sorted = doc.Order();
    ASSERT_NE(sorted, before);
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(doc.Order(), before);
    ASSERT_TRUE(doc.Redo());
    EXPECT_EQ(doc.Order(), sorted);
}

TEST_F(UndoTest, ARestoredOrderKeepsOnlyLiveQuestionsAndTheOnesAddedSince)
{
    CUndoDoc doc;
    doc.AddUndoReorder(nullptr, "Sort");
    doc.SortQuestions([](const CCorraQuestion* a, const CCorraQuestion* b) { return a->m_nId > b->m_nId; });
    // Deleted for good, and a new one: the recorded order still names the freed question.
    doc.DeleteQuestions(doc.Questions({2}));
    auto* added = new CCorraQuestion;
    added->m_nId = 40;
    doc.InsertQuestion(added);
    ASSERT_TRUE(doc.Undo());
    std::vector<int> order = doc.Order();
    EXPECT_EQ(order.size(), 8u);
    EXPECT_EQ(std::count(order.begin(), order.end(), 2), 0);
    EXPECT_EQ(order.back(), 40);
    EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 5), (std::vector<int>{1, 3, 4, 5, 6}));
}

// A question freed and the next one made at its address, as the allocator of a release build
// often does; made here on purpose so that every build sees it.
CCorraQuestion* RemakeInPlace(CCorraQuestion* freed, int id)
{
    freed->~CCorraQuestion();
    auto* made = new (freed) CCorraQuestion;
    made->m_nId = id;
    return made;
}

TEST_F(UndoTest, AQuestionMadeAtAFreedOnesAddressIsNeverTakenForIt)
{
    {
        CUndoDoc doc;
        doc.AddUndoReorder(nullptr, "Sort");
        doc.SortQuestions([](const CCorraQuestion* a, const CCorraQuestion* b) { return a->m_nId > b->m_nId; });
        CPtrListEx gone = doc.Questions({2});
        ASSERT_TRUE(doc.DetachQuestions(gone));
        CCorraQuestion* made = RemakeInPlace(AsQuestionOf(gone), 40);
        doc.InsertQuestion(made);
        ASSERT_TRUE(doc.Undo());
        // Not in question 2's place: after the others, as any question added since.
        const std::vector<int> order = doc.Order();
        EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 5), (std::vector<int>{1, 3, 4, 5, 6}));
        EXPECT_EQ(order.back(), 40);
    }
    {
        CUndoDoc doc;
        ASSERT_TRUE(doc.DeleteQuestionsUndoable(nullptr, doc.Questions({1, 2}), "Delete"));
        ASSERT_TRUE(doc.Undo());
        CPtrListEx gone = doc.Questions({2});
        ASSERT_TRUE(doc.DetachQuestions(gone));
        CCorraQuestion* made = RemakeInPlace(AsQuestionOf(gone), 41);
        doc.InsertQuestion(made);
        // The redo names question 2, which is gone: it fails and takes nothing.
        EXPECT_FALSE(doc.Redo());
        EXPECT_EQ(doc.FindQuestionById(41), made);
        EXPECT_NE(doc.FindQuestionById(1), nullptr);
    }
}

TEST_F(UndoTest, CopiesAndLaterQuestionsNeverShareASerial)
{
    CCorraQuestion first;
    CCorraQuestion copy(first);
    CCorraQuestion assigned;
    const std::uint64_t before = assigned.GetSerial();
    assigned = first;
    EXPECT_NE(copy.GetSerial(), first.GetSerial());
    EXPECT_EQ(assigned.GetSerial(), before);
    std::uint64_t freed = 0;
    {
        auto gone = std::make_unique<CCorraQuestion>();
        freed = gone->GetSerial();
    }
    auto later = std::make_unique<CCorraQuestion>();
    EXPECT_GT(later->GetSerial(), freed);
}

TEST_F(UndoTest, AFailedRedoStaysOnItsStack)
{
    CUndoDoc doc;
    doc.DeleteQuestionsUndoable(nullptr, doc.Questions({1, 2}), "Delete");
    ASSERT_TRUE(doc.Undo());
    // One of the questions leaves the document by another way; the redo cannot be done.
    CPtrListEx taken = doc.Questions({2});
    ASSERT_TRUE(doc.DetachQuestions(taken));
    EXPECT_FALSE(doc.Redo());
    EXPECT_EQ(doc.GetRedoStack().GetCount(), 1);
    EXPECT_EQ(doc.GetUndoStack().GetCount(), 0);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Failed to redo.");
    EXPECT_NE(doc.FindQuestionById(1), nullptr);  // nothing was half done
    DeleteQuestionList(taken);
}

TEST_F(UndoTest, DeletingForGoodEndsTheRedoHistory)
{
    CUndoDoc doc;
    doc.DeleteQuestionsUndoable(nullptr, doc.Questions({1, 2}), "Delete");
    ASSERT_TRUE(doc.Undo());
    ASSERT_EQ(doc.GetRedoStack().GetCount(), 1);
    // Question 2 is freed; a question made next may take its place in memory.
    ASSERT_TRUE(doc.DeleteQuestions(doc.Questions({2})));
    EXPECT_EQ(doc.GetRedoStack().GetCount(), 0);
    auto* made = new CCorraQuestion;
    made->m_nId = 77;
    doc.InsertQuestion(made);
    EXPECT_FALSE(doc.Redo());
    EXPECT_EQ(doc.FindQuestionById(77), made);
    EXPECT_NE(doc.FindQuestionById(1), nullptr);
}

TEST_F(UndoTest, ARecordOfQuestionsStillInTheDocumentFreesNothing)
{
    // Recorded, but the caller never took them out: the document keeps and frees them once.
    auto doc = std::make_unique<CUndoDoc>();
    doc->AddUndoDelete(nullptr, doc->Questions({1, 2}), "Delete");
    CCorraQuestion* one = doc->FindQuestionById(1);
    EXPECT_EQ(doc->InsertQuestion(one), one);  // inserting what it holds changes nothing
    EXPECT_EQ(doc->GetQuestionCount(), 8);
    doc->DeleteContents();
    EXPECT_EQ(doc->GetUndoStack().GetCount(), 0);
    doc.reset();
}

TEST_F(UndoTest, TheRecordOfADeletionKnowsItsCollections)
{
    CUndoDoc doc;
    CQuestionContext record(nullptr, doc.FindQuestionById(4), &doc);
    EXPECT_EQ(record.m_nDocIndex, 3);
    EXPECT_EQ(record.m_mCollIndex.GetCount(), 2);
    int at = -1;
    EXPECT_TRUE(record.m_mCollIndex.Lookup("Unit", at));
    EXPECT_EQ(at, 2);
    EXPECT_TRUE(record.m_mCollIndex.Lookup("Review", at));
    EXPECT_EQ(at, 0);
    EXPECT_FALSE(record.OwnsQuestion());
    record.DumpToLog(1);
}

} // namespace
