#include "platform/ui/DCUtil.h"

#include "platform/ui/DC.h"
#include "platform/ui/GdiObjects.h"
#include "platform/ui/Wnd.h"
#include "tests/support/CorraTest.h"

#include <QImage>

#include <climits>
#include <QLineEdit>

namespace {

using DCUtilTest = CorraTest;

TEST_F(DCUtilTest, UnionUnderTwipsKeepsYUpward)
{
    QImage image(100, 100, QImage::Format_RGB32);
    CDC dc(&image);
    const RECT a{0, -100, 100, -200};
    const RECT b{50, -300, 150, -400};
    RECT out;
    dc.SetMapMode(MM_TWIPS);
    UnionRectTwips(&dc, &out, &a, &b);
    EXPECT_EQ(CRect(out), CRect(0, -100, 150, -400));

    dc.SetMapMode(MM_TEXT);
    const RECT c{0, 10, 20, 30};
    const RECT d{5, 40, 25, 50};
    UnionRectTwips(&dc, &out, &c, &d);
    EXPECT_EQ(CRect(out), CRect(0, 10, 25, 50));
    UnionRectTwips(nullptr, &out, &c, &d);
    EXPECT_EQ(CRect(out), CRect(0, 10, 25, 50));
}

TEST_F(DCUtilTest, UnionUnderTwipsReachesTheLowestCoordinate)
{
    QImage image(100, 100, QImage::Format_RGB32);
    CDC dc(&image);
    dc.SetMapMode(MM_TWIPS);
    const RECT tall{0, 0, 10, INT_MIN};
    const RECT small{5, 100, 20, 50};
    RECT out;
    UnionRectTwips(&dc, &out, &tall, &small);
    EXPECT_EQ(CRect(out), CRect(0, 100, 20, INT_MIN));
    UnionRectTwips(&dc, &out, &small, &tall);
    EXPECT_EQ(CRect(out), CRect(0, 100, 20, INT_MIN));
    const RECT empty{0, INT_MIN, 10, 0};
    UnionRectTwips(&dc, &out, &empty, &small);
    EXPECT_EQ(CRect(out), CRect(small)) << "a rectangle with top below bottom holds nothing";
}

TEST_F(DCUtilTest, PaletteOfIndexedBitmapsOnly)
{
    EXPECT_TRUE(CreateDIBSectionPalette(nullptr).empty());

    QImage indexed(4, 4, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.Attach(indexed));
    std::vector<COLORREF> palette = CreateDIBSectionPalette(&bitmap);
    ASSERT_EQ(palette.size(), 2u);
    EXPECT_EQ(palette[0], RGB(255, 0, 0));
    EXPECT_EQ(palette[1], RGB(0, 0, 255));

    CBitmap truecolor;
    ASSERT_TRUE(truecolor.Attach(QImage(4, 4, QImage::Format_RGB32)));
    EXPECT_TRUE(CreateDIBSectionPalette(&truecolor).empty());
}

TEST_F(DCUtilTest, WindowRectanglesInTheParent)
{
    CWidgetWnd parent;
    parent.setGeometry(100, 50, 400, 300);
    CWidgetWnd child(&parent);
    child.setGeometry(10, 20, 80, 40);
    RECT r;
    GetWindowRectInParent(&child, &r, FALSE);
    // Offset by whatever frame the platform gives the parent window.
    const QRect frame = parent.frameGeometry();
    const QRect client = parent.geometry();
    const int dx = client.left() - frame.left();
    const int dy = client.top() - frame.top();
    EXPECT_EQ(CRect(r), CRect(10 + dx, 20 + dy, 90 + dx, 60 + dy));
    GetWindowRectInParent(&child, &r, TRUE);
    EXPECT_EQ(r.top, 20 + dx);

    RECT inset;
    GetInsetClientRect(&child, &inset);
    CRect window;
    child.GetWindowRect(&window);
    EXPECT_EQ(CRect(inset), CRect(window.right - 90, window.bottom - 50, window.right - 10, window.bottom - 10));
}

TEST_F(DCUtilTest, PercentFieldsRoundToTheNearestHundredth)
{
    CWidgetWnd dlg;
    QLineEdit* edit = dlg.AddControl(1001, new QLineEdit(&dlg));
    struct Case {
        double value;
        const char* shown;
    };
    const Case cases[] = {{0.29, "29"}, {0.33, "33"}, {-0.05, "-5"}, {1.0, "100"}, {0.125, "13"}};
    for (const Case& c : cases) {
        SetDlgItemPercent(&dlg, 1001, c.value);
        EXPECT_EQ(dlg.GetDlgItemText(1001), CString(c.shown)) << c.value;
    }
    edit->setText("-250");
    EXPECT_DOUBLE_EQ(GetDlgItemPercent(&dlg, 1001), -2.5);
}

} // namespace
