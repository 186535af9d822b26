#pragma once
// The reader of the real screen (the primary screen of the GUI application) behind the screen
// service of platform/core/ScreenInfo.h.

#include "platform/core/ScreenInfo.h"

// The primary screen's values; without a GUI application (or a screen) the defaults of
// CScreenInfo.
class CPrimaryScreenMetrics : public IScreenMetricsService {
public:
    CScreenInfo GetScreenInfo() override;
};

// Installs a CPrimaryScreenMetrics as the screen service (done by InstallQtServices).
void InstallPrimaryScreenMetrics();
