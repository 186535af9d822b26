#include "platform/ui/ScreenMetrics.h"

#include "platform/core/Services.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// The primary screen; without a GUI application (or screen) the defaults of CScreenInfo.
class CPrimaryScreenMetrics : public IScreenMetricsService {
public:
    CScreenInfo GetScreenInfo() override
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
};

CPrimaryScreenMetrics g_primary;
CServiceSlot<IScreenMetricsService> g_service(g_primary);

} // namespace

IScreenMetricsService& ScreenMetricsService()
{
    return g_service.Get();
}

void SetScreenMetricsService(IScreenMetricsService* service)
{
    g_service.Set(service);
}

CScreenInfo GetScreenInfo()
{
    return ScreenMetricsService().GetScreenInfo();
}
