// Rows dragged with the mouse between the lists of two banks' panes and onto a group: the view
// holds the mouse from the list's drag start, marks the row under the cursor, scrolls a list it
// left by up to 100 pixels, and hands the drop to the handler for the two lists' kinds.

#include "views/CorraView.h"

#include "dialogs/GroupListCtrl.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Group.h"
#include "model/Update.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraPanes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "tests/support/ListMouse.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TransferBanks.h"
#include "views/DuplicateQuestionsDlg.h"
#include "views/ODListCtrl.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>

#include <memory>
#include <vector>

namespace {

using CBankDoc = CTransferBank;

class DragTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        m_dialogs = std::make_unique<CServiceScope<IDocumentDialogs>>(DocumentDialogsSlot(), dialogs);
        a = std::make_unique<CBankDoc>("Alpha", std::vector<int>{1, 2, 3, 4});
        b = std::make_unique<CBankDoc>("Beta", std::vector<int>{10, 11});
        CPtrListEx members;
        members.AddTail(b->FindQuestionById(10));
        b->GetOrCreateCollection("Unit", &members);
        a->GetOrCreateCollection("Own");
        a->SetModifiedFlag(FALSE);
        b->SetModifiedFlag(FALSE);
        // Side by side on the one screen, with room below the second for a groups list.
        pa = std::make_unique<CCorraPanes>(*a, 380, 560);
        pb = std::make_unique<CCorraPanes>(*b, 380, 280);
        pa->Splitter().move(0, 0);
        pb->Splitter().move(410, 0);
        QApplication::processEvents();
    }
    void TearDown() override
    {
        pa.reset();
        pb.reset();
        a.reset();
        b.reset();
        m_dialogs.reset();
        CorraTest::TearDown();
    }
    static void Select(CCorraView& view, std::vector<int> rows)
    {
        view.GetListCtrl()->SelectItem(-1, FALSE);
        for (int r : rows)
            view.GetListCtrl()->SelectItem(r, TRUE);
    }
    // Presses on row of the view's list, moves far enough to start a drag, moves to target and
    // lets go there.
    static void Drag(CCorraView& from, int row, QPoint target)
    {
        CODListCtrl& list = *from.GetListCtrl();
        const QPoint start = RowPoint(list, row);
        Send(list.viewport(), QEvent::MouseButtonPress, start, Qt::LeftButton);
        Send(list.viewport(), QEvent::MouseMove, start + QPoint(0, QApplication::startDragDistance() + 2), Qt::LeftButton);
        ASSERT_TRUE(from.IsDragging());
        Send(from.viewport(), QEvent::MouseMove, target, Qt::LeftButton);
        Send(from.viewport(), QEvent::MouseButtonRelease, target, Qt::NoButton);
        EXPECT_FALSE(from.IsDragging());
    }

    CFakeDocumentDialogs dialogs;
    std::unique_ptr<CBankDoc> a, b;
    std::unique_ptr<CCorraPanes> pa, pb;

private:
    std::unique_ptr<CServiceScope<IDocumentDialogs>> m_dialogs;
};

TEST_F(DragTest, DropsReachTheHandlerOfTheTwoListsKinds)
{
    enum Where { B_QUESTION_ROW, B_COLLECTION_ROW, B_COLLECTION_EMPTY, A_QUESTION_ROW, A_QUESTION_BELOW, B_BUSY };
    struct Case {
        const char* name;
        bool fromCollections;
        std::vector<int> rows;
        Where where;
        std::vector<int> alphaAfter;
        std::vector<int> betaAfter;
        std::vector<int> unitAfter;
    };
    const Case cases[] = {
        {"questions before a row of another bank", false, {0, 1}, B_QUESTION_ROW, {1, 2, 3, 4}, {10, 1, 2, 11}, {10}},
        {"questions onto a collection of another bank", false, {2}, B_COLLECTION_ROW, {1, 2, 3, 4}, {10, 11, 3}, {10, 3}},
        {"onto a collection pane without a row", false, {2}, B_COLLECTION_EMPTY, {1, 2, 3, 4}, {10, 11}, {10}},
        {"onto a busy view", false, {2}, B_BUSY, {1, 2, 3, 4}, {10, 11}, {10}},
        {"within the own list", false, {3}, A_QUESTION_ROW, {1, 4, 2, 3}, {10, 11}, {10}},
        {"below the own list's last row", false, {0}, A_QUESTION_BELOW, {2, 3, 4, 1}, {10, 11}, {10}},
        {"a collection's members into another bank", true, {0}, A_QUESTION_ROW, {1, 10, 2, 3, 4}, {10, 11}, {10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        CCorraView& from = c.fromCollections ? *pb->lower : *pa->upper;
        Select(from, c.rows);
        QPoint target;
        CODListCtrl& aq = *pa->upper->GetListCtrl();
        switch (c.where) {
        case B_QUESTION_ROW: target = RowPoint(*pb->upper->GetListCtrl(), 1); break;
        case B_COLLECTION_ROW: target = RowPoint(*pb->lower->GetListCtrl(), 0); break;
        case B_COLLECTION_EMPTY:
            target = pb->lower->GetListCtrl()->viewport()->mapToGlobal(
                QPoint(20, pb->lower->GetListCtrl()->viewport()->height() - 5));
            break;
        case B_BUSY:
            pb->upper->m_bBusy = TRUE;
            target = RowPoint(*pb->upper->GetListCtrl(), 0);
            break;
        case A_QUESTION_ROW: target = RowPoint(aq, 1); break;
        case A_QUESTION_BELOW: target = aq.viewport()->mapToGlobal(QPoint(20, aq.viewport()->height() - 5)); break;
        }
        Drag(from, c.rows.front(), target);
        EXPECT_EQ(DocIds(*a), c.alphaAfter);
        EXPECT_EQ(DocIds(*b), c.betaAfter);
        EXPECT_EQ(MemberIds(b->FindCollection("Unit")), c.unitAfter);
        // The rows follow their documents.
        CPtrListEx rows;
        pb->upper->GetListCtrl()->GetAllItems(rows);
        EXPECT_EQ(rows.GetCount(), static_cast<int>(c.betaAfter.size()));
    }
}

TEST_F(DragTest, CollectionsDraggedWithinTheirOwnBankAreRefused)
{
    Select(*pa->lower, {0});
    Drag(*pa->lower, 0, RowPoint(*pa->upper->GetListCtrl(), 0));
    EXPECT_EQ(DocIds(*a), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_FALSE(a->IsModified());
}

TEST_F(DragTest, TheRowUnderTheCursorIsMarkedAndAListLeftByUpTo100PixelsScrolls)
{
    // Enough rows to scroll.
    for (int id = 100; id < 160; ++id)
        b->InsertQuestion(CBankDoc::Question(id, "more"));
    b->UpdateAllViews(nullptr, HINT_REFRESH, nullptr);
    CODListCtrl& list = *pb->upper->GetListCtrl();
    list.verticalScrollBar()->setValue(list.verticalScrollBar()->maximum() / 2);
    const int middle = list.verticalScrollBar()->value();
    ASSERT_GT(middle, 0);

    Select(*pa->upper, {0});
    CODListCtrl& source = *pa->upper->GetListCtrl();
    const QPoint start = RowPoint(source, 0);
    Send(source.viewport(), QEvent::MouseButtonPress, start, Qt::LeftButton);
    Send(source.viewport(), QEvent::MouseMove, start + QPoint(0, 20), Qt::LeftButton);
    ASSERT_TRUE(pa->upper->IsDragging());

    const QPoint over = RowPoint(list, list.GetTopIndex() + 1);
    pa->upper->DragMoveTo(over);
    EXPECT_EQ(pa->upper->GetDropTargetItem(), list.GetTopIndex() + 1);
    EXPECT_TRUE(list.GetItemState(list.GetTopIndex() + 1, LVIS_DROPHILITED));
    EXPECT_EQ(CCorraView::GetAutoScrollList(), &list);

    // Just above the list: it scrolls up.
    const QPoint top = list.mapToGlobal(QPoint(30, 0));
    pa->upper->DragMoveTo(top + QPoint(0, -30));
    EXPECT_LT(list.verticalScrollBar()->value(), middle);
    EXPECT_FALSE(list.GetItemState(list.GetTopIndex() + 1, LVIS_DROPHILITED));
    // Farther than 100 pixels: scrolling stops for good.
    const int now = list.verticalScrollBar()->value();
    pa->upper->DragMoveTo(top + QPoint(0, -150));
    EXPECT_EQ(CCorraView::GetAutoScrollList(), nullptr);
    pa->upper->DragMoveTo(top + QPoint(0, -30));
    EXPECT_EQ(list.verticalScrollBar()->value(), now);

    pa->upper->EndListDrag();
    EXPECT_FALSE(pa->upper->IsDragging());
    EXPECT_EQ(DocIds(*b).size(), 62u);
}

TEST_F(DragTest, QuestionsDroppedOnAGroupJoinItAndOtherBanksAreRefused)
{
    CGroup* group = CGroup::Create("Unit one", 0, 0);
    a->m_plGroups.AddTail(group);
    CGroupListCtrl groups;
    groups.SetDocument(a.get());
    groups.resize(300, 200);
    groups.move(410, 330);
    groups.show();
    groups.Fill();
    QApplication::processEvents();

    messageBox.QueueAnswer(IDYES);
    Select(*pa->upper, {0, 1});
    Drag(*pa->upper, 0, RowPoint(groups, 0));
    EXPECT_EQ(a->FindQuestionById(1)->m_nMemberId, group->m_nId);
    EXPECT_EQ(a->FindQuestionById(2)->m_nMemberId, group->m_nId);
    EXPECT_EQ(a->FindQuestionById(3)->m_nMemberId, 0);
    EXPECT_EQ(groups.GetItemText(0, 1), CString("2"));
    ASSERT_FALSE(messageBox.calls.empty());
    EXPECT_EQ(messageBox.calls.back().text, CString("Are you sure you want to add 2 questions to group Unit one"));

    Select(*pb->upper, {0});
    Drag(*pb->upper, 0, RowPoint(groups, 0));
    EXPECT_EQ(messageBox.calls.back().text, CString("Cannot add questions from a different document."));
    EXPECT_EQ(b->FindQuestionById(10)->m_nMemberId, 0);
}

} // namespace
