#include "app/Splash.h"

#include "app/Pictures.h"
#include "app/VersionText.h"
#include "platform/ui/QtString.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

CSplashWindow* g_pSplash = nullptr;
BOOL g_bEnabled = FALSE;
UINT g_nTime = 0;
// The release that follows the press that closed the splash is swallowed too, so that nothing
// below sees half a click.
BOOL g_bSwallowRelease = FALSE;
// A key comes as a shortcut check and then its press: the press that follows the check that
// closed the splash is swallowed as well.
BOOL g_bSwallowKeyPress = FALSE;

} // namespace

void CSplashWindow::SetEnabled(BOOL bEnable)
{
    g_bEnabled = bEnable;
}

BOOL CSplashWindow::IsEnabled()
{
    return g_bEnabled;
}

CSplashWindow* CSplashWindow::Current()
{
    return g_pSplash;
}

UINT CSplashWindow::DisplayTime()
{
    return g_nTime;
}

CSplashWindow::CSplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), CWnd(this)
{
    m_picture = SplashPicture(devicePixelRatioF());
    setFixedSize(m_picture.deviceIndependentSize().toSize());
    setCursor(Qt::ArrowCursor);
    setWindowTitle(QStringLiteral("Quorvale"));
}

CSplashWindow::~CSplashWindow()
{
    if (g_pSplash == this)
        g_pSplash = nullptr;
}

void CSplashWindow::ShowOver(UINT nMilliseconds, CWnd* pParent)
{
    g_nTime = nMilliseconds;
    if (!g_bEnabled || g_pSplash)
        return;
    auto* pSplash = new CSplashWindow(pParent ? pParent->GetWidget() : nullptr);
    if (pSplash->m_picture.isNull()) {
        delete pSplash;
        return;
    }
    g_pSplash = pSplash;
    // Centred on the screen: the main window under it is still hidden.
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        pSplash->move(area.center() - QPoint(pSplash->width() / 2, pSplash->height() / 2));
    }
    pSplash->SetTimer(1, g_nTime);
    pSplash->show();
    pSplash->raise();
    pSplash->update();
}

void CSplashWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.drawPixmap(0, 0, m_picture);
    p.setPen(Qt::black);
    QFont version(QStringLiteral("Times New Roman"));
    version.setPixelSize(28);
    version.setWeight(QFont::Bold);
    p.setFont(version);
    p.drawText(QRect(285, 160, width() - 285, 40), Qt::AlignLeft | Qt::AlignTop,
               ToQString("Version   " + GetProductVersionText(FALSE)));
    QFont build(QStringLiteral("Arial"));
    build.setPixelSize(10);
    build.setWeight(QFont::Bold);
    p.setFont(build);
    p.drawText(QRect(285, 265, width() - 285, 20), Qt::AlignLeft | Qt::AlignTop,
               ToQString("Build date:   " + BuildTimeStamp()));
}

void CSplashWindow::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == 1)
        HideSplash();
}

void CSplashWindow::HideSplash()
{
    DestroyWindow();
    if (g_pSplash == this)
        g_pSplash = nullptr;
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->UpdateWindow();
    deleteLater();
}

void CSplashWindow::Close()
{
    if (g_pSplash)
        g_pSplash->HideSplash();
}

BOOL CSplashWindow::FilterMessage(QObject*, QEvent* pEvent)
{
    switch (pEvent->type()) {
    case QEvent::MouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonRelease:
        if (g_bSwallowRelease) {
            g_bSwallowRelease = FALSE;
            return TRUE;
        }
        return FALSE;
    case QEvent::KeyRelease:
        g_bSwallowKeyPress = FALSE;
        return FALSE;
    case QEvent::KeyPress:
        if (g_bSwallowKeyPress && !g_pSplash) {
            g_bSwallowKeyPress = FALSE;
            return TRUE;
        }
        [[fallthrough]];
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
        if (!g_pSplash)
            return FALSE;
        if (pEvent->type() == QEvent::ShortcutOverride) {
            // Taken as the widget's own key, so that no shortcut fires either.
            pEvent->accept();
            g_bSwallowKeyPress = TRUE;
        } else if (pEvent->type() != QEvent::KeyPress) {
            g_bSwallowRelease = TRUE;
        }
        g_pSplash->HideSplash();
        return TRUE;
    default: return FALSE;
    }
}
