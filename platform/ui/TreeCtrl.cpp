#include "platform/ui/TreeCtrl.h"

#include "platform/ui/ImageList.h"
#include "platform/ui/Keys.h"
#include "platform/ui/QtString.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTreeWidgetItemIterator>

#include <cstdint>

HTREEITEM const TVI_FIRST = reinterpret_cast<HTREEITEM>(static_cast<std::uintptr_t>(-0x10000));
HTREEITEM const TVI_LAST = reinterpret_cast<HTREEITEM>(static_cast<std::uintptr_t>(-0xFFFF));
HTREEITEM const TVI_SORT = reinterpret_cast<HTREEITEM>(static_cast<std::uintptr_t>(-0xFFFD));

namespace {
constexpr int kDataRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kSelImageRole = Qt::UserRole + 2;

// Whether item is inside the subtree of root (root itself included).
bool IsInside(const QTreeWidgetItem* item, const QTreeWidgetItem* root)
{
    for (; item; item = item->parent()) {
        if (item == root)
            return true;
    }
    return false;
}
} // namespace

// The label edit: the tree decides whether the edited text is taken.
class CTreeLabelDelegate : public QStyledItemDelegate {
public:
    explicit CTreeLabelDelegate(CTreeCtrl* tree) : QStyledItemDelegate(tree), m_pTree(tree) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
        m_pTree->m_pEdit = qobject_cast<QLineEdit*>(w);
        return w;
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const override
    {
        auto* edit = qobject_cast<QLineEdit*>(editor);
        CString text = edit ? FromQString(edit->text()) : CString();
        m_pTree->FinishLabelEdit(&text);
    }

private:
    CTreeCtrl* m_pTree;
};

CTreeCtrl::CTreeCtrl(QWidget* parent) : QTreeWidget(parent), CWnd(this)
{
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setUniformRowHeights(true);
    setExpandsOnDoubleClick(false);
    setDragEnabled(false);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setItemDelegate(new CTreeLabelDelegate(this));

    connect(this, &QTreeWidget::itemExpanded, NotifyContext(),
            [this](QTreeWidgetItem* it) { OnQtExpanded(it, TRUE); });
    connect(this, &QTreeWidget::itemCollapsed, NotifyContext(),
            [this](QTreeWidgetItem* it) { OnQtExpanded(it, FALSE); });
    connect(this, &QTreeWidget::currentItemChanged, NotifyContext(),
            [this](QTreeWidgetItem* c, QTreeWidgetItem* p) { OnQtCurrentChanged(c, p); });
    // Selecting the item that is current already (the first item takes the focus unselected)
    // changes no current item, but it is a new selection all the same.
    connect(this, &QTreeWidget::itemSelectionChanged, NotifyContext(), [this] {
        HTREEITEM sel = GetSelectedItem();
        if (sel && sel != m_hNotified)
            NotifySelChanged(m_hNotified, sel);
    });
    connect(itemDelegate(), &QAbstractItemDelegate::closeEditor, NotifyContext(), [this](QWidget*) {
        // An edit closed without its text taken (Esc, or focus lost with a revert) was cancelled.
        if (m_hEditItem)
            FinishLabelEdit(nullptr);
    });
}

CTreeCtrl::~CTreeCtrl()
{
    m_hEditItem = nullptr;
}

void CTreeCtrl::SetImageList(CImageList* pImages)
{
    m_pImages = pImages;
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        ApplyIcon(*it);
}

void CTreeCtrl::ApplyIcon(HTREEITEM hItem)
{
    bool selected = hItem == currentItem();
    int image = hItem->data(0, selected ? kSelImageRole : kImageRole).toInt();
    hItem->setIcon(0, m_pImages ? m_pImages->GetIcon(image) : QIcon());
}

BOOL CTreeCtrl::IsItem(HTREEITEM hItem) const
{
    return hItem && hItem != TVI_FIRST && hItem != TVI_LAST && hItem != TVI_SORT && hItem->treeWidget() == this;
}

// --- items ------------------------------------------------------------------------------------

HTREEITEM CTreeCtrl::InsertItem(LPCSTR text, int nImage, int nSelectedImage, HTREEITEM hParent,
                                HTREEITEM hInsertAfter)
{
    if (hParent && !IsItem(hParent))
        return nullptr;
    QTreeWidgetItem* root = hParent ? hParent : invisibleRootItem();
    const int n = root->childCount();
    int index = n;
    CString label(text);
    if (hInsertAfter == TVI_FIRST) {
        index = 0;
    } else if (hInsertAfter == TVI_SORT) {
        // After the last sibling that is not greater.
        int lo = 0;
        int hi = n;
        while (lo < hi) {
            int mid = (lo + hi) / 2;
            if (FromQString(root->child(mid)->text(0)).CompareNoCase(label) <= 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        index = lo;
    } else if (hInsertAfter && hInsertAfter != TVI_LAST) {
        if (hInsertAfter->parent() != hParent || !IsItem(hInsertAfter))
            return nullptr;
        index = RowOf(hInsertAfter) + 1;
    }
    auto* item = new QTreeWidgetItem();
    item->setText(0, ToQString(label));
    item->setData(0, kDataRole, QVariant::fromValue<qulonglong>(0));
    item->setData(0, kImageRole, nImage);
    item->setData(0, kSelImageRole, nSelectedImage < 0 ? nImage : nSelectedImage);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    root->insertChild(index, item);
    ApplyIcon(item);
    return item;
}

void CTreeCtrl::AppendItems(HTREEITEM hParent, const std::vector<CNewItem>& items)
{
    if (hParent && !IsItem(hParent))
        return;
    QList<QTreeWidgetItem*> list;
    list.reserve(static_cast<qsizetype>(items.size()));
    for (const CNewItem& n : items) {
        auto* item = new QTreeWidgetItem();
        item->setText(0, ToQString(n.text));
        item->setData(0, kDataRole, QVariant::fromValue<qulonglong>(n.data));
        item->setData(0, kImageRole, n.nImage);
        item->setData(0, kSelImageRole, n.nSelectedImage < 0 ? n.nImage : n.nSelectedImage);
        item->setChildIndicatorPolicy(n.bChildren ? QTreeWidgetItem::ShowIndicator
                                                  : QTreeWidgetItem::DontShowIndicatorWhenChildless);
        item->setIcon(0, m_pImages ? m_pImages->GetIcon(n.nImage) : QIcon());
        list.append(item);
    }
    (hParent ? hParent : invisibleRootItem())->addChildren(list);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM hItem)
{
    if (!IsItem(hItem))
        return FALSE;
    if (m_hEditItem && IsInside(m_hEditItem, hItem))
        EndEditLabelNow(TRUE);
    if (m_hDropHilite && IsInside(m_hDropHilite, hItem))
        m_hDropHilite = nullptr;
    if (m_hPressItem && IsInside(m_hPressItem, hItem))
        m_hPressItem = nullptr;
    if (m_hNotified && IsInside(m_hNotified, hItem))
        m_hNotified = nullptr;
    delete hItem;
    return TRUE;
}

BOOL CTreeCtrl::DeleteAllItems()
{
    if (m_hEditItem)
        EndEditLabelNow(TRUE);
    m_hDropHilite = nullptr;
    m_hPressItem = nullptr;
    m_hNotified = nullptr;
    clear();
    return TRUE;
}

UINT CTreeCtrl::GetCount() const
{
    UINT n = 0;
    for (QTreeWidgetItemIterator it(const_cast<CTreeCtrl*>(this)); *it; ++it)
        ++n;
    return n;
}

CString CTreeCtrl::GetItemText(HTREEITEM hItem) const
{
    return IsItem(hItem) ? FromQString(hItem->text(0)) : CString();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM hItem, LPCSTR text)
{
    if (!IsItem(hItem))
        return FALSE;
    hItem->setText(0, ToQString(text));
    return TRUE;
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM hItem) const
{
    return IsItem(hItem) ? static_cast<DWORD_PTR>(hItem->data(0, kDataRole).toULongLong()) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM hItem, DWORD_PTR data)
{
    if (!IsItem(hItem))
        return FALSE;
    hItem->setData(0, kDataRole, QVariant::fromValue<qulonglong>(data));
    return TRUE;
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage) const
{
    if (!IsItem(hItem))
        return FALSE;
    nImage = hItem->data(0, kImageRole).toInt();
    nSelectedImage = hItem->data(0, kSelImageRole).toInt();
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    if (!IsItem(hItem))
        return FALSE;
    hItem->setData(0, kImageRole, nImage);
    hItem->setData(0, kSelImageRole, nSelectedImage);
    ApplyIcon(hItem);
    return TRUE;
}

// --- family -----------------------------------------------------------------------------------

int CTreeCtrl::RowOf(HTREEITEM hItem) const
{
    // The model remembers where it last found an item, so walking siblings stays linear where
    // a search of the parent's children for each would not.
    return indexFromItem(hItem).row();
}

HTREEITEM CTreeCtrl::GetRootItem() const
{
    return topLevelItemCount() ? topLevelItem(0) : nullptr;
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM hItem) const
{
    if (!hItem)
        return GetRootItem();
    return IsItem(hItem) && hItem->childCount() ? hItem->child(0) : nullptr;
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM hItem) const
{
    if (!IsItem(hItem))
        return nullptr;
    QTreeWidgetItem* root = hItem->parent() ? hItem->parent() : invisibleRootItem();
    int i = RowOf(hItem);
    return i >= 0 && i + 1 < root->childCount() ? root->child(i + 1) : nullptr;
}

HTREEITEM CTreeCtrl::GetPrevSiblingItem(HTREEITEM hItem) const
{
    if (!IsItem(hItem))
        return nullptr;
    QTreeWidgetItem* root = hItem->parent() ? hItem->parent() : invisibleRootItem();
    int i = RowOf(hItem);
    return i > 0 ? root->child(i - 1) : nullptr;
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM hItem) const
{
    return IsItem(hItem) ? hItem->parent() : nullptr;
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM hItem) const
{
    if (!IsItem(hItem))
        return FALSE;
    return hItem->childCount() > 0 || hItem->childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
}

BOOL CTreeCtrl::SetItemChildren(HTREEITEM hItem, BOOL bChildren)
{
    if (!IsItem(hItem))
        return FALSE;
    hItem->setChildIndicatorPolicy(bChildren ? QTreeWidgetItem::ShowIndicator
                                             : QTreeWidgetItem::DontShowIndicatorWhenChildless);
    return TRUE;
}

BOOL CTreeCtrl::SortChildren(HTREEITEM hItem)
{
    if (hItem && !IsItem(hItem))
        return FALSE;
    QTreeWidgetItem* root = hItem ? hItem : invisibleRootItem();
    QList<QTreeWidgetItem*> kids = root->takeChildren();
    std::stable_sort(kids.begin(), kids.end(), [](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        return FromQString(a->text(0)).CompareNoCase(FromQString(b->text(0))) < 0;
    });
    root->addChildren(kids);
    return TRUE;
}

// --- selection and states ---------------------------------------------------------------------

HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    QTreeWidgetItem* it = currentItem();
    return it && it->isSelected() ? it : nullptr;
}

BOOL CTreeCtrl::SelectItem(HTREEITEM hItem)
{
    if (!hItem) {
        QTreeWidgetItem* old = currentItem();
        clearSelection();
        setCurrentItem(nullptr);
        if (old)
            ApplyIcon(old);
        return TRUE;
    }
    if (!IsItem(hItem))
        return FALSE;
    setCurrentItem(hItem);
    hItem->setSelected(true);
    return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM hItem, UINT nStateMask) const
{
    if (!IsItem(hItem))
        return 0;
    UINT state = 0;
    if (hItem->isSelected())
        state |= TVIS_SELECTED;
    if (hItem->isExpanded())
        state |= TVIS_EXPANDED;
    if (hItem == m_hDropHilite)
        state |= TVIS_DROPHILITED;
    return state & nStateMask;
}

BOOL CTreeCtrl::Expand(HTREEITEM hItem, UINT nCode)
{
    if (!IsItem(hItem))
        return FALSE;
    bool expand = nCode == TVE_EXPAND || (nCode == TVE_TOGGLE && !hItem->isExpanded());
    if (nCode != TVE_EXPAND && nCode != TVE_COLLAPSE && nCode != TVE_TOGGLE)
        return FALSE;
    if (expand == hItem->isExpanded())
        return TRUE;
    NMTREEVIEW nm;
    nm.action = expand ? TVE_EXPAND : TVE_COLLAPSE;
    nm.itemNew = hItem;
    if (OnItemExpanding(&nm) || NotifyParent(TVN_ITEMEXPANDING, &nm) == 2)
        return FALSE;
    if (expand && hItem->childCount() == 0)
        return FALSE;  // nothing came to show
    ++m_nExpanding;
    hItem->setExpanded(expand);
    --m_nExpanding;
    OnItemExpanded(&nm);
    NotifyParent(TVN_ITEMEXPANDED, &nm);
    return TRUE;
}

void CTreeCtrl::OnQtExpanded(HTREEITEM hItem, BOOL bExpanded)
{
    if (m_nExpanding)
        return;
    // The user opened or closed it (its button, the keys): the control hears of it after Qt.
    NMTREEVIEW nm;
    nm.action = bExpanded ? TVE_EXPAND : TVE_COLLAPSE;
    nm.itemNew = hItem;
    if (OnItemExpanding(&nm) || (bExpanded && hItem->childCount() == 0)) {
        ++m_nExpanding;
        hItem->setExpanded(!bExpanded);
        --m_nExpanding;
        return;
    }
    NotifyParent(TVN_ITEMEXPANDING, &nm);
    OnItemExpanded(&nm);
    NotifyParent(TVN_ITEMEXPANDED, &nm);
}

void CTreeCtrl::OnQtCurrentChanged(HTREEITEM current, HTREEITEM previous)
{
    if (previous)
        ApplyIcon(previous);
    if (current)
        ApplyIcon(current);
    // The selection that came with it was told already.
    if (current && current == m_hNotified && current->isSelected())
        return;
    NotifySelChanged(previous, current);
}

void CTreeCtrl::NotifySelChanged(HTREEITEM previous, HTREEITEM current)
{
    m_hNotified = current && current->isSelected() ? current : nullptr;
    NMTREEVIEW nm;
    nm.itemOld = previous;
    nm.itemNew = current;
    OnSelChanged(&nm);
    NotifyParent(TVN_SELCHANGED, &nm);
}

BOOL CTreeCtrl::SelectDropTarget(HTREEITEM hItem)
{
    if (hItem && !IsItem(hItem))
        return FALSE;
    if (m_hDropHilite == hItem)
        return TRUE;
    if (m_hDropHilite) {
        m_hDropHilite->setBackground(0, QBrush());
        m_hDropHilite->setForeground(0, QBrush());
    }
    m_hDropHilite = hItem;
    if (hItem) {
        hItem->setBackground(0, palette().brush(QPalette::Highlight));
        hItem->setForeground(0, palette().brush(QPalette::HighlightedText));
    }
    return TRUE;
}

// --- geometry ---------------------------------------------------------------------------------

HTREEITEM CTreeCtrl::HitTest(POINT pt, UINT* pFlags) const
{
    UINT flags = 0;
    QRect area = viewport()->rect();
    if (pt.y < area.top())
        flags |= TVHT_ABOVE;
    else if (pt.y >= area.bottom() + 1)
        flags |= TVHT_BELOW;
    if (pt.x < area.left())
        flags |= TVHT_TOLEFT;
    else if (pt.x >= area.right() + 1)
        flags |= TVHT_TORIGHT;
    QTreeWidgetItem* it = flags ? nullptr : itemAt(pt.x, pt.y);
    if (it) {
        QRect r = visualItemRect(it);
        if (pt.x < r.left())
            flags |= r.left() - pt.x <= indentation() ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
        else if (pt.x > r.right())
            flags |= TVHT_ONITEMRIGHT;
        else
            flags |= TVHT_ONITEM;
    } else if (!flags) {
        flags = TVHT_NOWHERE;
    }
    if (pFlags)
        *pFlags = flags;
    return it;
}

HTREEITEM CTreeCtrl::GetFirstVisibleItem() const
{
    return itemAt(1, 1);
}

HTREEITEM CTreeCtrl::GetNextVisibleItem(HTREEITEM hItem) const
{
    return IsItem(hItem) ? itemBelow(hItem) : nullptr;
}

HTREEITEM CTreeCtrl::GetPrevVisibleItem(HTREEITEM hItem) const
{
    return IsItem(hItem) ? itemAbove(hItem) : nullptr;
}

int CTreeCtrl::GetItemHeight() const
{
    int h = 0;
    if (QTreeWidgetItem* first = topLevelItemCount() ? topLevelItem(0) : nullptr)
        h = rowHeight(indexFromItem(first));
    return h > 0 ? h : fontMetrics().height() + 4;
}

UINT CTreeCtrl::GetVisibleCount() const
{
    int h = GetItemHeight();
    return h > 0 ? static_cast<UINT>(viewport()->height() / h) : 0;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM hItem, RECT* pRect, BOOL bTextOnly) const
{
    if (!IsItem(hItem) || !pRect)
        return FALSE;
    QRect r = visualItemRect(hItem);
    if (!bTextOnly) {
        r.setLeft(0);
        r.setRight(viewport()->width() - 1);
    }
    *pRect = CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    return !r.isEmpty();
}

BOOL CTreeCtrl::EnsureVisible(HTREEITEM hItem)
{
    if (!IsItem(hItem))
        return FALSE;
    for (QTreeWidgetItem* p = hItem->parent(); p; p = p->parent()) {
        if (!p->isExpanded())
            Expand(p, TVE_EXPAND);
    }
    scrollToItem(hItem);
    return TRUE;
}

void CTreeCtrl::ScrollLines(int nLines)
{
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + nLines * bar->singleStep());
}

// --- label editing ----------------------------------------------------------------------------

QLineEdit* CTreeCtrl::EditLabel(HTREEITEM hItem)
{
    if (!IsItem(hItem) || m_hEditItem)
        return nullptr;
    NMTREEVIEW nm;
    nm.itemNew = hItem;
    nm.text = GetItemText(hItem);
    if (OnBeginLabelEdit(&nm) || NotifyParent(TVN_BEGINLABELEDIT, &nm) == 2)
        return nullptr;
    m_hEditItem = hItem;
    hItem->setFlags(hItem->flags() | Qt::ItemIsEditable);
    scrollToItem(hItem);
    editItem(hItem, 0);
    hItem->setFlags(hItem->flags() & ~Qt::ItemIsEditable);
    if (!m_pEdit) {
        m_hEditItem = nullptr;
        return nullptr;
    }
    return m_pEdit;
}

void CTreeCtrl::EndEditLabelNow(BOOL bCancel)
{
    if (!m_hEditItem)
        return;
    QLineEdit* edit = m_pEdit;
    if (!edit) {
        FinishLabelEdit(nullptr);
        return;
    }
    if (!bCancel)
        commitData(edit);
    // The edit closes; a commit above already ended the label edit.
    closeEditor(edit, QAbstractItemDelegate::NoHint);
    if (m_hEditItem)
        FinishLabelEdit(nullptr);
}

void CTreeCtrl::FinishLabelEdit(const CString* pText)
{
    HTREEITEM hItem = m_hEditItem;
    if (!hItem)
        return;
    m_hEditItem = nullptr;
    NMTREEVIEW nm;
    nm.itemNew = hItem;
    nm.bCancelled = pText == nullptr;
    if (pText)
        nm.text = *pText;
    BOOL take = OnEndLabelEdit(&nm);
    NotifyParent(TVN_ENDLABELEDIT, &nm);
    // The handler may have deleted or refilled items; the item is taken only while it stands.
    if (take && pText && IsItem(hItem)) {
        bool exists = false;
        for (QTreeWidgetItemIterator it(this); *it; ++it) {
            if (*it == hItem) {
                exists = true;
                break;
            }
        }
        if (exists)
            hItem->setText(0, ToQString(*pText));
    }
}

// --- input ------------------------------------------------------------------------------------

void CTreeCtrl::Default()
{
    QMouseEvent* e = m_pMouseEvent;
    if (!e)
        return;
    switch (e->type()) {
    case QEvent::MouseButtonPress: QTreeWidget::mousePressEvent(e); break;
    case QEvent::MouseButtonRelease: QTreeWidget::mouseReleaseEvent(e); break;
    case QEvent::MouseButtonDblClick: QTreeWidget::mouseDoubleClickEvent(e); break;
    case QEvent::MouseMove: QTreeWidget::mouseMoveEvent(e); break;
    default: break;
    }
}

void CTreeCtrl::OnLButtonDown(UINT, CPoint) { Default(); }
void CTreeCtrl::OnLButtonUp(UINT, CPoint) { Default(); }
void CTreeCtrl::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CTreeCtrl::OnRButtonDown(UINT, CPoint) { Default(); }
void CTreeCtrl::OnMouseMove(UINT, CPoint) { Default(); }

namespace {
CPoint PointOf(const QMouseEvent* e)
{
    QPoint p = e->position().toPoint();
    return CPoint(p.x(), p.y());
}
} // namespace

void CTreeCtrl::RunMouse(QMouseEvent* e, void (CTreeCtrl::*handler)(UINT, CPoint))
{
    // Default() inside the handler reaches this event; a nested one is put back after.
    QMouseEvent* outer = m_pMouseEvent;
    m_pMouseEvent = e;
    (this->*handler)(MouseFlagsOf(e), PointOf(e));
    m_pMouseEvent = outer;
}

void CTreeCtrl::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        m_pressPos = e->position().toPoint();
        m_hPressItem = itemAt(m_pressPos);
        m_bDragAnnounced = FALSE;
        RunMouse(e, &CTreeCtrl::OnLButtonDown);
    } else if (e->button() == Qt::RightButton) {
        RunMouse(e, &CTreeCtrl::OnRButtonDown);
    } else {
        QTreeWidget::mousePressEvent(e);
    }
}

void CTreeCtrl::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        QTreeWidget::mouseReleaseEvent(e);
        return;
    }
    m_hPressItem = nullptr;
    RunMouse(e, &CTreeCtrl::OnLButtonUp);
}

void CTreeCtrl::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton)
        RunMouse(e, &CTreeCtrl::OnLButtonDblClk);
    else
        QTreeWidget::mouseDoubleClickEvent(e);
}

void CTreeCtrl::mouseMoveEvent(QMouseEvent* e)
{
    // An item pulled further than the drag distance with the left button starts a drag.
    if ((e->buttons() & Qt::LeftButton) && m_hPressItem && !m_bDragAnnounced &&
        (e->position().toPoint() - m_pressPos).manhattanLength() >= QApplication::startDragDistance()) {
        m_bDragAnnounced = TRUE;
        NMTREEVIEW nm;
        nm.itemNew = m_hPressItem;
        nm.ptDrag = CPoint(m_pressPos.x(), m_pressPos.y());
        OnBeginDrag(&nm);
        NotifyParent(TVN_BEGINDRAG, &nm);
    }
    RunMouse(e, &CTreeCtrl::OnMouseMove);
}

void CTreeCtrl::keyPressEvent(QKeyEvent* e)
{
    UINT vk = VirtualKeyOf(e);
    if (vk && OnKeyDown(vk, KeyFlagsOf(e)))
        return;
    QTreeWidget::keyPressEvent(e);
}

void CTreeCtrl::contextMenuEvent(QContextMenuEvent* e)
{
    OnContextMenu(CPoint(e->globalPos().x(), e->globalPos().y()), e->reason() == QContextMenuEvent::Keyboard);
}
