// The printing settings pages: the properties page's style, enabling and checks; the header
// page's brightness and image size; the footer page's pattern checks; and what their callers
// take from them.

#include "print/ExamPrintPages.h"

#include "foundation/CorraAppBase.h"
#include "model/CorraDoc.h"
#include "model/DocumentDialogs.h"
#include "model/ExamDoc.h"
#include "res/ids/ExamView.h"
#include "res/ids/Print.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "tests/support/ModalScript.h"

#include <QRadioButton>

#include <functional>

namespace {

using ExamPrintPagesTest = CorraTest;

void Choose(CWnd& dlg, int id)
{
    auto* radio = dynamic_cast<QRadioButton*>(dlg.GetDlgItem(id));
    ASSERT_NE(radio, nullptr);
    radio->setChecked(true);
    ClickDlgButton(dlg, id);
}

TEST_F(ExamPrintPagesTest, BrightnessKeepsItsPercentOverManyOks)
{
    const struct {
        int typed;
        int stored;
        int shown;
    } cases[] = {{120, 229, 90}, {-200, -229, -90}, {45, 114, 45}, {0, 0, 0}};
    for (const auto& c : cases) {
        CModalScript script;
        script.On<CExamHeaderPage>([&](CExamHeaderPage& d) {
            d.SetDlgItemText(IDC_HDR_BRIGHTNESS, CString::Formatted("%d", c.typed));
            ClickDlgButton(d, IDOK);
        });
        for (int i = 0; i < 3; ++i)
            script.On<CExamHeaderPage>([&](CExamHeaderPage& d) {
                EXPECT_EQ(d.GetDlgItemText(IDC_HDR_BRIGHTNESS), CString::Formatted("%d", c.shown)) << c.typed;
                ClickDlgButton(d, IDOK);
            });
        CExamPrintSettings settings;
        CString title1 = "Biology", title2 = "Midterm";
        for (int i = 0; i < 4; ++i)
            EXPECT_TRUE(RunExamHeaderPage(nullptr, title1, title2, settings));
        EXPECT_EQ(CorraApp().GetProfileInt(CExamHeaderPage::kSection, "ImageBrightness", 1), c.stored) << c.typed;
        EXPECT_EQ(settings.imageBrightness, c.stored);
    }
}

TEST_F(ExamPrintPagesTest, ImageSizeIsKeptBetweenThreeAndThirty)
{
    for (const auto& c : {std::pair{1, 3}, std::pair{50, 30}, std::pair{12, 12}}) {
        CModalScript script;
        script.On<CExamHeaderPage>([&](CExamHeaderPage& d) {
            d.SetDlgItemText(IDC_HDR_IMAGE_SIZE, CString::Formatted("%d", c.first));
            EXPECT_EQ(d.GetDlgItemText(IDC_HDR_COURSE_NAME), "Biology");
            d.SetDlgItemText(IDC_HDR_COURSE_NAME, "Biology 102");
            ClickDlgButton(d, IDOK);
        });
        CExamPrintSettings settings;
        CString title1 = "Biology", title2;
        ASSERT_TRUE(RunExamHeaderPage(nullptr, title1, title2, settings));
        // The title typed there is the caller's.
        EXPECT_EQ(title1, "Biology 102");
        EXPECT_EQ(CorraApp().GetProfileInt(CExamHeaderPage::kSection, "ImageSize", 0), c.second) << c.first;
    }
}

TEST_F(ExamPrintPagesTest, HeaderItemsFollowTheirChecks)
{
    CModalScript script;
    script.On<CExamHeaderPage>([](CExamHeaderPage& d) {
        EXPECT_TRUE(d.GetDlgItem(IDC_HDR_STUDENT_NAME)->isEnabled());
        d.CheckDlgButton(IDC_HDR_USE_STUDENT_NAME, BST_UNCHECKED);
        d.UpdateControls();
        EXPECT_FALSE(d.GetDlgItem(IDC_HDR_STUDENT_NAME)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(IDC_HDR_STUDENT_NAME_POS)->isEnabled());
        d.CheckDlgButton(IDC_HDR_PRINT, BST_UNCHECKED);
        d.UpdateControls();
        EXPECT_FALSE(d.GetDlgItem(IDC_HDR_USE_COURSE_NAME)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(IDC_HDR_COURSE_NAME)->isEnabled());
        EXPECT_TRUE(d.GetDlgItem(IDC_HDR_PRINT)->isEnabled());
        ClickDlgButton(d, IDCANCEL);
    });
    CExamPrintSettings settings;
    CString title1 = "Biology", title2;
    EXPECT_FALSE(RunExamHeaderPage(nullptr, title1, title2, settings));
    EXPECT_EQ(title1, "Biology");
}

TEST_F(ExamPrintPagesTest, FooterPatternsAreCheckedInOrder)
{
    const struct {
        const char* file;
        const char* page;
        const char* form;
        const char* title;  // empty: accepted
    } cases[] = {
        {"File: %s", "Page %a", "Form: %s", ""},
        {"File: %s", "Page %A of the exam", "%s", ""},
        {"File: %s", "Page", "Form: %s", "Page number label error"},
        {"File", "Page", "Form", "Filename label error"},
        {"File: %s", "%d", "Form", "Formname label error"},
    };
    for (const auto& c : cases) {
        const size_t before = messageBox.calls.size();
        CModalScript script;
        script.On<CExamFooterPage>([&](CExamFooterPage& d) {
            d.SetDlgItemText(IDC_FTR_FILE_NAME, c.file);
            d.SetDlgItemText(IDC_FTR_PAGE_NUM, c.page);
            d.SetDlgItemText(IDC_FTR_FORM_NAME, c.form);
            ClickDlgButton(d, IDOK);
            if (!d.IsEnded())
                ClickDlgButton(d, IDCANCEL);
        });
        CExamPrintSettings settings;
        const BOOL bOk = RunExamFooterPage(nullptr, settings);
        if (!*c.title) {
            EXPECT_TRUE(bOk) << c.page;
            EXPECT_EQ(settings.pageNumFmt, c.page);
            EXPECT_EQ(messageBox.calls.size(), before);
        } else {
            EXPECT_FALSE(bOk) << c.title;
            ASSERT_EQ(messageBox.calls.size(), before + 1) << c.title;
            EXPECT_EQ(messageBox.calls.back().caption, c.title);
        }
    }
    EXPECT_EQ(CorraApp().GetProfileString(CExamFooterPage::kSection, "PageNumFmt"), "Page %A of the exam");
}

TEST_F(ExamPrintPagesTest, PropertiesStyleEnablingAndChecks)
{
    CPrintingValues values;
    values.printMode = 3;
    values.leftMargin = values.rightMargin = values.topMargin = values.bottomMargin = 1.0;
    values.numChoiceSepSpaces = 2;
    CModalScript script;
    script.On<CExamPrintPropPage>([](CExamPrintPropPage& d) {
        EXPECT_EQ(d.GetWindowText(), "Question Corra Printing Properties");
        EXPECT_EQ(d.GetDlgItemText(IDC_PP_COURSE_LABEL), "Title");
        // Keys: no spacing between questions, no answers to show.
        EXPECT_EQ(d.GetCheckedRadioButton(IDC_PP_STYLE_FIRST, IDC_PP_STYLE_ANSWER_SHEET), static_cast<int>(IDC_PP_STYLE_KEYS));
        EXPECT_FALSE(d.GetDlgItem(IDC_PP_BLANK_LINES)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(IDC_PP_SHOW_ANSWERS)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(ID_EXAM_HEADERS)->isVisible());
        Choose(d, IDC_PP_STYLE_COMPRESSED);
        EXPECT_TRUE(d.GetDlgItem(IDC_PP_TABBED)->isEnabled());
        EXPECT_EQ(d.GetDlgItemText(IDC_PP_SEP_LABEL), "Number spaces between\nchoices");
        // A negative margin stays with the user.
        d.SetDlgItemText(IDC_PP_MARGIN_LEFT, "-0.5");
        ClickDlgButton(d, IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.SetDlgItemText(IDC_PP_MARGIN_LEFT, "0.75");
        // Cancel at the answers question keeps the page open.
        d.CheckDlgButton(IDC_PP_SHOW_ANSWERS, BST_CHECKED);
        ClickDlgButton(d, IDOK);
        EXPECT_FALSE(d.IsEnded());
        d.CheckDlgButton(IDC_PP_SHOW_ANSWERS, BST_UNCHECKED);
        ClickDlgButton(d, IDOK);
        EXPECT_TRUE(d.IsEnded());
    });
    messageBox.QueueAnswer(IDOK);      // the margin's message
    messageBox.QueueAnswer(IDCANCEL);  // "Confirm Show Answers"
    ASSERT_TRUE(RunPrintingPropertiesPage(nullptr, values, FALSE));
    EXPECT_EQ(values.printMode, 4);
    EXPECT_DOUBLE_EQ(values.leftMargin, 0.75);
    ASSERT_GE(messageBox.calls.size(), 2u);
    EXPECT_EQ(messageBox.calls.back().text, "Confirm Show Answers");
}

TEST_F(ExamPrintPagesTest, PropertiesShowNinePointsOnlyOnA1024WideScreen)
{
    for (const auto& [width, points] : {std::pair{1024, 9}, std::pair{800, 8}, std::pair{1280, 8}}) {
        screen.info.nWidth = width;
        CPrintingValues values;
        int shown = 0;
        CModalScript script;
        script.On<CExamPrintPropPage>([&shown](CExamPrintPropPage& d) {
            shown = d.font().pointSize();
            d.EndDialog(IDCANCEL);
        });
        EXPECT_FALSE(RunPrintingPropertiesPage(nullptr, values, TRUE));
        EXPECT_EQ(shown, points) << "screen " << width;
    }
}

// The bank's command: the page over its values, stored after OK, nothing after Cancel.
class CPageDialogs : public CFakeDocumentDialogs {
public:
    BOOL PrintingProperties(CCorraDoc&, CPrintingValues& values) override
    {
        return RunPrintingPropertiesPage(nullptr, values, FALSE);
    }
};

TEST_F(ExamPrintPagesTest, ABanksPrintingPropertiesAreStoredOnlyAfterOk)
{
    CPageDialogs dialogs;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), dialogs);
    CCorraDoc doc;
    doc.m_nPrintMode = 0;
    CModalScript script;
    script.On<CExamPrintPropPage>([](CExamPrintPropPage& d) {
        Choose(d, IDC_PP_STYLE_ANSWER_SHEET);
        ClickDlgButton(d, IDCANCEL);
    });
    script.On<CExamPrintPropPage>([](CExamPrintPropPage& d) {
        Choose(d, IDC_PP_STYLE_ANSWER_SHEET);
        d.SetDlgItemText(IDC_PP_COURSE_NAME, "Biology 101");
        ClickDlgButton(d, IDOK);
    });
    EXPECT_FALSE(doc.ShowPrintingProperties());
    EXPECT_EQ(doc.m_nPrintMode, 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.ShowPrintingProperties());
    EXPECT_EQ(doc.m_nPrintMode, 5);
    EXPECT_EQ(doc.m_csTitle1, "Biology 101");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(CorraApp().GetProfileInt(doc.GetProfileSection(), "PrintMode", -1), 5);
}

} // namespace
