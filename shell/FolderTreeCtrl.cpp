#include "shell/FolderTreeCtrl.h"

#include "controls/PromptDlg.h"
#include "foundation/FileTypes.h"
#include "foundation/FileUtil.h"
#include "foundation/Log.h"
#include "platform/core/FileSys.h"
#include "platform/core/Services.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Keys.h"
#include "platform/ui/QtString.h"
#include "platform/ui/ShellOps.h"
#include "res/ids/Shell.h"
#include "shell/ShellUtil.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>

#include <QSignalBlocker>

#include <algorithm>
#include <cstring>
#include <dirent.h>

namespace {

// Item data bits.
constexpr DWORD_PTR kFolder = 0x1;
constexpr DWORD_PTR kFilled = 0x2;

constexpr UINT_PTR kDragTimer = 1;
constexpr UINT kDragTick = 100;
constexpr int kHoverTicks = 3;
constexpr int kScrollBand = 10;

// Whether a folder holds anything at all (so its item shows an expand button).
BOOL HasEntries(const CString& folder)
{
    DIR* d = ::opendir(fsys::Native(folder).c_str());
    if (!d)
        return FALSE;
    BOOL any = FALSE;
    while (dirent* e = ::readdir(d)) {
        if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) {
            any = TRUE;
            break;
        }
    }
    ::closedir(d);
    return any;
}

// A path with its separators normalised and without a trailing one (the root stays "/").
CString CleanPath(LPCSTR path)
{
    CString p = fsys::NormalizeSeparators(path);
    p.TrimRight();
    while (p.GetLength() > 1 && p[p.GetLength() - 1] == '/')
        p = p.Left(p.GetLength() - 1);
    return p;
}

// Whether path is folder or lies inside it, by whole components.
BOOL IsAtOrUnder(const CString& path, const CString& folder)
{
    if (folder == "/")
        return path.Left(1) == "/";
    return path == folder || (path.GetLength() > folder.GetLength() && path.Left(folder.GetLength()) == folder &&
                              path[folder.GetLength()] == '/');
}

BOOL ByNameNoCase(const fsys::CDirEntry* a, const fsys::CDirEntry* b)
{
    int c = a->name.CompareNoCase(b->name);
    return c != 0 ? c < 0 : a->name < b->name;
}

} // namespace

CFolderTreeCtrl::CFolderTreeCtrl(QWidget* parent) : CTreeCtrl(parent)
{
    BindCommand(ID_FILE_OPEN, [this] { OpenSelected(); });
    BindCommand(ID_FOLDER_PROPERTIES, [this] { ShowSelectedProperties(); });
    BindCommand(ID_FOLDER_RENAME, [this] { RenameSelected(); });
    BindCommand(ID_FOLDER_DELETE, [this] { DeleteSelected(); });
    BindCommand(ID_FOLDER_CREATE, [this] { CreateFolder(); });
    BindCommand(ID_FOLDER_REFRESH, [this] { Refresh(); });
    BindUpdate(ID_FILE_OPEN, [this](CCmdUI* ui) { ui->Enable(CanOpen()); });
    BindUpdate(ID_FOLDER_PROPERTIES, [this](CCmdUI* ui) { ui->Enable(CanProperties()); });
    BindUpdate(ID_FOLDER_RENAME, [this](CCmdUI* ui) { ui->Enable(CanRename()); });
    BindUpdate(ID_FOLDER_DELETE, [this](CCmdUI* ui) { ui->Enable(CanDelete()); });
    BindUpdate(ID_FOLDER_CREATE, [this](CCmdUI* ui) { ui->Enable(CanCreate()); });
    BindUpdate(ID_FOLDER_REFRESH, [](CCmdUI* ui) { ui->Enable(TRUE); });
    setContextMenuPolicy(Qt::DefaultContextMenu);
    // The icons come, and the tree fills, once the control stands in its window.
    PostMessage(WM_FOLDERTREE_INIT);
    m_bCanRefresh = TRUE;
}

CFolderTreeCtrl::~CFolderTreeCtrl()
{
    if (IsDragging())
        releaseMouse();
    KillTimer(kDragTimer);
    if (m_bImagesAttached) {
        SetImageList(nullptr);
        DetachShellImageList();
    }
}

LRESULT CFolderTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_FOLDERTREE_INIT) {
        // Once only: an owner that sent it early has filled and opened the tree by the time the
        // posted one comes, and a refresh would close what it opened.
        if (!m_bImagesAttached) {
            m_bImagesAttached = TRUE;
            SetImageList(AttachShellImageList());
            Refresh();
        }
        return 0;
    }
    return CTreeCtrl::WindowProc(message, wParam, lParam);
}

void CFolderTreeCtrl::SetStyle(DWORD dwFlags, BOOL bRedraw)
{
    BOOL files = (dwFlags & FTS_FILES) != 0;
    BOOL changed = files != m_bFiles;
    m_bFiles = files;
    m_bDragDrop = (dwFlags & FTS_DRAGDROP) != 0;
    m_bRename = (dwFlags & FTS_RENAME) != 0;
    m_bOpen = (dwFlags & FTS_OPEN) != 0;
    m_bProperties = (dwFlags & FTS_PROPERTIES) != 0;
    m_bDelete = (dwFlags & FTS_DELETE) != 0;
    m_bCreate = (dwFlags & FTS_CREATE) != 0;
    if (changed && bRedraw && GetSafeHwnd())
        Refresh();
}

DWORD CFolderTreeCtrl::GetStyle() const
{
    return (m_bFiles ? FTS_FILES : 0) | (m_bDragDrop ? FTS_DRAGDROP : 0) | (m_bRename ? FTS_RENAME : 0) |
           (m_bOpen ? FTS_OPEN : 0) | (m_bProperties ? FTS_PROPERTIES : 0) | (m_bDelete ? FTS_DELETE : 0) |
           (m_bCreate ? FTS_CREATE : 0);
}

void CFolderTreeCtrl::SetRootFolder(LPCSTR path, BOOL bRedraw)
{
    CString root = fsys::NormalizeSeparators(path);
    root.TrimRight();
    if (root.GetLength() > 1 && root[root.GetLength() - 1] == '/')
        root = root.Left(root.GetLength() - 1);
    // A root of "/" is the tree without a root.
    m_csRoot = root == "/" ? CString() : root;
    if (bRedraw)
        Refresh();
}

// --- paths ------------------------------------------------------------------------------------

CString CFolderTreeCtrl::GetItemPath(HTREEITEM hItem) const
{
    if (!hItem)
        return CString();
    std::vector<CString> parts;
    for (HTREEITEM h = hItem; h; h = GetParentItem(h))
        parts.push_back(GetItemText(h));
    CString path = m_csRoot;
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
        if (path.IsEmpty() && *it == "/")
            path = "/";
        else
            path = fsys::Join(path.IsEmpty() ? CString("/") : path, *it);
    }
    return path;
}

BOOL CFolderTreeCtrl::IsFolderItem(HTREEITEM hItem) const
{
    return hItem && (GetItemData(hItem) & kFolder) != 0;
}

BOOL CFolderTreeCtrl::IsTopLevelRoot(HTREEITEM hItem) const
{
    return hItem && m_csRoot.IsEmpty() && !GetParentItem(hItem);
}

CString CFolderTreeCtrl::GetSelectedFolder() const
{
    HTREEITEM h = GetSelectedItem();
    if (!h)
        return CString();
    CString path = GetItemPath(h);
    if (fsys::IsDirectory(path))
        return path;
    CString folder = fsys::Folder(path);
    return folder.IsEmpty() ? CString("/") : folder;
}

CString CFolderTreeCtrl::GetSelectedFileName() const
{
    HTREEITEM h = GetSelectedItem();
    return h ? fsys::FileName(GetItemPath(h)) : CString();
}

BOOL CFolderTreeCtrl::IsFileSelected() const
{
    HTREEITEM h = GetSelectedItem();
    return h && fsys::PathTaken(GetItemPath(h)) && !fsys::IsDirectory(GetItemPath(h));
}

BOOL CFolderTreeCtrl::IsFolderSelected() const
{
    HTREEITEM h = GetSelectedItem();
    return h && fsys::IsDirectory(GetItemPath(h));
}

HTREEITEM CFolderTreeCtrl::FindChild(HTREEITEM hParent, const CString& name) const
{
    HTREEITEM found = nullptr;
    int nNoCase = 0;
    for (HTREEITEM h = GetChildItem(hParent); h; h = GetNextSiblingItem(h)) {
        CString text = GetItemText(h);
        if (text == name)
            return h;
        if (text.CompareNoCase(name) == 0) {
            found = h;
            ++nNoCase;
        }
    }
    // Without case only when it names one item: two names differing in case are two files.
    return nNoCase == 1 ? found : nullptr;
}

// --- filling ----------------------------------------------------------------------------------

BOOL CFolderTreeCtrl::FileWanted(const CString& name, const CString& fullPath, BOOL bTopLevel) const
{
    if (!m_bFiles || (bTopLevel && !m_bTopLevelFiles))
        return FALSE;
    if (!m_csFileNameFilter.IsEmpty() && name.CompareNoCase(m_csFileNameFilter) != 0)
        return FALSE;
    if (!m_csExtFilter.IsEmpty() && !ExtensionListHas(SplitExtensionList(m_csExtFilter), name))
        return FALSE;
    if (!m_csPathFilter.IsEmpty() && !IsAtOrUnder(fullPath, CleanPath(m_csPathFilter)))
        return FALSE;
    return TRUE;
}

void CFolderTreeCtrl::FillChildren(HTREEITEM hParent)
{
    const BOOL bTopLevel = hParent == nullptr;
    if (bTopLevel && m_csRoot.IsEmpty()) {
        // No drives here: the file system has one root.
        CTreeCtrl::CNewItem root;
        root.text = "/";
        root.nImage = m_bImagesAttached ? ShellFolderIcon(FALSE) : -1;
        root.nSelectedImage = m_bImagesAttached ? ShellFolderIcon(TRUE) : -1;
        root.data = kFolder;
        root.bChildren = TRUE;
        AppendItems(nullptr, {root});
        return;
    }
    CString folder = bTopLevel ? m_csRoot : GetItemPath(hParent);
    // The top level here is the root's contents; without a root it is "/" alone, and the files in
    // "/" are below it, as the files of a drive were.
    const BOOL bFilesAtTop = bTopLevel;
    std::vector<fsys::CDirEntry> entries = fsys::ListDirectory(folder);
    std::vector<const fsys::CDirEntry*> folders;
    std::vector<const fsys::CDirEntry*> files;
    // The top-level filter names one folder: exactly, else without case when only one fits.
    const fsys::CDirEntry* topNoCase = nullptr;
    int nTopNoCase = 0;
    BOOL topExact = FALSE;
    for (const fsys::CDirEntry& e : entries) {
        if (!e.exactName) {
            LogShellFailure("CFolderTreeCtrl::FillChildren() - skipped a name that cannot be shown...", e.path);
            continue;
        }
        BOOL isFolder = e.isDirectory || (e.isLink && fsys::IsDirectory(e.path));
        if (isFolder) {
            if (bTopLevel && !m_csTopLevelFilter.IsEmpty()) {
                if (e.name == m_csTopLevelFilter) {
                    topExact = TRUE;
                    folders.assign(1, &e);
                } else if (!topExact && e.name.CompareNoCase(m_csTopLevelFilter) == 0) {
                    topNoCase = &e;
                    ++nTopNoCase;
                }
                continue;
            }
            folders.push_back(&e);
        } else if (!e.isHidden && FileWanted(e.name, e.path, bFilesAtTop)) {
            files.push_back(&e);
        }
    }
    if (bTopLevel && !m_csTopLevelFilter.IsEmpty() && !topExact && nTopNoCase == 1)
        folders.assign(1, topNoCase);
    std::sort(folders.begin(), folders.end(), ByNameNoCase);
    std::sort(files.begin(), files.end(), ByNameNoCase);
    std::vector<CTreeCtrl::CNewItem> items;
    items.reserve(folders.size() + files.size());
    for (const fsys::CDirEntry* e : folders) {
        CTreeCtrl::CNewItem n;
        n.text = e->name;
        n.nImage = m_bImagesAttached ? ShellFolderIcon(FALSE) : -1;
        n.nSelectedImage = m_bImagesAttached ? ShellFolderIcon(TRUE) : -1;
        n.data = kFolder;
        n.bChildren = HasEntries(e->path);
        items.push_back(n);
    }
    for (const fsys::CDirEntry* e : files) {
        CTreeCtrl::CNewItem n;
        n.text = e->name;
        n.nImage = n.nSelectedImage = m_bImagesAttached ? ShellFileIcon(e->name) : -1;
        items.push_back(n);
    }
    AppendItems(hParent, items);
}

BOOL CFolderTreeCtrl::OnItemExpanding(NMTREEVIEW* pNMTV)
{
    HTREEITEM h = pNMTV->itemNew;
    if (pNMTV->action != TVE_EXPAND || !h)
        return FALSE;
    DWORD_PTR data = GetItemData(h);
    if (!(data & kFilled)) {
        SetItemData(h, data | kFilled);
        FillChildren(h);
        if (!GetChildItem(h))
            SetItemChildren(h, FALSE);
    }
    return FALSE;
}

void CFolderTreeCtrl::Refresh()
{
    if (!m_bCanRefresh)
        return;
    if (IsDragging())
        CancelDrag();
    SetRedraw(FALSE);
    HTREEITEM sel = GetSelectedItem();
    CString selPath = GetItemPath(sel);
    BOOL wasExpanded = sel && GetItemState(sel, TVIS_EXPANDED);
    {
        QSignalBlocker quiet(this);
        DeleteAllItems();
    }
    m_hHoverItem = nullptr;
    FillChildren(nullptr);
    if (!selPath.IsEmpty())
        SelectPath(selPath, wasExpanded);
    SetRedraw(TRUE);
}

HTREEITEM CFolderTreeCtrl::SelectPath(LPCSTR path, BOOL bExpand)
{
    CString p = CleanPath(path);
    if (p.IsEmpty())
        return nullptr;
    std::vector<CString> parts;
    if (!m_csRoot.IsEmpty()) {
        if (!IsAtOrUnder(p, m_csRoot) || p == m_csRoot)
            return nullptr;
        p = p.Mid(m_csRoot.GetLength() + (m_csRoot == "/" ? 0 : 1));
    } else {
        if (p.Left(1) != "/")
            return nullptr;
        parts.push_back("/");
        p = p.Mid(1);
    }
    for (int start = 0; start < p.GetLength();) {
        int slash = p.Find('/', start);
        CString part = p.Mid(start, (slash < 0 ? p.GetLength() : slash) - start);
        if (!part.IsEmpty())
            parts.push_back(part);
        if (slash < 0)
            break;
        start = slash + 1;
    }
    SetRedraw(FALSE);
    HTREEITEM h = nullptr;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (h)
            Expand(h, TVE_EXPAND);
        HTREEITEM child = FindChild(h, parts[i]);
        if (!child) {
            h = nullptr;
            break;
        }
        h = child;
    }
    if (h) {
        SelectItem(h);
        if (bExpand)
            Expand(h, TVE_EXPAND);
    }
    SetRedraw(TRUE);
    return h;
}

HTREEITEM CFolderTreeCtrl::SelectFile(LPCSTR name, BOOL bSelect)
{
    HTREEITEM h = GetSelectedItem();
    if (!h)
        return nullptr;
    if (!IsFolderItem(h))
        h = GetParentItem(h);
    if (h)
        Expand(h, TVE_EXPAND);
    HTREEITEM child = FindChild(h, name);
    if (!child)
        return nullptr;
    EnsureVisible(child);
    if (bSelect)
        SelectItem(child);
    return child;
}

// --- operations -------------------------------------------------------------------------------

BOOL CFolderTreeCtrl::CanOpen() const
{
    return m_bOpen && GetSelectedItem();
}

BOOL CFolderTreeCtrl::CanProperties() const
{
    return m_bProperties && GetSelectedItem();
}

BOOL CFolderTreeCtrl::CanRename() const
{
    HTREEITEM h = GetSelectedItem();
    return m_bRename && h && !IsTopLevelRoot(h);
}

BOOL CFolderTreeCtrl::CanDelete() const
{
    HTREEITEM h = GetSelectedItem();
    return m_bDelete && h && !IsTopLevelRoot(h);
}

BOOL CFolderTreeCtrl::CanCreate() const
{
    return m_bCreate;
}

BOOL CFolderTreeCtrl::OpenSelected()
{
    if (!CanOpen())
        return FALSE;
    CString path = GetSelectedPath();
    return fsys::IsDirectory(path) ? DesktopOpener().OpenFolder(path) : DesktopOpener().OpenFile(path);
}

BOOL CFolderTreeCtrl::ShowSelectedProperties()
{
    if (!CanProperties())
        return FALSE;
    CString path = GetSelectedPath();
    // The program's own kinds are described as the file list describes them.
    CString kind;
    if (!fsys::IsDirectory(path)) {
        CString known = "crr;exm;hlp;" + CFileTypes::Type2Ext(DT_SRC, FALSE) + ";" + CFileTypes::Type2Ext(DT_IMAGE, TRUE);
        if (ExtensionListHas(SplitExtensionList(known), fsys::FileName(path)))
            kind = CFileTypes::Ext2TypeDescr(fsys::FileName(path), FALSE);
    }
    return ShowFileProperties(path, this, kind);
}

BOOL CFolderTreeCtrl::RenameSelected()
{
    if (!CanRename())
        return FALSE;
    return EditLabel(GetSelectedItem()) != nullptr;
}

BOOL CFolderTreeCtrl::OnBeginLabelEdit(NMTREEVIEW* pNMTV)
{
    return !m_bRename || IsTopLevelRoot(pNMTV->itemNew);
}

BOOL CFolderTreeCtrl::CheckNewName(const CString& name, const CString& folder) const
{
    CString why;
    if (name.IsEmpty() || name == "." || name == "..")
        why = "A name is needed.";
    else if (name.Find('/') >= 0)
        why = "A name cannot contain \"/\".";
    else if (fsys::PathTaken(fsys::Join(folder, name)))
        why = "\"" + name + "\" already exists in\n\n" + folder;
    if (why.IsEmpty())
        return TRUE;
    AfxMessageBox(why, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

BOOL CFolderTreeCtrl::OnEndLabelEdit(NMTREEVIEW* pNMTV)
{
    HTREEITEM h = pNMTV->itemNew;
    if (pNMTV->bCancelled || !h)
        return FALSE;
    CString newName = pNMTV->text;
    CString oldPath = GetItemPath(h);
    if (newName == GetItemText(h))
        return FALSE;
    HTREEITEM parent = GetParentItem(h);
    CString folder = parent ? GetItemPath(parent) : m_csRoot;
    if (!CheckNewName(newName, folder))
        return FALSE;
    CString newPath = fsys::Join(folder, newName);
    if (!fsys::MoveTree(oldPath, newPath)) {
        AfxMessageBox("Could not rename\n\n" + oldPath + "\n\nto\n\n" + newName, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (m_bImagesAttached && !IsFolderItem(h)) {
        int icon = ShellFileIcon(newName);
        SetItemImage(h, icon, icon);
    }
    return TRUE;
}

BOOL CFolderTreeCtrl::DeleteSelected()
{
    HTREEITEM h = GetSelectedItem();
    if (!h)
        return FALSE;
    if (!GetParentItem(h)) {
        AfxMessageBox("Cannot delete " + GetItemText(h));
        return FALSE;
    }
    if (!CanDelete())
        return FALSE;
    CString path = GetItemPath(h);
    BOOL done = FALSE;
    if (GetKeyState(VK_SHIFT) < 0) {
        // Shift deletes for good, which nobody can undo: ask first.
        if (AfxMessageBox("Delete\n\n" + path + "\n\npermanently? It cannot be brought back.",
                          MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
            return FALSE;
        done = fsys::DeleteTree(path);
    } else {
        done = MoveToTrash(path);
    }
    if (!done) {
        LogShellFailure("CFolderTreeCtrl::DeleteSelected() - failed to delete...", path);
        AfxMessageBox("Could not delete\n\n" + path, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    HTREEITEM parent = GetParentItem(h);
    DeleteItem(h);
    if (parent && !GetChildItem(parent))
        SetItemChildren(parent, FALSE);
    NotifyChanged();
    return TRUE;
}

BOOL CFolderTreeCtrl::CreateFolder()
{
    if (!CanCreate())
        return FALSE;
    HTREEITEM h = GetSelectedItem();
    if (h && !IsFolderItem(h)) {
        h = GetParentItem(h);
        SelectItem(h);
    }
    CString folder = h ? GetItemPath(h) : m_csRoot;
    if (folder.IsEmpty())
        return FALSE;
    CPromptDlg dlg(this);
    dlg.m_csMessage = "Enter new folder name";
    dlg.m_csTitle = "Create New Folder";
    if (dlg.DoModal() != IDOK)
        return FALSE;
    CString name = dlg.m_csText;
    if (!CheckNewName(name, folder))
        return FALSE;
    CString path = fsys::Join(folder, name);
    if (!fsys::CreateDirectory(path)) {
        LogShellFailure("CFolderTreeCtrl::CreateFolder() - failed to create directory...", path);
        AfxMessageBox("Failed to create directory \n\n" + path, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    Refresh();
    if (HTREEITEM made = SelectPath(path))
        EnsureVisible(made);
    NotifyChanged();
    return TRUE;
}

void CFolderTreeCtrl::NotifyChanged()
{
    if (CWnd* pParent = GetParent())
        pParent->PostMessage(WM_FOLDERTREE_CHANGED, static_cast<WPARAM>(GetDlgCtrlID()), 0);
}

QMenu* CFolderTreeCtrl::BuildContextMenu()
{
    auto* menu = new QMenu(this);
    menu->setObjectName(m_bOpen ? "menu325" : "menu322");
    if (m_bOpen)
        menu->addAction(CreateCommandAction(this, ID_FILE_OPEN, "&Open"));
    if (m_bProperties)
        menu->addAction(CreateCommandAction(this, ID_FOLDER_PROPERTIES, "&Properties"));
    if (m_bOpen || m_bProperties)
        menu->addSeparator();
    menu->addAction(CreateCommandAction(this, ID_FOLDER_RENAME, "&Rename"));
    menu->addAction(CreateCommandAction(this, ID_FOLDER_DELETE, "&Delete"));
    menu->addAction(CreateCommandAction(this, ID_FOLDER_CREATE, "&Create"));
    menu->addSeparator();
    menu->addAction(CreateCommandAction(this, ID_FOLDER_REFRESH, "Re&fresh\tF5"));
    UpdateCommandActions(menu, this, TRUE);
    UpdateMenuOnShow(menu, this);
    return menu;
}

void CFolderTreeCtrl::OnContextMenu(CPoint screenPoint, BOOL bKeyboard)
{
    HTREEITEM previous = GetSelectedItem();
    const CString previousPath = GetItemPath(previous);
    QPoint at(screenPoint.x, screenPoint.y);
    if (bKeyboard) {
        RECT r;
        if (!previous || !GetItemRect(previous, &r, TRUE))
            return;
        at = viewport()->mapToGlobal(QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    } else {
        QPoint local = viewport()->mapFromGlobal(at);
        HTREEITEM h = HitTest(CPoint(local.x(), local.y()));
        if (!h)
            return;
        SelectItem(h);
    }
    std::unique_ptr<QMenu> menu(BuildContextMenu());
    menu->exec(at);
    // The menu spoke of the item under the cursor; the selection goes back to where it was (by
    // its path: the command may have removed or refilled items).
    if (!bKeyboard && !previousPath.IsEmpty() && GetSelectedPath() != previousPath)
        SelectPath(previousPath);
}

// --- mouse and keys ---------------------------------------------------------------------------

void CFolderTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_HV_LBUTTONDOWN, static_cast<WPARAM>(GetDlgCtrlID()), 0);
    UINT where = 0;
    HTREEITEM h = HitTest(point, &where);
    if (!h || !IsFolderItem(h) || (where & TVHT_ONITEMBUTTON)) {
        Default();
        return;
    }
    if (GetSelectedItem() != h) {
        SelectItem(h);
        Expand(h, TVE_EXPAND);
    } else {
        Expand(h, TVE_TOGGLE);
    }
}

void CFolderTreeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    HTREEITEM h = HitTest(point);
    if (h && h == GetSelectedItem() && !ItemHasChildren(h) && m_bOpen) {
        OpenSelected();
        return;
    }
    Default();
}

void CFolderTreeCtrl::OnRButtonDown(UINT, CPoint)
{
    // The context menu (which selects the item under the cursor) follows.
}

void CFolderTreeCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (IsDragging()) {
        DragMove(nFlags, point);
        return;
    }
    // A press pulled over other items neither selects them nor drags unless dragging is on.
    if (nFlags & MK_LBUTTON)
        return;
    Default();
}

void CFolderTreeCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (IsDragging()) {
        DragDrop(nFlags, point);
        return;
    }
    Default();
}

BOOL CFolderTreeCtrl::OnKeyDown(UINT nChar, UINT nFlags)
{
    if (IsEditingLabel())
        return FALSE;  // Enter and Esc belong to the edit box
    const BOOL shift = GetKeyState(VK_SHIFT) < 0;
    switch (nChar) {
    case VK_ESCAPE:
        if (IsDragging()) {
            CancelDrag();
            return TRUE;
        }
        return FALSE;
    case VK_RETURN:
        if (nFlags & KF_ALTDOWN)
            ShowSelectedProperties();
        else
            OpenSelected();
        return TRUE;
    case VK_DELETE: DeleteSelected(); return TRUE;
    case VK_BACK:
        if (HTREEITEM h = GetSelectedItem()) {
            if (HTREEITEM parent = GetParentItem(h))
                SelectItem(parent);
        }
        return TRUE;
    case VK_F2: RenameSelected(); return TRUE;
    case VK_F5: Refresh(); return TRUE;
    case VK_F10:
        if (!shift)
            return FALSE;
        OnContextMenu(CPoint(0, 0), TRUE);
        return TRUE;
    case VK_APPS: OnContextMenu(CPoint(0, 0), TRUE); return TRUE;
    default: return FALSE;
    }
}

// --- dragging ---------------------------------------------------------------------------------

void CFolderTreeCtrl::OnBeginDrag(NMTREEVIEW* pNMTV)
{
    if (m_bDragDrop) {
        m_dragPoint = pNMTV->ptDrag;
        BeginDrag(pNMTV->itemNew);
    }
}

BOOL CFolderTreeCtrl::BeginDrag(HTREEITEM hItem)
{
    if (!m_bDragDrop || !hItem || IsDragging() || IsTopLevelRoot(hItem))
        return FALSE;
    SelectItem(hItem);
    m_hDragItem = hItem;
    m_nHover = 0;
    m_hHoverItem = nullptr;
    // The drag image: the item's icon and name, following the cursor with the offset at which
    // the item was taken.
    RECT r;
    GetItemRect(hItem, &r, TRUE);
    m_dragHotSpot = QPoint(std::max(0, static_cast<int>(m_dragPoint.x - r.left)), static_cast<int>(m_dragPoint.y - r.top));
    m_pDragImage = std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
    m_pDragImage->setAttribute(Qt::WA_TransparentForMouseEvents);
    int image = -1, selImage = -1;
    GetItemImage(hItem, image, selImage);
    QString label = ToQString(GetItemText(hItem));
    m_pDragImage->setText(label);
    if (GetImageList()) {
        QPixmap pm = GetImageList()->GetIcon(image).pixmap(16, 16);
        if (!pm.isNull()) {
            m_pDragImage->setPixmap(pm);
            m_pDragImage->setToolTip(label);
        }
    }
    m_pDragImage->setWindowOpacity(0.7);
    grabMouse();
    SetTimer(kDragTimer, kDragTick);
    SetDragCursor(0);
    return TRUE;
}

void CFolderTreeCtrl::SetDragCursor(UINT nID)
{
    m_nDragCursor = nID;
    viewport()->setCursor(LoadCursorResource(nID));
}

BOOL CFolderTreeCtrl::IsValidDropTarget(HTREEITEM hTarget) const
{
    if (!hTarget || !m_hDragItem || !IsFolderItem(hTarget) || hTarget == m_hDragItem ||
        hTarget == GetParentItem(m_hDragItem))
        return FALSE;
    for (HTREEITEM h = GetParentItem(hTarget); h; h = GetParentItem(h)) {
        if (h == m_hDragItem)
            return FALSE;
    }
    return TRUE;
}

void CFolderTreeCtrl::DragMove(UINT nFlags, CPoint point)
{
    if (!IsDragging())
        return;
    m_dragPoint = point;
    if (m_pDragImage) {
        m_pDragImage->move(viewport()->mapToGlobal(QPoint(point.x, point.y)) - m_dragHotSpot + QPoint(12, 12));
        m_pDragImage->show();
    }
    QRect area = viewport()->rect();
    HTREEITEM target = nullptr;
    if (area.contains(point.x, point.y)) {
        target = HitTest(point);
        SelectDropTarget(target);
    }
    const BOOL copy = (nFlags & MK_CONTROL) != 0;
    if (IsValidDropTarget(GetDropHilightItem()) && target)
        SetDragCursor(copy ? IDC_DROPCOPY : 0);
    else
        SetDragCursor(copy ? IDC_NODROPCOPY : IDC_NODROP);
}

void CFolderTreeCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kDragTimer)
        OnDragTimer();
}

void CFolderTreeCtrl::OnDragTimer()
{
    if (!IsDragging()) {
        KillTimer(kDragTimer);
        return;
    }
    const QRect area = viewport()->rect();
    const int y = m_dragPoint.y;
    const int band = GetItemHeight() + kScrollBand;
    HTREEITEM target = nullptr;
    if (y >= area.top() && y < area.top() + band) {
        ScrollLines(-1);
        target = GetFirstVisibleItem();
    } else if (y > area.bottom() + 1 - band && y <= area.bottom()) {
        ScrollLines(1);
        target = GetFirstVisibleItem();
        for (UINT i = 1; target && i < GetVisibleCount(); ++i) {
            HTREEITEM next = GetNextVisibleItem(target);
            if (!next)
                break;
            target = next;
        }
    }
    if (target) {
        SelectDropTarget(target);
        EnsureVisible(target);
    }
    HTREEITEM over = GetDropHilightItem();
    if (over != m_hHoverItem) {
        m_hHoverItem = over;
        m_nHover = 0;
    }
    if (over && !GetItemState(over, TVIS_EXPANDED) && ItemHasChildren(over)) {
        if (++m_nHover >= kHoverTicks) {
            Expand(over, TVE_EXPAND);
            m_nHover = 0;
        }
    } else {
        m_nHover = 0;
    }
}

void CFolderTreeCtrl::EndDrag()
{
    KillTimer(kDragTimer);
    m_pDragImage.reset();
    releaseMouse();
    viewport()->unsetCursor();
    m_nDragCursor = 0;
    SelectDropTarget(nullptr);
    m_hDragItem = nullptr;
    m_hHoverItem = nullptr;
    m_nHover = 0;
}

void CFolderTreeCtrl::CancelDrag()
{
    if (IsDragging())
        EndDrag();
}

void CFolderTreeCtrl::DragDrop(UINT nFlags, CPoint point)
{
    if (!IsDragging())
        return;
    HTREEITEM drag = m_hDragItem;
    const BOOL inside = viewport()->rect().contains(point.x, point.y);
    HTREEITEM target = inside ? HitTest(point) : nullptr;
    const BOOL valid = inside && IsValidDropTarget(target);
    EndDrag();
    if (valid)
        DropOn(drag, target, (nFlags & MK_CONTROL) != 0);
}

HTREEITEM CFolderTreeCtrl::InsertSorted(HTREEITEM hParent, const CString& text, BOOL bFolder, DWORD_PTR data)
{
    // Folders before files, each by name without case.
    HTREEITEM after = TVI_FIRST;
    for (HTREEITEM h = GetChildItem(hParent); h; h = GetNextSiblingItem(h)) {
        BOOL hFolder = IsFolderItem(h);
        if (bFolder && !hFolder)
            break;
        if (hFolder == bFolder && GetItemText(h).CompareNoCase(text) > 0)
            break;
        after = h;
    }
    int image = -1;
    int selImage = -1;
    if (m_bImagesAttached) {
        image = bFolder ? ShellFolderIcon(FALSE) : ShellFileIcon(text);
        selImage = bFolder ? ShellFolderIcon(TRUE) : image;
    }
    HTREEITEM h = InsertItem(text, image, selImage, hParent, after);
    SetItemData(h, data);
    return h;
}

void CFolderTreeCtrl::CopySubtree(HTREEITEM hFrom, HTREEITEM hToParent)
{
    HTREEITEM copy = InsertSorted(hToParent, GetItemText(hFrom), IsFolderItem(hFrom), GetItemData(hFrom));
    SetItemChildren(copy, ItemHasChildren(hFrom));
    for (HTREEITEM c = GetChildItem(hFrom); c; c = GetNextSiblingItem(c))
        CopySubtree(c, copy);
}

BOOL CFolderTreeCtrl::DropOn(HTREEITEM hDrag, HTREEITEM hTarget, BOOL bCopy)
{
    if (!hDrag || !hTarget || !IsFolderItem(hTarget))
        return FALSE;
    CString from = GetItemPath(hDrag);
    CString name = GetItemText(hDrag);
    CString folder = GetItemPath(hTarget);
    CString to = fsys::Join(folder, name);
    if (IsAtOrUnder(folder, from))
        return FALSE;
    // Never over what is there: no file is replaced and no folder merged into another.
    if (fsys::PathTaken(to)) {
        AfxMessageBox("Cannot " + CString(bCopy ? "copy" : "move") + " \"" + name + "\":\n\n" + folder +
                          "\n\nalready holds a file or folder of that name.",
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    BOOL ok = bCopy ? fsys::CopyTree(from, to) : fsys::MoveTree(from, to);
    if (!ok) {
        LogShellFailure(bCopy ? "CFolderTreeCtrl::DropOn() - failed to copy..." : "CFolderTreeCtrl::DropOn() - failed to move...",
                from);
        AfxMessageBox("Could not " + CString(bCopy ? "copy" : "move") + "\n\n" + from + "\n\nto\n\n" + folder,
                      MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    // A target whose children were never loaded reads them from the disk when it opens.
    if (GetItemData(hTarget) & kFilled) {
        if (!FindChild(hTarget, name))
            CopySubtree(hDrag, hTarget);
    } else {
        SetItemChildren(hTarget, TRUE);
    }
    CString targetPath = folder;
    if (!bCopy) {
        HTREEITEM oldParent = GetParentItem(hDrag);
        DeleteItem(hDrag);
        if (oldParent && !GetChildItem(oldParent))
            SetItemChildren(oldParent, FALSE);
    }
    if (HTREEITEM t = SelectPath(targetPath)) {
        if (ItemHasChildren(t))
            Expand(t, TVE_EXPAND);
    }
    NotifyChanged();
    return TRUE;
}
