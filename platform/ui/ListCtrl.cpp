#include "platform/ui/ListCtrl.h"

#include "platform/core/Services.h"
#include "platform/ui/DC.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Keys.h"
#include "platform/ui/QtString.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {
constexpr int kDataRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kStateRole = Qt::UserRole + 2;  // states the view does not keep (drop highlight)
// Room around a cell's text, as measured widths leave it.
constexpr int kCellPadding = 12;

// The description of a widget's font; its height is the em height in the widget's pixels.
LOGFONT LogFontOf(const QFont& font, int dpiY)
{
    LOGFONT lf;
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dpiY / 72.0;
    lf.lfHeight = -std::max(1, qRound(pixels));
    lf.lfWeight = static_cast<LONG>(font.weight());
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    SetLogFontFaceName(lf, FromQString(font.family()));
    return lf;
}

Qt::Alignment AlignmentOf(int nFormat)
{
    switch (nFormat & 3) {
    case LVCFMT_RIGHT: return Qt::AlignRight | Qt::AlignVCenter;
    case LVCFMT_CENTER: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}
} // namespace

// Cells of a path column keep the path's last name when cut.
class CListCellDelegate : public QStyledItemDelegate {
public:
    explicit CListCellDelegate(CListCtrl* list) : QStyledItemDelegate(list), m_pList(list) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (m_pList->GetRowHeight() > 0)
            size.setHeight(m_pList->GetRowHeight());
        return size;
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!(m_pList->GetColumnDrawFormat(index.column()) & DT_PATH_ELLIPSIS))
            return;
        const QFontMetricsF fm(option->font);
        // The cell's text area: the cell less the margins the style draws text within.
        const int margin = 2 * (m_pList->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_pList) + 1);
        const int width = option->rect.width() - margin;
        std::string text = FromQString(option->text).str();
        option->text = ToQString(CString(
            PathEllipsisText(text, width, [&fm](const std::string& s) { return fm.horizontalAdvance(ToQString(CString(s))); })));
        option->textElideMode = Qt::ElideNone;
    }

private:
    CListCtrl* m_pList;
};

// Headings wider than their columns end in "...", as the platform's do, rather than showing a
// piece of their middle.
class CListHeader : public QHeaderView {
public:
    explicit CListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override
    {
        QHeaderView::initStyleOptionForIndex(option, logicalIndex);
        const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, option, this);
        const int room = sectionSize(logicalIndex) - 2 * margin;
        option->text = option->fontMetrics.elidedText(option->text, Qt::ElideRight, std::max(room, 0));
    }
};

CListCtrl::CListCtrl(QWidget* parent) : QTreeWidget(parent), CWnd(this)
{
    setItemDelegate(new CListCellDelegate(this));
    setColumnCount(0);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setHeader(new CListHeader(this));
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    // Columns stay where the program put them: owner-drawn rows lay their cells out in column
    // order.
    header()->setSectionsMovable(false);
    // Columns as narrow as the program makes them (an icon column of 16, a hidden one of 0).
    header()->setMinimumSectionSize(0);

    connect(this, &QTreeWidget::itemSelectionChanged, NotifyContext(), [this] { OnSelectionChanged(); });
    connect(this, &QTreeWidget::currentItemChanged, NotifyContext(),
            [this](QTreeWidgetItem* c, QTreeWidgetItem* p) { OnCurrentChanged(c, p); });
    connect(header(), &QHeaderView::sectionClicked, NotifyContext(), [this](int col) {
        NMLISTVIEW nm = MakeNotify(-1, col);
        Notify(LVN_COLUMNCLICK, &nm);
    });
    connect(this, &QTreeWidget::itemClicked, NotifyContext(), [this](QTreeWidgetItem* it, int col) {
        NMLISTVIEW nm = MakeNotify(indexOfTopLevelItem(it), col);
        Notify(NM_CLICK, &nm);
    });
    connect(this, &QWidget::customContextMenuRequested, NotifyContext(), [this](const QPoint& p) {
        QTreeWidgetItem* it = itemAt(p);
        NMLISTVIEW nm = MakeNotify(it ? indexOfTopLevelItem(it) : -1, it ? columnAt(p.x()) : 0);
        nm.ptAction.x = p.x();
        nm.ptAction.y = p.y();
        Notify(NM_RCLICK, &nm);
    });
}

CListCtrl::~CListCtrl() = default;

void CListCtrl::SetSingleSelection(BOOL bSingle)
{
    setSelectionMode(bSingle ? QAbstractItemView::SingleSelection : QAbstractItemView::ExtendedSelection);
}

void CListCtrl::SetShowSelAlways(BOOL bAlways)
{
    m_bShowSelAlways = bAlways;
    viewport()->update();
}

void CListCtrl::SetOwnerDraw(BOOL bOwnerDraw)
{
    m_bOwnerDraw = bOwnerDraw;
    SetSmallImageList(m_pSmallImages);
}

CImageList* CListCtrl::SetSmallImageList(CImageList* pList)
{
    CImageList* pOld = m_pSmallImages;
    m_pSmallImages = pList;
    if (pList) {
        std::vector<QIcon> icons;
        for (int i = 0; i < pList->GetImageCount(); ++i)
            icons.push_back(pList->GetIcon(i));
        setIconSize(QSize(pList->GetIconWidth(), pList->GetIconHeight()));
        SetImageList(icons);
    }
    m_nRowHeight = m_bOwnerDraw && pList ? pList->GetIconHeight() : 0;
    doItemsLayout();
    viewport()->update();
    return pOld;
}

BOOL CListCtrl::SetBkColor(COLORREF cr)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColor(GetRValue(cr), GetGValue(cr), GetBValue(cr)));
    setPalette(pal);
    return TRUE;
}

COLORREF CListCtrl::GetBkColor() const
{
    const QColor c = palette().color(QPalette::Base);
    return RGB(c.red(), c.green(), c.blue());
}

CFont* CListCtrl::GetFont()
{
    if (!m_font.GetSafeHandle() || m_fontMade != font()) {
        const LOGFONT lf = LogFontOf(font(), logicalDpiY());
        m_font.CreateFontIndirect(&lf);
        m_fontMade = font();
    }
    return &m_font;
}

BOOL CListCtrl::Notify(UINT nCode, void* pExtra)
{
    if (OnNotifyReflect(nCode, pExtra))
        return TRUE;
    return NotifyParent(nCode, pExtra);
}

QTreeWidgetItem* CListCtrl::Row(int nItem) const
{
    return nItem >= 0 && nItem < topLevelItemCount() ? topLevelItem(nItem) : nullptr;
}

NMLISTVIEW CListCtrl::MakeNotify(int nItem, int nSubItem) const
{
    NMLISTVIEW nm;
    nm.iItem = nItem;
    nm.iSubItem = nSubItem;
    if (QTreeWidgetItem* it = Row(nItem))
        nm.lParam = static_cast<LPARAM>(it->data(0, kDataRole).toULongLong());
    return nm;
}

void CListCtrl::SendItemChanged(int nItem, UINT uChanged, UINT uOld, UINT uNew)
{
    if (m_nQuiet)
        return;
    NMLISTVIEW nm = MakeNotify(nItem, 0);
    nm.uChanged = uChanged;
    nm.uOldState = uOld;
    nm.uNewState = uNew;
    Notify(LVN_ITEMCHANGED, &nm);
}

void CListCtrl::OnSelectionChanged()
{
    std::vector<QTreeWidgetItem*> now;
    std::vector<int> nowRows;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->isSelected()) {
            now.push_back(topLevelItem(i));
            nowRows.push_back(i);
        }
    }
    std::vector<QTreeWidgetItem*> before = std::move(m_lastSelected);
    m_lastSelected = now;
    if (m_nQuiet)
        return;
    // Sets, and the rows' places taken in one walk: a search per row made a change to many
    // rows of a long list quadratic.
    const std::unordered_set<QTreeWidgetItem*> wasSelected(before.begin(), before.end());
    const std::unordered_set<QTreeWidgetItem*> isSelected(now.begin(), now.end());
    std::unordered_map<QTreeWidgetItem*, int> rowOf;
    auto focusBit = [this](QTreeWidgetItem* it) { return it == currentItem() ? LVIS_FOCUSED : 0u; };
    for (QTreeWidgetItem* it : before) {
        if (isSelected.count(it))
            continue;
        if (rowOf.empty()) {
            for (int i = 0; i < topLevelItemCount(); ++i)
                rowOf.emplace(topLevelItem(i), i);
        }
        auto row = rowOf.find(it);
        if (row != rowOf.end())
            SendItemChanged(row->second, LVIF_STATE, LVIS_SELECTED | focusBit(it), focusBit(it));
    }
    for (size_t k = 0; k < now.size(); ++k) {
        if (!wasSelected.count(now[k]))
            SendItemChanged(nowRows[k], LVIF_STATE, focusBit(now[k]), LVIS_SELECTED | focusBit(now[k]));
    }
}

void CListCtrl::OnCurrentChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous)
{
    if (previous && indexOfTopLevelItem(previous) >= 0) {
        UINT sel = previous->isSelected() ? LVIS_SELECTED : 0;
        SendItemChanged(indexOfTopLevelItem(previous), LVIF_STATE, sel | LVIS_FOCUSED, sel);
    }
    if (current) {
        UINT sel = current->isSelected() ? LVIS_SELECTED : 0;
        SendItemChanged(indexOfTopLevelItem(current), LVIF_STATE, sel, sel | LVIS_FOCUSED);
    }
}

void CListCtrl::mouseDoubleClickEvent(QMouseEvent* e)
{
    QTreeWidget::mouseDoubleClickEvent(e);
    QPoint p = e->position().toPoint();
    QTreeWidgetItem* it = itemAt(p);
    NMLISTVIEW nm = MakeNotify(it ? indexOfTopLevelItem(it) : -1, it ? columnAt(p.x()) : 0);
    nm.ptAction.x = p.x();
    nm.ptAction.y = p.y();
    Notify(NM_DBLCLK, &nm);
}

void CListCtrl::mousePressEvent(QMouseEvent* e)
{
    QPoint p = e->position().toPoint();
    QTreeWidgetItem* it = e->button() == Qt::LeftButton ? itemAt(p) : nullptr;
    m_nDragItem = it ? indexOfTopLevelItem(it) : -1;
    m_ptDragStart = p;
    QTreeWidget::mousePressEvent(e);
}

void CListCtrl::mouseMoveEvent(QMouseEvent* e)
{
    QPoint p = e->position().toPoint();
    if (m_nDragItem >= 0 && (e->buttons() & Qt::LeftButton)
        && (p - m_ptDragStart).manhattanLength() >= QApplication::startDragDistance()) {
        NMLISTVIEW nm = MakeNotify(m_nDragItem, 0);
        nm.ptAction.x = m_ptDragStart.x();
        nm.ptAction.y = m_ptDragStart.y();
        m_nDragItem = -1;
        Notify(LVN_BEGINDRAG, &nm);
        return;
    }
    if (!(e->buttons() & Qt::LeftButton))
        m_nDragItem = -1;
    QTreeWidget::mouseMoveEvent(e);
}

void CListCtrl::keyPressEvent(QKeyEvent* e)
{
    NMLVKEYDOWN nk;
    nk.wVKey = VirtualKeyOf(e);
    nk.flags = KeyFlagsOf(e);
    Notify(LVN_KEYDOWN, &nk);
    if (nk.wVKey == VK_F1 && m_dwHelpId) {
        HelpService().ShowTopic(m_dwHelpId);
        e->accept();
        return;
    }
    QTreeWidget::keyPressEvent(e);
}

bool CListCtrl::event(QEvent* e)
{
    if (e->type() == QEvent::ShortcutOverride && m_dwHelpId) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            e->accept();
            return true;
        }
    }
    return QTreeWidget::event(e);
}

void CListCtrl::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    if (!m_bOwnerDraw || index.parent().isValid()) {
        QTreeWidget::drawRow(painter, option, index);
        if (m_bGridLines) {
            painter->save();
            painter->setPen(palette().color(QPalette::Mid));
            const QRect r = option.rect;
            painter->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
            for (int c = 0; c < columnCount(); ++c) {
                const int x = header()->sectionViewportPosition(c) + header()->sectionSize(c) - 1;
                painter->drawLine(x, r.top(), x, r.bottom());
            }
            painter->restore();
        }
        return;
    }
    auto* self = const_cast<CListCtrl*>(this);
    const int nItem = index.row();
    DRAWITEMSTRUCT dis;
    dis.itemID = static_cast<UINT>(nItem);
    if (GetItemState(nItem, LVIS_SELECTED))
        dis.itemState |= ODS_SELECTED;
    if (GetItemState(nItem, LVIS_FOCUSED) && hasFocus())
        dis.itemState |= ODS_FOCUS;
    const int left = -horizontalOffset();
    dis.rcItem = CRect(left, option.rect.top(), left + header()->length(), option.rect.top() + option.rect.height());
    dis.itemData = GetItemData(nItem);
    CDC dc(painter, viewport());
    // As the platform's item context comes: with the control's font, not the device's default.
    dc.SelectObject(self->GetFont());
    dis.pDC = &dc;
    self->DrawItem(&dis);
}

// --- columns ----------------------------------------------------------------------------------

int CListCtrl::InsertColumn(int nCol, const char* heading, int nFormat, int nWidth)
{
    int n = columnCount();
    if (nCol < 0)
        return -1;
    nCol = std::min(nCol, n);
    QTreeWidgetItem* head = headerItem();
    std::vector<int> widths;
    for (int c = 0; c < n; ++c)
        widths.push_back(columnWidth(c));
    setColumnCount(n + 1);
    // Columns after the new one move one place to the right, with their texts.
    for (int c = n; c > nCol; --c) {
        head->setText(c, head->text(c - 1));
        head->setTextAlignment(c, Qt::Alignment(head->textAlignment(c - 1)));
        for (int i = 0; i < topLevelItemCount(); ++i) {
            QTreeWidgetItem* it = topLevelItem(i);
            it->setText(c, it->text(c - 1));
            it->setTextAlignment(c, Qt::Alignment(it->textAlignment(c - 1)));
        }
        setColumnWidth(c, widths[static_cast<size_t>(c - 1)]);
    }
    for (int i = 0; i < topLevelItemCount(); ++i) {
        topLevelItem(i)->setText(nCol, QString());
        topLevelItem(i)->setTextAlignment(nCol, AlignmentOf(nFormat));
    }
    head->setText(nCol, ToQString(heading));
    head->setTextAlignment(nCol, AlignmentOf(nFormat));
    m_formats.insert(m_formats.begin() + nCol, nFormat);
    m_drawFormats.insert(m_drawFormats.begin() + nCol, 0u);
    if (nWidth < 0)
        resizeColumnToContents(nCol);
    else
        setColumnWidth(nCol, nWidth);
    return nCol;
}

BOOL CListCtrl::DeleteColumn(int nCol)
{
    int n = columnCount();
    if (nCol < 0 || nCol >= n)
        return FALSE;
    QTreeWidgetItem* head = headerItem();
    for (int c = nCol; c < n - 1; ++c) {
        head->setText(c, head->text(c + 1));
        head->setTextAlignment(c, Qt::Alignment(head->textAlignment(c + 1)));
        setColumnWidth(c, columnWidth(c + 1));
        for (int i = 0; i < topLevelItemCount(); ++i) {
            QTreeWidgetItem* it = topLevelItem(i);
            it->setText(c, it->text(c + 1));
            it->setTextAlignment(c, Qt::Alignment(it->textAlignment(c + 1)));
        }
    }
    setColumnCount(n - 1);
    m_formats.erase(m_formats.begin() + nCol);
    m_drawFormats.erase(m_drawFormats.begin() + nCol);
    return TRUE;
}

void CListCtrl::SetColumnDrawFormat(int nCol, UINT nFormat)
{
    if (nCol >= 0 && nCol < static_cast<int>(m_drawFormats.size())) {
        m_drawFormats[static_cast<size_t>(nCol)] = nFormat;
        viewport()->update();
    }
}

UINT CListCtrl::GetColumnDrawFormat(int nCol) const
{
    return nCol >= 0 && nCol < static_cast<int>(m_drawFormats.size()) ? m_drawFormats[static_cast<size_t>(nCol)] : 0;
}

int CListCtrl::GetColumnWidth(int nCol) const
{
    return nCol >= 0 && nCol < columnCount() ? columnWidth(nCol) : 0;
}

BOOL CListCtrl::SetColumnWidth(int nCol, int cx)
{
    if (nCol < 0 || nCol >= columnCount())
        return FALSE;
    if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER) {
        const QFontMetrics fm(font());
        int widest = 0;
        for (int i = 0; i < topLevelItemCount(); ++i)
            widest = std::max(widest, fm.horizontalAdvance(topLevelItem(i)->text(nCol)));
        if (nCol == 0 && m_pSmallImages)
            widest += m_pSmallImages->GetIconWidth();
        const bool withHeading = cx == LVSCW_AUTOSIZE_USEHEADER;
        cx = widest + kCellPadding;
        if (withHeading)
            cx = std::max(cx, GetHeadingFitWidth(nCol));
    }
    setColumnWidth(nCol, std::max(cx, 0));
    return TRUE;
}

int CListCtrl::GetHeadingFitWidth(int nCol) const
{
    if (nCol < 0 || nCol >= columnCount())
        return 0;
    // The header's own hint counts the style's margins, which the bare text advance misses.
    const int text = header()->fontMetrics().horizontalAdvance(headerItem()->text(nCol)) + kCellPadding;
    return std::max(text, header()->sectionSizeHint(nCol));
}

BOOL CListCtrl::GetColumnHeading(int nCol, CString& heading) const
{
    if (nCol < 0 || nCol >= columnCount())
        return FALSE;
    heading = FromQString(headerItem()->text(nCol));
    return TRUE;
}

// --- rows -------------------------------------------------------------------------------------

int CListCtrl::InsertItem(int nItem, const char* text, int nImage)
{
    if (columnCount() == 0)
        setColumnCount(1);
    nItem = std::clamp(nItem, 0, topLevelItemCount());
    auto* it = new QTreeWidgetItem();
    for (int c = 0; c < columnCount(); ++c)
        it->setTextAlignment(c, AlignmentOf(c < static_cast<int>(m_formats.size()) ? m_formats[static_cast<size_t>(c)] : 0));
    it->setText(0, ToQString(text));
    it->setData(0, kDataRole, QVariant::fromValue<qulonglong>(0));
    it->setData(0, kImageRole, nImage);
    if (nImage >= 0 && nImage < static_cast<int>(m_images.size()))
        it->setIcon(0, m_images[static_cast<size_t>(nImage)]);
    ++m_nQuiet;
    insertTopLevelItem(nItem, it);
    --m_nQuiet;
    return nItem;
}

void CListCtrl::AppendRows(const std::vector<CRow>& rows)
{
    InsertRows(topLevelItemCount(), rows);
}

void CListCtrl::InsertRows(int nItem, const std::vector<CRow>& rows)
{
    if (columnCount() == 0)
        setColumnCount(1);
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    const int nCols = columnCount();
    for (const CRow& row : rows) {
        auto* it = new QTreeWidgetItem();
        for (int c = 0; c < nCols; ++c) {
            it->setTextAlignment(c, AlignmentOf(c < static_cast<int>(m_formats.size()) ? m_formats[static_cast<size_t>(c)] : 0));
            if (c < static_cast<int>(row.texts.size()))
                it->setText(c, ToQString(row.texts[static_cast<size_t>(c)]));
        }
        it->setData(0, kDataRole, QVariant::fromValue<qulonglong>(row.data));
        it->setData(0, kImageRole, row.image);
        if (row.image >= 0 && row.image < static_cast<int>(m_images.size()))
            it->setIcon(0, m_images[static_cast<size_t>(row.image)]);
        items.append(it);
    }
    ++m_nQuiet;
    insertTopLevelItems(std::clamp(nItem, 0, topLevelItemCount()), items);
    --m_nQuiet;
}

int CListCtrl::DeleteItems(const std::vector<int>& rows)
{
    std::vector<bool> gone(static_cast<size_t>(topLevelItemCount()), false);
    int n = 0;
    for (int i : rows) {
        if (i >= 0 && i < topLevelItemCount() && !gone[static_cast<size_t>(i)]) {
            gone[static_cast<size_t>(i)] = true;
            ++n;
        }
    }
    if (n == 0)
        return 0;
    // Taking every row and putting back the kept ones is one pass; taking rows one by one
    // would move the rows after each.
    QTreeWidgetItem* current = currentItem();
    std::vector<QTreeWidgetItem*> selected;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* it = topLevelItem(i);
        if (gone[static_cast<size_t>(i)]) {
            m_lastSelected.erase(std::remove(m_lastSelected.begin(), m_lastSelected.end(), it), m_lastSelected.end());
            if (it == current)
                current = nullptr;
        } else if (it->isSelected()) {
            selected.push_back(it);
        }
    }
    ++m_nQuiet;
    {
        QSignalBlocker block(this);
        QList<QTreeWidgetItem*> all = invisibleRootItem()->takeChildren();
        QList<QTreeWidgetItem*> kept;
        for (qsizetype i = 0; i < all.size(); ++i) {
            if (gone[static_cast<size_t>(i)])
                delete all[i];
            else
                kept.append(all[i]);
        }
        addTopLevelItems(kept);
        for (QTreeWidgetItem* it : selected)
            it->setSelected(true);
        if (current)
            setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    }
    --m_nQuiet;
    OnSelectionChanged();
    return n;
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    QTreeWidgetItem* it = Row(nItem);
    if (!it)
        return FALSE;
    m_lastSelected.erase(std::remove(m_lastSelected.begin(), m_lastSelected.end(), it), m_lastSelected.end());
    ++m_nQuiet;
    delete takeTopLevelItem(nItem);
    --m_nQuiet;
    OnSelectionChanged();
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    ++m_nQuiet;
    m_lastSelected.clear();
    clear();
    --m_nQuiet;
    return TRUE;
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const char* text)
{
    QTreeWidgetItem* it = Row(nItem);
    if (!it || nSubItem < 0 || nSubItem >= std::max(columnCount(), 1))
        return FALSE;
    it->setText(nSubItem, ToQString(text));
    SendItemChanged(nItem, LVIF_TEXT, 0, 0);
    return TRUE;
}

CString CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    QTreeWidgetItem* it = Row(nItem);
    return it ? FromQString(it->text(nSubItem)) : CString();
}

BOOL CListCtrl::SetItemData(int nItem, DWORD_PTR data)
{
    QTreeWidgetItem* it = Row(nItem);
    if (!it)
        return FALSE;
    it->setData(0, kDataRole, QVariant::fromValue<qulonglong>(data));
    SendItemChanged(nItem, LVIF_PARAM, 0, 0);
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int nItem) const
{
    QTreeWidgetItem* it = Row(nItem);
    return it ? static_cast<DWORD_PTR>(it->data(0, kDataRole).toULongLong()) : 0;
}

BOOL CListCtrl::SetItem(int nItem, int nSubItem, UINT nMask, const char* text, int nImage, UINT nState,
                        UINT nStateMask, LPARAM lParam)
{
    if (!Row(nItem))
        return FALSE;
    BOOL ok = TRUE;
    if (nMask & LVIF_TEXT)
        ok = SetItemText(nItem, nSubItem, text) && ok;
    if (nMask & LVIF_IMAGE)
        ok = SetItemImage(nItem, nImage) && ok;
    if (nMask & LVIF_PARAM)
        ok = SetItemData(nItem, static_cast<DWORD_PTR>(lParam)) && ok;
    if (nMask & LVIF_STATE)
        ok = SetItemState(nItem, nState, nStateMask) && ok;
    return ok;
}

int CListCtrl::GetItemImage(int nItem) const
{
    QTreeWidgetItem* it = Row(nItem);
    return it ? it->data(0, kImageRole).toInt() : -1;
}

BOOL CListCtrl::SetItemImage(int nItem, int nImage)
{
    QTreeWidgetItem* it = Row(nItem);
    if (!it)
        return FALSE;
    it->setData(0, kImageRole, nImage);
    it->setIcon(0, nImage >= 0 && nImage < static_cast<int>(m_images.size()) ? m_images[static_cast<size_t>(nImage)]
                                                                               : QIcon());
    return TRUE;
}

void CListCtrl::SetImageList(const std::vector<QIcon>& icons)
{
    m_images = icons;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        SetItemImage(i, GetItemImage(i));
        for (int c = 1; c < columnCount(); ++c) {
            if (GetSubItemImage(i, c) >= 0)
                SetSubItemImage(i, c, GetSubItemImage(i, c));
        }
    }
}

BOOL CListCtrl::SetSubItemImage(int nItem, int nSubItem, int nImage)
{
    QTreeWidgetItem* it = Row(nItem);
    if (!it || nSubItem < 1 || nSubItem >= columnCount())
        return FALSE;
    it->setData(nSubItem, kImageRole, nImage);
    it->setIcon(nSubItem, nImage >= 0 && nImage < static_cast<int>(m_images.size())
                              ? m_images[static_cast<size_t>(nImage)]
                              : QIcon());
    return TRUE;
}

int CListCtrl::GetSubItemImage(int nItem, int nSubItem) const
{
    QTreeWidgetItem* it = Row(nItem);
    if (!it || nSubItem < 1)
        return -1;
    const QVariant v = it->data(nSubItem, kImageRole);
    return v.isValid() ? v.toInt() : -1;
}

void CListCtrl::SetGridLines(BOOL bGridLines)
{
    m_bGridLines = bGridLines;
    viewport()->update();
}

// --- states -----------------------------------------------------------------------------------

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    if (nItem == -1) {
        // Every row in one range, told once: one range a row made every later look at the
        // selection (painting the header included) slow on a long list.
        const bool single = selectionMode() == QAbstractItemView::SingleSelection && (nState & LVIS_SELECTED);
        if ((nMask & LVIS_SELECTED) && !single && topLevelItemCount() > 0) {
            const qsizetype before = selectionModel()->selectedRows().size();
            {
                QSignalBlocker block(this);
                const QItemSelection all(indexFromItem(topLevelItem(0), 0),
                                         indexFromItem(topLevelItem(topLevelItemCount() - 1), std::max(columnCount() - 1, 0)));
                selectionModel()->select(all, ((nState & LVIS_SELECTED) ? QItemSelectionModel::Select : QItemSelectionModel::Deselect)
                                                  | QItemSelectionModel::Rows);
            }
            if (selectionModel()->selectedRows().size() != before)
                emit itemSelectionChanged();
            nMask &= ~LVIS_SELECTED;
            if (!nMask)
                return TRUE;
        }
        BOOL ok = TRUE;
        for (int i = 0; i < topLevelItemCount(); ++i)
            ok = SetItemState(i, nState, nMask) && ok;
        return ok;
    }
    QTreeWidgetItem* it = Row(nItem);
    if (!it)
        return FALSE;
    if (nMask & LVIS_SELECTED) {
        if (selectionMode() == QAbstractItemView::SingleSelection && (nState & LVIS_SELECTED))
            clearSelection();
        it->setSelected((nState & LVIS_SELECTED) != 0);
    }
    if (nMask & LVIS_DROPHILITED) {
        it->setData(0, kStateRole, (it->data(0, kStateRole).toUInt() & ~LVIS_DROPHILITED) | (nState & LVIS_DROPHILITED));
        RedrawItems(nItem, nItem);
    }
    if (nMask & LVIS_FOCUSED) {
        if (nState & LVIS_FOCUSED)
            setCurrentItem(it, 0, QItemSelectionModel::NoUpdate);
        else if (currentItem() == it)
            setCurrentItem(nullptr, 0, QItemSelectionModel::NoUpdate);
    }
    return TRUE;
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    QTreeWidgetItem* it = Row(nItem);
    if (!it)
        return 0;
    UINT state = 0;
    if (it->isSelected())
        state |= LVIS_SELECTED;
    if (currentItem() == it)
        state |= LVIS_FOCUSED;
    state |= it->data(0, kStateRole).toUInt() & LVIS_DROPHILITED;
    return state & nMask;
}

UINT CListCtrl::GetSelectedCount() const
{
    UINT n = 0;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        if (topLevelItem(i)->isSelected())
            ++n;
    }
    return n;
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    for (int i = std::max(nItem + 1, 0); i < topLevelItemCount(); ++i) {
        QTreeWidgetItem* it = topLevelItem(i);
        if ((nFlags & LVNI_SELECTED) && !it->isSelected())
            continue;
        if ((nFlags & LVNI_FOCUSED) && currentItem() != it)
            continue;
        return i;
    }
    return -1;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    int i = GetNextItem(-1, LVNI_SELECTED);
    return i < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(i + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int i = static_cast<int>(reinterpret_cast<std::uintptr_t>(pos)) - 1;
    int next = GetNextItem(i, LVNI_SELECTED);
    pos = next < 0 ? nullptr : reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(next + 1));
    return i;
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL)
{
    QTreeWidgetItem* it = Row(nItem);
    if (!it)
        return FALSE;
    scrollToItem(it);
    return TRUE;
}

int CListCtrl::GetTopIndex() const
{
    QTreeWidgetItem* it = itemAt(0, 0);
    return it ? indexOfTopLevelItem(it) : 0;
}

int CListCtrl::GetCountPerPage() const
{
    int h = topLevelItemCount() ? visualItemRect(topLevelItem(0)).height() : fontMetrics().height() + 4;
    return h > 0 ? viewport()->height() / h : 0;
}

BOOL CListCtrl::GetItemRect(int nItem, RECT* pRect) const
{
    QTreeWidgetItem* it = Row(nItem);
    if (!it)
        return FALSE;
    QRect r = visualItemRect(it);
    *pRect = CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    return TRUE;
}

BOOL CListCtrl::GetSubItemRect(int nItem, int nSubItem, int nArea, CRect& rect) const
{
    QTreeWidgetItem* it = Row(nItem);
    if (!it || nSubItem < 0 || nSubItem >= columnCount())
        return FALSE;
    const QRect r = visualItemRect(it);
    if (nSubItem == 0 && nArea == LVIR_BOUNDS) {
        const int left = -horizontalOffset();
        rect = CRect(left, r.top(), left + header()->length(), r.top() + r.height());
    } else {
        const int left = header()->sectionViewportPosition(nSubItem);
        rect = CRect(left, r.top(), left + header()->sectionSize(nSubItem), r.top() + r.height());
    }
    return TRUE;
}

BOOL CListCtrl::RedrawItems(int nFirst, int nLast)
{
    QRegion region;
    for (int i = std::max(nFirst, 0); i <= nLast && i < topLevelItemCount(); ++i) {
        const QRect r = visualItemRect(topLevelItem(i));
        region += QRect(0, r.top(), viewport()->width(), r.height());
    }
    viewport()->update(region);
    return nFirst >= 0 && nFirst <= nLast;
}

int CListCtrl::HitTest(POINT pt) const
{
    QTreeWidgetItem* it = itemAt(pt.x, pt.y);
    return it ? indexOfTopLevelItem(it) : -1;
}

int CListCtrl::FindItem(const LVFINDINFO* pFindInfo, int nStart) const
{
    if (!pFindInfo)
        return -1;
    CString text(pFindInfo->psz);
    for (int i = std::max(nStart + 1, 0); i < topLevelItemCount(); ++i) {
        if (pFindInfo->flags & LVFI_PARAM) {
            if (static_cast<LPARAM>(GetItemData(i)) == pFindInfo->lParam)
                return i;
            continue;
        }
        CString s = GetItemText(i, 0);
        if (pFindInfo->flags & LVFI_PARTIAL) {
            if (s.GetLength() >= text.GetLength() && s.Left(text.GetLength()).CompareNoCase(text) == 0)
                return i;
        } else if (s.CompareNoCase(text) == 0) {
            return i;
        }
    }
    return -1;
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE pfnCompare, DWORD_PTR dwData)
{
    if (!pfnCompare)
        return FALSE;
    QTreeWidgetItem* current = currentItem();
    std::vector<QTreeWidgetItem*> rows;
    std::vector<QTreeWidgetItem*> selected;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        rows.push_back(topLevelItem(i));
        if (topLevelItem(i)->isSelected())
            selected.push_back(topLevelItem(i));
    }
    ++m_nQuiet;
    {
        QSignalBlocker block(this);
        invisibleRootItem()->takeChildren();
        // Each row's data is read once, not at every comparison.
        std::vector<std::pair<LPARAM, QTreeWidgetItem*>> keyed;
        keyed.reserve(rows.size());
        for (QTreeWidgetItem* it : rows)
            keyed.emplace_back(static_cast<LPARAM>(it->data(0, kDataRole).toULongLong()), it);
        std::stable_sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
            return pfnCompare(a.first, b.first, static_cast<LPARAM>(dwData)) < 0;
        });
        QList<QTreeWidgetItem*> sorted;
        sorted.reserve(static_cast<qsizetype>(keyed.size()));
        for (const auto& k : keyed)
            sorted.append(k.second);
        addTopLevelItems(sorted);
        for (QTreeWidgetItem* it : selected)
            it->setSelected(true);
        if (current)
            setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    }
    m_lastSelected = selected;
    --m_nQuiet;
    return TRUE;
}

BOOL CListCtrl::Scroll(CSize size)
{
    if (size.cy != 0) {
        QScrollBar* bar = verticalScrollBar();
        int step = size.cy;
        if (verticalScrollMode() == QAbstractItemView::ScrollPerItem) {
            const int row = std::max(1, GetItemCount() > 0 ? sizeHintForRow(0) : 1);
            step = size.cy / row;
            if (step == 0)
                step = size.cy > 0 ? 1 : -1;
        }
        bar->setValue(bar->value() + step);
    }
    if (size.cx != 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + size.cx);
    return TRUE;
}
