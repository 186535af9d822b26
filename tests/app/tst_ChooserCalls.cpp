// The folder and data dialogs and the import of files, through the program's own file chooser.

#include "app/FolderSetupDlg.h"
#include "app/ProgramDataDlg.h"

#include "controls/MRUPathComboBox.h"
#include "foundation/CorraAppBase.h"
#include "foundation/FileTypes.h"
#include "foundation/ImportFile.h"
#include "platform/core/FileSys.h"
#include "res/ids/Folders.h"
#include "res/ids/Shell.h"
#include "shell/FolderTreeCtrl.h"
#include "shell/HVFileDlg.h"
#include "shell/HVListCtrl.h"
#include "tests/support/ChooserScript.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedShellDocuments.h"

#include <QApplication>

#include <optional>

namespace {

class ChooserCallsTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        installed.emplace(FileChooserSlot(), chooser);
        docsScope.emplace(ShellDocumentsSlot(), docs);
    }
    void TearDown() override
    {
        docsScope.reset();
        installed.reset();
        CorraTest::TearDown();
    }

    CHVFileChooser chooser;
    CScriptedShellDocuments docs;
    std::optional<CServiceScope<IFileChooserService>> installed;
    std::optional<CServiceScope<IShellDocuments>> docsScope;
};

TEST_F(ChooserCallsTest, AnImportStartsWhereTheFilesWereLastTaken)
{
    const char* bank = "BEGIN HEADER\r\nTITLE1: {Physics}\r\nCOUNT:0\r\nEND HEADER\r\n";
    WriteHomeFile("Downloads/Optics.crr", bank);
    WriteHomeFile("Downloads/Waves.crr", bank);
    CorraApp().WriteProfileString("Imports", "QCorras_LastDir", "./Downloads");
    CModalScript script;
    script.On<CHVFileDlg>([&](CHVFileDlg& d) {
        QApplication::processEvents();
        // Outside the banks' folder, and still shown.
        EXPECT_EQ(d.GetTree()->m_csTopLevelFilter, "");
        EXPECT_EQ(d.GetTree()->GetSelectedPath(), HomePath("Downloads"));
        UserSelectsRow(d, "Optics.crr");
        UserSelectsRow(d, "Waves.crr");
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(ImportFile(DT_CORRA, "Import Question Corra Files"), 2);
    EXPECT_TRUE(fsys::IsFile(HomePath("QCorras/Optics.crr")));
    EXPECT_TRUE(fsys::IsFile(HomePath("QCorras/Waves.crr")));
    ASSERT_FALSE(messageBox.calls.empty());
    EXPECT_EQ(messageBox.calls[0].text.Left(27), "The selected Question Corra");
}

TEST_F(ChooserCallsTest, ManageFoldersTakesTheFolderChosenInTheTree)
{
    fsys::CreateDirectories(HomePath("QCorras/Physics"));
    CModalScript script;
    CString shown;
    script.On<CFolderSetupDlg>([&](CFolderSetupDlg& d) {
        ClickDlgButton(d, IDC_FOLDER_CRR_MANAGE);
        auto* combo = d.GetDlgItemAs<CMRUPathComboBox>(IDC_FOLDER_CRR_COMBO);
        shown = combo->GetLBText(combo->GetCurSel());
        ClickDlgButton(d, IDOK);
    });
    script.On<CHVFileDlg>([&](CHVFileDlg& d) {
        QApplication::processEvents();
        EXPECT_EQ(d.GetTree()->m_csTopLevelFilter, "QCorras");
        UserSelectsInTree(d, HomePath("QCorras/Physics"));
        ClickDlgButton(d, IDOK);
    });
    messageBox.QueueAnswer(IDYES);
    EXPECT_EQ(RunManageFolders(nullptr), IDOK);
    EXPECT_EQ(shown, "QCorras/Physics");
    EXPECT_EQ(CFileTypes::GetDefDir(DT_CORRA), HomePath("QCorras/Physics/"));
}

TEST_F(ChooserCallsTest, ProgramDataBrowsesTheDataFolderAndItsSubfolders)
{
    WriteHomeFile("Data/Subjects.txt", "Algebra\n");
    WriteHomeFile("Data/Textbooks.txt", "Optics\n");
    WriteHomeFile("Data/Science/Cells.txt", "Cells\n");
    CModalScript script;
    script.On<CProgramDataDlg>([&](CProgramDataDlg& d) {
        ClickDlgButton(d, IDC_PDATA_SUBJECTS_BROWSE);
        EXPECT_EQ(d.GetDlgItemText(IDC_PDATA_SUBJECTS), "Science/Cells.txt");
        ClickDlgButton(d, IDOK);
    });
    script.On<CHVFileDlg>([&](CHVFileDlg& d) {
        QApplication::processEvents();
        UserSelectsInTree(d, HomePath("Data/Science"));
        UserSelectsRow(d, "Cells.txt");
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(RunProgramData(nullptr), IDOK);
    EXPECT_EQ(CorraApp().GetProfileString("Settings", "SubjectFile", ""), "Science/Cells.txt");
}

} // namespace
