// Runs every test inside a QApplication on the offscreen platform, numbers in the "C" form.

#include "platform/core/FileSys.h"
#include "platform/core/StringTable.h"
#include "platform/ui/QtStartup.h"
#include "tests/support/ModalScript.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv)
{
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    EnsureRuntimeDirectory();
    // Nothing a test does may touch the user's real files: outside a fixture the program home is
    // a temporary folder of this run. A death test's child runs this again and dies without
    // cleaning up: it works in its parent's folder, which the parent removes.
    std::string base;
    if (const char* parent = std::getenv("CORRA_TEST_RUN_HOME")) {
        ::setenv("CORRA_HOME", parent, 1);
    } else {
        base = fsys::TempDirectory().str() + "/corra-run-XXXXXX";
        if (char* dir = ::mkdtemp(base.data())) {
            ::setenv("CORRA_HOME", dir, 1);
            ::setenv("CORRA_TEST_RUN_HOME", dir, 1);
        } else {
            base.clear();
        }
    }
    ::testing::InitGoogleTest(&argc, argv);
    int result;
    {
        QApplication app(argc, argv);
        std::setlocale(LC_NUMERIC, "C");
        CorraInstallStringTable();
        InstallUnansweredModalCheck();
        KeepServiceSlotsAsBaseline();
        result = RUN_ALL_TESTS();
    }
    // A run that ran nothing (a filter or shard that matched no test, tests that failed to
    // register) must not pass for a green one.
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    if (result == 0 && unit.test_to_run_count() == 0 && !::testing::GTEST_FLAG(list_tests)) {
        std::fprintf(stderr, "%s: no test ran\n", argv[0]);
        result = 1;
    }
    std::error_code ec;
    if (!base.empty())
        std::filesystem::remove_all(base, ec);
    return result;
}
