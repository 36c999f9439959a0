// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 5: how many tenths make a decimal from 0.1 to 4? The answer is a
// whole number.

#include "generation.h"

namespace pomuru {

namespace {
constexpr int PossibleAnswers = 40;  // 1 to 40 tenths
constexpr int RecentWindow = 19;
static_assert(RecentWindow < PossibleAnswers, "a fresh answer must always exist");
} // namespace

void drawCountTenthsProblem(Drill& drill, const ProblemPlace& place)
{
    DrillState& state = drill.state;
    const int T = place.top;

    int tenths = 0;
    do
        tenths = drawWhole(drill.platform, 40, 1);
    while (state.isRecentAnswer(place.row, place.n, RecentWindow, float(tenths)));

    drill.controls.answerBox(place.row - 1).moveTo(120, T + 166);
    writeRecord(state, place, float(tenths));
    // The leading blank stands where a sign would go.
    drill.canvas().printAt(60, T + 120, QStringLiteral(" ") + TenthsText(tenths)
                                            + QStringLiteral("は、0.1がいくつあつまった数ですか。"));
}

} // namespace pomuru
