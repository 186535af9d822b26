#include "views/StatsDlg.h"

#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/ui/ListCtrl.h"
#include "res/ids/QuestionTools.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"
#include "views/CollListCtrl.h"

#include <string>
#include <vector>

namespace {

// Questions: MC (level 0, INDEX 5, "Algebra", answer a), MC (3, 5, "Algebra", c), ES (6, 0),
// TF (6, 0, answer a); the collection "Quiz" holds the first and the third.
class StatsDlgTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        struct Layout {
            unsigned type;
            int level, index;
            const char* subject;
            const char* answer;
        };
        const Layout layouts[] = {
            {IDS_QTYPE_MC, 0, 5, "Algebra", "a"},
            {IDS_QTYPE_MC, 3, 5, "Algebra", "c"},
            {IDS_QTYPE_ES, 6, 0, nullptr, ""},
            {IDS_QTYPE_TF, 6, 0, nullptr, "a"},
        };
        int id = 1;
        for (const Layout& s : layouts) {
            auto* q = new CCorraQuestion;
            q->m_nId = id++;
            q->m_nType = static_cast<int>(s.type);
            q->m_nLevel = s.level;
            q->m_nIndex = s.index;
            if (s.subject)
                q->m_saSubjects.Add(s.subject);
            q->m_cszAnswer = s.answer;
            q->m_cszQuestionText = "Question";
            doc.InsertQuestion(q);
            questions.AddTail(q);
        }
        CPtrListEx members;
        members.AddTail(doc.FindQuestionById(1));
        members.AddTail(doc.FindQuestionById(3));
        doc.GetOrCreateCollection("Quiz", &members);
    }

    static std::vector<std::string> Rows(CDialog& d, int id)
    {
        auto* list = d.GetDlgItemAs<CListCtrl>(id);
        std::vector<std::string> rows;
        for (int i = 0; list && i < list->GetItemCount(); ++i) {
            std::string row;
            for (int c = 0; c < list->GetColumnCount(); ++c)
                row += (c ? "|" : "") + std::string(list->GetItemText(i, c));
            rows.push_back(row);
        }
        return rows;
    }

    // Runs the dialog over the document; act sees it open.
    void Run(const CPtrList* selected, const CStringArray* names, std::function<void(CStatsDlg&)> act,
             const CPtrList* all = nullptr)
    {
        CModalScript script;
        script.On<CStatsDlg>([&](CStatsDlg& d) {
            act(d);
            ClickDlgButton(d, IDCLOSE);
        });
        CStatsDlg dlg;
        dlg.SetQuestions(all ? *all : doc.m_plQuestions, selected, names);
        dlg.DoModal();
        EXPECT_EQ(script.Answered(), 1);
    }

    CCorraDoc doc;
    CPtrListEx questions;
};

TEST_F(StatsDlgTest, EveryListCountsTheWholeDocument)
{
    Run(nullptr, nullptr, [](CStatsDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "Statistics: 4 questions; 1 indices; 2 zero indices; ");
        struct Case {
            int list;
            std::vector<std::string> rows;
        };
        const Case cases[] = {
            {IDC_STATS_TYPES, {"MC|2|1|0", "ES|1|0|1", "TF|1|0|1"}},
            {IDC_STATS_LEVELS, {"0|1", "1|0", "2|0", "3|1", "4|0", "5|0", "6|2"}},
            {IDC_STATS_INDEXES, {"0|2", "5|2"}},
            {IDC_STATS_FREQUENCIES, {"2|2"}},
            {IDC_STATS_SUBJECTS, {"<none>|2|0", "Algebra|2|1"}},
            {IDC_STATS_TEXTBOOKS, {"<none>|4|1"}},
            {IDC_STATS_ANSWERS, {"A|1", "C|1", "TRUE|1"}},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.list);
            EXPECT_EQ(Rows(d, c.list), c.rows);
        }
    });
}

TEST_F(StatsDlgTest, SampleModesFollowWhatThereIsToChoose)
{
    CPtrListEx one, two;
    one.AddTail(questions.GetHead());
    two.AddTail(questions.GetHead());
    two.AddTail(questions.GetTail());
    CStringArray names;
    names.Add("Quiz");

    Run(&one, nullptr, [](CStatsDlg& d) {
        EXPECT_FALSE(d.GetDlgItem(IDC_STATS_SELECTED)->isEnabled());
        EXPECT_TRUE(d.GetDlgItem(IDC_STATS_BY_COLLECTION)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(IDC_STATS_COLLECTIONS)->isEnabled());
    });
    Run(&two, &names, [](CStatsDlg& d) {
        ASSERT_TRUE(d.GetDlgItem(IDC_STATS_SELECTED)->isEnabled());
        ClickDlgButton(d, IDC_STATS_SELECTED);
        EXPECT_EQ(d.GetWindowText(), "Statistics: 2 questions; 1 indices; 1 zero indices; ");
        EXPECT_EQ(Rows(d, IDC_STATS_TYPES), (std::vector<std::string>{"MC|1|1|0", "TF|1|0|1"}));

        // The collection chosen before is chosen again; its members are the sample.
        ClickDlgButton(d, IDC_STATS_BY_COLLECTION);
        EXPECT_TRUE(d.GetDlgItem(IDC_STATS_COLLECTIONS)->isEnabled());
        EXPECT_EQ(d.GetCollectionList()->GetSelectedCount(), 1u);
        EXPECT_EQ(Rows(d, IDC_STATS_TYPES), (std::vector<std::string>{"MC|1|1|0", "ES|1|0|1"}));

        // Nothing chosen: nothing counted, and the caption has no parts.
        d.GetCollectionList()->SelectItem(-1, FALSE);
        d.OnCollectionClick();
        EXPECT_EQ(d.GetWindowText(), "Statistics: ");
        EXPECT_TRUE(Rows(d, IDC_STATS_TYPES).empty());
        EXPECT_EQ(Rows(d, IDC_STATS_LEVELS).size(), 7u);

        ClickDlgButton(d, IDC_STATS_ALL);
        EXPECT_FALSE(d.GetDlgItem(IDC_STATS_COLLECTIONS)->isEnabled());
        EXPECT_EQ(d.GetWindowText(), "Statistics: 4 questions; 1 indices; 2 zero indices; ");
    });

    // A bank without collections cannot be sampled by collection.
    Run(&two, nullptr, [](CStatsDlg& d) { EXPECT_FALSE(d.GetDlgItem(IDC_STATS_BY_COLLECTION)->isEnabled()); },
        &questions);
}

TEST_F(StatsDlgTest, AColumnClickedTwiceSortsUpThenDown)
{
    Run(nullptr, nullptr, [](CStatsDlg& d) {
        auto column = [&](int list, int col) {
            std::vector<std::string> texts;
            auto* ctrl = d.GetDlgItemAs<CListCtrl>(list);
            for (int i = 0; i < ctrl->GetItemCount(); ++i)
                texts.push_back(std::string(ctrl->GetItemText(i, col)));
            return texts;
        };
        using V = std::vector<std::string>;
        d.OnColumnClick(IDC_STATS_LEVELS, 1);
        EXPECT_EQ(column(IDC_STATS_LEVELS, 1), (V{"0", "0", "0", "0", "1", "1", "2"}));
        d.OnColumnClick(IDC_STATS_LEVELS, 1);
        EXPECT_EQ(column(IDC_STATS_LEVELS, 1), (V{"2", "1", "1", "0", "0", "0", "0"}));
        EXPECT_EQ(column(IDC_STATS_LEVELS, 0).front(), "6");
        // Another column starts ascending; the level column sorts as numbers.
        d.OnColumnClick(IDC_STATS_LEVELS, 0);
        EXPECT_EQ(column(IDC_STATS_LEVELS, 0), (V{"0", "1", "2", "3", "4", "5", "6"}));
        // Text columns ignore case.
        d.OnColumnClick(IDC_STATS_ANSWERS, 0);
        d.OnColumnClick(IDC_STATS_ANSWERS, 0);
        EXPECT_EQ(column(IDC_STATS_ANSWERS, 0), (V{"TRUE", "C", "A"}));
    });
}

}  // namespace
