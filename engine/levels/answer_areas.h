// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// The places on the canvas that hold the answers of the two levels answered
// by presses: the tape of level 3 and the symbol boxes of level 7. The
// levels draw them, the presses fill them and the marking reads them.

#include "tape.h"

#include <QPoint>
#include <QString>

#include <array>

namespace pomuru {

namespace symbols {
// The three 40 × 40 boxes of "＞", "＝" and "＜", from y T+157 to T+197.
struct SymbolBox {
    int left;
    QString symbol;
};
inline const std::array<SymbolBox, 3> boxes{{
    {494, QStringLiteral("＞")},
    {560, QStringLiteral("＝")},
    {626, QStringLiteral("＜")},
}};
inline constexpr int Top = 157;  // below the row top T
inline constexpr int Size = 40;
enum Symbol { Greater = 0, Equal = 1, Less = 2 };

// The symbol that stands rightly between the left and the right number.
inline constexpr int between(float left, float right)
{
    return left > right ? Greater : left == right ? Equal : Less;
}

// The point just inside a box's top-left corner: the fill seed and the probe.
inline QPoint seed(int box, int rowTop) { return QPoint(boxes[std::size_t(box)].left + 2, rowTop + Top + 2); }
// The box holding a press (bounds exclusive), or -1.
inline int boxAt(double x, double y, int rowTop)
{
    if (!(y > rowTop + Top && y < rowTop + Top + Size))
        return -1;
    for (int box = 0; box < int(boxes.size()); ++box) {
        const int left = boxes[std::size_t(box)].left;
        if (x > left && x < left + Size)
            return box;
    }
    return -1;
}
// Where the chosen symbol is shown between the two numbers: a 40 × 40 square
// at (250, T+200), the symbol printed at (250, T+202).
inline constexpr QPoint answerSquare(int rowTop) { return QPoint(250, rowTop + 200); }
} // namespace symbols

} // namespace pomuru
