#include "platform/ui/ListBox.h"

#include "platform/ui/QtString.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QSignalBlocker>

#include <algorithm>
#include <utility>

CListBox::CListBox(QWidget* parent, BOOL bMultiSel, BOOL bSort)
    : QListWidget(parent), CWnd(this), m_bMultiSel(bMultiSel), m_bSort(bSort)
{
    SetMultiSel(bMultiSel);
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemSelectionChanged, NotifyContext(), [this] { NotifyParent(LBN_SELCHANGE); });
    connect(this, &QListWidget::itemDoubleClicked, NotifyContext(), [this] { NotifyParent(LBN_DBLCLK); });
}

namespace {

// Draws an item's text part by part, each tab going on to the next stop; an item is at least
// as wide as the list's horizontal extent.
class CTabStopDelegate : public QStyledItemDelegate {
public:
    CTabStopDelegate(QObject* parent, std::vector<int> stops, int nExtent)
        : QStyledItemDelegate(parent), m_stops(std::move(stops)), m_nExtent(nExtent)
    {
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem o(option);
        initStyleOption(&o, index);
        if (m_stops.empty()) {
            QStyledItemDelegate::paint(p, o, index);
            return;
        }
        const QString text = o.text;
        o.text.clear();
        QStyle* style = o.widget ? o.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &o, p, o.widget);
        QRect r = style->subElementRect(QStyle::SE_ItemViewItemText, &o, o.widget);
        const BOOL selected = (o.state & QStyle::State_Selected) != 0;
        p->save();
        p->setFont(o.font);
        p->setPen(o.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        QFontMetrics fm(o.font);
        int x = 0;
        const QStringList parts = text.split(QLatin1Char('\t'));
        for (int i = 0; i < parts.size(); ++i) {
            if (i > 0)
                x = NextStop(x);
            p->drawText(QRect(r.left() + x, r.top(), std::max(0, r.width() - x), r.height()),
                        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, parts[i]);
            x += fm.horizontalAdvance(parts[i]);
        }
        p->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setWidth(std::max(size.width(), m_nExtent));
        return size;
    }

private:
    // The first stop past x.
    int NextStop(int x) const
    {
        for (int stop : m_stops)
            if (stop > x)
                return stop;
        const int last = m_stops.back();
        const int step = std::max(1, m_stops.size() > 1 ? last - m_stops[m_stops.size() - 2] : last);
        return last + ((x - last) / step + 1) * step;
    }

    std::vector<int> m_stops;
    int m_nExtent;
};

} // namespace

void CListBox::SetTabStops(int nDialogUnits)
{
    m_tabStops.clear();
    m_nTabStop = nDialogUnits <= 0 ? 0 : std::max(1, nDialogUnits * DialogBaseUnitX(font()) / 4);
    if (m_nTabStop > 0)
        m_tabStops.push_back(m_nTabStop);
    ApplyTabStops();
}

void CListBox::SetTabStops(int nTabStops, const int* rgTabStops)
{
    m_tabStops.clear();
    const int unit = DialogBaseUnitX(font());
    for (int i = 0; rgTabStops && i < nTabStops; ++i) {
        const int px = std::max(1, rgTabStops[i] * unit / 4);
        // Stops that do not grow would send a tab backwards.
        if (m_tabStops.empty() || px > m_tabStops.back())
            m_tabStops.push_back(px);
    }
    m_nTabStop = m_tabStops.empty() ? 0 : m_tabStops.front();
    ApplyTabStops();
}

void CListBox::SetHorizontalExtent(int cxExtent)
{
    m_nHorizontalExtent = std::max(0, cxExtent);
    ApplyTabStops();
}

void CListBox::ApplyTabStops()
{
    QAbstractItemDelegate* old = itemDelegate();
    if (m_tabStops.empty() && m_nHorizontalExtent == 0)
        setItemDelegate(new QStyledItemDelegate(this));
    else
        setItemDelegate(new CTabStopDelegate(this, m_tabStops, m_nHorizontalExtent));
    if (old && old->parent() == this)
        old->deleteLater();
    // Uniform sizes keep the first item's width: the extent must reach the scroll range.
    doItemsLayout();
    viewport()->update();
}

void CListBox::SetMultiSel(BOOL bMultiSel)
{
    m_bMultiSel = bMultiSel;
    setSelectionMode(bMultiSel ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

QListWidgetItem* CListBox::Item(int nIndex) const
{
    return nIndex >= 0 && nIndex < count() ? item(nIndex) : nullptr;
}

int SortedItemIndex(int nCount, const std::function<CString(int)>& textOf, const char* text)
{
    // The first item that sorts after the new text: equal texts keep their order of adding.
    int lo = 0, hi = nCount;
    while (lo < hi) {
        int mid = (lo + hi) / 2;
        if (textOf(mid).CompareNoCase(text) <= 0)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int CListBox::AddString(const char* text)
{
    int at = m_bSort ? SortedItemIndex(count(), [this](int i) { return GetText(i); }, text) : count();
    return InsertString(at, text);
}

int CListBox::InsertString(int nIndex, const char* text)
{
    if (nIndex < 0)
        nIndex = count();
    if (nIndex > count())
        return LB_ERR;
    QSignalBlocker block(this);
    auto* it = new QListWidgetItem(ToQString(text));
    it->setData(kItemDataRole, QVariant::fromValue<qulonglong>(0));
    insertItem(nIndex, it);
    return nIndex;
}

int CListBox::AddStringW(const QString& text)
{
    const int at = InsertString(-1, "");
    QSignalBlocker block(this);
    item(at)->setText(text);
    return at;
}

int CListBox::DeleteString(int nIndex)
{
    QListWidgetItem* it = Item(nIndex);
    if (!it)
        return LB_ERR;
    QSignalBlocker block(this);
    delete takeItem(nIndex);
    return count();
}

void CListBox::ResetContent()
{
    QSignalBlocker block(this);
    clear();
}

int CListBox::GetText(int nIndex, CString& text) const
{
    QListWidgetItem* it = Item(nIndex);
    if (!it) {
        text.Empty();
        return LB_ERR;
    }
    text = FromQString(it->text());
    return text.GetLength();
}

CString CListBox::GetText(int nIndex) const
{
    CString text;
    GetText(nIndex, text);
    return text;
}

int CListBox::GetTextLen(int nIndex) const
{
    CString text;
    return GetText(nIndex, text);
}

int CListBox::SetItemData(int nIndex, DWORD_PTR data)
{
    QListWidgetItem* it = Item(nIndex);
    if (!it)
        return LB_ERR;
    it->setData(kItemDataRole, QVariant::fromValue<qulonglong>(data));
    return 0;
}

DWORD_PTR CListBox::GetItemData(int nIndex) const
{
    QListWidgetItem* it = Item(nIndex);
    return it ? static_cast<DWORD_PTR>(it->data(kItemDataRole).toULongLong()) : static_cast<DWORD_PTR>(LB_ERR);
}

void* CListBox::GetItemDataPtr(int nIndex) const
{
    return Item(nIndex) ? reinterpret_cast<void*>(GetItemData(nIndex)) : reinterpret_cast<void*>(-1);
}

int CListBox::GetCurSel() const
{
    if (m_bMultiSel)
        return GetCaretIndex();
    QList<QListWidgetItem*> sel = selectedItems();
    return sel.isEmpty() ? LB_ERR : row(sel.first());
}

int CListBox::SetCurSel(int nIndex)
{
    QSignalBlocker block(this);
    if (nIndex < 0) {
        clearSelection();
        setCurrentRow(-1, QItemSelectionModel::NoUpdate);
        return LB_ERR;
    }
    if (!Item(nIndex))
        return LB_ERR;
    setCurrentRow(nIndex, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(nIndex));
    return nIndex;
}

int CListBox::GetSel(int nIndex) const
{
    QListWidgetItem* it = Item(nIndex);
    if (!it)
        return LB_ERR;
    return it->isSelected() ? 1 : 0;
}

int CListBox::SetSel(int nIndex, BOOL bSelect)
{
    QSignalBlocker block(this);
    if (nIndex == -1) {
        for (int i = 0; i < count(); ++i)
            item(i)->setSelected(bSelect != FALSE);
        return 0;
    }
    QListWidgetItem* it = Item(nIndex);
    if (!it)
        return LB_ERR;
    if (!m_bMultiSel && bSelect)
        clearSelection();
    it->setSelected(bSelect != FALSE);
    return 0;
}

int CListBox::GetSelCount() const
{
    int n = 0;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->isSelected())
            ++n;
    }
    return n;
}

int CListBox::GetSelItems(int nMaxItems, int* pIndex) const
{
    int n = 0;
    for (int i = 0; i < count() && n < nMaxItems; ++i) {
        if (item(i)->isSelected())
            pIndex[n++] = i;
    }
    return n;
}

int CListBox::GetCaretIndex() const
{
    int r = currentRow();
    return r < 0 ? LB_ERR : r;
}

int CListBox::SetCaretIndex(int nIndex)
{
    if (!Item(nIndex))
        return LB_ERR;
    QSignalBlocker block(this);
    setCurrentRow(nIndex, QItemSelectionModel::NoUpdate);
    return 0;
}

int FindItemText(int nCount, const std::function<CString(int)>& textOf, int nStartAfter, const char* text,
                 BOOL bExact)
{
    if (nCount <= 0)
        return -1;
    CString want(text);
    int start = (nStartAfter < 0 || nStartAfter >= nCount) ? 0 : nStartAfter + 1;
    for (int k = 0; k < nCount; ++k) {
        int i = (start + k) % nCount;
        CString s = textOf(i);
        if (bExact ? s.CompareNoCase(want) == 0
                   : s.GetLength() >= want.GetLength() && s.Left(want.GetLength()).CompareNoCase(want) == 0)
            return i;
    }
    return -1;
}

int CListBox::FindString(int nStartAfter, const char* text) const
{
    return FindItemText(count(), [this](int i) { return GetText(i); }, nStartAfter, text, FALSE);
}

int CListBox::FindStringExact(int nStartAfter, const char* text) const
{
    return FindItemText(count(), [this](int i) { return GetText(i); }, nStartAfter, text, TRUE);
}

int CListBox::SelectString(int nStartAfter, const char* text)
{
    int i = FindString(nStartAfter, text);
    if (i != LB_ERR)
        SetCurSel(i);
    return i;
}

int CListBox::GetTopIndex() const
{
    QListWidgetItem* it = itemAt(0, 0);
    return it ? row(it) : 0;
}

int CListBox::SetTopIndex(int nIndex)
{
    QListWidgetItem* it = Item(nIndex);
    if (!it)
        return LB_ERR;
    scrollToItem(it, QAbstractItemView::PositionAtTop);
    return 0;
}

int CListBox::GetItemRect(int nIndex, RECT* pRect) const
{
    QListWidgetItem* it = Item(nIndex);
    if (!it)
        return LB_ERR;
    QRect r = visualItemRect(it);
    *pRect = CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    return 0;
}

void CListBox::GetItemsArea(RECT* pRect) const
{
    QRect r = viewport()->rect();
    *pRect = CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

CString CListBox::GetWindowText() const
{
    int sel = m_bMultiSel ? GetCaretIndex() : GetCurSel();
    return sel == LB_ERR ? CString() : GetText(sel);
}
