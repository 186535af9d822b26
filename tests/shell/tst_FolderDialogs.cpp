#include "shell/FolderDialogs.h"

#include "platform/core/FileSys.h"
#include "tests/support/CorraTest.h"

#include <unistd.h>

namespace {

using FolderDialogs = CorraTest;

TEST(FolderPickerStatus, LongPathsAreCutTo35Characters)
{
    const CString p35 = "/home/teacher/Corra/QCorras/Biology";
    ASSERT_EQ(p35.GetLength(), 35);
    EXPECT_EQ(CFolderPicker::StatusTextOf(p35), p35);
    EXPECT_EQ(CFolderPicker::StatusTextOf(p35 + "2"), p35 + "...");
    EXPECT_EQ(CFolderPicker::StatusTextOf(""), "");
}

TEST_F(FolderDialogs, PickerAnswersTheFolderChosenOrKeepsTheStart)
{
    const CString start = HomePath("QCorras/Term1/Biology/Chapters/Cells");
    fsys::CreateDirectories(start);
    CFolderPicker cancelled(start);
    fileDialog.QueueCancel();
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetPath(), start);
    ASSERT_EQ(fileDialog.requests.size(), 1u);
    EXPECT_EQ(fileDialog.requests[0].kind, CFileDialogRequest::kindFolder);
    EXPECT_EQ(fileDialog.requests[0].folder, start);
    EXPECT_EQ(fileDialog.requests[0].status, start.Left(35) + "...");

    CFolderPicker picker(start);
    fileDialog.QueuePath(HomePath("Exams"));
    EXPECT_EQ(picker.DoModal(), IDOK);
    EXPECT_EQ(picker.GetPath(), HomePath("Exams"));
    EXPECT_EQ(picker.GetStatusText(), CFolderPicker::StatusTextOf(HomePath("Exams")));
}

TEST_F(FolderDialogs, FolderDialogAnswersTheChosenFolderNotTheCurrentOne)
{
    fsys::CreateDirectories(HomePath("Start"));
    fsys::CreateDirectories(HomePath("Chosen"));
    char before[4096];
    ASSERT_NE(::getcwd(before, sizeof before), nullptr);

    CString folder = HomePath("Start");
    CFolderDialog dlg(&folder);
    fileDialog.QueuePath(HomePath("Chosen"));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(folder, HomePath("Chosen"));
    ASSERT_EQ(fileDialog.requests.size(), 1u);
    EXPECT_EQ(fileDialog.requests[0].title, "Choose folder");
    EXPECT_EQ(fileDialog.requests[0].acceptLabel, "Select");
    EXPECT_EQ(fileDialog.requests[0].folder, HomePath("Start"));
    char after[4096];
    ASSERT_NE(::getcwd(after, sizeof after), nullptr);
    EXPECT_STREQ(before, after);

    fileDialog.QueueCancel();
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(folder, HomePath("Chosen"));
}

} // namespace
