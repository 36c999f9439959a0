// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include <cstdint>

namespace pomuru {

// A small seeded generator (SplitMix64) of single-precision values in [0, 1).
// Each value is 24 random bits times 2^-24, so it is exact in a float and
// never reaches 1.
class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed = 0) : state_(seed) {}

    void reseed(std::uint64_t seed) { state_ = seed; }
    float next()
    {
        return float(nextBits() >> 40) * (1.0f / 16777216.0f);
    }

private:
    std::uint64_t nextBits()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::uint64_t state_ = 0;
};

} // namespace pomuru
