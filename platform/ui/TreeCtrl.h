#pragma once
// A tree control over QTreeWidget: items with text, a number or pointer of data and two icons
// (normal and selected) from an image list, the expand button shown before the children are
// loaded, sorted insertion, selection, the drop highlight, hit test, visible items, label
// editing and redraw off and on.
//
// What the control itself does on a change (the reflected notifications: expanding, selection,
// label editing, the start of a drag) is a virtual function a derived control overrides; the
// parent then hears of it with an NMTREEVIEW record. Mouse and key input come through OnXxx
// functions in the client area's coordinates; Default() hands the event being handled to the
// Qt control's own handling.

#include "platform/core/String.h"
#include "platform/ui/Wnd.h"

#include <QLineEdit>
#include <QPointer>
#include <QTreeWidget>

#include <vector>

class CImageList;


using HTREEITEM = QTreeWidgetItem*;

// Insertion places besides an item to insert after.
inline HTREEITEM const TVI_ROOT = nullptr;
extern HTREEITEM const TVI_FIRST;
extern HTREEITEM const TVI_LAST;
extern HTREEITEM const TVI_SORT;

// Expand codes.
constexpr UINT TVE_COLLAPSE = 0x1;
constexpr UINT TVE_EXPAND = 0x2;
constexpr UINT TVE_TOGGLE = 0x3;

// Item states.
constexpr UINT TVIS_SELECTED = 0x2;
constexpr UINT TVIS_DROPHILITED = 0x8;
constexpr UINT TVIS_EXPANDED = 0x20;

// Hit test flags.
constexpr UINT TVHT_NOWHERE = 0x1;
constexpr UINT TVHT_ONITEMICON = 0x2;
constexpr UINT TVHT_ONITEMLABEL = 0x4;
constexpr UINT TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL;
constexpr UINT TVHT_ONITEMINDENT = 0x8;
constexpr UINT TVHT_ONITEMBUTTON = 0x10;
constexpr UINT TVHT_ONITEMRIGHT = 0x20;
constexpr UINT TVHT_ABOVE = 0x100;
constexpr UINT TVHT_BELOW = 0x200;
constexpr UINT TVHT_TORIGHT = 0x400;
constexpr UINT TVHT_TOLEFT = 0x800;

struct NMTREEVIEW {
    UINT action = 0;  // TVE_EXPAND or TVE_COLLAPSE for the expand notifications
    HTREEITEM itemOld = nullptr;
    HTREEITEM itemNew = nullptr;
    POINT ptDrag;
    // Label editing: the edited text, and whether the edit was cancelled (no text).
    CString text;
    BOOL bCancelled = FALSE;
};

class CTreeCtrl : public QTreeWidget, public CWnd {
public:
    explicit CTreeCtrl(QWidget* parent = nullptr);
    ~CTreeCtrl() override;

    // The icons that image indexes refer to (not owned; may grow while used).
    void SetImageList(CImageList* pImages);
    CImageList* GetImageList() const { return m_pImages; }

    // Items. hInsertAfter: an item of hParent, TVI_FIRST, TVI_LAST or TVI_SORT (by text, case
    // ignored, after its equals; the siblings are taken to be in order). NULL on failure.
    HTREEITEM InsertItem(LPCSTR text, int nImage = -1, int nSelectedImage = -1, HTREEITEM hParent = TVI_ROOT,
                         HTREEITEM hInsertAfter = TVI_LAST);
    // Appends children at the end of hParent's (TVI_ROOT: the top level) at once: a folder of
    // thousands of files would otherwise cost an update of the view each.
    struct CNewItem {
        CString text;
        int nImage = -1;
        int nSelectedImage = -1;
        DWORD_PTR data = 0;
        BOOL bChildren = FALSE;  // shows the expand button before children are loaded
    };
    void AppendItems(HTREEITEM hParent, const std::vector<CNewItem>& items);
    // The item and everything below it.
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems();
    UINT GetCount() const;
    CString GetItemText(HTREEITEM hItem) const;
    BOOL SetItemText(HTREEITEM hItem, LPCSTR text);
    DWORD_PTR GetItemData(HTREEITEM hItem) const;
    BOOL SetItemData(HTREEITEM hItem, DWORD_PTR data);
    BOOL GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const;
    BOOL SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage);

    // Family.
    HTREEITEM GetRootItem() const;
    HTREEITEM GetChildItem(HTREEITEM hItem) const;  // TVI_ROOT: the first top-level item
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    // Whether the item has children or shows the expand button for children not yet loaded.
    BOOL ItemHasChildren(HTREEITEM hItem) const;
    // Shows (or no longer shows) the expand button of an item whose children are not loaded.
    BOOL SetItemChildren(HTREEITEM hItem, BOOL bChildren);
    // Sorts the item's children by text, case ignored (TVI_ROOT: the top level).
    BOOL SortChildren(HTREEITEM hItem);

    // Selection and states.
    HTREEITEM GetSelectedItem() const;
    // Selects (and makes current) the item; NULL clears the selection.
    BOOL SelectItem(HTREEITEM hItem);
    UINT GetItemState(HTREEITEM hItem, UINT nStateMask) const;
    BOOL Expand(HTREEITEM hItem, UINT nCode);
    // The drop highlight (one item at a time; NULL clears it).
    BOOL SelectDropTarget(HTREEITEM hItem);
    HTREEITEM GetDropHilightItem() const { return m_hDropHilite; }

    // Geometry in the client area (the area the items show in).
    HTREEITEM HitTest(POINT pt, UINT* pFlags = nullptr) const;
    HTREEITEM GetFirstVisibleItem() const;
    HTREEITEM GetNextVisibleItem(HTREEITEM hItem) const;
    HTREEITEM GetPrevVisibleItem(HTREEITEM hItem) const;
    // Items that fit whole into the client area.
    UINT GetVisibleCount() const;
    int GetItemHeight() const;
    BOOL GetItemRect(HTREEITEM hItem, RECT* pRect, BOOL bTextOnly) const;
    // Expands the item's parents and scrolls it into view.
    BOOL EnsureVisible(HTREEITEM hItem);
    // Scrolls by whole lines (negative: up).
    void ScrollLines(int nLines);

    // Label editing: starts an edit of the item's text (the control's OnBeginLabelEdit may
    // refuse it); the edit box while it lasts; ends it, keeping or dropping the text.
    QLineEdit* EditLabel(HTREEITEM hItem);
    QLineEdit* GetEditControl() const { return m_pEdit; }
    BOOL IsEditingLabel() const { return m_hEditItem != nullptr; }
    void EndEditLabelNow(BOOL bCancel);

protected:
    // The reflected notifications, before the parent hears of them. OnItemExpanding returns TRUE
    // to keep the item as it is; OnBeginLabelEdit TRUE to refuse the edit; OnEndLabelEdit TRUE
    // to take the edited text (pNMTV->text; bCancelled when the edit was dropped).
    virtual BOOL OnItemExpanding(NMTREEVIEW* pNMTV) { return FALSE; }
    virtual void OnItemExpanded(NMTREEVIEW* pNMTV) {}
    virtual void OnSelChanged(NMTREEVIEW* pNMTV) {}
    virtual BOOL OnBeginLabelEdit(NMTREEVIEW* pNMTV) { return FALSE; }
    virtual BOOL OnEndLabelEdit(NMTREEVIEW* pNMTV) { return !pNMTV->bCancelled; }
    virtual void OnBeginDrag(NMTREEVIEW* pNMTV) {}

    // Input. The defaults run Default().
    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnLButtonUp(UINT nFlags, CPoint point);
    virtual void OnLButtonDblClk(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    virtual void OnMouseMove(UINT nFlags, CPoint point);
    // TRUE when the key was handled (the control's own handling is skipped).
    virtual BOOL OnKeyDown(UINT nChar, UINT nFlags) { return FALSE; }
    // The context menu at a screen point; bKeyboard when asked for from the keyboard.
    virtual void OnContextMenu(CPoint screenPoint, BOOL bKeyboard) {}
    // The Qt control's own handling of the mouse event being handled (nothing outside one).
    void Default();

    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    friend class CTreeLabelDelegate;
    void ApplyIcon(HTREEITEM hItem);
    void OnQtExpanded(HTREEITEM hItem, BOOL bExpanded);
    void OnQtCurrentChanged(HTREEITEM current, HTREEITEM previous);
    void NotifySelChanged(HTREEITEM previous, HTREEITEM current);
    void FinishLabelEdit(const CString* pText);
    BOOL IsItem(HTREEITEM hItem) const;
    void RunMouse(QMouseEvent* e, void (CTreeCtrl::*handler)(UINT, CPoint));
    int RowOf(HTREEITEM hItem) const;

    CImageList* m_pImages = nullptr;
    HTREEITEM m_hDropHilite = nullptr;
    HTREEITEM m_hEditItem = nullptr;
    QPointer<QLineEdit> m_pEdit;
    QMouseEvent* m_pMouseEvent = nullptr;
    int m_nExpanding = 0;  // inside Expand: Qt's signal is not a user's expansion
    QPoint m_pressPos;
    HTREEITEM m_hPressItem = nullptr;
    HTREEITEM m_hNotified = nullptr;  // the selected item the last change told of (compared only)
    BOOL m_bDragAnnounced = FALSE;
};
