// The bands of an exam page on a device context of fixed metrics: how high each band is for
// the settings and the page, which item stands at a place, and the texts of the footer.

#include "print/ExamBands.h"

#include "foundation/Log.h"
#include "model/ExamDoc.h"
#include "platform/core/FileSys.h"
#include "platform/ui/DC.h"
#include "print/PageFrame.h"
#include "render/FontMgr.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FixedMetricsDC.h"
#include "tests/support/FontMgrReset.h"

#include <QImage>

#include <functional>

namespace {

using exambands::CBandItem;
using exambands::CBandPage;
using exambands::kPlaces;

class ExamBandsTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        ResetFontManager();
        // Each font of the bands a height of its own, so that a line's height names its font.
        const int bandSlots[] = {FM_EXAMCOURSENAME, FM_EXAMTITLE, FM_EXAMFILENAME, FM_EXAMPAGENO,
                             FM_EXAMFORMNAME,   FM_STUDENTNAME, FM_STUDENTID};
        int height = -10;
        for (int slot : bandSlots) {
            LOGFONT lf;
            CFontMgr::GetSlotLogFont(lf, slot);
            lf.lfHeight = height;
            height -= 4;
            CFontMgr::SetSlotLogFont(lf, slot);
        }
        dc.SetMapMode(MM_TWIPS);
        page = CRect(0, 0, 816, 1056);
        dc.DPtoLP(&page);
        bandPage.courseName = "Biology 101";
        bandPage.examTitle = "Midterm";
        bandPage.path = "/tmp/exams/mid.exm";
    }
    void TearDown() override
    {
        ResetFontManager();
        CorraTest::TearDown();
    }
    int Line(int slot) { return pageframe::SlotLineHeight(&dc, slot); }
    int HeaderHeight(const CExamPrintSettings& s, const CBandPage& p)
    {
        return pageframe::HeightOf(exambands::HeaderRect(&dc, page, s, p));
    }
    int FooterHeight(const CExamPrintSettings& s, const CBandPage& p)
    {
        return pageframe::HeightOf(exambands::FooterRect(&dc, page, s, p));
    }

    CFixedMetricsDC dc{816, 1056, 96};
    CRect page;
    CBandPage bandPage;
};

TEST_F(ExamBandsTest, BandHeightsFollowTheItemsAndThePage)
{
    const int onePercent = static_cast<int>(pageframe::HeightOf(page) * 0.01);
    struct Case {
        const char* name;
        std::function<void(CExamPrintSettings&, CBandPage&)> set;
        std::function<int()> header;
        std::function<int()> footer;
    };
    auto max = [](int a, int b) { return a > b ? a : b; };
    const Case cases[] = {
        // Course name top left, student name top right; title bottom left, ID bottom right.
        {"exam", [](CExamPrintSettings&, CBandPage&) {},
         [&] { return max(Line(FM_EXAMCOURSENAME), Line(FM_STUDENTNAME)) + max(Line(FM_EXAMTITLE), Line(FM_STUDENTID)); },
         [&] { return max(max(Line(FM_EXAMFILENAME), Line(FM_EXAMPAGENO)), Line(FM_EXAMFORMNAME)); }},
        // A key shows the form's name in the student name's font and asks for no ID.
        {"key", [](CExamPrintSettings&, CBandPage& p) { p.bKeys = TRUE; p.formName = "Form a"; },
         [&] { return max(Line(FM_EXAMCOURSENAME), Line(FM_STUDENTNAME)) + Line(FM_EXAMTITLE); },
         [&] { return max(max(Line(FM_EXAMFILENAME), Line(FM_EXAMPAGENO)), Line(FM_EXAMFORMNAME)); }},
        {"first page only, page 2",
         [](CExamPrintSettings& s, CBandPage& p) {
             s.firstPageOnly = TRUE;
             s.everyPage = FALSE;
             p.nPage = 2;
             p.bFirstOfRange = FALSE;
         },
         [&] { return onePercent; },
         [&] { return max(max(Line(FM_EXAMFILENAME), Line(FM_EXAMPAGENO)), Line(FM_EXAMFORMNAME)); }},
        {"all on top",
         [](CExamPrintSettings& s, CBandPage&) {
             s.examTitlePosIndex = 1;
             s.studentIdPosIndex = 1;  // taken by the title: the ID is not printed
         },
         [&] { return max(max(Line(FM_EXAMCOURSENAME), Line(FM_STUDENTNAME)), Line(FM_EXAMTITLE)); },
         [&] { return max(max(Line(FM_EXAMFILENAME), Line(FM_EXAMPAGENO)), Line(FM_EXAMFORMNAME)); }},
        {"both off",
         [](CExamPrintSettings& s, CBandPage&) {
             s.printHdr = FALSE;
             s.printFtr = FALSE;
         },
         [&] { return onePercent; }, [&] { return onePercent; }},
        // Places outside the six print nothing and take no room.
        {"bad places",
         [](CExamPrintSettings& s, CBandPage&) {
             s.courseNamePosIndex = -1;
             s.examTitlePosIndex = 6;
             s.studentNamePosIndex = 99;
             s.filenamePosIndex = 3;
             s.pageNumPosIndex = 7;
             s.formNamePosIndex = -5;
         },
         [&] { return Line(FM_STUDENTID); }, [&] { return Line(FM_EXAMFILENAME); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CExamPrintSettings s;
        // The footer on one line: file, page number, form name across the top.
        s.filenamePosIndex = 0;
        s.pageNumPosIndex = 1;
        s.formNamePosIndex = 2;
        CBandPage p = bandPage;
        c.set(s, p);
        EXPECT_EQ(HeaderHeight(s, p), c.header());
        EXPECT_EQ(FooterHeight(s, p), c.footer());
    }
}

TEST_F(ExamBandsTest, TheFirstItemTakesASharedPlace)
{
    CExamPrintSettings s;
    s.examTitlePosIndex = s.courseNamePosIndex;
    s.studentIdPosIndex = s.studentNamePosIndex;
    CBandItem items[kPlaces];
    exambands::HeaderItems(s, bandPage, items);
    EXPECT_EQ(items[s.courseNamePosIndex].text, "Biology 101");
    EXPECT_EQ(items[s.courseNamePosIndex].nSlot, FM_EXAMCOURSENAME);
    EXPECT_EQ(items[s.studentNamePosIndex].text, s.studentNamePrompt);
    int used = 0;
    for (const CBandItem& item : items)
        used += item.IsEmpty() ? 0 : 1;
    EXPECT_EQ(used, 2);

    // Drawn, the page shows the first only.
    exambands::DrawHeader(&dc, page, s, bandPage);
    CString drawn;
    for (const auto& t : dc.texts)
        drawn += t.text + "|";
    EXPECT_GE(drawn.Find("Biology"), 0) << drawn.GetString();
    EXPECT_LT(drawn.Find("Midterm"), 0) << drawn.GetString();
    EXPECT_LT(drawn.Find("SS#"), 0) << drawn.GetString();
}

TEST_F(ExamBandsTest, AKeyNamesItsFormWhereTheStudentWritesANameAndAsksNoId)
{
    CExamPrintSettings s;
    CBandPage p = bandPage;
    p.bKeys = TRUE;
    p.formName = "Form b";
    CBandItem items[kPlaces];
    exambands::HeaderItems(s, p, items);
    EXPECT_EQ(items[s.studentNamePosIndex].text, "Form b");
    EXPECT_EQ(items[s.studentNamePosIndex].nSlot, FM_STUDENTNAME);
    EXPECT_TRUE(items[s.studentIdPosIndex].IsEmpty());
}

TEST_F(ExamBandsTest, FooterTextsAreFilledAsText)
{
    CExamPrintSettings s;
    struct Case {
        const char* pattern;
        int page;
        const char* expected;
    } pages[] = {
        {"Page %d", 3, "Page 3"}, {"Page %A", 2, "Page B"}, {"Page %a", 27, "Page aa"},
        {"100% %d", 4, "100% 4"}, {"%s %d", 5, "%s 5"},     {"%d", 1, "1"},
    };
    for (const Case& c : pages) {
        s.pageNumFmt = c.pattern;
        EXPECT_EQ(exambands::PageNumberText(s, c.page), CString(c.expected)) << c.pattern;
    }

    // An empty form name pattern is "Form: %s"; names with '%' and braces print as they are.
    s.formNameOutputFmt.Empty();
    EXPECT_EQ(exambands::FormNameText(s, "Form a"), CString("Form: Form a"));
    s.formNameOutputFmt = "%d%% {%s}";
    EXPECT_EQ(exambands::FormNameText(s, "50%s {x}"), CString("%d%% {50%s {x}}"));

    // The file label takes the path relative to the program's folder; a '%' in it stays.
    s.fileLabelFmt = "File: %s (100%)";
    const CString inside = exambands::FileLabelText(s, HomePath("exams/mid.exm"));
    EXPECT_EQ(inside, CString("File: ./exams/mid.exm (100%)"));
    EXPECT_EQ(exambands::FileLabelText(s, "/elsewhere/50%s.exm"), CString("File: /elsewhere/50%s.exm (100%)"));
}

TEST_F(ExamBandsTest, TheFooterCountsTheFormNameWithoutAForm)
{
    CExamPrintSettings s;
    s.filenamePosIndex = 0;
    s.pageNumPosIndex = 1;
    s.formNamePosIndex = 5;
    CBandPage p = bandPage;
    CBandItem items[kPlaces];
    exambands::FooterItems(s, p, items);
    EXPECT_EQ(items[5].nSlot, FM_EXAMFORMNAME);
    EXPECT_TRUE(items[5].text.IsEmpty());
    EXPECT_EQ(FooterHeight(s, p), std::max(Line(FM_EXAMFILENAME), Line(FM_EXAMPAGENO)) + Line(FM_EXAMFORMNAME));
    p.formName = "Form c";
    exambands::FooterItems(s, p, items);
    EXPECT_EQ(items[5].text, "Form: Form c");
}

TEST_F(ExamBandsTest, TheHeaderImageTakesItsShareOfThePageOrNoRoom)
{
    const CString png = HomePath("images/logo.png");
    QImage logo(200, 100, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    ASSERT_TRUE(fsys::CreateDirectories(HomePath("images")));
    ASSERT_TRUE(logo.save(QString::fromLocal8Bit(png.GetString())));
    WriteHomeFile("images/bad.png", "not a picture");
    const int items = HeaderHeight(CExamPrintSettings{}, bandPage);
    const int pageHeight = pageframe::HeightOf(page);
    struct Case {
        const char* file;
        int size;
        int pos;
        int brightness;
        int expectedPercent;  // 0: no room for the image
    } cases[] = {
        {"./images/logo.png", 10, 0, 0, 10},  {"./images/logo.png", 1, 1, 999, 3},
        {"./images/logo.png", 50, 7, -999, 30}, {"./images/gone.png", 10, 0, 0, 0},
        {"./images/bad.png", 10, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CExamPrintSettings s;
        s.useImage = TRUE;
        s.imageFile = c.file;
        s.imageSize = c.size;
        s.imagePosIndex = c.pos;
        s.imageBrightness = c.brightness;
        const CRect image = exambands::HeaderImageRect(&dc, page, s);
        const int expected = static_cast<int>(pageHeight * c.expectedPercent / 100.0);
        EXPECT_EQ(pageframe::HeightOf(image), expected);
        EXPECT_EQ(HeaderHeight(s, bandPage), std::max(items, expected));
        if (expected > 0) {
            // Twice as wide as high, at the band's left, or its right for place 1.
            EXPECT_EQ(image.Width(), std::min(2 * expected, page.Width() / 2));
            EXPECT_EQ(c.pos == 1 ? image.right : image.left, c.pos == 1 ? page.right : page.left);
            // Drawn as large as the room it took: its rows of pixels are the band's share.
            CFixedMetricsDC drawn{816, 1056, 96};
            drawn.SetMapMode(MM_TWIPS);
            exambands::DrawHeader(&drawn, page, s, bandPage);
            const QImage& pixels = drawn.Image();
            const int column = c.pos == 1 ? pixels.width() - 2 : 1;
            int rows = 0;
            for (int y = 0; y < pixels.height(); ++y)
                rows += pixels.pixelColor(column, y) != QColor(Qt::white) ? 1 : 0;
            // Made as bright as can be, the picture is white.
            if (c.brightness < 255)
                EXPECT_NEAR(rows, 1056 * c.expectedPercent / 100, 2);
            // The items an eighth of an inch beside it; the bottom row against the band's bottom.
            const CRect header = exambands::HeaderRect(&drawn, page, s, bandPage);
            const int bottomRow = std::max(Line(FM_EXAMTITLE), Line(FM_STUDENTID));
            for (const auto& t : drawn.texts) {
                if (t.text == "Biology 101" && c.pos != 1)
                    EXPECT_GE(t.x, image.right + pageframe::UnitsPerInch(&drawn, FALSE) / 8);
                if (t.text == "Midterm")
                    EXPECT_EQ(t.y, header.bottom - pageframe::Down(&drawn) * bottomRow);
            }
        }
    }
}

} // namespace
