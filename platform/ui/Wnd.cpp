#include "platform/ui/Wnd.h"

#include "platform/ui/FrameworkIds.h"
#include "platform/ui/QtString.h"
#include "platform/ui/WindowPlacement.h"
#include "platform/core/ScreenInfo.h"
#include "platform/core/UiThread.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextEdit>
#include <QThread>
#include <QTimerEvent>
#include <QToolButton>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

const char* const kControlIdProperty = "corraControlId";
const char* const kCommandIdProperty = "corraCommandId";

QEvent::Type PostedEventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

class CPostedEvent : public QEvent {
public:
    CPostedEvent(UINT message, WPARAM wParam, LPARAM lParam, BOOL bCommand)
        : QEvent(PostedEventType()), m_message(message), m_wParam(wParam), m_lParam(lParam), m_bCommand(bCommand)
    {
    }
    UINT m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
    BOOL m_bCommand;
};

} // namespace

// Receives the posted messages and the timers of one window; lives exactly as long as its CWnd,
// so events still queued for a window that is gone are dropped with it.
class CWndHelper : public QObject {
public:
    explicit CWndHelper(CWnd* owner) : m_pOwner(owner) {}

    bool event(QEvent* e) override
    {
        if (e->type() == PostedEventType()) {
            auto* pe = static_cast<CPostedEvent*>(e);
            m_pOwner->DeliverPosted(pe->m_message, pe->m_wParam, pe->m_lParam, pe->m_bCommand);
            return true;
        }
        return QObject::event(e);
    }

protected:
    void timerEvent(QTimerEvent* e) override { m_pOwner->FireTimer(e->timerId()); }

private:
    CWnd* m_pOwner;
};

CWnd::CWnd(QWidget* self) : m_pWidget(self), m_pHelper(new CWndHelper(this))
{
    ASSERT_UI_THREAD();
}

CWnd::~CWnd()
{
    delete m_pHelper;
}

QObject* CWnd::NotifyContext() const
{
    return m_pHelper;
}

CWnd* CWnd::FromHandle(const QObject* widget)
{
    return widget ? dynamic_cast<CWnd*>(const_cast<QObject*>(widget)) : nullptr;
}

BOOL CWnd::IsCreatorThread() const
{
    return QThread::currentThread() == m_pHelper->thread();
}

// --- messages ---------------------------------------------------------------------------------

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    QCoreApplication::postEvent(m_pHelper, new CPostedEvent(message, wParam, lParam, FALSE));
    return TRUE;
}

BOOL CWnd::PostCommand(UINT nID)
{
    QCoreApplication::postEvent(m_pHelper, new CPostedEvent(nID, 0, 0, TRUE));
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The state is read on the window's own thread only.
    auto handle = [&]() -> LRESULT { return m_bCreated ? WindowProc(message, wParam, lParam) : 0; };
    if (IsCreatorThread())
        return handle();
    LRESULT result = 0;
    QMetaObject::invokeMethod(m_pHelper, [&] { result = handle(); }, Qt::BlockingQueuedConnection);
    return result;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep)
{
    auto options = bDeep ? Qt::FindChildrenRecursively : Qt::FindDirectChildrenOnly;
    QList<QPointer<QWidget>> targets;
    for (QWidget* w : m_pWidget->findChildren<QWidget*>(options))
        targets.append(w);
    for (const auto& w : targets) {
        if (CWnd* pWnd = FromHandle(w.data()))
            pWnd->SendMessage(message, wParam, lParam);
    }
}

void CWnd::DeliverPosted(UINT message, WPARAM wParam, LPARAM lParam, BOOL bCommand)
{
    // Still queued when the window was destroyed (a dialog ended): it has no one to go to.
    if (!m_bCreated)
        return;
    if (bCommand)
        OnCommand(message);
    else
        WindowProc(message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A command posted as a message (a document closing its window) runs as the command.
    if (message == WM_COMMAND) {
        OnCommand(static_cast<UINT>(wParam & 0xFFFF));
        return 0;
    }
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnCommand(UINT nID)
{
    return RunCommandOn(this, nID);
}

BOOL CWnd::OnChildNotify(UINT nID, UINT nCode, void* pExtra)
{
    if (m_nNotifyLockout > 0)
        return FALSE;
    return OnCmdMsg(nID, nCode, pExtra);
}

BOOL CWnd::NotifyParent(UINT nCode, void* pExtra)
{
    CWnd* pParent = GetParent();
    return pParent ? pParent->OnChildNotify(static_cast<UINT>(GetDlgCtrlID()), nCode, pExtra) : FALSE;
}

// --- timers -----------------------------------------------------------------------------------

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse)
{
    KillTimer(nIDEvent);
    int id = m_pHelper->startTimer(static_cast<int>(std::max<UINT>(nElapse, 1)));
    if (id == 0)
        return 0;
    m_timers[nIDEvent] = id;
    return nIDEvent;
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    auto it = m_timers.find(nIDEvent);
    if (it == m_timers.end())
        return FALSE;
    m_pHelper->killTimer(it->second);
    m_timers.erase(it);
    return TRUE;
}

void CWnd::FireTimer(int qtTimerId)
{
    for (const auto& [id, qtId] : m_timers) {
        if (qtId == qtTimerId) {
            UINT_PTR nIDEvent = id;
            OnTimer(nIDEvent);
            return;
        }
    }
}

// --- idle update ------------------------------------------------------------------------------

void CWnd::OnIdleUpdateCmdUI()
{
    UpdateCommandActions(m_pWidget, this, TRUE);
    UpdateDialogControls(this, this, FALSE);
}

void CWnd::SendIdleUpdate()
{
    QList<QPointer<QWidget>> inside;
    for (QWidget* w : m_pWidget->findChildren<QWidget*>()) {
        if (w->window() == m_pWidget->window())
            inside.append(w);
    }
    OnIdleUpdateCmdUI();
    for (const auto& w : inside) {
        if (CWnd* pWnd = FromHandle(w.data()))
            pWnd->OnIdleUpdateCmdUI();
    }
}

namespace {

class CIdleUpdate : public IIdleHandler {
public:
    void OnIdle() override { RunIdleUpdate(); }
};

CIdleUpdate g_idleUpdate;
CServiceSlot<IIdleHandler> g_idleHandler(g_idleUpdate);

QPointer<QWidget>& MainWindowWidget()
{
    static QPointer<QWidget> main;
    return main;
}

} // namespace

void RunIdleUpdate()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            windows.append(w);
    }
    for (const auto& w : windows) {
        if (CWnd* pWnd = CWnd::FromHandle(w.data()))
            pWnd->SendIdleUpdate();
    }
}

CServiceSlot<IIdleHandler>& IdleHandlerSlot()
{
    return g_idleHandler;
}

void EnableIdleProcessing(BOOL bEnable)
{
    static QMetaObject::Connection awake, aboutToBlock;
    static bool pending = true;
    static bool running = false;
    QObject::disconnect(awake);
    QObject::disconnect(aboutToBlock);
    auto* dispatcher = QAbstractEventDispatcher::instance(qApp ? qApp->thread() : nullptr);
    if (!bEnable || !dispatcher)
        return;
    // The idle handler runs once each time the loop runs dry after it has done something.
    awake = QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, [] { pending = true; });
    aboutToBlock = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [] {
        if (!pending || running)
            return;
        pending = false;
        running = true;
        g_idleHandler.Get().OnIdle();
        running = false;
    });
}

CWnd* AfxGetMainWnd()
{
    return CWnd::FromHandle(MainWindowWidget().data());
}

void AfxSetMainWnd(CWnd* pWnd)
{
    MainWindowWidget() = pWnd ? pWnd->GetWidget() : nullptr;
}

// --- window state -----------------------------------------------------------------------------

BOOL CWnd::ShowWindow(int nCmdShow)
{
    BOOL wasVisible = m_pWidget->isVisible();
    switch (nCmdShow) {
    case SW_HIDE: m_pWidget->hide(); break;
    case SW_SHOWMAXIMIZED: m_pWidget->showMaximized(); break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE: m_pWidget->showMinimized(); break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
        if (m_pWidget->isWindow())
            m_pWidget->showNormal();
        else
            m_pWidget->show();
        break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA: {
        bool old = m_pWidget->testAttribute(Qt::WA_ShowWithoutActivating);
        m_pWidget->setAttribute(Qt::WA_ShowWithoutActivating, true);
        m_pWidget->show();
        m_pWidget->setAttribute(Qt::WA_ShowWithoutActivating, old);
        break;
    }
    default: m_pWidget->show(); break;
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    return m_pWidget->isVisible();
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    BOOL wasDisabled = !m_pWidget->isEnabled();
    m_pWidget->setEnabled(bEnable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    return m_pWidget->isEnabled();
}

namespace {

// The widget's own text, without asking a CWnd (which may be asking us).
CString WidgetText(const QWidget* w)
{
    if (w->isWindow())
        return FromQString(w->windowTitle());
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return FromQString(e->text());
    if (auto* c = qobject_cast<const QComboBox*>(w))
        return FromQString(c->currentText());
    if (auto* b = qobject_cast<const QAbstractButton*>(w))
        return FromQString(b->text());
    if (auto* l = qobject_cast<const QLabel*>(w))
        return FromQString(l->text());
    if (auto* g = qobject_cast<const QGroupBox*>(w))
        return FromQString(g->title());
    if (auto* t = qobject_cast<const QTextEdit*>(w))
        return FromQString(t->toPlainText());
    if (auto* p = qobject_cast<const QPlainTextEdit*>(w))
        return FromQString(p->toPlainText());
    if (auto* s = qobject_cast<const QAbstractSpinBox*>(w))
        return FromQString(s->text());
    return FromQString(w->windowTitle());
}

void SetWidgetText(QWidget* w, const char* text)
{
    QString q = ToQString(text);
    if (w->isWindow())
        w->setWindowTitle(q);
    else if (auto* e = qobject_cast<QLineEdit*>(w))
        e->setText(q);
    else if (auto* c = qobject_cast<QComboBox*>(w)) {
        if (c->isEditable())
            c->setEditText(q);
        else
            c->setCurrentIndex(c->findText(q, Qt::MatchFixedString));
    } else if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(q);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(q);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(q);
    else if (auto* t = qobject_cast<QTextEdit*>(w))
        t->setPlainText(q);
    else if (auto* p = qobject_cast<QPlainTextEdit*>(w))
        p->setPlainText(q);
    else
        w->setWindowTitle(q);
}

} // namespace

void CWnd::SetWindowText(const char* text)
{
    SetWidgetText(m_pWidget, text);
}

CString CWnd::GetWindowText() const
{
    return WidgetText(m_pWidget);
}

CString GetControlText(const QWidget* widget)
{
    if (!widget)
        return CString();
    if (const CWnd* pWnd = CWnd::FromHandle(widget))
        return pWnd->GetWindowText();
    return WidgetText(widget);
}

void SetControlText(QWidget* widget, const char* text)
{
    if (!widget)
        return;
    if (CWnd* pWnd = CWnd::FromHandle(widget))
        pWnd->SetWindowText(text);
    else
        SetWidgetText(widget, text);
}

void CWnd::SetFocus()
{
    m_pWidget->setFocus(Qt::OtherFocusReason);
}

BOOL CWnd::DestroyWindow()
{
    if (!m_bCreated)
        return FALSE;
    OnDestroy();
    for (const auto& [id, qtId] : m_timers)
        m_pHelper->killTimer(qtId);
    m_timers.clear();
    m_pWidget->hide();
    m_bCreated = FALSE;
    return TRUE;
}

void CWnd::SetRedraw(BOOL bRedraw)
{
    m_pWidget->setUpdatesEnabled(bRedraw != FALSE);
}

// --- geometry ---------------------------------------------------------------------------------

namespace {

CRect ToRect(const QRect& r)
{
    return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

} // namespace

CRect AvailableScreenRect(const QWidget* near)
{
    QScreen* screen = nullptr;
    if (near && qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        const QRect frame = near->isWindow() ? near->frameGeometry()
                                             : QRect(near->mapToGlobal(QPoint(0, 0)), near->size());
        screen = QGuiApplication::screenAt(frame.center());
        if (!screen)
            screen = near->screen();
    }
    if (!screen && qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        screen = QGuiApplication::primaryScreen();
    if (screen && !screen->availableGeometry().isEmpty())
        return ToRect(screen->availableGeometry());
    CScreenInfo info = GetScreenInfo();
    return CRect(0, 0, info.nWidth, info.nHeight);
}

void CWnd::GetWindowRect(RECT* pRect) const
{
    if (m_pWidget->isWindow())
        *pRect = ToRect(m_pWidget->frameGeometry());
    else
        *pRect = ToRect(QRect(m_pWidget->mapToGlobal(QPoint(0, 0)), m_pWidget->size()));
}

void CWnd::GetClientRect(RECT* pRect) const
{
    *pRect = CRect(0, 0, m_pWidget->width(), m_pWidget->height());
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    SetWindowPos(nullptr, x, y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    if (bRepaint)
        m_pWidget->update();
}

void CWnd::MoveWindow(const RECT& rect, BOOL bRepaint)
{
    MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd*, int x, int y, int cx, int cy, UINT nFlags)
{
    if (!(nFlags & SWP_NOSIZE)) {
        // The size given is the outer size; the frame, if the platform draws one, comes off it.
        int frameW = m_pWidget->isWindow() ? m_pWidget->frameGeometry().width() - m_pWidget->width() : 0;
        int frameH = m_pWidget->isWindow() ? m_pWidget->frameGeometry().height() - m_pWidget->height() : 0;
        m_pWidget->resize(std::max(cx - frameW, 0), std::max(cy - frameH, 0));
    }
    if (!(nFlags & SWP_NOMOVE))
        m_pWidget->move(x, y);
    if (nFlags & SWP_SHOWWINDOW)
        ShowWindow((nFlags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    if (nFlags & SWP_HIDEWINDOW)
        m_pWidget->hide();
    return TRUE;
}

void CWnd::ClientToScreen(POINT* pPoint) const
{
    QPoint p = m_pWidget->mapToGlobal(QPoint(pPoint->x, pPoint->y));
    pPoint->x = p.x();
    pPoint->y = p.y();
}

void CWnd::ClientToScreen(RECT* pRect) const
{
    QPoint p = m_pWidget->mapToGlobal(QPoint(0, 0));
    CRect r(*pRect);
    r.OffsetRect(p.x(), p.y());
    *pRect = r;
}

void CWnd::ScreenToClient(POINT* pPoint) const
{
    QPoint p = m_pWidget->mapFromGlobal(QPoint(pPoint->x, pPoint->y));
    pPoint->x = p.x();
    pPoint->y = p.y();
}

void CWnd::ScreenToClient(RECT* pRect) const
{
    QPoint p = m_pWidget->mapToGlobal(QPoint(0, 0));
    CRect r(*pRect);
    r.OffsetRect(-p.x(), -p.y());
    *pRect = r;
}

CPoint CWnd::GetCenteredPosition(CWnd* pAlternateOwner)
{
    if (m_pWidget->isWindow() && !m_pWidget->isVisible() && !m_pWidget->testAttribute(Qt::WA_Resized))
        m_pWidget->adjustSize();
    CRect area;
    QWidget* owner = pAlternateOwner ? pAlternateOwner->GetWidget() : m_pWidget->parentWidget();
    if (owner && m_pWidget->isWindow())
        owner = owner->window();
    if (owner && owner->isVisible()) {
        if (CWnd* pOwner = CWnd::FromHandle(owner))
            pOwner->GetWindowRect(&area);
        else
            area = ToRect(owner->isWindow() ? owner->frameGeometry()
                                            : QRect(owner->mapToGlobal(QPoint(0, 0)), owner->size()));
    }
    const CRect screen = AvailableScreenRect(owner && owner->isVisible() ? owner : nullptr);
    if (area.IsRectEmpty())
        area = screen;
    CRect mine;
    GetWindowRect(&mine);
    return CenteredWithin(area, CSize(mine.Width(), mine.Height()), screen);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    CPoint p = GetCenteredPosition(pAlternateOwner);
    SetWindowPos(nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::Invalidate(BOOL)
{
    m_pWidget->update();
}

void CWnd::InvalidateRect(const RECT* pRect, BOOL)
{
    if (!pRect)
        m_pWidget->update();
    else
        m_pWidget->update(QRect(pRect->left, pRect->top, pRect->right - pRect->left, pRect->bottom - pRect->top));
}

void CWnd::UpdateWindow()
{
    m_pWidget->repaint();
}

// --- family and controls ----------------------------------------------------------------------

QWidget* CWnd::GetParentWidget() const
{
    return m_pWidget->parentWidget();
}

CWnd* CWnd::GetParent() const
{
    for (QWidget* w = m_pWidget->parentWidget(); w; w = w->parentWidget()) {
        if (CWnd* pWnd = FromHandle(w))
            return pWnd;
    }
    return nullptr;
}

void SetControlId(QWidget* widget, int nID)
{
    if (widget)
        widget->setProperty(kControlIdProperty, nID);
}

int GetControlId(const QWidget* widget)
{
    return widget ? widget->property(kControlIdProperty).toInt() : 0;
}

QWidget* CWnd::GetDlgItem(int nID) const
{
    if (nID == 0)
        return nullptr;
    for (QWidget* w : m_pWidget->findChildren<QWidget*>()) {
        if (GetControlId(w) != nID)
            continue;
        // Controls of another window inside this one (a modeless dialog it owns) are not ours.
        QWidget* p = w->parentWidget();
        while (p && p != m_pWidget && !p->isWindow())
            p = p->parentWidget();
        if (p == m_pWidget)
            return w;
    }
    return nullptr;
}

void CWnd::RegisterControl(int nID, QWidget* control, BOOL bGroupStart)
{
    if (!control)
        return;
    SetControlId(control, nID);
    auto notify = [this, nID](UINT code) { OnChildNotify(static_cast<UINT>(nID), code, nullptr); };
    auto* radio = qobject_cast<QRadioButton*>(control);
    if (radio) {
        if (bGroupStart || !m_bLastWasRadio || !m_pRadioGroup) {
            m_pRadioGroup = new QButtonGroup(m_pHelper);
            m_pRadioGroup->setExclusive(true);
        }
        radio->setAutoExclusive(false);
        m_pRadioGroup->addButton(radio);
    }
    m_bLastWasRadio = radio != nullptr;
    // Our own controls tell their parent themselves.
    if (FromHandle(control))
        return;
    if (auto* b = qobject_cast<QAbstractButton*>(control)) {
        QObject::connect(b, &QAbstractButton::clicked, m_pHelper, [notify] { notify(BN_CLICKED); });
    } else if (auto* e = qobject_cast<QLineEdit*>(control)) {
        QObject::connect(e, &QLineEdit::textChanged, m_pHelper, [notify] { notify(EN_CHANGE); });
    } else if (auto* t = qobject_cast<QTextEdit*>(control)) {
        QObject::connect(t, &QTextEdit::textChanged, m_pHelper, [notify] { notify(EN_CHANGE); });
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(control)) {
        QObject::connect(p, &QPlainTextEdit::textChanged, m_pHelper, [notify] { notify(EN_CHANGE); });
    } else if (auto* c = qobject_cast<QComboBox*>(control)) {
        QObject::connect(c, &QComboBox::activated, m_pHelper, [notify] { notify(CBN_SELCHANGE); });
        if (c->lineEdit())
            QObject::connect(c->lineEdit(), &QLineEdit::textEdited, m_pHelper, [notify] { notify(CBN_EDITCHANGE); });
    } else if (auto* l = qobject_cast<QListWidget*>(control)) {
        QObject::connect(l, &QListWidget::itemSelectionChanged, m_pHelper, [notify] { notify(LBN_SELCHANGE); });
        QObject::connect(l, &QListWidget::itemDoubleClicked, m_pHelper, [notify] { notify(LBN_DBLCLK); });
    }
}

int CWnd::GetDlgCtrlID() const
{
    return GetControlId(m_pWidget);
}

void CWnd::SetDlgCtrlID(int nID)
{
    SetControlId(m_pWidget, nID);
}

void CWnd::SetDlgItemText(int nID, const char* text)
{
    SetControlText(GetDlgItem(nID), text);
}

CString CWnd::GetDlgItemText(int nID) const
{
    return GetControlText(GetDlgItem(nID));
}

int CWnd::GetDlgItemText(int nID, CString& text) const
{
    text = GetDlgItemText(nID);
    return text.GetLength();
}

void CWnd::SetDlgItemInt(int nID, int value, BOOL bSigned)
{
    CString text;
    if (bSigned)
        text.Format("%d", value);
    else
        text.Format("%u", static_cast<unsigned>(value));
    SetDlgItemText(nID, text);
}

int CWnd::GetDlgItemInt(int nID, BOOL* pTrans, BOOL bSigned) const
{
    CString text = GetDlgItemText(nID);
    text.Trim();
    long long v = 0;
    BOOL ok = ParseWholeNumber(text, bSigned ? INT32_MIN : 0,
                               bSigned ? INT32_MAX : static_cast<long long>(UINT32_MAX), v) &&
              (bSigned || text[0] != '-');
    if (pTrans)
        *pTrans = ok;
    return ok ? static_cast<int>(v) : 0;
}

namespace {

void SetButtonCheck(QAbstractButton* b, int nCheck)
{
    if (auto* box = qobject_cast<QCheckBox*>(b)) {
        if (nCheck == BST_INDETERMINATE) {
            box->setTristate(true);
            box->setCheckState(Qt::PartiallyChecked);
        } else {
            box->setCheckState(nCheck ? Qt::Checked : Qt::Unchecked);
        }
        return;
    }
    if (nCheck || !b->isChecked()) {
        b->setCheckable(true);
        b->setChecked(nCheck != 0);
        return;
    }
    // An exclusive group will not let its checked button go; step out of it for a moment.
    QButtonGroup* group = b->group();
    bool groupExclusive = group && group->exclusive();
    bool autoExclusive = b->autoExclusive();
    if (groupExclusive)
        group->setExclusive(false);
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(autoExclusive);
    if (groupExclusive)
        group->setExclusive(true);
}

int ButtonCheck(const QAbstractButton* b)
{
    if (auto* box = qobject_cast<const QCheckBox*>(b)) {
        switch (box->checkState()) {
        case Qt::Checked: return BST_CHECKED;
        case Qt::PartiallyChecked: return BST_INDETERMINATE;
        default: return BST_UNCHECKED;
        }
    }
    return b->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

} // namespace

void CWnd::CheckDlgButton(int nID, int nCheck)
{
    if (auto* b = qobject_cast<QAbstractButton*>(GetDlgItem(nID)))
        SetButtonCheck(b, nCheck);
}

int CWnd::IsDlgButtonChecked(int nID) const
{
    auto* b = qobject_cast<QAbstractButton*>(GetDlgItem(nID));
    return b ? ButtonCheck(b) : BST_UNCHECKED;
}

void CWnd::CheckRadioButton(int nIDFirst, int nIDLast, int nIDCheck)
{
    for (int id = nIDFirst; id <= nIDLast; ++id) {
        if (id != nIDCheck)
            CheckDlgButton(id, BST_UNCHECKED);
    }
    CheckDlgButton(nIDCheck, BST_CHECKED);
}

int CWnd::GetCheckedRadioButton(int nIDFirst, int nIDLast) const
{
    for (int id = nIDFirst; id <= nIDLast; ++id) {
        if (IsDlgButtonChecked(id))
            return id;
    }
    return 0;
}

BOOL CWnd::EnableDlgItem(int nID, BOOL bEnable)
{
    QWidget* w = GetDlgItem(nID);
    if (!w)
        return FALSE;
    w->setEnabled(bEnable != FALSE);
    return TRUE;
}

BOOL CWnd::ShowDlgItem(int nID, int nCmdShow)
{
    QWidget* w = GetDlgItem(nID);
    if (!w)
        return FALSE;
    w->setVisible(nCmdShow != SW_HIDE);
    return TRUE;
}

// --- command actions and update ---------------------------------------------------------------

void SetActionCommandId(QAction* action, UINT nID)
{
    if (action)
        action->setProperty(kCommandIdProperty, nID);
}

UINT GetActionCommandId(const QAction* action)
{
    return action ? action->property(kCommandIdProperty).toUInt() : 0;
}

QAction* CreateCommandAction(CWnd* pOwner, UINT nID, const char* text)
{
    auto* action = new QAction(ToQString(text), pOwner->GetWidget());
    SetActionCommandId(action, nID);
    QObject::connect(action, &QAction::triggered, pOwner->NotifyContext(), [pOwner, nID] { pOwner->OnCommand(nID); });
    return action;
}

namespace {

class CActionCmdUI : public CCmdUI {
public:
    explicit CActionCmdUI(QAction* action) : m_pAction(action) { m_nID = GetActionCommandId(action); }
    void Enable(BOOL bOn) override
    {
        m_pAction->setEnabled(bOn != FALSE);
        CCmdUI::Enable(bOn);
    }
    void SetCheck(int nCheck) override
    {
        m_pAction->setCheckable(true);
        m_pAction->setChecked(nCheck != 0);
    }
    void SetText(const char* text) override { m_pAction->setText(ToQString(text)); }

private:
    QAction* m_pAction;
};

class CControlCmdUI : public CCmdUI {
public:
    CControlCmdUI(QWidget* control, int nID) : m_pControl(control) { m_nID = static_cast<UINT>(nID); }
    void Enable(BOOL bOn) override
    {
        // A control about to lose the focus by being disabled hands it on first.
        if (!bOn && m_pControl->hasFocus())
            m_pControl->nextInFocusChain()->setFocus(Qt::TabFocusReason);
        m_pControl->setEnabled(bOn != FALSE);
        CCmdUI::Enable(bOn);
    }
    void SetCheck(int nCheck) override
    {
        if (auto* b = qobject_cast<QAbstractButton*>(m_pControl))
            SetButtonCheck(b, nCheck);
    }
    void SetText(const char* text) override { SetControlText(m_pControl, text); }

private:
    QWidget* m_pControl;
};

// Whether obj's nearest CWnd, walking up to holder, is holder itself.
bool BelongsTo(QObject* obj, QWidget* holder)
{
    for (QObject* p = obj; p; p = p->parent()) {
        if (p == holder)
            return true;
        if (CWnd::FromHandle(p))
            return false;
    }
    return false;
}

} // namespace

void UpdateCommandActions(QWidget* holder, CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (!holder || !pTarget)
        return;
    QList<QAction*> actions = holder->actions();
    for (QAction* a : holder->findChildren<QAction*>()) {
        if (!actions.contains(a) && BelongsTo(a->parent(), holder))
            actions.append(a);
    }
    for (QAction* a : actions) {
        if (GetActionCommandId(a) == 0 || a->isSeparator())
            continue;
        CActionCmdUI ui(a);
        ui.DoUpdate(pTarget, bDisableIfNoHandler);
    }
}

void UpdateMenuOnShow(QMenu* menu, CCmdTarget* pTarget)
{
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu, pTarget] {
        for (QAction* a : menu->actions()) {
            if (GetActionCommandId(a) == 0 || a->isSeparator())
                continue;
            CActionCmdUI ui(a);
            ui.DoUpdate(pTarget, TRUE);
        }
    });
}

void UpdateDialogControls(CWnd* pWnd, CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (!pWnd || !pTarget)
        return;
    QWidget* holder = pWnd->GetWidget();
    for (QWidget* w : holder->findChildren<QWidget*>()) {
        int id = GetControlId(w);
        if (id == 0 || !BelongsTo(w->parent(), holder))
            continue;
        // Only push buttons go grey for want of a handler; other controls are left as they are.
        bool button = qobject_cast<QPushButton*>(w) || qobject_cast<QToolButton*>(w);
        CControlCmdUI ui(w, id);
        ui.DoUpdate(pTarget, bDisableIfNoHandler && button);
    }
}

int DialogBaseUnitX(const QFont& font)
{
    QFontMetrics fm(font);
    return (fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) / 26 + 1) / 2;
}
