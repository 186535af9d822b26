#include "platform/core/FileSys.h"
#include "platform/core/PlatformPaths.h"
#include "platform/core/ProgramHome.h"
#include "platform/core/Registry.h"
#include "tests/support/CorraTest.h"

#include <cstdlib>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

class FileSysTest : public CorraTest {};

TEST(PathHelpers, JoinSplitAndSeparators)
{
    struct Case {
        const char* folder;
        const char* name;
        const char* joined;
    } cases[] = {
        {"", "x.crr", "x.crr"},
        {"/a/b", "x.crr", "/a/b/x.crr"},
        {"/a/b/", "x.crr", "/a/b/x.crr"},
        {"/a/b\\", "\\x.crr", "/a/b/x.crr"},
        {"/a", "", "/a"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fsys::Join(c.folder, c.name), c.joined) << c.folder << " + " << c.name;
    EXPECT_EQ(fsys::FileName("C:\\Docs\\Bank.crr"), "Bank.crr");
    EXPECT_EQ(fsys::FileName("/x/y.exm"), "y.exm");
    EXPECT_EQ(fsys::Folder("/x/y.exm"), "/x");
    EXPECT_EQ(fsys::Folder("/y.exm"), "/");
    EXPECT_EQ(fsys::Folder("y.exm"), "");
    EXPECT_EQ(fsys::NormalizeSeparators("Docs\\Sub\\a.crr"), "Docs/Sub/a.crr");
}

TEST_F(FileSysTest, AtomicWriteReplacesWholeAndLeavesNoTemp)
{
    CString path = HomePath("f.txt");
    ASSERT_TRUE(fsys::WriteFileAtomic(path, "first", 5));
    ASSERT_TRUE(fsys::WriteFileAtomic(path, "2nd", 3));
    std::string data;
    ASSERT_TRUE(fsys::ReadFile(path, data));
    EXPECT_EQ(data, "2nd");
    auto entries = fsys::ListDirectory(Home());
    for (const auto& e : entries)
        EXPECT_EQ(e.name.Find(".tmp"), -1) << e.name.GetString();
}

TEST_F(FileSysTest, WritesGoThroughLinksAndLeaveReadOnlyFilesAlone)
{
    fsys::CreateDirectory(HomePath("real"));
    WriteHomeFile("real/bank.crr", "old");
    ASSERT_EQ(::symlink("real/bank.crr", fsys::Native(HomePath("bank.crr")).c_str()), 0);
    ASSERT_TRUE(fsys::WriteFileAtomic(HomePath("bank.crr"), "new", 3));
    std::string data;
    ASSERT_TRUE(fsys::ReadFile(HomePath("real/bank.crr"), data));
    EXPECT_EQ(data, "new");
    char target[64] = {};
    EXPECT_GT(::readlink(fsys::Native(HomePath("bank.crr")).c_str(), target, sizeof(target) - 1), 0);
    EXPECT_STREQ(target, "real/bank.crr");

    CString ro = WriteHomeFile("ro.crr", "kept");
    ::chmod(fsys::Native(ro).c_str(), 0444);
    EXPECT_TRUE(fsys::IsReadOnly(ro));
    EXPECT_FALSE(fsys::WriteFileAtomic(ro, "lost", 4));
    EXPECT_FALSE(fsys::CopyFile(HomePath("real/bank.crr"), ro, FALSE));
    ASSERT_TRUE(fsys::ReadFile(ro, data));
    EXPECT_EQ(data, "kept");
    EXPECT_FALSE(fsys::DeleteFile(ro));
    EXPECT_TRUE(fsys::IsFile(ro));
    ::chmod(fsys::Native(ro).c_str(), 0644);
    EXPECT_FALSE(fsys::IsReadOnly(ro));
    EXPECT_TRUE(fsys::WriteFileAtomic(ro, "now", 3));
    EXPECT_TRUE(fsys::DeleteFile(ro));
    EXPECT_FALSE(fsys::Exists(ro));
}

TEST_F(FileSysTest, ListingDoesNotFollowLinkedFolders)
{
    fsys::CreateDirectory(HomePath("real"));
    WriteHomeFile("real/a.crr", "x");
    ASSERT_EQ(::symlink(fsys::Native(HomePath("real")).c_str(), fsys::Native(HomePath("link")).c_str()), 0);
    std::set<std::string> dirs;
    for (const auto& e : fsys::ListDirectory(Home())) {
        if (e.isDirectory)
            dirs.insert(e.name.str());
    }
    EXPECT_TRUE(dirs.count("real"));
    EXPECT_FALSE(dirs.count("link"));
}

TEST_F(FileSysTest, ChangeStampSeesSizeAndTimeToTheNanosecond)
{
    const CString path = WriteHomeFile("f.txt", "one");
    auto touch = [&](long nsec) {
        const struct timespec times[2] = {{1000, nsec}, {1000, nsec}};
        return ::utimensat(AT_FDCWD, fsys::Native(path).c_str(), times, 0) == 0;
    };
    ASSERT_TRUE(touch(100));
    const long long first = fsys::ChangeStamp(path);
    EXPECT_EQ(fsys::ChangeStamp(path), first);
    // The same second and size, written again: only the nanoseconds tell.
    ASSERT_TRUE(touch(200));
    EXPECT_NE(fsys::ChangeStamp(path), first);
    ASSERT_TRUE(touch(100));
    EXPECT_EQ(fsys::ChangeStamp(path), first);
    fsys::WriteFile(path, "two!", 4);
    ASSERT_TRUE(touch(100));
    EXPECT_NE(fsys::ChangeStamp(path), first);
    EXPECT_EQ(fsys::ChangeStamp(HomePath("missing.txt")), -1);
}

TEST_F(FileSysTest, CreateDirectoryIsOneLevel)
{
    EXPECT_FALSE(fsys::CreateDirectory(HomePath("a/b")));
    EXPECT_TRUE(fsys::CreateDirectory(HomePath("a")));
    EXPECT_TRUE(fsys::CreateDirectory(HomePath("a")));
    EXPECT_TRUE(fsys::CreateDirectory(HomePath("a/b")));
}

TEST_F(FileSysTest, UniqueTempFilesAreNewAndDistinct)
{
    std::set<std::string> names;
    for (int i = 0; i < 20; ++i) {
        CString p = fsys::CreateUniqueTempFile(Home(), "cr", "tmp");
        ASSERT_FALSE(p.IsEmpty());
        EXPECT_TRUE(fsys::IsFile(p));
        EXPECT_EQ(p.Right(4), ".tmp");
        names.insert(p.str());
    }
    EXPECT_EQ(names.size(), 20u);
    EXPECT_TRUE(fsys::CreateUniqueTempFile(HomePath("missing"), "cr", "tmp").IsEmpty());
}

TEST_F(FileSysTest, CopyRefusesAnExistingTargetWhenAsked)
{
    WriteHomeFile("a", "A");
    WriteHomeFile("b", "B");
    EXPECT_FALSE(fsys::CopyFile(HomePath("a"), HomePath("b"), TRUE));
    EXPECT_TRUE(fsys::CopyFile(HomePath("a"), HomePath("b"), FALSE));
    std::string data;
    fsys::ReadFile(HomePath("b"), data);
    EXPECT_EQ(data, "A");
    EXPECT_FALSE(fsys::CopyFile(HomePath("none"), HomePath("c"), FALSE));
    EXPECT_FALSE(fsys::Exists(HomePath("c")));
}

TEST_F(FileSysTest, ProgramHomeFollowsTheEnvironmentAndRegistryLivesThere)
{
    EXPECT_EQ(GetProgramHome().Right(1), "/");
    EXPECT_EQ(GetRegistryFilePath(), HomePath("Registry.dat"));
}

TEST_F(FileSysTest, ProgramHomeWithoutTheEnvironmentIsTheRegisteredFolderElseTheDefault)
{
    // A user's home inside the test's folder, and no $CORRA_HOME, until the test ends.
    struct Environment {
        std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
        std::string corraHome = std::getenv("CORRA_HOME");
        ~Environment()
        {
            ::setenv("CORRA_HOME", corraHome.c_str(), 1);
            ::setenv("HOME", home.c_str(), 1);
            ResetPlatformPaths();
        }
    } saved;
    ::setenv("HOME", fsys::Native(HomePath("user")).c_str(), 1);
    ::unsetenv("CORRA_HOME");
    ResetPlatformPaths();

    EXPECT_EQ(GetRegistryFilePath(), HomePath("user/.config/Vantrel/Corra/Registry.dat"));
    EXPECT_EQ(GetProgramHome(), HomePath("user/.local/share/Corra/"));
    EXPECT_TRUE(fsys::IsDirectory(HomePath("user/.local/share/Corra")));

    ASSERT_TRUE(CRegistryStore::Instance().SetString(CString(CORRA_COMPONENT_KEY) + "\\Installation", "HomeDir",
                                                     HomePath("installed")));
    ResetPlatformPaths();
    EXPECT_EQ(GetProgramHome(), HomePath("installed/"));
    EXPECT_TRUE(fsys::IsDirectory(HomePath("installed")));
}

TEST_F(FileSysTest, RegistryStoreKeepsValuesAcrossReloads)
{
    CString key = CString(CORRA_COMPONENT_KEY) + "\\Logging";
    CRegistryStore& reg = CRegistryStore::Instance();
    EXPECT_TRUE(reg.SetString(key, "LogFile", "C:\\x \"quoted\"\nline"));
    EXPECT_TRUE(reg.SetDWord(key, "Count", 7));
    CRegistryStore fresh(reg.GetFilePath());
    CString s;
    DWORD d = 0;
    EXPECT_TRUE(fresh.GetString("hkey_current_user/software/vantrel/corra/logging", "logfile", s));
    EXPECT_EQ(s, "C:\\x \"quoted\"\nline");
    EXPECT_TRUE(fresh.GetDWord(key, "COUNT", d));
    EXPECT_EQ(d, 7u);
    EXPECT_FALSE(fresh.GetString(key, "Count", s));  // a number is not a string value
    EXPECT_TRUE(fresh.KeyExists(CORRA_COMPONENT_KEY));
    EXPECT_EQ(fresh.SubKeys(CORRA_COMPONENT_KEY).size(), 1u);
    EXPECT_TRUE(reg.DeleteKey(CORRA_COMPONENT_KEY));
    EXPECT_FALSE(reg.KeyExists(key));
    EXPECT_TRUE(reg.KeyExists("HKEY_CURRENT_USER\\Software\\Vantrel"));
}

TEST_F(FileSysTest, RegistryStoreNeverReplacesAFileItCannotRead)
{
    ::chmod(fsys::Native(Home()).c_str(), 0711);
    fsys::CreateDirectory(HomePath("shared"));
    ::chmod(fsys::Native(HomePath("shared")).c_str(), 0777);
    const std::string kept = "[HKEY_CURRENT_USER\\Software]\n\"A\"=s:\"1\"\n";
    CString path = WriteHomeFile("shared/Registry.dat", kept);
    ::chmod(fsys::Native(path).c_str(), 0);
    EXPECT_TRUE(AsPlainUser([&] {
        CRegistryStore reg(path);
        CString s;
        return !reg.GetString("HKEY_CURRENT_USER\\Software", "A", s) &&
               !reg.SetString("HKEY_CURRENT_USER\\Software", "B", "2") &&
               !reg.GetString("HKEY_CURRENT_USER\\Software", "B", s);
    }));
    ::chmod(fsys::Native(path).c_str(), 0644);
    std::string text;
    ASSERT_TRUE(fsys::ReadFile(path, text));
    EXPECT_EQ(text, kept);
}

TEST(Geometry, MulDivRoundsAndRefusesZero)
{
    EXPECT_EQ(MulDiv(10, 1, 3), 3);
    EXPECT_EQ(MulDiv(2, 1, 4), 1);     // half rounds away from zero
    EXPECT_EQ(MulDiv(-2, 1, 4), -1);
    EXPECT_EQ(MulDiv(12, 72, 96), 9);
    EXPECT_EQ(MulDiv(1 << 30, 4, 8), 1 << 29);  // no overflow in the product
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
    EXPECT_EQ(MulDiv(2147483647, 2, 1), -1);  // too large for an int
    EXPECT_EQ(MulDiv(-2147483647 - 1, 1, 1), -2147483647 - 1);
    EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
}

TEST_F(FileSysTest, TreeCopyAndMoveNeverReplaceAndKeepLinksAsLinks)
{
    const CString src = HomePath("src");
    WriteHomeFile("src/a.txt", "alpha");
    WriteHomeFile("src/sub/b.txt", "beta");
    ASSERT_EQ(::symlink("a.txt", HomePath("src/link").GetString()), 0);
    ASSERT_EQ(::symlink("/", HomePath("src/rootlink").GetString()), 0);
    ASSERT_EQ(::symlink("/nonexistent", HomePath("src/broken").GetString()), 0);

    const CString dst = HomePath("dst");
    ASSERT_TRUE(fsys::CopyTree(src, dst));
    std::string text;
    ASSERT_TRUE(fsys::ReadFile(HomePath("dst/sub/b.txt"), text));
    EXPECT_EQ(text, "beta");
    char target[64] = {};
    ASSERT_GT(::readlink(HomePath("dst/link").GetString(), target, sizeof(target) - 1), 0);
    EXPECT_STREQ(target, "a.txt");
    struct stat st {};
    ASSERT_EQ(::lstat(HomePath("dst/rootlink").GetString(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode)) << "a link to a folder is copied as the link";
    EXPECT_TRUE(fsys::PathTaken(HomePath("dst/broken")));

    // Nothing is replaced or merged, and a folder never goes into itself.
    WriteHomeFile("dst/sub/b.txt", "changed");
    EXPECT_FALSE(fsys::CopyTree(src, dst));
    EXPECT_FALSE(fsys::MoveTree(dst, src));
    EXPECT_FALSE(fsys::CopyTree(src, HomePath("src/sub/inner")));
    EXPECT_FALSE(fsys::PathTaken(HomePath("src/sub/inner")));
    ASSERT_TRUE(fsys::ReadFile(HomePath("src/sub/b.txt"), text));
    EXPECT_EQ(text, "beta");
    ASSERT_TRUE(fsys::ReadFile(HomePath("dst/sub/b.txt"), text));
    EXPECT_EQ(text, "changed");
    fsys::CreateDirectory(HomePath("empty"));
    EXPECT_FALSE(fsys::MoveTree(dst, HomePath("empty"))) << "an empty folder is not replaced either";
    EXPECT_TRUE(fsys::IsDirectory(dst));

    // A copy that cannot finish leaves nothing behind.
    ASSERT_EQ(::mkfifo(HomePath("src/sub/pipe").GetString(), 0600), 0);
    EXPECT_FALSE(fsys::CopyTree(src, HomePath("partial")));
    EXPECT_FALSE(fsys::PathTaken(HomePath("partial")));
    ::unlink(HomePath("src/sub/pipe").GetString());

    ASSERT_TRUE(fsys::MoveTree(dst, HomePath("moved")));
    EXPECT_FALSE(fsys::PathTaken(dst));
    ASSERT_TRUE(fsys::DeleteTree(HomePath("moved")));
    EXPECT_FALSE(fsys::PathTaken(HomePath("moved")));
    EXPECT_TRUE(fsys::IsFile(HomePath("src/a.txt"))) << "deleting a link leaves what it named";
    EXPECT_FALSE(fsys::DeleteTree(HomePath("moved")));
}

TEST_F(FileSysTest, TreeMoveAcrossFileSystemsCopiesThenRemoves)
{
    struct stat home {}, shm {};
    if (::stat(Home().GetString(), &home) != 0 || ::stat("/dev/shm", &shm) != 0 || home.st_dev == shm.st_dev ||
        ::access("/dev/shm", W_OK) != 0)
        GTEST_SKIP() << "no second file system to move to";
    WriteHomeFile("across/a.txt", "alpha");
    WriteHomeFile("across/sub/b.txt", "beta");
    std::string there = "/dev/shm/corra-move-XXXXXX";
    ASSERT_NE(::mkdtemp(there.data()), nullptr);
    const CString to = fsys::Join(CString(there), "across");
    ASSERT_TRUE(fsys::MoveTree(HomePath("across"), to));
    EXPECT_FALSE(fsys::PathTaken(HomePath("across")));
    std::string text;
    ASSERT_TRUE(fsys::ReadFile(fsys::Join(to, "sub/b.txt"), text));
    EXPECT_EQ(text, "beta");
    fsys::DeleteTree(CString(there));
}

TEST(FileNames, OnlyNamesTheCodePageHoldsRoundTrip)
{
    EXPECT_TRUE(fsys::NameRoundTrips("Bank \xc3\xa9t\xc3\xa9.crr"));  // "Bank été.crr"
    EXPECT_FALSE(fsys::NameRoundTrips("bad\xff.crr"));                 // no UTF-8
    EXPECT_FALSE(fsys::NameRoundTrips("\xe6\x97\xa5.crr"));             // not in Windows-1252
}
