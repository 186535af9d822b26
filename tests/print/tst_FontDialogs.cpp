#include "print/FontDlg.h"
#include "print/FontMgrDlg.h"
#include "print/SetDocumentFontsDlg.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "platform/ui/ListBox.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Update.h"
#include "platform/core/Profile.h"
#include "platform/ui/View.h"
#include "render/FontMgr.h"
#include "res/ids/FontDialogs.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FontMgrReset.h"
#include "tests/support/ModalScript.h"

#include <QListWidget>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Offers the faces it is given, one per opening, and records the captions; cancels when out.
class CScriptedChooser : public IFontChooser {
public:
    BOOL ChooseFont(LOGFONT& lf, QWidget*, LPCSTR pszCaption) override
    {
        captions.push_back(pszCaption ? pszCaption : "");
        if (faces.empty())
            return FALSE;
        SetLogFontFaceName(lf, faces.front());
        lf.lfWeight = weight;
        if (height)
            lf.lfHeight = height;
        faces.erase(faces.begin());
        return TRUE;
    }
    std::vector<CString> faces;
    std::vector<CString> captions;
    LONG weight = FW_NORMAL;
    LONG height = 0;  // 0 keeps the height given
};

std::string Face(const LOGFONT& lf) { return std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE)); }

class FontDialogsTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        ResetFontManager();
        CFontMgr::LoadSlot();
        FontChooserSlot().Set(&chooser);
    }
    void TearDown() override
    {
        ResetFontManager();
        CorraTest::TearDown();
    }
    CScriptedChooser chooser;
};

TEST_F(FontDialogsTest, TheChooserShowsTheCaptionAndRefusesSymbolFaces)
{
    chooser.faces = {"QVMath", "Arial"};
    LOGFONT start{};
    SetLogFontFaceName(start, "Times New Roman");
    CFontDlg dlg("Select Default Font", &start);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(Face(dlg.m_lf), "Arial");
    EXPECT_EQ(chooser.captions, (std::vector<CString>{"Select Default Font", "Select Default Font"}));
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, CString("This font is not allowed as a selection.\n\nPlease select another."));

    CFontDlg cancelled(nullptr, &start);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(Face(cancelled.m_lf), "Times New Roman");
}

// Chooses as the program's own chooser does: the face offered, at the size in points the
// LOGFONT it is given has at the screen's resolution.
class CPointsChooser : public IFontChooser {
public:
    BOOL ChooseFont(LOGFONT& lf, QWidget*, LPCSTR) override
    {
        const int points = CFontMgr::HeightToPoints(lf);
        SetLogFontFaceName(lf, "Liberation Serif");
        lf.lfHeight = CFontMgr::PointsToHeight(points);
        return TRUE;
    }
};

TEST_F(FontDialogsTest, ALogFontComesBackAtEachResolutionWithItsFacesCharacterSet)
{
    LOGFONT remembered{};
    SetLogFontFaceName(remembered, "Liberation Serif");
    remembered.lfCharSet = 161;
    remembered.lfPitchAndFamily = 0x12;
    CFontMgr::SaveFaceCharset(remembered);
    CPointsChooser points;
    CServiceScope<IFontChooser> scope(FontChooserSlot(), points);
    struct Case {
        int dpi;
        LONG height;
    };
    for (const Case& c : {Case{96, -13}, Case{120, -17}, Case{120, -20}}) {
        screen.info.nDpiY = c.dpi;
        CFontMgr::UpdateScreenDpi();
        LOGFONT start{};
        SetLogFontFaceName(start, "Arial");
        start.lfHeight = c.height;
        start.lfWeight = FW_BOLD;
        CFontDlg dlg("Select Default Font", &start);
        ASSERT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.m_lf.lfHeight, c.height) << c.dpi;
        EXPECT_EQ(dlg.m_lf.lfWeight, FW_BOLD);
        EXPECT_EQ(Face(dlg.m_lf), "Liberation Serif");
        EXPECT_EQ(dlg.m_lf.lfCharSet, 161);
        EXPECT_EQ(dlg.m_lf.lfPitchAndFamily, 0x12);
        EXPECT_EQ(dlg.m_dwFlags, 257u);
    }
}

TEST_F(FontDialogsTest, BoldFollowsTheWeightRule)
{
    struct Case {
        LONG weight;
        BOOL check;
        LONG expected;
    };
    const Case cases[] = {{500, TRUE, 700}, {700, TRUE, 700}, {800, TRUE, 800}, {700, FALSE, 400}, {500, FALSE, 400}};
    for (const auto& c : cases) {
        LOGFONT lf{};
        CFontMgr::GetSlotLogFont(lf, FM_ANSWER);
        lf.lfWeight = c.weight;
        CFontMgr::SetSlotLogFont(lf, FM_ANSWER);
        LONG result = -1;
        CModalScript script;
        script.OnTemplate(IDD_FONT_MANAGER, [&](CDialog& d) {
            auto& dlg = static_cast<CFontMgrDlg&>(d);
            EXPECT_EQ(dlg.GetSelectedSlot(), FM_ANSWER);
            dlg.CheckDlgButton(IDC_FM_BOLD, c.check);
            dlg.OnBold();
            result = dlg.ShownFont(FM_ANSWER).lfWeight;
            ClickDlgButton(d, IDCANCEL);
        });
        CFontMgrDlg dlg(FM_ANSWER);
        dlg.DoModal();
        EXPECT_EQ(result, c.expected) << c.weight << (c.check ? " checked" : " unchecked");
    }
}

TEST_F(FontDialogsTest, CancelLeavesTheSlotsAndOkStoresAndTellsEveryDocument)
{
    LOGFONT before{};
    CFontMgr::GetSlotLogFont(before, FM_QUESTION);
    const std::string profileBefore = AppProfile().GetString("FontMgr", "Question", "").str();
    chooser.faces = {"Liberation Serif"};
    CModalScript script;
    script.OnTemplate(IDD_FONT_MANAGER, [&](CDialog& d) {
        auto& dlg = static_cast<CFontMgrDlg&>(d);
        EXPECT_FALSE(dlg.GetDlgItem(IDOK)->isEnabled());
        dlg.OnChange();
        EXPECT_TRUE(dlg.IsModified());
        EXPECT_EQ(Face(dlg.ShownFont(FM_QUESTION)), "Liberation Serif");
        ClickDlgButton(d, IDCANCEL);
    });
    CFontMgrDlg cancelled(FM_QUESTION);
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    LOGFONT after{};
    CFontMgr::GetSlotLogFont(after, FM_QUESTION);
    EXPECT_EQ(Face(after), Face(before));
    EXPECT_EQ(AppProfile().GetString("FontMgr", "Question", "").str(), profileBefore);

    const DWORD changed = CFontMgr::GetLastFontChange();
    chooser.faces = {"Liberation Serif"};
    chooser.weight = FW_BOLD;
    script.OnTemplate(IDD_FONT_MANAGER, [&](CDialog& d) {
        static_cast<CFontMgrDlg&>(d).OnChange();
        EXPECT_TRUE(d.GetDlgItem(IDOK)->isEnabled());
        ClickDlgButton(d, IDOK);
    });
    CFontManagerDialogService service;
    EXPECT_TRUE(service.Run(FM_QUESTION, nullptr));
    CFontMgr::GetSlotLogFont(after, FM_QUESTION);
    EXPECT_EQ(Face(after), "Liberation Serif");
    EXPECT_EQ(after.lfWeight, FW_BOLD);
    EXPECT_EQ(after.lfPitchAndFamily & 0x03, 0x03);
    EXPECT_GE(CFontMgr::GetLastFontChange(), changed);
}

TEST_F(FontDialogsTest, ALogFontKeptAsKeysReadsBackAndStrayValuesFallBack)
{
    LOGFONT lf{};
    ReadProfileLogFont("Header", lf);
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfOutPrecision, 3);
    EXPECT_EQ(lf.lfClipPrecision, 2);
    EXPECT_EQ(lf.lfQuality, 1);
    EXPECT_EQ(lf.lfPitchAndFamily, 49);
    EXPECT_EQ(Face(lf), "Arial");

    LOGFONT written{};
    written.lfHeight = -27;
    written.lfWeight = 700;
    written.lfItalic = 1;
    written.lfCharSet = 161;
    SetLogFontFaceName(written, "Liberation Serif");
    WriteProfileLogFont("Footer", written);
    LOGFONT read{};
    ReadProfileLogFont("Footer", read);
    EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0);

    WriteHomeFile("Corra.ini", "[Odd]\nHeight=x\nWeight=5000\nFaceName=" + std::string(80, 'F') + "\n");
    ReadProfileLogFont("Odd", read);
    EXPECT_EQ(read.lfHeight, -13);
    EXPECT_EQ(read.lfWeight, 400);
    EXPECT_EQ(Face(read), "Arial");
}

TEST_F(FontDialogsTest, HandEditedProgramFontsOpenWithValidValuesAndOneLogLine)
{
    WriteHomeFile("Corra.ini", "[FontMgr]\nQuestion_Height=0\nQuestion_Weight=5000\nQuestion_FaceName=" +
                                   std::string(80, 'F') + "\nChoices_Height=x\nAnswer_Height=-100000\n"
                                   "Answer_FaceName=No Such Face\n");
    ResetFontManager();
    ResetLogging();
    CFontMgr::LoadSlot();
    struct Case {
        int slot;
        LONG height;
        LONG weight;
        std::string face;
    };
    const LOGFONT& question = CFontMgr::GetDefaultLogFont(FM_QUESTION);
    const LOGFONT& choices = CFontMgr::GetDefaultLogFont(FM_CHOICES);
    const LOGFONT& answer = CFontMgr::GetDefaultLogFont(FM_ANSWER);
    const Case cases[] = {{FM_QUESTION, question.lfHeight, 1000, Face(question)},
                          {FM_CHOICES, choices.lfHeight, choices.lfWeight, Face(choices)},
                          {FM_ANSWER, answer.lfHeight, answer.lfWeight, "No Such Face"}};
    CModalScript script;
    script.OnTemplate(IDD_FONT_MANAGER, [&](CDialog& d) {
        auto& dlg = static_cast<CFontMgrDlg&>(d);
        for (const Case& c : cases) {
            const LOGFONT shown = dlg.ShownFont(c.slot);
            EXPECT_EQ(shown.lfHeight, c.height) << c.slot;
            EXPECT_EQ(shown.lfWeight, c.weight) << c.slot;
            EXPECT_EQ(Face(shown), c.face) << c.slot;
        }
        ClickDlgButton(d, IDCANCEL);
    });
    CFontMgrDlg dlg(FM_QUESTION);
    dlg.DoModal();
    EXPECT_EQ(script.Answered(), 1);
    const std::string log = GetLogBuffer().str();
    const size_t first = log.find("values out of range in section FontMgr");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("values out of range", first + 1), std::string::npos);
}

class CQuietDoc : public CCorraDoc {
public:
    CQuietDoc() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
};

LOGFONT Font(const char* face, LONG height, LONG weight, BYTE italic = 0, BYTE underline = 0)
{
    LOGFONT lf{};
    SetLogFontFaceName(lf, face);
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    return lf;
}

TEST_F(FontDialogsTest, DocumentFontsDescribeSizesAsTheFontManagerShowsThem)
{
    struct Case {
        LOGFONT lf;
        const char* text;
    };
    const Case cases[] = {
        {Font("Times New Roman", -13, 500), "Times New Roman/10pt"},
        {Font("Times New Roman", -13, 700), "Times New Roman/10pt/b"},
        {Font("Arial", -16, 400, 1, 1), "Arial/12pt/i/u"},
        {Font("Arial", -24, 501, 0, 1), "Arial/18pt/b/u"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSetDocumentFontsDlg::Describe(c.lf), CString(c.text)) << c.text;
}

TEST_F(FontDialogsTest, DocumentFontsMaskFollowsTheChoices)
{
    struct Case {
        int affects;
        BOOL face, size, styles;
        DWORD mask;
    };
    const Case cases[] = {
        {0, FALSE, FALSE, FALSE, 0xA8000007},
        {1, TRUE, FALSE, FALSE, 0x28000000},
        {1, FALSE, TRUE, FALSE, 0x80000000},
        {1, FALSE, FALSE, TRUE, 7},
        {1, TRUE, TRUE, TRUE, 0xA8000007},
        {1, FALSE, FALSE, FALSE, 0},
    };
    for (const Case& c : cases) {
        CDocFontRecord r;
        r.nAffects = c.affects;
        r.bFace = c.face;
        r.bSize = c.size;
        r.bStyles = c.styles;
        EXPECT_EQ(r.Mask(), c.mask) << c.affects << c.face << c.size << c.styles;
    }
}

TEST_F(FontDialogsTest, DocumentFontsWithNothingTickedStayOpenOnTheItem)
{
    CQuietDoc doc;
    doc.SetTitle("Biology");
    CModalScript script;
    CString caption;
    int selectedAfter = -1;
    BOOL ended = TRUE;
    script.OnTemplate(IDD_SET_DOCUMENT_FONTS, [&](CDialog& d) {
        auto& dlg = static_cast<CSetDocumentFontsDlg&>(d);
        caption = d.windowTitle().toStdString().c_str();
        dlg.GetDlgItemAs<CListBox>(IDC_SDF_ITEMS)->SetCurSel(FM_ANSWER);
        dlg.OnSelChange();
        EXPECT_FALSE(d.GetDlgItem(IDC_SDF_FACE)->isEnabled());
        d.CheckDlgButton(IDC_SDF_CHANGE, 1);
        dlg.ChooseRadio(IDC_SDF_THESE_ONLY, IDC_SDF_ALL_ATTRIBUTES);
        d.CheckDlgButton(IDC_SDF_FACE, 0);
        d.CheckDlgButton(IDC_SDF_SIZE, 0);
        d.CheckDlgButton(IDC_SDF_STYLES, 0);
        dlg.OnChoice();
        EXPECT_TRUE(d.GetDlgItem(IDC_SDF_FACE)->isEnabled());
        dlg.GetDlgItemAs<CListBox>(IDC_SDF_ITEMS)->SetCurSel(FM_QUESTION);
        dlg.OnSelChange();
        ClickDlgButton(d, IDOK);
        ended = d.IsEnded();
        selectedAfter = dlg.GetSelectedItem();
        ClickDlgButton(d, IDCANCEL);
    });
    CSetDocumentFontsDlg dlg(&doc);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(caption, CString("Set Document Fonts - Biology"));
    EXPECT_FALSE(ended);
    EXPECT_EQ(selectedAfter, FM_ANSWER);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, CString("You have selected that for Answer only selected items will be "
                                                "affected but no items are selected."));
    // Cancel writes nothing.
    EXPECT_FALSE(AppProfile().HasKey("QCorrasSetFontDlg", "CurSel"));
    EXPECT_FALSE(AppProfile().HasKey("QCorrasSetFontDlg", "AnswerChangeFlag"));
}

TEST_F(FontDialogsTest, DocumentFontsKeepTheirRecordsAndSelection)
{
    CQuietDoc doc;
    chooser.faces = {"Liberation Serif"};
    chooser.weight = FW_BOLD;
    chooser.height = -24;
    CModalScript script;
    script.OnTemplate(IDD_SET_DOCUMENT_FONTS, [&](CDialog& d) {
        auto& dlg = static_cast<CSetDocumentFontsDlg&>(d);
        dlg.GetDlgItemAs<CListBox>(IDC_SDF_ITEMS)->SetCurSel(FM_CHOICES);
        dlg.OnSelChange();
        d.CheckDlgButton(IDC_SDF_CHANGE, 1);
        dlg.OnChoice();
        dlg.ChooseRadio(IDC_SDF_FONT, IDC_SDF_DEFAULT);
        dlg.OnFont();
        EXPECT_EQ(d.GetDlgItemText(IDC_SDF_DESCRIPTION), CString("Liberation Serif/18pt/b"));
        dlg.ChooseRadio(IDC_SDF_THESE_ONLY, IDC_SDF_ALL_ATTRIBUTES);
        d.CheckDlgButton(IDC_SDF_FACE, 0);
        dlg.OnChoice();
        ClickDlgButton(d, IDOK);
    });
    CSetDocumentFontsDlg first(&doc);
    ASSERT_EQ(first.DoModal(), IDOK);
    const CDocFontRecord& chosen = first.Records()[FM_CHOICES];
    EXPECT_EQ(chosen.cf.dwMask, CFM_SIZE | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE);
    EXPECT_EQ(AppProfile().GetInt("QCorrasSetFontDlg", "CurSel", -1), FM_CHOICES);
    EXPECT_EQ(AppProfile().GetString("QCorrasSetFontDlg", "Choiceslf_FaceName", ""), CString("Liberation Serif"));

    CSetDocumentFontsDlg second(&doc);
    const CDocFontRecord& back = second.Records()[FM_CHOICES];
    EXPECT_TRUE(back.bChange);
    EXPECT_FALSE(back.bUseDefault);
    EXPECT_EQ(back.nAffects, 1);
    EXPECT_FALSE(back.bFace);
    EXPECT_TRUE(back.bSize);
    EXPECT_TRUE(back.bStyles);
    EXPECT_EQ(Face(back.lf), "Liberation Serif");
    EXPECT_EQ(back.lf.lfHeight, -24);
    EXPECT_EQ(back.lf.lfWeight, FW_BOLD);
    // Untouched items keep the defaults: unchanged, the default font, all attributes.
    const CDocFontRecord& other = second.Records()[FM_QUESTION];
    EXPECT_FALSE(other.bChange);
    EXPECT_TRUE(other.bUseDefault);
    EXPECT_EQ(other.nAffects, 0);
    EXPECT_EQ(other.csDescription, CString("Times New Roman/10pt"));
    script.OnTemplate(IDD_SET_DOCUMENT_FONTS, [&](CDialog& d) {
        EXPECT_EQ(static_cast<CSetDocumentFontsDlg&>(d).GetSelectedItem(), FM_CHOICES);
        EXPECT_EQ(d.GetDlgItemText(IDC_SDF_DESCRIPTION), CString("Liberation Serif/18pt/b"));
        ClickDlgButton(d, IDCANCEL);
    });
    second.DoModal();
}

TEST_F(FontDialogsTest, HandEditedDocumentFontsOpenWithValidValuesAndOneLogLine)
{
    WriteHomeFile("Corra.ini", "[QCorrasSetFontDlg]\nQuestionChangeFlag=7\nQuestionAffectsRadio=x\n"
                               "Questionlf_Height=0\nQuestionlf_Weight=5000\nQuestionlf_FaceName=No Such Face\n"
                               "Choiceslf_Height=-100000\nChoiceslf_FaceName=" +
                                   std::string(80, 'F') + "\nCurSel=99\n");
    ResetLogging();
    CQuietDoc doc;
    CSetDocumentFontsDlg dlg(&doc);
    const CDocFontRecord& q = dlg.Records()[FM_QUESTION];
    EXPECT_FALSE(q.bChange);
    EXPECT_EQ(q.nAffects, 0);
    EXPECT_EQ(q.lf.lfHeight, -13);
    EXPECT_EQ(q.lf.lfWeight, 1000);
    EXPECT_EQ(Face(q.lf), "No Such Face");
    const CDocFontRecord& c = dlg.Records()[FM_CHOICES];
    EXPECT_EQ(c.lf.lfHeight, -13);
    EXPECT_EQ(Face(c.lf), "Times New Roman");
    const std::string log = GetLogBuffer().str();
    const size_t first = log.find("values out of range");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(log.find("values out of range", first + 1), std::string::npos);
    CModalScript script;
    script.OnTemplate(IDD_SET_DOCUMENT_FONTS, [&](CDialog& d) {
        EXPECT_EQ(static_cast<CSetDocumentFontsDlg&>(d).GetSelectedItem(), 0);
        ClickDlgButton(d, IDCANCEL);
    });
    dlg.DoModal();
}

// Sets one item's choices as a user would, clicking the last of them.
void ChooseItem(CSetDocumentFontsDlg& dlg, int slot, BOOL change, BOOL useDefault, BOOL face, BOOL size, BOOL styles)
{
    dlg.GetDlgItemAs<CListBox>(IDC_SDF_ITEMS)->SetCurSel(slot);
    dlg.OnSelChange();
    dlg.CheckDlgButton(IDC_SDF_CHANGE, change);
    if (useDefault)
        dlg.ChooseRadio(IDC_SDF_DEFAULT, IDC_SDF_FONT);
    else
        dlg.ChooseRadio(IDC_SDF_FONT, IDC_SDF_DEFAULT);
    const BOOL all = face && size && styles;
    if (all)
        dlg.ChooseRadio(IDC_SDF_ALL_ATTRIBUTES, IDC_SDF_THESE_ONLY);
    else
        dlg.ChooseRadio(IDC_SDF_THESE_ONLY, IDC_SDF_ALL_ATTRIBUTES);
    dlg.CheckDlgButton(IDC_SDF_FACE, face);
    dlg.CheckDlgButton(IDC_SDF_SIZE, size);
    dlg.CheckDlgButton(IDC_SDF_STYLES, styles);
    dlg.OnChoice();
}

TEST_F(FontDialogsTest, DocumentFontsChangeOnlyTheChosenAttributes)
{
    InstallFontDialogs();
    CQuietDoc doc;
    const CString arial = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\\f0\\fs20 ";
    auto* mc = new CCorraQuestion;
    mc->m_nId = 1;
    mc->m_nType = static_cast<int>(IDS_QTYPE_MC);
    mc->m_cszQuestionText = arial + "Pick one\\par}";
    doc.InsertQuestion(mc);
    ASSERT_TRUE(mc->SetChoices("a. one\nb. two"));
    mc->m_cszAnswer = "a";
    auto* essay = new CCorraQuestion;
    essay->m_nId = 2;
    essay->m_nType = static_cast<int>(IDS_QTYPE_ES);
    essay->m_cszQuestionText = arial + "Explain\\par}";
    essay->m_cszAnswer = arial + "\\embo\\fs30 Because\\par}";
    doc.InsertQuestion(essay);

    chooser.faces = {"Liberation Serif"};
    chooser.height = -24;
    CModalScript script;
    script.On<CSetDocumentFontsDlg>([](CSetDocumentFontsDlg& dlg) {
        ChooseItem(dlg, FM_QUESTION, TRUE, FALSE, FALSE, TRUE, FALSE);
        dlg.OnFont();
        ClickDlgButton(dlg, IDOK);
    });
    ASSERT_TRUE(doc.SetAllFonts());
    for (CCorraQuestion* q : {mc, essay}) {
        EXPECT_NE(q->m_cszQuestionText.Find("Arial"), -1) << q->m_cszQuestionText.GetString();
        EXPECT_EQ(q->m_cszQuestionText.Find("Liberation"), -1) << q->m_cszQuestionText.GetString();
        EXPECT_NE(q->m_cszQuestionText.Find("\\fs36"), -1) << q->m_cszQuestionText.GetString();
        // A chosen size is kept when the program's font changes; the styles still follow it.
        EXPECT_NE(q->m_cszQuestionText.Find("\\embo"), -1) << q->m_cszQuestionText.GetString();
        EXPECT_EQ(q->m_cszQuestionText.Find("\\shad"), -1) << q->m_cszQuestionText.GetString();
    }
    EXPECT_EQ(mc->GetChoice(0, FALSE).Find("\\fs36"), -1);
    EXPECT_EQ(essay->m_cszAnswer.Find("\\fs36"), -1);

    // The face alone: each text keeps the size it has.
    script.On<CSetDocumentFontsDlg>([](CSetDocumentFontsDlg& dlg) {
        ChooseItem(dlg, FM_QUESTION, TRUE, FALSE, TRUE, FALSE, FALSE);
        ClickDlgButton(dlg, IDOK);
    });
    ASSERT_TRUE(doc.SetAllFonts());
    for (CCorraQuestion* q : {mc, essay}) {
        EXPECT_NE(q->m_cszQuestionText.Find("Liberation Serif"), -1) << q->m_cszQuestionText.GetString();
        EXPECT_NE(q->m_cszQuestionText.Find("\\fs36"), -1) << q->m_cszQuestionText.GetString();
    }

    // The essay's answer follows the answer item; the text is left alone this time.
    script.On<CSetDocumentFontsDlg>([](CSetDocumentFontsDlg& dlg) {
        ChooseItem(dlg, FM_QUESTION, FALSE, FALSE, TRUE, FALSE, FALSE);
        ChooseItem(dlg, FM_ANSWER, TRUE, TRUE, TRUE, TRUE, TRUE);
        ClickDlgButton(dlg, IDOK);
    });
    const CString text = essay->m_cszQuestionText;
    ASSERT_TRUE(doc.SetAllFonts());
    EXPECT_EQ(essay->m_cszQuestionText, text);
    EXPECT_NE(essay->m_cszAnswer.Find("Times New Roman"), -1) << essay->m_cszAnswer.GetString();
    EXPECT_EQ(essay->m_cszAnswer.Find("Arial"), -1) << essay->m_cszAnswer.GetString();
    // The default font again: its size, no longer the one set by hand, follows the program's.
    EXPECT_EQ(essay->m_cszAnswer.Find("\\embo "), -1) << essay->m_cszAnswer.GetString();
    EXPECT_EQ(essay->m_cszAnswer.Find("\\embo\\"), -1) << essay->m_cszAnswer.GetString();
    EXPECT_EQ(mc->m_cszAnswer, CString("a"));

    // Cancel changes nothing.
    script.On<CSetDocumentFontsDlg>([](CSetDocumentFontsDlg& dlg) { ClickDlgButton(dlg, IDCANCEL); });
    doc.SetModifiedFlag(FALSE);
    EXPECT_FALSE(doc.SetAllFonts());
    EXPECT_FALSE(doc.IsModified());
}

} // namespace
