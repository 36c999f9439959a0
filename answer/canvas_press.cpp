// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "canvas_press.h"

#include "answering.h"
#include "marking.h"

#include "engine/colors.h"
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

} // namespace

int rowAt(double x, double y, bool threeRows)
{
    const int rows = threeRows ? 3 : 2;
    for (int row = FirstRow; row <= rows; ++row) {
        if (strictlyInside(pressArea(row, threeRows && row == 3), x, y))
            return row;
    }
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
    if (!state.rowStarted(row)) {
        startRow(drill, row);
        return;
    }
    answeringOf(state).press(canvas, rowTop(row), x, y);
}

} // namespace pomuru
