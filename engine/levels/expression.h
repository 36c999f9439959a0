// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// Levels 8 to 10 ask for the sum or the difference of two decimals of up to
// 1.8, printed as one line with the row's answer box right after it. They
// differ only in how they draw their two numbers and the operation.

#include "level.h"

namespace pomuru {

inline constexpr QStringView CalculationInstruction = u"次の計算をしましょう。";

// (first + second) / 10 or (first - second) / 10 at the single precision of
// the records.
float calculationAnswer(const Problem& problem);
// "0.3 + 1.5 =", "1.5 - 0.3 =".
QString calculationText(const Problem& problem);

// Draws the two numbers and the operation with `drawNumbers`, again while the
// answer repeats a recent one.
Problem drawCalculation(RandomWholes& random, const RecentAnswers& recent,
                        void (*drawNumbers)(RandomWholes&, Problem&));

// The instruction, then the expression.
void paintCalculation(Canvas& canvas, const Problem& problem, int top);
// 10 pixels after the expression, wherever its length ends it.
QPoint calculationAnswerPlace(const Canvas& canvas, const Problem& problem, int top);

// The entry of a calculation level in the table of levels.
constexpr Level calculationLevel(int number, QStringView caption, int window,
                                 Problem (*draw)(RandomWholes&, const RecentAnswers&))
{
    return Level{number, caption, AnswerWay::Typed, CalculationInstruction, window, draw, paintCalculation, calculationAnswerPlace};
}

} // namespace pomuru
