#include "app/BitmapPickerDlg.h"
#include "app/Pictures.h"
#include "controls/BitmapPathDlg.h"
#include "controls/BitmapWnd.h"
#include "controls/HVBitmapButton.h"
#include "controls/MRUPathComboBox.h"
#include "foundation/CorraAppBase.h"
#include "platform/core/FileSys.h"
#include "res/ids/App.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>

namespace {

class BitmapDialogsTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        RegisterStartScreenPictures();
    }
    CString WritePicture(const char* name, int w, int h)
    {
        const CString path = HomePath(name);
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        EXPECT_TRUE(img.save(QString::fromUtf8(static_cast<LPCSTR>(path))));
        return path;
    }
};

TEST(BitmapFit, APictureKeepsItsShapeCentredInItsBox)
{
    const struct {
        CSize picture, client;
        CRect expected;
    } cases[] = {
        {{200, 100}, {100, 100}, {0, 25, 100, 75}},
        {{100, 200}, {100, 100}, {25, 0, 75, 100}},
        {{50, 50}, {100, 60}, {20, 0, 80, 60}},
        {{0, 100}, {100, 100}, {0, 0, 0, 0}},
        {{200, 100}, {0, 100}, {0, 0, 0, 0}},
        {{200, 100}, {100, 0}, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const CRect r = FitPicture(c.picture, c.client);
        EXPECT_EQ(r, c.expected) << c.picture.cx << "x" << c.picture.cy << " in " << c.client.cx << "x" << c.client.cy;
    }
}

TEST_F(BitmapDialogsTest, TheBitmapWindowDrawsTheFittedPictureAndNothingWithoutRoom)
{
    CBitmapWnd wnd;
    wnd.resize(100, 100);
    EXPECT_TRUE(wnd.DrawnRect().IsRectEmpty());
    ASSERT_TRUE(wnd.Load(WritePicture("wide.bmp", 200, 100)));
    EXPECT_EQ(wnd.DrawnRect(), CRect(0, 25, 100, 75));
    QImage shot(100, 100, QImage::Format_RGB32);
    wnd.render(&shot);
    EXPECT_EQ(shot.pixelColor(50, 50), QColor(Qt::darkCyan));
    EXPECT_NE(shot.pixelColor(50, 10), QColor(Qt::darkCyan));
    wnd.resize(0, 100);
    EXPECT_TRUE(wnd.DrawnRect().IsRectEmpty());
}

TEST_F(BitmapDialogsTest, APressedPictureThatFailsDrawsTheUpOneWhenPressed)
{
    CHVBitmapButton button("Go", 7, 0);
    CBitmapButtonSet set;
    set.upId = IDB_CIRCLE_UP;
    set.downFile = WritePicture("bad.bmp", 1, 1);
    fsys::WriteFile(set.downFile, "not a picture", 13);
    EXPECT_FALSE(button.LoadImages(set));
    EXPECT_EQ(button.PictureFor(TRUE, FALSE, FALSE), &button.UpPicture());
}

TEST_F(BitmapDialogsTest, ThePickerStopsAtTheFirstCheckedPictureWithoutAFile)
{
    const CString good = WritePicture("up.png", 100, 100);
    CModalScript script;
    script.On<CHVBitmapPickerDlg>([&](CHVBitmapPickerDlg& dlg) {
        ASSERT_NE(dlg.GetTestButton(), nullptr);
        EXPECT_EQ(dlg.GetTestButton()->GetCaption(), CString("Test"));
        dlg.CheckAll(TRUE);
        for (int i = 0; i < CBitmapSettings::Count; ++i)
            dlg.SetDlgItemText(CHVBitmapPickerDlg::PathEditId(i), good);
        dlg.SetDlgItemText(CHVBitmapPickerDlg::PathEditId(CBitmapSettings::CircleDown), "");
        dlg.SetDlgItemText(CHVBitmapPickerDlg::PathEditId(CBitmapSettings::NavUp), HomePath("gone.png"));
        ClickDlgButton(dlg, IDOK);
        EXPECT_FALSE(dlg.IsEnded());
        dlg.SetDlgItemText(CHVBitmapPickerDlg::PathEditId(CBitmapSettings::CircleDown), good);
        ClickDlgButton(dlg, IDOK);
        EXPECT_FALSE(dlg.IsEnded());
        // Unchecked, a missing file does not matter.
        qobject_cast<QCheckBox*>(dlg.GetDlgItem(CHVBitmapPickerDlg::CheckId(CBitmapSettings::NavUp)))->setChecked(false);
        ClickDlgButton(dlg, IDOK);
        EXPECT_TRUE(dlg.IsEnded());
    });
    CHVBitmapPickerDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_EQ(messageBox.calls[0].text, CString("Circle DOWN file  file not specified."));
    EXPECT_EQ(messageBox.calls[1].text, CString("Nav UP file  file does not exist."));
    CBitmapSettings saved;
    saved.Load();
    EXPECT_TRUE(saved.fromFile[CBitmapSettings::Background]);
    EXPECT_FALSE(saved.fromFile[CBitmapSettings::NavUp]);
    EXPECT_EQ(saved.FileOf(CBitmapSettings::CircleUp), good);
}

TEST_F(BitmapDialogsTest, ThePathDialogRemembersFilesAndKeepsTheLastTypeInRange)
{
    CorraApp().WriteProfileInt("Bitmaps", "LastType", 42);
    const CString first = WritePicture("first.png", 40, 30);
    const CString second = WritePicture("second.jpg", 40, 30);
    fileDialog.QueuePath(second);
    CModalScript script;
    script.On<CBitmapPathDlg>([&](CBitmapPathDlg& dlg) {
        EXPECT_EQ(dlg.GetWindowText(), CString("Large Nav Up"));
        EXPECT_EQ(dlg.GetCombo()->GetWindowText(), first);
        ASSERT_NE(dlg.GetPreview()->Picture(), nullptr);
        dlg.OnBrowse();
        ClickDlgButton(dlg, IDOK);
    });
    CBitmapPathDlg dlg("Large Nav Up", first);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_csPath, second);
    ASSERT_EQ(fileDialog.requests.size(), 1u);
    EXPECT_EQ(fileDialog.requests[0].nFilterIndex, 1);
    EXPECT_EQ(CorraApp().GetProfileInt("Bitmaps", "LastType", 0), 4);
    EXPECT_EQ(CorraApp().GetProfileString("Recent Bitmap Dlg MRU List", "String1", ""), second);
    // A file that is not a picture is said so.
    CBitmapPathDlg bad("x", nullptr);
    CString junk = WriteHomeFile("junk.png", "no picture here");
    EXPECT_FALSE(bad.Preview(junk));
    EXPECT_EQ(messageBox.calls.back().text, CString("Failed to load image."));
}

TEST_F(BitmapDialogsTest, StartScreenPicturesAreDrawnForTheScreensPixelRatio)
{
    const QImage sharp = StartScreenPicture(IDB_NAV_UP, 1.5);
    EXPECT_EQ(sharp.size(), QSize(360, 72));
    EXPECT_EQ(sharp.deviceIndependentSize().toSize(), QSize(240, 48));
    RegisterStartScreenPictures(1.5);
    CHVBitmapButton button("Go", 7, 0);
    CBitmapButtonSet set;
    set.upId = IDB_NAV_UP;
    ASSERT_TRUE(button.LoadImages(set));
    button.SizeToContent();
    EXPECT_EQ(button.size(), QSize(240, 48));
    EXPECT_FALSE(StartScreenPicture(IDB_UPDATE).isNull());
    RegisterStartScreenPictures(1.0);
}

} // namespace
