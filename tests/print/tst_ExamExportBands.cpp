// An exam's bands composed into hidden rich-edit controls as an export composes them: the marked
// groups of a Word header and footer, the HTML tables with the student's fields, the rows of a
// text page, and a measuring pass that writes nothing.

#include "print/ExamExportEngine.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/OldProgressDlg.h"
#include "model/ExamDoc.h"
#include "model/HtmlSettings.h"
#include "platform/core/HtmlMarkup.h"
#include "print/HtmlDraw.h"
#include "render/FontMgr.h"
#include "tests/support/CorraTest.h"

#include <memory>

namespace {

CTestResetHook g_resetExamSettings([] { CExamDoc::PrintSettings() = CExamPrintSettings{}; });

class CBandExam : public CExamDoc {
public:
    CBandExam() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
};

class ExamExportBandsTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        CExamDoc::LoadDefaults();
        exam = std::make_unique<CBandExam>();
        exam->m_csTitle1 = "Biology {101}";
        exam->m_csTitle2 = "Midterm 50%";
        exam->SetPathName(HomePath("exams/mid.exm"), FALSE);
        const int dpi = CFontMgr::GetScreenDpi();
        target.resize(7 * dpi, 9 * dpi);
        measure.resize(7 * dpi, 9 * dpi);
        ctx.pTarget = &target;
        ctx.pMeasure = &measure;
        ctx.pHtml = &html;
        ctx.m_rectDraw = CRect(0, 0, 7 * dpi, 9 * dpi);
        ctx.m_nCurPage = 1;
        ctx.nFirstPage = 1;
        ctx.nLastPage = 1;
    }
    // The composition's RTF with the engine's markers bare.
    CString Composed()
    {
        CString rtf;
        target.StreamOutText(rtf, SF_RTF);
        return CExportEngine::BareMarkers(rtf);
    }
    // The page the HTML writer makes of the composition: markup as it stands, text escaped.
    CString Markup()
    {
        CString rtf, page;
        target.StreamOutText(rtf, SF_RTF);
        CHtmlDraw draw(FALSE, "exam");
        EXPECT_TRUE(draw.Input(rtf));
        EXPECT_TRUE(draw.Output(page));
        return page;
    }

    std::unique_ptr<CBandExam> exam;
    CHVRichEditCtrl target, measure;
    CHtmlSettings html;
    CExportContext ctx;
};

TEST_F(ExamExportBandsTest, AWordHeaderAndFooterAreSixMarkedGroups)
{
    ctx.nFileType = FT_WORD;
    CExamExportEngine engine(*exam, "Form {a} 100%");
    CRect rect = ctx.m_rectDraw;
    engine.DrawPageHeader(ctx, rect, TRUE);
    engine.DrawPageFooter(ctx, rect, TRUE);
    const CString rtf = Composed();
    const int hdr = rtf.Find("<hdr>"), hdrEnd = rtf.Find("<hdrend>"), ftr = rtf.Find("<ftr>"), ss = rtf.Find("<ss>");
    ASSERT_GE(hdr, 0) << rtf.GetString();
    EXPECT_LT(hdr, hdrEnd);
    EXPECT_LT(hdrEnd, ss);
    EXPECT_LT(ss, ftr);
    EXPECT_LT(ftr, rtf.Find("<ftrend>"));
    // Six groups in each band.
    auto count = [](const CString& s, LPCSTR what) {
        int n = 0;
        for (int at = s.Find(what); at >= 0; at = s.Find(what, at + 1))
            ++n;
        return n;
    };
    const CString header = rtf.Mid(hdr, hdrEnd - hdr);
    const CString footer = rtf.Mid(ftr);
    EXPECT_EQ(count(header, "<lbrace>"), 6);
    EXPECT_EQ(count(header, "<rbrace>"), 6);
    EXPECT_EQ(count(footer, "<lbrace>"), 6);
    // A tab after places 0, 1, 3 and 4, a line break after 2, nothing after 5.
    for (const CString& band : {header, footer}) {
        std::vector<CString> groups;
        for (int at = band.Find("<lbrace>"); at >= 0; at = band.Find("<lbrace>", at + 1))
            groups.push_back(band.Mid(at, band.Find("<rbrace>", at) - at));
        ASSERT_EQ(groups.size(), 6u);
        for (int i : {0, 1, 3, 4})
            EXPECT_GE(groups[static_cast<size_t>(i)].Find("\\tab"), 0) << i << groups[static_cast<size_t>(i)].GetString();
        EXPECT_GE(groups[2].Find("\\par"), 0) << groups[2].GetString();
        EXPECT_LT(groups[5].Find("\\tab"), 0);
        EXPECT_LT(groups[5].Find("\\par"), 0);
    }
    // The items: titles with their braces escaped once, the live page number, the form's name.
    EXPECT_GE(header.Find("Biology \\{101\\}"), 0) << header.GetString();
    EXPECT_GE(header.Find("Midterm 50%"), 0);
    EXPECT_GE(footer.Find("<pgnum>"), 0);
    EXPECT_GE(footer.Find("Form: Form \\{a\\} 100%"), 0) << footer.GetString();
    EXPECT_GE(footer.Find("File: ./exams/mid.exm"), 0) << footer.GetString();
    EXPECT_LT(footer.Find("\\\\\\\\"), 0);
}

// Word puts the bands into the file once, as groups; a WordPerfect page has its rows on every
// page as a text page has.
TEST_F(ExamExportBandsTest, AWordPerfectPageHasItsRowsOnEveryPage)
{
    CExamExportEngine engine(*exam);
    ctx.nLastPage = 2;
    ctx.m_nCurPage = 2;
    for (const auto& [type, rows] : {std::pair{FT_WORD, FALSE}, std::pair{FT_WORDPERFECT, TRUE}}) {
        ctx.nFileType = type;
        target.SetWindowText("");
        CRect rect = ctx.m_rectDraw;
        engine.DrawPageHeader(ctx, rect, TRUE);
        EXPECT_EQ(rect.top > ctx.m_rectDraw.top, rows) << type;
        engine.DrawPageFooter(ctx, rect, TRUE);
        const CString text = target.GetText();
        EXPECT_EQ(text.Find("Biology {101}") >= 0, rows) << type << ": " << text.GetString();
        EXPECT_EQ(text.Find("Page 2") >= 0, rows) << type << ": " << text.GetString();
        EXPECT_EQ(Composed().Find("<ftr>") >= 0, !rows) << type;
    }
}

TEST_F(ExamExportBandsTest, TheHtmlHeaderIsATableWithTheStudentsFields)
{
    ctx.nFileType = FT_HTML;
    html.m_bBdrHdr = TRUE;
    CExamExportEngine engine(*exam);
    CRect rect = ctx.m_rectDraw;
    engine.DrawPageHeader(ctx, rect, TRUE);
    EXPECT_GT(rect.top, ctx.m_rectDraw.top);
    const CString rtf = Markup();
    EXPECT_GE(rtf.Find("<table border=1 width=100%>"), 0) << rtf.GetString();
    EXPECT_GE(rtf.Find("name=\"stname\" size=10"), 0) << rtf.GetString();
    EXPECT_GE(rtf.Find("name=\"stid\" size=5"), 0);
    EXPECT_GE(rtf.Find(CString::Formatted("<td class=%s align=left width=33%%>",
                                          CFontMgr::GetSlotClassName(FM_EXAMCOURSENAME))),
              0);

    // A key names its form there instead, as text.
    target.SetWindowText("");
    CExamExportEngine keys(*exam, "Form <b>", TRUE);
    rect = ctx.m_rectDraw;
    keys.DrawPageHeader(ctx, rect, TRUE);
    const CString key = Markup();
    EXPECT_LT(key.Find("stname"), 0);
    EXPECT_LT(key.Find("Form <b>"), 0);
    EXPECT_GE(key.Find("Form &lt;b&gt;"), 0) << key.GetString();

    // Without its header (first page only, page 2) nothing is written.
    target.SetWindowText("");
    CExamDoc::PrintSettings().firstPageOnly = TRUE;
    ctx.m_nCurPage = 2;
    rect = ctx.m_rectDraw;
    engine.DrawPageHeader(ctx, rect, TRUE);
    EXPECT_EQ(target.GetTextLength(), 0);
}

TEST_F(ExamExportBandsTest, AMeasuringPassWritesNoFooterAndBandsOffKeepOnePercent)
{
    ctx.nFileType = FT_TEXT;
    CExamExportEngine engine(*exam);
    CRect rect = ctx.m_rectDraw;
    ctx.dwFlags |= EXPF_MEASURING;
    engine.DrawPageFooter(ctx, rect, TRUE);
    EXPECT_EQ(target.GetTextLength(), 0);
    EXPECT_EQ(rect, ctx.m_rectDraw);

    // Measured, the footer is its two rows; drawn, its texts stand in the page.
    CRect measured;
    engine.DrawPageFooter(ctx, measured, FALSE);
    EXPECT_GT(measured.Height(), 0);
    EXPECT_EQ(measured.bottom, ctx.m_rectDraw.bottom);
    ctx.dwFlags &= ~EXPF_MEASURING;
    engine.DrawPageFooter(ctx, rect, TRUE);
    const CString text = target.GetText();
    EXPECT_GE(text.Find("Page 1"), 0) << text.GetString();
    EXPECT_GE(text.Find("File: ./exams/mid.exm"), 0);

    // An HTML footer measured is kept in the record as the page's footer.
    ctx.nFileType = FT_HTML;
    CRect html;
    engine.DrawPageFooter(ctx, html, FALSE);
    EXPECT_EQ(html.Height(), measured.Height());
    EXPECT_EQ(ctx.rectFooter, html);
    ctx.nFileType = FT_TEXT;

    // Both bands off: a band of 1% of the page at each end.
    CExamDoc::PrintSettings().printHdr = FALSE;
    CExamDoc::PrintSettings().printFtr = FALSE;
    const int onePercent = static_cast<int>(ctx.m_rectDraw.Height() * 0.01);
    CRect header, footer;
    engine.DrawPageHeader(ctx, header, FALSE);
    engine.DrawPageFooter(ctx, footer, FALSE);
    EXPECT_EQ(header.Height(), onePercent);
    EXPECT_EQ(footer.Height(), onePercent);
}

TEST_F(ExamExportBandsTest, EveryDrawnPageIsShownInTheProgressWithOrWithoutItsHeader)
{
    ctx.nFileType = FT_TEXT;
    ctx.nLastPage = 3;
    COldProgressDlg progress;
    ctx.pProgress = &progress;
    CExamExportEngine engine(*exam);
    struct Case {
        BOOL printHdr, firstPageOnly;
        int page;
    };
    for (const Case& c : {Case{TRUE, FALSE, 1}, Case{FALSE, FALSE, 2}, Case{TRUE, TRUE, 3}}) {
        CExamDoc::PrintSettings().printHdr = c.printHdr;
        CExamDoc::PrintSettings().firstPageOnly = c.firstPageOnly;
        ctx.m_nCurPage = static_cast<UINT>(c.page);
        progress.SetText("");
        CRect rect = ctx.m_rectDraw;
        engine.DrawPageHeader(ctx, rect, TRUE);
        EXPECT_EQ(progress.GetText(), CString::Formatted("Drawing Page %d", c.page)) << c.page;
    }
    // A measuring pass leaves the progress as it is.
    progress.SetText("");
    ctx.dwFlags |= EXPF_MEASURING;
    CRect rect = ctx.m_rectDraw;
    engine.DrawPageHeader(ctx, rect, TRUE);
    EXPECT_EQ(progress.GetText(), CString());
    ctx.pProgress = nullptr;
}

TEST_F(ExamExportBandsTest, ItemsFollowThePlacesOfPaper)
{
    CExamPrintSettings& s = CExamDoc::PrintSettings();
    s.examTitlePosIndex = s.courseNamePosIndex;  // the course name keeps the place
    s.pageNumFmt = "%A";
    CExamExportEngine engine(*exam);
    ctx.nFileType = FT_RTF;
    ctx.m_nCurPage = 2;
    CString text;
    int slot = -1;
    engine.GetHeaderItem(s.courseNamePosIndex, text, slot, ctx);
    EXPECT_EQ(text, "Biology {101}");
    EXPECT_EQ(slot, FM_EXAMCOURSENAME);
    engine.GetHeaderItem(3, text, slot, ctx);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(slot, 0);
    engine.GetFooterItem(s.pageNumPosIndex, text, slot, ctx);
    EXPECT_EQ(text, "B");
    engine.GetHeaderItem(9, text, slot, ctx);
    EXPECT_TRUE(text.IsEmpty());
}

} // namespace
