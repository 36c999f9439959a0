// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// Where a row is: everything the page, the presses, the marking and the
// window's row controls place relative to a row, in logical canvas pixels
// from the row top T. Rows are 220 pixels apart; a window drawn larger
// scales these numbers where it places controls, and keeps them here as
// they are.

#include <QPoint>
#include <QRect>

namespace pomuru {

inline constexpr int RowPitch = 220;

// The row top T of a row 1 to 3.
constexpr int rowTop(int row) { return (row - 1) * RowPitch; }

// The row frame: a rounded rectangle from (20, T+70) to (770, T+280).
inline constexpr int FrameLeft = 20;
inline constexpr int FrameRight = 770;
inline constexpr int FrameTop = 70;
inline constexpr int FrameBottom = 280;
inline constexpr int FrameCorner = 30;

// The area whose presses belong to a row, bounds exclusive: across the
// frame, and down from its top to its bottom, except that the last row of a
// three-row page reaches down to y 770, 50 pixels below its frame.
inline constexpr int LastRowPressBottom = 330;
constexpr QRect pressArea(int row, bool lastOfThree)
{
    const int bottom = lastOfThree ? LastRowPressBottom : FrameBottom;
    return QRect(QPoint(FrameLeft, rowTop(row) + FrameTop), QPoint(FrameRight, rowTop(row) + bottom));
}
// Whether a press lies strictly inside an area (its edges excluded): a
// press on the frame's own line belongs to no row.
constexpr bool strictlyInside(const QRect& area, double x, double y)
{
    return x > area.left() && x < area.right() && y > area.top() && y < area.bottom();
}

// Where the status line is printed, at the frame's top edge.
constexpr QPoint statusLineOrigin(int row) { return QPoint(30, rowTop(row) + 75); }
// Where a new page asks for a press on each row.
constexpr QPoint startPromptOrigin(int row) { return QPoint(40, rowTop(row) + 155); }
// Where the red ○ or × of a check stands: the top left of one full-width
// character cell.
constexpr QPoint markOrigin(int row) { return QPoint(40, rowTop(row) + 180); }

// The row's controls on the canvas: the answer box where it stands until a
// level places it, the keypad strip, and the check button on the canvas of
// typed answers (0) and on the canvas answered by presses (1), which has no
// keypad and so holds its button higher and further right.
constexpr QRect answerBoxRect(int row) { return QRect(588, rowTop(row) + 148, 93, 40); }
constexpr QRect keypadRect(int row) { return QRect(96, rowTop(row) + 232, 465, 41); }
constexpr QRect checkButtonRect(int row, int canvas)
{
    return canvas == 0 ? QRect(568, rowTop(row) + 232, 101, 39) : QRect(608, rowTop(row) + 220, 101, 39);
}

} // namespace pomuru
