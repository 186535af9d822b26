#include "controls/PromptDlg.h"
#include "dialogs/AddFormsDlg.h"
#include "dialogs/CorraPropertiesDlg.h"
#include "dialogs/QuestionIdentifyDlg.h"
#include "dialogs/SaveCollectionsDlg.h"
#include "foundation/CorraAppBase.h"
#include "foundation/FileTypes.h"
#include "platform/core/FileSys.h"
#include "model/CorraQuestion.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/View.h"
#include "res/ids/ManageDialogs.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeFormViews.h"
#include "tests/support/FakeViews.h"
#include "tests/support/ModalScript.h"

#include <QLineEdit>

#include <map>
#include <memory>

namespace {

// The program's exam dialogs over form views that stand in for the real ones.
class CFormViewsScript : public CExamQuestionDialogs, public CFakeViews {
public:
    explicit CFormViewsScript(CExamDoc& exam) : formViews(exam) {}

    CView* NewFormView(CExamDoc&) override { return formViews.NewView(); }
    CCorraQuestion* GetViewForm(CView* view) override { return formViews.FormOf(view); }
    void ApplyToCollection(CView* view) override
    {
        CFakeViews::ApplyToCollection(view);
        formViews.SaveForm(view);
    }

    CFakeFormViews formViews;
};

class SaveFormsTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        CExamDoc::LoadDefaults();
        exam = std::make_unique<CExamDoc>();
        script = std::make_unique<CFormViewsScript>(*exam);
        CorraViewServicesSlot().Set(script.get());
        ExamDialogsSlot().Set(script.get());
        for (int i = 0; i < 5; ++i) {
            auto* q = static_cast<CExamQuestion*>(exam->InsertQuestion(new CExamQuestion));
            q->m_nType = static_cast<int>(IDS_QTYPE_ES);
            q->m_cszQuestionText = CString::Formatted("Question %d", i + 1);
        }
    }
    void TearDown() override
    {
        CorraTest::TearDown();
        exam.reset();
        script.reset();
    }
    // Three new form views named by the format.
    CPtrListEx ThreeViews(const char* format = "Version %A")
    {
        CExamDoc::PrintSettings().formNameFmt = format;
        exam->ResetNextFormNumber();
        for (int i = 0; i < 3; ++i)
            script->NewFormView(*exam);
        return script->formViews.Views();
    }
    static CListBox* List(CDialog& d) { return d.GetDlgItemAs<CListBox>(IDC_SF_LIST); }
    static CString Names(CDialog& d)
    {
        CString names;
        for (int i = 0; i < List(d)->GetCount(); ++i)
            names += (i ? "|" : "") + List(d)->GetText(i);
        return names;
    }
    static void Type(CPromptDlg& d, const char* text)
    {
        d.GetDlgItemAs<QLineEdit>(IDC_PROMPT_EDIT)->setText(QString::fromLatin1(text));
    }

    std::unique_ptr<CExamDoc> exam;
    std::unique_ptr<CFormViewsScript> script;
};

TEST_F(SaveFormsTest, WithoutRepeatsThereIsNoWarningAndNoTryAgain)
{
    const CPtrListEx views = ThreeViews();
    CSaveFormsValues values;
    values.repeatCount = 0;
    CModalScript modal;
    modal.On<CSaveCollectionsDlg>([](CSaveCollectionsDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "Save Forms");
        EXPECT_EQ(Names(d), "Version A|Version B|Version C");
        EXPECT_EQ(d.GetDlgItemText(IDC_SF_COUNT), "0");
        EXPECT_FALSE(d.GetDlgItem(IDC_SF_TRY_AGAIN)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(IDC_SF_EDIT)->isEnabled());
        RunEventsUntil([] { return false; }, 700);
        ClickDlgButton(d, IDCANCEL);
    });
    EXPECT_EQ(RunSaveFormsDialog(*exam, views, values), IDCANCEL);
    EXPECT_TRUE(richBox.calls.empty());
}

TEST_F(SaveFormsTest, RepeatsAreSaidOnceAfterTheDialogShowsAndTryAgainGivesFour)
{
    const CPtrListEx views = ThreeViews();
    CSaveFormsValues values;
    values.repeatCount = 2;
    values.duplicateScore = 40;
    CModalScript modal;
    modal.On<CSaveCollectionsDlg>([this](CSaveCollectionsDlg& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_SF_SCORE), "40");
        EXPECT_EQ(d.GetDlgItemText(IDC_SF_COUNT), "2");
        EXPECT_TRUE(d.GetDlgItem(IDC_SF_TRY_AGAIN)->isEnabled());
        EXPECT_TRUE(richBox.calls.empty());
        EXPECT_TRUE(RunEventsUntil([this] { return !richBox.calls.empty(); }));
        RunEventsUntil([] { return false; }, 700);
        ClickDlgButton(d, IDC_SF_TRY_AGAIN);
    });
    EXPECT_EQ(RunSaveFormsDialog(*exam, views, values), SAVE_FORMS_AGAIN);
    ASSERT_EQ(richBox.calls.size(), 1u);
    EXPECT_EQ(richBox.calls[0].title, "Duplicate entries");
    EXPECT_EQ(richBox.calls[0].paneId[0], IDS_DUPLICATE_FORMS);
}

TEST_F(SaveFormsTest, EditRenamesTheFormUnderThePromptsRules)
{
    const CPtrListEx views = ThreeViews();
    auto* formB = script->GetViewForm(static_cast<CView*>(views.GetAt(1)));
    exam->GetOrCreateCollection("Old Form");
    CSaveFormsValues values;
    CModalScript modal;
    modal.On<CSaveCollectionsDlg>([](CSaveCollectionsDlg& d) {
        // Nothing selected yet: Edit is off, and a double click there says so.
        d.OnEditName();
        List(d)->SetCurSel(1);
        d.OnChildNotify(IDC_SF_LIST, LBN_SELCHANGE);
        EXPECT_TRUE(d.GetDlgItem(IDC_SF_EDIT)->isEnabled());
        ClickDlgButton(d, IDC_SF_EDIT);  // cancelled: the name stays
        EXPECT_EQ(Names(d), "Version A|Version B|Version C");
        ClickDlgButton(d, IDC_SF_EDIT);  // another new form's name, an exam's form, braces, then a good one
        EXPECT_EQ(Names(d), "Version A|Makeup|Version C");
        ClickDlgButton(d, IDCANCEL);
    });
    modal.On<CPromptDlg>([](CPromptDlg& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_PROMPT_EDIT), "Version B");
        ClickDlgButton(d, IDCANCEL);
    });
    for (const char* typed : {"version a", "Old Form", "Make{up}", "Makeup"}) {
        modal.On<CPromptDlg>([typed](CPromptDlg& d) {
            Type(d, typed);
            ClickDlgButton(d, IDOK);
        });
    }
    RunSaveFormsDialog(*exam, views, values);
    EXPECT_EQ(modal.Pending(), 0);
    std::vector<CString> said;
    for (const auto& call : messageBox.calls)
        said.push_back(call.text);
    const std::vector<CString> expected = {"Nothing selected.", "version a already exists", "Old Form already exists",
                                           "A collection name cannot hold \"{\", \"}\" or \"||\"."};
    EXPECT_EQ(said, expected);
    EXPECT_EQ(formB->m_cszQuestionText, "Makeup");
    EXPECT_EQ(script->Count("refresh"), 1);
}

TEST_F(SaveFormsTest, OkWritesCloseAllBackAndGivesIt)
{
    const CPtrListEx views = ThreeViews();
    EXPECT_EQ(CorraApp().GetProfileString("ExamForm", "CloseAll"), "");
    for (BOOL untick : {TRUE, FALSE}) {
        CSaveFormsValues values;
        CModalScript modal;
        modal.On<CSaveCollectionsDlg>([untick](CSaveCollectionsDlg& d) {
            EXPECT_EQ(d.IsDlgButtonChecked(IDC_SF_CLOSE_ALL), untick ? 1 : 0);
            if (untick)
                ClickDlgButton(d, IDC_SF_CLOSE_ALL);
            else
                ClickDlgButton(d, IDC_SF_CLOSE_ALL);  // ticked again for the next run
            ClickDlgButton(d, IDOK);
        });
        EXPECT_EQ(RunSaveFormsDialog(*exam, views, values), IDOK);
        EXPECT_EQ(values.closeViews, untick ? FALSE : TRUE);
        EXPECT_EQ(CorraApp().GetProfileInt("ExamForm", "CloseAll", -1), untick ? 0 : 1);
    }
}

TEST_F(SaveFormsTest, NewFormsFromAddFormsThroughSaveFormsAreSavedUnderTheirNames)
{
    // An exam of the sample bank's questions.
    exam = std::make_unique<CExamDoc>();
    script = std::make_unique<CFormViewsScript>(*exam);
    CorraViewServicesSlot().Set(script.get());
    ExamDialogsSlot().Set(script.get());
    fsys::CreateDirectories(CFileTypes::GetPriDir(DT_CORRA));
    const CString bankPath = CFileTypes::GetPriDir(DT_CORRA) + "Biology.crr";
    ASSERT_TRUE(fsys::CopyFile(SamplePath("Biology.crr"), bankPath, FALSE));
    CCorraDoc bank;
    CCorraDoc::SuppressAutoSave(TRUE);
    ASSERT_EQ(bank.ReadCorraDoc(bankPath), CCorraDoc::readComplete);
    CCorraDoc::SuppressAutoSave(FALSE);
    bank.SetPathName(bankPath, FALSE);
    CPtrListEx questions;
    for (POSITION pos = bank.m_plQuestions.GetHeadPosition(); pos;) {
        auto* question = static_cast<CCorraQuestion*>(bank.m_plQuestions.GetNext(pos));
        if (!question->IsCollection())
            questions.AddTail(question);
    }
    exam->AddQuestions(questions, nullptr, &bank, bankPath);
    const int count = exam->GetQuestionCount();
    ASSERT_GE(count, 5);

    CModalScript modal;
    modal.On<CAddFormsDlg>([](CAddFormsDlg& d) {
        d.GetDlgItemAs<QLineEdit>(IDC_AF_NUM_FORMS)->setText("3");
        d.GetDlgItemAs<QLineEdit>(IDC_AF_FORMAT)->setText("Version %A");
        ClickDlgButton(d, IDOK);
    });
    modal.On<CSaveCollectionsDlg>([](CSaveCollectionsDlg& d) {
        EXPECT_EQ(Names(d), "Version A|Version B|Version C");
        List(d)->SetCurSel(1);
        d.OnChildNotify(IDC_SF_LIST, LBN_DBLCLK);
        EXPECT_EQ(Names(d), "Version A|Makeup|Version C");
        ClickDlgButton(d, IDOK);
    });
    modal.On<CPromptDlg>([](CPromptDlg& d) {
        Type(d, "Makeup");
        ClickDlgButton(d, IDOK);
    });
    exam->OnCmdMsg(ID_EXAM_NEW_FORMS, CN_COMMAND, nullptr);
    EXPECT_EQ(modal.Pending(), 0);
    // Close All stands ticked by default: every form window closes after saving.
    EXPECT_EQ(script->Count("apply"), 3);
    EXPECT_EQ(script->Count("close"), 3);
    modal.On<CCorraPropertiesDlg>([](CCorraPropertiesDlg& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_COLLECTIONS_LABEL), "Forms:");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_COLLECTIONS), "3");
        ClickDlgButton(d, IDCANCEL);
    });
    exam->OnCmdMsg(ID_EXAM_PROPERTIES, CN_COMMAND, nullptr);

    const CString path = HomePath("Exams/Forms.exm");
    fsys::CreateDirectories(HomePath("Exams"));
    ASSERT_TRUE(exam->OnSaveDocument(path));
    CExamDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path));
    CPtrListEx forms;
    reopened.GetCollections(forms);
    std::vector<CString> names;
    for (POSITION pos = forms.GetHeadPosition(); pos;)
        names.push_back(static_cast<CCorraQuestion*>(forms.GetNext(pos))->m_cszQuestionText);
    EXPECT_EQ(names, (std::vector<CString>{"Version A", "Makeup", "Version C"}));
    CPtrListEx makeup;
    reopened.FindCollection("Makeup")->GetQuestions(makeup);
    EXPECT_EQ(makeup.GetCount(), count);
}

} // namespace
