#include "tests/support/CorraTest.h"

#include "foundation/Log.h"
#include "foundation/LogException.h"

#include "platform/core/FileSys.h"
#include "platform/core/PlatformPaths.h"
#include "platform/core/ProgramHome.h"
#include "platform/core/Random.h"
#include "platform/ui/Print.h"

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

std::vector<std::function<void()>>& TestResetHooks()
{
    static std::vector<std::function<void()>> hooks;
    return hooks;
}

void CorraTest::SetUp()
{
    std::string templ = fsys::TempDirectory().str() + "/corra-test-XXXXXX";
    char* dir = ::mkdtemp(templ.data());
    ASSERT_NE(dir, nullptr);
    const char* old = std::getenv("CORRA_HOME");
    m_oldHome = old ? old : "";
    ::setenv("CORRA_HOME", dir, 1);
    ResetPlatformPaths();
    m_home = GetProgramHome();
    MessageBoxSlot().Set(&messageBox);
    RichMessageBoxSlot().Set(&richBox);
    DesktopOpenerSlot().Set(&opener);
    HelpServiceSlot().Set(&help);
    ScreenMetricsSlot().Set(&screen);
    FileDialogSlot().Set(&fileDialog);
    CorraSrand(1);
    ResetLogging();
    ResetInternalErrorNotice();
    for (auto& hook : TestResetHooks())
        hook();
}

void CorraTest::TearDown()
{
    for (auto& hook : TestResetHooks())
        hook();
    ResetLogging();
    ResetInternalErrorNotice();
    ResetProgramPrinterSetup();
    // Every slot a test or the code under test installed into goes back to the run's baseline.
    ResetServiceSlots();
    std::error_code ec;
    std::filesystem::remove_all(fsys::Native(m_home), ec);
    if (m_oldHome.empty())
        ::unsetenv("CORRA_HOME");
    else
        ::setenv("CORRA_HOME", m_oldHome.c_str(), 1);
    ResetPlatformPaths();
}

CString CorraTest::WriteHomeFile(const char* name, const std::string& content) const
{
    CString path = HomePath(name);
    fsys::CreateDirectories(fsys::Folder(path));
    fsys::WriteFile(path, content.data(), content.size());
    return path;
}

CString TestDataPath(const char* name)
{
    return fsys::Join(CORRA_TEST_DATA_DIR, name);
}

CString SamplePath(const char* name)
{
    return fsys::Join(CORRA_SAMPLES_DIR, name);
}

bool AsPlainUser(const std::function<bool()>& fn)
{
    if (::geteuid() != 0)
        return fn();
    pid_t pid = ::fork();
    if (pid == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        ::_exit(fn() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
