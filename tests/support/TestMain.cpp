// Runs every test inside a QApplication on the offscreen platform, numbers in the "C" form.

#include "platform/core/FileSys.h"
#include "platform/core/StringTable.h"
#include "platform/ui/QtStartup.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    EnsureRuntimeDirectory();
    // Nothing a test does may touch the user's real files: outside a fixture the program home is
    // a temporary folder of this run.
    std::string base = fsys::TempDirectory().str() + "/corra-run-XXXXXX";
    if (char* dir = ::mkdtemp(base.data()))
        ::setenv("CORRA_HOME", dir, 1);
    ::testing::InitGoogleTest(&argc, argv);
    int result;
    {
        QApplication app(argc, argv);
        std::setlocale(LC_NUMERIC, "C");
        CorraInstallStringTable();
        InstallUnansweredModalCheck();
        result = RUN_ALL_TESTS();
    }
    std::error_code ec;
    std::filesystem::remove_all(base, ec);
    return result;
}
