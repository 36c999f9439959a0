// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "marking.h"

#include "reading.h"

#include "engine/colors.h"
#include "engine/levels/answer_areas.h"
#include "engine/page.h"

#include <algorithm>

namespace pomuru {

namespace {

const QString RightMark = QStringLiteral("○");
const QString WrongMark = QStringLiteral("×");

// Where the feedback mark stands in a row.
QPoint markPosition(int top)
{
    return QPoint(40, top + 180);
}

bool isRed(const Canvas& canvas, QPoint at)
{
    return canvas.pixel(at.x(), at.y()) == colors::red;
}

// The whole character cell of the mark: ○ and × are full-width glyphs of
// the canvas font, and nothing else is drawn there.
QRect markCell(const Canvas& canvas, int top)
{
    const int width = std::max(canvas.textWidth(RightMark), canvas.textWidth(WrongMark));
    return QRect(markPosition(top), QSize(width, canvas.textHeight()));
}

} // namespace

int rowOfCheckButton(int index)
{
    return index <= 2 ? index + 1 : 6 - index;
}

int checkButtonOfRow(int row, int canvasIndex)
{
    return canvasIndex == 0 ? row - 1 : 6 - row;
}

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

bool judgeSymbol(const Canvas& canvas, int top, float value1, float value2)
{
    const int expected = symbols::between(value1, value2);
    return isRed(canvas, symbols::seed(expected, top));
}

void FlashMark(Drill& drill, int top)
{
    Canvas& canvas = drill.canvas();
    // The pupil sees the mark as the beep sounds, not after it.
    const QRect cell = markCell(canvas, top);
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
    const int top = rowTop(row);
    AnswerBox& box = drill.controls.answerBox(row - 1);

    if (state.CanvasIndex == 0 && box.text().isEmpty()) {
        drill.platform.showMessage(EmptyAnswerMessage);
        return;
    }
    const int k = state.problemCount(row);
    if (k < 1)
        return;  // the row shows no problem yet: nothing to mark

    bool right = false;
    if (state.LevelNo == 3)
        right = judgeCells(drill.canvas(), top, state.record(row, k, Value1));
    else if (state.LevelNo == 7)
        right = judgeSymbol(drill.canvas(), top, state.record(row, k, Value1), state.record(row, k, Value2));
    else
        right = float(typedAnswer(box.text())) == state.record(row, k, Value1);

    Canvas& canvas = drill.canvas();
    canvas.setPenColor(colors::red);
    const QPoint at = markPosition(top);
    canvas.setTextPosition(at.x(), at.y());
    canvas.print(right ? RightMark : WrongMark);
    state.LastCheck[row] = right ? RightInWords : WrongInWords;
    FlashMark(drill, top);

    const bool settled = state.recordAttempt(row, right);
    // A wrong typed answer goes; painted cells and a chosen symbol stay for
    // the pupil to correct.
    if (!right && state.CanvasIndex == 0)
        box.setText(QString());
    if (settled)
        DrawProblem(drill, row);
}

} // namespace pomuru
