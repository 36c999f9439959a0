// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// Draws that several levels share.

#include "level.h"

namespace pomuru {

// A count of tenths as the single-precision value the records hold (t / 10).
inline float tenthsValue(int tenths)
{
    return float(tenths / 10.0);
}

// A whole number 1 to `last`: Int((last + 1) × r + 1), drawn again in the
// rare case it comes out as last + 1.
inline int drawOneTo(RandomWholes& random, int last)
{
    int drawn = 0;
    do
        drawn = random.draw(last + 1, 1);
    while (drawn > last);
    return drawn;
}

// Tenths 1 to `last`, drawn again while t / 10 is a recent answer (the tape
// levels up to 0.9 m, the number line up to 3.9).
inline Problem drawFreshTenths(RandomWholes& random, const RecentAnswers& recent, int last)
{
    int tenths = 0;
    do
        tenths = drawOneTo(random, last);
    while (recent.contains(tenthsValue(tenths)));
    return Problem{.first = tenths, .value1 = tenthsValue(tenths)};
}

// Tenths 1 to 9 of a metre (the two tape levels). Seven recent answers of
// the nine possible are avoided.
inline constexpr int TenthsOfAMetreWindow = 7;
static_assert(TenthsOfAMetreWindow < 9, "a fresh answer must always exist");
inline Problem drawFreshTenthsOfAMetre(RandomWholes& random, const RecentAnswers& recent)
{
    return drawFreshTenths(random, recent, 9);
}

// A count of tenths from 1 to `counts`, drawn again while its answer is a
// recent one (levels 5 and 6, which ask about the count both ways).
template <class AnswerOf>
Problem drawFreshCount(RandomWholes& random, const RecentAnswers& recent, int counts, AnswerOf answerOf)
{
    int tenths = 0;
    do
        tenths = random.draw(counts, 1);
    while (recent.contains(answerOf(tenths)));
    return Problem{.first = tenths, .value1 = answerOf(tenths)};
}

// A recent-answer window never covers every possible answer, so that a fresh
// answer always exists and a draw always finishes.
constexpr int cappedWindow(int window, int possibleAnswers)
{
    return window < possibleAnswers - 1 ? window : possibleAnswers - 1;
}

} // namespace pomuru
