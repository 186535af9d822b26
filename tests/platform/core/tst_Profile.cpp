#include "platform/core/FileSys.h"
#include "platform/core/Profile.h"
#include "tests/support/CorraTest.h"

class ProfileTest : public CorraTest {};

TEST_F(ProfileTest, MissingFileGivesDefaultsAndFirstWriteCreatesIt)
{
    CProfileStore ini(HomePath("p.ini"));
    EXPECT_EQ(ini.GetInt("S", "k", 42), 42);
    EXPECT_EQ(ini.GetString("S", "k", "  dflt "), "dflt");
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
                  "Empty=\r\n"
                  "[Other]\r\n"
                  "Name=other\r\n");
    CProfileStore ini(HomePath("p.ini"));
    EXPECT_EQ(ini.GetString("settings", "NAME", ""), "spaced value");
    EXPECT_EQ(ini.GetString("Settings", "Eq", ""), "a=b=c");
    EXPECT_EQ(ini.GetInt("Settings", "Num", 0), -12);
    EXPECT_EQ(ini.GetInt("Settings", "Word", 9), 0);
    EXPECT_EQ(ini.GetString("Settings", "Quoted", ""), " keep ");
    EXPECT_EQ(ini.GetString("Settings", "Empty", "d"), "");
    EXPECT_EQ(ini.GetString("Other", "Name", ""), "other");
    EXPECT_EQ(ini.GetString("Settings", "Missing", "d"), "d");
    auto entries = ini.GetSection("SETTINGS");
    ASSERT_EQ(entries.size(), 6u);
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
    EXPECT_EQ(text, "[A]\nX=one\nz=3\n\n[B]\ny=2\n\n[C]\nw=4\n");
    EXPECT_TRUE(ini.DeleteKey("A", "z"));
    EXPECT_TRUE(ini.DeleteSection("b"));
    ASSERT_TRUE(fsys::ReadFile(HomePath("p.ini"), text));
    EXPECT_EQ(text, "[A]\nX=one\n\n[C]\nw=4\n");
}

TEST_F(ProfileTest, FailedWriteLeavesTheOldFile)
{
    WriteHomeFile("ro/p.ini", "[A]\nx=1\n");
    CProfileStore ini(HomePath("ro/p.ini"));
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    ::chmod(fsys::Native(HomePath("ro")).c_str(), 0500);
    EXPECT_FALSE(ini.WriteString("A", "x", "2"));
    ::chmod(fsys::Native(HomePath("ro")).c_str(), 0700);
    EXPECT_EQ(ini.GetString("A", "x", ""), "1");
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
