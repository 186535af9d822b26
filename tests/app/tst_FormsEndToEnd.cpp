#include "controls/PromptDlg.h"
#include "dialogs/AddFormsDlg.h"
#include "dialogs/CorraPropertiesDlg.h"
#include "dialogs/SaveCollectionsDlg.h"
#include "foundation/FileTypes.h"
#include "model/ExamDoc.h"
#include "platform/core/Random.h"
#include "platform/core/FileSys.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/ListBox.h"
#include "res/ids/ExamView.h"
#include "res/ids/ManageDialogs.h"
#include "res/ids/ProgressDlg.h"
#include "tests/app/AppFixture.h"
#include "tests/support/Collections.h"
#include "tests/support/ListMouse.h"
#include "tests/support/ModalScript.h"
#include "views/ExamVersionView.h"
#include "views/ExamView.h"
#include "views/KeysDlg.h"
#include "views/ODListCtrl.h"

#include <QApplication>
#include <QLineEdit>

#include <algorithm>

namespace {

using FormsEndToEndTest = MainWindowTest;

std::vector<CString> FormNames(CExamDoc& exam)
{
    CPtrListEx forms;
    exam.GetCollections(forms);
    std::vector<CString> names;
    for (POSITION pos = forms.GetHeadPosition(); pos;)
        names.push_back(static_cast<CCorraQuestion*>(forms.GetNext(pos))->m_cszQuestionText);
    return names;
}

std::vector<CExamVersionView*> FormViews(CExamDoc& exam)
{
    std::vector<CExamVersionView*> views;
    for (POSITION pos = exam.GetFirstViewPosition(); pos;)
        if (auto* view = dynamic_cast<CExamVersionView*>(exam.GetNextView(pos)))
            views.push_back(view);
    return views;
}

CString ListNames(CDialog& d)
{
    auto* list = d.GetDlgItemAs<CListBox>(IDC_SF_LIST);
    CString names;
    for (int i = 0; i < list->GetCount(); ++i)
        names += (i ? "|" : "") + list->GetText(i);
    return names;
}

void SetText(CDialog& d, int id, const char* text)
{
    d.GetDlgItemAs<QLineEdit>(id)->setText(QString::fromLatin1(text));
}

// The second form's keys, line by line, as Form Keys shows them with every form selected.
std::vector<CString> SecondFormKeys(CModalScript& script, CFrameWnd& main)
{
    std::vector<CString> keys;
    script.On<CKeysDlg>([&](CKeysDlg& d) {
        CListBox* forms = d.GetFormList();
        for (int i = 0; i < forms->GetCount(); ++i)
            forms->SetSel(i, TRUE);
        d.OnChildNotify(IDC_KEYS_FORMS, LBN_SELCHANGE);
        for (int i = 0; i < d.GetKeyList()->GetCount(); ++i) {
            // "n)", a tab, and each form's key followed by a tab.
            const CString line = d.GetKeyList()->GetText(i);
            const int first = line.Find('\t');
            const int second = line.Find('\t', first + 1);
            const int third = line.Find('\t', second + 1);
            keys.push_back(third > second && second > first ? line.Mid(second + 1, third - second - 1) : CString("?"));
        }
        ClickDlgButton(d, IDCLOSE);
    });
    main.OnCommand(ID_EXAM_FORM_KEYS);
    return keys;
}

// A form made by New Form(s), opened from the exam's forms by a double click, its third row
// dragged to the top and saved: its keys and the exam's file keep the new order.
TEST_F(FormsEndToEndTest, AFormReorderedInItsWindowKeepsTheOrderInItsKeysAndFile)
{
    StartApp();
    ASSERT_NE(m_pMain, nullptr);
    m_pMain->show();
    const CString examPath = fsys::Join(CFileTypes::GetPriDir(DT_EXAM), "Reordered.exm");
    CModalScript script;
    CCorraDoc* bank = OpenSampleBank(script, 1);
    ASSERT_NE(bank, nullptr);
    CPtrListEx questions;
    GetDocQuestions(bank, questions);
    auto* exam = dynamic_cast<CExamDoc*>(m_app->NewExamDocument());
    ASSERT_NE(exam, nullptr);
    exam->AddQuestions(questions, nullptr, bank, SampleBankPath(), nullptr);
    CorraSrand(11);
    script.On<CSaveCollectionsDlg>([](CSaveCollectionsDlg& d) { ClickDlgButton(d, IDOK); });
    ASSERT_EQ(exam->GenerateForms(2, "Form %a", TRUE), 1);
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(FormViews(*exam).empty());
    CCorraQuestion* formB = exam->FindCollection("Form b");
    ASSERT_NE(formB, nullptr);
    const std::vector<int> before = MemberIds(*formB);
    ASSERT_GE(before.size(), 4u);
    const std::vector<CString> keysBefore = SecondFormKeys(script, *m_pMain);
    ASSERT_EQ(keysBefore.size(), before.size());

    // A double click on "Form b" among the exam's forms opens its window.
    CExamView* formsPane = nullptr;
    for (POSITION pos = exam->GetFirstViewPosition(); pos;)
        if (auto* v = dynamic_cast<CExamView*>(exam->GetNextView(pos)); v && v->IsCollectionPane())
            formsPane = v;
    ASSERT_NE(formsPane, nullptr);
    CODListCtrl& forms = *formsPane->GetListCtrl();
    int row = -1;
    for (int i = 0; i < forms.GetItemCount(); ++i)
        if (forms.GetItemQuestion(i) == formB)
            row = i;
    ASSERT_GE(row, 0);
    const QPoint at = RowPoint(forms, row);
    Send(forms.viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton);
    Send(forms.viewport(), QEvent::MouseButtonRelease, at, Qt::NoButton);
    Send(forms.viewport(), QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    Send(forms.viewport(), QEvent::MouseButtonRelease, at, Qt::NoButton);
    QApplication::processEvents();
    ASSERT_EQ(FormViews(*exam).size(), 1u);
    CExamVersionView* view = FormViews(*exam)[0];
    EXPECT_EQ(view->GetName(), "Form b");

    // Row 3 dragged onto row 1 with the mouse.
    CODListCtrl& list = *view->GetListCtrl();
    const QPoint start = RowPoint(list, 2);
    const QPoint target = RowPoint(list, 0);
    Send(list.viewport(), QEvent::MouseButtonPress, start, Qt::LeftButton);
    Send(list.viewport(), QEvent::MouseMove, start + QPoint(0, QApplication::startDragDistance() + 2), Qt::LeftButton);
    ASSERT_TRUE(view->IsDragging());
    Send(view->viewport(), QEvent::MouseMove, target, Qt::LeftButton);
    Send(view->viewport(), QEvent::MouseButtonRelease, target, Qt::NoButton);
    std::vector<int> after = before;
    std::rotate(after.begin(), after.begin() + 2, after.begin() + 3);
    EXPECT_EQ(MemberIds(view->GetWorkingCopy()), after);
    EXPECT_EQ(MemberIds(*formB), before);

    m_pMain->OnCommand(ID_SAVE_FORM);
    EXPECT_EQ(MemberIds(*formB), after);
    std::vector<CString> expected = keysBefore;
    std::rotate(expected.begin(), expected.begin() + 2, expected.begin() + 3);
    EXPECT_EQ(SecondFormKeys(script, *m_pMain), expected);

    ASSERT_TRUE(exam->DoSave(examPath));
    exam->OnCloseDocument();
    QApplication::processEvents();
    auto* again = dynamic_cast<CExamDoc*>(m_app->OpenDocumentFile(examPath));
    ASSERT_NE(again, nullptr);
    ASSERT_NE(again->FindCollection("Form b"), nullptr);
    EXPECT_EQ(MemberIds(*again->FindCollection("Form b")), after);
    EXPECT_EQ(script.Pending(), 0);
}

// New forms made through the program's own dialogs and windows: added, one renamed in Save
// Forms, saved into the exam and its file, and counted by the exam's properties.
TEST_F(FormsEndToEndTest, NewFormsRenamedInSaveFormsAreSavedUnderTheirNames)
{
    StartApp();
    ASSERT_NE(m_pMain, nullptr);
    const CString examPath = fsys::Join(CFileTypes::GetPriDir(DT_EXAM), "Forms.exm");
    CModalScript script;
    CCorraDoc* bank = OpenSampleBank(script, 1);  // and the exam read again
    ASSERT_NE(bank, nullptr);
    CPtrListEx questions;
    GetDocQuestions(bank, questions);
    ASSERT_GE(questions.GetCount(), 5);
    auto* exam = dynamic_cast<CExamDoc*>(m_app->NewExamDocument());
    ASSERT_NE(exam, nullptr);
    exam->AddQuestions(questions, nullptr, bank, SampleBankPath(), nullptr);
    const int count = exam->GetQuestionCount();

    script.On<CAddFormsDlg>([](CAddFormsDlg& d) {
        SetText(d, IDC_AF_NUM_FORMS, "3");
        SetText(d, IDC_AF_FORMAT, "Version %A");
        ClickDlgButton(d, IDOK);
    });
    CString renamedCaption;
    script.On<CSaveCollectionsDlg>([&](CSaveCollectionsDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "Save Forms");
        EXPECT_EQ(ListNames(d), "Version A|Version B|Version C");
        EXPECT_EQ(FormViews(*exam).size(), 3u);
        d.GetDlgItemAs<CListBox>(IDC_SF_LIST)->SetCurSel(1);
        d.OnChildNotify(IDC_SF_LIST, LBN_SELCHANGE);
        ClickDlgButton(d, IDC_SF_EDIT);  // another form's name, then a new one
        EXPECT_EQ(ListNames(d), "Version A|Makeup|Version C");
        ClickDlgButton(d, IDC_SF_EDIT);  // its own name, kept
        EXPECT_EQ(ListNames(d), "Version A|Makeup|Version C");
        // The form's window follows the new name.
        for (CExamVersionView* view : FormViews(*exam))
            if (view->GetName() == "Makeup")
                renamedCaption = view->GetParentFrame()->GetWindowText();
        ClickDlgButton(d, IDOK);
    });
    for (const char* typed : {"Version C", "Makeup"}) {
        script.On<CPromptDlg>([typed](CPromptDlg& d) {
            SetText(d, IDC_PROMPT_EDIT, typed);
            ClickDlgButton(d, IDOK);
        });
    }
    script.On<CPromptDlg>([](CPromptDlg& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_PROMPT_EDIT), "Makeup");
        ClickDlgButton(d, IDOK);
    });
    messageBox.calls.clear();
    m_pMain->OnCommand(ID_EXAM_NEW_FORMS);
    // Only the name of another form was refused.
    std::vector<CString> said;
    for (const auto& call : messageBox.calls)
        said.push_back(call.text);
    EXPECT_EQ(said, (std::vector<CString>{"There is a collection window already open with this name:\n\nVersion C"}));
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(renamedCaption, exam->GetTitle() + " - Makeup");
    // "Close All" stands ticked by default: no form window is left.
    EXPECT_TRUE(FormViews(*exam).empty());
    EXPECT_EQ(FormNames(*exam), (std::vector<CString>{"Version A", "Makeup", "Version C"}));

    script.On<CCorraPropertiesDlg>([](CCorraPropertiesDlg& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_COLLECTIONS_LABEL), "Forms:");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_COLLECTIONS), "3");
        ClickDlgButton(d, IDCANCEL);
    });
    m_pMain->OnCommand(ID_EXAM_PROPERTIES);

    ASSERT_TRUE(exam->DoSave(examPath));
    exam->OnCloseDocument();
    QApplication::processEvents();
    auto* again = dynamic_cast<CExamDoc*>(m_app->OpenDocumentFile(examPath));
    ASSERT_NE(again, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(FormNames(*again), (std::vector<CString>{"Version A", "Makeup", "Version C"}));
    CPtrListEx makeup;
    again->FindCollection("Makeup")->GetQuestions(makeup);
    EXPECT_EQ(makeup.GetCount(), count);
    EXPECT_EQ(script.Pending(), 0);
}

} // namespace
