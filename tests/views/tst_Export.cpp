// The export of a bank's questions into files: the pages the scan makes, what each file type
// holds, the page words of RTF, the page files of HTML, and that a failed or cancelled export
// leaves the old file as it was and no page file behind.

#include "views/CorraView.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/OldProgressDlg.h"
#include "controls/WordConvert.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "model/Group.h"
#include "model/HtmlSettings.h"
#include "platform/core/FileSys.h"
#include "platform/ui/CharFormat.h"
#include "print/ExportContext.h"
#include "print/ExportEngine.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraPanes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "tests/support/ModalScript.h"
#include "tests/support/QuestionBankDoc.h"
#include "print/ExamPrintPages.h"
#include "print/ExportDialog.h"
#include "res/ids/Print.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>
#include <string>
#include <vector>

namespace {

using CExportDoc = CQuestionBankDoc;

std::string ReadAll(const CString& path)
{
    std::string bytes;
    fsys::ReadFile(path, bytes);
    return bytes;
}

// A converter that copies the RTF it is given to the destination, or fails.
class CCopyConverter : public IDocumentConverter {
public:
    BOOL bFail = FALSE;
    std::vector<CString> sources;
    BOOL IsInstalled(int) override { return TRUE; }
    BOOL Convert(int, WCType& block, const std::function<bool()>&) override
    {
        sources.push_back(block.source);
        if (bFail) {
            block.error = "The converter stopped.";
            return FALSE;
        }
        std::string rtf = ReadAll(block.source);
        rtf = "DOC:" + rtf;
        return fsys::WriteFile(block.destination, rtf.data(), rtf.size());
    }
};

class ExportTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        InstallRtfTextDrawer();
        doc = std::make_unique<CExportDoc>();
        doc->SetTitle("Export");
        richBox.QueueAnswer(IDOK);
    }
    void TearDown() override
    {
        panes.reset();
        doc.reset();
        CorraTest::TearDown();
    }
    CCorraView& Upper()
    {
        if (!panes)
            panes = std::make_unique<CCorraPanes>(*doc);
        return *panes->upper;
    }
    void AddQuestions(int count, int firstId = 1)
    {
        for (int i = 0; i < count; ++i)
            doc->Add(firstId + i, IDS_QTYPE_MC, CString::Formatted("Question %d asks something.", firstId + i));
    }
    // Exports into the home folder; the record stays for the test to read.
    BOOL Export(int nType, const char* name, std::function<void(CExportContext&)> tune = nullptr)
    {
        ctx = std::make_unique<CExportContext>();
        ctx->nFileType = nType;
        ctx->csOutputPath = HomePath(name);
        if (tune)
            tune(*ctx);
        return Upper().RunExport(*ctx);
    }

    std::unique_ptr<CExportDoc> doc;
    std::unique_ptr<CCorraPanes> panes;
    std::unique_ptr<CExportContext> ctx;
};

TEST_F(ExportTest, RtfHoldsPageWordsTitlesQuestionsAndTypedMarkers)
{
    doc->m_csTitle1 = "Biology 101";
    doc->m_csTitle2 = "Midterm";
    AddQuestions(3);
    doc->Add(4, IDS_QTYPE_ES, "Explain <pbrk> and <hdr> as typed.");
    ASSERT_TRUE(Export(FT_RTF, "out.rtf"));
    const std::string rtf = ReadAll(HomePath("out.rtf"));
    EXPECT_NE(rtf.find("\\paperw12240\\paperh15840\\margl1440\\margr1440\\margt1440\\margb1440 "), std::string::npos);
    EXPECT_NE(rtf.find("Biology 101"), std::string::npos);
    EXPECT_NE(rtf.find("Midterm"), std::string::npos);
    EXPECT_NE(rtf.find("Page 1"), std::string::npos);
    // The footer's row ends the file: no empty paragraph after it to spill onto a new page.
    const std::string tail = rtf.substr(rtf.rfind("Page 1"));
    EXPECT_EQ(tail.find("\\par"), tail.rfind("\\par")) << tail;
    size_t at = 0;
    for (int id = 1; id <= 3; ++id) {
        const size_t found = rtf.find(CString::Formatted("Question %d asks", id).GetString(), at);
        ASSERT_NE(found, std::string::npos) << id;
        at = found;
    }
    // The question's text reads as typed; the file has no page break (one page).
    EXPECT_NE(rtf.find("Explain \\'3cpbrk> and \\'3chdr> as typed."), std::string::npos);
    EXPECT_EQ(rtf.find("\\page"), std::string::npos);
    EXPECT_EQ(rtf.find("<pbrk>"), std::string::npos);
    EXPECT_EQ(rtf.find("crrhtml"), std::string::npos);
    // Read back by the RTF reader, the text shows the markers as typed.
    CHVRichEditCtrl back;
    back.SetWindowText(CString(rtf));
    EXPECT_GE(back.GetText().Find("Explain <pbrk> and <hdr> as typed."), 0);
}

TEST_F(ExportTest, MarginsAreClampedInTheControlAndInThePageWords)
{
    AddQuestions(2);
    ASSERT_TRUE(Export(FT_RTF, "m.rtf", [](CExportContext& c) {
        c.dLeft = 3.5;
        c.dTop = 5;
        c.dRight = -1;
        c.nOrientation = 2;
    }));
    const std::string rtf = ReadAll(HomePath("m.rtf"));
    EXPECT_NE(rtf.find("\\margl4320\\margr0\\margt5760\\margb1440\\lndscpsxn "), std::string::npos);
    EXPECT_DOUBLE_EQ(ctx->dLeft, 3.0);
    EXPECT_DOUBLE_EQ(ctx->dTop, 4.0);
    EXPECT_DOUBLE_EQ(ctx->dRight, 0.0);
    // 8.5 - 3 - 0 inches across, 11 - 4 - 1 down, at the screen's resolution.
    const int dpi = CFontMgr::GetScreenDpi();
    EXPECT_EQ(ctx->m_rectDraw.Width(), static_cast<int>(5.5 * dpi));
    EXPECT_EQ(ctx->m_rectDraw.Height(), static_cast<int>(6.0 * dpi));
}

TEST_F(ExportTest, TextIsUtf8WithEveryQuestionAndPageSeparations)
{
    doc->Add(1, IDS_QTYPE_ES, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 caf\\'e9 au lait \\u8364?}");
    AddQuestions(2, 2);
    // Titles and instructions typed in RTF keep their letters too.
    doc->m_csTitle1 = "{\\rtf1\\ansi Biolog\\'eda \\u8364?}";
    doc->m_csInstructions = "{\\rtf1\\ansi L\\'e9ase \\u945?\\par}";
    ASSERT_TRUE(Export(FT_TEXT, "out.txt"));
    const std::string text = ReadAll(HomePath("out.txt"));
    EXPECT_NE(text.find("caf\xc3\xa9 au lait \xe2\x82\xac"), std::string::npos);
    EXPECT_NE(text.find("Biolog\xc3\xad" "a \xe2\x82\xac"), std::string::npos) << text;
    EXPECT_NE(text.find("L\xc3\xa9" "ase \xce\xb1"), std::string::npos) << text;
    EXPECT_EQ(text.find('@'), std::string::npos);
    EXPECT_NE(text.find("Question 2 asks"), std::string::npos);
    EXPECT_NE(text.find("Page 1"), std::string::npos);
    EXPECT_NE(text.find("____"), std::string::npos);
}

// An HTML page keeps every character of a question and its choices: accented letters and those
// Windows-1252 lacks alike.
TEST_F(ExportTest, HtmlKeepsEveryCharacterOfQuestionsAndChoices)
{
    CCorraQuestion* q = doc->Add(1, IDS_QTYPE_MC, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 Is caf\\'e9 \\u945? <b>?}");
    q->SetChoices("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0 a. \\u8804? two\\par b. caf\\'e9 \\u8364?\\par}");
    ASSERT_TRUE(Export(FT_HTML, "out.htm"));
    const QString page = QString::fromUtf8(ReadAll(HomePath("out.htm")).c_str());
    // A character is kept as itself or as its reference.
    auto kept = [&page](char16_t c) {
        return page.contains(QChar(c)) || page.contains(QString("&#%1;").arg(static_cast<int>(c))) ||
               page.contains(QString("&#x%1;").arg(static_cast<int>(c), 0, 16), Qt::CaseInsensitive);
    };
    for (char16_t c : {u'\u00e9', u'\u03b1', u'\u2264', u'\u20ac'})
        EXPECT_TRUE(kept(c)) << static_cast<int>(c) << "\n" << page.toStdString();
    EXPECT_FALSE(page.contains("caf@")) << page.toStdString();
    EXPECT_FALSE(page.contains("? two")) << page.toStdString();
    EXPECT_TRUE(page.contains("&lt;b&gt;")) << page.toStdString();
}

TEST_F(ExportTest, TopOfPageGroupsLeaveNoEmptyFirstPage)
{
    for (int g = 1; g <= 3; ++g) {
        doc->Group(g, GROUP_USES_HEADER | GROUP_TOP_OF_PAGE | 0x100 | 1);
        for (int i = 0; i < 2; ++i)
            doc->Add(g * 10 + i, IDS_QTYPE_MC, CString::Formatted("Member %d of group %d", i, g), g);
    }
    ASSERT_TRUE(Export(FT_RTF, "g.rtf"));
    ASSERT_EQ(ctx->nPageCount, 3);
    // Each page opens with its group's header question.
    for (int p = 0; p < 3; ++p) {
        const CCorraQuestion* first = ctx->questions[static_cast<size_t>(ctx->pageStarts[static_cast<size_t>(p)])];
        EXPECT_NE(doc->FindGroupByHeader(first), nullptr) << p;
    }
    const std::string rtf = ReadAll(HomePath("g.rtf"));
    size_t breaks = 0;
    for (size_t at = rtf.find("\\page"); at != std::string::npos; at = rtf.find("\\page", at + 1))
        if (rtf.compare(at, 6, "\\pagew") != 0)
            ++breaks;
    EXPECT_EQ(breaks, 2u);
}

TEST_F(ExportTest, TooTallQuestionStandsAloneAndTheNextStartsAPage)
{
    doc->Add(1, IDS_QTYPE_ES, "Short one.");
    CString tall;
    for (int i = 0; i < 200; ++i)
        tall += "A line of a very long question\n";
    doc->Add(2, IDS_QTYPE_ES, tall);
    doc->Add(3, IDS_QTYPE_ES, "After the tall one.");
    ASSERT_TRUE(Export(FT_RTF, "t.rtf"));
    ASSERT_EQ(ctx->nPageCount, 3);
    EXPECT_EQ(ctx->questions[static_cast<size_t>(ctx->pageStarts[1])]->m_nId, 2);
    EXPECT_EQ(ctx->questions[static_cast<size_t>(ctx->pageStarts[2])]->m_nId, 3);
}

TEST_F(ExportTest, IndentedGroupMembersComeInFivePercentFromBothSides)
{
    doc->Group(1, GROUP_USES_HEADER | GROUP_INDENTED | 0x100 | 1);
    doc->Add(1, IDS_QTYPE_ES, "A member of the group.", 1);
    CExportContext c;
    CHVRichEditCtrl target, measure;
    const int dpi = CFontMgr::GetScreenDpi();
    target.resize(8 * dpi, 9 * dpi);
    c.pTarget = &target;
    c.pMeasure = &measure;
    c.nFileType = FT_RTF;
    c.m_rectDraw = CRect(0, 0, 8 * dpi, 9 * dpi);
    CExportEngine engine(*doc);
    CRect rect = c.m_rectDraw;
    CCorraQuestion* member = doc->FindQuestionById(1);
    ASSERT_NE(member, nullptr);
    ASSERT_TRUE(engine.InsertQuestion(c, member, rect, TRUE));
    // 0.4 inch each side.
    QTextCursor cur(target.document());
    cur.setPosition(0);
    const QTextBlockFormat fmt = cur.blockFormat();
    EXPECT_NEAR(fmt.leftMargin(), 0.4 * dpi, 1.0);
    EXPECT_NEAR(fmt.rightMargin(), 0.4 * dpi, 1.0);
    // The group's header question stays where it is.
    CPtrListEx headers;
    doc->MakeGroupHeaderQuestions(headers);
    ASSERT_FALSE(headers.IsEmpty());
    target.SetWindowText("");
    rect = c.m_rectDraw;
    ASSERT_TRUE(engine.InsertQuestion(c, static_cast<CCorraQuestion*>(headers.GetHead()), rect, TRUE));
    cur = QTextCursor(target.document());
    EXPECT_NEAR(cur.blockFormat().leftMargin(), 0.0, 1.0);
}

TEST_F(ExportTest, RangeIsClampedAndEmptyInstructionsAddNothing)
{
    CString tall;
    for (int i = 0; i < 40; ++i)
        tall += "Another line\n";
    for (int i = 1; i <= 4; ++i)
        doc->Add(i, IDS_QTYPE_ES, CString::Formatted("Question %d\n", i) + tall);
    ASSERT_TRUE(Export(FT_RTF, "r.rtf", [](CExportContext& c) { c.m_pPD->ChoosePages(0, 999); }));
    ASSERT_GT(ctx->nPageCount, 1);
    EXPECT_EQ(ctx->nFirstPage, 1);
    EXPECT_EQ(ctx->nLastPage, ctx->nPageCount);

    const std::string plain = ReadAll(HomePath("r.rtf"));
    doc->m_csInstructions = "{\\rtf1\\ansi   \\par }";
    ASSERT_TRUE(Export(FT_RTF, "r2.rtf", [](CExportContext& c) { c.m_pPD->ChoosePages(0, 999); }));
    EXPECT_EQ(ReadAll(HomePath("r2.rtf")), plain);
}

TEST_F(ExportTest, OnePagePerFileWritesAFilePerQuestion)
{
    AddQuestions(12);
    for (int i = 0; i < 2; ++i) {
        auto* coll = doc->Add(100 + i, IDS_QTYPE_CO, CString::Formatted("Collection %d", i));
        (void)coll;
    }
    const CString folder = HomePath("pages/");
    fsys::CreateDirectory(folder);
    CHtmlSettings html;
    html.m_nDivType = HTML_FILE_PER_PAGE;
    ASSERT_TRUE(Export(FT_HTML, "pages/", [&](CExportContext& c) {
        c.nHtmlMode = HTML_FILE_PER_PAGE;
        c.pHtml = &html;
    }));
    EXPECT_EQ(fsys::ListDirectory(folder).size(), 12u);
    const std::string first = ReadAll(folder + html.GetPageFile(1));
    EXPECT_NE(first.find("Question 1 asks"), std::string::npos);
}

// A progress box whose user presses Cancel when a text comes for the nth time.
class CCancellingProgress : public COldProgressDlg {
public:
    CCancellingProgress(const char* when, int nth) : COldProgressDlg("Exporting...", "", 20), m_when(when), m_nth(nth) {}
    void SetText(LPCSTR text) override
    {
        COldProgressDlg::SetText(text);
        if (pCtx && CString(text).Find(m_when) >= 0 && ++m_seen == m_nth)
            pCtx->bCancel = TRUE;
    }
    CExportContext* pCtx = nullptr;

private:
    CString m_when;
    int m_nth;
    int m_seen = 0;
};

TEST_F(ExportTest, CancelledExportLeavesTheOldFileAndNoPageFiles)
{
    AddQuestions(12);
    const CString path = HomePath("old.rtf");
    fsys::WriteFile(path, "old", 3);
    CCancellingProgress scanning("Scanning", 1);
    EXPECT_FALSE(Export(FT_RTF, "old.rtf", [&](CExportContext& c) {
        c.pProgress = &scanning;
        scanning.pCtx = &c;
    }));
    EXPECT_EQ(ReadAll(path), "old");

    const CString folder = HomePath("pages/");
    fsys::CreateDirectory(folder);
    CHtmlSettings html;
    html.m_nDivType = HTML_FILE_PER_PAGE;
    CCancellingProgress pages("Creating HTML File\n", 6);
    EXPECT_FALSE(Export(FT_HTML, "pages/", [&](CExportContext& c) {
        c.nHtmlMode = HTML_FILE_PER_PAGE;
        c.pHtml = &html;
        c.pProgress = &pages;
        pages.pCtx = &c;
    }));
    EXPECT_TRUE(fsys::ListDirectory(folder).empty());
}

TEST_F(ExportTest, MissingOrReadOnlyFolderFailsWithoutAFile)
{
    AddQuestions(2);
    EXPECT_FALSE(Export(FT_TEXT, "missing/out.txt"));
    EXPECT_FALSE(fsys::Exists(HomePath("missing/out.txt")));
    ASSERT_FALSE(messageBox.calls.empty());
    EXPECT_GE(messageBox.calls.back().text.Find("Cannot open file"), 0);
}

TEST_F(ExportTest, ExpandedTextIsTheExportsComposition)
{
    AddQuestions(3);
    CCorraView& view = Upper();
    view.OnExpanded();
    ASSERT_NE(view.GetTextPane(), nullptr);
    const CString pane = view.GetTextPane()->GetText();
    CExportContext c;
    CHVRichEditCtrl target;
    target.resize(600, 800);
    c.pTarget = &target;
    c.nFileType = FT_WORD;
    c.draw = CDrawContext::Screen(nullptr, QDRAW_FULL);
    c.draw.choicesIndent = 5;
    CExportEngine engine(*doc);
    CRect rect(0, 0, 600, 800);
    int n = 1;
    for (int id = 1; id <= 3; ++id) {
        CCorraQuestion* q = doc->FindQuestionById(id);
        c.numbers[q] = n++;
        ASSERT_TRUE(engine.InsertQuestion(c, q, rect, TRUE));
    }
    EXPECT_EQ(pane, target.GetText());
}

TEST_F(ExportTest, WordGoesThroughTheConverterAndAFailureKeepsTheOldFile)
{
    AddQuestions(2);
    doc->m_csTitle1 = "Course";
    CCopyConverter converter;
    CServiceScope<IDocumentConverter> scope(DocumentConverterSlot(), converter);
    ASSERT_TRUE(Export(FT_WORD, "out.doc"));
    const std::string made = ReadAll(HomePath("out.doc"));
    ASSERT_EQ(made.rfind("DOC:", 0), 0u);
    EXPECT_NE(made.find("{\\header"), std::string::npos);
    EXPECT_NE(made.find("{\\footer"), std::string::npos);
    EXPECT_NE(made.find("PAGE"), std::string::npos);
    ASSERT_EQ(converter.sources.size(), 1u);
    EXPECT_FALSE(fsys::Exists(converter.sources[0]));

    converter.bFail = TRUE;
    const size_t shown = messageBox.calls.size();
    EXPECT_FALSE(Export(FT_WORD, "out.doc"));
    EXPECT_EQ(ReadAll(HomePath("out.doc")), made);
    EXPECT_GT(messageBox.calls.size(), shown);
    for (const fsys::CDirEntry& entry : fsys::ListDirectory(Home()))
        EXPECT_EQ(entry.name.Find(".export"), -1) << entry.name.GetString();
}

TEST_F(ExportTest, WordPerfectWritesNothing)
{
    AddQuestions(1);
    EXPECT_FALSE(Export(FT_WORDPERFECT, "out.wpd"));
    EXPECT_FALSE(fsys::Exists(HomePath("out.wpd")));
    ASSERT_FALSE(messageBox.calls.empty());
    EXPECT_GE(messageBox.calls.back().text.Find("WordPerfect"), 0);
}

// The bank's printing-properties page, as the program installs it.
class CPropertiesPageDialogs : public CFakeDocumentDialogs {
public:
    BOOL HasPrintingPropertiesDialog() const override { return TRUE; }
    BOOL PrintingProperties(CCorraDoc&, CPrintingValues& values) override
    {
        return RunPrintingPropertiesPage(nullptr, values, FALSE);
    }
};

TEST_F(ExportTest, ABanksPrintingPropertiesOpenBeforePrintingAndCancelStopsIt)
{
    AddQuestions(2);
    CPropertiesPageDialogs dialogs;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), dialogs);
    CCorraView& view = Upper();
    CModalScript script;
    script.On<CExamPrintPropPage>([](CExamPrintPropPage& d) { ClickDlgButton(d, IDCANCEL); });
    script.On<CExamPrintPropPage>([](CExamPrintPropPage& d) {
        d.CheckRadioButton(IDC_PP_STYLE_FIRST, IDC_PP_STYLE_ANSWER_SHEET, IDC_PP_STYLE_KEYS);
        ClickDlgButton(d, IDOK);
    });
    script.On<CExamPrintPropPage>([](CExamPrintPropPage& d) {
        EXPECT_EQ(d.GetWindowText(), "Question Corra Printing Properties");
        EXPECT_EQ(d.GetCheckedRadioButton(IDC_PP_STYLE_FIRST, IDC_PP_STYLE_ANSWER_SHEET), static_cast<int>(IDC_PP_STYLE_KEYS));
        ClickDlgButton(d, IDCANCEL);
    });
    EXPECT_FALSE(view.PreparePrintDocument());
    EXPECT_TRUE(view.PreparePrintDocument());
    EXPECT_EQ(view.m_nPrintMode, 3);
    EXPECT_EQ(doc->m_nPrintMode, 3);
    view.OnCommand(ID_PRINTING_PROPERTIES);
    EXPECT_EQ(script.Answered(), 3);
}

// Show answers and the first number chosen on the printing-properties page: the page shows them
// again next time and the text file holds what was chosen.
TEST_F(ExportTest, TheAnswersAndFirstNumberOfThePropertiesPageReachTheFile)
{
    doc->Add(1, IDS_QTYPE_MC, "Pick one");
    doc->Add(2, IDS_QTYPE_ES, "Explain it")->m_cszAnswer = "Membranes enclose it";
    CPropertiesPageDialogs dialogs;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), dialogs);
    const struct {
        BOOL answers;
        int first;
    } rows[] = {{FALSE, 1}, {TRUE, 1}, {TRUE, 5}, {FALSE, 5}};
    BOOL shownAnswers = FALSE;
    int shownFirst = 1;
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "answers " << row.answers << " first " << row.first);
        CModalScript script;
        script.On<CExamPrintPropPage>([&](CExamPrintPropPage& d) {
            EXPECT_EQ(d.IsDlgButtonChecked(IDC_PP_SHOW_ANSWERS) == BST_CHECKED, shownAnswers);
            EXPECT_EQ(d.GetDlgItemText(IDC_PP_START_NUMBER), CString::Formatted("%d", shownFirst));
            d.CheckDlgButton(IDC_PP_SHOW_ANSWERS, row.answers ? BST_CHECKED : BST_UNCHECKED);
            d.SetDlgItemText(IDC_PP_START_NUMBER, CString::Formatted("%d", row.first));
            ClickDlgButton(d, IDOK);
        });
        if (row.answers)
            messageBox.QueueAnswer(IDOK);  // "Confirm Show Answers"
        ASSERT_TRUE(doc->ShowPrintingProperties());
        shownAnswers = row.answers;
        shownFirst = row.first;
        ASSERT_TRUE(Export(FT_TEXT, "out.txt"));
        const std::string text = ReadAll(HomePath("out.txt"));
        EXPECT_EQ(text.find("*b") != std::string::npos, row.answers) << text;
        EXPECT_EQ(text.find("Membranes enclose it") != std::string::npos, row.answers) << text;
        EXPECT_NE(text.find(std::to_string(row.first) + ". Pick one"), std::string::npos) << text;
        EXPECT_NE(text.find(std::to_string(row.first + 1) + ". Explain it"), std::string::npos) << text;
    }
}

// An export starts without answers: the dialog says so until "Change..." asks for them.
TEST_F(ExportTest, AnExportAsksForAnswersAgain)
{
    AddQuestions(1);
    doc->m_bShowAnswers = TRUE;
    CPropertiesPageDialogs dialogs;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), dialogs);
    CModalScript script;
    script.On<CExportDialog>([](CExportDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_EXPORT_ANSWERS), "No");
        ClickDlgButton(d, IDC_EXPORT_CHANGE_STYLE);
        EXPECT_EQ(d.GetDlgItemText(IDC_EXPORT_ANSWERS), "Yes");
        ClickDlgButton(d, IDCANCEL);
    });
    script.On<CExamPrintPropPage>([](CExamPrintPropPage& d) {
        d.CheckDlgButton(IDC_PP_SHOW_ANSWERS, BST_CHECKED);
        ClickDlgButton(d, IDOK);
    });
    messageBox.QueueAnswer(IDOK);
    EXPECT_FALSE(Upper().ExportDocument());
    EXPECT_EQ(script.Answered(), 2);
    EXPECT_TRUE(doc->m_bShowAnswers);
}

} // namespace
