// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include <QMargins>
#include <QRect>
#include <QString>

namespace pomuru {

class MainWindow;

// Start-up, once before the window is first shown: measures the screen,
// applies the large layout (1000 pixels and wider) or the small one, zooms
// the large window down where it does not fit the screen's free area, seeds
// the random generator from the clock and shows the level menu.
void Form_Load(MainWindow& window);

// The zoom of the window at start-up: 1 where the large window with its frame
// fits the area, else the largest factor at which it does. Below
// MainWindow::SmallestFactor the small layout is taken instead.
double startFactor(QSize clientSize, QRect availableArea);

// Where the free area is the whole screen (a Wayland desktop does not tell
// its panels), whether the window with its frame and a panel may not fit:
// then it opens maximised, and the compositor's size gives the zoom.
bool mayNotFitAPanel(QSize clientSize, QRect screenArea);
inline constexpr int TypicalPanel = 48;

// Whether a window of this client size, with a window manager's frame around
// it, fits the screen's available area.
bool fitsWithFrame(QSize clientSize, QRect availableArea);
// The frame is not known before the window is shown: a title bar of about
// 30 pixels and thin borders, as desktops draw them.
inline constexpr QMargins TypicalFrame{1, 30, 1, 1};

// The screen width in pixels, rounded to nearest with ties to even.
int screenWidthPixels(double widthTwips, double twipsPerPixel);
// The seed from two readings of the clock: the minutes of the first and the
// seconds of the second, read as one number (12:00:07 gives 7).
int seedFromClock(const QString& first, const QString& second);

inline constexpr int LargeLayoutWidth = 1000;

} // namespace pomuru
