#pragma once
// A combo box over QComboBox: a drop-down with an edit field, or a drop-down list. Items by
// index with data, case-insensitive find, and a selection that only the program or the user
// sets (adding items selects nothing, unlike QComboBox). The user's choice reaches the parent as
// CBN_SELCHANGE, typing as CBN_EDITCHANGE, the list opening and closing as CBN_DROPDOWN and
// CBN_CLOSEUP.

#include "platform/ui/Wnd.h"

#include <QComboBox>

constexpr int CB_ERR = -1;

class CComboBox : public QComboBox, public CWnd {
public:
    // bEditable: a drop-down with an edit field; else a drop-down list. bSort: AddString
    // keeps the items sorted, case ignored.
    explicit CComboBox(QWidget* parent = nullptr, BOOL bEditable = TRUE, BOOL bSort = FALSE);

    int AddString(const char* text);
    // At nIndex (-1: the end); the index, CB_ERR when nIndex is beyond the end.
    int InsertString(int nIndex, const char* text);
    // The number of items left, CB_ERR for a bad index. Deleting the selected item leaves no
    // selection (the edit field keeps its text).
    int DeleteString(int nIndex);
    // Empties the list and the edit field.
    void ResetContent();
    int GetCount() const { return count(); }
    int GetLBText(int nIndex, CString& text) const;
    CString GetLBText(int nIndex) const;
    int GetLBTextLen(int nIndex) const;

    int SetItemData(int nIndex, DWORD_PTR data);
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemDataPtr(int nIndex, void* p) { return SetItemData(nIndex, reinterpret_cast<DWORD_PTR>(p)); }
    void* GetItemDataPtr(int nIndex) const;

    // The selected index, CB_ERR for none. SetCurSel(-1) clears the selection and the edit field.
    int GetCurSel() const;
    int SetCurSel(int nIndex);

    // As the list box's: first item after nStartAfter by prefix / whole text, case ignored.
    int FindString(int nStartAfter, const char* text) const;
    int FindStringExact(int nStartAfter, const char* text) const;
    int SelectString(int nStartAfter, const char* text);

    // The edit field's text (a drop-down list: the selected item's text).
    CString GetWindowText() const override;
    // The edit field's text (a drop-down list: selects the item of that text, if any).
    void SetWindowText(const char* text) override;
    void LimitText(int nMaxChars);
    void ShowDropDown(BOOL bShowIt = TRUE);
    BOOL GetDroppedState() const { return m_bDropped; }

    void showPopup() override;
    void hidePopup() override;

private:
    BOOL m_bSort;
    BOOL m_bDropped = FALSE;
};
