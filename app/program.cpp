// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "program.h"

#include "main_window.h"
#include "qt_platform.h"
#include "start_up.h"
#include "translations.h"

#include <QGuiApplication>
#include <QScreen>


namespace pomuru {

std::unique_ptr<QtPlatform> makeQtPlatform(int screenWidthPixels, QRect availableArea)
{
    return std::make_unique<QtPlatform>(screenWidthPixels, availableArea);
}

Program::Program(const PlatformMaker& makePlatform, bool fullScreen)
{
    nameApplication();
    installQtJapanese();

    const QScreen* screen = QGuiApplication::primaryScreen();
    platform_ = makePlatform(screen != nullptr ? screen->geometry().width() : 1024,
                             screen != nullptr ? screen->availableGeometry() : QRect());
    window_ = std::make_unique<MainWindow>(*platform_);
    platform_->setWindow(window_.get());
    MainWindow* window = window_.get();
    platform_->setZoom([window] { return window->zoom().factor(); });
    platform_->sound().connectAfterFirstFrame(window_.get());
    Form_Load(*window_);
    // A Wayland desktop gives the whole screen as the free area, panels and
    // all; where the window may not fit under a panel, the compositor's own
    // size for a maximised window tells the room, and the zoom follows it.
    const bool areaIsWholeScreen = screen != nullptr && screen->availableGeometry() == screen->geometry()
        && QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    if (fullScreen)
        window_->showFullScreen();
    else if (areaIsWholeScreen && mayNotFitAPanel(window_->size(), screen->availableGeometry()))
        window_->showMaximized();
    else
        window_->show();
}

Program::~Program() = default;

} // namespace pomuru
