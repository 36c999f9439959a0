// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "command_line.h"
#include "main_window.h"
#include "qt_platform.h"
#include "start_up.h"
#include "translations.h"

#include <QApplication>
#include <QScreen>

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt would stop with a stack of platform errors; say in
// one sentence what to do instead.
bool displayAvailable()
{
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0';
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[])
{
    // --help and --version are answered before the display is looked for.
    const pomuru::CommandLine line = pomuru::readCommandLine(pomuru::argumentList(argc, argv));
    if (line.action != pomuru::CommandLine::Action::OpenWindow)
        return pomuru::answerCommandLine(line);

    if (!displayAvailable()) {
        std::fputs("pomuru: there is no display to open the window on; start it from a desktop session, "
                   "or without one as `xvfb-run -s \"-screen 0 1280x800x24\" pomuru`.\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    pomuru::nameApplication();
    pomuru::installQtJapanese();

    const QScreen* screen = QGuiApplication::primaryScreen();
    pomuru::QtPlatform platform(screen != nullptr ? screen->geometry().width() : 1024,
                                screen != nullptr ? screen->availableGeometry() : QRect());
    pomuru::MainWindow window(platform);
    platform.setWindow(&window);
    platform.sound().connectAfterFirstFrame(&window);
    pomuru::Form_Load(window);
    window.show();
    return QApplication::exec();
}
