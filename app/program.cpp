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

Program::Program(const PlatformMaker& makePlatform)
{
    nameApplication();
    installQtJapanese();

    const QScreen* screen = QGuiApplication::primaryScreen();
    platform_ = makePlatform(screen != nullptr ? screen->geometry().width() : 1024,
                             screen != nullptr ? screen->availableGeometry() : QRect());
    window_ = std::make_unique<MainWindow>(*platform_);
    platform_->setWindow(window_.get());
    platform_->sound().connectAfterFirstFrame(window_.get());
    Form_Load(*window_);
    window_->show();
}

Program::~Program() = default;

} // namespace pomuru
