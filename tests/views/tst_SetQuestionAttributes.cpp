// Set Question Attributes from the question pane: what each tick does to the selected questions,
// what the dialog refuses, and the rows the pane shows afterwards.
#include "dialogs/SetQuestionAttributesDlg.h"

#include "controls/MRUPathComboBox.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/SpinButtonCtrl.h"
#include "res/ids/CorraView.h"
#include "res/ids/QuestionTools.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraPanes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "tests/support/ModalScript.h"
#include "views/ODListCtrl.h"
#include "views/StatsDlg.h"

#include <QLineEdit>

#include <functional>
#include <memory>
#include <string>

namespace {

// Three questions and a collection of the first two.
class CAttrDoc : public CCorraDoc {
public:
    CAttrDoc()
    {
        m_bAutoDelete = FALSE;
        SetTitle("Attributes");
        struct Layout {
            unsigned type;
            int level, index;
            const char* subjects;
            const char* books;
        };
        const Layout layouts[] = {
            {IDS_QTYPE_MC, 1, 3, "Algebra", "Calc@2"},
            {IDS_QTYPE_ES, 2, 0, "", ""},
            {IDS_QTYPE_TF, 0, 7, "Algebra\tGeometry", "Calc@5"},
        };
        int id = 1;
        for (const Layout& s : layouts) {
            auto* q = new CCorraQuestion;
            q->m_nId = id++;
            q->m_nType = static_cast<int>(s.type);
            q->m_nLevel = s.level;
            q->m_nIndex = s.index;
            q->m_cszQuestionText = "Question";
            SplitStrings(s.subjects, q->m_saSubjects);
            q->SetTextbooks(s.books, "\t");
            InsertQuestion(q);
        }
        CPtrListEx members;
        members.AddTail(FindQuestionById(1));
        members.AddTail(FindQuestionById(2));
        collection = GetOrCreateCollection("Unit", &members);
        SetModifiedFlag(FALSE);
    }
    CCorraQuestion* collection = nullptr;
};

std::string Describe(const CCorraQuestion& q)
{
    CString subjects, books;
    JoinStrings(q.m_saSubjects, subjects);
    q.GetTextbooks(books, ",");
    return std::string(LoadStringId(static_cast<UINT>(q.m_nType))) + "|" + std::to_string(q.m_nLevel) + "|" +
           std::to_string(q.m_nIndex) + "|" + std::string(subjects) + "|" + std::string(books);
}

class SetQuestionAttributesTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        m_dialogs = std::make_unique<CServiceScope<IDocumentDialogs>>(DocumentDialogsSlot(), dialogs);
        doc = std::make_unique<CAttrDoc>();
        panes = std::make_unique<CCorraPanes>(*doc);
    }
    void TearDown() override
    {
        panes.reset();
        doc.reset();
        m_dialogs.reset();
        CorraTest::TearDown();
    }
    std::vector<std::string> All() const
    {
        std::vector<std::string> out;
        for (int id = 1; id <= 3; ++id)
            out.push_back(Describe(*doc->FindQuestionById(id)));
        return out;
    }
    // The three questions selected in the question pane; the command runs the real dialog.
    void Run(const std::function<void(CSetQuestionAttributesDlg&)>& act)
    {
        CODListCtrl& list = *panes->upper->GetListCtrl();
        list.SelectItem(-1, TRUE);
        CModalScript script;
        script.On<CSetQuestionAttributesDlg>([&](CSetQuestionAttributesDlg& d) { act(d); });
        panes->upper->OnCmdMsg(ID_SET_QUESTION_ATTRIBUTES, CN_COMMAND, nullptr);
        EXPECT_EQ(script.Answered(), 1);
    }
    static void SetText(CSetQuestionAttributesDlg& d, int id, const char* text)
    {
        d.GetDlgItemAs<CMRUPathComboBox>(id)->SetWindowText(text);
    }

    CFakeDocumentDialogs dialogs;
    std::unique_ptr<CAttrDoc> doc;
    std::unique_ptr<CCorraPanes> panes;

private:
    std::unique_ptr<CServiceScope<IDocumentDialogs>> m_dialogs;
};

TEST_F(SetQuestionAttributesTest, EachTickChangesTheQuestionsAndLeavesTheCollection)
{
    using V = std::vector<std::string>;
    using Act = std::function<void(CSetQuestionAttributesDlg&)>;
    auto subjects = [](int mode, const char* text) -> Act {
        return [=](CSetQuestionAttributesDlg& d) {
            ClickDlgButton(d, IDC_SQA_SUBJECTS_CHECK);
            SetText(d, IDC_SQA_SUBJECTS, text);
            ClickDlgButton(d, mode);
        };
    };
    auto books = [](int mode, const char* text) -> Act {
        return [=](CSetQuestionAttributesDlg& d) {
            ClickDlgButton(d, IDC_SQA_BOOKS_CHECK);
            SetText(d, IDC_SQA_BOOKS, text);
            ClickDlgButton(d, mode);
        };
    };
    struct Case {
        const char* what;
        Act act;
        V after;
    };
    const Case cases[] = {
        {"replace subjects", subjects(IDC_SQA_SUBJECTS_REPLACE, "Geometry, Trig"),
         {"MC|1|3|Geometry,Trig|Calc@2", "ES|2|0|Geometry,Trig|", "TF|0|7|Geometry,Trig|Calc@5"}},
        {"add subjects", subjects(IDC_SQA_SUBJECTS_ADD, "algebra\tTrig"),
         {"MC|1|3|Algebra,Trig|Calc@2", "ES|2|0|algebra,Trig|", "TF|0|7|Algebra,Geometry,Trig|Calc@5"}},
        {"remove subjects", subjects(IDC_SQA_SUBJECTS_REMOVE, "ALGEBRA"),
         {"MC|1|3||Calc@2", "ES|2|0||", "TF|0|7|Geometry|Calc@5"}},
        {"add a chapter", books(IDC_SQA_BOOKS_ADD, "Calc;3"),
         {"MC|1|3|Algebra|Calc@2,Calc@3", "ES|2|0||Calc@3", "TF|0|7|Algebra,Geometry|Calc@5,Calc@3"}},
        {"remove a book, any chapter", books(IDC_SQA_BOOKS_REMOVE, "Calc;0"),
         {"MC|1|3|Algebra|", "ES|2|0||", "TF|0|7|Algebra,Geometry|"}},
        {"remove one chapter", books(IDC_SQA_BOOKS_REMOVE, "Calc;5"),
         {"MC|1|3|Algebra|Calc@2", "ES|2|0||", "TF|0|7|Algebra,Geometry|"}},
        {"replace books, chapter missing", books(IDC_SQA_BOOKS_REPLACE, "Physics, Bio;4"),
         {"MC|1|3|Algebra|Physics@0,Bio@4", "ES|2|0||Physics@0,Bio@4", "TF|0|7|Algebra,Geometry|Physics@0,Bio@4"}},
        {"type",
         [](CSetQuestionAttributesDlg& d) {
             ClickDlgButton(d, IDC_SQA_TYPE_CHECK);
             auto* types = d.GetDlgItemAs<CListBox>(IDC_SQA_TYPE);
             types->SetCurSel(types->FindStringExact(-1, "ES"));
         },
         {"ES|1|3|Algebra|Calc@2", "ES|2|0||", "ES|0|7|Algebra,Geometry|Calc@5"}},
        {"type ticked, none chosen", [](CSetQuestionAttributesDlg& d) { ClickDlgButton(d, IDC_SQA_TYPE_CHECK); },
         {"MC|1|3|Algebra|Calc@2", "ES|2|0||", "TF|0|7|Algebra,Geometry|Calc@5"}},
        {"level",
         [](CSetQuestionAttributesDlg& d) {
             ClickDlgButton(d, IDC_SQA_LEVEL_CHECK);
             d.GetDlgItemAs<CListBox>(IDC_SQA_LEVEL)->SetCurSel(6);
         },
         {"MC|6|3|Algebra|Calc@2", "ES|6|0||", "TF|6|7|Algebra,Geometry|Calc@5"}},
        {"index by the spin",
         [](CSetQuestionAttributesDlg& d) {
             ClickDlgButton(d, IDC_SQA_INDEX_CHECK);
             d.GetDlgItemAs<QLineEdit>(IDC_SQA_INDEX)->setText("9");
             d.OnSpin(1);
             EXPECT_EQ(d.GetDlgItemText(IDC_SQA_INDEX), "8");
             d.OnSpin(-2);
             EXPECT_EQ(d.GetDlgItemText(IDC_SQA_INDEX), "10");
         },
         {"MC|1|10|Algebra|Calc@2", "ES|2|10||", "TF|0|10|Algebra,Geometry|Calc@5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        panes.reset();
        doc = std::make_unique<CAttrDoc>();
        panes = std::make_unique<CCorraPanes>(*doc);
        Run([&](CSetQuestionAttributesDlg& d) {
            EXPECT_EQ(d.GetDlgItemText(IDC_SQA_INFO), "Set attributes for 3 question(s).");
            c.act(d);
            ClickDlgButton(d, IDOK);
            EXPECT_TRUE(d.IsEnded());
        });
        EXPECT_EQ(All(), c.after);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_TRUE(doc->collection->IsCollection());
        EXPECT_EQ(doc->collection->GetChoicesCount(), 2);
    }
}

TEST_F(SetQuestionAttributesTest, NothingTickedKeepsOkDisabled)
{
    Run([](CSetQuestionAttributesDlg& d) {
        EXPECT_FALSE(d.GetDlgItem(IDOK)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(IDC_SQA_LEVEL)->isEnabled());
        ClickDlgButton(d, IDC_SQA_LEVEL_CHECK);
        EXPECT_TRUE(d.GetDlgItem(IDOK)->isEnabled());
        EXPECT_TRUE(d.GetDlgItem(IDC_SQA_LEVEL)->isEnabled());
        ClickDlgButton(d, IDC_SQA_LEVEL_CHECK);
        EXPECT_FALSE(d.GetDlgItem(IDOK)->isEnabled());
        ClickDlgButton(d, IDCANCEL);
    });
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(SetQuestionAttributesTest, BadEntriesKeepTheDialogOpen)
{
    struct Case {
        int check;
        int field;
        const char* typed;
        const char* message;
    };
    const char* const chapter = "Invalid or missing chapter number.  Chapter\nnumber must be a positive non-zero number.";
    const Case cases[] = {
        {IDC_SQA_SUBJECTS_CHECK, IDC_SQA_SUBJECTS, "Alge}bra", "The following characters are not allowed:\n\n{},"},
        {IDC_SQA_BOOKS_CHECK, IDC_SQA_BOOKS, "Ca{lc;2", "The following characters are not allowed:\n\n{};"},
        {IDC_SQA_BOOKS_CHECK, IDC_SQA_BOOKS, ";3", chapter},
        {IDC_SQA_BOOKS_CHECK, IDC_SQA_BOOKS, "Calc;x", chapter},
        {IDC_SQA_BOOKS_CHECK, IDC_SQA_BOOKS, "Calc;-1", chapter},
        {IDC_SQA_INDEX_CHECK, IDC_SQA_INDEX, "abc", "Please enter an integer."},
        {IDC_SQA_INDEX_CHECK, IDC_SQA_INDEX, "-1", "Please enter an integer between 0 and 2147483647."},
        {IDC_SQA_INDEX_CHECK, IDC_SQA_INDEX, "2147483648", "Please enter an integer."},
    };
    const std::vector<std::string> before = All();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        messageBox.calls.clear();
        Run([&](CSetQuestionAttributesDlg& d) {
            ClickDlgButton(d, c.check);
            if (c.field == IDC_SQA_INDEX)
                d.GetDlgItemAs<QLineEdit>(c.field)->setText(QString::fromLatin1(c.typed));
            else
                SetText(d, c.field, c.typed);
            ClickDlgButton(d, IDOK);
            EXPECT_FALSE(d.IsEnded());
            ClickDlgButton(d, IDCANCEL);
        });
        ASSERT_EQ(messageBox.calls.size(), 1u);
        EXPECT_EQ(messageBox.calls[0].text, c.message);
        EXPECT_EQ(All(), before);
    }
    // The combos take no more than 256 characters.
    Run([&](CSetQuestionAttributesDlg& d) {
        ClickDlgButton(d, IDC_SQA_SUBJECTS_CHECK);
        SetText(d, IDC_SQA_SUBJECTS, std::string(300, 'x').c_str());
        EXPECT_EQ(d.GetDlgItemText(IDC_SQA_SUBJECTS).GetLength(), 256);
        ClickDlgButton(d, IDCANCEL);
    });
    EXPECT_EQ(All(), before);
}

TEST_F(SetQuestionAttributesTest, ThePaneShowsTheNewValuesAndTheCombosRememberThem)
{
    CODListCtrl& list = *panes->upper->GetListCtrl();
    const int row = list.FindItem(doc->FindQuestionById(2));
    ASSERT_GE(row, 0);
    Run([](CSetQuestionAttributesDlg& d) {
        ClickDlgButton(d, IDC_SQA_TYPE_CHECK);
        auto* types = d.GetDlgItemAs<CListBox>(IDC_SQA_TYPE);
        types->SetCurSel(types->FindStringExact(-1, "MC"));
        ClickDlgButton(d, IDC_SQA_INDEX_CHECK);
        d.GetDlgItemAs<QLineEdit>(IDC_SQA_INDEX)->setText("12");
        ClickDlgButton(d, IDC_SQA_SUBJECTS_CHECK);
        SetText(d, IDC_SQA_SUBJECTS, "Geometry");
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(list.GetItemText(row, 2), "MC");
    EXPECT_EQ(list.GetItemText(row, 4), "12");
    EXPECT_EQ(list.GetItemText(row, 5), "Geometry");
    EXPECT_EQ(doc->m_nHighestIndex, 12);

    // The recent entries come back; the statistics open over the dialog's questions.
    Run([](CSetQuestionAttributesDlg& d) {
        auto* combo = d.GetDlgItemAs<CMRUPathComboBox>(IDC_SQA_SUBJECTS);
        ASSERT_GE(combo->GetCount(), 1);
        EXPECT_EQ(combo->GetLBText(0), "Geometry");
        CModalScript stats;
        stats.On<CStatsDlg>([](CStatsDlg& s) {
            ASSERT_TRUE(s.GetDlgItem(IDC_STATS_SELECTED)->isEnabled());
            ClickDlgButton(s, IDC_STATS_SELECTED);
            EXPECT_EQ(s.GetWindowText(), "Statistics: 3 questions; 1 indices; ");
            ClickDlgButton(s, IDCLOSE);
        });
        ClickDlgButton(d, IDC_SQA_STATISTICS);
        EXPECT_EQ(stats.Answered(), 1);
        ClickDlgButton(d, IDCANCEL);
    });
}

}  // namespace
