#include "foundation/FileUtil.h"

#include "platform/core/FileSys.h"
#include "platform/core/ProgramHome.h"
#include "platform/core/Registry.h"
#include "tests/support/CorraTest.h"

#include <unistd.h>

namespace {

class FileUtilTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        WriteHomeFile("a.crr", "a");
        WriteHomeFile("QCorras/b.crr", "b");
        // The folder above the home, where a sibling file lives.
        m_above = fsys::Folder(Home().Left(Home().GetLength() - 1));
    }
    // Home without its trailing separator.
    CString HomeFolder() const { return Home().Left(Home().GetLength() - 1); }

    CString m_above;
};

TEST_F(FileUtilTest, StoredFormAndBackAsATable)
{
    struct Case {
        CString full;    // what the caller gives
        CString stored;  // what is stored
        CString back;    // what reading the stored form gives
    };
    const CString above = m_above + "/sibling.crr";
    const Case cases[] = {
        {HomePath("a.crr"), "./a.crr", HomePath("a.crr")},                                   // in the home
        {HomePath("QCorras/b.crr"), "./QCorras/b.crr", HomePath("QCorras/b.crr")},           // in a subfolder
        {HomePath("QCorras/"), "./QCorras", HomePath("QCorras")},                            // a folder
        {Home(), ".", HomeFolder()},                                                         // the home itself
        {HomePath("QCorras\\b.crr"), "./QCorras/b.crr", HomePath("QCorras/b.crr")},          // stored separators
        {HomePath("QCorras/../a.crr"), "./a.crr", HomePath("a.crr")},                        // resolved on the way
        {above, above, above},                                                               // above it: absolute
        {"/nonexistent-corra/x.crr", "/nonexistent-corra/x.crr", "/nonexistent-corra/x.crr"}, // outside and missing
        {HomePath("gone/q.crr"), "./gone/q.crr", HomePath("gone/q.crr")},                    // missing in the home
        {HomePath("Old /"), "./Old /", HomePath("Old ")},                                    // a name ending in a blank
        {"/x/..\t/", "/x/..\t/", "/x/..\t"},                                                 // not a "..": kept as a name
    };
    for (const Case& c : cases) {
        CString stored;
        GetServerRelativePath(stored, c.full);
        EXPECT_EQ(stored, c.stored) << c.full;
        CString back;
        GetServerFullPath(back, stored);
        EXPECT_EQ(back, c.back) << c.full;
    }
}

TEST_F(FileUtilTest, StoredFormsOfOtherProgramsAreRead)
{
    struct Case {
        const char* stored;
        CString full;
    };
    const Case cases[] = {
        {".\\QCorras\\b.crr", HomePath("QCorras/b.crr")},
        {"QCorras/b.crr", HomePath("QCorras/b.crr")},
        {"  ./a.crr", HomePath("a.crr")},
        {"../sibling.crr", m_above + "/sibling.crr"},
        {"./QCorras/../../sibling.crr", m_above + "/sibling.crr"},
        {"", ""},
    };
    for (const Case& c : cases) {
        CString full;
        GetServerFullPath(full, c.stored);
        EXPECT_EQ(full, c.full) << c.stored;
    }
}

TEST_F(FileUtilTest, RelativeFormIsDecidedByTheTextNotTheDisk)
{
    // A missing absolute link stays where it pointed instead of moving into the home.
    EXPECT_FALSE(IsServerRelativePath("/missing-corra/abs.crr", Home()));
    EXPECT_FALSE(IsServerRelativePath("\\\\server\\share\\x.crr", Home()));
    EXPECT_FALSE(IsServerRelativePath("C:\\Corra\\x.crr", Home()));
    EXPECT_TRUE(IsServerRelativePath("./a.crr", Home()));
    EXPECT_TRUE(IsServerRelativePath("QCorras/missing.crr", Home()));
    CString full;
    GetServerFullPath(full, "/missing-corra/abs.crr");
    EXPECT_EQ(full, "/missing-corra/abs.crr");
}

TEST_F(FileUtilTest, ValidRelativePathNeedsOnlyItsFolder)
{
    EXPECT_TRUE(HVIsValidRelativePath("./QCorras/none.crr"));
    EXPECT_TRUE(HVIsValidRelativePath("./a.crr"));
    EXPECT_TRUE(HVIsValidRelativePath("."));
    EXPECT_FALSE(HVIsValidRelativePath("./nofolder/x.crr"));
    EXPECT_TRUE(HVIsValidRelativePath(HomePath("QCorras/x.crr")));
    EXPECT_FALSE(HVIsValidRelativePath("/missing-corra/x.crr"));
    EXPECT_TRUE(HVIsValidRelativePath("b.crr", HomePath("QCorras")));
}

TEST_F(FileUtilTest, LongPathsAreNeverEmptied)
{
    CString deep = HomePath("");
    for (int i = 0; i < 30; ++i)
        deep += "folder_with_a_long_name/";
    deep += "q.crr";
    ASSERT_GT(deep.GetLength(), 700);
    CString stored, back;
    GetServerRelativePath(stored, deep);
    EXPECT_EQ(stored, "./" + deep.Mid(Home().GetLength()));
    GetServerFullPath(back, stored);
    EXPECT_EQ(back, deep);
    // The bounded forms refuse rather than cut.
    char buf[MAX_PATH];
    EXPECT_EQ(FullToServerRelativePath(buf, sizeof buf, deep), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(ServerRelativeToFullPath(buf, sizeof buf, "./a.crr"), HomePath("a.crr").GetLength());
    EXPECT_EQ(CString(buf), HomePath("a.crr"));
}

TEST_F(FileUtilTest, ResolvingKeepsTheCurrentFolder)
{
    char before[4096], after[4096];
    ASSERT_NE(::getcwd(before, sizeof before), nullptr);
    CString full;
    GetServerFullPath(full, "./QCorras/b.crr", nullptr, TRUE);
    EXPECT_EQ(full, HomePath("QCorras/b.crr"));
    ASSERT_NE(::getcwd(after, sizeof after), nullptr);
    EXPECT_STREQ(before, after);
}

TEST_F(FileUtilTest, JoinPathTable)
{
    struct Case {
        const char* a;
        const char* b;
        const char* result;
    };
    const Case cases[] = {
        {"/x/y", "z.crr", "/x/y/z.crr"},
        {"/x/y/", "/z.crr", "/x/y/z.crr"},
        {" /x/y ", " z.crr ", "/x/y/z.crr"},
        {"/x\\y\\", "\\z.crr", "/x\\y\\z.crr"},
        {"", "z.crr", "z.crr"},
        {"", "/abs/z.crr", "/abs/z.crr"},
        {"/x", "", "/x/"},
        {"", "", "unchanged"},
    };
    for (const Case& c : cases) {
        CString result = "unchanged";
        JoinPath(&result, c.a, c.b);
        EXPECT_EQ(result, c.result) << c.a << " + " << c.b;
    }
}

TEST_F(FileUtilTest, SplitPathAndItsParts)
{
    struct Case {
        const char* path;
        const char* drive;
        const char* dir;
        const char* name;
        const char* ext;
    };
    const Case cases[] = {
        {"/home/t/QCorras/Quiz.one.crr", "", "/home/t/QCorras/", "Quiz.one", ".crr"},
        {"  C:\\Corra\\a.exm ", "C:", "/Corra/", "a", ".exm"},
        {"\\\\server\\share\\dir\\a.rtf", "//server/share", "/dir/", "a", ".rtf"},
        {"/dotted.dir/README", "", "/dotted.dir/", "README", ""},
        {"name", "", "", "name", ""},
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        CString drive = "x", dir = "x", name = "x", ext = "x";
        SplitPath(c.path, &drive, &dir, &name, &ext);
        EXPECT_EQ(drive, c.drive) << c.path;
        EXPECT_EQ(dir, c.dir) << c.path;
        EXPECT_EQ(name, c.name) << c.path;
        EXPECT_EQ(ext, c.ext) << c.path;
    }
    CString whole;
    SplitPath(" /a/./b/../c.crr ", nullptr, nullptr, nullptr, nullptr, &whole);
    EXPECT_EQ(whole, "/a/c.crr");

    CENString enDir, enName;
    SplitPath("/home/t/Quiz.crr", nullptr, &enDir, &enName, nullptr);
    EXPECT_EQ(enDir, "/home/t/");
    EXPECT_EQ(enName, "Quiz");
    CENString joined("old");
    JoinPathEN(&joined, "/home/t", "Quiz.crr");
    EXPECT_EQ(joined, "/home/t/Quiz.crr");

    CString out;
    GetPathDriveDir(out, "/home/t/a.crr");
    EXPECT_EQ(out, "/home/t/");
    GetPathFolder(out, "C:\\t\\a.crr");
    EXPECT_EQ(out, "C:/t/");
    GetFileNameOfPath(out, "/home/t/a.crr");
    EXPECT_EQ(out, "a.crr");
}

TEST_F(FileUtilTest, GetFileExtLooksOnlyAtTheFileName)
{
    struct Case {
        const char* path;
        BOOL withDot;
        const char* ext;
    };
    const Case cases[] = {
        {"/t/q.CRR", FALSE, "CRR"},
        {"/t/q.crr", TRUE, ".crr"},
        {"crr", FALSE, "crr"},
        {"crr", TRUE, "crr"},
        {"/dotted.dir/file", FALSE, "/dotted.dir/file"},
        {"/t/no_dot_at_all", TRUE, "/t/no_dot_at_all"},
    };
    for (const Case& c : cases) {
        CString out;
        GetFileExt(out, c.path, c.withDot);
        EXPECT_EQ(out, c.ext) << c.path;
    }
}

TEST_F(FileUtilTest, FolderComparisonsKeepCase)
{
    EXPECT_TRUE(IsPathUnderFolder("/a/b/c.crr", "/a/b"));
    EXPECT_TRUE(IsPathUnderFolder("/a/b/c.crr", "/a/b/"));
    EXPECT_TRUE(IsPathUnderFolder("\\a\\b\\c.crr", "/a/b"));
    EXPECT_FALSE(IsPathUnderFolder("/a/bc/c.crr", "/a/b"));
    EXPECT_FALSE(IsPathUnderFolder("/a/B/c.crr", "/a/b"));
    EXPECT_FALSE(IsPathUnderFolder("/a/b/../c.crr", "/a/b"));
    EXPECT_FALSE(IsPathUnderFolder("/a/b/c.crr", ""));
    EXPECT_TRUE(IsSameFolder("/a/b", "/a/b/"));
    EXPECT_TRUE(IsSameFolder("/a/./b/", "/a/b"));
    EXPECT_FALSE(IsSameFolder("/a/B", "/a/b"));
}

TEST_F(FileUtilTest, TempFilesAreNewAndUnpredictable)
{
    CString a, b;
    ASSERT_TRUE(MakeTempFileName(a, "txt"));
    ASSERT_TRUE(MakeTempFileName(b, " .txt "));
    EXPECT_NE(a, b);
    EXPECT_TRUE(fsys::IsFile(a));
    EXPECT_TRUE(fsys::IsFile(b));
    EXPECT_EQ(a.Right(4), ".txt");
    EXPECT_EQ(fsys::FileName(a).Left(4), "temp");
    CString c;
    ASSERT_TRUE(MakeTempFileName(c));
    EXPECT_EQ(c.Right(4), ".tmp");
    for (const CString& p : {a, b, c})
        fsys::DeleteFile(p);
}

TEST_F(FileUtilTest, EnumeratesFoldersAndFilesDepthFirst)
{
    WriteHomeFile("Tree/one.crr", "1");
    WriteHomeFile("Tree/Sub/two.CRR", "2");
    WriteHomeFile("Tree/Sub/Deeper/three.crr", "3");
    WriteHomeFile("Tree/Sub/notes.txt", "t");
    WriteHomeFile("Tree/Zed/four.crr", "4");
    ASSERT_EQ(::symlink(fsys::Native(HomePath("Tree/Sub")).c_str(), fsys::Native(HomePath("Tree/Loop")).c_str()), 0);

    CStringList dirs;
    EXPECT_EQ(GetAllSubDirsUnderRoot(dirs, HomePath("Tree/")), 4);
    std::vector<CString> got;
    for (POSITION pos = dirs.GetHeadPosition(); pos;)
        got.push_back(dirs.GetNext(pos));
    std::vector<CString> want = {HomePath("Tree"), HomePath("Tree/Sub"), HomePath("Tree/Sub/Deeper"),
                                 HomePath("Tree/Zed")};
    EXPECT_EQ(got, want);

    CStringList files;
    EXPECT_EQ(GetAllFiles(files, HomePath("Tree"), "*.crr"), 4);
    EXPECT_EQ(files.GetHead(), HomePath("Tree/one.crr"));
    EXPECT_EQ(files.GetTail(), HomePath("Tree/Zed/four.crr"));

    CStringList none;
    EXPECT_EQ(GetAllSubDirsUnderRoot(none, HomePath("a.crr")), -1);
    EXPECT_EQ(GetAllFiles(none, HomePath("nowhere"), "*.crr"), -1);
    EXPECT_TRUE(none.IsEmpty());
}

TEST_F(FileUtilTest, FileSizeByName)
{
    EXPECT_EQ(GetFileSizeByName(WriteHomeFile("five.txt", "12345")), 5u);
    EXPECT_EQ(GetFileSizeByName(HomePath("missing.txt")), 0u);
    EXPECT_EQ(GetFileSizeByName(HomePath("QCorras")), 0u);
}

TEST_F(FileUtilTest, SupportPagesFromTheRegistryOrTheMakersHost)
{
    CRegistryStore::Instance().SetString(CString(CORRA_COMPONENT_KEY) + "\\Support", "UserGuideURL",
                                         "https://guide.example/corra");
    EXPECT_TRUE(OpenUpdateURL());
    EXPECT_TRUE(OpenUserGuideURL());
    EXPECT_TRUE(OpenTourURL());
    ASSERT_EQ(opener.calls.size(), 3u);
    EXPECT_EQ(opener.calls[0].kind, "url");
    EXPECT_EQ(opener.calls[0].target, CString(CORRA_MAKER_WEB) + "/Download.php");
    EXPECT_EQ(opener.calls[1].target, "https://guide.example/corra");
    EXPECT_EQ(opener.calls[2].target, CString(CORRA_MAKER_WEB) + "/tour");
}

} // namespace
