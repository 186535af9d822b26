#include "platform/core/FileSys.h"
#include "platform/core/Profile.h"
#include "tests/support/CorraTest.h"

#include <sys/stat.h>

class ProfileTest : public CorraTest {};

TEST_F(ProfileTest, MissingFileGivesDefaultsAndFirstWriteCreatesIt)
{
    CProfileStore ini(HomePath("p.ini"));
    EXPECT_EQ(ini.GetInt("S", "k", 42), 42);
    EXPECT_EQ(ini.GetString("S", "k", "  dflt  "), "  dflt");
    EXPECT_FALSE(fsys::Exists(HomePath("p.ini")));
    EXPECT_TRUE(ini.WriteInt("S", "k", -5));
    EXPECT_TRUE(fsys::Exists(HomePath("p.ini")));
    EXPECT_EQ(ini.GetInt("s", "K", 0), -5);
}

TEST_F(ProfileTest, ReadsLikeAWindowsProfile)
{
    WriteHomeFile("p.ini",
                  "; comment\r\n"
                  "[Settings]\r\n"
                  "  Name =  spaced value  \r\n"
                  "Eq=a=b=c\r\n"
                  "Num= -12abc\r\n"
                  "Word=abc\r\n"
                  "Quoted=\" keep \"\r\n"
                  "Single=' kept too '\r\n"
                  "Unpaired='one\r\n"
                  "Empty=\r\n"
                  "[Other]\r\n"
                  "Name=other\r\n");
    CProfileStore ini(HomePath("p.ini"));
    EXPECT_EQ(ini.GetString("settings", "NAME", ""), "spaced value");
    EXPECT_EQ(ini.GetString("Settings", "Eq", ""), "a=b=c");
    EXPECT_EQ(ini.GetInt("Settings", "Num", 0), -12);
    EXPECT_EQ(ini.GetInt("Settings", "Word", 9), 0);
    EXPECT_EQ(ini.GetString("Settings", "Quoted", ""), " keep ");
    EXPECT_EQ(ini.GetString("Settings", "Single", ""), " kept too ");
    EXPECT_EQ(ini.GetString("Settings", "Unpaired", ""), "'one");
    EXPECT_EQ(ini.GetString("Settings", "Empty", "d"), "");
    EXPECT_EQ(ini.GetString("Other", "Name", ""), "other");
    EXPECT_EQ(ini.GetString("Settings", "Missing", "d"), "d");
    auto entries = ini.GetSection("SETTINGS");
    ASSERT_EQ(entries.size(), 8u);
    EXPECT_EQ(entries[0].first, "Name");
}

TEST_F(ProfileTest, RewriteKeepsOtherLinesAndDeletes)
{
    WriteHomeFile("p.ini", "[A]\nx=1\n\n[B]\ny=2\n");
    CProfileStore ini(HomePath("p.ini"));
    EXPECT_TRUE(ini.WriteString("a", "X", "one"));
    EXPECT_TRUE(ini.WriteString("A", "z", "3"));
    EXPECT_TRUE(ini.WriteString("C", "w", "4"));
    std::string text;
    ASSERT_TRUE(fsys::ReadFile(HomePath("p.ini"), text));
    EXPECT_EQ(text, "[A]\nx=one\nz=3\n\n[B]\ny=2\n\n[C]\nw=4\n");
    EXPECT_TRUE(ini.DeleteKey("A", "z"));
    EXPECT_TRUE(ini.DeleteSection("b"));
    ASSERT_TRUE(fsys::ReadFile(HomePath("p.ini"), text));
    EXPECT_EQ(text, "[A]\nx=one\n\n[C]\nw=4\n");
}

TEST_F(ProfileTest, FailedWriteLeavesTheOldFile)
{
    WriteHomeFile("ro/p.ini", "[A]\nx=1\n");
    CProfileStore ini(HomePath("ro/p.ini"));
    ::chmod(fsys::Native(Home()).c_str(), 0711);
    ::chmod(fsys::Native(HomePath("ro")).c_str(), 0555);
    EXPECT_TRUE(AsPlainUser([&] { return !ini.WriteString("A", "x", "2"); }));
    ::chmod(fsys::Native(HomePath("ro")).c_str(), 0700);
    EXPECT_EQ(ini.GetString("A", "x", ""), "1");
}

TEST_F(ProfileTest, AFileThatCannotBeReadIsNotReplaced)
{
    // The folder may be written, the file not read: a rewrite would keep only the new entry.
    ::chmod(fsys::Native(Home()).c_str(), 0711);
    fsys::CreateDirectory(HomePath("shared"));
    ::chmod(fsys::Native(HomePath("shared")).c_str(), 0777);
    CString path = WriteHomeFile("shared/p.ini", "[A]\nx=1\ny=2\n");
    ::chmod(fsys::Native(path).c_str(), 0);
    EXPECT_TRUE(AsPlainUser([&] {
        CProfileStore ini(path);
        return ini.GetInt("A", "x", 5) == 5 && !ini.WriteString("A", "z", "3");
    }));
    ::chmod(fsys::Native(path).c_str(), 0644);
    std::string text;
    ASSERT_TRUE(fsys::ReadFile(path, text));
    EXPECT_EQ(text, "[A]\nx=1\ny=2\n");

    CString ro = WriteHomeFile("ro.ini", "[A]\nx=1\n");
    ::chmod(fsys::Native(ro).c_str(), 0444);
    CProfileStore readOnly(ro);
    EXPECT_FALSE(readOnly.WriteString("A", "x", "2"));
    EXPECT_EQ(readOnly.GetString("A", "x", ""), "1");
}

TEST_F(ProfileTest, SeesChangesMadeBehindItsBack)
{
    CProfileStore ini(HomePath("p.ini"));
    EXPECT_TRUE(ini.WriteString("A", "x", "1"));
    WriteHomeFile("p.ini", "[A]\nx=22222\n");
    EXPECT_EQ(ini.GetInt("A", "x", 0), 22222);
}

TEST_F(ProfileTest, AppProfileLivesInTheProgramHome)
{
    EXPECT_TRUE(AppProfile().WriteInt("Settings", "Log", 1));
    EXPECT_TRUE(fsys::IsFile(HomePath("Corra.ini")));
}

TEST_F(ProfileTest, WritingTheSameValueLeavesTheFileAlone)
{
    CProfileStore ini(HomePath("p.ini"));
    ASSERT_TRUE(ini.WriteString("A", "x", "1"));
    ASSERT_TRUE(fsys::SetModTime(HomePath("p.ini"), 1000));
    EXPECT_TRUE(ini.WriteString("A", "x", "1"));
    EXPECT_EQ(fsys::GetModTime(HomePath("p.ini")), 1000);
    EXPECT_TRUE(ini.WriteString("A", "x", "2"));
    EXPECT_NE(fsys::GetModTime(HomePath("p.ini")), 1000);
}

TEST_F(ProfileTest, WrittenValuesReadBackAsWritten)
{
    // Reading trims values and drops enclosing quotes; writing must not let that change them.
    const char* values[] = {" lead", "trail ", "  both  ", "\"quoted\"", "'single'", "\"", "a\"b\"", "\tx", "plain"};
    CProfileStore ini(HomePath("p.ini"));
    for (const char* v : values) {
        ASSERT_TRUE(ini.WriteString("A", "k", v));
        CProfileStore again(HomePath("p.ini"));
        EXPECT_EQ(again.GetString("A", "k", "<none>"), CString(v)) << "[" << v << "]";
    }
    // A value that needs no quotes is stored as it stands.
    std::string text;
    ASSERT_TRUE(fsys::ReadFile(HomePath("p.ini"), text));
    EXPECT_EQ(text, "[A]\nk=plain\n");
}

TEST_F(ProfileTest, DeletingAKeyRemovesEveryEntryOfIt)
{
    // A key written twice by hand: the second must not come back once the key is deleted.
    WriteHomeFile("p.ini", "[A]\nx=1\ny=2\nX=3\n[B]\nx=4\n");
    CProfileStore ini(HomePath("p.ini"));
    EXPECT_TRUE(ini.DeleteKey("A", "x"));
    EXPECT_FALSE(ini.HasKey("A", "x"));
    EXPECT_EQ(ini.GetString("A", "y", ""), "2");
    EXPECT_EQ(ini.GetString("B", "x", ""), "4");
}

TEST_F(ProfileTest, AValueEndsAtANulByte)
{
    // Callers take values as C strings; what they read must be what they can write back.
    WriteHomeFile("p.ini", std::string("[A]\nx=ab\0cd\ny= \" q\"\0 \n", 22));
    CProfileStore ini(HomePath("p.ini"));
    EXPECT_EQ(ini.GetString("A", "x", ""), CString("ab"));
    EXPECT_EQ(ini.GetString("A", "y", ""), CString(" q"));
    ASSERT_TRUE(ini.WriteString("A", "y", ini.GetString("A", "y", "")));
    EXPECT_EQ(ini.GetString("A", "y", ""), CString(" q"));
    EXPECT_EQ(ini.GetString("A", "x", ""), CString("ab"));
}

TEST_F(ProfileTest, ABatchWritesTheFileOnceWhenItsOutermostScopeEnds)
{
    const CString path = HomePath("p.ini");
    CProfileStore ini(path);
    ASSERT_TRUE(ini.WriteInt("Ids", "Next", 1));
    std::string before;
    ASSERT_TRUE(fsys::ReadFile(path, before));
    {
        CProfileBatch outer(ini);
        {
            CProfileBatch inner(ini);
            for (int i = 2; i <= 500; ++i)
                ASSERT_TRUE(ini.WriteInt("Ids", "Next", i));
        }
        // Reads see the batch; the file is as it was.
        EXPECT_EQ(ini.GetInt("Ids", "Next", 0), 500);
        std::string during;
        ASSERT_TRUE(fsys::ReadFile(path, during));
        EXPECT_EQ(during, before);
    }
    CProfileStore again(path);
    EXPECT_EQ(again.GetInt("Ids", "Next", 0), 500);
}
