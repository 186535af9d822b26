#include "foundation/FileTypes.h"

#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/Profile.h"
#include "tests/support/CorraTest.h"

namespace {

using FileTypes = CorraTest;

std::string ReadAll(const CString& path)
{
    std::string s;
    fsys::ReadFile(path, s);
    return s;
}

} // namespace

TEST(FileTypesTables, Ext2Type)
{
    struct Row {
        const char* name;
        int type;
    };
    const Row rows[] = {
        {"bank.crr", DT_CORRA}, {"crr", DT_CORRA},      {".crr", DT_CORRA},     {"/a/Final.EXM", DT_EXAM},
        {"notes.TXT ", DT_SRC}, {"x.doc", DT_SRC},      {"x.rtf", DT_SRC},      {"x.wpd", DT_SRC},
        {"pic.jpeg", DT_IMAGE}, {"pic.TIF", DT_IMAGE},  {"help.hlp", DT_HELP},  {"x.xyz", 0},
        {"", 0},                {"/a.crr/file", 0},     {"x.html", 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(CFileTypes::Ext2Type(row.name), row.type) << "'" << row.name << "'";

    EXPECT_TRUE(CFileTypes::TypeMatch(DT_SRC, "txt"));
    EXPECT_FALSE(CFileTypes::TypeMatch(DT_DATA, "txt"));
    EXPECT_TRUE(CFileTypes::TypeMatch(DT_IMAGE, "JPG"));
    EXPECT_FALSE(CFileTypes::TypeMatch(DT_CORRA, "exm"));
    EXPECT_FALSE(CFileTypes::TypeMatch(DT_CORRA, ""));
    EXPECT_EQ(CFileTypes::Ext2TypeName("x.exm"), "Exams");
    EXPECT_EQ(CFileTypes::Ext2TypeName("x.hlp"), "Help");
    EXPECT_EQ(CFileTypes::Ext2TypeName("x.xyz"), "");
    EXPECT_EQ(CFileTypes::Type2DirName(DT_HELP), "Hlp");
    EXPECT_EQ(CFileTypes::Type2TypeName(12345), "Unknown");
}

TEST(FileTypesTables, Descriptions)
{
    struct Row {
        CString actual;
        const char* expected;
    };
    const Row rows[] = {
        {CFileTypes::Type2TypeDescr(DT_CORRA, FALSE), "Question Corra File"},
        {CFileTypes::Type2TypeDescr(DT_EXAM, TRUE), "Exam Files"},
        {CFileTypes::Type2TypeDescr(DT_HELP, TRUE), "Help Files"},
        {CFileTypes::Type2TypeDescr(DT_DATA, FALSE), "Data File"},
        {CFileTypes::Type2TypeDescr(7, FALSE), ""},
        {CFileTypes::Ext2TypeDescr("photo.jpeg", TRUE), "JPEG Files"},
        {CFileTypes::Ext2TypeDescr("essay.wpd", FALSE), "WordPerfect File"},
        {CFileTypes::Ext2TypeDescr("essay.txt", TRUE), "Text Files"},
        {CFileTypes::Ext2TypeDescr("bank.crr", TRUE), "Question Corra Files"},
        {CFileTypes::Type2Ext(DT_IMAGE, FALSE), "bmp;gif;jpg;png;tif"},
        {CFileTypes::Type2Ext(DT_IMAGE, TRUE), "bmp;gif;jpeg;jpg;png;tiff;tif"},
        {CFileTypes::Type2Ext(DT_SRC, FALSE), "txt;doc;rtf;wpd"},
        {CFileTypes::Type2Ext(DT_DATA, FALSE), "txt"},
        {CFileTypes::Type2Ext(0, FALSE), ""},
        {CFileTypes::FileType2Ext(FT_TEXT), ".txt"},
        {CFileTypes::FileType2Ext(FT_HTML), ".htm"},
        {CFileTypes::FileType2Ext(0x7006), ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.actual, row.expected);
}

TEST(FileTypesTables, ExportTypes)
{
    ASSERT_EQ(CFileTypes::GetNumExportTypes(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(CFileTypes::GetExportType(i), 0x7001 + i);
    EXPECT_EQ(CFileTypes::GetExportType(5), 0);
    EXPECT_TRUE(CFileTypes::IsExportType(FT_RTF));
    EXPECT_FALSE(CFileTypes::IsExportType(DT_CORRA));

    CString ext = "x", name = "x", filter = "x";
    ASSERT_TRUE(CFileTypes::GetExportTypeInfo(FT_HTML, &ext, &name, nullptr));
    EXPECT_EQ(ext, ".htm");
    EXPECT_EQ(name, "Html File");
    ASSERT_TRUE(CFileTypes::GetExportTypeInfo(FT_WORD, nullptr, nullptr, &filter));
    EXPECT_EQ(filter, "Word Files (*.doc)|*.doc||");
    ext = "kept";
    EXPECT_FALSE(CFileTypes::GetExportTypeInfo(DT_EXAM, &ext, nullptr, nullptr));
    EXPECT_EQ(ext, "kept");

    EXPECT_EQ(CFileTypes::GetDocType("Page.HTML"), FT_HTML);
    EXPECT_EQ(CFileTypes::GetDocType("a.htm"), FT_HTML);
    EXPECT_EQ(CFileTypes::GetDocType(" a.rtf "), FT_RTF);
    EXPECT_EQ(CFileTypes::GetDocType("a.docx"), FT_WORD);
    EXPECT_EQ(CFileTypes::GetDocType("a.xyz"), 0);
}

TEST_F(FileTypes, FirstDefaultFolderReadWritesARelativeKeyAndCreatesTheFolder)
{
    ASSERT_FALSE(fsys::Exists(HomePath("Exams")));
    EXPECT_EQ(CFileTypes::GetDefDir(DT_EXAM), HomePath("Exams/"));
    EXPECT_TRUE(fsys::IsDirectory(HomePath("Exams")));
    EXPECT_EQ(AppProfile().GetString("Folders", "Exams_Default", ""), "./Exams");
    EXPECT_FALSE(AppProfile().HasKey("Folders", "Exams_Primary"));

    EXPECT_EQ(CFileTypes::GetPriDir(DT_HELP), HomePath("Hlp/"));
    EXPECT_EQ(AppProfile().GetString("Folders", "Hlp_Primary", ""), "./Hlp");
    // Unknown kinds have no folder, and none is created for them.
    EXPECT_EQ(CFileTypes::GetDefDir(42), "");
    EXPECT_FALSE(fsys::Exists(HomePath("Unknown")));
}

TEST_F(FileTypes, SetDefDirTakesTheFolderPartAndKeepsOneHelpKey)
{
    fsys::CreateDirectories(HomePath("Mine/Sub"));
    // Without the trailing separator the last name is a file name: its folder is taken.
    ASSERT_TRUE(CFileTypes::SetDefDir(DT_EXAM, HomePath("Mine/Sub")));
    EXPECT_EQ(AppProfile().GetString("Folders", "Exams_Default", ""), "./Mine");
    EXPECT_EQ(CFileTypes::GetDefDir(DT_EXAM), HomePath("Mine/"));
    ASSERT_TRUE(CFileTypes::SetDefDir(DT_EXAM, HomePath("Mine/Sub/")));
    EXPECT_EQ(CFileTypes::GetDefDir(DT_EXAM), HomePath("Mine/Sub/"));

    ASSERT_TRUE(CFileTypes::SetDefDir(DT_HELP, HomePath("Mine/")));
    EXPECT_EQ(AppProfile().GetString("Folders", "Hlp_Default", ""), "./Mine");
    EXPECT_FALSE(AppProfile().HasKey("Folders", "Help_Default"));
    EXPECT_EQ(CFileTypes::GetDefDir(DT_HELP), HomePath("Mine/"));

    EXPECT_FALSE(CFileTypes::SetDefDir(DT_EXAM, HomePath("Missing/")));
    EXPECT_FALSE(CFileTypes::SetDefDir(42, HomePath("Mine/")));
    EXPECT_EQ(CFileTypes::GetDefDir(DT_EXAM), HomePath("Mine/Sub/"));

    // A folder outside the program home is kept as it is.
    CString outside = fsys::Folder(Home().Left(Home().GetLength() - 1)) + "/";
    ASSERT_TRUE(CFileTypes::SetDefDir(DT_DATA, outside));
    EXPECT_EQ(AppProfile().GetString("Folders", "Data_Default", "") + "/", outside);
    EXPECT_EQ(CFileTypes::GetDefDir(DT_DATA), outside);
}

TEST_F(FileTypes, AMissingFolderInTheProfileFallsBackToTheDefault)
{
    AppProfile().WriteString("Folders", "QCorras_Default", "./Gone/");
    EXPECT_EQ(CFileTypes::GetDefDir(DT_CORRA), HomePath("QCorras/"));
    EXPECT_TRUE(fsys::IsDirectory(HomePath("QCorras")));
    EXPECT_FALSE(fsys::Exists(HomePath("Gone")));
}

TEST_F(FileTypes, CheckDefDocDirOffersToChangeTheDefault)
{
    CString inDefault = WriteHomeFile("QCorras/a.crr", "x");
    CString elsewhere = WriteHomeFile("Other/b.crr", "x");
    EXPECT_TRUE(CFileTypes::CheckDefDocDir(DT_CORRA, inDefault, TRUE));
    EXPECT_TRUE(messageBox.calls.empty());

    messageBox.QueueAnswer(IDNO);
    EXPECT_FALSE(CFileTypes::CheckDefDocDir("x.crr", elsewhere, TRUE));
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Do you want to change your default directory for QCorras files from\n\n" +
                                            HomePath("QCorras/") + "\n\nto\n\n" + HomePath("Other/") + "?");
    EXPECT_EQ(messageBox.calls[0].style, MB_YESNO | MB_ICONEXCLAMATION);
    EXPECT_EQ(CFileTypes::GetDefDir(DT_CORRA), HomePath("QCorras/"));

    messageBox.QueueAnswer(IDYES);
    EXPECT_FALSE(CFileTypes::CheckDefDocDir(DT_CORRA, elsewhere, TRUE));
    EXPECT_EQ(CFileTypes::GetDefDir(DT_CORRA), HomePath("Other/"));
    EXPECT_TRUE(CFileTypes::CheckDefDocDir(DT_CORRA, elsewhere, FALSE));

    EXPECT_FALSE(CFileTypes::CheckDefDocDir(DT_CORRA, HomePath("Other/none.crr"), TRUE));
    EXPECT_FALSE(CFileTypes::CheckDefDocDir("x.xyz", elsewhere, TRUE));
    EXPECT_EQ(messageBox.calls.size(), 2u);
}

TEST_F(FileTypes, ImportFile)
{
    CString source = WriteHomeFile("Outside/pic.png", "new picture");
    CString newPath;
    ASSERT_TRUE(CFileTypes::ImportFile(DT_IMAGE, source, &newPath));
    EXPECT_EQ(newPath, HomePath("Images/pic.png"));
    EXPECT_EQ(ReadAll(newPath), "new picture");

    // A refused replace leaves the target untouched.
    fsys::WriteFile(newPath, "old picture", 11);
    messageBox.QueueAnswer(IDNO);
    newPath = "unchanged";
    EXPECT_FALSE(CFileTypes::ImportFile(DT_IMAGE, source, &newPath));
    EXPECT_EQ(newPath, "unchanged");
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "The file\n\npic.png\n\nalready exists in the default directory.\n\nReplace?");
    EXPECT_EQ(ReadAll(HomePath("Images/pic.png")), "old picture");

    messageBox.QueueAnswer(IDYES);
    EXPECT_TRUE(CFileTypes::ImportFile(DT_IMAGE, source, nullptr));
    EXPECT_EQ(ReadAll(HomePath("Images/pic.png")), "new picture");

    // Into a given folder; a missing one is refused.
    fsys::CreateDirectory(HomePath("Images/Sub"));
    ASSERT_TRUE(CFileTypes::ImportFile(DT_IMAGE, source, &newPath, HomePath("Images/Sub")));
    EXPECT_EQ(newPath, HomePath("Images/Sub/pic.png"));
    messageBox.calls.clear();
    EXPECT_FALSE(CFileTypes::ImportFile(DT_IMAGE, source, &newPath, HomePath("Images/None")));
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Import failed.");

    // A missing source and a failed copy are failures.
    EXPECT_FALSE(CFileTypes::ImportFile(DT_IMAGE, HomePath("Outside/none.png"), &newPath));
    fsys::CreateDirectories(HomePath("Images/Blocked/pic.png/inner"));
    messageBox.calls.clear();
    messageBox.QueueAnswer(IDYES);
    EXPECT_FALSE(CFileTypes::ImportFile(DT_IMAGE, source, &newPath, HomePath("Images/Blocked")));
    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_EQ(messageBox.calls[1].text.Left(23), "Failed to import file\n\n");
}

TEST_F(FileTypes, WorkingFoldersAndPrimaryFolderTest)
{
    EXPECT_EQ(CFileTypes::FileTypeDir(FT_HTML), HomePath("Html/"));
    EXPECT_TRUE(fsys::IsDirectory(HomePath("Html")));
    EXPECT_EQ(CFileTypes::FileTypeDir(FT_WORD), HomePath("Src/"));
    EXPECT_EQ(CFileTypes::FileTypeDir(0), HomePath("Temp/"));

    EXPECT_TRUE(CFileTypes::IsInPriDir(HomePath("QCorras/sub/a.crr")));
    EXPECT_FALSE(CFileTypes::IsInPriDir(HomePath("QCorrasX/a.crr")));
    EXPECT_FALSE(CFileTypes::IsInPriDir(HomePath("Exams/a.crr")));
    EXPECT_EQ(CFileTypes::GetDefDocDir(HomePath("x/a.exm")), HomePath("Exams/"));
    EXPECT_EQ(CFileTypes::GetPriDocDir("a.xyz"), "");
}

TEST_F(FileTypes, FailuresAreLogged)
{
    EXPECT_EQ(CFileTypes::FileType2Ext(0x7006), "");
    EXPECT_NE(GetLogBuffer().Find("****** CFileTypes::FileType2Ext() - unknown type 28678"), -1);
    EXPECT_EQ(CFileTypes::Ext2Type("a.xyz"), 0);
    EXPECT_NE(GetLogBuffer().Find("****** CFileTypes::Ext2Type() - failed to determine type...\r\n****** a.xyz"), -1);
    EXPECT_EQ(CFileTypes::Type2Ext(9, FALSE), "");
    EXPECT_NE(GetLogBuffer().Find("****** CFileTypes::Type2Ext() - unknown doc type\r\n****** 9"), -1);
}
