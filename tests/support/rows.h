// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// A row as a test drives it, alike in the drill without a window
// (DrillFixture) and in the real window (WindowFixture): started with a
// chosen problem, answered, pressed, a tape cell painted, a symbol chosen,
// and what the tape and the symbol boxes show read back. The places are
// written here as the pupil sees them on the screen, not taken from the
// engine's constants, so that a wrong constant there shows as a failure.

#include "scripted_wholes.h"

#include "answer/answering.h"
#include "answer/marking.h"
#include "engine/page.h"
#include "engine/colors.h"

#include <QList>
#include <QPoint>
#include <QRect>

namespace pomuru::testing {

inline constexpr int RowsApart = 220;
constexpr int topOf(int row) { return (row - 1) * RowsApart; }

// Where the red ○ or × of a check stands: a full-width character cell at
// (40, T+180); 40 × 40 holds either mark at 24 pt.
constexpr QRect markSquare(int row) { return QRect(40, topOf(row) + 180, 40, 40); }

// The middle of tape cell 0 to 9, and a point of its inside well away from
// the black edges; the tape runs from x 80 in cells 50 wide, T+230 to T+255.
constexpr QPoint cellMiddle(int row, int cell) { return QPoint(105 + 50 * cell, topOf(row) + 242); }
constexpr QPoint insideCell(int row, int cell) { return QPoint(85 + 50 * cell, topOf(row) + 235); }

// The symbol boxes ＞, ＝, ＜: 40 × 40 from x 494, 560 and 626, at T+157.
inline constexpr int Greater = 0;
inline constexpr int Equal = 1;
inline constexpr int Less = 2;
constexpr QPoint symbolMiddle(int row, int symbol) { return QPoint(514 + 66 * symbol, topOf(row) + 177); }
constexpr QPoint insideSymbol(int row, int symbol) { return QPoint(496 + 66 * symbol, topOf(row) + 159); }

// Starts a row, as the pupil's first press on it does, with a first problem
// of the given whole numbers (in the level's order of draws).
template <class Fixture>
void startRow(Fixture& fx, int row, const QList<int>& wholes)
{
    scriptWholes(fx, row, wholes);
    fx.pressCanvas(400, topOf(row) + 100);
}

// Draws the next problem of a row, started or not, of the given whole
// numbers, as a settled check does: without a press.
template <class Fixture>
void drawNext(Fixture& fx, int row, const QList<int>& wholes)
{
    scriptWholes(fx, row, wholes);
    if constexpr (requires { fx.drill(); })
        DrawProblem(fx.drill(), row);
    else
        DrawProblem(fx.drill, row);
}

template <class Fixture>
void pressAt(Fixture& fx, QPoint at)
{
    fx.pressCanvas(at.x(), at.y());
}

template <class Fixture>
void paintCell(Fixture& fx, int row, int cell)
{
    pressAt(fx, cellMiddle(row, cell));
}

template <class Fixture>
void chooseSymbol(Fixture& fx, int row, int symbol)
{
    pressAt(fx, symbolMiddle(row, symbol));
}

// The red cells of a row's tape, left to right, and the red symbol boxes.
template <class Fixture>
QList<int> redCells(Fixture& fx, int row)
{
    QList<int> red;
    for (int cell = 0; cell < 10; ++cell) {
        if (fx.pixel(insideCell(row, cell).x(), insideCell(row, cell).y()) == colors::red)
            red << cell;
    }
    return red;
}

template <class Fixture>
QList<int> redSymbols(Fixture& fx, int row)
{
    QList<int> red;
    for (int symbol = Greater; symbol <= Less; ++symbol) {
        if (fx.pixel(insideSymbol(row, symbol).x(), insideSymbol(row, symbol).y()) == colors::red)
            red << symbol;
    }
    return red;
}

// A choice among possible answers that always takes the first: a tape's run
// from its first cell, the next symbol for a wrong one.
class FirstChoice : public RandomWholes {
public:
    int draw(int, int first) override { return first; }
};

// Leaves the right answer of the row's current problem, or a wrong one, the
// way the level is answered (typed, painted or chosen), and checks it.
template <class Fixture>
void answerRow(Fixture& fx, int row, bool right, RandomWholes& random)
{
    const AnswerMoves moves = answeringOf(fx.state()).moves(fx.canvas(), rowToCheck(fx.state(), row), right, random);
    for (const QPoint& at : moves.presses)
        pressAt(fx, at);
    if (moves.typed)
        fx.type(row, *moves.typed);
    fx.check(row);
}

} // namespace pomuru::testing
