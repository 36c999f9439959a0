// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// The tape one metre long of levels 2 and 3: ten cells of 50 pixels from x 80
// to 580, 25 pixels high, each closed by black lines. Level 2 colours its
// first cells red for the pupil to measure; level 3 leaves them white for
// the pupil to paint by presses, and the marking reads the painted cells.

#include <QPoint>

namespace pomuru {

class Canvas;

namespace tape {
inline constexpr int Left = 80;
inline constexpr int CellWidth = 50;
inline constexpr int Cells = 10;
inline constexpr int Right = Left + Cells * CellWidth;
inline constexpr int Height = 25;
// The tape's top edge below the row top T: level 2's tape stands higher,
// under its instruction; level 3's leaves room for the hint and the target.
inline constexpr int ColouredTop = 190;
inline constexpr int Top = 230;
inline constexpr int Bottom = Top + Height;

// Where a cell of level 3 is read: 5 pixels inside its left and top edges.
constexpr QPoint probe(int cell, int rowTop) { return QPoint(Left + 5 + CellWidth * cell, rowTop + Top + 5); }
// Whether a press lies inside level 3's tape (bounds exclusive).
constexpr bool contains(double x, double y, int rowTop)
{
    return x > Left && x < Right && y > rowTop + Top && y < rowTop + Bottom;
}

// Draws the tape with its top edge at y `tapeTop`, its first `redCells`
// cells red, and above it the label "１ｍ" with the span of the metre. Every
// cell edge runs the full height of the tape and the outline closes it, so a
// paint started inside one cell fills that cell and no other.
void draw(Canvas& canvas, int tapeTop, int redCells);
} // namespace tape

} // namespace pomuru
