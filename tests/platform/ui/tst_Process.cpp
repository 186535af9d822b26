#include "platform/ui/Process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

CProcessRequest Shell(const char* script, int nTimeoutMs = 10000)
{
    CProcessRequest request;
    request.program = "/bin/sh";
    request.arguments = {"-c", script};
    request.nTimeoutMs = nTimeoutMs;
    return request;
}

// Running, not a zombie waiting to be reaped.
bool Alive(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (pid <= 0 || !std::getline(stat, line))
        return false;
    const size_t paren = line.rfind(')');
    return paren != std::string::npos && paren + 2 < line.size() && line[paren + 2] != 'Z';
}

pid_t ReadPid(const std::string& path)
{
    std::ifstream in(path);
    long pid = 0;
    in >> pid;
    return static_cast<pid_t>(pid);
}

TEST(ProcessRunner, ReportsTheExitCodeAndErrorOutput)
{
    CQtProcessRunner runner;
    const CProcessResult result = runner.Run(Shell("echo trouble >&2; exit 3"));
    EXPECT_TRUE(result.bStarted);
    EXPECT_FALSE(result.bTimedOut);
    EXPECT_EQ(result.nExitCode, 3);
    EXPECT_EQ(result.errorText, CString("trouble"));
}

TEST(ProcessRunner, AProgramThatIsNotThereDoesNotStart)
{
    CQtProcessRunner runner;
    CProcessRequest request;
    request.program = "/nonexistent/converter";
    const CProcessResult result = runner.Run(request);
    EXPECT_FALSE(result.bStarted);
    EXPECT_FALSE(result.errorText.IsEmpty());
    EXPECT_TRUE(runner.FindProgram("no-such-program-here").IsEmpty());
    EXPECT_FALSE(runner.FindProgram("sh").IsEmpty());
}

// A hung program and what it started are gone after a time-out or a stop.
TEST(ProcessRunner, TimeOutAndStopKillTheWholeProcessGroup)
{
    char folder[] = "/tmp/corra-process-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string pidFile = std::string(folder) + "/child";
    const std::string script = "sleep 60 & echo $! > " + pidFile + "; wait";
    CQtProcessRunner runner;
    for (bool bStop : {false, true}) {
        CProcessRequest request = Shell(script.c_str(), bStop ? 60000 : 300);
        int asked = 0;
        if (bStop)
            request.shouldStop = [&asked] { return ++asked > 3; };
        const auto started = std::chrono::steady_clock::now();
        const CProcessResult result = runner.Run(request);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
        EXPECT_EQ(result.bTimedOut, !bStop);
        EXPECT_EQ(result.bStopped, bStop);
        const pid_t child = ReadPid(pidFile);
        ASSERT_GT(child, 0);
        for (int i = 0; i < 50 && Alive(child); ++i)
            ::usleep(20000);
        EXPECT_FALSE(Alive(child)) << (bStop ? "stopped" : "timed out");
    }
    std::remove(pidFile.c_str());
    ::rmdir(folder);
}

// A started program is waited for in steps and gives its exit code; one let go of while it runs
// keeps running and is reaped when it ends; one that is not there does not start.
TEST(ProcessRunner, AStartedProgramOutlivesItsHolderAndIsReaped)
{
    CQtProcessRunner runner;
    CString error;
    auto quick = runner.Start(Shell("exit 7"), error);
    ASSERT_NE(quick, nullptr) << error.GetString();
    ASSERT_TRUE(quick->WaitForExit(5000));
    int code = -1;
    ASSERT_TRUE(quick->GetExitCode(code));
    EXPECT_EQ(code, 7);

    char folder[] = "/tmp/corra-start-XXXXXX";
    ASSERT_NE(::mkdtemp(folder), nullptr);
    const std::string pidFile = std::string(folder) + "/self";
    const std::string script = "echo $$ > " + pidFile + "; sleep 0.6";
    auto slow = runner.Start(Shell(script.c_str()), error);
    ASSERT_NE(slow, nullptr);
    EXPECT_FALSE(slow->WaitForExit(100));
    EXPECT_FALSE(slow->GetExitCode(code));
    pid_t pid = 0;
    for (int i = 0; i < 100 && pid <= 0; ++i, ::usleep(10000))
        pid = ReadPid(pidFile);
    ASSERT_GT(pid, 0);
    slow.reset();
    EXPECT_TRUE(Alive(pid));
    // Reaped once it ends: no zombie stays behind.
    bool gone = false;
    for (int i = 0; i < 300 && !gone; ++i, ::usleep(10000))
        gone = ::access(("/proc/" + std::to_string(pid)).c_str(), F_OK) != 0;
    EXPECT_TRUE(gone);
    std::remove(pidFile.c_str());
    ::rmdir(folder);

    CProcessRequest missing;
    missing.program = "/nonexistent/editor";
    EXPECT_EQ(runner.Start(missing, error), nullptr);
    EXPECT_FALSE(error.IsEmpty());
}

} // namespace
