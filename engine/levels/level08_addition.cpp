// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 8: adding two decimals of up to 1.8.

#include "draws.h"
#include "expression.h"

namespace pomuru {

namespace {
constexpr int Numbers = 19;          // each addend 0 to 1.8
constexpr int PossibleAnswers = 37;  // sums 0 to 3.6

void drawAddends(RandomWholes& random, Problem& problem)
{
    problem.first = random.draw(Numbers);
    problem.second = random.draw(Numbers);
}

Problem drawAddition(RandomWholes& random, const RecentAnswers& recent)
{
    return drawCalculation(random, recent, drawAddends);
}
} // namespace

const Level AdditionLevel = calculationLevel(8, u"L08 たし算をしましょう。", cappedWindow(27, PossibleAnswers), drawAddition);

} // namespace pomuru
