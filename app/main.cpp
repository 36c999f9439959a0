// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "before_window.h"
#include "command_line.h"
#include "program.h"

#include <QApplication>

#include <cstdio>
#include <optional>

int main(int argc, char* argv[])
{
    // --help and --version are answered before the display is looked for.
    const pomuru::CommandLine line = pomuru::readCommandLine(pomuru::argumentList(argc, argv));
    if (line.action != pomuru::CommandLine::Action::OpenWindow)
        return pomuru::answerCommandLine(line);

    // Without a display, or without the plugin to reach it, Qt would stop
    // with a stack of English errors; say in Japanese what to do instead.
    if (const QString obstacle = pomuru::windowObstacle(); !obstacle.isEmpty()) {
        std::fputs(obstacle.toLocal8Bit().constData(), stderr);
        return 2;
    }
    std::optional<pomuru::PlatformStartMessages> starting(std::in_place);
    QApplication app(argc, argv);
    starting.reset();
    const pomuru::Program program(pomuru::makeQtPlatform, line.fullScreen);
    return QApplication::exec();
}
