// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "event_sound.h"

#include "engine/platform.h"
#include "engine/random_source.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace pomuru {

// The title that message boxes carry.
inline const QString ApplicationTitle = QStringLiteral("ポムル");

// Names the application for the desktop: its name, version and the desktop
// entry that the window belongs to.
void nameApplication();

// The platform of the running program: Qt's message boxes, the beep as a sound, the
// system clock, and a pause that keeps the window painting without using
// the processor.
class QtPlatform : public Platform {
public:
    // An empty available area: nothing but the screen's width limits the window.
    explicit QtPlatform(int screenWidthPixels, QRect availableArea = {});

    // The window that message boxes belong to.
    void setWindow(QWidget* window) { window_ = window; }
    // The window's zoom, which message boxes' text follows.
    void setZoom(std::function<double()> zoom) { zoom_ = std::move(zoom); }

    void showMessage(const QString& text) override;
    bool askYesNo(const QString& text) override;
    void beep() override;
    QString timeOfDay() override;
    void waitWhileTimeOfDayIs(const QString& shown) override;
    void seedRandom(int seed) override { random_.reseed(std::uint64_t(seed)); }
    float nextRandom() override { return random_.next(); }
    double screenWidthTwips() override { return screenWidthPixels_ * TwipsPerPixel; }
    double twipsPerPixelX() override { return TwipsPerPixel; }
    QRect availableScreenArea() override;
    void endProgram() override;

    // The sound of the beep; the bell until it is connected.
    EventSound& sound() { return sound_; }

    static constexpr double TwipsPerPixel = 15;

private:
    int screenWidthPixels_;
    QRect availableArea_;
    RandomSource random_;
    QPointer<QWidget> window_;
    std::function<double()> zoom_;
    bool ending_ = false;
    EventSound sound_;
};

} // namespace pomuru
