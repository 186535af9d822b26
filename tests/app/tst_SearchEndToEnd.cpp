// Search in the real main window over a copy of the sample bank: the questions found open in a
// collection window of their own, from the bank's panes and from a collection's window, and the
// dialog's Statistics... reaches the bank's statistics.
#include "app/ChildFrames.h"
#include "controls/MRUPathComboBox.h"
#include "dialogs/QuestionSearchDlg.h"
#include "model/CorraQuestion.h"
#include "res/ids/CorraView.h"
#include "res/ids/QuestionDlg.h"
#include "res/ids/QuestionSearch.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"
#include "views/CollView.h"
#include "views/CorraView.h"
#include "views/StatsDlg.h"

#include <vector>

namespace {

using SearchEndToEndTest = MainWindowTest;

std::vector<CCollView*> CollectionWindows(CCorraDoc& doc)
{
    std::vector<CCollView*> views;
    for (POSITION pos = doc.GetFirstViewPosition(); pos;)
        if (auto* view = dynamic_cast<CCollView*>(doc.GetNextView(pos)))
            views.push_back(view);
    return views;
}

std::vector<int> Members(const CCollView& view)
{
    CDWordArray ids;
    view.GetWorkingCopy().GetQuestIds(ids);
    return std::vector<int>(ids.begin(), ids.end());
}

TEST_F(SearchEndToEndTest, FoundQuestionsOpenInAWindowOfTheirOwn)
{
    StartApp();
    std::string sample;
    ASSERT_TRUE(fsys::ReadFile(SamplePath("Biology.crr"), sample));
    const CString path = WriteHomeFile("QCorras/Biology.crr", sample);
    // The sample's subjects are new to the master list: the offer to add them is declined.
    CModalScript script;
    script.OnTemplate(IDD_SUBJECTS_DLG, [](CDialog& dlg) { dlg.EndDialog(IDCANCEL); });
    auto* bank = dynamic_cast<CCorraDoc*>(m_app->OpenDocumentFile(path));
    ASSERT_NE(bank, nullptr);
    auto* frame = dynamic_cast<CCorraFrm*>(bank->GetFirstView()->GetParentFrame());
    ASSERT_NE(frame, nullptr);
    m_pMain->MDIActivate(frame);
    bank->SetModifiedFlag(FALSE);

    std::vector<int> cells;
    for (POSITION pos = bank->m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(bank->m_plQuestions.GetNext(pos));
        if (!q->IsCollection() && q->m_saSubjects.FindExact("Cells", FALSE) >= 0)
            cells.push_back(q->m_nId);
    }
    ASSERT_GE(cells.size(), 2u);

    BOOL statistics = FALSE;
    script.On<CStatsDlg>([&](CStatsDlg& d) {
        statistics = TRUE;
        d.EndDialog(IDCLOSE);
    });
    script.On<CQuestionSearchDlg>([](CQuestionSearchDlg& d) {
        ClickDlgButton(d, IDC_QS_STATISTICS);
        ClickDlgButton(d, IDC_QA_SUBJECTS_CHECK);
        d.SubjectsCombo()->SetWindowText("cells");
        ClickDlgButton(d, IDC_QS_SEARCH);
        EXPECT_TRUE(d.IsEnded());
    });
    m_pMain->OnCommand(ID_QUESTION_SEARCH);
    EXPECT_TRUE(statistics);
    std::vector<CCollView*> windows = CollectionWindows(*bank);
    ASSERT_EQ(windows.size(), 1u);
    CCollView& results = *windows[0];
    EXPECT_EQ(results.GetName(), CString("Search results..."));
    EXPECT_TRUE(results.IsModified());
    EXPECT_EQ(results.GetCollection(), nullptr);
    EXPECT_EQ(Members(results), cells);
    EXPECT_EQ(results.GetParentFrame()->GetWindowText(), bank->GetTitle() + " - Search results...");
    // Nothing reaches the bank until the window is saved.
    EXPECT_FALSE(bank->IsModified());

    // A collection's own window searches the whole bank too, into another window.
    script.On<CQuestionSearchDlg>([&](CQuestionSearchDlg& d) {
        ClickDlgButton(d, IDC_QA_ID_CHECK);
        d.SetDlgItemText(IDC_QD_ID, CString::Formatted("%d", cells.back()));
        ClickDlgButton(d, IDC_QS_SEARCH);
    });
    results.OnCmdMsg(ID_QUESTION_SEARCH, CN_COMMAND, nullptr);
    windows = CollectionWindows(*bank);
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(Members(*windows[1]), std::vector<int>{cells.back()});
    EXPECT_EQ(script.Pending(), 0);
}

} // namespace
