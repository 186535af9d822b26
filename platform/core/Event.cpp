#include "platform/core/Event.h"

#include <chrono>

void CEvent::SetEvent()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_set = true;
    }
    m_cv.notify_all();
}

void CEvent::ResetEvent()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_set = false;
}

BOOL CEvent::IsSet() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_set;
}

DWORD CEvent::Wait(DWORD ms)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    auto ready = [this] { return m_set; };
    if (ms == INFINITE)
        m_cv.wait(lock, ready);
    else if (!m_cv.wait_for(lock, std::chrono::milliseconds(ms), ready))
        return WAIT_TIMEOUT;
    if (!m_manual)
        m_set = false;
    return WAIT_OBJECT_0;
}
