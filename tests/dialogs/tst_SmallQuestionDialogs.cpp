#include "dialogs/ChoicesFormatDlg.h"
#include "dialogs/ImportFilesDlg.h"
#include "dialogs/InstructionsDlg.h"
#include "dialogs/InvalidQuestionsMsgBox.h"
#include "controls/FloatEditTB.h"
#include "controls/HVRichEditCtrl.h"
#include "render/FontMgr.h"
#include "render/RtfText.h"
#include "tests/support/FontMgrReset.h"
#include "foundation/FileTypes.h"
#include "tests/support/ScriptedFileChooser.h"
#include "dialogs/QuestionIdentifyDlg.h"
#include "model/ExamDoc.h"
#include "model/ExamQuestion.h"
#include "platform/core/Profile.h"
#include "res/ids/QuestionTools.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <QLineEdit>

#include <vector>

namespace {

class QuestionIdentifyTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        for (int i = 0; i < 4; ++i) {
            auto* q = static_cast<CExamQuestion*>(exam.InsertQuestion(new CExamQuestion));
            q->m_nType = static_cast<int>(IDS_QTYPE_ES);
            questions.push_back(q);
        }
    }
    static void Fix(CExamQuestion* q, int position)
    {
        q->m_nAttributes |= EXAM_ATTR_FIXED;
        q->m_nFixedPosition = position;
    }
    static void Type(CDialog& d, const char* text) { d.GetDlgItemAs<QLineEdit>(IDC_QI_POSITION)->setText(QString::fromLatin1(text)); }

    CExamDoc exam;
    std::vector<CExamQuestion*> questions;
    CExamQuestionDialogs dialogs;
    CServiceScope<IExamDialogs> installed{ExamDialogsSlot(), dialogs};
};

TEST_F(QuestionIdentifyTest, AnUnchangedFixedPositionIsNotValidatedAgain)
{
    // Validating position 2 would find the question itself there and ask.
    Fix(questions[0], 2);
    CModalScript script;
    script.On<CQuestionIdentifyDlg>([](CQuestionIdentifyDlg& d) {
        EXPECT_TRUE(d.IsDlgButtonChecked(IDC_QI_FIXED));
        EXPECT_EQ(d.GetDlgItemText(IDC_QI_POSITION), "2");
        EXPECT_TRUE(d.GetDlgItem(IDC_QI_POSITION)->isEnabled());
        ClickDlgButton(d, IDOK);
    });
    exam.ShowQuestProps(questions[0]);
    EXPECT_EQ(script.Answered(), 1);
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_TRUE(questions[0]->IsFixed());
    EXPECT_EQ(questions[0]->m_nFixedPosition, 2);
}

TEST_F(QuestionIdentifyTest, ARefusedPositionKeepsTheDialogOpen)
{
    struct Case {
        const char* typed;
        const char* message;
    };
    const Case cases[] = {
        {"0", "Fixed position must be 1 or greater."},
        {"abc", "Please enter an integer."},
        {"-3", "Please enter an integer between 0 and 2147483647."},
        {"2147483648", "Please enter an integer."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        messageBox.calls.clear();
        CModalScript script;
        script.On<CQuestionIdentifyDlg>([&](CQuestionIdentifyDlg& d) {
            EXPECT_FALSE(d.GetDlgItem(IDC_QI_POSITION)->isEnabled());
            ClickDlgButton(d, IDC_QI_FIXED);
            EXPECT_TRUE(d.GetDlgItem(IDC_QI_POSITION)->isEnabled());
            EXPECT_TRUE(d.GetDlgItem(IDC_QI_AT_END)->isEnabled());
            Type(d, c.typed);
            ClickDlgButton(d, IDOK);
            EXPECT_FALSE(d.IsEnded());
            ClickDlgButton(d, IDCANCEL);
        });
        exam.ShowQuestProps(questions[1]);
        ASSERT_EQ(messageBox.calls.size(), 1u);
        EXPECT_EQ(messageBox.calls[0].text, c.message);
        EXPECT_FALSE(questions[1]->IsFixed());
    }
}

TEST_F(QuestionIdentifyTest, PositionAtEndThenOkFixesTheQuestion)
{
    Fix(questions[0], 4);
    const int end = exam.GetLastAvailableUnfixedPos();
    ASSERT_EQ(end, 5);
    CModalScript script;
    script.On<CQuestionIdentifyDlg>([&](CQuestionIdentifyDlg& d) {
        ClickDlgButton(d, IDC_QI_FIXED);
        ClickDlgButton(d, IDC_QI_AT_END);
        EXPECT_EQ(d.GetDlgItemText(IDC_QI_POSITION), "5");
        ClickDlgButton(d, IDOK);
        EXPECT_TRUE(d.IsEnded());
    });
    exam.ShowQuestProps(questions[1]);
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_TRUE(questions[1]->IsFixed());
    EXPECT_EQ(questions[1]->m_nFixedPosition, 5);
}

TEST_F(QuestionIdentifyTest, ANewIdentityIsCheckedByTheExam)
{
    questions[2]->m_nAttributes |= EXAM_ATTR_IDENTITY;
    // No keeps the dialog open with nothing changed; Yes moves the identity.
    messageBox.QueueAnswer(IDNO);
    messageBox.QueueAnswer(IDYES);
    CModalScript script;
    script.On<CQuestionIdentifyDlg>([](CQuestionIdentifyDlg& d) {
        ClickDlgButton(d, IDC_QI_IDENTITY);
        ClickDlgButton(d, IDOK);
        EXPECT_FALSE(d.IsEnded());
        ClickDlgButton(d, IDOK);
        EXPECT_TRUE(d.IsEnded());
    });
    exam.ShowQuestProps(questions[0]);
    EXPECT_EQ(messageBox.calls.size(), 2u);
    EXPECT_TRUE(questions[0]->IsIdentity());
    EXPECT_FALSE(questions[2]->IsIdentity());
}

class ChoicesFormatTest : public CorraTest {};

TEST_F(ChoicesFormatTest, UpperCaseIsWrittenOnOkAndCancelWritesNothing)
{
    {
        CModalScript script;
        script.On<CChoicesFormatDlg>([](CChoicesFormatDlg& d) {
            // A missing key starts lower case and is written back.
            EXPECT_TRUE(d.IsDlgButtonChecked(IDC_CF_LOWER));
            EXPECT_EQ(AppProfile().GetInt("Choices", "Case", -1), 0);
            ClickDlgButton(d, IDC_CF_UPPER);
            ClickDlgButton(d, IDOK);
        });
        CChoicesFormatDlg dlg;
        EXPECT_EQ(dlg.DoModal(), IDOK);
    }
    EXPECT_EQ(AppProfile().GetInt("Choices", "Case", -1), 1);
    {
        CModalScript script;
        script.On<CChoicesFormatDlg>([](CChoicesFormatDlg& d) {
            EXPECT_TRUE(d.IsDlgButtonChecked(IDC_CF_UPPER));
            ClickDlgButton(d, IDC_CF_LOWER);
            ClickDlgButton(d, IDCANCEL);
        });
        CChoicesFormatDlg dlg;
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
    EXPECT_EQ(AppProfile().GetInt("Choices", "Case", -1), 1);
}

}  // namespace

namespace {

class ImportFilesTest : public CorraTest {
protected:
    CScriptedFileChooser chooser;
    CServiceScope<IFileChooserService> installed{FileChooserSlot(), chooser};
};

TEST_F(ImportFilesTest, EachButtonImportsItsKind)
{
    struct Case {
        int button;
        int type;
        const char* caption;
    };
    const Case cases[] = {
        {IDC_IMPORT_CORRA, DT_CORRA, "Quorvale Question Corra Files..."},
        {IDC_IMPORT_EXAM, DT_EXAM, "Quorvale Exam Files..."},
        {IDC_IMPORT_SOURCE, DT_SRC, "Source Files..."},
        {IDC_IMPORT_IMAGES, DT_IMAGE, "Image Files..."},
        {IDC_IMPORT_DATA, DT_DATA, "Data Files..."},
    };
    CModalScript script;
    script.On<CImportFilesDlg>([&](CImportFilesDlg& d) {
        for (const Case& c : cases) {
            EXPECT_EQ(d.GetDlgItemText(c.button), c.caption);
            ClickDlgButton(d, c.button);
        }
        EXPECT_FALSE(d.IsEnded());
        ClickDlgButton(d, IDCLOSE);
    });
    CImportFilesDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCLOSE);
    ASSERT_EQ(chooser.calls.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].caption);
        EXPECT_EQ(chooser.calls[i].nType, cases[i].type);
        EXPECT_EQ(chooser.calls[i].csInfo, "Import " + CFileTypes::Type2TypeDescr(cases[i].type, TRUE));
    }
    EXPECT_EQ(chooser.calls[0].csInfo, "Import Question Corra Files");
}

}  // namespace

namespace {

// The Font Manager as the instructions see it: it puts a face into the slot it is asked for.
class CFaceSetter : public IFontManagerDialog {
public:
    BOOL IsAvailable() const override { return TRUE; }
    BOOL Run(int nSlot, QWidget*) override
    {
        asked.push_back(nSlot);
        LOGFONT lf{};
        CFontMgr::GetSlotLogFont(lf, nSlot);
        SetLogFontFaceName(lf, "Liberation Mono");
        CFontMgr::SetSlotLogFont(lf, nSlot);
        return TRUE;
    }
    std::vector<int> asked;
};

class InstructionsTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        ResetFontManager();
        CFontMgr::LoadSlot();
    }
    void TearDown() override
    {
        ResetFontManager();
        CorraTest::TearDown();
    }
};

TEST_F(InstructionsTest, ThePaneEditsTheTextInTheInstructionsFont)
{
    const CString rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fprq3\\fcharset0 Arial;}}\\f0\\fs20 Answer all.\\par}";
    CString before, after;
    bool fontEnabled = true;
    CModalScript script;
    script.On<CInstructionsDlg>([&](CInstructionsDlg& d) {
        EXPECT_EQ(d.windowTitle(), QString("Instructions"));
        EXPECT_EQ(d.GetPane()->GetDefaultFontSlot(), FM_INSTRUCTIONS);
        CString plain;
        d.GetPane()->StreamOutText(plain, SF_TEXT);
        EXPECT_EQ(plain.Find("Answer all."), 0);
        // Without the Font Manager "Font..." cannot be pressed.
        fontEnabled = d.GetDlgItem(IDC_INSTRUCTIONS_FONT)->isEnabled();
        d.GetPane()->SetSel(0, 0);
        d.GetPane()->ReplaceSel("Please ");
        ClickDlgButton(d, IDOK);
    });
    CInstructionsDlg dlg(nullptr, rtf);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(fontEnabled);
    EXPECT_EQ(RtfToPlainText(dlg.m_csText).Find("Please Answer all."), 0) << dlg.m_csText.GetString();
    EXPECT_EQ(dlg.m_nIndex, -1);
    EXPECT_EQ(dlg.m_pOwner, nullptr);

    // "Font..." opens the Font Manager on the instructions' slot; the text shows the new face.
    CFaceSetter manager;
    CServiceScope<IFontManagerDialog> installed(FontManagerDialogSlot(), manager);
    CDialog page;
    script.On<CInstructionsDlg>([&](CInstructionsDlg& d) {
        EXPECT_TRUE(d.GetDlgItem(IDC_INSTRUCTIONS_FONT)->isEnabled());
        d.GetPane()->StreamOutText(before, SF_RTF);
        ClickDlgButton(d, IDC_INSTRUCTIONS_FONT);
        d.GetPane()->StreamOutText(after, SF_RTF);
        ClickDlgButton(d, IDCANCEL);
    });
    CInstructionsDlg inPage(&page, 2, rtf);
    EXPECT_EQ(inPage.DoModal(), IDCANCEL);
    EXPECT_EQ(inPage.m_nIndex, 2);
    EXPECT_EQ(inPage.m_pOwner, &page);
    EXPECT_EQ(manager.asked, std::vector<int>{FM_INSTRUCTIONS});
    EXPECT_EQ(before.Find("Liberation Mono"), -1) << before.GetString();
    EXPECT_NE(after.Find("Liberation Mono"), -1) << after.GetString();
    EXPECT_EQ(inPage.m_csText, rtf);
}

class InvalidQuestionsBoxTest : public CorraTest {};

TEST_F(InvalidQuestionsBoxTest, ShowsTheReportAndAnswersByButton)
{
    struct Case {
        int button;
        const char* caption;
        int result;
    };
    const Case cases[] = {{IDYES, "Edit", IDYES}, {IDNO, "Show report", IDNO}, {IDCANCEL, "Cancel", IDCANCEL}};
    for (const Case& c : cases) {
        CModalScript script;
        script.On<CInvalidQuestionsMsgBox>([&](CInvalidQuestionsMsgBox& d) {
            EXPECT_EQ(d.windowTitle(), QString("Invalid Questions"));
            EXPECT_EQ(d.GetPane(0)->toPlainText(), QString("Invalid Questions Found"));
            EXPECT_EQ(d.GetPane(3)->toPlainText(), QString("Question (ID 7) missing answer."));
            EXPECT_EQ(d.GetDlgItemText(c.button), CString(c.caption));
            ClickDlgButton(d, c.button);
        });
        CInvalidQuestionsMsgBox box("Question (ID 7) missing answer.");
        EXPECT_EQ(box.DoModal(), c.result) << c.caption;
    }
}

}  // namespace
