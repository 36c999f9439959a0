// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// Which text a generator printed is seen only on the canvas: the same text is
// printed on a blank white canvas at the same place and the two are compared
// over the box the text occupies.

#include "engine/canvas.h"
#include "engine/colors.h"
#include "engine/fonts.h"

#include <QRect>

namespace pomuru::testing {

// Widths of the margin after a text that must stay blank.
enum class Margin { OneCharacter, None };

// The pixels in the box of `text` printed at (x, y) that differ between the
// canvas and a white canvas with only that text on it; 0 when the canvas
// shows exactly that text there and nothing else. The box reaches one
// full-width character beyond the text, so that a character too many shows
// too, unless the margin is None (where other drawing follows close). A
// valid `within` cuts the box, for a text whose line box reaches into a
// drawing below it.
inline int textMismatches(const Canvas& canvas, int x, int y, const QString& text, double points = 24,
                          Margin margin = Margin::OneCharacter, QRect within = QRect(),
                          QRgb colour = colors::black)
{
    Canvas expected(canvas.size(), colors::white, fonts::canvasFont());
    expected.setFontPoints(points);
    expected.setPenColor(colour);
    expected.printAt(x, y, text);
    const int extra = margin == Margin::OneCharacter ? expected.textWidth(QStringLiteral("＿")) : 0;
    QRect area(x, y, expected.textWidth(text) + extra, expected.textHeight());
    if (within.isValid())
        area &= within;
    int mismatches = 0;
    for (int py = area.top(); py <= area.bottom(); ++py)
        for (int px = area.left(); px <= area.right(); ++px)
            mismatches += canvas.pixel(px, py) != expected.pixel(px, py) ? 1 : 0;
    return mismatches;
}

// The pixels of a colour inside a rectangle of the canvas.
inline int countPixels(const Canvas& canvas, const QRect& area, QRgb colour)
{
    int count = 0;
    for (int py = area.top(); py <= area.bottom(); ++py)
        for (int px = area.left(); px <= area.right(); ++px)
            count += canvas.pixel(px, py) == colour ? 1 : 0;
    return count;
}

} // namespace pomuru::testing
