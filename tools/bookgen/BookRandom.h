#pragma once
#include <cstdint>

// The generator's own random source (splitmix64): the same seed gives the same
// numbers on every machine and library version, so the book comes out byte for byte
// the same. Only integer arithmetic.
class TBookRandom {
public:
    explicit TBookRandom(uint64_t seed) : FState(seed) {}

    uint64_t Next()
    {
        uint64_t z = (FState += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, n); n > 0.
    uint64_t Below(uint64_t n) { return static_cast<uint64_t>((static_cast<unsigned __int128>(Next()) * n) >> 64); }
    // Uniform in [lo, hi].
    int Range(int lo, int hi) { return lo + static_cast<int>(Below(static_cast<uint64_t>(hi - lo + 1))); }
    // True with probability percent / 100.
    bool Chance(int percent) { return Below(100) < static_cast<uint64_t>(percent); }
    // Uniform in [0, 1) with 53 bits.
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

private:
    uint64_t FState;
};
