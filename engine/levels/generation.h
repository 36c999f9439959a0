// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// Helpers shared by the level generators.

#include "levels.h"

#include <algorithm>

namespace pomuru {

// Int(scale × r + offset) for a fresh uniform r: a whole number drawn at
// random, rounded down.
inline int drawWhole(Platform& platform, int scale, int offset = 0)
{
    // r has 24 bits, so the product is exact in a double and stays below scale + offset.
    return int(double(scale) * double(platform.nextRandom()) + offset);
}

// A whole number 1 to 9: Int(10 × r + 1), drawn again in the rare case it
// comes out as 10.
inline int drawOneToNine(Platform& platform)
{
    int drawn = 0;
    do
        drawn = drawWhole(platform, 10, 1);
    while (drawn >= 10);
    return drawn;
}

// A count of tenths as the single-precision value the records hold (t / 10).
inline float tenthsValue(int tenths)
{
    return float(tenths / 10.0);
}

// Tenths 1 to 9 of a metre, drawn again while t / 10 repeats one of the
// row's last `window` answers (the two tape levels).
inline int drawFreshTenthsOfAMetre(DrillState& state, Platform& platform, const ProblemPlace& place, int window)
{
    int tenths = 0;
    do
        tenths = drawOneToNine(platform);
    while (state.isRecentAnswer(place.row, place.n, window, tenthsValue(tenths)));
    return tenths;
}

// A recent-answer window never covers every possible answer, so that a fresh
// answer always exists and a generator always finishes.
inline int cappedWindow(int window, int possibleAnswers)
{
    return std::min(window, possibleAnswers - 1);
}

// Writes Value1 and Value2 of the problem's record and zeroes Value3 and
// Value4; Value5 is left as it was.
inline void writeRecord(DrillState& state, const ProblemPlace& place, float value1, float value2 = 0)
{
    state.record(place.row, place.n, Value1) = value1;
    state.record(place.row, place.n, Value2) = value2;
    state.record(place.row, place.n, Value3) = 0;
    state.record(place.row, place.n, Value4) = 0;
}

} // namespace pomuru
