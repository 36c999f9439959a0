// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// The real platform with switches for driving the program at machine
// speed: a feedback pause that returns at once, questions answered Yes and
// messages swallowed without a dialog. With every switch off it is exactly
// QtPlatform.

#include "app/qt_platform.h"

namespace pomuru::bench {

class BenchPlatform : public QtPlatform {
public:
    using QtPlatform::QtPlatform;

    void waitWhileTimeOfDayIs(const QString& shown) override
    {
        if (!instantPause)
            QtPlatform::waitWhileTimeOfDayIs(shown);
    }
    bool askYesNo(const QString& text) override { return answerYes || QtPlatform::askYesNo(text); }
    void showMessage(const QString& text) override
    {
        if (!quietMessages)
            QtPlatform::showMessage(text);
    }

    bool instantPause = false;
    bool answerYes = false;
    bool quietMessages = false;
};

} // namespace pomuru::bench
