// The commands of a bank's panes: which are enabled, checked and named in each state of the
// panes (and in an exam's), and what they do: Delete with its undo and redo, Copy in list order,
// Select All and Unselect All through the question dialog's save prompt, Images' refusals, and
// printing and export from the collection pane reaching the question pane.

#include "views/CorraView.h"

#include "dialogs/CorraQuestionDlg.h"
#include "dialogs/QuestionDialogs.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "print/ExportDialog.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/FrameworkIds.h"
#include "res/ids/Menus.h"
#include "tests/support/CorraPanes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedPrintDialogs.h"
#include "tests/support/TransferBanks.h"
#include "views/DuplicateQuestionsDlg.h"
#include "views/ExamView.h"
#include "views/ODListCtrl.h"

#include <QClipboard>
#include <QGuiApplication>

#include <memory>
#include <vector>

namespace {

CTestCmdUI State(CCmdTarget& target, UINT id)
{
    CTestCmdUI ui;
    ui.m_nID = id;
    ui.DoUpdate(&target, TRUE);
    return ui;
}

// An exam of three essay questions, never written.
class CSmallExam : public CExamDoc {
public:
    CSmallExam()
    {
        m_bAutoDelete = FALSE;
        SetTitle("Quiz");
        for (int id = 1; id <= 3; ++id) {
            auto* q = new CExamQuestion;
            q->m_nId = q->m_nIndex = id;
            q->m_nType = static_cast<int>(IDS_QTYPE_ES);
            q->m_cszQuestionText.Format("Exam question %d", id);
            InsertQuestion(q);
        }
        SetModifiedFlag(FALSE);
    }
    BOOL DoFileSave() override { return TRUE; }
};

class CommandsTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        QGuiApplication::clipboard()->clear();
        m_dialogs = std::make_unique<CServiceScope<IDocumentDialogs>>(DocumentDialogsSlot(), dialogs);
        doc = std::make_unique<CTransferBank>("Alpha", std::vector<int>{1, 2, 3, 4, 5});
        CPtrListEx members;
        for (int id : {2, 3, 4})
            members.AddTail(doc->FindQuestionById(id));
        doc->GetOrCreateCollection("Unit", &members);
        doc->SetModifiedFlag(FALSE);
        panes = std::make_unique<CCorraPanes>(*doc);
    }
    void TearDown() override
    {
        panes.reset();
        doc.reset();
        m_dialogs.reset();
        QGuiApplication::clipboard()->clear();
        CorraTest::TearDown();
    }
    void SelectRows(CCorraView& view, std::vector<int> rows)
    {
        view.GetListCtrl()->SelectItem(-1, FALSE);
        for (int r : rows)
            view.GetListCtrl()->SelectItem(r, TRUE);
    }

    CFakeDocumentDialogs dialogs;
    std::unique_ptr<CTransferBank> doc;
    std::unique_ptr<CCorraPanes> panes;

private:
    std::unique_ptr<CServiceScope<IDocumentDialogs>> m_dialogs;
};

TEST_F(CommandsTest, EachCommandIsEnabledByThePanesState)
{
    enum Context { EMPTY_BANK, ONE_SELECTED, TWO_SELECTED, ONE_COLLECTION, EXAM_VIEW, CONTEXTS };
    const char* names[CONTEXTS] = {"empty bank", "one question", "two questions", "one collection",
                                   "one exam question"};
    struct Row {
        UINT id;
        bool enabled[CONTEXTS];
    };
    const Row rows[] = {
        {ID_EDIT_SELECT_ALL, {false, true, true, true, true}},
        {ID_UNSELECT_ALL, {false, true, true, true, true}},
        {ID_EDIT_COPY, {false, true, true, true, true}},
        {ID_EDIT_CUT, {false, true, true, true, true}},
        {menus::kEditDelete, {false, true, true, true, true}},
        {ID_EDIT_PASTE, {false, false, false, false, false}},
        {ID_EDIT_UNDO, {false, false, false, false, false}},
        {ID_EDIT_REDO, {false, false, false, false, false}},
        {ID_SET_QUESTION_ATTRIBUTES, {false, true, true, true, true}},
        {ID_QUESTION_IMAGES, {false, true, false, false, true}},
        {ID_RENAME_COLLECTION, {false, false, false, true, false}},
        {ID_QUESTION_STATISTICS, {true, true, true, true, true}},
        {ID_SET_ALL_FONTS, {true, true, true, true, true}},
        {ID_FORMAT_CHOICES, {false, true, true, true, true}},
        {ID_INVALID_QUESTIONS, {false, true, true, true, true}},
        {ID_EXPORT_FILES, {true, true, true, true, true}},
        {ID_QUESTION_SEARCH, {true, true, true, true, false}},
        {ID_PRINTING_PROPERTIES, {true, true, true, true, true}},
    };
    CTransferBank empty("Empty", {});
    CCorraPanes emptyPanes(empty);
    CExamDoc::LoadDefaults();
    CSmallExam exam;
    CCorraPanes examPanes(exam, 900, 600, CCreatable<CView>::Of<CExamView>());
    for (int c = 0; c < CONTEXTS; ++c) {
        SCOPED_TRACE(names[c]);
        CCorraView* view = panes->upper;
        switch (c) {
        case EMPTY_BANK: view = emptyPanes.upper; break;
        case ONE_SELECTED: SelectRows(*view, {0}); break;
        case TWO_SELECTED: SelectRows(*view, {0, 1}); break;
        case ONE_COLLECTION:
            view = panes->lower;
            SelectRows(*view, {0});
            break;
        case EXAM_VIEW:
            view = examPanes.upper;
            SelectRows(*view, {1});
            break;
        }
        for (const Row& r : rows)
            EXPECT_EQ(State(*view, r.id).m_bEnabled, r.enabled[c]) << "command " << r.id;
        EXPECT_EQ(State(*view, ID_VIEW_SMALL_ICON).m_nCheck, 1);
        EXPECT_EQ(State(*view, ID_VIEW_LARGE_ICON).m_nCheck, 0);
        EXPECT_EQ(State(*view, ID_VIEW_CONTRACTED).m_nCheck, 1);
        EXPECT_EQ(State(*view, ID_VIEW_EXPANDED).m_nCheck, 0);
        EXPECT_EQ(State(*view, ID_EDIT_UNDO).m_strText, CString("&Undo\tCtrl+Z"));
    }
    // A readable list on the clipboard enables Paste; the Expanded mode is the question pane's.
    SelectRows(*panes->upper, {0});
    panes->upper->OnEditCopy();
    EXPECT_TRUE(State(*panes->upper, ID_EDIT_PASTE).m_bEnabled);
    EXPECT_FALSE(State(*panes->lower, ID_VIEW_EXPANDED).m_bEnabled);
    // The private queries are answered with 1.
    EXPECT_EQ(panes->upper->SendMessage(WM_CORRA_VIEW_QUERY1, 0, 0), 1);
    EXPECT_EQ(panes->upper->SendMessage(WM_CORRA_VIEW_QUERY2, 0, 0), 1);
}

TEST_F(CommandsTest, DeleteUndoesAndRedoesThroughTheEditMenu)
{
    SelectRows(*panes->upper, {1, 2, 3});
    ASSERT_TRUE(RunCommandOn(panes->upper, menus::kEditDelete));
    EXPECT_EQ(DocIds(*doc), (std::vector<int>{1, 5}));
    EXPECT_EQ(State(*panes->upper, ID_EDIT_UNDO).m_strText, CString("Undo Delete 3 questions"));
    EXPECT_FALSE(State(*panes->upper, ID_EDIT_REDO).m_bEnabled);

    ASSERT_TRUE(RunCommandOn(panes->upper, ID_EDIT_UNDO));
    EXPECT_EQ(DocIds(*doc), (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(MemberIds(doc->FindCollection("Unit")), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(panes->upper->GetListCtrl()->GetItemCount(), 5);
    EXPECT_EQ(State(*panes->upper, ID_EDIT_REDO).m_strText, CString("Redo Delete 3 questions"));

    ASSERT_TRUE(RunCommandOn(panes->upper, ID_EDIT_REDO));
    EXPECT_EQ(DocIds(*doc), (std::vector<int>{1, 5}));

    SelectRows(*panes->upper, {0});
    ASSERT_TRUE(RunCommandOn(panes->upper, menus::kEditDelete));
    EXPECT_EQ(State(*panes->upper, ID_EDIT_UNDO).m_strText, CString("Undo Delete 1 questions"));
}

TEST_F(CommandsTest, CopyTakesTheSelectionInListOrder)
{
    // Rows 3, 1, 2 selected in that order.
    SelectRows(*panes->upper, {2, 0, 1});
    ASSERT_TRUE(RunCommandOn(panes->upper, ID_EDIT_COPY));
    CTransferBank other("Beta", {10});
    CCorraPanes otherPanes(other);
    ASSERT_TRUE(RunCommandOn(otherPanes.upper, ID_EDIT_PASTE));
    EXPECT_EQ(DocIds(other), (std::vector<int>{10, 1, 2, 3}));
}

TEST_F(CommandsTest, ImagesSaysWhyItCannotRun)
{
    struct Case {
        bool collectionPane;
        std::vector<int> rows;
        const char* said;
    };
    const Case cases[] = {
        {false, {0, 1}, "Must select exactly one question."},
        {false, {}, "Must select exactly one question."},
        {true, {0}, "Cannot add images to a collection."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.said);
        messageBox.calls.clear();
        CCorraView& view = c.collectionPane ? *panes->lower : *panes->upper;
        SelectRows(view, c.rows);
        view.OnQuestionImages();
        ASSERT_EQ(messageBox.calls.size(), 1u);
        EXPECT_EQ(messageBox.calls[0].text, CString(c.said));
    }
}

TEST_F(CommandsTest, SelectAndUnselectAllAskToSaveTheEditorsTextFirst)
{
    CQuestionDialogs real;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), real);
    SelectRows(*panes->upper, {1});
    CCorraQuestionDlg& editor = real.Editor(*doc);
    editor.SetModified(TRUE);

    // Cancel: the selection and the typed text stay.
    messageBox.QueueAnswer(IDCANCEL);
    EXPECT_FALSE(panes->upper->OnUnselectAll());
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, CString("Save changes?"));
    EXPECT_EQ(panes->upper->GetListCtrl()->GetSelectedCount(), 1u);
    EXPECT_TRUE(editor.IsModified());

    // No: dropped, the editor cleared and nothing selected.
    messageBox.QueueAnswer(IDNO);
    EXPECT_TRUE(panes->upper->OnUnselectAll());
    EXPECT_EQ(panes->upper->GetListCtrl()->GetSelectedCount(), 0u);
    EXPECT_FALSE(editor.IsModified());

    // Select All: every row, the last question in the editor.
    EXPECT_TRUE(panes->upper->OnSelectAll());
    EXPECT_EQ(panes->upper->GetListCtrl()->GetSelectedCount(), 5u);
    ASSERT_NE(editor.FindShownQuestion(), nullptr);
    EXPECT_EQ(editor.FindShownQuestion()->m_nId, 5);
}

TEST_F(CommandsTest, PrintAndExportInTheCollectionPaneReachTheQuestionPane)
{
    CScriptedPrintDialogs printDialogs;
    CServiceScope<IPrintDialogService> printScope(PrintDialogSlot(), printDialogs);
    printDialogs.QueueCancel();
    CModalScript script;
    CWnd* exportParent = nullptr;
    script.On<CExportDialog>([&](CExportDialog& d) {
        exportParent = d.GetParent();
        d.EndDialog(IDCANCEL);
    });
    SelectRows(*panes->lower, {0});
    ASSERT_TRUE(RunCommandOn(panes->lower, ID_FILE_PRINT));
    ASSERT_TRUE(RunCommandOn(panes->lower, ID_EXPORT_FILES));
    // Posted: nothing runs until the question pane takes them.
    EXPECT_TRUE(printDialogs.printRequests.empty());
    EXPECT_EQ(script.Answered(), 0);
    ASSERT_TRUE(RunEventsUntil([&] { return script.Answered() == 1 && !printDialogs.printRequests.empty(); }));
    EXPECT_EQ(printDialogs.printRequests.size(), 1u);
    EXPECT_EQ(exportParent, panes->upper);
}

} // namespace
