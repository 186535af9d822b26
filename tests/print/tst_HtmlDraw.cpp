#include "print/HtmlDraw.h"

#include "controls/HVRichEditCtrl.h"
#include "foundation/Log.h"
#include "model/Choices.h"
#include "model/CorraQuestion.h"
#include "model/HtmlSettings.h"
#include "platform/core/FileSys.h"
#include "platform/core/HtmlMarkup.h"
#include "render/FontMgr.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using HtmlDrawTest = CorraTest;

const char* const kHeader = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman\\fcharset161 Greek Face;}}"
                            "{\\colortbl ;\\red255\\green0\\blue0;}";

CString Convert(const CString& rtf, LPCSTR title = "")
{
    CHtmlDraw draw(FALSE, title);
    CString html;
    if (!draw.Input(rtf) || !draw.Output(html))
        return "<failed>";
    return html;
}

// The body lines of a page.
CString Body(const CString& page)
{
    const int start = page.Find("  <body>\r\n");
    const int end = page.Find("  </body>\r\n");
    if (start < 0 || end < start)
        return "<no body>";
    return page.Mid(start + 10, end - start - 10);
}

TEST_F(HtmlDrawTest, EachRtfFormGivesItsElementOrText)
{
    struct Case {
        const char* body;
        const char* html;
    };
    const Case cases[] = {
        {"\\b bold\\b0  plain", "<b>bold</b> plain"},
        {"{\\i it}x", "<i>it</i>x"},
        {"\\ul u\\ulnone x", "<u>u</u>x"},
        {"\\super 2\\nosupersub x\\sub 3\\nosupersub", "<sup>2</sup>x<sub>3</sub>"},
        {"a\\par b\\line c\\tab d", "a<br>b<br>c d"},
        {"\\'80 \\'e9", "&#x20ac; &#xe9;"},
        {"\\u945?\\u-4064?", "&#945;&#61472;"},
        {"\\{ \\} xxxx yyyy", "{ } xxxx yyyy"},
        {"3 < 5 & 7 > 2", "3 &lt; 5 &amp; 7 &gt; 2"},
        {"\\'3cb\\'3e", "&lt;b&gt;"},
        {"\\qc c\\pard x", "<font align = \"center\">c</font>x"},
        {"\\cf1 r\\cf0 x", "<font color = \"#ff0000\">r</font>x"},
        {"\\f0\\fs26 x", "<font style = \"font-size: 13pt; font-family:Arial;\">x</font>"},
        {"\\f1\\fs21\\'e1", "<font style = \"font-size: 10.5pt; font-family:Greek Face;\">&#x3b1;</font>"},
        // Bold ending inside a font element: each closes in turn, nothing is left open.
        {"{\\b b\\f0\\fs20 f\\b0 g}h",
         "<b>b</b><font style = \"font-size: 10pt; font-family:Arial;\"><b>f</b>g</font>h"},
        {"{\\b\\i x}", "<b><i>x</i></b>"},
        {"{\\*\\crrhtml <table><tr><td>}x", "<table><tr><td>x"},
        {"\\b a{\\*\\crrhtml <hr>}b", "<b>a</b><hr><b>b</b>"},
        {"{\\*\\unknown hidden}{\\info {\\title t}}shown", "shown"},
        {"\\cell a\\cell\\row b", " a <br>b"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Body(Convert(CString(kHeader) + c.body + "}")), CString(c.html)) << c.body;
}

TEST_F(HtmlDrawTest, TheHeadLinesAndStylesStandAsWritten)
{
    const CString page = Convert("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}x}", "Quiz <1> & more");
    const CString head = "<html>\r\n"
                         "  <head>\r\n"
                         "     <meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
                         "     <title>Quiz &lt;1&gt; &amp; more</title>\r\n"
                         "\n<STYLE TYPE=\"text/css\">\n";
    EXPECT_EQ(page.Left(head.GetLength()), head);
    LOGFONT lf;
    CFontMgr::GetSlotLogFont(lf, FM_QUESTION);
    const CString qtext = CString::Formatted(
        "TD.qtext  { font-style: normal; text-decoration: none; font-weight: normal; font-size: %dpt; "
        "font-family:\"%s\";}  \n",
        CFontMgr::HeightToPoints(lf), lf.lfFaceName);
    EXPECT_GE(page.Find(qtext), 0) << page.GetString();
    EXPECT_GE(page.Find("FONT.crrpagenum  { "), 0);
    EXPECT_GE(page.Find("</STYLE>\r\n  </head>\r\n  <body>\r\nx  </body>\r\n</html>\r\n"), 0);
    EXPECT_EQ(CHtmlDraw::MakeFontStyles("TD").Right(10), CString("</STYLE>\r\n"));

    // A face the profile holds is never more than a name inside the style element.
    CFontMgr::GetSlotLogFont(lf, FM_QUESTION);
    LOGFONT odd = lf;
    std::snprintf(odd.lfFaceName, sizeof(odd.lfFaceName), "%s", "A\";}<x>");
    CFontMgr::SetSlotLogFont(odd, FM_QUESTION);
    const CString styles = CHtmlDraw::MakeFontStyles("FONT");
    CFontMgr::SetSlotLogFont(lf, FM_QUESTION);
    EXPECT_GE(styles.Find("font-family:\"Ax\";}"), 0) << styles.GetString();
    EXPECT_LT(styles.Find("<x>"), 0);

    EXPECT_GE(Convert("{\\rtf1\\ansi\\ansicpg1253{\\fonttbl{\\f0 Arial;}}x}").Find("charset=windows-1253\">"), 0);
}

TEST_F(HtmlDrawTest, RtfWithoutAFontTableShowsInTheDocumentFont)
{
    LOGFONT lf;
    CFontMgr::GetSlotLogFont(lf, -1);
    const CString expected = CString::Formatted("<font style = \"font-size: %dpt; font-family:%s;\">plain</font>",
                                                CFontMgr::HeightToPoints(lf), lf.lfFaceName);
    EXPECT_EQ(Body(Convert("{\\rtf1 plain}")), expected);
    // A font number past the table reads in the document font too.
    EXPECT_GE(Body(Convert(CString(kHeader) + "\\f99\\fs20 x}")).Find(CString("font-family:") + lf.lfFaceName + ";"), 0);
}

TEST_F(HtmlDrawTest, BadInputGivesACleanPageOrALoggedFailure)
{
    const std::string deep(20000, '{');
    struct Case {
        CString rtf;
        bool converts;
    };
    const Case cases[] = {
        {"hello", false},
        {"{\\rtf1", false},
        {"{\\rtf1 x", false},
        {"{\\rtf1 {{{\\b <x>}", true},
        {"{\\rtf1 <x>}}}}}}", true},
        {CString("{\\rtf1 ") + deep.c_str() + "<x>}", true},
        {"{\\rtf1 <x>\\'}", true},
        {"{\\rtf1 \\'4}", true},
        {"{\\rtf1 \\fs99999999 <x>\\fs-5 y}", true},
        {"{\\rtf1 \\cf7 <x>\\f12345678901234 y\\uc99999 \\u-99999999 z}", true},
        {"{\\rtf1 \\bin6 <x>}a\\bin99999999 <x>}", true},
        {CString(kHeader) + "{\\fonttbl{\\f2 A\"\\}<x>;}}\\f2\\fs20 <x>}", true},
        {"{\\rtf1 \\u-10179?\\u-8704? \\u-8704? \\u-10179?x}", true},
        {"{\\rtf1 {\\*\\crrhtml", false},
    };
    for (const Case& c : cases) {
        const CString page = Convert(c.rtf);
        if (!c.converts) {
            EXPECT_EQ(page, CString("<failed>")) << c.rtf.Left(40).GetString();
            continue;
        }
        ASSERT_NE(page, CString("<failed>")) << c.rtf.Left(40).GetString();
        EXPECT_LT(page.Find("<x>"), 0) << c.rtf.Left(40).GetString();
        EXPECT_LT(page.Find("A\";"), 0) << c.rtf.Left(40).GetString();
    }
    EXPECT_GE(GetLogBuffer().Find("CHtmlDraw::ConvertRTF2HTML() - invalid RTF format..."), 0);
    // A pair of UTF-16 halves is one character; a lone half is none.
    EXPECT_EQ(Body(Convert("{\\rtf1{\\fonttbl{\\f0 A;}}\\u-10179?\\u-8704?x\\u-8704?y}")), CString("&#x1f600;x&#xfffd;y"));

    // Five megabytes of text in one paragraph: a page, in one piece.
    std::string big = "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ";
    std::string line;
    while (line.size() < 2000)
        line += "The quick brown fox sees that 3 < 5 & 7 > 2 holds. ";
    while (big.size() < 5u * 1024 * 1024)
        big += "\\b Bold\\b0  " + line + "\\'80\\par ";
    big += "}";
    const CString page = Convert(CString(big.c_str()));
    EXPECT_GT(page.GetLength(), 5 * 1024 * 1024);
    EXPECT_EQ(page.Right(9), CString("</html>\r\n"));
}

class CCancellingDraw : public CHtmlDraw {
public:
    explicit CCancellingDraw(const char* phase) : CHtmlDraw(FALSE, ""), m_phase(phase) {}
    std::vector<CString> phases;

protected:
    BOOL IsCancelRequested() override { return !phases.empty() && phases.back() == m_phase; }
    void ShowPhase(LPCSTR text, int nPos) override
    {
        if (text)
            phases.push_back(text);
        CHtmlDraw::ShowPhase(text, nPos);
    }

private:
    CString m_phase;
};

TEST_F(HtmlDrawTest, PhasesShowInTurnAndACancelLeavesNoPage)
{
    std::string rtf = "{\\rtf1 ";
    for (int i = 0; i < 3000; ++i)
        rtf += "\\b x\\b0 y";
    rtf += "}";
    CCancellingDraw whole("never");
    EXPECT_TRUE(whole.Input(rtf.c_str()));
    const std::vector<CString> all = {"Startup...", "Building database...", "Creating elements...", "Finalizing HTML..."};
    EXPECT_EQ(whole.phases, all);

    for (const CString& phase : all) {
        CCancellingDraw draw(phase);
        EXPECT_FALSE(draw.Input(rtf.c_str())) << phase;
        EXPECT_TRUE(draw.IsCancelled()) << phase;
        CString html;
        EXPECT_FALSE(draw.Output(html)) << phase;
    }

    // The progress window runs through the phases on the way.
    CHtmlDraw shown(TRUE, "t");
    EXPECT_TRUE(shown.Input(rtf.c_str()));
}

TEST_F(HtmlDrawTest, TheFileIsWrittenOnlyForAConvertedPage)
{
    const CString path = HomePath("page.htm");
    EXPECT_TRUE(OutputRECToHtmlFile("{\\rtf1 a < b}", path, "Title", FALSE));
    std::string written;
    ASSERT_TRUE(fsys::ReadFile(path, written));
    EXPECT_NE(written.find("a &lt; b"), std::string::npos);

    const CString none = HomePath("none.htm");
    EXPECT_FALSE(OutputRECToHtmlFile("not rtf", none, "", FALSE));
    EXPECT_FALSE(fsys::IsFile(none));
    EXPECT_GE(GetLogBuffer().Find("::OutputRECToHtmlFile() - failed to Input RTF"), 0);

    EXPECT_FALSE(OutputRECToHtmlFile("{\\rtf1 x}", Home(), "", FALSE));
    EXPECT_GE(GetLogBuffer().Find("Cannot open file "), 0);
}

// The page a question makes through the composition control.
CString QuestionPage(CCorraQuestion& q, CHtmlSettings* settings)
{
    CHVRichEditCtrl ctrl;
    CChoicesHtmlStyle style;
    if (settings)
        style = ChoicesHtmlStyleOf(*settings);
    q.OutputHtml(ctrl, CDrawContext::Screen(), "1", settings ? &style : nullptr);
    CString rtf;
    ctrl.StreamOutText(rtf, SF_RTF);
    return Body(Convert(rtf));
}

TEST_F(HtmlDrawTest, AQuestionsTypedMarkupShowsAsTypedAndItsFormWorks)
{
    CHtmlSettings settings(0);
    settings.m_nChoiceTagType = 1;

    CCorraQuestion mc;
    mc.m_nId = 7;
    mc.m_nType = static_cast<int>(IDS_QTYPE_MC);
    mc.m_cszQuestionText = "Is <b> a tag & more?";
    mc.SetChoices("a. <b>bold b. plain", '*', '*');
    const CString page = QuestionPage(mc, &settings);
    EXPECT_GE(page.Find("Is &lt;b&gt; a tag &amp; more?"), 0) << page.GetString();
    EXPECT_GE(page.Find("&lt;b&gt;bold"), 0) << page.GetString();
    EXPECT_LT(page.Find("&amp;lt;"), 0) << page.GetString();
    EXPECT_LT(page.Find("<b>"), 0) << page.GetString();
    EXPECT_GE(page.Find("<table width=100%><tr><td class=qnum valign=top>"), 0) << page.GetString();
    EXPECT_GE(page.Find("<input type=checkbox name=\"QID7_CB_a.\" >"), 0) << page.GetString();

    CCorraQuestion essay;
    essay.m_nId = 8;
    essay.m_nType = static_cast<int>(IDS_QTYPE_ES);
    essay.m_cszQuestionText = "Explain <i>";
    const CString essayPage = QuestionPage(essay, &settings);
    EXPECT_GE(essayPage.Find("Explain &lt;i&gt;"), 0) << essayPage.GetString();
    EXPECT_GE(essayPage.Find("<textarea name=\"QID8_TA\" rows=5 cols=60>Enter answer here</textarea>"), 0)
        << essayPage.GetString();
    EXPECT_LT(essayPage.Find("&amp;lt;"), 0);

    CCorraQuestion fill;
    fill.m_nId = 9;
    fill.m_nType = static_cast<int>(IDS_QTYPE_FI);
    fill.m_cszQuestionText = "Fill";
    EXPECT_GE(QuestionPage(fill, &settings).Find("<input type=text name=\"QID9_TA\" size=40>"), 0);
    // Without form settings the page has no form elements.
    EXPECT_LT(QuestionPage(essay, nullptr).Find("<textarea"), 0);
}

} // namespace
