#include "dialogs/AddFormsDlg.h"
#include "dialogs/CorraPropertiesDlg.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "platform/ui/CmdTarget.h"
#include "res/ids/CorraView.h"
#include "res/ids/ManageDialogs.h"
#include "res/ids/QuestionTypes.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"

#include <QLineEdit>

namespace {

using DocumentPropertiesTest = MainWindowTest;

TEST_F(DocumentPropertiesTest, TheMainWindowsCommandsOpenTheRealDialogs)
{
    StartApp();
    ASSERT_NE(m_pMain, nullptr);
    const CString path = HomePath("QCorras/Physics.crr");
    WritePlainBank(path);
    auto* bank = dynamic_cast<CCorraDoc*>(m_app->OpenDocumentFile(path));
    ASSERT_NE(bank, nullptr);

    CTestCmdUI ui;
    ui.m_nID = ID_CORRA_PROPERTIES;
    ui.DoUpdate(m_pMain, TRUE);
    EXPECT_TRUE(ui.m_bEnabled);

    CModalScript script;
    script.On<CCorraPropertiesDlg>([](CCorraPropertiesDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "Question Corra File Properties");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_CORRA_ID), "CID_10_20");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_LOCATION), "./QCorras/Physics.crr");
        EXPECT_FALSE(d.GetDlgItemText(IDC_FP_MODIFIED).IsEmpty());
        d.GetDlgItemAs<QLineEdit>(IDC_FP_TITLE)->setText("Physics Unit 4");
        ClickDlgButton(d, IDOK);
    });
    m_pMain->OnCommand(ID_CORRA_PROPERTIES);
    EXPECT_EQ(script.Answered(), 1);
    EXPECT_EQ(bank->m_csTitle1, "Physics Unit 4");
    bank->SetModifiedFlag(FALSE);

    auto* exam = dynamic_cast<CExamDoc*>(m_app->NewExamDocument());
    ASSERT_NE(exam, nullptr);
    for (int i = 0; i < 3; ++i)
        static_cast<CExamQuestion*>(exam->InsertQuestion(new CExamQuestion))->m_nType = static_cast<int>(IDS_QTYPE_ES);
    script.On<CCorraPropertiesDlg>([](CCorraPropertiesDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "Exam File Properties");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_COLLECTIONS_LABEL), "Forms:");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_QUESTIONS), "3");
        // Never saved: no dates, no location.
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_MODIFIED), "");
        EXPECT_EQ(d.GetDlgItemText(IDC_FP_LOCATION), "");
        ClickDlgButton(d, IDCANCEL);
    });
    // Three questions have six orders: no more forms than that.
    script.On<CAddFormsDlg>([](CAddFormsDlg& d) {
        EXPECT_EQ(d.m_nMaxForms, 6);
        ClickDlgButton(d, IDCANCEL);
    });
    m_pMain->OnCommand(ID_EXAM_PROPERTIES);
    m_pMain->OnCommand(ID_EXAM_NEW_FORMS);
    EXPECT_EQ(script.Answered(), 3);
    exam->SetModifiedFlag(FALSE);
}

} // namespace
