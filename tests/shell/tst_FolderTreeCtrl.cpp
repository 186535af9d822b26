#include "shell/FolderTreeCtrl.h"

#include "foundation/FileTypes.h"
#include "shell/HVListCtrl.h"

#include "controls/PromptDlg.h"
#include "platform/core/FileSys.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Keys.h"
#include "platform/ui/ShellOps.h"
#include "platform/ui/QtString.h"
#include "res/ids/ProgressDlg.h"
#include "res/ids/Shell.h"
#include "tests/support/CorraTest.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include <cstdlib>
#include <memory>

namespace {

// A window that records the messages it gets.
class CRecordingWnd : public CWidgetWnd {
public:
    std::vector<UINT> messages;
    int Count(UINT message) const { return static_cast<int>(std::count(messages.begin(), messages.end(), message)); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(message);
        return CWidgetWnd::WindowProc(message, wParam, lParam);
    }
};

class FolderTreeTest : public CorraTest {
protected:
    void SetUp() override
    {
        CorraTest::SetUp();
        root = HomePath("tree");
        fsys::CreateDirectories(root);
        parent = std::make_unique<CRecordingWnd>();
        parent->resize(320, 420);
    }
    void TearDown() override
    {
        parent.reset();
        CorraTest::TearDown();
    }

    CString Path(const char* rel) const { return fsys::Join(root, rel); }
    void File(const char* rel, const std::string& text = "x") { WriteHomeFile(CString("tree/") + rel, text); }
    void Folder(const char* rel) { fsys::CreateDirectories(Path(rel)); }

    // A tree in the recording window, made and filled as in a dialog.
    CFolderTreeCtrl& MakeTree(DWORD style, BOOL bRooted = TRUE)
    {
        tree = new CFolderTreeCtrl(parent.get());
        tree->SetDlgCtrlID(1595);
        tree->SetStyle(style, FALSE);
        if (bRooted)
            tree->SetRootFolder(root, FALSE);
        tree->resize(300, 400);
        parent->show();
        EXPECT_TRUE(RunEventsUntil([this] { return tree->GetImageList() != nullptr; }));
        return *tree;
    }

    std::vector<CString> Children(HTREEITEM item)
    {
        std::vector<CString> names;
        for (HTREEITEM h = tree->GetChildItem(item); h; h = tree->GetNextSiblingItem(h))
            names.push_back(tree->GetItemText(h));
        return names;
    }

    HTREEITEM Item(const char* rel)
    {
        HTREEITEM h = tree->SelectPath(Path(rel));
        return h;
    }

    CPoint Centre(HTREEITEM h)
    {
        QApplication::processEvents();
        RECT r;
        tree->GetItemRect(h, &r, TRUE);
        return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    CString root;
    std::unique_ptr<CRecordingWnd> parent;
    CFolderTreeCtrl* tree = nullptr;
};

} // namespace

TEST_F(FolderTreeTest, TopLevelFilterListsOnlyThatFolderAndNoRootFiles)
{
    File("QCorras/a.crr");
    File("QCorras/b.txt");
    File("QCorras/.hidden.crr");
    File("QCorras/Sub/c.crr");
    Folder("QCorras/.hiddenfolder");
    Folder("QCorras/Empty");
    File("Exams/x.exm");
    File("top.crr");
    MakeTree(FTS_FILES);
    tree->m_csTopLevelFilter = "QCorras";
    tree->m_csExtFilter = "crr";
    tree->Refresh();
    EXPECT_EQ(Children(nullptr), std::vector<CString>{"QCorras"});
    HTREEITEM top = tree->GetRootItem();
    EXPECT_TRUE(tree->ItemHasChildren(top)) << "an expand button before the children are read";
    EXPECT_EQ(tree->GetChildItem(top), nullptr);
    ASSERT_TRUE(tree->Expand(top, TVE_EXPAND));
    // Hidden files never show; hidden folders do.
    EXPECT_EQ(Children(top), (std::vector<CString>{".hiddenfolder", "Empty", "Sub", "a.crr"}));
    HTREEITEM empty = tree->SelectPath(Path("QCorras/Empty"));
    ASSERT_NE(empty, nullptr);
    EXPECT_FALSE(tree->ItemHasChildren(empty));

    tree->m_csTopLevelFilter.Empty();
    tree->Refresh();
    EXPECT_EQ(Children(nullptr), (std::vector<CString>{"Exams", "QCorras"}));
    tree->m_bTopLevelFiles = TRUE;
    tree->Refresh();
    EXPECT_EQ(Children(nullptr), (std::vector<CString>{"Exams", "QCorras", "top.crr"}));
}

TEST_F(FolderTreeTest, WithoutRootTheTopLevelIsTheFileSystemRoot)
{
    MakeTree(FTS_FILES, FALSE);
    EXPECT_EQ(Children(nullptr), std::vector<CString>{"/"});
    HTREEITEM h = tree->SelectPath(root);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(tree->GetSelectedPath(), root);
    tree->SelectPath("/");
    EXPECT_EQ(tree->GetSelectedFolder(), "/");
    EXPECT_FALSE(tree->CanDelete());
    EXPECT_FALSE(tree->CanRename());
    tree->SetStyle(FTS_FILES | FTS_DELETE);
    EXPECT_FALSE(tree->DeleteSelected());
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Cannot delete /");
}

TEST_F(FolderTreeTest, SelectPathKeepsCaseAndStaysInsideTheRoot)
{
    File("QCorras/Bank.crr");
    File("QCorras/bank.crr");
    File("QCorras/Sub/c.crr");
    fsys::CreateDirectories(HomePath("treeX/QCorras"));
    MakeTree(FTS_FILES);
    tree->m_bTopLevelFiles = TRUE;
    struct Case {
        CString path;
        const char* selected;  // the text of the item selected, NULL for none
    } cases[] = {
        {Path("QCorras/Sub/c.crr"), "c.crr"},
        {Path("QCorras/Bank.crr"), "Bank.crr"},
        {Path("QCorras/bank.crr"), "bank.crr"},
        {Path("QCorras/BANK.crr"), nullptr},  // two names without case: neither
        {Path("qcorras/SUB/C.CRR"), "c.crr"},  // one name without case: that one
        {Path("QCorras/Sub/"), "Sub"},
        {HomePath("treeX/QCorras"), nullptr},  // the root's name is a prefix of it, no more
        {root, nullptr},
        {"/elsewhere/QCorras", nullptr},
        {Path("QCorras/missing.crr"), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.GetString());
        tree->SelectItem(nullptr);
        HTREEITEM h = tree->SelectPath(c.path);
        if (!c.selected) {
            EXPECT_EQ(h, nullptr);
            EXPECT_EQ(tree->GetSelectedItem(), nullptr);
            continue;
        }
        ASSERT_NE(h, nullptr);
        EXPECT_EQ(tree->GetSelectedItem(), h);
        EXPECT_EQ(tree->GetItemText(h), c.selected);
    }
    EXPECT_EQ(tree->GetRootFolder(), root) << "the root keeps its case";
}

TEST_F(FolderTreeTest, SelectedFolderIsTheFolderItselfOrTheFileFolder)
{
    File("QCorras/a.crr");
    File("QCorras/Sub/c.crr");
    MakeTree(FTS_FILES);
    struct Case {
        const char* select;
        CString folder;
        const char* name;
        BOOL isFile;
    } cases[] = {
        {"QCorras", Path("QCorras"), "QCorras", FALSE},
        {"QCorras/Sub", Path("QCorras/Sub"), "Sub", FALSE},
        {"QCorras/a.crr", Path("QCorras"), "a.crr", TRUE},
        {"QCorras/Sub/c.crr", Path("QCorras/Sub"), "c.crr", TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.select);
        ASSERT_NE(tree->SelectPath(Path(c.select)), nullptr);
        EXPECT_EQ(tree->GetSelectedFolder(), c.folder);
        EXPECT_EQ(tree->GetSelectedFileName(), c.name);
        EXPECT_EQ(tree->IsFileSelected(), c.isFile);
        EXPECT_EQ(tree->IsFolderSelected(), !c.isFile);
    }
    tree->SelectPath(Path("QCorras/Sub"));
    HTREEITEM c = tree->SelectFile("C.CRR");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(tree->GetSelectedPath(), Path("QCorras/Sub/c.crr"));
    tree->SelectItem(nullptr);
    EXPECT_EQ(tree->GetSelectedFolder(), "");
    EXPECT_FALSE(tree->IsFileSelected());
    EXPECT_FALSE(tree->IsFolderSelected());
}

TEST_F(FolderTreeTest, PathFilterIsAFolderByWholeNames)
{
    File("QCorras/a.crr");
    File("QCorras/Sub/c.crr");
    File("QCorras/SubX/x.crr");
    MakeTree(FTS_FILES);
    tree->m_csPathFilter = Path("QCorras/Sub");
    tree->Refresh();
    HTREEITEM top = tree->SelectPath(Path("QCorras"), TRUE);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(Children(top), (std::vector<CString>{"Sub", "SubX"}));
    HTREEITEM sub = tree->SelectPath(Path("QCorras/Sub"), TRUE);
    EXPECT_EQ(Children(sub), std::vector<CString>{"c.crr"});
    HTREEITEM subx = tree->SelectPath(Path("QCorras/SubX"), TRUE);
    EXPECT_TRUE(Children(subx).empty());
}

TEST_F(FolderTreeTest, DragMovesCopiesAndRefusesAsTheTableSays)
{
    struct Case {
        const char* name;
        const char* drag;
        const char* target;
        UINT flags;
        BOOL valid;
        UINT cursor;
        std::vector<const char*> present;
        std::vector<const char*> absent;
        BOOL refused;
    } cases[] = {
        {"onto its own subfolder", "A", "A/B", 0, FALSE, IDC_NODROP, {"A/B", "A/a1.crr"}, {"A/B/A"}, FALSE},
        {"onto its own subfolder with Ctrl", "A", "A/B", MK_CONTROL, FALSE, IDC_NODROPCOPY, {"A/B"}, {"A/B/A"}, FALSE},
        {"onto itself", "a.crr", "", 0, FALSE, IDC_NODROP, {"a.crr"}, {}, FALSE},
        {"a move", "a.crr", "Sub", 0, TRUE, 0, {"Sub/a.crr"}, {"a.crr"}, FALSE},
        {"a folder move", "A", "Sub", 0, TRUE, 0, {"Sub/A/B", "Sub/A/a1.crr"}, {"A"}, FALSE},
        {"a Ctrl copy", "a.crr", "Sub", MK_CONTROL, TRUE, IDC_DROPCOPY, {"Sub/a.crr", "a.crr"}, {}, FALSE},
        {"a target holding the name", "dup.crr", "Sub", 0, TRUE, 0, {"Sub/dup.crr", "dup.crr"}, {}, TRUE},
        {"a target holding the name, Ctrl", "dup.crr", "Sub", MK_CONTROL, TRUE, IDC_DROPCOPY, {"Sub/dup.crr", "dup.crr"}, {}, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fsys::DeleteTree(root);
        File("A/a1.crr");
        Folder("A/B");
        File("Sub/dup.crr", "inside");
        File("a.crr");
        File("dup.crr", "outside");
        messageBox.calls.clear();
        parent->messages.clear();
        delete tree;
        MakeTree(FTS_FILES | FTS_DRAGDROP);
        tree->m_bTopLevelFiles = TRUE;
        tree->Refresh();
        tree->SelectPath(Path("A/B"));
        tree->SelectPath(Path("Sub"), TRUE);
        HTREEITEM drag = tree->SelectPath(Path(c.drag));
        ASSERT_NE(drag, nullptr);
        HTREEITEM target = *c.target ? tree->SelectPath(Path(c.target)) : nullptr;
        ASSERT_TRUE(tree->BeginDrag(drag));
        // The dragged item's own folder is the root here: aim at an empty spot of no folder.
        CPoint at = target ? Centre(target) : Centre(drag);
        tree->DragMove(c.flags, at);
        EXPECT_EQ(tree->IsValidDropTarget(tree->GetDropHilightItem()), c.valid);
        EXPECT_EQ(tree->GetDragCursorId(), c.cursor);
        tree->DragDrop(c.flags, at);
        EXPECT_FALSE(tree->IsDragging());
        EXPECT_EQ(tree->GetDropHilightItem(), nullptr);
        for (const char* p : c.present)
            EXPECT_TRUE(fsys::PathTaken(Path(p))) << p;
        for (const char* p : c.absent)
            EXPECT_FALSE(fsys::PathTaken(Path(p))) << p;
        std::string text;
        ASSERT_TRUE(fsys::ReadFile(Path("Sub/dup.crr"), text));
        EXPECT_EQ(text, "inside");
        EXPECT_EQ(messageBox.calls.size(), c.refused ? 1u : 0u);
        if (c.valid && !c.refused) {
            EXPECT_EQ(tree->GetSelectedPath(), Path(c.target));
            HTREEITEM t = tree->GetSelectedItem();
            EXPECT_NE(tree->SelectFile(fsys::FileName(c.drag), FALSE), nullptr);
            EXPECT_TRUE(tree->GetItemState(t, TVIS_EXPANDED));
            EXPECT_TRUE(RunEventsUntil([this] { return parent->Count(WM_FOLDERTREE_CHANGED) == 1; }));
        }
    }
}

TEST_F(FolderTreeTest, HoveringThreeTicksOverACollapsedFolderExpandsIt)
{
    for (const char* f : {"F1/in", "F2/in", "F3/in", "F4/in", "F5/in", "F6/in"})
        Folder(f);
    MakeTree(FTS_FILES | FTS_DRAGDROP);
    HTREEITEM f1 = tree->SelectPath(Path("F1"));
    HTREEITEM f4 = tree->SelectPath(Path("F4"));
    ASSERT_TRUE(tree->BeginDrag(f1));
    tree->DragMove(0, Centre(f4));
    ASSERT_EQ(tree->GetDropHilightItem(), f4);
    tree->OnDragTimer();
    tree->OnDragTimer();
    EXPECT_FALSE(tree->GetItemState(f4, TVIS_EXPANDED));
    tree->OnDragTimer();
    EXPECT_TRUE(tree->GetItemState(f4, TVIS_EXPANDED));
    EXPECT_EQ(Children(f4), std::vector<CString>{"in"});
    tree->CancelDrag();
    EXPECT_FALSE(tree->IsDragging());
}

TEST_F(FolderTreeTest, DeleteGoesToTheTrashAndTopLevelItemsStay)
{
    File("QCorras/a.crr", "bank");
    CString data = HomePath("xdg-data");
    fsys::CreateDirectories(data);
    const char* old = std::getenv("XDG_DATA_HOME");
    std::string saved = old ? old : "";
    ::setenv("XDG_DATA_HOME", data.GetString(), 1);
    MakeTree(FTS_FILES | FTS_DELETE);
    ASSERT_NE(tree->SelectPath(Path("QCorras/a.crr")), nullptr);
    EXPECT_TRUE(tree->DeleteSelected());
    EXPECT_FALSE(fsys::PathTaken(Path("QCorras/a.crr")));
    EXPECT_TRUE(fsys::IsFile(fsys::Join(data, "Trash/files/a.crr")));
    EXPECT_TRUE(RunEventsUntil([this] { return parent->Count(WM_FOLDERTREE_CHANGED) == 1; }));
    HTREEITEM top = tree->SelectPath(Path("QCorras"));
    EXPECT_FALSE(tree->ItemHasChildren(top));
    EXPECT_FALSE(tree->DeleteSelected());
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(messageBox.calls[0].text, "Cannot delete QCorras");
    EXPECT_TRUE(fsys::IsDirectory(Path("QCorras")));
    if (old)
        ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}

TEST_F(FolderTreeTest, RenameAndCreateRefuseNamesAFileCannotTake)
{
    File("QCorras/a.crr");
    File("QCorras/b.crr");
    MakeTree(FTS_FILES | FTS_RENAME | FTS_CREATE);
    const char* refused[] = {"", ".", "..", "x/y", "b.crr"};
    for (const char* name : refused) {
        SCOPED_TRACE(name);
        HTREEITEM a = tree->SelectPath(Path("QCorras/a.crr"));
        ASSERT_NE(a, nullptr);
        QLineEdit* edit = tree->EditLabel(a);
        ASSERT_NE(edit, nullptr);
        edit->setText(ToQString(name));
        tree->EndEditLabelNow(FALSE);
        EXPECT_EQ(tree->GetItemText(a), "a.crr");
        EXPECT_TRUE(fsys::IsFile(Path("QCorras/a.crr")));
        EXPECT_TRUE(fsys::IsFile(Path("QCorras/b.crr")));
    }
    HTREEITEM a = tree->SelectPath(Path("QCorras/a.crr"));
    tree->EditLabel(a)->setText(QStringLiteral("Renamed.crr"));
    tree->EndEditLabelNow(FALSE);
    EXPECT_EQ(tree->GetItemText(a), "Renamed.crr");
    EXPECT_TRUE(fsys::IsFile(Path("QCorras/Renamed.crr")));
    EXPECT_FALSE(fsys::PathTaken(Path("QCorras/a.crr")));
    // A cancelled edit renames nothing.
    tree->EditLabel(a)->setText(QStringLiteral("Other.crr"));
    tree->EndEditLabelNow(TRUE);
    EXPECT_EQ(tree->GetItemText(a), "Renamed.crr");

    for (const char* name : {".", "..", "x/y", "b.crr", "Unit 4"}) {
        SCOPED_TRACE(name);
        messageBox.calls.clear();
        CModalScript script;
        script.On<CPromptDlg>([name](CPromptDlg& dlg) {
            EXPECT_EQ(dlg.m_csMessage, "Enter new folder name");
            // Typed, as the user would.
            QLineEdit* edit = dlg.GetDlgItemAs<QLineEdit>(IDC_PROMPT_EDIT);
            edit->selectAll();
            edit->insert(ToQString(name));
            ClickDlgButton(dlg, IDOK);
        });
        // The selected file's folder takes the new folder.
        tree->SelectPath(Path("QCorras/b.crr"));
        BOOL made = tree->CreateFolder();
        EXPECT_EQ(script.Answered(), 1);
        if (CString(name) == "Unit 4") {
            EXPECT_TRUE(made);
            EXPECT_TRUE(fsys::IsDirectory(Path("QCorras/Unit 4")));
            EXPECT_EQ(tree->GetSelectedPath(), Path("QCorras/Unit 4"));
            EXPECT_TRUE(RunEventsUntil([this] { return parent->Count(WM_FOLDERTREE_CHANGED) == 1; }));
        } else {
            EXPECT_FALSE(made);
            EXPECT_EQ(messageBox.calls.size(), 1u);
            EXPECT_TRUE(fsys::IsFile(Path("QCorras/b.crr")));
        }
    }
}

TEST_F(FolderTreeTest, KeysAndCommandsReachTheOperations)
{
    File("QCorras/a.crr");
    MakeTree(FTS_FILES | FTS_RENAME | FTS_OPEN);
    tree->SelectPath(Path("QCorras/a.crr"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(tree, &enter);
    ASSERT_EQ(opener.calls.size(), 1u);
    EXPECT_EQ(opener.calls[0].kind, "file");
    EXPECT_EQ(opener.calls[0].target, Path("QCorras/a.crr"));
    CTestCmdUI ui;
    ui.m_nID = ID_FOLDER_DELETE;
    ui.DoUpdate(tree, TRUE);
    EXPECT_FALSE(ui.m_bEnabled) << "delete is off";
    std::unique_ptr<QMenu> menu(tree->BuildContextMenu());
    EXPECT_EQ(menu->objectName(), "menu325");
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(tree, &backspace);
    EXPECT_EQ(tree->GetSelectedPath(), Path("QCorras"));
    QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(tree, &f2);
    EXPECT_TRUE(tree->IsEditingLabel()) << "F2 renames";
    tree->EndEditLabelNow(TRUE);
    File("QCorras/new.crr");
    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(tree, &f5);
    EXPECT_EQ(Children(tree->GetSelectedItem()), (std::vector<CString>{"a.crr", "new.crr"}));
}

TEST_F(FolderTreeTest, AFolderOfFiftyThousandEntriesFillsWithoutHanging)
{
    Folder("Big");
    const std::string big = fsys::Native(Path("Big"));
    for (int i = 0; i < 50000; ++i) {
        std::string name = big + "/f" + std::to_string(i) + (i % 10000 == 0 ? ".crr" : ".dat");
        std::FILE* f = std::fopen(name.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    MakeTree(FTS_FILES);
    tree->m_csExtFilter = "crr";
    tree->Refresh();
    HTREEITEM h = tree->SelectPath(Path("Big"), TRUE);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(Children(h).size(), 5u);
    tree->m_csExtFilter.Empty();
    tree->Refresh();
    h = tree->SelectPath(Path("Big"), TRUE);
    EXPECT_EQ(Children(h).size(), 50000u);
    // The file list reads the same folder once for all its extensions.
    CHVListCtrl list;
    list.SetDocType(DT_CORRA);
    EXPECT_TRUE(list.AddFromDirectory(Path("Big"), "crr;exm"));
    EXPECT_EQ(list.GetItemCount(), 5);
}

namespace {
void SendMouse(QWidget* w, QEvent::Type type, CPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QPointF p(at.x, at.y);
    QMouseEvent e(type, p, w->mapToGlobal(p), button, buttons, mods);
    QApplication::sendEvent(w, &e);
}
} // namespace

TEST_F(FolderTreeTest, PressOnAFolderSelectsAndOpensItThenTogglesIt)
{
    File("QCorras/Sub/c.crr");
    MakeTree(FTS_FILES | FTS_OPEN);
    HTREEITEM top = tree->GetRootItem();
    HTREEITEM target = tree->SelectPath(Path("QCorras/Sub"));
    tree->SelectItem(top);
    tree->Expand(top, TVE_EXPAND);
    parent->messages.clear();
    CPoint at = Centre(target);
    SendMouse(tree->viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(tree->viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(parent->Count(WM_HV_LBUTTONDOWN), 1);
    EXPECT_EQ(tree->GetSelectedItem(), target);
    EXPECT_TRUE(tree->GetItemState(target, TVIS_EXPANDED));
    SendMouse(tree->viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(tree->viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(tree->GetItemState(target, TVIS_EXPANDED));
    // A double click on a selected file opens it.
    tree->Expand(target, TVE_EXPAND);
    HTREEITEM file = tree->SelectPath(Path("QCorras/Sub/c.crr"));
    SendMouse(tree->viewport(), QEvent::MouseButtonDblClick, Centre(file), Qt::LeftButton, Qt::LeftButton);
    ASSERT_EQ(opener.calls.size(), 1u);
    EXPECT_EQ(opener.calls[0].target, Path("QCorras/Sub/c.crr"));
}

TEST_F(FolderTreeTest, MouseDragWithCtrlCopiesIntoTheFolderUnderTheCursor)
{
    File("a.crr", "bank");
    Folder("Sub");
    MakeTree(FTS_FILES | FTS_DRAGDROP);
    tree->m_bTopLevelFiles = TRUE;
    tree->Refresh();
    HTREEITEM file = tree->SelectPath(Path("a.crr"));
    HTREEITEM sub = tree->SelectPath(Path("Sub"));
    CPoint from = Centre(file);
    CPoint to = Centre(sub);
    QWidget* vp = tree->viewport();
    SendMouse(vp, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    SendMouse(vp, QEvent::MouseMove, CPoint(from.x + 4, from.y + 8), Qt::NoButton, Qt::LeftButton);
    ASSERT_TRUE(tree->IsDragging());
    EXPECT_EQ(tree->GetDragItem(), file);
    SendMouse(vp, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(tree->GetDropHilightItem(), sub);
    EXPECT_EQ(tree->GetDragCursorId(), IDC_DROPCOPY);
    SendMouse(vp, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
    EXPECT_FALSE(tree->IsDragging());
    EXPECT_TRUE(fsys::IsFile(Path("Sub/a.crr")));
    EXPECT_TRUE(fsys::IsFile(Path("a.crr")));
}

TEST_F(FolderTreeTest, PropertiesDescribeTheProgramsOwnKinds)
{
    File("QCorras/a.crr", "12345");
    MakeTree(FTS_FILES | FTS_PROPERTIES);
    tree->SelectPath(Path("QCorras/a.crr"));
    CModalScript script;
    script.On<CFilePropertiesDlg>([](CFilePropertiesDlg& dlg) {
        EXPECT_EQ(dlg.m_csName, "a.crr");
        EXPECT_EQ(dlg.m_csKind, "Question Corra File");
        EXPECT_EQ(dlg.m_csSize, "5 bytes");
        dlg.EndDialog(IDOK);
    });
    QKeyEvent altEnter(QEvent::KeyPress, Qt::Key_Return, Qt::AltModifier);
    QApplication::sendEvent(tree, &altEnter);
    EXPECT_EQ(script.Answered(), 1);
}

TEST_F(FolderTreeTest, DragNearTheEdgesScrollsALineAndAimsAtTheEdgeItem)
{
    for (int i = 0; i < 40; ++i)
        Folder(CString::Formatted("F%02d", i));
    MakeTree(FTS_FILES | FTS_DRAGDROP);
    HTREEITEM first = tree->GetRootItem();
    ASSERT_TRUE(tree->BeginDrag(first));
    const int bottom = tree->viewport()->height() - 3;
    tree->DragMove(0, CPoint(40, bottom));
    tree->OnDragTimer();
    HTREEITEM top = tree->GetFirstVisibleItem();
    EXPECT_EQ(tree->GetItemText(top), "F01") << "one line down";
    HTREEITEM last = top;
    for (UINT i = 1; i < tree->GetVisibleCount(); ++i)
        last = tree->GetNextVisibleItem(last);
    EXPECT_EQ(tree->GetDropHilightItem(), last);
    tree->DragMove(0, CPoint(40, 3));
    tree->OnDragTimer();
    EXPECT_EQ(tree->GetItemText(tree->GetFirstVisibleItem()), "F00") << "one line up";
    EXPECT_EQ(tree->GetDropHilightItem(), tree->GetFirstVisibleItem());
    tree->CancelDrag();
}
