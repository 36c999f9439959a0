// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include <QRect>
#include <QString>

namespace pomuru {

// Everything the drill needs from the world outside the window's widgets.
// The program uses the real one (message boxes, the system beep, the clock);
// tests script it.
class Platform {
public:
    virtual ~Platform() = default;

    // A modal message with an OK button.
    virtual void showMessage(const QString& text) = 0;
    // A modal question with Yes and No buttons; true for Yes.
    virtual bool askYesNo(const QString& text) = 0;
    virtual void beep() = 0;

    // The time of day as eight characters, "hh:mm:ss".
    virtual QString timeOfDay() = 0;
    // Returns once timeOfDay() no longer reads `shown`. Meanwhile the window
    // keeps repainting, and what the pupil presses or types is dropped.
    virtual void waitWhileTimeOfDayIs(const QString& shown) = 0;

    // The program's one random generator: seeded once at start-up, then a
    // uniform value r with 0 <= r < 1 per call.
    virtual void seedRandom(int seed) = 0;
    virtual float nextRandom() = 0;

    // The screen's width in twips and the twips per pixel along x.
    virtual double screenWidthTwips() = 0;
    virtual double twipsPerPixelX() = 0;
    // The part of the screen that a window may take, in pixels: the screen
    // less the desktop's panels and docks.
    virtual QRect availableScreenArea() = 0;

    // Ends the program: the window closes and the process exits.
    virtual void endProgram() = 0;
};

} // namespace pomuru
