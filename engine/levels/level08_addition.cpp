// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 8: adding two decimals of up to 1.8.

#include "expression.h"
#include "generation.h"

namespace pomuru {

namespace {
constexpr int Numbers = 19;          // each addend 0 to 1.8
constexpr int PossibleAnswers = 37;  // sums 0 to 3.6
constexpr int RecentWindow = 27;
} // namespace

Expression drawAdditionNumbers(Platform& platform)
{
    Expression expression;
    expression.a = drawWhole(platform, Numbers);
    expression.b = drawWhole(platform, Numbers);
    return expression;
}

void drawAdditionProblem(Drill& drill, const ProblemPlace& place)
{
    drawCalculationProblem(drill, place, drawAdditionNumbers, cappedWindow(RecentWindow, PossibleAnswers));
}

} // namespace pomuru
