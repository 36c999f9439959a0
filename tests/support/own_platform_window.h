// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "controls.h"

#include "app/main_window.h"
#include "app/qt_platform.h"
#include "app/start_up.h"

#include <QTest>

namespace pomuru::testing {

// The window on the program's own platform, started up as the program
// starts it, with its sound to connect after the first frame; not shown yet.
struct OwnPlatformWindow {
    explicit OwnPlatformWindow(int screenWidth = 1280)
        : platform(screenWidth)
        , window(platform)
    {
        platform.setWindow(&window);
        Form_Load(window);
        platform.sound().connectAfterFirstFrame(&window);
    }

    // Level 1 chosen and decided, and its first row started with a press on
    // the row's frame.
    void startLevel1Row1()
    {
        QTest::mouseClick(control<QRadioButton>(window, "Option2", 0), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>(window, "Command10", 0), Qt::LeftButton);
        QTest::mousePress(control<CanvasWidget>(window, "Picture1", 0), Qt::LeftButton, {}, QPoint(400, 175));
    }
    AnswerBoxWidget* answerBox1() { return control<AnswerBoxWidget>(window, "Text1", 0); }
    QPushButton* checkButton1() { return control<QPushButton>(window, "Command5", 0); }

    QtPlatform platform;
    MainWindow window;
};

} // namespace pomuru::testing
