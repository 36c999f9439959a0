// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#pragma once

#include <QWidget>

#include <functional>

namespace pomuru {

// Runs `work` in the event loop's turn after the window's first paint: what
// the first frame does not show waits until that frame is on the screen.
// Nothing runs if the window, or the watch returned, is destroyed first;
// whoever owns what `work` uses deletes the watch when it goes.
QObject* afterFirstFrame(QWidget* window, std::function<void()> work);

} // namespace pomuru
