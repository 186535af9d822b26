// The question pane's Format Choices and Invalid Questions commands: what they ask and what they
// do to the document, the list and the report.
#include "dialogs/ChoicesFormatDlg.h"
#include "dialogs/InvalidQuestionsMsgBox.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/core/Profile.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/QtString.h"
#include "res/ids/CorraView.h"
#include "res/ids/QuestionTools.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraPanes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "tests/support/ModalScript.h"
#include "views/CollView.h"
#include "views/ODListCtrl.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

#include <memory>
#include <vector>

namespace {

class CToolsDoc : public CCorraDoc {
public:
    CToolsDoc() { m_bAutoDelete = FALSE; }
    ~CToolsDoc() override
    {
        delete window;
        QApplication::processEvents();
    }
    // A collection window of its own: the view in a plain parent.
    CView* ShowCollection(CCorraQuestion* collection, BOOL) override
    {
        delete window;
        m_parent.resize(600, 300);
        window = new CCollView;
        CCreateContext context;
        context.m_pCurrentDoc = this;
        window->Create(&m_parent, AFX_IDW_PANE_FIRST, &context);
        window->OnInitialUpdate();
        window->SetCollectionQuestion(collection);
        return window;
    }
    CCorraQuestion* AddMC(int id, const char* answer)
    {
        auto* q = new CCorraQuestion;
        q->m_nId = id;
        q->m_nType = static_cast<int>(IDS_QTYPE_MC);
        q->m_cszQuestionText = "Pick one";
        InsertQuestion(q);
        q->SetChoices("a. one\nb. two\nc. three");
        q->m_cszAnswer = answer;
        return q;
    }
    CCollView* window = nullptr;

private:
    QWidget m_parent;
};

class QuestionToolsTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        m_dialogs = std::make_unique<CServiceScope<IDocumentDialogs>>(DocumentDialogsSlot(), dialogs);
        first = doc.AddMC(1, "b");
        second = doc.AddMC(2, "");
        third = doc.AddMC(3, "c");
        doc.SetModifiedFlag(FALSE);
        panes = std::make_unique<CCorraPanes>(doc);
    }
    void TearDown() override
    {
        panes.reset();
        m_dialogs.reset();
        CorraTest::TearDown();
    }
    void Command(UINT id) { panes->upper->OnCmdMsg(id, CN_COMMAND, nullptr); }

    CFakeDocumentDialogs dialogs;
    CToolsDoc doc;
    CCorraQuestion* first = nullptr;
    CCorraQuestion* second = nullptr;
    CCorraQuestion* third = nullptr;
    std::unique_ptr<CCorraPanes> panes;

private:
    std::unique_ptr<CServiceScope<IDocumentDialogs>> m_dialogs;
};

TEST_F(QuestionToolsTest, FormatChoicesRelabelsEveryQuestion)
{
    CModalScript script;
    script.On<CChoicesFormatDlg>([](CChoicesFormatDlg& d) {
        ClickDlgButton(d, IDC_CF_UPPER);
        ClickDlgButton(d, IDOK);
    });
    Command(ID_FORMAT_CHOICES);
    EXPECT_EQ(script.Answered(), 1);
    EXPECT_EQ(first->GetChoiceId(0), CString("A."));
    EXPECT_EQ(third->GetChoiceId(2), CString("C."));
    EXPECT_EQ(first->m_cszAnswer, CString("B"));
    EXPECT_EQ(AppProfile().GetInt("Choices", "Case", -1), 1);
    EXPECT_TRUE(doc.IsModified());

    // Cancel leaves the labels.
    doc.SetModifiedFlag(FALSE);
    script.On<CChoicesFormatDlg>([](CChoicesFormatDlg& d) {
        ClickDlgButton(d, IDC_CF_LOWER);
        ClickDlgButton(d, IDCANCEL);
    });
    Command(ID_FORMAT_CHOICES);
    EXPECT_EQ(first->GetChoiceId(0), CString("A."));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(QuestionToolsTest, InvalidQuestionsAreReportedEditedOrShown)
{
    CModalScript script;
    CString report;
    auto answer = [&](int button) {
        script.On<CInvalidQuestionsMsgBox>([&report, button](CInvalidQuestionsMsgBox& d) {
            report = d.m_csReport;
            ClickDlgButton(d, button);
        });
    };

    // "Edit": the invalid question in a collection window of its own.
    answer(IDYES);
    Command(ID_INVALID_QUESTIONS);
    EXPECT_EQ(script.Answered(), 1);
    EXPECT_NE(report.Find("Question (ID 2)"), -1) << report.GetString();
    ASSERT_NE(doc.window, nullptr);
    EXPECT_EQ(doc.window->GetName(), CString("Invalid questions..."));
    CODListCtrl& shown = *doc.window->GetListCtrl();
    ASSERT_EQ(shown.GetItemCount(), 1);
    EXPECT_EQ(shown.GetItemQuestion(0), second);

    // "Show report": the report file is opened.
    answer(IDNO);
    Command(ID_INVALID_QUESTIONS);
    ASSERT_EQ(opener.calls.size(), 1u);
    EXPECT_EQ(opener.calls[0].target, CCorraDoc::InvalidReportPath());

    // "Cancel": nothing more.
    answer(IDCANCEL);
    Command(ID_INVALID_QUESTIONS);
    EXPECT_EQ(opener.calls.size(), 1u);
    EXPECT_TRUE(messageBox.calls.empty());

    // None left: the message says so.
    second->m_cszAnswer = "a";
    Command(ID_INVALID_QUESTIONS);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, CString("No invalid questions were found."));
}

// The context menu's state of the two commands: 1 enabled, 0 grey, -1 missing.
std::vector<int> ToolStates(CCorraView& view)
{
    std::vector<int> states = {-1, -1};
    QMenu* menu = view.ShowContextMenu(CPoint(20, 20));
    for (QAction* a : menu->actions()) {
        const CString text = FromQString(a->text());
        if (text == "Format Choices...")
            states[0] = a->isEnabled() ? 1 : 0;
        if (text == "In&valid Questions")
            states[1] = a->isEnabled() ? 1 : 0;
    }
    menu->close();
    return states;
}

TEST_F(QuestionToolsTest, BothCommandsNeedQuestions)
{
    EXPECT_EQ(ToolStates(*panes->upper), (std::vector<int>{1, 1}));
    CToolsDoc empty;
    CCorraPanes emptyPanes(empty);
    EXPECT_EQ(ToolStates(*emptyPanes.upper), (std::vector<int>{0, 0}));
}

}  // namespace
