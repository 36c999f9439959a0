// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 9: subtracting two decimals of up to 1.8, never below zero.

#include "draws.h"
#include "expression.h"

namespace pomuru {

namespace {
constexpr int Numbers = 19;          // minuend and subtrahend 0 to 1.8
constexpr int PossibleAnswers = 19;  // differences 0 to 1.8
// A window of 27 would cover all 19 differences by the 20th problem of a
// row and leave no answer to draw; one of 18 would leave exactly one, and the
// answers would repeat in a fixed cycle of 19. Nine back leaves ten
// differences to choose from for every problem.
constexpr int RecentWindow = 9;
static_assert(RecentWindow < PossibleAnswers, "a fresh answer must always exist");

// Both numbers again while the first is the smaller.
void drawMinuendAndSubtrahend(RandomWholes& random, Problem& problem)
{
    problem.subtraction = true;
    do {
        problem.first = random.draw(Numbers);
        problem.second = random.draw(Numbers);
    } while (problem.first < problem.second);
}

Problem drawSubtraction(RandomWholes& random, const RecentAnswers& recent)
{
    return drawCalculation(random, recent, drawMinuendAndSubtrahend);
}
} // namespace

const Level SubtractionLevel = calculationLevel(9, u"L09 ひき算をしましょう。", RecentWindow, drawSubtraction);

} // namespace pomuru
