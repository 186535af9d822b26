// The document with views: orders taken from and given to them, collection windows asked before
// the document saves, selections.

#include "model/CorraDoc.h"

#include "model/CorraQuestion.h"
#include "model/DocumentDialogs.h"
#include "model/QuestionContext.h"
#include "foundation/Log.h"
#include "platform/ui/CmdTarget.h"
#include "model/Group.h"
#include "platform/ui/View.h"
#include "platform/ui/Wnd.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "tests/support/FakeViews.h"

#include <functional>
#include <memory>
#include <string>

namespace {

class CViewsDoc : public CCorraDoc {
public:
    CViewsDoc()
    {
        m_bAutoDelete = FALSE;
        for (int id = 1; id <= 5; ++id) {
            auto* q = new CCorraQuestion;
            q->m_nId = id;
            q->m_nType = static_cast<int>(IDS_QTYPE_ES);
            q->m_nMemberId = id % 2 ? 70 : 0;
            InsertQuestion(q);
        }
        GetOrCreateCollection("Unit");
        SetModifiedFlag(FALSE);
    }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
    std::vector<int> Order() const
    {
        std::vector<int> ids;
        for (POSITION pos = m_plQuestions.GetHeadPosition(); pos;)
            ids.push_back(static_cast<CCorraQuestion*>(m_plQuestions.GetNext(pos))->m_nId);
        return ids;
    }
};

class CorraDocViewsTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        m_scope = std::make_unique<CServiceScope<ICorraViewServices>>(CorraViewServicesSlot(), static_cast<ICorraViewServices&>(views));
        main = std::make_unique<CView>();
        lower = std::make_unique<CView>();
        views.Of(main.get()).partner = lower.get();
        views.Of(lower.get()).pane = 1;
        doc = std::make_unique<CViewsDoc>();
        doc->AddView(main.get());
        doc->AddView(lower.get());
        // The upper pane shows the questions, the lower one the collections.
        for (POSITION pos = doc->m_plQuestions.GetHeadPosition(); pos;) {
            auto* q = static_cast<CCorraQuestion*>(doc->m_plQuestions.GetNext(pos));
            views.Of(q->IsCollection() ? lower.get() : main.get()).items.AddTail(q);
        }
    }
    void TearDown() override
    {
        doc.reset();
        main.reset();
        lower.reset();
        m_scope.reset();
        CorraTest::TearDown();
    }
    CPtrListEx Questions(std::initializer_list<int> ids) const
    {
        CPtrListEx list;
        for (int id : ids)
            list.AddTail(doc->FindQuestionById(id));
        return list;
    }
    CPtrListEx Reversed(const CPtrListEx& list)
    {
        CPtrListEx out;
        for (POSITION pos = list.GetHeadPosition(); pos;)
            out.AddHead(list.GetNext(pos));
        return out;
    }

    CFakeViews views;
    std::unique_ptr<CView> main;
    std::unique_ptr<CView> lower;
    std::unique_ptr<CViewsDoc> doc;

private:
    std::unique_ptr<CServiceScope<ICorraViewServices>> m_scope;
};

TEST_F(CorraDocViewsTest, UndoingASortInAViewGivesTheViewAndTheDocumentTheOldOrder)
{
    const std::vector<int> before = doc->Order();
    doc->AddUndoReorder(main.get(), "Sort by ID");
    // The view sorts; the document follows its views.
    views.Of(main.get()).items = Reversed(views.Of(main.get()).items);
    doc->TakeOrderFromViews();
    std::vector<int> sorted = doc->Order();
    EXPECT_EQ(std::vector<int>(sorted.begin(), sorted.begin() + 5), (std::vector<int>{5, 4, 3, 2, 1}));
    EXPECT_EQ(doc->FindCollection("Unit"), doc->m_plQuestions.GetTail());

    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->Order(), before);
    EXPECT_EQ(static_cast<CCorraQuestion*>(views.Of(main.get()).items.GetHead())->m_nId, 1);
    ASSERT_TRUE(doc->Redo());
    EXPECT_EQ(doc->Order(), sorted);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(CorraDocViewsTest, AnOrderOfAClosedViewIsNotRestored)
{
    doc->AddUndoReorder(nullptr, "Sort the document");
    const std::vector<int> before = doc->Order();
    doc->m_plQuestions.AddTail(doc->m_plQuestions.RemoveHead());
    doc->AddUndoReorder(main.get(), "Sort");
    doc->RemoveView(main.get());
    main.reset();
    const std::vector<int> order = doc->Order();
    EXPECT_FALSE(doc->Undo());
    EXPECT_EQ(doc->Order(), order);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Failed to undo.");
    // Dropped, so that it does not bar the way to the action below it.
    EXPECT_EQ(doc->GetUndoStack().GetCount(), 1);
    EXPECT_EQ(doc->GetUndoText(), "Sort the document");
    EXPECT_TRUE(doc->Undo());
    EXPECT_EQ(doc->Order(), before);
}

TEST_F(CorraDocViewsTest, CollectionWindowsAreAskedBeforeTheDocument)
{
    CView collectionView;
    views.Of(&collectionView).collectionView = TRUE;
    views.Of(&collectionView).saveAnswer = FALSE;
    doc->AddView(&collectionView);
    doc->SetModifiedFlag(TRUE);
    EXPECT_FALSE(doc->SaveModified());
    EXPECT_TRUE(messageBox.calls.empty());  // the document itself was not asked about
    views.Of(&collectionView).saveAnswer = TRUE;
    messageBox.QueueAnswer(IDNO);
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_EQ(messageBox.calls.size(), 1u);
    doc->RemoveView(&collectionView);
}

TEST_F(CorraDocViewsTest, UndoRecordsNameTheKindOfTheirView)
{
    CView collectionView;
    views.Of(&collectionView).collectionView = TRUE;
    doc->SetTitle("Bank.crr");
    CCorraQuestion* question = doc->FindQuestionById(1);
    const struct {
        CView* view;
        const char* line;
    } cases[] = {
        {main.get(), "m_pView = Corra View  (Bank.crr)"},
        {lower.get(), "m_pView = Collection List View  (Bank.crr)"},
        {&collectionView, "m_pView = Collection View  (Bank.crr)"},
    };
    for (const auto& c : cases) {
        CQuestionContext record(c.view, question, doc.get());
        record.DumpToLog(LOG_ALWAYS);
        EXPECT_GE(GetLogBuffer().Find(c.line), 0) << c.line;
    }
}

TEST_F(CorraDocViewsTest, OrderingCollectionsByGroupsRefreshesTheirWindows)
{
    CView collectionView;
    views.Of(&collectionView).collectionView = TRUE;
    doc->AddView(&collectionView);
    auto refreshes = [&] {
        int n = 0;
        for (const auto& call : views.calls)
            n += call.what == "refresh" && call.view == &collectionView;
        return n;
    };
    doc->ApplyGroupOrder(nullptr, FALSE, FALSE);
    EXPECT_EQ(refreshes(), 0);
    doc->ApplyGroupOrder(nullptr, FALSE, TRUE);
    EXPECT_EQ(refreshes(), 1);
    doc->RemoveView(&collectionView);
}

TEST_F(CorraDocViewsTest, GroupMembersAreSelectedInTheMainView)
{
    CGroup group;
    group.m_nId = 70;
    doc->AddNewGroup(group);
    EXPECT_EQ(doc->SelectGroupMembers(70), 3);
    int selects = 0;
    for (const auto& call : views.calls)
        selects += call.what == "select" && call.view == main.get();
    EXPECT_EQ(selects, 3);
    // Exactly the group's members: all three, and nothing selected before stays.
    CPtrListEx selected;
    EXPECT_EQ(doc->GetSelectedQuestions(selected), 3);
    for (POSITION pos = selected.GetHeadPosition(); pos;)
        EXPECT_EQ(static_cast<CCorraQuestion*>(selected.GetNext(pos))->m_nMemberId, 70);
    EXPECT_EQ(doc->GetCorraView(), main.get());
    // A group without members leaves nothing selected.
    EXPECT_EQ(doc->SelectGroupMembers(71), 0);
    EXPECT_EQ(doc->GetSelectedQuestions(selected), 0);
    // Unselecting clears the main view and the question dialog.
    CFakeDocumentDialogs dialogs;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), dialogs);
    doc->SelectGroupMembers(70);
    doc->UnselectAll();
    EXPECT_EQ(doc->GetSelectedQuestions(selected), 0);
    EXPECT_EQ(dialogs.calls, std::vector<std::string>{"clear"});
}

TEST_F(CorraDocViewsTest, TheQuestionDialogShowsTheLastOfAListOrNone)
{
    CFakeDocumentDialogs dialogs;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), dialogs);
    CPtrListEx list;
    list.AddTail(doc->FindQuestionById(4));
    list.AddTail(doc->FindQuestionById(2));
    EXPECT_TRUE(doc->SelectLastInDlg(list));
    list.RemoveAll();
    EXPECT_TRUE(doc->SelectLastInDlg(list));
    EXPECT_EQ(dialogs.selected, (std::vector<int>{2, 0}));
}

TEST_F(CorraDocViewsTest, EveryNewActionEmptiesTheRedoStack)
{
    CView collectionView;
    views.Of(&collectionView).collectionView = TRUE;
    doc->AddView(&collectionView);
    const struct {
        const char* action;
        std::function<void()> run;
    } actions[] = {
        {"a deletion", [&] { doc->DeleteQuestionsUndoable(main.get(), Questions({5}), "Delete"); }},
        {"a view's sort", [&] { doc->AddUndoReorder(main.get(), "Sort"); }},
        {"the document's sort", [&] { doc->AddUndoReorder(nullptr, "Sort"); }},
        {"a collection window's sort", [&] { doc->AddUndoReorder(&collectionView, "Sort"); }},
        {"a deletion for good", [&] { doc->DeleteQuestions(Questions({5})); }},
    };
    for (const auto& a : actions) {
        ASSERT_TRUE(doc->DeleteQuestionsUndoable(main.get(), Questions({1}), "Delete one"));
        ASSERT_TRUE(doc->Undo());
        ASSERT_EQ(doc->GetRedoStack().GetCount(), 1) << a.action;
        a.run();
        EXPECT_EQ(doc->GetRedoStack().GetCount(), 0) << a.action;
        EXPECT_FALSE(doc->Redo()) << a.action;
        // The next action starts with question 5 back where it was.
        while (doc->GetUndoStack().GetCount() > 0)
            doc->Undo();
        if (!doc->FindQuestionById(5)) {
            auto* five = new CCorraQuestion;
            five->m_nId = 5;
            doc->InsertQuestion(five);
        }
        messageBox.calls.clear();
    }
    doc->RemoveView(&collectionView);
}

TEST_F(CorraDocViewsTest, TheCommandTableReachesTheDocumentsWindows)
{
    CFakeDocumentDialogs dialogs;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), dialogs);
    doc->SetTitle("Bank.crr");
    doc->OnOpenOrNew();
    EXPECT_EQ(dialogs.title, "QuestDlg/Bank.crr");

    CTestCmdUI store;
    store.m_nID = ID_CORRA_STORE_DLG_QUESTION;
    store.DoUpdate(doc.get(), TRUE);
    EXPECT_FALSE(store.m_bEnabled);  // no dialog shown
    EXPECT_TRUE(RunCommandOn(doc.get(), ID_CORRA_QUESTION_DIALOG));
    CTestCmdUI check;
    check.m_nID = ID_CORRA_QUESTION_DIALOG;
    check.DoUpdate(doc.get(), TRUE);
    EXPECT_EQ(check.m_nCheck, 1);
    dialogs.hasQuestion = TRUE;
    store.DoUpdate(doc.get(), TRUE);
    EXPECT_TRUE(store.m_bEnabled);
    EXPECT_TRUE(RunCommandOn(doc.get(), ID_CORRA_STORE_DLG_QUESTION));
    EXPECT_TRUE(RunCommandOn(doc.get(), ID_CORRA_QUESTION_GROUPS));
    EXPECT_TRUE(RunCommandOn(doc.get(), ID_CORRA_CHECK_IMAGE_LINKS));
    EXPECT_EQ(dialogs.calls, (std::vector<std::string>{"show", "store", "groups", "links"}));
    // Minimising the document's frames hides its question dialog; showing them does not.
    doc->ShowAllFrames(SW_SHOW);
    EXPECT_EQ(dialogs.calls.back(), "links");
    doc->ShowAllFrames(SW_MINIMIZE);
    EXPECT_EQ(dialogs.calls.back(), "hide");
    EXPECT_FALSE(dialogs.visible);

    // Not yet built: said so, never silently.
    EXPECT_TRUE(RunCommandOn(doc.get(), ID_CORRA_AUTO_SUBJECTS));
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_NE(messageBox.calls[0].text.Find("not yet been implemented"), -1);

    doc->RemoveView(main.get());
    doc->RemoveView(lower.get());
    doc->OnCloseDocument();
    EXPECT_EQ(dialogs.calls.back(), "close");
}

TEST_F(CorraDocViewsTest, TheDialogsStoreGoesIntoTheQuestionOfItsIdNotTheSelection)
{
    const int count = doc->GetQuestionCount();
    // The main view has question 2 selected; the dialog shows question 4.
    views.Of(main.get()).selected.AddTail(doc->FindQuestionById(2));
    CCorraQuestion typed(*doc->FindQuestionById(4));
    typed.m_cszQuestionText = "Typed in the dialog";
    typed.m_dAnswerSize = 0.5;
    typed.m_nId = 99;  // whatever the dialog's copy says, the store goes by the shown ID
    doc->FindQuestionById(4)->m_nMemberId = 71;
    CDlgQuestionStore store;
    store.nId = 4;
    store.pQuestion = &typed;
    // Through the first view's route, as the dialog sends it.
    ASSERT_TRUE(main->OnCmdMsg(ID_CORRA_STORE_DLG_QUESTION, CN_COMMAND, &store));
    EXPECT_TRUE(store.bStored);
    CCorraQuestion* stored = doc->FindQuestionById(4);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->m_cszQuestionText, "Typed in the dialog");
    EXPECT_DOUBLE_EQ(stored->m_dAnswerSize, 0.5);
    EXPECT_EQ(stored->m_nMemberId, 71);  // its group is the document's, not the dialog's
    EXPECT_EQ(doc->FindQuestionById(99), nullptr);
    EXPECT_NE(doc->FindQuestionById(2)->m_cszQuestionText, "Typed in the dialog");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->GetQuestionCount(), count);

    // A question deleted meanwhile stores nothing, and nothing else takes its place.
    store.nId = 12;
    store.bStored = TRUE;
    doc->SetModifiedFlag(FALSE);
    ASSERT_TRUE(main->OnCmdMsg(ID_CORRA_STORE_DLG_QUESTION, CN_COMMAND, &store));
    EXPECT_FALSE(store.bStored);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->GetQuestionCount(), count);
}

} // namespace
