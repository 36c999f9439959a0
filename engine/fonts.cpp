// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "fonts.h"

#include <QFontInfo>
#include <QSet>

#include <cmath>
#include <cstdio>

namespace pomuru::fonts {

int pixelsForPoints(double points)
{
    return int(std::lround(points * 96.0 / 72.0));
}

QFont make(const QString& family, double points, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixelsForPoints(points));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QFont canvasFont()
{
    return make(gothic, 24, false);
}

void warnIfMissing(const QFont& font)
{
    static QSet<QString> warned;
    const QString wanted = font.family();
    if (QFontInfo(font).family() == wanted || warned.contains(wanted))
        return;
    warned.insert(wanted);
    std::fprintf(stderr,
                 "pomuru: the font \"%s\" is not installed; using \"%s\" instead "
                 "(install fonts-ipafont-gothic and fonts-ipafont-mincho).\n",
                 qPrintable(wanted), qPrintable(QFontInfo(font).family()));
}

} // namespace pomuru::fonts
