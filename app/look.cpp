// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#include "look.h"

#include <QApplication>
#include <QStyle>

#include <array>

namespace pomuru {

namespace {
const QString OwnStyle = QStringLiteral("Fusion");
} // namespace

QPalette ownPalette()
{
    // The light palette that Qt's Fusion style draws with, written out:
    // Fusion's own standard palette turns dark where the desktop prefers a
    // dark scheme. Setting each role of each group explicitly marks it as
    // the program's own, so that no palette of the desktop, not even one
    // it gives to a class of widgets, is resolved into it.
    struct RoleColours {
        QPalette::ColorRole role;
        QRgb active;  // also while the window is inactive
        QRgb disabled;
    };
    static constexpr std::array<RoleColours, 20> Roles{{
        {QPalette::WindowText, 0xff000000, 0xffbebebe},
        {QPalette::Button, 0xffefefef, 0xffefefef},
        {QPalette::Light, 0xffffffff, 0xffffffff},
        {QPalette::Midlight, 0xffcacaca, 0xffcacaca},
        {QPalette::Dark, 0xff9f9f9f, 0xffbebebe},
        {QPalette::Mid, 0xffb8b8b8, 0xffb8b8b8},
        {QPalette::Text, 0xff000000, 0xffbebebe},
        {QPalette::BrightText, 0xffffffff, 0xffffffff},
        {QPalette::ButtonText, 0xff000000, 0xffbebebe},
        {QPalette::Base, 0xffffffff, 0xffefefef},
        {QPalette::Window, 0xffefefef, 0xffefefef},
        {QPalette::Shadow, 0xff767676, 0xffb1b1b1},
        {QPalette::Highlight, 0xff308cc6, 0xff919191},
        {QPalette::HighlightedText, 0xffffffff, 0xffffffff},
        {QPalette::Link, 0xff0000ff, 0xff0000ff},
        {QPalette::LinkVisited, 0xffff00ff, 0xffff00ff},
        {QPalette::AlternateBase, 0xfff7f7f7, 0xfff7f7f7},
        {QPalette::ToolTipBase, 0xffffffdc, 0xffffffdc},
        {QPalette::ToolTipText, 0xff000000, 0xff000000},
        {QPalette::PlaceholderText, 0x80000000, 0x80000000},
    }};
    static const QPalette own = [] {
        QPalette palette;
        for (const RoleColours& each : Roles) {
            const auto colour = [](QRgb argb) { return QColor::fromRgba(argb); };
            palette.setColor(QPalette::Active, each.role, colour(each.active));
            palette.setColor(QPalette::Inactive, each.role, colour(each.active));
            palette.setColor(QPalette::Disabled, each.role, colour(each.disabled));
        }
        return palette;
    }();
    return own;
}

void useOwnLook()
{
    if (QApplication::style()->name().compare(OwnStyle, Qt::CaseInsensitive) != 0)
        QApplication::setStyle(OwnStyle);
    QApplication::setPalette(ownPalette());
}

} // namespace pomuru
