#include "platform/ui/Process.h"

#include "platform/ui/QtString.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

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
