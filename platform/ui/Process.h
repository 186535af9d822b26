#pragma once
// Running another program and waiting for it: an argument list (no shell), a time limit, a way
// to stop it early, and the whole process group killed when it is stopped or runs over, so that
// nothing it started is left behind. The program runs them over QProcess; tests script them.

#include "platform/core/ServiceSlot.h"
#include "platform/core/String.h"
#include "platform/core/WinTypes.h"

#include <functional>
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

class IProcessRunner {
public:
    virtual ~IProcessRunner() = default;
    // Full path of a program on PATH; empty when there is none.
    virtual CString FindProgram(const CString& name) = 0;
    // Runs it to its end, its time limit or a stop. Any thread.
    virtual CProcessResult Run(const CProcessRequest& request) = 0;
};
// Until the program installs the real runner, no program is found and none runs.
CServiceSlot<IProcessRunner>& ProcessRunnerSlot();

// The runner over QProcess; each program starts in a process group of its own.
class CQtProcessRunner : public IProcessRunner {
public:
    CString FindProgram(const CString& name) override;
    CProcessResult Run(const CProcessRequest& request) override;
};
