#include "controls/PromptDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

class PromptDlgTest : public CorraTest {
protected:
    // Types over the whole text, as the user would.
    static void Type(CPromptDlg& dlg, const char* text)
    {
        auto* edit = dlg.GetDlgItemAs<QLineEdit>(IDC_PROMPT_EDIT);
        edit->selectAll();
        edit->insert(QString::fromLatin1(text));
    }
    static bool OkEnabled(CPromptDlg& dlg) { return dlg.GetDlgItem(IDOK)->isEnabled(); }
};

TEST_F(PromptDlgTest, OkWaitsUntilTheNameIsChangedToSomethingElse)
{
    CPromptDlg dlg;
    dlg.m_csMessage = "Enter Collection Name...";
    dlg.m_csText = "Chapter 1";
    CModalScript script;
    script.On<CPromptDlg>([](CPromptDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "Enter Collection Name...");
        EXPECT_EQ(d.GetDlgItemText(IDC_PROMPT_EDIT), "Chapter 1");
        EXPECT_FALSE(OkEnabled(d));
        EXPECT_FALSE(d.GetDlgItem(IDHELP)->isEnabled());
        Type(d, "Chapter 1");
        EXPECT_FALSE(OkEnabled(d));
        Type(d, "Chapter 2");
        EXPECT_TRUE(OkEnabled(d));
        Type(d, "Chapter 1");
        EXPECT_FALSE(OkEnabled(d));
        Type(d, "Chapter 3");
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_csText, "Chapter 3");
    EXPECT_EQ(dlg.m_csStartText, "Chapter 1");
}

TEST_F(PromptDlgTest, TheMessageShowsWholeAndTypingReplacesTheStartingText)
{
    CPromptDlg dlg;
    dlg.m_csTitle = "New Collection";
    dlg.m_csMessage = "Enter a name for the new collection.\nIt shows in the question list.\n"
                      "It may hold letters, digits and blanks.\nNames cannot repeat.";
    dlg.m_csText = "Chapter 4";
    CModalScript script;
    script.On<CPromptDlg>([](CPromptDlg& d) {
        auto* pane = d.GetDlgItemAs<CInfoRichEdit>(IDC_PROMPT_MESSAGE);
        ASSERT_NE(pane, nullptr);
        EXPECT_EQ(pane->GetLineCount(), 4);
        // All four lines stand inside the pane: nothing to scroll to, the last line's bottom
        // within the viewport.
        EXPECT_EQ(pane->verticalScrollBar()->maximum(), 0);
        const QRect last = pane->cursorRect(QTextCursor(pane->document()->lastBlock()));
        EXPECT_LE(last.bottom(), pane->viewport()->height());
        EXPECT_TRUE(pane->isEnabled());

        auto* edit = d.GetDlgItemAs<QLineEdit>(IDC_PROMPT_EDIT);
        EXPECT_EQ(edit->selectedText(), QString("Chapter 4"));
        edit->insert("Heat");
        EXPECT_EQ(edit->text(), QString("Heat"));

        EXPECT_EQ(d.minimumSize(), d.maximumSize());
        EXPECT_FALSE(d.windowFlags() & Qt::WindowMaximizeButtonHint);
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_csText, "Heat");
}

TEST_F(PromptDlgTest, WithoutTheChangeRuleOkStaysAndHelpOpensItsTopic)
{
    CPromptDlg dlg;
    dlg.m_csTitle = "No Corra ID";
    dlg.m_csMessage = "Corra ID is unknown to this Exam.";
    dlg.m_bRequireChange = FALSE;
    dlg.m_bHelp = TRUE;
    CModalScript script;
    script.On<CPromptDlg>([](CPromptDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "No Corra ID");
        EXPECT_TRUE(OkEnabled(d));
        Type(d, "");
        EXPECT_TRUE(OkEnabled(d));
        ClickDlgButton(d, IDHELP);
        Type(d, "CID_12_345");
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_csText, "CID_12_345");
    EXPECT_EQ(help.topics, std::vector<DWORD>{214 + 0x20000});
}

} // namespace
