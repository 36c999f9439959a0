// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

// How the two start-up programs tell the moment their window first shows.

#include "probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWindow>

#include <functional>

namespace pomuru::bench {

// Runs `then` once, in the event-loop turn after the first window was first
// exposed: by then that expose has been handled, so the first frame is
// painted and flushed to the display. Both start-up programs use this same
// filter, so whatever it costs is in both figures.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(std::function<void()> then)
        : then_(std::move(then))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!seen_ && event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window != nullptr && window->isExposed()) {
                seen_ = true;
                QTimer::singleShot(0, this, [this] {
                    QCoreApplication::instance()->removeEventFilter(this);
                    then_();
                });
            }
        }
        return false;
    }

private:
    std::function<void()> then_;
    bool seen_ = false;
};

// The line the runner reads: the moment of the first frame, the CPU time
// spent until then and the resident memory at that moment.
inline void printFirstFrame()
{
    std::printf("first-frame monotonic_ns=%lld cpu_ns=%lld rss_kib=%ld\n", static_cast<long long>(monotonicNs()),
                static_cast<long long>(cpuNs()), residentKiB());
    std::fflush(stdout);
}

} // namespace pomuru::bench
