// The AutoConvert settings pages of the wizard: their profile, the two character sets of the
// numbers page, the check of the run page, and a teacher's text converted with every page set.

#include "app/CorraApp.h"
#include "app/MainFrm.h"
#include "controls/HVRichEditCtrl.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "foundation/FileChooserCall.h"
#include "dialogs/SubjectsDlg.h"
#include "import/ACAttrDlg.h"
#include "import/AddQuestFromSheet.h"
#include "platform/ui/ComboBox.h"
#include "res/ids/QuestionDlg.h"
#include "import/SourceMgr.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "platform/core/FileSys.h"
#include "res/help/HelpTopics.h"
#include "res/ids/App.h"
#include "res/ids/QuestionTypes.h"
#include "res/ids/Wizard.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedFileChooser.h"

#include <QLayout>

#include <cstring>
#include <memory>
#include <string>

namespace {

const char kExclusive[] = "The list of characters which make up question numbers and the list of characters which make "
                          "up terminators must be mutually exclusive.  That is, they must not have any characters in "
                          "common.  The offending character will be removed.";

UINT ActivePageId(const CAddQuestFromSheet& s)
{
    return s.GetActivePage() ? s.GetActivePage()->GetTemplateId() : 0;
}

class ACPagesTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        StartApp();
        ASSERT_NE(m_pMain, nullptr);
    }
};

TEST_F(ACPagesTest, NumberAndTerminatorCharactersNeverMeet)
{
    CAddQuestFromSheet sheet("AutoConvert...", m_pMain);
    CAQFSetACAttr1& page = sheet.m_ACAttr1Page;
    page.SetBox(IDC_AQF_AC_REMOVE_NUMBERS, TRUE);
    page.SetBox(IDC_AQF_AC_DIGITS, FALSE);
    // "5" among the terminators, then "Digits (0-9)".
    page.SetBox(IDC_AQF_AC_TERM_OTHER, TRUE);
    page.TypeOther(IDC_AQF_AC_TERM_OTHER_TEXT, "5");
    messageBox.calls.clear();
    page.SetBox(IDC_AQF_AC_DIGITS, TRUE);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, CString(kExclusive));
    EXPECT_FALSE(page.m_bDigits);
    EXPECT_FALSE(page.IsDlgButtonChecked(IDC_AQF_AC_DIGITS));
    // ")" typed beside "Right parenthesis".
    page.SetBox(IDC_AQF_AC_TERM_PARENS, TRUE);
    page.SetBox(IDC_AQF_AC_NUM_OTHER, TRUE);
    messageBox.calls.clear();
    page.TypeOther(IDC_AQF_AC_NUM_OTHER_TEXT, "#)");
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(page.GetDlgItemText(IDC_AQF_AC_NUM_OTHER_TEXT), CString("#"));
    EXPECT_EQ(page.NumberChars(), CString("#"));
    EXPECT_EQ(page.TerminatorChars(), CString(")5"));
    page.SetBox(IDC_AQF_AC_TERM_SPACE, TRUE);
    page.SetBox(IDC_AQF_AC_TERM_PERIOD, TRUE);
    EXPECT_EQ(page.TerminatorChars(), CString(".) \t5"));
}

TEST_F(ACPagesTest, AProfileThatGivesBothSetsACharacterLosesItQuietly)
{
    CorraApp().WriteProfileInt("ACRemoveQNum", "ContOtherFlag", 1);
    CorraApp().WriteProfileString("ACRemoveQNum", "ContOtherText", "#.");
    CorraApp().WriteProfileInt("ACRemoveQNum", "TermPeriodFlag", 1);
    CorraApp().WriteProfileInt("ACRemoveQNum", "TermOtherFlag", 1);
    CorraApp().WriteProfileString("ACRemoveQNum", "TermOtherText", "7:");
    messageBox.calls.clear();
    CAddQuestFromSheet sheet("AutoConvert...", m_pMain);
    const CAQFSetACAttr1& page = sheet.m_ACAttr1Page;
    EXPECT_EQ(page.NumberChars(), CString("0123456789#"));
    EXPECT_EQ(page.TerminatorChars(), CString(".:"));
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_NE(GetLogBuffer().Find("dropped from the profile"), -1);
}

TEST_F(ACPagesTest, ChoicesAndAttributesGoIntoTheSettings)
{
    CAddQuestFromSheet sheet("AutoConvert...", m_pMain);
    const struct {
        int letter;
        int term;
        char label;
        char terminator;
    } cases[] = {{0, 1, 'a', '.'}, {1, 0, 'A', ')'}, {2, 1, '1', '.'}};
    for (const auto& c : cases) {
        sheet.m_ACAttr2Page.SetLetterType(c.letter);
        sheet.m_ACAttr2Page.m_nTermType = c.term;
        sheet.m_ACAttr2Page.OnWizardNext();
        EXPECT_EQ(sheet.m_ACSettings.m_szFirstLabel[0], c.label) << c.letter;
        EXPECT_EQ(sheet.m_ACSettings.m_szTerminator[0], c.terminator) << c.letter;
    }
    // Without choices both attribute questions are essays.
    sheet.m_ACAttr2Page.SetUsesChoices(FALSE);
    sheet.m_ACAttr2Page.OnWizardNext();
    EXPECT_FALSE(sheet.m_ACSettings.m_bHaveChoices);
    sheet.m_ACQuestAttrPage.OnSetActive();
    EXPECT_EQ(sheet.m_ACQuestAttrPage.m_Default.m_nType, static_cast<int>(IDS_QTYPE_ES));
    EXPECT_EQ(sheet.m_ACQuestAttrPage.m_Specific.m_nType, static_cast<int>(IDS_QTYPE_ES));
}

TEST_F(ACPagesTest, TheAttributeDialogsChoiceGoesIntoBothQuestions)
{
    CAddQuestFromSheet sheet("AutoConvert...", m_pMain);
    CAQFSetACQuestAttr& page = sheet.m_ACQuestAttrPage;
    page.m_Specific.m_nLevel = 1;
    CModalScript script;
    script.On<CACAttrDlg>([](CACAttrDlg& dlg) {
        auto* level = dlg.GetDlgItemAs<CComboBox>(IDC_QD_LEVEL);
        ASSERT_NE(level, nullptr);
        EXPECT_EQ(level->GetCurSel(), 1);
        level->SetCurSel(4);
        ClickDlgButton(dlg, IDHELP);
        ClickDlgButton(dlg, IDOK);
    });
    script.On<CACAttrDlg>([](CACAttrDlg& dlg) {
        dlg.GetDlgItemAs<CComboBox>(IDC_QD_LEVEL)->SetCurSel(6);
        ClickDlgButton(dlg, IDCANCEL);
    });
    EXPECT_TRUE(page.ChooseAttributes());
    ASSERT_EQ(help.topics.size(), 1u);
    EXPECT_NE(FindHelpPage(help.topics[0]), nullptr);
    EXPECT_EQ(page.m_Specific.m_nLevel, 4);
    EXPECT_EQ(page.m_Default.m_nLevel, 4);
    EXPECT_FALSE(page.ChooseAttributes());
    EXPECT_EQ(page.m_Specific.m_nLevel, 4);
}

TEST_F(ACPagesTest, TheAttributeDialogKeepsTheChoicesItWasGiven)
{
    CAddQuestFromSheet sheet("AutoConvert...", m_pMain);
    CAQFSetACQuestAttr& page = sheet.m_ACQuestAttrPage;
    const struct {
        const char* name;
        UINT type;
        const char* choices;  // plain choices of the template, or none
        int kept;             // choices after OK
    } cases[] = {
        {"multiple choice without choices", IDS_QTYPE_MC, nullptr, 0},
        {"essay", IDS_QTYPE_ES, nullptr, 0},
        {"multiple choice with choices", IDS_QTYPE_MC, "a. red\nb. green\nc. blue", 3},
    };
    for (const auto& c : cases) {
        CQuestion q;
        q.m_nType = static_cast<int>(c.type);
        if (c.choices) {
            ASSERT_TRUE(q.SetChoices(c.choices, 'a', '.')) << c.name;
        }
        page.m_Specific = q;
        CModalScript script;
        script.On<CACAttrDlg>([](CACAttrDlg& dlg) {
            dlg.GetDlgItemAs<CComboBox>(IDC_QD_LEVEL)->SetCurSel(3);
            ClickDlgButton(dlg, IDOK);
        });
        messageBox.calls.clear();
        richBox.calls.clear();
        EXPECT_TRUE(page.ChooseAttributes()) << c.name;
        EXPECT_TRUE(messageBox.calls.empty() && richBox.calls.empty()) << c.name;
        EXPECT_EQ(page.m_Specific.m_nLevel, 3) << c.name;
        EXPECT_EQ(page.m_Specific.m_nType, static_cast<int>(c.type)) << c.name;
        EXPECT_EQ(page.m_Specific.m_Choices.GetCount(), c.kept) << c.name;
        EXPECT_EQ(page.m_Default.m_Choices.GetCount(), c.kept) << c.name;
    }
}

TEST_F(ACPagesTest, EveryProfileKeyIsWrittenBackAndBadValuesAreNotTaken)
{
    CorraApp().WriteProfileInt("AQF_ACQAttr", "AttrQType", 9999);
    CorraApp().WriteProfileInt("AQF_ACQAttr", "AttrQLevel", 42);
    CorraApp().WriteProfileString("AQF_ACQAttr", "AttrQSubjects", "Science,Bad{one},Writing");
    CorraApp().WriteProfileString("AQF_ACQAttr", "AttrQBooks", "Biology@3;Bro}ken@1");
    {
        auto sheet = std::make_unique<CAddQuestFromSheet>("AutoConvert...", m_pMain);
        const CQuestion& q = sheet->m_ACQuestAttrPage.m_Specific;
        EXPECT_EQ(q.m_nType, static_cast<int>(IDS_QTYPE_MC));
        EXPECT_EQ(q.m_nLevel, 0);
        ASSERT_EQ(q.m_saSubjects.GetSize(), 2);
        EXPECT_EQ(q.m_saSubjects[0], CString("Science"));
        EXPECT_EQ(q.m_saSubjects[1], CString("Writing"));
        ASSERT_EQ(q.m_saBooks.GetSize(), 1);
        EXPECT_EQ(q.m_saBooks[0], CString("Biology"));
        EXPECT_NE(GetLogBuffer().Find("dropped from the profile: Bad{one}"), -1);
    }
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } keys[] = {{"AQF_ACLineFmt", "HasLinesRB", "0"},        {"AQF_ACChoice", "UsesChoicesFlag", "1"},
                {"AQF_ACChoice", "LetterType", "0"},         {"AQF_ACChoice", "TermType", "1"},
                {"ACRemoveQNum", "RemoveQNumsFlag", "0"},    {"ACRemoveQNum", "ContDigitsFlag", "1"},
                {"ACRemoveQNum", "ContLowerFlag", "0"},      {"ACRemoveQNum", "ContUpperFlag", "0"},
                {"ACRemoveQNum", "ContOtherFlag", "0"},      {"ACRemoveQNum", "ContOtherText", ""},
                {"ACRemoveQNum", "TermPeriodFlag", "0"},     {"ACRemoveQNum", "TermParensFlag", "0"},
                {"ACRemoveQNum", "TermSpaceFlag", "0"},      {"ACRemoveQNum", "TermOtherFlag", "0"},
                {"ACRemoveQNum", "TermOtherText", ""},       {"AQF_ACQAttr", "AttrMode", "0"},
                {"AQF_ACQAttr", "AttrQType", "19"},          {"AQF_ACQAttr", "AttrQLevel", "0"},
                {"AQF_ACQAttr", "AttrQSubjects", "Science,Writing"}, {"AQF_ACQAttr", "AttrQIndex", "0"},
                {"AQF_ACQAttr", "AttrQBooks", "Biology@3"}};
    for (const auto& k : keys)
        EXPECT_EQ(CorraApp().GetProfileString(k.section, k.key, "(missing)"), CString(k.value)) << k.key;
}

// The plain text the sheet's buffer holds now, as the next page shows it.
CString BufferText(CAddQuestFromSheet& sheet)
{
    CHVRichEditCtrl shown;
    const char* text = sheet.m_SourceBuf.GetWorkingText();
    shown.SetText(text ? text : "", SF_RTF);
    return shown.StreamOut(SF_TEXT).Trim();
}

TEST_F(ACPagesTest, ATickedRemoveBoxTakesTheNumbersOutOnNextAndNeverTwice)
{
    const char source[] = "1. 1984 was a leap year?\r\na. yes\r\nb. no\r\n\r\n2. 2000 was one too?\r\na. yes\r\nb. no\r\n";
    // One pass takes a number and its terminator (the blank after it stays); a second would take
    // "1984 " as well.
    const char removed[] = "1984 was a leap year?\na. yes\nb. no\n\n 2000 was one too?\na. yes\nb. no";
    const struct {
        const char* name;
        BOOL bRemove;
        BOOL bApply;
        const char* left;
    } cases[] = {
        {"ticked, no Apply", TRUE, FALSE, removed},
        {"ticked, Apply", TRUE, TRUE, removed},
        {"not ticked", FALSE, FALSE, "1. 1984 was a leap year?\na. yes\nb. no\n\n2. 2000 was one too?\na. yes\nb. no"},
    };
    CSourceMgrParser parser;
    CServiceScope<IIdentifierParser> parserScope(IdentifierParserSlot(), parser);
    for (const auto& c : cases) {
        CAddQuestFromSheet sheet("AutoConvert...", m_pMain);
        CAQFSetACAttr1& page = sheet.m_ACAttr1Page;
        page.SetBox(IDC_AQF_AC_REMOVE_NUMBERS, TRUE);
        for (int id : {IDC_AQF_AC_DIGITS, IDC_AQF_AC_TERM_PERIOD, IDC_AQF_AC_TERM_SPACE})
            page.SetBox(id, TRUE);
        page.SetBox(IDC_AQF_AC_REMOVE_NUMBERS, c.bRemove);
        sheet.m_SourceBuf.SetText(source, static_cast<int>(std::strlen(source)));
        ASSERT_TRUE(page.Init()) << c.name;
        messageBox.calls.clear();
        if (c.bApply) {
            EXPECT_EQ(page.Apply(), 2) << c.name;
            messageBox.QueueAnswer(IDYES);  // the applied text is kept
        }
        EXPECT_EQ(page.OnWizardNext(), static_cast<LRESULT>(IDD_AQF_AC_QUEST_ATTR)) << c.name;
        EXPECT_EQ(std::string(BufferText(sheet).GetString()), c.left) << c.name;
        // Only an edit of the user's own is asked about.
        EXPECT_EQ(messageBox.calls.size(), c.bApply ? 1u : 0u) << c.name;
        // Back to the page and on again: the text is as it was left.
        page.Init();
        messageBox.calls.clear();
        page.OnWizardNext();
        EXPECT_EQ(std::string(BufferText(sheet).GetString()), c.left) << c.name;
        EXPECT_TRUE(messageBox.calls.empty()) << c.name;
    }
}

TEST_F(ACPagesTest, CancelKeepsThePageAndItsEditsForTheNextAnswer)
{
    CAddQuestFromSheet sheet("AutoConvert...", m_pMain);
    CAQFSetACAttr2& page = sheet.m_ACAttr2Page;
    const char source[] = "1. One?\r\na. yes\r\nb. no\r\n";
    sheet.m_SourceBuf.SetText(source, static_cast<int>(std::strlen(source)));
    ASSERT_TRUE(page.Init());
    page.GetEdit()->SetSel(0, 0);
    page.GetEdit()->ReplaceSel("Edited ");
    messageBox.calls.clear();
    messageBox.QueueAnswer(IDCANCEL);
    EXPECT_EQ(page.OnWizardNext(), -1);
    messageBox.QueueAnswer(IDYES);
    EXPECT_EQ(page.OnWizardNext(), static_cast<LRESULT>(IDD_AQF_AC_ATTR1));
    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_EQ(messageBox.calls[1].text, CString("Save text editing changes?"));
    EXPECT_EQ(BufferText(sheet).Find("Edited 1. One?"), 0);
}

TEST_F(ACPagesTest, ASourceThatCannotBeReadShowsNoTextOfAnEarlierOne)
{
    CAddQuestFromSheet sheet("AutoConvert...", m_pMain);
    sheet.m_FromTypePage.SetType(AQF_FROM_AUTOCONVERT);
    sheet.m_FromDocPage.SetChoice(CAQFChooseDocPage::choiceSearch);
    CAQFSetACLineFmt& page = sheet.m_ACLineFormatPage;
    sheet.m_FromDocPage.TypePath(WriteHomeFile("first.txt", "1. First?\na. yes\nb. no\n"));
    page.OnSetActive();
    ASSERT_EQ(page.GetEdit()->StreamOut(SF_TEXT).Find("1. First?"), 0);
    EXPECT_EQ(sheet.GetTitle(), CString("Line Format - first.txt"));
    // Chosen, then gone before the page reads it; then no source at all.
    const CString gone = HomePath("gone.txt");
    const struct {
        const char* path;
        CString said;
    } cases[] = {{gone, CString("Failed to load file\n\n") + gone}, {"", "No source document has been selected."}};
    for (const auto& c : cases) {
        sheet.m_FromDocPage.TypePath(c.path);
        messageBox.calls.clear();
        page.OnSetActive();
        ASSERT_FALSE(messageBox.calls.empty()) << c.path;
        EXPECT_EQ(messageBox.calls[0].text, c.said) << c.path;
        EXPECT_EQ(page.GetEdit()->GetTextLength(), 0) << c.path;
        EXPECT_EQ(sheet.m_SourceBuf.GetWorkingText(), nullptr) << c.path;
    }
}

TEST_F(ACPagesTest, TheRunPageCountsQuestionsAndAsksAboutASingleOne)
{
    CAddQuestFromSheet sheet("AutoConvert...", m_pMain);
    CAQFDoACPage& page = sheet.m_ACRunPage;
    const struct {
        const char* text;
        int answer;
        BOOL converted;
        const char* said;
    } cases[] = {
        {"1. Only one?\r\na. yes\r\nb. no\r\n", IDNO, FALSE, "AutoConvert found only 1 question.  Is this correct?"},
        {"1. Only one?\r\na. yes\r\nb. no\r\n", IDYES, TRUE, "AutoConvert found only 1 question.  Is this correct?"},
        {"1. One?\r\na. yes\r\nb. no\r\n\r\n2. Two?\r\na. yes\r\nb. no\r\n", IDOK, TRUE, ""},
    };
    for (const auto& c : cases) {
        sheet.m_SourceBuf.SetText(c.text, static_cast<int>(std::strlen(c.text)));
        page.Init();
        messageBox.calls.clear();
        messageBox.QueueAnswer(c.answer);
        EXPECT_EQ(page.Check(), c.converted) << c.text;
        if (*c.said) {
            ASSERT_FALSE(messageBox.calls.empty());
            EXPECT_EQ(messageBox.calls[0].text, CString(c.said));
        } else {
            EXPECT_TRUE(messageBox.calls.empty());
        }
    }
    EXPECT_EQ(page.GetDlgItemText(IDC_AQF_AC_INFO2).Find("AutoConvert found no errors in 2 paragraphs(s)."), 0);
}

TEST_F(ACPagesTest, ShowingTheTextAgainKeepsThePlaceTheUserWasReading)
{
    CAddQuestFromSheet sheet("AutoConvert...", m_pMain);
    CAQFSetACAttr2& page = sheet.m_ACAttr2Page;
    CString text;
    for (int i = 1; i <= 60; ++i)
        text += CString::Formatted("%d. Question?\r\na. yes\r\nb. no\r\n\r\n", i);
    sheet.m_SourceBuf.SetText(text, text.GetLength());
    page.resize(640, 420);
    page.layout()->activate();
    ASSERT_TRUE(page.Init());
    CHVRichEditCtrl* edit = page.GetEdit();
    edit->SetSel(5, 9);
    edit->LineScroll(100);
    const int first = edit->GetFirstVisibleLine();
    ASSERT_GT(first, 50);
    ASSERT_TRUE(page.Init());
    EXPECT_EQ(edit->GetFirstVisibleLine(), first);
    long start = 0, end = 0;
    edit->GetSel(start, end);
    EXPECT_EQ(start, 5);
    EXPECT_EQ(end, 9);
}

TEST_F(ACPagesTest, TheRunPageSaysWhenItFindsNoQuestion)
{
    CAddQuestFromSheet sheet("AutoConvert...", m_pMain);
    CAQFDoACPage& page = sheet.m_ACRunPage;
    const char kNone[] = "AutoConvert failed to find any questions.  Check the AutoConvert settings by pressing the "
                         "Back button.";
    const struct {
        const char* text;
        const char* said;
    } cases[] = {
        {"Some prose with no choices at all.\r\n", kNone},
        {"   \r\n", "Nothing to convert."},
    };
    for (const auto& c : cases) {
        sheet.m_SourceBuf.SetText(c.text, static_cast<int>(std::strlen(c.text)));
        page.Init();
        messageBox.calls.clear();
        EXPECT_FALSE(page.Check()) << c.text;
        ASSERT_EQ(messageBox.calls.size(), 1u) << c.text;
        EXPECT_EQ(messageBox.calls[0].text, CString(c.said)) << c.text;
        EXPECT_FALSE(page.IsConverted());
    }
    // Finish stays off; the two buttons stand 25 pixels either side of the text's centre.
    EXPECT_EQ(sheet.GetWizardButtons(), PSWIZB_BACK | PSWIZB_DISABLEDFINISH);
    page.resize(640, 420);
    page.layout()->activate();
    QWidget* more = page.GetDlgItem(IDC_AQF_AC_CONTINUE);
    QWidget* trouble = page.GetDlgItem(IDC_AQF_AC_TROUBLE);
    ASSERT_TRUE(more && trouble);
    EXPECT_FALSE(more->isHidden());
    EXPECT_FALSE(trouble->isHidden());
    const int centre = page.GetEdit()->geometry().center().x();
    EXPECT_NEAR(more->geometry().right() + 1, centre - 25, 1);
    EXPECT_NEAR(trouble->geometry().left(), centre + 25, 1);
    EXPECT_EQ(more->geometry().top(), trouble->geometry().top());
    // Found: Finish comes on and the two buttons go; Back takes the mark off.
    const char good[] = "1. One?\r\na. yes\r\nb. no\r\n\r\n2. Two?\r\na. yes\r\nb. no\r\n";
    sheet.m_SourceBuf.SetText(good, static_cast<int>(std::strlen(good)));
    page.Init();
    ASSERT_TRUE(page.Check());
    EXPECT_EQ(sheet.GetWizardButtons(), PSWIZB_BACK | PSWIZB_FINISH);
    EXPECT_TRUE(more->isHidden());
    EXPECT_TRUE(trouble->isHidden());
    page.OnWizardBack();
    EXPECT_FALSE(page.IsConverted());
}

TEST_F(ACPagesTest, TheRunPageHandsOverTheTextWithoutItsIndents)
{
    CAddQuestFromSheet sheet("AutoConvert...", m_pMain);
    CAQFDoACPage& page = sheet.m_ACRunPage;
    const CString rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\li1440\\ri720\\fi-360\\qc 1. One?\\par a. yes\\par "
                        "b. no\\par\\par 2. Two?\\par a. yes\\par b. no\\par}";
    sheet.m_SourceBuf.SetText(rtf, rtf.GetLength());
    page.Init();
    ASSERT_TRUE(page.Check());
    CHVRichEditCtrl* edit = page.GetEdit();
    for (long at : {0L, edit->GetTextLength() - 1}) {
        edit->SetSel(at, at);
        PARAFORMAT pf;
        edit->GetParaFormat(pf);
        EXPECT_EQ(pf.dxStartIndent, 0) << at;
        EXPECT_EQ(pf.dxRightIndent, 0) << at;
        EXPECT_EQ(pf.dxOffset, 0) << at;
        EXPECT_EQ(pf.wAlignment, PFA_LEFT) << at;
    }
}

TEST_F(ACPagesTest, ATeachersTextWithNumbersRemovedBecomesQuestionsOfTheChosenAttributes)
{
    CorraApp().WriteProfileInt("AQF_ACQAttr", "AttrMode", 1);
    CorraApp().WriteProfileInt("AQF_ACQAttr", "AttrQLevel", 2);
    CorraApp().WriteProfileString("AQF_ACQAttr", "AttrQSubjects", "Science");
    CScriptedFileChooser chooser;
    CServiceScope<IFileChooserService> chooserScope(FileChooserSlot(), chooser);
    chooser.QueueFiles({TestDataPath("autoconvert/teacher.txt")});
    // The program installs AutoConvert's scanners at its start.
    CSourceMgrParser parser;
    CServiceScope<IIdentifierParser> parserScope(IdentifierParserSlot(), parser);
    CDocument* made = nullptr;
    CModalScript script;
    script.On<CAddQuestFromSheet>([&](CAddQuestFromSheet& s) {
        s.PressButton(PSBTN_NEXT);
        ClickDlgButton(s.m_ToDocPage, IDC_AQF_TO_NEW);
        made = s.m_ToDocPage.GetNewDoc();
        s.PressButton(PSBTN_NEXT);
        s.PressButton(PSBTN_NEXT);
        ClickDlgButton(s.m_FromDocPage, IDC_AQF_FROM_SEARCH);
        ClickDlgButton(s.m_FromDocPage, IDC_AQF_FROM_SEARCH_BUTTON);
        s.PressButton(PSBTN_NEXT);
        ClickDlgButton(s.m_ACLineFormatPage, IDC_AQF_AC_BLANK_LINES);
        s.PressButton(PSBTN_NEXT);
        ClickDlgButton(s.m_ACAttr2Page, IDC_AQF_AC_LOWER);
        ClickDlgButton(s.m_ACAttr2Page, IDC_AQF_AC_PERIOD);
        s.PressButton(PSBTN_NEXT);
        CAQFSetACAttr1& numbers = s.m_ACAttr1Page;
        numbers.SetBox(IDC_AQF_AC_REMOVE_NUMBERS, TRUE);
        numbers.SetBox(IDC_AQF_AC_DIGITS, TRUE);
        numbers.SetBox(IDC_AQF_AC_TERM_PERIOD, TRUE);
        numbers.SetBox(IDC_AQF_AC_TERM_PARENS, TRUE);
        EXPECT_EQ(numbers.Apply(), 4);
        messageBox.QueueAnswer(IDYES);  // the edited text is kept
        s.PressButton(PSBTN_NEXT);
        ASSERT_EQ(ActivePageId(s), IDD_AQF_AC_QUEST_ATTR);
        s.PressButton(PSBTN_NEXT);
        ASSERT_EQ(ActivePageId(s), IDD_AQF_AC_RUN);
        EXPECT_TRUE(s.m_ACRunPage.Check());
        EXPECT_EQ(s.m_ACRunPage.GetDlgItemText(IDC_AQF_AC_INFO2),
                  CString("AutoConvert found no errors in 4 paragraphs(s).  Press finish to complete AutoConvert."));
        EXPECT_TRUE(s.PressButton(PSBTN_FINISH));
    });
    m_pMain->OnCommand(ID_AUTO_CONVERT);
    auto* bank = dynamic_cast<CCorraDoc*>(made);
    ASSERT_NE(bank, nullptr);
    // As converted, and as saved and read back.
    const CString path = HomePath("Converted.crr");
    for (int round = 0; round < 2; ++round) {
        ASSERT_NE(bank, nullptr);
        ASSERT_EQ(bank->GetQuestionCount(), 4) << round;
        const int choices[] = {3, 3, 3, 2};
        int i = 0;
        for (POSITION pos = bank->m_plQuestions.GetHeadPosition(); pos; ++i) {
            auto* q = static_cast<CCorraQuestion*>(bank->m_plQuestions.GetNext(pos));
            EXPECT_EQ(q->m_nType, static_cast<int>(IDS_QTYPE_MC)) << round;
            EXPECT_EQ(q->m_nLevel, 2) << round;
            ASSERT_EQ(q->m_saSubjects.GetSize(), 1) << round;
            EXPECT_EQ(q->m_saSubjects[0], CString("Science")) << round;
            EXPECT_EQ(q->GetChoicesCount(), choices[i]) << round << " " << i;
            EXPECT_TRUE(q->m_cszAnswer.IsEmpty()) << round << " " << i;
            CHVRichEditCtrl shown;
            shown.SetText(q->m_cszQuestionText, SF_RTF);
            const CString text = shown.StreamOut(SF_TEXT).Trim();
            EXPECT_FALSE(text[0] >= '0' && text[0] <= '9') << text.GetString();
        }
        if (round == 0) {
            ASSERT_TRUE(bank->DoSave(path));
            m_app->CloseAllDocuments(FALSE);
            // "Science" is in no master list: the bank offers it, and is left.
            CModalScript offer;
            offer.On<CSubjectsDlg>([](CSubjectsDlg& d) { ClickDlgButton(d, IDCANCEL); });
            bank = dynamic_cast<CCorraDoc*>(m_app->OpenDocumentFile(path));
        }
    }
}

} // namespace
