#pragma once
// The fixture of every test that touches the program's state: a fresh temporary program home
// (and with it a fresh profile and registry store), scripted services, a seeded random sequence.
// Afterwards every service slot is put back, whoever installed into it.

#include "platform/core/Services.h"
#include "platform/core/String.h"
#include "tests/support/ScriptedServices.h"
#include "tests/support/ScriptedFileDialog.h"

#include <gtest/gtest.h>

#include <functional>

class CorraTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The temporary program home, with a trailing '/'.
    const CString& Home() const { return m_home; }
    // A path inside the program home.
    CString HomePath(const char* name) const { return m_home + name; }
    // Writes a file (folders created), returns its path.
    CString WriteHomeFile(const char* name, const std::string& content) const;

    CScriptedMessageBox messageBox;
    CScriptedRichMessageBox richBox;
    CScriptedDesktopOpener opener;
    CScriptedHelp help;
    CScriptedFileDialog fileDialog;
    // A 1024 by 768 screen, 32 bits per pixel, 96 pixels per inch.
    CFixedScreenMetrics screen;

private:
    CString m_home;
    std::string m_oldHome;
};

// Functions that put module state back between tests (a module with process-wide state adds
// one from its test file with a static CTestResetHook).
std::vector<std::function<void()>>& TestResetHooks();
struct CTestResetHook {
    explicit CTestResetHook(std::function<void()> hook) { TestResetHooks().push_back(std::move(hook)); }
};

// Runs fn under an unprivileged user id when this process is the superuser (whom file
// permissions do not stop), else in place; whether fn returned true. fn runs in a child process
// then, so it may only report through its result.
bool AsPlainUser(const std::function<bool()>& fn);

// The folder of the checked-in test fixtures.
CString TestDataPath(const char* name);
// A file of the sample documents that ship with the program (samples/).
CString SamplePath(const char* name);
