// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "engine/platform.h"
#include "engine/random_source.h"

#include <QStringList>
#include <QTime>

#include <deque>
#include <functional>
#include <optional>

namespace pomuru::testing {

// A scripted platform: random draws come from a list before they come from a
// seeded generator, questions are answered from a list, the clock is fake and
// moves one second per wait, and everything shown is recorded.
class FakePlatform : public Platform {
public:
    void showMessage(const QString& text) override { messages << text; }
    bool askYesNo(const QString& text) override
    {
        questions << text;
        if (answers.empty())
            return false;
        const bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    void beep() override
    {
        ++beeps;
        if (duringBeep)
            duringBeep();
    }

    QString timeOfDay() override
    {
        if (!clockTexts.empty()) {
            const QString text = clockTexts.front();
            clockTexts.pop_front();
            return text;
        }
        return clock.toString(QStringLiteral("hh:mm:ss"));
    }
    void waitWhileTimeOfDayIs(const QString&) override
    {
        ++waits;
        if (duringPause)
            duringPause();
        clock = clock.addSecs(1);
    }

    void seedRandom(int seed) override
    {
        seeded = seed;
        generator.reseed(std::uint64_t(seed));
    }
    float nextRandom() override
    {
        ++draws;
        if (!scriptedDraws.empty()) {
            const float r = scriptedDraws.front();
            scriptedDraws.pop_front();
            return r;
        }
        return generator.next();
    }

    double screenWidthTwips() override { return screenWidth * 15.0; }
    double twipsPerPixelX() override { return 15.0; }
    QRect availableScreenArea() override
    {
        constexpr int Roomy = 1 << 24;
        return availableArea.value_or(QRect(0, 0, Roomy, Roomy));
    }
    void endProgram() override { ended = true; }

    std::deque<float> scriptedDraws;
    RandomSource generator{20261208};
    int draws = 0;
    int seeded = -1;

    std::deque<bool> answers;
    QStringList questions;
    QStringList messages;
    int beeps = 0;
    std::function<void()> duringBeep;

    QTime clock{12, 0, 0};
    std::deque<QString> clockTexts;
    int waits = 0;
    std::function<void()> duringPause;

    int screenWidth = 1024;
    // Unless set, panels and the screen's height leave the window all the
    // room it asks for, and only the screen's width chooses the layout.
    std::optional<QRect> availableArea;
    bool ended = false;
};

} // namespace pomuru::testing
