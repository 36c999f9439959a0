// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#include "look.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

#include <memory>

namespace pomuru {

namespace {
const QString OwnStyle = QStringLiteral("Fusion");
} // namespace

QPalette ownPalette()
{
    // Fusion's standard palette is fixed in Qt, not read from the desktop.
    // Setting each role explicitly marks it as the program's own, so that
    // no palette of the desktop, not even one it gives to a class of
    // widgets, is resolved into it.
    static const QPalette palette = [] {
        const std::unique_ptr<QStyle> style(QStyleFactory::create(OwnStyle));
        const QPalette standard = style->standardPalette();
        QPalette own;
        for (int group = 0; group < QPalette::NColorGroups; ++group) {
            for (int role = 0; role < QPalette::NColorRoles; ++role) {
                const auto g = QPalette::ColorGroup(group);
                const auto r = QPalette::ColorRole(role);
                own.setBrush(g, r, standard.brush(g, r));
            }
        }
        return own;
    }();
    return palette;
}

void useOwnLook()
{
    if (QApplication::style()->name().compare(OwnStyle, Qt::CaseInsensitive) != 0)
        QApplication::setStyle(OwnStyle);
    QApplication::setPalette(ownPalette());
}

} // namespace pomuru
