#pragma once
// A manual- or auto-reset event for stopping and waking worker threads.

#include "platform/core/WinTypes.h"

#include <condition_variable>
#include <mutex>

constexpr DWORD INFINITE = 0xFFFFFFFF;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;

class CEvent {
public:
    explicit CEvent(BOOL initiallySet = FALSE, BOOL manualReset = TRUE)
        : m_set(initiallySet), m_manual(manualReset) {}
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    void SetEvent();
    void ResetEvent();
    BOOL IsSet() const;
    // WAIT_OBJECT_0 when set within ms, else WAIT_TIMEOUT. An auto-reset event is reset by a
    // successful wait.
    DWORD Wait(DWORD ms = INFINITE);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_set;
    bool m_manual;
};
