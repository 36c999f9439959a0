// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace pomuru {

// While it lives, the pupil's input to the whole program is dropped: what is
// pressed or typed during the feedback pause is never handled, not even once
// the pause is over, where it would check or type into the next problem.
// Everything else goes on, so the window repaints; a request to close the
// window is not input, and `closing` is told of it.
class InputDrop : public QObject {
public:
    explicit InputDrop(QWidget* window, std::function<void()> closing = {});
    ~InputDrop() override;
    InputDrop(const InputDrop&) = delete;
    InputDrop& operator=(const InputDrop&) = delete;

    // Whether an event of this type is the pupil's input.
    static bool isInput(QEvent::Type type);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    std::function<void()> closing_;
};

} // namespace pomuru
