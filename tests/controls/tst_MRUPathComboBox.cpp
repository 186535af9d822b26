#include "foundation/FileTypes.h"
#include "controls/MRUPathComboBox.h"

#include "platform/core/Profile.h"
#include "tests/support/CorraTest.h"

#include <memory>

namespace {

using MRUPathComboBoxTest = CorraTest;

CString Entries(const CMRUPathComboBox& combo)
{
    CString out;
    for (int i = 0; i < combo.GetCount(); ++i)
        out += (i ? "|" : "") + combo.GetLBText(i);
    return out;
}

} // namespace

TEST_F(MRUPathComboBoxTest, AdditionsMoveRepeatsUpKeepTheirCaseAndDropTheOldest)
{
    struct Case {
        std::vector<const char*> added;
        const char* expected;
    };
    const Case cases[] = {
        {{"a", "b", "A"}, "A|b"},
        {{"  one ", "two", "ONE  "}, "ONE|two"},
        {{"1", "2", "3", "4", "5", "6"}, "6|5|4|3|2"},
        {{"1", "2", "3", "4", "5", "1"}, "1|5|4|3|2"},
        {{"x", "", "   "}, "x"},
    };
    for (const Case& c : cases) {
        CMRUPathComboBox combo;
        combo.SetSaveOnDestroy(FALSE);
        combo.SetSection("Recent Test List");
        combo.SetEntryFormat("String%d");
        combo.SetAutoRefresh(TRUE);
        ASSERT_EQ(combo.SetMaxEntries(5), 0);
        for (const char* text : c.added)
            EXPECT_TRUE(combo.Add(text));
        EXPECT_EQ(Entries(combo), CString(c.expected)) << c.expected;
    }
}

TEST_F(MRUPathComboBoxTest, FormatWithoutNumberIsRefusedAndTheListStaysInvalid)
{
    CMRUPathComboBox combo;
    combo.SetSaveOnDestroy(FALSE);
    combo.SetSection("Recent Test List");
    combo.SetEntryFormat("String");
    EXPECT_FALSE(combo.IsValid());
    EXPECT_FALSE(combo.Add("a"));
    EXPECT_EQ(combo.GetFirst(), CString(""));
    combo.SetEntryFormat("Dir%d");
    EXPECT_TRUE(combo.IsValid());
    EXPECT_TRUE(combo.Add("a"));
    EXPECT_EQ(combo.GetFirst(), CString("a"));
}

TEST_F(MRUPathComboBoxTest, SetMaxEntriesBelowOneChangesNothing)
{
    CMRUPathComboBox combo;
    combo.SetSaveOnDestroy(FALSE);
    combo.Init("Find");
    combo.Add("one");
    EXPECT_EQ(combo.SetMaxEntries(0), -1);
    EXPECT_EQ(combo.SetMaxEntries(-3), -1);
    EXPECT_EQ(combo.GetMaxEntries(), 15);
    EXPECT_EQ(combo.SetMaxEntries(2), 15);
    EXPECT_EQ(combo.GetFirst(), CString("one")) << "remaking the list keeps its entries";
    EXPECT_EQ(combo.SetMaxEntries(4), 2);
}

TEST_F(MRUPathComboBoxTest, InitLoadsItsSectionAndTheDestructorSavesIt)
{
    {
        CMRUPathComboBox combo;
        combo.Init("Search");
        combo.Add("Photo/Synthesis");
        combo.Add("Cell Wall");
        combo.SetWindowText("typed");
        combo.Refill();
        EXPECT_EQ(combo.GetWindowText(), CString("typed")) << "refilling keeps the edit field";
        EXPECT_EQ(combo.GetCurSel(), -1);
    }
    EXPECT_EQ(AppProfile().GetString("Recent Search List", "String1", ""), CString("Cell Wall"));
    EXPECT_EQ(AppProfile().GetString("Recent Search List", "String2", ""), CString("Photo/Synthesis"));
    EXPECT_FALSE(AppProfile().HasKey("Recent Search List", "String3"));

    CMRUPathComboBox again;
    again.SetSaveOnDestroy(FALSE);
    again.Init("Search");
    EXPECT_EQ(Entries(again), CString("Cell Wall|Photo/Synthesis"));
    again.Remove(0);
    again.Remove(9);
    EXPECT_EQ(again.GetFirst(), CString("Photo/Synthesis"));
    again.RemoveAll();
    EXPECT_EQ(again.GetFirst(), CString(""));
}

namespace {

std::unique_ptr<CMRUFileComboBox> MakeFileCombo()
{
    auto combo = std::make_unique<CMRUFileComboBox>();
    combo->SetSection("ExportDlg MRU");
    combo->SetEntryFormat("File%d");
    combo->SetMaxEntries(10);
    combo->SetAutoRefresh(TRUE);
    return combo;
}

} // namespace

TEST_F(MRUPathComboBoxTest, FileComboShowsNamesAndKeepsFullPathsInTheProfile)
{
    {
        auto combo = MakeFileCombo();
        combo->AddPath(" /home/T/Exports/Quiz1.DOC ", TRUE);
        combo->AddPath("/home/T/Exports/Quiz2.doc", FALSE);
        combo->AddPath("/home/T/Text/Notes.txt", FALSE);
        EXPECT_EQ(Entries(*combo), CString("Notes.txt|Quiz2.doc|Quiz1.DOC"));
        EXPECT_EQ(combo->GetFullPath(2), CString("/home/T/Exports/Quiz1.DOC")) << "paths keep their case";
        EXPECT_EQ(combo->GetFullPath(3), CString(""));
        EXPECT_EQ(combo->GetFirst(), CString("/home/T/Text/Notes.txt"));
        EXPECT_EQ(combo->GetFolderOfExt(".txt"), CString("/home/T/Text"));
        EXPECT_EQ(combo->GetFolderOfExt("doc"), CString("/home/T/Exports"));
        EXPECT_EQ(combo->GetFolderOfExt(".htm"), CString(""));
        EXPECT_EQ(combo->GetFolderOfType(FT_TEXT), CString("/home/T/Text"));
        EXPECT_EQ(combo->GetFolderOfType(FT_HTML), CString(""));
        combo->Remove(1);
        EXPECT_EQ(Entries(*combo), CString("Notes.txt|Quiz1.DOC"));
    }
    // Destroying the combo writes the full paths, never the names it shows.
    EXPECT_EQ(AppProfile().GetString("ExportDlg MRU", "File1", ""), CString("/home/T/Text/Notes.txt"));
    EXPECT_EQ(AppProfile().GetString("ExportDlg MRU", "File2", ""), CString("/home/T/Exports/Quiz1.DOC"));

    auto again = MakeFileCombo();
    again->SetSaveOnDestroy(FALSE);
    again->Load();
    EXPECT_EQ(Entries(*again), CString("Notes.txt|Quiz1.DOC"));
    EXPECT_EQ(again->GetFolder(1), CString("/home/T/Exports"));
}

TEST_F(MRUPathComboBoxTest, LoadingAFileComboDropsFolderEntries)
{
    AppProfile().WriteString("ExportDlg MRU", "File1", "/home/T/Exports/");
    AppProfile().WriteString("ExportDlg MRU", "File2", "/home/T/a.rtf");
    AppProfile().WriteString("ExportDlg MRU", "File4", "/home/T/b.htm");
    auto combo = MakeFileCombo();
    combo->SetSaveOnDestroy(FALSE);
    combo->Load();
    EXPECT_EQ(Entries(*combo), CString("a.rtf|b.htm"));
    EXPECT_EQ(combo->GetFullPath(1), CString("/home/T/b.htm"));
    EXPECT_EQ(combo->GetFullPath(2), CString(""));
}

TEST_F(MRUPathComboBoxTest, RemovedLastPathStaysRemoved)
{
    auto combo = MakeFileCombo();
    combo->SetSaveOnDestroy(FALSE);
    combo->AddPath("/home/T/Exports/Quiz1.doc", FALSE);
    combo->Remove(0);
    EXPECT_EQ(combo->GetCount(), 0);
    EXPECT_EQ(combo->GetFullPath(0), CString(""));
    EXPECT_EQ(combo->GetFirst(), CString("")) << "the removed path must not come back";
    combo->Save();
    EXPECT_FALSE(AppProfile().HasKey("ExportDlg MRU", "File1"));
}

TEST_F(MRUPathComboBoxTest, PathWithoutFolderKeepsItsPlace)
{
    auto combo = MakeFileCombo();
    combo->SetSaveOnDestroy(FALSE);
    combo->AddPath("/home/T/a.doc", FALSE);
    combo->AddPath("b.txt", FALSE);
    combo->AddPath("/home/T/c.txt", FALSE);
    EXPECT_EQ(Entries(*combo), CString("c.txt|b.txt|a.doc"));
    EXPECT_EQ(combo->GetFullPath(1), CString("b.txt"));
    EXPECT_EQ(combo->GetFullPath(2), CString("/home/T/a.doc"));

    // Loading again reads the profile afresh, whatever the list showed before.
    combo->Save();
    combo->Load();
    EXPECT_EQ(Entries(*combo), CString("c.txt|b.txt|a.doc"));
    EXPECT_EQ(combo->GetFirst(), CString("/home/T/c.txt"));
}
