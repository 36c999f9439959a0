// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 10: adding or subtracting two decimals of up to 1.8. A subtraction
// that would go below zero is drawn again together with its operation, so
// additions come about twice as often as subtractions (361 : 190 pairs).

#include "draws.h"
#include "expression.h"

namespace pomuru {

namespace {
constexpr int Numbers = 19;          // each number 0 to 1.8
constexpr int Operations = 100;      // 0 to 49 add, 50 to 99 subtract
constexpr int LastAddition = 49;
constexpr int PossibleAnswers = 37;  // sums 0 to 3.6; the differences are among them

// The two numbers, then the operation.
void drawNumbersAndOperation(RandomWholes& random, Problem& problem)
{
    do {
        problem.first = random.draw(Numbers);
        problem.second = random.draw(Numbers);
        problem.subtraction = random.draw(Operations) > LastAddition;
    } while (problem.subtraction && problem.first < problem.second);
}

Problem drawMixed(RandomWholes& random, const RecentAnswers& recent)
{
    return drawCalculation(random, recent, drawNumbersAndOperation);
}
} // namespace

const Level MixedLevel = calculationLevel(10, u"L10 計算をしましょう。", cappedWindow(27, PossibleAnswers), drawMixed);

} // namespace pomuru
