// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// The answer pictures of the two levels answered on the canvas, drawn as
// the level generators draw them, so that presses and judgements can be
// tested on their own.

#include "engine/canvas.h"
#include "engine/colors.h"

namespace pomuru::testing {

// The empty tape of ten cells at row top T: cell edges and a closed outline.
inline void drawTape(Canvas& canvas, int top)
{
    canvas.setFillStyle(FillStyle::Transparent);
    for (int k = 1; k <= 10; ++k)
        canvas.line(80 + 50 * k, top + 230, 0, 25, colors::black);
    canvas.box(80, top + 230, 500, 25, colors::black);
}

// The three symbol boxes at row top T.
inline void drawSymbolBoxes(Canvas& canvas, int top)
{
    canvas.setFillStyle(FillStyle::Transparent);
    for (const int left : {494, 560, 626})
        canvas.box(left, top + 157, 40, 40, colors::black);
}

// Paints a cell red the way a press does.
inline void paintCell(Canvas& canvas, int top, int cell)
{
    canvas.setFillColor(colors::red);
    canvas.floodFill(100 + 50 * cell, top + 240);
}

} // namespace pomuru::testing
