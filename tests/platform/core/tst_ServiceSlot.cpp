#include "platform/core/ServiceSlot.h"

#include <gtest/gtest.h>

namespace {

class IGreeter {
public:
    virtual ~IGreeter() = default;
    virtual const char* Name() = 0;
};

class CNamed : public IGreeter {
public:
    explicit CNamed(const char* name) : m_name(name) {}
    const char* Name() override { return m_name; }

private:
    const char* m_name;
};

CNamed g_quiet("quiet");
CServiceSlot<IGreeter> g_slot(g_quiet);

// Plain tests, not the fixture: they move the run's baseline and must see it as the run has it.
TEST(ServiceSlot, ScopesNestAndPutBackWhatWasThere)
{
    EXPECT_STREQ(g_slot.Get().Name(), "quiet");
    EXPECT_EQ(g_slot.Installed(), nullptr);
    CNamed a("a"), b("b");
    {
        CServiceScope<IGreeter> outer(g_slot, a);
        EXPECT_STREQ(g_slot.Get().Name(), "a");
        {
            CServiceScope<IGreeter> inner(g_slot, b);
            EXPECT_STREQ(g_slot.Get().Name(), "b");
        }
        EXPECT_STREQ(g_slot.Get().Name(), "a");
    }
    EXPECT_STREQ(g_slot.Get().Name(), "quiet");
}

TEST(ServiceSlot, ResetGoesBackToTheBaseline)
{
    CNamed kept("kept"), left("left behind");
    g_slot.Set(&left);
    ResetServiceSlots();
    EXPECT_STREQ(g_slot.Get().Name(), "quiet") << "a slot nobody kept goes back to its default";

    g_slot.Set(&kept);
    KeepServiceSlotsAsBaseline();
    g_slot.Set(&left);
    ResetServiceSlots();
    EXPECT_STREQ(g_slot.Get().Name(), "kept");

    g_slot.Set(nullptr);
    KeepServiceSlotsAsBaseline();
    EXPECT_STREQ(g_slot.Get().Name(), "quiet");
}

} // namespace
