// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 6: which decimal do some tenths make? The converse of level 5: a count
// of 1 to 90 tenths, answered with a decimal from 0.1 to 9.

#include "generation.h"

namespace pomuru {

namespace {
constexpr int PossibleAnswers = 90;  // 0.1 to 9
constexpr int RecentWindow = 19;
static_assert(RecentWindow < PossibleAnswers, "a fresh answer must always exist");
} // namespace

void drawTenthsValueProblem(Drill& drill, const ProblemPlace& place)
{
    DrillState& state = drill.state;
    const int T = place.top;

    int tenths = 0;
    float value = 0;
    do {
        tenths = drawWhole(drill.platform, 90, 1);
        value = tenthsValue(tenths);
    } while (state.isRecentAnswer(place.row, place.n, RecentWindow, value));

    drill.controls.answerBox(place.row - 1).moveTo(120, T + 166);
    writeRecord(state, place, value);
    drill.canvas().printAt(60, T + 120, QStringLiteral("0.1が ") + QString::number(tenths)
                                            + QStringLiteral("こあつまった数は？"));
}

} // namespace pomuru
