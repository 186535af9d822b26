#pragma once
// A list box over QListWidget with what the system's code asks of one: items by index with a
// number or pointer of data each, single or multiple selection, and case-insensitive find by
// prefix or whole text. Changes made by the program send no notification; the user's selection
// changes and double clicks reach the parent as LBN_SELCHANGE and LBN_DBLCLK.

#include "platform/ui/Wnd.h"

#include <QListWidget>

#include <functional>
#include <vector>

constexpr int LB_ERR = -1;

// Where list boxes and combo boxes keep an item's data.
constexpr int kItemDataRole = Qt::UserRole;

// The first of nCount items after nStartAfter (-1: from the first, wrapping round to it) whose
// text (textOf) begins with text, or with bExact equals it, case ignored; -1 when none.
int FindItemText(int nCount, const std::function<CString(int)>& textOf, int nStartAfter, const char* text,
                 BOOL bExact);
// Where text goes among nCount items sorted by text, case ignored: after its equals.
int SortedItemIndex(int nCount, const std::function<CString(int)>& textOf, const char* text);

class CListBox : public QListWidget, public CWnd {
public:
    // bMultiSel: several items may be selected (extended selection); bSort: AddString keeps
    // the items sorted, case ignored.
    explicit CListBox(QWidget* parent = nullptr, BOOL bMultiSel = FALSE, BOOL bSort = FALSE);

    BOOL IsMultiSel() const { return m_bMultiSel; }
    void SetMultiSel(BOOL bMultiSel);

    // Index of the new item; with sorting, its sorted place.
    int AddString(const char* text);
    // At nIndex (-1: the end); the index, LB_ERR when nIndex is beyond the end.
    int InsertString(int nIndex, const char* text);
    // Text that Windows-1252 cannot hold, at the end (unsorted).
    int AddStringW(const QString& text);
    // The number of items left, LB_ERR for a bad index.
    int DeleteString(int nIndex);
    void ResetContent();
    int GetCount() const { return count(); }
    // Length of the text, LB_ERR for a bad index (text emptied).
    int GetText(int nIndex, CString& text) const;
    CString GetText(int nIndex) const;
    int GetTextLen(int nIndex) const;

    int SetItemData(int nIndex, DWORD_PTR data);
    // The item's data; (DWORD_PTR)LB_ERR for a bad index.
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemDataPtr(int nIndex, void* p) { return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(p)); }
    void* GetItemDataPtr(int nIndex) const;

    // Single selection: the selected index, LB_ERR for none. SetCurSel(-1) clears it.
    int GetCurSel() const;
    int SetCurSel(int nIndex);
    // Multiple selection: >0 when selected, 0 when not, LB_ERR for a bad index. SetSel with -1
    // selects or clears every item.
    int GetSel(int nIndex) const;
    int SetSel(int nIndex, BOOL bSelect = TRUE);
    int GetSelCount() const;
    // Up to nMaxItems selected indexes in item order; their number.
    int GetSelItems(int nMaxItems, int* pIndex) const;
    // The item with the focus (the caret), LB_ERR when none.
    int GetCaretIndex() const;
    int SetCaretIndex(int nIndex);

    // The first item after nStartAfter (-1: from the start, wrapping round to it) whose text
    // begins with text / equals text, case ignored; LB_ERR when none.
    int FindString(int nStartAfter, const char* text) const;
    int FindStringExact(int nStartAfter, const char* text) const;
    // Finds by prefix and selects (single selection); the index or LB_ERR.
    int SelectString(int nStartAfter, const char* text);

    int GetTopIndex() const;
    int SetTopIndex(int nIndex);
    // The item's rectangle in the list's client area (the area the items show in).
    int GetItemRect(int nIndex, RECT* pRect) const;
    // The client area the items show in.
    void GetItemsArea(RECT* pRect) const;

    CString GetWindowText() const override;

    // Items whose text holds tabs show each part from the next stop, every nDialogUnits
    // horizontal dialog units of the list's font; 0 goes back to the default stops.
    void SetTabStops(int nDialogUnits);
    // Stops at the given places (dialog units, growing); past the last the stops go on at the
    // distance of the last two (of the first from 0 when there is one).
    void SetTabStops(int nTabStops, const int* rgTabStops);
    // The distance of the stops in pixels; 0 for the default. With a list, its first stop.
    int GetTabStopPixels() const { return m_nTabStop; }
    // The stops in pixels; empty for the default.
    const std::vector<int>& GetTabStopPositions() const { return m_tabStops; }
    // The width the items can be scrolled over, in pixels (0: the widest item's).
    void SetHorizontalExtent(int cxExtent);
    int GetHorizontalExtent() const { return m_nHorizontalExtent; }

private:
    QListWidgetItem* Item(int nIndex) const;

    BOOL m_bMultiSel;
    BOOL m_bSort;
    void ApplyTabStops();

    int m_nTabStop = 0;
    std::vector<int> m_tabStops;
    int m_nHorizontalExtent = 0;
};
