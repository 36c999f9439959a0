// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "command_line.h"
#include "program.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // --help and --version are answered before the display is looked for.
    const pomuru::CommandLine line = pomuru::readCommandLine(pomuru::argumentList(argc, argv));
    if (line.action != pomuru::CommandLine::Action::OpenWindow)
        return pomuru::answerCommandLine(line);

    // Without a display Qt would stop with a stack of platform errors; say in
    // one sentence what to do instead.
    if (!pomuru::displayAvailable()) {
        std::fputs("pomuru: there is no display to open the window on; start it from a desktop session, "
                   "or without one as `xvfb-run -s \"-screen 0 1280x800x24\" pomuru`.\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    const pomuru::Program program;
    return QApplication::exec();
}
