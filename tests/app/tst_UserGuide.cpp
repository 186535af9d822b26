#include "app/UserGuide.h"

#include "app/BoilerPlate.h"
#include "app/MainFrm.h"
#include "app/SupportDlg.h"
#include "controls/HVMsgBox.h"
#include "controls/PromptDlg.h"
#include "dialogs/CorraQuestionDlg.h"
#include "dialogs/EditFileListDlg.h"
#include "dialogs/QuestionImagesDlg.h"
#include "dialogs/SubjectsDlg.h"
#include "dialogs/TextbooksDlg.h"
#include "foundation/FileTypes.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/QtString.h"
#include "res/help/HelpTopics.h"
#include "shell/FileFindExDlg.h"
#include "shell/HVFileDlg.h"
#include "tests/app/AppFixture.h"
#include "views/CollListCtrl.h"
#include "views/ODListCtrl.h"

#include <QApplication>
#include <QFile>
#include <QAction>
#include <QKeySequence>
#include <QRegularExpression>

#include <functional>
#include <memory>
#include <cstring>

namespace {

// A page of the guide as the program ships it; empty when there is none.
QString ShippedPage(const QString& name)
{
    QFile page(QStringLiteral(":/guide/") + name);
    return page.open(QIODevice::ReadOnly) ? QString::fromUtf8(page.readAll()) : QString();
}

// Why "page.html#anchor" names no place in the shipped guide; empty when it does.
QString MissingPlace(const QString& target)
{
    const int hash = target.indexOf('#');
    const QString page = hash < 0 ? target : target.left(hash);
    const QString text = ShippedPage(page);
    if (text.isEmpty())
        return "no page " + page;
    if (hash >= 0 && !text.contains(QStringLiteral("id=\"%1\"").arg(target.mid(hash + 1))))
        return "no anchor in " + target;
    return QString();
}

TEST(UserGuidePages, EveryTopicAndEveryLinkNamesAPageAndAPlaceOnIt)
{
    for (const CHelpTopic& topic : kHelpTopics)
        EXPECT_EQ(MissingPlace(QString::fromUtf8(topic.page)), QString()) << std::hex << topic.context;
    // The pages' links among themselves.
    const QRegularExpression link(QStringLiteral("href=\"([^\"]+\\.html(#[^\"]*)?)\""));
    for (const char* name : {"index.html", "getting-started.html", "tour.html", "main-menu.html", "bank-window.html",
                             "question-editor.html", "lists.html", "files.html", "exams.html", "support.html"}) {
        const QString text = ShippedPage(QString::fromUtf8(name));
        ASSERT_FALSE(text.isEmpty()) << name;
        for (auto it = link.globalMatch(text); it.hasNext();)
            EXPECT_EQ(MissingPlace(it.next().captured(1)), QString()) << name;
    }
}

class UserGuideTest : public MainWindowTest {
};

TEST_F(UserGuideTest, EveryHelpTheProgramAsksForHasItsPlaceInTheGuide)
{
    StartApp();
    // The Help menu, the welcome box's buttons and F1 in the main window.
    for (UINT command : {ID_GETTING_STARTED, ID_GET_STARTED_NOW, static_cast<UINT>(ID_HELP_FINDER)})
        m_pMain->OnCommand(command);
    int f1 = 0;
    for (QAction* action : m_pMain->actions()) {
        if (action->shortcut() == QKeySequence(Qt::Key_F1)) {
            action->trigger();
            ++f1;
        }
    }
    EXPECT_EQ(f1, 1) << "F1 opens the help";
    ASSERT_EQ(help.topics.size(), 4u);

    // The Help button of every window that has one.
    const std::vector<std::function<std::unique_ptr<CDialog>()>> dialogs = {
        [] { return std::make_unique<CCorraQuestionDlg>(nullptr); },
        [] { return std::make_unique<CQuestionImagesDlg>(nullptr, nullptr); },
        [] { return std::make_unique<CSubjectsDlg>(); },
        [] { return std::make_unique<CTextbooksDlg>(); },
        [] { return std::make_unique<CEditFileListDlg>(); },
        [] { return std::make_unique<CHVFileDlg>(DT_CORRA); },
        [] { return std::make_unique<CFileFindExDlg>(); },
        [] { return std::make_unique<CPromptDlg>(); },
        [] { return std::make_unique<CSupportDlg>(); },
    };
    for (const auto& make : dialogs) {
        std::unique_ptr<CDialog> dlg = make();
        const size_t before = help.topics.size();
        dlg->OnHelp();
        EXPECT_EQ(help.topics.size(), before + 1);
    }
    // The lists' F1, the main menu and its pages, the warning of a question added unlinked.
    CODListCtrl list(nullptr, nullptr, 0xFFFFFF, nullptr);
    CCollListCtrl collections(nullptr, nullptr, 0xFFFFFF, nullptr);
    for (DWORD context : {list.GetContextHelpId(), collections.GetContextHelpId(),
                          HID_BASE_RESOURCE + START_SCREEN_HELP_ID, HID_BASE_RESOURCE + START_PAGE_HELP_ID,
                          HID_BASE_RESOURCE + 136})
        help.topics.push_back(context);

    for (DWORD context : help.topics) {
        const char* page = FindHelpPage(context);
        ASSERT_NE(page, nullptr) << std::hex << context;
        EXPECT_EQ(MissingPlace(QString::fromUtf8(page)), QString()) << page;
    }
    // F1 in the main window is the contents.
    EXPECT_NE(std::find(help.topics.begin(), help.topics.end(), 0u), help.topics.end());
}

TEST_F(UserGuideTest, TheGuideOpensInTheBrowserAtThePlaceOfTheContext)
{
    StartApp();
    CUserGuide guide;
    struct Case {
        DWORD context;
        const char* url;  // how the address ends
        bool logged;
    };
    const Case cases[] = {
        {HID_BASE_RESOURCE + IDD_SUBJECTS_DLG, "/Hlp/Guide/lists.html#subjects", false},
        {HELP_CTX_GETTING_STARTED, "/Hlp/Guide/getting-started.html", false},
        // A context the guide does not know: the contents, and a line in the log.
        {0x12345, "/Hlp/Guide/index.html", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url);
        opener.calls.clear();
        FlushLogBuffer();
        EXPECT_TRUE(guide.ShowTopic(c.context));
        ASSERT_EQ(opener.calls.size(), 1u);
        EXPECT_EQ(opener.calls[0].kind, "url");
        const CString url = opener.calls[0].target;
        EXPECT_EQ(url.Find("file:///"), 0) << url;
        EXPECT_EQ(url.Right(static_cast<int>(std::strlen(c.url))), c.url) << url;
        EXPECT_EQ(GetLogBuffer().Find("no page for help context") >= 0, c.logged);
    }
    // The page is there to open, and a page that differs from the shipped one is written again.
    const CString page = HomePath("Hlp/Guide/lists.html");
    ASSERT_TRUE(fsys::IsFile(page));
    fsys::WriteFile(page, "old", 3);
    guide.ShowTopic(0);
    std::string text;
    ASSERT_TRUE(fsys::ReadFile(page, text));
    EXPECT_EQ(QString::fromStdString(text), ShippedPage(QStringLiteral("lists.html")));
}

} // namespace
