#include "foundation/FileView.h"

#include "foundation/CorraAppBase.h"
#include "tests/support/CorraTest.h"

#include <vector>

namespace {

using FileViewTest = CorraTest;

class CRecordingFolderViewer : public IFolderViewer {
public:
    BOOL ShowFolder(const CString& path) override
    {
        shown.push_back(path);
        return TRUE;
    }
    std::vector<CString> shown;
};

TEST_F(FileViewTest, DisplayFileByKind)
{
    EXPECT_EQ(DisplayFile(HomePath("missing.htm")), DISPLAYFILE_MISSING);

    CString html = WriteHomeFile("Html/exam.htm", "<html/>");
    EXPECT_EQ(DisplayFile(html), DISPLAYFILE_OK);
    opener.QueueResult(FALSE);
    EXPECT_EQ(DisplayFile(html), DISPLAYFILE_FAILED);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Failed to display file.\nFailed to start browser.");

    CString wpd = WriteHomeFile("Src/exam.wpd", "wp");
    EXPECT_EQ(DisplayFile(wpd), DISPLAYFILE_FAILED);
    EXPECT_EQ(opener.calls.size(), 2u);
    CorraApp().WriteProfileInt("Export", "AllowWPOpen", 1);
    EXPECT_EQ(DisplayFile(wpd), DISPLAYFILE_OK);
    EXPECT_EQ(opener.calls.back().target, wpd);

    // A folder goes to the installed folder view, else to the desktop.
    EXPECT_EQ(DisplayFile(HomePath("Src")), DISPLAYFILE_OK);
    EXPECT_EQ(opener.calls.back().kind, "folder");
    CRecordingFolderViewer folders;
    CServiceScope<IFolderViewer> installed(FolderViewerSlot(), folders);
    const size_t openerCalls = opener.calls.size();
    EXPECT_EQ(DisplayFile(HomePath("Src")), DISPLAYFILE_OK);
    EXPECT_EQ(folders.shown, (std::vector<CString>{HomePath("Src")}));
    EXPECT_EQ(opener.calls.size(), openerCalls);
}

} // namespace
