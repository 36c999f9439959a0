// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Cells painted on the tape: a press paints a white cell red or clears a red
// one, and the check reads the colours of the cells back from the canvas.

#include "answering.h"

#include "engine/colors.h"
#include "engine/levels/tape.h"

#include <algorithm>
#include <cmath>

namespace pomuru {

namespace {

bool isRed(const Canvas& canvas, QPoint at)
{
    return canvas.pixel(at.x(), at.y()) == colors::red;
}

void paintCell(Canvas& canvas, int top, float x, float y)
{
    if (!tape::contains(x, y, top))
        return;
    const QPoint at(roundPixel(x), roundPixel(y));
    canvas.setFillColor(canvas.pixel(at.x(), at.y()) == colors::red ? colors::white : colors::red);
    canvas.setFillStyle(FillStyle::Solid);
    canvas.floodFill(x, y);
    // A painted cell shows at once, not only when the press handler returns.
    canvas.refresh();
}

bool judgePainted(Drill& drill, const RowToCheck& check)
{
    return judgeCells(drill.canvas(), check.top, check.value1);
}

QList<QRect> cells(int top)
{
    QList<QRect> all;
    for (int cell = 0; cell < tape::Cells; ++cell)
        all << QRect(tape::Left + tape::CellWidth * cell, top + tape::Top, tape::CellWidth, tape::Height);
    return all;
}

// A run of cells anywhere on the tape: the right count, or any count, which
// may by chance be right too. Only the cells whose colour must change are
// pressed, each a little inside its probe.
AnswerMoves paintRun(const Canvas& canvas, const RowToCheck& row, bool right, RandomWholes& random)
{
    const int cells = right ? int(std::lround(row.value1 * 10)) : random.draw(tape::Cells + 1);
    const int first = random.draw(tape::Cells - cells + 1);
    AnswerMoves moves;
    for (int cell = 0; cell < tape::Cells; ++cell) {
        const QPoint probe = tape::probe(cell, row.top);
        if (isRed(canvas, probe) != (cell >= first && cell < first + cells))
            moves.presses << probe + QPoint(10, 5);
    }
    return moves;
}

// The cell cursor: the arrows move it a cell, Home and End take it to the
// ends; Space presses the middle of the cell under it, which paints or
// clears it as a press there does.
KeyAction cellKey(const RowKeyPress& key, int top, int& cursor)
{
    switch (key.key) {
    case Qt::Key_Left:
        cursor = std::max(0, cursor - 1);
        break;
    case Qt::Key_Right:
        cursor = std::min(tape::Cells - 1, cursor + 1);
        break;
    case Qt::Key_Home:
        cursor = 0;
        break;
    case Qt::Key_End:
        cursor = tape::Cells - 1;
        break;
    case Qt::Key_Space:
        return {KeyAction::PressAt, cells(top).at(cursor).center()};
    default:
        return isCheckKey(key.key) ? KeyAction{KeyAction::Check} : KeyAction{};
    }
    // A move against an end is still the row's key: it says where it is.
    return {KeyAction::CursorMoved};
}

QString cellInWords(const Canvas& canvas, int top, int cursor)
{
    int painted = 0;
    for (int cell = 0; cell < tape::Cells; ++cell)
        painted += isRed(canvas, tape::probe(cell, top)) ? 1 : 0;
    return QStringLiteral("%1ばんめの ます、%2。ぬった ますは %3こ")
        .arg(cursor + 1)
        .arg(isRed(canvas, tape::probe(cursor, top)) ? QStringLiteral("ぬってあります") : QStringLiteral("ぬっていません"))
        .arg(painted);
}

} // namespace

bool judgeCells(const Canvas& canvas, int top, float value1)
{
    // One pass over the cells: phase 0 before any red cell, 1 inside the
    // first red run, 2 after it; a second run spoils the count for good.
    constexpr int SecondRun = 999;
    int count = 0;
    int phase = 0;
    for (int cell = 0; cell < tape::Cells; ++cell) {
        if (isRed(canvas, tape::probe(cell, top))) {
            if (phase == 2) {
                count = SecondRun;
            } else {
                phase = 1;
                ++count;
            }
        } else if (count > 0) {
            phase = 2;
        }
    }
    return float(count) == 10.0f * value1 && phase >= 1;
}

const Answering TapeAnswering{AnswerWay::PaintedTape, paintCell, alwaysReady, judgePainted, keepAnswer, cells,
                                    paintRun, cellKey, cellInWords};

} // namespace pomuru
