// The question pane's commands in the real main window over a copy of the sample bank, driven
// as the user drives them: rows clicked, Del and Ctrl+Z through the menus' shortcuts, the Edit
// menu's text, Set Question Attributes and Statistics from the bank's menu through their real
// dialogs, then a save and a reopen.
#include "dialogs/SetQuestionAttributesDlg.h"
#include "model/CorraQuestion.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/MDIFrameWnd.h"
#include "platform/ui/QtString.h"
#include "res/ids/QuestionTools.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ListRows.h"
#include "tests/support/ModalScript.h"
#include "views/CorraView.h"
#include "views/ODListCtrl.h"
#include "views/StatsDlg.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

#include <functional>
#include <set>
#include <vector>

namespace {

using ViewCommandsEndToEndTest = MainWindowTest;

// A click on a row, as the mouse gives it.
void ClickRow(CODListCtrl& list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    CRect rc;
    ASSERT_TRUE(list.GetItemRect(row, &rc));
    const QPointF at(rc.left + 40, (rc.top + rc.bottom) / 2.0);
    QWidget* target = list.viewport();
    QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      modifiers);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        modifiers);
    QApplication::sendEvent(target, &release);
    QApplication::processEvents();
}

// The menu bar's item that the predicate picks, its menu brought up to date as when it opens.
QAction* FindItem(CMainFrame& main, const std::function<bool(QAction*)>& pick)
{
    for (QAction* top : main.menuBar()->actions()) {
        QMenu* menu = top->menu();
        if (!menu)
            continue;
        Q_EMIT menu->aboutToShow();
        for (QAction* a : menu->actions())
            if (!a->menu() && pick(a))
                return a;
    }
    return nullptr;
}

// A key pressed: the shortcut goes to the menu item that carries it.
bool PressKeys(CMainFrame& main, const char* keys)
{
    const QKeySequence sequence(QString::fromLatin1(keys));
    QAction* item = FindItem(main, [&](QAction* a) { return a->shortcut() == sequence; });
    if (!item || !item->isEnabled())
        return false;
    QShortcutEvent shortcut(sequence, 0, false);
    QApplication::sendEvent(item, &shortcut);
    QApplication::processEvents();
    return true;
}

std::vector<int> DocOrder(const CCorraDoc& doc)
{
    std::vector<int> ids;
    for (POSITION pos = doc.m_plQuestions.GetHeadPosition(); pos;)
        ids.push_back(static_cast<CCorraQuestion*>(doc.m_plQuestions.GetNext(pos))->m_nId);
    return ids;
}

int CountLevel(const CCorraDoc& doc, int level)
{
    int n = 0;
    for (POSITION pos = doc.m_plQuestions.GetHeadPosition(); pos;) {
        auto* q = static_cast<CCorraQuestion*>(doc.m_plQuestions.GetNext(pos));
        n += !q->IsCollection() && q->m_nLevel == level ? 1 : 0;
    }
    return n;
}

TEST_F(ViewCommandsEndToEndTest, DeleteUndoAttributesAndStatisticsOnTheSampleBank)
{
    StartApp();
    CModalScript script;
    // Opened twice: now and after the save.
    CCorraDoc* bank = OpenSampleBank(script, 1);
    ASSERT_NE(bank, nullptr);
    CCorraView* view = ActivateQuestionPane(*bank);
    ASSERT_NE(view, nullptr);
    CODListCtrl& list = *view->GetListCtrl();
    ASSERT_GE(list.GetItemCount(), 4);

    // Two rows clicked, the second with Ctrl held.
    ClickRow(list, 1);
    ClickRow(list, 3, Qt::ControlModifier);
    ASSERT_EQ(list.GetSelectedCount(), 2u);
    const std::set<int> chosen = {list.GetItemQuestion(1)->m_nId, list.GetItemQuestion(3)->m_nId};
    const std::vector<int> rowsBefore = RowIds(list);
    const std::vector<int> docBefore = DocOrder(*bank);

    ASSERT_TRUE(PressKeys(*m_pMain, "Del"));
    EXPECT_EQ(list.GetItemCount(), static_cast<int>(rowsBefore.size()) - 2);
    for (int id : chosen)
        EXPECT_EQ(bank->FindQuestionById(id), nullptr) << id;
    QAction* undo = FindItem(*m_pMain, [](QAction* a) { return GetActionCommandId(a) == ID_EDIT_UNDO; });
    ASSERT_NE(undo, nullptr);
    EXPECT_EQ(FromQString(undo->text()), CString("Undo Delete 2 questions"));
    EXPECT_TRUE(undo->isEnabled());

    ASSERT_TRUE(PressKeys(*m_pMain, "Ctrl+Z"));
    EXPECT_EQ(RowIds(list), rowsBefore);
    EXPECT_EQ(DocOrder(*bank), docBefore);

    // Set Question Attributes on the two rows again: level 2.
    list.SelectItem(-1, FALSE);
    ClickRow(list, 1);
    ClickRow(list, 3, Qt::ControlModifier);
    const int levelTwoOthers = [&] {
        int n = CountLevel(*bank, 2);
        for (int id : chosen)
            n -= bank->FindQuestionById(id)->m_nLevel == 2 ? 1 : 0;
        return n;
    }();
    BOOL set = FALSE;
    script.On<CSetQuestionAttributesDlg>([&](CSetQuestionAttributesDlg& d) {
        ClickDlgButton(d, IDC_SQA_LEVEL_CHECK);
        d.GetDlgItemAs<CListBox>(IDC_SQA_LEVEL)->SetCurSel(2);
        ClickDlgButton(d, IDOK);
        set = d.IsEnded();
    });
    QAction* attributes =
        FindItem(*m_pMain, [](QAction* a) { return FromQString(a->text()) == "Set Question A&ttributes..."; });
    ASSERT_NE(attributes, nullptr);
    attributes->trigger();
    ASSERT_TRUE(set);
    for (int row : {1, 3})
        EXPECT_EQ(list.GetItemQuestion(row)->m_nLevel, 2) << row;

    CString levelRow;
    script.On<CStatsDlg>([&](CStatsDlg& d) {
        auto* levels = d.GetDlgItemAs<CListCtrl>(IDC_STATS_LEVELS);
        ASSERT_NE(levels, nullptr);
        levelRow = levels->GetItemText(2, 0) + "|" + levels->GetItemText(2, 1);
        ClickDlgButton(d, IDCLOSE);
    });
    QAction* statistics = FindItem(*m_pMain, [](QAction* a) { return FromQString(a->text()) == "St&atistics..."; });
    ASSERT_NE(statistics, nullptr);
    statistics->trigger();
    EXPECT_EQ(levelRow, CString::Formatted("2|%d", levelTwoOthers + 2));

    // Saved and opened again: the levels stay.
    const CString path = bank->GetPathName();
    ASSERT_TRUE(bank->DoSave(path));
    bank->OnCloseDocument();
    auto* reopened = dynamic_cast<CCorraDoc*>(m_app->OpenDocumentFile(path));
    ASSERT_NE(reopened, nullptr);
    for (int id : chosen) {
        CCorraQuestion* q = reopened->FindQuestionById(id);
        ASSERT_NE(q, nullptr) << id;
        EXPECT_EQ(q->m_nLevel, 2) << id;
    }
    EXPECT_EQ(CountLevel(*reopened, 2), levelTwoOthers + 2);
    EXPECT_EQ(DocOrder(*reopened), docBefore);
}

} // namespace
