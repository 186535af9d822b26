// Set Question Attributes and Statistics in the real main window over a copy of the sample bank:
// the change reaches the questions, the statistics count it, and it survives a save and a reopen.
#include "controls/MRUPathComboBox.h"
#include "dialogs/SetQuestionAttributesDlg.h"
#include "model/CorraQuestion.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListCtrl.h"
#include "res/ids/CorraView.h"
#include "res/ids/QuestionDlg.h"
#include "res/ids/QuestionTools.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"
#include "views/CorraView.h"
#include "views/ODListCtrl.h"
#include "views/StatsDlg.h"

#include <set>
#include <string>

namespace {

using AttributesEndToEndTest = MainWindowTest;

bool HasSubject(const CCorraQuestion& q, const char* subject)
{
    for (int i = 0; i < q.m_saSubjects.GetSize(); ++i)
        if (q.m_saSubjects[i] == subject)
            return true;
    return false;
}

TEST_F(AttributesEndToEndTest, ThreeQuestionsGetALevelAndASubjectThatTheStatisticsCountAndTheFileKeeps)
{
    StartApp();
    std::string sample;
    ASSERT_TRUE(fsys::ReadFile(SamplePath("Biology.crr"), sample));
    const CString path = WriteHomeFile("QCorras/Biology.crr", sample);
    // The sample's subjects are new to the master list: the offer to add them, made at each
    // opening, is declined.
    CModalScript script;
    script.OnTemplate(IDD_SUBJECTS_DLG, [](CDialog& dlg) { dlg.EndDialog(IDCANCEL); });
    script.OnTemplate(IDD_SUBJECTS_DLG, [](CDialog& dlg) { dlg.EndDialog(IDCANCEL); });
    auto* bank = dynamic_cast<CCorraDoc*>(m_app->OpenDocumentFile(path));
    ASSERT_NE(bank, nullptr);
    CCorraView* view = ActivateQuestionPane(*bank);
    ASSERT_NE(view, nullptr);

    CODListCtrl& list = *view->GetListCtrl();
    ASSERT_GE(list.GetItemCount(), 5);
    std::set<int> chosen;
    list.SelectItem(-1, FALSE);
    for (int row : {0, 2, 4}) {
        list.SelectItem(row, TRUE);
        chosen.insert(list.GetItemQuestion(row)->m_nId);
    }
    int levelFourBefore = 0;
    for (POSITION pos = bank->m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(bank->m_plQuestions.GetNext(pos));
        if (!q->IsCollection() && q->m_nLevel == 4 && !chosen.count(q->m_nId))
            ++levelFourBefore;
    }
    const int collections = [&] {
        int n = 0;
        for (POSITION pos = bank->m_plQuestions.GetHeadPosition(); pos;)
            n += static_cast<CCorraQuestion*>(bank->m_plQuestions.GetNext(pos))->IsCollection() ? 1 : 0;
        return n;
    }();

    BOOL changed = FALSE;
    script.On<CSetQuestionAttributesDlg>([&](CSetQuestionAttributesDlg& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_SQA_INFO), "Set attributes for 3 question(s).");
        ClickDlgButton(d, IDC_SQA_LEVEL_CHECK);
        d.GetDlgItemAs<CListBox>(IDC_SQA_LEVEL)->SetCurSel(4);
        ClickDlgButton(d, IDC_SQA_SUBJECTS_CHECK);
        d.GetDlgItemAs<CMRUPathComboBox>(IDC_SQA_SUBJECTS)->SetWindowText("Geometry");
        ClickDlgButton(d, IDC_SQA_SUBJECTS_ADD);
        ClickDlgButton(d, IDOK);
        EXPECT_TRUE(d.IsEnded());
        changed = TRUE;
    });
    m_pMain->OnCommand(ID_SET_QUESTION_ATTRIBUTES);
    EXPECT_TRUE(changed);
    EXPECT_TRUE(bank->IsModified());

    CString levelRow;
    script.On<CStatsDlg>([&](CStatsDlg& d) {
        auto* levels = d.GetDlgItemAs<CListCtrl>(IDC_STATS_LEVELS);
        ASSERT_NE(levels, nullptr);
        ASSERT_EQ(levels->GetItemCount(), 7);
        levelRow = levels->GetItemText(4, 0) + "|" + levels->GetItemText(4, 1);
        ClickDlgButton(d, IDCLOSE);
    });
    m_pMain->OnCommand(ID_QUESTION_STATISTICS);
    EXPECT_EQ(levelRow, CString::Formatted("4|%d", levelFourBefore + 3));

    ASSERT_TRUE(bank->DoSave(path));
    bank->OnCloseDocument();
    auto* reopened = dynamic_cast<CCorraDoc*>(m_app->OpenDocumentFile(path));
    ASSERT_NE(reopened, nullptr);
    int levelFourAfter = 0, updated = 0, after = 0;
    for (POSITION pos = reopened->m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(reopened->m_plQuestions.GetNext(pos));
        if (q->IsCollection()) {
            ++after;
            continue;
        }
        levelFourAfter += q->m_nLevel == 4 ? 1 : 0;
        if (chosen.count(q->m_nId)) {
            ++updated;
            EXPECT_EQ(q->m_nLevel, 4) << q->m_nId;
            EXPECT_TRUE(HasSubject(*q, "Geometry")) << q->m_nId;
        } else {
            EXPECT_FALSE(HasSubject(*q, "Geometry")) << q->m_nId;
        }
    }
    EXPECT_EQ(updated, 3);
    EXPECT_EQ(levelFourAfter, levelFourBefore + 3);
    EXPECT_EQ(after, collections);
}

} // namespace
