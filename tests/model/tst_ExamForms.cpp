#include "model/ExamDoc.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "model/CorraQuestion.h"
#include "model/ExamDialogs.h"
#include "model/ExamQuestion.h"
#include "model/Update.h"
#include "platform/core/Random.h"
#include "platform/ui/CmdTarget.h"
#include "platform/ui/View.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/Collections.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeFormViews.h"
#include "tests/support/FakeViews.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace {

std::vector<int> Members(const CCorraQuestion& form)
{
    return MemberIds(form);
}

// The form views and form dialogs as the program's would answer: each new view holds its own
// form, named as new form views are; saving a view puts its form into the exam.
class CFormScript : public CFakeViews, public IExamDialogs {
public:
    explicit CFormScript(CExamDoc& exam) : m_formViews(exam) {}

    BOOL AddForms(CExamDoc&, CAddFormsValues& values) override
    {
        offered.push_back(values);
        values.numForms = numForms;
        values.scramble = scramble;
        values.format = format;
        return addAnswer;
    }
    int SaveForms(CExamDoc&, const CPtrListEx& views, CSaveFormsValues& values) override
    {
        shown.push_back(values);
        std::vector<std::vector<int>> orders;
        for (POSITION pos = views.GetHeadPosition(); pos;)
            orders.push_back(Members(*GetViewForm(static_cast<CView*>(views.GetNext(pos)))));
        attempts.push_back(orders);
        values.closeViews = TRUE;
        if (saveAnswers.empty())
            return IDOK;
        const int answer = saveAnswers.front();
        saveAnswers.erase(saveAnswers.begin());
        return answer;
    }
    void FormKeys(CExamDoc&) override { ++keys; }
    CView* NewFormView(CExamDoc&) override { return m_formViews.NewView(); }
    CCorraQuestion* GetViewForm(CView* view) override { return m_formViews.FormOf(view); }
    void SetFormViewModified(CView* view) override { modified.insert(view); }
    void ApplyToCollection(CView* view) override
    {
        CFakeViews::ApplyToCollection(view);
        m_formViews.SaveForm(view);
    }

    int numForms = 3;
    BOOL scramble = FALSE;
    CString format = "Form %a";
    BOOL addAnswer = TRUE;
    std::vector<int> saveAnswers;  // then IDOK
    std::vector<CAddFormsValues> offered;
    std::vector<CSaveFormsValues> shown;
    std::vector<std::vector<std::vector<int>>> attempts;  // per Save Forms: each view's order
    std::set<CView*> modified;
    int keys = 0;

private:
    CFakeFormViews m_formViews;
};

class ExamFormsTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        CExamDoc::LoadDefaults();
        NewExam();
    }
    void TearDown() override
    {
        exam.reset();
        CorraTest::TearDown();
        script.reset();
    }
    // A fresh exam with its own script.
    void NewExam()
    {
        CorraViewServicesSlot().Set(nullptr);
        ExamDialogsSlot().Set(nullptr);
        exam = std::make_unique<CExamDoc>();
        script = std::make_unique<CFormScript>(*exam);
        CorraViewServicesSlot().Set(script.get());
        ExamDialogsSlot().Set(script.get());
    }

    CExamQuestion* Add(int type = IDS_QTYPE_MC, const char* answer = "b", const char* choices = "a. one b. two c. three d. four")
    {
        auto* q = static_cast<CExamQuestion*>(exam->InsertQuestion(new CExamQuestion));
        q->m_nType = type;
        q->m_cszQuestionText = CString::Formatted("Question %d", q->m_nId);
        if (type == static_cast<int>(IDS_QTYPE_MC))
            q->SetChoices(choices, '*', '*');
        q->m_cszAnswer = type == static_cast<int>(IDS_QTYPE_MC) ? answer : "";
        return q;
    }
    std::vector<int> AddQuestions(int n, int type = IDS_QTYPE_ES)
    {
        std::vector<int> ids;
        for (int i = 0; i < n; ++i)
            ids.push_back(Add(type)->m_nId);
        return ids;
    }
    CCorraQuestion* AddForm(const char* name, const std::vector<int>& ids)
    {
        CPtrListEx members;
        for (int id : ids)
            members.AddTail(exam->FindQuestionById(id));
        return exam->GetOrCreateCollection(name, &members);
    }
    static void Fix(CExamQuestion* q, int position)
    {
        q->m_nAttributes |= EXAM_ATTR_FIXED;
        q->m_nFixedPosition = position;
    }

    std::unique_ptr<CExamDoc> exam;
    std::unique_ptr<CFormScript> script;
};

TEST_F(ExamFormsTest, EveryFormHoldsEachQuestionOnceEvenPastTheOrdersThereAre)
{
    const std::vector<int> ids = AddQuestions(3);
    CorraSrand(4);
    // Three questions have six orders; eight forms must repeat positions and still end.
    EXPECT_EQ(exam->GenerateForms(8, "Form %a", FALSE), 1);
    ASSERT_EQ(script->attempts.size(), 1u);
    const auto& forms = script->attempts[0];
    ASSERT_EQ(forms.size(), 8u);
    for (const std::vector<int>& order : forms)
        EXPECT_EQ(std::multiset<int>(order.begin(), order.end()), std::multiset<int>(ids.begin(), ids.end()));
    // Eight forms over three questions: at least five repeats at each position.
    EXPECT_GE(script->shown[0].repeatCount, 15);
    EXPECT_GT(script->shown[0].duplicateScore, 0);
    EXPECT_EQ(script->shown[0].caption, "Save Forms");
    // Saved under the format's names, then closed.
    EXPECT_EQ(exam->GetCollectionCount(), 8);
    EXPECT_NE(exam->FindCollection("Form a"), nullptr);
    EXPECT_NE(exam->FindCollection("Form h"), nullptr);
    EXPECT_EQ(script->Count("apply"), 8);
    EXPECT_EQ(script->Count("close"), 8);
    EXPECT_EQ(script->modified.size(), 8u);
    EXPECT_EQ(CExamDoc::PrintSettings().formNameFmt, "Form %a");
}

TEST_F(ExamFormsTest, OneFormRepeatsNothingAndDiscardedFormsAreClosedUnsaved)
{
    AddQuestions(6);
    CorraSrand(11);
    // One form cannot repeat itself.
    EXPECT_EQ(exam->GenerateForms(1, "V%d", FALSE), 1);
    EXPECT_EQ(script->shown[0].repeatCount, 0);
    EXPECT_EQ(script->shown[0].duplicateScore, 0);
    EXPECT_NE(exam->FindCollection("V0"), nullptr);
    // A new run is named on from the forms the exam has; discarded views are closed unsaved.
    script->saveAnswers = {IDCANCEL};
    EXPECT_EQ(exam->GenerateForms(3, "V%d", FALSE), IDCANCEL);
    EXPECT_EQ(exam->GetCollectionCount(), 1);
    EXPECT_EQ(script->calls.back().what, "close");
    EXPECT_EQ(script->calls.back().flags, 1u);
    EXPECT_EQ(CExamDoc::GetNextFormNumber(), 4);
}

TEST_F(ExamFormsTest, EachNewFormWindowIsAnnouncedToTheViews)
{
    struct CCounter : CView {
        void OnUpdate(CView*, LPARAM lHint, CObject*) override { shown += lHint == HINT_COLLECTION_CHANGED; }
        int shown = 0;
    } view;
    // Its last view leaving must not close the exam the fixture owns.
    exam->m_bAutoDelete = FALSE;
    exam->AddView(&view);
    AddQuestions(3);
    CorraSrand(3);
    script->saveAnswers = {IDCANCEL};
    EXPECT_EQ(exam->GenerateForms(2, "Form %a", FALSE), IDCANCEL);
    EXPECT_EQ(view.shown, 2);
    exam->RemoveView(&view);
}

TEST_F(ExamFormsTest, TryingAgainDrawsNewForms)
{
    AddQuestions(8);
    CorraSrand(5);
    script->saveAnswers = {SAVE_FORMS_AGAIN, IDCANCEL};
    EXPECT_EQ(exam->GenerateForms(2, "Form %a", FALSE), SAVE_FORMS_AGAIN);
    EXPECT_EQ(exam->GenerateForms(2, "Form %a", FALSE), IDCANCEL);
    ASSERT_EQ(script->attempts.size(), 2u);
    EXPECT_NE(script->attempts[0], script->attempts[1]);
}

TEST_F(ExamFormsTest, FixedQuestionsKeepTheirPlaceInEveryNewForm)
{
    AddQuestions(3);
    CExamQuestion* fixed = Add(IDS_QTYPE_ES);
    AddQuestions(2);
    Fix(fixed, 2);
    CorraSrand(8);
    EXPECT_EQ(exam->GenerateForms(5, "Form %a", FALSE), 1);
    for (const std::vector<int>& order : script->attempts[0])
        EXPECT_EQ(order[1], fixed->m_nId);
    // The fixed question repeats at its place in every form without counting.
    EXPECT_LT(script->shown[0].repeatCount, 5 * 5);
}

TEST_F(ExamFormsTest, FixedQuestionsPushNoOtherOntoAPlaceItHad)
{
    const std::vector<int> ids = AddQuestions(30);
    // Before the first place, past the last, and two inside.
    const std::map<int, int> fixedAt = {{0, 0}, {4, 99}, {12, 10}, {20, 20}};
    for (const auto& [at, position] : fixedAt)
        Fix(static_cast<CExamQuestion*>(exam->FindQuestionById(ids[static_cast<size_t>(at)])), position);
    CorraSrand(7);
    EXPECT_EQ(exam->GenerateForms(6, "Form %a", FALSE), 1);
    for (const std::vector<int>& order : script->attempts[0]) {
        ASSERT_EQ(order.size(), 30u);
        EXPECT_EQ(order[0], ids[0]);
        EXPECT_EQ(order[29], ids[4]);
        EXPECT_EQ(order[9], ids[12]);
        EXPECT_EQ(order[19], ids[20]);
    }
    // 26 drawn questions in six forms: the record keeps each off the places it printed at, so
    // only the last draws of a form may repeat one (noting where a question was drawn, before
    // the fixed ones moved in, repeated four times as many).
    EXPECT_LE(script->shown[0].repeatCount, 3);
}

TEST_F(ExamFormsTest, RepeatsCountEachQuestionAtItsPositionFixedOnesApart)
{
    std::vector<int> ids = AddQuestions(3);
    struct Case {
        std::vector<std::vector<int>> forms;  // by index into ids
        bool firstFixed;
        int repeats;
        int score;
    };
    const Case cases[] = {
        {{{0, 1, 2}, {0, 2, 1}, {0, 1, 2}}, false, 4, 77},  // (2 + 1 + 1) repeats; (99 + 66 + 66) / 3
        {{{0, 1, 2}, {0, 2, 1}, {0, 1, 2}}, true, 2, 66},   // (66 + 66) / 2 free positions
        {{{0, 1, 2}, {1, 2, 0}}, false, 0, 0},
        {{{0, 1, 2}}, false, 0, 0},
    };
    for (const Case& c : cases) {
        auto* first = static_cast<CExamQuestion*>(exam->FindQuestionById(ids[0]));
        first->m_nAttributes = c.firstFixed ? EXAM_ATTR_FIXED : 0;
        CPtrListEx views;
        for (const std::vector<int>& order : c.forms) {
            CView* view = script->NewFormView(*exam);
            CDWordArray members;
            for (int at : order)
                members.Add(static_cast<DWORD>(ids[at]));
            script->GetViewForm(view)->SetQuestIds(members);
            views.AddTail(view);
        }
        int repeats = -1;
        int score = -1;
        ASSERT_TRUE(exam->CountFormRepeats(3, views, repeats, score));
        EXPECT_EQ(repeats, c.repeats);
        EXPECT_EQ(score, c.score);
    }
    // A member the exam does not have, too few members, no views: no figures.
    CPtrListEx views;
    int repeats = -1;
    int score = -1;
    EXPECT_FALSE(exam->CountFormRepeats(3, views, repeats, score));
    EXPECT_EQ(repeats, 0);
    CView* view = script->NewFormView(*exam);
    CDWordArray members;
    members.Add(static_cast<DWORD>(ids[0]));
    members.Add(99999);
    members.Add(static_cast<DWORD>(ids[2]));
    script->GetViewForm(view)->SetQuestIds(members);
    views.AddTail(view);
    EXPECT_FALSE(exam->CountFormRepeats(3, views, repeats, score));
    EXPECT_FALSE(exam->CountFormRepeats(4, views, repeats, score));
    EXPECT_FALSE(exam->CountFormRepeats(0, views, repeats, score));
}

TEST_F(ExamFormsTest, NewFormsOffersAtMostTheOrdersOfTheQuestions)
{
    struct Case {
        int questions;
        int forms;          // forms the exam has already
        int storedNumber;   // "ExamForm"/"NumForms", -1 none
        int max;
        int offered;
    };
    const Case cases[] = {
        {1, 0, -1, 1, 1}, {3, 2, -1, 6, 4}, {4, 0, -1, 24, 4}, {5, 0, 12, 10, 10}, {7, 3, 2, 10, 2},
    };
    // The stored number stays from one case to the next.
    for (const Case& c : cases) {
        NewExam();
        const std::vector<int> ids = AddQuestions(c.questions);
        for (int f = 0; f < c.forms; ++f)
            AddForm(CString::Formatted("Old %d", f), ids);
        if (c.storedNumber >= 0)
            CorraApp().WriteProfileInt("ExamForm", "NumForms", c.storedNumber);
        script->addAnswer = FALSE;
        exam->OnNewForms();
        ASSERT_EQ(script->offered.size(), 1u) << c.questions;
        EXPECT_EQ(script->offered[0].maxForms, c.max) << c.questions;
        EXPECT_EQ(script->offered[0].numForms, c.offered) << c.questions;
        EXPECT_EQ(script->offered[0].format, "Form %a");
        EXPECT_TRUE(script->attempts.empty());
    }
}

TEST_F(ExamFormsTest, AnExamWithoutQuestionsMakesNoForms)
{
    AddForm("Form a", {});
    exam->OnNewForms();
    EXPECT_TRUE(script->offered.empty());
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "This exam has no questions to make forms of.");
    EXPECT_EQ(exam->GenerateForms(3, "Form %a", FALSE), 0);
    EXPECT_TRUE(script->attempts.empty());
    EXPECT_TRUE(script->calls.empty());
}

TEST_F(ExamFormsTest, EveryFifthAttemptSuggestsFewerFormsThenTheFormsAreSaved)
{
    AddQuestions(2);
    script->numForms = 2;
    script->format = "Test %A";
    script->saveAnswers = std::vector<int>(6, SAVE_FORMS_AGAIN);
    CorraSrand(3);
    exam->OnNewForms();
    EXPECT_EQ(script->attempts.size(), 7u);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].caption, "Too many attempts");
    EXPECT_EQ(messageBox.calls[0].text.Find("It may be that the number of forms is too large"), 0);
    EXPECT_EQ(CorraApp().GetProfileString("ExamForm", "FormNameFmt", ""), "Test %A");
    EXPECT_EQ(CorraApp().GetProfileInt("ExamForm", "NumForms", 0), 2);
    EXPECT_NE(exam->FindCollection("Test A"), nullptr);
    EXPECT_NE(exam->FindCollection("Test B"), nullptr);
}

TEST_F(ExamFormsTest, NewScrambledFormsCarryALineForEachAnsweredChoiceQuestion)
{
    CExamQuestion* mc = Add(IDS_QTYPE_MC, "c");
    Add(IDS_QTYPE_ES);
    CExamQuestion* other = Add(IDS_QTYPE_MC, "A", "a. yes b. no");
    script->scramble = TRUE;
    script->numForms = 2;
    CorraSrand(17);
    exam->OnNewForms();
    ASSERT_EQ(exam->GetCollectionCount(), 2);
    EXPECT_TRUE(exam->HasScrambledForms());
    for (const char* name : {"Form a", "Form b"}) {
        CCorraQuestion* form = exam->FindCollection(name);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->m_Scramble.GetCount(), 2);
        CString key;
        ASSERT_TRUE(form->m_Scramble.GetScrambledAnswer(*other, key));
        EXPECT_TRUE(key == "A" || key == "B") << key;
        CWordArray sequence;
        int at = -1;
        ASSERT_TRUE(form->m_Scramble.GetEntryFor(*mc, sequence, at));
        EXPECT_EQ(sequence[at], 2);
    }
}

TEST_F(ExamFormsTest, AFailedScrambleLeavesEveryNewFormUnscrambled)
{
    Add(IDS_QTYPE_MC, "a");
    Add(IDS_QTYPE_MC, "a", "a. alone");
    CorraSrand(2);
    EXPECT_EQ(exam->GenerateForms(2, "Form %a", TRUE), 1);
    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_TRUE(messageBox.calls[0].text.Find("has an invalid choice count") > 0);
    EXPECT_EQ(messageBox.calls[1].text, "Choice scrambling failed.  Forms will not have scrambled choices.");
    EXPECT_EQ(exam->GetCollectionCount(), 2);
    EXPECT_FALSE(exam->HasScrambledForms());
}

TEST_F(ExamFormsTest, ScramblingAllFormsAndPuttingItBack)
{
    const int mc = Add(IDS_QTYPE_MC, "d")->m_nId;
    const int es = Add(IDS_QTYPE_ES)->m_nId;
    AddForm("Form a", {mc, es});
    AddForm("Form b", {es, mc});
    // A form whose list is empty is not scrambled.
    EXPECT_FALSE(exam->HasScrambledForms());
    exam->SetModifiedFlag(FALSE);
    EXPECT_EQ(exam->ScrambleForms(TRUE), 2);
    EXPECT_TRUE(exam->HasScrambledForms());
    EXPECT_TRUE(exam->IsModified());
    EXPECT_EQ(exam->ScrambleForms(FALSE), 2);
    EXPECT_FALSE(exam->HasScrambledForms());

    // Invalid choices stop it before any form changes.
    CExamQuestion* bad = Add(IDS_QTYPE_MC, "a");
    bad->m_Choices.RemoveAll();
    EXPECT_EQ(exam->ScrambleForms(TRUE), 0);
    ASSERT_FALSE(messageBox.calls.empty());
    EXPECT_EQ(messageBox.calls.back().text.Find("Failed to scramble forms for the following reasons:\n\n"), 0);
    EXPECT_FALSE(exam->HasScrambledForms());
}

TEST_F(ExamFormsTest, TwoQuestionsFixedAtOnePlaceStopTheReordering)
{
    std::vector<int> ids = AddQuestions(4);
    Fix(static_cast<CExamQuestion*>(exam->FindQuestionById(ids[0])), 3);
    Fix(static_cast<CExamQuestion*>(exam->FindQuestionById(ids[2])), 3);
    CCorraQuestion* form = AddForm("Form a", ids);
    ResetLogging();
    EXPECT_FALSE(exam->ReOrderCollection(form));
    EXPECT_GE(GetLogBuffer().Find("CExamDoc::ReOrderCollection() - reordering exceeds allowed repetition..."), 0);
    EXPECT_EQ(Members(*form).size(), 4u);

    // One question fixed: moved into place once.
    static_cast<CExamQuestion*>(exam->FindQuestionById(ids[2]))->m_nAttributes = 0;
    EXPECT_TRUE(exam->ReOrderCollection(form));
    EXPECT_EQ(form->GetQuestId(2), ids[0]);
    EXPECT_FALSE(exam->ReOrderCollection(form));
}

TEST_F(ExamFormsTest, NewFormViewsTakeTheNextFreeName)
{
    const std::vector<int> ids = AddQuestions(2);
    AddForm("Form a", ids);
    AddForm("Form c", ids);
    CExamDoc::PrintSettings().formNameFmt = "Form %a";
    exam->ResetNextFormNumber();
    EXPECT_EQ(CExamDoc::GetNextFormNumber(), 3);
    EXPECT_EQ(exam->TakeNewFormName(), "Form d");
    EXPECT_EQ(exam->TakeNewFormName(), "Form e");
    // A name a form took meanwhile is passed over.
    AddForm("Form f", ids);
    EXPECT_EQ(exam->TakeNewFormName(), "Form g");
    // A format without a placeholder numbers its names.
    CExamDoc::PrintSettings().formNameFmt = "Form";
    exam->ResetNextFormNumber();
    EXPECT_EQ(exam->TakeNewFormName(), "Form0");
}

BOOL Enabled(CExamDoc& exam, UINT id)
{
    return CommandEnabled(exam, id);
}

TEST_F(ExamFormsTest, FormCommandsNeedQuestionsOrForms)
{
    EXPECT_FALSE(Enabled(*exam, ID_EXAM_NEW_FORMS));
    EXPECT_FALSE(Enabled(*exam, ID_EXAM_FORM_KEYS));
    const std::vector<int> ids = AddQuestions(1);
    EXPECT_TRUE(Enabled(*exam, ID_EXAM_NEW_FORMS));
    AddForm("Form a", ids);
    EXPECT_TRUE(Enabled(*exam, ID_EXAM_FORM_KEYS));
    exam->OnCmdMsg(ID_EXAM_FORM_KEYS, CN_COMMAND, nullptr);
    EXPECT_EQ(script->keys, 1);
}

TEST_F(ExamFormsTest, AFormIsShownInAViewOfItsOwnOrBroughtForward)
{
    const std::vector<int> ids = AddQuestions(3);
    CCorraQuestion* form = AddForm("Form a", {ids[2], ids[0]});
    form->m_Scramble.SetLine(ids[2], "x");

    ASSERT_TRUE(exam->ShowCollection(form));
    ASSERT_EQ(script->Count("set"), 1);
    CView* view = script->calls.back().view;
    ASSERT_EQ(script->calls.back().what, "refresh");
    CCorraQuestion* shown = script->GetViewForm(view);
    ASSERT_NE(shown, nullptr);
    EXPECT_NE(shown, form);  // the view's own copy
    EXPECT_EQ(shown->m_cszQuestionText, "Form a");
    EXPECT_EQ(Members(*shown), (std::vector<int>{ids[2], ids[0]}));
    EXPECT_FALSE(shown->m_Scramble.IsEmpty());
    std::vector<int> listed;
    for (POSITION pos = script->Of(view).items.GetHeadPosition(); pos;)
        listed.push_back(static_cast<CCorraQuestion*>(script->Of(view).items.GetNext(pos))->m_nId);
    EXPECT_EQ(listed, (std::vector<int>{ids[2], ids[0]}));

    // A new form: an empty view with a name no form has.
    ASSERT_TRUE(exam->ShowCollection(nullptr));
    CCorraQuestion* fresh = script->GetViewForm(script->calls.back().view);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->GetChoicesCount(), 0);
    EXPECT_FALSE(fresh->m_cszQuestionText.IsEmpty());
    EXPECT_EQ(exam->FindCollection(fresh->m_cszQuestionText), nullptr);

    // A form that has its view open makes no second one.
    CView open;
    form->m_pView = &open;
    const int sets = script->Count("set");
    EXPECT_TRUE(exam->ShowCollection(form));
    EXPECT_EQ(script->Count("set"), sets);
    form->m_pView = nullptr;

    // Nothing but the exam's forms; nothing without form views.
    CCorraQuestion stranger;
    stranger.m_nType = static_cast<int>(IDS_QTYPE_CO);
    EXPECT_FALSE(exam->ShowCollection(&stranger));
    EXPECT_FALSE(exam->ShowCollection(exam->FindQuestionById(ids[1])));
    ExamDialogsSlot().Set(nullptr);
    EXPECT_FALSE(exam->ShowCollection(form));
}

} // namespace
