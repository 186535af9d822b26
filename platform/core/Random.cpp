#include "platform/core/Random.h"

#include <mutex>

namespace {
std::mutex g_mutex;
CRandom g_random(1);
} // namespace

void CorraSrand(unsigned int seed)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_random.Seed(seed);
}

int CorraRand()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_random.Next();
}
