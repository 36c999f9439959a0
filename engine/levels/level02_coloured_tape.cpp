// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 2: how long is the coloured part? A tape one metre long in ten cells,
// the first few of them red.

#include "generation.h"

#include "../colors.h"

namespace pomuru {

namespace {
constexpr int PossibleAnswers = 9;  // 0.1 to 0.9
constexpr int RecentWindow = 7;
static_assert(RecentWindow < PossibleAnswers, "a fresh answer must always exist");

constexpr int TapeLeft = 80;
constexpr int TapeTop = 190;  // below the row top
constexpr int TapeHeight = 25;
constexpr int TenthWidth = 50;  // one metre is 500 pixels
} // namespace

void drawColouredTapeProblem(Drill& drill, const ProblemPlace& place)
{
    DrillState& state = drill.state;
    const int T = place.top;
    const int tenths = drawFreshTenthsOfAMetre(state, drill.platform, place, RecentWindow);
    const float metres = tenthsValue(tenths);

    Canvas& canvas = drill.canvas();
    canvas.setFillStyle(FillStyle::Transparent);  // the outline must not paint over the red
    // The red goes first so that the cell marks and the outline stay black over it.
    canvas.filledBox(TapeLeft, T + TapeTop, TenthWidth * tenths, TapeHeight, colors::red);
    for (int k = 1; k <= 10; ++k)
        canvas.line(TapeLeft + TenthWidth * k, T + TapeTop, 0, TapeHeight, colors::black);
    canvas.box(TapeLeft, T + TapeTop, 10 * TenthWidth, TapeHeight, colors::black);

    canvas.setPenColor(colors::black);
    canvas.printAt(300, T + 160, QStringLiteral("１ｍ"));
    // The span of the metre: from both ends of the tape up towards its label.
    canvas.line(TapeLeft, T + TapeTop, 200, -15, colors::black);
    canvas.line(TapeLeft + 10 * TenthWidth, T + TapeTop, -200, -15, colors::black);

    writeRecord(state, place, metres);
    state.Instruction = QStringLiteral("色をぬった長さは、何ｍですか。");
    canvas.setPenColor(colors::black);
    canvas.printAt(80, T + 120, state.Instruction);
    drill.controls.answerBox(place.row - 1).moveTo(600, T + 170);
    canvas.printAt(696, T + 174, QStringLiteral("ｍ"));
}

} // namespace pomuru
