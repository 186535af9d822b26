// A libFuzzer harness over one entry of FuzzEntries.cpp (CORRA_FUZZ_ENTRY names it). The process
// gets what the test run gives each test: an offscreen application, the string table and a
// program home of its own that goes when the run ends.

#include "fuzz/FuzzEntries.h"

#include "platform/core/FileSys.h"
#include "platform/core/StringTable.h"
#include "platform/ui/QtStartup.h"
#include "platform/ui/ScreenMetrics.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const CFuzzEntry* g_entry = nullptr;
std::string g_home;

void RemoveHome()
{
    std::error_code ec;
    std::filesystem::remove_all(g_home, ec);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    g_entry = FindFuzzEntry(CORRA_FUZZ_ENTRY);
    if (!g_entry) {
        std::fprintf(stderr, "no fuzz entry %s\n", CORRA_FUZZ_ENTRY);
        std::exit(2);
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    EnsureRuntimeDirectory();
    g_home = fsys::TempDirectory().str() + "/corra-fuzz-XXXXXX";
    if (!::mkdtemp(g_home.data())) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    ::setenv("CORRA_HOME", g_home.c_str(), 1);
    std::atexit(RemoveHome);
    static QApplication app(*argc, *argv);
    std::setlocale(LC_NUMERIC, "C");
    CorraInstallStringTable();
    InstallPrimaryScreenMetrics();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    g_entry->run(data, size);
    return 0;
}
