// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "canvas_press.h"

#include "marking.h"

#include "engine/colors.h"
#include "engine/levels/answer_areas.h"
#include "engine/page.h"

namespace pomuru {

namespace {

void startRow(Drill& drill, int row)
{
    DrillState& state = drill.state;
    auto& values = state.RowValues[row];
    values[RowStarted] = 1;
    std::fill(values.begin() + 1, values.begin() + 201, 0.0f);
    DrawProblem(drill, row);
    drill.controls.answerBox(row - 1).show();
    drill.controls.showCheckButton(checkButtonOfRow(row, state.CanvasIndex));
    drill.controls.showKeypad(row - 1);
}

void tapePress(Canvas& canvas, int top, float x, float y)
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

void symbolPress(Canvas& canvas, int top, float x, float y)
{
    const int chosen = symbols::boxAt(x, y, top);
    if (chosen < 0) {
        canvas.refresh();
        return;
    }
    canvas.setFillStyle(FillStyle::Solid);
    const QPoint square = symbols::answerSquare(top);
    canvas.filledBox(square.x(), square.y(), symbols::Size, symbols::Size, colors::white);
    canvas.setPenColor(colors::black);
    canvas.printAt(square.x(), square.y() + 2, symbols::boxes[std::size_t(chosen)].symbol);

    canvas.setFillColor(colors::red);
    const QPoint seed = symbols::seed(chosen, top);
    canvas.floodFill(seed.x(), seed.y());
    canvas.setFillColor(colors::white);
    for (int other = 0; other < int(symbols::boxes.size()); ++other) {
        if (other == chosen)
            continue;
        const QPoint otherSeed = symbols::seed(other, top);
        canvas.floodFill(otherSeed.x(), otherSeed.y());
    }
    canvas.refresh();
}

} // namespace

int rowAt(double x, double y, bool threeRows)
{
    if (!(x > FrameLeft && x < FrameRight))
        return 0;
    if (y > 70 && y < 280)
        return 1;
    if (y > 290 && y < 500)
        return 2;
    if (threeRows && y > 510 && y < 770)
        return 3;
    return 0;
}

void Picture1_MouseDown(Drill& drill, int /*index*/, int /*button*/, int /*shift*/, float x, float y)
{
    DrillState& state = drill.state;
    Canvas& canvas = drill.canvas();
    canvas.setPenColor(colors::white);
    canvas.setFillColor(colors::white);
    canvas.setFillStyle(FillStyle::Transparent);

    const int row = rowAt(x, y, rowsOnPage(state.ScreenWidthPixels) == 3);
    if (row == 0) {
        drill.platform.beep();
        return;
    }
    state.ProblemRow = std::int16_t(row);
    const int top = rowTop(row);
    if (!state.rowStarted(row)) {
        startRow(drill, row);
        return;
    }
    if (state.LevelNo == 3)
        tapePress(canvas, top, x, y);
    else if (state.LevelNo == 7)
        symbolPress(canvas, top, x, y);
}

} // namespace pomuru
