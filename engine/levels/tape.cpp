// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "tape.h"

#include "../canvas.h"
#include "../colors.h"

namespace pomuru::tape {

void draw(Canvas& canvas, int tapeTop, int redCells)
{
    canvas.setFillStyle(FillStyle::Transparent);  // the outline must not paint over the cells
    // The red goes first so that the cell edges and the outline stay black over it.
    if (redCells > 0)
        canvas.filledBox(Left, tapeTop, CellWidth * redCells, Height, colors::red);
    for (int k = 1; k <= Cells; ++k)
        canvas.line(Left + CellWidth * k, tapeTop, 0, Height, colors::black);
    canvas.box(Left, tapeTop, Right - Left, Height, colors::black);

    canvas.setPenColor(colors::black);
    canvas.printAt(300, tapeTop - 30, QStringLiteral("１ｍ"));
    // The span of the metre: from both ends of the tape up towards its label.
    canvas.line(Left, tapeTop, 200, -15, colors::black);
    canvas.line(Right, tapeTop, -200, -15, colors::black);
}

} // namespace pomuru::tape
