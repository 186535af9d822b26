#pragma once
// The screen's size, colour depth and resolution, read through a replaceable service so that
// start-up checks, dialog sizing and screen device contexts see the values a test fixes.

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

// The installed service; never NULL (the primary screen's values until one is installed).
// Installing does not take ownership; pass NULL to go back to the default.
IScreenMetricsService& ScreenMetricsService();
void SetScreenMetricsService(IScreenMetricsService* service);

// Shorthands for the installed service's values.
CScreenInfo GetScreenInfo();

// Answers with values set by the caller.
class CFixedScreenMetrics : public IScreenMetricsService {
public:
    CFixedScreenMetrics() = default;
    explicit CFixedScreenMetrics(const CScreenInfo& info) : info(info) {}
    CScreenInfo GetScreenInfo() override { return info; }

    CScreenInfo info;
};
