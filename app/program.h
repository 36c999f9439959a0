// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include "qt_platform.h"

#include <QRect>

#include <functional>
#include <memory>

namespace pomuru {

class MainWindow;

// Makes the platform of the running program for the primary screen's width
// and available area.
using PlatformMaker = std::function<std::unique_ptr<QtPlatform>(int screenWidthPixels, QRect availableArea)>;

std::unique_ptr<QtPlatform> makeQtPlatform(int screenWidthPixels, QRect availableArea);

// The program once the command line has asked for the window and the
// application object exists: names the application, installs Qt's Japanese
// texts, makes the platform for the primary screen, builds the window,
// connects the sound once the first frame is on screen, runs Form_Load and
// shows the window: full screen when asked to, maximised where the desktop
// does not tell its panels and the window may not fit, as it is otherwise.
// The event loop is the caller's.
class Program {
public:
    explicit Program(const PlatformMaker& makePlatform = makeQtPlatform, bool fullScreen = false);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    QtPlatform& platform() { return *platform_; }
    MainWindow& window() { return *window_; }

private:
    // In this order, so that the window, whose drill talks to the platform,
    // goes first.
    std::unique_ptr<QtPlatform> platform_;
    std::unique_ptr<MainWindow> window_;
};

} // namespace pomuru
