// The Export dialog: the type it opens on, what each type lets the user choose, and OK's checks,
// which keep the dialog open and write nothing when they refuse.

#include "print/ExportDialog.h"

#include "controls/MRUPathComboBox.h"
#include "foundation/CorraAppBase.h"
#include "model/CorraDoc.h"
#include "model/HtmlSettings.h"
#include "platform/core/FileSys.h"
#include "platform/ui/ComboBox.h"
#include "print/ExportContext.h"
#include "res/ids/Print.h"
#include "tests/support/CorraTest.h"
#include "tests/support/FakeDocumentDialogs.h"
#include "tests/support/ModalScript.h"

#include <QLineEdit>
#include <QRadioButton>

#include <functional>
#include <string>

namespace {

class ExportDialogTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        doc.SetTitle("Biology.crr");
        ctx.pHtml = &html;
    }
    // Runs the dialog with act; its result.
    int Run(const std::function<void(CExportDialog&)>& act)
    {
        CModalScript script;
        script.On<CExportDialog>([&](CExportDialog& d) { act(d); });
        CExportDialog dlg(FALSE, 0, nullptr, ctx, doc);
        return static_cast<int>(dlg.DoModal());
    }
    static void ChooseType(CExportDialog& d, int index)
    {
        auto* combo = d.GetDlgItemAs<CComboBox>(IDC_EXPORT_TYPE);
        combo->SetCurSel(index);
        d.OnTypeChange();
    }
    CString LastMessage() const { return messageBox.calls.empty() ? CString() : messageBox.calls.back().text; }

    CCorraDoc doc;
    CHtmlSettings html;
    CExportContext ctx;
};

TEST_F(ExportDialogTest, StoredTypeOutsideTheListSelectsTheNearestEnd)
{
    const struct {
        int stored;
        int type;
    } cases[] = {{7, FT_RTF}, {-3, FT_TEXT}, {3, FT_HTML}};
    for (const auto& c : cases) {
        CorraApp().WriteProfileInt(CExportDialog::kSection, "LastSelected", c.stored);
        Run([](CExportDialog& d) { ClickDlgButton(d, IDCANCEL); });
        EXPECT_EQ(ctx.nFileType, c.type) << c.stored;
    }
}

TEST_F(ExportDialogTest, ProposedPathKeepsItsCaseAndOkStoresIt)
{
    doc.SetTitle("Cell Biology #2.crr");
    const CString folder = HomePath("Out Put/");
    fsys::CreateDirectory(folder);
    EXPECT_EQ(Run([&](CExportDialog& d) {
                  ChooseType(d, 4);
                  EXPECT_EQ(d.GetDlgItemText(IDC_EXPORT_FILE), "Cell Biology #2.rtf");
                  d.SetDlgItemText(IDC_EXPORT_FOLDER, folder);
                  d.SetDlgItemText(IDC_EXPORT_FILE, "\xc9t\xe9 Exam.rtf");
                  ClickDlgButton(d, IDOK);
              }),
              IDOK);
    EXPECT_EQ(ctx.csOutputPath, folder + "\xc9t\xe9 Exam.rtf");
    EXPECT_EQ(ctx.nFileType, FT_RTF);
    // Nothing made by the dialog itself.
    EXPECT_FALSE(fsys::Exists(ctx.csOutputPath));
    EXPECT_EQ(CorraApp().GetProfileInt(CExportDialog::kSection, "LastSelected", -1), 4);
    EXPECT_EQ(CorraApp().GetProfileString(CExportDialog::kSection, CString::Formatted("Cell Biology #2%d", FT_RTF)),
              folder + "\xc9t\xe9 Exam.rtf");
}

TEST_F(ExportDialogTest, SingleHtmlFileForcesAllPages)
{
    html.m_nDivType = 1;
    Run([](CExportDialog& d) {
        d.CheckDlgButton(IDC_RANGE_PAGES, BST_CHECKED);
        d.CheckDlgButton(IDC_RANGE_ALL, BST_UNCHECKED);
        ChooseType(d, 3);
        EXPECT_EQ(d.IsDlgButtonChecked(IDC_RANGE_ALL), BST_CHECKED);
        EXPECT_FALSE(d.GetDlgItem(IDC_RANGE_PAGES)->isEnabled());
        EXPECT_FALSE(d.GetDlgItem(IDC_RANGE_FROM)->isEnabled());
        EXPECT_EQ(d.GetDlgItemText(IDC_EXPORT_ATTRIBUTES), "Html File : Single file");
        ChooseType(d, 4);
        EXPECT_TRUE(d.GetDlgItem(IDC_RANGE_PAGES)->isEnabled());
        ClickDlgButton(d, IDCANCEL);
    });
}

TEST_F(ExportDialogTest, OkRefusesAndStaysOpen)
{
    const CString existing = HomePath("old.rtf");
    fsys::WriteFile(existing, "old", 3);
    const CString aFile = HomePath("plain.txt");
    fsys::WriteFile(aFile, "x", 1);
    const struct {
        const char* what;
        int type;
        int divType;
        CString folder;
        CString file;
        int answer;
        const char* message;
    } cases[] = {
        {"no name", 4, 1, Home(), "", IDOK, "No output filename specified."},
        {"a file as the folder", 3, HTML_FILE_PER_PAGE, aFile, "", IDOK, "is not a directory."},
        {"replace refused", 4, 1, Home(), "old.rtf", IDCANCEL, "already exists.  Replace?"},
        {"missing folder", 4, 1, HomePath("gone/"), "new.rtf", IDOK, "cannot be written to."},
        {"WordPerfect", 2, 1, Home(), "new.wpd", IDOK, "WordPerfect"},
    };
    for (const auto& c : cases) {
        html.m_nDivType = c.divType;
        messageBox.QueueAnswer(c.answer);
        const size_t before = messageBox.calls.size();
        EXPECT_EQ(Run([&](CExportDialog& d) {
                      ChooseType(d, c.type);
                      d.SetDlgItemText(IDC_EXPORT_FOLDER, c.folder);
                      if (c.divType != HTML_FILE_PER_PAGE)
                          d.SetDlgItemText(IDC_EXPORT_FILE, c.file);
                      ClickDlgButton(d, IDOK);
                      EXPECT_FALSE(d.IsEnded()) << c.what;
                      ClickDlgButton(d, IDCANCEL);
                  }),
                  IDCANCEL)
            << c.what;
        ASSERT_GT(messageBox.calls.size(), before) << c.what;
        EXPECT_GE(messageBox.calls[before].text.Find(c.message), 0) << c.what << ": " << messageBox.calls[before].text.GetString();
    }
    std::string old;
    fsys::ReadFile(existing, old);
    EXPECT_EQ(old, "old");
    EXPECT_FALSE(fsys::Exists(HomePath("new.wpd")));
    EXPECT_EQ(CorraApp().GetProfileInt(CExportDialog::kSection, "LastSelected", -1), -1);
}

// "Change..." runs the document's printing properties, a bank's too; the style and answers
// shown follow.
TEST_F(ExportDialogTest, ChangeRunsTheBanksPrintingPropertiesAndTheStyleFollows)
{
    class CCompressed : public CFakeDocumentDialogs {
    public:
        BOOL PrintingProperties(CCorraDoc&, CPrintingValues& values) override
        {
            ++asked;
            values.printMode = 4;
            values.showAnswers = TRUE;
            return TRUE;
        }
        int asked = 0;
    } dialogs;
    CServiceScope<IDocumentDialogs> scope(DocumentDialogsSlot(), dialogs);
    Run([](CExportDialog& d) {
        EXPECT_EQ(d.GetDlgItemText(IDC_EXPORT_STYLE), "Expanded");
        EXPECT_EQ(d.GetDlgItemText(IDC_EXPORT_ANSWERS), "No");
        ClickDlgButton(d, IDC_EXPORT_CHANGE_STYLE);
        EXPECT_EQ(d.GetDlgItemText(IDC_EXPORT_STYLE), "Compressed");
        EXPECT_EQ(d.GetDlgItemText(IDC_EXPORT_ANSWERS), "Yes");
        ClickDlgButton(d, IDCANCEL);
    });
    EXPECT_EQ(dialogs.asked, 1);
}

TEST_F(ExportDialogTest, ViewingAGoneFileTakesItOffTheList)
{
    const CString kept = HomePath("kept.rtf");
    fsys::WriteFile(kept, "{\\rtf1 }", 8);
    CorraApp().WriteProfileString("Recent ViewPrevExpFiles List", "String1", HomePath("gone.rtf"));
    CorraApp().WriteProfileString("Recent ViewPrevExpFiles List", "String2", kept);
    CModalScript script;
    script.On<CExportedFileViewerDlg>([&](CExportedFileViewerDlg& d) {
        CMRUFileComboBox* files = d.GetFilesCombo();
        ASSERT_EQ(files->GetCount(), 2);
        EXPECT_EQ(d.GetDlgItemText(IDC_EXPORTED_FOLDER), fsys::Folder(HomePath("gone.rtf")));
        ClickDlgButton(d, IDC_VIEW_FILE);
        EXPECT_FALSE(d.IsEnded());
        EXPECT_GE(LastMessage().Find("does not exist."), 0);
        ASSERT_EQ(files->GetCount(), 1);
        files->SetCurSel(0);
        EXPECT_EQ(files->GetFullPath(0), kept);
        ClickDlgButton(d, IDCLOSE);
    });
    CExportedFileViewerDlg dlg;
    dlg.DoModal();
    EXPECT_EQ(script.Answered(), 1);
    EXPECT_EQ(CorraApp().GetProfileString("Recent ViewPrevExpFiles List", "String1"), kept);
}

} // namespace
