// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "../drill.h"

#include <QString>

namespace pomuru {

// Where a generator draws: the row, its top T and the number n of the
// problem, already counted.
struct ProblemPlace {
    int row;
    int top;
    int n;
};

// The level generators, one per level. Each draws its numbers at random,
// draws again while the answer repeats a recent one of the row, draws the
// problem into the row, writes the problem's record and moves the row's
// answer box next to the problem.
void drawWaterProblem(Drill& drill, const ProblemPlace& place);        // 1: water in litre vessels
void drawColouredTapeProblem(Drill& drill, const ProblemPlace& place); // 2: a coloured 1 m tape
void drawPaintTapeProblem(Drill& drill, const ProblemPlace& place);    // 3: painting a length
void drawNumberLineProblem(Drill& drill, const ProblemPlace& place);   // 4: a number line
void drawCountTenthsProblem(Drill& drill, const ProblemPlace& place);  // 5: tenths in a decimal
void drawTenthsValueProblem(Drill& drill, const ProblemPlace& place);  // 6: the decimal of some tenths
void drawComparisonProblem(Drill& drill, const ProblemPlace& place);   // 7: comparing
void drawAdditionProblem(Drill& drill, const ProblemPlace& place);     // 8: adding
void drawSubtractionProblem(Drill& drill, const ProblemPlace& place);  // 9: subtracting
void drawMixedProblem(Drill& drill, const ProblemPlace& place);        // 10: adding and subtracting

// The text of a count of tenths (0 to 98) as a decimal without blank, sign or
// trailing zero: 0, 0.3, 1.5, 2.
QString TenthsText(int tenths);

} // namespace pomuru
