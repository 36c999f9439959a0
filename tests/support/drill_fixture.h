// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "fake_platform.h"

#include "answer/canvas_press.h"
#include "answer/marking.h"
#include "engine/colors.h"
#include "engine/drill.h"
#include "engine/fonts.h"
#include "engine/page.h"

#include <QPoint>

#include <array>

namespace pomuru::testing {

// An answer box without a window: its text, place, colour and visibility.
class FakeAnswerBox : public AnswerBox {
public:
    QString text() const override { return value; }
    void setText(const QString& text) override { value = text; }
    void moveTo(int left, int top) override { position = QPoint(left, top); }
    void setBackColor(QRgb color) override { back = color; }
    void show() override { visible = true; }

    QString value;
    QPoint position{588, 148};
    QRgb back = colors::white;
    bool visible = false;
};

// The window's drawing surfaces and answer controls without the window: the
// two real canvases at their full size, three answer boxes, and which check
// buttons and keypads have been shown.
class FakeControls : public DrillControls {
public:
    Canvas& canvas(int index) override { return canvases.at(std::size_t(index)); }
    AnswerBox& answerBox(int index) override { return boxes.at(std::size_t(index)); }
    void showCheckButton(int index) override { checkShown.at(std::size_t(index)) = true; }
    void showKeypad(int index) override { keypadShown.at(std::size_t(index)) = true; }

    std::array<Canvas, 2> canvases{
        Canvas(QSize(1009, 741), colors::lightYellow, fonts::canvasFont()),
        Canvas(QSize(1009, 737), colors::lightYellow, fonts::canvasFont()),
    };
    std::array<FakeAnswerBox, 3> boxes;
    std::array<bool, 6> checkShown{};
    std::array<bool, 3> keypadShown{};
};

// A drill on fake controls and a scripted platform, on a three-row screen.
struct DrillFixture {
    DrillFixture(int level = 1, int screenWidth = 1024)
    {
        drill.state.LevelNo = std::int16_t(level);
        drill.state.ScreenWidthPixels = std::int16_t(screenWidth);
        platform.screenWidth = screenWidth;
    }

    Canvas& canvas() { return drill.canvas(); }
    QRgb pixel(int x, int y) { return drill.canvas().pixel(x, y).value_or(0); }
    DrillState& state() { return drill.state; }

    // What the window's controls do, as direct calls of the handlers: the
    // level's page opened, a press on the canvas in use, an answer typed
    // into a row's box, and the row's "ﾁｪｯｸ".
    void openLevel(int level)
    {
        drill.state.LevelNo = std::int16_t(level);
        PageSetup(drill);
    }
    void pressCanvas(double x, double y) { Picture1_MouseDown(drill, drill.state.CanvasIndex, 1, 0, float(x), float(y)); }
    void type(int row, const QString& answer) { controls.boxes.at(std::size_t(row - 1)).value = answer; }
    void check(int row) { Command5_Click(drill, checkButtonOfRow(row, drill.state.CanvasIndex)); }

    FakeControls controls;
    FakePlatform platform;
    Drill drill{controls, platform};
};

} // namespace pomuru::testing
