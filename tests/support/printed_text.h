// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// What the drill printed is seen only on the canvas: the same text is printed
// alone on a blank white canvas of the same size, font and pixel ratio, and
// the two are compared over the box the text occupies.

#include "engine/canvas.h"
#include "engine/colors.h"

#include <QRect>
#include <QString>

#include <optional>

namespace pomuru::testing {

// The part `area` of a white canvas like `like` (font, size of text, pixel
// ratio) on which nothing but `text` is printed at (x, y); its pixel (0, 0)
// is the area's top left. Aliased text at whole pixels looks the same
// wherever it stands, so a small canvas serves for any place.
inline Canvas printedAlone(const Canvas& like, const QRect& area, int x, int y, const QString& text,
                           double points = 24, QRgb colour = colors::black)
{
    Canvas alone(area.size(), colors::white, like.font(), like.ratio());
    alone.setFontPoints(points);
    alone.setPenColor(colour);
    alone.printAt(x - area.left(), y - area.top(), text);
    return alone;
}

// The pixels of `area` of the canvas that differ from `expected`, which
// shows that area; with `onlyColour`, the pixels that are of that colour in
// one and not in the other.
inline int differingPixels(const Canvas& canvas, const Canvas& expected, const QRect& area,
                           std::optional<QRgb> onlyColour = {})
{
    int differing = 0;
    for (int py = area.top(); py <= area.bottom(); ++py) {
        for (int px = area.left(); px <= area.right(); ++px) {
            const auto shown = canvas.pixel(px, py);
            const auto wanted = expected.pixel(px - area.left(), py - area.top());
            const bool differs = onlyColour ? (shown == *onlyColour) != (wanted == *onlyColour) : shown != wanted;
            differing += differs ? 1 : 0;
        }
    }
    return differing;
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

inline int countPixels(const Canvas& canvas, QRgb colour)
{
    return countPixels(canvas, QRect(QPoint(0, 0), canvas.size()), colour);
}

// Widths of the margin after a text that must stay blank.
enum class Margin { OneCharacter, None };

// The pixels in the box of `text` printed at (x, y) that differ between the
// canvas and the text printed alone; 0 when the canvas shows exactly that
// text there and nothing else. The box reaches one full-width character
// beyond the text, so that a character too many shows too, unless the margin
// is None (where other drawing follows close). A valid `within` cuts the box,
// for a text whose line box reaches into a drawing below it.
inline int textMismatches(const Canvas& canvas, int x, int y, const QString& text, double points = 24,
                          Margin margin = Margin::OneCharacter, QRect within = QRect(),
                          QRgb colour = colors::black)
{
    Canvas measure(QSize(1, 1), colors::white, canvas.font(), canvas.ratio());
    measure.setFontPoints(points);
    const int extra = margin == Margin::OneCharacter ? measure.textWidth(QStringLiteral("＿")) : 0;
    QRect area(x, y, measure.textWidth(text) + extra, measure.textHeight());
    if (within.isValid())
        area &= within;
    return differingPixels(canvas, printedAlone(canvas, area, x, y, text, points, colour), area);
}

// Whether the canvas shows `text` printed at (x, y) in `colour` within
// `area`, and nothing else in that colour there; other colours around it,
// such as a box the text stands in, do not count.
inline bool showsText(const Canvas& canvas, int x, int y, const QString& text, const QRect& area,
                      QRgb colour = colors::black)
{
    return differingPixels(canvas, printedAlone(canvas, area, x, y, text, canvas.fontPoints(), colour), area, colour) == 0;
}

// The same over `width` pixels from x and one line of text down.
inline bool showsText(const Canvas& canvas, int x, int y, const QString& text, int width,
                      QRgb colour = colors::black)
{
    return showsText(canvas, x, y, text, QRect(x, y, width, canvas.textHeight()), colour);
}

// The same, over the text's own width and one more full-width character, so
// that a character too many shows as well.
inline bool showsText(const Canvas& canvas, int x, int y, const QString& text)
{
    return showsText(canvas, x, y, text, canvas.textWidth(text) + canvas.textWidth(QStringLiteral("＿")));
}

} // namespace pomuru::testing
