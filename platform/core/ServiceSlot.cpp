#include "platform/core/ServiceSlot.h"

#include <mutex>
#include <vector>

namespace {

std::mutex& ListMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::vector<CServiceSlotBase*>& Listed()
{
    static std::vector<CServiceSlotBase*> slots;
    return slots;
}

} // namespace

void CServiceSlotBase::Store(void* service)
{
    if (!m_listed.exchange(true)) {
        std::lock_guard<std::mutex> lock(ListMutex());
        Listed().push_back(this);
    }
    m_installed.store(service, std::memory_order_release);
}

void ResetServiceSlots()
{
    std::lock_guard<std::mutex> lock(ListMutex());
    for (CServiceSlotBase* slot : Listed())
        slot->m_installed.store(slot->m_baseline.load());
}

void KeepServiceSlotsAsBaseline()
{
    std::lock_guard<std::mutex> lock(ListMutex());
    for (CServiceSlotBase* slot : Listed())
        slot->m_baseline.store(slot->m_installed.load());
}
