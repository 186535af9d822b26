#include "import/SourceDoc.h"

#include "controls/HVRichEditCtrl.h"
#include "controls/OldProgressDlg.h"
#include "foundation/ChoicesError.h"
#include "import/AQFConvertSettings.h"
#include "model/CorraDoc.h"
#include "model/CorraQuestion.h"
#include "res/ids/AutoConvert.h"
#include "res/ids/Choices.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class CQuietDoc : public CCorraDoc {
public:
    CQuietDoc() { m_bAutoDelete = FALSE; }
    BOOL PostViewMessage(UINT, WPARAM, LPARAM) override { return TRUE; }
};

std::vector<std::string> Pieces(const std::string& text, const CTextRangeVector& ranges)
{
    std::vector<std::string> out;
    for (size_t i = 0; i < ranges.size(); ++i)
        out.push_back(text.substr(static_cast<size_t>(ranges[i].nFirst),
                                  static_cast<size_t>(ranges[i].nLast - ranges[i].nFirst + 1)));
    return out;
}

struct PassCase {
    const char* name;
    std::string text;
    int status;
    std::vector<std::string> pieces;
};

TEST(AutoConvertSyntax, QuestionTextAndChoicesComeInPairs)
{
    const PassCase cases[] = {
        {"choices inside the question's paragraph", "1. Which?\r\na. one\r\nb. two", AQF_SYNTAX_OK,
         {"1. Which?\r\n", "a. one\r\nb. two"}},
        {"choices in a paragraph of their own", "Which?\r\n\r\na. one b. two", AQF_SYNTAX_OK,
         {"Which?", "a. one b. two"}},
        {"two question paragraphs make one question", "Read this.\r\n\r\nWhich?\r\n\r\na. one\r\nb. two",
         AQF_SYNTAX_OK, {"Read this.\r\n\r\nWhich?", "a. one\r\nb. two"}},
        {"question text left at the end makes no range", "Q?\na. x\nb. y\n\nDangling", AQF_SYNTAX_OK,
         {"Q?\n", "a. x\nb. y"}},
        {"choices first", "a. x\nb. y\n\nQ?", AQF_SYNTAX_NO_QUESTION, {}},
        {"labels out of sequence", "Q?\na. x\nb. y\na. z", AQF_SYNTAX_OUT_OF_SEQUENCE, {}},
        {"empty", "", AQF_SYNTAX_EMPTY, {}},
    };
    for (const auto& c : cases) {
        CAQFConvertSettings settings;
        CTextRangeVector ranges;
        int start = -1;
        int end = -1;
        CChoicesError error;
        EXPECT_EQ(CSourceDoc::_SyntaxPass(c.text.c_str(), ranges, start, end, error, &settings), c.status) << c.name;
        EXPECT_EQ(Pieces(c.text, ranges), c.pieces) << c.name;
        EXPECT_EQ(settings.m_nRangeCount, static_cast<int>(c.pieces.size())) << c.name;
    }
}

TEST(AutoConvertSyntax, ErrorSpansPointAtTheTextToMend)
{
    CAQFConvertSettings settings;
    CTextRangeVector ranges;
    int start = -1;
    int end = -1;
    CChoicesError error;
    const std::string first = "a. x\nb. y\n\nQ?";
    ASSERT_EQ(CSourceDoc::_SyntaxPass(first.c_str(), ranges, start, end, error, &settings), AQF_SYNTAX_NO_QUESTION);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(error.m_nId1, IDS_AQF_NO_QUESTION_TEXT);
    EXPECT_EQ(error.m_nId2, IDS_AQF_NO_QUESTION_EXPLAIN);
    EXPECT_EQ(error.m_nId3, IDS_AQF_NO_QUESTION_NOTE);
    EXPECT_EQ(first.substr(static_cast<size_t>(start + error.m_nStart), static_cast<size_t>(error.m_nEnd - error.m_nStart)),
              "a. x\nb. y");

    // The second choices block has no question before it: the span starts at the block before.
    const std::string second = "Q?\na. x\nb. y\n\na. z\nb. w";
    ASSERT_EQ(CSourceDoc::_SyntaxPass(second.c_str(), ranges, start, end, error, &settings), AQF_SYNTAX_NO_QUESTION);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(start + error.m_nEnd, static_cast<int>(second.size()));

    const std::string order = "Q?\n\na. x\nb. y\na. z";
    ASSERT_EQ(CSourceDoc::_SyntaxPass(order.c_str(), ranges, start, end, error, &settings), AQF_SYNTAX_OUT_OF_SEQUENCE);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(error.m_nId1, IDS_CHOICES_OUT_OF_SEQUENCE);
    EXPECT_LT(error.m_nStart, error.m_nEnd);
    EXPECT_EQ(order.substr(static_cast<size_t>(start + error.m_nEnd - 3), 2), "a.");
}

TEST(AutoConvertSyntax, WithoutChoicesEveryParagraphOrLineIsAQuestion)
{
    const std::string text = "One\r\nmore\r\n\r\nTwo\r\n\r\nThree";
    for (BOOL bBlank : {TRUE, FALSE}) {
        CAQFConvertSettings settings;
        settings.m_bHaveChoices = FALSE;
        settings.m_bBlankLinesSeparate = bBlank;
        CTextRangeVector ranges;
        int start = 0;
        int end = 0;
        CChoicesError error;
        EXPECT_EQ(CSourceDoc::_SyntaxPassNoChoices(text.c_str(), ranges, start, end, error, &settings), 0);
        const std::vector<std::string> expected =
            bBlank ? std::vector<std::string>{"One\r\nmore", "Two", "Three"}
                   : std::vector<std::string>{"One", "more", "Two", "Three"};
        EXPECT_EQ(Pieces(text, ranges), expected);
    }
}

class AutoConvertTest : public CorraTest {
protected:
    std::vector<CCorraQuestion*> Questions() const
    {
        std::vector<CCorraQuestion*> out;
        for (POSITION pos = doc.m_plQuestions.GetHeadPosition(); pos;)
            out.push_back(static_cast<CCorraQuestion*>(doc.m_plQuestions.GetNext(pos)));
        return out;
    }
    static std::string Plain(const CCorraQuestion& q)
    {
        CString out;
        q.GetQuestionText(out, QTEXT_PLAIN);
        return CString(out).Trim().str();
    }
    CQuietDoc doc;
};

TEST_F(AutoConvertTest, PlainTextBecomesQuestionsOfTheTemplate)
{
    CAQFConvertSettings settings;
    settings.m_TemplateQuestion.m_nLevel = 3;
    const char* text = "1. Which is a cell part?\r\na. nucleus\r\nb. brick\r\n\r\n"
                       "2. Which is alive?\r\na. a rock\r\nb. a tree\r\nc. a cloud";
    EXPECT_EQ(CSourceDoc::_AutoConvert2(text, &doc, &settings), 0);
    const auto qs = Questions();
    ASSERT_EQ(qs.size(), 2u);
    EXPECT_EQ(Plain(*qs[0]), "1. Which is a cell part?");
    EXPECT_EQ(qs[0]->GetChoicesCount(), 2);
    EXPECT_EQ(qs[1]->GetChoicesCount(), 3);
    EXPECT_EQ(std::string(qs[1]->GetChoice(2, TRUE)), "a cloud");
    for (auto* q : qs) {
        EXPECT_EQ(q->m_nType, static_cast<int>(IDS_QTYPE_MC));
        EXPECT_EQ(q->m_nLevel, 3);
        EXPECT_TRUE(q->m_cszAnswer.IsEmpty());
    }
    EXPECT_TRUE(doc.IsModified());
}

// The furthest the progress bar got while fn ran.
template <typename Fn>
int ProgressReached(Fn&& fn)
{
    int reached = 0;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&reached] {
        if (auto* dlg = dynamic_cast<COldProgressDlg*>(QApplication::activeModalWidget()))
            reached = std::max(reached, dlg->GetPos());
    });
    timer.start();
    fn();
    return reached;
}

TEST_F(AutoConvertTest, ABadBlockAfterAGoodOneStopsWithoutTakingItsChoices)
{
    // Choices too long to hold pass the syntax pass and are refused only when set.
    const std::string tooLong = "2. Second?\na. " + std::string(33000, 'x') + "\nb. y";
    const std::string good = "1. First?\na. one\nb. two\nc. three\n\n";
    const std::string text = good + tooLong + "\n\n3. Third?\na. yes\nb. no";
    CAQFConvertSettings settings;
    int result = -1;
    EXPECT_EQ(ProgressReached([&] { result = CSourceDoc::_AutoConvert2(text.c_str(), &doc, &settings); }), 1);
    EXPECT_EQ(result, 1);
    const auto qs = Questions();
    ASSERT_EQ(qs.size(), 1u);
    EXPECT_EQ(Plain(*qs[0]), "1. First?");
    EXPECT_EQ(qs[0]->GetChoicesCount(), 3);
}

TEST_F(AutoConvertTest, ProgressStepsOncePerQuestion)
{
    const char* text = "Q1?\na. x\nb. y\n\nQ2?\na. x\nb. y\n\nQ3?\na. x\nb. y";
    CAQFConvertSettings settings;
    EXPECT_EQ(ProgressReached([&] { EXPECT_EQ(CSourceDoc::_AutoConvert2(text, &doc, &settings), 0); }), 3);
    EXPECT_EQ(doc.GetQuestionCount(), 3);
}

TEST_F(AutoConvertTest, ResultsSayWhatWentWrongWithoutAMessage)
{
    CAQFConvertSettings settings;
    EXPECT_EQ(CSourceDoc::_AutoConvert2("a. x\nb. y\n\nQ?", &doc, &settings), 3);
    EXPECT_EQ(CSourceDoc::_AutoConvert2("Q?\na. x\nb. y\na. z", &doc, &settings), 1);
    EXPECT_EQ(CSourceDoc::_AutoConvert2("Only a question", &doc, &settings), 2);
    EXPECT_EQ(CSourceDoc::_AutoConvert2("Q?\na. x\nb. y", nullptr, &settings), 0);
    EXPECT_EQ(doc.GetQuestionCount(), 0);
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_TRUE(richBox.calls.empty());
}

TEST_F(AutoConvertTest, TheDryRunMarksExactlyTheTextToMend)
{
    struct {
        const char* text;
        const char* marked;
    } const cases[] = {
        {"Q?\r\na. x\r\nb. y\r\n\r\nLeft without choices", "Left without choices"},
        {"a. x\r\nb. y\r\n\r\nQ?", "a. x\nb. y"},
    };
    CHVRichEditCtrl ctrl;
    CAQFConvertSettings settings;
    for (const auto& c : cases) {
        richBox.calls.clear();
        ctrl.SetText(c.text, SF_TEXT);
        EXPECT_EQ(CSourceDoc::AutoConvert2(&ctrl, nullptr, &settings), 1) << c.text;
        EXPECT_EQ(richBox.calls.size(), 1u) << c.text;
        long start = 0;
        long end = 0;
        ctrl.GetSel(start, end);
        CString plain;
        ctrl.StreamOutText(plain, SF_TEXT);
        EXPECT_EQ(plain.Mid(start, end - start), CString(c.marked)) << c.text;
    }

    ctrl.SetText("Q?\r\na. x\r\nb. y", SF_TEXT);
    EXPECT_EQ(CSourceDoc::AutoConvert2(&ctrl, nullptr, &settings), 0);
    ctrl.SetText("   ", SF_TEXT);
    EXPECT_EQ(CSourceDoc::AutoConvert2(&ctrl, nullptr, &settings), 1);
    ASSERT_FALSE(messageBox.calls.empty());
    EXPECT_EQ(messageBox.calls.back().text, CString("Nothing to convert."));
}

TEST_F(AutoConvertTest, RangesStayOnTheControlsPositionsPastACharacterOutsideTheBasicPlane)
{
    CHVRichEditCtrl ctrl;
    ctrl.SetText("Find the value.\r\na. 1\r\nb. 2\r\n\r\nSecond question?\r\na. 3\r\nb. 4", SF_TEXT);
    // A mathematical letter outside the basic plane takes two positions in the control.
    QTextCursor cursor(ctrl.document());
    cursor.setPosition(5);
    cursor.insertText(QString::fromUcs4(U"\U0001D465 "));
    CAQFConvertSettings settings;
    EXPECT_EQ(CSourceDoc::AutoConvert2(&ctrl, &doc, &settings), 0);
    const auto qs = Questions();
    ASSERT_EQ(qs.size(), 2u);
    EXPECT_EQ(Plain(*qs[1]), "Second question?");
    ASSERT_EQ(qs[1]->GetChoicesCount(), 2);
    EXPECT_EQ(std::string(qs[1]->GetChoice(0, TRUE)), "3");
    EXPECT_EQ(std::string(qs[1]->GetChoice(1, TRUE)), "4");
}

} // namespace
