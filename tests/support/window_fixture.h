// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "controls.h"
#include "fake_platform.h"

#include "answer/marking.h"
#include "app/main_window.h"
#include "app/start_up.h"

#include <QApplication>
#include <QTest>

#include <memory>

namespace pomuru::testing {

// The real window, offscreen, started up on a scripted platform. Presses and
// clicks go through Qt's event system to the real widgets.
struct WindowFixture {
    explicit WindowFixture(int screenWidth = 1024)
    {
        platform.screenWidth = screenWidth;
        window = std::make_unique<MainWindow>(platform);
        Form_Load(*window);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("the window was not exposed");
    }

    Drill& drill() { return window->drill(); }
    DrillState& state() { return window->drill().state; }
    Canvas& canvas() { return window->drill().canvas(); }
    QRgb pixel(int x, int y) { return canvas().pixel(x, y).value_or(0); }

    // The control array[index] of the window, and the whole array.
    template <typename Control>
    Control* control(const char* array, int index) const
    {
        return testing::control<Control>(*window, array, index);
    }
    template <typename Control>
    QList<Control*> controls(const char* array) const
    {
        return testing::controls<Control>(*window, array);
    }

    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Chooses level 1 to 10 and presses "けってい".
    void openLevel(int level)
    {
        click(control<QRadioButton>("Option2", level - 1));
        click(control<QPushButton>("Command10", 0));
    }
    // A press on the canvas in use at canvas pixel (x, y).
    void pressCanvas(int x, int y)
    {
        QTest::mousePress(control<CanvasWidget>("Picture1", state().CanvasIndex), Qt::LeftButton, {}, QPoint(x, y));
    }
    // The check button of a row on the canvas in use.
    QPushButton* checkButton(int row) { return control<QPushButton>("Command5", checkButtonOfRow(row, state().CanvasIndex)); }
    // An answer typed into a row's box, key by key, and the row's "ﾁｪｯｸ".
    void type(int row, const QString& answer) { QTest::keyClicks(control<AnswerBoxWidget>("Text1", row - 1), answer); }
    void check(int row) { click(checkButton(row)); }

    FakePlatform platform;
    std::unique_ptr<MainWindow> window;
};

} // namespace pomuru::testing
