#include "dialogs/CorraQuestionDlg.h"

#include "controls/FloatEditTB.h"
#include "controls/HVRichEditCtrl.h"
#include "dialogs/QuestionDialogs.h"
#include "dialogs/QuestionImagesDlg.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/View.h"
#include "res/ids/QuestionTypes.h"
#include "res/ids/RichEdit.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

#include <memory>
#include <vector>

namespace {

class CorraQuestionDlgTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        doc = std::make_unique<CCorraDoc>();
        mc = AddQuestion(IDS_QTYPE_MC, "What is 2 + 2?", "a. three\nb. four\nc. five", "b");
        es = AddQuestion(IDS_QTYPE_ES, "Explain photosynthesis.", nullptr, "Light becomes sugar.");
        es->m_dAnswerSize = 0.29;
        dlg = std::make_unique<CCorraQuestionDlg>(doc.get());
        ASSERT_TRUE(dlg->CreateHidden());
    }
    void TearDown() override
    {
        dlg.reset();
        doc.reset();
        CorraTest::TearDown();
    }

    CCorraQuestion* AddQuestion(UINT type, const char* text, const char* choices, const char* answer)
    {
        auto* q = new CCorraQuestion;
        q->m_nType = static_cast<int>(type);
        q->m_nLevel = 2;
        q->m_cszQuestionText = text;
        if (choices)
            q->SetChoices(choices);
        q->m_cszAnswer = answer;
        return doc->InsertQuestion(q);
    }
    // Chooses a type in the combo as the user would.
    void ChooseType(UINT type)
    {
        auto* combo = dlg->GetDlgItemAs<CComboBox>(IDC_QD_TYPE);
        for (int i = 0; i < combo->GetCount(); ++i) {
            if (combo->GetItemData(i) == type)
                combo->SetCurSel(i);
        }
        dlg->OnTypeChange();
    }
    void TypeChoices(const char* text) { dlg->ChoicesPane()->SetText(text, SF_TEXT); }
    void TypeQuestion(const char* text) { dlg->QuestionPane()->SetText(text, SF_TEXT); }
    CString Plain(const CString& text)
    {
        CHVRichEditCtrl ctrl;
        ctrl.SetText(text, SF_RTF);
        return ctrl.GetText().Trim();
    }
    int Boxes(const char* text) const
    {
        int n = 0;
        for (const auto& call : messageBox.calls)
            n += call.text.Find(text) >= 0 ? 1 : 0;
        return n;
    }

    std::unique_ptr<CCorraDoc> doc;
    std::unique_ptr<CCorraQuestionDlg> dlg;
    CCorraQuestion* mc = nullptr;
    CCorraQuestion* es = nullptr;
};

TEST_F(CorraQuestionDlgTest, AnAnswerLetterIsCheckedAgainstTheLabels)
{
    struct Case {
        const char* choices;
        const char* typed;
        const char* stored;   // nullptr: refused
        const char* message;  // the refusal
    } cases[] = {
        {"a. one\nb. two\nc. three\nd. four", "b", "b", nullptr},
        {"a. one\nb. two\nc. three\nd. four", " c ", "c", nullptr},
        {"a. one\nb. two\nc. three\nd. four", "", "", nullptr},
        {"a. one\nb. two\nc. three\nd. four", "B", nullptr, "Invalid answer."},
        {"a. one\nb. two\nc. three\nd. four", "e", nullptr, "Invalid answer."},
        {"a. one\nb. two\nc. three\nd. four", "ab", nullptr, "Only a single character answer is allowed."},
        {"a. one\nb. two\nc. three\nd. four", "?", nullptr, "Invalid answer."},
        // Digits name a choice by its digit label, read before the labels become letters.
        {"1. one\n2. two\n3. three", "2", "b", nullptr},
        {"1. one\n2. two\n3. three", "4", nullptr, "Invalid answer."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.choices) + " / " + c.typed);
        dlg->SetQuestion(mc);
        messageBox.calls.clear();
        TypeChoices(c.choices);
        dlg->SetDlgItemText(IDC_QD_ANSWER_LETTER, c.typed);
        const BOOL ok = dlg->UpdateData(TRUE);
        EXPECT_EQ(ok, c.stored != nullptr);
        if (c.stored) {
            EXPECT_EQ(dlg->m_Question.m_cszAnswer, c.stored);
            EXPECT_EQ(dlg->m_Question.m_Choices.GetChoiceId(0), "a.");
            EXPECT_TRUE(messageBox.calls.empty());
        } else {
            ASSERT_EQ(messageBox.calls.size(), 1u);
            EXPECT_EQ(messageBox.calls[0].text, c.message);
        }
    }
}

TEST_F(CorraQuestionDlgTest, TrueFalseRadiosGiveTheAnswerLetter)
{
    dlg->SetQuestion(mc);
    ChooseType(IDS_QTYPE_TF);
    auto* yes = dlg->GetDlgItemAs<QRadioButton>(IDC_QD_TRUE);
    auto* no = dlg->GetDlgItemAs<QRadioButton>(IDC_QD_FALSE);
    ASSERT_TRUE(dlg->UpdateData(TRUE));
    EXPECT_EQ(dlg->m_Question.m_cszAnswer, "");
    no->setChecked(true);
    ASSERT_TRUE(dlg->UpdateData(TRUE));
    EXPECT_EQ(dlg->m_Question.m_cszAnswer, "b");
    yes->setChecked(true);
    ASSERT_TRUE(dlg->UpdateData(TRUE));
    EXPECT_EQ(dlg->m_Question.m_cszAnswer, "a");
    EXPECT_EQ(dlg->m_Question.GetChoicesCount(), 2);
}

TEST_F(CorraQuestionDlgTest, SummariesShowTwoEntriesAndMarkMore)
{
    CStringArrayEx subjects;
    EXPECT_EQ(CQuestionDlg::SubjectsSummary(subjects), "");
    subjects.Add("Biology");
    EXPECT_EQ(CQuestionDlg::SubjectsSummary(subjects), "Biology");
    subjects.Add("Botany");
    EXPECT_EQ(CQuestionDlg::SubjectsSummary(subjects), "Biology, Botany ...");
    subjects.Add("Cells");
    EXPECT_EQ(CQuestionDlg::SubjectsSummary(subjects), "Biology, Botany ...");
}

TEST_F(CorraQuestionDlgTest, ModifyStoresIntoTheShownQuestionByItsId)
{
    dlg->SetQuestion(mc);
    const int id = mc->m_nId;
    TypeQuestion("What is 3 + 3?");
    TypeChoices("a. five\nb. six");
    dlg->SetDlgItemText(IDC_QD_ANSWER_LETTER, "b");
    EXPECT_TRUE(dlg->IsModified());
    ASSERT_TRUE(dlg->OnModify());
    CCorraQuestion* stored = doc->FindQuestionById(id);
    ASSERT_EQ(stored, mc);
    EXPECT_EQ(Plain(stored->m_cszQuestionText), "What is 3 + 3?");
    EXPECT_EQ(stored->GetChoicesCount(), 2);
    EXPECT_EQ(stored->m_cszAnswer, "b");
    EXPECT_EQ(doc->GetQuestionCount(), 2);
    EXPECT_FALSE(dlg->IsModified());
    EXPECT_EQ(dlg->GetLastStoredIndex(), mc->m_nIndex);
}

// The document's first view: notes the commands its route carries.
class CRouteView : public CView {
public:
    BOOL OnCmdMsg(UINT nID, UINT nCode, void* pExtra) override
    {
        if (nCode == CN_COMMAND)
            commands.push_back(nID);
        return CView::OnCmdMsg(nID, nCode, pExtra);
    }
    std::vector<UINT> commands;
};

TEST_F(CorraQuestionDlgTest, ModifySendsTheStoreToTheDocumentsFirstView)
{
    CRouteView view;
    doc->m_bAutoDelete = FALSE;  // the fixture deletes it
    doc->AddView(&view);
    dlg->SetQuestion(es);
    TypeQuestion("Explain respiration.");
    ASSERT_TRUE(dlg->OnModify());
    EXPECT_EQ(view.commands, std::vector<UINT>{ID_CORRA_STORE_DLG_QUESTION});
    EXPECT_EQ(Plain(es->m_cszQuestionText), "Explain respiration.");
    EXPECT_EQ(Plain(mc->m_cszQuestionText), "What is 2 + 2?");
    doc->RemoveView(&view);
}

TEST_F(CorraQuestionDlgTest, ModifyAfterTheShownQuestionWasDeletedStoresNothing)
{
    dlg->SetQuestion(mc);
    TypeQuestion("Changed");
    CPtrListEx gone;
    gone.AddTail(mc);
    ASSERT_TRUE(doc->DeleteQuestions(gone));
    dlg->UpdateControls();
    EXPECT_FALSE(dlg->GetDlgItem(IDC_QD_MODIFY)->isEnabled());
    EXPECT_FALSE(dlg->OnModify());
    EXPECT_EQ(Boxes("No question selected"), 1);
    EXPECT_EQ(doc->GetQuestionCount(), 1);
    EXPECT_NE(Plain(es->m_cszQuestionText), "Changed");
}

TEST_F(CorraQuestionDlgTest, ShowingTheDialogAsksAgainWhetherItsQuestionExists)
{
    dlg->SetQuestion(mc);
    TypeQuestion("Changed while hidden");
    EXPECT_TRUE(dlg->GetDlgItem(IDC_QD_MODIFY)->isEnabled());
    CPtrListEx gone;
    gone.AddTail(mc);
    ASSERT_TRUE(doc->DeleteQuestions(gone));
    dlg->ShowWindow(SW_SHOW);
    EXPECT_FALSE(dlg->GetDlgItem(IDC_QD_MODIFY)->isEnabled());
}

TEST_F(CorraQuestionDlgTest, AQuestionShownIsNotChangedByItsChoicesLayout)
{
    dlg->ShowWindow(SW_SHOW);
    ASSERT_TRUE(dlg->SelectQuestion(mc));
    // The choices are laid out a moment later; that is no change of the user's.
    RunEventsUntil([] { return false; }, 400);
    EXPECT_FALSE(dlg->IsModified());
    EXPECT_FALSE(dlg->GetDlgItem(IDC_QD_MODIFY)->isEnabled());
    ASSERT_TRUE(dlg->SelectQuestion(es));
    EXPECT_EQ(Boxes("Save changes?"), 0);
    // A choice typed is; the layout then gives every choice the same hanging indent.
    ASSERT_TRUE(dlg->SelectQuestion(mc));
    TypeChoices("a. three\nb. four\nc. five\nd. six");
    RunEventsUntil([] { return false; }, 400);
    EXPECT_TRUE(dlg->IsModified());
    CHVRichEditCtrl& pane = *dlg->ChoicesPane();
    std::vector<LONG> offsets;
    for (int line = 0; line < 4; ++line) {
        const long start = pane.LineIndex(line);
        pane.SetSel(start, start);
        PARAFORMAT pf;
        pane.GetParaFormat(pf);
        offsets.push_back(pf.dxOffset);
    }
    EXPECT_GT(offsets[0], 0);
    EXPECT_EQ(offsets, std::vector<LONG>(4, offsets[0]));
}

TEST_F(CorraQuestionDlgTest, ANewQuestionKeepsTheLastIdShownAndAddGivesItItsOwn)
{
    dlg->SetQuestion(mc);
    dlg->SetQuestion(nullptr);
    EXPECT_EQ(dlg->GetDlgItemInt(IDC_QD_ID), mc->m_nId);
    EXPECT_FALSE(dlg->HasShownQuestion());
    TypeQuestion("A new one");
    // No choices yet: the empty pane passes.
    ASSERT_TRUE(dlg->OnAdd());
    EXPECT_TRUE(richBox.calls.empty());
    EXPECT_EQ(doc->GetQuestionCount(), 3);
    EXPECT_NE(dlg->GetShownId(), mc->m_nId);
    EXPECT_EQ(Plain(mc->m_cszQuestionText), "What is 2 + 2?");
}

TEST_F(CorraQuestionDlgTest, AddMakesANewQuestionAndShowsIt)
{
    dlg->SetQuestion(mc);
    TypeQuestion("A copy with a twist");
    ASSERT_TRUE(dlg->OnAdd());
    EXPECT_EQ(doc->GetQuestionCount(), 3);
    EXPECT_NE(dlg->GetShownId(), mc->m_nId);
    CCorraQuestion* added = dlg->FindShownQuestion();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(Plain(added->m_cszQuestionText), "A copy with a twist");
    EXPECT_EQ(Plain(mc->m_cszQuestionText), "What is 2 + 2?");
    // The ID is the document's to give.
    EXPECT_TRUE(dlg->GetDlgItemAs<QLineEdit>(IDC_QD_ID)->isReadOnly());
}

TEST_F(CorraQuestionDlgTest, ANewQuestionTypedIsAddedByTheYesOfClose)
{
    dlg->SetQuestion(nullptr);
    dlg->ShowWindow(SW_SHOW);
    EXPECT_FALSE(dlg->IsModified());
    TypeQuestion("Name the largest planet.");
    TypeChoices("a. Mars\nb. Jupiter");
    dlg->SetDlgItemText(IDC_QD_ANSWER_LETTER, "b");
    EXPECT_TRUE(dlg->IsModified());
    messageBox.QueueAnswer(IDYES);
    dlg->OnClose();
    EXPECT_EQ(Boxes("Save changes?"), 1);
    EXPECT_EQ(doc->GetQuestionCount(), 3);
    EXPECT_FALSE(dlg->IsWindowVisible());
}

TEST_F(CorraQuestionDlgTest, AnAddThatStoresNothingKeepsTheInputUnsaved)
{
    CCorraQuestionDlg lone(nullptr);
    ASSERT_TRUE(lone.CreateHidden());
    lone.SetQuestion(nullptr);
    lone.ShowWindow(SW_SHOW);
    lone.QuestionPane()->SetText("Name the largest planet.", SF_TEXT);
    ASSERT_TRUE(lone.IsModified());
    EXPECT_FALSE(lone.OnAdd());
    EXPECT_TRUE(lone.IsModified());
    // So Close still asks, and a Yes that cannot store keeps the editor open.
    messageBox.QueueAnswer(IDYES);
    lone.OnClose();
    EXPECT_EQ(Boxes("Save changes?"), 1);
    EXPECT_TRUE(lone.IsWindowVisible());
}

TEST_F(CorraQuestionDlgTest, CloseWithInvalidChoicesStaysOpenWithTheInput)
{
    dlg->SetQuestion(mc);
    dlg->ShowWindow(SW_SHOW);
    TypeChoices("a. one\nc. three");
    messageBox.QueueAnswer(IDYES);
    dlg->OnClose();
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_TRUE(dlg->IsModified());
    ASSERT_EQ(richBox.calls.size(), 1u);
    EXPECT_EQ(richBox.calls[0].title, "Error");
    EXPECT_EQ(richBox.calls[0].paneColor[0], 0xFF0000u);
    EXPECT_EQ(dlg->m_Question.GetChoicesCount(), 3);
    EXPECT_EQ(mc->GetChoicesCount(), 3);
    // Selecting another question keeps the edited one when its store fails.
    messageBox.QueueAnswer(IDYES);
    EXPECT_FALSE(dlg->SelectQuestion(es));
    EXPECT_EQ(dlg->GetShownId(), mc->m_nId);
    EXPECT_EQ(dlg->ChoicesPane()->GetText().Trim(), "a. one\nc. three");
}

TEST_F(CorraQuestionDlgTest, EachTypeKeepsWhatWasTypedForIt)
{
    dlg->SetQuestion(es);
    EXPECT_EQ(dlg->GetDlgItemText(IDC_QD_ANSWER_SIZE), "29");
    EXPECT_EQ(dlg->AnswerPane()->GetText().Trim(), "Light becomes sugar.");
    dlg->SetDlgItemText(IDC_QD_ANSWER_SIZE, "40");
    ChooseType(IDS_QTYPE_MC);
    EXPECT_FALSE(dlg->AnswerPane()->isVisibleTo(dlg.get()));
    TypeChoices("a. yes\nb. no");
    ChooseType(IDS_QTYPE_ES);
    EXPECT_EQ(dlg->AnswerPane()->GetText().Trim(), "Light becomes sugar.");
    EXPECT_EQ(dlg->GetDlgItemText(IDC_QD_ANSWER_SIZE), "40");
    ChooseType(IDS_QTYPE_MC);
    EXPECT_EQ(dlg->ChoicesPane()->GetText().Trim(), "a. yes\nb. no");
}

TEST_F(CorraQuestionDlgTest, AnswerSizesComeBackAsTheyWereStored)
{
    struct Case {
        const char* typed;
        double stored;
    } cases[] = {{"250", 2.5}, {"-5", 0.0}, {"29", 0.29}, {"0", 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        dlg->SetQuestion(es);
        dlg->SetDlgItemText(IDC_QD_ANSWER_SIZE, c.typed);
        ASSERT_TRUE(dlg->OnModify());
        EXPECT_DOUBLE_EQ(es->m_dAnswerSize, c.stored);
        dlg->SetQuestion(es);
        EXPECT_EQ(dlg->GetDlgItemInt(IDC_QD_ANSWER_SIZE), CCorraQuestionDlg::PercentFromSize(c.stored));
    }
    EXPECT_EQ(CCorraQuestionDlg::PercentFromSize(0.29), 29);
    EXPECT_EQ(CCorraQuestionDlg::PercentFromSize(2.5), 250);
}

TEST_F(CorraQuestionDlgTest, AScrambledQuestionIsNeverStored)
{
    dlg->SetQuestion(mc);
    dlg->SetScrambled(TRUE);
    TypeQuestion("Scrambled edit");
    ASSERT_TRUE(dlg->IsModified());
    EXPECT_FALSE(dlg->OnModify());
    EXPECT_EQ(Boxes("You cannot modify a scrambled question."), 1);
    TypeQuestion("Scrambled edit again");
    EXPECT_EQ(dlg->CheckSaveChanges(MB_YESNO), IDNO);
    EXPECT_EQ(Boxes("You cannot modify a scrambled question."), 2);
    EXPECT_EQ(Boxes("Save changes?"), 0);
    EXPECT_EQ(Plain(mc->m_cszQuestionText), "What is 2 + 2?");
    EXPECT_NE(dlg->GetWindowText().Find("(read-only)"), -1);
}

TEST_F(CorraQuestionDlgTest, PrevBeforeAnyStoreSaysSo)
{
    dlg->SetQuestion(mc);
    dlg->OnPrev();
    EXPECT_EQ(Boxes("There is no previous index yet."), 1);
    dlg->OnNext();
    EXPECT_EQ(dlg->GetDlgItemInt(IDC_QD_INDEX), doc->m_nHighestIndex + 1);
}

TEST_F(CorraQuestionDlgTest, ALevelWithoutSelectionIsKept)
{
    mc->m_nLevel = 9;
    dlg->SetQuestion(mc);
    ASSERT_TRUE(dlg->UpdateData(TRUE));
    EXPECT_EQ(dlg->m_Question.m_nLevel, 9);
}

TEST_F(CorraQuestionDlgTest, TheAnswerMessageFillsABufferWithinItsSize)
{
    dlg->SetQuestion(mc);
    char buffer[4] = {'x', 'x', 'x', 'x'};
    WPARAM wParam = SF_TEXT | (static_cast<WPARAM>(sizeof buffer) << 16);
    EXPECT_EQ(dlg->SendMessage(WM_QD_GET_ANSWER, wParam, reinterpret_cast<LPARAM>(buffer)), 3);
    EXPECT_STREQ(buffer, "fou");
    CString whole;
    EXPECT_TRUE(dlg->GetAnswerText(SF_TEXT, whole));
    EXPECT_EQ(whole, "four");
    EXPECT_EQ(dlg->SendMessage(WM_QD_GET_ANSWER, wParam, 0), 0);
}

TEST_F(CorraQuestionDlgTest, TheDocumentsDialogsShowTheQuestionAndAskBeforeClosing)
{
    CQuestionDialogs dialogs;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), dialogs);
    ASSERT_TRUE(EditQuestionInDialog(*doc, mc));
    CCorraQuestionDlg* editor = dialogs.FindEditor(*doc);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->IsWindowVisible());
    EXPECT_EQ(editor->GetShownId(), mc->m_nId);
    EXPECT_TRUE(dialogs.QuestionDialogHasQuestion(*doc));
    // A collection is not the editor's to show.
    CCorraQuestion* coll = doc->GetOrCreateCollection("Unit 1");
    EXPECT_FALSE(EditQuestionInDialog(*doc, coll));
    editor->QuestionPane()->SetText("Edited through the document", SF_TEXT);
    messageBox.QueueAnswer(IDCANCEL);
    EXPECT_FALSE(doc->SaveModified());
    messageBox.QueueAnswer(IDYES);
    EXPECT_EQ(dialogs.CheckSaveDlgChanges(*doc, MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(Plain(mc->m_cszQuestionText), "Edited through the document");
    dialogs.CloseDocumentWindows(*doc);
    EXPECT_EQ(dialogs.FindEditor(*doc), nullptr);
}

} // namespace

namespace {

TEST_F(CorraQuestionDlgTest, IdentityAppliesOnlyToExams)
{
    dlg->SetQuestion(mc);
    dlg->OnIdentity();
    EXPECT_EQ(Boxes("Only applies to Exams."), 1);
    EXPECT_FALSE(dlg->GetDlgItem(IDC_QD_IDENTITY)->isVisibleTo(dlg.get()));
}

} // namespace

namespace {

TEST_F(CorraQuestionDlgTest, ClearingTheDialogAsksBeforeDroppingWhatWasTyped)
{
    CQuestionDialogs dialogs;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), dialogs);
    ASSERT_TRUE(doc->ClearDlgQuestion());
    CCorraQuestionDlg& editor = dialogs.Editor(*doc);
    editor.QuestionPane()->SetText("Typed but not added", SF_TEXT);
    messageBox.QueueAnswer(IDNO);
    EXPECT_TRUE(doc->SelectDlgQuestion(es));
    EXPECT_EQ(Boxes("Save changes?"), 1);
    EXPECT_EQ(doc->GetQuestionCount(), 2);
    EXPECT_EQ(editor.GetShownId(), es->m_nId);
    editor.QuestionPane()->SetText("Typed again", SF_TEXT);
    messageBox.QueueAnswer(IDYES);
    EXPECT_TRUE(doc->ClearDlgQuestion());
    EXPECT_EQ(Boxes("Save changes?"), 2);
    EXPECT_EQ(Plain(es->m_cszQuestionText), "Typed again");
    EXPECT_FALSE(editor.HasShownQuestion());
}

} // namespace

namespace {

TEST_F(CorraQuestionDlgTest, AfterResetNothingIsShownAndModifyStoresNothing)
{
    dlg->SetQuestion(mc);
    dlg->OnReset();
    EXPECT_FALSE(dlg->HasShownQuestion());
    EXPECT_FALSE(dlg->GetDlgItem(IDC_QD_MODIFY)->isEnabled());
    EXPECT_FALSE(dlg->OnModify());
    EXPECT_EQ(Plain(mc->m_cszQuestionText), "What is 2 + 2?");
    EXPECT_EQ(mc->GetChoicesCount(), 3);
    EXPECT_EQ(mc->m_cszAnswer, "b");

    // What is typed then is a new question; showing one again enables Modify once it changes.
    TypeQuestion("What is 5 + 5?");
    TypeChoices("a. ten\nb. eleven");
    dlg->SetDlgItemText(IDC_QD_ANSWER_LETTER, "a");
    ASSERT_TRUE(dlg->OnAdd());
    EXPECT_EQ(doc->GetQuestionCount(), 3);
    EXPECT_EQ(Plain(mc->m_cszQuestionText), "What is 2 + 2?");
    dlg->SetQuestion(es);
    TypeQuestion("Explain respiration.");
    dlg->SetModified(TRUE);
    dlg->UpdateControls();
    EXPECT_TRUE(dlg->GetDlgItem(IDC_QD_MODIFY)->isEnabled());
}

TEST_F(CorraQuestionDlgTest, ModifyAsksBeforeStoringAQuestionWithoutText)
{
    const struct {
        int answer;
        bool stored;
    } cases[] = {{IDNO, false}, {IDYES, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        es->m_cszQuestionText = "Explain photosynthesis.";
        dlg->SetQuestion(es);
        TypeQuestion("  ");
        messageBox.calls.clear();
        messageBox.QueueAnswer(c.answer);
        EXPECT_EQ(dlg->OnModify(), c.stored);
        ASSERT_EQ(messageBox.calls.size(), 1u);
        EXPECT_NE(messageBox.calls[0].text.Find("without text"), -1);
        EXPECT_EQ(Plain(es->m_cszQuestionText).IsEmpty(), c.stored);
    }
}

TEST_F(CorraQuestionDlgTest, TheEditingToolbarWorksOnThePaneLastTypedIn)
{
    InstallFloatEditToolbar();
    dlg->SetQuestion(es);
    dlg->ShowWindow(SW_SHOW);
    dlg->activateWindow();
    ASSERT_TRUE(RunEventsUntil([&] { return dlg->isActiveWindow(); }));
    CHVRichEditCtrl* answer = dlg->AnswerPane();
    answer->setFocus();
    ASSERT_TRUE(RunEventsUntil([&] { return QApplication::focusWidget() == answer; }));
    dlg->OnEditingToolbar();
    auto* tb = dynamic_cast<CFloatEditTB*>(GetSharedFloatToolbar());
    ASSERT_NE(tb, nullptr);
    EXPECT_EQ(tb->GetAttached(), answer);

    // A click on the toolbar makes it the active window; its button sends the editor back.
    tb->activateWindow();
    ASSERT_TRUE(RunEventsUntil([&] { return tb->isActiveWindow(); }));
    tb->OnCommand(ID_CHAR_BOLD);
    ASSERT_TRUE(RunEventsUntil([&] { return dlg->isActiveWindow(); }));
    RunEventsUntil([] { return false; }, 100);
    EXPECT_EQ(QApplication::focusWidget(), answer);
    EXPECT_EQ(tb->GetAttached(), answer);

    // What is typed next goes into the answer.
    const CString question = dlg->QuestionPane()->GetText();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
    QApplication::sendEvent(QApplication::focusWidget(), &key);
    EXPECT_EQ(dlg->QuestionPane()->GetText(), question);
    EXPECT_NE(answer->GetText().Find('x'), -1);
    DestroySharedFloatToolbar();
}

// "Images..." is there to press and opens on the question as typed; its OK is a change the
// editor stores with Modify.
TEST_F(CorraQuestionDlgTest, ImagesOpensOnTheShownQuestionAndItsOkIsAChange)
{
    const CString picture = WriteHomeFile("Images/cell.png", "");
    mc->AddImage(picture, IP_LEFT, 0, 20.0, 0.0);
    dlg->SetQuestion(mc);
    EXPECT_TRUE(dlg->GetDlgItem(IDC_QD_IMAGES)->isEnabled());
    TypeQuestion("What is 3 + 1?");
    dlg->SetModified(FALSE);

    CModalScript script;
    int seen = -1;
    CString text;
    script.On<CQuestionImagesDlg>([&](CQuestionImagesDlg& d) {
        seen = d.Images().GetCount();
        POSITION pos = d.Images().GetHeadPosition();
        d.Select(d.Images().GetNext(pos));
        ClickDlgButton(d, IDC_QI_DELETE);
        ClickDlgButton(d, IDOK);
    });
    ClickDlgButton(*dlg, IDC_QD_IMAGES);
    EXPECT_EQ(script.Answered(), 1);
    EXPECT_EQ(seen, 1);
    EXPECT_TRUE(dlg->IsModified());
    // The document's question keeps its image until the editor stores its own copy.
    CPtrList images;
    EXPECT_EQ(mc->GetImages(images), 1);
    ASSERT_TRUE(dlg->OnModify());
    CCorraQuestion* stored = doc->FindQuestionById(mc->m_nId);
    ASSERT_NE(stored, nullptr);
    images.RemoveAll();
    EXPECT_EQ(stored->GetImages(images), 0);
    EXPECT_NE(stored->m_cszQuestionText.Find("3 + 1"), -1);
}

} // namespace
