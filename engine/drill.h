// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "canvas.h"
#include "drill_state.h"
#include "platform.h"

#include <QRgb>
#include <QString>

namespace pomuru {

// The answer box of a row (the single-line text box Text1 of the window).
class AnswerBox {
public:
    virtual ~AnswerBox() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
    // Position in canvas pixels.
    virtual void moveTo(int left, int top) = 0;
    virtual void setBackColor(QRgb color) = 0;
    virtual void show() = 0;
};

// The controls of the window that the drill draws on, fills, moves and
// shows. The window implements it with its widgets; tests may use the same
// widgets or small doubles.
class DrillControls {
public:
    virtual ~DrillControls() = default;
    virtual Canvas& canvas(int index) = 0;        // Picture1(index), 0 or 1
    virtual AnswerBox& answerBox(int index) = 0;  // Text1(index), 0 to 2
    virtual void showCheckButton(int index) = 0;  // Command5(index), 0 to 5
    virtual void showKeypad(int index) = 0;       // Picture6(index), 0 to 2
};

// The drill: its state, the controls it acts on and the platform it talks to.
// Every handler of the engine and the marking works on one of these.
struct Drill {
    Drill(DrillControls& controls_, Platform& platform_)
        : controls(controls_)
        , platform(platform_)
    {
    }

    Canvas& canvas() { return controls.canvas(state.CanvasIndex); }

    DrillState state;
    DrillControls& controls;
    Platform& platform;
};

} // namespace pomuru
