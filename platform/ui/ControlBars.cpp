#include "platform/ui/ControlBars.h"

#include "platform/core/StringTable.h"
#include "platform/ui/FrameworkIds.h"
#include "platform/ui/QtString.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QStyle>

CString CommandPrompt(UINT nID, BOOL bTip)
{
    CString text = LoadStringId(nID);
    int nl = text.Find('\n');
    if (bTip)
        return nl >= 0 ? text.Mid(nl + 1) : CString();
    return nl >= 0 ? text.Left(nl) : text;
}

namespace {

// The editing commands' pictures where the desktop theme has none.
QIcon DrawnIcon(UINT nID)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QColor ink(40, 48, 90);
    p.setPen(QPen(ink, 1.2));
    switch (nID) {
    case ID_EDIT_CUT:
        p.drawEllipse(QRectF(2, 10, 4, 4));
        p.drawEllipse(QRectF(10, 10, 4, 4));
        p.drawLine(QPointF(5.5, 10.5), QPointF(11, 2));
        p.drawLine(QPointF(10.5, 10.5), QPointF(5, 2));
        break;
    case ID_EDIT_COPY:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2.5, 2.5, 8, 9));
        p.drawRect(QRectF(5.5, 5.5, 8, 9));
        break;
    case ID_EDIT_PASTE:
        p.setBrush(QColor(214, 170, 96));
        p.drawRoundedRect(QRectF(2.5, 3.5, 10, 11), 1, 1);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 6.5, 7, 8));
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(QRectF(5, 2, 5, 3));
        break;
    default: return QIcon();
    }
    return QIcon(pm);
}

QIcon StandardIcon(UINT nID)
{
    QStyle* style = QApplication::style();
    switch (nID) {
    case ID_FILE_NEW: return style->standardIcon(QStyle::SP_FileIcon);
    case ID_FILE_OPEN: return style->standardIcon(QStyle::SP_DialogOpenButton);
    case ID_FILE_SAVE: return style->standardIcon(QStyle::SP_DialogSaveButton);
    case ID_FILE_PRINT: return style->standardIcon(QStyle::SP_FileDialogDetailedView);
    case ID_EDIT_CUT: return QIcon::fromTheme(QStringLiteral("edit-cut"), DrawnIcon(nID));
    case ID_EDIT_COPY: return QIcon::fromTheme(QStringLiteral("edit-copy"), DrawnIcon(nID));
    case ID_EDIT_PASTE: return QIcon::fromTheme(QStringLiteral("edit-paste"), DrawnIcon(nID));
    case ID_APP_ABOUT: return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case ID_HELP_FINDER: return style->standardIcon(QStyle::SP_DialogHelpButton);
    default: return QIcon();
    }
}

Qt::ToolBarAreas AreasOf(DWORD style)
{
    Qt::ToolBarAreas areas;
    if (style & CBRS_ALIGN_LEFT)
        areas |= Qt::LeftToolBarArea;
    if (style & CBRS_ALIGN_TOP)
        areas |= Qt::TopToolBarArea;
    if (style & CBRS_ALIGN_RIGHT)
        areas |= Qt::RightToolBarArea;
    if (style & CBRS_ALIGN_BOTTOM)
        areas |= Qt::BottomToolBarArea;
    return areas;
}

} // namespace

CToolBar::CToolBar() : CWnd(this) {}

BOOL CToolBar::CreateEx(QWidget* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    m_dwStyle = dwStyle | dwCtrlStyle;
    SetDlgCtrlID(static_cast<int>(nID));
    // The dock state is saved by the bars' names.
    setObjectName(QStringLiteral("Bar%1").arg(nID));
    setIconSize(QSize(16, 16));
    setMovable(true);
    if (auto* main = qobject_cast<QMainWindow*>(pParentWnd)) {
        Qt::ToolBarArea area = Qt::TopToolBarArea;
        if (dwStyle & CBRS_ALIGN_LEFT && !(dwStyle & CBRS_ALIGN_TOP))
            area = Qt::LeftToolBarArea;
        main->addToolBar(area, this);
    } else if (pParentWnd) {
        setParent(pParentWnd);
    }
    if (dwStyle & CBRS_ORIENT_VERT)
        setOrientation(Qt::Vertical);
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    clear();
    for (int i = 0; i < nIDCount; ++i) {
        UINT nID = lpIDArray[i];
        if (nID == ID_SEPARATOR) {
            addSeparator();
            continue;
        }
        CString tip = CommandPrompt(nID, TRUE);
        QAction* action = CreateCommandAction(this, nID, tip.IsEmpty() ? "" : static_cast<const char*>(tip));
        action->setIcon(StandardIcon(nID));
        if (m_dwStyle & CBRS_FLYBY)
            action->setStatusTip(ToQString(CommandPrompt(nID, FALSE)));
        addAction(action);
    }
    return TRUE;
}

void CToolBar::SetButtonIcon(UINT nID, const QIcon& icon)
{
    if (QAction* a = FindButton(nID))
        a->setIcon(icon);
}

QAction* CToolBar::FindButton(UINT nID) const
{
    for (QAction* a : actions()) {
        if (GetActionCommandId(a) == nID)
            return a;
    }
    return nullptr;
}

int CToolBar::GetButtonCount() const
{
    return static_cast<int>(actions().size());
}

BOOL CToolBar::OnCmdMsg(UINT nID, UINT nCode, void* pExtra)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra))
        return TRUE;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (CWnd* pOwner = FromHandle(w))
            return pOwner->OnCmdMsg(nID, nCode, pExtra);
    }
    return FALSE;
}

void CToolBar::EnableDocking(DWORD dwDockStyle)
{
    setAllowedAreas(AreasOf(dwDockStyle));
    setFloatable(true);
}

CStatusBar::CStatusBar() : CWnd(this) {}

BOOL CStatusBar::Create(QWidget* pParentWnd, DWORD, UINT nID)
{
    SetDlgCtrlID(static_cast<int>(nID));
    setObjectName(QStringLiteral("Bar%1").arg(nID));
    if (auto* main = qobject_cast<QMainWindow*>(pParentWnd))
        main->setStatusBar(this);
    else if (pParentWnd)
        setParent(pParentWnd);
    return TRUE;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    for (QLabel* l : m_panes) {
        removeWidget(l);
        delete l;
    }
    m_panes.clear();
    m_ids.clear();
    for (int i = 0; i < nIDCount; ++i) {
        auto* label = new QLabel(this);
        label->setContentsMargins(4, 0, 4, 0);
        if (lpIDArray[i] == ID_SEPARATOR) {
            addWidget(label, 1);
        } else {
            label->setText(ToQString(LoadStringId(lpIDArray[i])));
            label->setFrameShape(QFrame::Panel);
            label->setFrameShadow(QFrame::Sunken);
            label->setEnabled(false);
            addPermanentWidget(label);
        }
        m_panes.push_back(label);
        m_ids.push_back(lpIDArray[i]);
    }
    SetMessageText(nullptr);
    return TRUE;
}

void CStatusBar::SetPaneText(int nIndex, const char* text)
{
    if (nIndex >= 0 && nIndex < GetCount())
        m_panes[static_cast<size_t>(nIndex)]->setText(ToQString(text ? text : ""));
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return CString();
    return FromQString(m_panes[static_cast<size_t>(nIndex)]->text());
}

void CStatusBar::SetMessageText(const char* text)
{
    for (size_t i = 0; i < m_ids.size(); ++i) {
        if (m_ids[i] == ID_SEPARATOR) {
            CString msg = text && *text ? CString(text) : LoadStringId(AFX_IDS_IDLEMESSAGE);
            m_panes[i]->setText(ToQString(msg));
            return;
        }
    }
}
