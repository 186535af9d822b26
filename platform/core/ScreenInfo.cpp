#include "platform/core/ScreenInfo.h"

namespace {

class CDefaultScreenMetrics : public IScreenMetricsService {
public:
    CScreenInfo GetScreenInfo() override { return CScreenInfo(); }
};

CDefaultScreenMetrics g_default;
CServiceSlot<IScreenMetricsService> g_service(g_default);

} // namespace

CServiceSlot<IScreenMetricsService>& ScreenMetricsSlot()
{
    return g_service;
}

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
