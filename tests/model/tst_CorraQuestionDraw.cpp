#include "model/CorraQuestion.h"

#include "controls/HVRichEditCtrl.h"
#include "platform/ui/ResourceImage.h"
#include "render/FontMgr.h"
#include "res/ids/QuestionIcons.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FixedMetricsDC.h"

#include <algorithm>

namespace {

using CorraQuestionDrawTest = CorraTest;

const CTestResetHook s_resetDrawing([] {
    CCorraQuestion::SetDrawMode(QDRAW_SMALL_TILE);
    CCorraQuestion::SetPrintingFlag(FALSE);
    CCorraQuestion::SetPrintLayout(FALSE);
    CCorraQuestion::SetPrintIndent(-1);
});

CCorraQuestion Question(unsigned type, const char* text, const char* choices, const char* answer)
{
    CCorraQuestion q;
    q.m_nId = 7;
    q.m_nType = static_cast<int>(type);
    q.m_cszQuestionText = text;
    if (choices)
        q.SetChoices(choices, '*', '*');
    q.m_cszAnswer = answer;
    return q;
}

std::vector<CString> TextsDrawn(const CFixedMetricsDC& dc)
{
    std::vector<CString> texts;
    for (const auto& t : dc.texts)
        texts.push_back(t.text);
    return texts;
}

bool Contains(const std::vector<CString>& texts, const char* part)
{
    for (const CString& t : texts)
        if (t.Find(part) >= 0)
            return true;
    return false;
}

TEST_F(CorraQuestionDrawTest, ARichEditControlGetsLabelTextChoicesAndAnswers)
{
    struct Case {
        unsigned type;
        const char* choices;
        BOOL answers;
        const char* number;
        std::vector<const char*> present;
        std::vector<const char*> absent;
    };
    const Case cases[] = {
        {IDS_QTYPE_MC, "a. Paris b. London", FALSE, "3", {"3. Capital?", "Paris", "London"}, {"*b."}},
        {IDS_QTYPE_MC, "a. Paris b. London", TRUE, nullptr, {"7. Capital?", "*b."}, {}},
        {IDS_QTYPE_ES, nullptr, TRUE, "", {"Capital?", "the answer"}, {"7."}},
        {IDS_QTYPE_ES, nullptr, FALSE, "1", {"1. Capital?"}, {"the answer"}},
        {IDS_QTYPE_MA, "1. cat  A. meow", FALSE, "2", {"2. Capital?", "cat  A. meow"}, {}},
    };
    for (const Case& c : cases) {
        CCorraQuestion q = Question(c.type, "Capital?", c.choices, c.type == IDS_QTYPE_MC ? "b" : "the answer");
        CCorraQuestion::SetPrintingFlag(c.answers);
        CHVRichEditCtrl ctrl;
        ctrl.resize(400, 300);
        q.OutputToRichEdit(ctrl, c.number);
        const CString text = ctrl.GetText();
        for (const char* part : c.present)
            EXPECT_GE(text.Find(part), 0) << part << " in " << text.GetString();
        for (const char* part : c.absent)
            EXPECT_LT(text.Find(part), 0) << part << " in " << text.GetString();
    }

    CCorraQuestion collection = Question(IDS_QTYPE_CO, "A collection", nullptr, "");
    CHVRichEditCtrl ctrl;
    EXPECT_EQ(collection.OutputToRichEdit(ctrl, "1"), 0);
    EXPECT_EQ(ctrl.GetTextLength(), 0);
}

TEST_F(CorraQuestionDrawTest, AFullQuestionIsMeasuredAsItIsDrawnAndMovesThePosition)
{
    CFixedMetricsDC measuring;
    CFixedMetricsDC drawing;
    CCorraQuestion q = Question(IDS_QTYPE_MC, "Which city is the capital of France?", "a. Paris b. London c. Rome", "a");
    int y = 20;
    const int measured = q.DrawFull(&measuring, nullptr, 400, y, "4", FALSE);
    EXPECT_EQ(y, 20 + measured);
    EXPECT_TRUE(measuring.texts.empty());

    y = 20;
    const int drawn = q.DrawFull(&drawing, nullptr, 400, y, "4");
    EXPECT_EQ(drawn, measured);
    EXPECT_EQ(y, 20 + drawn);
    EXPECT_EQ(q.m_nLastTop, 20);
    EXPECT_EQ(q.m_rcLast, CRect(10, 20, 395, 20 + drawn));
    const std::vector<CString> texts = TextsDrawn(drawing);
    ASSERT_FALSE(drawing.texts.empty());
    EXPECT_EQ(drawing.texts[0].text, "4. ");
    EXPECT_EQ(drawing.texts[0].x, 10);
    EXPECT_EQ(drawing.texts[0].y, 20);
    EXPECT_TRUE(Contains(texts, "Paris"));
    EXPECT_TRUE(Contains(texts, "Rome"));
    // The choices stand below the text.
    int textBottom = 0, choiceTop = 0;
    for (const auto& t : drawing.texts) {
        if (t.text.Find("Which") >= 0)
            textBottom = t.y;
        if (t.text.Find("a.") >= 0)
            choiceTop = t.y;
    }
    EXPECT_GT(choiceTop, textBottom);
}

TEST_F(CorraQuestionDrawTest, TheAnswerSpaceIsAShareOfThePage)
{
    CFixedMetricsDC dc(1000, 1000, 96);
    CCorraQuestion essay = Question(IDS_QTYPE_ES, "Discuss.", nullptr, "");
    essay.m_dAnswerSize = 0.5;
    dc.SetMapMode(MM_TWIPS);
    EXPECT_EQ(essay.GetPageExtent(&dc), 7500);  // half of 1000 pixels at 96 per inch, in twips
    dc.SetMapMode(MM_ANISOTROPIC);
    EXPECT_EQ(essay.GetPageExtent(&dc), 0);

    dc.SetMapMode(MM_TWIPS);
    CQuestionLayout layout;
    int height = essay.CalcDrawHeight(&dc, CRect(0, 0, 8000, -20000), "1", FALSE, &layout);
    EXPECT_EQ(std::abs(layout.answer.Height()), 7500);
    EXPECT_LT(layout.answer.top, layout.text.top) << "down the page is down in twips";
    EXPECT_EQ(height, std::abs(layout.answer.bottom));
}

TEST_F(CorraQuestionDrawTest, ATileShowsIndexSubjectAndKind)
{
    CCorraQuestion q = Question(IDS_QTYPE_MC, "Which city?", "a. Paris b. London", "a");
    q.m_nIndex = 12;
    q.m_saSubjects.Add("A very long subject name that cannot fit");
    CFixedMetricsDC dc;
    int y = 0;
    const int height = q.DrawTile(&dc, nullptr, 600, y, nullptr);
    EXPECT_GT(height, 0);
    EXPECT_EQ(y, height);
    std::vector<CString> texts = TextsDrawn(dc);
    EXPECT_TRUE(Contains(texts, "12"));
    EXPECT_TRUE(Contains(texts, "7 - "));
    EXPECT_TRUE(Contains(texts, "MC"));
    EXPECT_FALSE(Contains(texts, "cannot fit"));
    EXPECT_TRUE(Contains(texts, "..."));

    CCorraQuestion named = Question(IDS_QTYPE_CO, "Collection of week 3", nullptr, "");
    named.m_csKindText = "Collection";
    CCorraQuestion plain = Question(IDS_QTYPE_CO, "Week 4", nullptr, "");
    plain.m_csKindText = "Collection";
    CFixedMetricsDC a, b;
    y = 0;
    named.DrawTile(&a, nullptr, 600, y, "1");
    y = 0;
    plain.DrawTile(&b, nullptr, 600, y, "2");
    const std::vector<CString> namedTexts = TextsDrawn(a);
    EXPECT_FALSE(Contains(namedTexts, "CO"));
    EXPECT_EQ(std::count(namedTexts.begin(), namedTexts.end(), CString("Collection")), 0);
    EXPECT_TRUE(Contains(TextsDrawn(b), "Collection"));
}

TEST_F(CorraQuestionDrawTest, ACollectionInAFullViewIsALargeTileWithTheLargeIcon)
{
    // What an icon looks like where a tile puts it (left 10, top 0, 32 pixels square).
    auto iconAsDrawn = [](unsigned id) {
        QImage icon;
        EXPECT_TRUE(LoadResourceImage(id, icon));
        CFixedMetricsDC dc;
        dc.DrawImage(10, 0, 32, 32, icon);
        return dc.Image().copy(10, 0, 32, 32);
    };
    const QImage large = iconAsDrawn(IDI_COLLECTION);
    ASSERT_NE(large, iconAsDrawn(IDI_COLLECTION_SMALL));

    CCorraQuestion coll = Question(IDS_QTYPE_CO, "Week 4", nullptr, "");
    CCorraQuestion::SetDrawMode(QDRAW_FULL);
    CFixedMetricsDC dc;
    int y = 0;
    coll.DrawFull(&dc, nullptr, 600, y, "1");
    EXPECT_EQ(dc.Image().copy(10, 0, 32, 32), large);
    EXPECT_EQ(CCorraQuestion::GetDrawMode(), QDRAW_FULL);
}

} // namespace
