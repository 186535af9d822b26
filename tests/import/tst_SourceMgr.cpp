#include "import/SourceMgr.h"

#include "import/AQFConvertSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Paragraphs(const std::string& text, BOOL bLineMode)
{
    std::vector<std::string> out;
    LPCSTR first = nullptr;
    LPCSTR last = nullptr;
    for (LPCSTR pos = GetNextParagraph(text.c_str(), &first, &last, bLineMode); first;
         pos = GetNextParagraph(pos, &first, &last, bLineMode))
        out.emplace_back(first, last + 1);
    return out;
}

struct ParagraphCase {
    const char* name;
    std::string text;
    BOOL bLineMode;
    std::vector<std::string> expected;
};

TEST(SourceMgr, ParagraphsEndAtBlankLinesOrAtEveryLineInLineMode)
{
    const ParagraphCase cases[] = {
        {"crlf", "One\r\ntwo\r\n\r\nThree", FALSE, {"One\r\ntwo", "Three"}},
        {"lone cr", "One\rtwo\r\rThree\r", FALSE, {"One\rtwo", "Three"}},
        {"lone lf", "One\ntwo\n\nThree", FALSE, {"One\ntwo", "Three"}},
        {"blank-only line", "One\r\n   \t \r\nTwo", FALSE, {"One", "Two"}},
        {"trailing blanks kept", "One  \r\n\r\n  Two  ", FALSE, {"One  ", "Two  "}},
        {"line mode", "One\r\ntwo\r\n\r\nThree", TRUE, {"One", "two", "Three"}},
        {"line mode lone cr", "One\rtwo", TRUE, {"One", "two"}},
        {"blank text", " \r\n \t\n", FALSE, {}},
        {"empty", "", FALSE, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Paragraphs(c.text, c.bLineMode), c.expected) << c.name;
}

struct RemovalCase {
    const char* name;
    std::string text;
    std::string expected;   // the text with what was found blanked
    CRangeVector ranges;
};

TEST(SourceMgr, QuestionNumbersAreBlankedAtLineStartsAndChoiceLinesLeftAlone)
{
    CAQFConvertSettings settings;
    const RemovalCase cases[] = {
        {"number and period", "12. What?\r\na. yes\r\nb. no", "    What?\r\na. yes\r\nb. no", {{0, 3}}},
        {"number alone on its line", "12\r\nWhat?", "  \r\nWhat?", {{0, 2}}},
        {"number at the very end", "What?\r\n12", "What?\r\n12", {}},
        {"number before letters", "12abc", "12abc", {}},
        {"parenthesis", "  3) Why?", "     Why?", {{2, 4}}},
        {"expected labels move on", "1. Q\na. x\nb. y\n2. R", "   Q\na. x\nb. y\n   R", {{0, 2}, {15, 17}}},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        CRangeVector ranges;
        const CChoiceLabelRule rule = settings.LabelRule();
        RemoveQuestionIds(text.data(), ".)", "0123456789", &ranges, &rule);
        EXPECT_EQ(text, c.expected) << c.name;
        EXPECT_EQ(ranges, c.ranges) << c.name;
    }
}

TEST(SourceMgr, NumberedChoiceLabelsRunPastNine)
{
    CAQFConvertSettings settings;
    settings.m_szFirstLabel[0] = '1';
    std::string text = "Pick one\n";
    for (int i = 1; i <= 11; ++i)
        text += std::to_string(i) + ". choice\n";
    const std::string before = text;
    CRangeVector ranges;
    const CChoiceLabelRule rule = settings.LabelRule();
    RemoveQuestionIds(text.data(), ".", "0123456789", &ranges, &rule);
    EXPECT_EQ(text, before);
    EXPECT_TRUE(ranges.empty());
}

TEST(SourceMgr, RunsOfTerminatorsAtLineEndsGoAndALoneFullStopStays)
{
    const RemovalCase cases[] = {
        {"leader", "Name the cell......\r\na. x", "Name the cell      \r\na. x", {{13, 19}}},
        {"spaced", "Why . . .\nnext", "Why   . .\nnext", {{4, 9}}},
        {"lone full stop", "It ends.\nAnd this.", "It ends.\nAnd this.", {}},
        {"inside a line", "a... b\n", "a... b\n", {}},
        {"trailing blanks", "Q..  \n", "Q    \n", {{1, 3}}},
        {"last line", "Q...", "Q   ", {{1, 4}}},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        CRangeVector ranges;
        RemoveLineEndTerms(text.data(), '.', &ranges);
        EXPECT_EQ(text, c.expected) << c.name;
        EXPECT_EQ(ranges, c.ranges) << c.name;
    }
}

} // namespace
