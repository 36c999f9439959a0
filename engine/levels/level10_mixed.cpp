// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 10: adding or subtracting two decimals of up to 1.8. A subtraction
// that would go below zero is drawn again together with its operation, so
// additions come about twice as often as subtractions (361 : 190 pairs).

#include "expression.h"
#include "generation.h"

namespace pomuru {

namespace {
constexpr int Numbers = 19;          // each number 0 to 1.8
constexpr int Operations = 100;      // 0 to 49 add, 50 to 99 subtract
constexpr int LastAddition = 49;
constexpr int PossibleAnswers = 37;  // sums 0 to 3.6; the differences are among them
constexpr int RecentWindow = 27;
} // namespace

Expression drawMixedNumbers(Platform& platform)
{
    Expression expression;
    do {
        expression.a = drawWhole(platform, Numbers);
        expression.b = drawWhole(platform, Numbers);
        expression.subtraction = drawWhole(platform, Operations) > LastAddition;
    } while (expression.subtraction && expression.a < expression.b);
    return expression;
}

void drawMixedProblem(Drill& drill, const ProblemPlace& place)
{
    drawCalculationProblem(drill, place, drawMixedNumbers, cappedWindow(RecentWindow, PossibleAnswers));
}

} // namespace pomuru
