// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 9: subtracting two decimals of up to 1.8, never below zero.

#include "expression.h"
#include "generation.h"

namespace pomuru {

namespace {
constexpr int Numbers = 19;          // minuend and subtrahend 0 to 1.8
constexpr int PossibleAnswers = 19;  // differences 0 to 1.8
// A window of 27 would cover all 19 differences by the 20th problem of a
// row and leave no answer to draw; one of 18 would leave exactly one, and the
// answers would repeat in a fixed cycle of 19. Nine back leaves ten
// differences to choose from for every problem.
constexpr int RecentWindow = 9;
} // namespace

Expression drawSubtractionNumbers(Platform& platform)
{
    Expression expression;
    expression.subtraction = true;
    do {
        expression.a = drawWhole(platform, Numbers);
        expression.b = drawWhole(platform, Numbers);
    } while (expression.a < expression.b);
    return expression;
}

void drawSubtractionProblem(Drill& drill, const ProblemPlace& place)
{
    drawCalculationProblem(drill, place, drawSubtractionNumbers, cappedWindow(RecentWindow, PossibleAnswers));
}

} // namespace pomuru
