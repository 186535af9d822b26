#include "platform/ui/ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>

CScreenInfo CPrimaryScreenMetrics::GetScreenInfo()
{
    CScreenInfo info;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return info;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return info;
    const QSize size = screen->size();
    if (size.width() > 0 && size.height() > 0) {
        info.nWidth = size.width();
        info.nHeight = size.height();
    }
    if (screen->depth() > 0)
        info.nBitsPerPixel = screen->depth();
    const int dpiX = qRound(screen->logicalDotsPerInchX());
    const int dpiY = qRound(screen->logicalDotsPerInchY());
    if (dpiX > 0 && dpiY > 0) {
        info.nDpiX = dpiX;
        info.nDpiY = dpiY;
    }
    return info;
}

void InstallPrimaryScreenMetrics()
{
    static CPrimaryScreenMetrics primary;
    SetScreenMetricsService(&primary);
}
