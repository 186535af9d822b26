#include "app/ProgramDataDlg.h"

#include "dialogs/MasterLists.h"
#include "foundation/CorraAppBase.h"
#include "foundation/FileTypes.h"
#include "foundation/TextListFile.h"
#include "platform/core/FileSys.h"
#include "res/ids/Folders.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedFileChooser.h"

#include <string>

namespace {

class ProgramDataTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        WriteHomeFile("Data/Subjects.txt", "Algebra\n");
        WriteHomeFile("Data/Textbooks.txt", "Physics Today\n");
    }
    static std::string ReadAll(const CString& path)
    {
        std::string s;
        fsys::ReadFile(path, s);
        return s;
    }
};

TEST_F(ProgramDataTest, ANameIsLookedUpInTheDataFolderAndAFullPathAsItStands)
{
    const CString elsewhere = WriteHomeFile("Other/Mine.txt", "Botany\n");
    CModalScript script;
    script.On<CProgramDataDlg>([&](CProgramDataDlg& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_PDATA_SUBJECTS), "Subjects.txt");
        EXPECT_EQ(d.GetDlgItemText(IDC_PDATA_TEXTBOOKS), "Textbooks.txt");
        // Only elsewhere: refused, the dialog stays.
        d.SetDlgItemText(IDC_PDATA_SUBJECTS, "Mine.txt");
        ClickDlgButton(d, IDOK);
        EXPECT_FALSE(d.IsEnded());
        ASSERT_EQ(messageBox.calls.size(), 1u);
        EXPECT_EQ(messageBox.calls[0].text, "Selected file does not exist\n\nMine.txt");
        d.SetDlgItemText(IDC_PDATA_SUBJECTS, elsewhere);
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(RunProgramData(nullptr), IDOK);
    EXPECT_EQ(CorraApp().GetProfileString("Settings", "SubjectFile", ""), elsewhere);
    EXPECT_EQ(CorraApp().GetProfileString("Settings", "TextbookFile", ""), "Textbooks.txt");
    EXPECT_EQ(GetMasterFilePath(SubjectList()), elsewhere);
    EXPECT_EQ(GetMasterFilePath(TextbookList()), HomePath("Data/Textbooks.txt"));
}

TEST_F(ProgramDataTest, ABrowsedFileKeepsItsPlaceUnderTheDataFolder)
{
    const CString inSub = WriteHomeFile("Data/Science/Subjects.txt", "Cells\n");
    // The same name directly in the data folder must not be taken for it.
    const CString outside = WriteHomeFile("Shared/Books.txt", "Optics\n");
    CScriptedFileChooser chooser;
    CServiceScope<IFileChooserService> installed(FileChooserSlot(), chooser);
    chooser.QueueFiles({inSub});
    chooser.QueueFiles({outside});
    CModalScript script;
    script.On<CProgramDataDlg>([&](CProgramDataDlg& d) {
        ClickDlgButton(d, IDC_PDATA_SUBJECTS_BROWSE);
        ClickDlgButton(d, IDC_PDATA_TEXTBOOKS_BROWSE);
        EXPECT_EQ(d.GetDlgItemText(IDC_PDATA_SUBJECTS), "Science/Subjects.txt");
        EXPECT_EQ(d.GetDlgItemText(IDC_PDATA_TEXTBOOKS), outside);
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(RunProgramData(nullptr), IDOK);

    ASSERT_EQ(chooser.calls.size(), 2u);
    EXPECT_EQ(chooser.calls[0].nType, DT_DATA);
    EXPECT_EQ(chooser.calls[0].csTitle, "Select a file for Master Subjects List");
    EXPECT_EQ(chooser.calls[1].csTitle, "Select a file for Master Textbooks List");
    EXPECT_EQ(chooser.calls[0].csStartDir, HomePath("Data/"));
    EXPECT_EQ(chooser.calls[0].csRootDir, Home());
    EXPECT_EQ(chooser.calls[0].csRootFilter, "Data");
    EXPECT_EQ(GetMasterFilePath(SubjectList()), inSub);
    EXPECT_EQ(GetMasterFilePath(TextbookList()), outside);
    EXPECT_TRUE(messageBox.calls.empty());
}

// Edits whatever list it is given by adding one entry.
class AddingEditor : public IEditFileListService {
public:
    int EditFileList(CStringArrayEx& entries, const CString& title, const CString&) override
    {
        titles.push_back(title);
        entries.Add("Added");
        return IDOK;
    }
    std::vector<CString> titles;
};

TEST_F(ProgramDataTest, EditOpensTheListNamedInTheDialog)
{
    const CString other = WriteHomeFile("Data/Other.txt", "Zoology\n");
    AddingEditor editor;
    CServiceScope<IEditFileListService> installed(EditFileListSlot(), editor);
    CModalScript script;
    script.On<CProgramDataDlg>([&](CProgramDataDlg& d) {
        d.SetDlgItemText(IDC_PDATA_SUBJECTS, "Other.txt");
        ClickDlgButton(d, IDC_PDATA_SUBJECTS_EDIT);
        ClickDlgButton(d, IDC_PDATA_TEXTBOOKS_EDIT);
        // A name that names nothing is said so, and nothing is edited.
        d.SetDlgItemText(IDC_PDATA_TEXTBOOKS, "None.txt");
        ClickDlgButton(d, IDC_PDATA_TEXTBOOKS_EDIT);
        ClickDlgButton(d, IDCANCEL);
    });
    EXPECT_EQ(RunProgramData(nullptr), IDCANCEL);
    EXPECT_EQ(editor.titles, (std::vector<CString>{"Edit Subject List", "Edit Textbook List"}));
    EXPECT_NE(ReadAll(other).find("Added"), std::string::npos);
    EXPECT_NE(ReadAll(HomePath("Data/Textbooks.txt")).find("Added"), std::string::npos);
    EXPECT_EQ(ReadAll(HomePath("Data/Subjects.txt")), "Algebra\n");
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Selected file does not exist\n\nNone.txt");
    // Cancel stores nothing.
    EXPECT_EQ(CorraApp().GetProfileString("Settings", "SubjectFile", ""), "Subjects.txt");
}

} // namespace
