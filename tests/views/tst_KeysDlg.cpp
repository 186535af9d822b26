// The form keys: one column per selected form, each key as that form prints it, forms of
// different sizes, answers in RTF, and the lines left when a member is missing.

#include "views/KeysDlg.h"

#include "app/ExamDialogs.h"
#include "foundation/Log.h"
#include "model/CorraQuestion.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "platform/ui/ListBox.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QListWidgetItem>

#include <functional>
#include <vector>

namespace {

class KeysDlgTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        exam.m_bAutoDelete = FALSE;
    }
    CExamQuestion* Add(int type, const char* answer)
    {
        auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
        q->m_nType = type;
        q->m_cszQuestionText = CString::Formatted("Question %d", q->m_nId);
        if (type == static_cast<int>(IDS_QTYPE_MC))
            q->SetChoices("a. one\nb. two\nc. three\nd. four");
        q->m_cszAnswer = answer;
        return q;
    }
    CCorraQuestion* Form(const char* name, const std::vector<CCorraQuestion*>& members)
    {
        CPtrListEx list;
        for (CCorraQuestion* q : members)
            list.AddTail(q);
        return exam.GetOrCreateCollection(name, &list);
    }
    // The key lines after selecting these rows of the form list as the user would.
    std::vector<CString> Keys(CCorraQuestion* preselected, const std::vector<int>& rows,
                              const std::function<void(CKeysDlg&)>& check = nullptr)
    {
        std::vector<CString> lines;
        CModalScript script;
        script.On<CKeysDlg>([&](CKeysDlg& d) {
            for (int row : rows)
                d.GetFormList()->item(row)->setSelected(true);
            CListBox& keys = *d.GetKeyList();
            // As shown: UTF-8, every character kept.
            for (int i = 0; i < keys.GetCount(); ++i)
                lines.push_back(CString(keys.item(i)->text().toStdString()));
            if (check)
                check(d);
            ClickDlgButton(d, IDCLOSE);
        });
        CKeysDlg dlg;
        dlg.SetForms(&exam, preselected);
        EXPECT_EQ(dlg.DoModal(), IDCLOSE);
        return lines;
    }

    CExamDoc exam;
};

TEST_F(KeysDlgTest, EachSelectedFormHasItsOwnColumnOfKeys)
{
    CExamQuestion* mc = Add(IDS_QTYPE_MC, "b");
    CExamQuestion* tf = Add(IDS_QTYPE_TF, "a");
    CCorraQuestion* a = Form("Form a", {mc, tf});
    CCorraQuestion* b = Form("Form b", {tf, mc});
    // Form a prints the choices as stored, form b reversed: "two" prints third there.
    a->m_Scramble.SetLine(mc->m_nId, CString::Formatted("%d:1:0 1 2 3:1", mc->m_nId));
    b->m_Scramble.SetLine(mc->m_nId, CString::Formatted("%d:1:3 2 1 0:2", mc->m_nId));

    EXPECT_EQ(Keys(nullptr, {}), std::vector<CString>{});
    EXPECT_EQ(Keys(nullptr, {0, 1}, [](CKeysDlg& d) {
                  EXPECT_EQ(d.GetKeyList()->GetTabStopPositions().size(), 7u);
                  EXPECT_EQ(d.GetKeyList()->GetHorizontalExtent(), 500);
                  EXPECT_EQ(d.m_nQuestionCount, 2);
              }),
              (std::vector<CString>{"1)\tb\tTrue\t", "2)\tTrue\tc\t"}));
    // The order the forms are listed in, whatever order they were picked in.
    EXPECT_EQ(Keys(nullptr, {1}), (std::vector<CString>{"1)\tTrue\t", "2)\tc\t"}));
}

TEST_F(KeysDlgTest, AShorterFormLeavesItsCellsBlank)
{
    std::vector<CCorraQuestion*> q;
    for (const char* answer : {"a", "b", "c", "d"})
        q.push_back(Add(IDS_QTYPE_MC, answer));
    Form("Form a", {q[0], q[1], q[2]});
    Form("Form b", {q[3], q[2], q[1], q[0]});
    EXPECT_EQ(Keys(nullptr, {0, 1}),
              (std::vector<CString>{"1)\ta\td\t", "2)\tb\tc\t", "3)\tc\tb\t", "4)\t\ta\t"}));
}

TEST_F(KeysDlgTest, AKeyIsTheAnswersPlainTextCutToSevenCharacters)
{
    struct Case {
        const char* name;
        int type;
        const char* answer;
        const char* key;
    };
    const Case cases[] = {
        {"an essay in RTF", IDS_QTYPE_ES, "{\\rtf1\\ansi\\deff0 The cell membrane\\par}", "The cel"},
        {"a short answer", IDS_QTYPE_SA, "  Mitosis  ", "Mitosis"},
        {"accented letters count as one each", IDS_QTYPE_SA, "\xE9l\xE8ve studies", "\xC3\xA9l\xC3\xA8ve s"},
        {"RTF with an escaped byte", IDS_QTYPE_SA, "{\\rtf1\\ansi caf\\'e9}", "caf\xC3\xA9"},
        {"RTF beyond Windows-1252", IDS_QTYPE_SA, "{\\rtf1\\ansi \\u321?\\'f3d\\u378?}", "\xC5\x81\xC3\xB3" "d\xC5\xBA"},
        {"true or false", IDS_QTYPE_TF, "b", "False"},
        {"no answer", IDS_QTYPE_ES, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExamQuestion* q = Add(c.type, c.answer);
        CCorraQuestion form;
        form.m_nType = static_cast<int>(IDS_QTYPE_CO);
        EXPECT_EQ(CKeysDlg::KeyText(form, *q), c.key);
    }
}

TEST_F(KeysDlgTest, TheListShowsAnswersAsTyped)
{
    CExamQuestion* q = Add(IDS_QTYPE_SA, "{\\rtf1\\ansi \\u321?\\'f3d\\u378?}");
    CCorraQuestion* a = Form("Form a", {q, Add(IDS_QTYPE_SA, "caf\xE9")});
    EXPECT_EQ(Keys(a, {}), (std::vector<CString>{"1)\t\xC5\x81\xC3\xB3" "d\xC5\xBA\t", "2)\tcaf\xC3\xA9\t"}));
}

TEST_F(KeysDlgTest, OneFormIsOfferedSelectedAndAMissingMemberEndsTheLines)
{
    CExamQuestion* first = Add(IDS_QTYPE_MC, "c");
    CExamQuestion* second = Add(IDS_QTYPE_MC, "d");
    CCorraQuestion* a = Form("Form a", {first, second});
    Form("Form b", {second, first});
    EXPECT_EQ(Keys(a, {},
                   [](CKeysDlg& d) {
                       ASSERT_EQ(d.GetFormList()->GetCount(), 1);
                       EXPECT_EQ(d.GetFormList()->GetText(0), "Form a");
                       EXPECT_EQ(d.m_pPreselected, nullptr);
                   }),
              (std::vector<CString>{"1)\tc\t", "2)\td\t"}));

    // A member the exam no longer holds.
    a->InsertQuestId(1, 9999);
    EXPECT_EQ(Keys(a, {}), (std::vector<CString>{"1)\tc\t"}));
    EXPECT_GE(GetLogBuffer().Find("CKeysDlg::RefreshKeys() - map failure"), 0);
}

TEST_F(KeysDlgTest, TheProgramsFormKeysOffersEveryFormOfTheExam)
{
    CExamQuestion* q = Add(IDS_QTYPE_MC, "a");
    Form("Form a", {q});
    Form("Form b", {q});
    CModalScript script;
    std::vector<CString> offered;
    script.On<CKeysDlg>([&offered](CKeysDlg& d) {
        for (int i = 0; i < d.GetFormList()->GetCount(); ++i)
            offered.push_back(d.GetFormList()->GetText(i));
        EXPECT_EQ(d.GetKeyList()->GetCount(), 0);
        ClickDlgButton(d, IDCLOSE);
    });
    CProgramExamDialogs program;
    program.FormKeys(exam);
    EXPECT_EQ(script.Answered(), 1);
    EXPECT_EQ(offered, (std::vector<CString>{"Form a", "Form b"}));
}

} // namespace
