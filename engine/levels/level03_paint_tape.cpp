// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 3: paint a given length. An empty tape one metre long in ten cells;
// the pupil paints cells by pressing on them, and the marking reads the
// colours of the cells back from the canvas.

#include "answer_areas.h"
#include "generation.h"

#include "../colors.h"

namespace pomuru {

namespace {
constexpr int PossibleAnswers = 9;  // 0.1 to 0.9
constexpr int RecentWindow = 7;
static_assert(RecentWindow < PossibleAnswers, "a fresh answer must always exist");
constexpr int TapeHeight = tape::Bottom - tape::Top;
} // namespace

void drawPaintTapeProblem(Drill& drill, const ProblemPlace& place)
{
    DrillState& state = drill.state;
    const int T = place.top;
    const int tenths = drawFreshTenthsOfAMetre(state, drill.platform, place, RecentWindow);
    const float metres = tenthsValue(tenths);

    Canvas& canvas = drill.canvas();
    canvas.setFillStyle(FillStyle::Transparent);  // the tape stays white for the pupil to paint
    // Every cell edge runs the full height of the tape and the outline closes
    // it, so a paint started inside one cell fills that cell and no other.
    for (int k = 1; k <= tape::Cells; ++k)
        canvas.line(tape::Left + tape::CellWidth * k, T + tape::Top, 0, TapeHeight, colors::black);
    canvas.box(tape::Left, T + tape::Top, tape::Right - tape::Left, TapeHeight, colors::black);

    canvas.setPenColor(colors::black);
    canvas.printAt(300, T + 200, QStringLiteral("１ｍ"));
    canvas.line(tape::Left, T + tape::Top, 200, -15, colors::black);
    canvas.line(tape::Right, T + tape::Top, -200, -15, colors::black);

    writeRecord(state, place, metres);
    state.Instruction = QStringLiteral("色をぬりましょう。");
    canvas.setPenColor(colors::black);
    canvas.printAt(80, T + 120, state.Instruction);

    // The hint is small; the target and the next status line are back at 24 pt.
    canvas.setPenColor(colors::black);
    canvas.setFontPoints(14);
    canvas.printAt(80, T + 170, QStringLiteral("ていせい=まちがえたところをクリック"));
    canvas.setFontPoints(24);
    canvas.printAt(442, T + 155, TenthsText(tenths) + QStringLiteral("ｍ"));

    // Canvas 1 has no answer box of its own; the box is moved all the same,
    // as on every level, and the marking of this level never reads it.
    drill.controls.answerBox(place.row - 1).moveTo(600, T + 143);
}

} // namespace pomuru
