#include "platform/ui/ComboBox.h"

#include "platform/ui/ListBox.h"
#include "platform/ui/QtString.h"

#include <QLineEdit>
#include <QSignalBlocker>

CComboBox::CComboBox(QWidget* parent, BOOL bEditable, BOOL bSort) : QComboBox(parent), CWnd(this), m_bSort(bSort)
{
    setEditable(bEditable != FALSE);
    if (bEditable) {
        // Typing neither completes from the list nor adds to it.
        setCompleter(nullptr);
        setInsertPolicy(QComboBox::NoInsert);
        connect(lineEdit(), &QLineEdit::textEdited, NotifyContext(), [this] { NotifyParent(CBN_EDITCHANGE); });
    }
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(this, &QComboBox::activated, NotifyContext(), [this] { NotifyParent(CBN_SELCHANGE); });
}

int CComboBox::AddString(const char* text)
{
    int at = m_bSort ? SortedItemIndex(count(), [this](int i) { return GetLBText(i); }, text) : count();
    return InsertString(at, text);
}

int CComboBox::InsertString(int nIndex, const char* text)
{
    if (nIndex < 0)
        nIndex = count();
    if (nIndex > count())
        return CB_ERR;
    QSignalBlocker block(this);
    int sel = currentIndex();
    QString edit = isEditable() ? currentText() : QString();
    insertItem(nIndex, ToQString(text), QVariant::fromValue<qulonglong>(0));
    // QComboBox selects the first item put into an empty list; we do not.
    if (sel < 0 && currentIndex() >= 0) {
        setCurrentIndex(-1);
        if (isEditable())
            setEditText(edit);
    }
    return nIndex;
}

int CComboBox::DeleteString(int nIndex)
{
    if (nIndex < 0 || nIndex >= count())
        return CB_ERR;
    QSignalBlocker block(this);
    bool wasSelected = currentIndex() == nIndex;
    QString edit = isEditable() ? currentText() : QString();
    removeItem(nIndex);
    if (wasSelected) {
        setCurrentIndex(-1);
        if (isEditable())
            setEditText(edit);
    }
    return count();
}

void CComboBox::ResetContent()
{
    QSignalBlocker block(this);
    clear();
    if (isEditable())
        clearEditText();
}

int CComboBox::GetLBText(int nIndex, CString& text) const
{
    if (nIndex < 0 || nIndex >= count()) {
        text.Empty();
        return CB_ERR;
    }
    text = FromQString(itemText(nIndex));
    return text.GetLength();
}

CString CComboBox::GetLBText(int nIndex) const
{
    CString text;
    GetLBText(nIndex, text);
    return text;
}

int CComboBox::GetLBTextLen(int nIndex) const
{
    CString text;
    return GetLBText(nIndex, text);
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR data)
{
    if (nIndex < 0 || nIndex >= count())
        return CB_ERR;
    setItemData(nIndex, QVariant::fromValue<qulonglong>(data), kItemDataRole);
    return 0;
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    if (nIndex < 0 || nIndex >= count())
        return static_cast<DWORD_PTR>(CB_ERR);
    return static_cast<DWORD_PTR>(itemData(nIndex, kItemDataRole).toULongLong());
}

void* CComboBox::GetItemDataPtr(int nIndex) const
{
    return reinterpret_cast<void*>(GetItemData(nIndex));
}

int CComboBox::GetCurSel() const
{
    int i = currentIndex();
    return i < 0 ? CB_ERR : i;
}

int CComboBox::SetCurSel(int nIndex)
{
    QSignalBlocker block(this);
    if (nIndex < 0 || nIndex >= count()) {
        setCurrentIndex(-1);
        if (isEditable())
            clearEditText();
        return CB_ERR;
    }
    setCurrentIndex(nIndex);
    return nIndex;
}

int CComboBox::FindString(int nStartAfter, const char* text) const
{
    return FindItemText(count(), [this](int i) { return GetLBText(i); }, nStartAfter, text, FALSE);
}

int CComboBox::FindStringExact(int nStartAfter, const char* text) const
{
    return FindItemText(count(), [this](int i) { return GetLBText(i); }, nStartAfter, text, TRUE);
}

int CComboBox::SelectString(int nStartAfter, const char* text)
{
    int i = FindString(nStartAfter, text);
    if (i != CB_ERR)
        SetCurSel(i);
    return i;
}

CString CComboBox::GetWindowText() const
{
    return FromQString(currentText());
}

void CComboBox::SetWindowText(const char* text)
{
    QSignalBlocker block(this);
    if (isEditable())
        setEditText(ToQString(text));
    else
        setCurrentIndex(FindStringExact(-1, text));
}

void CComboBox::LimitText(int nMaxChars)
{
    if (QLineEdit* edit = lineEdit())
        edit->setMaxLength(nMaxChars > 0 ? nMaxChars : 32767);
}

void CComboBox::ShowDropDown(BOOL bShowIt)
{
    if (bShowIt)
        showPopup();
    else
        hidePopup();
}

void CComboBox::showPopup()
{
    NotifyParent(CBN_DROPDOWN);
    m_bDropped = TRUE;
    QComboBox::showPopup();
}

void CComboBox::hidePopup()
{
    QComboBox::hidePopup();
    if (m_bDropped) {
        m_bDropped = FALSE;
        NotifyParent(CBN_CLOSEUP);
    }
}
