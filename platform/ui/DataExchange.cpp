#include "platform/ui/DataExchange.h"

#include "platform/core/Services.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/QtString.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QtGlobal>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    ++m_nNotifyLockout;
    BOOL ok = TRUE;
    try {
        DoDataExchange(&dx);
    } catch (const CDataExchangeFailure&) {
        ok = FALSE;
    }
    --m_nNotifyLockout;
    return ok;
}

QWidget* CDataExchange::PrepareCtrl(int nIDC)
{
    QWidget* w = m_pDlgWnd->GetDlgItem(nIDC);
    if (!w)
        qWarning("data exchange: the window has no control %d", nIDC);
    m_pLastControl = w;
    m_bEditLastControl = FALSE;
    return w;
}

QWidget* CDataExchange::PrepareEditCtrl(int nIDC)
{
    QWidget* w = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return w;
}

void CDataExchange::Fail()
{
    if (m_pLastControl) {
        if (m_bEditLastControl) {
            if (auto* e = qobject_cast<QLineEdit*>(m_pLastControl))
                e->selectAll();
            else if (auto* c = qobject_cast<QComboBox*>(m_pLastControl); c && c->lineEdit())
                c->lineEdit()->selectAll();
        }
        m_pLastControl->setFocus(Qt::OtherFocusReason);
    }
    throw CDataExchangeFailure();
}

void CDataExchange::Fail(const char* message)
{
    MessageBoxService().Show(message, CORRA_PRODUCT_NAME, MB_OK | MB_ICONEXCLAMATION);
    Fail();
}

// --- text and numbers -------------------------------------------------------------------------

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    QWidget* w = pDX->PrepareEditCtrl(nIDC);
    if (!w)
        return;
    if (pDX->m_bSaveAndValidate)
        value = GetControlText(w);
    else
        SetControlText(w, value);
}

namespace {

template <typename T>
void ExchangeWhole(CDataExchange* pDX, int nIDC, T& value, const char* format, long long lo, long long hi,
                   const char* message)
{
    QWidget* w = pDX->PrepareEditCtrl(nIDC);
    if (!w)
        return;
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseWholeNumber(GetControlText(w), lo, hi, v))
            pDX->Fail(message);
        value = static_cast<T>(v);
    } else {
        SetControlText(w, CString::Formatted(format, value));
    }
}

// A decimal number as people type one: sign, digits with at most one point, an exponent. The C
// reader would also take hexadecimal, "inf" and "nan", which no one means in a dialog field.
bool IsDecimalNumber(const char* s)
{
    if (*s == '+' || *s == '-')
        ++s;
    bool digits = false;
    while (IsDigitByte(*s)) {
        ++s;
        digits = true;
    }
    if (*s == '.') {
        ++s;
        while (IsDigitByte(*s)) {
            ++s;
            digits = true;
        }
    }
    if (!digits)
        return false;
    if (*s == 'e' || *s == 'E') {
        ++s;
        if (*s == '+' || *s == '-')
            ++s;
        if (!IsDigitByte(*s))
            return false;
        while (IsDigitByte(*s))
            ++s;
    }
    return *s == '\0';
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeWhole(pDX, nIDC, value, "%d", INT32_MIN, INT32_MAX, "Please enter an integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeWhole(pDX, nIDC, value, "%u", 0, UINT32_MAX, "Please enter a positive integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeWhole(pDX, nIDC, value, "%ld", INT32_MIN, INT32_MAX, "Please enter an integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    QWidget* w = pDX->PrepareEditCtrl(nIDC);
    if (!w)
        return;
    if (pDX->m_bSaveAndValidate) {
        CString text = GetControlText(w);
        text.Trim();
        const char* s = text;
        char* end = nullptr;
        errno = 0;
        double v = std::strtod(s, &end);
        // A NUL inside the field would end the number early and pass what stands before it.
        if (text.Find('\0') >= 0 || !IsDecimalNumber(s) || errno != 0 || !end || *end != '\0' ||
            !std::isfinite(v))
            pDX->Fail("Please enter a number.");
        value = v;
    } else {
        SetControlText(w, CString::Formatted("%.*g", 15, value));
    }
}

// --- buttons ----------------------------------------------------------------------------------

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    if (!pDX->PrepareCtrl(nIDC))
        return;
    if (pDX->m_bSaveAndValidate)
        value = pDX->m_pDlgWnd->IsDlgButtonChecked(nIDC);
    else
        pDX->m_pDlgWnd->CheckDlgButton(nIDC, value);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    auto* first = qobject_cast<QAbstractButton*>(pDX->PrepareCtrl(nIDC));
    if (!first)
        return;
    QList<QAbstractButton*> buttons;
    if (first->group())
        buttons = first->group()->buttons();
    else
        buttons.append(first);
    if (pDX->m_bSaveAndValidate) {
        value = -1;
        for (int i = 0; i < buttons.size(); ++i) {
            if (buttons[i]->isChecked()) {
                value = i;
                break;
            }
        }
        return;
    }
    if (value >= 0 && value < buttons.size()) {
        buttons[value]->setChecked(true);
        return;
    }
    // No choice: every button of the group goes off.
    QButtonGroup* group = first->group();
    bool exclusive = group && group->exclusive();
    if (exclusive)
        group->setExclusive(false);
    for (QAbstractButton* b : buttons) {
        bool autoExclusive = b->autoExclusive();
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(autoExclusive);
    }
    if (exclusive)
        group->setExclusive(true);
}

// --- lists ------------------------------------------------------------------------------------

namespace {

int ListSelection(const QListWidget* list)
{
    QList<QListWidgetItem*> sel = list->selectedItems();
    if (list->selectionMode() == QAbstractItemView::SingleSelection)
        return sel.isEmpty() ? -1 : list->row(sel.first());
    return list->currentRow();
}

void SetListSelection(QListWidget* list, int index)
{
    QSignalBlocker block(list);
    if (index < 0 || index >= list->count()) {
        list->clearSelection();
        list->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
        return;
    }
    list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
}

void SetComboSelection(QComboBox* combo, int index)
{
    QSignalBlocker block(combo);
    if (index < 0 || index >= combo->count()) {
        combo->setCurrentIndex(-1);
        if (combo->isEditable())
            combo->clearEditText();
        return;
    }
    combo->setCurrentIndex(index);
}

int FindListText(const QListWidget* list, const CString& text, bool exact)
{
    return FindItemText(list->count(), [list](int i) { return FromQString(list->item(i)->text()); }, -1, text, exact);
}

int FindComboText(const QComboBox* combo, const CString& text, bool exact)
{
    return FindItemText(combo->count(), [combo](int i) { return FromQString(combo->itemText(i)); }, -1, text, exact);
}

void ExchangeListString(CDataExchange* pDX, int nIDC, CString& value, bool exact)
{
    auto* list = qobject_cast<QListWidget*>(pDX->PrepareCtrl(nIDC));
    if (!list)
        return;
    if (pDX->m_bSaveAndValidate) {
        int sel = ListSelection(list);
        value = sel >= 0 ? FromQString(list->item(sel)->text()) : CString();
    } else {
        SetListSelection(list, value.IsEmpty() ? -1 : FindListText(list, value, exact));
    }
}

void ExchangeComboString(CDataExchange* pDX, int nIDC, CString& value, bool exact)
{
    auto* combo = qobject_cast<QComboBox*>(pDX->PrepareEditCtrl(nIDC));
    if (!combo)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = FromQString(combo->currentText());
        return;
    }
    int i = value.IsEmpty() ? -1 : FindComboText(combo, value, exact);
    SetComboSelection(combo, i);
    if (combo->isEditable()) {
        QSignalBlocker block(combo);
        combo->setEditText(ToQString(value));
    }
}

} // namespace

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    auto* list = qobject_cast<QListWidget*>(pDX->PrepareCtrl(nIDC));
    if (!list)
        return;
    if (pDX->m_bSaveAndValidate)
        index = ListSelection(list);
    else
        SetListSelection(list, index);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    auto* combo = qobject_cast<QComboBox*>(pDX->PrepareCtrl(nIDC));
    if (!combo)
        return;
    if (pDX->m_bSaveAndValidate)
        index = combo->currentIndex();
    else
        SetComboSelection(combo, index);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeListString(pDX, nIDC, value, false);
}

void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeListString(pDX, nIDC, value, true);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeComboString(pDX, nIDC, value, false);
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    ExchangeComboString(pDX, nIDC, value, true);
}

void DDX_CBItemData(CDataExchange* pDX, int nIDC, DWORD_PTR& value)
{
    auto* combo = qobject_cast<QComboBox*>(pDX->PrepareCtrl(nIDC));
    if (!combo)
        return;
    if (pDX->m_bSaveAndValidate) {
        int sel = combo->currentIndex();
        if (sel >= 0)
            value = static_cast<DWORD_PTR>(combo->itemData(sel, kItemDataRole).toULongLong());
        return;
    }
    int found = -1;
    for (int i = 0; i < combo->count() && found < 0; ++i) {
        if (static_cast<DWORD_PTR>(combo->itemData(i, kItemDataRole).toULongLong()) == value)
            found = i;
    }
    SetComboSelection(combo, found);
}

void DDX_LBSelIndexes(CDataExchange* pDX, int nIDC, CUIntArray& indexes)
{
    auto* list = qobject_cast<QListWidget*>(pDX->PrepareCtrl(nIDC));
    if (!list)
        return;
    if (pDX->m_bSaveAndValidate) {
        indexes.RemoveAll();
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->isSelected())
                indexes.Add(static_cast<UINT>(i));
        }
        return;
    }
    QSignalBlocker block(list);
    list->clearSelection();
    for (UINT i : indexes) {
        if (static_cast<int>(i) < list->count())
            list->item(static_cast<int>(i))->setSelected(true);
    }
}

void DDX_LBSelItemData(CDataExchange* pDX, int nIDC, CTypedArray<DWORD_PTR>& data)
{
    auto* list = qobject_cast<QListWidget*>(pDX->PrepareCtrl(nIDC));
    if (!list)
        return;
    auto dataOf = [list](int i) { return static_cast<DWORD_PTR>(list->item(i)->data(kItemDataRole).toULongLong()); };
    if (pDX->m_bSaveAndValidate) {
        data.RemoveAll();
        for (int i = 0; i < list->count(); ++i) {
            if (list->item(i)->isSelected())
                data.Add(dataOf(i));
        }
        return;
    }
    QSignalBlocker block(list);
    list->clearSelection();
    for (int i = 0; i < list->count(); ++i) {
        if (std::find(data.begin(), data.end(), dataOf(i)) != data.end())
            list->item(i)->setSelected(true);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& ctrl)
{
    if (pDX->m_pDlgWnd->GetDlgItem(nIDC) != ctrl.GetWidget())
        pDX->m_pDlgWnd->RegisterControl(nIDC, ctrl.GetWidget());
}

// --- validation -------------------------------------------------------------------------------

namespace {

template <typename T>
void CheckRange(CDataExchange* pDX, T value, T minVal, T maxVal, const char* format)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        pDX->Fail(CString::Formatted(format, minVal, maxVal));
}

} // namespace

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, "Please enter an integer between %d and %d.");
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, "Please enter an integer between %u and %u.");
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, "Please enter an integer between %ld and %ld.");
}

void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal)
{
    CheckRange(pDX, value, minVal, maxVal, "Please enter a number between %g and %g.");
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (!pDX->m_pLastControl)
        return;
    if (!pDX->m_bSaveAndValidate) {
        if (auto* e = qobject_cast<QLineEdit*>(pDX->m_pLastControl))
            e->setMaxLength(nChars);
        else if (auto* c = qobject_cast<QComboBox*>(pDX->m_pLastControl); c && c->lineEdit())
            c->lineEdit()->setMaxLength(nChars);
        return;
    }
    if (value.GetLength() > nChars)
        pDX->Fail(CString::Formatted("Please enter no more than %d characters.", nChars));
}
