#include "model/ImageView.h"

#include "model/CorraQuestion.h"
#include "model/Question.h"

#include "tests/render/ImageFixture.h"
#include "tests/support/FixedMetricsDC.h"

#include "foundation/CorraAppBase.h"
#include "foundation/Log.h"

#include "platform/ui/ResourceImage.h"

#include "res/ids/Images.h"
#include "res/ids/QuestionTypes.h"

#include <QBuffer>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// One image of a case: its pixels, position, size and gap in percent.
struct ImageEntry {
    int cx, cy;
    int pos;
    double size;
    double gap;
};

// The layout rectangle of the tables: 1000 wide, 800 high; the text 600 by 100 and the choices
// 600 by 200, relative to its origin. Expected rectangles are written as on screen.
constexpr int kWidth = 1000;
constexpr int kHeight = 800;

class ImageViewTest : public ImageFixture {
protected:
    // A one-coloured PNG of cx by cy in the program home.
    CString MakeImage(int cx, int cy, QRgb colour = qRgb(255, 0, 0))
    {
        QImage image(cx, cy, QImage::Format_RGB32);
        image.fill(colour);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        EXPECT_TRUE(image.save(&buffer, "PNG"));
        const std::string name = "img" + std::to_string(m_nImages++) + ".png";
        return WriteHomeFile(name.c_str(), bytes.toStdString());
    }

    // The entries as a question's image references.
    void Fill(CImageViewList& list, const std::vector<ImageEntry>& entries)
    {
        CQuestion question;
        for (const ImageEntry& s : entries)
            question.AddImage(MakeImage(s.cx, s.cy), s.pos, 0, s.size, s.gap);
        CPtrList images;
        question.GetImages(images);
        EXPECT_EQ(list.SetImages(images), 1);
    }

    // Sets the rectangles for the mapping mode: y turned upward in MM_TWIPS.
    static void Frame(CImageViewList& list, int down)
    {
        list.m_rcLayout = CRect(0, 0, kWidth, down * kHeight);
        list.m_rcQuestion = CRect(0, 0, 600, down * 100);
        list.m_rcChoices = CRect(0, 0, 600, down * 200);
    }

    static CRect Turned(const CRect& rc, int down) { return CRect(rc.left, down * rc.top, rc.right, down * rc.bottom); }

    static CImageView* At(const CImageViewList& list, int index)
    {
        POSITION pos = list.GetHeadPosition();
        CImageView* image = nullptr;
        for (int i = 0; i <= index && pos; ++i)
            image = list.GetNext(pos);
        return image;
    }

    // The two mapping modes every layout case runs in: y down, and y up.
    static constexpr int kModes[] = {MM_TEXT, MM_TWIPS};

    // Runs check(case, dc, list, down) for every case in both modes, with the case's images in
    // the list and the table's rectangles set.
    template <typename Cases, typename Check>
    void InBothModes(const Cases& cases, Check check)
    {
        for (int mode : kModes) {
            const int down = mode == MM_TEXT ? 1 : -1;
            for (const auto& c : cases) {
                SCOPED_TRACE(std::string(c.what) + (mode == MM_TEXT ? " (MM_TEXT)" : " (MM_TWIPS)"));
                CFixedMetricsDC dc(100, 100);
                dc.SetMapMode(mode);
                CImageViewList list;
                Fill(list, c.images);
                Frame(list, down);
                check(c, dc, list, down);
            }
        }
    }

private:
    int m_nImages = 0;
};

TEST_F(ImageViewTest, PlacesBandsColumnsTextAndChoicesInEitherDirection)
{
    const struct {
        const char* what;
        std::vector<ImageEntry> images;
        std::vector<CRect> places;
        CRect question;
        CRect choices;
    } cases[] = {
        // The band is as high as its largest image; each image is its own share high.
        {"top 30 % and 50 %",
         {{100, 50, IP_TOP, 30, 0}, {100, 100, IP_TOP, 50, 0}},
         {CRect(0, 0, 480, 240), CRect(480, 0, 880, 400)},
         CRect(0, 400, 600, 500),
         CRect(0, 500, 600, 700)},
        // Column and image are held to 80 % of the width.
        {"left 95 %", {{100, 50, IP_LEFT, 95, 0}}, {CRect(0, 0, 800, 400)}, CRect(800, 0, 1400, 100), CRect(800, 100, 1400, 300)},
        // 7 % is taken as 5 % (40 of the height, before and after the band); -1 % as nothing.
        {"gaps held to 0..5 %",
         {{100, 50, IP_TOP, 20, 7}, {100, 50, IP_LEFT, 10, -1}},
         {CRect(0, 40, 320, 200), CRect(0, 240, 100, 290)},
         CRect(100, 240, 700, 340),
         CRect(100, 340, 700, 540)},
        // The text one left gap after the left column, the right column one left and one right
        // gap after the text.
        {"left and right columns",
         {{100, 100, IP_LEFT, 10, 2}, {100, 100, IP_RIGHT, 10, 3}},
         {CRect(20, 0, 120, 100), CRect(770, 0, 870, 100)},
         CRect(140, 0, 740, 100),
         CRect(140, 100, 740, 300)},
        // The bands between text and choices and below the choices, with their gaps.
        {"below the question and the choices",
         {{200, 100, IP_BELOW_QUEST, 10, 1}, {100, 100, IP_BELOW_CHOICES, 10, 2}, {100, 100, IP_BELOW_QUEST, 5, 0}},
         {CRect(0, 108, 160, 188), CRect(0, 412, 80, 492), CRect(160, 108, 200, 148)},
         CRect(0, 0, 600, 100),
         CRect(0, 196, 600, 396)},
    };
    InBothModes(cases, [](const auto& c, CDC& dc, CImageViewList& list, int down) {
        EXPECT_EQ(list.Layout(&dc), 0);
        for (size_t i = 0; i < c.places.size(); ++i)
            EXPECT_EQ(At(list, static_cast<int>(i))->m_rcPlace, Turned(c.places[i], down)) << "image " << i;
        EXPECT_EQ(list.m_rcQuestion, Turned(c.question, down));
        EXPECT_EQ(list.m_rcChoices, Turned(c.choices, down));
        EXPECT_EQ(list.GetLayoutBottom(), down * kHeight);
    });
}

TEST_F(ImageViewTest, FitTestTellsWhetherAndHowLargeAnImageFits)
{
    // The tested image is the last of each case.
    const struct {
        const char* what;
        std::vector<ImageEntry> images;
        int result;
        double percent;
    } cases[] = {
        {"top fits", {{100, 50, IP_TOP, 20, 0}}, IMAGE_FITS, 0},
        // 1600 wide: the whole width is room, 1000 wide is 100 high, 12.5 % of 800.
        {"top too wide", {{100, 10, IP_TOP, 20, 0}}, IMAGE_FITS_SMALLER, 12.5},
        // 20 left beside the first image: a band 2 high.
        {"top without room", {{100, 10, IP_TOP, 12.25, 0}, {100, 10, IP_TOP, 20, 0}}, IMAGE_CANNOT_FIT, 0.25},
        // Text and choices pushed 60 past the bottom: the band gives up 60 of its 560.
        {"top pushes the text out", {{100, 100, IP_TOP, 70, 0}}, IMAGE_FITS_SMALLER, 62.5},
        {"left fits", {{100, 50, IP_LEFT, 20, 0}}, IMAGE_FITS, 0},
        // The text after an 800 wide column reaches 400 past the right edge.
        {"left pushes the text out", {{100, 50, IP_LEFT, 95, 0}}, IMAGE_FITS_SMALLER, 40},
        {"left too tall", {{10, 100, IP_LEFT, 50, 0}}, IMAGE_FITS_SMALLER, 8},
        {"left without room", {{10, 100, IP_LEFT, 7.9, 0}, {10, 100, IP_LEFT, 10, 0}}, IMAGE_CANNOT_FIT, 0.1},
        {"right fits", {{100, 50, IP_RIGHT, 20, 0}}, IMAGE_FITS, 0},
        {"right past the edge", {{100, 100, IP_RIGHT, 60, 0}}, IMAGE_FITS_SMALLER, 40},
        {"right without room", {{10, 100, IP_RIGHT, 8, 0}, {10, 100, IP_RIGHT, 10, 0}}, IMAGE_CANNOT_FIT, 0},
        {"below question fits", {{100, 50, IP_BELOW_QUEST, 20, 0}}, IMAGE_FITS, 0},
        {"below question too wide", {{100, 10, IP_BELOW_QUEST, 20, 0}}, IMAGE_FITS_SMALLER, 12.5},
        {"below question without room",
         {{100, 10, IP_BELOW_QUEST, 12.5, 0}, {100, 10, IP_BELOW_QUEST, 20, 0}},
         IMAGE_CANNOT_FIT,
         0},
        // Beside a right column the band's room ends at the column.
        {"below question beside a column",
         {{100, 100, IP_RIGHT, 30, 0}, {100, 10, IP_BELOW_QUEST, 10, 0}},
         IMAGE_FITS_SMALLER,
         7.5},
        {"below choices fits", {{100, 50, IP_BELOW_CHOICES, 10, 0}}, IMAGE_FITS, 0},
        {"below choices too wide", {{100, 10, IP_BELOW_CHOICES, 20, 0}}, IMAGE_FITS_SMALLER, 12.5},
        {"below choices without room",
         {{100, 10, IP_BELOW_CHOICES, 12.5, 0}, {100, 10, IP_BELOW_CHOICES, 20, 0}},
         IMAGE_CANNOT_FIT,
         0},
        // 300 from the choices' bottom at 300 to 600: 100 past the bottom.
        {"below choices too tall", {{100, 100, IP_BELOW_CHOICES, 75, 0}}, IMAGE_FITS_SMALLER, 62.5},
    };
    InBothModes(cases, [](const auto& c, CDC& dc, CImageViewList& list, int) {
        CImageFitTest fit;
        fit.pImage = At(list, static_cast<int>(c.images.size()) - 1);
        CString error;
        EXPECT_EQ(list.Layout(&dc, &fit, &error), c.result);
        EXPECT_NEAR(fit.dPercent, c.percent, 0.01);
        EXPECT_EQ(error, c.result == IMAGE_CANNOT_FIT ? CString("Failed to fit image") : CString());
        EXPECT_EQ(fit.nOverflow > 0, c.result != IMAGE_FITS);
    });
}

TEST_F(ImageViewTest, NothingToDivideByIsLeftOut)
{
    CImageViewList list;
    Fill(list, {{100, 50, IP_TOP, 20, 0}, {100, 50, IP_LEFT, 20, 0}});
    // No pixels at all.
    CImageView* empty = At(list, 0);
    empty->GetBitmap()->DeleteObject();
    Frame(list, 1);
    CImageFitTest fit;
    fit.pImage = empty;
    CString error;
    EXPECT_EQ(list.Layout(nullptr, &fit, &error), IMAGE_CANNOT_FIT);
    EXPECT_EQ(error, "Failed to fit image");
    EXPECT_TRUE(empty->m_rcPlace.IsRectNull());
    EXPECT_EQ(list.GetBand(IP_TOP).Height(), 0);
    EXPECT_EQ(At(list, 1)->m_rcPlace, CRect(0, 0, 200, 100));

    // An empty layout rectangle places nothing and fits nothing.
    for (const CRect& layout : {CRect(0, 0, 0, 800), CRect(0, 0, 1000, 0), CRect(0, 0, -5, 800)}) {
        list.m_rcLayout = layout;
        list.m_rcQuestion = CRect(0, 0, 600, 100);
        fit.pImage = At(list, 1);
        EXPECT_EQ(list.Layout(nullptr, &fit), IMAGE_CANNOT_FIT);
        EXPECT_TRUE(At(list, 1)->m_rcPlace.IsRectNull());
        EXPECT_FALSE(std::isnan(list.GetExtent(IP_LEFT)));
    }
}

TEST_F(ImageViewTest, BadPositionsAndSizesAreTakenAsDefaults)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    CImageViewList list;
    Fill(list, {{100, 50, 9, 30, 0}, {100, 50, -1, 30, 0}, {100, 50, IP_LEFT, -4, 0}, {100, 50, IP_LEFT, nan, nan},
                {100, 50, IP_LEFT, inf, 0}});
    EXPECT_GE(GetLogBuffer().Find("CImageView::Load() - bad position"), 0);
    const struct {
        int pos;
        double size;
    } expected[] = {{IP_TOP, 30}, {IP_TOP, 30}, {IP_LEFT, 20}, {IP_LEFT, 20}, {IP_LEFT, 20}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(At(list, i)->m_nPos, expected[i].pos) << i;
        EXPECT_EQ(At(list, i)->m_dSize, expected[i].size) << i;
    }
    Frame(list, 1);
    list.Layout(nullptr);
    EXPECT_EQ(list.GetGapExtent(IP_LEFT), 0.0);
    EXPECT_EQ(list.GetExtent(IP_LEFT), 200.0);
}

TEST_F(ImageViewTest, CanAddNewLeavesRoomForTheText)
{
    const struct {
        const char* what;
        std::vector<ImageEntry> images;
        int pos;
        BOOL can;
    } cases[] = {
        {"empty: left", {}, IP_LEFT, TRUE},
        {"empty: below choices", {}, IP_BELOW_CHOICES, TRUE},
        // 1000 - (600 + 400) leaves less than a tenth of the width for the text.
        {"left beside a wide right column", {{100, 100, IP_RIGHT, 40, 0}}, IP_LEFT, FALSE},
        {"right beside a wide left column", {{100, 100, IP_LEFT, 40, 0}}, IP_RIGHT, FALSE},
        {"left beside a narrow right column", {{100, 100, IP_RIGHT, 20, 0}}, IP_LEFT, TRUE},
        // Less than a tenth of the height left below the column.
        {"left column full", {{10, 100, IP_LEFT, 7.5, 0}}, IP_LEFT, FALSE},
        // 800 - (200 + 160 + 240 + 160) is less than a tenth of the height.
        {"top with both lower bands", {{100, 100, IP_BELOW_QUEST, 25, 0}, {100, 100, IP_BELOW_CHOICES, 20, 0}}, IP_TOP, FALSE},
        {"below question with top and below choices",
         {{100, 100, IP_TOP, 25, 0}, {100, 100, IP_BELOW_CHOICES, 20, 0}},
         IP_BELOW_QUEST,
         FALSE},
        {"below choices with top and below question",
         {{100, 100, IP_TOP, 25, 0}, {100, 100, IP_BELOW_QUEST, 20, 0}},
         IP_BELOW_CHOICES,
         FALSE},
        // Less than a tenth of the width left in the band.
        {"top band full", {{100, 10, IP_TOP, 11.5, 0}}, IP_TOP, FALSE},
        {"top band with room", {{100, 10, IP_TOP, 5, 0}}, IP_TOP, TRUE},
        {"unknown position", {}, 7, FALSE},
    };
    InBothModes(cases, [](const auto& c, CDC&, CImageViewList& list, int) {
        list.Layout(nullptr);
        EXPECT_EQ(list.CanAddNew(c.pos), c.can);
    });
    EXPECT_GE(GetLogBuffer().Find("CImageViewList::CanAddNew() - unknown position type..."), 0);
    EXPECT_GE(GetLogBuffer().Find("pos=7"), 0);
}

TEST_F(ImageViewTest, RoomPerPositionLeavesOneImageOut)
{
    CImageViewList list;
    Fill(list, {{100, 50, IP_TOP, 20, 0}, {100, 50, IP_TOP, 10, 0}, {100, 100, IP_LEFT, 10, 0}, {100, 100, IP_RIGHT, 10, 0},
                {100, 50, IP_BELOW_CHOICES, 10, 0}});
    Frame(list, -1);
    list.Layout(nullptr);
    // The top band is 320 + 160 wide and 160 high; the columns start under it.
    EXPECT_EQ(list.GetRoomAt(IP_TOP), 1000 - 480);
    EXPECT_EQ(list.GetRoomAt(IP_TOP, At(list, 0)), 1000 - 160);
    EXPECT_EQ(list.GetRoomAt(IP_RIGHT), 800 - 160 - 100);
    EXPECT_EQ(list.GetRoomAt(IP_RIGHT, At(list, 3)), 800 - 160);
    // The band below the choices starts left of the left column's edge: the column stops there.
    const int bandTop = std::abs(list.GetBand(IP_BELOW_CHOICES).top);
    EXPECT_EQ(list.GetRoomAt(IP_LEFT), bandTop - 160 - 100);
    // Beside the right column the band below the question ends at that column.
    EXPECT_EQ(list.GetRoomAt(IP_BELOW_QUEST), list.GetBand(IP_RIGHT).left - list.m_rcQuestion.left);
    EXPECT_EQ(list.GetCountAt(IP_TOP), 2);
    EXPECT_EQ(list.GetTotalExtent(IP_TOP), 480);
    EXPECT_EQ(list.GetMaxImageHeight(), -160);
}

TEST_F(ImageViewTest, MissingFilesKeepTheirPlaceOnScreen)
{
    const CString present = MakeImage(100, 50, qRgb(255, 0, 0));
    CQuestion question;
    question.AddImage(HomePath("gone/lost.png"), IP_TOP, 0, 25, 0);
    question.AddImage(present, IP_TOP, 0, 25, 0);
    question.AddImage(HomePath("gone/away.bmp"), IP_LEFT, 0, 20, 0);
    CPtrList images;
    question.GetImages(images);
    CImageViewList list;
    list.SetImages(images);
    EXPECT_GE(GetLogBuffer().Find(CString("CImageViewList::SetImages() - incomming file does not exist...") +
                                  HomePath("gone/lost.png")),
              0);
    EXPECT_EQ(list.CountMissingFiles(), 2);
    EXPECT_TRUE(At(list, 0)->GetBitmap()->IsBroken());

    list.m_rcLayout = CRect(0, 0, 400, 400);
    list.m_rcQuestion = CRect(0, 0, 200, 40);
    list.Layout(nullptr);
    const CRect lost = At(list, 0)->m_rcPlace;
    const CRect red = At(list, 1)->m_rcPlace;
    const CRect away = At(list, 2)->m_rcPlace;
    ASSERT_EQ(red, CRect(lost.right, 0, lost.right + 200, 100));

    CFixedMetricsDC dc(400, 400);
    list.Draw(&dc);
    EXPECT_EQ(dc.Image().pixel(red.left + 1, red.top + 1), qRgb(255, 0, 0));
    EXPECT_EQ(dc.Image().pixel(red.right - 1, red.bottom - 1), qRgb(255, 0, 0));
    // The broken-image picture stands in for the missing file.
    QImage broken;
    ASSERT_TRUE(LoadResourceImage(IDB_BROKEN_IMAGE, broken));
    const QImage picture = broken.convertToFormat(QImage::Format_RGB32);
    const QRgb centre = picture.pixel(picture.width() / 2, picture.height() / 2);
    ASSERT_NE(centre, qRgb(255, 255, 255));
    EXPECT_EQ(dc.Image().pixel(lost.CenterPoint().x, lost.CenterPoint().y), centre);

    // "Missing" at the corner, the names at one third, then two thirds, on every repaint.
    for (int paint = 0; paint < 2; ++paint) {
        dc.texts.clear();
        list.DrawMissing(&dc);
        ASSERT_EQ(dc.texts.size(), 4u);
        EXPECT_EQ(dc.texts[0].text, "Missing");
        EXPECT_EQ(dc.texts[0].y, lost.top);
        EXPECT_EQ(dc.texts[1].text, "lost.png");
        EXPECT_EQ(dc.texts[1].y, lost.top + lost.Height() / 3);
        EXPECT_EQ(dc.texts[2].text, "Missing");
        EXPECT_EQ(dc.texts[2].y, away.top);
        EXPECT_EQ(dc.texts[3].text, "away.bmp");
        EXPECT_EQ(dc.texts[3].y, away.top + away.Height() * 2 / 3);
        EXPECT_STREQ(dc.texts[1].lf.lfFaceName, "Arial");
        EXPECT_EQ(dc.texts[1].lf.lfHeight, -11);
    }
    EXPECT_EQ(list.HitTest(CPoint(red.left + 5, red.top + 5)), At(list, 1));
    EXPECT_EQ(list.HitTest(CPoint(399, 399)), nullptr);
}

TEST_F(ImageViewTest, PaperGetsTheFilesGreyAndLeavesMissingOnesEmpty)
{
    const CString present = MakeImage(100, 50, qRgb(255, 0, 0));
    CQuestion question;
    question.AddImage(HomePath("lost.png"), IP_TOP, 0, 25, 0);
    question.AddImage(present, IP_TOP, 0, 25, 0);
    CPtrList images;
    question.GetImages(images);
    CImageViewList list;
    list.SetImages(images);
    // 3000 twips square: 200 pixels.
    list.m_rcLayout = CRect(0, 0, 3000, -3000);
    list.m_rcQuestion = CRect(0, 0, 1500, -300);
    CFixedMetricsDC dc(200, 200);
    dc.SetMapMode(MM_TWIPS);
    list.Layout(&dc);
    const CRect lost = At(list, 0)->m_rcPlace;
    const CRect red = At(list, 1)->m_rcPlace;
    ASSERT_EQ(red, CRect(lost.right, 0, lost.right + 1500, -750));
    ResetLogging();
    list.Draw(&dc);
    // 15 twips a pixel.
    EXPECT_EQ(dc.Image().pixel(red.left / 15 + 2, 2), qRgb(147, 147, 147));
    EXPECT_EQ(dc.Image().pixel(red.right / 15 - 2, 48), qRgb(147, 147, 147));
    EXPECT_EQ(dc.Image().pixel(lost.right / 15 - 2, 2), qRgb(255, 255, 255));
    EXPECT_GE(GetLogBuffer().Find(CString("CImageViewList::Draw() - failed to InitDIB() for image...") +
                                  HomePath("lost.png")),
              0);
}

TEST_F(ImageViewTest, CaptionFontComesFromTheProfileWithTheGivenHeightAndFace)
{
    LOGFONT stored;
    stored.lfHeight = -30;
    stored.lfWeight = FW_BOLD;
    stored.lfItalic = 1;
    SetLogFontFaceName(stored, "Liberation Serif");
    CorraApp().WriteProfileLogFont("CorraFonts", "Print", stored);
    for (int mode : kModes) {
        CFixedMetricsDC dc(100, 100);
        dc.SetMapMode(mode);
        const LOGFONT before = dc.GetCurrentLogFont();
        CImageViewList list;
        ASSERT_TRUE(list.CreateCaptionFont(&dc, 12, "Liberation Sans"));
        const LOGFONT& lf = dc.GetCurrentLogFont();
        EXPECT_EQ(lf.lfHeight, mode == MM_TWIPS ? 240 : 12);
        EXPECT_STREQ(lf.lfFaceName, "Liberation Sans");
        EXPECT_EQ(lf.lfWeight, FW_BOLD);
        EXPECT_EQ(lf.lfItalic, 1);
        list.ReleaseCaptionFont();
        EXPECT_STREQ(dc.GetCurrentLogFont().lfFaceName, before.lfFaceName);
    }
}

} // namespace

// A question draws its images around its text: on screen with the placeholder of a missing file,
// on paper without it, measured as it is drawn.
TEST_F(ImageViewTest, AQuestionIsDrawnAroundItsImages)
{
    CCorraQuestion question;
    question.m_nId = 7;
    question.m_nType = IDS_QTYPE_MC;
    question.m_cszQuestionText = "Which city is the capital of France?";
    question.SetChoices("a. Paris b. London", '*', '*');
    const CString red = MakeImage(100, 50, qRgb(255, 0, 0));
    question.AddImage(red, IP_TOP, 0, 10, 0);
    question.AddImage(HomePath("gone.png"), IP_LEFT, 0, 20, 0);

    for (int mode : kModes) {
        SCOPED_TRACE(mode == MM_TEXT ? "MM_TEXT" : "MM_TWIPS");
        const int down = mode == MM_TEXT ? 1 : -1;
        // The screen's and the page's height: 1000 pixels.
        CFixedMetricsDC dc(400, 1000);
        dc.SetMapMode(mode);
        const CRect page = mode == MM_TEXT ? CRect(10, 0, 395, 1000) : CRect(150, 0, 5925, -15000);
        const int start = down * (mode == MM_TEXT ? 20 : 300);
        CDrawContext ctx = CDrawContext::Screen(&dc, QDRAW_FULL);
        if (mode == MM_TWIPS)
            ctx.target = DrawTarget::Printer;
        CQuestionLayout layout;
        const int measured = question.CalcDrawHeight(ctx, CRect(page.left, start, page.right, start), "4", FALSE, &layout);
        ASSERT_TRUE(layout.images);
        EXPECT_EQ(layout.images->CountMissingFiles(), 1);
        const CRect top = At(*layout.images, 0)->m_rcPlace;
        const CRect left = At(*layout.images, 1)->m_rcPlace;
        // A tenth of the page high, twice as wide; the column a fifth of the width.
        EXPECT_EQ(top, CRect(page.left, start, page.left + 2 * std::abs(page.Height()) / 10,
                             start + page.Height() / 10));
        EXPECT_EQ(left.left, page.left);
        EXPECT_EQ(left.right, page.left + page.Width() / 5);
        EXPECT_EQ(left.top, top.bottom);
        // The text right of the column, under the band.
        EXPECT_EQ(layout.label.TopLeft(), CPoint(left.right, top.bottom));
        EXPECT_EQ(layout.text.right, page.right);
        EXPECT_EQ(layout.choices.left, left.right);
        EXPECT_GE(layout.height, std::abs(left.bottom - start));

        const CRect* pPage = mode == MM_TEXT ? nullptr : &page;
        int y = start;
        const int height = question.DrawFull(ctx, pPage, 400, y, "4", FALSE);
        EXPECT_GT(height, measured);
        ASSERT_TRUE(dc.texts.empty());
        y = start;
        EXPECT_EQ(question.DrawFull(ctx, pPage, 400, y, "4"), height);
        EXPECT_EQ(y, start + down * height);
        ASSERT_FALSE(dc.texts.empty());
        const auto drawnAt = [&](const char* text) {
            for (const auto& t : dc.texts)
                if (t.text == text)
                    return CPoint(t.x, t.y);
            return CPoint(-1, -1);
        };
        EXPECT_EQ(drawnAt("4. "), CPoint(left.right, top.bottom));
        const QPoint redPixel = mode == MM_TEXT ? QPoint(top.left + 5, top.top + 5) : QPoint(top.left / 15 + 2, -top.top / 15 + 2);
        EXPECT_EQ(dc.Image().pixel(redPixel), mode == MM_TEXT ? qRgb(255, 0, 0) : qRgb(147, 147, 147));
        if (mode == MM_TEXT) {
            EXPECT_EQ(drawnAt("Missing").y, left.top);
            EXPECT_EQ(drawnAt("gone.png").y, left.top + left.Height() / 3);
        } else {
            EXPECT_EQ(drawnAt("Missing"), CPoint(-1, -1));
            EXPECT_EQ(dc.Image().pixel(left.CenterPoint().x / 15, -left.CenterPoint().y / 15), qRgb(255, 255, 255));
        }
    }
}
