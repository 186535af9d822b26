#pragma once
// What the printing benchmarks share: a print dialog that answers every print with all pages
// to one PDF file, and a stopwatch.

#include "bench/BenchApp.h"
#include "platform/core/String.h"
#include "platform/core/StringTable.h"
#include "platform/ui/Print.h"
#include "platform/ui/ScreenMetrics.h"
#include "render/FontMgr.h"
#include "render/RtfDraw3.h"

#include <QApplication>

#include <chrono>
#include <functional>
#include <memory>

// The application the printing benchmarks run in: offscreen in a program home of its own, with
// the string table, the screen, the RTF drawer and the fonts.
class CPrintBenchApp {
public:
    CPrintBenchApp(int& argc, char** argv) : m_app(argc, argv)
    {
        CorraInstallStringTable();
        InstallPrimaryScreenMetrics();
        InstallRtfTextDrawer();
        m_fonts = std::make_unique<CFontMgrInit>();
    }
    // FALSE when the program home could not be made; the benchmark should not run then.
    bool IsReady() const { return m_home.IsMade(); }

private:
    CBenchHome m_home;  // before the application: it sets the environment the application reads
    QApplication m_app;
    std::unique_ptr<CFontMgrInit> m_fonts;
};

class CPdfDialogs : public IPrintDialogService {
public:
    BOOL RunPrintDialog(CPrintDialog& dlg) override
    {
        dlg.PrintToPdf(path);
        dlg.ChooseAll();
        return TRUE;
    }
    BOOL RunPageSetup(CPageSetupDialog&) override { return FALSE; }
    CString path;
};

// Milliseconds the call took.
inline double BenchMs(const std::function<void()>& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - start;
    return ms.count();
}
