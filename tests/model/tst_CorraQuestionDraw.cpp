#include "model/CorraQuestion.h"

#include "model/Choices.h"

#include "controls/HVRichEditCtrl.h"
#include "platform/ui/QtString.h"
#include "platform/ui/ResourceImage.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3.h"
#include "res/ids/QuestionIcons.h"
#include "res/ids/QuestionTypes.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FixedMetricsDC.h"

#include <algorithm>
#include <memory>
#include <tuple>

namespace {

using CorraQuestionDrawTest = CorraTest;

const CDrawContext kScreen = CDrawContext::Screen();

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
        int mode = QDRAW_SMALL_TILE;
    };
    const Case cases[] = {
        {IDS_QTYPE_MC, "a. Paris b. London", FALSE, "3", {"3. Capital?", "Paris", "London"}, {"*b."}},
        {IDS_QTYPE_MC, "a. Paris b. London", TRUE, nullptr, {"7. Capital?", "*b."}, {}},
        {IDS_QTYPE_ES, nullptr, TRUE, "", {"Capital?", "the answer"}, {"7."}},
        {IDS_QTYPE_ES, nullptr, FALSE, "1", {"1. Capital?"}, {"the answer"}},
        {IDS_QTYPE_MA, "1. cat  A. meow", FALSE, "2", {"2. Capital?", "cat  A. meow"}, {}},
        // The answers mode puts the answer summary in place of the text.
        {IDS_QTYPE_MC, "a. Paris b. London", FALSE, "5", {"5. a.  b."}, {"Capital?"}, QDRAW_ANSWERS},
        {IDS_QTYPE_TF, "a. True b. False", FALSE, "6", {"6. True   False"}, {"Capital?"}, QDRAW_ANSWERS},
    };
    for (const Case& c : cases) {
        CCorraQuestion q = Question(c.type, "Capital?", c.choices, c.type == IDS_QTYPE_MC ? "b" : "the answer");
        CDrawContext ctx = CDrawContext::Screen(nullptr, c.mode);
        ctx.answers = c.answers;
        CHVRichEditCtrl ctrl;
        ctrl.resize(400, 300);
        q.OutputToRichEdit(ctrl, ctx, c.number);
        const CString text = ctrl.GetText();
        for (const char* part : c.present)
            EXPECT_GE(text.Find(part), 0) << part << " in " << text.GetString();
        for (const char* part : c.absent)
            EXPECT_LT(text.Find(part), 0) << part << " in " << text.GetString();
    }

    CCorraQuestion collection = Question(IDS_QTYPE_CO, "A collection", nullptr, "");
    CHVRichEditCtrl ctrl;
    EXPECT_EQ(collection.OutputToRichEdit(ctrl, kScreen, "1"), 0);
    EXPECT_EQ(ctrl.GetTextLength(), 0);
}

TEST_F(CorraQuestionDrawTest, AFullQuestionIsMeasuredAsItIsDrawnAndMovesThePosition)
{
    CFixedMetricsDC measuring;
    CFixedMetricsDC drawing;
    CCorraQuestion q = Question(IDS_QTYPE_MC, "Which city is the capital of France?", "a. Paris b. London c. Rome", "a");
    int y = 20;
    const int measured = q.DrawFull(kScreen.On(&measuring), nullptr, 400, y, "4", FALSE);
    EXPECT_EQ(y, 20 + measured);
    EXPECT_TRUE(measuring.texts.empty());

    y = 20;
    const int drawn = q.DrawFull(kScreen.On(&drawing), nullptr, 400, y, "4");
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
    int height = essay.CalcDrawHeight(kScreen.On(&dc), CRect(0, 0, 8000, -20000), "1", FALSE, &layout);
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
    const int height = q.DrawTile(kScreen.On(&dc), nullptr, 600, y, nullptr);
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
    named.DrawTile(kScreen.On(&a), nullptr, 600, y, "1");
    y = 0;
    plain.DrawTile(kScreen.On(&b), nullptr, 600, y, "2");
    const std::vector<CString> namedTexts = TextsDrawn(a);
    EXPECT_FALSE(Contains(namedTexts, "CO"));
    EXPECT_EQ(std::count(namedTexts.begin(), namedTexts.end(), CString("Collection")), 0);
    EXPECT_TRUE(Contains(TextsDrawn(b), "Collection"));
}

TEST_F(CorraQuestionDrawTest, ALineShowsTheTextAsTyped)
{
    struct Case {
        const char* name;
        const char* text;
        const char* shown;  // UTF-8
    };
    const Case cases[] = {
        {"plain, stored in Windows-1252", "caf\xE9 au lait\nsecond line", "4 - caf\xC3\xA9 au lait"},
        {"RTF with an escaped byte", "{\\rtf1\\ansi caf\\'e9\\par more}", "4 - caf\xC3\xA9"},
        {"RTF beyond Windows-1252", "{\\rtf1\\ansi \\u321?\\'f3d\\u378?}", "4 - \xC5\x81\xC3\xB3" "d\xC5\xBA"},
    };
    for (const DrawTarget target : {DrawTarget::Screen, DrawTarget::Printer}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            CCorraQuestion q = Question(IDS_QTYPE_ES, c.text, nullptr, "");
            CFixedMetricsDC dc;
            const bool paper = target == DrawTarget::Printer;
            dc.SetMapMode(paper ? MM_TWIPS : MM_TEXT);
            const CRect page(0, 0, 8000, -10000);
            CDrawContext ctx = CDrawContext::Screen(&dc, QDRAW_LINE);
            ctx.target = target;
            int y = 0;
            q.Draw(ctx, paper ? &page : nullptr, 600, y, "4", TRUE);
            QString shown;
            for (const auto& t : dc.texts)
                shown += t.wide.isEmpty() ? ToQString(t.text) : t.wide;
            EXPECT_EQ(shown.toStdString(), c.shown);
        }
    }
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
    CFixedMetricsDC dc;
    int y = 0;
    coll.DrawFull(CDrawContext::Screen(&dc, QDRAW_FULL), nullptr, 600, y, "1");
    EXPECT_EQ(dc.Image().copy(10, 0, 32, 32), large);
}

// ---- the record each drawing takes

// Everything a drawing left on its device context: the texts with their places, and the pixels.
struct CDrawn {
    std::vector<std::tuple<int, int, CString>> texts;
    QImage image;
    bool operator==(const CDrawn& other) const { return texts == other.texts && image == other.image; }
};

CDrawn DrawnOn(const CFixedMetricsDC& dc)
{
    CDrawn drawn;
    for (const auto& t : dc.texts)
        drawn.texts.emplace_back(t.x, t.y, t.text);
    drawn.image = dc.Image();
    return drawn;
}

// A page of paper in twips (y down the page is down in value), as a printer's device context
// shows it.
const CRect kPage(150, -300, 5925, -15000);

CDrawContext PrinterJob(CDC* pDC)
{
    CDrawContext ctx = CDrawContext::Screen(pDC, QDRAW_FULL);
    ctx.target = DrawTarget::Printer;
    ctx.printLayout = TRUE;
    ctx.answers = TRUE;
    ctx.choicesIndent = 12;
    return ctx;
}

TEST_F(CorraQuestionDrawTest, APrintJobAndTheScreenInterleavedEachDrawAsAlone)
{
    InstallRtfTextDrawer();
    CCorraQuestion printed = Question(IDS_QTYPE_MC, "Which of these cities lies on the river that runs through it?",
                                      "a. Paris, on the Seine b. London, on the Thames and some more words to wrap "
                                      "c. Rome",
                                      "b");
    CCorraQuestion tiled = Question(IDS_QTYPE_MC, "Which city is the capital of France?", "a. Paris b. London", "a");
    tiled.m_nIndex = 3;

    // The print job measures the question, then draws it where the measure put it; the screen
    // paints a tile.
    auto measurePrinted = [&](CFixedMetricsDC& dc) {
        int y = kPage.top;
        return printed.Draw(PrinterJob(&dc), &kPage, 0, y, "12", FALSE);
    };
    auto drawPrinted = [&](CFixedMetricsDC& dc) {
        int y = kPage.top;
        return printed.Draw(PrinterJob(&dc), &kPage, 0, y, "12");
    };
    auto drawTile = [&](CFixedMetricsDC& dc) {
        int y = 0;
        return tiled.Draw(CDrawContext::Screen(&dc, QDRAW_TILE), nullptr, 600, y, "1");
    };
    auto paper = [] {
        auto dc = std::make_unique<CFixedMetricsDC>(400, 1000);
        dc->SetMapMode(MM_TWIPS);
        return dc;
    };

    auto printerAlone = paper();
    const int measuredAlone = measurePrinted(*printerAlone);
    const int printedAlone = drawPrinted(*printerAlone);
    CFixedMetricsDC screenAlone(700, 200);
    const int tileAlone = drawTile(screenAlone);

    auto printer = paper();
    CFixedMetricsDC screen(700, 200);
    const int measured = measurePrinted(*printer);
    const int tile = drawTile(screen);
    const int drawn = drawPrinted(*printer);

    EXPECT_EQ(measured, measuredAlone);
    EXPECT_EQ(drawn, printedAlone);
    EXPECT_EQ(drawn, measured);
    EXPECT_EQ(tile, tileAlone);
    EXPECT_TRUE(DrawnOn(*printer) == DrawnOn(*printerAlone));
    EXPECT_TRUE(DrawnOn(screen) == DrawnOn(screenAlone));
    // Each is what its record asked for: the whole question with its answer marked on paper, a
    // tile (number, kind and index, no choices) on the screen.
    const std::vector<CString> paperTexts = TextsDrawn(*printer);
    EXPECT_TRUE(Contains(paperTexts, "12. "));
    EXPECT_TRUE(Contains(paperTexts, "*b."));
    const std::vector<CString> tileTexts = TextsDrawn(screen);
    EXPECT_TRUE(Contains(tileTexts, "MC"));
    EXPECT_TRUE(Contains(tileTexts, "3"));
    EXPECT_FALSE(Contains(tileTexts, "Paris"));
}

TEST_F(CorraQuestionDrawTest, MeasuredHeightIsTheDrawnHeightForEveryTarget)
{
    InstallRtfTextDrawer();
    // The document's indent is not the record's: a layout that measured with one and drew with
    // the other would wrap the long choice differently.
    CChoices::SetChoicesIndentLevel(0);
    struct Target {
        DrawTarget target;
        int mapMode;
        const char* name;
    };
    const Target targets[] = {
        {DrawTarget::Screen, MM_TEXT, "screen"},
        {DrawTarget::Printer, MM_TWIPS, "printer"},
        {DrawTarget::Preview, MM_TWIPS, "preview"},
        {DrawTarget::Export, MM_TEXT, "export"},
    };
    const int modes[] = {QDRAW_FULL, QDRAW_MEASURED, QDRAW_TILE, QDRAW_SMALL_TILE, QDRAW_LINE, QDRAW_ANSWERS};
    CCorraQuestion questions[] = {
        Question(IDS_QTYPE_MC, "Which of these is the longest river?",
                 "a. the Nile b. the Amazon, which some measure as longer than any other river on earth c. the Rhine",
                 "b"),
        Question(IDS_QTYPE_ES, "Describe the course of the Danube.", nullptr, "It rises in the Black Forest."),
    };
    for (const Target& t : targets) {
        for (int mode : modes) {
            for (CCorraQuestion& q : questions) {
                SCOPED_TRACE(testing::Message() << t.name << ", mode " << mode << ", " << q.GetTypeText().GetString());
                const bool paper = t.mapMode == MM_TWIPS;
                const int down = paper ? -1 : 1;
                const CRect* pPage = paper ? &kPage : nullptr;
                const int start = paper ? kPage.top : 20;
                auto record = [&](CDC* pDC) {
                    CDrawContext ctx = CDrawContext::Screen(pDC, mode);
                    ctx.target = t.target;
                    ctx.printLayout = paper;
                    ctx.answers = t.target != DrawTarget::Screen;
                    ctx.choicesIndent = 12;
                    return ctx;
                };
                CFixedMetricsDC measuring(400, 1000);
                measuring.SetMapMode(t.mapMode);
                int y = start;
                const int measured = q.Draw(record(&measuring), pPage, 400, y, "4", FALSE);
                EXPECT_EQ(y, start + down * measured);

                CFixedMetricsDC drawing(400, 1000);
                drawing.SetMapMode(t.mapMode);
                y = start;
                const int drawn = q.Draw(record(&drawing), pPage, 400, y, "4");
                EXPECT_EQ(drawn, measured);
                EXPECT_EQ(y, start + down * drawn);
                ASSERT_FALSE(drawing.texts.empty());
                for (const auto& text : drawing.texts)
                    EXPECT_LE(down * (text.y - start), drawn) << text.text.GetString();
            }
        }
    }
    EXPECT_EQ(CChoices::GetChoicesIndentLevel(), 0);
}

TEST_F(CorraQuestionDrawTest, TheRecordsIndentLaysTheChoicesOutAndLeavesTheSetting)
{
    CChoices::SetChoicesIndentLevel(0);
    CCorraQuestion q = Question(IDS_QTYPE_MC, "Capital?", "a. Paris b. London", "a");
    auto laidOut = [&](int indent) {
        CDrawContext ctx = CDrawContext::Screen(nullptr, QDRAW_FULL);
        ctx.choicesIndent = indent;
        CHVRichEditCtrl ctrl;
        ctrl.resize(400, 300);
        q.OutputToRichEdit(ctrl, ctx, "1", 0, TRUE);
        return ctrl.GetText();
    };
    EXPECT_GE(laidOut(-1).Find("\na."), 0) << "the setting: no indent";
    EXPECT_GE(laidOut(3).Find("\n    a."), 0);
    EXPECT_EQ(CChoices::GetChoicesIndentLevel(), 0);
}

} // namespace
