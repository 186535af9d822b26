#include "dialogs/LinkSheet.h"
#include "foundation/FileTypes.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "platform/core/FileSys.h"
#include "res/ids/LinkSheets.h"
#include "res/ids/Menus.h"
#include "shell/FileFindExDlg.h"
#include "shell/HVListCtrl.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"

#include <QApplication>

namespace {

using ExamLinksTest = MainWindowTest;

CExamQuestion* Exam(void* p)
{
    return dynamic_cast<CExamQuestion*>(static_cast<CCorraQuestion*>(p));
}

// A bank moved after an exam took questions from it: the exam's link check finds it again,
// relinks and saves, and the exam read again has no link errors.
TEST_F(ExamLinksTest, AMovedBankIsFoundAgainAndTheExamSavedRelinked)
{
    StartApp();
    ASSERT_NE(m_pMain, nullptr);
    const CString bankPath = SampleBankPath();
    const CString moved = fsys::Join(CFileTypes::GetPriDir(DT_CORRA), "Moved/Biology.crr");
    const CString examPath = fsys::Join(CFileTypes::GetPriDir(DT_EXAM), "Midterm.exm");
    CModalScript script;
    CCorraDoc* bank = OpenSampleBank(script, 1);  // and the exam read again
    ASSERT_NE(bank, nullptr);
    auto* exam = dynamic_cast<CExamDoc*>(m_app->NewExamDocument());
    ASSERT_NE(exam, nullptr);
    CPtrListEx from;
    from.AddTail(bank->FindQuestionById(101));
    from.AddTail(bank->FindQuestionById(102));
    CPtrListEx added;
    exam->AddQuestions(from, &added, bank, bankPath, nullptr);
    ASSERT_EQ(added.GetCount(), 2);
    ASSERT_TRUE(exam->DoSave(examPath));
    bank->OnCloseDocument();
    fsys::CreateDirectories(fsys::Folder(moved));
    ASSERT_TRUE(fsys::MoveFile(bankPath, moved));

    script.On<CELSSheet>([&](CELSSheet& sheet) {
        EXPECT_EQ(sheet.GetTitle(), "Exam Link Status...");
        ASSERT_TRUE(sheet.PressButton(PSBTN_NEXT));
        script.On<CFileFindExDlg>([](CFileFindExDlg& find) {
            ASSERT_EQ(find.GetList()->GetItemCount(), 1);
            find.GetList()->SelectItem(0);
            ClickDlgButton(find, IDOK);
        });
        messageBox.QueueAnswer(IDYES);  // link to it
        ClickDlgButton(sheet.m_noFindPage, IDC_ELS_NAME_SEARCH);
        messageBox.QueueAnswer(IDYES);  // save
        EXPECT_TRUE(sheet.PressButton(PSBTN_FINISH));
    });
    m_pMain->OnCommand(ID_EXAM_CHECK_LINKS);
    // What the check said, from the question of the relink on.
    std::vector<CString> texts;
    for (const auto& call : messageBox.calls) {
        if (!texts.empty() || call.text.Find("Are you sure") == 0)
            texts.push_back(call.text);
    }
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "Are you sure you want to link to Question Corra?\n\n./QCorras/Moved/Biology.crr");
    EXPECT_EQ(texts[1], exam->GetTitle() + " has been properly updated.  Do you wish to save those changes now?");
    EXPECT_EQ(texts[2], "All questions successfully updated.");
    EXPECT_FALSE(exam->IsModified());
    exam->OnCloseDocument();
    QApplication::processEvents();

    auto* again = dynamic_cast<CExamDoc*>(m_app->OpenDocumentFile(examPath));
    ASSERT_NE(again, nullptr);
    QApplication::processEvents();
    EXPECT_EQ(script.Pending(), 0);
    EXPECT_TRUE(again->CheckCorraLinks(FALSE, nullptr, TRUE));
    for (POSITION pos = again->m_plQuestions.GetHeadPosition(); pos;) {
        const CExamQuestion* q = Exam(again->m_plQuestions.GetNext(pos));
        ASSERT_NE(q, nullptr);
        EXPECT_EQ(q->m_csCorraFile, moved);
        EXPECT_EQ(q->m_csIdentityName, "CID_412_77");
    }
}

} // namespace
