#include "platform/core/HtmlMarkup.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(HtmlMarkup, MarkedPiecesStayMarkupAndEverythingElseIsEscapedOnce)
{
    const CString marked = HtmlMarkup("<td class=a>") + "3 < 5 & \"7\" > 2" + HtmlMarkup("</td>");
    EXPECT_EQ(HtmlFromMarked(marked), CString("<td class=a>3 &lt; 5 &amp; \"7\" &gt; 2</td>"));

    std::vector<std::pair<bool, CString>> pieces;
    // A mark inside a text or a markup is dropped before it can open or close anything.
    const CString odd = CString(HTML_MARK_CLOSE) + "x" + HtmlMarkup(CString("<b") + HTML_MARK_CLOSE + ">") +
                        HtmlPlainText(CString("y") + HTML_MARK_OPEN + "<i>");
    SplitHtmlMarked(odd, [&pieces](bool markup, const CString& piece) { pieces.emplace_back(markup, piece); });
    const std::vector<std::pair<bool, CString>> expected = {{false, "x"}, {true, "<b>"}, {false, "y<i>"}};
    EXPECT_EQ(pieces, expected);

    EXPECT_EQ(HtmlEscape("a\"<&>"), CString("a\"&lt;&amp;&gt;"));
    EXPECT_EQ(HtmlEscape("a\"<&>", TRUE), CString("a&quot;&lt;&amp;&gt;"));
}
