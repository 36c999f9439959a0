// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Level 2: how long is the coloured part? A tape one metre long in ten cells,
// the first few of them red.

#include "draws.h"
#include "tape.h"

#include "../colors.h"

namespace pomuru {

namespace {
constexpr QStringView Instruction = u"色をぬった長さは、何ｍですか。";

void paintColouredTape(Canvas& canvas, const Problem& problem, int T)
{
    tape::draw(canvas, T + tape::ColouredTop, problem.first);
    canvas.setPenColor(colors::black);
    canvas.printAt(80, T + 120, Instruction.toString());
    // The unit stands just right of the answer box.
    canvas.printAt(696, T + 174, QStringLiteral("ｍ"));
}
QString describeColouredTape(const Problem& problem)
{
    return QStringLiteral("1ｍの テープが 10の ますに 分けてあります。%1この ますに 色が ぬってあります。").arg(problem.first);
}
} // namespace

const Level ColouredTapeLevel{
    2, u"L02 長さは、何ｍですか？", AnswerWay::Typed, Instruction, TenthsOfAMetreWindow, drawFreshTenthsOfAMetre, paintColouredTape, answerAt<600, 170>, describeColouredTape};

} // namespace pomuru
