// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "start_up.h"

#include "main_window.h"
#include "zoom.h"

#include <algorithm>

#include <cmath>

namespace pomuru {

bool fitsWithFrame(QSize clientSize, QRect availableArea)
{
    const QSize needed = clientSize.grownBy(TypicalFrame);
    return needed.width() <= availableArea.width() && needed.height() <= availableArea.height();
}

double startFactor(QSize clientSize, QRect availableArea)
{
    const QSize room = availableArea.size().shrunkBy(TypicalFrame);
    return std::min(1.0, fittingFactor(clientSize, room));
}

bool mayNotFitAPanel(QSize clientSize, QRect screenArea)
{
    return !fitsWithFrame(clientSize.grownBy(QMargins(0, TypicalPanel, 0, 0)), screenArea);
}

int screenWidthPixels(double widthTwips, double twipsPerPixel)
{
    return int(std::nearbyint(widthTwips / twipsPerPixel));
}

int seedFromClock(const QString& first, const QString& second)
{
    return (first.mid(3, 2) + second.right(2)).toInt();
}

void Form_Load(MainWindow& window)
{
    Drill& drill = window.drill();
    Platform& platform = drill.platform;
    const int width = screenWidthPixels(platform.screenWidthTwips(), platform.twipsPerPixelX());
    drill.state.ScreenWidthPixels = std::int16_t(std::clamp(width, 0, 32767));
    // A wide screen whose free area is too low or too narrow for the large
    // window (a laptop with a panel, a screen scaled by 1.5) gets the large
    // window zoomed down to fit. Only where that would take it below the
    // smallest factor does the screen count as a narrow one: the small
    // layout, and pages of two rows.
    const QRect area = platform.availableScreenArea();
    double factor = 1.0;
    if (drill.state.ScreenWidthPixels >= LargeLayoutWidth) {
        factor = startFactor(MainWindow::ClientSize, area);
        if (factor < MainWindow::SmallestFactor) {
            drill.state.ScreenWidthPixels = LargeLayoutWidth - 1;
            factor = 1.0;
        }
    }
    if (drill.state.ScreenWidthPixels >= LargeLayoutWidth)
        window.applyLargeLayout();
    else
        window.applySmallLayout();
    window.setStartFactor(factor);
    // Where even the small window does not fit, its top rows at least stay
    // on the screen.
    if (!fitsWithFrame(window.size(), area))
        window.move(area.topLeft());

    const QString first = platform.timeOfDay();
    const QString second = platform.timeOfDay();
    platform.seedRandom(seedFromClock(first, second));

    window.showLevelMenu();
}

} // namespace pomuru
