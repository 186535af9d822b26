// The two panes of a Question Corra frame on a document: what each pane shows after every kind
// of change the document tells it of, the draw modes and their profile keys, the Expanded text
// and its cache, colours, and what the user's clicks and keys ask of the question editor.

#include "views/CorraView.h"

#include "foundation/CorraAppBase.h"
#include "model/Choices.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "controls/HVRichEditCtrl.h"
#include "model/Update.h"
#include "platform/ui/Keys.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/QtString.h"
#include "render/RtfDraw3.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraPanes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "views/CollListCtrl.h"
#include "views/ODListCtrl.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

class CPaneDoc : public CCorraDoc {
public:
    CPaneDoc()
    {
        m_bAutoDelete = FALSE;
        SetTitle("Panes");
        for (int id = 1; id <= 6; ++id)
            InsertQuestion(Question(id, id % 2 ? IDS_QTYPE_ES : IDS_QTYPE_MC));
        CPtrListEx members;
        members.AddTail(FindQuestionById(1));
        members.AddTail(FindQuestionById(2));
        GetOrCreateCollection("Unit A", &members);
        members.RemoveAll();
        members.AddTail(FindQuestionById(3));
        GetOrCreateCollection("Unit B", &members);
        SetModifiedFlag(FALSE);
    }
    static CCorraQuestion* Question(int id, unsigned type)
    {
        auto* q = new CCorraQuestion;
        q->m_nId = id;
        q->m_nIndex = id;
        q->m_nType = static_cast<int>(type);
        q->m_cszQuestionText = CString::Formatted("Question number %d of the bank", id);
        if (type == IDS_QTYPE_MC) {
            q->SetChoices("a. one\nb. two");
            q->m_cszAnswer = "a";
        }
        return q;
    }
    BOOL DoFileSave() override
    {
        ++saves;
        SetModifiedFlag(FALSE);
        return TRUE;
    }
    int saves = 0;
};

std::vector<int> Ids(const CPtrListEx& list)
{
    std::vector<int> ids;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        ids.push_back(static_cast<CCorraQuestion*>(list.GetNext(pos))->m_nId);
    return ids;
}

std::vector<int> ListIds(const CODListCtrl& list)
{
    CPtrListEx all;
    list.GetAllItems(all);
    return Ids(all);
}

class CorraViewTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        m_dialogs = std::make_unique<CServiceScope<IDocumentDialogs>>(DocumentDialogsSlot(), dialogs);
        doc = std::make_unique<CPaneDoc>();
        panes = std::make_unique<CCorraPanes>(*doc);
    }
    void TearDown() override
    {
        panes.reset();
        doc.reset();
        m_dialogs.reset();
        CorraTest::TearDown();
    }
    CCorraView& Upper() { return *panes->upper; }
    CCorraView& Lower() { return *panes->lower; }
    CODListCtrl& UpperList() { return *panes->upper->GetListCtrl(); }
    CCollListCtrl& LowerList() { return *dynamic_cast<CCollListCtrl*>(panes->lower->GetListCtrl()); }

    // The document's questions of one pane, in its order.
    std::vector<int> DocIds(BOOL bCollections) const
    {
        std::vector<int> ids;
        for (POSITION pos = doc->m_plQuestions.GetHeadPosition(); pos;) {
            auto* q = static_cast<CCorraQuestion*>(doc->m_plQuestions.GetNext(pos));
            if (q->IsCollection() == bCollections)
                ids.push_back(q->m_nId);
        }
        return ids;
    }
    // Each pane's elements, its list's rows and the document hold the same questions in the same
    // order.
    void ExpectAgreement(const std::string& row)
    {
        SCOPED_TRACE(row);
        for (CCorraView* view : {panes->upper, panes->lower}) {
            CPtrListEx order;
            view->GetOrder(order);
            EXPECT_EQ(Ids(order), ListIds(*view->GetListCtrl()));
            EXPECT_EQ(Ids(order), DocIds(view->IsCollectionPane()));
        }
    }
    CCorraQuestion* Q(int id) const { return doc->FindQuestionById(id); }
    CCorraQuestion* Collection(const char* name) const { return doc->FindCollection(name); }

    CFakeDocumentDialogs dialogs;
    std::unique_ptr<CPaneDoc> doc;
    std::unique_ptr<CCorraPanes> panes;

private:
    std::unique_ptr<CServiceScope<IDocumentDialogs>> m_dialogs;
};

TEST_F(CorraViewTest, EachPaneShowsItsQuestionsInTheListsOfItsKind)
{
    EXPECT_EQ(UpperList().GetDlgCtrlID(), static_cast<int>(IDC_QUESTION_LIST));
    EXPECT_EQ(dynamic_cast<CCollListCtrl*>(&UpperList()), nullptr);
    EXPECT_NE(dynamic_cast<CCollListCtrl*>(&LowerList()), nullptr);
    EXPECT_EQ(ListIds(UpperList()), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(LowerList().GetItemCount(), 2);
    EXPECT_EQ(LowerList().GetItemText(0, 1), "Unit A");
    EXPECT_EQ(LowerList().GetItemText(0, 2), "2");
    ExpectAgreement("start");
    // The frame sizes the lower pane from its content: 16 per row and 26 in small icons.
    EXPECT_EQ(Lower().GetScrollSizes().cy, 16 * 2 + 26);
    EXPECT_EQ(UpperList().GetRowHeight(), 16);
}

// Every hint the panes hear of, after the change the document made: each row ends with the
// panes and the document agreeing, and with the row's own check.
TEST_F(CorraViewTest, AfterEveryHintThePanesAndTheDocumentAgree)
{
    struct Row {
        const char* name;
        std::function<void()> change;
        std::function<void()> check;
    };
    CCorraQuestion* pAdded = nullptr;
    const std::vector<Row> rows = {
        {"0x10 inserts at its place",
         [&] {
             pAdded = doc->InsertQuestionAt(CPaneDoc::Question(40, IDS_QTYPE_ES), 1);
             CUpdate hint;
             hint.SetView(pAdded);
             hint.SetInsertIndex(1);
             doc->UpdateAllViews(nullptr, HINT_INSERT_QUESTIONS, &hint);
         },
         [&] { EXPECT_EQ(Upper().GetElementQuestion(1), pAdded); }},
        {"0x10 with a question the document does not hold inserts nothing",
         [&] {
             CCorraQuestion stranger;
             stranger.m_nId = 99;
             stranger.m_nType = static_cast<int>(IDS_QTYPE_ES);
             CUpdate hint;
             hint.SetView(&stranger);
             doc->UpdateAllViews(nullptr, HINT_INSERT_QUESTIONS, &hint);
         },
         [&] { EXPECT_EQ(UpperList().FindQuestionById(99), nullptr); }},
        {"0x100 inserts a collection",
         [&] {
             CPtrListEx members;
             members.AddTail(Q(4));
             CCorraQuestion* c = doc->GetOrCreateCollection("Unit C", &members);
             CUpdate hint;
             hint.SetView(c);
             doc->UpdateAllViews(nullptr, HINT_INSERT_COLLECTIONS, &hint);
         },
         [&] { EXPECT_EQ(LowerList().GetItemText(2, 1), "Unit C"); }},
        {"0x100 with a question refreshes the collections' counts and inserts nothing",
         [&] {
             Collection("Unit B")->InsertQuestId(-1, 5);
             CUpdate hint;
             hint.SetView(Q(5));
             doc->UpdateAllViews(nullptr, HINT_INSERT_COLLECTIONS, &hint);
         },
         [&] {
             EXPECT_EQ(LowerList().GetItemCount(), 3);
             EXPECT_EQ(LowerList().GetItemText(LowerList().FindCollectionByName("Unit B"), 2), "2");
         }},
        {"0x200 takes a question out of the question pane",
         [&] {
             CPtrListEx gone;
             gone.AddTail(Q(6));
             doc->DetachQuestions(gone);
             CUpdate hint;
             hint.SetQuestions(&gone);
             doc->UpdateAllViews(nullptr, HINT_REMOVE_QUESTIONS, &hint);
             delete static_cast<CCorraQuestion*>(gone.GetHead());
         },
         [&] { EXPECT_EQ(UpperList().FindQuestionById(6), nullptr); }},
        {"0x80 updates the named collection's row",
         [&] {
             Collection("Unit A")->m_cszQuestionText = "Unit A (renamed)";
             CUpdate hint;
             hint.SetView(Collection("Unit A (renamed)"));
             doc->UpdateAllViews(nullptr, HINT_COLLECTION_CHANGED, &hint);
         },
         [&] { EXPECT_EQ(LowerList().GetItemText(0, 1), "Unit A (renamed)"); }},
        {"0x400 updates the named collection's row",
         [&] {
             Collection("Unit B")->InsertQuestId(-1, 2);
             CUpdate hint;
             hint.SetView(Collection("Unit B"));
             doc->UpdateAllViews(nullptr, HINT_COLLECTION_RENAMED, &hint);
         },
         [&] { EXPECT_EQ(LowerList().GetItemText(1, 2), "3"); }},
        {"0 naming a question changed in place redraws its row",
         [&] {
             Q(3)->m_cszQuestionText = "Changed in place";
             CUpdate hint;
             hint.SetView(Q(3));
             doc->UpdateAllViews(nullptr, HINT_REFRESH, &hint);
         },
         [&] { EXPECT_EQ(UpperList().GetItemText(UpperList().FindItem(Q(3)), 3), "Changed in place"); }},
        {"1 removes deleted questions from both panes",
         [&] {
             CPtrListEx gone;
             gone.AddTail(Q(2));
             gone.AddTail(Collection("Unit C"));
             doc->DeleteQuestionsUndoable(&Upper(), gone, "Delete 2 questions");
         },
         [&] {
             EXPECT_EQ(UpperList().FindQuestionById(2), nullptr);
             EXPECT_EQ(LowerList().FindCollectionByName("Unit C"), -1);
         }},
        {"undoing that puts both back in their places",
         [&] { ASSERT_TRUE(doc->Undo()); },
         [&] {
             EXPECT_EQ(Upper().GetElementQuestion(2)->m_nId, 2);
             EXPECT_EQ(LowerList().FindCollectionByName("Unit C"), 2);
         }},
        {"4 adds the editor's new question at the end",
         [&] {
             CCorraQuestion typed;
             typed.m_nType = static_cast<int>(IDS_QTYPE_ES);
             typed.m_cszQuestionText = "Typed in the editor";
             pAdded = doc->AddDlgQuestion(typed);
         },
         [&] {
             EXPECT_EQ(Upper().GetElementQuestion(Upper().GetElementCount() - 1), pAdded);
             std::vector<int> selected;
             Upper().GetSelectedIndices(selected);
             EXPECT_EQ(selected, std::vector<int>{Upper().GetElementCount() - 1});
         }},
        {"4 with several questions shows them in the document's order",
         [&] {
             CPtrListEx added;
             added.AddTail(doc->InsertQuestionAt(CPaneDoc::Question(41, IDS_QTYPE_ES), -1));
             added.AddTail(doc->InsertQuestionAt(CPaneDoc::Question(42, IDS_QTYPE_ES), -1));
             added.AddTail(doc->InsertQuestionAt(CPaneDoc::Question(43, IDS_QTYPE_ES), 0));
             doc->UpdateAllViews(nullptr, HINT_QUESTIONS_ADDED, &added);
         },
         [&] {
             EXPECT_EQ(Upper().GetElementQuestion(0)->m_nId, 43);
             EXPECT_EQ(Upper().GetElementQuestion(Upper().GetElementCount() - 1)->m_nId, 42);
         }},
        {"0x40 re-reads nothing in a pane without its own collection", [&] {
             doc->UpdateAllViews(nullptr, HINT_REREAD, nullptr);
         }, [] {}},
        {"0x808 shows the group order; the collection pane ignores it",
         [&] {
             doc->GroupByType();
             doc->ApplyGroupOrder();
         },
         [&] { EXPECT_EQ(Lower().GetElementCount(), 3); }},
    };
    for (const Row& row : rows) {
        row.change();
        QApplication::processEvents();
        SCOPED_TRACE(row.name);
        row.check();
        ExpectAgreement(row.name);
    }
}

TEST_F(CorraViewTest, ASettingsChangeFormatsTheExpandedTextAgain)
{
    Upper().OnExpanded();
    ASSERT_EQ(Upper().GetDrawMode(), CVDRAW_EXPANDED);
    const int formatted = Upper().GetFormatCount();
    Q(3)->m_cszQuestionText = "A text changed meanwhile";
    doc->UpdateAllViews(nullptr, HINT_SETTINGS_CHANGED, nullptr);
    EXPECT_EQ(Upper().GetFormatCount(), formatted + 1);
    EXPECT_NE(Upper().GetTextPane()->GetWindowText().Find("A text changed meanwhile"), -1);
    EXPECT_TRUE(Upper().GetTextPane()->isVisible());
    EXPECT_FALSE(UpperList().isVisible());
    ExpectAgreement("0x1000");
}

TEST_F(CorraViewTest, IconModesAreKeptPerPaneAndContractedGoesBackToTheLastOne)
{
    CCorraAppBase& app = CorraApp();
    // Nothing stored: Contracted gives small icons.
    Upper().OnContracted();
    EXPECT_EQ(Upper().GetDrawMode(), CVDRAW_SMALL_ICON);

    Upper().OnLargeIcon();
    EXPECT_EQ(app.GetProfileInt("Corras", "CorraViewDrawMode", 0), 1);
    EXPECT_EQ(app.GetProfileInt("Corras", "CorraViewLastIconDrawMode", 0), 1);
    EXPECT_EQ(UpperList().GetRowHeight(), 32);
    EXPECT_EQ(UpperList().GetItemCount(), 6);
    EXPECT_EQ(app.GetProfileInt("Corras", "CListDrawMode", -7), -7);

    Lower().OnLargeIcon();
    EXPECT_EQ(app.GetProfileInt("Corras", "CListDrawMode", 0), 1);
    EXPECT_EQ(app.GetProfileInt("Corras", "CListLastIconDrawMode", 0), 1);
    EXPECT_EQ(Lower().GetScrollSizes().cy, 32 * 3);
    Lower().OnSmallIcon();
    EXPECT_EQ(app.GetProfileInt("Corras", "CListLastIconDrawMode", 0), 2);
    EXPECT_EQ(app.GetProfileInt("Corras", "CorraViewLastIconDrawMode", 0), 1);

    // Expanded is not stored; Contracted goes back to large icons.
    Upper().OnExpanded();
    EXPECT_EQ(app.GetProfileInt("Corras", "CorraViewDrawMode", 0), 1);
    Upper().OnContracted();
    EXPECT_EQ(Upper().GetDrawMode(), CVDRAW_LARGE_ICON);
    EXPECT_TRUE(UpperList().isVisible());
    EXPECT_FALSE(Upper().GetTextPane()->isVisible());
    // The collection pane has no Expanded mode.
    Lower().OnExpanded();
    EXPECT_EQ(Lower().GetDrawMode(), CVDRAW_SMALL_ICON);
    ExpectAgreement("modes");
}

TEST_F(CorraViewTest, SwitchingTheIconModeKeepsTheSelection)
{
    ASSERT_TRUE(Upper().SelectQuestion(Q(2), SELQ_DESELECT_FIRST));
    ASSERT_TRUE(Upper().SelectQuestion(Q(5), 0));
    for (auto mode : {&CCorraView::OnLargeIcon, &CCorraView::OnSmallIcon}) {
        (Upper().*mode)();
        std::vector<int> rows;
        Upper().GetSelectedIndices(rows);
        EXPECT_EQ(rows, (std::vector<int>{1, 4}));
    }
}

TEST_F(CorraViewTest, ExpandedIsFormattedOnceUntilTheDocumentChanges)
{
    Upper().OnExpanded();
    EXPECT_EQ(Upper().GetFormatCount(), 1);
    Upper().OnContracted();
    Upper().OnExpanded();
    EXPECT_EQ(Upper().GetFormatCount(), 1);  // cache hit
    // Two edits at once: each raises the document's change count.
    Q(1)->m_cszQuestionText = "First edit";
    doc->SetModifiedFlag(TRUE);
    Upper().OnContracted();
    Upper().OnExpanded();
    EXPECT_EQ(Upper().GetFormatCount(), 2);
    Q(1)->m_cszQuestionText = "Second edit";
    doc->SetModifiedFlag(TRUE);
    Upper().OnExpanded();
    EXPECT_EQ(Upper().GetFormatCount(), 3);
    EXPECT_NE(Upper().GetTextPane()->GetWindowText().Find("Second edit"), -1);
    // The pane, kept from painting while its text grew, paints again.
    EXPECT_TRUE(Upper().GetTextPane()->updatesEnabled());
}

TEST_F(CorraViewTest, ExpandedNumbersOnlyQuestionsAndRaisesTheLimitBeforeItIsReached)
{
    // A collection first in the document's order: it is neither shown nor counted.
    doc->m_plQuestions.AddHead(doc->m_plQuestions.RemoveTail());
    Upper().GetTextPane()->LimitText(60);
    ASSERT_TRUE(Upper().FormatExpanded());
    const CString text = Upper().GetTextPane()->GetWindowText();
    EXPECT_EQ(text.Find("1. Question number 1 of the bank"), 0);
    EXPECT_NE(text.Find("6. Question number 6 of the bank"), -1);
    EXPECT_EQ(text.Find("7. "), -1);
    EXPECT_EQ(text.Find("Unit"), -1);
    EXPECT_GE(Upper().GetTextPane()->GetLimitText(), Upper().GetTextPane()->GetTextLength());
}

TEST_F(CorraViewTest, ExpandedPutsTheCaretAtTheSelectedQuestionAndLaysOutTheWholeText)
{
    ASSERT_TRUE(Upper().SelectQuestion(Q(4), SELQ_DESELECT_FIRST));
    ASSERT_TRUE(Upper().FormatExpanded());
    CHVRichEditCtrl& text = *Upper().GetTextPane();
    const long at = text.GetWindowText().Find("4. Question number 4");
    ASSERT_GT(at, 0);
    long start = -1, end = -1;
    text.GetSel(start, end);
    EXPECT_EQ(start, at);
    EXPECT_EQ(end, at);
    EXPECT_FALSE(text.IsComposing());
    EXPECT_GT(text.GetLineCount(), 6);
    EXPECT_GT(text.PosFromChar(text.GetTextLength()).y, text.PosFromChar(at).y);
}

TEST_F(CorraViewTest, AStoppedFormattingEndsInTheLastIconModeWithoutText)
{
    Upper().OnLargeIcon();
    Q(2)->m_cszQuestionText = "Changed, so that it formats";
    doc->SetModifiedFlag(TRUE);
    // The user presses Cancel in the status box while the questions are formatted.
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            for (QPushButton* b : w->findChildren<QPushButton*>()) {
                if (w->isVisible() && FromQString(b->text()) == "Cancel")
                    b->click();
            }
        }
    });
    Upper().OnExpanded();
    QApplication::processEvents();
    EXPECT_EQ(Upper().GetDrawMode(), CVDRAW_LARGE_ICON);
    EXPECT_TRUE(Upper().GetTextPane()->GetWindowText().IsEmpty());
    EXPECT_TRUE(Upper().GetTextPane()->updatesEnabled());
    EXPECT_FALSE(Upper().GetTextPane()->isVisible());
    EXPECT_TRUE(UpperList().isVisible());
    // Nothing half-made was kept: the next Expanded formats again, whole.
    const int formatted = Upper().GetFormatCount();
    Upper().OnExpanded();
    EXPECT_EQ(Upper().GetFormatCount(), formatted + 1);
    EXPECT_NE(Upper().GetTextPane()->GetWindowText().Find("6. Question number 6"), -1);
}

TEST_F(CorraViewTest, FormattingStopsWhenTheViewGoesAwayAndLeavesTheSettingsAsTheyWere)
{
    Q(2)->m_cszQuestionText = "Changed, so that it formats";
    doc->SetModifiedFlag(TRUE);
    const int indent = CChoices::GetChoicesIndentLevel();
    CorraApp().WriteProfileInt(CCorraDoc::PROFILE_SECTION, "ChoicesIndentLevel", indent + 7);
    // The frame closes while the status box lets events run: the panes go with it.
    QTimer::singleShot(0, [this] { panes.reset(); });
    CCorraView& upper = Upper();
    EXPECT_FALSE(upper.FormatExpanded());
    EXPECT_TRUE(panes == nullptr);
    EXPECT_EQ(CChoices::GetChoicesIndentLevel(), indent);
}

TEST_F(CorraViewTest, ActivatingOnePaneColoursBoth)
{
    const COLORREF active = 0xFFFFFF;
    const COLORREF inactive = 0xC0C0C0;
    Lower().OnActivateView(TRUE, &Lower(), &Upper());
    EXPECT_EQ(Lower().GetCurrentColour(), active);
    EXPECT_EQ(LowerList().GetBkColor(), active);
    EXPECT_EQ(Upper().GetCurrentColour(), inactive);
    EXPECT_EQ(UpperList().GetBkColor(), inactive);
    Upper().OnActivateView(TRUE, &Upper(), &Lower());
    EXPECT_EQ(UpperList().GetBkColor(), active);
    EXPECT_EQ(LowerList().GetBkColor(), inactive);
    // The whole frame loses activation: both inactive.
    Upper().OnActivateView(FALSE, &Upper(), &Upper());
    EXPECT_EQ(UpperList().GetBkColor(), inactive);
    EXPECT_EQ(LowerList().GetBkColor(), inactive);
}

TEST_F(CorraViewTest, ClicksAndKeysInTheListReachTheEditorThroughItsSavePrompt)
{
    NMLISTVIEW click;
    click.iItem = 2;
    UpperList().SelectItem(2, TRUE);
    ASSERT_FALSE(Upper().OnChildNotify(IDC_QUESTION_LIST, NM_CLICK, &click));
    // One request that asks about the editor's typing first; never a clear before it.
    EXPECT_EQ(dialogs.selected, std::vector<int>{3});
    EXPECT_EQ(dialogs.title, doc->GetQuestionDlgTitle());

    NMLVKEYDOWN key;
    key.wVKey = VK_UP;
    Upper().OnChildNotify(IDC_QUESTION_LIST, LVN_KEYDOWN, &key);
    key.wVKey = VK_DOWN;
    Upper().OnChildNotify(IDC_QUESTION_LIST, LVN_KEYDOWN, &key);
    EXPECT_EQ(dialogs.selected, (std::vector<int>{3, 2, 4}));

    dialogs.calls.clear();
    click.iItem = 4;
    Upper().OnChildNotify(IDC_QUESTION_LIST, NM_DBLCLK, &click);
    EXPECT_EQ(dialogs.selected.back(), 5);
    EXPECT_EQ(dialogs.calls, std::vector<std::string>{"show"});

    // The user keeps editing: the editor is not brought up with another question.
    dialogs.selectAnswer = FALSE;
    dialogs.calls.clear();
    click.iItem = 0;
    Upper().OnChildNotify(IDC_QUESTION_LIST, NM_DBLCLK, &click);
    EXPECT_EQ(dialogs.selected.back(), 1);
    EXPECT_TRUE(dialogs.calls.empty());

    // A click in the collection pane asks nothing of the editor.
    dialogs.selected.clear();
    click.iItem = 0;
    Lower().OnChildNotify(IDC_QUESTION_LIST, NM_CLICK, &click);
    EXPECT_TRUE(dialogs.selected.empty());
}

TEST_F(CorraViewTest, UpDownAndEnterInTheListMoveThroughTheQuestionsAndOpenOne)
{
    UpperList().SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    dialogs.selected.clear();
    auto press = [this](Qt::Key key) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&UpperList(), &e);
    };
    press(Qt::Key_Down);
    EXPECT_EQ(UpperList().GetFirstSelectedItem(), 3);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    EXPECT_EQ(UpperList().GetFirstSelectedItem(), 1);
    // The editor follows the selection: rows 4, 3, 2 hold the questions of these IDs.
    EXPECT_EQ(dialogs.selected, (std::vector<int>{4, 3, 2}));
    // Enter opens the selected question as a double click does.
    dialogs.calls.clear();
    press(Qt::Key_Return);
    EXPECT_EQ(dialogs.selected.back(), 2);
    EXPECT_EQ(dialogs.calls, std::vector<std::string>{"show"});
}

TEST_F(CorraViewTest, SelectingForTheDocumentDeselectsOnlyWhenAsked)
{
    CPtrListEx two;
    two.AddTail(Q(2));
    two.AddTail(Q(5));
    doc->SelectInMainView(two);
    std::vector<int> selected;
    Upper().GetSelectedIndices(selected);
    EXPECT_EQ(selected, (std::vector<int>{1, 4}));
    EXPECT_TRUE(Upper().SelectQuestion(Q(6), SELQ_VISIBLE));
    Upper().GetSelectedIndices(selected);
    EXPECT_EQ(selected, (std::vector<int>{1, 4, 5}));
    EXPECT_FALSE(Upper().SelectQuestion(nullptr, SELQ_DESELECT_FIRST));
    Upper().GetSelectedIndices(selected);
    EXPECT_TRUE(selected.empty());
    // A collection is not in the question pane.
    EXPECT_FALSE(Upper().SelectQuestion(Collection("Unit A"), SELQ_DESELECT_FIRST));
    EXPECT_TRUE(Upper().SelectQuestion(Q(1), SELQ_UPDATE_DIALOG));
    EXPECT_EQ(dialogs.selected, std::vector<int>{1});
}

TEST_F(CorraViewTest, APressInTheMarginMakesTheQuestionBelowItCurrent)
{
    // The rows as drawn: the press lies above the middle of the third row.
    CRect third;
    ASSERT_TRUE(UpperList().GetItemRect(2, &third));
    const QPoint origin = UpperList().viewport()->mapTo(&Upper(), QPoint(0, 0));
    const int y = origin.y() + third.top + 1;
    Upper().OnLeftPress(CPoint(CORRAVIEW_MARGIN, y));
    EXPECT_EQ(Upper().GetCurrentElement(), 2);
    EXPECT_EQ(Q(3)->m_nCurrent, 1);
    // The view's own Down moves the mark and shows the question in the editor.
    Upper().MoveCurrent(1);
    EXPECT_EQ(Q(3)->m_nCurrent, 0);
    EXPECT_EQ(Q(4)->m_nCurrent, 1);
    EXPECT_EQ(dialogs.selected.back(), 4);
    // Right of the margin: the list's last selected question goes to the editor.
    UpperList().SelectItem(5, TRUE);
    Upper().OnLeftPress(CPoint(CORRAVIEW_MARGIN + 1, y));
    EXPECT_EQ(dialogs.selected.back(), 6);
    EXPECT_EQ(Upper().GetCurrentElement(), 3);
}

TEST_F(CorraViewTest, EachPaneHasItsContextMenu)
{
    struct Row {
        CCorraView* view;
        const char* first;
        const char* disabled;
        const char* enabled;
    };
    for (const Row& row : {Row{&Upper(), "&Search...", "I&mages...", "St&atistics..."},
                           Row{&Lower(), "R&ename Collection", nullptr, "St&atistics..."}}) {
        QMenu* menu = row.view->ShowContextMenu(CPoint(20, 20));
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->isVisible());
        QList<QAction*> actions = menu->actions();
        ASSERT_FALSE(actions.isEmpty());
        EXPECT_EQ(FromQString(actions.front()->text()), row.first);
        for (QAction* a : actions) {
            const CString text = FromQString(a->text());
            if (text == "by &Large Icon") {
                EXPECT_TRUE(a->isEnabled());
            }
            if (text == "by &Small Icon") {
                EXPECT_TRUE(a->isChecked());
            }
            // Commands still to be built are there, grey.
            if (row.disabled && text == row.disabled) {
                EXPECT_FALSE(a->isEnabled());
            }
            if (text == row.enabled) {
                EXPECT_TRUE(a->isEnabled());
            }
        }
        // Its draw-mode item reaches the pane it was opened on.
        for (QAction* a : actions) {
            if (FromQString(a->text()) == "by &Large Icon")
                a->trigger();
        }
        EXPECT_EQ(row.view->GetDrawMode(), CVDRAW_LARGE_ICON);
        menu->close();
        QApplication::processEvents();
    }
    EXPECT_EQ(Upper().GetDrawMode(), CVDRAW_LARGE_ICON);
}

TEST_F(CorraViewTest, TheSaveAgainMessageSavesTheDocument)
{
    Upper().SendMessage(WM_CORRA_RESAVE);
    EXPECT_TRUE(doc->IsModified());
    QApplication::processEvents();
    EXPECT_EQ(doc->saves, 1);
}

TEST_F(CorraViewTest, SortingByAColumnIsTheDocumentsOrderAndCanBeUndone)
{
    NMLISTVIEW header;
    header.iItem = -1;
    header.iSubItem = 7;  // ID
    UpperList().SortItems(
        [](LPARAM a, LPARAM b, LPARAM) {
            return reinterpret_cast<CCorraQuestion*>(b)->m_nId - reinterpret_cast<CCorraQuestion*>(a)->m_nId;
        },
        0);
    Upper().OnChildNotify(IDC_QUESTION_LIST, LVN_COLUMNCLICK, &header);
    EXPECT_EQ(DocIds(FALSE), (std::vector<int>{6, 5, 4, 3, 2, 1}));
    ExpectAgreement("sorted");
    EXPECT_EQ(doc->GetUndoText(), "Sort: ID");
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(DocIds(FALSE), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    ExpectAgreement("unsorted");
}

} // namespace

namespace {

QImage Shot(CODListCtrl& list)
{
    QImage image(list.viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    list.viewport()->render(&painter);
    return image;
}

// The screen keeps each row's drawn text as a picture: a repaint shows the same, and what
// changed since (the text, the selection's colours, the fonts) is drawn anew.
TEST_F(CorraViewTest, ARepaintShowsExactlyWhatChanged)
{
    InstallRtfTextDrawer();
    const QImage first = Shot(UpperList());
    EXPECT_EQ(Shot(UpperList()), first);
    Q(2)->m_cszQuestionText = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs24 Mitochondria and "
                              "{\\b chloroplasts}\\par}";
    UpperList().UpdateQuestion(Q(2));
    const QImage changed = Shot(UpperList());
    EXPECT_NE(changed, first);
    // A text in 12 points draws at the row's size: as the same text in 10 points.
    Q(2)->m_cszQuestionText.Replace("\\fs24", "\\fs20");
    UpperList().UpdateQuestion(Q(2));
    EXPECT_EQ(Shot(UpperList()), changed);
    UpperList().setFocus();
    UpperList().SelectItem(1, TRUE);
    const QImage selected = Shot(UpperList());
    EXPECT_NE(selected, changed);
    UpperList().SelectItem(1, FALSE);
    EXPECT_EQ(Shot(UpperList()), changed);
}

} // namespace
