#include "dialogs/AddFormsDlg.h"
#include "dialogs/QuestionIdentifyDlg.h"
#include "model/ExamDoc.h"
#include "res/ids/ManageDialogs.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QLineEdit>

namespace {

class AddFormsTest : public CorraTest {
protected:
    CExamDoc exam;
    CExamQuestionDialogs dialogs;
};

TEST_F(AddFormsTest, OkChecksFormatThenNumberAndFocusesTheField)
{
    const CString formatTitle = "Form name format error";
    const CString formatText = "You must enter a %a, %A or %d where you want the form ID to appear.\n\n"
                               "%a for lower case letters\n%A for upper case letters\n%d for numbers.";
    const CString braces = "Form names cannot contain \"{\", \"}\" or \"||\".";
    struct Case {
        const char* format;
        const char* number;
        int maximum;
        const char* message;  // nullptr: accepted
        CString title;
        int focus;
    };
    const std::string long300 = "Version %A " + std::string(289, 'x');
    const Case cases[] = {
        // The format is checked first, even when the number is wrong too.
        {"Form", "3", 10, formatText, formatTitle, IDC_AF_FORMAT},
        {"Form", "0", 10, formatText, formatTitle, IDC_AF_FORMAT},
        {"Form %a", "0", 10, "Number of forms must be greater than zero.", CORRA_PRODUCT_NAME, IDC_AF_NUM_FORMS},
        {"Form %a", "-2", 10, "Number of forms must be greater than zero.", CORRA_PRODUCT_NAME, IDC_AF_NUM_FORMS},
        {"Form %a", "6", 6, nullptr, "", 0},
        {"Form %a", "7", 6, "The maximum number of forms allowed for this exam is 6.", CORRA_PRODUCT_NAME,
         IDC_AF_NUM_FORMS},
        // A larger maximum of the caller is lowered to ten as the dialog opens.
        {"Form %d", "11", 24, "The maximum number of forms allowed for this exam is 10.", CORRA_PRODUCT_NAME,
         IDC_AF_NUM_FORMS},
        {"Form %d", "10", 24, nullptr, "", 0},
        {"Form {%a}", "3", 10, braces, formatTitle, IDC_AF_FORMAT},
        {"A||%A", "3", 10, braces, formatTitle, IDC_AF_FORMAT},
        // Only the placeholders are read: the rest stays text.
        {"%s %d %n", "3", 10, nullptr, "", 0},
        {long300.c_str(), "2", 10, nullptr, "", 0},
        {"Form %a", "three", 10, "Please enter an integer.", CORRA_PRODUCT_NAME, IDC_AF_NUM_FORMS},
        {"Form %a", "+", 10, "Please enter an integer.", CORRA_PRODUCT_NAME, IDC_AF_NUM_FORMS},
        {"Form %a", "2147483648", 10, "Please enter an integer.", CORRA_PRODUCT_NAME, IDC_AF_NUM_FORMS},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " / " + c.number);
        messageBox.calls.clear();
        CAddFormsValues values;
        values.format = "Form %a";
        values.numForms = 4;
        values.maxForms = c.maximum;
        CModalScript script;
        script.On<CAddFormsDlg>([&](CAddFormsDlg& d) {
            EXPECT_EQ(d.GetDlgItemText(IDC_AF_NUM_FORMS), "4");
            EXPECT_EQ(d.GetDlgItemText(IDC_AF_FORMAT), "Form %a");
            d.GetDlgItemAs<QLineEdit>(IDC_AF_FORMAT)->setText(QString::fromLatin1(c.format));
            d.GetDlgItemAs<QLineEdit>(IDC_AF_NUM_FORMS)->setText(QString::fromLatin1(c.number));
            ClickDlgButton(d, IDOK);
            if (c.message) {
                EXPECT_FALSE(d.IsEnded());
                EXPECT_EQ(d.focusWidget(), d.GetDlgItem(c.focus));
                ClickDlgButton(d, IDCANCEL);
            } else {
                EXPECT_TRUE(d.IsEnded());
            }
        });
        const BOOL ok = dialogs.AddForms(exam, values);
        EXPECT_EQ(script.Answered(), 1);
        if (c.message) {
            EXPECT_FALSE(ok);
            ASSERT_EQ(messageBox.calls.size(), 1u);
            EXPECT_EQ(messageBox.calls[0].text, c.message);
            EXPECT_EQ(messageBox.calls[0].caption, c.title);
            EXPECT_EQ(values.format, "Form %a");
        } else {
            EXPECT_TRUE(ok);
            EXPECT_TRUE(messageBox.calls.empty());
            EXPECT_EQ(values.format, c.format);
            EXPECT_EQ(values.numForms, atoi(c.number));
        }
    }
}

TEST_F(AddFormsTest, ScrambleComesBack)
{
    CAddFormsValues values;
    values.format = "Version %A";
    values.numForms = 2;
    values.maxForms = 5;
    CModalScript script;
    script.On<CAddFormsDlg>([](CAddFormsDlg& d) {
        EXPECT_FALSE(d.IsDlgButtonChecked(IDC_AF_SCRAMBLE));
        ClickDlgButton(d, IDC_AF_SCRAMBLE);
        ClickDlgButton(d, IDOK);
    });
    ASSERT_TRUE(dialogs.AddForms(exam, values));
    EXPECT_TRUE(values.scramble);
    EXPECT_EQ(values.numForms, 2);
}

} // namespace
