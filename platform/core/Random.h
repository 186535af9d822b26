#pragma once
// Pseudo-random numbers with the runtime library's contract: values 0 to 32767, the same
// sequence for the same seed on every machine.

#include <cstdint>

constexpr int CORRA_RAND_MAX = 32767;

// A generator with its own state, for draws that must not disturb the program's sequence.
class CRandom {
public:
    explicit CRandom(unsigned int seed = 1) : m_state(seed) {}
    void Seed(unsigned int seed) { m_state = seed; }
    int Next()
    {
        m_state = m_state * 214013u + 2531011u;
        return static_cast<int>((m_state >> 16) & 0x7FFF);
    }

private:
    std::uint32_t m_state;
};

// The program's one sequence, used wherever the system draws at random (thread-safe).
void CorraSrand(unsigned int seed);
int CorraRand();
