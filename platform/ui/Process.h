#pragma once
// Running another program and waiting for it: an argument list (no shell), a time limit, a way
// to stop it early, and the whole process group killed when it is stopped or runs over, so that
// nothing it started is left behind. The program runs them over QProcess; tests script them.

#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <functional>
#include <memory>
#include <vector>

struct CProcessRequest {
    CString program;                 // a name found on PATH, or a path
    std::vector<CString> arguments;
    CString workingFolder;           // empty: the current one
    int nTimeoutMs = 120000;
    // Asked while the program runs; true stops it (its process group is killed).
    std::function<bool()> shouldStop;
};

struct CProcessResult {
    BOOL bStarted = FALSE;
    BOOL bTimedOut = FALSE;
    BOOL bStopped = FALSE;
    int nExitCode = -1;              // valid when it ended by itself
    CString errorText;               // why it did not start, or what it wrote to its error output
};

// A program started and left to the caller, who waits for it in steps. Letting go of it leaves
// the program running; it is reaped when it ends.
class IRunningProgram {
public:
    virtual ~IRunningProgram() = default;
    // TRUE once the program has ended, waiting up to ms for it.
    virtual BOOL WaitForExit(DWORD ms) = 0;
    // The exit code of a program that ended by itself; FALSE while it runs or when a signal
    // ended it.
    virtual BOOL GetExitCode(int& code) = 0;
};

class IProcessRunner {
public:
    virtual ~IProcessRunner() = default;
    // Full path of a program on PATH; empty when there is none.
    virtual CString FindProgram(const CString& name) = 0;
    // Runs it to its end, its time limit or a stop. Any thread.
    virtual CProcessResult Run(const CProcessRequest& request) = 0;
    // Starts it (program, arguments and folder of the request; no time limit, no stop) in a
    // process group of its own. NULL, with why in error, when it did not start. Any thread.
    virtual std::unique_ptr<IRunningProgram> Start(const CProcessRequest& request, CString& error)
    {
        error = "No program can be started: " + request.program;
        return nullptr;
    }
};
// Until the program installs the real runner, no program is found and none runs.
CServiceSlot<IProcessRunner>& ProcessRunnerSlot();

// The runner over QProcess; each program starts in a process group of its own.
class CQtProcessRunner : public IProcessRunner {
public:
    CString FindProgram(const CString& name) override;
    CProcessResult Run(const CProcessRequest& request) override;
    std::unique_ptr<IRunningProgram> Start(const CProcessRequest& request, CString& error) override;
};
