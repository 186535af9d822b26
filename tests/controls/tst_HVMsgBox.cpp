#include "controls/HVMsgBox.h"

#include "foundation/Log.h"
#include "platform/core/Profile.h"
#include "platform/ui/QtString.h"
#include "platform/ui/ResourceImage.h"
#include "platform/ui/RtfStream.h"
#include "res/ids/Core.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QPushButton>

namespace {

class HVMsgBoxTest : public CorraTest {
protected:
    static int DontShowValue(const char* key) { return AppProfile().GetInt(HVMSGBOX_DONTSHOW_SECTION, key, -1); }
    static void PressEscape(CDialog& dlg)
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &press);
    }
    static bool Shows(CWnd& wnd, int id) { return wnd.GetDlgItem(id)->isVisibleTo(wnd.GetWidget()); }
    static QRect Geometry(CWnd& wnd, int id) { return wnd.GetDlgItem(id)->geometry(); }
};

TEST_F(HVMsgBoxTest, SuppressedBoxAnswersAtOnceByStyle)
{
    struct Case {
        int style;
        int expected;
    };
    const Case cases[] = {{0, IDOK}, {1, IDOK}, {3, IDYES}, {4, IDYES}, {6, IDC_HVMSG_CONTINUE}};
    AppProfile().WriteInt(HVMSGBOX_DONTSHOW_SECTION, "DontShowTest", 1);
    for (const Case& c : cases) {
        // No script is installed: a box that showed would fail the test.
        CHVMsgBox box("Suppressed", c.style, "DontShowTest");
        EXPECT_EQ(box.DoModal(), c.expected) << "style " << c.style;
    }
    EXPECT_EQ(DontShowValue("DontShowTest"), 1);
}

TEST_F(HVMsgBoxTest, StyleWithoutButtonsShowsEvenWhenSuppressedAndEscapeCloses)
{
    AppProfile().WriteInt(HVMSGBOX_DONTSHOW_SECTION, "DontShowTest", 1);
    CHVMsgBox box("No buttons", 2, "DontShowTest");
    box.m_csPane1 = "Nothing to press.";
    CModalScript script;
    script.On<CHVMsgBox>([](CHVMsgBox& dlg) {
        for (int id : {IDOK, IDYES, IDNO, IDCANCEL, (int)IDC_HVMSG_CONTINUE, (int)IDC_HVMSG_MOREINFO})
            EXPECT_FALSE(Shows(dlg, id)) << "button " << id;
        PressEscape(dlg);
    });
    EXPECT_EQ(box.DoModal(), IDCANCEL);
    EXPECT_EQ(script.Answered(), 1);
}

TEST_F(HVMsgBoxTest, EnterPressesTheFirstButtonOfTheStyle)
{
    struct Case {
        int style;
        int expected;
    };
    const Case cases[] = {{0, IDOK}, {1, IDOK}, {3, IDYES}, {4, IDYES}, {6, IDC_HVMSG_CONTINUE}};
    for (const Case& c : cases) {
        CHVMsgBox box("Enter", c.style);
        box.m_csPane1 = "Press Enter.";
        CModalScript script;
        script.On<CHVMsgBox>([](CHVMsgBox& dlg) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(&dlg, &press);
        });
        EXPECT_EQ(box.DoModal(), c.expected) << "style " << c.style;
    }
}

TEST_F(HVMsgBoxTest, MissingKeyIsWrittenBackAsShown)
{
    CHVMsgBox box("First time", 0, "DontShowNew");
    EXPECT_FALSE(box.m_bDontShow);
    EXPECT_EQ(DontShowValue("DontShowNew"), 0);
    CHVMsgBox noKey("No key", 0);
    EXPECT_FALSE(noKey.m_bDontShow);
    EXPECT_TRUE(AppProfile().GetSection(HVMSGBOX_DONTSHOW_SECTION).size() == 1);
}

TEST_F(HVMsgBoxTest, DontShowBoxStateIsWrittenWhateverTheButton)
{
    struct Case {
        int style;
        int button;
        bool ticked;
    };
    const Case cases[] = {{4, IDYES, true}, {4, IDNO, false}, {3, IDCANCEL, true}, {6, IDC_HVMSG_CONTINUE, false}};
    for (const Case& c : cases) {
        AppProfile().WriteInt(HVMSGBOX_DONTSHOW_SECTION, "DontShowCase", c.ticked ? 0 : 1);
        CHVMsgBox box("Remember", c.style, "DontShowCase");
        box.m_bDontShow = FALSE;  // shown this time whatever the profile says
        box.m_csPane1 = "Shall it be remembered?";
        CModalScript script;
        script.On<CHVMsgBox>([&](CHVMsgBox& dlg) {
            ASSERT_TRUE(Shows(dlg, IDC_HVMSG_DONTSHOW));
            dlg.GetDlgItemAs<QCheckBox>(IDC_HVMSG_DONTSHOW)->setChecked(c.ticked);
            ClickDlgButton(dlg, c.button);
        });
        EXPECT_EQ(box.DoModal(), c.button);
        EXPECT_EQ(DontShowValue("DontShowCase"), c.ticked ? 1 : 0) << "button " << c.button;
    }
}

TEST_F(HVMsgBoxTest, WarningBoxLogsWhatTheUserSaw)
{
    ASSERT_TRUE(WriteComponentRegString("Logging", "Level", "1"));
    ResetLogging();
    CHVMsgBox box("Color warning...", 1, "DontShowColorWarn");
    box.m_bWarning = TRUE;
    box.m_csPane1 = "Your color setting is not supported.";
    box.m_csPane2 = "NOTE:  You can still run.";
    box.m_csCheck = "Check again";
    CModalScript script;
    script.On<CHVMsgBox>([](CHVMsgBox& dlg) {
        // First pane yellow on black, the second in its own colour.
        CHARFORMAT cf;
        dlg.GetPane(0)->GetDefaultCharFormat(cf);
        EXPECT_EQ(cf.crTextColor, 0x00FFFFu);
        EXPECT_EQ(dlg.GetPane(0)->palette().color(QPalette::Base), QColor(Qt::black));
        dlg.GetPane(1)->GetDefaultCharFormat(cf);
        EXPECT_EQ(cf.crTextColor, RMB_PANE_COLOR);
        EXPECT_EQ(dlg.GetPane(0)->GetText(), "Your color setting is not supported.");
        ClickDlgButton(dlg, IDCANCEL);
    });
    EXPECT_EQ(box.DoModal(), IDCANCEL);
    EXPECT_EQ(GetLogBuffer(), "\r\n****** CHVMsgBox - Warning"
                              "\r\n****** Your color setting is not supported."
                              "\r\n****** NOTE:  You can still run."
                              "\r\n****** Check again");
}

TEST_F(HVMsgBoxTest, PlainBoxLogsNothingAndErrorLooksRed)
{
    ASSERT_TRUE(WriteComponentRegString("Logging", "Level", "1"));
    ResetLogging();
    CHVMsgBox plain("Plain", 0);
    plain.m_csPane1 = "Just saying.";
    CHVMsgBox error("Error", 0);
    error.m_bError = TRUE;
    error.m_csPane1 = "Broken.";
    CModalScript script;
    script.On<CHVMsgBox>([](CHVMsgBox& dlg) { ClickDlgButton(dlg, IDOK); });
    script.On<CHVMsgBox>([](CHVMsgBox& dlg) {
        CHARFORMAT cf;
        dlg.GetPane(0)->GetDefaultCharFormat(cf);
        EXPECT_EQ(cf.crTextColor, 0x0000FFu);
        ClickDlgButton(dlg, IDOK);
    });
    EXPECT_EQ(plain.DoModal(), IDOK);
    EXPECT_TRUE(GetLogBuffer().IsEmpty());
    EXPECT_EQ(error.DoModal(), IDOK);
    EXPECT_EQ(GetLogBuffer(), "\r\n****** CHVMsgBox - ERROR\r\n****** Broken.");
}

TEST_F(HVMsgBoxTest, PaneTextIdsAndCaptions)
{
    CHVMsgBox box("", 3);
    box.m_csPane2 = "kept";
    CChoicesError error;
    error.SetIds(IDS_CORRA_PRODUCT, 0, IDS_CORRA_PRODUCT);
    box.SetPaneTextIds(error);
    EXPECT_EQ(box.m_nPaneId1, IDS_CORRA_PRODUCT);
    EXPECT_EQ(box.m_nPaneId2, 0u);
    box.m_csYes = "Yes, Register";
    box.m_csNo = "Don't Register";
    CModalScript script;
    script.On<CHVMsgBox>([](CHVMsgBox& dlg) {
        EXPECT_EQ(dlg.GetWindowText(), "Info");
        EXPECT_EQ(dlg.GetPane(0)->GetText(), "Quorvale");
        EXPECT_EQ(dlg.GetPane(1)->GetText(), "kept");
        EXPECT_EQ(dlg.GetPane(2)->GetText(), "Quorvale");
        EXPECT_FALSE(Shows(dlg, IDC_HVMSG_PANE4));
        EXPECT_EQ(dlg.GetDlgItemText(IDYES), "Yes, Register");
        EXPECT_EQ(dlg.GetDlgItemText(IDNO), "Don't Register");
        EXPECT_FALSE(Shows(dlg, IDC_HVMSG_DONTSHOW));
        EXPECT_FALSE(Shows(dlg, IDC_HVMSG_CHECK));
        ClickDlgButton(dlg, IDNO);
    });
    EXPECT_EQ(box.DoModal(), IDNO);
}

TEST_F(HVMsgBoxTest, MoreInfoOpensHelpTopic)
{
    CHVMsgBox box("Help", 4);
    box.m_csPane1 = "Read more.";
    EXPECT_EQ(box.SetHelpId(0x104), 0x104);
    CModalScript script;
    script.On<CHVMsgBox>([](CHVMsgBox& dlg) {
        ASSERT_TRUE(Shows(dlg, IDC_HVMSG_MOREINFO));
        ClickDlgButton(dlg, IDC_HVMSG_MOREINFO);
        EXPECT_FALSE(dlg.IsEnded());
        ClickDlgButton(dlg, IDYES);
    });
    EXPECT_EQ(box.DoModal(), IDYES);
    EXPECT_EQ(help.topics, std::vector<DWORD>{0x20104});
}

TEST_F(HVMsgBoxTest, LayoutPutsPanesTwoAndThreeSideBySide)
{
    CHVMsgBox box("Layout", 3, "DontShowLayout");
    box.m_csPane1 = "The first pane, beside the picture.";
    box.m_csPane2 = "Second pane, on the left.";
    box.m_csPane3 = "Third pane, on the right, with a text long enough to take two lines or more in half the width.";
    box.m_csPane4 = "Fourth pane below both.";
    box.m_dButtonScale = 1.5;
    CModalScript script;
    script.On<CHVMsgBox>([](CHVMsgBox& dlg) {
        QRect picture = Geometry(dlg, IDC_HVMSG_PICTURE);
        QRect p1 = Geometry(dlg, IDC_HVMSG_PANE1), p2 = Geometry(dlg, IDC_HVMSG_PANE2);
        QRect p3 = Geometry(dlg, IDC_HVMSG_PANE3), p4 = Geometry(dlg, IDC_HVMSG_PANE4);
        EXPECT_GT(p1.left(), picture.right());
        EXPECT_EQ(p1.top(), 10);
        EXPECT_EQ(p2.left(), 10);
        EXPECT_GE(p2.top(), std::max(p1.bottom(), picture.bottom()) + 15);
        EXPECT_EQ(p3.top(), p2.top());
        EXPECT_GT(p3.left(), p2.right());
        EXPECT_GT(p3.height(), p2.height());  // the pane took the height its text needs
        EXPECT_EQ(p4.top(), std::max(p2.bottom(), p3.bottom()) + 1 + 15);
        QRect yes = Geometry(dlg, IDYES), no = Geometry(dlg, IDNO), cancel = Geometry(dlg, IDCANCEL);
        EXPECT_EQ(yes.top(), p4.bottom() + 1 + 15);
        EXPECT_EQ(no.top(), yes.top());
        EXPECT_EQ(no.left() - yes.right(), cancel.left() - no.right());  // equal gaps
        EXPECT_NEAR(yes.left(), no.left() - yes.right() - 1, 1);
        QPushButton plain("Yes");
        EXPECT_GT(yes.width(), plain.sizeHint().width());  // widened
        QRect dontShow = Geometry(dlg, IDC_HVMSG_DONTSHOW);
        EXPECT_EQ(dontShow.top(), yes.bottom() + 1 + 15);
        EXPECT_EQ(dlg.height(), dontShow.bottom() + 1 + 15);
        ClickDlgButton(dlg, IDCANCEL);
    });
    EXPECT_EQ(box.DoModal(), IDCANCEL);
}

TEST_F(HVMsgBoxTest, LongPathsBreakAtTheirSeparators)
{
    CHVMsgBox box("Corra", 0);
    box.m_csPane2 = "The folder may be read-only.";
    box.m_csPane3 = "C:\\Documents and Settings\\teacher\\My Documents\\Corra\\Question Banks\\"
                    "Physics_Unit3_ThermalEnergy_Review.crr";
    box.m_csPane4 = "/home/teacher/Documents/Corra/Banks/Physics_Unit3_ThermalEnergy_Review_with_Answers.crr";
    CModalScript script;
    script.On<CHVMsgBox>([](CHVMsgBox& d) {
        for (int i : {2, 3}) {
            CHVMsgPane* pane = d.GetPane(i);
            QTextBlock block = pane->document()->firstBlock();
            QTextLayout* layout = block.layout();
            ASSERT_GT(layout->lineCount(), 1) << "pane " << i;
            const QString text = block.text();
            for (int n = 0; n + 1 < layout->lineCount(); ++n) {
                const QTextLine line = layout->lineAt(n);
                QString shown = text.mid(line.textStart(), line.textLength());
                shown.remove(QChar(0x200B));
                const QChar end = shown.trimmed().back();
                EXPECT_TRUE(QString("\\/_-").contains(end) || shown.back().isSpace())
                    << "pane " << i << " line " << n << ": " << shown.toStdString();
            }
            // The places to break are shown only: the pane's text is the text it was given.
            const CString given = i == 2 ? d.m_csPane3 : d.m_csPane4;
            EXPECT_EQ(pane->GetText(), given) << "pane " << i;
            pane->SelectAll();
            EXPECT_EQ(pane->GetSelText(), given) << "pane " << i;
            const CString rtf = pane->StreamOut(SF_RTF);
            EXPECT_EQ(rtf.Find("\\u8203"), -1) << rtf.GetString();
            QTextDocument back;
            QTextCursor cursor(&back);
            ReadRtf(rtf, cursor, QTextCharFormat());
            EXPECT_EQ(back.toPlainText(), ToQString(given)) << "pane " << i;
        }
    });
    box.DoModal();
}

// The picture is drawn at the pixel ratio of whatever it is painted on, so a box moved to a
// screen of another scale shows it sharp, not scaled up from the old one.
TEST_F(HVMsgBoxTest, ThePictureIsDrawnAtThePixelRatioItIsPaintedAt)
{
    CHVMsgBox box("Corra", 0);
    box.m_csPane1 = "The file could not be saved.";
    box.m_bWarning = TRUE;
    CModalScript script;
    script.On<CHVMsgBox>([](CHVMsgBox& dlg) {
        QWidget* picture = dlg.GetDlgItem(IDC_HVMSG_PICTURE);
        ASSERT_EQ(picture->size(), QSize(32, 32));
        for (qreal ratio : {1.0, 1.5, 2.0}) {
            QImage shot(QSize(32, 32) * ratio, QImage::Format_ARGB32_Premultiplied);
            shot.setDevicePixelRatio(ratio);
            shot.fill(Qt::transparent);
            picture->render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
            QImage drawn = StockPicturePixmap(StockPicture::Warning, 32, ratio).toImage();
            drawn = drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            EXPECT_EQ(shot.convertToFormat(QImage::Format_ARGB32_Premultiplied), drawn) << ratio;
        }
        ClickDlgButton(dlg, IDOK);
    });
    box.DoModal();
}

TEST_F(HVMsgBoxTest, BitmapIsPaintedOverTheBoxAndHidesThePicture)
{
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    SetResourceImage(480, red);
    CHVMsgBox box("Update", 4);
    box.m_nBitmapId = 480;
    box.m_csPane1 = "Check for updates.";
    CModalScript script;
    script.On<CHVMsgBox>([](CHVMsgBox& dlg) {
        EXPECT_FALSE(Shows(dlg, IDC_HVMSG_PICTURE));
        EXPECT_EQ(Geometry(dlg, IDC_HVMSG_PANE1).left(), 10);
        QImage shot = dlg.grab().toImage();
        EXPECT_EQ(QColor(shot.pixel(2, 2)), QColor(Qt::red));
        EXPECT_EQ(QColor(shot.pixel(dlg.width() - 3, dlg.height() - 3)), QColor(Qt::red));
        ClickDlgButton(dlg, IDYES);
    });
    EXPECT_EQ(box.DoModal(), IDYES);
    SetResourceImage(480, QImage());
}

TEST_F(HVMsgBoxTest, ServiceShowsTheBoxAndReturnsTheCheckBox)
{
    InstallHVMsgBoxService();
    CRichMessage message;
    message.title = "New Subjects...";
    message.style = RMB_YESNOCANCEL;
    message.pane[0] = "Add them?";
    message.check = "Also to the document";
    message.dontShowKey = "DontShowSubjects";
    CModalScript script;
    script.On<CHVMsgBox>([](CHVMsgBox& dlg) {
        EXPECT_EQ(dlg.GetWindowText(), "New Subjects...");
        dlg.GetDlgItemAs<QCheckBox>(IDC_HVMSG_CHECK)->setChecked(true);
        dlg.GetDlgItemAs<QCheckBox>(IDC_HVMSG_DONTSHOW)->setChecked(true);
        ClickDlgButton(dlg, IDNO);
    });
    EXPECT_EQ(RichMessageBox(message), IDNO);
    EXPECT_TRUE(message.checked);
    // Suppressed from now on: answered at once with the style's first button.
    EXPECT_EQ(RichMessageBox(message), IDYES);
    EXPECT_EQ(script.Answered(), 1);
}

} // namespace
