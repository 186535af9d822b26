#include "shell/HVFileDlg.h"

#include "foundation/FileTypes.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/ui/Document.h"
#include "res/ids/Shell.h"
#include "shell/FolderTreeCtrl.h"
#include "shell/HVListCtrl.h"
#include "tests/shell/BankFiles.h"
#include "tests/support/ChooserScript.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/ScriptedShellDocuments.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace {

class HVFileDlgTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        docs = std::make_unique<CScriptedShellDocuments>();
        docsScope = std::make_unique<CServiceScope<IShellDocuments>>(ShellDocumentsSlot(), *docs);
        for (const char* name : {"QCorras/Algebra.crr", "QCorras/Biology.crr", "QCorras/Chemistry.crr",
                                 "QCorras/Drama.crr", "QCorras/Sub/Inner.crr", "QCorras/Sub/Other.crr"})
            WriteHomeFile(name, BankWithId(name));
        WriteHomeFile("QCorras/notes.txt", "not a bank");
    }
    void TearDown() override
    {
        docsScope.reset();
        docs.reset();
        CorraTest::TearDown();
    }

    CString Banks() const { return HomePath("QCorras"); }

    // Runs a chooser of the kind rooted at the program home, starting in the banks' folder; act
    // sees it open (after its posted messages ran) and ends it.
    INT_PTR Run(CHVFileDlg& dlg, const std::function<void(CHVFileDlg&)>& act)
    {
        dlg.SetRootToServerDir();
        dlg.SetRootFolderFilter("QCorras");
        dlg.m_cszSearchDir = Banks();
        CModalScript script;
        script.On<CHVFileDlg>([&](CHVFileDlg& d) {
            QApplication::processEvents();
            act(d);
        });
        return dlg.DoModal();
    }

    static BOOL Enabled(CHVFileDlg& d, int nID) { return d.GetDlgItem(nID)->isEnabled(); }
    static void Type(CHVFileDlg& d, const char* text)
    {
        d.GetDlgItemAs<QLineEdit>(IDC_HVFD_FILENAME)->setText(QString::fromUtf8(text));
    }

    std::unique_ptr<CScriptedShellDocuments> docs;
    std::unique_ptr<CServiceScope<IShellDocuments>> docsScope;
};

} // namespace

TEST_F(HVFileDlgTest, ButtonsFollowTheStyle)
{
    struct Case {
        DWORD style;
        BOOL import;
        BOOL create;
        BOOL rename;
        BOOL okAtStart;
        BOOL okAfterRow;
        BOOL okAfterTyping;
    };
    const Case cases[] = {
        // The open style: OK only once a row is selected; typing does not do.
        {FCS_OPEN_STYLE, TRUE, TRUE, TRUE, FALSE, TRUE, FALSE},
        // The save style: a typed name does.
        {FCS_SAVE_STYLE, FALSE, TRUE, TRUE, FALSE, TRUE, TRUE},
        // Several rows and nothing else (the import's own chooser).
        {0x201, FALSE, FALSE, FALSE, FALSE, TRUE, FALSE},
    };
    for (const Case& c : cases) {
        CHVFileDlg dlg(DT_CORRA, c.style);
        Run(dlg, [&](CHVFileDlg& d) {
            EXPECT_EQ(Enabled(d, IDC_HVFD_IMPORT), c.import) << std::hex << c.style;
            EXPECT_EQ(Enabled(d, IDC_HVFD_NEWFOLDER), c.create) << std::hex << c.style;
            EXPECT_EQ(Enabled(d, IDC_HVFD_RENAME), c.rename) << std::hex << c.style;
            EXPECT_EQ(Enabled(d, IDOK), c.okAtStart) << std::hex << c.style;
            Type(d, "Typed.crr");
            EXPECT_EQ(Enabled(d, IDOK), c.okAfterTyping) << std::hex << c.style;
            Type(d, "");
            UserSelectsRow(d, "Biology.crr");
            EXPECT_EQ(Enabled(d, IDOK), c.okAfterRow) << std::hex << c.style;
            ClickDlgButton(d, IDCANCEL);
        });
    }
}

TEST_F(HVFileDlgTest, FolderModeTakesAnotherFolderOnly)
{
    CHVFileDlg dlg(DT_CORRA, 0x1F3);
    INT_PTR result = Run(dlg, [&](CHVFileDlg& d) {
        EXPECT_FALSE(Enabled(d, IDOK));
        UserSelectsInTree(d, HomePath("QCorras/Sub"));
        EXPECT_TRUE(Enabled(d, IDOK));
        UserSelectsInTree(d, Banks());
        EXPECT_FALSE(Enabled(d, IDOK));
        UserSelectsInTree(d, HomePath("QCorras/Sub"));
        ClickDlgButton(d, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    // The folder chosen is the one selected, not the one above it.
    EXPECT_EQ(fsys::NormalizeSeparators(dlg.m_cszSearchDir), HomePath("QCorras/Sub/"));
}

TEST_F(HVFileDlgTest, TreeAndListMoveInStep)
{
    CHVFileDlg dlg(DT_CORRA, FCS_OPEN_STYLE);
    Run(dlg, [&](CHVFileDlg& d) {
        CHVListCtrl* list = d.GetList();
        EXPECT_EQ(list->GetItemCount(), 4);  // the banks of the folder, not the text file
        // A file in the tree: the list shows its folder with the file selected, the name field
        // holds its name.
        UserSelectsInTree(d, HomePath("QCorras/Sub/Other.crr"));
        EXPECT_EQ(list->GetItemCount(), 2);
        int row = list->GetFirstSelected();
        ASSERT_GE(row, 0);
        EXPECT_EQ(list->GetItemText(row, 0), "Other.crr");
        EXPECT_EQ(d.GetDlgItemText(IDC_HVFD_FILENAME), "Other.crr");
        EXPECT_EQ(d.GetPathName(), HomePath("QCorras/Sub/Other.crr"));
        EXPECT_TRUE(Enabled(d, IDOK));
        // A folder in the tree: the list shows that folder and the name goes.
        UserSelectsInTree(d, HomePath("QCorras/Sub"));
        EXPECT_EQ(list->GetItemCount(), 2);
        EXPECT_EQ(d.GetDlgItemText(IDC_HVFD_FILENAME), "");
        EXPECT_NE(d.GetFolderCaption().Find("QCorras/Sub"), -1) << d.GetFolderCaption();
        // A row of the list: the tree selects its file.
        UserSelectsRow(d, "Inner.crr");
        EXPECT_EQ(d.GetTree()->GetSelectedPath(), HomePath("QCorras/Sub/Inner.crr"));
        EXPECT_EQ(d.GetDlgItemText(IDC_HVFD_FILENAME), "Inner.crr");
        ClickDlgButton(d, IDCANCEL);
    });
}

TEST_F(HVFileDlgTest, TheFirstTreeSelectionIsNoChoiceWhenTheRootIsTheStart)
{
    CHVFileDlg dlg(DT_CORRA, FCS_OPEN_STYLE & ~FCS_CREATE_FOLDERS);
    dlg.SetDefDir();
    ASSERT_EQ(dlg.GetRootFolder(), dlg.m_cszSearchDir);
    CModalScript script;
    script.On<CHVFileDlg>([&](CHVFileDlg& d) {
        QApplication::processEvents();
        // The tree picks its first item by itself (as on taking the focus): not kept.
        d.GetTree()->SelectItem(d.GetTree()->GetChildItem(nullptr));
        EXPECT_EQ(d.GetTree()->GetSelectedItem(), nullptr);
        EXPECT_EQ(d.GetList()->GetItemCount(), 4);
        // The user's own click is kept.
        UserSelectsInTree(d, HomePath("QCorras/Sub"));
        EXPECT_EQ(d.GetList()->GetItemCount(), 2);
        ClickDlgButton(d, IDCANCEL);
    });
    dlg.DoModal();
}

TEST_F(HVFileDlgTest, SeveralRowsComeBackInRowOrder)
{
    CHVFileDlg dlg(DT_CORRA, 0x200);
    INT_PTR result = Run(dlg, [&](CHVFileDlg& d) {
        UserSelectsRow(d, "Drama.crr");
        UserSelectsRow(d, "Algebra.crr");
        UserSelectsRow(d, "Chemistry.crr");
        ClickDlgButton(d, IDOK);
    });
    ASSERT_EQ(result, IDOK);
    ASSERT_EQ(dlg.m_asFileNames.GetSize(), 3);
    ASSERT_EQ(dlg.m_asFilePaths.GetSize(), 3);
    const char* expected[] = {"Algebra.crr", "Chemistry.crr", "Drama.crr"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(dlg.m_asFileNames[i], expected[i]);
        EXPECT_EQ(dlg.m_asFilePaths[i], fsys::Join(Banks(), expected[i]));
    }
    EXPECT_EQ(dlg.m_pDoc, nullptr);
}

TEST_F(HVFileDlgTest, OkAsksTheConfirmationAndOpensThroughTheList)
{
    CDocument doc;
    docs->pOpenResult = &doc;
    CHVFileDlg dlg(DT_CORRA, FCS_OPEN_STYLE | FCS_OPEN_DOC);
    dlg.m_csConfirm = "Copy them?";
    messageBox.QueueAnswer(IDCANCEL);
    messageBox.QueueAnswer(IDOK);
    INT_PTR result = Run(dlg, [&](CHVFileDlg& d) {
        UserSelectsRow(d, "Biology.crr");
        ClickDlgButton(d, IDOK);
        EXPECT_FALSE(d.IsEnded());  // Cancel to the question keeps the chooser open
        ClickDlgButton(d, IDOK);
    });
    ASSERT_EQ(result, IDOK);
    ASSERT_EQ(messageBox.calls.size(), 2u);
    EXPECT_EQ(messageBox.calls[0].text, "Copy them?");
    EXPECT_EQ(dlg.m_pDoc, &doc);
    EXPECT_TRUE(dlg.m_bDocOpened);
    ASSERT_EQ(docs->opened.size(), 1u);
    EXPECT_EQ(docs->opened[0], fsys::Join(Banks(), "Biology.crr"));
}

TEST_F(HVFileDlgTest, ATypedNameStaysInItsFolder)
{
    CHVFileDlg dlg(DT_CORRA, FCS_SAVE_STYLE);
    INT_PTR result = Run(dlg, [&](CHVFileDlg& d) {
        Type(d, "../Elsewhere.crr");
        ClickDlgButton(d, IDOK);
        EXPECT_FALSE(d.IsEnded());
        Type(d, "New Bank.crr");
        ClickDlgButton(d, IDOK);
    });
    ASSERT_EQ(result, IDOK);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_NE(messageBox.calls[0].text.Find("\"/\""), -1);
    EXPECT_EQ(dlg.GetPathName(), fsys::Join(Banks(), "New Bank.crr"));
}

TEST_F(HVFileDlgTest, CreateNewMakesADocumentOfTheKindOrRefuses)
{
    struct Case {
        int kind;
        const char* refusal;
    };
    const Case cases[] = {
        {DT_SRC, "Create not allowed for source files."},
        {DT_DATA, "Create not allowed for data files."},
        {DT_IMAGE, "Create not allowed for image files."},
        {DT_HELP, "Create not allowed for help files."},
    };
    for (const Case& c : cases) {
        messageBox.calls.clear();
        CHVFileDlg dlg(c.kind, FCS_CREATE | FCS_OPEN_DOC);
        Run(dlg, [&](CHVFileDlg& d) {
            ClickDlgButton(d, IDC_HVFD_NEWFOLDER);
            EXPECT_FALSE(d.IsEnded()) << c.kind;
            ClickDlgButton(d, IDCANCEL);
        });
        ASSERT_EQ(messageBox.calls.size(), 1u) << c.kind;
        EXPECT_EQ(messageBox.calls[0].text, c.refusal);
        EXPECT_EQ(dlg.m_pDoc, nullptr);
    }
    EXPECT_TRUE(docs->made.empty());

    CDocument doc;
    docs->pNewResult = &doc;
    CHVFileDlg bank(DT_CORRA, FCS_CREATE | FCS_OPEN_DOC);
    INT_PTR result = Run(bank, [&](CHVFileDlg& d) { ClickDlgButton(d, IDC_HVFD_NEWFOLDER); });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(docs->made, std::vector<int>{DT_CORRA});
    EXPECT_EQ(bank.m_pDoc, &doc);
    EXPECT_TRUE(bank.m_bDocOpened);
}

TEST_F(HVFileDlgTest, CreateNewFolderWantsAFolderSelected)
{
    CHVFileDlg dlg(DT_CORRA, FCS_OPEN_STYLE);
    Run(dlg, [&](CHVFileDlg& d) {
        d.GetTree()->SelectItem(nullptr);
        ClickDlgButton(d, IDC_HVFD_NEWFOLDER);
        ClickDlgButton(d, IDCANCEL);
    });
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "You must select a folder to create the new directory under.");
}

TEST_F(HVFileDlgTest, AFolderThatGoesAwayEmptiesTheList)
{
    CHVFileDlg dlg(DT_CORRA, FCS_OPEN_STYLE);
    Run(dlg, [&](CHVFileDlg& d) {
        UserSelectsInTree(d, HomePath("QCorras/Sub"));
        ASSERT_EQ(d.GetList()->GetItemCount(), 2);
        ASSERT_TRUE(fsys::DeleteTree(HomePath("QCorras/Sub")));
        d.RepopulateFileList();
        EXPECT_EQ(d.GetList()->GetItemCount(), 0);
        EXPECT_FALSE(Enabled(d, IDOK));
        ClickDlgButton(d, IDCANCEL);
    });
}

TEST_F(HVFileDlgTest, TheInformationTextNamesTheKindsDocument)
{
    CHVFileDlg dlg(DT_SRC, FCS_OPEN_STYLE);
    Run(dlg, [&](CHVFileDlg& d) {
        EXPECT_EQ(d.GetInfoText().Trim(), "Select a directory.");
        ClickDlgButton(d, IDCANCEL);
    });
    CHVFileDlg told(DT_CORRA, FCS_OPEN_STYLE);
    told.m_csInfo = "Pick a bank.";
    Run(told, [&](CHVFileDlg& d) {
        EXPECT_EQ(d.GetInfoText().Trim(), "Pick a bank.");
        ClickDlgButton(d, IDCANCEL);
    });
}

TEST_F(HVFileDlgTest, ImportCopiesIntoTheFolderShownAndRefills)
{
    WriteHomeFile("Downloads/Geology.crr", BankWithId("CID_G"));
    CScriptedFileChooser picker;
    CServiceScope<IFileChooserService> scope(FileChooserSlot(), picker);
    picker.QueueFiles({HomePath("Downloads/Geology.crr")});
    CHVFileDlg dlg(DT_CORRA, FCS_OPEN_STYLE);
    Run(dlg, [&](CHVFileDlg& d) {
        UserSelectsInTree(d, HomePath("QCorras/Sub"));
        ClickDlgButton(d, IDC_HVFD_IMPORT);
        EXPECT_GE(d.GetList()->FindItemByName("Geology.crr"), 0);
        EXPECT_EQ(d.GetList()->GetItemCount(), 3);
        EXPECT_EQ(d.GetTree()->GetSelectedPath(), HomePath("QCorras/Sub"));
        ClickDlgButton(d, IDCANCEL);
    });
    ASSERT_EQ(picker.calls.size(), 1u);
    EXPECT_EQ(picker.calls[0].csInfo, "Import Question Corra Files");
    EXPECT_TRUE(fsys::IsFile(HomePath("QCorras/Sub/Geology.crr")));
}

TEST_F(HVFileDlgTest, TheChooserCallIsAnsweredWithTheRowsChosen)
{
    CHVFileChooser chooser;
    CFileChooserCall call;
    call.nType = DT_CORRA;
    call.dwStyle = FCS_MULTI_SELECT | FCS_CREATE_FOLDERS;
    call.csStartDir = Banks();
    call.csInfo = "Import Question Corra Files";
    call.csConfirm = "Copy them?";
    messageBox.QueueAnswer(IDOK);
    CModalScript script;
    script.On<CHVFileDlg>([&](CHVFileDlg& d) {
        QApplication::processEvents();
        EXPECT_EQ(d.GetStyle(), static_cast<DWORD>(0x201));
        EXPECT_EQ(d.GetInfoText().Trim(), "Import Question Corra Files");
        UserSelectsRow(d, "Drama.crr");
        UserSelectsRow(d, "Biology.crr");
        ClickDlgButton(d, IDOK);
    });
    ASSERT_EQ(chooser.Run(call), IDOK);
    EXPECT_EQ(call.names, (std::vector<CString>{"Biology.crr", "Drama.crr"}));
    EXPECT_EQ(call.paths, (std::vector<CString>{fsys::Join(Banks(), "Biology.crr"), fsys::Join(Banks(), "Drama.crr")}));
    EXPECT_EQ(fsys::NormalizeSeparators(call.csFolder), Banks() + "/");
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Copy them?");
}
