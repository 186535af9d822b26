#include "app/FolderSetupDlg.h"

#include "controls/MRUPathComboBox.h"
#include "foundation/CorraAppBase.h"
#include "foundation/FileTypes.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "res/ids/Folders.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedFileChooser.h"

#include <vector>

namespace {

const int kCombos[] = {IDC_FOLDER_CRR_COMBO, IDC_FOLDER_EXM_COMBO, IDC_FOLDER_SRC_COMBO, IDC_FOLDER_DATA_COMBO,
                       IDC_FOLDER_IMG_COMBO};

class FolderSetupTest : public CorraTest {
protected:
    static CMRUPathComboBox& Combo(CFolderSetupDlg& d, int nID)
    {
        auto* combo = d.GetDlgItemAs<CMRUPathComboBox>(nID);
        EXPECT_NE(combo, nullptr) << nID;
        return *combo;
    }
    static CString Selected(CFolderSetupDlg& d, int nID)
    {
        CMRUPathComboBox& combo = Combo(d, nID);
        return combo.GetCurSel() < 0 ? CString("<none>") : combo.GetLBText(combo.GetCurSel());
    }
    // The user picks the entry of that text in the combo box.
    static void Choose(CFolderSetupDlg& d, int nID, const char* text)
    {
        CMRUPathComboBox& combo = Combo(d, nID);
        for (int i = 0; i < combo.GetCount(); ++i) {
            if (combo.GetLBText(i) == text) {
                combo.SetCurSel(i);
                emit combo.activated(i);
                return;
            }
        }
        ADD_FAILURE() << "no entry " << text;
    }
};

TEST_F(FolderSetupTest, OnAnEmptyProfileEachKindShowsItsDefaultFolder)
{
    CModalScript script;
    std::vector<CString> shown;
    script.On<CFolderSetupDlg>([&](CFolderSetupDlg& d) {
        for (int id : kCombos) {
            shown.push_back(Selected(d, id));
            EXPECT_EQ(Combo(d, id).GetCount(), 1) << id;
        }
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(RunManageFolders(nullptr), IDOK);
    EXPECT_EQ(shown, (std::vector<CString>{"QCorras", "Exams", "Src", "Data", "Images"}));
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_EQ(CorraApp().GetProfileString("CrrDefDir MRU", "Dir1", ""), "QCorras");
    EXPECT_EQ(CorraApp().GetProfileString("ImgDefDir MRU", "Dir1", ""), "Images");
    EXPECT_EQ(CorraApp().GetProfileString("Folders", "QCorras_Default", ""), "./QCorras");
}

TEST_F(FolderSetupTest, OkAsksOncePerChangedKindAndNoKeepsTheOldFolder)
{
    fsys::CreateDirectories(HomePath("Banks/Term A"));
    fsys::CreateDirectories(HomePath("Pictures"));
    CScriptedFileChooser chooser;
    CServiceScope<IFileChooserService> installed(FileChooserSlot(), chooser);
    chooser.QueueFolder(HomePath("Banks/Term A/"));
    chooser.QueueFolder(HomePath("Pictures"));
    messageBox.QueueAnswer(IDYES);
    messageBox.QueueAnswer(IDNO);

    CModalScript script;
    script.On<CFolderSetupDlg>([&](CFolderSetupDlg& d) {
        ClickDlgButton(d, IDC_FOLDER_CRR_MANAGE);
        ClickDlgButton(d, IDC_FOLDER_IMG_MANAGE);
        EXPECT_EQ(Selected(d, IDC_FOLDER_CRR_COMBO), "Banks/Term A");
        EXPECT_EQ(Selected(d, IDC_FOLDER_IMG_COMBO), "Pictures");
        EXPECT_TRUE(messageBox.calls.empty());
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(RunManageFolders(nullptr), IDOK);

    ASSERT_EQ(chooser.calls.size(), 2u);
    const CFileChooserCall& call = chooser.calls[0];
    EXPECT_EQ(call.nType, DT_CORRA);
    EXPECT_EQ(call.dwStyle, 0x1F3u);
    EXPECT_EQ(call.csRootDir, Home());
    EXPECT_EQ(call.csRootFilter, "QCorras");
    EXPECT_EQ(call.csStartDir, HomePath("QCorras/"));
    EXPECT_EQ(call.csInfo, "Select which folder you want to use as your default Question Corra Files folder.");
    EXPECT_EQ(chooser.calls[1].csRootFilter, "Images");

    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_EQ(messageBox.calls[0].text, "Are you sure you want to change your default folder for Question Corra File "
                                        "from\n\nQCorras to\n\nBanks/Term A?");
    EXPECT_EQ(messageBox.calls[1].text,
              "Are you sure you want to change your default folder for Image File from\n\nImages to\n\nPictures?");
    // The folder itself with its case, not its parent; the images keep theirs.
    EXPECT_EQ(CFileTypes::GetDefDir(DT_CORRA), HomePath("Banks/Term A/"));
    EXPECT_EQ(CFileTypes::GetDefDir(DT_IMAGE), HomePath("Images/"));

    // Opened again: the mixed-case folder is found as it is, and nothing changed asks nothing.
    messageBox.calls.clear();
    script.On<CFolderSetupDlg>([&](CFolderSetupDlg& d) {
        EXPECT_EQ(Selected(d, IDC_FOLDER_CRR_COMBO), "Banks/Term A");
        EXPECT_EQ(Combo(d, IDC_FOLDER_CRR_COMBO).GetCount(), 2);
        EXPECT_EQ(Selected(d, IDC_FOLDER_IMG_COMBO), "Images");
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(RunManageFolders(nullptr), IDOK);
    EXPECT_TRUE(messageBox.calls.empty());

    // Picking an older entry of the list asks, and Yes makes it the default again.
    messageBox.QueueAnswer(IDYES);
    script.On<CFolderSetupDlg>([&](CFolderSetupDlg& d) {
        Choose(d, IDC_FOLDER_CRR_COMBO, "QCorras");
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(RunManageFolders(nullptr), IDOK);
    EXPECT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(CFileTypes::GetDefDir(DT_CORRA), HomePath("QCorras/"));
}

TEST_F(FolderSetupTest, FoldersDifferingOnlyInCaseStayApartInTheList)
{
    fsys::CreateDirectories(HomePath("QCorras/Term A"));
    fsys::CreateDirectories(HomePath("QCorras/term a"));
    CScriptedFileChooser chooser;
    CServiceScope<IFileChooserService> installed(FileChooserSlot(), chooser);
    chooser.QueueFolder(HomePath("QCorras/Term A/"));
    chooser.QueueFolder(HomePath("QCorras/term a/"));
    messageBox.QueueAnswer(IDYES);
    CModalScript script;
    script.On<CFolderSetupDlg>([&](CFolderSetupDlg& d) {
        ClickDlgButton(d, IDC_FOLDER_CRR_MANAGE);
        ClickDlgButton(d, IDC_FOLDER_CRR_MANAGE);
        CMRUPathComboBox& combo = Combo(d, IDC_FOLDER_CRR_COMBO);
        ASSERT_EQ(combo.GetCount(), 3);
        EXPECT_EQ(combo.GetLBText(0), "QCorras/term a");
        EXPECT_EQ(combo.GetLBText(1), "QCorras/Term A");
        // Picking the other one takes that folder, not its lower-cased twin.
        Choose(d, IDC_FOLDER_CRR_COMBO, "QCorras/Term A");
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(RunManageFolders(nullptr), IDOK);
    EXPECT_EQ(CFileTypes::GetDefDir(DT_CORRA), HomePath("QCorras/Term A/"));
}

TEST_F(FolderSetupTest, AFolderGoneBeforeOkChangesNothing)
{
    fsys::CreateDirectories(HomePath("Short Lived"));
    CScriptedFileChooser chooser;
    CServiceScope<IFileChooserService> installed(FileChooserSlot(), chooser);
    chooser.QueueFolder(HomePath("Short Lived/"));
    messageBox.QueueAnswer(IDYES);
    CModalScript script;
    script.On<CFolderSetupDlg>([&](CFolderSetupDlg& d) {
        ClickDlgButton(d, IDC_FOLDER_EXM_MANAGE);
        fsys::RemoveDirectory(HomePath("Short Lived"));
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(RunManageFolders(nullptr), IDOK);
    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_EQ(messageBox.calls[1].text, "Directory does not exist...\n\n" + HomePath("Short Lived/"));
    EXPECT_EQ(CFileTypes::GetDefDir(DT_EXAM), HomePath("Exams/"));
}

TEST_F(FolderSetupTest, ComboTextsAreRelativeToTheProgramFolder)
{
    const CString home = GetServerDirectory();
    struct Row {
        CString folder;
        CString text;
    };
    const Row rows[] = {{home + "QCorras/", "QCorras"}, {home + "Banks/Term A", "Banks/Term A"},
                        {"/srv/Shared Banks/", "/srv/Shared Banks"}};
    for (const Row& row : rows) {
        EXPECT_EQ(CFolderSetupDlg::ComboTextOf(row.folder), row.text) << row.folder;
        CString back = row.folder;
        if (back[back.GetLength() - 1] != '/')
            back += "/";
        EXPECT_EQ(CFolderSetupDlg::FolderOfComboText(row.text), back) << row.text;
    }
}

} // namespace
