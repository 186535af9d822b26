#include "platform/core/RecentFileList.h"

#include "platform/core/Profile.h"
#include "tests/support/CorraTest.h"

namespace {

using RecentFileListTest = CorraTest;

CString Names(const CRecentFileList& list)
{
    CString out;
    for (int i = 0; i < list.GetSize(); ++i)
        out += (i ? "|" : "") + list[i];
    return out;
}

} // namespace

TEST_F(RecentFileListTest, AddMovesARepeatUpAndDropsTheLastWhenFull)
{
    CRecentFileList list(1, "Recent File List", "File%d", 3);
    list.Add("/a");
    list.Add("/b");
    EXPECT_EQ(Names(list), CString("/b|/a|"));
    list.Add("/a");
    EXPECT_EQ(Names(list), CString("/a|/b|"));
    list.Add("/c");
    list.Add("/d");
    EXPECT_EQ(Names(list), CString("/d|/c|/a"));
    list.Remove(1);
    EXPECT_EQ(Names(list), CString("/d|/a|"));
    list.Remove(7);
    EXPECT_EQ(Names(list), CString("/d|/a|"));
}

TEST_F(RecentFileListTest, WritesNumberedKeysAndForgetsEmptiedPlaces)
{
    CRecentFileList list(1, "Recent File List", "File%d", 3);
    list.Add("/x");
    list.Add("/y");
    list.WriteList();
    EXPECT_EQ(AppProfile().GetString("Recent File List", "File1", ""), CString("/y"));
    EXPECT_EQ(AppProfile().GetString("Recent File List", "File2", ""), CString("/x"));
    list.Remove(0);
    list.WriteList();
    EXPECT_FALSE(AppProfile().HasKey("Recent File List", "File2"));

    CRecentFileList again(1, "Recent File List", "File%d", 3);
    again.ReadList();
    EXPECT_EQ(Names(again), CString("/x||"));
}

TEST_F(RecentFileListTest, EntryFormatIsNeverHandedToPrintf)
{
    CRecentFileList list(0, "S", "%s%d%%", 1);
    list.Add("v");
    list.WriteList();
    EXPECT_EQ(AppProfile().GetString("S", "%s0%", ""), CString("v"));
}

TEST_F(RecentFileListTest, DisplayNameIsRelativeToTheFolderAndShortened)
{
    CRecentFileList list(1, "R", "File%d", 2, 20);
    list.Add("/home/u/Corras/Biology/cells.crr");
    CString name;
    ASSERT_TRUE(list.GetDisplayName(name, 0, "/home/u/Corras"));
    EXPECT_EQ(name, CString("Biology/cells.crr"));
    ASSERT_TRUE(list.GetDisplayName(name, 0));
    EXPECT_EQ(name, CString("...Biology/cells.crr"));
    EXPECT_FALSE(list.GetDisplayName(name, 1));
}
