#include "model/HtmlSettings.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"
#include "platform/core/Profile.h"
#include "tests/support/CorraTest.h"

namespace {

using HtmlSettingsTest = CorraTest;

CString Stored(const char* key)
{
    return CorraApp().GetProfileString(CHtmlSettings::kSection, key, "<missing>");
}

TEST_F(HtmlSettingsTest, MissingKeysGetTheirDefaultsAndOnlyChangesAreWritten)
{
    {
        CHtmlSettings settings(12);
        EXPECT_EQ(settings.m_nChoiceTagType, 3);
        EXPECT_EQ(settings.m_nDivType, 1);
        EXPECT_EQ(settings.m_csTAInitText, CString("Enter answer here"));
        EXPECT_EQ(settings.m_csQuestFile, CString("Q%d.htm"));
        EXPECT_FALSE(settings.m_bBdrChoices);
    }
    const char* const keys[] = {"ChoiceTagType", "DivType",        "CBName",        "RBCommon", "RBValue",
                                "HrefTarget",    "TAName",         "TAInitText",    "QuestFile", "QuestFileFirst",
                                "QuestFileLast", "BdrQText",       "BdrChoices",    "BdrHdr",   "BdrFtr"};
    for (const char* key : keys)
        EXPECT_TRUE(AppProfile().HasKey(CHtmlSettings::kSection, key)) << key;
    EXPECT_EQ(Stored("CBName"), CString("\"QID%d_CB_%s\""));
    EXPECT_EQ(Stored("TAName"), CString("\"QID%d_TA"));

    // What another run wrote meanwhile survives a run that changed nothing.
    {
        CHtmlSettings settings(1);
        AppProfile().WriteString(CHtmlSettings::kSection, "TAInitText", "typed elsewhere");
    }
    EXPECT_EQ(Stored("TAInitText"), CString("typed elsewhere"));
    {
        CHtmlSettings settings(1);
        settings.m_nChoiceTagType = 2;
    }
    EXPECT_EQ(CorraApp().GetProfileInt(CHtmlSettings::kSection, "ChoiceTagType", 0), 2);
}

TEST_F(HtmlSettingsTest, SnippetsOfQuestion12LabelB)
{
    CHtmlSettings settings(12);
    struct Case {
        const char* what;
        CString got;
        const char* expected;
    };
    const Case defaults[] = {
        {"check box", settings.MakeHtmlCheckbox("b", FALSE), "<input type=checkbox name=\"QID12_CB_b\" >"},
        {"checked", settings.MakeHtmlCheckbox("b", TRUE), "<input type=checkbox name=\"QID12_CB_b\" CHECKED>"},
        {"radio", settings.MakeHtmlRadio("b", FALSE), "<input type=radio name=\"QID12_RB\" value=\"b\" >"},
        {"link", settings.MakeHtmlLink("b", "b."), "<a href=\"QID12_Selected_b.htm\">b.</a>"},
        {"text area", settings.MakeHtmlTextArea(5, 40),
         "<textarea name=\"QID12_TA\" rows=5 cols=40>Enter answer here</textarea>\n"},
        {"text area text", settings.MakeHtmlTextArea(2, 3, "1 < 2"),
         "<textarea name=\"QID12_TA\" rows=2 cols=3>1 &lt; 2</textarea>\n"},
        {"label with markup", settings.MakeHtmlCheckbox("\"><x", FALSE),
         "<input type=checkbox name=\"QID12_CB_&quot;&gt;&lt;x\" >"},
        {"text field", MakeHtmlTextField("Name <1>", "stname", 10),
         "<table><tr><td>Name &lt;1&gt;</td><td><input type=text name=\"stname\" size=10></td></tr></table>"},
    };
    for (const Case& c : defaults)
        EXPECT_EQ(c.got, CString(c.expected)) << c.what;

    settings.m_csHrefTarget = "Answer_%s.HTML";
    EXPECT_EQ(settings.MakeHtmlLink("b", "b"), CString("<a href=\"Answer_b.HTML\">b</a>"));
    settings.m_csCBName = "100%_%s_%d";
    EXPECT_EQ(settings.MakeHtmlCheckbox("b", FALSE), CString("<input type=checkbox name=\"100%_b_12\" >"));
    settings.m_csCBName = "%s%s%n";
    EXPECT_EQ(settings.MakeHtmlCheckbox("b", FALSE), CString("<input type=checkbox name=\"b%s%n\" >"));
}

TEST_F(HtmlSettingsTest, QuotingAddsEachQuoteOnce)
{
    const std::pair<const char*, const char*> cases[] = {
        {"name", "\"name\""}, {"\"name\"", "\"name\""}, {" \"name ", "\"name\""},
        {"name\"", "\"name\""}, {"", "\"\""}, {"\"", "\"\""},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(CHtmlSettings::Quote(in), CString(out)) << in;
}

TEST_F(HtmlSettingsTest, PagesOfARunOfThreeAreLinkedBackAndNext)
{
    CHtmlSettings settings(7);
    settings.m_ids = {5, 7, 9};
    settings.m_mapPrevious = {{5, 0}, {7, 5}, {9, 7}};
    settings.m_mapNext = {{5, 7}, {7, 9}, {9, 0}};
    EXPECT_EQ(settings.GetFirstPageFile(), CString("Q5_First.htm"));
    EXPECT_EQ(settings.GetLastPageFile(), CString("Q9_Last.htm"));
    EXPECT_EQ(settings.GetPageFile(5), CString("Q5_First.htm"));
    EXPECT_EQ(settings.GetPageFile(), CString("Q7.htm"));
    EXPECT_EQ(settings.GetPageFile(9), CString("Q9_Last.htm"));
    EXPECT_EQ(settings.MakeNavigation(5), CString("<table border=1><tr><td><a href=Q7.htm>Next</a></td></tr></table>"));
    EXPECT_EQ(settings.MakeNavigation(),
              CString("<table border=1><tr><td><a href=Q5_First.htm>Back</a></td><td><a href=Q9_Last.htm>Next</a></td>"
                      "</tr></table>"));
    EXPECT_EQ(settings.MakeNavigation(9), CString("<table border=1><tr><td><a href=Q7.htm>Back</a></td></tr></table>"));

    // A lone page has no neighbours and no navigation.
    CHtmlSettings lone(4);
    lone.m_ids = {4};
    lone.m_mapPrevious = {{4, 0}};
    lone.m_mapNext = {{4, 0}};
    EXPECT_EQ(lone.MakeNavigation(), CString(""));
    EXPECT_EQ(lone.GetPageFile(), CString("Q4_First.htm"));
    EXPECT_EQ(CHtmlSettings(1).GetFirstPageFile(), CString(""));
}

TEST_F(HtmlSettingsTest, APageFileOutsideTheFolderOrWithoutTheIdIsNeverWritten)
{
    for (const char* bad : {"../Q%d.htm", "Q.htm", "/tmp/Q%d.htm", "sub\\Q%d.htm", "C:Q%d.htm"}) {
        EXPECT_FALSE(CHtmlSettings::IsPlainPageFilePattern(bad)) << bad;
        CHtmlSettings settings(3);
        settings.m_csQuestFile = bad;
        EXPECT_EQ(settings.GetPageFile(), CString("Q3.htm")) << bad;
        settings.m_csQuestFile = "Q%d.htm";
    }
    EXPECT_GE(GetLogBuffer().Find("is not a plain name with %d"), 0);
    EXPECT_TRUE(CHtmlSettings::IsPlainPageFilePattern("Page_%d.html"));
}

} // namespace
