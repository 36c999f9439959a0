// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 3: paint a given length. An empty tape one metre long in ten cells;
// the pupil paints cells by pressing on them, and the marking reads the
// colours of the cells back from the canvas.

#include "draws.h"
#include "tape.h"

#include "../colors.h"

namespace pomuru {

namespace {
constexpr QStringView Instruction = u"色をぬりましょう。";

void paintPaintTape(Canvas& canvas, const Problem& problem, int T)
{
    tape::draw(canvas, T + tape::Top, 0);  // white, for the pupil to paint
    canvas.setPenColor(colors::black);
    canvas.printAt(80, T + 120, Instruction.toString());

    // The hint is small; the target and the next status line are back at 24 pt.
    canvas.setPenColor(colors::black);
    canvas.setFontPoints(14);
    canvas.printAt(80, T + 170, QStringLiteral("ていせい=まちがえたところをクリック"));
    canvas.setFontPoints(24);
    canvas.printAt(442, T + 155, TenthsText(problem.first) + QStringLiteral("ｍ"));
}
} // namespace

// Canvas 1 has no answer box of its own; the box is moved all the same,
// as on every level but 7, and the marking of this level never reads it.
const Level PaintTapeLevel{
    3, u"L03 次の長さを、ぬりましょう。", AnswerWay::PaintedTape, Instruction, TenthsOfAMetreWindow, drawFreshTenthsOfAMetre, paintPaintTape, answerAt<600, 143>};

} // namespace pomuru
