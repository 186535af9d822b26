#pragma once
// The tree of folders and (optionally) files that the file chooser, the find dialogs and the
// folder dialogs show. It fills itself as folders are expanded, can be rooted at one folder,
// limited to one top-level folder name, to files of given extensions or one name and to the
// files below one folder, and offers a file manager's folder operations: open, properties,
// rename, delete, create folder, and moving or copying by dragging with automatic scrolling and
// expanding.
//
// Paths keep their case everywhere: the file system tells names apart by it. Without a root the
// top level is the file system's root "/" alone.

#include "platform/ui/TreeCtrl.h"

#include <memory>

class QLabel;
class QMenu;

// SetStyle flags.
constexpr DWORD FTS_FILES = 0x1;
constexpr DWORD FTS_DRAGDROP = 0x2;
constexpr DWORD FTS_RENAME = 0x4;
constexpr DWORD FTS_OPEN = 0x8;
constexpr DWORD FTS_PROPERTIES = 0x10;
constexpr DWORD FTS_DELETE = 0x20;
constexpr DWORD FTS_CREATE = 0x40;

class CFolderTreeCtrl : public CTreeCtrl {
public:
    explicit CFolderTreeCtrl(QWidget* parent = nullptr);
    ~CFolderTreeCtrl() override;

    void SetStyle(DWORD dwFlags, BOOL bRedraw = TRUE);
    DWORD GetStyle() const;
    // The folder the tree shows the contents of (empty: the file system's root); trailing
    // blanks and one trailing separator go, the case stays.
    void SetRootFolder(LPCSTR path, BOOL bRedraw = TRUE);
    const CString& GetRootFolder() const { return m_csRoot; }

    // Deletes everything and fills the top level again, keeping the selected path (expanded
    // when it was).
    void Refresh();
    // Selects the item of a path, expanding the way to it (and it, when asked); NULL when the
    // path is outside the root or a part of it is not in the tree.
    HTREEITEM SelectPath(LPCSTR path, BOOL bExpand = FALSE);
    // The full path of an item (of the selected one); empty for none.
    CString GetItemPath(HTREEITEM hItem) const;
    CString GetSelectedPath() const { return GetItemPath(GetSelectedItem()); }
    // The selected folder itself, or the folder that holds the selected file; no trailing
    // separator (but "/" for the root of the file system).
    CString GetSelectedFolder() const;
    // The name of the selected item (a folder's own name).
    CString GetSelectedFileName() const;
    BOOL IsFileSelected() const;
    BOOL IsFolderSelected() const;
    // Finds the child of that name (exact, else without case when that is unique) of the
    // selected folder, or of the selected file's folder; scrolls it into view and, when asked,
    // selects it. NULL when there is none.
    HTREEITEM SelectFile(LPCSTR name, BOOL bSelect = TRUE);
    // Whether the item is a folder (as filled).
    BOOL IsFolderItem(HTREEITEM hItem) const;

    // Filters, set by the owner before a refresh. The top-level folder name: the only folder
    // listed at the top level (empty: all). The file name: the only file name listed (case
    // ignored; empty: all). The extensions: ";"-separated, matched without case (empty: all).
    // The path filter: files are listed only inside that folder (empty: everywhere).
    CString m_csTopLevelFilter;
    CString m_csFileNameFilter;
    CString m_csExtFilter;
    CString m_csPathFilter;
    // Files directly in the root (or at the top level) are listed too.
    BOOL m_bTopLevelFiles = FALSE;

    // The operations, also reached by commands, keys and the context menu.
    BOOL OpenSelected();
    BOOL ShowSelectedProperties();
    BOOL RenameSelected();
    BOOL DeleteSelected();
    BOOL CreateFolder();
    BOOL CanOpen() const;
    BOOL CanProperties() const;
    BOOL CanRename() const;
    BOOL CanDelete() const;
    BOOL CanCreate() const;
    // The context menu of the tree (322, or 325 with "Open" while opening is allowed), its items
    // enabled as the commands are. The caller owns it.
    QMenu* BuildContextMenu();

    // Dragging, by mouse tracking (also driven directly).
    BOOL BeginDrag(HTREEITEM hItem);
    void DragMove(UINT nFlags, CPoint point);
    // Ends the drag at the point: a drop when the point is inside and the target valid.
    void DragDrop(UINT nFlags, CPoint point);
    void CancelDrag();
    BOOL IsDragging() const { return m_hDragItem != nullptr; }
    HTREEITEM GetDragItem() const { return m_hDragItem; }
    // Whether hTarget may take the dragged item: a folder, not the item, not its parent and not
    // inside its subtree.
    BOOL IsValidDropTarget(HTREEITEM hTarget) const;
    // The cursor the drag shows: 0 the arrow, else 132, 133 or 134.
    UINT GetDragCursorId() const { return m_nDragCursor; }
    // One tick of the drag timer (every 100 ms while dragging).
    void OnDragTimer();
    // Moves (or copies) the item's file or folder into the target folder; refused, with a
    // message, when the target already holds that name.
    BOOL DropOn(HTREEITEM hDrag, HTREEITEM hTarget, BOOL bCopy);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    BOOL OnItemExpanding(NMTREEVIEW* pNMTV) override;
    BOOL OnBeginLabelEdit(NMTREEVIEW* pNMTV) override;
    BOOL OnEndLabelEdit(NMTREEVIEW* pNMTV) override;
    void OnBeginDrag(NMTREEVIEW* pNMTV) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    BOOL OnKeyDown(UINT nChar, UINT nFlags) override;
    void OnContextMenu(CPoint screenPoint, BOOL bKeyboard) override;

private:
    // Fills the children of an item (NULL: the top level) from its folder.
    void FillChildren(HTREEITEM hParent);
    // The child of hParent (NULL: top level) named name: exact, else without case when unique.
    HTREEITEM FindChild(HTREEITEM hParent, const CString& name) const;
    BOOL IsTopLevelRoot(HTREEITEM hItem) const;  // the "/" item of a tree without root
    BOOL FileWanted(const CString& name, const CString& fullPath, BOOL bTopLevel) const;
    // Refuses names a file cannot take here (with a message); TRUE when the name may be used.
    BOOL CheckNewName(const CString& name, const CString& folder) const;
    HTREEITEM InsertSorted(HTREEITEM hParent, const CString& text, BOOL bFolder, DWORD_PTR data);
    void CopySubtree(HTREEITEM hFrom, HTREEITEM hToParent);
    void EndDrag();
    void SetDragCursor(UINT nID);
    void NotifyChanged();

    CString m_csRoot;
    BOOL m_bFiles = TRUE;
    BOOL m_bDragDrop = FALSE;
    BOOL m_bRename = FALSE;
    BOOL m_bOpen = TRUE;
    BOOL m_bProperties = TRUE;
    BOOL m_bDelete = FALSE;
    BOOL m_bCreate = FALSE;
    BOOL m_bCanRefresh = FALSE;
    BOOL m_bImagesAttached = FALSE;

    HTREEITEM m_hDragItem = nullptr;
    HTREEITEM m_hHoverItem = nullptr;
    int m_nHover = 0;
    CPoint m_dragPoint;
    UINT m_nDragCursor = 0;
    std::unique_ptr<QLabel> m_pDragImage;
    QPoint m_dragHotSpot;
};
