// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include <QFont>
#include <QString>

namespace pomuru::fonts {

// The three Japanese faces of the window. The fixed-pitch gothic keeps a
// half-width glyph at exactly half an em, so measured text widths match the
// problem layouts.
inline const QString gothic = QStringLiteral("IPAGothic");            // fixed pitch
inline const QString proportionalGothic = QStringLiteral("IPAPGothic");
inline const QString proportionalMincho = QStringLiteral("IPAPMincho");

// Font sizes are set in pixels so that every screen and every test draws the
// same: round(points × 96 / 72).
int pixelsForPoints(double points);

// A font of the window: family, size in points, bold or regular. Shapes and
// text are drawn without antialiasing so that colours stay exact.
QFont make(const QString& family, double points, bool bold);

// The canvas font: the fixed-pitch gothic at 24 pt, regular.
QFont canvasFont();

// Says once on stderr when a face is not installed and Qt falls back to
// another font; the program keeps running with the fallback.
void warnIfMissing(const QFont& font);

} // namespace pomuru::fonts
