#include "app/ChildFrames.h"
#include "app/CorraApp.h"
#include "controls/FloatEditTB.h"
#include "dialogs/CorraQuestionDlg.h"
#include "dialogs/QuestionDialogs.h"
#include "dialogs/SaveCollectionsDlg.h"
#include "model/ExamDialogs.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "platform/core/Random.h"
#include "platform/core/Services.h"
#include "platform/ui/FrameWnd.h"
#include "res/ids/App.h"
#include "res/ids/ExamView.h"
#include "platform/ui/FrameworkIds.h"
#include "res/ids/QuestionTypes.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"
#include "views/ExamVersionView.h"
#include "views/ExamView.h"

#include <QApplication>
#include <QPointer>

#include <set>

namespace {

class FormViewsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        StartApp("");
        exam = dynamic_cast<CExamDoc*>(m_app->NewExamDocument());
        ASSERT_NE(exam, nullptr);
        for (int i = 0; i < 4; ++i) {
            auto* q = static_cast<CExamQuestion*>(exam->InsertQuestion(new CExamQuestion));
            q->m_nType = static_cast<int>(IDS_QTYPE_MC);
            q->m_cszQuestionText = CString::Formatted("Question %d", i + 1);
            q->SetChoices("a. one b. two c. three d. four", '*', '*');
            q->m_cszAnswer = "b";
        }
    }
    std::vector<CExamVersionView*> FormViews() const
    {
        std::vector<CExamVersionView*> views;
        for (POSITION pos = exam->GetFirstViewPosition(); pos;)
            if (auto* v = dynamic_cast<CExamVersionView*>(exam->GetNextView(pos)))
                views.push_back(v);
        return views;
    }
    static std::vector<CCorraQuestion*> Forms(CExamDoc& doc)
    {
        CPtrListEx forms;
        doc.GetCollections(forms);
        std::vector<CCorraQuestion*> out;
        for (POSITION pos = forms.GetHeadPosition(); pos;)
            out.push_back(static_cast<CCorraQuestion*>(forms.GetNext(pos)));
        return out;
    }

    CExamDoc* exam = nullptr;
};

TEST_F(FormViewsTest, NewFormsOpenFormWindowsAndSaveTheirScrambledForms)
{
    CorraSrand(7);
    std::vector<CString> shownNames;
    CModalScript modal;
    modal.On<CSaveCollectionsDlg>([&](CSaveCollectionsDlg& d) {
        // Each new form is in a window of its own, named, modified, holding every question.
        for (CExamVersionView* view : FormViews()) {
            shownNames.push_back(view->GetName());
            EXPECT_EQ(view->GetKindName(), "Form");
            EXPECT_TRUE(view->IsModified());
            EXPECT_EQ(view->GetForm()->GetChoicesCount(), 4);
            EXPECT_EQ(view->GetParentFrame()->GetWindowText(), exam->GetTitle() + " - " + view->GetName());
        }
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(exam->GenerateForms(2, "Form %a", TRUE), 1);
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(shownNames.size(), 2u);
    EXPECT_EQ(std::set<CString>(shownNames.begin(), shownNames.end()), (std::set<CString>{"Form a", "Form b"}));

    const std::vector<CCorraQuestion*> forms = Forms(*exam);
    ASSERT_EQ(forms.size(), 2u);
    for (CCorraQuestion* form : forms) {
        EXPECT_TRUE(shownNames[0] == form->m_cszQuestionText || shownNames[1] == form->m_cszQuestionText);
        EXPECT_EQ(form->GetChoicesCount(), 4);
        // The choice orders made for the form are saved with it.
        EXPECT_FALSE(form->m_Scramble.IsEmpty()) << form->m_cszQuestionText.GetString();
        EXPECT_EQ(form->m_pView, nullptr);
    }
    // Saved with "close all": no form window is left.
    EXPECT_TRUE(FormViews().empty());
}

TEST_F(FormViewsTest, AFormOpensInOneWindowThatSavesIntoIt)
{
    CPtrListEx members;
    GetDocQuestions(exam, members);
    CCorraQuestion* form = exam->GetOrCreateCollection("Form a", &members);
    ASSERT_NE(form, nullptr);

    ASSERT_TRUE(exam->ShowCollection(form));
    ASSERT_EQ(FormViews().size(), 1u);
    CExamVersionView* view = FormViews()[0];
    EXPECT_EQ(form->m_pView, view);
    EXPECT_EQ(view->GetCollection(), form);
    EXPECT_EQ(view->GetName(), "Form a");
    EXPECT_EQ(view->GetForm()->GetChoicesCount(), 4);
    // Shown again: the same window.
    ASSERT_TRUE(exam->ShowCollection(form));
    EXPECT_EQ(FormViews().size(), 1u);

    // Closed: the form is no longer shown anywhere.
    QPointer<CCollFrm> frame = dynamic_cast<CCollFrm*>(view->GetParentFrame());
    ASSERT_TRUE(frame);
    frame->OnCommand(ID_CLOSE_COLLECTION);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(frame);
    EXPECT_EQ(form->m_pView, nullptr);
    ASSERT_TRUE(exam->ShowCollection(form));
    EXPECT_EQ(FormViews().size(), 1u);
}

// The printed exam's fonts are the exam's: a form's window asks the exam's view for them.
TEST_F(FormViewsTest, AFormsPrintFontsOpenTheExamsFontManager)
{
    CPtrListEx members;
    GetDocQuestions(exam, members);
    ASSERT_TRUE(exam->ShowCollection(exam->GetOrCreateCollection("Form a", &members)));
    ASSERT_EQ(FormViews().size(), 1u);
    CExamVersionView* view = FormViews()[0];
    struct CFontsAsked : IFontManagerDialog {
        BOOL IsAvailable() const override { return TRUE; }
        BOOL Run(int nSlot, QWidget* pParent) override
        {
            opened.push_back(nSlot);
            asker = pParent;
            return FALSE;
        }
        std::vector<int> opened;
        QWidget* asker = nullptr;
    } fonts;
    CServiceScope<IFontManagerDialog> scope(FontManagerDialogSlot(), fonts);
    for (UINT id : {ID_EXAM_TITLE_FONT, ID_EXAM_STUDENT_NAME_FONT}) {
        view->OnCmdMsg(id, CN_COMMAND, nullptr);
        QApplication::processEvents();
    }
    EXPECT_NE(dynamic_cast<CExamView*>(fonts.asker), nullptr);
    EXPECT_EQ(fonts.opened, (std::vector<int>{5, 10}));
}

// The editor shows a question of a form's window in the form's order and stores nothing; shown
// from the exam it is the exam's question again.
TEST_F(FormViewsTest, AQuestionOfAScrambledFormIsShownReadOnlyInItsOrder)
{
    CPtrListEx members;
    GetDocQuestions(exam, members);
    CCorraQuestion* form = exam->GetOrCreateCollection("Form a", &members);
    auto* q = static_cast<CCorraQuestion*>(members.GetHead());
    form->m_Scramble.SetLine(q->m_nId, CString::Formatted("%d:1:3 2 1 0:2", q->m_nId));
    auto* dialogs = dynamic_cast<CQuestionDialogs*>(DocumentDialogsSlot().Installed());
    ASSERT_NE(dialogs, nullptr);

    // From the exam's own window: as the exam holds it.
    ASSERT_TRUE(EditQuestionInDialog(*exam, q));
    CCorraQuestionDlg* dlg = dialogs->FindEditor(*exam);
    ASSERT_NE(dlg, nullptr);
    EXPECT_FALSE(dlg->IsScrambled());

    ASSERT_TRUE(exam->ShowCollection(form));
    ASSERT_EQ(FormViews().size(), 1u);
    CExamVersionView* view = FormViews()[0];
    QApplication::processEvents();
    ASSERT_EQ(ExamDialogs().GetActiveScrambleList(*exam), &view->GetForm()->m_Scramble);
    // The form's window came forward: the question shown is shown again in the form's order.
    ExamDialogs().ShowDialogQuestionInForm(*exam);
    EXPECT_TRUE(dlg->IsScrambled());
    EXPECT_TRUE(dlg->GetWindowText().Right(12) == " (read-only)") << dlg->GetWindowText().GetString();
    CCorraQuestion shown;
    dlg->GetQuestion(shown);
    EXPECT_EQ(shown.GetChoice(0, TRUE), q->GetChoice(3, TRUE));
    EXPECT_EQ(shown.m_cszAnswer, "c");

    // A double click in the form's window shows it the same way; nothing can be stored.
    view->OnListDoubleClick(0);
    EXPECT_TRUE(dlg->IsScrambled());
    EXPECT_FALSE(dlg->OnModify());
    EXPECT_EQ(q->m_cszAnswer, "b");
    EXPECT_EQ(q->GetChoice(0, TRUE), "one");
}

} // namespace
