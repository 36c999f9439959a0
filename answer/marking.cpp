// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "marking.h"

#include "answering.h"

#include "engine/colors.h"
#include "engine/page.h"

#include <algorithm>

namespace pomuru {

namespace {

const QString RightMark = QStringLiteral("○");
const QString WrongMark = QStringLiteral("×");

// The whole character cell of the mark: ○ and × are full-width glyphs of
// the canvas font, and nothing else is drawn there.
QRect markCell(const Canvas& canvas, int row)
{
    const int width = std::max(canvas.textWidth(RightMark), canvas.textWidth(WrongMark));
    return QRect(markOrigin(row), QSize(width, canvas.textHeight()));
}

} // namespace

RowToCheck rowToCheck(const DrillState& state, int row)
{
    const int k = state.problemCount(row);
    return {row, rowTop(row), state.record(row, k, Value1), state.record(row, k, Value2)};
}

int rowOfCheckButton(int index)
{
    return index <= 2 ? index + 1 : 6 - index;
}

int checkButtonOfRow(int row, int canvasIndex)
{
    return canvasIndex == 0 ? row - 1 : 6 - row;
}

int canvasOfCheckButton(int index)
{
    return index <= 2 ? 0 : 1;
}

void FlashMark(Drill& drill, int row)
{
    Canvas& canvas = drill.canvas();
    // The pupil sees the mark as the beep sounds, not after it.
    const QRect cell = markCell(canvas, row);
    canvas.refreshNow(cell);
    drill.platform.beep();
    for (int tick = 0; tick < 2; ++tick) {
        const QString shown = drill.platform.timeOfDay();
        drill.platform.waitWhileTimeOfDayIs(shown);
    }
    canvas.filledBox(cell.x(), cell.y(), cell.width() - 1, cell.height() - 1, colors::white);
}

void Command5_Click(Drill& drill, int index)
{
    Q_ASSERT(index >= 0 && index <= 5);
    DrillState& state = drill.state;
    const int row = rowOfCheckButton(index);
    state.ProblemRow = std::int16_t(row);
    const Answering& answering = answeringOf(state);

    if (!answering.readyToCheck(drill, row))
        return;
    const int k = state.problemCount(row);
    if (k < 1)
        return;  // the row shows no problem yet: nothing to mark

    const bool right = answering.judge(drill, rowToCheck(state, row));
    Canvas& canvas = drill.canvas();
    canvas.setPenColor(colors::red);
    const QPoint at = markOrigin(row);
    canvas.setTextPosition(at.x(), at.y());
    canvas.print(right ? RightMark : WrongMark);
    state.LastCheck[row] = right ? RightInWords : WrongInWords;
    FlashMark(drill, row);

    const bool settled = state.recordAttempt(row, right);
    if (!right)
        answering.afterWrong(drill, row);
    if (settled)
        DrawProblem(drill, row);
}

} // namespace pomuru
