#pragma once
// Scripts the modal dialogs a test opens. While a CModalScript lives, each dialog that runs
// modally is handed to the first queued step that fits it (by class or by template id); the step
// acts on its controls and ends it. A dialog that no step takes fails the test and ends with
// IDCANCEL. Outside any script every modal dialog fails the test the same way, so no test can
// hang in a modal loop.

#include "platform/ui/Dialog.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

class CModalScript : public IModalRunHook {
public:
    CModalScript();
    ~CModalScript() override;

    // The next dialog of class T (or derived from it) goes to act.
    template <typename T>
    CModalScript& On(std::function<void(T&)> act)
    {
        m_steps.push_back({[](CDialog& d) { return dynamic_cast<T*>(&d) != nullptr; },
                           [act = std::move(act)](CDialog& d) { act(*dynamic_cast<T*>(&d)); }, "a dialog class"});
        return *this;
    }
    // The next dialog with template id nIDTemplate goes to act.
    CModalScript& OnTemplate(UINT nIDTemplate, std::function<void(CDialog&)> act);

    void RunModal(CDialog& dlg) override;

    // Dialogs handed to a step so far.
    int Answered() const { return m_nAnswered; }
    // Steps not yet used.
    int Pending() const { return static_cast<int>(m_steps.size()); }

private:
    struct Step {
        std::function<bool(CDialog&)> fits;
        std::function<void(CDialog&)> act;
        const char* what;
    };
    std::deque<Step> m_steps;
    CServiceScope<IModalRunHook> m_installed;
    int m_nAnswered = 0;
};

// Clicks the button nID of a window (as the user would: its click notification runs).
void ClickDlgButton(CWnd& wnd, int nID);
// Runs the event loop until pred holds or ms pass; whether it held.
bool RunEventsUntil(const std::function<bool()>& pred, int ms = 2000);

// Installs, for the whole test run, the check that fails every modal dialog no script answers
// (the run then keeps it as the slots' baseline).
void InstallUnansweredModalCheck();
