// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#include "first_frame.h"

#include <QEvent>

namespace pomuru {

namespace {

class FirstFrameWatch : public QObject {
public:
    FirstFrameWatch(QWidget* window, std::function<void()> work)
        : QObject(window)
        , work_(std::move(work))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued behind this paint event: the frame is drawn and flushed
            // first.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    work_();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> work_;
};

} // namespace

QObject* afterFirstFrame(QWidget* window, std::function<void()> work)
{
    return new FirstFrameWatch(window, std::move(work));
}

} // namespace pomuru
