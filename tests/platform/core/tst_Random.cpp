#include "platform/core/Random.h"

#include <gtest/gtest.h>

TEST(Random, FixedSeedGivesTheRuntimeSequence)
{
    CorraSrand(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int e : expected)
        EXPECT_EQ(CorraRand(), e);
}

TEST(Random, OwnGeneratorLeavesTheProgramSequenceAlone)
{
    CorraSrand(7);
    int first = CorraRand();
    CorraSrand(7);
    CRandom other(99);
    for (int i = 0; i < 100; ++i) {
        int v = other.Next();
        EXPECT_GE(v, 0);
        EXPECT_LE(v, CORRA_RAND_MAX);
    }
    EXPECT_EQ(CorraRand(), first);
}
