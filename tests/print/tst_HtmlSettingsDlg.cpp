#include "print/HtmlSettingsDlg.h"

#include "model/HtmlSettings.h"
#include "res/ids/Html.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QPushButton>
#include <QRadioButton>

namespace {

using HtmlSettingsDlgTest = CorraTest;

void Check(CWnd& dlg, int id)
{
    auto* radio = dynamic_cast<QRadioButton*>(dlg.GetDlgItem(id));
    ASSERT_NE(radio, nullptr);
    radio->setChecked(true);
    ClickDlgButton(dlg, id);
}

TEST_F(HtmlSettingsDlgTest, OkQuotesThePatternsOnceAndGivesTheFileItsExtension)
{
    CHtmlSettings settings(1);
    settings.m_csRBCommon = "\"Group%d\"";
    CModalScript script;
    script.On<CHtmlSettingsDlg>([](CHtmlSettingsDlg& dlg) {
        // Shown without their quotes.
        EXPECT_EQ(dlg.GetDlgItemText(IDC_HTML_CBNAME), CString("QID%d_CB_%s"));
        EXPECT_EQ(dlg.GetDlgItemText(IDC_HTML_TANAME), CString("QID%d_TA"));
        EXPECT_EQ(dlg.GetDlgItemText(IDC_HTML_RBCOMMON), CString("Group%d"));
        Check(dlg, IDC_HTML_MULTI_FILE);
        Check(dlg, IDC_HTML_RADIOS);
        dlg.SetDlgItemText(IDC_HTML_CBNAME, "Box%d_%s");
        dlg.SetDlgItemText(IDC_HTML_RBVALUE, "\"%s\"");
        dlg.SetDlgItemText(IDC_HTML_TAINIT, "Type \"here\"");
        dlg.SetDlgItemText(IDC_HTML_FILE, "Page%d.HTML ");
        ClickDlgButton(dlg, IDOK);
        EXPECT_TRUE(dlg.IsEnded());
    });
    CHtmlSettingsDlg dlg(&settings);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(settings.m_nDivType, 2);
    EXPECT_EQ(settings.m_nChoiceTagType, 2);
    EXPECT_EQ(settings.m_csCBName, CString("\"Box%d_%s\""));
    EXPECT_EQ(settings.m_csRBCommon, CString("\"Group%d\""));
    EXPECT_EQ(settings.m_csRBValue, CString("\"%s\""));
    EXPECT_EQ(settings.m_csTAName, CString("\"QID%d_TA\""));
    EXPECT_EQ(settings.m_csTAInitText, CString("Type \"here\""));
    EXPECT_EQ(settings.m_csQuestFile, CString("Page%d.HTML"));

    CModalScript again;
    again.On<CHtmlSettingsDlg>([](CHtmlSettingsDlg& dlg) {
        dlg.SetDlgItemText(IDC_HTML_FILE, "Q%d_page");
        ClickDlgButton(dlg, IDOK);
    });
    CHtmlSettingsDlg second(&settings);
    EXPECT_EQ(second.DoModal(), IDOK);
    EXPECT_EQ(settings.m_csQuestFile, CString("Q%d_page.htm"));
}

TEST_F(HtmlSettingsDlgTest, APageFileOutsideTheFolderOrWithoutTheIdIsRefused)
{
    CHtmlSettings settings(1);
    settings.m_nDivType = 2;
    CModalScript script;
    script.On<CHtmlSettingsDlg>([this](CHtmlSettingsDlg& dlg) {
        for (const char* bad : {"Q.htm", "../Q%d.htm", "out/Q%d.htm"}) {
            dlg.SetDlgItemText(IDC_HTML_FILE, bad);
            ClickDlgButton(dlg, IDOK);
            EXPECT_FALSE(dlg.IsEnded()) << bad;
        }
        ASSERT_EQ(messageBox.calls.size(), 3u);
        EXPECT_GE(messageBox.calls[0].text.Find("plain file name"), 0);
        // Shown where the user can mend it.
        EXPECT_TRUE(dlg.IsAdvanced());
        dlg.SetDlgItemText(IDC_HTML_FILE, "Q%d");
        ClickDlgButton(dlg, IDOK);
        EXPECT_TRUE(dlg.IsEnded());
    });
    CHtmlSettingsDlg dlg(&settings);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(settings.m_csQuestFile, CString("Q%d.htm"));
}

TEST_F(HtmlSettingsDlgTest, DefaultsResetOnlyThePatternsAndOnlyOnYes)
{
    CHtmlSettings settings(1);
    settings.m_csCBName = "Mine%d";
    settings.m_csQuestFile = "P%d.htm";
    settings.m_bBdrHdr = TRUE;
    CModalScript script;
    script.On<CHtmlSettingsDlg>([this](CHtmlSettingsDlg& dlg) {
        ClickDlgButton(dlg, IDC_HTML_MORE);
        messageBox.QueueAnswer(IDNO);
        ClickDlgButton(dlg, IDC_HTML_DEFAULTS);
        EXPECT_EQ(dlg.GetDlgItemText(IDC_HTML_CBNAME), CString("Mine%d"));
        EXPECT_EQ(dlg.GetDlgItemText(IDC_HTML_FILE), CString("P%d.htm"));
        messageBox.QueueAnswer(IDYES);
        ClickDlgButton(dlg, IDC_HTML_DEFAULTS);
        ASSERT_EQ(messageBox.calls.size(), 2u);
        EXPECT_EQ(messageBox.calls[0].text,
                  CString("Are you sure you want to change all of the settings in this dialog to default?"));
        EXPECT_EQ(dlg.GetDlgItemText(IDC_HTML_CBNAME), CString("QID%d_CB_%s"));
        EXPECT_EQ(dlg.GetDlgItemText(IDC_HTML_HREF), CString("QID%d_Selected_%s"));
        EXPECT_EQ(dlg.GetDlgItemText(IDC_HTML_FILE), CString("Q%d.htm"));
        EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_HTML_BDR_HDR), 1);
        ClickDlgButton(dlg, IDCANCEL);
    });
    CHtmlSettingsDlg dlg(&settings);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    // Cancel keeps the settings as they were.
    EXPECT_EQ(settings.m_csCBName, CString("Mine%d"));
}

TEST_F(HtmlSettingsDlgTest, TheWidthToggleKeepsItsStateAndTheChoiceEnablesItsFields)
{
    CHtmlSettings settings(1);
    settings.m_nChoiceTagType = 3;
    CModalScript script;
    script.On<CHtmlSettingsDlg>([](CHtmlSettingsDlg& dlg) {
        auto* more = dynamic_cast<QPushButton*>(dlg.GetDlgItem(IDC_HTML_MORE));
        ASSERT_NE(more, nullptr);
        EXPECT_FALSE(dlg.IsAdvanced());
        EXPECT_EQ(more->text(), QStringLiteral("Advanced"));
        ClickDlgButton(dlg, IDC_HTML_MORE);
        EXPECT_TRUE(dlg.IsAdvanced());
        EXPECT_EQ(more->text(), QStringLiteral("Simple"));
        EXPECT_TRUE(dlg.GetDlgItem(IDC_HTML_CBNAME)->isVisible());
        // Whatever width the window is given, the state stays.
        dlg.resize(1000, dlg.height());
        Check(dlg, IDC_HTML_LINKS);
        EXPECT_TRUE(dlg.IsAdvanced());

        EXPECT_TRUE(dlg.GetDlgItem(IDC_HTML_HREF)->isEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_HTML_CBNAME)->isEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_HTML_RBCOMMON)->isEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_HTML_FILE)->isEnabled());
        Check(dlg, IDC_HTML_CHECKBOXES);
        EXPECT_TRUE(dlg.GetDlgItem(IDC_HTML_CBNAME)->isEnabled());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_HTML_HREF)->isEnabled());
        Check(dlg, IDC_HTML_MULTI_FILE);
        EXPECT_TRUE(dlg.GetDlgItem(IDC_HTML_FILE)->isEnabled());

        ClickDlgButton(dlg, IDC_HTML_MORE);
        EXPECT_FALSE(dlg.IsAdvanced());
        EXPECT_FALSE(dlg.GetDlgItem(IDC_HTML_CBNAME)->isVisible());
        ClickDlgButton(dlg, IDCANCEL);
    });
    CHtmlSettingsDlg dlg(&settings);
    dlg.DoModal();
}

} // namespace
