#pragma once
// The screen's size, colour depth and resolution, read through a replaceable service so that
// start-up checks, dialog sizing, unit conversions and screen device contexts see the values a
// test fixes. The user-interface layer installs the reader of the real screen at start-up
// (InstallPrimaryScreenMetrics); until then the defaults below stand.

#include "platform/core/ServiceSlot.h"
#include "platform/core/WinTypes.h"

struct CScreenInfo {
    int nWidth = 1024;       // pixels
    int nHeight = 768;
    int nBitsPerPixel = 32;  // colour depth
    int nDpiX = 96;          // logical pixels per inch
    int nDpiY = 96;
};

class IScreenMetricsService {
public:
    virtual ~IScreenMetricsService() = default;
    virtual CScreenInfo GetScreenInfo() = 0;
};

// The slot and its service (the defaults of CScreenInfo until one is installed).
// SetScreenMetricsService(s) is ScreenMetricsSlot().Set(s).
CServiceSlot<IScreenMetricsService>& ScreenMetricsSlot();
IScreenMetricsService& ScreenMetricsService();
void SetScreenMetricsService(IScreenMetricsService* service);

// Shorthand for the installed service's values.
CScreenInfo GetScreenInfo();
