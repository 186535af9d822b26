#include "foundation/ImportFile.h"

#include "foundation/CorraAppBase.h"
#include "foundation/FileTypes.h"
#include "platform/core/FileSys.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ScriptedFileChooser.h"

#include <optional>

namespace {

class ImportFileTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        installed.emplace(FileChooserSlot(), chooser);
    }
    void TearDown() override
    {
        installed.reset();
        CorraTest::TearDown();
    }
    std::string ReadAll(const CString& path)
    {
        std::string s;
        fsys::ReadFile(path, s);
        return s;
    }

    CScriptedFileChooser chooser;
    std::optional<CServiceScope<IFileChooserService>> installed;
};

TEST_F(ImportFileTest, CountsOnlyTheFilesCopiedAndRemembersTheFolder)
{
    const CString a = WriteHomeFile("Elsewhere/a.crr", "A");
    const CString b = WriteHomeFile("Elsewhere/b.crr", "B");
    const CString c = WriteHomeFile("Elsewhere/c.crr", "C");
    // b is in the bank folder already; the user keeps the old one.
    WriteHomeFile("QCorras/b.crr", "old B");
    chooser.QueueFiles({a, b, c});
    messageBox.QueueAnswer(IDNO);

    EXPECT_EQ(ImportFile(DT_CORRA, "Import Question Corra Files"), 2);

    ASSERT_EQ(chooser.calls.size(), 1u);
    const CFileChooserCall& call = chooser.calls[0];
    EXPECT_EQ(call.dwStyle, 0x201u);
    EXPECT_EQ(call.nType, DT_CORRA);
    EXPECT_EQ(call.csInfo, "Import Question Corra Files");
    // Nothing remembered yet: the chooser starts in the default folder.
    EXPECT_EQ(call.csStartDir, HomePath("QCorras/"));
    EXPECT_EQ(call.csConfirm, "The selected Question Corra Files will be copied to the QCorras directory \n\n" +
                                  HomePath("QCorras/") + "\n\nContinue?");
    EXPECT_EQ(ReadAll(HomePath("QCorras/a.crr")), "A");
    EXPECT_EQ(ReadAll(HomePath("QCorras/b.crr")), "old B");
    EXPECT_EQ(ReadAll(HomePath("QCorras/c.crr")), "C");
    EXPECT_EQ(CorraApp().GetProfileString("Imports", "QCorras_LastDir", ""), "./Elsewhere");

    // The next import starts where this one chose.
    chooser.QueueCancel();
    EXPECT_EQ(ImportFile(DT_CORRA), 0);
    ASSERT_EQ(chooser.calls.size(), 2u);
    EXPECT_EQ(chooser.calls[1].csStartDir, HomePath("Elsewhere/"));
}

TEST_F(ImportFileTest, ARememberedFolderThatNamesNothingFallsBackToTheDefault)
{
    const char* stale[] = {"./Gone/", "/no/such/folder/", "./QCorras/x.crr"};
    WriteHomeFile("QCorras/x.crr", "a file, not a folder");
    for (const char* value : stale) {
        CorraApp().WriteProfileString("Imports", "QCorras_LastDir", value);
        chooser.calls.clear();
        EXPECT_EQ(ImportFile(DT_CORRA), 0);
        ASSERT_EQ(chooser.calls.size(), 1u) << value;
        EXPECT_EQ(chooser.calls[0].csStartDir, HomePath("QCorras/")) << value;
    }
}

TEST_F(ImportFileTest, IntoAGivenFolderNamedInTheQuestion)
{
    const CString pic = WriteHomeFile("Elsewhere/p.png", "P");
    fsys::CreateDirectories(HomePath("Images/Maps"));
    chooser.QueueFiles({pic, HomePath("Elsewhere/gone.png")});
    EXPECT_EQ(ImportFile(DT_IMAGE, nullptr, HomePath("Elsewhere"), HomePath("Images/Maps")), 1);
    ASSERT_EQ(chooser.calls.size(), 1u);
    EXPECT_EQ(chooser.calls[0].csStartDir, HomePath("Elsewhere"));
    EXPECT_NE(chooser.calls[0].csConfirm.Find(HomePath("Images/Maps")), -1);
    EXPECT_EQ(ReadAll(HomePath("Images/Maps/p.png")), "P");
    EXPECT_EQ(CorraApp().GetProfileString("Imports", "Images_LastDir", ""), "./Elsewhere");
}

TEST_F(ImportFileTest, AFileAlreadyInTheTargetFolderIsNeitherAskedAboutNorCounted)
{
    const CString own = WriteHomeFile("QCorras/own.crr", "OWN");
    const CString other = WriteHomeFile("Elsewhere/other.crr", "OTHER");
    chooser.QueueFiles({own, other});
    EXPECT_EQ(ImportFile(DT_CORRA), 1);
    // No "Replace?" about the file itself.
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_EQ(ReadAll(own), "OWN");
    EXPECT_EQ(ReadAll(HomePath("QCorras/other.crr")), "OTHER");

    // The same into a given folder, named with or without its separator.
    const CString maps = HomePath("Images/Maps");
    const CString map = WriteHomeFile("Images/Maps/map.png", "MAP");
    for (const CString& target : {maps, maps + "/"}) {
        chooser.QueueFiles({map});
        EXPECT_EQ(ImportFile(DT_IMAGE, nullptr, nullptr, target), 0) << target;
        EXPECT_TRUE(messageBox.calls.empty()) << target;
        EXPECT_EQ(ReadAll(map), "MAP");
    }
}

} // namespace
