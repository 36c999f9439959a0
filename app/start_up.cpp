// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "start_up.h"

#include "main_window.h"

#include "engine/fonts.h"

#include <cmath>

namespace pomuru {

namespace {

void setFontPoints(QWidget* widget, double points)
{
    QFont font = widget->font();
    font.setPixelSize(fonts::pixelsForPoints(points));
    widget->setFont(font);
}

void applyLargeLayout(MainWindow& window)
{
    for (int i = 0; i < 10; ++i) {
        QRadioButton* option = window.Option2[std::size_t(i)];
        option->move(option->x(), 50 * i + 90);
        option->move(34, option->y());
        setFontPoints(option, 16);
    }
}

void applySmallLayout(MainWindow& window)
{
    for (QLabel* boy : window.Picture3)
        boy->hide();
    QWidget* panel = window.Picture7[0];
    panel->resize(794, panel->height());
    panel->resize(panel->width(), 520);
    for (CanvasWidget* canvas : window.Picture1) {
        canvas->resizeCanvas(QSize(786, canvas->height()));
        canvas->resizeCanvas(QSize(canvas->width(), 530));
    }
    window.Command10[0]->move(610, window.Command10[0]->y());
    window.Command2[0]->move(700, window.Command2[0]->y());
    setFontPoints(window.Label2[0], 16);
    window.Label2[0]->adjustSize();
    for (int i = 0; i < 10; ++i) {
        QRadioButton* option = window.Option2[std::size_t(i)];
        option->setGeometry(35, 40 * i + 80, 700, 28);
        setFontPoints(option, 16);
    }
    // The client area shrinks to what the small layout uses, so that the
    // window fits a screen 800 pixels wide.
    window.setFixedSize(798, 574);
}

} // namespace

bool fitsWithFrame(QSize clientSize, QRect availableArea)
{
    const QSize needed = clientSize.grownBy(TypicalFrame);
    return needed.width() <= availableArea.width() && needed.height() <= availableArea.height();
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
    // window (a laptop with a panel, a screen scaled by 1.5) counts as a
    // narrow one: the small layout, and pages of two rows.
    const QRect area = platform.availableScreenArea();
    if (drill.state.ScreenWidthPixels >= LargeLayoutWidth && !fitsWithFrame(MainWindow::ClientSize, area))
        drill.state.ScreenWidthPixels = LargeLayoutWidth - 1;
    if (drill.state.ScreenWidthPixels >= LargeLayoutWidth)
        applyLargeLayout(window);
    else
        applySmallLayout(window);
    // Where even the small window does not fit, its top rows at least stay
    // on the screen.
    if (!fitsWithFrame(window.size(), area))
        window.move(area.topLeft());

    const QString first = platform.timeOfDay();
    const QString second = platform.timeOfDay();
    platform.seedRandom(seedFromClock(first, second));

    QWidget* panel = window.Picture7[0];
    panel->move(panel->x(), 54);
    panel->move(4, panel->y());
    panel->show();
}

} // namespace pomuru
