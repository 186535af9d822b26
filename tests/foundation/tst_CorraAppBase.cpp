#include "foundation/CorraAppBase.h"

#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "tests/support/CorraTest.h"

#include <cstring>

namespace {

class ProfileTest : public CorraTest {
protected:
    CString Stored(const char* section, const char* key) { return AppProfile().GetString(section, key, "<none>"); }

    CCorraAppBase app;
};

TEST_F(ProfileTest, ParseTable)
{
    struct Case {
        const char* text;
        COLORREF color;
        int x, y;
    };
    const Case cases[] = {
        {"10, 20", RGB(10, 20, 255), 10, 20},
        {"7", RGB(7, 255, 255), 7, 0},
        {"1,2,3", RGB(1, 2, 3), 1, 2},
        {"  4 ,, 5", RGB(4, 5, 255), 4, 5},
        {"300, -5, 7", RGB(255, 0, 7), 300, -5},
        {"", RGB(255, 255, 255), 0, 0},
        {"x, 9", RGB(0, 9, 255), 0, 9},
    };
    for (const Case& c : cases) {
        AppProfile().WriteString("Colors", "Key", c.text);
        EXPECT_EQ(app.GetProfileColor("Colors", "Key", RGB(1, 1, 1)), c.color) << c.text;
        CPoint p(-1, -1);
        app.GetProfilePair(p, "Colors", "Key", 100, 100);
        EXPECT_EQ(p, CPoint(c.x, c.y)) << c.text;
    }
}

TEST_F(ProfileTest, DefaultsAreWrittenBackOnAnEmptyProfile)
{
    EXPECT_EQ(app.GetProfileInt("QCorras", "PrintMode", 3, TRUE), 3);
    EXPECT_EQ(Stored("QCorras", "PrintMode"), "3");
    EXPECT_EQ(app.GetProfileInt("QCorras", "Quiet", 4, FALSE), 4);
    EXPECT_EQ(Stored("QCorras", "Quiet"), "<none>");

    CString s;
    EXPECT_EQ(app.GetProfileString(s, "Settings", "Name", "First", TRUE), "First");
    EXPECT_EQ(Stored("Settings", "Name"), "First");
    EXPECT_EQ(app.GetProfileColor("Settings", "Back", RGB(1, 2, 3), TRUE), RGB(1, 2, 3));
    EXPECT_EQ(Stored("Settings", "Back"), "1, 2, 3");
    CPoint p;
    app.GetProfilePoint(p, "Settings", "Pos", "5, 6", TRUE);
    EXPECT_EQ(p, CPoint(5, 6));
    EXPECT_EQ(Stored("Settings", "Pos"), "5, 6");
    EXPECT_FLOAT_EQ(app.GetProfileDouble("Settings", "EssayLen", 0.33, TRUE, 2), 0.33f);
    EXPECT_EQ(Stored("Settings", "EssayLen"), "0.33");

    // A value already there is what is read and written back.
    AppProfile().WriteString("QCorras", "PrintMode", "7");
    EXPECT_EQ(app.GetProfileInt("QCorras", "PrintMode", 3, TRUE), 7);
    EXPECT_TRUE(app.WriteProfileDouble("Settings", "FillInLen", 0.05, 3));
    EXPECT_EQ(Stored("Settings", "FillInLen"), "0.050");
    EXPECT_FLOAT_EQ(app.GetProfileDouble("Settings", "FillInLen", 1.0), 0.05f);
}

TEST_F(ProfileTest, ScreenFontDefaultsAndRoundTrip)
{
    LOGFONT lf;
    lf.lfWidth = 99;
    ASSERT_TRUE(app.GetProfileFont("Fonts", "Title", lf));
    EXPECT_EQ(Stored("Fonts", "Title_Height"), "12");
    EXPECT_EQ(Stored("Fonts", "Title_Weight"), "500");
    EXPECT_EQ(Stored("Fonts", "Title_Italic"), "0");
    EXPECT_EQ(Stored("Fonts", "Title_Underline"), "0");
    EXPECT_EQ(Stored("Fonts", "Title_FaceName"), "Arial");
    EXPECT_EQ(lf.lfHeight, -16);  // 12 points at 96 pixels per inch
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_STREQ(lf.lfFaceName, "Arial");

    LOGFONT big;
    big.lfHeight = -21;
    big.lfWeight = 700;
    big.lfItalic = 1;
    SetLogFontFaceName(big, "Liberation Serif");
    ASSERT_TRUE(app.WriteProfileFont("Fonts", "Body", big));
    EXPECT_EQ(Stored("Fonts", "Body_Height"), "16");
    LOGFONT back;
    app.GetProfileFont("Fonts", "Body", back);
    EXPECT_EQ(back.lfHeight, -21);
    EXPECT_EQ(back.lfWeight, 700);
    EXPECT_EQ(back.lfItalic, 1);
    EXPECT_EQ(back.lfUnderline, 0);
    EXPECT_STREQ(back.lfFaceName, "Liberation Serif");

    // The screen's resolution turns points into pixels.
    screen.info.nDpiY = 120;
    app.GetProfileFont("Fonts", "Title", lf);
    EXPECT_EQ(lf.lfHeight, -20);
}

TEST_F(ProfileTest, FullFontRoundTripAndLimits)
{
    LOGFONT lf;
    lf.lfHeight = -240;
    lf.lfWeight = 400;
    lf.lfUnderline = 1;
    lf.lfStrikeOut = 1;
    lf.lfCharSet = SYMBOL_CHARSET;
    lf.lfQuality = 2;
    lf.lfPitchAndFamily = 49;
    SetLogFontFaceName(lf, "Symbol");
    ASSERT_TRUE(app.WriteProfileLogFont("FontMgr", "Question", lf));

    LOGFONT back;
    back.lfWidth = 7;
    back.lfOutPrecision = 3;
    ASSERT_TRUE(app.GetProfileLogFont("FontMgr", "Question", back, LOGFONT()));
    EXPECT_EQ(back.lfHeight, -240);
    EXPECT_EQ(back.lfWeight, 400);
    EXPECT_EQ(back.lfUnderline, 1);
    EXPECT_EQ(back.lfStrikeOut, 1);
    EXPECT_EQ(back.lfCharSet, SYMBOL_CHARSET);
    EXPECT_EQ(back.lfQuality, 2);
    EXPECT_EQ(back.lfPitchAndFamily, 49);
    EXPECT_STREQ(back.lfFaceName, "Symbol");
    EXPECT_EQ(back.lfWidth, 7);  // left as it was
    EXPECT_EQ(back.lfOutPrecision, 3);

    // Out-of-range bytes are clamped and long face names cut to what a LOGFONT holds.
    AppProfile().WriteString("FontMgr", "Question_CharSet", "300");
    AppProfile().WriteString("FontMgr", "Question_Quality", "-4");
    AppProfile().WriteString("FontMgr", "Question_FaceName", std::string(40, 'F').c_str());
    app.GetProfileLogFont("FontMgr", "Question", back, LOGFONT());
    EXPECT_EQ(back.lfCharSet, 255);
    EXPECT_EQ(back.lfQuality, 0);
    EXPECT_EQ(std::strlen(back.lfFaceName), static_cast<size_t>(LF_FACESIZE - 1));

    // Missing keys give the default's fields, written back when asked.
    LOGFONT def;
    def.lfHeight = -13;
    def.lfWeight = 400;
    SetLogFontFaceName(def, "Arial");
    LOGFONT fresh;
    app.GetProfileLogFont("FontMgr", "Answer", fresh, def, TRUE);
    EXPECT_EQ(fresh.lfHeight, -13);
    EXPECT_STREQ(fresh.lfFaceName, "Arial");
    EXPECT_EQ(Stored("FontMgr", "Answer_Height"), "-13");
    EXPECT_EQ(Stored("FontMgr", "Answer_PitchAndFamily"), "0");
}

TEST_F(ProfileTest, PathsAreStoredRelativeToTheHome)
{
    ASSERT_TRUE(fsys::CreateDirectory(HomePath("QCorras")));
    CString out;
    // The default is written back in its stored form; a folder gets a trailing separator and
    // keeps its case.
    app.GetProfilePath(out, "Folders", "QCorras_Default", HomePath("QCorras"), TRUE);
    EXPECT_EQ(out, HomePath("QCorras/"));
    EXPECT_EQ(Stored("Folders", "QCorras_Default"), "./QCorras");

    ASSERT_TRUE(fsys::CreateDirectory(HomePath("Exams")));
    EXPECT_TRUE(app.WriteProfilePath("Folders", "Exams_Default", HomePath("Exams/")));
    EXPECT_EQ(Stored("Folders", "Exams_Default"), "./Exams");
    app.GetProfilePath(out, "Folders", "Exams_Default");
    EXPECT_EQ(out, HomePath("Exams/"));

    // A path outside the home stays absolute.
    CString outside = fsys::Folder(Home().Left(Home().GetLength() - 1));
    EXPECT_TRUE(app.WriteProfilePath("Folders", "Elsewhere", outside));
    EXPECT_EQ(Stored("Folders", "Elsewhere"), outside);

    // Bad or missing stored paths give the default back unchanged.
    AppProfile().WriteString("Folders", "Bad", "./nofolder/x.crr");
    app.GetProfilePath(out, "Folders", "Bad", HomePath("QCorras"));
    EXPECT_EQ(out, HomePath("QCorras"));
    EXPECT_GE(GetLogBuffer().Find("****** CCorraApp::GetProfilePath() - bad relative path...\r\n****** ./nofolder/x.crr"), 0);
    AppProfile().WriteString("Folders", "Gone", "./QCorras/gone.crr");
    app.GetProfilePath(out, "Folders", "Gone", HomePath("Exams"));
    EXPECT_EQ(out, HomePath("Exams"));
    app.GetProfilePath(out, "Folders", "Nothing");
    EXPECT_EQ(out, "");

    // Only existing paths are written.
    EXPECT_FALSE(app.WriteProfilePath("Folders", "Missing", HomePath("missing")));
    EXPECT_EQ(Stored("Folders", "Missing"), "<none>");
}

TEST_F(ProfileTest, CreatesTextFiles)
{
    CString path = HomePath("Subjects.txt");
    EXPECT_TRUE(CCorraAppBase::ENCreateFile(path));
    EXPECT_EQ(fsys::GetSize(path), 0);
    EXPECT_TRUE(CCorraAppBase::ENCreateFile(path, "Algebra\n"));
    EXPECT_EQ(fsys::GetSize(path), 8);
    EXPECT_FALSE(CCorraAppBase::ENCreateFile(HomePath("no/folder/x.txt")));
}

TEST_F(ProfileTest, InstalledApplicationIsReached)
{
    CProfileStore other(HomePath("Other.ini"));
    CCorraAppBase mine(&other);
    {
        CServiceScope<CCorraAppBase> installed(CorraAppSlot(), mine);
        CorraApp().WriteProfileInt("S", "K", 5);
    }
    EXPECT_EQ(other.GetInt("S", "K", 0), 5);
    EXPECT_EQ(AppProfile().GetInt("S", "K", 0), 0);
}

} // namespace
