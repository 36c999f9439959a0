// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include <QRgb>

#include <cstdint>

namespace pomuru {

// The window's colours are written as 0xBBGGRR values, blue in the high byte,
// as the layout tables give them; this turns one into Qt's 0xAARRGGBB.
constexpr QRgb fromBgr(std::uint32_t bgr)
{
    return qRgb(int(bgr & 0xFFu), int((bgr >> 8) & 0xFFu), int((bgr >> 16) & 0xFFu));
}

namespace colors {
// Drawing colours of the problems and the marking.
inline constexpr QRgb black = qRgb(0, 0, 0);
inline constexpr QRgb white = qRgb(255, 255, 255);
inline constexpr QRgb red = qRgb(255, 0, 0);
inline constexpr QRgb cyan = qRgb(0, 255, 255);
inline constexpr QRgb pink = qRgb(255, 200, 200);

// Back colours of the window and its controls.
inline constexpr QRgb lightGreen = fromBgr(0xC0FFC0);   // window, 終わる, ﾁｪｯｸ, keypad keys
inline constexpr QRgb lightYellow = fromBgr(0xC0FFFF);  // canvases, pictures, grade button
inline constexpr QRgb paleBlue = fromBgr(0xFFEFEF);     // level panel and its options
inline constexpr QRgb lightRed = fromBgr(0xC0C0FF);     // けってい
inline constexpr QRgb teal = fromBgr(0xC0C000);         // おわり
inline constexpr QRgb lightCyan = fromBgr(0xFFFFC0);    // the canvas headings
// The face of a control that sets no colour of its own (the keypad strips):
// a neutral light grey, whatever the desktop.
inline constexpr QRgb defaultFace = qRgb(240, 240, 240);
} // namespace colors

} // namespace pomuru
