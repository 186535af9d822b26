#include "shell/HVListCtrl.h"

#include "foundation/FileTypes.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/ui/Document.h"
#include "res/ids/Shell.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ScriptedShellDocuments.h"

#include <QApplication>
#include <QMouseEvent>

#include <set>
#include <unistd.h>

namespace {

using HVListCtrlTest = CorraTest;

std::string Bank(int count, int collections, const char* id)
{
    return CString::Formatted("BEGIN HEADER\r\nTITLE1: {Physics}\r\nCOUNT:%d\r\nNUMCOLLECTIONS:%d\r\n"
                              "CORRAID: {%s}\r\nEND HEADER\r\n\r\n",
                              count, collections, id)
        .str();
}

std::vector<CString> RowNames(const CHVListCtrl& list)
{
    std::vector<CString> names;
    for (int i = 0; i < list.GetItemCount(); ++i)
        names.push_back(list.GetItemText(i, 0));
    return names;
}

// A window that records the messages it is sent.
class CRecordingWnd : public CWidgetWnd {
public:
    std::vector<std::pair<UINT, WPARAM>> messages;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.emplace_back(message, wParam);
        return CWidgetWnd::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST_F(HVListCtrlTest, SourceFolderListsEveryExtensionOnceAndNamesApartByCase)
{
    for (const char* name : {"a.txt", "b.doc", "c.rtf", "d.wpd", "x.txt", "X.TXT", "e.jpg", "notes"})
        WriteHomeFile(CString("Src/") + name, "text");
    fsys::CreateDirectory(HomePath("Src/folder.txt"));
    CHVListCtrl list;
    list.SetDocType(DT_SRC);
    const CString ext = CFileTypes::Type2Ext(DT_SRC, FALSE);
    ASSERT_TRUE(list.AddFromDirectory(HomePath("Src"), ext));
    std::multiset<CString> names;
    for (const CString& n : RowNames(list))
        names.insert(n);
    EXPECT_EQ(names, (std::multiset<CString>{"a.txt", "b.doc", "c.rtf", "d.wpd", "x.txt", "X.TXT"}));
    // A second listing of the same folder adds nothing.
    ASSERT_TRUE(list.AddFromDirectory(HomePath("Src"), ext));
    EXPECT_EQ(list.GetItemCount(), 6);
    EXPECT_EQ(list.GetColumnCount(), 4);
    int word = list.FindItemByName("b.doc");
    ASSERT_GE(word, 0);
    EXPECT_EQ(list.GetItemText(word, 1), "Src");
    EXPECT_EQ(list.GetItemText(word, 2), "4");
    EXPECT_EQ(list.GetItemText(word, 3), "Word File");
    EXPECT_FALSE(list.AddFromDirectory(HomePath("Nowhere"), ext));
}

TEST_F(HVListCtrlTest, BankCountsComeFromTheHeaderAndDamagedOnesShowEmpty)
{
    WriteHomeFile("QCorras/Physics.crr", Bank(12, 2, "CID_77"));
    WriteHomeFile("QCorras/Upper.CRR", Bank(3, 0, "CID_3"));
    WriteHomeFile("QCorras/Random.crr", "\x01\x02 not a bank at all \xff\xfe");
    WriteHomeFile("QCorras/Cipher.crr", std::string("\x45\xEF\x23\x89\x67garbage", 12));
    WriteHomeFile("QCorras/Empty.crr", "");
    fsys::CreateDirectory(HomePath("QCorras/Folder.crr"));
    ASSERT_EQ(::symlink("/nonexistent/target.crr", HomePath("QCorras/Broken.crr").GetString()), 0);
    CHVListCtrl list;
    list.SetDocType(DT_CORRA);
    list.AddFromDirectory(HomePath("QCorras"), "crr");
    struct Row {
        const char* name;
        const char* quest;
        const char* colls;
        const char* id;
    } rows[] = {
        {"Physics.crr", "10", "2", "CID_77"},
        {"Upper.CRR", "3", "0", "CID_3"},
        // Not an empty bank: nothing is known of them.
        {"Random.crr", "", "", ""},
        {"Cipher.crr", "", "", ""},
        {"Empty.crr", "", "", ""},
    };
    EXPECT_EQ(list.GetItemCount(), 5);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        int i = list.FindItemByName(r.name);
        ASSERT_GE(i, 0);
        EXPECT_EQ(list.GetItemText(i, 2), r.quest);
        EXPECT_EQ(list.GetItemText(i, 3), r.colls);
        EXPECT_EQ(list.GetItemText(i, 4), r.id);
    }
    EXPECT_LT(list.FindItemByName("Folder.crr"), 0);
    EXPECT_LT(list.FindItemByName("Broken.crr"), 0);
}

TEST_F(HVListCtrlTest, ColumnClicksSortAsTheTableSays)
{
    WriteHomeFile("Src/b.doc", std::string(300, 'x'));
    WriteHomeFile("Src/a.txt", std::string(20, 'x'));
    WriteHomeFile("Src/c.rtf", std::string(1000, 'x'));
    CHVListCtrl list;
    list.SetDocType(DT_SRC);
    list.AddFromDirectory(HomePath("Src"), CFileTypes::Type2Ext(DT_SRC, FALSE));
    list.SortByKey(1);
    struct Click {
        int column;
        std::vector<CString> order;
        int direction;
    } clicks[] = {
        {0, {"c.rtf", "b.doc", "a.txt"}, -1},  // the sorted column again: descending
        {0, {"a.txt", "b.doc", "c.rtf"}, 1},
        {1, {"c.rtf", "a.txt", "b.doc"}, 1},  // "Location" sorts by description: RTF, Text, Word
        {2, {"a.txt", "b.doc", "c.rtf"}, 1},  // bytes as numbers: 20, 300, 1000
        {2, {"c.rtf", "b.doc", "a.txt"}, -1},
        {3, {"c.rtf", "a.txt", "b.doc"}, 1},
    };
    for (const Click& c : clicks) {
        SCOPED_TRACE(c.column);
        list.OnColumnClick(c.column);
        EXPECT_EQ(RowNames(list), c.order);
        EXPECT_EQ(list.GetSortDirection(), c.direction);
    }
}

TEST_F(HVListCtrlTest, UnsavedOpenExamListsUnderTheDefaultExamFolder)
{
    CDocument exam;
    exam.SetTitle("Exam1");
    CDocument other;
    other.SetTitle("Exam2");
    CScriptedShellDocuments docs;
    docs.open = {{&exam, "exm"}, {&other, "exm"}};
    CServiceScope<IShellDocuments> scope(ShellDocumentsSlot(), docs);
    CHVListCtrl list;
    list.SetDocType(DT_EXAM);
    list.InitOpenDocs("exm", &other);
    ASSERT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(list.GetItemText(0, 0), "Exam1.exm");
    CHVFileInfo* info = list.GetFileInfoType(0);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->m_csDescr, "Exam File (Open)");
    EXPECT_EQ(list.GetItemFileName(0), fsys::Join(CFileTypes::GetDefDir(DT_EXAM), "Exam1.exm"));
    // Its document is the open one: choosing it opens nothing.
    list.SelectItem(0);
    BOOL opened = TRUE;
    EXPECT_EQ(list.GetDoc(opened), &exam);
    EXPECT_FALSE(opened);
    EXPECT_TRUE(docs.opened.empty());
}

TEST_F(HVListCtrlTest, RecentFilesListAfterOpenOnesAndDropUnreadableHeaders)
{
    CString good = WriteHomeFile("QCorras/Recent.crr", Bank(5, 1, "CID_5"));
    CString bad = WriteHomeFile("QCorras/Bad.crr", "no header here");
    CScriptedShellDocuments docs;
    docs.recent = {good, bad, HomePath("QCorras/Gone.crr"), WriteHomeFile("Src/a.txt", "x")};
    CServiceScope<IShellDocuments> scope(ShellDocumentsSlot(), docs);
    CHVListCtrl list;
    list.m_bListRecentFiles = TRUE;
    list.SetDocType(DT_CORRA);
    list.InitOpenDocs("crr");
    ASSERT_EQ(RowNames(list), std::vector<CString>{"Recent.crr"});
    EXPECT_EQ(list.GetItemText(0, 2), "4");
    EXPECT_EQ(list.GetFileInfoType(0)->m_csDescr, "Question Corra File (Recently Opened)");
}

TEST_F(HVListCtrlTest, SelectionIsReachedOnlyThroughTheList)
{
    WriteHomeFile("QCorras/One.crr", Bank(2, 0, "CID_1"));
    CHVListCtrl list;
    list.SetDocType(DT_CORRA);
    list.AddFromDirectory(HomePath("QCorras"), "crr");
    list.SelectItem(0);
    EXPECT_EQ(list.GetItemFileName(), HomePath("QCorras/One.crr"));
    EXPECT_EQ(list.GetItemFolder(), HomePath("QCorras"));
    EXPECT_EQ(list.GetItemName(), "One.crr");
    CCorraHeader header;
    ASSERT_TRUE(list.GetHeaderInfo(header));
    EXPECT_EQ(header.GetCorraId(), "CID_1");
    EXPECT_EQ(list.FindItemByPath(HomePath("QCorras/./One.crr")), 0);
    // The records go with the list: nothing of them is left to reach.
    list.ResetContent();
    EXPECT_EQ(list.GetFileInfoType(-1), nullptr);
    EXPECT_FALSE(list.GetHeaderInfo(header));
    EXPECT_EQ(list.GetItemFileName(), "");
    BOOL opened = FALSE;
    EXPECT_EQ(list.GetDoc(opened), nullptr);
}

TEST_F(HVListCtrlTest, ChoosingAClosedFileOpensItThroughTheApplication)
{
    CString path = WriteHomeFile("QCorras/One.crr", Bank(2, 0, "CID_1"));
    CDocument doc;
    CScriptedShellDocuments docs;
    CServiceScope<IShellDocuments> scope(ShellDocumentsSlot(), docs);
    CHVListCtrl list;
    list.SetDocType(DT_CORRA);
    CStringArray paths;
    paths.Add(path);
    list.AddFiles(paths);
    list.SelectItem(0);
    BOOL opened = TRUE;
    EXPECT_EQ(list.GetDoc(opened), nullptr);
    EXPECT_FALSE(opened);
    docs.pOpenResult = &doc;
    EXPECT_EQ(list.GetDoc(opened), &doc);
    EXPECT_TRUE(opened);
    EXPECT_EQ(docs.opened, (std::vector<CString>{path, path}));
}

TEST_F(HVListCtrlTest, NamesTheCodePageCannotHoldAreSkipped)
{
    WriteHomeFile("QCorras/Fine.crr", Bank(1, 0, "A"));
    const std::string folder = fsys::Native(HomePath("QCorras"));
    for (const char* name : {"bad\xff.crr", "\xe6\x97\xa5\xe6\x9c\xac.crr"}) {
        std::FILE* f = std::fopen((folder + "/" + name).c_str(), "w");
        ASSERT_NE(f, nullptr) << name;
        std::fclose(f);
    }
    CHVListCtrl list;
    list.SetDocType(DT_CORRA);
    list.AddFromDirectory(HomePath("QCorras"), "crr");
    EXPECT_EQ(RowNames(list), std::vector<CString>{"Fine.crr"});
}

TEST_F(HVListCtrlTest, OpenSourceFileShowsItsLinesWhenTheApplicationTellsThem)
{
    CString path = WriteHomeFile("Src/notes.txt", "one\ntwo\n");
    CDocument doc;
    doc.SetPathName(path, FALSE);
    CScriptedShellDocuments docs;
    docs.open = {{&doc, "txt", -1}};
    CServiceScope<IShellDocuments> scope(ShellDocumentsSlot(), docs);
    CStringArray paths;
    paths.Add(path);
    CHVListCtrl list;
    list.SetDocType(DT_SRC);
    list.AddFiles(paths);
    EXPECT_EQ(list.GetItemText(0, 2), "8");
    EXPECT_EQ(list.GetItemText(0, 3), "Text File (Open)");
    docs.open[0].nLines = 2;
    list.ResetContent();
    list.AddFiles(paths);
    EXPECT_EQ(list.GetItemText(0, 2), "2");
}

TEST_F(HVListCtrlTest, PressTellsTheParentFirst)
{
    CRecordingWnd parent;
    auto* list = new CHVListCtrl(&parent);
    list->SetDlgCtrlID(1598);
    list->SetDocType(DT_CORRA);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &press);
    ASSERT_FALSE(parent.messages.empty());
    EXPECT_EQ(parent.messages.front(), (std::pair<UINT, WPARAM>(WM_HV_LBUTTONDOWN, 1598)));
}

TEST_F(HVListCtrlTest, CopiedDWordArrayIsEqualAndSelfAssignmentKeepsIt)
{
    CDWordArrayEx a;
    a.Add(3);
    a.Add(7);
    CDWordArrayEx b;
    b.Add(99);
    b = a;
    ASSERT_EQ(b.GetSize(), 2);
    EXPECT_EQ(b[0], 3u);
    EXPECT_EQ(b[1], 7u);
    CDWordArrayEx& same = b;
    b = same;
    EXPECT_EQ(b.GetSize(), 2);
}

TEST_F(HVListCtrlTest, ListBoxShowsOpenDocumentsThenRecentFiles)
{
    CDocument exam;
    exam.SetTitle("Exam1");
    CDocument excluded;
    excluded.SetTitle("Exam2");
    CString recent = WriteHomeFile("Exams/Old.exm", "x");
    CScriptedShellDocuments docs;
    docs.open = {{&exam, "exm"}, {&excluded, "exm"}};
    docs.recent = {recent, HomePath("Exams/Missing.exm"), WriteHomeFile("QCorras/a.crr", "x")};
    CServiceScope<IShellDocuments> scope(ShellDocumentsSlot(), docs);
    CHVListBox box;
    ASSERT_TRUE(box.InitOpenDocs("exm", &excluded));
    ASSERT_EQ(box.GetCount(), 2);
    EXPECT_EQ(box.GetText(0), "Exam1\t(already open)");
    EXPECT_EQ(box.GetText(1), "Old.exm\t(recently opened)");
    // The notes stand in one column, 75 dialog units in.
    EXPECT_EQ(box.GetTabStopPixels(), 75 * DialogBaseUnitX(box.font()) / 4);
    box.setCurrentRow(0);
    EXPECT_EQ(box.GetSelectedDoc(), &exam);
    // Closed since: the box no longer hands it out.
    docs.open.erase(docs.open.begin());
    EXPECT_EQ(box.GetSelectedDoc(), nullptr);
    box.setCurrentRow(1);
    EXPECT_EQ(box.GetSelectedDoc(), nullptr);
    EXPECT_EQ(box.GetSelectedRecentPath(), recent);
    EXPECT_TRUE(box.InitOpenDocs(""));
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "CHVListBox::InitOpenDocs - no extension specified");
}
