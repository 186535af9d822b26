#include "dialogs/SaveCollectionAsDlg.h"
#include "dialogs/SelectFormsDlg.h"
#include "model/CorraQuestion.h"
#include "platform/ui/ListBox.h"
#include "res/ids/ManageDialogs.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QLineEdit>

#include <memory>

namespace {

class SaveCollectionAsTest : public CorraTest {
protected:
    static bool Enabled(CDialog& d, int id) { return d.GetDlgItem(id)->isEnabled(); }
    static void Type(CDialog& d, int id, const char* text)
    {
        d.GetDlgItemAs<QLineEdit>(id)->setText(QString::fromLatin1(text));
    }
};

TEST_F(SaveCollectionAsTest, NotAllowedOpensOnTheFileChoiceWithTheCollectionRadioOff)
{
    CSaveCollectionAsDlg dlg(nullptr, TRUE);
    CModalScript script;
    script.On<CSaveCollectionAsDlg>([](CSaveCollectionAsDlg& d) {
        EXPECT_FALSE(d.IsDlgButtonChecked(IDC_SCA_AS_COLLECTION));
        EXPECT_TRUE(d.IsDlgButtonChecked(IDC_SCA_AS_CORRA));
        EXPECT_FALSE(Enabled(d, IDC_SCA_AS_COLLECTION));
        EXPECT_FALSE(Enabled(d, IDC_SCA_COLLECTION_NAME));
        EXPECT_TRUE(Enabled(d, IDC_SCA_FILE_NAME));
        Type(d, IDC_SCA_FILE_NAME, "  Chapter 4.crr ");
        ClickDlgButton(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nChoice, CSaveCollectionAsDlg::SAVE_AS_CORRA);
    EXPECT_EQ(dlg.m_csFileName, "Chapter 4.crr");
}

TEST_F(SaveCollectionAsTest, TheEditsFollowTheRadios)
{
    CSaveCollectionAsDlg dlg;
    dlg.m_csCollectionName = "Chapter 4";
    CModalScript script;
    script.On<CSaveCollectionAsDlg>([](CSaveCollectionAsDlg& d) {
        EXPECT_TRUE(d.IsDlgButtonChecked(IDC_SCA_AS_COLLECTION));
        EXPECT_TRUE(Enabled(d, IDC_SCA_AS_COLLECTION));
        EXPECT_TRUE(Enabled(d, IDC_SCA_COLLECTION_NAME));
        EXPECT_FALSE(Enabled(d, IDC_SCA_FILE_NAME));
        ClickDlgButton(d, IDC_SCA_AS_CORRA);
        EXPECT_FALSE(Enabled(d, IDC_SCA_COLLECTION_NAME));
        EXPECT_TRUE(Enabled(d, IDC_SCA_FILE_NAME));
        ClickDlgButton(d, IDC_SCA_AS_COLLECTION);
        EXPECT_TRUE(Enabled(d, IDC_SCA_COLLECTION_NAME));
        EXPECT_FALSE(Enabled(d, IDC_SCA_FILE_NAME));
        ClickDlgButton(d, IDOK);
    });
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_nChoice, CSaveCollectionAsDlg::SAVE_AS_COLLECTION);
    EXPECT_EQ(dlg.m_csCollectionName, "Chapter 4");
}

TEST_F(SaveCollectionAsTest, BadNamesAreRefusedWithTheFieldFocused)
{
    struct Case {
        int choice;
        const char* typed;
        const char* message;
    };
    const Case cases[] = {
        {IDC_SCA_AS_COLLECTION, "   ", "Collection name not specified."},
        {IDC_SCA_AS_COLLECTION, "Unit {4}", "A collection name cannot hold \"{\", \"}\" or \"||\"."},
        {IDC_SCA_AS_COLLECTION, "Unit 4 || 5", "A collection name cannot hold \"{\", \"}\" or \"||\"."},
        {IDC_SCA_AS_CORRA, "", "File name not specified."},
        {IDC_SCA_AS_CORRA, "../Banks/Unit 4.crr", "A file name cannot hold \"/\"."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        messageBox.calls.clear();
        const int field = c.choice == IDC_SCA_AS_CORRA ? IDC_SCA_FILE_NAME : IDC_SCA_COLLECTION_NAME;
        CSaveCollectionAsDlg dlg;
        CModalScript script;
        script.On<CSaveCollectionAsDlg>([&](CSaveCollectionAsDlg& d) {
            ClickDlgButton(d, c.choice);
            Type(d, field, c.typed);
            ClickDlgButton(d, IDOK);
            EXPECT_FALSE(d.IsEnded());
            EXPECT_EQ(d.focusWidget(), d.GetDlgItem(field));
            ClickDlgButton(d, IDCANCEL);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        ASSERT_EQ(messageBox.calls.size(), 1u);
        EXPECT_EQ(messageBox.calls[0].text, c.message);
    }
}

class SelectFormsTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        for (const char* name : {"Form a", "Form b", "Form c", "Form d"}) {
            forms.push_back(std::make_unique<CCorraQuestion>());
            forms.back()->m_cszQuestionText = name;
            candidates.AddTail(forms.back().get());
        }
    }
    static CListBox* List(CDialog& d) { return d.GetDlgItemAs<CListBox>(IDC_SEL_LIST); }
    static int Selected(CDialog& d) { return List(d)->GetSelCount(); }

    std::vector<std::unique_ptr<CCorraQuestion>> forms;
    CPtrListEx candidates;
};

TEST_F(SelectFormsTest, NothingChosenSelectsEveryForm)
{
    CModalScript script;
    script.On<CSelectFormsDlg>([](CSelectFormsDlg& d) {
        EXPECT_EQ(d.GetWindowText(), "Select Collections");
        EXPECT_EQ(List(d)->GetCount(), 4);
        EXPECT_EQ(List(d)->GetText(2), "Form c");
        EXPECT_EQ(Selected(d), 4);
        ClickDlgButton(d, IDOK);
    });
    BOOL printForms = TRUE;
    CPtrListEx chosen;
    ASSERT_TRUE(RunSelectFormsDialog(candidates, printForms, chosen));
    EXPECT_EQ(chosen.GetCount(), 4);
}

TEST_F(SelectFormsTest, ChosenFormsComeBackInListOrder)
{
    CModalScript script;
    script.On<CSelectFormsDlg>([](CSelectFormsDlg& d) {
        EXPECT_EQ(Selected(d), 2);
        EXPECT_TRUE(List(d)->GetSel(1) > 0);
        EXPECT_TRUE(List(d)->GetSel(3) > 0);
        List(d)->SetSel(0, TRUE);
        ClickDlgButton(d, IDOK);
    });
    BOOL printForms = TRUE;
    CPtrListEx chosen;
    chosen.AddTail(forms[3].get());
    chosen.AddTail(forms[1].get());
    ASSERT_TRUE(RunSelectFormsDialog(candidates, printForms, chosen));
    ASSERT_EQ(chosen.GetCount(), 3);
    EXPECT_EQ(chosen.GetAt(0), forms[0].get());
    EXPECT_EQ(chosen.GetAt(1), forms[1].get());
    EXPECT_EQ(chosen.GetAt(2), forms[3].get());
}

TEST_F(SelectFormsTest, PrintFormsSwitchesTheListAndItsButtons)
{
    CModalScript script;
    script.On<CSelectFormsDlg>([](CSelectFormsDlg& d) {
        ClickDlgButton(d, IDC_SEL_CLEAR);
        EXPECT_EQ(Selected(d), 0);
        ClickDlgButton(d, IDC_SEL_ALL);
        EXPECT_EQ(Selected(d), 4);
        ClickDlgButton(d, IDC_SEL_PRINT_FORMS);
        for (int id : {IDC_SEL_LIST, IDC_SEL_ALL, IDC_SEL_CLEAR})
            EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << id;
        ClickDlgButton(d, IDC_SEL_PRINT_FORMS);
        for (int id : {IDC_SEL_LIST, IDC_SEL_ALL, IDC_SEL_CLEAR})
            EXPECT_TRUE(d.GetDlgItem(id)->isEnabled()) << id;
        ClickDlgButton(d, IDC_SEL_PRINT_FORMS);
        ClickDlgButton(d, IDOK);
    });
    BOOL printForms = TRUE;
    CPtrListEx chosen;
    ASSERT_TRUE(RunSelectFormsDialog(candidates, printForms, chosen));
    EXPECT_FALSE(printForms);
}

} // namespace
