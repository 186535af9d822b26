#pragma once
// What a benchmark of the drawing engine runs in: an offscreen GUI application with the string
// table and the font manager, a device context over an image to draw on, and a program home of
// its own in a temporary folder that goes when the benchmark ends.

#include "platform/core/FileSys.h"
#include "platform/core/StringTable.h"
#include "platform/ui/DC.h"
#include "platform/ui/QtStartup.h"
#include "platform/ui/ScreenMetrics.h"
#include "render/FontMgr.h"

#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

class CBenchHome {
public:
    CBenchHome()
    {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        EnsureRuntimeDirectory();
        m_path = fsys::TempDirectory().str() + "/corra-bench-XXXXXX";
        m_bMade = ::mkdtemp(m_path.data()) != nullptr;
        if (m_bMade)
            ::setenv("CORRA_HOME", m_path.c_str(), 1);
    }
    ~CBenchHome()
    {
        std::error_code ec;
        if (m_bMade)
            std::filesystem::remove_all(m_path, ec);
    }
    CBenchHome(const CBenchHome&) = delete;
    CBenchHome& operator=(const CBenchHome&) = delete;
    bool IsMade() const { return m_bMade; }

private:
    std::string m_path;
    bool m_bMade = false;
};

class CBenchApp {
public:
    CBenchApp(int& argc, char** argv) : m_app(argc, argv), m_image(800, 600, QImage::Format_RGB32)
    {
        CorraInstallStringTable();
        InstallPrimaryScreenMetrics();
        m_fonts = std::make_unique<CFontMgrInit>();
        m_dc = std::make_unique<CDC>(&m_image);
    }
    // FALSE when the program home could not be made; the benchmark should not run then.
    bool IsReady() const { return m_home.IsMade(); }
    CDC& DC() { return *m_dc; }

private:
    CBenchHome m_home;  // before the application: it reads the environment
    QGuiApplication m_app;
    std::unique_ptr<CFontMgrInit> m_fonts;
    QImage m_image;
    std::unique_ptr<CDC> m_dc;
};

// The best of several runs of a step, in seconds.
inline double BestSeconds(const std::function<void()>& run, int repeats = 5)
{
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) {
        auto start = std::chrono::steady_clock::now();
        run();
        std::chrono::duration<double> secs = std::chrono::steady_clock::now() - start;
        best = std::min(best, secs.count());
    }
    return best;
}

// One run of a step, in milliseconds.
inline double ElapsedMs(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - start;
    return ms.count();
}

// The process's resident memory in MiB.
inline double ResidentMiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}
