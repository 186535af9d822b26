// Two copies of the sample bank in the real main window: three questions copied from one with
// Ctrl+C and pasted into the other with Ctrl+V (their IDs clash: "Duplicate (all)"), one of them
// dragged onto a collection there, then saved and read again.
#include "app/ChildFrames.h"
#include "model/CorraQuestion.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ListMouse.h"
#include "tests/support/ModalScript.h"
#include "views/CorraView.h"
#include "views/DuplicateQuestionsDlg.h"
#include "views/ODListCtrl.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>

#include <vector>

namespace {

using TransferEndToEndTest = MainWindowTest;

// What pressing the keys does: the main window's action of that shortcut.
bool Press(QWidget& window, const QKeySequence& keys)
{
    for (QAction* action : window.findChildren<QAction*>()) {
        if (action->shortcut() == keys && action->isEnabled()) {
            action->trigger();
            return true;
        }
    }
    return false;
}

CCorraFrm* FrameOf(CCorraDoc& doc)
{
    return dynamic_cast<CCorraFrm*>(doc.GetFirstView()->GetParentFrame());
}

CString PlainName(const CCorraQuestion& q)
{
    return q.m_cszQuestionText;
}

TEST_F(TransferEndToEndTest, QuestionsCopiedBetweenTwoBanksAndDroppedOnACollectionAreSaved)
{
    StartApp();
    CModalScript script;
    CCorraDoc* first = OpenSampleBank(script);
    ASSERT_NE(first, nullptr);
    const CString secondPath = fsys::Join(fsys::Folder(SampleBankPath()), "Biology copy.crr");
    ASSERT_TRUE(fsys::CopyFile(SampleBankPath(), secondPath, FALSE));
    script.On<CSubjectsDlg>([](CSubjectsDlg& d) { ClickDlgButton(d, IDCANCEL); });
    auto* second = dynamic_cast<CCorraDoc*>(m_app->OpenDocumentFile(secondPath));
    ASSERT_NE(second, nullptr);
    ASSERT_NE(first, second);
    const int before = second->GetQuestionCount();

    CCorraFrm* from = FrameOf(*first);
    CCorraFrm* into = FrameOf(*second);
    auto* fromView = dynamic_cast<CCorraView*>(from->GetUpperView());
    auto* intoView = dynamic_cast<CCorraView*>(into->GetUpperView());
    auto* intoCollections = dynamic_cast<CCorraView*>(into->GetLowerView());
    ASSERT_TRUE(fromView && intoView && intoCollections);
    ASSERT_GT(intoCollections->GetListCtrl()->GetItemCount(), 0);

    m_pMain->MDIActivate(from);
    from->SetActiveView(fromView);
    CODListCtrl& list = *fromView->GetListCtrl();
    list.SelectItem(-1, FALSE);
    std::vector<CString> copied;
    for (int row : {1, 3, 5}) {
        list.SelectItem(row, TRUE);
        copied.push_back(PlainName(*list.GetItemQuestion(row)));
    }
    ASSERT_TRUE(Press(*m_pMain, QKeySequence(Qt::CTRL | Qt::Key_C)));

    // Shown, as the drag finds the list under the cursor on the screen.
    m_pMain->show();
    m_pMain->MDIActivate(into);
    into->SetActiveView(intoView);
    QApplication::processEvents();
    intoView->GetListCtrl()->SelectItem(-1, FALSE);
    int listed = 0;
    script.On<CDuplicateQuestionsDlg>([&](CDuplicateQuestionsDlg& d) {
        listed = d.NewList().GetCount();
        ClickDlgButton(d, IDC_DUPQ_DUPLICATE_ALL);
        ClickDlgButton(d, IDOK);
    });
    ASSERT_TRUE(Press(*m_pMain, QKeySequence(Qt::CTRL | Qt::Key_V)));
    EXPECT_EQ(listed, 3);
    ASSERT_EQ(second->GetQuestionCount(), before + 3);
    EXPECT_EQ(second->GetUndoText(), CString("Add 3 questions"));

    // The last of the pasted rows dragged onto the first collection of the same bank.
    CODListCtrl& rows = *intoView->GetListCtrl();
    const int pastedRow = rows.GetItemCount() - 1;
    CCorraQuestion* pasted = rows.GetItemQuestion(pastedRow);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(PlainName(*pasted), copied.back());
    const int pastedId = pasted->m_nId;
    rows.EnsureVisible(pastedRow, FALSE);
    rows.SelectItem(-1, FALSE);
    rows.SelectItem(pastedRow, TRUE);
    CODListCtrl& collections = *intoCollections->GetListCtrl();
    CCorraQuestion* collection = collections.GetItemQuestion(0);
    const CString collectionName = collection->m_cszQuestionText;
    const QPoint start = RowPoint(rows, pastedRow);
    Send(rows.viewport(), QEvent::MouseButtonPress, start, Qt::LeftButton);
    Send(rows.viewport(), QEvent::MouseMove, start + QPoint(0, QApplication::startDragDistance() + 2), Qt::LeftButton);
    ASSERT_TRUE(intoView->IsDragging());
    const QPoint target = RowPoint(collections, 0);
    Send(intoView->viewport(), QEvent::MouseMove, target, Qt::LeftButton);
    Send(intoView->viewport(), QEvent::MouseButtonRelease, target, Qt::NoButton);
    EXPECT_TRUE(collection->HasQuestId(pastedId));

    ASSERT_TRUE(second->DoSave(secondPath));
    second->OnCloseDocument();
    script.On<CSubjectsDlg>([](CSubjectsDlg& d) { ClickDlgButton(d, IDCANCEL); });
    auto* reopened = dynamic_cast<CCorraDoc*>(m_app->OpenDocumentFile(secondPath));
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->GetQuestionCount(), before + 3);
    std::vector<CString> last;
    int n = 0;
    for (POSITION pos = reopened->m_plQuestions.GetTailPosition(); pos && n < 3;) {
        auto* q = static_cast<CCorraQuestion*>(reopened->m_plQuestions.GetPrev(pos));
        if (q->IsCollection())
            continue;
        last.insert(last.begin(), PlainName(*q));
        ++n;
    }
    EXPECT_EQ(last, copied);
    CCorraQuestion* kept = reopened->FindCollection(collectionName);
    ASSERT_NE(kept, nullptr);
    EXPECT_TRUE(kept->HasQuestId(pastedId));
    ASSERT_NE(reopened->FindQuestionById(pastedId), nullptr);
    EXPECT_EQ(PlainName(*reopened->FindQuestionById(pastedId)), copied.back());
}

} // namespace
