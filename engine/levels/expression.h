// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// Levels 8 to 10 ask for the sum or the difference of two decimals of up to
// 1.8, printed as one line with the row's answer box right after it. They
// differ only in how they draw their two numbers and the operation.

#include "levels.h"

namespace pomuru {

inline const QString CalculationInstruction = QStringLiteral("次の計算をしましょう。");

// Two numbers in tenths (0 to 18) and the operation between them.
struct Expression {
    int a = 0;
    int b = 0;
    bool subtraction = false;

    // (a + b) / 10 or (a - b) / 10 at the single precision of the records.
    float answer() const { return float((subtraction ? a - b : a + b) / 10.0); }
    // "0.3 + 1.5 =", "1.5 - 0.3 =".
    QString text() const;
};

// The numbers of one problem of each level, as drawn before the recent-answer
// check looks at the answer. Defined with their levels.
Expression drawAdditionNumbers(Platform& platform);     // level 8: a, then b
Expression drawSubtractionNumbers(Platform& platform);  // level 9: a, then b, again while a < b
Expression drawMixedNumbers(Platform& platform);        // level 10: a, then b, then the operation

// Draws the numbers again while the answer repeats one of the row's last
// `window` answers, writing the record at every draw, then lays the problem out.
void drawCalculationProblem(Drill& drill, const ProblemPlace& place, Expression (*drawNumbers)(Platform&),
                            int window);

// Prints the instruction and the expression into the row and puts the row's
// answer box 10 pixels after the expression, wherever its length ends it.
// Returns the expression text as printed.
QString layOutExpression(Drill& drill, const ProblemPlace& place, const Expression& expression);

} // namespace pomuru
