// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include <QString>

namespace pomuru {

class MainWindow;

// Start-up, once before the window is first shown: measures the screen,
// applies the large layout (1000 pixels and wider) or the small one, seeds
// the random generator from the clock and shows the level menu.
void Form_Load(MainWindow& window);

// The screen width in pixels, rounded to nearest with ties to even.
int screenWidthPixels(double widthTwips, double twipsPerPixel);
// The seed from two readings of the clock: the minutes of the first and the
// seconds of the second, read as one number (12:00:07 gives 7).
int seedFromClock(const QString& first, const QString& second);

inline constexpr int LargeLayoutWidth = 1000;

} // namespace pomuru
