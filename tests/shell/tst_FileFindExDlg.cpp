#include "shell/FileFindExDlg.h"

#include "controls/OldProgressDlg.h"
#include "foundation/FileTypes.h"
#include "platform/core/FileSys.h"
#include "res/ids/Shell.h"
#include "shell/FolderTreeCtrl.h"
#include "shell/HVListCtrl.h"
#include "tests/shell/BankFiles.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <QScrollBar>
#include <QTimer>

#include <unistd.h>

namespace {

class FileFindExDlgTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        WriteHomeFile("QCorras/A/Target.crr", BankWithId("CID_1"));
        WriteHomeFile("QCorras/B/Deep/target.crr", BankWithId("CID_2"));
        WriteHomeFile("QCorras/B/Other.crr", BankWithId("CID_2"));
        WriteHomeFile("QCorras/C/Else.crr", BankWithId("CID_3"));
    }

    // The path of every row of the list.
    static std::vector<CString> Rows(CFileFindExDlg& d)
    {
        std::vector<CString> rows;
        for (int i = 0; i < d.GetList()->GetItemCount(); ++i)
            rows.push_back(d.GetList()->GetItemFileName(i));
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    BOOL Expanded(CFileFindExDlg& d, const char* rel)
    {
        CFolderTreeCtrl* tree = d.GetTree();
        HTREEITEM keep = tree->GetSelectedItem();
        HTREEITEM h = tree->SelectPath(HomePath(rel));
        BOOL expanded = h && tree->GetItemState(h, TVIS_EXPANDED);
        tree->SelectItem(keep);
        return expanded;
    }
};

} // namespace

TEST_F(FileFindExDlgTest, ANameInTwoFoldersIsFoundInBothAndBothAreOpened)
{
    CFileFindExDlg dlg;
    dlg.m_csFileName = "target.crr";
    CModalScript script;
    script.On<CFileFindExDlg>([&](CFileFindExDlg& d) {
        QApplication::processEvents();
        EXPECT_EQ(Rows(d), (std::vector<CString>{HomePath("QCorras/A/Target.crr"), HomePath("QCorras/B/Deep/target.crr")}));
        EXPECT_TRUE(Expanded(d, "QCorras/A"));
        EXPECT_TRUE(Expanded(d, "QCorras/B/Deep"));
        EXPECT_FALSE(Expanded(d, "QCorras/C"));
        EXPECT_EQ(d.GetWindowText(), "Find File  - target.crr");
        // OK without a row asks for one.
        ClickDlgButton(d, IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.GetList()->SelectItem(d.GetList()->FindItemByPath(HomePath("QCorras/B/Deep/target.crr")));
        ClickDlgButton(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "You must select a file.");
    EXPECT_EQ(dlg.GetFoundPath(), HomePath("QCorras/B/Deep/target.crr"));
}

TEST_F(FileFindExDlgTest, NothingFoundEndsWithCancelAtOnce)
{
    struct Case {
        int mode;
        const char* name;
        const char* id;
    };
    const Case cases[] = {
        {CFileFindExDlg::SEARCH_BY_NAME, "Missing.crr", ""},
        {CFileFindExDlg::SEARCH_BY_CORRAID, "", "CID_404"},
        // Compared as text, never as a pattern.
        {CFileFindExDlg::SEARCH_BY_NAME, "*.crr", ""},
        {CFileFindExDlg::SEARCH_BY_CORRAID, "", "CID_*"},
    };
    for (const Case& c : cases) {
        CFileFindExDlg dlg;
        dlg.m_nSearchMode = c.mode;
        dlg.m_csFileName = c.name;
        dlg.m_csCorraId = c.id;
        CModalScript script;  // no step: the dialog must never be shown
        EXPECT_EQ(dlg.DoModal(), IDCANCEL) << c.name << c.id;
        EXPECT_EQ(script.Answered(), 0);
        EXPECT_TRUE(dlg.GetFoundPath().IsEmpty());
    }
}

TEST_F(FileFindExDlgTest, ACorraIdIsFoundInTheHeadersAndACancelEndsTheSearch)
{
    CFileFindExDlg dlg;
    dlg.m_nSearchMode = CFileFindExDlg::SEARCH_BY_CORRAID;
    dlg.m_csCorraId = "CID_2";
    CModalScript script;
    script.On<CFileFindExDlg>([&](CFileFindExDlg& d) {
        EXPECT_EQ(Rows(d), (std::vector<CString>{HomePath("QCorras/B/Deep/target.crr"), HomePath("QCorras/B/Other.crr")}));
        ClickDlgButton(d, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(script.Answered(), 1);

    // Cancel in the progress dialog as soon as it shows.
    for (int i = 0; i < 40; ++i)
        WriteHomeFile(CString::Formatted("QCorras/Many/Bank%02d.crr", i).str().c_str(), BankWithId("CID_2"));
    CFileFindExDlg cancelled;
    cancelled.m_nSearchMode = CFileFindExDlg::SEARCH_BY_CORRAID;
    cancelled.m_csCorraId = "CID_2";
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* progress = dynamic_cast<COldProgressDlg*>(w); progress && progress->isVisible())
                ClickDlgButton(*progress, IDCANCEL);
        }
    });
    CModalScript none;
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(none.Answered(), 0);
}

TEST_F(FileFindExDlgTest, TheCorraIdColumnShowsALongIdWhole)
{
    const CString id = "CID_0123456789AB";
    WriteHomeFile("QCorras/A/Long.crr", BankWithId(id.GetString()));
    CFileFindExDlg dlg;
    dlg.m_nSearchMode = CFileFindExDlg::SEARCH_BY_CORRAID;
    dlg.m_csCorraId = id;
    CModalScript script;
    script.On<CFileFindExDlg>([&](CFileFindExDlg& d) {
        QApplication::processEvents();
        CHVListCtrl* list = d.GetList();
        ASSERT_EQ(list->GetItemCount(), 1);
        const int last = list->GetColumnCount() - 1;
        EXPECT_EQ(list->headerItem()->text(last), QLatin1String("Corra ID"));
        EXPECT_GE(list->GetColumnWidth(last), list->fontMetrics().horizontalAdvance(QString::fromLatin1(id.GetString())));
        EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
        ClickDlgButton(d, IDCANCEL);
    });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(script.Answered(), 1);
}

TEST_F(FileFindExDlgTest, ALinkToAFolderAboveIsNotFollowed)
{
    ASSERT_EQ(::symlink(fsys::Native(HomePath("QCorras")).c_str(), fsys::Native(HomePath("QCorras/A/Loop")).c_str()), 0);
    for (int mode : {CFileFindExDlg::SEARCH_BY_NAME, CFileFindExDlg::SEARCH_BY_CORRAID}) {
        CFileFindExDlg dlg;
        dlg.m_nSearchMode = mode;
        dlg.m_csFileName = "Other.crr";
        dlg.m_csCorraId = "CID_3";
        CModalScript script;
        script.On<CFileFindExDlg>([&](CFileFindExDlg& d) {
            // Found once, under its own folder only.
            EXPECT_EQ(d.m_asResults.GetSize(), 1) << mode;
            ClickDlgButton(d, IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(script.Answered(), 1) << mode;
    }
}

TEST_F(FileFindExDlgTest, AFolderChosenInTheTreeIsSearchedItself)
{
    CFileFindExDlg dlg;
    dlg.m_csFileName = "target.crr";
    CModalScript script;
    script.On<CFileFindExDlg>([&](CFileFindExDlg& d) {
        QApplication::processEvents();
        d.SendMessage(WM_HV_LBUTTONDOWN, IDC_FIND_TREE);
        ASSERT_NE(d.GetTree()->SelectPath(HomePath("QCorras/B")), nullptr);
        EXPECT_TRUE(RunEventsUntil([&] { return d.GetList()->GetItemCount() == 1; }));
        EXPECT_EQ(Rows(d), std::vector<CString>{HomePath("QCorras/B/Deep/target.crr")});
        ClickDlgButton(d, IDCANCEL);
    });
    dlg.DoModal();
}
