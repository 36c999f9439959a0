// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "engine/canvas.h"
#include "engine/colors.h"

#include <QRect>
#include <QString>

namespace pomuru::testing {

// Whether the canvas shows `text` printed at (x, y) in `color` within `area`,
// and nothing else in that colour there: compared pixel by pixel with the
// same text printed alone on a blank canvas in the canvas's font. A generator
// does not say what it printed; its pixels do.
inline bool showsText(const Canvas& canvas, int x, int y, const QString& text, const QRect& area,
                      QRgb color = colors::black)
{
    Canvas reference(canvas.size(), colors::white, canvas.font(), canvas.ratio());
    reference.setPenColor(color);
    reference.printAt(x, y, text);
    for (int py = area.top(); py <= area.bottom(); ++py) {
        for (int px = area.left(); px <= area.right(); ++px) {
            if ((canvas.pixel(px, py) == color) != (reference.pixel(px, py) == color))
                return false;
        }
    }
    return true;
}

// The same over `width` pixels from x and one line of text down.
inline bool showsText(const Canvas& canvas, int x, int y, const QString& text, int width,
                      QRgb color = colors::black)
{
    return showsText(canvas, x, y, text, QRect(x, y, width, canvas.textHeight()), color);
}

// The same, over the text's own width and one more full-width character, so
// that a character too many shows as well.
inline bool showsText(const Canvas& canvas, int x, int y, const QString& text)
{
    return showsText(canvas, x, y, text, canvas.textWidth(text) + canvas.textWidth(QStringLiteral("＿")));
}

} // namespace pomuru::testing
