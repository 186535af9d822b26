#include "platform/ui/Process.h"

#include "platform/ui/QtString.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <chrono>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

class CNoProcessRunner : public IProcessRunner {
public:
    CString FindProgram(const CString&) override { return CString(); }
    CProcessResult Run(const CProcessRequest& request) override
    {
        CProcessResult result;
        result.errorText = "No program can be run: " + request.program;
        return result;
    }
};
CNoProcessRunner g_noRunner;
CServiceSlot<IProcessRunner> g_runner(g_noRunner);

void KillGroup(QProcess& process, qint64 pid)
{
    if (pid > 0)
        ::kill(-static_cast<pid_t>(pid), SIGKILL);
    process.kill();
    process.waitForFinished(5000);
}

// A child of this process, waited for with waitpid; one let go of before it ended is reaped by a
// thread of its own, so that it neither dies with its holder nor stays a zombie.
class CSpawnedProgram : public IRunningProgram {
public:
    explicit CSpawnedProgram(pid_t pid) : m_pid(pid) {}
    ~CSpawnedProgram() override
    {
        if (m_bEnded)
            return;
        const pid_t pid = m_pid;
        std::thread([pid] {
            int status = 0;
            while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    }

    BOOL WaitForExit(DWORD ms) override
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (!m_bEnded) {
            int status = 0;
            const pid_t r = ::waitpid(m_pid, &status, WNOHANG);
            if (r == m_pid) {
                m_bEnded = TRUE;
                m_bKnown = TRUE;
                m_nStatus = status;
                break;
            }
            if (r < 0 && errno != EINTR) {
                // Someone else reaped it: it has ended, how is not known.
                m_bEnded = TRUE;
                break;
            }
            const auto now = std::chrono::steady_clock::now();
            if (now >= deadline)
                return FALSE;
            std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
                std::chrono::milliseconds(10), deadline - now));
        }
        return TRUE;
    }

    BOOL GetExitCode(int& code) override
    {
        if (!m_bEnded || !m_bKnown || !WIFEXITED(m_nStatus))
            return FALSE;
        code = WEXITSTATUS(m_nStatus);
        return TRUE;
    }

private:
    pid_t m_pid;
    BOOL m_bEnded = FALSE;
    BOOL m_bKnown = FALSE;
    int m_nStatus = 0;
};

} // namespace

CServiceSlot<IProcessRunner>& ProcessRunnerSlot() { return g_runner; }

CString CQtProcessRunner::FindProgram(const CString& name)
{
    return FromQString(QStandardPaths::findExecutable(ToQString(name)));
}

CProcessResult CQtProcessRunner::Run(const CProcessRequest& request)
{
    CProcessResult result;
    QProcess process;
    QStringList args;
    for (const CString& a : request.arguments)
        args << ToQString(a);
    process.setProgram(ToQString(request.program));
    process.setArguments(args);
    if (!request.workingFolder.IsEmpty())
        process.setWorkingDirectory(ToQString(request.workingFolder));
    process.setStandardInputFile(QProcess::nullDevice());
    // A group of its own, so that stopping it also stops whatever it started.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.start();
    if (!process.waitForStarted(10000)) {
        result.errorText = FromQString(process.errorString());
        return result;
    }
    result.bStarted = TRUE;
    const qint64 pid = process.processId();
    QDeadlineTimer deadline(request.nTimeoutMs);
    while (!process.waitForFinished(100)) {
        if (process.state() == QProcess::NotRunning)
            break;
        if (request.shouldStop && request.shouldStop()) {
            result.bStopped = TRUE;
            KillGroup(process, pid);
            return result;
        }
        if (deadline.hasExpired()) {
            result.bTimedOut = TRUE;
            KillGroup(process, pid);
            return result;
        }
    }
    // What the program left running in its group goes with it.
    if (pid > 0)
        ::kill(-static_cast<pid_t>(pid), SIGKILL);
    if (process.exitStatus() == QProcess::NormalExit)
        result.nExitCode = process.exitCode();
    result.errorText = FromQString(QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
    return result;
}

std::unique_ptr<IRunningProgram> CQtProcessRunner::Start(const CProcessRequest& request, CString& error)
{
    std::vector<std::string> words;
    words.emplace_back(request.program.GetString());
    for (const CString& a : request.arguments)
        words.emplace_back(a.GetString());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (!request.workingFolder.IsEmpty())
        posix_spawn_file_actions_addchdir_np(&actions, request.workingFolder.GetString());
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // A group of its own, as Run gives; nothing of this process's signal mask goes with it.
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setpgroup(&attr, 0);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    pid_t pid = 0;
    const int rc = ::posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        error = CString(std::strerror(rc)) + ": " + request.program;
        return nullptr;
    }
    return std::make_unique<CSpawnedProgram>(pid);
}
