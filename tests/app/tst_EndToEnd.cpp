#include "app/BoilerPlate.h"
#include "app/DocumentChooser.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/ui/Document.h"
#include "platform/ui/View.h"
#include "res/ids/Menus.h"
#include "res/ids/QuestionDlg.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>

namespace {

// Picks the open document of a path.
class COpenBankChooser : public IDocumentChooser {
public:
    CDocument* ChooseDocument(int nKind, LPCSTR info, BOOL& bOpened, CDocument*) override
    {
        asked.push_back(info ? info : "");
        bOpened = FALSE;
        CCorraApp* pApp = GetCorraApp();
        return nKind == 3 && pApp ? pApp->FindDocumentOfFile(path, FALSE) : nullptr;
    }
    CString path;
    std::vector<CString> asked;
};

bool WaitFor(const std::function<bool()>& pred, int ms = 8000)
{
    QElapsedTimer t;
    t.start();
    while (!pred() && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return pred();
}

void Click(QWidget* w)
{
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

using EndToEndTest = MainWindowTest;

TEST_F(EndToEndTest, TheProgramOpensABankFromTheStartScreenAndExitsCleanly)
{
    // The sample is copied: the program saves what it reads again in its own form.
    std::string sample;
    ASSERT_TRUE(fsys::ReadFile(SamplePath("Biology.crr"), sample));
    const CString bank = WriteHomeFile("Banks/Biology.crr", sample);
    WriteHomeFile("Corra.ini", "[HVMsgBoxDontShow]\nDontShowWelcome=1\n[Settings]\nSplash=0\nBoilerPlateAtStartup=1\n"
                               "[Tip]\nStartUp=0\n");
    // The sample's subjects are new to the master list: the offer to add them is declined.
    CModalScript script;
    script.OnTemplate(IDD_SUBJECTS_DLG, [](CDialog& dlg) { dlg.EndDialog(IDCANCEL); });
    m_app = std::make_unique<CCorraApp>();
    m_app->SetArguments({bank});
    ASSERT_TRUE(m_app->InitInstance());
    m_pMain = m_app->GetMainFrame();
    ASSERT_NE(m_pMain, nullptr);
    CDocument* pBank = m_app->FindDocumentOfFile(bank, FALSE);
    ASSERT_NE(pBank, nullptr);
    CBoilerPlate* nav = m_pMain->GetNavigator();
    ASSERT_NE(nav, nullptr);

    // Timer 2 shows the first page over the bank.
    ASSERT_TRUE(WaitFor([&] { return nav->CurrentScreen() == 0; }));
    ASSERT_TRUE(WaitFor([&] { return m_pMain->isVisible(); }));
    CHVBitmapButton* corra = nav->Page(0)->Button(0);
    ASSERT_NE(corra, nullptr);
    EXPECT_EQ(corra->GetCaption(), CString("CORRA"));
    Click(corra);
    ASSERT_TRUE(WaitFor([&] { return nav->CurrentScreen() == 1; }));
    // Another frame is active before the task.
    CDocument* pOther = m_app->NewCorraDocument(TRUE);
    ASSERT_NE(pOther, nullptr);
    EXPECT_EQ(m_pMain->MDIGetActive(), pOther->GetFirstView()->GetParentFrame());

    COpenBankChooser chooser;
    chooser.path = bank;
    CServiceScope<IDocumentChooser> scope(DocumentChooserSlot(), chooser);
    CHVBitmapButton* edit = nav->Page(1)->Button(101);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetCaption(), CString("Edit existing corra"));
    Click(edit);
    ASSERT_TRUE(WaitFor([&] { return !chooser.asked.empty(); }));
    EXPECT_EQ(chooser.asked[0], CString("Select a Question Corra to edit."));
    EXPECT_EQ(nav->CurrentScreen(), -1);
    EXPECT_TRUE(WaitFor([&] { return m_pMain->MDIGetActive() == pBank->GetFirstView()->GetParentFrame(); }));

    // File Exit: every document closes without a question, the bars' places are kept.
    pOther->SetModifiedFlag(FALSE);
    const size_t boxes = messageBox.calls.size();
    LogOutput("end of the end-to-end run", 1, LOG_HERE);
    m_pMain->OnCommand(menus::kExit);
    ASSERT_TRUE(WaitFor([&] { return m_app->GetFirstDocTemplatePosition() && !m_pMain->isVisible(); }));
    EXPECT_EQ(messageBox.calls.size(), boxes);
    EXPECT_FALSE(CorraApp().GetProfileString("QVDockState", "State", "").IsEmpty());
    m_app->ExitInstance();
    m_app.reset();
    m_pMain = nullptr;
    // The log reached its file.
    EXPECT_TRUE(GetLogBuffer().IsEmpty());
    CStringList lines;
    GetLogLines(lines, FALSE);
    BOOL bFlushed = FALSE;
    for (POSITION pos = lines.GetHeadPosition(); pos;)
        bFlushed |= lines.GetNext(pos).Find("end of the end-to-end run") >= 0;
    EXPECT_TRUE(bFlushed);
}

} // namespace
