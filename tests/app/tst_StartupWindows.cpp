#include "app/Splash.h"
#include "app/StartupSettingsDlg.h"
#include "app/TipDlg.h"

#include "app/CorraApp.h"
#include "foundation/FileTypes.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/core/FileSys.h"
#include "platform/core/Profile.h"
#include "res/ids/App.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <string>
#include <vector>

namespace {

// --- tips -------------------------------------------------------------------------------------

class TipsTest : public AppTest {
protected:
    CString Tips(const std::string& text) { return WriteHomeFile("tips.txt", text); }
};

TEST_F(TipsTest, TipsAreReadLineByLine)
{
    struct Case {
        const char* name;
        std::string text;
        long start;
        std::vector<std::string> tips;  // the tips shown one after another
    };
    const std::string longLine(1200, 'x');
    const Case cases[] = {
        {"comments only", "; one\r\n;two\r\n", 0, {"Tool tips file (tips.txt) is empty."}},
        {"empty file", "", 0, {"Tool tips file (tips.txt) is empty."}},
        {"CR LF lines", "First tip\r\n; note\r\n\r\n  indented\r\n\tnot either\r\nSecond tip\r\n", 0,
         {"First tip", "Second tip", "First tip"}},
        {"no line end at the end", "Alpha\nBeta", 0, {"Alpha", "Beta", "Alpha"}},
        {"a place inside a line", "Alpha\r\nBeta\r\nGamma\r\n", 2, {"Beta", "Gamma", "Alpha"}},
        {"a place past the end", "Alpha\r\nBeta\r\n", 5000, {"Alpha", "Beta"}},
        {"a place before the start", "Alpha\r\nBeta\r\n", -40, {"Alpha", "Beta"}},
        {"a long line is cut, not two tips", longLine + "\r\nNext\r\n", 0,
         {std::string(999, 'x'), "Next", std::string(999, 'x')}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTipsFile file;
        ASSERT_TRUE(file.Open(Tips(c.text)));
        ASSERT_TRUE(file.Seek(c.start));
        for (const std::string& tip : c.tips)
            EXPECT_EQ(std::string(file.Next()), tip);
    }
}

TEST_F(TipsTest, TheDialogGoesOnWhereItStoppedAndStartsOverOnANewFile)
{
    CString path = Tips("One\r\nTwo\r\nThree\r\n");
    {
        CTipDlg dlg;
        EXPECT_EQ(dlg.m_strTip, "One");
    }
    {
        CTipDlg dlg;
        EXPECT_EQ(dlg.m_strTip, "Two");
    }
    // Replaced (another modification time): the first tip again.
    Tips("Uno\r\nDos\r\n");
    fsys::SetModTime(path, fsys::GetModTime(path) + 100);
    {
        CTipDlg dlg;
        EXPECT_EQ(dlg.m_strTip, "Uno");
    }
    // A position that is not a number is taken as the start.
    CorraApp().WriteProfileString("Tip", "FilePos", "far");
    CTipDlg dlg;
    EXPECT_EQ(dlg.m_strTip, "Uno");
}

TEST_F(TipsTest, WithoutTheFileTheDialogSaysSo)
{
    CTipDlg dlg;
    EXPECT_EQ(dlg.m_strTip, "Tips file (tips.txt) does not exist in the Quorvale home directory");
    EXPECT_FALSE(dlg.File().IsOpen());
    CModalScript script;
    bool nextEnabled = true;
    script.On<CTipDlg>([&](CTipDlg& d) {
        nextEnabled = d.GetDlgItem(IDC_TIP_NEXT)->isEnabled();
        d.CheckDlgButton(IDC_TIP_STARTUP, BST_UNCHECKED);
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(nextEnabled);
    EXPECT_EQ(CorraApp().GetProfileInt("Tip", "StartUp", -1), 0);
}

TEST_F(TipsTest, TheStartUpTipShowsOnlyWhenItsSettingSays)
{
    Tips("One\r\n");
    CorraApp().WriteProfileInt("Tip", "StartUp", 0);
    CTipDlg::ShowAtStartup(nullptr);  // no dialog: the script would fail the test
    CModalScript script;
    script.On<CTipDlg>([](CTipDlg& d) { ClickDlgButton(d, IDOK); });
    CorraApp().WriteProfileInt("Tip", "StartUp", 1);
    CTipDlg::ShowAtStartup(nullptr);
    EXPECT_EQ(script.Answered(), 1);
}

// --- answer sizes -----------------------------------------------------------------------------

TEST(AnswerSizes, ShownRoundedAndKeptToTwoDecimals)
{
    struct Case {
        double size;
        int percent;
    };
    const Case cases[] = {{0.29, 29}, {0.33, 33}, {0.16, 16}, {0.05, 5}, {0.57, 57}, {0.999, 100}, {0.0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        EXPECT_EQ(AnswerSizeToPercent(c.size), c.percent);
    }
    EXPECT_DOUBLE_EQ(PercentToAnswerSize(29), 0.29);
    EXPECT_DOUBLE_EQ(PercentToAnswerSize(1), 0.01);
    for (int p = 1; p < 100; ++p)
        EXPECT_EQ(AnswerSizeToPercent(PercentToAnswerSize(p)), p);
}

TEST_F(AppTest, StartupSettingsRefuseSizesOutsideOneToNinetyNine)
{
    CModalScript script;
    int shownEssay = -1;
    script.On<CStartupSettingsDlg>([&](CStartupSettingsDlg& d) {
        shownEssay = d.GetDlgItemText(IDC_STARTUP_ESSAY).IsEmpty() ? -1 : d.GetDlgItemInt(IDC_STARTUP_ESSAY);
        for (const char* bad : {"0", "100"}) {
            d.SetDlgItemText(IDC_STARTUP_FILLIN, bad);
            ClickDlgButton(d, IDOK);
            EXPECT_FALSE(d.IsEnded()) << bad;
        }
        d.SetDlgItemText(IDC_STARTUP_FILLIN, "7");
        d.CheckDlgButton(IDC_STARTUP_SPLASH, BST_UNCHECKED);
        ClickDlgButton(d, IDOK);
    });
    CorraApp().WriteProfileDouble("Settings", "EssayLen", 0.29);
    CCorraQuestion::LoadAnswerLengths();
    RunStartupSettings(nullptr);
    EXPECT_EQ(shownEssay, 29);
    EXPECT_EQ(CorraApp().GetProfileString("Settings", "EssayLen", ""), "0.29");
    EXPECT_EQ(CorraApp().GetProfileInt("Settings", "Splash", -1), 0);
    EXPECT_EQ(CorraApp().GetProfileString("Settings", "FillInLen", ""), "0.07");
    ASSERT_FALSE(messageBox.calls.empty());
    EXPECT_EQ(messageBox.calls.back().text, "You must close all documents before new settings will take effect.");
}

// --- splash -----------------------------------------------------------------------------------

class SplashTest : public AppTest {
protected:
    void TearDown() override
    {
        CSplashWindow::Close();
        CSplashWindow::SetEnabled(FALSE);
        QApplication::processEvents();
        AppTest::TearDown();
    }
};

TEST_F(SplashTest, APressClosesTheSplashAndReachesNothingBelow)
{
    CCorraApp app;
    app.InstallIdleAndFilter();
    QPushButton below(QStringLiteral("Below"));
    below.resize(200, 80);
    below.show();
    int clicks = 0;
    QObject::connect(&below, &QPushButton::clicked, [&] { ++clicks; });

    CSplashWindow::ShowOver(5000, nullptr);
    EXPECT_EQ(CSplashWindow::Current(), nullptr);  // not enabled
    CSplashWindow::SetEnabled(TRUE);
    CSplashWindow::ShowOver(5000, nullptr);
    ASSERT_NE(CSplashWindow::Current(), nullptr);
    EXPECT_EQ(CSplashWindow::DisplayTime(), 5000u);

    QPointF at(20, 20);
    QMouseEvent press(QEvent::MouseButtonPress, at, below.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, below.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&below, &press);
    QApplication::sendEvent(&below, &release);
    EXPECT_EQ(CSplashWindow::Current(), nullptr);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(below.isDown());
    // With the splash gone, presses reach the button again.
    QApplication::sendEvent(&below, &press);
    QApplication::sendEvent(&below, &release);
    EXPECT_EQ(clicks, 1);
}

TEST_F(SplashTest, AKeyClosesTheSplashAndReachesNothingBelow)
{
    CCorraApp app;
    app.InstallIdleAndFilter();
    QLineEdit below;
    below.show();
    CSplashWindow::SetEnabled(TRUE);
    CSplashWindow::ShowOver(5000, nullptr);
    ASSERT_NE(CSplashWindow::Current(), nullptr);

    // A key is first offered as a shortcut, then pressed, then let go.
    auto type = [&](QEvent::Type t) {
        QKeyEvent e(t, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(&below, &e);
        return e.isAccepted();
    };
    EXPECT_TRUE(type(QEvent::ShortcutOverride));  // no shortcut may fire under the splash
    type(QEvent::KeyPress);
    type(QEvent::KeyRelease);
    EXPECT_EQ(CSplashWindow::Current(), nullptr);
    EXPECT_EQ(below.text(), QString());
    // The next key is the line's.
    type(QEvent::ShortcutOverride);
    type(QEvent::KeyPress);
    type(QEvent::KeyRelease);
    EXPECT_EQ(below.text(), QStringLiteral("a"));
}

TEST_F(SplashTest, TheSplashGoesWhenItsTimeIsUp)
{
    CSplashWindow::SetEnabled(TRUE);
    CSplashWindow::ShowOver(50, nullptr);
    ASSERT_NE(CSplashWindow::Current(), nullptr);
    EXPECT_TRUE(RunEventsUntil([] { return CSplashWindow::Current() == nullptr; }));
}

} // namespace

namespace {

// --- start-up boxes and reading ---------------------------------------------------------------

// Notes whether a document was being read when each box came up.
class CReadWatchingBox : public IRichMessageBoxService {
public:
    int Show(CRichMessage& message) override
    {
        shown.push_back({message.title, CCorraDoc::IsReadingOnUiThread()});
        return IDCANCEL;
    }
    std::vector<std::pair<CString, BOOL>> shown;
};

TEST_F(AppTest, TheWelcomeWaitsUntilTheBankOnTheCommandLineIsRead)
{
    // A bank long enough for its read to let events run many times.
    std::string sample;
    ASSERT_TRUE(fsys::ReadFile(SamplePath("Biology.crr"), sample));
    const size_t first = sample.find("BEGIN QUESTION");
    const std::string records = sample.substr(first, sample.find("BEGIN QUESTION\r\nID: 104") - first);
    std::string bank = sample.substr(0, first);
    for (int i = 0; i < 300; ++i)
        bank += records;
    const CString path = WriteHomeFile("QCorras/Long.crr", bank);
    const CString data = CFileTypes::GetDefDir(DT_DATA);
    fsys::CreateDirectories(data);
    const std::string subjects = "Biology\r\nCells\r\nEnergy\r\n";
    fsys::WriteFile(fsys::Join(data, "Subjects.txt"), subjects.data(), subjects.size());
    // The welcome is due at once.
    WriteHomeFile("Corra.ini", "[Settings]\nSplash=0\nBoilerPlateAtStartup=0\n[Tip]\nStartUp=0\n");
    CReadWatchingBox boxes;
    CServiceScope<IRichMessageBoxService> scope(RichMessageBoxSlot(), boxes);

    auto app = std::make_unique<CCorraApp>();
    app->SetArguments({path});
    ASSERT_TRUE(app->InitInstance());
    ASSERT_NE(app->FindDocumentOfFile(path, FALSE), nullptr);
    EXPECT_TRUE(RunEventsUntil([&] { return !boxes.shown.empty(); }));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].first, "Welcome");
    EXPECT_FALSE(boxes.shown[0].second);

    app->CloseAllDocuments(TRUE);
    app->ExitInstance();
    app.reset();
    QApplication::processEvents();
}

} // namespace
