#pragma once
// Test doubles of the program's services: they record what was asked and answer as the test
// says.

#include "platform/core/ScreenInfo.h"

// Answers with values set by the test.
class CFixedScreenMetrics : public IScreenMetricsService {
public:
    CFixedScreenMetrics() = default;
    explicit CFixedScreenMetrics(const CScreenInfo& info) : info(info) {}
    CScreenInfo GetScreenInfo() override { return info; }

    CScreenInfo info;
};
