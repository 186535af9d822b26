#pragma once
// A report list (rows of columns) over QTreeWidget: columns with headings, widths and
// alignment, rows by index with sub-item texts, a number or pointer of data and an image
// index, selection and focus states, find, and sorting by the caller's comparison of the rows'
// data. Changes of an item's state or text reach the parent as LVN_ITEMCHANGED (also when the
// program makes them, as list views do); clicks as NM_CLICK, NM_DBLCLK, NM_RCLICK and header
// clicks as LVN_COLUMNCLICK, each with an NMLISTVIEW record; keys as LVN_KEYDOWN and a drag
// of a row with the left button as LVN_BEGINDRAG. The control sees each of its notifications
// first (OnNotifyReflect), then its parent.
//
// Owner-drawn report mode (SetOwnerDraw): the control paints no cell itself; each visible row is
// one DrawItem call with the row's rectangle, item, states and a device context that has the
// control's own font selected (GetFont), and every row is as high as the icons of the small
// image list (SetSmallImageList).

#include "platform/ui/GdiObjects.h"
#include "platform/ui/Wnd.h"

#include <QFont>
#include <QIcon>
#include <QTreeWidget>

#include <vector>

constexpr int LVCFMT_LEFT = 0;
constexpr int LVCFMT_RIGHT = 1;
constexpr int LVCFMT_CENTER = 2;

constexpr UINT LVIS_FOCUSED = 0x1;
constexpr UINT LVIS_SELECTED = 0x2;
constexpr UINT LVIS_DROPHILITED = 0x8;

// Widths of SetColumnWidth that measure the column: its widest cell text, or that and its
// heading.
constexpr int LVSCW_AUTOSIZE = -1;
constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

// GetSubItemRect areas: the whole row for sub-item 0, else the cell; the cell alone.
constexpr int LVIR_BOUNDS = 0;
constexpr int LVIR_LABEL = 2;

// DrawItem states.
constexpr UINT ODS_SELECTED = 0x1;
constexpr UINT ODS_FOCUS = 0x10;

constexpr int LVNI_ALL = 0x0;
constexpr int LVNI_FOCUSED = 0x1;
constexpr int LVNI_SELECTED = 0x2;

constexpr UINT LVIF_TEXT = 0x1;
constexpr UINT LVIF_IMAGE = 0x2;
constexpr UINT LVIF_PARAM = 0x4;
constexpr UINT LVIF_STATE = 0x8;

constexpr UINT LVFI_PARAM = 0x1;
constexpr UINT LVFI_STRING = 0x2;
constexpr UINT LVFI_PARTIAL = 0x8;

struct NMLISTVIEW {
    int iItem = -1;
    int iSubItem = 0;
    UINT uNewState = 0;
    UINT uOldState = 0;
    UINT uChanged = 0;
    POINT ptAction;
    LPARAM lParam = 0;  // the item's data
    LRESULT lResult = 0;
};

struct NMLVKEYDOWN {
    UINT wVKey = 0;  // virtual-key code
    UINT flags = 0;
};

class CDC;

// One row to draw in owner-drawn mode.
struct DRAWITEMSTRUCT {
    UINT itemID = 0;          // the row
    UINT itemState = 0;       // ODS_SELECTED, ODS_FOCUS (the row has the focus)
    CDC* pDC = nullptr;       // the painting context, valid for the call only
    CRect rcItem;             // the whole row, every column, in client coordinates
    DWORD_PTR itemData = 0;
};

struct LVFINDINFO {
    UINT flags = 0;
    const char* psz = nullptr;
    LPARAM lParam = 0;
};

// Compares the data of two rows: <0, 0, >0.
using PFNLVCOMPARE = int (*)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

class CImageList;

class CListCtrl : public QTreeWidget, public CWnd {
public:
    explicit CListCtrl(QWidget* parent = nullptr);
    ~CListCtrl() override;

    void SetSingleSelection(BOOL bSingle);
    // Selected rows look selected also while the control has no focus.
    void SetShowSelAlways(BOOL bAlways);
    BOOL GetShowSelAlways() const { return m_bShowSelAlways; }
    // Owner-drawn report mode: DrawItem paints each row.
    void SetOwnerDraw(BOOL bOwnerDraw);
    BOOL IsOwnerDraw() const { return m_bOwnerDraw; }
    // The small image list (not owned; NULL for none) gives row icons and, in owner-drawn mode,
    // the row height; the one it replaces.
    CImageList* SetSmallImageList(CImageList* pList);
    CImageList* GetSmallImageList() const { return m_pSmallImages; }
    // Height of every row in owner-drawn mode; 0 while the style decides.
    int GetRowHeight() const { return m_nRowHeight; }
    // The colour of the control where no row is drawn (and of rows it draws itself).
    BOOL SetBkColor(COLORREF cr);
    COLORREF GetBkColor() const;
    // Whether the control has the keyboard focus.
    BOOL HasFocus() const { return hasFocus(); }
    // The font the control shows its texts in (its headings' font), as a drawing object.
    CFont* GetFont();
    // F1 on the control opens this help topic (0: F1 goes on to the parent).
    void SetContextHelpId(DWORD id) { m_dwHelpId = id; }
    DWORD GetContextHelpId() const { return m_dwHelpId; }

    // Columns. InsertColumn returns the new column's index (-1 on failure); a width of -1 fits
    // the heading.
    int InsertColumn(int nCol, const char* heading, int nFormat = LVCFMT_LEFT, int nWidth = -1);
    BOOL DeleteColumn(int nCol);
    // How the column's cells are cut when too narrow: DT_PATH_ELLIPSIS keeps a path's last name,
    // anything else cuts at the end.
    void SetColumnDrawFormat(int nCol, UINT nFormat);
    UINT GetColumnDrawFormat(int nCol) const;
    int GetColumnCount() const { return columnCount(); }
    int GetColumnWidth(int nCol) const;
    // cx may be LVSCW_AUTOSIZE or LVSCW_AUTOSIZE_USEHEADER.
    BOOL SetColumnWidth(int nCol, int cx);
    // The heading of a column; FALSE for a column that is not there.
    BOOL GetColumnHeading(int nCol, CString& heading) const;
    // The width at which the column's heading shows whole (margins and sort mark included); 0
    // for a column that is not there.
    int GetHeadingFitWidth(int nCol) const;

    // Rows. InsertItem returns the new row's index (an index past the end appends), -1 on failure.
    int InsertItem(int nItem, const char* text, int nImage = -1);
    BOOL DeleteItem(int nItem);
    // Appends whole rows (every cell's text, the data, the image) at once and tells nobody: a
    // refill of thousands of rows would otherwise notify for every cell.
    struct CRow {
        std::vector<CString> texts;
        DWORD_PTR data = 0;
        int image = -1;
    };
    void AppendRows(const std::vector<CRow>& rows);
    // The same before row nItem (past the end appends).
    void InsertRows(int nItem, const std::vector<CRow>& rows);
    // Deletes the rows of an ascending list of row numbers in one pass; the number deleted.
    int DeleteItems(const std::vector<int>& rows);
    BOOL DeleteAllItems();
    int GetItemCount() const { return topLevelItemCount(); }
    BOOL SetItemText(int nItem, int nSubItem, const char* text);
    CString GetItemText(int nItem, int nSubItem) const;
    BOOL SetItemData(int nItem, DWORD_PTR data);
    DWORD_PTR GetItemData(int nItem) const;
    BOOL SetItem(int nItem, int nSubItem, UINT nMask, const char* text, int nImage, UINT nState, UINT nStateMask,
                 LPARAM lParam);
    int GetItemImage(int nItem) const;
    BOOL SetItemImage(int nItem, int nImage);
    // The icons that image indexes refer to.
    void SetImageList(const std::vector<QIcon>& icons);
    // The icon of a cell after the first (-1: none).
    BOOL SetSubItemImage(int nItem, int nSubItem, int nImage);
    int GetSubItemImage(int nItem, int nSubItem) const;
    // Lines between the rows and between the columns.
    void SetGridLines(BOOL bGridLines);
    BOOL HasGridLines() const { return m_bGridLines; }

    // States and selection.
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const;
    UINT GetSelectedCount() const;
    // The next row after nItem (-1: from the first) that has the flags (LVNI_SELECTED,
    // LVNI_FOCUSED; LVNI_ALL: any); -1 when none.
    int GetNextItem(int nItem, int nFlags) const;
    POSITION GetFirstSelectedItemPosition() const;
    int GetNextSelectedItem(POSITION& pos) const;
    BOOL EnsureVisible(int nItem, BOOL bPartialOK = FALSE);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    BOOL GetItemRect(int nItem, RECT* pRect) const;
    // The rectangle of a cell (LVIR_LABEL, or LVIR_BOUNDS for a column other than 0) or of the
    // whole row (LVIR_BOUNDS, column 0), in client coordinates.
    BOOL GetSubItemRect(int nItem, int nSubItem, int nArea, CRect& rect) const;
    // Repaints rows nFirst to nLast.
    BOOL RedrawItems(int nFirst, int nLast);
    // The row at a point of the client area, -1 when none.
    int HitTest(POINT pt) const;
    // Scrolls by size pixels (LVM_SCROLL); rows scroll whole, at least one for any vertical
    // distance.
    BOOL Scroll(CSize size);

    // Finds by data (LVFI_PARAM) or text of the first column (LVFI_STRING, whole text, case
    // ignored; with LVFI_PARTIAL, by prefix), after nStart (-1: from the first); -1 when none.
    int FindItem(const LVFINDINFO* pFindInfo, int nStart = -1) const;

    // Orders the rows by pfnCompare over their data (a stable sort); states are kept.
    BOOL SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData);

    // Paints one row in owner-drawn mode; nothing here.
    virtual void DrawItem(DRAWITEMSTRUCT* pDrawItem) {}

protected:
    // The control's own notifications reach it here before its parent; TRUE keeps them from the
    // parent.
    virtual BOOL OnNotifyReflect(UINT nCode, void* pExtra) { return FALSE; }
    // Sends a notification: first to the control, then to its parent.
    BOOL Notify(UINT nCode, void* pExtra);

    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    // F1 goes to the control's own topic before the window's shortcut for help.
    bool event(QEvent* e) override;
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QTreeWidgetItem* Row(int nItem) const;
    void SendItemChanged(int nItem, UINT uChanged, UINT uOld, UINT uNew);
    void OnSelectionChanged();
    void OnCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    NMLISTVIEW MakeNotify(int nItem, int nSubItem) const;

    std::vector<int> m_formats;  // alignment of each column
    std::vector<UINT> m_drawFormats;  // DrawText cutting of each column
    std::vector<QIcon> m_images;
    std::vector<QTreeWidgetItem*> m_lastSelected;
    int m_nQuiet = 0;  // inside an operation that reports its own changes
    BOOL m_bShowSelAlways = TRUE;
    BOOL m_bOwnerDraw = FALSE;
    BOOL m_bGridLines = FALSE;
    CImageList* m_pSmallImages = nullptr;
    int m_nRowHeight = 0;
    int m_nDragItem = -1;  // the row the left button went down on, until a drag begins
    QPoint m_ptDragStart;
    CFont m_font;  // GetFont's, made again when the widget's font changes
    QFont m_fontMade;
    DWORD m_dwHelpId = 0;
};
