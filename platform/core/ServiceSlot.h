#pragma once
// The one way the program replaces a piece of itself: a service slot. A slot holds the service
// installed in it, or gives a quiet default (one that never blocks, never leaves the process,
// never reaches a higher layer) while none is. The application installs the real services at
// start-up; a test installs its own with a CServiceScope, and the test fixture puts every slot
// back after each test, so a test never resets a slot by hand.
//
// A slot is constant-initialised (ready before any static constructor asks for its service),
// and installing and reading are atomic.

#include <atomic>

class CServiceSlotBase {
public:
    CServiceSlotBase(const CServiceSlotBase&) = delete;
    CServiceSlotBase& operator=(const CServiceSlotBase&) = delete;

protected:
    constexpr CServiceSlotBase() = default;
    void* Load() const { return m_installed.load(std::memory_order_acquire); }
    // The first store enters the slot in the list that ResetServiceSlots walks.
    void Store(void* service);

private:
    friend void ResetServiceSlots();
    friend void KeepServiceSlotsAsBaseline();
    std::atomic<void*> m_installed{nullptr};
    std::atomic<void*> m_baseline{nullptr};
    std::atomic<bool> m_listed{false};
};

template <typename T>
class CServiceSlot : public CServiceSlotBase {
public:
    constexpr explicit CServiceSlot(T& fallback) : m_fallback(fallback) {}

    // The installed service, else the default; never NULL.
    T& Get() const
    {
        T* s = Installed();
        return s ? *s : m_fallback;
    }
    // The installed service, or NULL while the default stands.
    T* Installed() const { return static_cast<T*>(Load()); }
    // Does not take ownership; NULL goes back to the default.
    void Set(T* service) { Store(service); }

private:
    T& m_fallback;
};

// Installs a service for as long as the scope lives, then puts back what was installed before.
template <typename T>
class CServiceScope {
public:
    CServiceScope(CServiceSlot<T>& slot, T& service) : m_slot(slot), m_pPrevious(slot.Installed())
    {
        slot.Set(&service);
    }
    ~CServiceScope() { m_slot.Set(m_pPrevious); }
    CServiceScope(const CServiceScope&) = delete;
    CServiceScope& operator=(const CServiceScope&) = delete;

private:
    CServiceSlot<T>& m_slot;
    T* m_pPrevious;
};

// Puts every slot that was ever installed into back to its baseline: its default, or what was
// installed when KeepServiceSlotsAsBaseline last ran. The test fixture calls it after each test.
void ResetServiceSlots();
// Makes what is installed now the baseline (a test run installs its run-wide services, such as
// the check that fails unanswered modal dialogs, and keeps them).
void KeepServiceSlotsAsBaseline();
